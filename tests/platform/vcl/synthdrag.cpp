#include "platform/vcl/synthdrag.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QWidget>

#include "platform/vcl/dragdropqt.h"

namespace {

int EffectOf(const QDropEvent& E) {
    if (!E.isAccepted()) return 0;
    switch (E.dropAction()) {
    case Qt::CopyAction:
        return 1;
    case Qt::MoveAction:
    case Qt::TargetMoveAction:
        return 2;
    default:
        return 0;
    }
}

TSynthDragResult Run(TControl* Control, const TDropData& Data, int X, int Y, int AllowedEffects,
                     unsigned KeyState, bool DropIt) {
    TSynthDragResult r;
    if (!Control) return r;
    QWidget* w = Control->Widget();
    const auto mime = ToMimeData(Data);
    Qt::DropActions possible;
    if (AllowedEffects & 1) possible |= Qt::CopyAction;
    if (AllowedEffects & 2) possible |= Qt::MoveAction;
    Qt::KeyboardModifiers mods;
    if (KeyState & MK_CONTROL) mods |= Qt::ControlModifier;
    if (KeyState & MK_SHIFT) mods |= Qt::ShiftModifier;

    QDragEnterEvent enter(QPoint(X, Y), possible, mime.get(), Qt::LeftButton, mods);
    QApplication::sendEvent(w, &enter);
    r.Enter = EffectOf(enter);
    if (!enter.isAccepted()) return r;
    QDragMoveEvent move(QPoint(X, Y), possible, mime.get(), Qt::LeftButton, mods);
    QApplication::sendEvent(w, &move);
    r.Over = EffectOf(move);
    if (DropIt && move.isAccepted()) {
        QDropEvent drop(QPointF(X, Y), possible, mime.get(), Qt::NoButton, mods);
        QApplication::sendEvent(w, &drop);
        r.Drop = EffectOf(drop);
    } else {
        QDragLeaveEvent leave;
        QApplication::sendEvent(w, &leave);
    }
    return r;
}

} // namespace

TSynthDragResult SynthDragDrop(TControl* Control, const TDropData& Data, int X, int Y,
                               int AllowedEffects, unsigned KeyState) {
    return Run(Control, Data, X, Y, AllowedEffects, KeyState, true);
}

TSynthDragResult SynthDragLeave(TControl* Control, const TDropData& Data, int X, int Y,
                                int AllowedEffects, unsigned KeyState) {
    return Run(Control, Data, X, Y, AllowedEffects, KeyState, false);
}
