// Which editor a cell gets and what happens when editing ends: the grid's own
// text editor with the cell's editor type, edit text read and written by real
// column, and the write-back (or cancel) when the focus leaves the editor.
#include "grid/extgrid.h"
#include "grid/extinplaceedit.h"
#include "platform/vcl/winapi.h"

bool TExtStringGrid::IsTextEditorType(TEditorType Type) {
    switch (Type) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
        return true;
    default:
        return false;
    }
}

TInplaceEdit* TExtStringGrid::CreateEditor() {
    return new TExtInplaceEdit(this); // owned by the grid as a component
}

bool TExtStringGrid::CanEditShow() {
    if (!TBaseGrid::CanEditShow() || Designing()) return false;
    const int realCol = RealColIndex(Col()), row = Row();
    if (HasCellControl(Col(), row)) return false;
    bool canEdit = true;
    CanEditCell(realCol, row, canEdit);
    bool fixed = false;
    IsFixedCell(realCol, row, fixed);
    if (!canEdit || fixed) return false;
    if (!FEditActive || FEditActiveCol != Col() || FEditActiveRow != row) {
        EditStart(Col(), row);
        FEditorType = edNormal;
        GetCellEditor(realCol, row, FEditorType);
        FEditActive = true;
        FEditActiveCol = Col();
        FEditActiveRow = row;
    }
    // A cell whose own check box is its editor has no text editor at all.
    return FEditorType != edDataCheckBox && FEditorType != edCheckBox && FEditorType != edButton;
}

std::string TExtStringGrid::GetEditText(int ACol, int ARow) {
    // The grid hands display columns; the text lives under the real one.
    return TBaseGrid::GetEditText(RealColIndex(ACol), ARow);
}

void TExtStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    TBaseGrid::SetEditText(RealColIndex(ACol), ARow, Value);
}

void TExtStringGrid::SetCellViaEdit(int ACol, int ARow, const std::string& Value) {
    TBaseGrid::SetEditText(ACol, ARow, Value);
    WriteCell(ACol, ARow, Value);
}

void TExtStringGrid::EditorToCell() {
    const int realCol = RealColIndex(Col());
    WriteCell(realCol, Row(), FEditStartText);
    if (InplaceEditor()) WriteCell(realCol, Row(), InplaceEditor()->Text());
}

void TExtStringGrid::EditingDone() {
    if (OnEditingDone) OnEditingDone(this);
}

void TExtStringGrid::HideEditor() {
    if (FValidating) {
        // A refused value is put back with the editor closed and reopened:
        // the same edit goes on.
        TBaseGrid::HideEditor();
        return;
    }
    const bool wasEditing = FEditActive;
    FEditActive = false;
    FEditActiveCol = FEditActiveRow = -1;
    TBaseGrid::HideEditor();
    FEditorType = edNormal;
    if (wasEditing) EditingDone();
}

void TExtStringGrid::EditorFocusLost(TWinControl* Editor) {
    if (FClosingEditor || !EditorMode() || !Editor->Visible()) return;
    // Focus that stays with the grid (the editor closing, a click on a cell)
    // is the grid's own business.
    HWND now = GetFocus();
    if (now == this || now == Editor) return;
    FClosingEditor = true;
    // Written back when valid, the old text put back when not: once either way.
    ValidateCell(Editor->Text());
    HideEditor();
    FClosingEditor = false;
}
