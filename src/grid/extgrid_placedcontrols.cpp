// Controls that the application places in cells (TCellProperties::Control):
// the grid lays each over its cell's merged rectangle while the cell is in
// view and hides it while the cell is scrolled away, its column hidden, or
// its row hidden (a folded node, a filter). They follow every scroll, resize,
// column or row sizing, hide and show, and the end of every bulk update.
// Grids without such a control pay nothing: the cell model counts them. The
// controls stay the application's: it clears a cell's control before it
// frees the control.
#include <vector>

#include "grid/extgrid.h"

namespace {

TControl* ControlOf(const TObject* Record) {
    const auto* p = dynamic_cast<const TCellProperties*>(Record);
    return p ? p->Control() : nullptr;
}

} // namespace

void TExtStringGrid::PositionCellControls() {
    // A bulk update places them once, at its end.
    if (CellControlCount() == 0 || FUpdateCount > 0 || Destroying()) return;
    for (int i = 0; i < FHiddenRows.Count(); ++i)
        for (const TObject* record : FHiddenRows.Items(i)->CellObjects())
            if (TControl* control = ControlOf(record)) control->SetVisible(false);
    std::vector<TControl*> shown;
    const int cols = StoredColCount();
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < cols; ++c) {
            TControl* control = ControlOf(FindCellProperties(c, r));
            if (!control) continue;
            const TRect cell = IsHiddenColumn(c) ? TRect{} : CellRect(DisplColIndex(c), r);
            if (cell.Width() <= 0 || cell.Height() <= 0) {
                control->SetVisible(false);
                continue;
            }
            const TRect place = CellControlRect(c, r, cell);
            if (control->Parent() != this) control->SetParent(this);
            control->SetBounds(place.Left, place.Top, place.Width(), place.Height());
            control->SetVisible(true);
            shown.push_back(control);
        }
    for (TControl* control : shown)
        control->Invalidate();
}

TRect TExtStringGrid::CellControlRect(int ARealCol, int ARow, const TRect& Shown) const {
    // Reckoned from the cell's shown corner with whole column widths and row
    // heights, so that a range whose first cells scrolled away, or that runs
    // past the grid's edge, keeps its full size; hidden columns take no room.
    TRect r = Bounds(Shown.Left, Shown.Top, ColWidths(DisplColIndex(ARealCol)), RowHeights(ARow));
    if (!IsMergedCell(ARealCol, ARow)) return r;
    const TPoint base = GetBaseCell(ARealCol, ARow);
    const TPoint span = GetCellSpan(ARealCol, ARow);
    auto width = [this](int c) { return IsHiddenColumn(c) ? 0 : ColWidths(DisplColIndex(c)); };
    for (int c = base.X; c < ARealCol; ++c)
        r.Left -= width(c);
    for (int c = ARealCol + 1; c <= base.X + span.X && c < StoredColCount(); ++c)
        r.Right += width(c);
    for (int row = base.Y; row < ARow; ++row)
        r.Top -= RowHeights(row);
    for (int row = ARow + 1; row <= base.Y + span.Y && row < RowCount(); ++row)
        r.Bottom += RowHeights(row);
    return r;
}

void TExtStringGrid::TopLeftChanged() {
    TBaseGrid::TopLeftChanged();
    PositionCellControls();
}

void TExtStringGrid::ColWidthsChanged() {
    TBaseGrid::ColWidthsChanged();
    PositionCellControls();
}

void TExtStringGrid::RowHeightsChanged() {
    TBaseGrid::RowHeightsChanged();
    PositionCellControls();
}
