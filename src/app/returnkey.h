#pragma once
// Return on a chosen item acts as a double click on it: a data file, a folder
// name, a list in a tree, a member, a player, a row of the standings.

#include "platform/vcl/controls.h"

class TStringGrid;

// True when Key is Return without Shift, Ctrl or Alt and Chosen holds: the key
// is then used up, so the control does nothing more with it, and the caller
// acts as on a double click. Any other key, or nothing chosen, stays as it is.
bool ReturnChooses(WORD& Key, TShiftState Shift, bool Chosen = true);

// The row a plain Return on Grid chooses: its current data row when that
// carries an object in column 0 (the key is then used up); else -1.
int ReturnChoosesRow(WORD& Key, TShiftState Shift, const TStringGrid& Grid);
