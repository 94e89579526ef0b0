#include "grid/support/basegrid.h"

#include <algorithm>

#include "grid/support/griddraw.h"

TBaseGrid::TBaseGrid(TComponent* AOwner) : TStringGrid(AOwner) {
    TStringGrid::SetDefaultDrawing(false);
    TStringGrid::SetGridLineWidth(0);
    SetOptions(Options() + goDrawFocusSelected);
}

TBaseGrid::~TBaseGrid() {
    SetUndoRedo(nullptr);
    FreeAllCellProperties();
}

void TBaseGrid::SetDefaultDrawing(bool Value) {
    FDefaultDrawing = Value;
    TStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int Value) {
    FGridLineWidth = Value;
    TStringGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
    FGridLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetUndoRedo(TExtGridUndoRedo* Value) {
    if (Value == FUndoRedo) return;
    if (FUndoRedo) RemoveFreeNotification(FUndoRedo);
    FUndoRedo = Value;
    if (FUndoRedo) {
        FreeNotification(FUndoRedo);
        FUndoRedo->SetGrid(this);
    }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TStringGrid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
}

void TBaseGrid::SetCanvasMirroring(bool Flag) {
    if (TCanvas* c = Canvas()) c->SetMirrored(Flag, ClientWidth());
}

void TBaseGrid::SetCurrentCell(int ACol, int ARow) {
    if (ACol == Col() && ARow == Row()) return;
    FocusCell(ACol, ARow, true);
}

void TBaseGrid::Paint() {
    TStringGrid::Paint();
    ++FPaintCount;
}

void TBaseGrid::DrawGridCell(TCanvas& Canvas, int ACol, int ARow, TRect ARect,
                             TGridDrawState AState) {
    Canvas.Brush()->SetStyle(bsClear);
    ::DrawText(Canvas, GetCellText(ACol, ARow), ARect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    TCanvas& canvas = *Canvas();
    if (FooterRow && ARow == RowCount() - 1) {
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(ARect);
        return;
    }
    // A merged range is drawn once per paint pass, by whichever of its cells
    // comes first; the stamp is the pass's number plus one, so a new record
    // (stamp 0) never counts as drawn.
    const int stamp = FPaintCount + 1;
    if (!IsBaseCell(ACol, ARow)) {
        const TPoint b = GetBaseCell(ACol, ARow);
        TCellProperties* base = FindCellProperties(b.X, b.Y);
        if (base && base->PaintStamp != stamp) {
            base->PaintStamp = stamp;
            DrawBaseCell(b.X, b.Y, AState);
        }
        return;
    }
    if (IsMergedCell(ACol, ARow)) {
        TCellProperties* p = FindCellProperties(ACol, ARow);
        if (p->PaintStamp == stamp) return;
        p->PaintStamp = stamp;
    }
    DrawBaseCell(ACol, ARow, AState);
}

void TBaseGrid::DrawBaseCell(int ACol, int ARow, TGridDrawState AState) {
    TCanvas& canvas = *Canvas();
    TGridDrawState state = AState;
    if (IsFixed(ACol, ARow)) state = state - gdSelected + gdFixed;
    TRect r = MergedCellRect(ACol, ARow);
    const bool fixedCell = state.Contains(gdFixed);

    // A merged cell reaches beyond its own rectangle, but never over the fixed
    // area when it lies in the scrolling part.
    int fixedWidth = 0, fixedHeight = 0;
    for (int c = 0; c < FixedCols(); ++c)
        fixedWidth += ColWidths(c);
    for (int rr = 0; rr < FixedRows(); ++rr)
        fixedHeight += RowHeights(rr);
    const bool underFixed = (ACol >= FixedCols() && FixedCols() > 0 && r.Left < fixedWidth) ||
                            (ARow >= FixedRows() && FixedRows() > 0 && r.Top < fixedHeight);
    canvas.SelectClipRect(underFixed ? TRect{fixedWidth, fixedHeight, ClientWidth(), ClientHeight()}
                                     : ClientRect());

    canvas.Pen()->SetWidth(1);
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetColor(fixedCell ? FixedColor() : Color());
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    TColor colorTo = clNone;
    GetCellDrawColors(ACol, ARow, canvas.Font(), canvas.Brush(), false, true, false, state, hAlign,
                      vAlign, colorTo);
    canvas.Pen()->SetColor(canvas.Brush()->Color());
    if (colorTo != clNone)
        DrawGradient(canvas, canvas.Brush()->Color(), colorTo, true, r, 64);
    else
        canvas.FillRect(r);

    int h = 1;
    bool lines = true;
    if (fixedCell) {
        canvas.Pen()->SetColor(0x808080);
        canvas.Pen()->SetWidth(1);
    } else if (FGridLineWidth > 0) {
        canvas.Pen()->SetColor(FGridLineColor);
        canvas.Pen()->SetWidth(FGridLineWidth);
        h = (FGridLineWidth + 1) / 2;
    } else {
        lines = false;
    }
    if (ACol == 0 && !fixedCell) r.Left += GetNodeIndent(ARow);
    const TGridOptions o = Options();
    if (lines && o.Contains(fixedCell ? goFixedHorzLine : goHorzLine) &&
        !(ACol == 0 && HasNodes())) {
        canvas.MoveTo(r.Left - h + 1, r.Bottom - h);
        canvas.LineTo(r.Right - h + 1, r.Bottom - h);
    }
    if (lines && o.Contains(fixedCell ? goFixedVertLine : goVertLine)) {
        canvas.MoveTo(r.Right - h, r.Bottom - h);
        canvas.LineTo(r.Right - h, r.Top - h);
    }
    const int shrink = fixedCell ? 1 : FGridLineWidth;
    InflateRect(r, -shrink, -shrink);
    DrawGridCell(canvas, ACol, ARow, r, state);
}

bool TBaseGrid::SelectCell(int ACol, int ARow) {
    RepaintCell(Col(), Row());
    const bool result = TStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return result;
}

void TBaseGrid::KeyDown(WORD& Key, TShiftState Shift) {
    StepOutOfMerge(Key);
    TStringGrid::KeyDown(Key, Shift);
    FocusBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    const bool result = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (FooterRow && Row() > TopRow() + VisibleRowCount() && Row() != RowCount() - 1)
        SetTopRow(TopRow() + 1);
    FocusBaseCell();
    return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    const bool result = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    FocusBaseCell();
    return result;
}

void TBaseGrid::TopLeftChanged() {
    TStringGrid::TopLeftChanged();
    // Merged cells of the fixed area may reach into what scrolled.
    const int lastRow = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
    const int lastCol = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
    for (int c = 0; c < FixedCols(); ++c)
        for (int r = TopRow(); r <= lastRow; ++r)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
    for (int r = 0; r < FixedRows(); ++r)
        for (int c = LeftCol(); c <= lastCol; ++c)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
}

void TBaseGrid::SizeChanged(int OldColCount, int OldRowCount) {
    TStringGrid::SizeChanged(OldColCount, OldRowCount);
    // Records of cells no longer in the grid are freed now; the string grid
    // keeps such cells, but nothing would free their records later.
    for (int c = 0; c < OldColCount; ++c)
        for (int r = 0; r < OldRowCount; ++r) {
            if (c < ColCount() && r < RowCount()) continue;
            TCellProperties* p = FindCellProperties(c, r);
            if (!p) continue;
            if (p->CellSpanX > 0 || p->CellSpanY > 0) SplitCells(c, r);
            SetObjects(c, r, nullptr);
            delete p;
        }
}
