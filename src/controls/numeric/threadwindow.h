#pragma once
// The process's hidden thread window: it takes message 0x8FFF, through which
// worker threads (TVcThread) have methods run on the window thread, and it
// routes the flash timer's messages to controls. The first thread made on the
// window thread makes it, so a thread used on its own reaches the window
// thread whatever else the program links.

#include "platform/vcl/controls.h"

// The flash message a registered control is sent: wParam the tick counter,
// lParam the blink phase or how late the period came.
constexpr UINT WM_FLASHTICK = WM_USER + 100;

// Makes the window once, on the window thread; later calls do nothing.
void EnsureThreadWindow();
