#include "platform/vcl/winapi.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "platform/vcl/controls.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

TControl* ControlOf(HWND Wnd) {
    return dynamic_cast<TControl*>(Wnd);
}

TWinControl* WindowedAt(TControl* c) {
    while (c && !dynamic_cast<TWinControl*>(c))
        c = c->Parent();
    return static_cast<TWinControl*>(c);
}

} // namespace

bool InvalidateRect(HWND Wnd, const TRect* Rect, bool) {
    TControl* c = ControlOf(Wnd);
    if (!c) return false;
    if (Rect)
        c->InvalidateRect(*Rect);
    else
        c->Invalidate();
    return true;
}

bool UpdateWindow(HWND Wnd) {
    TControl* c = ControlOf(Wnd);
    if (c) c->Update();
    return c != nullptr;
}

bool GetClientRect(HWND Wnd, TRect& Rect) {
    TControl* c = ControlOf(Wnd);
    Rect = c ? c->ClientRect() : TRect{};
    return c != nullptr;
}

bool GetWindowRect(HWND Wnd, TRect& Rect) {
    TControl* c = ControlOf(Wnd);
    if (!c) return false;
    const TPoint origin = c->ClientToScreen({0, 0});
    Rect = Bounds(origin.X, origin.Y, c->Width(), c->Height());
    return true;
}

bool ClientToScreen(HWND Wnd, TPoint& Point) {
    TControl* c = ControlOf(Wnd);
    if (c) Point = c->ClientToScreen(Point);
    return c != nullptr;
}

bool ScreenToClient(HWND Wnd, TPoint& Point) {
    TControl* c = ControlOf(Wnd);
    if (c) Point = c->ScreenToClient(Point);
    return c != nullptr;
}

bool IsWindowVisible(HWND Wnd) {
    TControl* c = ControlOf(Wnd);
    return c && c->Showing();
}

bool IsWindowEnabled(HWND Wnd) {
    TControl* c = ControlOf(Wnd);
    return c && c->Enabled();
}

bool EnableWindow(HWND Wnd, bool Enable) {
    TControl* c = ControlOf(Wnd);
    const bool wasDisabled = c && !c->Enabled();
    if (c) c->SetEnabled(Enable);
    return wasDisabled;
}

HWND GetFocus() {
    return WindowedAt(FindControl(QApplication::focusWidget()));
}

HWND SetFocus(HWND Wnd) {
    HWND previous = GetFocus();
    if (auto* c = dynamic_cast<TWinControl*>(Wnd)) c->SetFocus();
    return previous;
}

HWND GetCapture() {
    QWidget* grabber = QWidget::mouseGrabber();
    return grabber ? WindowedAt(FindControl(grabber)) : nullptr;
}

HWND SetCapture(HWND Wnd) {
    HWND previous = GetCapture();
    if (TControl* c = ControlOf(Wnd)) c->SetMouseCapture(true);
    return previous;
}

bool ReleaseCapture() {
    QWidget* grabber = QWidget::mouseGrabber();
    if (TControl* c = FindControl(grabber))
        c->SetMouseCapture(false);
    else if (grabber)
        grabber->releaseMouse();
    return true;
}

bool GetCursorPos(TPoint& Point) {
    Point = FromQPoint(QCursor::pos());
    return true;
}

HWND WindowFromPoint(const TPoint& Point) {
    return WindowedAt(FindDragTarget(Point, true));
}
