// Painting: the border, every shown cell through DrawCell, the grid lines and
// the marks of a sizing or moving drag. Only the rows and columns in view are
// visited, so a paint costs the same whatever the row count.
#include "platform/vcl/grids/gridaxis.h"

#include "platform/vcl/gfx/drawcontrols.h"

namespace {

constexpr TColor FixedLineColor = clBlack;
constexpr TColor NormalLineColor = 0xC0C0C0;

// The shown cells of one direction: the fixed ones, then those from First on
// that start inside the window.
template <class F> void ForShown(const TCustomGrid::TAxis& A, F&& Visit) {
    int pos = 0;
    for (int i = 0; i < A.Fixed && i < A.Count && pos < A.Extent; ++i) {
        Visit(i, pos);
        pos += A.Size(i) + A.Line;
    }
    for (int i = A.First; i < A.Count && pos < A.Extent; ++i) {
        Visit(i, pos);
        pos += A.Size(i) + A.Line;
    }
}

// The position after the last shown cell (its grid line included).
int ShownEnd(const TCustomGrid::TAxis& A) {
    int end = 0;
    ForShown(A, [&](int i, int pos) { end = pos + A.Size(i) + A.Line; });
    return std::min(end, A.Extent);
}

bool Overlaps(const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

} // namespace

void TCustomGrid::Paint() {
    TCanvas& canvas = *Canvas();
    const int b = BorderOffset();
    // The scroll bars sit at the widget's right and bottom edge, the border
    // around the rest.
    const int barW = FVertShown ? GridScrollBarSize : 0, barH = FHorzShown ? GridScrollBarSize : 0;
    if (b > 0) {
        TRect frame = Rect(0, 0, Width() - barW, Height() - barH);
        DrawEdge(canvas, frame, EDGE_SUNKEN, BF_RECT);
    }
    if (barW > 0 && barH > 0) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(Rect(Width() - barW, Height() - barH, Width(), Height()));
    }
    canvas.SetWindowOrg({-b, -b});
    const TRect client = ClientRect();
    canvas.IntersectClipRect(client);
    TRect clip;
    if (!IntersectRect(clip, canvas.ClipRect(), client)) return;

    const TAxis h = HorzAxis(), v = VertAxis();
    const int right = ShownEnd(h), bottom = ShownEnd(v);
    // Room right of and below the last cells.
    canvas.Brush()->SetColor(Color());
    if (right < client.Right) canvas.FillRect(Rect(right, 0, client.Right, client.Bottom));
    if (bottom < client.Bottom) canvas.FillRect(Rect(0, bottom, right, client.Bottom));

    const TGridRect sel = Selection();
    const bool active = IsActiveControl();
    const bool editing = FEditorMode && FInplaceEdit && FInplaceEdit->Visible();
    ForShown(v, [&](int r, int y) {
        const int rh = v.Size(r);
        if (y >= clip.Bottom || y + rh + v.Line <= clip.Top) return;
        ForShown(h, [&](int c, int x) {
            const TRect cell = Rect(x, y, x + h.Size(c), y + rh);
            const TRect withLines = Rect(x, y, cell.Right + h.Line, cell.Bottom + v.Line);
            if (!Overlaps(withLines, clip)) return;
            const bool fixed = c < FFixedCols || r < FFixedRows;
            TGridDrawState state;
            if (fixed) {
                state = gdFixed;
            } else {
                const bool current = FOptions.Contains(goRowSelect)
                                         ? r == FCurrent.Y
                                         : c == FCurrent.X && r == FCurrent.Y;
                if (current && active) state.Include(gdFocused);
                // The current cell lies in the selection too; whether a focused
                // cell is drawn highlighted is the drawing's choice
                // (goDrawFocusSelected), not the state's.
                if (sel.Contains(c, r)) state.Include(gdSelected);
            }
            // Lines: the gap after the cell, in the fixed or the normal line
            // colour, or in the cell's background where that line is off.
            const TColor background = fixed ? FFixedColor : Color();
            const TColor lineColor = fixed ? FixedLineColor : NormalLineColor;
            if (h.Line > 0) {
                const bool on = FOptions.Contains(fixed ? goFixedVertLine : goVertLine);
                canvas.Brush()->SetColor(on ? lineColor : background);
                canvas.FillRect(Rect(cell.Right, y, withLines.Right, withLines.Bottom));
            }
            if (v.Line > 0) {
                const bool on = FOptions.Contains(fixed ? goFixedHorzLine : goHorzLine);
                canvas.Brush()->SetColor(on ? lineColor : background);
                canvas.FillRect(Rect(x, cell.Bottom, withLines.Right, withLines.Bottom));
            }
            canvas.Font()->Assign(Font());
            canvas.Brush()->SetColor(fixed ? FFixedColor : Color());
            if (FDefaultDrawing) DrawCellBackground(cell, state);
            // Not clipped to the cell: a cell may draw over its neighbours
            // (one drawing for a range of cells shown as one).
            const int saved = canvas.SaveDC();
            DrawCell(c, r, cell, state);
            canvas.RestoreDC(saved);
            if (FDefaultDrawing && state.Contains(gdFocused) && !editing &&
                !FOptions.Contains(goRowSelect)) {
                canvas.Brush()->SetColor(Color());
                canvas.DrawFocusRect(cell);
            }
        });
    });

    // A grid selecting whole rows frames its current row (as far as it is
    // shown) while it has the focus.
    if (FDefaultDrawing && FOptions.Contains(goRowSelect) &&
        !FOptions.Contains(goDrawFocusSelected) && active) {
        const int y = v.Start(FCurrent.Y);
        int left = -1, right = -1;
        ForShown(h, [&](int c, int x) {
            if (c < FFixedCols) return;
            if (left < 0) left = x;
            right = x + h.Size(c);
        });
        if (y >= 0 && left >= 0) {
            canvas.Brush()->SetColor(Color());
            canvas.DrawFocusRect(Rect(left, y, std::min(right, client.Right),
                                      std::min(y + v.Size(FCurrent.Y), client.Bottom)));
        }
    }

    // The line of a sizing drag, and where a moved row or column would land.
    canvas.Brush()->SetColor(clBlack);
    if (FGridState == gsColSizing)
        canvas.FillRect(Rect(FSizingPos, 0, FSizingPos + 1, client.Bottom));
    else if (FGridState == gsRowSizing)
        canvas.FillRect(Rect(0, FSizingPos, client.Right, FSizingPos + 1));
    else if (FGridState == gsColMoving && FMovePos >= 0) {
        const int x = h.Start(FMovePos);
        if (x >= 0) canvas.FillRect(Rect(x, 0, x + 2, client.Bottom));
    } else if (FGridState == gsRowMoving && FMovePos >= 0) {
        const int y = v.Start(FMovePos);
        if (y >= 0) canvas.FillRect(Rect(0, y, client.Right, y + 2));
    }
}

void TCustomGrid::DrawCellBackground(const TRect& ARect, TGridDrawState AState) {
    TCanvas& canvas = *Canvas();
    if (AState.Contains(gdFixed)) {
        canvas.Brush()->SetColor(FFixedColor);
        canvas.FillRect(ARect);
        TRect r = ARect;
        DrawEdge(canvas, r, BDR_RAISEDINNER, BF_RECT);
        return;
    }
    // The focused cell keeps the window colour (it gets the focus frame)
    // unless goDrawFocusSelected or goRowSelect asks for it highlighted.
    const bool highlight =
        AState.Contains(gdSelected) &&
        (!AState.Contains(gdFocused) ||
         (FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect)));
    if (highlight) {
        canvas.Brush()->SetColor(clHighlight);
        canvas.Font()->SetColor(clHighlightText);
    } else {
        canvas.Brush()->SetColor(Color());
    }
    canvas.FillRect(ARect);
}

bool TCustomGrid::IsActiveControl() const {
    return Focused() || (FInplaceEdit && FInplaceEdit->Focused());
}

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}
