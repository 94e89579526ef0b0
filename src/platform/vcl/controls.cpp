#include "platform/vcl/controls.h"

#include <QApplication>
#include <QCursor>
#include <QPaintEvent>
#include <QPalette>
#include <QWidget>

#include <algorithm>

#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/qtapp.h"
#include "platform/vcl/qthost.h"

namespace {

TControl* gCaptureControl = nullptr;

Qt::CursorShape QtCursorShape(TCursor Cursor) {
    switch (Cursor) {
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
        return Qt::WaitCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crDrag:
    case crMultiDrag:
        return Qt::DragMoveCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    case crNone:
        return Qt::BlankCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

bool TableCursor(TCursor Index, QCursor& Cursor); // controldrag.cpp
bool ControlDragMessage(TControl& Control, TMessage& M);

QCursor ToQCursor(TCursor Cursor) {
    QCursor own;
    if (Cursor > 0 && TableCursor(Cursor, own)) return own;
    return QCursor(QtCursorShape(Cursor));
}

bool IsAccel(unsigned Key, const std::string& Caption) {
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i; // "&&" is a plain '&'
            continue;
        }
        return AnsiUpperChar(Caption[i + 1]) == AnsiUpperChar(static_cast<char>(Key));
    }
    return false;
}

std::string GetShortHint(const std::string& Hint) {
    const size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string GetLongHint(const std::string& Hint) {
    const size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

// --- TControl -----------------------------------------------------------------

TControl::TControl(TComponent* AOwner, QWidget* Widget) : TComponent(AOwner) {
    EnsureQtApplication();
    FWidget.reset(Widget ? Widget : MakeHost<QWidget>());
    FHost = dynamic_cast<TControlHost*>(FWidget.get());
    if (FHost) FHost->Control = this;
    FWidget->hide();
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
    FConstraints = std::make_unique<TSizeConstraints>();
    FConstraints->OnChange = [this](TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); };
    FFont = std::make_unique<TFont>();
    // The native part shows the control's own font from the start: a font is
    // passed on only when it changes, and one that keeps its defaults would
    // otherwise leave the toolkit's wider default font in edits and lists.
    FWidget->setFont(ToQFont(*FFont));
    FFont->OnChange = [this](TObject*) {
        if (!FSettingFont) FParentFont = false;
        Perform(CM_FONTCHANGED);
    };
}

TControl::~TControl() {
    *FAlive = false;
    Include(csDestroying);
    Application->ControlGone(this);
    if (gCaptureControl == this) gCaptureControl = nullptr;
    if (FHost) FHost->Control = nullptr;
    SetPopupMenu(nullptr);
    if (FParent) FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& M) {
    if (ControlDragMessage(*this, M)) return;
    switch (M.Msg) {
    case WM_PAINT:
        WMPaint(M);
        break;
    case WM_ERASEBKGND:
        WMEraseBkgnd(M);
        break;
    case WM_SIZE:
        WMSize(M);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        WMMouseDown(M, mbLeft);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        WMMouseDown(M, mbRight);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        WMMouseDown(M, mbMiddle);
        break;
    case WM_LBUTTONUP:
        WMMouseUp(M, mbLeft);
        break;
    case WM_RBUTTONUP:
        WMMouseUp(M, mbRight);
        break;
    case WM_MBUTTONUP:
        WMMouseUp(M, mbMiddle);
        break;
    case WM_MOUSEMOVE:
        WMMouseMove(M);
        break;
    case WM_MOUSEWHEEL:
        WMMouseWheel(M);
        break;
    case WM_TIMER:
        WMTimer(M);
        break;
    case WM_CONTEXTMENU:
        WMContextMenu(M);
        break;
    case CM_MOUSEENTER:
        CMMouseEnter(M);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(M);
        break;
    case CM_HINTSHOW:
        CMHintShow(M);
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(M);
        break;
    case WM_SETTEXT:
        SetText(M.LParam ? reinterpret_cast<const char*>(M.LParam) : "");
        M.Result = 1;
        break;
    case WM_GETTEXTLENGTH:
        M.Result = static_cast<LRESULT>(GetText().size());
        break;
    case WM_GETTEXT: {
        // WParam: the buffer's size with room for the closing zero.
        const std::string text = GetText();
        auto* buffer = reinterpret_cast<char*>(M.LParam);
        const size_t n =
            M.WParam > 0 ? std::min(text.size(), static_cast<size_t>(M.WParam) - 1) : 0;
        if (buffer && M.WParam > 0) {
            text.copy(buffer, n);
            buffer[n] = '\0';
        }
        M.Result = static_cast<LRESULT>(n);
        break;
    }
    case WM_SETREDRAW:
        // Off: nothing is painted until it is switched on again.
        FWidget->setUpdatesEnabled(M.WParam != 0);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(M);
        break;
    case CM_COLORCHANGED:
        CMColorChanged(M);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(M);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(M);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(M);
        break;
    case CM_CURSORCHANGED:
        CMCursorChanged(M);
        break;
    case WM_SETCURSOR:
        WMSetCursor(M);
        break;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(M);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(M);
        break;
    case CM_CTL3DCHANGED:
        CMCtl3DChanged(M);
        break;
    case CM_PARENTCTL3DCHANGED:
        CMParentCtl3DChanged(M);
        break;
    default:
        DefaultHandler(M);
        break;
    }
}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->FParent)
        c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent) return;
    if (AParent == this) throw EComponentError("A control cannot have itself as its parent");
    // A windowed control that follows its parent's 3D look may take another.
    auto* win = dynamic_cast<TWinControl*>(this);
    const bool was3D = win && win->Ctl3D();
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
    if (win && win->Ctl3D() != was3D) Perform(CM_CTL3DCHANGED);
}

void TControl::UpdateWidgetVisibility() {
    const bool topLevel = dynamic_cast<TCustomForm*>(this) && !FParent;
    if (FParent || topLevel)
        FWidget->setVisible(FVisible);
    else
        FWidget->hide();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (FConstraints) FConstraints->Apply(AWidth, AHeight);
    const bool moved = ALeft != FLeft || ATop != FTop;
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    if (!moved && !sized) return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    FWidget->setGeometry(FLeft, FTop, FWidth, FHeight);
    if (!FParent || !FParent->FControlState.Contains(csAligning)) UpdateAnchorRules();
    if (sized) Perform(WM_SIZE, 0, MakeLParam(FWidth, FHeight));
    if (FParent && FAlign != alNone) FParent->AlignControls(this);
}

TPoint TControl::ClientToScreen(const TPoint& P) const {
    return FromQPoint(FWidget->mapToGlobal(ToQPoint(P)));
}

TPoint TControl::ScreenToClient(const TPoint& P) const {
    return FromQPoint(FWidget->mapFromGlobal(ToQPoint(P)));
}

void TControl::SetAlign(TAlign Value) {
    if (Value == FAlign) return;
    FAlign = Value;
    if (FParent) FParent->AlignControls(this);
}

void TControl::SetAnchors(TAnchors Value) {
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (!FParent) return;
    const TRect r = FParent->ClientRect();
    FAnchorGaps = {0, 0, r.Width() - (FLeft + FWidth), r.Height() - (FTop + FHeight)};
}

void TControl::ApplyAnchors(int ParentWidth, int ParentHeight) {
    int left = FLeft, top = FTop, width = FWidth, height = FHeight;
    if (FAnchors.Contains(akRight)) {
        if (FAnchors.Contains(akLeft))
            width = ParentWidth - FAnchorGaps.Right - FLeft;
        else
            left = ParentWidth - FAnchorGaps.Right - FWidth;
    }
    if (FAnchors.Contains(akBottom)) {
        if (FAnchors.Contains(akTop))
            height = ParentHeight - FAnchorGaps.Bottom - FTop;
        else
            top = ParentHeight - FAnchorGaps.Bottom - FHeight;
    }
    SetBounds(left, top, width, height);
}

void TControl::SetZOrder(bool TopMost) {
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::find(list.begin(), list.end(), this));
        if (TopMost)
            list.push_back(this);
        else
            list.insert(list.begin(), this);
        if (FAlign != alNone) FParent->AlignControls(this);
    }
    if (TopMost)
        FWidget->raise();
    else
        FWidget->lower();
}

void TControl::BringToFront() {
    SetZOrder(true);
}
void TControl::SendToBack() {
    SetZOrder(false);
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

void TControl::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    UpdateWidgetVisibility();
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    if (FParent && FAlign != alNone) FParent->AlignControls(this);
}

void TControl::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    FWidget->setEnabled(Value);
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentFont(bool Value) {
    FParentFont = Value;
    if (Value && FParent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetParentColor(bool Value) {
    FParentColor = Value;
    if (Value && FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED);
}

void TControl::ApplyCursor() {
    FOtherCursorShown = false;
    if (FCursor == crDefault)
        FWidget->unsetCursor();
    else
        FWidget->setCursor(ToQCursor(FCursor));
}

bool TControl::ShowHint() const {
    if (FParentShowHint && FParent) return FParent->ShowHint();
    return FShowHint;
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetText(const std::string& Value) {
    if (Value == GetText()) return;
    SetTextValue(Value);
    Perform(CM_TEXTCHANGED);
}

void TControl::SetTextValue(const std::string& Value) {
    FText = Value;
}

void TControl::ApplyPalette() {
    QPalette p = FWidget->palette();
    const QColor back = ToQColor(FColor);
    const QColor text = ToQColor(FFont->Color());
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, back);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Active, role, text), p.setColor(QPalette::Inactive, role, text);
    FWidget->setPalette(p);
}

void TControl::FontChanged() {
    FWidget->setFont(ToQFont(*FFont));
    ApplyPalette();
    Invalidate();
}

void TControl::ColorChanged() {
    ApplyPalette();
    Invalidate();
}

// --- painting ---

void TControl::Invalidate() {
    FWidget->update();
}

void TControl::InvalidateRect(const TRect& R) {
    FWidget->update(ToQRect(R));
}

void TControl::Update() {
    if (FWidget->isVisible())
        QCoreApplication::sendPostedEvents(FWidget->window(), QEvent::UpdateRequest);
}

void TControl::Repaint() {
    if (FWidget->isVisible()) FWidget->repaint();
}

TCanvas* TControl::ControlCanvas() const {
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>();
    return FCanvas.get();
}

void TControl::PaintThroughCanvas() {
    TCanvas* canvas = ControlCanvas();
    if (canvas->Painting()) return; // a paint inside a paint draws nothing new
    // Only the part Qt asks for is repainted; ClipRect tells the painting code.
    if (FQtEvent && FQtEvent->type() == QEvent::Paint)
        canvas->BeginPaint(FWidget.get(), static_cast<QPaintEvent*>(FQtEvent)->region());
    else
        canvas->BeginPaint(FWidget.get());
    canvas->Font()->Assign(FFont.get());
    canvas->Brush()->SetColor(FColor);
    try {
        Perform(WM_ERASEBKGND);
        Paint();
    } catch (...) {
        canvas->EndPaint();
        throw;
    }
    canvas->EndPaint();
}

void TControl::WMPaint(TMessage& Message) {
    if (IsNative())
        DefaultHandler(Message);
    else
        PaintThroughCanvas();
}

void TControl::WMEraseBkgnd(TMessage& Message) {
    TCanvas* canvas = ControlCanvas();
    if (IsNative() || FControlStyle.Contains(csOpaque) || !canvas->Painting()) {
        DefaultHandler(Message);
        return;
    }
    canvas->Brush()->SetColor(FColor);
    canvas->FillRect(ClientRect());
    Message.Result = 1;
}

void TControl::WMSize(TMessage& Message) {
    Resize();
    DefaultHandler(Message);
}

// --- mouse ---

bool TControl::MouseCapture() const {
    return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (Value == MouseCapture()) return;
    if (Value) {
        if (gCaptureControl) gCaptureControl->FWidget->releaseMouse();
        gCaptureControl = this;
        FWidget->grabMouse();
    } else {
        gCaptureControl = nullptr;
        FWidget->releaseMouse();
    }
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::WMMouseDown(TMessage& Message, TMouseButton Button) {
    const bool dbl = Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK ||
                     Message.Msg == WM_MBUTTONDBLCLK;
    TShiftState shift = KeysToShiftState(Message.WParam);
    if (dbl) shift.Include(ssDouble);
    if (Button == mbLeft) {
        IncludeState(csLButtonDown);
        if (FControlStyle.Contains(csClickEvents)) IncludeState(csClicked);
    }
    const std::weak_ptr<bool> alive = FAlive;
    if (dbl && Button == mbLeft) DblClick();
    if (alive.expired()) return;
    MouseDown(Button, shift, SignedLo(Message.LParam), SignedHi(Message.LParam));
    if (!alive.expired()) DefaultHandler(Message);
}

void TControl::WMMouseUp(TMessage& Message, TMouseButton Button) {
    const std::weak_ptr<bool> alive = FAlive;
    DefaultHandler(Message);
    if (alive.expired()) return;
    const int x = SignedLo(Message.LParam), y = SignedHi(Message.LParam);
    if (Button == mbLeft) {
        ExcludeState(csLButtonDown);
        if (FControlState.Contains(csClicked)) {
            ExcludeState(csClicked);
            if (PtInRect(ClientRect(), {x, y})) Click();
            if (alive.expired()) return;
        }
    }
    MouseUp(Button, KeysToShiftState(Message.WParam), x, y);
}

void TControl::WMMouseMove(TMessage& Message) {
    Application->HintMouseMove(this, {SignedLo(Message.LParam), SignedHi(Message.LParam)});
    MouseMove(KeysToShiftState(Message.WParam), SignedLo(Message.LParam), SignedHi(Message.LParam));
    DefaultHandler(Message);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    // Small steps (touchpads) add up until they make a whole notch.
    FWheelAccumulator += WheelDelta;
    while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
        const bool down = FWheelAccumulator < 0;
        FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
        handled =
            (down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos)) || handled;
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::WMMouseWheel(TMessage& Message) {
    const TShiftState shift = KeysToShiftState(Message.WParamLo());
    const int delta = static_cast<std::int16_t>(Message.WParamHi());
    const TPoint pos{SignedLo(Message.LParam), SignedHi(Message.LParam)};
    if (DoMouseWheel(shift, delta, pos)) {
        Message.Result = 1;
        return;
    }
    // Unused turns scroll a native control, or go to the parent.
    if (IsNative() || !FParent)
        DefaultHandler(Message);
    else
        Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
}

void TControl::CMMouseEnter(TMessage& Message) {
    MouseEnter();
    DefaultHandler(Message);
}

void TControl::CMMouseLeave(TMessage& Message) {
    MouseLeave();
    DefaultHandler(Message);
}

void TControl::WMContextMenu(TMessage& Message) {
    TPoint screen{SignedLo(Message.LParam), SignedHi(Message.LParam)};
    // Asked by the keyboard: the handler hears (-1, -1), the menu opens at the
    // control's corner.
    const bool keyboard = screen.X == -1 && screen.Y == -1;
    bool handled = false;
    if (OnContextPopup) OnContextPopup(this, keyboard ? screen : ScreenToClient(screen), handled);
    if (handled) return;
    if (FPopupMenu) {
        if (keyboard) screen = ClientToScreen(TPoint{0, 0});
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(screen.X, screen.Y);
        Message.Result = 1;
        return;
    }
    if (FParent) Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
}

// --- changes ---

void TControl::CMEnabledChanged(TMessage& Message) {
    Invalidate();
    DefaultHandler(Message);
}

void TControl::CMColorChanged(TMessage& Message) {
    ColorChanged();
    DefaultHandler(Message);
}

void TControl::CMFontChanged(TMessage& Message) {
    FontChanged();
    DefaultHandler(Message);
}

void TControl::CMTextChanged(TMessage& Message) {
    Invalidate();
    DefaultHandler(Message);
}

void TControl::CMCursorChanged(TMessage& Message) {
    ApplyCursor();
    DefaultHandler(Message);
}

void TControl::ShowCursorFor(TCursor Value) {
    FWidget->setCursor(ToQCursor(Value));
    FOtherCursorShown = true;
}

void TControl::WMSetCursor(TMessage& Message) {
    // A native widget may show a cursor of its own (an edit's I-beam): only
    // one put up in the control's place is taken down.
    if (FOtherCursorShown) ApplyCursor();
    Message.Result = 1;
}

void TControl::CMParentFontChanged(TMessage& Message) {
    if (FParentFont && FParent) {
        FSettingFont = true;
        FFont->Assign(FParent->Font());
        FSettingFont = false;
        FParentFont = true;
    }
    DefaultHandler(Message);
}

void TControl::CMParentColorChanged(TMessage& Message) {
    if (FParentColor && FParent) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED);
        FParentColor = true;
    }
    DefaultHandler(Message);
}

// --- TWinControl ----------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner, QWidget* Widget) : TControl(AOwner, Widget) {
    this->Widget()->setFocusPolicy(Qt::ClickFocus);
}

TWinControl::~TWinControl() {
    Include(csDestroying);
    // From here on no Qt event (a focus moving away from a dying child, say)
    // reaches this control or its children: their handlers may belong to a
    // form that is already half gone.
    DetachHosts();
    // Children go with their parent, as on the platform.
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        RemoveControl(child);
        delete child;
    }
}

void TControl::DetachHosts() {
    if (FHost) FHost->Control = nullptr;
    if (auto* win = dynamic_cast<TWinControl*>(this))
        for (TControl* c : win->FControls)
            c->DetachHosts();
}

void TWinControl::Notify(WORD Code) {
    const auto self = reinterpret_cast<LPARAM>(static_cast<TWndTarget*>(this));
    if (Parent())
        Parent()->Perform(WM_COMMAND, MakeWParam(0, Code), self);
    else
        Perform(CN_COMMAND, MakeWParam(0, Code), self);
}

void TWinControl::WMCommand(TMessage& Message) {
    // A child's notification goes back to the child, as the platform reflects it.
    auto* target = reinterpret_cast<TWndTarget*>(Message.LParam);
    auto* child = dynamic_cast<TWinControl*>(target);
    if (child && child->Parent() == this) {
        Message.Result = child->Perform(CN_COMMAND, Message.WParam, Message.LParam);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::SetClickFocus(bool Value) {
    Widget()->setFocusPolicy(Value ? Qt::ClickFocus : Qt::NoFocus);
}

void TWinControl::DeliverPosted(TMessage& Message) {
    if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN)
        KeyInput(static_cast<WORD>(Message.WParam), Message.LParam, std::string(),
                 Message.Msg == WM_SYSKEYDOWN);
    else
        DeliverMessage(Message);
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c; c = c->FParent)
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* Control) {
    if (auto* win = dynamic_cast<TWinControl*>(Control); win && win->ContainsControl(this))
        throw EComponentError("A control cannot be a child of its own child");
    Control->FParent = this;
    FControls.push_back(Control);
    if (auto* win = dynamic_cast<TWinControl*>(Control)) FTabList.push_back(win);
    Control->FWidget->setParent(Widget());
    Control->FWidget->setGeometry(Control->FLeft, Control->FTop, Control->FWidth, Control->FHeight);
    Control->UpdateWidgetVisibility();
    Control->UpdateAnchorRules();
    if (Control->FParentFont) Control->Perform(CM_PARENTFONTCHANGED);
    if (Control->FParentColor) Control->Perform(CM_PARENTCOLORCHANGED);
    if (Control->FAlign != alNone) AlignControls(Control);
}

void TWinControl::RemoveControl(TControl* Control) {
    const auto it = std::find(FControls.begin(), FControls.end(), Control);
    if (it == FControls.end()) return;
    FControls.erase(it);
    // By address: a child that removes itself from its own destructor is no
    // windowed control any more to a dynamic cast, yet must leave the tab list.
    std::erase_if(FTabList, [Control](TWinControl* W) { return W == Control; });
    if (TCustomForm* form = ParentForm()) form->ControlRemoved(Control);
    Control->FParent = nullptr;
    Control->FWidget->hide();
    Control->FWidget->setParent(nullptr);
    if (Control->FAlign != alNone && !HasState(csDestroying)) AlignControls(nullptr);
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0 && --FAlignLevel == 0) AlignControls(nullptr);
}

void TWinControl::AlignControls(TControl* AControl) {
    if (FAlignLevel > 0 || ControlState().Contains(csAligning)) return;
    IncludeState(csAligning);
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->FAlign == align && c->FVisible) list.push_back(c);
        // Nearest to its edge first, as they stand now.
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop:
                return a->FTop < b->FTop;
            case alBottom:
                return a->FTop + a->FHeight > b->FTop + b->FHeight;
            case alLeft:
                return a->FLeft < b->FLeft;
            case alRight:
                return a->FLeft + a->FWidth > b->FLeft + b->FWidth;
            default:
                return false;
            }
        });
        for (TControl* c : list) {
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), c->FHeight);
                rect.Top += c->FHeight;
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - c->FHeight, rect.Width(), c->FHeight);
                rect.Bottom -= c->FHeight;
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, c->FWidth, rect.Height());
                rect.Left += c->FWidth;
                break;
            case alRight:
                c->SetBounds(rect.Right - c->FWidth, rect.Top, c->FWidth, rect.Height());
                rect.Right -= c->FWidth;
                break;
            default:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
                break;
            }
        }
    }
    const TRect client = ClientRect();
    for (TControl* c : FControls)
        if (c->FAlign == alNone && !(c->FAnchors * TAnchors{akRight, akBottom}).Empty())
            c->ApplyAnchors(client.Width(), client.Height());
    ExcludeState(csAligning);
}

void TWinControl::WMSize(TMessage& Message) {
    PlaceScrollBars();
    AlignControls(nullptr);
    TControl::WMSize(Message);
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->Perform(CM_PARENTCOLORCHANGED);
}

// --- focus ---

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->FTabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (!Parent()) return;
    auto& list = Parent()->FTabList;
    list.erase(std::find(list.begin(), list.end(), this));
    const int pos = std::clamp(Value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + pos, this);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return ParentForm() != nullptr;
}

bool TWinControl::Focused() const {
    return Widget()->hasFocus();
}

void TWinControl::SetFocus() {
    TCustomForm* form = ParentForm();
    if (form && form != this) form->FocusArrived(this);
    if (form && form->Visible() && !form->Active()) form->Widget()->activateWindow();
    Widget()->setFocus(Qt::OtherFocusReason);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return;
    if (!GoForward) std::reverse(list.begin(), list.end());
    auto start = std::find(list.begin(), list.end(), CurControl);
    const size_t n = list.size();
    size_t i = start == list.end() ? n - 1 : static_cast<size_t>(start - list.begin());
    for (size_t step = 0; step < n; ++step) {
        i = (i + 1) % n;
        TWinControl* c = list[i];
        if (c == CurControl) break;
        if ((!CheckTabStop || c->TabStop()) && c->CanFocus()) {
            c->SetFocus();
            return;
        }
    }
}

void TWinControl::WMSetFocus(TMessage& Message) {
    if (TCustomForm* form = ParentForm(); form && form != this) form->FocusArrived(this);
    Perform(CM_ENTER);
    DefaultHandler(Message);
}

void TWinControl::WMKillFocus(TMessage& Message) {
    Perform(CM_EXIT);
    DefaultHandler(Message);
}

void TWinControl::CMEnter(TMessage& Message) {
    DoEnter();
    DefaultHandler(Message);
}

void TWinControl::CMExit(TMessage& Message) {
    DoExit();
    DefaultHandler(Message);
}

TControl* FindControl(QWidget* Widget) {
    for (QWidget* w = Widget; w; w = w->parentWidget())
        if (auto* host = dynamic_cast<TControlHost*>(w); host && host->Control)
            return host->Control;
    return nullptr;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
    TControl* c = FindControl(QApplication::widgetAt(ToQPoint(Pos)));
    if (c && !AllowDisabled && !c->Enabled()) return nullptr;
    return c;
}

// --- TCustomControl, TGraphicControl ----------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(ControlStyle() + csAcceptsControls);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
    Widget()->setFocusPolicy(Qt::NoFocus);
}
