#pragma once
// The window functions that code written against window handles calls, on our
// controls: a handle is the windowed control (or a bare target from
// AllocateHWnd, for which the window questions answer false or empty).

#include "platform/rtl/types.h"
#include "platform/vcl/wndtarget.h"

bool InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase); // nullptr: all of it
bool UpdateWindow(HWND Wnd);
bool GetClientRect(HWND Wnd, TRect& Rect);
bool GetWindowRect(HWND Wnd, TRect& Rect); // in screen coordinates
bool ClientToScreen(HWND Wnd, TPoint& Point);
bool ScreenToClient(HWND Wnd, TPoint& Point);
bool IsWindowVisible(HWND Wnd);
bool IsWindowEnabled(HWND Wnd);
bool EnableWindow(HWND Wnd, bool Enable);
HWND GetFocus();
HWND SetFocus(HWND Wnd); // answers the handle that had the focus
HWND GetCapture();
HWND SetCapture(HWND Wnd);
bool ReleaseCapture();
bool GetCursorPos(TPoint& Point);
HWND WindowFromPoint(const TPoint& Point);
