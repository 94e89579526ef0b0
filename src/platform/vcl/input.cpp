// How Qt's events become messages: keys (virtual-key codes, key data and the
// Windows-1252 character), mouse buttons, wheel, enter and leave, focus, paint
// and size; and the keyboard road inside a windowed control (dialog keys, key
// down, characters, key up).

#include <QApplication>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <cctype>

#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/qthost.h"

namespace {

// The live modifier and button state as of the input being handled.
Qt::KeyboardModifiers gModifiers;
Qt::MouseButtons gButtons;

WORD LetterOrDigitKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<WORD>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<WORD>('0' + (key - Qt::Key_0));
    return 0;
}

WORD KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<WORD>(VK_NUMPAD0 + key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    case Qt::Key_Period:
    case Qt::Key_Comma:
    case Qt::Key_Delete:
        return VK_DECIMAL;
    case Qt::Key_Enter:
        return VK_RETURN;
    default:
        return 0;
    }
}

WORD OtherKey(int key) {
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Meta:
        return VK_LWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return VK_OEM_7;
    // Shifted digits on the main block keep their digit key.
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_ParenRight:
        return '0';
    default:
        break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<WORD>(VK_F1 + key - Qt::Key_F1);
    return 0;
}

bool IsExtendedKey(WORD vk, bool keypad) {
    switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
        return !keypad || vk == VK_DIVIDE;
    case VK_RETURN:
        return keypad;
    default:
        return false;
    }
}

// The character a key press types, as the platform's character message has it.
std::string TypedChars(const QKeyEvent* e, WORD vk) {
    const auto mods = e->modifiers();
    const bool ctrl = mods & Qt::ControlModifier, alt = mods & Qt::AltModifier;
    if (alt && !ctrl) return {}; // a system key, no character
    if (ctrl && !alt) {
        if (vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(vk - 'A' + 1));
        return {};
    }
    switch (vk) {
    case VK_BACK:
        return "\b";
    case VK_TAB:
        return "\t";
    case VK_RETURN:
        return "\r";
    case VK_ESCAPE:
        return "\x1b";
    case VK_DELETE:
        return {};
    default:
        break;
    }
    std::u16string printable;
    for (QChar ch : e->text())
        if (ch.isPrint()) printable.push_back(ch.unicode());
    return Utf16ToCp1252(printable);
}

// Alt held without Ctrl (with Ctrl it is AltGr typing a character), the Alt
// key itself and F10 are system keys: they open menus and reach accelerators,
// and come as WM_SYSKEYDOWN, WM_SYSCHAR and WM_SYSKEYUP.
bool IsSystemKey(const QKeyEvent* e, WORD vk) {
    const auto mods = e->modifiers();
    if (mods & Qt::ControlModifier) return false;
    return vk == VK_F10 || vk == VK_MENU || (mods & Qt::AltModifier);
}

// The character of a system key: what the key types without Alt.
std::string SystemChars(const QKeyEvent* e, WORD vk) {
    if (!(e->modifiers() & Qt::AltModifier)) return {};
    std::u16string printable;
    for (QChar ch : e->text())
        if (ch.isPrint()) printable.push_back(ch.unicode());
    if (!printable.empty()) return Utf16ToCp1252(printable);
    if (vk >= '0' && vk <= '9') return std::string(1, static_cast<char>(vk));
    if (vk >= 'A' && vk <= 'Z')
        return std::string(
            1, static_cast<char>(e->modifiers() & Qt::ShiftModifier ? vk : std::tolower(vk)));
    return {};
}

LPARAM KeyDataOf(const QKeyEvent* e, WORD vk, bool keypad) {
    int scan = 0;
    const quint32 native = e->nativeScanCode();
    if (native >= 8 && native < 8 + 0x80)
        scan = static_cast<int>(native - 8);
    else if (vk == VK_DECIMAL)
        scan = 0x53;
    else if (vk == VK_OEM_PERIOD)
        scan = 0x34;
    else if (keypad && vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        scan = 0x47 + (vk - VK_NUMPAD0);
    LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
    if (IsExtendedKey(vk, keypad)) data |= KF_EXTENDED_BIT;
    if (e->modifiers() & Qt::AltModifier) data |= KF_ALTDOWN_BIT;
    if (e->type() == QEvent::KeyRelease) data |= KF_UP_BIT | (LPARAM(1) << 30);
    return data;
}

UINT MouseMessage(QEvent::Type type, Qt::MouseButton button) {
    const int column = button == Qt::RightButton ? 1 : button == Qt::MiddleButton ? 2 : 0;
    static const UINT down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static const UINT up[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static const UINT dbl[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    switch (type) {
    case QEvent::MouseButtonPress:
        return down[column];
    case QEvent::MouseButtonRelease:
        return up[column];
    case QEvent::MouseButtonDblClick:
        return dbl[column];
    default:
        return WM_MOUSEMOVE;
    }
}

} // namespace

unsigned QtKeyFlags(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers) {
    unsigned keys = 0;
    if (Buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (Buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (Modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (Modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

WORD QtKeyToVirtualKey(int Key, bool Keypad) {
    if (Keypad)
        if (const WORD vk = KeypadKey(Key)) return vk;
    if (const WORD vk = LetterOrDigitKey(Key)) return vk;
    return OtherKey(Key);
}

// The Qt key that stands for a virtual key (for native handling of sent keys).
int VirtualKeyToQtKey(WORD Key) {
    if (Key >= 'A' && Key <= 'Z') return Qt::Key_A + (Key - 'A');
    if (Key >= '0' && Key <= '9') return Qt::Key_0 + (Key - '0');
    if (Key >= VK_F1 && Key < VK_F1 + 24) return Qt::Key_F1 + (Key - VK_F1);
    for (int k :
         {Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space,
          Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home, Qt::Key_Left, Qt::Key_Up,
          Qt::Key_Right, Qt::Key_Down, Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Menu})
        if (OtherKey(k) == Key) return k;
    return 0;
}

short GetKeyState(int VirtKey) {
    bool down = false;
    switch (VirtKey) {
    case VK_SHIFT:
        down = gModifiers & Qt::ShiftModifier;
        break;
    case VK_CONTROL:
        down = gModifiers & Qt::ControlModifier;
        break;
    case VK_MENU:
        down = gModifiers & Qt::AltModifier;
        break;
    case VK_LBUTTON:
        down = gButtons & Qt::LeftButton;
        break;
    case VK_RBUTTON:
        down = gButtons & Qt::RightButton;
        break;
    case VK_MBUTTON:
        down = gButtons & Qt::MiddleButton;
        break;
    default:
        break;
    }
    return down ? static_cast<short>(0x8000) : 0;
}

TShiftState KeyboardStateToShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
    if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
    if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
    return s;
}

TShiftState KeysToShiftState(WPARAM Keys) {
    TShiftState s;
    if (Keys & MK_SHIFT) s.Include(ssShift);
    if (Keys & MK_CONTROL) s.Include(ssCtrl);
    if (Keys & MK_LBUTTON) s.Include(ssLeft);
    if (Keys & MK_RBUTTON) s.Include(ssRight);
    if (Keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (KeyData & KF_ALTDOWN_BIT) s.Include(ssAlt);
    return s;
}

// --- from Qt to the control -------------------------------------------------------

bool HostDispatch(TControl* Control, QEvent* Event, QObject* Receiver) {
    if (Event->type() == QEvent::KeyPress || Event->type() == QEvent::MouseButtonPress ||
        Event->type() == QEvent::Wheel)
        Application->CancelHint(); // any key or click ends the hint
    if (auto* input = dynamic_cast<QInputEvent*>(Event)) {
        gModifiers = input->modifiers();
        if (auto* mouse = dynamic_cast<QMouseEvent*>(Event)) gButtons = mouse->buttons();
    }
    const std::weak_ptr<bool> alive = Control->FAlive;
    QEvent* const savedEvent = Control->FQtEvent;
    QObject* const savedReceiver = Control->FQtReceiver;
    const UINT savedMsg = Control->FNativeMsg;
    const bool savedDone = Control->FNativeDone;
    Control->FQtEvent = Event;
    Control->FQtReceiver = Receiver;
    Control->FNativeMsg = WM_NULL;
    Control->FNativeDone = false;
    const bool used = Control->TranslateEvent(Event);
    // The native handling may have ignored it; on the platform nothing goes
    // on to the parent window, so a used event stays accepted. A close event
    // is the exception: its accepted flag is the window's answer (a form that
    // refused to close ignores it), and accepting it would let the window
    // system take the window away all the same.
    if (used && Event->type() != QEvent::Close) Event->accept();
    if (alive.expired()) return true;
    Control->FQtEvent = savedEvent;
    Control->FQtReceiver = savedReceiver;
    Control->FNativeMsg = savedMsg;
    Control->FNativeDone = savedDone;
    return used;
}

namespace {
bool gPassingInner = false; // an inner part's event goes on to Qt's own handling
} // namespace

bool TControl::NativeDefault() {
    if (!FQtEvent || FNativeDone) return false;
    FNativeDone = true;
    if (FHost && FQtReceiver == FHost->HostWidget()) {
        FHost->NativeEvent(FQtEvent);
    } else if (FQtReceiver) {
        // Through the normal delivery (Qt's own filters on a viewport take part),
        // with our forwarder stepping aside.
        std::unique_ptr<QEvent> copy(FQtEvent->clone());
        gPassingInner = true;
        QCoreApplication::sendEvent(FQtReceiver, copy.get());
        gPassingInner = false;
    }
    return true;
}

void TControl::DefaultHandler(TMessage& Message) {
    if (FQtEvent && Message.Msg == FNativeMsg) {
        NativeDefault();
        return;
    }
    if (!FQtEvent) NativeKey(Message);
}

void TControl::NativeKey(const TMessage& Message) {
    // A key sent by code (not typed) still reaches a native control.
    if (!IsNative() || !FHost) return;
    if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_CHAR) return;
    const bool isChar = Message.Msg == WM_CHAR;
    const char ch = static_cast<char>(Message.WParam);
    if (isChar && ch == '\b') {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, "\b");
        FHost->NativeEvent(&e);
        return;
    }
    const int key = isChar ? 0 : VirtualKeyToQtKey(static_cast<WORD>(Message.WParam));
    QString text;
    if (isChar && static_cast<unsigned char>(ch) >= 32) text = ToQString(std::string(1, ch));
    if (key == 0 && text.isEmpty()) return;
    QKeyEvent e(QEvent::KeyPress, key, isChar ? Qt::NoModifier : gModifiers, text);
    FHost->NativeEvent(&e);
}

bool TControl::TranslateEvent(QEvent* Event) {
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(Event);
        QPoint pos = e->position().toPoint();
        if (auto* inner = qobject_cast<QWidget*>(FQtReceiver); inner && inner != Widget())
            pos = inner->mapTo(Widget(), pos);
        QEvent::Type type = e->type();
        if (type == QEvent::MouseButtonDblClick && !ControlStyle().Contains(csDoubleClicks))
            type = QEvent::MouseButtonPress;
        const UINT msg = MouseMessage(type, e->button());
        FNativeMsg = msg;
        e->accept();
        const std::weak_ptr<bool> alive = FAlive;
        Perform(msg, QtKeyFlags(e->buttons(), e->modifiers()), MakeLParam(pos.x(), pos.y()));
        // The cursor is chosen where the mouse is free: after a move without
        // buttons or the release of the last one (a held button keeps the one
        // its press found). It comes after the move, so a control answers for
        // the place the mouse has reached.
        if (!alive.expired() && e->buttons() == Qt::NoButton &&
            (type == QEvent::MouseMove || type == QEvent::MouseButtonRelease))
            Perform(WM_SETCURSOR, 0, MakeLParam(HTCLIENT, static_cast<int>(msg)));
        return true;
    }
    case QEvent::Wheel: {
        auto* e = static_cast<QWheelEvent*>(Event);
        const int delta = e->angleDelta().y();
        if (delta == 0) return false;
        const QPoint global = e->globalPosition().toPoint();
        FNativeMsg = WM_MOUSEWHEEL;
        e->accept();
        Perform(WM_MOUSEWHEEL,
                (static_cast<WPARAM>(delta & 0xFFFF) << 16) |
                    QtKeyFlags(e->buttons(), e->modifiers()),
                MakeLParam(global.x(), global.y()));
        return true;
    }
    case QEvent::Enter:
        Perform(CM_MOUSEENTER);
        return false;
    case QEvent::Leave:
        Application->HintMouseLeave(this);
        Perform(CM_MOUSELEAVE);
        return false;
    case QEvent::Paint:
        FNativeMsg = WM_PAINT;
        Perform(WM_PAINT);
        return true;
    case QEvent::Resize:
        // Our own SetBounds already told the control; this is a window resized
        // from outside.
        if (Widget()->width() != FWidth || Widget()->height() != FHeight) {
            FWidth = Widget()->width();
            FHeight = Widget()->height();
            Perform(WM_SIZE, 0, MakeLParam(FWidth, FHeight));
        }
        return false;
    case QEvent::Move:
        if (Widget()->isWindow()) { // where the client area stands, frame aside
            FLeft = Widget()->geometry().x();
            FTop = Widget()->geometry().y();
        }
        return false;
    case QEvent::ContextMenu: {
        auto* e = static_cast<QContextMenuEvent*>(Event);
        // The keyboard's request comes through the key road (WMKeyUp, WMKeyDown);
        // the window system's own one for the same key would open a second menu.
        if (e->reason() != QContextMenuEvent::Keyboard)
            Perform(WM_CONTEXTMENU, 0, MakeLParam(e->globalPos().x(), e->globalPos().y()));
        return true;
    }
    case QEvent::ToolTip:
        // Hints come after the application's HintPause (see HintMouseMove),
        // never as the window system's tool tips.
        return true;
    default:
        return false;
    }
}

const TControl* TControl::HintSource() const {
    const TControl* c = this;
    while (c && c->FHint.empty() && c->FParent)
        c = c->FParent; // the parent's hint stands in
    // An empty hint may still be filled in by CM_HINTSHOW (a hint per cell).
    if (!c || !ShowHint()) return nullptr;
    return c;
}

void TControl::ShowHintAt(const TPoint& Pos) {
    const TControl* source = HintSource();
    if (!source) return;
    const TPoint screen = ClientToScreen(Pos);
    THintInfo info;
    info.HintControl = this;
    info.CursorPos = Pos;
    info.HintPos = {screen.X, screen.Y + 20};
    info.CursorRect = ClientRect();
    info.HintStr = GetShortHint(source->FHint);
    Application->ShowHintFor(info);
}

// --- the keyboard road of a windowed control ----------------------------------------

void TWinControl::WndProc(TMessage& M) {
    switch (M.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        WMKeyDown(M);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        WMKeyUp(M);
        break;
    case WM_CHAR:
        WMChar(M);
        break;
    case WM_SYSCHAR:
        WMSysChar(M);
        break;
    case WM_GETDLGCODE:
        WMGetDlgCode(M);
        break;
    case CM_DIALOGKEY:
        CMDialogKey(M);
        break;
    case CM_WANTSPECIALKEY:
        CMWantSpecialKey(M);
        break;
    case WM_COMMAND:
        WMCommand(M);
        break;
    case CN_COMMAND:
        CNCommand(M);
        break;
    case WM_SETFOCUS:
        WMSetFocus(M);
        break;
    case WM_KILLFOCUS:
        WMKillFocus(M);
        break;
    case CM_ENTER:
        CMEnter(M);
        break;
    case CM_EXIT:
        CMExit(M);
        break;
    default:
        TControl::WndProc(M);
        break;
    }
}

bool TWinControl::TranslateEvent(QEvent* Event) {
    switch (Event->type()) {
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(Event);
        const bool keypad = e->modifiers() & Qt::KeypadModifier;
        const WORD vk = QtKeyToVirtualKey(e->key(), keypad);
        e->accept();
        if (IsSystemKey(e, vk)) {
            // A system key with a character is the accelerators' first: the
            // native control sees it only when none took the character, so an
            // edit box never types the letter of a button it pressed.
            const std::string chars = SystemChars(e, vk);
            FNativeMsg = chars.empty() ? WM_SYSKEYDOWN : WM_SYSCHAR;
            FNativeChars.clear();
            KeyInput(vk, KeyDataOf(e, vk, keypad), chars, true);
            return true;
        }
        const std::string chars = TypedChars(e, vk);
        // Keys without a character do their native work at key down, the
        // others when their character arrives (as an edit control does).
        FNativeMsg = chars.empty() ? WM_KEYDOWN : WM_CHAR;
        FNativeChars = chars;
        KeyInput(vk, KeyDataOf(e, vk, keypad), chars);
        return true;
    }
    case QEvent::ShortcutOverride: {
        // Alt+letter is the form's: it comes as WM_SYSCHAR and reaches the
        // accelerators. Qt's own mnemonics would press a button later and
        // without the focus, or turn a tab bar without its page.
        auto* e = static_cast<QKeyEvent*>(Event);
        const WORD vk = QtKeyToVirtualKey(e->key(), e->modifiers() & Qt::KeypadModifier);
        if (!(e->modifiers() & Qt::AltModifier) || !IsSystemKey(e, vk) ||
            SystemChars(e, vk).empty())
            return false;
        e->accept();
        return true;
    }
    case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(Event);
        e->accept();
        if (e->isAutoRepeat()) return true; // a held key repeats its key down only
        const bool keypad = e->modifiers() & Qt::KeypadModifier;
        const WORD vk = QtKeyToVirtualKey(e->key(), keypad);
        FNativeMsg = IsSystemKey(e, vk) ? WM_SYSKEYUP : WM_KEYUP;
        if (vk)
            Perform(FNativeMsg, vk, KeyDataOf(e, vk, keypad));
        else
            NativeDefault();
        return true;
    }
    case QEvent::FocusIn: {
        auto* e = static_cast<QFocusEvent*>(Event);
        if (FHasFocus || e->reason() == Qt::PopupFocusReason) return false;
        FHasFocus = true;
        FNativeMsg = WM_SETFOCUS;
        Perform(WM_SETFOCUS);
        return true;
    }
    case QEvent::FocusOut: {
        auto* e = static_cast<QFocusEvent*>(Event);
        // Focus moving into our own popup (a combo list, a calendar) or into
        // our own inner part stays with us; a child control of ours (a grid's
        // cell editor) takes it, as a child window does.
        QWidget* now = QApplication::focusWidget();
        if (!FHasFocus || e->reason() == Qt::PopupFocusReason ||
            (now && Widget()->isAncestorOf(now) && FindControl(now) == this))
            return false;
        FHasFocus = false;
        FNativeMsg = WM_KILLFOCUS;
        Perform(WM_KILLFOCUS);
        return true;
    }
    default:
        return TControl::TranslateEvent(Event);
    }
}

void TWinControl::KeyInput(WORD Key, LPARAM KeyData, const std::string& Chars, bool System) {
    const std::weak_ptr<bool> alive = AliveToken();
    LRESULT mask = 0;
    switch (Key) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    // Turning pages (Ctrl+Tab, Ctrl+PgDn, Ctrl+PgUp) belongs to the form, also
    // over a control that takes tabs or page keys itself.
    const bool pageKey = (Key == VK_TAB || Key == VK_NEXT || Key == VK_PRIOR) &&
                         KeyDataToShiftState(KeyData).Contains(ssCtrl) &&
                         !KeyDataToShiftState(KeyData).Contains(ssAlt);
    if (pageKey) {
        TCustomForm* form = ParentForm();
        if (form && form->Perform(CM_DIALOGKEY, Key, KeyData) != 0) return;
        if (alive.expired()) return;
    }
    // Tab stays only with a control that asks for tabs: a memo wants all keys
    // for its Returns, yet Tab moves on from it unless it wants tabs.
    const LRESULT wanted = Key == VK_TAB ? mask : mask | DLGC_WANTALLKEYS;
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, Key, KeyData) == 0 &&
        (Perform(WM_GETDLGCODE) & wanted) == 0) {
        TCustomForm* form = ParentForm();
        if (form && form->Perform(CM_DIALOGKEY, Key, KeyData) != 0) return;
        if (alive.expired()) return;
    }
    if (Key != 0) Perform(System ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, KeyData);
    if (alive.expired()) return;
    if (System) {
        for (char ch : Chars) {
            if (alive.expired()) return;
            Perform(WM_SYSCHAR, static_cast<unsigned char>(ch), KeyData);
        }
        return;
    }
    // The character follows even when a handler used up the key down; a control
    // that does not take characters lets the form's accelerators have them first.
    for (char ch : Chars) {
        if (alive.expired()) return;
        const auto code = static_cast<unsigned char>(ch);
        if (code >= 32 && (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0)
            if (TCustomForm* form = ParentForm();
                form && form->Perform(CM_DIALOGCHAR, code, KeyData))
                continue;
        if (alive.expired()) return;
        Perform(WM_CHAR, code, KeyData);
    }
}

bool TWinControl::DoKeyEvent(TMessage& Message, bool (TWinControl::*Step)(TMessage&),
                             void (TWinControl::*Handler)(WORD&, TShiftState)) {
    // With KeyPreview the form sees the key first and may use it up.
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview() &&
        (static_cast<TWinControl*>(form)->*Step)(Message))
        return true;
    WORD key = static_cast<WORD>(Message.WParam);
    (this->*Handler)(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyDown(TMessage& Message) {
    return DoKeyEvent(Message, &TWinControl::DoKeyDown, &TWinControl::KeyDown);
}

bool TWinControl::DoKeyUp(TMessage& Message) {
    return DoKeyEvent(Message, &TWinControl::DoKeyUp, &TWinControl::KeyUp);
}

bool TWinControl::DoKeyPress(TMessage& Message) {
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyPress(Message))
        return true;
    char ch = static_cast<char>(Message.WParam);
    KeyPress(ch);
    Message.WParam = static_cast<unsigned char>(ch);
    return ch == 0;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

// The keyboard asks for a control's context menu as the platform's default
// handling does: the Menu key when it is let go, Shift+F10 when pressed (the
// keys Linux desktops use too). The point is (-1, -1): the control places it.
void TWinControl::WMKeyDown(TMessage& Message) {
    if (DoKeyDown(Message)) return;
    if (Message.Msg == WM_SYSKEYDOWN && Message.WParam == VK_F10 &&
        KeyDataToShiftState(Message.LParam) == TShiftState{ssShift}) {
        Perform(WM_CONTEXTMENU, 0, KeyboardContextMenuPos);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
    if (DoKeyUp(Message)) return;
    if (Message.WParam == VK_APPS) {
        Perform(WM_CONTEXTMENU, 0, KeyboardContextMenuPos);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
    if (DoKeyPress(Message)) return;
    // A handler that changed the character types the new one instead.
    if (FNativeMsg == WM_CHAR && CurrentQtEvent() &&
        (FNativeChars.empty() || static_cast<unsigned char>(FNativeChars[0]) != Message.WParam)) {
        FNativeMsg = WM_NULL;
        NativeKey(Message);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMSysChar(TMessage& Message) {
    if (TCustomForm* form = ParentForm())
        Message.Result = form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
    if (Message.Result != 0) return;
    // No accelerator took it. Alt belongs to the window's menus, so the native
    // control still sees the key but never types its letter (the window system
    // delivers Alt+K with the text "k", which an edit box would insert).
    auto* key = dynamic_cast<QKeyEvent*>(FQtEvent);
    if (!key || key->text().isEmpty() || Message.Msg != FNativeMsg) {
        DefaultHandler(Message);
        return;
    }
    QKeyEvent silent(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                     key->nativeVirtualKey(), key->nativeModifiers(), QString(),
                     key->isAutoRepeat(), key->count());
    const std::weak_ptr<bool> alive = AliveToken();
    FQtEvent = &silent;
    DefaultHandler(Message);
    if (!alive.expired()) FQtEvent = key;
}

// --- inner parts --------------------------------------------------------------------

bool TInnerEventForwarder::eventFilter(QObject* Watched, QEvent* Event) {
    if (gPassingInner) return false;
    switch (Event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::ContextMenu:
        if (TControl* control = FindControl(qobject_cast<QWidget*>(Watched)))
            return HostDispatch(control, Event, Watched);
        return false;
    default:
        return false;
    }
}

bool TInnerEventForwarder::Watch(TControl*, QWidget* Inner) {
    if (Inner->property("vz.watched").toBool()) return false;
    Inner->setProperty("vz.watched", true);
    Inner->setMouseTracking(true);
    Inner->installEventFilter(new TInnerEventForwarder(Inner)); // owned by the inner part
    return true;
}
