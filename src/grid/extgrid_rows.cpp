// Inserting, removing and clearing rows and columns. Rows move as whole rows
// of the store (hidden columns with them) in one pass each; cell records,
// heights, widths, hidden-column flags, hidden rows and selection flags move
// along with their rows and columns.
#include <algorithm>

#include "grid/extgrid.h"

// --- the store's rows --------------------------------------------------------------------

void TExtStringGrid::SetRowCountInternal(int Value) {
    TBaseGrid::SetRowCount(Value);
    DisplTextRowLimit = RowCount();
}

void TExtStringGrid::EmptyStoredRows(int First, int Last) {
    const int cols = StoredColCount();
    for (int r = First; r < Last; ++r)
        for (int c = 0; c < cols; ++c)
            if (!GetRawCell(c, r).empty()) SetRawCell(c, r, "");
}

void TExtStringGrid::MoveDisplayRowsToEnd(const std::vector<int>& Rows) {
    if (Rows.empty()) return;
    const int n = static_cast<int>(Rows.size());
    if (Rows.back() - Rows.front() + 1 == n) {
        MoveRows(Rows.front(), n, RowCount() - n);
        return;
    }
    std::vector<int> order;
    order.reserve(static_cast<size_t>(RowCount()));
    size_t next = 0;
    for (int r = 0; r < RowCount(); ++r) {
        if (next < Rows.size() && Rows[next] == r)
            ++next;
        else
            order.push_back(r);
    }
    order.insert(order.end(), Rows.begin(), Rows.end());
    ReorderRows(order);
}

void TExtStringGrid::InsertRowsInternal(int ARow, int ACount) {
    EndDedicatedEdit();
    SplitMergesAcross(ARow, ARow, false);
    const int before = RowCount();
    SetRowCountInternal(before + ACount);
    EmptyStoredRows(before, before + ACount);
    for (int r = before; r < before + ACount; ++r)
        SetRowHeights(r, DefaultRowHeight());
    MoveRows(before, ACount, ARow);
}

void TExtStringGrid::PlaceCurrentRowAfterRemoval(int OldRow) {
    const int lastNormal = RowCount() - FFixedFooters - 1;
    if (OldRow > lastNormal && lastNormal >= TBaseGrid::FixedRows() && lastNormal != Row())
        FocusCell(Col(), lastNormal, true);
}

void TExtStringGrid::RemoveDisplayRows(const std::vector<int>& Rows) {
    if (Rows.empty()) return;
    EndDedicatedEdit();
    BeginGridUpdate();
    const int oldRow = Row();
    // Real rows first: the hidden rows and selection flags below them move up.
    std::vector<int> reals;
    reals.reserve(Rows.size());
    for (const int d : Rows)
        reals.push_back(RealRowIndex(d));
    const int cols = StoredColCount();
    for (const int d : Rows) {
        ForgetNodesIn(d, d);
        FreeCellPropertiesRect(0, d, cols - 1, d);
    }
    MoveDisplayRowsToEnd(Rows);
    const int before = RowCount(), kept = before - static_cast<int>(Rows.size());
    EmptyStoredRows(kept, before);
    SetRowCountInternal(kept);
    size_t passed = 0;
    for (int i = 0; i < FHiddenRows.Count(); ++i) {
        TGridItem* item = FHiddenRows.Items(i);
        while (passed < reals.size() && reals[passed] < item->Idx)
            ++passed;
        item->Idx -= static_cast<int>(passed);
    }
    // The rows the filter hid keep their real numbers, as the hidden rows do.
    for (int& hidden : FFilterHidden)
        hidden -=
            static_cast<int>(std::lower_bound(reals.begin(), reals.end(), hidden) - reals.begin());
    if (!FRowSelected.empty()) {
        std::vector<bool> flags;
        flags.reserve(FRowSelected.size());
        size_t next = 0;
        for (size_t r = 0; r < FRowSelected.size(); ++r) {
            if (next < reals.size() && reals[next] == static_cast<int>(r)) {
                ++next;
                continue;
            }
            flags.push_back(FRowSelected[r]);
        }
        FRowSelected.swap(flags);
    }
    PlaceCurrentRowAfterRemoval(oldRow);
    EndGridUpdate();
}

// --- rows ----------------------------------------------------------------------------------

void TExtStringGrid::InsertRows(int ARow, int ACount) {
    if (ACount < 1) return;
    if (ARow < 0 || ARow > RowCount()) throw EExtGridError(SInvalidRow);
    const int realAt = RealRowIndex(ARow);
    InsertRowsInternal(ARow, ACount);
    for (int i = FHiddenRows.CountBelow(realAt); i < FHiddenRows.Count(); ++i)
        FHiddenRows.Items(i)->Idx += ACount;
    for (int& hidden : FFilterHidden)
        if (hidden >= realAt) hidden += ACount;
    if (static_cast<int>(FRowSelected.size()) > realAt)
        FRowSelected.insert(FRowSelected.begin() + realAt, static_cast<size_t>(ACount), false);
}

void TExtStringGrid::RemoveRowsSplit(int ARow, int ACount) {
    if (ARow < 0 || ARow >= RowCount() || ACount < 1) return;
    ACount = std::min(ACount, RowCount() - ARow);
    std::vector<int> rows(static_cast<size_t>(ACount));
    for (int i = 0; i < ACount; ++i)
        rows[static_cast<size_t>(i)] = ARow + i;
    RemoveDisplayRows(rows);
}

void TExtStringGrid::RemoveRows(int ARow, int ACount) {
    if (ARow < 0 || ARow >= RowCount() || ACount < 1) return;
    RemoveRowsSplit(ARow, ACount);
    CellsChanged(Rect(0, ARow, ColCount() - 1, ARow + ACount));
}

void TExtStringGrid::RemoveRowRange(int ARow, int ACount) {
    HideEditorIfShown();
    RemoveRows(ARow, ACount);
}

void TExtStringGrid::RemoveSelectedRows() {
    BeginGridUpdate();
    if (!FMouseActions->DisjunctRowSelect()) SelectRowsInSelection(true);
    std::vector<int> rows;
    for (int r = TBaseGrid::FixedRows(); r < RowCount() - FFixedFooters; ++r)
        if (IsRowPicked(r)) rows.push_back(r);
    RemoveDisplayRows(rows);
    EndGridUpdate();
}

void TExtStringGrid::DeleteRow(int ARow) {
    if (ARow < 0 || ARow >= RowCount()) throw EExtGridError(SInvalidRow);
    RemoveRows(ARow, 1);
}

void TExtStringGrid::DeleteColumn(int ACol) {
    if (ACol < 0 || ACol >= ColCount()) throw EExtGridError(SInvalidColumn);
    RemoveCols(RealColIndex(ACol), 1);
}

void TExtStringGrid::AddRow() {
    InsertRows(RowCount(), 1);
}

void TExtStringGrid::AutoInsertRow(int ARow) {
    InsertRows(ARow, 1);
    if (OnAutoInsertRow) OnAutoInsertRow(this, ARow);
}

void TExtStringGrid::AutoDeleteRow(int ARow) {
    RemoveRows(ARow, 1);
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

// --- columns -------------------------------------------------------------------------------

void TExtStringGrid::MoveStoredCell(int FromCol, int ToCol, int ARow) {
    const std::string text = GetRawCell(FromCol, ARow);
    TObject* held = GetRawObject(FromCol, ARow);
    if (!text.empty() || !GetRawCell(ToCol, ARow).empty()) SetRawCell(ToCol, ARow, text);
    if (held || GetRawObject(ToCol, ARow)) SetRawObject(ToCol, ARow, held);
    if (!text.empty()) SetRawCell(FromCol, ARow, "");
    if (held) SetRawObject(FromCol, ARow, nullptr);
    if (auto* p = dynamic_cast<TCellProperties*>(held)) p->OwnerCol = ToCol;
}

void TExtStringGrid::SplitMergesAcrossCols(int ACol) {
    if (ACol <= 0 || ACol >= StoredColCount()) return;
    for (int r = 0; r < RowCount(); ++r)
        if (IsXMerged(ACol, r) && GetBaseCell(ACol, r).X < ACol) SplitCells(ACol, r);
}

void TExtStringGrid::InsertCols(int ACol, int ACount) {
    if (ACount < 1) return;
    const int cols = StoredColCount();
    if (ACol < 0 || ACol > cols) throw EExtGridError(SInvalidColumn);
    HideEditorIfShown();
    SplitMergesAcrossCols(ACol);
    const int displAt = DisplColIndex(ACol);
    TBaseGrid::SetColCount(ColCount() + ACount);
    for (int r = 0; r < RowCount(); ++r)
        for (int c = cols - 1; c >= ACol; --c)
            MoveStoredCell(c, c + ACount, r);
    for (int i = 0; i < FHiddenRows.Count(); ++i)
        FHiddenRows.Items(i)->InsertCells(ACol, ACount);
    // Flags and saved widths move right; a hidden column pushed past the
    // flag map cannot stay hidden and is shown again.
    for (int c = std::min(cols - 1, MaxHideableColumns - 1); c >= ACol; --c) {
        const size_t from = static_cast<size_t>(c), to = static_cast<size_t>(c + ACount);
        const bool hidden = FColHidden[from];
        FColHidden[from] = false;
        if (to < static_cast<size_t>(MaxHideableColumns)) {
            FColHidden[to] = hidden;
            FSavedColWidths[to] = FSavedColWidths[from];
        } else if (hidden) {
            --FHiddenColCount;
            TBaseGrid::SetColCount(ColCount() + 1);
        }
    }
    for (int k = ColCount() - 1; k >= displAt + ACount; --k)
        SetColWidths(k, ColWidths(k - ACount));
    for (int k = displAt; k < displAt + ACount && k < ColCount(); ++k)
        SetColWidths(k, DefaultColWidth());
    if (static_cast<int>(FColSelected.size()) > displAt)
        FColSelected.insert(FColSelected.begin() + displAt, static_cast<size_t>(ACount), false);
}

void TExtStringGrid::RemoveCols(int ACol, int ACount) {
    if (ACount < 1) return;
    const int cols = StoredColCount();
    if (ACol < 0 || ACol + ACount > cols) throw EExtGridError(SInvalidColumn);
    HideEditorIfShown();
    ClearCols(ACol, ACount);
    for (int i = 0; i < FHiddenRows.Count(); ++i)
        FHiddenRows.Items(i)->DeleteCells(ACol, ACount);
    int hidden = 0;
    for (int c = ACol; c < ACol + ACount; ++c)
        hidden += IsHiddenColumn(c) ? 1 : 0;
    const int shown = ACount - hidden;
    const int displAt = DisplColIndex(ACol);
    for (int k = displAt; k + shown < ColCount(); ++k)
        SetColWidths(k, ColWidths(k + shown));
    for (int r = 0; r < RowCount(); ++r)
        for (int c = ACol; c + ACount < cols; ++c)
            MoveStoredCell(c + ACount, c, r);
    for (int c = ACol; c < MaxHideableColumns; ++c) {
        const int from = c + ACount;
        const bool inMap = from < MaxHideableColumns;
        FColHidden[static_cast<size_t>(c)] = inMap && FColHidden[static_cast<size_t>(from)];
        FSavedColWidths[static_cast<size_t>(c)] =
            inMap ? FSavedColWidths[static_cast<size_t>(from)] : 0;
    }
    FHiddenColCount -= hidden;
    if (displAt < static_cast<int>(FColSelected.size()))
        FColSelected.erase(
            FColSelected.begin() + displAt,
            FColSelected.begin() +
                std::min<int>(displAt + shown, static_cast<int>(FColSelected.size())));
    TBaseGrid::SetColCount(std::max(ColCount() - shown, 1));
    CellsChanged(Rect(ACol, 0, ACol + ACount, RowCount() - 1));
}

// --- merges of a column ------------------------------------------------------------------

void TExtStringGrid::SplitColumnMerges(int ACol) {
    // The last normal row too: a range may start there and reach sideways.
    for (int r = 0; r < RowCount() - FFixedFooters; ++r) {
        if (!IsMergedCell(ACol, r) || !IsBaseCell(ACol, r)) continue;
        const int span = GetCellSpan(ACol, r).Y;
        SplitCells(ACol, r);
        r += span;
    }
}

void TExtStringGrid::MergeEqualCells(int ACol, bool Always) {
    const int last = RowCount() - 1 - FFixedFooters;
    auto sameBefore = [this, ACol](int R) {
        for (int c = 0; c < ACol; ++c)
            if (ReadCell(c, R) != ReadCell(c, R - 1)) return false;
        return true;
    };
    int runStart = TBaseGrid::FixedRows();
    auto closeRun = [&](int End) {
        if (End - runStart > 1) MergeCells(ACol, runStart, 1, End - runStart);
        runStart = End;
    };
    for (int r = TBaseGrid::FixedRows() + 1; r <= last; ++r)
        if (ReadCell(ACol, r) != ReadCell(ACol, r - 1) || !(Always || sameBefore(r))) closeRun(r);
    closeRun(last + 1);
}

void TExtStringGrid::ApplyAutoMerge() {
    for (int c = 0; c < StoredColCount(); ++c)
        SplitColumnMerges(c);
    for (int i = 0; i < FAutoMergeCols->Count(); ++i)
        MergeEqualCells(FAutoMergeCols->Items(i), i == 0);
}

// --- clearing ------------------------------------------------------------------------------

void TExtStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
    ACol1 = std::max(ACol1, 0);
    ARow1 = std::max(ARow1, 0);
    ACol2 = std::min(ACol2, StoredColCount() - 1);
    ARow2 = std::min(ARow2, RowCount() - 1);
    if (ACol1 > ACol2 || ARow1 > ARow2) return;
    const int nodeCol = RealColIndex(0);
    if (nodeCol >= ACol1 && nodeCol <= ACol2) ForgetNodesIn(ARow1, ARow2);
    FreeCellPropertiesRect(ACol1, ARow1, ACol2, ARow2);
    if (Destroying()) return;
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c)
            if (!GetRawCell(c, r).empty()) {
                SetRawCell(c, r, "");
                RepaintCell(DisplColIndex(c), r);
            }
    CellsChanged(Rect(ACol1, ARow1, ACol2, ARow2));
}

void TExtStringGrid::ClearRows(int ARow, int ACount) {
    if (RowCount() <= 0 || StoredColCount() <= 0 || ACount < 1) return;
    ClearRect(0, ARow, StoredColCount() - 1, ARow + ACount - 1);
}

void TExtStringGrid::ClearCols(int ACol, int ACount) {
    if (RowCount() <= 0 || StoredColCount() <= 0 || ACount < 1) return;
    ClearRect(ACol, 0, ACol + ACount - 1, RowCount() - 1);
}

void TExtStringGrid::ClearGrid() {
    if (RowCount() > 0 && StoredColCount() > 0)
        ClearRect(0, 0, StoredColCount() - 1, RowCount() - 1);
    FLookupText.clear();
}
