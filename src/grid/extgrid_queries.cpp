// Small named questions and actions of the grid: radio groups and error
// ranges of cells, the lines of a row, the selection as text (what a drag
// carries), repainting a range of cells.
#include <algorithm>

#include "grid/extgrid.h"
#include "grid/support/gridtext.h"
#include "platform/vcl/rtftext.h"

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

std::string TExtStringGrid::GetSelectionAsText() {
    const TGridRect s = Selection();
    int left = s.Left, right = s.Right;
    if (Options().Contains(goRowSelect) && FDragDropSettings->OleEntireRows) {
        left = 0;
        right = ColCount() - 1;
    }
    std::vector<int> rows;
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (GetRowSelect(FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r))
                rows.push_back(r);
    } else {
        for (int r = s.Top; r <= s.Bottom; ++r)
            rows.push_back(r);
    }
    std::string text;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i) text += "\r\n";
        for (int c = left; c <= right; ++c) {
            if (c > left) text += '\t';
            std::string cell = Cells(RealColIndex(c), rows[i]);
            if (cell.find("{\\") != std::string::npos)
                cell = RTFToPlainText(cell);
            else if (Multilinecells && CountLines(cell, true) > 1)
                cell = QuoteMultiLineText(cell);
            text += cell;
        }
    }
    return text;
}

void TExtStringGrid::RepaintCellRange(const TGridRect& R) {
    TRect area = MergedCellRect(R.Left, R.Top);
    const TRect last = MergedCellRect(R.Right, R.Bottom);
    UnionRect(area, area, last);
    InvalidateClientRect(area);
}

std::string TExtStringGrid::GetCellTextDisplayCol(int ACol, int ARow) const {
    return Cells(RealColIndex(ACol), ARow);
}
