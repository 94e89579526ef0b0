#pragma once
// The flash timer as controls see it: the hidden thread window through which
// worker threads reach the window thread, and registration of controls for
// flash messages (WM_FLASHTICK: wParam the tick counter, lParam the blink
// phase or how late the period came).

#include <cstdint>

#include "platform/vcl/controls.h"

constexpr UINT WM_FLASHTICK = WM_USER + 100;

// The unit's start-up also loads the hand cursor crHand (vcproc.h) into the
// screen's cursor table.

// Makes the process's hidden thread window (once, on the window thread) and
// routes flash messages to controls.
void EnsureThreadWindow();

void AddFlashClient(TControl* Control, int64_t Interval);
void RemoveFlashClient(TControl* Control);
bool IsFlashClient(const TControl* Control);
