#pragma once
// A drag from another window or program, delivered to a control's window as
// the window system delivers it: it enters at a point, moves by one pixel and
// is released there. Used by tests and by code that plays input back; nothing
// above the platform needs Qt for it.

#include "platform/vcl/controls.h"
#include "platform/vcl/dragdrop.h"

// The effects the control's window showed at each step (copy 1, move 2, none
// 0). A window that refuses the enter gets no move and no drop, so those
// stay 0, as does the drop after a refused move.
struct TSynthDragResult {
    int Enter = 0;
    int Over = 0;
    int Drop = 0;
};

// AllowedEffects: what the dragging program allows (copy 1, move 2, both 3).
// KeyState: MK_CONTROL and MK_SHIFT held during the drag.
TSynthDragResult SynthDragDrop(TControl* Control, const TDropData& Data, int X, int Y,
                               int AllowedEffects, unsigned KeyState = 0);
// Enters and moves as above, then leaves without a drop.
TSynthDragResult SynthDragLeave(TControl* Control, const TDropData& Data, int X, int Y,
                                int AllowedEffects, unsigned KeyState = 0);
