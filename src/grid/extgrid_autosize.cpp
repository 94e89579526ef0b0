// Columns and rows sized to their content, and where rotated text starts.

#include <algorithm>
#include <cmath>

#include "grid/extgrid.h"
#include "grid/support/gridtext.h"

void TExtStringGrid::UseCellFont(int ADisplCol, int ARow) {
    // The font as the drawing takes it: the cell's own, the zoom included.
    TBrush brush;
    TGridDrawState state;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    TColor colorTo = clNone;
    GetCellDrawColors(ADisplCol, ARow, Canvas()->Font(), &brush, true, false, false, state, hAlign,
                      vAlign, colorTo);
}

int TExtStringGrid::AutoSizeFrame() const {
    return 2 * (GridLineWidth() + 1) + XYOffset.X;
}

int TExtStringGrid::CellContentExtent(int ADisplCol, int ARow, bool Horizontal, int Frame) {
    const int c = RealColIndex(ADisplCol);
    UseCellFont(ADisplCol, ARow);
    TCellVAlign va = vaTop;
    TCellHAlign ha = haLeft;
    bool shown = true;
    int gw = 0, gh = 0;
    const TCellGraphic* g = GetCellGraphicSize(c, ARow, va, ha, shown, gh, gw);
    // A graphic over the whole cell takes what the cell has.
    if (g && va == vaFull) return (Horizontal ? ColWidths(ADisplCol) : RowHeights(ARow)) - Frame;
    int extent = 0;
    const bool rotated = g && g->CellType == ctRotated;
    if (shown && !ReadCell(c, ARow).empty()) {
        const TPoint s = GetCellContentSize(c, ARow, !Horizontal && FWordWrap);
        extent = Horizontal ? s.X : s.Y;
    } else if (rotated) {
        const TPoint s = GetCellContentSize(c, ARow, false);
        extent = Horizontal ? s.X : s.Y;
    }
    if (g) extent += Horizontal ? gw : gh;
    if (Horizontal && ADisplCol == 0) extent += GetNodeIndent(ARow);
    // The sort indicator keeps its room beside the header text.
    if (Horizontal && SortIndicatorShown(c, ARow)) extent += 14;
    return extent;
}

void TExtStringGrid::AutoSizeCol(int ACol) {
    if (ACol < 0 || ACol >= ColCount()) return;
    const int frame = AutoSizeFrame();
    int widest = 0;
    for (int r = 0; r < RowCount(); ++r)
        // A cell under a merge reaching across columns counts with its range.
        if (!IsXMerged(ACol, r)) widest = std::max(widest, CellContentExtent(ACol, r, true, frame));
    int width = widest + frame;
    if (AutoSizeGrowOnly && width <= ColWidths(ACol)) return;
    UpdateAutoSizeLimits(RealColIndex(ACol), width);
    SetColWidths(ACol, ClampToRange(width, MinColWidth, MaxColWidth));
}

int TExtStringGrid::TextColWidth(int ACol, int ARow, const std::string& Text) {
    UseCellFont(ACol, ARow);
    // As a cell of plain text measures: the text between its margins, then the frame.
    return Canvas()->TextWidth(Text) + 2 * XYOffset.X + AutoSizeFrame();
}

void TExtStringGrid::UpdateAutoSizeLimits(int ACol, int& AWidth) {
    // The sizing event hears of auto-size as of the user's sizing.
    TExtStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TExtStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding) {
    for (int c = DoFixedCols ? 0 : FixedCols(); c < ColCount(); ++c) {
        AutoSizeCol(c);
        if (Padding != 0)
            SetColWidths(c, ClampToRange(ColWidths(c) + Padding, MinColWidth, MaxColWidth));
    }
}

void TExtStringGrid::AutoSizeRow(int ARow) {
    if (ARow < 0 || ARow >= RowCount()) return;
    const int frame = 2 * (GridLineWidth() + 1) + XYOffset.Y;
    int highest = 0;
    for (int dc = 0; dc < ColCount(); ++dc)
        if (!IsYMerged(dc, ARow))
            highest = std::max(highest, CellContentExtent(dc, ARow, false, frame));
    const int height = highest + XYOffset.Y;
    if (AutoSizeGrowOnly && 2 * GridLineWidth() + height <= RowHeights(ARow)) return;
    SetRowHeights(ARow, ClampToRange(height, MinRowHeight, MaxRowHeight));
}

void TExtStringGrid::AutoSizeRows(bool DoFixedRows, int Padding) {
    for (int r = DoFixedRows ? 0 : FixedRows(); r < RowCount(); ++r) {
        AutoSizeRow(r);
        if (Padding != 0)
            SetRowHeights(r, ClampToRange(RowHeights(r) + Padding, MinRowHeight, MaxRowHeight));
    }
}

TPoint TExtStringGrid::GetRotatedTextOrigin(const TRect& R, TAlignment HAlign, TVAlignment VAlign,
                                            const std::string& Text, int Angle) {
    TCanvas& canvas = *Canvas();
    TFont keep;
    keep.Assign(canvas.Font());
    canvas.Font()->Assign(Font());
    const TSize e = canvas.TextExtent(Text + "w");
    canvas.Font()->Assign(&keep);
    const double a = Angle * M_PI / 180.0;
    const int x1 = static_cast<int>(std::lround(std::abs(e.cx * std::cos(a))));
    const int y1 = static_cast<int>(std::lround(std::abs(e.cy * std::sin(a))));
    const int x2 = static_cast<int>(std::lround(std::abs(e.cx * std::sin(a))));
    const int y2 = static_cast<int>(std::lround(std::abs(e.cy * std::cos(a))));
    const int left = R.Left + 2, top = R.Top + 2, right = R.Right - 2, bottom = R.Bottom - 2;
    int norm = ((Angle % 360) + 360) % 360;
    const int quadrant = norm < 91 ? 1 : norm < 181 ? 2 : norm < 271 ? 3 : 4;
    const int vmid = top - (top - bottom + y2 + x2) / 2;
    int x = left, y = top;
    const int h = HAlign == taLeftJustify ? 0 : HAlign == taRightJustify ? 1 : 2;
    const int v = VAlign == vtaTop ? 0 : VAlign == vtaCenter ? 1 : 2;
    switch (quadrant) {
    case 1:
        x = h == 0 ? left : h == 1 ? right - y1 - x1 : left + (right - left - y1 - x1) / 2;
        y = v == 0 ? top + x2 : v == 1 ? vmid + x2 : bottom - y2;
        break;
    case 2:
        x = h == 0 ? left + x1 : h == 1 ? right - y1 : right - (right - left + y1 - x1) / 2;
        y = v == 0 ? top + x2 + y2 : v == 1 ? vmid + x2 + y2 : bottom;
        break;
    case 3:
        x = h == 0 ? left + y1 + x1 : h == 1 ? right : right - (right - left - y1 - x1) / 2;
        y = v == 0 ? top + y2 : v == 1 ? vmid + y2 : bottom - x2;
        break;
    default:
        x = h == 0 ? left + y1 : h == 1 ? right - x1 : left + (right - left + y1 - x1) / 2;
        y = v == 0 ? top : v == 1 ? vmid : bottom - y2 - x2;
        break;
    }
    return {x, y};
}
