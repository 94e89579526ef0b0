// The string grid: a text and an object per cell, row and column views that
// read and write the same cells, and the default drawing of a cell's text.
#include "platform/vcl/grids/grids.h"

#include <algorithm>

namespace {

// Room between a cell's edge and its text.
constexpr int TextMargin = 2;

// Moves one item of a row (or the store's rows) to another place; a list
// that does not reach as far is filled with empty items first, one that ends
// before both places has nothing to move.
template <class T> void MoveItem(std::vector<T>& List, int FromIndex, int ToIndex) {
    if (List.size() <= static_cast<size_t>(std::min(FromIndex, ToIndex))) return;
    const size_t need = static_cast<size_t>(std::max(FromIndex, ToIndex)) + 1;
    if (List.size() < need) List.resize(need);
    const auto from = List.begin() + FromIndex, to = List.begin() + ToIndex;
    if (FromIndex < ToIndex)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
}

} // namespace

// --- row and column views ------------------------------------------------------------

int TStringGridStrings::Count() const {
    return FIsRow ? FGrid->ColCount() : FGrid->RowCount();
}

std::string TStringGridStrings::Get(int Index) const {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
    return FGrid->Cells(CellCol(Index), CellRow(Index));
}

void TStringGridStrings::Put(int Index, const std::string& S) {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
    FGrid->SetCells(CellCol(Index), CellRow(Index), S);
}

TObject* TStringGridStrings::GetObject(int Index) const {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
    return FGrid->Objects(CellCol(Index), CellRow(Index));
}

void TStringGridStrings::PutObject(int Index, TObject* AObject) {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
    FGrid->SetObjects(CellCol(Index), CellRow(Index), AObject);
}

int TStringGridStrings::Add(const std::string& S) {
    const int index = FAddPos;
    if (index >= Count()) return -1; // no cell left in this row or column
    Put(index, S);
    ++FAddPos;
    return index;
}

int TStringGridStrings::AddObject(const std::string& S, TObject* AObject) {
    const int index = Add(S);
    if (index >= 0) PutObject(index, AObject);
    return index;
}

void TStringGridStrings::Insert(int Index, const std::string& S) {
    Put(Index, S);
}

void TStringGridStrings::Delete(int Index) {
    Put(Index, "");
    PutObject(Index, nullptr);
}

void TStringGridStrings::Clear() {
    for (int i = 0; i < Count(); ++i) {
        FGrid->SetCells(CellCol(i), CellRow(i), "");
        FGrid->SetObjects(CellCol(i), CellRow(i), nullptr);
    }
    FAddPos = 0;
}

// --- TStringGrid ---------------------------------------------------------------------

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

const TStringGrid::TCell* TStringGrid::FindCell(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ARow >= static_cast<int>(FStore.size())) return nullptr;
    const auto& row = FStore[static_cast<size_t>(ARow)];
    if (ACol >= static_cast<int>(row.size())) return nullptr;
    return &row[static_cast<size_t>(ACol)];
}

TStringGrid::TCell& TStringGrid::CellAt(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0) throw EInvalidGridOperation("Grid index out of range");
    if (ARow >= static_cast<int>(FStore.size())) FStore.resize(static_cast<size_t>(ARow) + 1);
    auto& row = FStore[static_cast<size_t>(ARow)];
    if (ACol >= static_cast<int>(row.size())) {
        // A row filled cell by cell grows once to the grid's width, not by doubling.
        row.reserve(std::max(static_cast<size_t>(ACol) + 1, static_cast<size_t>(ColCount())));
        row.resize(static_cast<size_t>(ACol) + 1);
    }
    return row[static_cast<size_t>(ACol)];
}

std::string TStringGrid::Cells(int ACol, int ARow) const {
    const TCell* cell = FindCell(ACol, ARow);
    return cell ? cell->Text : std::string();
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
    TCell& cell = CellAt(ACol, ARow);
    if (cell.Text == Value) return;
    cell.Text = Value;
    InvalidateCell(ACol, ARow);
    // Code that writes the edited cell shows the new text in the editor too.
    if (!FUpdatingEdit && EditorMode() && InplaceEditor() && ACol == Col() && ARow == Row())
        InvalidateEditor();
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
    const TCell* cell = FindCell(ACol, ARow);
    return cell ? cell->Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
    if (!Value && !FindCell(ACol, ARow)) {
        if (ACol < 0 || ARow < 0) throw EInvalidGridOperation("Grid index out of range");
        return;
    }
    CellAt(ACol, ARow).Object = Value;
}

TStrings* TStringGrid::Rows(int ARow) {
    if (ARow < 0 || ARow >= RowCount()) throw EInvalidGridOperation("Grid index out of range");
    auto& view = FRowViews[ARow];
    if (!view) view = std::make_unique<TStringGridStrings>(this, true, ARow);
    return view.get();
}

TStrings* TStringGrid::Cols(int ACol) {
    if (ACol < 0 || ACol >= ColCount()) throw EInvalidGridOperation("Grid index out of range");
    auto& view = FColViews[ACol];
    if (!view) view = std::make_unique<TStringGridStrings>(this, false, ACol);
    return view.get();
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
    std::string value = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    FUpdatingEdit = true;
    try {
        SetCells(ACol, ARow, Value);
    } catch (...) {
        FUpdatingEdit = false;
        throw;
    }
    FUpdatingEdit = false;
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (DefaultDrawing()) {
        const std::string text = Cells(ACol, ARow);
        if (!text.empty())
            Canvas()->TextRect(ARect, ARect.Left + TextMargin, ARect.Top + TextMargin, text);
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
    for (auto& row : FStore)
        MoveItem(row, FromIndex, ToIndex);
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
    MoveItem(FStore, FromIndex, ToIndex);
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::DeleteColumn(int ACol) {
    TDrawGrid::DeleteColumn(ACol);
    // The deleted column went to the end; it must not come back when the
    // grid grows again.
    const size_t gone = static_cast<size_t>(ColCount());
    for (auto& row : FStore)
        if (row.size() > gone) row[gone] = TCell{};
}

void TStringGrid::DeleteRow(int ARow) {
    TDrawGrid::DeleteRow(ARow);
    const size_t gone = static_cast<size_t>(RowCount());
    if (FStore.size() > gone) FStore[gone].clear();
}
