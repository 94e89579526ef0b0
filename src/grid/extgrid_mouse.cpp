// What the grid does with the mouse besides the string grid's own selecting:
// rows, columns and the whole grid selected from the fixed cells, disjunct
// rows and columns with Ctrl, anchors and addresses in cells, click events,
// sorting from the sort row, editing started by a click, and the cursor that
// tells what a press would start.
#include <algorithm>
#include <string>
#include <vector>

#include "grid/extgrid.h"
#include "grid/support/gridtext.h"
#include "grid/support/htmlcanvas.h"
#include "platform/vcl/urlopen.h"

namespace {

bool HasHTML(const std::string& Text) {
    return Text.find('<') != std::string::npos && Text.find('>') != std::string::npos;
}

} // namespace

// --- anchors -------------------------------------------------------------------------------

bool TExtStringGrid::OpenAnchor(const std::string& Anchor) {
    return OpenURL(Anchor);
}

void TExtStringGrid::AnchorClick(int ARow, int ACol, const std::string& Anchor) {
    bool autoHandle = true;
    if (OnAnchorClick) OnAnchorClick(this, ARow, ACol, Anchor, autoHandle);
    if (!autoHandle) return;
    const std::string upper = UpperCase(Anchor);
    if (upper.rfind("CELL://", 0) == 0) {
        int col = -1, row = -1;
        if (!ParseRCCellRef(upper.substr(7), col, row)) return;
        if (col < TBaseGrid::FixedCols() || col >= ColCount() || row < TBaseGrid::FixedRows() ||
            row >= RowCount())
            return;
        FocusCell(col, row, true);
        return;
    }
    // Only web and mail addresses leave the grid; a path, a program or an
    // unknown scheme in cell text is never run.
    if (IsOpenableURL(Anchor)) OpenAnchor(Anchor);
}

std::string TExtStringGrid::AnchorAt(int ACol, int ARow, int X, int Y) {
    const std::string text = Cells(RealColIndex(ACol), ARow);
    if (FURLShow && IsURL(text) && !HasHTML(text)) return text;
    if (!EnableHTML || !HasHTML(text)) return {};
    THTMLRenderResult result;
    if (!HTMLHitTest(ACol, ARow, X, Y, text, result)) return {};
    return result.AnchorHref == "ctrl" ? std::string() : result.AnchorHref;
}

// --- selecting from the fixed cells, and the cursors that say so --------------------------

namespace {

// Black arrows outlined in white, hot spot at the tip: right for a row,
// down for a column, down and right for everything.
const std::vector<std::string> RowSelectRows = {
    "       ...    ", "       .#..   ", "       .##..  ", "........###.. ",
    ".###########..", ".############.", ".###########..", "........###.. ",
    "       .##..  ", "       .#..   ", "       ...    ",
};
const std::vector<std::string> ColSelectRows = {
    "   .....   ", "   .###.   ", "   .###.   ", "   .###.   ", "   .###.   ",
    "   .###.   ", "   .###.   ", "....###....", ".#########.", "..#######..",
    " ..#####.. ", "  ..###..  ", "   ..#..   ", "    ...    ",
};
const std::vector<std::string> SelectAllRows = {
    "....          ", ".##..         ", ".###..        ", "..###..       ", " ..###..   ...",
    "  ..###.. ..#.", "   ..###...##.", "    ..###.###.", "     ..#.####.", "      ..#####.",
    "     ..######.", "    ..#######.", "    .########.", "    ..........",
};

} // namespace

void TExtStringGrid::WMSetCursor(TMessage& Message) {
    const TPoint p = LastMousePoint();
    TCursor shown = crDefault;
    switch (MouseModeAt(p.X, p.Y)) {
    case mmColSelect:
        shown = crColSelect;
        break;
    case mmRowSelect:
        shown = crRowSelect;
        break;
    case mmAllSelect:
    case mmResizer:
        shown = crSelectAll;
        break;
    case mmOwnSizing:
        shown = crHSplit;
        break;
    case mmNone:
        break;
    }
    if (shown == crDefault) {
        TBaseGrid::WMSetCursor(Message);
        return;
    }
    if (!ScreenCursorLoaded(crSelectAll)) {
        SetScreenCursorImage(crRowSelect, RowSelectRows, {12, 5});
        SetScreenCursorImage(crColSelect, ColSelectRows, {5, 12});
        SetScreenCursorImage(crSelectAll, SelectAllRows, {12, 12});
    }
    ShowCursorFor(shown);
}

TExtStringGrid::TMouseMode TExtStringGrid::MouseModeAt(int X, int Y) {
    if (OwnSizingColAt(X, Y) >= 0) return mmOwnSizing;
    // A border that the string grid sizes keeps its own cursor and press.
    if (SizingStateAt(X, Y) != gsNormal) return mmNone;
    if (ResizerHit(X, Y)) return mmResizer;
    const TGridCoord at = MouseCoord(X, Y);
    const int fixedCols = TBaseGrid::FixedCols(), fixedRows = TBaseGrid::FixedRows();
    const int lastCol = LastNormalCol(), lastRow = LastNormalRow();
    if (at.X < 0 || at.Y < 0 || (at.X >= fixedCols && at.Y >= fixedRows) ||
        !Options().Contains(goRangeSelect) || lastCol < fixedCols || lastRow < fixedRows)
        return mmNone;
    if (at.X < fixedCols && at.Y < fixedRows)
        return FMouseActions->AllSelect ? mmAllSelect : mmNone;
    if (at.X < fixedCols) {
        // A node's glyph folds the node instead.
        const bool glyph = at.X == 0 && HasNodes() && IsNodeGlyphHit(at.Y, X);
        return at.Y <= lastRow && FMouseActions->RowSelect && !glyph ? mmRowSelect : mmNone;
    }
    return at.X <= lastCol && FMouseActions->ColSelect ? mmColSelect : mmNone;
}

bool TExtStringGrid::SelectFromFixedCells(TMouseMode Mode, int ACol, int ARow) {
    const int fixedRows = TBaseGrid::FixedRows();
    const int left = FirstNormalCol(), right = LastNormalCol(), bottom = LastNormalRow();
    TGridRect sel;
    if (Mode == mmAllSelect)
        sel = {left, fixedRows, right, bottom};
    else if (Mode == mmRowSelect)
        sel = {left, ARow, right, ARow};
    else if (Mode == mmColSelect)
        sel = {ACol, fixedRows, ACol, bottom};
    else
        return false;
    HideEditor();
    SetSelection(sel);
    SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
    Invalidate();
    FFixedSelecting = true;
    return true;
}

// --- buttons -------------------------------------------------------------------------------

void TExtStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FMouseDownPoint = {X, Y};
    FPendingDeselect = -1;
    FFixedSelecting = false;
    if (Button == mbLeft) NoteSizingPress(X, Y);
    FResizeFrom = {-1, -1, -1, -1};
    if (Button == mbLeft && FSizingPress.Index < 0 && ResizerHit(X, Y)) {
        // The drag grows the selection from its top-left cell, as a Shift
        // press on its last cell would.
        const TGridRect sel = Selection();
        FResizeFrom = sel;
        FocusCell(sel.Left, sel.Top, true);
        TBaseGrid::MouseDown(Button, Shift + ssShift, X, Y);
        return;
    }
    if (Button == mbLeft) {
        const int own = OwnSizingColAt(X, Y);
        if (own >= 0) {
            StartOwnSizing(own, X);
            return;
        }
    }
    const TGridCoord at = MouseCoord(X, Y);
    // The double click opened a fixed cell's edit: its press leaves the focus there.
    if (Shift.Contains(ssDouble) && FFixedEditCell.X == at.X && FFixedEditCell.Y == at.Y) return;
    FSortPressCol = Button == mbLeft && SortPressAt(at.X, at.Y, X, Y) ? at.X : -1;
    if (at.X < 0 || at.Y < 0) {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    const int fixedCols = TBaseGrid::FixedCols(), fixedRows = TBaseGrid::FixedRows();
    const bool normal = at.X >= fixedCols && at.Y >= fixedRows;
    if (!normal && Button == mbLeft) PressFixedButton(at.X, at.Y);
    if (!normal && FixedCellEditWanted(at.X, at.Y,
                                       Button == mbLeft    ? fceLeftClick
                                       : Button == mbRight ? fceRightClick
                                                           : fceNone)) {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        EditFixedCell(at.X, at.Y);
        return;
    }
    if (Button == mbRight) {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        if (OnRightClickCell) OnRightClickCell(this, at.Y, at.X);
        if (normal && FURLShow && URLEdit && IsURL(Cells(RealColIndex(at.X), at.Y))) {
            FocusCell(at.X, at.Y, true);
            ShowEditor();
        }
        return;
    }
    if (Button != mbLeft) {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    // The second press of a double click does not use a control again.
    const bool again = Shift.Contains(ssDouble);
    if (!again && NodeOrRadioPress(at.X, at.Y, X, Y)) return;
    // A press inside the selection (or on a header, for a column) arms a
    // drag, which starts once the mouse moves.
    FOleDragArmed = false;
    if (FDragDropSettings->OleDropSource && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl)) {
        const TRect cell = CellRect(at.X, at.Y);
        const bool column =
            at.Y < fixedRows && at.X >= fixedCols && FDragDropSettings->OleColumnDragDrop;
        const bool selected = normal && Selection().Contains(at.X, at.Y) &&
                              !Options().Contains(goEditing) && !FMouseActions->ColSelect &&
                              !FMouseActions->AllSelect && X - cell.Left > 3;
        if (column || selected) {
            FOleDragArmed = true;
            if (OnClickCell) OnClickCell(this, at.Y, at.X);
            return;
        }
    }
    if (!again && ButtonOrCheckPress(at.X, at.Y, X, Y)) {
        if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
        return;
    }
    // Rows, columns or everything, from the fixed cells.
    if (!normal && GridState() == gsNormal && SelectFromFixedCells(MouseModeAt(X, Y), at.X, at.Y)) {
        if (OnClickCell) OnClickCell(this, at.Y, at.X);
        return;
    }
    // Form controls in tagged text: used, not selected.
    if (normal && HTMLControlPress(at.X, at.Y, X, Y)) return;
    // Anchors and addresses: followed, not selected.
    if (normal) {
        const std::string anchor = AnchorAt(at.X, at.Y, X, Y);
        if (!anchor.empty()) {
            AnchorClick(at.Y, at.X, anchor);
            return;
        }
    }
    const bool ctrl = Shift.Contains(ssCtrl);
    if (normal && at.Y <= LastNormalRow() && FMouseActions->DisjunctRowSelect()) {
        const int real = RealRowIndex(at.Y);
        if (ctrl && GetRowSelect(real))
            FPendingDeselect = at.Y; // released on the same row: unselected
        else if (!ctrl)
            ClearRowSelect();
    }
    if (normal && at.X <= LastNormalCol() && FMouseActions->DisjunctColSelect()) {
        if (ctrl && GetColSelect(at.X))
            FPendingDeselect = at.X;
        else if (!ctrl)
            ClearColSelect();
    }
    const bool wasCurrent = at.X == Col() && at.Y == Row();
    const bool wasEditing = EditorMode();
    // The press itself must not open the editor: only a press on the cell
    // that already was the current one does.
    const bool alwaysEdit = FNavigation->AlwaysEdit;
    FNavigation->AlwaysEdit = false;
    // A press on the partly shown last column or row keeps the view still.
    const bool partly =
        at.X == LeftCol() + VisibleColCount() || at.Y == TopRow() + VisibleRowCount();
    const int leftCol = LeftCol(), topRow = TopRow();
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    if (FMouseActions->NoAutoRangeScroll && partly) {
        if (LeftCol() != leftCol) SetLeftCol(leftCol);
        if (TopRow() != topRow) SetTopRow(topRow);
    }
    // Whole rows picked by the mouse leave the columns where the user has them.
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll && LeftCol() != leftCol)
        SetLeftCol(leftCol);
    FNavigation->AlwaysEdit = alwaysEdit;
    if (OnClickCell) OnClickCell(this, at.Y, at.X);
    if (!normal || HasCellControl(at.X, at.Y)) return;
    bool canEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit;
    CanEditCell(RealColIndex(at.X), at.Y, canEdit);
    if (canEdit && (FMouseActions->DirectEdit || (wasCurrent && !Shift.Contains(ssShift)))) {
        if (!Options().Contains(goEditing)) SetOptions(Options() + goEditing);
        if (Col() == at.X && Row() == at.Y && !EditorMode()) ShowEditor();
    }
    // Editing this press started (here or in the base grid) begins at the click.
    if (FMouseActions->CaretPositioning && !wasEditing && EditorMode()) PlaceEditorCaret(X, Y);
}

void TExtStringGrid::PlaceEditorCaret(int X, int Y) {
    TInplaceEdit* editor = InplaceEditor();
    if (!editor || !editor->Visible()) return;
    // The mouse came in client coordinates, inside the border; the window's
    // own coordinates start at its edge.
    const int b = BorderOffset();
    editor->SetSelStart(
        editor->CharFromPos(editor->ScreenToClient(ClientToScreen({X + b, Y + b}))));
}

void TExtStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FOleDragArmed = false;
    const int sortCol = FSortPressCol;
    FSortPressCol = -1;
    if (FOwnSizingCol >= 0) {
        if (Button == mbLeft) EndOwnSizing(X);
        return;
    }
    const TGridState state = GridState();
    // A border let go beyond the grid's edge takes the sizing back.
    const bool cancelled = Button == mbLeft && ((state == gsColSizing && X > Width()) ||
                                                (state == gsRowSizing && Y > Height()));
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    if (cancelled) CancelMouseSizing();
    if (Button != mbLeft) return;
    if (FMouseActions->DisjunctCellSelect() && (state == gsNormal || state == gsSelecting)) {
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= TBaseGrid::FixedCols() && cell.Y >= TBaseGrid::FixedRows())
            PickSelectedCell(cell.X, cell.Y, Shift.Contains(ssCtrl));
    }
    if (state == gsColSizing || state == gsRowSizing) EndMouseSizing();
    EndSizingHint();
    EndResizerDrag();
    CellControlRelease(X, Y);
    HTMLControlRelease();
    const TGridCoord at = MouseCoord(X, Y);
    // A click in the sort row sorts, unless the press sized or moved a column.
    if (sortCol >= 0 && at.Y == SortSettings()->Row() && RowCount() > 2 && state != gsColSizing &&
        state != gsRowSizing && (state != gsColMoving || at.X == sortCol)) {
        ClickSort(sortCol, Shift);
        FPendingDeselect = -1;
        FFixedSelecting = false;
        return;
    }
    if (FMouseActions->DisjunctRowSelect() && !FFixedSelecting) {
        if (FPendingDeselect >= 0 && at.Y == FPendingDeselect)
            SetRowSelect(RealRowIndex(at.Y), false);
        else
            SelectRowsInSelection(false);
        InvalidateGrid();
    }
    if (FMouseActions->DisjunctColSelect() && !FFixedSelecting) {
        if (FPendingDeselect >= 0 && at.X == FPendingDeselect)
            SetColSelect(at.X, false);
        else
            SelectColsInSelection(false);
        InvalidateGrid();
    }
    FPendingDeselect = -1;
    FFixedSelecting = false;
}

void TExtStringGrid::DblClick() {
    if (ColumnBorderDblClick(FMouseDownPoint.X, FMouseDownPoint.Y)) return;
    TBaseGrid::DblClick();
    const TGridCoord at = MouseCoord(FMouseDownPoint.X, FMouseDownPoint.Y);
    if (at.X < 0 || at.Y < 0) return;
    if (OnDblClickCell) OnDblClickCell(this, at.Y, at.X);
    if (FixedCellEditWanted(at.X, at.Y, fceDblClick)) EditFixedCell(at.X, at.Y);
}
