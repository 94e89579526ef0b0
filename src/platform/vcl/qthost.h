#pragma once
// Internal to the visual layer: the Qt side of a control. A host is the Qt
// widget class of a control (QWidget for drawn controls, QLineEdit for an edit,
// ...) with its events passed to the control first; the control's
// DefaultHandler gives them back to the widget's own handling.

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <utility>

class TControl;

class TControlHost {
public:
    virtual ~TControlHost() = default;
    TControl* Control = nullptr;
    // The widget class's own handling of an event.
    virtual bool NativeEvent(QEvent* Event) = 0;
    virtual QWidget* HostWidget() = 0;
};

template <class Base> class THost : public Base, public TControlHost {
public:
    template <class... Args> explicit THost(Args&&... args) : Base(std::forward<Args>(args)...) {
        this->setMouseTracking(true);
    }
    bool NativeEvent(QEvent* Event) override { return Base::event(Event); }
    QWidget* HostWidget() override { return this; }

protected:
    bool event(QEvent* Event) override;
};

// Passes the input and focus events of a widget's inner parts (a combo box's
// edit, a list's viewport) to the control, as if they came to the host.
// The control is found through the widget tree at each event, so a control
// that is going away is never reached.
class TInnerEventForwarder : public QObject {
public:
    explicit TInnerEventForwarder(QObject* Parent) : QObject(Parent) {}
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    // False when Inner is watched already.
    static bool Watch(TControl* Control, QWidget* Inner);
};

// Qt keys and virtual keys (Keypad: the key came from the numeric keypad).
unsigned short QtKeyToVirtualKey(int Key, bool Keypad);
int VirtualKeyToQtKey(unsigned short Key);

// The MK_ flags of the buttons and Shift/Ctrl held (mouse and drag messages).
unsigned QtKeyFlags(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers);

class QCursor;
QCursor ToQCursor(int Cursor);

// The implementation lives with the controls (it needs the whole TControl).
bool HostDispatch(TControl* Control, QEvent* Event, QObject* Receiver);

template <class Base> bool THost<Base>::event(QEvent* Event) {
    if (Control && HostDispatch(Control, Event, this)) return true;
    return Base::event(Event);
}

// Makes the host of a control: MakeHost<QLineEdit>() and the like.
template <class Base, class... Args> QWidget* MakeHost(Args&&... args) {
    return new THost<Base>(std::forward<Args>(args)...);
}
