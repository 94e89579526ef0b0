// Small named questions and actions of the grid: radio groups and error
// ranges of cells, the lines of a row, repainting a range of cells, cells
// picked one by one and blinking text.
#include <algorithm>

#include "grid/extgrid.h"
#include "grid/support/gridtext.h"
#include "platform/rtl/sysutils.h"

bool TExtStringGrid::GetRadioIndex(int ACol, int ARow, int& Index) {
    const TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || g->CellType != ctRadio) return false;
    Index = g->CellIndex;
    return true;
}

const TStrings* TExtStringGrid::GetRadioOptions(int ACol, int ARow) {
    int c = 0, r = 0;
    const TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    if (!g || g->CellType != ctRadio) return nullptr;
    return dynamic_cast<const TStrings*>(g->CellBitmap);
}

void TExtStringGrid::GetErrorRange(int ACol, int ARow, int& From, int& Length) {
    const TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    From = g ? g->CellErrFrom : 0;
    Length = g ? g->CellErrLen : 0;
}

int TExtStringGrid::GetRowLineCount(int ARow) {
    if (!Multilinecells) return 1;
    int lines = 1;
    for (int c = 0; c < ColCount(); ++c)
        lines = std::max(lines, CountLines(Cells(RealColIndex(c), ARow), true));
    return lines;
}

void TExtStringGrid::SetRowHeightForLines(int ARow, int Lines, int Extra) {
    Canvas()->Font()->Assign(Font());
    const int h = Canvas()->TextHeight("gh");
    SetRowHeights(ARow, ClampToRange((h + h / 8) * Lines + Extra, MinRowHeight, MaxRowHeight));
}

void TExtStringGrid::RepaintCellRange(const TGridRect& R) {
    // A corner out of view gives no place to span to (a merged rectangle of
    // it would stand at the origin): the whole grid then, as RepaintRect does.
    if (IsRectEmpty(CellRect(R.Left, R.Top)) || IsRectEmpty(CellRect(R.Right, R.Bottom))) {
        Invalidate();
        return;
    }
    TRect area = MergedCellRect(R.Left, R.Top);
    const TRect last = MergedCellRect(R.Right, R.Bottom);
    UnionRect(area, area, last);
    InvalidateClientRect(area);
}

std::string TExtStringGrid::GetCellTextDisplayCol(int ACol, int ARow) const {
    return Cells(RealColIndex(ACol), ARow);
}

bool TExtStringGrid::IsSelectedCell(int ACol, int ARow) const {
    return std::any_of(FSelectedCells.begin(), FSelectedCells.end(),
                       [&](const TGridCoord& C) { return C.X == ACol && C.Y == ARow; });
}

void TExtStringGrid::ClearSelectedCells() {
    for (const TGridCoord& c : FSelectedCells)
        RepaintCell(c.X, c.Y);
    FSelectedCells.clear();
}

void TExtStringGrid::PickSelectedCell(int ACol, int ARow, bool Ctrl) {
    int bc = ACol, br = ARow;
    CheckBaseCell(ACol, ARow, bc, br);
    const auto at = std::find_if(FSelectedCells.begin(), FSelectedCells.end(),
                                 [&](const TGridCoord& C) { return C.X == bc && C.Y == br; });
    if (!Ctrl) {
        ClearSelectedCells();
        FSelectedCells.push_back({bc, br});
    } else if (at != FSelectedCells.end()) {
        FSelectedCells.erase(at);
    } else {
        FSelectedCells.push_back({bc, br});
    }
    RepaintCell(bc, br);
    InvalidateGridRect(Selection());
}

void TExtStringGrid::SetEnableBlink(bool Value) {
    if (Value == EnableBlink()) return;
    if (!Value) {
        delete FBlinkTimer; // takes itself out of the grid's components
        FBlinkTimer = nullptr;
        FBlinkVisible = true;
        Invalidate();
        return;
    }
    FBlinkTimer = new TTimer(this); // owned by the grid
    FBlinkTimer->SetInterval(500);
    FBlinkTimer->SetOnTimer([this](TObject*) { BlinkTick(); });
}

void TExtStringGrid::BlinkTick() {
    FBlinkVisible = !FBlinkVisible;
    // Only the cells that blink are drawn again.
    auto blinks = [this](int c, int r) {
        const std::string text = UpperCase(Cells(RealColIndex(c), r));
        return text.find("<BLI") != std::string::npos;
    };
    for (int r = 0; r < RowCount(); ++r) {
        if (r >= FixedRows() && r < TopRow()) continue;
        if (r >= TopRow() + VisibleRowCount() + 1 && r < RowCount() - FixedFooters()) continue;
        for (int c = 0; c < ColCount(); ++c) {
            if (c >= FixedCols() && c < LeftCol()) continue;
            if (c >= LeftCol() + VisibleColCount() + 1) break;
            if (blinks(c, r)) RepaintCell(c, r);
        }
    }
}
