#pragma once
// The arithmetic of one direction of a grid (columns across, rows down), shared
// by the grid's sources.
#include "platform/vcl/grids/grids.h"

struct TCustomGrid::TAxis {
    int Count = 0;
    int Fixed = 0;
    int First = 0;  // LeftCol or TopRow
    int Extent = 0; // client width or height
    int Line = 0;   // grid line after every cell
    const std::vector<int>* Sizes = nullptr;

    int Size(int Index) const { return (*Sizes)[static_cast<size_t>(Index)]; }
    // Where the non-fixed cells start.
    int FixedBoundary() const;
    // Start of a shown cell; -1 when it is scrolled away or beyond the window.
    int Start(int Index) const;
    // Non-fixed cells shown in full from First.
    int FullVisible() const;
    // The largest First that still fills the window (the last cell in full view).
    int MaxFirst() const;
    // The cell at a client position, -1 outside the cells.
    int CellAt(int Pos) const;
    // First on the 0..127 thumb scale and back.
    int ThumbPos() const;
    int FirstFromThumb(int Thumb) const;
};
