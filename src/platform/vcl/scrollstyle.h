#pragma once
// Which scroll bars a control shows: shared by the grids and the memo, so a
// source may use both.

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
