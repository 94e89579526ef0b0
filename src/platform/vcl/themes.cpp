#include "platform/vcl/themes.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>

#include "platform/vcl/gfx/graphics.h"

struct TThemeClass {
    const char16_t* Name;
    int LastPart; // parts 1 .. LastPart exist
};

namespace {

enum TThemeClassIndex { tcButton, tcComboBox, tcSpin, tcProgress };

constexpr std::array<TThemeClass, 4> Classes{{
    {u"button", BP_CHECKBOX},
    {u"combobox", CP_DROPDOWNBUTTON},
    {u"spin", SPNP_DOWNHORZ},
    {u"progress", PP_CHUNKVERT},
}};

char16_t LowerAscii(char16_t C) {
    return C >= u'A' && C <= u'Z' ? static_cast<char16_t>(C - u'A' + u'a') : C;
}

bool SameName(std::u16string_view A, std::u16string_view B) {
    return A.size() == B.size() &&
           std::equal(A.begin(), A.end(), B.begin(),
                      [](char16_t X, char16_t Y) { return LowerAscii(X) == LowerAscii(Y); });
}

std::u16string_view TrimSpaces(std::u16string_view S) {
    while (!S.empty() && S.front() == u' ')
        S.remove_prefix(1);
    while (!S.empty() && S.back() == u' ')
        S.remove_suffix(1);
    return S;
}

QStyle* CurrentStyle() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style()
                                                                     : nullptr;
}

int Index(HTHEME Theme) {
    return static_cast<int>(Theme - Classes.data());
}

bool ValidTheme(HTHEME Theme) {
    return Theme && Theme >= Classes.data() && Theme < Classes.data() + Classes.size();
}

// Normal 1, hot 2, pressed 3, disabled 4 as style flags.
QStyle::State StateFlags(int Step) {
    QStyle::State s = QStyle::State_Enabled;
    switch (Step) {
    case 2:
        s |= QStyle::State_MouseOver | QStyle::State_Raised;
        break;
    case 3:
        s |= QStyle::State_Sunken;
        break;
    case 4:
        s = QStyle::State_None;
        break;
    default:
        s |= QStyle::State_Raised;
        break;
    }
    return s;
}

void InitOption(QStyleOption& Option, const QRect& R, QStyle::State State) {
    Option.rect = R;
    Option.state = State;
    Option.palette = QApplication::palette();
    if (!(State & QStyle::State_Enabled)) Option.palette.setCurrentColorGroup(QPalette::Disabled);
    Option.direction = Qt::LeftToRight;
    Option.fontMetrics = QFontMetrics(QApplication::font());
}

// A square indicator of the style's size, centred in the image and never larger.
QRect IndicatorRect(const QSize& Size, int Metric) {
    const int side = std::min({Metric > 0 ? Metric : 13, Size.width(), Size.height()});
    return QRect((Size.width() - side) / 2, (Size.height() - side) / 2, side, side);
}

void DrawButtonPart(QStyle& Style, QPainter& P, const QSize& Size, int Part, int State) {
    QStyleOptionButton o;
    if (Part == BP_PUSHBUTTON) {
        InitOption(o, QRect(QPoint(0, 0), Size), StateFlags(State == PBS_DEFAULTED ? 1 : State));
        if (State == PBS_DEFAULTED) o.features |= QStyleOptionButton::DefaultButton;
        Style.drawControl(QStyle::CE_PushButtonBevel, &o, &P, nullptr);
        return;
    }
    const int step = (State - 1) % 4 + 1;
    const int kind = (State - 1) / 4; // 0 unchecked, 1 checked, 2 mixed
    QStyle::State flags = StateFlags(step);
    flags.setFlag(QStyle::State_Raised, false);
    flags |= kind == 1 ? QStyle::State_On : kind == 2 ? QStyle::State_NoChange : QStyle::State_Off;
    const bool radio = Part == BP_RADIOBUTTON;
    const int metric =
        Style.pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth);
    InitOption(o, IndicatorRect(Size, metric), flags);
    Style.drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &o,
                        &P, nullptr);
}

// A button face with an arrow on it (combo box and spin buttons).
void DrawArrowButton(QStyle& Style, QPainter& P, const QSize& Size, int State,
                     QStyle::PrimitiveElement Arrow) {
    QStyleOption o;
    InitOption(o, QRect(QPoint(0, 0), Size), StateFlags(State));
    Style.drawPrimitive(QStyle::PE_PanelButtonBevel, &o, &P, nullptr);
    const int side = std::max(1, std::min(Size.width(), Size.height()) - 4);
    QStyleOption a;
    InitOption(a,
               QRect((Size.width() - side) / 2, (Size.height() - side) / 2, side, side) +
                   (State == 3 ? QMargins(-1, -1, 1, 1) : QMargins()),
               StateFlags(State));
    Style.drawPrimitive(Arrow, &a, &P, nullptr);
}

void DrawProgressPart(QStyle& Style, QPainter& P, const QSize& Size, int Part) {
    QStyleOptionProgressBar o;
    const bool horizontal = Part == PP_BAR || Part == PP_CHUNK;
    InitOption(o, QRect(QPoint(0, 0), Size),
               QStyle::State_Enabled |
                   (horizontal ? QStyle::State_Horizontal : QStyle::State_None));
    o.minimum = 0;
    o.maximum = 100;
    o.progress = Part == PP_BAR || Part == PP_BARVERT ? 0 : 100;
    o.textVisible = false;
    Style.drawControl(Part == PP_BAR || Part == PP_BARVERT ? QStyle::CE_ProgressBarGroove
                                                           : QStyle::CE_ProgressBarContents,
                      &o, &P, nullptr);
}

bool ValidState(int ClassIndex, int Part, int State) {
    switch (ClassIndex) {
    case tcButton:
        return State >= 1 && State <= (Part == BP_PUSHBUTTON ? 5 : Part == BP_CHECKBOX ? 12 : 8);
    case tcProgress:
        return true; // the bar has one look
    default:
        return State >= 1 && State <= 4;
    }
}

} // namespace

namespace ThemeLibrary {

HTHEME OpenThemeData(HWND, const char16_t* ClassList) {
    if (!ClassList || !CurrentStyle()) return nullptr;
    std::u16string_view rest(ClassList);
    while (true) {
        const size_t semi = rest.find(u';');
        const std::u16string_view name = TrimSpaces(rest.substr(0, semi));
        for (const TThemeClass& c : Classes)
            if (SameName(name, c.Name)) return &c;
        if (semi == std::u16string_view::npos) return nullptr;
        rest.remove_prefix(semi + 1);
    }
}

HRESULT CloseThemeData(HTHEME Theme) {
    // The classes are the library's own; nothing is held per opening.
    return ValidTheme(Theme) ? 0 : 1;
}

HRESULT DrawThemeBackground(HTHEME Theme, TCanvas* DC, int PartId, int StateId, const TRect* Rect,
                            const TRect* ClipRect) {
    QStyle* style = CurrentStyle();
    if (!style || !ValidTheme(Theme) || !DC || !Rect) return 1;
    if (PartId < 1 || PartId > Theme->LastPart || !ValidState(Index(Theme), PartId, StateId))
        return 1;
    if (Rect->Width() <= 0 || Rect->Height() <= 0) return 0;
    const QSize size(Rect->Width(), Rect->Height());
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        switch (Index(Theme)) {
        case tcButton:
            DrawButtonPart(*style, p, size, PartId, StateId);
            break;
        case tcComboBox:
            DrawArrowButton(*style, p, size, StateId, QStyle::PE_IndicatorArrowDown);
            break;
        case tcSpin: {
            static constexpr std::array<QStyle::PrimitiveElement, 4> arrows{
                QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown,
                QStyle::PE_IndicatorArrowRight, QStyle::PE_IndicatorArrowLeft};
            DrawArrowButton(*style, p, size, StateId, arrows[static_cast<size_t>(PartId - 1)]);
            break;
        }
        default:
            DrawProgressPart(*style, p, size, PartId);
            break;
        }
    }
    // Through the canvas, so that its origin and clipping apply.
    TBitmap picture;
    picture.SetImage(image);
    const int saved = ClipRect ? DC->SaveDC() : 0;
    if (ClipRect) DC->IntersectClipRect(*ClipRect);
    DC->StretchDraw(*Rect, &picture);
    if (ClipRect) DC->RestoreDC(saved);
    return 0;
}

bool IsThemeActive() {
    return CurrentStyle() != nullptr;
}

} // namespace ThemeLibrary

bool ThemeLibraryAvailable() {
    return CurrentStyle() != nullptr;
}

TThemeProc ThemeLibraryEntry(const std::string& Name) {
    // Function pointers of another type pass through the generic entry type
    // and are turned back by the caller, as with any library bound by name.
    if (Name == "OpenThemeData") return reinterpret_cast<TThemeProc>(&ThemeLibrary::OpenThemeData);
    if (Name == "CloseThemeData")
        return reinterpret_cast<TThemeProc>(&ThemeLibrary::CloseThemeData);
    if (Name == "DrawThemeBackground")
        return reinterpret_cast<TThemeProc>(&ThemeLibrary::DrawThemeBackground);
    if (Name == "IsThemeActive") return reinterpret_cast<TThemeProc>(&ThemeLibrary::IsThemeActive);
    return nullptr;
}
