// What the painting of one cell's content carries from step to step: the
// cell, its rectangle, its state, the colours it started with and the text
// it shows. Each kind of content (filter glyph, background picture,
// selection frame, HTML, wide and plain text) is a step over one of these,
// so a new kind is a new step rather than a longer function.

#pragma once

#include <string>

#include "grid/cellgraphic.h"
#include "grid/support/basegrid.h"

// The canvas keeps its clip, origin and colours whatever a step changes.
class TSavedDC {
public:
    explicit TSavedDC(TCanvas& Canvas) : FCanvas(Canvas), FSaved(Canvas.SaveDC()) {}
    ~TSavedDC() { FCanvas.RestoreDC(FSaved); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    TCanvas& FCanvas;
    int FSaved;
};

struct TCellPaintContext {
    explicit TCellPaintContext(TCanvas& ACanvas) : Canvas(ACanvas) {}

    TCanvas& Canvas;
    // The cell: display column, real column, display row.
    int Col = 0;
    int RealCol = 0;
    int Row = 0;
    // The content's rectangle, and the part of it left for the text.
    TRect Rect{};
    TRect TextRect{};
    TGridDrawState State{};
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    // The cell's graphic (none: nullptr), its size and whether text shows beside it.
    TCellGraphic* Graphic = nullptr;
    int GraphicWidth = 0;
    int GraphicHeight = 0;
    bool TextShown = true;
    // The brush and font colours the cell had before selection coloured it.
    TColor SavedBrush = clNone;
    TColor SavedFont = clNone;
    TColor URLColor = clNone;
    // Where the cell stands and how it is drawn.
    bool NormalArea = false;
    bool Focused = false;
    bool DrawnSelected = false;
    bool FilterGlyph = false;
    bool SortIndicator = false;
    // The text as shown (formatted, masked) and its kind (cckPlain, cckHTML, cckWide, ...).
    std::string Text;
    int Kind = 0;
    // Out: how wide the drawn text is, for a graphic placed beside it.
    int TextWidth = 0;
};
