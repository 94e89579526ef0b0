// The grid's side of the floating footer: the settings object, the drawing
// of a footer cell, the footer functions of the last row, and the grid's own
// paint that keeps the strip in its place.

#include <cmath>
#include <cstdio>
#include <limits>

#include "grid/extgrid.h"
#include "platform/rtl/sysutils.h"

TFloatingFooter* TExtStringGrid::FloatingFooter() {
    if (!FFloatingFooter) FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    return FFloatingFooter.get();
}

void TExtStringGrid::DrawFooterCell(TCanvas& Canvas, int ACol, int ARow, const TRect& Rect) {
    if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= ColCount()) return;
    Canvas.Font()->Assign(Font());
    DrawGridCell(Canvas, ACol, ARow, Rect, TGridDrawState{gdFixed});
}

void TExtStringGrid::CalcFooter(int ACol) {
    if (!FFloatingFooter || !FFloatingFooter->Visible() ||
        FFloatingFooter->FooterStyle() == fsCustomPreview)
        return;
    const int last = RowCount() - 1;
    // An empty grid has no rows to count: the footer stays as it is.
    if (last < FixedRows()) return;
    const int from = ACol < 0 ? 0 : ACol, to = ACol < 0 ? StoredColCount() - 1 : ACol;
    for (int c = from; c <= to; ++c) {
        const TCellProperties* p = FindCellProperties(c, last);
        if (!p) continue;
        int function = p->FooterFunction & 0x7F;
        double sum = 0, lo = std::numeric_limits<double>::max(), hi = -lo;
        int count = 0;
        for (int r = FixedRows(); r < last; ++r) {
            double v = 0;
            if (!TryStrToFloat(ReadCell(c, r), v)) v = 0;
            sum += v;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            ++count;
        }
        // Of no rows there is no average, minimum or maximum to show.
        if (count == 0 && (function == 2 || function == 4 || function == 5)) function = 0;
        double value = 0;
        switch (function) {
        case 1:
            value = sum;
            break;
        case 2:
            value = sum / count;
            break;
        case 3:
            value = count;
            break;
        case 4:
            value = lo;
            break;
        case 5:
            value = hi;
            break;
        default:
            WriteCell(c, last, "");
            continue;
        }
        std::string text;
        if (value == std::floor(value) && std::abs(value) < 1e15) {
            text = std::to_string(static_cast<long long>(value));
        } else {
            char buf[64];
            std::snprintf(buf, sizeof buf, FloatFormat.c_str(), value);
            text = buf;
        }
        WriteCell(c, last, text);
    }
}

void TExtStringGrid::Paint() {
    if (FFloatingFooter && FFloatingFooter->Visible()) {
        const TFooterPanel* panel = FFloatingFooter->Panel();
        const int h = FFloatingFooter->FooterHeight() - 1;
        if (panel && (panel->Top() != ClientHeight() - h || panel->Width() != ClientWidth()))
            FFloatingFooter->PlacePanel();
    }
    TBaseGrid::Paint();
    if (EditorMode()) {
        TCanvas& canvas = *Canvas();
        const bool lines = GridLineWidth() >= 1 &&
                           (Options().Contains(goHorzLine) || Options().Contains(goVertLine));
        canvas.Pen()->SetColor(lines ? GridLineColor() : Color());
        canvas.Brush()->SetStyle(bsClear);
        TRect r = MergedCellRect(Col(), Row());
        canvas.Rectangle(r.Left - 1, r.Top - 1, r.Right, r.Bottom);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Pen()->SetColor(clBlack);
    }
    if (FOwnSizingCol >= 0) DrawSizingLine(FOwnSizingX);
    PaintFlatBorder();
}

void TExtStringGrid::PaintFlatBorder() {
    if ((FLook != glSoft && FLook != glHouse && FLook != glXP) || BorderStyle() != bsSingle ||
        FFlat)
        return;
    TCanvas& canvas = *Canvas();
    const int saved = canvas.SaveDC();
    canvas.SetWindowOrg({0, 0});
    canvas.ResetClip();
    // The scroll bars keep their own edges.
    const int w = Width() - (VertScrollBarShown() ? GridScrollBarSize : 0);
    const int h = Height() - (HorzScrollBarShown() ? GridScrollBarSize : 0);
    canvas.Brush()->SetColor(0x808080);
    canvas.FrameRect({1, 1, w - 1, h - 1});
    if (Parent()) {
        canvas.Brush()->SetColor(Parent()->Color());
        canvas.FrameRect({0, 0, w, h});
    }
    canvas.RestoreDC(saved);
}
