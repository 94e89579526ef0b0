#include "vcltestenv.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

void SendKeyPress(TControl* Control, int QtKey, const QString& Text,
                  Qt::KeyboardModifiers Modifiers) {
    QKeyEvent press(QEvent::KeyPress, QtKey, Modifiers, Text);
    QApplication::sendEvent(Control->Widget(), &press);
}

void SendKey(TControl* Control, int QtKey, const QString& Text, Qt::KeyboardModifiers Modifiers) {
    SendKeyPress(Control, QtKey, Text, Modifiers);
    QKeyEvent release(QEvent::KeyRelease, QtKey, Modifiers, Text);
    QApplication::sendEvent(Control->Widget(), &release);
}

void SendMouse(TControl* Control, int Type, int X, int Y, Qt::MouseButton Button,
               Qt::KeyboardModifiers Modifiers) {
    const auto type = static_cast<QEvent::Type>(Type);
    Qt::MouseButtons buttons = Button;
    if (type == QEvent::MouseButtonRelease || type == QEvent::MouseMove) buttons = Qt::NoButton;
    const QPointF local(X, Y);
    const QPointF global = Control->Widget()->mapToGlobal(local);
    QMouseEvent e(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : Button, buttons,
                  Modifiers);
    QApplication::sendEvent(Control->Widget(), &e);
}

void SendWheel(TControl* Control, int X, int Y, int AngleDelta, Qt::KeyboardModifiers Modifiers) {
    const QPointF local(X, Y);
    const QPointF global = Control->Widget()->mapToGlobal(local);
    QWheelEvent e(local, global, QPoint(), QPoint(0, AngleDelta), Qt::NoButton, Modifiers,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(Control->Widget(), &e);
}

void ShowActive(TCustomForm* Form) {
    Form->Show();
    Form->Widget()->activateWindow();
    QApplication::setActiveWindow(Form->Widget());
    ProcessUntil([Form] { return Form->Widget()->isActiveWindow(); });
}

TRecorder::TRecorder(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    const TWndMethod original = WindowProc;
    WindowProc = [this, original](TMessage& Message) {
        Log.push_back(Message);
        original(Message);
    };
}

std::vector<TMessage> TRecorder::Only(UINT Msg) const {
    std::vector<TMessage> out;
    std::copy_if(Log.begin(), Log.end(), std::back_inserter(out),
                 [Msg](const TMessage& m) { return m.Msg == Msg; });
    return out;
}

std::vector<UINT> TRecorder::Messages(std::initializer_list<UINT> Of) const {
    std::vector<UINT> out;
    for (const TMessage& m : Log)
        if (std::find(Of.begin(), Of.end(), m.Msg) != Of.end()) out.push_back(m.Msg);
    return out;
}

void TRecorder::Paint() {
    if (PaintColor == clNone) return;
    Canvas()->Brush()->SetColor(PaintColor);
    Canvas()->FillRect(ClientRect());
}

std::unique_ptr<TForm> MakeForm(int Width, int Height) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, Width, Height);
    return form;
}

TRecorder* AddRecorder(TWinControl* Parent, int Left, int Top, int Width, int Height) {
    auto* c = new TRecorder(Parent); // owned by Parent
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}
