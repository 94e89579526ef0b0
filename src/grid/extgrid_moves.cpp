// Columns and rows moved by dragging their fixed cells: the application may
// refuse a move before it starts, and sizes follow the moved line only with
// EnhRowColMove.
#include "grid/extgrid.h"
#include "grid/floatingfooter.h"

namespace {

// Puts the size the move carried from From to To back at From: the sizes stay
// by position.
template <class Get, class Set> void KeepSizesInPlace(int From, int To, Get Size, Set SetSize) {
    const int moved = Size(To);
    if (From < To) {
        for (int i = To; i > From; --i)
            SetSize(i, Size(i - 1));
    } else {
        for (int i = To; i < From; ++i)
            SetSize(i, Size(i + 1));
    }
    SetSize(From, moved);
}

} // namespace

bool TExtStringGrid::BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) {
    bool allow = TBaseGrid::BeginColumnDrag(Origin, Destination, MousePt);
    if (allow && OnColumnMove) OnColumnMove(this, Origin, allow);
    return allow;
}

bool TExtStringGrid::BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt) {
    bool allow = TBaseGrid::BeginRowDrag(Origin, Destination, MousePt);
    if (allow && OnRowMove) OnRowMove(this, Origin, allow);
    return allow;
}

bool TExtStringGrid::EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt) {
    if (FFloatingFooter && FFloatingFooter->Visible() && Destination == RowCount() - 1)
        return false;
    return TBaseGrid::EndRowDrag(Origin, Destination, MousePt);
}

void TExtStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
    if (!EnhRowColMove)
        KeepSizesInPlace(
            FromIndex, ToIndex, [this](int I) { return ColWidths(I); },
            [this](int I, int W) { SetColWidths(I, W); });
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
}

void TExtStringGrid::RowMoved(int FromIndex, int ToIndex) {
    if (!EnhRowColMove)
        KeepSizesInPlace(
            FromIndex, ToIndex, [this](int I) { return RowHeights(I); },
            [this](int I, int H) { SetRowHeights(I, H); });
    TBaseGrid::RowMoved(FromIndex, ToIndex);
}
