// The controls that live in cells, used from the keyboard and the mouse:
// check boxes toggled, radio items chosen, buttons pressed and released,
// nodes folded and unfolded by their glyph, and the column border that a
// double click sizes to its content. Hits use the same placement as the
// drawing, so a click lands where the control is seen.
#include "grid/extgrid.h"

namespace {

bool Inside(const TRect& R, int X, int Y) {
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

} // namespace

bool TExtStringGrid::CanUseControl(int ACol, int ARow) {
    bool can = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit;
    CanEditCell(RealColIndex(ACol), ARow, can);
    return can;
}

bool TExtStringGrid::CellControlKey(WORD Key) {
    const int c = Col(), r = Row();
    if (!HasCellControl(c, r) || !CanUseControl(c, r)) return false;
    const int real = RealColIndex(c);
    if (IsButton(c, r)) {
        if (OnButtonClick) OnButtonClick(this, real, r);
        RepaintCell(c, r);
        return true;
    }
    if (Key != VK_SPACE) return false;
    if (HasCheckBox(c, r)) {
        if (!ToggleCheckBox(c, r, false)) return false;
        bool state = false;
        GetCheckBoxState(c, r, state);
        if (OnCheckBoxClick) OnCheckBoxClick(this, real, r, state);
        return true;
    }
    if (IsRadio(c, r) && StepRadio(c, r, false)) {
        int rc = 0, br = 0;
        const TCellGraphic* g = BaseGraphic(c, r, rc, br);
        const auto* captions = dynamic_cast<const TStrings*>(g->CellBitmap);
        const int index = g->CellIndex >= 0 ? g->CellIndex : captions->IndexOf(ReadCell(rc, br));
        if (OnRadioClick) OnRadioClick(this, real, r, index);
        return true;
    }
    return false;
}

void TExtStringGrid::ToggleNodeByClick(int ARow) {
    const int real = RealRowIndex(ARow);
    bool allow = true;
    if (!GetNodeState(ARow)) {
        if (OnBeforeContractNode) OnBeforeContractNode(this, ARow, real, allow);
        if (!allow) return;
        ContractNode(ARow);
        if (OnContractNode) OnContractNode(this, ARow, real);
    } else {
        if (OnBeforeExpandNode) OnBeforeExpandNode(this, ARow, real, allow);
        if (!allow) return;
        ExpandNode(ARow);
        if (OnExpandNode) OnExpandNode(this, ARow, real);
    }
    // Expanding with ExpandOne may have folded nodes above this one.
    if (FMouseActions->MoveRowOnNodeClick) FocusCell(Col(), DisplRowIndex(real), true);
}

bool TExtStringGrid::NodeOrRadioPress(int ACol, int ARow, int X, int Y) {
    const int fixedRows = TBaseGrid::FixedRows();
    if (ACol == 0 && HasNodes()) {
        if (ARow < fixedRows) {
            if (FMouseActions->NodeAllExpandContract &&
                X - CellRect(0, ARow).Left < FCellNode->NodeIndent()) {
                FHeaderNodeContracted = !FHeaderNodeContracted;
                if (FHeaderNodeContracted)
                    ContractAll();
                else
                    ExpandAll();
                return true;
            }
        } else if (IsNodeGlyphHit(ARow, X)) {
            ToggleNodeByClick(ARow);
            return true;
        }
    }
    if (ARow >= fixedRows && IsRadio(ACol, ARow) && CanUseControl(ACol, ARow)) {
        HideEditor();
        const int item = RadioItemAt(ACol, ARow, X, Y);
        if (item < 0) return true;
        int rc = 0, br = 0;
        TCellGraphic* g = BaseGraphic(ACol, ARow, rc, br);
        const auto* captions = dynamic_cast<const TStrings*>(g->CellBitmap);
        if (g->CellIndex < 0)
            WriteCell(rc, br, captions->Get(item));
        else
            g->CellIndex = item;
        RepaintCell(DisplColIndex(rc), br);
        FControlPress = {ACol, ARow};
        if (OnRadioClick) OnRadioClick(this, rc, br, item);
        return true;
    }
    // Column 0 of a tree belongs to the nodes, not to the selection.
    return ACol == 0 && ARow >= fixedRows && HasNodes() && !FMouseActions->RowSelect;
}

bool TExtStringGrid::ButtonOrCheckPress(int ACol, int ARow, int X, int Y) {
    const int fixedRows = TBaseGrid::FixedRows();
    if (IsButton(ACol, ARow)) {
        HideEditor();
        FocusCell(ACol, ARow, true);
        if (Inside(GetButtonRect(ACol, ARow), X, Y)) {
            FPressedButton = {ACol, ARow};
            SetMouseCapture(true);
        }
        if (OnClickCell) OnClickCell(this, ARow, ACol);
        return true;
    }
    if (!HasCheckBox(ACol, ARow) || ACol < TBaseGrid::FixedCols()) return false;
    const bool header = ARow < fixedRows;
    if (header && !FMouseActions->CheckAllCheck) return false;
    if (!CanUseControl(ACol, ARow) || !IsCheckBoxHit(ACol, ARow, X, Y)) return false;
    HideEditor();
    ToggleCheckBox(ACol, ARow, false);
    bool state = false;
    GetCheckBoxState(ACol, ARow, state);
    FControlPress = {ACol, ARow};
    if (OnCheckBoxClick) OnCheckBoxClick(this, RealColIndex(ACol), ARow, state);
    if (header)
        for (int r = fixedRows; r <= LastNormalRow(); ++r)
            if (HasCheckBox(ACol, r)) SetCheckBoxState(ACol, r, state);
    return true;
}

void TExtStringGrid::CellControlRelease(int X, int Y) {
    const TGridCoord pressed = FPressedButton, control = FControlPress;
    FPressedButton = {-1, -1};
    FControlPress = {-1, -1};
    if (pressed.X >= 0) {
        SetMouseCapture(false);
        RepaintCell(pressed.X, pressed.Y);
        if (OnButtonClick) OnButtonClick(this, RealColIndex(pressed.X), pressed.Y);
        return;
    }
    const TGridCoord at = MouseCoord(X, Y);
    if (control.X < 0 || at.X != control.X || at.Y != control.Y) return;
    int rc = 0, br = 0;
    const TCellGraphic* g = BaseGraphic(at.X, at.Y, rc, br);
    if (!g) return;
    bool state = false;
    if (GetCheckBoxState(at.X, at.Y, state)) {
        if (OnCheckBoxMouseUp) OnCheckBoxMouseUp(this, rc, at.Y, state);
    } else if (g->CellType == ctRadio && OnRadioMouseUp) {
        const auto* captions = dynamic_cast<const TStrings*>(g->CellBitmap);
        const int index = g->CellIndex >= 0 ? g->CellIndex
                                            : (captions ? captions->IndexOf(ReadCell(rc, br)) : -1);
        OnRadioMouseUp(this, rc, at.Y, index);
    }
}

bool TExtStringGrid::ColumnBorderDblClick(int X, int Y) {
    if (!Options().Contains(goColSizing)) return false;
    const TGridCoord at = MouseCoord(X, Y);
    if (at.X < 0 || at.Y < 0 || at.Y >= TBaseGrid::FixedRows()) return false;
    const int fixedCols = TBaseGrid::FixedCols();
    const TRect cell = CellRect(at.X, at.Y);
    int col = -1;
    if (X - cell.Left <= 4 && at.X - 1 >= fixedCols)
        col = at.X - 1;
    else if (cell.Right - X <= 4 && at.X >= fixedCols)
        col = at.X;
    if (col < 0) return false;
    bool allow = true;
    if (OnColumnSize) OnColumnSize(this, col, allow);
    if (allow) {
        AutoSizeCol(col);
        if (OnEndColumnSize) OnEndColumnSize(this, col);
    }
    return true;
}
