// The size of a column or row shown beside the mouse while it is being
// sized, fixed cells pressed like buttons or edited in place, and the
// current cell following the mouse when the grid hovers.
#include <algorithm>
#include <cstdlib>

#include "grid/controleditors.h"
#include "grid/extgrid.h"
#include "grid/htmlhint.h"

void TExtStringGrid::NoteSizingPress(int X, int Y) {
    FSizingPress = {};
    TGridState state = gsNormal;
    int index = -1, pos = 0, ofs = 0;
    CalcSizingState(X, Y, state, index, pos, ofs);
    if ((state != gsColSizing && state != gsRowSizing) || index < 0) return;
    const bool cols = state == gsColSizing;
    // The sized cell's near edge, where the string grid measures from.
    const TRect cell = cols ? CellRect(index, FixedRows() > 0 ? 0 : TopRow())
                            : CellRect(FixedCols() > 0 ? 0 : LeftCol(), index);
    FSizingPress.Cols = cols;
    FSizingPress.Index = index;
    FSizingPress.Start = cols ? cell.Left : cell.Top;
    FSizingPress.Offset = ofs;
    FSizingPress.OldSize = cols ? ColWidths(index) : RowHeights(index);
}

void TExtStringGrid::EndMouseSizing() {
    const TSizingPress press = FSizingPress;
    if (press.Index < 0) return;
    if (press.Cols) {
        if (press.Index >= ColCount() || ColWidths(press.Index) == press.OldSize) return;
        if (ProportionalSizing) ScaleOtherColumns(press.Index, press.OldSize);
        if (OnEndColumnSize) OnEndColumnSize(this, press.Index);
        int width = ColWidths(press.Index);
        // Items and the event know a column by its real index, as auto-size tells them.
        UpdateColumnSize(RealColIndex(press.Index), width);
        if (width != ColWidths(press.Index)) SetColWidths(press.Index, width);
    } else {
        if (press.Index >= RowCount() || RowHeights(press.Index) == press.OldSize) return;
        if (ProportionalSizing) ScaleOtherRows(press.Index, press.OldSize);
        if (OnEndRowSize) OnEndRowSize(this, press.Index);
    }
}

void TExtStringGrid::CancelMouseSizing() {
    const TSizingPress press = FSizingPress;
    FSizingPress = {};
    if (press.Index < 0) return;
    if (press.Cols && press.Index < ColCount())
        SetColWidths(press.Index, press.OldSize);
    else if (!press.Cols && press.Index < RowCount())
        SetRowHeights(press.Index, press.OldSize);
}

int TExtStringGrid::OwnSizingColAt(int X, int Y) const {
    if (!FMouseActions->SizeFixedCol || Y < 0 || Y >= ClientHeight()) return -1;
    int right = 0;
    for (int c = 0; c < FixedCols(); ++c) {
        right += ColWidths(c);
        if (std::abs(X - right) <= 3) return c;
        right += GridLineWidth();
    }
    return -1;
}

void TExtStringGrid::StartOwnSizing(int ACol, int X) {
    FOwnSizingCol = ACol;
    FOwnSizingX = X;
    int left = 0;
    for (int c = 0; c < ACol; ++c)
        left += ColWidths(c) + GridLineWidth();
    FSizingPress = {true, ACol, left, 0, ColWidths(ACol)};
    Invalidate();
}

void TExtStringGrid::EndOwnSizing(int X) {
    const int col = FOwnSizingCol;
    const int left = FSizingPress.Start;
    FOwnSizingCol = -1;
    EndSizingHint();
    // Released left of the column's own left border: the column closes
    // rather than taking a negative width.
    SetColWidths(col, std::max(0, X - left));
    Invalidate();
}

void TExtStringGrid::SizingHintMove(TShiftState Shift, int X, int Y) {
    const TGridState state = GridState();
    if (HintShowSizing && FSizingPress.Index >= 0 &&
        (FOwnSizingCol >= 0 || state == (FSizingPress.Cols ? gsColSizing : gsRowSizing))) {
        const int size =
            std::max(0, (FSizingPress.Cols ? X : Y) + FSizingPress.Offset - FSizingPress.Start);
        const std::string text =
            (FSizingPress.Cols ? "cw=<b>" : "rh=<b>") + std::to_string(size) + "</b>";
        if (!FSizingHintWindow)
            FSizingHintWindow = std::make_unique<THTMLHintWindow>(nullptr, FGridImages);
        FSizingHintWindow->SetColor(HintColor);
        TRect r = FSizingHintWindow->CalcHintRect(100, text, nullptr);
        const TPoint at = ClientToScreen({X, Y});
        OffsetRect(r, at.X + 10, at.Y + 10);
        FSizingHintWindow->ActivateHint(r, text);
        return;
    }
    if (!Hovering || state != gsNormal || Shift.Contains(ssLeft) || Shift.Contains(ssRight)) return;
    const TGridCoord at = MouseCoord(X, Y);
    if (at.X < FirstNormalCol() || at.X > LastNormalCol() || at.Y < TBaseGrid::FixedRows() ||
        at.Y > LastNormalRow() || (at.X == Col() && at.Y == Row()))
        return;
    FocusCell(at.X, at.Y, true);
}

void TExtStringGrid::PressFixedButton(int ACol, int ARow) {
    const TGridOptions o = Options();
    // A press that sizes a column or row is no button press.
    if (!FixedAsButtons || FSizingPress.Index >= 0 || !o.Contains(goFixedVertLine) ||
        !o.Contains(goFixedHorzLine))
        return;
    FFixedPressed = {ACol, ARow};
    RepaintCell(ACol, ARow);
}

void TExtStringGrid::EndSizingHint() {
    FSizingPress = {};
    if (FSizingHintWindow) FSizingHintWindow->ReleaseHandle();
    if (FFixedPressed.X >= 0) {
        const TGridCoord pressed = FFixedPressed;
        FFixedPressed = {-1, -1};
        RepaintCell(pressed.X, pressed.Y);
    }
}

bool TExtStringGrid::FixedCellEditWanted(int ACol, int ARow, TGridFixedCellEdit How) const {
    if (How == fceNone || ACol < 0 || ARow < 0) return false;
    return (ARow < TBaseGrid::FixedRows() && FMouseActions->FixedRowsEdit == How) ||
           (ACol < TBaseGrid::FixedCols() && FMouseActions->FixedColsEdit == How);
}

void TExtStringGrid::EditFixedCell(int ACol, int ARow) {
    EndFixedCellEdit(true);
    HideEditor();
    TGridTransEdit* edit = TransEdit();
    // Enter and Escape end the edit; the trans edit itself writes its cell
    // when it loses the focus, so Escape hides it first.
    edit->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
        if (Key == VK_RETURN || Key == VK_ESCAPE) {
            EndFixedCellEdit(Key == VK_RETURN);
            Key = 0;
        }
    };
    edit->OnExit = [this](TObject*) { EndFixedCellEdit(true); };
    const TRect r = CellRect(ACol, ARow);
    FFixedEditCell = {ACol, ARow};
    edit->Col = RealColIndex(ACol);
    edit->Row = ARow;
    edit->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    edit->SetText(Cells(edit->Col, ARow));
    edit->SetVisible(true);
    edit->SetFocus();
    edit->SelectAll();
}

void TExtStringGrid::EndFixedCellEdit(bool Store) {
    const TGridCoord cell = FFixedEditCell;
    if (cell.X < 0 || !FTransEdit) return;
    // Cleared first: moving the focus ends the edit once more.
    FFixedEditCell = {-1, -1};
    if (!Store) FTransEdit->SetVisible(false);
    TakeFocusBack();
    // Without a place for the focus the edit still ends as it would.
    if (FTransEdit->Visible()) {
        if (Store && FTransEdit->Col < ColCount() && cell.Y < RowCount())
            SetCells(FTransEdit->Col, cell.Y, FTransEdit->Text());
        FTransEdit->SetVisible(false);
    }
    RepaintCell(cell.X, cell.Y);
}

bool TExtStringGrid::ResizerHit(int X, int Y) {
    if (!FSelectionResizer) return false;
    const TGridRect sel = Selection();
    const TRect r = CellRect(sel.Right, sel.Bottom);
    if (IsRectEmpty(r)) return false;
    // A pixel of slack around the 4-pixel square.
    return X >= r.Right - 5 && X <= r.Right + 1 && Y >= r.Bottom - 5 && Y <= r.Bottom + 1;
}

void TExtStringGrid::EndResizerDrag() {
    const TGridRect from = FResizeFrom;
    if (from.Left < 0) return;
    FResizeFrom = {-1, -1, -1, -1};
    const TGridRect to = Selection();
    if (OnSelectionResize) OnSelectionResize(this, from, to);
    const bool grew = to.Left <= from.Left && to.Top <= from.Top && to.Right >= from.Right &&
                      to.Bottom >= from.Bottom && !(to == from);
    if (!grew) return;
    // The first cells go on as a pasted block would: copies, or a series.
    FLastPasteSize = {from.Right - from.Left + 1, from.Bottom - from.Top + 1};
    SmartPaste(to);
}
