// Hidden columns and rows. A hidden column stays in the cell store and only
// leaves the displayed range; a hidden row leaves the grid, with its texts,
// cell records and height, for a record of the hidden-row store. Showing
// many rows or hiding a list of them is one pass over the grid. Controls
// placed in cells follow at the end (extgrid_placedcontrols.cpp).
#include <algorithm>

#include "grid/extgrid.h"

// --- index mapping --------------------------------------------------------------------------

int TExtStringGrid::RealColIndex(int ADisplCol) const {
    if (FHiddenColCount == 0 || ADisplCol < 0) return ADisplCol;
    int shown = 0;
    for (int i = 0; i < MaxHideableColumns; ++i) {
        if (FColHidden[static_cast<size_t>(i)]) continue;
        if (shown == ADisplCol) return i;
        ++shown;
    }
    // Past the flag map every column is shown, behind all the hidden ones.
    return ADisplCol + FHiddenColCount;
}

int TExtStringGrid::DisplColIndex(int ARealCol) const {
    if (FHiddenColCount == 0 || ARealCol <= 0) return ARealCol;
    int hidden = 0;
    for (int i = 0; i < std::min(ARealCol, MaxHideableColumns); ++i)
        hidden += FColHidden[static_cast<size_t>(i)] ? 1 : 0;
    return ARealCol - hidden;
}

int TExtStringGrid::RealRowIndex(int ADisplRow) const {
    return FHiddenRows.RealOfDisplay(ADisplRow);
}

int TExtStringGrid::DisplRowIndex(int ARealRow) const {
    if (ARealRow < 0) return ARealRow;
    return ARealRow - FHiddenRows.CountBelow(ARealRow);
}

bool TExtStringGrid::IsHiddenColumn(int ARealCol) const {
    return ARealCol >= 0 && ARealCol < MaxHideableColumns &&
           FColHidden[static_cast<size_t>(ARealCol)];
}

TStringList* TExtStringGrid::GetHiddenRowStrings(int ARealRow) const {
    // Made on this first request from the kept cells.
    const int at = FHiddenRows.Find(ARealRow);
    return at < 0 ? nullptr : FHiddenRows.Items(at)->Items();
}

void TExtStringGrid::SetRealColWidth(int ARealCol, int AWidth) {
    if (ARealCol < 0) return;
    if (ARealCol < MaxHideableColumns)
        FSavedColWidths[static_cast<size_t>(ARealCol)] =
            static_cast<uint16_t>(std::clamp(AWidth, 0, 0xFFFF));
    if (IsHiddenColumn(ARealCol)) return;
    const int displ = DisplColIndex(ARealCol);
    if (displ < ColCount()) SetColWidths(displ, AWidth);
}

void TExtStringGrid::HideEditorIfShown() {
    // The editor writes what is typed straight into the cell, so closing it
    // loses nothing.
    if (EditorMode()) HideEditor();
}

void TExtStringGrid::EndDedicatedEdit() {
    // The editor writes into the current cell when it closes, and the
    // current cell stays where it is while the rows move under it: closed
    // afterwards it would write into another row.
    if (FActiveCellEditor) HideEditor();
}

// --- columns -------------------------------------------------------------------------------

void TExtStringGrid::HideColumns(int FromCol, int ToCol) {
    HideEditorIfShown();
    for (int c = std::max(FromCol, 0); c <= std::min(ToCol, MaxHideableColumns - 1); ++c) {
        if (IsHiddenColumn(c) || c >= StoredColCount() || ColCount() < 2) continue;
        const int displ = DisplColIndex(c);
        FSavedColWidths[static_cast<size_t>(c)] = static_cast<uint16_t>(ColWidths(displ));
        for (int k = displ; k < ColCount() - 1; ++k)
            SetColWidths(k, ColWidths(k + 1));
        FColHidden[static_cast<size_t>(c)] = true;
        ++FHiddenColCount;
        TBaseGrid::SetColCount(ColCount() - 1);
    }
    Invalidate();
    PositionCellControls();
}

void TExtStringGrid::UnHideColumns(int FromCol, int ToCol) {
    HideEditorIfShown();
    for (int c = std::max(FromCol, 0); c <= std::min(ToCol, MaxHideableColumns - 1); ++c) {
        if (!IsHiddenColumn(c)) continue;
        FColHidden[static_cast<size_t>(c)] = false;
        --FHiddenColCount;
        TBaseGrid::SetColCount(ColCount() + 1);
        const int displ = DisplColIndex(c);
        for (int k = ColCount() - 1; k > displ; --k)
            SetColWidths(k, ColWidths(k - 1));
        SetColWidths(displ, FSavedColWidths[static_cast<size_t>(c)]);
    }
    Invalidate();
    PositionCellControls();
}

void TExtStringGrid::UnHideColumnsAll() {
    UnHideColumns(0, ColCount() + FHiddenColCount);
}

// --- rows ----------------------------------------------------------------------------------

void TExtStringGrid::SplitMergesAcross(int First, int Last, bool InRows) {
    const int cols = StoredColCount();
    auto splitAt = [this, cols](int r) {
        if (r < 0 || r >= RowCount()) return;
        for (int c = 0; c < cols; ++c)
            if (IsMergedCell(c, r)) SplitCells(c, r);
    };
    if (InRows) {
        for (int r = First; r < Last; ++r)
            splitAt(r);
        return;
    }
    // A range that holds both row First - 1 and row First is cut there.
    if (First <= 0 || First >= RowCount()) return;
    for (int c = 0; c < cols; ++c)
        if (IsYMerged(c, First) && GetBaseCell(c, First).Y < First) SplitCells(c, First);
}

void TExtStringGrid::HideRows(int FromRow, int ToRow) {
    if (FromRow < 0 || IsHiddenRow(FromRow)) return;
    ToRow = std::min(ToRow, GetAllRowCount() - 1);
    // Rows of the range that are hidden already stay as they are; the rest
    // are hidden, each at its own real place.
    std::vector<int> rows;
    int at = FHiddenRows.CountBelow(FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        if (at < FHiddenRows.Count() && FHiddenRows.Items(at)->Idx == r) {
            ++at;
            continue;
        }
        rows.push_back(r - at);
    }
    HideDisplayRows(rows);
}

void TExtStringGrid::HideRowList(const TIntList& List) {
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(List.Count()));
    for (int i = 0; i < List.Count(); ++i) {
        const int r = List.Items(i);
        if (r < 0 || r >= RowCount()) throw EExtGridError(SInvalidRow);
        rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    HideDisplayRows(rows);
}

void TExtStringGrid::HideDisplayRows(const std::vector<int>& Rows) {
    // One row always stays in the grid.
    const auto count = std::min(Rows.size(), static_cast<size_t>(RowCount() - 1));
    if (count == 0) return;
    const std::vector<int> rows(Rows.begin(), Rows.begin() + static_cast<long>(count));
    HideEditorIfShown();
    BeginGridUpdate();
    const int cols = StoredColCount();
    // A merged range cannot be half hidden: what touches a leaving row is split.
    if (CellPropertiesCount() > 0)
        for (const int d : rows)
            SplitMergesAcross(d, d + 1, true);
    // One walk along the store: a display row's real row is the row plus
    // the hidden rows above it, and those are where its record goes.
    std::vector<int> hiddenIdx(static_cast<size_t>(FHiddenRows.Count()));
    for (size_t k = 0; k < hiddenIdx.size(); ++k)
        hiddenIdx[k] = FHiddenRows.Items(static_cast<int>(k))->Idx;
    size_t above = 0;
    // The cells leave the grid's row whole; the row, empty, ends up behind the rest.
    for (size_t i = 0; i < rows.size(); ++i) {
        const int d = rows[i];
        while (above < hiddenIdx.size() && hiddenIdx[above] - static_cast<int>(above) <= d)
            ++above;
        TGridItem* item = FHiddenRows.Insert(static_cast<int>(above + i));
        item->Idx = d + static_cast<int>(above);
        item->Height = RowHeights(d);
        TGridItem::TRowCells cells = TakeRowCells(d);
        // Cells kept beyond the stored columns are no part of the row.
        for (size_t c = static_cast<size_t>(cols); c < cells.size(); ++c)
            delete cells[c].Object;
        if (cells.size() > static_cast<size_t>(cols)) cells.resize(static_cast<size_t>(cols));
        item->KeepCells(std::move(cells));
    }
    MoveDisplayRowsToEnd(rows);
    SetRowCountInternal(RowCount() - static_cast<int>(rows.size()));
    EndGridUpdate();
}

void TExtStringGrid::RestoreRecords(int First, int Last) {
    const int m = Last - First;
    if (m <= 0) return;
    HideEditorIfShown();
    BeginGridUpdate();
    const int shown = RowCount(), cols = StoredColCount();
    SetRowCountInternal(shown + m); // the rows coming back replace what these held
    // Along the store: the visible rows keep their turn, a row coming back
    // takes one of the new rows at the end, a row staying hidden is passed.
    std::vector<int> order;
    order.reserve(static_cast<size_t>(shown + m));
    std::vector<int> placeOf(static_cast<size_t>(m));
    int visible = 0, fresh = shown;
    for (int k = 0; k < FHiddenRows.Count(); ++k) {
        // Record k stands below the first Idx - k visible rows.
        const int visibleAbove = std::min(FHiddenRows.Items(k)->Idx - k, shown);
        while (visible < visibleAbove)
            order.push_back(visible++);
        if (k >= First && k < Last) {
            placeOf[static_cast<size_t>(k - First)] = static_cast<int>(order.size());
            order.push_back(fresh++);
        }
    }
    while (visible < shown)
        order.push_back(visible++);
    ReorderRows(order);
    const bool records = CellPropertiesCount() > 0;
    for (int i = 0; i < m; ++i) {
        TGridItem* item = FHiddenRows.Items(First + i);
        const int d = placeOf[static_cast<size_t>(i)];
        TGridItem::TRowCells cells = item->TakeCells();
        // Columns cut while the row was hidden do not come back.
        for (size_t c = static_cast<size_t>(cols); c < cells.size(); ++c)
            delete cells[c].Object;
        if (cells.size() > static_cast<size_t>(cols)) cells.resize(static_cast<size_t>(cols));
        if (records)
            for (size_t c = 0; c < cells.size(); ++c)
                if (auto* p = dynamic_cast<TCellProperties*>(cells[c].Object)) {
                    p->OwnerCol = static_cast<int>(c);
                    p->OwnerRow = d;
                }
        PutRowCells(d, std::move(cells));
        SetRowHeights(d, item->Height);
    }
    for (int i = Last - 1; i >= First; --i)
        FHiddenRows.Delete(i);
    EndGridUpdate();
}

void TExtStringGrid::UnHideRows(int FromRow, int ToRow) {
    if (!IsHiddenRow(FromRow) || ToRow < FromRow) return;
    RestoreRecords(FHiddenRows.CountBelow(FromRow), FHiddenRows.CountBelow(ToRow + 1));
}

void TExtStringGrid::UnHideRowsAll() {
    RestoreRecords(0, FHiddenRows.Count());
}

void TExtStringGrid::RestoreHiddenRows() {
    RestoreRecords(0, FHiddenRows.Count());
}

void TExtStringGrid::KeepHiddenRowsInGrid() {
    for (int i = 0; i < FHiddenRows.Count(); ++i) {
        TGridItem* item = FHiddenRows.Items(i);
        if (item->Idx - i > RowCount()) item->Idx = RowCount() + i;
    }
}
