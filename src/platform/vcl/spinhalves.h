#pragma once
// The layout every spin button shares: two buttons stacked, the up button the
// upper half and the down button the rest.

#include "platform/rtl/types.h"

// A spin button of stacked buttons is never narrower than this.
constexpr int SpinMinWidth = 15;

struct TSpinHalves {
    TRect Up;   // bounds of the up button in the spin button
    TRect Down; // bounds of the down button
};

// The buttons of a spin button W x H: the up button takes the upper half
// (rounded down), the down button the rest, reaching Overlap pixels up into
// the up button (so that the two may share a line).
inline TSpinHalves StackedSpinHalves(int W, int H, int Overlap) {
    const int upHeight = H / 2; // towards zero
    return {Bounds(0, 0, W, upHeight), Bounds(0, upHeight - Overlap, W, H - upHeight + Overlap)};
}
