// Which editor a cell gets and what happens when editing ends: the grid's own
// text editor with the cell's editor type, edit text read and written by real
// column, and the write-back (or cancel) when the focus leaves the editor.
#include <algorithm>
#include <utility>

#include "grid/editlink.h"
#include "grid/extgrid.h"
#include "grid/extinplaceedit.h"
#include "grid/extrichedit.h"
#include "grid/grideditors.h"
#include "grid/support/gridvalues.h"
#include "grid/support/htmlsupport.h"
#include "platform/rtl/dateutils.h"
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
        // Text over several lines gets the multi-line editor where the cells
        // show lines: word-wrapped or multi-line cells.
        FMultiLineEdit = FEditorType == edNormal && (FWordWrap || Multilinecells) &&
                         (FNavigation->LineFeedOnEnter ||
                          GetEditText(Col(), row).find('\n') != std::string::npos);
        FEditActive = true;
        FEditActiveCol = Col();
        FEditActiveRow = row;
    }
    if (IsTextEditorType(FEditorType) && !FMultiLineEdit) return true;
    // The other types have their own control over the cell (the text editor
    // stays hidden); a type without one shows nothing.
    if (!FActiveCellEditor) ShowInplaceEditor(Col(), row);
    return false;
}

std::string TExtStringGrid::GetEditText(int ACol, int ARow) {
    // The grid hands display columns; the text lives under the real one.
    const std::string text = TBaseGrid::GetEditText(RealColIndex(ACol), ARow);
    // Tagged text is edited as what it shows, unless the tags are wanted.
    if (EditWithTags || CellContentKind(text, EnableHTML) != cckHTML) return text;
    FTaggedEdit = {ACol, ARow, text, StripHTML(text)};
    return FTaggedEdit.Shown;
}

void TExtStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    // The text as it was shown (Esc, or nothing typed) keeps its tags.
    const bool untouched =
        FTaggedEdit.Col == ACol && FTaggedEdit.Row == ARow && Value == FTaggedEdit.Shown;
    TBaseGrid::SetEditText(RealColIndex(ACol), ARow, untouched ? FTaggedEdit.Tagged : Value);
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
    EndEdit(true);
}

void TExtStringGrid::TakeFocusBack() {
    const bool movingOwnFocus = std::exchange(FMovingOwnFocus, true);
    if (CanFocus()) SetFocus();
    FMovingOwnFocus = movingOwnFocus;
}

void TExtStringGrid::EndEdit(bool WriteBack) {
    // The editor gives the focus back to the grid while it closes: the edit
    // ends here, once, not again by that focus loss.
    const bool closing = std::exchange(FClosingEditor, true);
    if (FValidating) {
        // A refused value is put back with the editor closed and reopened:
        // the same edit goes on.
        TBaseGrid::HideEditor();
    } else {
        const bool wasEditing = FEditActive;
        if (FActiveCellEditor) HideInplaceEditor(RealColIndex(Col()), Row(), WriteBack);
        FEditActive = false;
        FEditActiveCol = FEditActiveRow = -1;
        TBaseGrid::HideEditor();
        FEditorType = edNormal;
        FMultiLineEdit = false;
        if (wasEditing) EditingDone();
    }
    FClosingEditor = closing;
}

void TExtStringGrid::EditorFocusLost(TWinControl* Editor, bool Validate, const std::string& Text) {
    if (FClosingEditor || !EditorMode() || !Editor->Visible()) return;
    // An edit the grid ends itself ends its own way; focus that went
    // anywhere else (the grid too: a click on another cell, Tab in a dialog)
    // ends the edit here.
    if (GetFocus() == Editor) return;
    const bool closing = std::exchange(FClosingEditor, true);
    // Written back when valid, the old text put back when not: once either way.
    EndEdit(!Validate || ValidateCell(Text));
    FClosingEditor = closing;
}

// --- the dedicated editors -------------------------------------------------------------------

template <class TEditor> TEditor* TExtStringGrid::MakeEditor(TEditor*& Slot) {
    if (!Slot) Slot = new TEditor(this); // owned by the grid as a component
    return Slot;
}

TGridCombo* TExtStringGrid::Combobox() {
    return MakeEditor(FCombo);
}
TGridSpin* TExtStringGrid::SpinEdit() {
    return MakeEditor(FSpin);
}
TGridEditBtn* TExtStringGrid::BtnEdit() {
    return MakeEditor(FEditBtn);
}
TGridUnitEditBtn* TExtStringGrid::BtnUnitEdit() {
    return MakeEditor(FUnitEditBtn);
}
TGridDatePicker* TExtStringGrid::GetDatePickerEditor() {
    return DatePickerAvailable() ? MakeEditor(FDatePicker) : nullptr;
}
TGridCheckBox* TExtStringGrid::CheckEdit() {
    return MakeEditor(FCheckEdit);
}
TGridButton* TExtStringGrid::GridButton() {
    return MakeEditor(FGridButton);
}

TGridUniEdit* TExtStringGrid::UniEdit() {
    return MakeEditor(FUniEdit);
}
TGridUniCombo* TExtStringGrid::UniCombobox() {
    return MakeEditor(FUniCombo);
}

TGridMemo* TExtStringGrid::MemoEdit() {
    return MakeEditor(FMemo);
}

TGridCellEditor* TExtStringGrid::CellEditorFor(TEditorType Type) {
    if (FMultiLineEdit) return MemoEdit();
    switch (Type) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        return SpinEdit();
    case edComboEdit:
    case edComboList:
        return Combobox();
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        return BtnEdit();
    case edUnitEditBtn:
        return BtnUnitEdit();
    case edUniEdit:
        return UniEdit();
    case edUniComboEdit:
    case edUniComboList:
        return UniCombobox();
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        return GetDatePickerEditor();
    case edCheckBox:
        return CheckEdit();
    case edRichEdit:
        return RichEditor();
    case edButton:
        return GridButton();
    case edCustom:
        if (!EditLink) return nullptr;
        if (!FLinkEditor || FLinkEditor->Link != EditLink)
            FLinkEditor = std::make_shared<TEditLinkEditor>(this, EditLink);
        return FLinkEditor.get();
    default:
        return nullptr; // no control of its own (edDataCheckBox)
    }
}

template <class TCombo>
void TExtStringGrid::SetUpCombo(TCombo& Combo, bool List, const std::string& Text) {
    Combo.SetDroppedDown(false);
    Combo.SetStyle(List ? csDropDownList : csDropDown);
    Combo.SetFlat(FLook == glSoft || FLook == glHouse || FLook == glXP);
    Combo.SetEtched(Combo.Flat());
    Combo.LoadText(Text);
}

void TExtStringGrid::ShowInplaceEditor(int ACol, int ARow) {
    TGridCellEditor* editor = CellEditorFor(FEditorType);
    if (!editor) return;
    const std::string text = GetEditText(ACol, ARow);
    const TRect r = MergedCellRect(Col(), Row());
    const int b = BorderOffset();
    if (FEditorType == edCustom) {
        // The link's own steps, in their order.
        EditLink->FGrid = this;
        EditLink->FEditCol = ACol;
        EditLink->FEditRow = ARow;
        EditLink->CreateEditor(this);
        if (!EditLink->GetEditControl()) return;
        if (EditLink->EditStyle == esPopup)
            EditLink->OpenPopup(ClientToScreen({r.Left + b, r.Bottom + b}), r.Width());
        else
            EditLink->SetRect({r.Left + b, r.Top + b, r.Right + b, r.Bottom + b});
        EditLink->SetVisible(true);
        EditLink->SetCellProperties();
        EditLink->SetProperties();
        if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, EditLink);
        EditLink->SetEditorValue(text);
        FActiveCellEditor = editor;
        EditLink->SetFocus(true);
        return;
    }
    TWinControl* control = editor->Control();
    switch (FEditorType) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin* spin = SpinEdit();
        if (FEditorType == edSpinEdit) {
            spin->SetSpinType(sptNormal);
            spin->SetValue(StrToIntDef(text, 0));
        } else if (FEditorType == edFloatSpinEdit) {
            spin->SetSpinType(sptFloat);
            double value = 0;
            spin->SetFloatValue(TryStrToFloat(StripNumberFormatting(text), value) ? value : 0);
        } else if (FEditorType == edTimeSpinEdit) {
            spin->SetSpinType(sptTime);
            spin->SetText(text);
        } else {
            spin->SetSpinType(sptDate);
            TDateTime date = 0;
            spin->SetDateValue(TryStrToDate(text, date) ? date : Date());
        }
        break;
    }
    case edComboEdit:
    case edComboList:
        SetUpCombo(*Combobox(), FEditorType == edComboList, text);
        if (FNavigation->AutoComboDropSize)
            Combobox()->SetDroppedWidth(ComboDropWidth(*Combobox()));
        break;
    case edUniComboEdit:
    case edUniComboList:
        SetUpCombo(*UniCombobox(), FEditorType == edUniComboList, text);
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        BtnEdit()->SetMaxLength(GetEditLimit());
        BtnEdit()->LoadText(text);
        break;
    case edUnitEditBtn:
        BtnUnitEdit()->SetMaxLength(GetEditLimit());
        BtnUnitEdit()->LoadText(text);
        break;
    case edRichEdit:
        LoadRichCell(ACol, ARow, RichEditor());
        break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        TGridDatePicker* picker = GetDatePickerEditor();
        picker->SetKind(FEditorType == edTimeEdit ? dtkTime : dtkDate);
        picker->SetDateMode(FEditorType == edDateEditUpDown ? dmUpDown : dmComboBox);
        picker->LoadText(text);
        break;
    }
    default:
        editor->LoadText(text);
        break;
    }
    control->SetBounds(r.Left + b, r.Top + b, r.Width() - 1, r.Height() - 1);
    SetEditorLook(*control);
    control->SetEnabled(true);
    control->SetVisible(true);
    control->BringToFront();
    FActiveCellEditor = editor;
    control->SetFocus();
    if (FEditorType == edComboEdit || FEditorType == edComboList)
        if (FMouseActions->DirectComboDrop) Combobox()->SetDroppedDown(true);
    if (FEditorType == edDateEdit && FMouseActions->DirectDateDrop)
        GetDatePickerEditor()->SetDroppedDown(true);
}

void TExtStringGrid::SetEditorLook(TWinControl& Editor) {
    TFont font;
    TBrush brush;
    TGridDrawState state;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    TColor colorTo = clNone;
    GetCellDrawColors(Col(), Row(), &font, &brush, true, false, false, state, hAlign, vAlign,
                      colorTo);
    Editor.SetColor(brush.Color());
    Editor.SetFont(&font);
    // An editor whose font object already held these values (the default
    // font, or the last cell's) may still show another font in its window:
    // the window is told again, so the text stands where it was painted.
    Editor.Perform(CM_FONTCHANGED);
}

void TExtStringGrid::SizeRowWhileTyping(TWinControl& Editor, const std::string& Text) {
    if (!FSizeWhileTyping->Height || !Multilinecells) return;
    const int row = Row();
    const int lines = static_cast<int>(std::count(Text.begin(), Text.end(), '\n')) + 1;
    SetRowHeightForLines(row, lines, 4);
    Editor.SetHeight(MergedCellRect(Col(), row).Height() - 1);
    if (OnEndRowSize) OnEndRowSize(this, row);
}

void TExtStringGrid::HideInplaceEditor(int ACol, int ARow, bool WriteBack) {
    TGridCellEditor* editor = FActiveCellEditor;
    if (!editor) return;
    FActiveCellEditor = nullptr;
    TWinControl* control = editor->Control();
    if (WriteBack && control->Visible()) {
        switch (FEditorType) {
        case edFloatSpinEdit:
            SetFloats(ACol, ARow, SpinEdit()->FloatValue());
            break;
        case edDateSpinEdit:
            SetFloatValue(ACol, ARow, SpinEdit()->DateValue());
            break;
        case edComboList:
            // A list whose text is none of its items was only looked at: the
            // cell keeps what it had.
            if (Combobox()->ItemIndex() >= 0) SetCellViaEdit(ACol, ARow, Combobox()->Text());
            break;
        case edUniComboList:
            if (UniCombobox()->ItemIndex() >= 0)
                SetCellViaEdit(ACol, ARow, UniCombobox()->EditorText());
            break;
        case edCheckBox:
        case edButton:
            break;
        default:
            SetCellViaEdit(ACol, ARow, editor->EditorText());
            break;
        }
    }
    const bool hadFocus = control->Focused();
    editor->Closed();
    if (FEditorType != edCustom) control->SetEnabled(false);
    control->SetVisible(false);
    if (hadFocus) TakeFocusBack();
    RepaintCell(Col(), Row());
}

bool TExtStringGrid::CellEditorKey(TGridCellEditor& Editor, WORD& Key, TShiftState Shift) {
    const WORD key = Key;
    const int realCol = RealColIndex(Col());
    if (key == VK_ESCAPE) {
        Editor.LoadText(GetEditText(Col(), Row()));
    } else if (Editor.HoldsValue() && !Editor.Validate()) {
        Editor.LoadText(ReadCell(realCol, Row()));
        Key = 0;
        return true;
    }
    Key = 0;
    EditorKeyDone(key, Shift);
    return true;
}

void TExtStringGrid::EditorKeyDone(WORD Key, TShiftState Shift) {
    const bool closing = std::exchange(FClosingEditor, true);
    TakeFocusBack();
    // Esc keeps the cell as it was: an editor that cannot show the cell's
    // text (no date, no number, no time) would otherwise write its stand-in.
    EndEdit(Key != VK_ESCAPE);
    FClosingEditor = closing;
    if (Key == VK_RETURN) {
        if (FNavigation->AdvanceOnEnter)
            AdvanceToNextCell(Col(), Row(), !Shift.Contains(ssShift), false, false);
    } else if (Key != VK_ESCAPE) {
        WORD k = Key;
        KeyDown(k, Shift);
    }
}

std::string TExtStringGrid::EllipsisClick(int ACol, int ARow, const std::string& S) {
    std::string value = S;
    if (OnEllipsClick) OnEllipsClick(this, ACol, ARow, value);
    return value;
}

void TExtStringGrid::ShowEditorChar(char Ch) {
    ShowEditor();
    if (FActiveCellEditor) {
        // The key that started editing is typed into the editor, not lost.
        TWinControl* control = FActiveCellEditor->Control();
        if (!control->Visible()) return;
        // The typed character replaces the text, as in the text editor.
        if (auto* edit = dynamic_cast<TCustomEdit*>(control))
            edit->SelectAll();
        else if (FMultiLineEdit)
            FActiveCellEditor->LoadText("");
        control->Perform(WM_CHAR, static_cast<unsigned char>(Ch));
        return;
    }
    if (!InplaceEditor() || !InplaceEditor()->Visible()) return;
    InplaceEditor()->SelectAll();
    InplaceEditor()->Perform(WM_CHAR, static_cast<unsigned char>(Ch));
}

bool TExtStringGrid::SelectCell(int ACol, int ARow) {
    // A move whose questions were answered already (the searches for the
    // next cell ask before they move) is not asked about twice.
    const bool answered = std::exchange(FAnsweredCell, {-1, -1}) == TGridCoord{ACol, ARow};
    if (!answered && !AskCellChange(ACol, ARow)) return false;
    // Another cell: an open dedicated editor writes back and closes first.
    if (FActiveCellEditor && (ACol != Col() || ARow != Row())) HideEditor();
    return TBaseGrid::SelectCell(ACol, ARow);
}

void TExtStringGrid::MoveToAskedCell(int ACol, int ARow) {
    FAnsweredCell = {ACol, ARow};
    FocusCell(ACol, ARow, true);
    FAnsweredCell = {-1, -1};
}
