#pragma once
// The flash timer as controls see it: registration of controls for flash
// messages (WM_FLASHTICK), sent through the hidden thread window.

#include <cstdint>

#include "controls/numeric/threadwindow.h"

// The unit's start-up also loads the hand cursor crHand (vcproc.h) into the
// screen's cursor table.

void AddFlashClient(TControl* Control, int64_t Interval);
void RemoveFlashClient(TControl* Control);
bool IsFlashClient(const TControl* Control);
