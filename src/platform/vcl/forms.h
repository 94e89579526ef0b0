#pragma once
// Windows (forms), the application object with its message loop and hint
// handling, the screen, and the hint window.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/dialogs.h"
#include "platform/vcl/controls.h"

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    std::string ClassName() const override { return "TCustomForm"; }

    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Focuses Control (now when the form is shown, else when it is).
    void SetActiveControl(TWinControl* Control);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    bool Modal() const { return FModal; }
    bool Active() const;
    // Activates the shown form and focuses its active control, or, when that
    // one cannot take the focus (hidden, disabled, gone), the first control in
    // tab order that can: the focus never stays on a control out of sight.
    void RestoreFocus();

    void SetVisible(bool Value) override;
    // Shows the form and runs a message loop until ModalResult is set (and the
    // close is allowed); answers ModalResult.
    virtual int ShowModal();
    // Asks OnCloseQuery, then OnClose decides: hide, free later, or stay.
    void Close();
    virtual bool CloseQuery();
    // Destroys the form once the messages waiting now are handled.
    void Release();

    // OnCreate runs from AfterConstruction, which TApplication::CreateForm
    // calls; code that constructs a form itself calls it once the form stands.
    void AfterConstruction();
    // OnDestroy runs once, before the form's parts go: from the application
    // before it frees its forms, or at the latest from this destructor.
    void BeforeDestruction();

    TNotifyEvent OnCreate, OnDestroy, OnActivate, OnDeactivate, OnShow, OnHide, OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // Kept current by the controls (layer only).
    void FocusArrived(TWinControl* Control) { FActiveControl = Control; }
    void ControlRemoved(TControl* Control);

protected:
    bool TranslateEvent(QEvent* Event) override;
    void WndProc(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void SetTextValue(const std::string& Value) override;
    void Paint() override;
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);

private:
    void PlaceOnScreen();
    void KeepOnScreen();
    void ApplyWindowFlags();
    // The window system's size limits: the fixed size of a fixed border, else
    // the Constraints.
    void ApplySizeLimits();
    bool CloseModal();

    TPosition FPosition = poDesigned;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TWindowState FWindowState = wsNormal;
    bool FKeyPreview = false;
    TWinControl* FActiveControl = nullptr;
    int FModalResult = mrNone;
    bool FModal = false;
    bool FCreated = false;
    bool FDestroyed = false;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    std::string ClassName() const override { return "TForm"; }
};

// A small window that shows a hint; subclasses draw richer hints.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    std::string ClassName() const override { return "THintWindow"; }
    // Shows the hint with Rect in screen coordinates.
    virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
    virtual void ActivateHintData(const TRect& Rect, const std::string& AHint, void* AData);
    // The size the hint needs (at screen origin).
    virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
    void ReleaseHandle() { Hide(); }

protected:
    void Paint() override;
};

using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;
using TShowHintEvent =
    std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// MessageBox flags and answers.
constexpr unsigned MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
                   MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_ICONHAND = 0x10, MB_ICONERROR = 0x10,
                   MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30,
                   MB_ICONEXCLAMATION = 0x30, MB_ICONINFORMATION = 0x40, MB_ICONASTERISK = 0x40,
                   MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200,
                   MB_APPLMODAL = 0x0, MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

class TApplication : public TComponent {
public:
    // A form going away stops being the main form (layer only).
    void FormDestroyed(TCustomForm* Form) {
        if (FMainForm == Form) FMainForm = nullptr;
    }
    TApplication();
    ~TApplication() override;
    std::string ClassName() const override { return "TApplication"; }

    // Makes the Qt application and puts the real (Qt) dialogs behind the dialog
    // service; tests leave it out and script the dialogs.
    void Initialize();
    template <class T> void CreateForm(T*& Reference) {
        T* form = new T(this); // owned by the application
        Reference = form;
        if (!FMainForm) FMainForm = form;
        form->AfterConstruction();
    }
    // Shows the main form (when ShowMainForm) and handles messages until
    // Terminate (the main form's close); returns with the flag cleared. A
    // program terminated before Run (a later instance) returns at once.
    void Run();
    bool ShowMainForm = true;
    void ProcessMessages();
    // Waits for the next message (or a timer) and handles what arrived.
    void HandleMessage();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    TCustomForm* MainForm() const { return FMainForm; }
    std::string Title;
    std::string ExeName() const;

    // A message box through the dialog service: MB_ flags in, ID answer out.
    int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags = MB_OK);

    // Hints.
    bool ShowHint = true;
    TColor HintColor = clInfoBk;
    int HintPause = 500;
    int HintHidePause = 2500;
    std::string Hint;
    TNotifyEvent OnHint;
    TShowHintEvent OnShowHint;
    THintWindowClass HintWindowClass;
    // Shows the hint that Info describes (after CM_HINTSHOW and OnShowHint).
    void ShowHintFor(THintInfo& Info);
    // Hides the hint (a key, a click, leaving the cursor rectangle, or after
    // HintHidePause milliseconds); the next one comes once the mouse has left
    // that rectangle (or the control that was waiting for its hint).
    void CancelHint();
    THintWindow* HintWindow() const { return FHintWindow.get(); }
    // The control whose hint shows, and the mouse moving over controls (layer
    // only): resting HintPause milliseconds on a control with a hint shows it.
    TControl* HintControl() const { return FHintControl; }
    void HintMouseMove(TControl* Control, const TPoint& Pos);
    void HintMouseLeave(TControl* Control);
    void ControlGone(TControl* Control);

private:
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    std::unique_ptr<THintWindow> FHintWindow;
    bool FCustomHintWindow = false; // made from a hint's own window class
    TControl* FHintControl = nullptr;
    TRect FHintCursorRect;
    HWND FHintTimer = nullptr;        // ticks of the pause and of the hide pause
    TControl* FHintPending = nullptr; // waiting for HintPause to pass
    TPoint FHintPendingPos;
    TControl* FHintDismissed = nullptr; // no new hint while the mouse stays in
    TRect FHintDismissedRect;           // this rectangle of it
    void EnsureHintTimer();
    void StopHintPause();
    void EndHint(TControl* Dismissed, const TRect& DismissedRect);
};

class TScreen : public TComponent {
public:
    TScreen() : TComponent(nullptr) {}
    std::string ClassName() const override { return "TScreen"; }
    int Width() const;
    int Height() const;
    // The part of the main screen that windows may take (without the panels).
    TRect WorkAreaRect() const;
    // crHourGlass while busy: overrides every control's cursor until crDefault.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;

private:
    TCursor FCursor = crDefault;
};

extern TApplication* Application;
extern TScreen* Screen;

// The platform's default sound.
void Beep();
void MessageBeep(unsigned Type);
