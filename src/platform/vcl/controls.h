#pragma once
// Controls: the tree of visible things on a window.
//
// Every control wraps one Qt widget (made by the control, owned by it, shown in
// its parent's widget). Qt's events on that widget are turned into window
// messages and sent through the control's WindowProc; WndProc hands each
// message to its handler method (WMKeyDown, WMMouseDown, CMEnter, ...), and
// what no handler takes ends in DefaultHandler, which lets a native Qt widget
// (an edit, a combo box) do its own work. Drawing happens only inside a paint
// message, on the control's Canvas: code that wants to show something keeps it
// as state and calls Invalidate.

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/rtl/sets.h"
#include "platform/rtl/types.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/messages.h"
#include "platform/vcl/wndtarget.h"

class QWidget;
class QEvent;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TControlHost;
class QObject;
class THintWindow;
class TScrollBars;
struct TScrollBarsDeleter {
    void operator()(TScrollBars* Bars) const;
};

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSize = -22, crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                  crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14,
                  crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19,
                  crHelp = -20, crHandPoint = -21, crSizeAll = -22;

// The screen's cursor table: positive indexes hold a program's own cursors,
// drawn as rows of '#' (black), '.' (white) and ' ' (clear), with a hot spot.
// A control whose Cursor is such an index shows that picture.
void SetScreenCursorImage(TCursor Index, const std::vector<std::string>& Rows, TPoint HotSpot);
bool ScreenCursorLoaded(TCursor Index);

// What a control is (fixed by its class).
enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csClickEvents,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNativeWidget, // a Qt control does its own painting and input
    csFramed        // takes the 3D frame when it has a border and Ctl3D
};
using TControlStyle = TSet<TControlStyleFlag>;

// What a control is doing now.
enum TControlStateFlag { csLButtonDown, csClicked, csFocusing, csAligning, csCreating };
using TControlState = TSet<TControlStateFlag>;

using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// Dragging a control onto another (within the program): automatic drags start
// with a left press on the control, manual ones with BeginDrag.
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// What a drag carries when the source's OnStartDrag gives one; the handler
// keeps it (it is not freed by the drag). Without one the source control
// itself is the drag's source.
class TDragObject : public TObject {
public:
    std::string ClassName() const override { return "TDragObject"; }
};
class TDragDockObject : public TDragObject {
public:
    std::string ClassName() const override { return "TDragDockObject"; }
};

using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
// Accept starts true; a control without OnDragOver accepts nothing.
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
// Target is null when the drag ended nowhere (or was cancelled).
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// A control's minimum and maximum size (0: no limit), applied whenever its
// bounds are set.
class TSizeConstraints : public TPersistent {
public:
    std::string ClassName() const override { return "TSizeConstraints"; }
    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    int MaxWidth() const { return FMaxWidth; }
    int MaxHeight() const { return FMaxHeight; }
    void SetMinWidth(int Value) { Set(FMinWidth, Value); }
    void SetMinHeight(int Value) { Set(FMinHeight, Value); }
    void SetMaxWidth(int Value) { Set(FMaxWidth, Value); }
    void SetMaxHeight(int Value) { Set(FMaxHeight, Value); }
    // Width and height within the limits.
    void Apply(int& Width, int& Height) const;
    TNotifyEvent OnChange;

private:
    void Set(int& Field, int Value);
    int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

// What CM_HINTSHOW carries (LParam points at it): a control may change the text,
// the place or the hint window's class data, or answer non-zero to show nothing.
struct THintInfo {
    class TControl* HintControl = nullptr;
    // The class of window to show this hint in (empty: the application's).
    std::function<std::unique_ptr<THintWindow>()> HintWindowClass;
    TPoint HintPos; // screen position of the hint window
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect; // moving out of it hides the hint
    TPoint CursorPos; // in the control's client coordinates
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    std::string HintStr;
    void* HintData = nullptr;
};

// True when Caption marks Key as its accelerator ("&Klaar" and 'k' or 'K').
bool IsAccel(unsigned Key, const std::string& Caption);

// The part of a hint before '|'.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

// Live keyboard state as of the input being handled: the high bit is set
// (the value is negative) while the key is down. Knows VK_SHIFT, VK_CONTROL,
// VK_MENU and the mouse buttons.
short GetKeyState(int VirtKey);
TShiftState KeyboardStateToShiftState();
TShiftState KeysToShiftState(WPARAM Keys);       // MK_ flags (plus the live Alt state)
TShiftState KeyDataToShiftState(LPARAM KeyData); // live Shift and Ctrl, Alt from the data

class TControl : public TComponent, public TWndTarget {
public:
    explicit TControl(TComponent* AOwner) : TControl(AOwner, nullptr) {}
    ~TControl() override;
    std::string ClassName() const override { return "TControl"; }

    // --- messages ---
    // The window procedure in use; hooks replace it and call the one they replaced.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    void DeliverMessage(TMessage& Message) override { WindowProc(Message); }

    // --- place ---
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    TCustomForm* ParentForm() const; // the form the control is on (or is)
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int Value) { SetWidth(FWidth - ClientWidth() + Value); }
    void SetClientHeight(int Value) { SetHeight(FHeight - ClientHeight() + Value); }
    TPoint ClientToScreen(const TPoint& P) const;
    TPoint ScreenToClient(const TPoint& P) const;
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    void BringToFront();
    void SendToBack();
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(const TSizeConstraints* Value);

    // --- dragging ---
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    // Starts a drag of this control: at once, or once the mouse has moved
    // Threshold pixels (below 0: the usual 5).
    void BeginDrag(bool Immediate, int Threshold = -1);
    // Ends this control's drag: dropped where the mouse is (when the target
    // accepts) or cancelled.
    void EndDrag(bool Drop);
    bool Dragging() const;

    // --- look ---
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Showing() const; // visible here and in every parent
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    // Follows the parent's until set (ParentShowHint).
    bool ShowHint() const;
    void SetShowHint(bool Value) {
        FShowHint = Value;
        FParentShowHint = false;
    }
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value) { FParentShowHint = Value; }
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    // Caption and Text are one value, as on the platform.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& Value);

    // --- painting ---
    // Virtual so that a control can hold back invalidation while it changes a lot at once.
    virtual void Invalidate();
    void InvalidateRect(const TRect& R);
    void Update();  // paints what is invalid now
    void Repaint(); // invalidates and paints now
    void Refresh() { Repaint(); }

    // --- mouse ---
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }

    TNotifyEvent OnClick, OnDblClick, OnResize, OnMouseEnter, OnMouseLeave;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown, OnMouseWheelUp;
    TContextPopupEvent OnContextPopup;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag, OnEndDock;
    TStartDragEvent OnStartDrag;
    TStartDockEvent OnStartDock;

    // The widget (platform code only).
    QWidget* Widget() const { return FWidget.get(); }
    // Runs the native widget's own handling of the Qt event being translated
    // (once); false when there is none.
    bool NativeDefault();
    // Gives a native control a key or character that no Qt event brought.
    void NativeKey(const TMessage& Message);

protected:
    // Widget: the Qt widget this control wraps (a host from qthost.h); nullptr
    // makes a plain one. The control owns it.
    TControl(TComponent* AOwner, QWidget* Widget);

    // Turns a Qt event on the widget into messages; true when it was used up.
    virtual bool TranslateEvent(QEvent* Event);
    virtual std::string GetText() const { return FText; }
    virtual void SetTextValue(const std::string& Value); // stores; native controls push
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void MouseEnter() {
        if (OnMouseEnter) OnMouseEnter(this);
    }
    virtual void MouseLeave() {
        if (OnMouseLeave) OnMouseLeave(this);
    }
    virtual void Resize() {
        if (OnResize) OnResize(this);
    }
    // Draws the control; custom-drawn controls override it and use Canvas().
    virtual void Paint() {}
    virtual void FontChanged();
    virtual void ColorChanged();
    // The drag's steps on the source (start, end) and on a target (over, drop).
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void DoStartDock(TDragDockObject*& DragObject);
    virtual void DoEndDock(TObject* Target, int X, int Y);
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Handler methods, reached through WndProc by message number. Override one
    // and call the inherited one to keep the layer's behaviour.
    virtual void WMPaint(TMessage& Message);
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMouseDown(TMessage& Message, TMouseButton Button); // button downs, doubles
    virtual void WMMouseUp(TMessage& Message, TMouseButton Button);
    virtual void WMMouseMove(TMessage& Message);
    virtual void WMMouseWheel(TMessage& Message);
    virtual void WMTimer(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMHintShow(TMessage& Message) { DefaultHandler(Message); }
    // An accelerator character (WParam) offered to every control of the form;
    // answer non-zero when it was yours.
    virtual void CMDialogChar(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMCursorChanged(TMessage& Message);
    // Asked after each move of the mouse over the control and after its last
    // button comes up: which cursor to show there. A handler may show one of
    // its own for the moment (ShowCursorFor); this one brings back Cursor().
    virtual void WMSetCursor(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    // The 3D look of a windowed control changed (its own, or its parent's
    // that it follows).
    virtual void CMCtl3DChanged(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMParentCtl3DChanged(TMessage& Message) { DefaultHandler(Message); }
    virtual void WMContextMenu(TMessage& Message);

    // The window shows Value until the next WM_SETCURSOR that no handler
    // answers; Cursor() stays what it is.
    void ShowCursorFor(TCursor Value);

    // The canvas of custom-drawn controls; usable only while painting.
    TCanvas* ControlCanvas() const;
    void SetControlState(TControlState Value) { FControlState = Value; }
    // Only the flag (forms and hint windows start hidden).
    void SetVisibleState(bool Value) { FVisible = Value; }
    void IncludeState(TControlStateFlag Flag) { FControlState.Include(Flag); }
    void ExcludeState(TControlStateFlag Flag) { FControlState.Exclude(Flag); }
    bool IsNative() const { return FControlStyle.Contains(csNativeWidget); }
    // Makes the widget show what the control holds (visibility, place).
    void UpdateWidgetVisibility();
    // Remembers the distances to the parent's far edges for the anchors.
    void UpdateAnchorRules();
    // Paints through Canvas: background (WM_ERASEBKGND), then Paint.
    void PaintThroughCanvas();
    TControlHost* Host() const { return FHost; }
    // Lets code notice that a handler destroyed this control.
    std::weak_ptr<bool> AliveToken() const { return FAlive; }
    QEvent* CurrentQtEvent() const { return FQtEvent; }
    // The message that the current Qt event became; its DefaultHandler runs the
    // native handling of the event.
    void SetNativeMessage(UINT Msg) { FNativeMsg = Msg; }

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    std::string FText;

private:
    friend class TWinControl;
    friend class TApplication;
    friend bool HostDispatch(TControl* Control, QEvent* Event, QObject* Receiver);
    friend struct TControlDrag;
    void SetZOrder(bool TopMost);
    void DetachHosts(); // this control and its children hear no Qt events any more
    void ApplyAnchors(int ParentWidth, int ParentHeight);
    void ApplyPalette();
    void ApplyCursor();
    // The control (itself or the nearest parent with a hint) whose hint text
    // stands for this one; null when the control shows no hints.
    const TControl* HintSource() const;
    // Shows the hint for the mouse at a client point (HintPause passed).
    void ShowHintAt(const TPoint& Pos);

    std::unique_ptr<QWidget> FWidget;
    TControlHost* FHost = nullptr;  // the widget's forwarding side
    QEvent* FQtEvent = nullptr;     // the Qt event being translated, if any
    QObject* FQtReceiver = nullptr; // the widget (or inner part) it came to
    UINT FNativeMsg = WM_NULL;      // the message that stands for it
    bool FNativeDone = false;       // its native handling ran already
    TWinControl* FParent = nullptr;
    TAlign FAlign = alNone;
    TAnchors FAnchors = {akLeft, akTop};
    TRect FAnchorGaps; // right and bottom distances kept by the anchors
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clBtnFace;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FParentColor = false;
    TCursor FCursor = crDefault;
    bool FOtherCursorShown = false; // ShowCursorFor put another one up
    std::unique_ptr<TSizeConstraints> FConstraints;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    TControlStyle FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    int FWheelAccumulator = 0;
    bool FSettingFont = false; // the font changes because the parent's did
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    mutable std::unique_ptr<TCanvas> FCanvas;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner) : TWinControl(AOwner, nullptr) {}
    ~TWinControl() override;
    std::string ClassName() const override { return "TWinControl"; }

    HWND Handle() { return this; }
    bool HandleAllocated() const { return true; }

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
    bool ContainsControl(const TControl* Control) const;
    void InsertControl(TControl* Control);
    void RemoveControl(TControl* Control);

    // --- focus ---
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value) { FTabStop = Value; }
    int TabOrder() const;
    void SetTabOrder(int Value);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // Focuses the next (or previous) control in tab order after CurControl
    // among this control's descendants, wrapping around.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    // Descendants in tab order (depth first).
    void GetTabOrderList(std::vector<TWinControl*>& List) const;

    // --- look ---
    // The 3D look (true) or the flat one; follows the parent's until set.
    bool Ctl3D() const;
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);

    // --- layout ---
    // Less the scroll bars when they are shown (scrollbars.h).
    TRect ClientRect() const override;
    void Realign() { AlignControls(nullptr); }
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();

    TNotifyEvent OnEnter, OnExit;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // One key press arriving from the keyboard (or a posted WM_KEYDOWN): the
    // dialog keys first, then WM_KEYDOWN, then WM_CHAR for each character.
    // System keys (Alt held without Ctrl, F10) come as WM_SYSKEYDOWN and their
    // characters as WM_SYSCHAR.
    void KeyInput(WORD Key, LPARAM KeyData, const std::string& Chars, bool System = false);
    // Posted key downs take the keyboard's road (dialog keys first).
    void DeliverPosted(TMessage& Message) override;
    // The control's scroll bars (layer only; use the functions of scrollbars.h).
    TScrollBars* ScrollBars();
    void PlaceScrollBars();

protected:
    TWinControl(TComponent* AOwner, QWidget* Widget);
    // Containers (panels, group boxes, pages) take no focus from a click.
    void SetClickFocus(bool Value);
    // Tells the parent of a notification (WM_COMMAND with Code in the high
    // word and this control in LParam); the parent reflects it back as
    // CN_COMMAND unless it takes it itself.
    void Notify(WORD Code);
    virtual void WMCommand(TMessage& Message);
    virtual void CNCommand(TMessage& Message) { DefaultHandler(Message); }

    void WndProc(TMessage& Message) override;
    bool TranslateEvent(QEvent* Event) override;
    virtual void AlignControls(TControl* AControl);
    virtual void AdjustClientRect(TRect& R) const {}
    virtual void DoEnter() {
        if (OnEnter) OnEnter(this);
    }
    virtual void DoExit() {
        if (OnExit) OnExit(this);
    }
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    // True when the key was used up (the form's preview or the handler set it to 0).
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    bool DoKeyEvent(TMessage& Message, bool (TWinControl::*Step)(TMessage&),
                    void (TWinControl::*Handler)(WORD&, TShiftState));

    virtual void WMKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    // Alt with a character: an accelerator of some control on the form.
    virtual void WMSysChar(TMessage& Message);
    virtual void WMGetDlgCode(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMDialogKey(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMWantSpecialKey(TMessage& Message) { DefaultHandler(Message); }
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    void WMSize(TMessage& Message) override;
    void FontChanged() override;
    void ColorChanged() override;
    // Repaints and tells the children that follow the look.
    void CMCtl3DChanged(TMessage& Message) override;
    void CMParentCtl3DChanged(TMessage& Message) override;

private:
    friend class TControl;
    std::vector<TControl*> FControls;   // children, in z-order (last on top)
    std::vector<TWinControl*> FTabList; // windowed children in tab order
    bool FTabStop = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    bool FHasFocus = false; // between our WM_SETFOCUS and WM_KILLFOCUS
    std::unique_ptr<TScrollBars, TScrollBarsDeleter> FScrollBars; // made when asked for
    std::string FNativeChars; // what the key being translated types
    int FAlignLevel = 0;
};

// A windowed control that draws itself on its Canvas in Paint.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomControl"; }
    TCanvas* Canvas() const { return ControlCanvas(); }

protected:
    TCustomControl(TComponent* AOwner, QWidget* Widget) : TWinControl(AOwner, Widget) {}
};

// A control that never takes the focus and draws itself (labels, speed buttons).
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    std::string ClassName() const override { return "TGraphicControl"; }
    TCanvas* Canvas() const { return ControlCanvas(); }
};

// The control whose widget is under the screen point, or nullptr.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The control that a widget belongs to (platform code), or nullptr.
TControl* FindControl(QWidget* Widget);
