#include "platform/vcl/scrollbars.h"

#include <QPainter>
#include <QScrollBar>
#include <QWidget>

#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

constexpr int BarSize = 16; // the classic width of a scroll bar

// A scroll bar that draws the arrows of its end buttons itself: the looks of
// flat bars colour the buttons, and a style sheet that does leaves them blank.
class TArrowScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;
    bool DrawArrows = false;

protected:
    void paintEvent(QPaintEvent* Event) override {
        QScrollBar::paintEvent(Event);
        if (!DrawArrows) return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(isEnabled() && maximum() > minimum() ? QColor(0x40, 0x40, 0x40)
                                                        : QColor(0xA0, 0xA0, 0xA0));
        const bool horz = orientation() == Qt::Horizontal;
        const int size = horz ? height() : width();
        const int length = horz ? width() : height();
        // A triangle in the button that starts at Start, pointing back or on.
        const auto arrow = [&](int Start, bool On) {
            const double c = Start + size / 2.0, m = size / 2.0, h = size / 4.0;
            const double tip = On ? c + h / 2 + 1 : c - h / 2 - 1;
            const double base = On ? c - h / 2 : c + h / 2;
            const QPointF pts[3] = {horz ? QPointF(tip, m) : QPointF(m, tip),
                                    horz ? QPointF(base, m - h) : QPointF(m - h, base),
                                    horz ? QPointF(base, m + h) : QPointF(m + h, base)};
            p.drawPolygon(pts, 3);
        };
        arrow(0, false);
        arrow(length - size, true);
    }
};

// One scroll bar of a control: a QScrollBar inside the control's widget that
// keeps the platform's range and reports instead of moving itself.
class TBar {
public:
    TBar(TWinControl* Control, Qt::Orientation Orientation) : FControl(Control) {
        FBar = new TArrowScrollBar(Orientation, Control->Widget()); // owned by the widget
        FBar->hide();
        FBar->setFocusPolicy(Qt::NoFocus);
        QObject::connect(FBar, &QAbstractSlider::actionTriggered,
                         [this](int action) { Act(action); });
        QObject::connect(FBar, &QAbstractSlider::sliderReleased, [this] {
            Report(SB_THUMBPOSITION, FBar->sliderPosition());
            Apply(); // back to where the control has put it
            Report(SB_ENDSCROLL, 0);
        });
    }
    ~TBar() { QObject::disconnect(FBar, nullptr, nullptr, nullptr); }
    TBar(const TBar&) = delete;
    TBar& operator=(const TBar&) = delete;
    TScrollInfo FInfo;
    TArrowScrollBar* FBar;
    bool FShown = false;

    int MaxPos() const {
        return std::max(FInfo.nMin, FInfo.nMax - std::max(0, static_cast<int>(FInfo.nPage) - 1));
    }
    void Apply() {
        const QSignalBlocker block(FBar);
        FBar->setRange(0, MaxPos() - FInfo.nMin);
        FBar->setPageStep(std::max(1, static_cast<int>(FInfo.nPage)));
        FBar->setValue(FInfo.nPos - FInfo.nMin);
    }

private:
    void Act(int action) {
        WORD code;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            code = SB_LINEDOWN;
            break;
        case QAbstractSlider::SliderSingleStepSub:
            code = SB_LINEUP;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            code = SB_PAGEDOWN;
            break;
        case QAbstractSlider::SliderPageStepSub:
            code = SB_PAGEUP;
            break;
        case QAbstractSlider::SliderMove:
            FInfo.nTrackPos = FBar->sliderPosition() + FInfo.nMin;
            Report(SB_THUMBTRACK, FInfo.nTrackPos);
            return;
        default:
            return;
        }
        // The platform's bar does not move by itself: the control answers.
        FBar->setSliderPosition(FInfo.nPos - FInfo.nMin);
        Report(code, 0);
    }
    void Report(WORD Code, int Pos) {
        const UINT msg = FBar->orientation() == Qt::Horizontal ? WM_HSCROLL : WM_VSCROLL;
        FControl->Perform(msg, (static_cast<WPARAM>(Pos & 0xFFFF) << 16) | Code, 0);
    }
    TWinControl* FControl;
};

} // namespace

// The scroll bars of a control, made when first asked for.
class TScrollBars {
public:
    explicit TScrollBars(TWinControl* Control)
        : FHorz(Control, Qt::Horizontal), FVert(Control, Qt::Vertical), FControl(Control) {}
    TBar* Bar(int Which) { return Which == SB_HORZ ? &FHorz : Which == SB_VERT ? &FVert : nullptr; }
    void Place() {
        const int w = FControl->Width(), h = FControl->Height();
        const int right = FVert.FShown ? BarSize : 0, bottom = FHorz.FShown ? BarSize : 0;
        FVert.FBar->setGeometry(w - BarSize, 0, BarSize, h - bottom);
        FHorz.FBar->setGeometry(0, h - BarSize, w - right, BarSize);
        FVert.FBar->setVisible(FVert.FShown);
        FHorz.FBar->setVisible(FHorz.FShown);
    }
    TRect Shrink(TRect R) const {
        if (FVert.FShown) R.Right -= BarSize;
        if (FHorz.FShown) R.Bottom -= BarSize;
        R.Right = std::max(R.Left, R.Right);
        R.Bottom = std::max(R.Top, R.Bottom);
        return R;
    }

private:
    TBar FHorz, FVert;
    TWinControl* FControl;
};

void TScrollBarsDeleter::operator()(TScrollBars* Bars) const {
    delete Bars;
}

TScrollBars* TWinControl::ScrollBars() {
    if (!FScrollBars) FScrollBars.reset(new TScrollBars(this)); // owned by the unique_ptr
    return FScrollBars.get();
}

TRect TWinControl::ClientRect() const {
    const TRect r = TControl::ClientRect();
    return FScrollBars ? FScrollBars->Shrink(r) : r;
}

void TWinControl::PlaceScrollBars() {
    if (FScrollBars) FScrollBars->Place();
}

namespace {

TBar* BarOf(HWND Wnd, int Bar) {
    auto* control = dynamic_cast<TWinControl*>(Wnd);
    return control ? control->ScrollBars()->Bar(Bar) : nullptr;
}

void ShowBar(TWinControl* Control, TBar* Bar, bool Show) {
    if (Bar->FShown == Show) return;
    Bar->FShown = Show;
    Control->PlaceScrollBars();
    // The client area changed: the control lays itself out again.
    Control->Perform(WM_SIZE, 0, MakeLParam(Control->Width(), Control->Height()));
}

} // namespace

int SetScrollInfo(HWND Wnd, int Bar, const TScrollInfo& Info, bool) {
    TBar* bar = BarOf(Wnd, Bar);
    if (!bar) return 0;
    TScrollInfo& s = bar->FInfo;
    if (Info.fMask & SIF_RANGE) {
        s.nMin = Info.nMin;
        s.nMax = Info.nMax;
    }
    if (Info.fMask & SIF_PAGE) s.nPage = Info.nPage;
    if (Info.fMask & SIF_POS) s.nPos = Info.nPos;
    s.nPos = std::clamp(s.nPos, s.nMin, bar->MaxPos());
    bar->Apply();
    return s.nPos;
}

bool GetScrollInfo(HWND Wnd, int Bar, TScrollInfo& Info) {
    TBar* bar = BarOf(Wnd, Bar);
    if (!bar) return false;
    const unsigned mask = Info.fMask;
    Info = bar->FInfo;
    Info.fMask = mask;
    return true;
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw) {
    TBar* bar = BarOf(Wnd, Bar);
    if (!bar) return 0;
    const int old = bar->FInfo.nPos;
    TScrollInfo info;
    info.fMask = SIF_POS;
    info.nPos = Pos;
    SetScrollInfo(Wnd, Bar, info, Redraw);
    return old;
}

int GetScrollPos(HWND Wnd, int Bar) {
    TBar* bar = BarOf(Wnd, Bar);
    return bar ? bar->FInfo.nPos : 0;
}

bool SetScrollRange(HWND Wnd, int Bar, int Min, int Max, bool Redraw) {
    TScrollInfo info;
    info.fMask = SIF_RANGE;
    info.nMin = Min;
    info.nMax = Max;
    return SetScrollInfo(Wnd, Bar, info, Redraw) >= 0 && BarOf(Wnd, Bar);
}

bool GetScrollRange(HWND Wnd, int Bar, int& Min, int& Max) {
    TBar* bar = BarOf(Wnd, Bar);
    if (!bar) return false;
    Min = bar->FInfo.nMin;
    Max = bar->FInfo.nMax;
    return true;
}

bool ShowScrollBar(HWND Wnd, int Bar, bool Show) {
    auto* control = dynamic_cast<TWinControl*>(Wnd);
    if (!control) return false;
    if (Bar == SB_BOTH) {
        ShowBar(control, control->ScrollBars()->Bar(SB_HORZ), Show);
        ShowBar(control, control->ScrollBars()->Bar(SB_VERT), Show);
    } else if (TBar* bar = control->ScrollBars()->Bar(Bar)) {
        ShowBar(control, bar, Show);
    } else {
        return false;
    }
    return true;
}

bool ScrollWindow(HWND Wnd, int XAmount, int YAmount, const TRect* Rect, const TRect*) {
    auto* control = dynamic_cast<TControl*>(Wnd);
    if (!control) return false;
    const TRect client = control->ClientRect();
    control->Widget()->scroll(XAmount, YAmount, ToQRect(Rect ? *Rect : client));
    return true;
}

int GetSystemMetrics(int Index) {
    switch (Index) {
    case SM_CXSCREEN:
        return Screen->Width();
    case SM_CYSCREEN:
        return Screen->Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return BarSize;
    case SM_CYCAPTION:
        return 18;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CYMENU:
        return 19;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
        return 1;
    default:
        return 0;
    }
}

bool SetScrollBarLook(HWND Wnd, TScrollBarLook Look, TColor Color) {
    TBar* bars[] = {BarOf(Wnd, SB_HORZ), BarOf(Wnd, SB_VERT)};
    if (!bars[0] || !bars[1]) return false;
    QString sheet;
    if (Look != sblNormal) {
        // Flat bars keep what a bar is for: their full size, the arrow buttons
        // at both ends for a step at a time, and a thumb as broad as the bar;
        // only the colours and the thumb's shape are the look's.
        const QColor track = Color == clNone ? QColor(0xF0, 0xF0, 0xF0) : ToQColor(Color);
        const QString t = track.name();
        const QString thumb = Look == sblEncarta ? "#7A96DF" : "#A8A8A8";
        const QString hover = Look == sblEncarta ? "#4B6EC8" : "#8C8C8C";
        const QString round = Look == sblEncarta ? "4px" : "0px";
        const QString size = QString::number(BarSize);
        sheet =
            QString("QScrollBar { background: %1; border: none; }"
                    "QScrollBar:horizontal { height: %5px; margin: 0 %5px 0 %5px; }"
                    "QScrollBar:vertical { width: %5px; margin: %5px 0 %5px 0; }"
                    "QScrollBar::handle { background: %2; border: none; border-radius: %4;"
                    " margin: 1px; }"
                    "QScrollBar::handle:hover { background: %3; }"
                    "QScrollBar::handle:horizontal { min-width: %5px; }"
                    "QScrollBar::handle:vertical { min-height: %5px; }"
                    "QScrollBar::add-line, QScrollBar::sub-line { background: %1; border: none;"
                    " subcontrol-origin: margin; }"
                    "QScrollBar::add-line:hover, QScrollBar::sub-line:hover { background: %6; }"
                    "QScrollBar::add-line:horizontal { width: %5px; subcontrol-position: right; }"
                    "QScrollBar::sub-line:horizontal { width: %5px; subcontrol-position: left; }"
                    "QScrollBar::add-line:vertical { height: %5px; subcontrol-position: bottom; }"
                    "QScrollBar::sub-line:vertical { height: %5px; subcontrol-position: top; }"
                    "QScrollBar::add-page, QScrollBar::sub-page { background: %1; }")
                .arg(t, thumb, hover, round, size, track.darker(112).name());
    }
    for (TBar* bar : bars) {
        bar->FBar->setStyleSheet(sheet);
        bar->FBar->DrawArrows = Look != sblNormal;
        bar->FBar->update();
    }
    return true;
}
