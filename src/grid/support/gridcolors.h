#pragma once
// Colour arithmetic of the grid's drawing routines, apart from any canvas.

#include <vector>

#include "platform/rtl/types.h"
#include "platform/vcl/gfx/colors.h"

// Each of red, green and blue halved (the colour must be RGB already).
TColor DarkenRGB(TColor Color);

// One band of a gradient fill: its colour and its rectangle.
struct TGradientBand {
    TColor Color = 0;
    TRect Rect;
};

// The bands that fill R from FromColor to ToColor (RGB values) in Steps bands (0
// counts as 1), left to right when Horizontal, else top to bottom. Each band is
// one pixel longer than its share, so no seam shows between bands.
std::vector<TGradientBand> GradientBands(TColor FromColor, TColor ToColor, bool Horizontal,
                                         const TRect& R, int Steps);

// The zig-zag of an error underline below a character range: 3-pixel steps from
// X1 to X2, alternating between Y and Y + 2.
std::vector<TPoint> ErrorUnderlinePoints(int X1, int X2, int Y);

// The wavy underline of error-tagged text: from X1 rounded down to an even x up
// to X2, a point every 2 pixels alternating between Bottom - 1 and Bottom + 1,
// starting low when that x is a multiple of 4.
std::vector<TPoint> WavyUnderlinePoints(int X1, int X2, int Bottom);
