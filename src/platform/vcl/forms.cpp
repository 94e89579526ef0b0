#include "platform/vcl/forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#include "platform/rtl/files.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/qtapp.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/qthost.h"

namespace {

TApplication& ApplicationObject() {
    static TApplication application;
    return application;
}

TScreen& ScreenObject() {
    static TScreen screen;
    return screen;
}

} // namespace

TApplication* Application = &ApplicationObject();
TScreen* Screen = &ScreenObject();

void Beep() {
    EnsureQtApplication();
    QApplication::beep();
}

void MessageBeep(unsigned) {
    Beep();
}

// --- TCustomForm ----------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner) {
    SetVisibleState(false);
    Widget()->setWindowFlag(Qt::Window);
    Widget()->setFocusPolicy(Qt::NoFocus);
    Widget()->setAttribute(Qt::WA_DeleteOnClose, false);
    SetBounds(0, 0, 320, 240);
    SetColor(clBtnFace);
    // The limits hold for the window system too: the user cannot drag a
    // window smaller than its Constraints allow.
    Constraints()->OnChange = [this](TObject*) {
        SetBounds(Left(), Top(), Width(), Height());
        ApplySizeLimits();
    };
    ApplyWindowFlags();
}

TCustomForm::~TCustomForm() {
    BeforeDestruction();
    Application->FormDestroyed(this);
}

void TCustomForm::AfterConstruction() {
    if (FCreated) return;
    FCreated = true;
    if (OnCreate) OnCreate(this);
}

void TCustomForm::BeforeDestruction() {
    if (FDestroyed) return;
    FDestroyed = true;
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::SetTextValue(const std::string& Value) {
    TCustomControl::SetTextValue(Value);
    Widget()->setWindowTitle(ToQString(Value));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    FBorderStyle = Value;
    ApplyWindowFlags();
}

void TCustomForm::ApplyWindowFlags() {
    Qt::WindowFlags flags = Qt::Window;
    switch (FBorderStyle) {
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case bsDialog:
        flags =
            Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        flags = Qt::Tool;
        break;
    default:
        break;
    }
    const bool visible = Widget()->isVisible();
    Widget()->setWindowFlags(flags);
    if (FBorderStyle == bsSingle || FBorderStyle == bsDialog || FBorderStyle == bsToolWindow)
        Widget()->setFixedSize(Width(), Height());
    else
        ApplySizeLimits();
    if (visible) Widget()->show();
}

void TCustomForm::ApplySizeLimits() {
    if (FBorderStyle == bsSingle || FBorderStyle == bsDialog || FBorderStyle == bsToolWindow) {
        Widget()->setFixedSize(Width(), Height());
        return;
    }
    const TSizeConstraints& c = *Constraints();
    Widget()->setMinimumSize(c.MinWidth(), c.MinHeight());
    Widget()->setMaximumSize(c.MaxWidth() > 0 ? c.MaxWidth() : QWIDGETSIZE_MAX,
                             c.MaxHeight() > 0 ? c.MaxHeight() : QWIDGETSIZE_MAX);
}

void TCustomForm::SetWindowState(TWindowState Value) {
    FWindowState = Value;
    switch (Value) {
    case wsMinimized:
        Widget()->setWindowState(Qt::WindowMinimized);
        break;
    case wsMaximized:
        Widget()->setWindowState(Qt::WindowMaximized);
        break;
    default:
        Widget()->setWindowState(Qt::WindowNoState);
        break;
    }
}

bool TCustomForm::Active() const {
    return Widget()->isActiveWindow();
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    FActiveControl = Control;
    if (Control && Visible() && Control->CanFocus()) Control->SetFocus();
}

void TCustomForm::ControlRemoved(TControl* Control) {
    if (FActiveControl && Control &&
        (Control == FActiveControl ||
         (dynamic_cast<TWinControl*>(Control) &&
          static_cast<TWinControl*>(Control)->ContainsControl(FActiveControl))))
        FActiveControl = nullptr;
}

void TCustomForm::PlaceOnScreen() {
    if (Parent()) return;
    TRect area{0, 0, Screen->Width(), Screen->Height()};
    TCustomForm* center = nullptr;
    if (FPosition == poMainFormCenter) center = Application->MainForm();
    if (FPosition == poOwnerFormCenter) center = dynamic_cast<TCustomForm*>(Owner());
    if (center == this || (center && !center->Visible())) center = nullptr;
    if (center) area = center->BoundsRect();
    if (center || FPosition == poScreenCenter || FPosition == poDesktopCenter ||
        FPosition == poMainFormCenter || FPosition == poOwnerFormCenter)
        SetBounds(area.Left + (area.Width() - Width()) / 2,
                  area.Top + (area.Height() - Height()) / 2, Width(), Height());
    KeepOnScreen();
}

// A stored place (a settings file, a screen since made smaller) may lie off
// the screen, where not even the title bar could be reached to drag the window
// back: it comes onto the free part of the screen, with its title bar, keeping
// its size where that fits and never going below its smallest size.
void TCustomForm::KeepOnScreen() {
    if (FWindowState != wsNormal) return;
    const QRect own(Left(), Top(), Width(), Height());
    QScreen* screen = QGuiApplication::screenAt(own.center());
    if (!screen) screen = EnsureQtApplication().primaryScreen();
    if (!screen) return;
    const QMargins frame =
        Widget()->windowHandle() ? Widget()->windowHandle()->frameMargins() : QMargins();
    const QRect area = screen->availableGeometry().marginsRemoved(frame);
    const int width = std::max(std::min(Width(), area.width()), Constraints()->MinWidth());
    const int height = std::max(std::min(Height(), area.height()), Constraints()->MinHeight());
    const int left = std::max(std::min(Left(), area.right() + 1 - width), area.left());
    const int top = std::max(std::min(Top(), area.bottom() + 1 - height), area.top());
    SetBounds(left, top, width, height);
}

void TCustomForm::SetVisible(bool Value) {
    if (Value == Visible()) return;
    if (Value) {
        DoShow();
        PlaceOnScreen();
        TCustomControl::SetVisible(true);
        Widget()->raise();
        Widget()->activateWindow();
        if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
    } else {
        if (FModal) FModalResult = FModalResult ? FModalResult : mrCancel;
        DoHide();
        TCustomControl::SetVisible(false);
    }
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

int TCustomForm::ShowModal() {
    if (Visible() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    Application->CancelHint();
    FModalResult = mrNone;
    FModal = true;
    Widget()->setWindowModality(Qt::ApplicationModal);
    const std::weak_ptr<bool> alive = AliveToken();
    // The window below gets the keyboard back when this one goes; the window
    // system would leave that to chance.
    TCustomForm* below = Screen->ActiveForm();
    if (!below || below == this) below = Application->MainForm();
    if (below == this) below = nullptr;
    const std::weak_ptr<bool> belowAlive = below ? below->AliveToken() : std::weak_ptr<bool>();
    try {
        Show();
        for (;;) {
            if (FModalResult == mrNone && Application->Terminated()) FModalResult = mrCancel;
            if (FModalResult != mrNone && CloseModal()) break;
            Application->HandleMessage();
            if (alive.expired()) return mrCancel;
        }
    } catch (...) {
        if (!alive.expired()) {
            FModal = false;
            Widget()->setWindowModality(Qt::NonModal);
            Hide();
        }
        throw;
    }
    const int result = FModalResult;
    FModal = false;
    Hide();
    Widget()->setWindowModality(Qt::NonModal);
    if (!belowAlive.expired() && below->Visible()) below->RestoreFocus();
    return result;
}

void TCustomForm::RestoreFocus() {
    if (!Visible()) return;
    if (!Active()) Widget()->activateWindow();
    if (FActiveControl && FActiveControl->Showing() && FActiveControl->CanFocus()) {
        FActiveControl->SetFocus();
        return;
    }
    FActiveControl = nullptr;
    SelectNext(nullptr, true, true);
}

bool TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) {
        FModalResult = mrNone;
        return false;
    }
    if (action == caFree) Release();
    return true;
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Hide();
        Application->Terminate();
    } else if (action == caFree) {
        Release();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Hide();
    }
}

void TCustomForm::Release() {
    PostMessage(this, CM_RELEASE);
}

void TCustomForm::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_RELEASE:
        delete this;
        return;
    case CM_ACTIVATE:
        // A window comes up with a control to type in: the one it had, else
        // its first in tab order, before OnActivate may pick another.
        if (!FActiveControl || !FActiveControl->CanFocus()) SelectNext(nullptr, true, true);
        Activate();
        return;
    case CM_DEACTIVATE:
        Deactivate();
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

bool TCustomForm::TranslateEvent(QEvent* Event) {
    switch (Event->type()) {
    case QEvent::Close:
        // The window manager's close button asks like Close() does.
        Event->ignore();
        Close();
        return true;
    case QEvent::WindowActivate:
        Perform(CM_ACTIVATE);
        return false;
    case QEvent::WindowDeactivate:
        Perform(CM_DEACTIVATE);
        return false;
    default:
        return TCustomControl::TranslateEvent(Event);
    }
}

void TCustomForm::CMDialogKey(TMessage& Message) {
    const WORD key = static_cast<WORD>(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    // Ctrl+Tab and Ctrl+PgDn (with Shift, or Ctrl+PgUp: back) turn the pages of
    // the outermost page control around the focused control, or of the form's
    // first one: the window's own pages, also from an inner tab row (which
    // takes the arrows for its own tabs) or a page inside a page.
    if (shift.Contains(ssCtrl) && !shift.Contains(ssAlt) &&
        (key == VK_TAB || key == VK_NEXT || key == VK_PRIOR)) {
        TPageControl* pages = nullptr;
        for (TWinControl* c = FActiveControl; c; c = c->Parent())
            if (auto* p = dynamic_cast<TPageControl*>(c)) pages = p;
        for (int i = 0; !pages && i < ComponentCount(); ++i)
            if (auto* p = dynamic_cast<TPageControl*>(Components(i)); p && p->Showing()) pages = p;
        if (pages) {
            pages->SelectNextPage(key == VK_NEXT || (key == VK_TAB && !shift.Contains(ssShift)));
            Message.Result = 1;
            return;
        }
    }
    switch (key) {
    case VK_TAB:
        if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) break;
        SelectNext(FActiveControl, !shift.Contains(ssShift), true);
        Message.Result = 1;
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
            TWinControl* const from = FActiveControl;
            from->Parent()->SelectNext(from, key == VK_RIGHT || key == VK_DOWN, false);
            // As in a dialog, an arrow onto a button of a group chooses it:
            // the group is left with the choice the focus shows.
            if (FActiveControl && FActiveControl != from &&
                (FActiveControl->Perform(WM_GETDLGCODE) & DLGC_RADIOBUTTON) != 0)
                FActiveControl->Perform(BM_CLICK);
            Message.Result = 1;
        }
        return;
    case VK_RETURN:
    case VK_ESCAPE: {
        // Every control may take it (the default and the cancel button do).
        std::vector<TWinControl*> all;
        GetTabOrderList(all);
        for (TWinControl* c : all) {
            if (!c->Showing() || !c->Enabled()) continue;
            const LRESULT used = c->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam);
            if (used) {
                Message.Result = used;
                return;
            }
        }
        break;
    }
    default:
        break;
    }
    TCustomControl::CMDialogKey(Message);
}

namespace {

// Offers Message to Parent's controls, depth first, until one takes it.
bool Broadcast(TWinControl* Parent, TMessage& Message) {
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* c = Parent->Controls(i);
        if (!c->Showing() || !c->Enabled()) continue;
        Message.Result = c->Perform(Message.Msg, Message.WParam, Message.LParam);
        if (Message.Result) return true;
        if (auto* win = dynamic_cast<TWinControl*>(c); win && Broadcast(win, Message)) return true;
    }
    return false;
}

} // namespace

void TCustomForm::CMDialogChar(TMessage& Message) {
    if (!Broadcast(this, Message)) Message.Result = 0;
}

// --- THintWindow ----------------------------------------------------------------

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    Widget()->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    Widget()->setAttribute(Qt::WA_ShowWithoutActivating);
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
    SetVisibleState(false);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void*) {
    TBitmap measure(1, 1);
    TCanvas* canvas = measure.Canvas();
    canvas->Font()->Assign(Font());
    TRect r{0, 0, MaxWidth, 0};
    DrawText(*canvas, AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 4;
    return r;
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
    SetCaption(AHint);
    // Kept on the screen, 2 pixels in from its right and bottom edge.
    TRect r = Rect;
    if (r.Right > Screen->Width()) OffsetRect(r, Screen->Width() - 2 - r.Right, 0);
    if (r.Bottom > Screen->Height()) OffsetRect(r, 0, Screen->Height() - 2 - r.Bottom);
    SetBounds(std::max(0, r.Left), std::max(0, r.Top), r.Width(), r.Height());
    Widget()->show();
    SetVisibleState(true);
    Invalidate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const std::string& AHint, void*) {
    ActivateHint(Rect, AHint);
}

void THintWindow::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetColor(Color());
    canvas->Rectangle(ClientRect());
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 2;
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    DrawText(*canvas, Caption(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// --- TApplication ---------------------------------------------------------------

TApplication::TApplication() : TComponent(nullptr) {
    HintWindowClass = [] { return std::make_unique<THintWindow>(nullptr); };
}

TApplication::~TApplication() {
    // This runs when the process ends, after Qt's own statics may be gone, so
    // windows cannot be taken down any more. Forms hear OnDestroy while all of
    // them still stand; then they and the hint window stay, unfreed but held,
    // until the process is gone (the Qt application likewise).
    static auto* const kept = new std::vector<TObject*>; // never freed on purpose
    for (int i = ComponentCount() - 1; i >= 0; --i)
        if (auto* form = dynamic_cast<TCustomForm*>(Components(i))) form->BeforeDestruction();
    while (ComponentCount() > 0) {
        TComponent* c = Components(ComponentCount() - 1);
        RemoveComponent(c);
        kept->push_back(c);
    }
    kept->push_back(FHintWindow.release());
}

void TApplication::Initialize() {
    EnsureQtApplication();
    InstallQtDialogs();
}

std::string TApplication::ExeName() const {
    return GetProgramFileName();
}

void TApplication::Run() {
    if (FMainForm && ShowMainForm && !FTerminated) FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
    // What runs after the loop (questions at the end) needs no stopped loop.
    FTerminated = false;
}

void TApplication::ProcessMessages() {
    EnsureQtApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    DispatchPostedMessages();
}

void TApplication::HandleMessage() {
    EnsureQtApplication();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
    TMsgDlgButtons buttons = mbOKOnly;
    switch (Flags & 0xF) {
    case MB_OKCANCEL:
        buttons = mbOKCancel;
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = mbAbortRetryIgnore;
        break;
    case MB_YESNOCANCEL:
        buttons = mbYesNoCancel;
        break;
    case MB_YESNO:
        buttons = mbYesNo;
        break;
    case MB_RETRYCANCEL:
        buttons = {mbRetry, mbCancel};
        break;
    default:
        break;
    }
    TMsgDlgType type = mtCustom;
    switch (Flags & 0xF0) {
    case MB_ICONERROR:
        type = mtError;
        break;
    case MB_ICONQUESTION:
        type = mtConfirmation;
        break;
    case MB_ICONWARNING:
        type = mtWarning;
        break;
    case MB_ICONINFORMATION:
        type = mtInformation;
        break;
    default:
        break;
    }
    return DialogService().MessageDlg(Text, type, buttons, Caption.empty() ? Title : Caption);
}

namespace {
constexpr UINT_PTR HideTimer = 1, PauseTimer = 2;
} // namespace

void TApplication::EnsureHintTimer() {
    if (FHintTimer) return;
    FHintTimer = AllocateHWnd([this](TMessage& m) {
        if (m.Msg != WM_TIMER) return;
        if (m.WParam == HideTimer) {
            CancelHint();
        } else if (m.WParam == PauseTimer) {
            TControl* control = FHintPending;
            const TPoint pos = FHintPendingPos;
            StopHintPause();
            if (control) control->ShowHintAt(pos);
        }
    });
}

void TApplication::StopHintPause() {
    if (FHintTimer) KillTimer(FHintTimer, PauseTimer);
    FHintPending = nullptr;
}

void TApplication::ShowHintFor(THintInfo& Info) {
    if (!ShowHint || !Info.HintControl) return;
    StopHintPause();
    Info.HintColor = HintColor;
    Info.HintMaxWidth = Screen->Width();
    if (Info.HintControl->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)) != 0) {
        EndHint(Info.HintControl, Info.CursorRect);
        return;
    }
    bool canShow = true;
    if (OnShowHint) OnShowHint(Info.HintStr, canShow, Info);
    if (!canShow || Info.HintStr.empty()) {
        EndHint(Info.HintControl, Info.CursorRect);
        return;
    }
    // A hint with its own window class gets a window of that class.
    if (Info.HintWindowClass || FCustomHintWindow || !FHintWindow) {
        FHintWindow = Info.HintWindowClass ? Info.HintWindowClass() : HintWindowClass();
        FCustomHintWindow = static_cast<bool>(Info.HintWindowClass);
    }
    FHintWindow->SetColor(Info.HintColor);
    TRect r = FHintWindow->CalcHintRect(Info.HintMaxWidth, Info.HintStr, Info.HintData);
    OffsetRect(r, Info.HintPos.X, Info.HintPos.Y);
    FHintWindow->ActivateHintData(r, Info.HintStr, Info.HintData);
    FHintControl = Info.HintControl;
    FHintCursorRect = Info.CursorRect;
    FHintDismissed = nullptr;
    Hint = Info.HintStr;
    EnsureHintTimer();
    const int hide = Info.HideTimeout > 0 ? Info.HideTimeout : HintHidePause;
    if (hide > 0) SetTimer(FHintTimer, HideTimer, static_cast<unsigned>(hide));
    if (OnHint) OnHint(this);
}

void TApplication::EndHint(TControl* Dismissed, const TRect& DismissedRect) {
    StopHintPause();
    if (FHintTimer) KillTimer(FHintTimer, HideTimer);
    FHintControl = nullptr;
    FHintDismissed = Dismissed;
    FHintDismissedRect = DismissedRect;
    if (FHintWindow) FHintWindow->ReleaseHandle();
}

void TApplication::CancelHint() {
    if (FHintControl)
        EndHint(FHintControl, FHintCursorRect);
    else if (FHintPending)
        EndHint(FHintPending, FHintPending->ClientRect());
    else
        EndHint(FHintDismissed, FHintDismissedRect);
}

void TApplication::HintMouseMove(TControl* Control, const TPoint& Pos) {
    if (FHintControl && (Control != FHintControl || !PtInRect(FHintCursorRect, Pos))) CancelHint();
    if (FHintDismissed) {
        if (Control == FHintDismissed && PtInRect(FHintDismissedRect, Pos)) return;
        FHintDismissed = nullptr;
    }
    if (FHintControl) return; // the hint shows and the mouse stays in its rectangle
    if (!ShowHint || !Control->HintSource()) {
        StopHintPause();
        return;
    }
    FHintPendingPos = Pos;
    if (Control == FHintPending) return; // the pause runs from entering the control
    FHintPending = Control;
    EnsureHintTimer();
    SetTimer(FHintTimer, PauseTimer, static_cast<unsigned>(std::max(0, HintPause)));
}

void TApplication::HintMouseLeave(TControl* Control) {
    if (Control == FHintPending) StopHintPause();
    if (Control == FHintControl) CancelHint();
    if (Control == FHintDismissed) FHintDismissed = nullptr;
}

void TApplication::ControlGone(TControl* Control) {
    if (Control == FHintControl) CancelHint();
    if (Control == FHintPending) StopHintPause();
    if (Control == FHintDismissed) FHintDismissed = nullptr;
}

// --- TScreen --------------------------------------------------------------------

int TScreen::Width() const {
    QScreen* s = EnsureQtApplication().primaryScreen();
    return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const {
    QScreen* s = EnsureQtApplication().primaryScreen();
    return s ? s->geometry().height() : 768;
}

TRect TScreen::WorkAreaRect() const {
    QScreen* s = EnsureQtApplication().primaryScreen();
    const QRect r = s ? s->availableGeometry() : QRect(0, 0, Width(), Height());
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

void TScreen::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    EnsureQtApplication();
    if (FCursor != crDefault) QApplication::restoreOverrideCursor();
    FCursor = Value;
    if (FCursor != crDefault) QApplication::setOverrideCursor(ToQCursor(FCursor));
}

TCustomForm* TScreen::ActiveForm() const {
    return dynamic_cast<TCustomForm*>(FindControl(QApplication::activeWindow()));
}

TWinControl* TScreen::ActiveControl() const {
    TCustomForm* form = ActiveForm();
    return form ? form->ActiveControl() : nullptr;
}
