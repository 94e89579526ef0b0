#include "grid/support/gridcells.h"

#include <algorithm>

#include "platform/vcl/messages.h"

void TBaseGridCells::GetDisplText(int ACol, int ARow, std::string& Value) {
    if (OnGetDisplText) OnGetDisplText(Self(), ACol, ARow, Value);
}

// --- texts ----------------------------------------------------------------------

std::string TBaseGridCells::GetCellText(int ACol, int ARow) {
    const TPoint b = GetBaseCell(ACol, ARow);
    std::string text = GetRawCell(b.X, b.Y);
    if (b.Y < DisplTextRowLimit) GetDisplText(b.X, b.Y, text);
    return text;
}

void TBaseGridCells::SetCellText(int ACol, int ARow, const std::string& Value) {
    if (HasCellProperties(ACol, ARow)) {
        const TPoint b = GetBaseCell(ACol, ARow);
        SetRawCell(b.X, b.Y, Value);
        if (HasParentWindow()) InvalidateCellArea(MergedCellRect(ACol, ARow));
    } else {
        SetRawCell(ACol, ARow, Value);
    }
    if (FooterRow && ARow == RowCount() - 1) UpdateFooter();
}

// --- records --------------------------------------------------------------------

bool TBaseGridCells::HasCellProperties(int ACol, int ARow) const {
    return GetRawObject(ACol, ARow) != nullptr;
}

TCellProperties* TBaseGridCells::FindCellProperties(int ACol, int ARow) const {
    return dynamic_cast<TCellProperties*>(GetRawObject(ACol, ARow));
}

TCellProperties* TBaseGridCells::GetCellProperties(int ACol, int ARow) {
    if (TCellProperties* p = FindCellProperties(ACol, ARow)) return p;
    auto* p = new TCellProperties(this, ACol, ARow); // owned by the grid from here
    SetRawObject(ACol, ARow, p);
    return p;
}

void TBaseGridCells::SetCellProperties(int ACol, int ARow, TCellProperties* AObject) {
    TObject* held = GetRawObject(ACol, ARow);
    if (held == AObject) return; // storing the record held must not free it
    SetRawObject(ACol, ARow, AObject);
    delete held;
}

TObject* TBaseGridCells::GetCellObject(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->CellObject : nullptr;
}

void TBaseGridCells::SetCellObject(int ACol, int ARow, TObject* AObject) {
    GetCellProperties(ACol, ARow)->CellObject = AObject;
}

TObject* TBaseGridCells::GetGraphicObject(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GraphicObject : nullptr;
}

void TBaseGridCells::SetGraphicObject(int ACol, int ARow, TObject* AObject) {
    GetCellProperties(ACol, ARow)->GraphicObject = AObject;
}

void TBaseGridCells::FreeCellPropertiesRect(int Col1, int Row1, int Col2, int Row2) {
    Col1 = std::max(Col1, 0);
    Row1 = std::max(Row1, 0);
    Col2 = std::min(Col2, StoredColCount() - 1);
    Row2 = std::min(Row2, RowCount() - 1);
    for (int c = Col1; c <= Col2; ++c)
        for (int r = Row1; r <= Row2; ++r)
            if (IsMergedCell(c, r)) SplitCells(c, r);
    for (int c = Col1; c <= Col2; ++c)
        for (int r = Row1; r <= Row2; ++r) {
            TObject* held = GetRawObject(c, r);
            if (!held) continue;
            SetRawObject(c, r, nullptr);
            delete held;
        }
}

void TBaseGridCells::FreeAllCellProperties() {
    FreeCellPropertiesRect(0, 0, StoredColCount() - 1, RowCount() - 1);
}

// --- merged cells ---------------------------------------------------------------

TPoint TBaseGridCells::GetBaseCell(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || p->IsBaseCell || p->CellSpanX == -1 || p->CellSpanY == -1) return {ACol, ARow};
    return {ACol - p->CellSpanX, ARow - p->CellSpanY};
}

bool TBaseGridCells::IsBaseCell(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return !p || p->IsBaseCell;
}

bool TBaseGridCells::CheckBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const {
    const TPoint b = GetBaseCell(ACol, ARow);
    BaseCol = b.X;
    BaseRow = b.Y;
    return IsBaseCell(ACol, ARow);
}

bool TBaseGridCells::IsMergedCell(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && (p->CellSpanX > 0 || p->CellSpanY > 0);
}

bool TBaseGridCells::IsXMerged(int ACol, int ARow) const {
    if (!FindCellProperties(ACol, ARow)) return false;
    const TPoint b = GetBaseCell(ACol, ARow);
    const TCellProperties* p = FindCellProperties(b.X, b.Y);
    return p && p->CellSpanX > 0;
}

bool TBaseGridCells::IsYMerged(int ACol, int ARow) const {
    if (!FindCellProperties(ACol, ARow)) return false;
    const TPoint b = GetBaseCell(ACol, ARow);
    const TCellProperties* p = FindCellProperties(b.X, b.Y);
    return p && p->CellSpanY > 0;
}

TPoint TBaseGridCells::GetCellSpan(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || p->CellSpanX == -1 || p->CellSpanY == -1) return {0, 0};
    const TPoint b = GetBaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    if (!base) return {0, 0};
    return {base->CellSpanX, base->CellSpanY};
}

bool TBaseGridCells::MergeCells(int ACol, int ARow, int ColumnCount, int RowCount) {
    if (ColumnCount < 1 || RowCount < 1 || ACol < 0 || ARow < 0 ||
        ACol + ColumnCount > StoredColCount() || ARow + RowCount > this->RowCount())
        return false;
    // A range may belong to one merge only: what the new range overlaps is split.
    for (int c = ACol; c < ACol + ColumnCount; ++c)
        for (int r = ARow; r < ARow + RowCount; ++r)
            if (IsMergedCell(c, r)) SplitCells(c, r);
    for (int c = ACol; c < ACol + ColumnCount; ++c)
        for (int r = ARow; r < ARow + RowCount; ++r) {
            TCellProperties* p = GetCellProperties(c, r);
            const bool base = c == ACol && r == ARow;
            p->IsBaseCell = base;
            p->CellSpanX = base ? ColumnCount - 1 : c - ACol;
            p->CellSpanY = base ? RowCount - 1 : r - ARow;
        }
    for (int c = ACol; c < ACol + ColumnCount; ++c)
        for (int r = ARow; r < ARow + RowCount; ++r)
            RepaintCell(c, r);
    return true;
}

void TBaseGridCells::SplitCells(int ACol, int ARow) {
    const TPoint b = GetBaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    if (!base) return;
    const int lastCol = std::min(b.X + base->CellSpanX, StoredColCount() - 1);
    const int lastRow = std::min(b.Y + base->CellSpanY, RowCount() - 1);
    for (int c = b.X; c <= lastCol; ++c)
        for (int r = b.Y; r <= lastRow; ++r)
            if (TCellProperties* p = FindCellProperties(c, r)) {
                p->IsBaseCell = true;
                p->CellSpanX = p->CellSpanY = -1;
            }
    for (int c = b.X; c <= lastCol; ++c)
        for (int r = b.Y; r <= lastRow; ++r)
            RepaintCell(c, r);
}

bool TBaseGridCells::RowsInSameMerge(int ARow1, int ARow2) const {
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (!IsYMerged(c, ARow1) || !IsYMerged(c, ARow2)) continue;
        found = true;
        // Two merges of the same height are still two merges.
        if (GetBaseCell(c, ARow1) != GetBaseCell(c, ARow2)) return false;
    }
    return found;
}

// --- geometry -------------------------------------------------------------------

TRect TBaseGridCells::SizeSummingRect(int ACol, int ARow) const {
    const TRect origin = InheritedCellRect(LeftCol(), TopRow());
    int x = 0, y = 0;
    for (int c = 0; c < ACol; ++c)
        x += ColWidth(c);
    for (int r = 0; r < ARow; ++r)
        y += RowHeight(r);
    if (ACol >= FixedCols()) {
        for (int c = 0; c < LeftCol(); ++c)
            x -= ColWidth(c);
        x += origin.Left;
    }
    if (ARow >= FixedRows()) {
        for (int r = 0; r < TopRow(); ++r)
            y -= RowHeight(r);
        y += origin.Top;
    }
    return Bounds(x, y, ColWidth(ACol), RowHeight(ARow));
}

TRect TBaseGridCells::MergedCellRect(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || (p->CellSpanX == -1 && p->CellSpanY == -1 && !p->Control())) {
        const TRect r = InheritedCellRect(ACol, ARow);
        return Bounds(r.Left, r.Top, ColWidth(ACol), RowHeight(ARow));
    }
    if (p->CellSpanX == -1 && p->CellSpanY == -1) return SizeSummingRect(ACol, ARow);
    const TPoint b = GetBaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    const int spanX = base ? std::max(base->CellSpanX, 0) : 0;
    const int spanY = base ? std::max(base->CellSpanY, 0) : 0;
    const TRect first = SizeSummingRect(b.X, b.Y);
    const TRect last = SizeSummingRect(std::min(b.X + spanX, ColCount() - 1),
                                       std::min(b.Y + spanY, RowCount() - 1));
    return {first.Left, first.Top, last.Right, last.Bottom};
}

TPoint TBaseGridCells::GetCellSize(int ACol, int ARow) const {
    const TRect r = MergedCellRect(ACol, ARow);
    return {r.Width(), r.Height()};
}

void TBaseGridCells::RepaintCell(int ACol, int ARow) {
    if (HasParentWindow() && InGrid(ACol, ARow)) InvalidateCellArea(MergedCellRect(ACol, ARow));
}

// --- the current cell -----------------------------------------------------------

void TBaseGridCells::FocusBaseCell() {
    const int c = CurrentCol(), r = CurrentRow();
    if (!HasCellProperties(c, r)) return;
    const TPoint b = GetBaseCell(c, r);
    if (b.X != c || b.Y != r) SetCurrentCell(b.X, b.Y);
}

void TBaseGridCells::StepOutOfMerge(unsigned short Key) {
    const int col = CurrentCol(), row = CurrentRow();
    if (Key == VK_NEXT && FooterRow && RowCount() > 1 &&
        VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1)
        SetCurrentCell(col, RowCount() - 2);
    if (!HasCellProperties(col, row)) return;
    const TPoint b = GetBaseCell(col, row);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    if (!base) return;
    const int spanX = std::max(base->CellSpanX, 0), spanY = std::max(base->CellSpanY, 0);
    switch (Key) {
    case VK_RIGHT:
        if (b.X + spanX >= col && col < ColCount() - 1 && b.X < ColCount() - 1)
            SetCurrentCell(b.X + spanX, row);
        break;
    case VK_DOWN:
        if (b.Y + spanY >= row && row < RowCount() - 1 && b.Y < RowCount() - 1)
            SetCurrentCell(col, b.Y + spanY);
        break;
    case VK_LEFT:
        if (b.X != col) SetCurrentCell(b.X, row);
        break;
    case VK_UP:
        if (b.Y != row) SetCurrentCell(col, b.Y);
        break;
    default:
        break;
    }
}

void TBaseGridCells::ClearCell(int ACol, int ARow) {
    FreeCellPropertiesRect(ACol, ARow, ACol, ARow);
    SetCellText(ACol, ARow, "");
}

void TBaseGridCells::ClearRow(int ARow) {
    FreeCellPropertiesRect(0, ARow, ColCount() - 1, ARow);
    for (int c = 0; c < ColCount(); ++c)
        SetCellText(c, ARow, "");
}

void TBaseGridCells::ClearCol(int ACol) {
    FreeCellPropertiesRect(ACol, 0, ACol, RowCount() - 1);
    for (int r = 0; r < RowCount(); ++r)
        SetCellText(ACol, r, "");
}
