// The advanced grid's cell painting: colours by state, look and band, the
// fixed-cell looks, text kinds with alignment, wrapping and ellipsis, the sort
// indicator, borders, the selection frame and the focus rectangle; and the
// measuring of a cell's content.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "grid/cellpaint.h"
#include "grid/extgrid.h"
#include "grid/support/griddraw.h"
#include "grid/support/gridtext.h"
#include "grid/support/gridvalues.h"
#include "grid/support/htmlcanvas.h"
#include "grid/support/widecell.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/drawcontrols.h"

bool TExtStringGrid::IsFixed(int ACol, int ARow) {
    if (ARow >= RowCount() - FFixedFooters && ARow >= FixedRows()) return true;
    if (ACol >= ColCount() - FFixedRightCols && ACol >= FixedCols()) return true;
    bool fixed = false;
    IsFixedCell(RealColIndex(ACol), ARow, fixed);
    return fixed;
}

bool TExtStringGrid::IsFocusedCell(int ACol, int ARow) {
    if (!Focused()) return false;
    int bc = ACol, br = ARow, cc = Col(), cr = Row();
    CheckBaseCell(ACol, ARow, bc, br);
    CheckBaseCell(Col(), Row(), cc, cr);
    return bc == cc && br == cr;
}

bool TExtStringGrid::IsCellSelected(int ACol, int ARow) {
    if (ACol < FixedCols() || ARow < FixedRows()) return false;
    if (FMouseActions->DisjunctRowSelect()) {
        return IsRowPicked(ARow);
    }
    if (!FMouseActions->DisjunctColSelect()) {
        const TGridRect s = Selection();
        return ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
    }
    return GetColSelect(ACol);
}

void TExtStringGrid::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    HAlign = taLeftJustify;
    VAlign = FVAlignment;
    if (AutoNumAlign && GetNumberKind(ReadCell(ACol, ARow)) < 2) HAlign = taRightJustify;
    if (const TCellProperties* p = FindCellProperties(ACol, ARow)) HAlign = p->Alignment;
    GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

void TExtStringGrid::GetCellDrawColors(int ACol, int ARow, TFont* AFont, TBrush* ABrush,
                                       bool MapColumn, bool Normal, bool Printing,
                                       TGridDrawState& AState, TAlignment& HAlign,
                                       TVAlignment& VAlign, TColor& ColorTo) {
    // The base grid asks by display column; the drawing of the content by real one.
    const int displCol = MapColumn || Normal ? ACol : DisplColIndex(ACol);
    const int c = MapColumn || Normal ? RealColIndex(ACol) : ACol;
    const int r = ARow;
    const bool fixedArea = displCol < FixedCols() || r < FixedRows();
    const bool usePrintFonts = Printing && !FPrintSettings->UseDisplayFont;
    if (fixedArea)
        AFont->Assign(usePrintFonts ? FPrintSettings->FixedFont() : FFixedFont.get());
    else
        AFont->Assign(usePrintFonts ? FPrintSettings->Font() : Font());

    TColor brush = clNone;
    ColorTo = clNone;
    if (const TCellProperties* p = FindCellProperties(c, r)) {
        brush = p->BrushColor();
        if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        if (p->FontStyle != TFontStyles{}) AFont->SetStyle(p->FontStyle);
        if (p->FontSize != 0) AFont->SetSize(p->FontSize);
        if (!p->FontName.empty()) AFont->SetName(p->FontName);
        ColorTo = p->BrushColorTo();
    }
    const bool normalArea = displCol >= FixedCols() && displCol < ColCount() - FFixedRightCols &&
                            r >= FixedRows() && r < RowCount() - FFixedFooters;
    if (brush == clNone) {
        brush = Color();
        // A band of no length would divide by zero: no bands then.
        if (FBands->Active() && (!Printing || FBands->Print) && normalArea &&
            FBands->Period() > 0) {
            const int pos = (r - FixedRows()) % FBands->Period();
            brush =
                pos < FBands->PrimaryLength() ? FBands->PrimaryColor() : FBands->SecondaryColor();
        }
    }
    ABrush->SetColor(brush);
    const bool fixed = fixedArea || IsFixed(displCol, r);
    if (fixed && !Printing) {
        ABrush->SetColor(FixedColor());
        AFont->SetColor(FFixedFont->Color());
        AState += gdFixed;
    }
    if (Printing)
        GetCellPrintColor(c, r, AState, ABrush, AFont);
    else
        GetCellColor(c, r, AState, ABrush, AFont);
    // The zoom is the screen's alone: paper keeps the fonts as set.
    if (FZoomStep != 0 && !Printing) AFont->SetSize(std::max(1, AFont->Size() + FZoomStep));

    if (Normal && normalArea && !fixed && FShowSelection) {
        auto paintSelected = [&] {
            if (FSelectionColor != clNone)
                ABrush->SetColor(FSelectionColor);
            else if (!AState.Contains(gdFocused))
                ABrush->SetColor(clHighlight);
            if (FSelectionTextColor != clNone) AFont->SetColor(FSelectionTextColor);
        };
        // The focused cell shows its own colours inside a focus rectangle.
        const bool focusOnly = (AState.Contains(gdFocused) || IsFocusedCell(displCol, r)) &&
                               !Options().Contains(goDrawFocusSelected);
        if (FMouseActions->DisjunctRowSelect()) {
            if (IsRowPicked(r)) {
                AState = TGridDrawState{gdSelected};
                paintSelected();
            }
        } else if (FMouseActions->DisjunctColSelect()) {
            if (GetColSelect(displCol)) {
                AState = TGridDrawState{gdSelected};
                paintSelected();
            }
        } else if (FMouseActions->DisjunctCellSelect()) {
            // Only the picked cells; the current cell shows as any other.
            AState -= TGridDrawState{gdSelected};
            if (IsSelectedCell(displCol, r)) {
                AState += gdSelected;
                paintSelected();
            } else if (displCol == Col() && r == Row()) {
                ABrush->SetColor(Color());
                AFont->SetColor(Font()->Color());
            }
        } else if (IsCellSelected(displCol, r) && !focusOnly) {
            AState += gdSelected;
            paintSelected();
        }
    }
    GetCellAlign(c, r, HAlign, VAlign);
}

bool TExtStringGrid::SortIndicatorShown(int ARealCol, int ARow) {
    const TSortSettings& s = *FSortSettings;
    if (!s.Show || ARow != s.Row() || RowCount() <= 2 || FixedRows() <= 0) return false;
    if (DisplColIndex(ARealCol) < FixedCols() && !s.FixedCols) return false;
    if (ARealCol == s.Column) return true;
    const int at = FSortIndexes->FindIndex(ARealCol);
    return at == 0 || (at > 0 && s.IndexShow);
}

void TExtStringGrid::DrawSortIndicator(TCanvas& Canvas, int ACol, int Y, int X) {
    const TSortSettings& s = *FSortSettings;
    const int at = s.IndexShow ? FSortIndexes->FindIndex(ACol) : -1;
    const TColor oldPen = Canvas.Pen()->Color();
    if (at >= 0) {
        const bool ascending = FSortIndexes->SortAscending(at);
        Canvas.Brush()->SetColor(s.IndexColor);
        Canvas.Pen()->SetColor(clBlack);
        const TBitmap* glyph = ascending ? s.IndexDownGlyph() : s.IndexUpGlyph();
        if (!s.IndexUpGlyph()->Empty() && !s.IndexDownGlyph()->Empty())
            DrawTransparentBitmap(Canvas,
                                  {X - 7, Y - 7, X - 7 + glyph->Width(), Y - 7 + glyph->Height()},
                                  *glyph, s.IndexColor);
        else if (ascending)
            Canvas.Polygon({{X - 6, Y + 8}, {X + 6, Y + 8}, {X, Y - 4}});
        else
            Canvas.Polygon({{X - 7, Y - 5}, {X + 7, Y - 5}, {X, Y + 8}});
        TFont oldFont;
        oldFont.Assign(Canvas.Font());
        Canvas.Font()->SetColor(clBlack);
        Canvas.Font()->SetSize(6);
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.TextOut(X - 2, ascending ? Y - 2 : Y - 4, std::to_string(at + 1));
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Font()->Assign(&oldFont);
    } else {
        const bool ascending = s.Direction == sdAscending;
        const TBitmap* glyph = ascending ? s.UpGlyph() : s.DownGlyph();
        if (!s.UpGlyph()->Empty() && !s.DownGlyph()->Empty()) {
            DrawTransparentBitmap(Canvas,
                                  {X - 4, Y - 4, X - 4 + glyph->Width(), Y - 4 + glyph->Height()},
                                  *glyph, FixedColor());
        } else if (ascending) {
            Canvas.Pen()->SetColor(clWhite);
            Canvas.MoveTo(X - 4, Y + 4);
            Canvas.LineTo(X + 4, Y + 4);
            Canvas.LineTo(X, Y - 4);
            Canvas.Pen()->SetColor(0x808080);
            Canvas.LineTo(X - 4, Y + 4);
        } else {
            Canvas.Pen()->SetColor(clWhite);
            Canvas.MoveTo(X + 4, Y - 4);
            Canvas.LineTo(X, Y + 4);
            Canvas.Pen()->SetColor(0x808080);
            Canvas.LineTo(X - 4, Y - 4);
            Canvas.LineTo(X + 4, Y - 4);
        }
    }
    Canvas.Pen()->SetColor(oldPen);
}

void TExtStringGrid::DrawGridCell(TCanvas& Canvas, int ACol, int ARow, TRect ARect,
                                  TGridDrawState AState) {
    // An empty rectangle (a zero-width column) has nothing to show; drawing
    // into it would only reach the neighbours.
    if (ARect.Right <= ARect.Left || ARect.Bottom <= ARect.Top) return;
    TSavedDC saved(Canvas);
    if (FMouseActions->DisjunctCellSelect() && !AState.Contains(gdFixed)) {
        AState -= TGridDrawState{gdSelected};
        if (IsSelectedCell(ACol, ARow)) AState += gdSelected;
    }
    const int c = RealColIndex(ACol);
    const int nodeIndent = c == 0 ? GetNodeIndent(ARow) : 0;
    // The base grid indents only normal cells; a node column that is fixed
    // makes its room here.
    if (nodeIndent > 0 && AState.Contains(gdFixed) && ACol == 0) ARect.Left += nodeIndent;
    Canvas.IntersectClipRect(
        {ARect.Left - 1 - nodeIndent, ARect.Top - 1, ARect.Right + 1, ARect.Bottom + 1});
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    TColor colorTo = clNone;
    GetCellDrawColors(c, ARow, Canvas.Font(), Canvas.Brush(), false, false, false, AState, hAlign,
                      vAlign, colorTo);
    TCellVAlign gv = vaTop;
    TCellHAlign gh = haLeft;
    bool textShown = true;
    int gw = 0, ghgt = 0;
    TCellGraphic* graphic = GetCellGraphicSize(c, ARow, gv, gh, textShown, ghgt, gw);
    if (AState.Contains(gdSelected) && !AState.Contains(gdFocused) && FSelectionColor == clNone)
        Canvas.Brush()->SetColor(clHighlight);

    int indicatorShift = 0;
    if (c == 0 && ARow == Row() && FixedCols() > 0 && !FRowIndicator->Empty()) {
        const int w = FRowIndicator->Width(), h = FRowIndicator->Height();
        const int y = ARect.Top + std::max(0, (ARect.Height() - h) / 2);
        DrawTransparentBitmap(Canvas, {ARect.Left, y, ARect.Left + w, y + h}, *FRowIndicator,
                              FixedColor());
        indicatorShift = w;
        ARect.Left += w;
    }
    const int contentLeft = ARect.Left;
    if (nodeIndent > 0) ARect.Left += 4;

    const TColor savedBrush = Canvas.Brush()->Color();
    const TColor savedFont = Canvas.Font()->Color();
    const bool fixedCell = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
    if (fixedCell && (FLook == glHouse || FLook == glXP) && !FFlat) {
        TColor from = FixedGradientFrom, to = FixedGradientTo;
        // The house look's own pair unless the grid was given another.
        if (FLook == glHouse && from == 0xFFFFFF && to == clBtnFace) {
            from = 0xC0C0C0;
            to = 0xFFFFFF;
        }
        TRect g = ARect;
        InflateRect(g, 1, 1);
        DrawGradient(Canvas, from, to, false, g, 10);
    }
    const int savedRight = ARect.Right;
    if (!fixedCell && FControlLook->DropDownAlwaysVisible() && HasCombo(c, ARow)) {
        DrawComboButton(Canvas, ARect, FXPLook && FComCtl6);
        ARect.Right -= 16;
    }
    TCellPaintContext cell{Canvas};
    cell.Col = ACol;
    cell.RealCol = c;
    cell.Row = ARow;
    cell.Rect = ARect;
    cell.State = AState;
    cell.HAlign = hAlign;
    cell.VAlign = vAlign;
    cell.Graphic = graphic;
    cell.GraphicWidth = gw;
    cell.GraphicHeight = ghgt;
    cell.TextShown = textShown;
    cell.SavedBrush = savedBrush;
    cell.SavedFont = savedFont;
    DrawCellContent(cell);
    const int textWidth = cell.TextWidth;
    ARect.Right = savedRight;
    Canvas.Brush()->SetColor(savedBrush);
    Canvas.Font()->SetColor(savedFont);

    InflateRect(ARect, 1, 1);
    DrawCellBorders(Canvas, c, ARow, ARect);
    ARect.Left -= indicatorShift;
    if (fixedCell && !FFlat) DrawFixedLook(Canvas, c, ARow, ARect);
    if (fixedCell && IsPressedFixedCell(ACol, ARow)) {
        TRect sunk = ARect;
        DrawEdge(Canvas, sunk, BDR_SUNKENINNER, BF_RECT);
    }

    // Tree lines join the node glyphs of a column 0 in the normal rows.
    if (HasNodes() && FCellNode->ShowTree() && c == 0 && ARow >= FixedRows()) {
        Canvas.Pen()->SetColor(clSilver);
        Canvas.Pen()->SetWidth(1);
        const int I = FCellNode->NodeIndent(), h = I / 2;
        const int L = contentLeft, T = ARect.Top, B = ARect.Bottom;
        const int M = T + (B - T) / 2;
        const TCellProperties* p = FindCellProperties(c, ARow);
        const int level = p ? p->NodeLevel : 0;
        if (level > 0) {
            Canvas.MoveTo(L - h, M);
            Canvas.LineTo(L + 4, M);
        }
        const int kind = GetNodeLineKind(ARow);
        if (kind == 1) {
            Canvas.MoveTo(L - h, T);
            Canvas.LineTo(L - h, M);
        } else if (kind == 2) {
            Canvas.MoveTo(L - h, T);
            Canvas.LineTo(L - h, B + 4);
        }
        for (int k = 1; k < level; ++k) {
            Canvas.MoveTo(L - h - I * k, T);
            Canvas.LineTo(L - h - I * k, B + 4);
        }
    }

    if (graphic) {
        TRect gr = ARect;
        InflateRect(gr, -1, -1);
        gr.Left += indicatorShift;
        DrawCellGraphic(Canvas, ACol, ARow, gr, *graphic, gw, ghgt, textWidth, hAlign, vAlign,
                        AState.Contains(gdSelected));
    }

    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow,
                   {ARect.Left + 1, ARect.Top + 1, ARect.Right - GridLineWidth(),
                    ARect.Bottom - GridLineWidth()},
                   AState);
    if (OnCustomCellDraw) OnCustomCellDraw(this, &Canvas, c, ARow, AState, ARect, false);

    if (!HideFocusRect && !Options().Contains(goRowSelect)) {
        if (IsFocusedCell(ACol, ARow)) {
            TRect f = ARect;
            InflateRect(f, -(GridLineWidth() - 1), -(GridLineWidth() - 1));
            f.Left += 1;
            f.Top += 1;
            f.Right -= 1;
            f.Bottom -= 1;
            Canvas.Brush()->SetColor(clWhite);
            ::DrawFocusRect(Canvas, f);
        }
    }
}

void TExtStringGrid::DrawFixedLook(TCanvas& Canvas, int ARealCol, int ARow, TRect R) {
    const int L = R.Left, T = R.Top;
    switch (FLook) {
    case glClassic: {
        TRect e = R;
        DrawEdge(Canvas, e, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
        e = R;
        DrawEdge(Canvas, e, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
        Canvas.Pen()->SetColor(clBlack);
        Canvas.MoveTo(R.Right - 1, T);
        Canvas.LineTo(R.Right - 1, R.Bottom - 1);
        Canvas.LineTo(L - 1, R.Bottom - 1);
        break;
    }
    case glHouse:
    case glXP: {
        InflateRect(R, 1, 1);
        R.Bottom -= 1;
        Canvas.Pen()->SetColor(DarkenColor(FixedColor()));
        Canvas.MoveTo(R.Left, R.Bottom - 1);
        Canvas.LineTo(R.Right - 1, R.Bottom - 1);
        Canvas.Pen()->SetColor(clWhite);
        Canvas.MoveTo(R.Right, R.Top + 1);
        Canvas.LineTo(R.Left + 1, R.Top + 1);
        Canvas.LineTo(R.Left + 1, R.Bottom - 1);
        break;
    }
    case glSoft: {
        const TGridOptions o = Options();
        if (FFlat) {
            Canvas.Pen()->SetColor(clBlack);
            if (o.Contains(goFixedHorzLine)) {
                Canvas.MoveTo(R.Left - 1, R.Top - 1);
                Canvas.LineTo(R.Right, R.Top - 1);
                Canvas.MoveTo(R.Left - 1, R.Bottom);
                Canvas.LineTo(R.Right + 1, R.Bottom);
            }
            if (o.Contains(goFixedVertLine)) {
                Canvas.MoveTo(R.Left - 1, R.Top - 1);
                Canvas.LineTo(R.Left - 1, R.Bottom);
                Canvas.MoveTo(R.Right, R.Top - 1);
                Canvas.LineTo(R.Right, R.Bottom);
            }
        } else {
            InflateRect(R, 1, 1);
            R.Right -= 1;
            const TColor dark = DarkenColor(FixedColor());
            if (o.Contains(goFixedHorzLine)) {
                Canvas.Pen()->SetColor(dark);
                Canvas.MoveTo(R.Left, R.Bottom - 1);
                Canvas.LineTo(R.Right, R.Bottom - 1);
                Canvas.Pen()->SetColor(clWhite);
                Canvas.MoveTo(R.Left, R.Top);
                Canvas.LineTo(R.Right, R.Top);
            }
            if (o.Contains(goFixedVertLine)) {
                Canvas.Pen()->SetColor(dark);
                Canvas.MoveTo(R.Right - 1, R.Top);
                Canvas.LineTo(R.Right - 1, R.Bottom);
                Canvas.Pen()->SetColor(clWhite);
                Canvas.MoveTo(R.Left, R.Top);
                Canvas.LineTo(R.Left, R.Bottom);
            }
        }
        break;
    }
    case glStandard:
        break;
    }
    (void)ARealCol;
    (void)ARow;
}

void TExtStringGrid::DrawCellBorders(TCanvas& Canvas, int ACol, int ARow, TRect R) {
    TPen pen;
    pen.Assign(Canvas.Pen());
    TCellBorders borders;
    GetCellBorder(ACol, ARow, &pen, borders);
    if (borders.Empty()) return;
    TPen pens[4];
    for (TPen& p : pens)
        p.Assign(&pen);
    if (OnGetCellBorderProp)
        OnGetCellBorderProp(this, ARow, ACol, &pens[0], &pens[1], &pens[2], &pens[3]);
    TPen keep;
    keep.Assign(Canvas.Pen());
    const int shrink = (pen.Width() + 1) / 2;
    if (Options().Contains(goVertLine)) {
        R.Left += shrink;
        R.Right -= shrink;
    }
    if (Options().Contains(goHorzLine)) {
        R.Top += shrink;
        R.Bottom -= shrink;
    }
    if (borders.Contains(cbLeft)) {
        Canvas.SetPen(pens[0]);
        Canvas.MoveTo(R.Left - 1, R.Top);
        Canvas.LineTo(R.Left - 1, R.Bottom);
    }
    if (borders.Contains(cbRight)) {
        Canvas.SetPen(pens[2]);
        Canvas.MoveTo(R.Right - 1, R.Top);
        Canvas.LineTo(R.Right - 1, R.Bottom);
    }
    if (borders.Contains(cbTop)) {
        Canvas.SetPen(pens[1]);
        Canvas.MoveTo(R.Left, R.Top);
        Canvas.LineTo(R.Right, R.Top);
    }
    if (borders.Contains(cbBottom)) {
        Canvas.SetPen(pens[3]);
        Canvas.MoveTo(R.Left, R.Bottom - 1);
        Canvas.LineTo(R.Right, R.Bottom - 1);
    }
    Canvas.SetPen(keep);
}

TPoint TExtStringGrid::GetCellContentSize(int ACol, int ARow, bool UseColumnWidth) {
    TCanvas& canvas = *Canvas();
    const std::string text = GetDisplayCellText(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && g->CellType == ctRotated) {
        TSize e = canvas.TextExtent(g->CellText.empty() ? text : g->CellText);
        const double a = g->CellAngle * M_PI / 180.0;
        // The rotated box holds the text's length and height projected on each
        // axis: they add up (the difference would let the two overlap).
        const double w = std::abs(e.cy * std::sin(a)) + std::abs(e.cx * std::cos(a));
        const double h = std::abs(e.cy * std::cos(a)) + std::abs(e.cx * std::sin(a));
        return {static_cast<int>(std::lround(w)) + 12, static_cast<int>(std::lround(h)) + 12};
    }
    const int kind = CellContentKind(text, EnableHTML);
    const int colWidth = ColWidths(DisplColIndex(ACol));
    if (kind == cckRichText) return RichTextContentSize(ACol, ARow, UseColumnWidth);
    if (kind == cckHTML) {
        THTMLRenderParams params;
        params.MeasureOnly = true;
        params.WordWrap = FWordWrap && UseColumnWidth;
        THTMLRenderResult result;
        const int width = UseColumnWidth ? std::max(1, colWidth - 4) : 65535;
        RenderHTML(canvas, text, {0, 0, width, 65535}, params, result, HTMLImages());
        return {result.TextWidth + 2 + 2 * XYOffset.X, result.TextHeight + 2 + 2 * XYOffset.Y};
    }
    const int available = colWidth - 2 * (2 + XYOffset.X);
    if (kind == cckWide) {
        // Measured as drawn: the wide characters themselves.
        const std::u16string wide = DecodeWideCell(text);
        TRect r{0, 0, UseColumnWidth && available > 0 ? available : 65535, 0};
        const unsigned flags =
            DT_CALCRECT | DT_NOPREFIX |
            (FWordWrap || Multilinecells ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE);
        DrawTextW(canvas, wide, r, flags);
        return {r.Width() + 2 * (2 + XYOffset.X), r.Height() + 2 * (2 + XYOffset.Y)};
    }
    const std::string& shown = text;
    if (UseColumnWidth && available > 0) {
        TRect r{0, 0, available, 0};
        DrawText(canvas, shown, r, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        return {r.Width() + 2 * (2 + XYOffset.X), r.Height() + 2 * (2 + XYOffset.Y)};
    }
    int widest = 0, lines = 0;
    size_t start = 0;
    while (true) {
        const size_t end = shown.find('\r', start);
        std::string line = shown.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.front() == '\n') line.erase(0, 1);
        widest = std::max(widest, canvas.TextWidth(line));
        ++lines;
        if (end == std::string::npos || (!Multilinecells && !FWordWrap)) break;
        start = end + 1;
    }
    return {widest + 2 * XYOffset.X, lines * canvas.TextHeight("gh") + 2 * XYOffset.Y};
}

void TExtStringGrid::DrawSizingLine(int X) {
    TCanvas& canvas = *Canvas();
    TPen keep;
    keep.Assign(canvas.Pen());
    TSavedDC saved(canvas);
    canvas.ResetClip();
    canvas.Pen()->SetStyle(psDot);
    canvas.Pen()->SetMode(pmNot);
    canvas.Pen()->SetWidth(1);
    // Down to the bottom of the last row, never beyond the client area.
    int bottom = 0;
    for (int r = 0; r < FixedRows(); ++r)
        bottom += RowHeights(r);
    for (int r = TopRow(); r < RowCount() && bottom < ClientHeight(); ++r)
        bottom += RowHeights(r);
    canvas.MoveTo(X, 0);
    canvas.LineTo(X, std::min(bottom, ClientHeight()));
    canvas.SetPen(keep);
}
