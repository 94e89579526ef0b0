// Moving many rows of a grid in one pass: a block of rows to another place,
// and all rows into a new order. A grid of a hundred thousand rows that hides,
// shows, inserts or removes rows one at a time would otherwise move every row
// below once per row.
#include "platform/vcl/grids/grids.h"

#include <algorithm>
#include <utility>

namespace {

// Rotates the block [From, From + Count) of List so that it starts at To.
template <class T> void RotateBlock(std::vector<T>& List, int From, int Count, int To) {
    const auto at = [&List](int I) { return List.begin() + I; };
    if (To < From)
        std::rotate(at(To), at(From), at(From + Count));
    else if (To > From)
        std::rotate(at(From), at(From + Count), at(To + Count));
}

template <class T> void Permute(std::vector<T>& List, const std::vector<int>& Order) {
    std::vector<T> result;
    result.reserve(List.size());
    for (const int from : Order)
        result.push_back(std::move(List[static_cast<size_t>(from)]));
    List.swap(result);
}

} // namespace

void TCustomGrid::MoveRows(int FromIndex, int Count, int ToIndex) {
    if (Count < 0 || FromIndex < 0 || ToIndex < 0 || FromIndex + Count > FRowCount ||
        ToIndex + Count > FRowCount)
        throw EInvalidGridOperation("Grid index out of range");
    if (Count == 0 || FromIndex == ToIndex) return;
    HideEdit();
    RotateBlock(FRowHeights, FromIndex, Count, ToIndex);
    RowsMoved(FromIndex, Count, ToIndex);
    RowHeightsChanged();
    if (FEditorMode) UpdateEditor();
}

void TCustomGrid::ReorderRows(const std::vector<int>& Order) {
    if (static_cast<int>(Order.size()) != FRowCount)
        throw EInvalidGridOperation("Grid index out of range");
    std::vector<unsigned char> seen(Order.size(), 0);
    for (const int from : Order) {
        if (from < 0 || from >= FRowCount || seen[static_cast<size_t>(from)])
            throw EInvalidGridOperation("Grid index out of range");
        seen[static_cast<size_t>(from)] = 1;
    }
    HideEdit();
    Permute(FRowHeights, Order);
    RowsReordered(Order);
    RowHeightsChanged();
    if (FEditorMode) UpdateEditor();
}

void TStringGrid::RowsMoved(int FromIndex, int Count, int ToIndex) {
    if (FStore.size() < static_cast<size_t>(RowCount()))
        FStore.resize(static_cast<size_t>(RowCount()));
    RotateBlock(FStore, FromIndex, Count, ToIndex);
    TDrawGrid::RowsMoved(FromIndex, Count, ToIndex);
}

void TStringGrid::RowsReordered(const std::vector<int>& Order) {
    // What the store keeps beyond the rows stays where it is.
    if (FStore.size() < Order.size()) FStore.resize(Order.size());
    std::vector<std::vector<TCell>> result;
    result.reserve(FStore.size());
    for (const int from : Order)
        result.push_back(std::move(FStore[static_cast<size_t>(from)]));
    for (size_t i = Order.size(); i < FStore.size(); ++i)
        result.push_back(std::move(FStore[i]));
    FStore.swap(result);
    TDrawGrid::RowsReordered(Order);
}

TStringGrid::TRowCells TStringGrid::TakeRowCells(int ARow) {
    if (ARow < 0) throw EInvalidGridOperation("Grid index out of range");
    if (static_cast<size_t>(ARow) >= FStore.size()) return {};
    TRowCells cells;
    cells.swap(FStore[static_cast<size_t>(ARow)]);
    if (ARow < RowCount()) InvalidateRow(ARow);
    return cells;
}

void TStringGrid::PutRowCells(int ARow, TRowCells Cells) {
    if (ARow < 0) throw EInvalidGridOperation("Grid index out of range");
    if (FStore.size() <= static_cast<size_t>(ARow)) FStore.resize(static_cast<size_t>(ARow) + 1);
    FStore[static_cast<size_t>(ARow)] = std::move(Cells);
    if (ARow < RowCount()) InvalidateRow(ARow);
}
