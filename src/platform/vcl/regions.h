#pragma once
// Window regions: a shape (rectangles and polygons, combined) that a windowed
// control takes as its outline; outside it the window shows nothing and gets
// no mouse input. A region handle owns its region; SetWindowRgn takes it over.

#include <memory>

#include "platform/rtl/types.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/wndtarget.h"

struct TRegion;
struct TRegionDeleter {
    void operator()(TRegion* Region) const;
};
using HRGN = std::unique_ptr<TRegion, TRegionDeleter>;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// CombineRgn modes and results.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int RGN_ERROR = ERROR; // NULLREGION, SIMPLEREGION, COMPLEXREGION: graphics.h

// The pixels Left .. Right-1, Top .. Bottom-1.
HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom);
// The inside of the polygon, its right and bottom boundary excluded as a
// filled polygon has it.
HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode);
// Dest := Src1 <Mode> Src2 (Src2 unused for RGN_COPY); answers the kind of result.
int CombineRgn(TRegion* Dest, const TRegion* Src1, const TRegion* Src2, int Mode);
bool PtInRegion(const TRegion* Region, int X, int Y);
int GetRgnBox(const TRegion* Region, TRect& Box);

// Gives the windowed control Wnd the shape of Region (in window pixels); an
// empty handle gives back the whole rectangle. Answers false (and drops the
// region) for anything that is no windowed control.
bool SetWindowRgn(HWND Wnd, HRGN Region, bool Redraw);
// Copies the window's shape into Region; answers the kind, or RGN_ERROR when
// the window has none.
int GetWindowRgn(HWND Wnd, TRegion* Region);
