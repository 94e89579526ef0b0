#include "platform/vcl/synthinput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <thread>

#include "platform/vcl/forms.h"
#include "platform/vcl/qthost.h"

// Qt's own road of a key from the window system through its shortcut map.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods, const QString& text,
                                               bool autorep, ushort count);

namespace {

void SendMouse(TControl* Control, QEvent::Type Type, int X, int Y) {
    const QPointF local(X, Y);
    const QPointF global = Control->Widget()->mapToGlobal(local);
    const Qt::MouseButtons buttons =
        Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick ? Qt::LeftButton
                                                                                : Qt::NoButton;
    QMouseEvent e(Type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(Control->Widget(), &e);
}

int QtKeyOf(WORD VirtualKey, char Char) {
    // Keys that type no letter or digit (arrows, Home, End, Tab, F-keys, ...)
    // by the layer's own table, the rest by the character they type.
    if (VirtualKey < '0' || VirtualKey > 'Z')
        if (const int key = VirtualKeyToQtKey(VirtualKey)) return key;
    if (Char >= 'a' && Char <= 'z') return Qt::Key_A + (Char - 'a');
    if (Char >= 'A' && Char <= 'Z') return Qt::Key_A + (Char - 'A');
    if (Char >= '0' && Char <= '9') return Qt::Key_0 + (Char - '0');
    if (Char == '-') return Qt::Key_Minus;
    if (Char == '.') return Qt::Key_Period;
    if (Char == '$') return Qt::Key_Dollar;
    return 0;
}

void StrokeTo(QWidget* widget, WORD VirtualKey, char Char, TShiftState Shift, bool Keypad) {
    const QString text = Char ? QString(QChar::fromLatin1(Char))
                              : (VirtualKey == VK_RETURN   ? QString("\r")
                                 : VirtualKey == VK_ESCAPE ? QString(QChar(27))
                                                           : QString());
    int key = QtKeyOf(VirtualKey, Char);
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    if (Shift.Contains(ssShift)) mods |= Qt::ShiftModifier;
    if (Shift.Contains(ssCtrl)) mods |= Qt::ControlModifier;
    if (Shift.Contains(ssAlt)) mods |= Qt::AltModifier;
    if (Keypad) {
        mods |= Qt::KeypadModifier;
        if (key == Qt::Key_Return) key = Qt::Key_Enter;
    }
    // While a popup (a menu) is open the window system gives it the keys.
    if (QWidget* popup = QApplication::activePopupWidget())
        widget = popup->focusWidget() ? popup->focusWidget() : popup;
    // The focused control may claim the key first; else a shortcut takes it
    // and the control never sees it.
    if (!qt_sendShortcutOverrideEvent(widget, 0, key, mods, text, false, 1)) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(widget, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(widget, &release);
}

} // namespace

void MousePress(TControl* Control, int X, int Y) {
    SendMouse(Control, QEvent::MouseButtonPress, X, Y);
}

void MouseRelease(TControl* Control, int X, int Y) {
    SendMouse(Control, QEvent::MouseButtonRelease, X, Y);
}

void MouseDoubleClick(TControl* Control, int X, int Y) {
    SendMouse(Control, QEvent::MouseButtonPress, X, Y);
    SendMouse(Control, QEvent::MouseButtonRelease, X, Y);
    SendMouse(Control, QEvent::MouseButtonDblClick, X, Y);
    SendMouse(Control, QEvent::MouseButtonRelease, X, Y);
}

void MouseMoveTo(TControl* Control, int X, int Y, bool LeftDown) {
    const QPointF local(X, Y);
    const QPointF global = Control->Widget()->mapToGlobal(local);
    const Qt::MouseButtons buttons = LeftDown ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent e(QEvent::MouseMove, local, global, Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(Control->Widget(), &e);
}

void MouseDrag(TControl* Control, int X, int Y, int ToX, int ToY) {
    MousePress(Control, X, Y);
    MouseMoveTo(Control, ToX, ToY, true);
    MouseRelease(Control, ToX, ToY);
}

void KeyStroke(TControl* Control, WORD VirtualKey, char Char, TShiftState Shift) {
    StrokeTo(Control->Widget(), VirtualKey, Char, Shift, false);
}

bool KeyStrokeToFocus(WORD VirtualKey, TShiftState Shift, bool Keypad) {
    QWidget* widget = QApplication::focusWidget();
    if (!widget) widget = QApplication::activeModalWidget();
    if (!widget) widget = QApplication::activeWindow();
    if (!widget) return false;
    StrokeTo(widget, VirtualKey, '\0', Shift, Keypad);
    return true;
}

void TypeText(TControl* Control, const std::string& Text) {
    for (const char ch : Text)
        KeyStroke(Control, 0, ch);
}

bool TitleBarClose(TControl* Control) {
    // The platform window's close is the road of the window manager's request.
    QWidget* top = Control->Widget()->window();
    if (QWindow* window = top->windowHandle()) window->close();
    return !top->isVisible();
}

bool PumpUntil(const std::function<bool()>& Done) {
    // A bound against hangs only: normally Done comes true within a few ticks.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Application->ProcessMessages();
        if (!Done()) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return true;
}

void PumpPending() {
    Application->ProcessMessages();
    QApplication::processEvents();
}

bool SaveControlPicture(TControl* Control, const std::string& FileName) {
    return Control->Widget()->grab().save(QString::fromStdString(FileName), "PNG");
}
