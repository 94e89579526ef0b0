// The content of one cell, painted in steps over one cell-paint context:
// selection colours, the text to show, the filter glyph, the background
// picture, the selection frame, then the text by its kind.

#include <algorithm>

#include "grid/cellpaint.h"
#include "grid/extgrid.h"
#include "grid/support/griddraw.h"
#include "grid/support/gridtext.h"
#include "grid/support/gridvalues.h"
#include "grid/support/htmlcanvas.h"
#include "grid/support/widecell.h"
#include "platform/vcl/gfx/drawcontrols.h"

namespace {

unsigned HorzFlag(TAlignment A) {
    return A == taCenter ? DT_CENTER : A == taRightJustify ? DT_RIGHT : DT_LEFT;
}

unsigned VertFlag(TVAlignment A) {
    return A == vtaCenter ? DT_VCENTER : A == vtaBottom ? DT_BOTTOM : DT_TOP;
}

// Text up to the first line break.
std::string FirstLine(const std::string& Text) {
    const size_t at = Text.find_first_of("\r\n");
    return at == std::string::npos ? Text : Text.substr(0, at);
}

// Where the sort indicator stands in R for the cell's vertical alignment.
int IndicatorY(const TRect& R, TVAlignment VAlign) {
    return VAlign == vtaTop      ? R.Top + 8
           : VAlign == vtaBottom ? R.Bottom - 8
                                 : (R.Top + R.Bottom) / 2;
}

} // namespace

void TExtStringGrid::DrawCellContent(TCellPaintContext& Cell) {
    PaintSelectionColors(Cell);
    PrepareCellText(Cell);
    PaintFilterGlyph(Cell);
    PaintBackgroundPicture(Cell);
    PaintSelectionRectangle(Cell);
    if (!Cell.TextShown || !PlaceTextRect(Cell)) return;
    Cell.SortIndicator = SortIndicatorShown(Cell.RealCol, Cell.Row);
    Cell.Canvas.SetBkMode(TRANSPARENT);
    if (Cell.Kind == cckHTML)
        PaintHTMLText(Cell);
    else if (Cell.Kind == cckRichText)
        PaintRichText(Cell);
    else if (Cell.Kind == cckWide)
        PaintWideText(Cell);
    else
        PaintPlainText(Cell);
}

void TExtStringGrid::PaintSelectionColors(TCellPaintContext& Cell) {
    TCanvas& Canvas = Cell.Canvas;
    const int ACol = Cell.Col, ARow = Cell.Row;
    Cell.NormalArea = ACol >= FixedCols() && ARow >= FixedRows() &&
                      ACol < ColCount() - FFixedRightCols && ARow < RowCount() - FFixedFooters;
    Cell.URLColor = FURLColor;
    const bool selected = Cell.State.Contains(gdSelected) ||
                          (FMouseActions->DisjunctRowSelect() && Options().Contains(goRowSelect) &&
                           Cell.NormalArea && IsRowPicked(ARow));
    Cell.DrawnSelected = false;
    Cell.Focused = Cell.State.Contains(gdFocused) || IsFocusedCell(ACol, ARow);
    if (!selected || (Cell.Focused && !Options().Contains(goDrawFocusSelected))) return;
    if (FShowSelection) {
        if (FSelectionColor != clNone) Canvas.Brush()->SetColor(FSelectionColor);
        if (FSelectionTextColor != clNone) Canvas.Font()->SetColor(FSelectionTextColor);
        Cell.URLColor = FSelectionTextColor;
        Cell.DrawnSelected = true;
    } else if (!Focused() || GetCellType(Cell.RealCol, ARow) == ctCheckBox) {
        Canvas.Brush()->SetColor(Cell.SavedBrush);
        Canvas.Font()->SetColor(Cell.SavedFont);
    }
}

void TExtStringGrid::PrepareCellText(TCellPaintContext& Cell) {
    const int c = Cell.RealCol, r = Cell.Row;
    std::string text = GetFormattedCellText(c, r);
    Cell.Kind = CellContentKind(text, EnableHTML);
    bool password = false;
    IsPasswordCell(c, r, password);
    if (password) text.assign(text.size(), PasswordChar);
    Cell.Text = std::move(text);
}

void TExtStringGrid::PaintFilterGlyph(TCellPaintContext& Cell) {
    Cell.FilterGlyph = Cell.Row == 0 && HasFilter(Cell.RealCol);
    if (!Cell.FilterGlyph) return;
    const TRect& R = Cell.Rect;
    DrawGridGlyph(Cell.Canvas, R.Right - 16, R.Top + std::max(0, (R.Height() - 16) / 2), "XSGFILT");
}

void TExtStringGrid::PaintBackgroundPicture(TCellPaintContext& Cell) {
    const TBackGround& bg = *FBackGround;
    if (bg.Bitmap()->Empty() || GetCellBackColor(Cell.RealCol, Cell.Row) != clNone ||
        Cell.DrawnSelected)
        return;
    const bool fixedCell = !Cell.NormalArea;
    const bool covers = bg.Cells() == bcAll || (bg.Cells() == bcFixed) == fixedCell;
    if (!covers) return;
    TCanvas& Canvas = Cell.Canvas;
    const TRect& R = Cell.Rect;
    const TBitmap& pic = *bg.Bitmap();
    TSavedDC dc(Canvas);
    Canvas.IntersectClipRect(R);
    if (bg.Display() == bdFixed) {
        Canvas.Draw(bg.Left(), bg.Top(), &pic);
        return;
    }
    // Tiles continue across cells: the offset is where the cell sits in the tiled area.
    const int from = bg.Cells() == bcNormal ? FixedCols() : 0;
    const int fromRow = bg.Cells() == bcNormal ? FixedRows() : 0;
    int ox = 0, oy = 0;
    for (int i = from; i < Cell.Col; ++i)
        ox += ColWidths(i);
    for (int i = fromRow; i < Cell.Row; ++i)
        oy += RowHeights(i);
    ox %= std::max(1, pic.Width());
    oy %= std::max(1, pic.Height());
    for (int y = R.Top - oy; y < R.Bottom; y += pic.Height())
        for (int x = R.Left - ox; x < R.Right; x += pic.Width())
            Canvas.Draw(x, y, &pic);
}

void TExtStringGrid::PaintSelectionRectangle(TCellPaintContext& Cell) {
    const int ACol = Cell.Col, ARow = Cell.Row;
    if (!FSelectionRectangle || !IsCellSelected(ACol, ARow)) return;
    TCanvas& Canvas = Cell.Canvas;
    const TGridRect s = Selection();
    const int g = GridLineWidth();
    const TColor oldPen = Canvas.Pen()->Color();
    const int oldWidth = Canvas.Pen()->Width();
    Canvas.Pen()->SetColor(SelectionRectangleColor);
    Canvas.Pen()->SetWidth(2);
    const TRect& R = Cell.Rect;
    const int right = ACol == ColCount() - 1 ? R.Right - 1 : R.Right;
    if (ACol == s.Left) {
        Canvas.MoveTo(R.Left + 1 - g, R.Bottom);
        Canvas.LineTo(R.Left + 1 - g, R.Top - g);
    }
    if (ACol == s.Right) {
        Canvas.MoveTo(R.Right - 1, R.Bottom);
        Canvas.LineTo(R.Right - 1, R.Top - g);
    }
    if (ARow == s.Top) {
        Canvas.MoveTo(R.Left - g, R.Top + 1 - g);
        Canvas.LineTo(right, R.Top + 1 - g);
    }
    if (ARow == s.Bottom) {
        Canvas.MoveTo(R.Left - g, R.Bottom - 1);
        Canvas.LineTo(right, R.Bottom - 1);
    }
    if (FSelectionResizer && ACol == s.Right && ARow == s.Bottom) {
        Canvas.Brush()->SetColor(SelectionRectangleColor);
        Canvas.FillRect({R.Right - 4, R.Bottom - 4, R.Right, R.Bottom});
    }
    Canvas.Pen()->SetWidth(oldWidth);
    Canvas.Pen()->SetColor(oldPen);
    if (Cell.DrawnSelected && FSelectionColor != clNone)
        Canvas.Brush()->SetColor(FSelectionColor);
    else
        Canvas.Brush()->SetColor(Cell.SavedBrush);
}

bool TExtStringGrid::PlaceTextRect(TCellPaintContext& Cell) {
    const TRect& R = Cell.Rect;
    TRect tr{R.Left + XYOffset.X, R.Top + XYOffset.Y, R.Right - XYOffset.X, R.Bottom};
    if (const TCellGraphic* graphic = Cell.Graphic) {
        const TCellHAlign gh = graphic->CellHAlign;
        const int GW = Cell.GraphicWidth, GH = Cell.GraphicHeight;
        if (gh == haBeforeText && Cell.HAlign == taLeftJustify)
            tr.Left += GW;
        else if (gh == haAfterText && Cell.HAlign != taCenter)
            tr.Right -= GW;
        else if (gh == haBeforeText && Cell.HAlign == taRightJustify)
            tr.Left += GW;
        if (graphic->CellVAlign == vaAboveText)
            tr.Top += GH;
        else if (graphic->CellVAlign == vaUnderText)
            tr.Bottom -= GH;
    }
    Cell.TextRect = tr;
    return tr.Right > tr.Left;
}

void TExtStringGrid::PaintHTMLText(TCellPaintContext& Cell) {
    TCanvas& Canvas = Cell.Canvas;
    TRect& tr = Cell.TextRect;
    if (Cell.FilterGlyph) tr.Right -= 18;
    if (Cell.SortIndicator) tr.Right -= 10;
    THTMLRenderParams params;
    params.AnchorColor = Cell.URLColor;
    params.Selected = Cell.DrawnSelected;
    params.WordWrap = FWordWrap;
    params.ShadowColor = 0x808080;
    if (HTMLButtonPressed(Cell.Col, Cell.Row)) {
        // The button under the press is drawn down.
        params.ButtonDown = true;
        params.PointX = FHTMLButtonPoint.X;
        params.PointY = FHTMLButtonPoint.Y;
    }
    params.BlinkVisible = FBlinkVisible;
    THTMLRenderResult result;
    Canvas.Brush()->SetStyle(bsClear);
    RenderHTML(Canvas, Cell.Text, tr, params, result, HTMLImages());
    Canvas.Brush()->SetStyle(bsSolid);
    Cell.TextWidth = result.TextWidth;
    if (Cell.SortIndicator)
        DrawSortIndicator(Canvas, Cell.RealCol, IndicatorY(tr, Cell.VAlign), tr.Right + 2);
}

void TExtStringGrid::PaintPlainText(TCellPaintContext& Cell) {
    TCanvas& Canvas = Cell.Canvas;
    TRect& tr = Cell.TextRect;
    const TAlignment HAlign = Cell.HAlign;
    const TVAlignment VAlign = Cell.VAlign;
    const TCellGraphic* Graphic = Cell.Graphic;
    const bool sortHere = Cell.SortIndicator;
    std::string shown = Cell.Text;
    if (FURLShow && IsURL(shown)) {
        if (!FURLFull) StripURLProtocol(shown);
        Canvas.Font()->SetStyle(Canvas.Font()->Style() + fsUnderline);
        Canvas.Font()->SetColor(Cell.URLColor);
    }
    if (sortHere && Cell.Row == FSortSettings->Row() && HAlign == taCenter) tr.Left += 10;
    if (sortHere) {
        if (HAlign == taLeftJustify)
            tr.Right -= 14;
        else
            tr.Left += 14;
    }
    unsigned flags = DT_EXPANDTABS | DT_NOPREFIX | HorzFlag(HAlign) | VertFlag(VAlign);
    const bool oneLine = CountLines(shown, Multilinecells) <= 1 && !FWordWrap && !Multilinecells;
    if (FWordWrap) {
        flags |= DT_WORDBREAK | DT_EDITCONTROL;
    } else if (oneLine || !Multilinecells) {
        shown = FirstLine(shown);
        flags |= DT_SINGLELINE;
        if (EnhTextSize) flags |= DT_END_ELLIPSIS;
    } else {
        flags |= DT_EDITCONTROL;
    }
    if (Cell.FilterGlyph) tr.Right -= 16;
    if (tr.Right <= tr.Left) return;
    if (Graphic && !shown.empty()) {
        TRect m = tr;
        DrawText(Canvas, shown, m, (flags | DT_CALCRECT) & ~(DT_VCENTER | DT_BOTTOM));
        Cell.TextWidth = m.Width() + 2;
    }
    {
        TSavedDC dc(Canvas);
        Canvas.IntersectClipRect(Cell.Rect);
        Canvas.Brush()->SetStyle(bsClear);
        TRect d = tr;
        if (!(flags & DT_SINGLELINE) && VAlign != vtaTop) {
            // Several lines are placed as a block: centred or at the bottom.
            TRect m = tr;
            DrawText(Canvas, shown, m, (flags | DT_CALCRECT) & ~(DT_VCENTER | DT_BOTTOM));
            const int room = tr.Height() - m.Height();
            if (room > 0) d.Top += VAlign == vtaCenter ? room / 2 : room;
            flags &= ~(DT_VCENTER | DT_BOTTOM);
        }
        DrawText(Canvas, shown, d, flags);
        Canvas.Brush()->SetStyle(bsSolid);
        if (Graphic && Graphic->CellErrLen > 0)
            DrawErrorUnderline(Canvas, tr, shown, Graphic->CellErrFrom, Graphic->CellErrLen);
    }
    if (sortHere) {
        TRect m = tr;
        DrawText(Canvas, FirstLine(shown), m, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        const int w = std::clamp(m.Width(), 0, std::max(0, tr.Width() - 16));
        int x = tr.Left + 8;
        if (HAlign == taLeftJustify)
            x = tr.Left + w + 10 +
                (Graphic && Graphic->CellHAlign == haLeft ? Cell.GraphicWidth : 0);
        else if (HAlign == taRightJustify)
            x = tr.Right - w - 10;
        DrawSortIndicator(Canvas, Cell.RealCol, IndicatorY(tr, VAlign), x);
    }
    Canvas.Font()->SetStyle(Canvas.Font()->Style() - fsUnderline);
}

// Wide and rich text lie on a background of their own, in the colours the
// cell ends up with, so nothing painted below (a header's gradient, a picture)
// shows through; a selected cell without focus and without a selection colour
// keeps the highlight the grid gave it.
void TExtStringGrid::FillTextBackground(TCellPaintContext& Cell) {
    if (Cell.State.Contains(gdSelected) && !Cell.Focused && FSelectionColor == clNone) return;
    Cell.Canvas.Pen()->SetColor(Cell.Canvas.Brush()->Color());
    Cell.Canvas.FillRect(Cell.TextRect);
}

void TExtStringGrid::PaintWideText(TCellPaintContext& Cell) {
    TCanvas& Canvas = Cell.Canvas;
    TRect& tr = Cell.TextRect;
    const std::u16string text = DecodeWideCell(Cell.Text);
    FillTextBackground(Cell);
    unsigned flags = DT_NOPREFIX | HorzFlag(Cell.HAlign) | VertFlag(Cell.VAlign);
    if (FWordWrap)
        flags |= DT_WORDBREAK | DT_EDITCONTROL;
    else if (!Multilinecells)
        flags |= DT_SINGLELINE | DT_END_ELLIPSIS;
    if (Cell.FilterGlyph) tr.Right -= 16;
    if (Cell.SortIndicator) {
        if (Cell.HAlign == taLeftJustify)
            tr.Right -= 14;
        else
            tr.Left += 14;
    }
    if (tr.Right <= tr.Left) return;
    Cell.TextWidth = Canvas.TextExtentW(text).cx + 2;
    {
        TSavedDC dc(Canvas);
        Canvas.IntersectClipRect(Cell.Rect);
        Canvas.Brush()->SetStyle(bsClear);
        TRect d = tr;
        DrawTextW(Canvas, text, d, flags);
        Canvas.Brush()->SetStyle(bsSolid);
    }
    if (Cell.SortIndicator) {
        const int w = std::clamp(Cell.TextWidth - 2, 0, std::max(0, tr.Width() - 16));
        const int x = Cell.HAlign == taLeftJustify    ? tr.Left + w + 10
                      : Cell.HAlign == taRightJustify ? tr.Right - w - 10
                                                      : tr.Left + 8;
        DrawSortIndicator(Canvas, Cell.RealCol, IndicatorY(tr, Cell.VAlign), x);
    }
}
