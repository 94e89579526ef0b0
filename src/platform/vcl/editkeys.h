#pragma once
// Keys with which an edit changes its text through the clipboard: Ctrl+X and
// Shift+Delete cut, Ctrl+V and Shift+Insert paste. The native edit acts on them
// itself, so an edit that refuses cut and paste must stop the keys too.

#include "platform/vcl/controls.h"

inline bool IsCutOrPasteKey(WORD Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    if (Shift.Contains(ssAlt)) return false;
    if (ctrl && !shift) return Key == 'X' || Key == 'V';
    if (shift && !ctrl) return Key == VK_DELETE || Key == VK_INSERT;
    return false;
}
