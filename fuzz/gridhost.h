#pragma once
// What the harnesses that drive a real grid share: the widget application on
// the offscreen platform, a fresh grid on a form per input, and the checks
// that a grid is still whole after an input went into it.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "grid/extgrid.h"
#include "platform/vcl/forms.h"

// LLVMFuzzerInitialize (gridhost.cpp) makes the widget application, headless,
// for every harness that links this.

// A form with a 5 x 5 grid (one fixed column and row) on it; the form owns
// the grid and goes with the host.
struct TGridHost {
    TGridHost();
    // Takes the form down and runs what its windows left behind for later.
    ~TGridHost();
    std::unique_ptr<TForm> Form;
    TExtStringGrid* Grid = nullptr;
};

// Reads every cell (or, for a grid too large to read per input, every cell of
// the first rows and columns and of the block at Origin) and the graphics
// and properties the reading touches, then paints the grid into a bitmap.
void CheckGridUsable(TExtStringGrid& Grid, TPoint Origin);
