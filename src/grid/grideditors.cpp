#include "grid/grideditors.h"

#include "grid/extgrid.h"
#include "grid/extinplaceedit.h"
#include "platform/rtl/dateutils.h"

// --- common ------------------------------------------------------------------------------

bool TGridCellEditor::EndingKey(WORD& Key, TShiftState Shift) {
    return Grid->CellEditorKey(*this, Key, Shift);
}

void TGridCellEditor::FocusLost() {
    Grid->EditorFocusLost(Control(), HoldsValue(), HoldsValue() ? EditorText() : std::string());
}

namespace {

bool IsLeavingKey(WORD Key) {
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_UP || Key == VK_DOWN;
}

template <class TEditor> void Place(TEditor* Editor, TExtStringGrid* Grid) {
    Editor->SetVisible(false);
    Editor->SetParent(Grid);
}

} // namespace

// --- spin ----------------------------------------------------------------------------------

TGridSpin::TGridSpin(TExtStringGrid* AGrid) : TXsgSpinEdit(AGrid), TGridCellEditor(AGrid) {
    MinValue = 0;
    MaxValue = 100;
    Increment = 1;
    Place(this, AGrid);
}

void TGridSpin::LoadText(const std::string& Value) {
    SetText(Value);
    SetSelStart(static_cast<int>(Value.size()));
}

void TGridSpin::KeyDown(WORD& Key, TShiftState Shift) {
    if (IsLeavingKey(Key) && EndingKey(Key, Shift)) return;
    TXsgSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyPress(char& Key) {
    if (Key == '\r' || Key == '\t') {
        Key = 0; // did their work as keys
        return;
    }
    TXsgSpinEdit::KeyPress(Key);
}

void TGridSpin::DoExit() {
    FocusLost();
    TXsgSpinEdit::DoExit();
}

// --- combo ---------------------------------------------------------------------------------

TGridCombo::TGridCombo(TExtStringGrid* AGrid) : TXSGComboBox(AGrid), TGridCellEditor(AGrid) {
    Place(this, AGrid);
}

void TGridCombo::LoadText(const std::string& Value) {
    const int index = Items()->IndexOf(Value);
    if (Style() == csDropDownList)
        SetItemIndex(index);
    else
        SetText(Value);
}

std::string TGridCombo::EditorText() {
    if (Style() == csDropDownList && ItemIndex() < 0)
        return Grid->Cells(Grid->GetRealCol(), Grid->Row());
    return Text();
}

void TGridCombo::KeyDown(WORD& Key, TShiftState Shift) {
    // With the list open (or a list style) the arrows walk the list; an open
    // list with Alt+Down never ends editing.
    const bool listLike = Style() == csDropDownList || DroppedDown();
    bool ending = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
    if (!listLike) ending = ending || ((Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt));
    if (ending && EndingKey(Key, Shift)) return;
    TXSGComboBox::KeyDown(Key, Shift);
}

void TGridCombo::DoExit() {
    // The list dropping down keeps the edit alive.
    if (!DroppedDown()) FocusLost();
    TXSGComboBox::DoExit();
}

// --- edit with button ------------------------------------------------------------------------

TGridEditBtn::TGridEditBtn(TExtStringGrid* AGrid) : TXsgEditBtn(AGrid), TGridCellEditor(AGrid) {
    Place(this, AGrid);
}

void TGridEditBtn::LoadText(const std::string& Value) {
    SetText(Value);
    SetSelStart(static_cast<int>(Value.size()));
}

void TGridEditBtn::ClickButton() {
    TXsgEditBtn::ClickButton();
    SetText(Grid->EllipsisClick(Grid->GetRealCol(), Grid->Row(), Text()));
    SelectAll();
}

void TGridEditBtn::KeyDown(WORD& Key, TShiftState Shift) {
    if (IsLeavingKey(Key) && EndingKey(Key, Shift)) return;
    TXsgEditBtn::KeyDown(Key, Shift);
}

void TGridEditBtn::KeyPress(char& Key) {
    if (Key == '\r' || Key == '\t') {
        Key = 0;
        return;
    }
    const TEditorType type = Grid->CurrentEditorType();
    if (static_cast<unsigned char>(Key) >= 32 &&
        (type == edNumericEditBtn || type == edFloatEditBtn)) {
        bool beep = false;
        Key = FilterEditChar(type == edNumericEditBtn ? edNumeric : edFloat, Key, Text(),
                             SelStart(), SelLength(), beep);
        if (Key == 0) {
            if (beep) MessageBeep(0);
            return;
        }
    }
    TXsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::DoExit() {
    FocusLost();
    TXsgEditBtn::DoExit();
}

// --- unit edit -------------------------------------------------------------------------------

TGridUnitEditBtn::TGridUnitEditBtn(TExtStringGrid* AGrid)
    : TXsgUnitEditBtn(AGrid), TGridCellEditor(AGrid) {
    Place(this, AGrid);
}

void TGridUnitEditBtn::LoadText(const std::string& Value) {
    std::string number, unit;
    for (char ch : Value) {
        if ((ch >= '0' && ch <= '9') || ch == ',' || ch == '-' || ch == '.')
            number += ch;
        else
            unit += ch;
    }
    SetText(number);
    SetUnitID(unit);
}

void TGridUnitEditBtn::KeyDown(WORD& Key, TShiftState Shift) {
    if (IsLeavingKey(Key) && EndingKey(Key, Shift)) return;
    TXsgUnitEditBtn::KeyDown(Key, Shift);
}

void TGridUnitEditBtn::DoExit() {
    FocusLost();
    TXsgUnitEditBtn::DoExit();
}

// --- date picker ---------------------------------------------------------------------------

TGridDatePicker::TGridDatePicker(TExtStringGrid* AGrid)
    : TDateTimePicker(AGrid), TGridCellEditor(AGrid) {
    Place(this, AGrid);
}

std::string TGridDatePicker::EditorText() {
    return DateToStr(Date());
}

void TGridDatePicker::LoadText(const std::string& Value) {
    TDateTime date = 0;
    SetDate(TryStrToDate(Value, date) ? date : ::Date());
}

void TGridDatePicker::KeyDown(WORD& Key, TShiftState Shift) {
    if ((Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) && EndingKey(Key, Shift)) return;
    TDateTimePicker::KeyDown(Key, Shift);
}

void TGridDatePicker::DoExit() {
    if (!DroppedDown()) FocusLost();
    TDateTimePicker::DoExit();
}

// --- check box -----------------------------------------------------------------------------

TGridCheckBox::TGridCheckBox(TExtStringGrid* AGrid) : TCheckBox(AGrid), TGridCellEditor(AGrid) {
    Place(this, AGrid);
}

void TGridCheckBox::LoadText(const std::string& Value) {
    SetCaption(Value);
    SetChecked(false);
}

void TGridCheckBox::KeyDown(WORD& Key, TShiftState Shift) {
    switch (Key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (EndingKey(Key, Shift)) return;
        break;
    default:
        break;
    }
    TCheckBox::KeyDown(Key, Shift);
}

void TGridCheckBox::DoExit() {
    FocusLost();
    TCheckBox::DoExit();
}

// --- button --------------------------------------------------------------------------------

TGridButton::TGridButton(TExtStringGrid* AGrid) : TButton(AGrid), TGridCellEditor(AGrid) {
    Place(this, AGrid);
}

void TGridButton::Click() {
    TButton::Click();
    SetCaption(Grid->EllipsisClick(Grid->GetRealCol(), Grid->Row(), Caption()));
}

void TGridButton::KeyDown(WORD& Key, TShiftState Shift) {
    switch (Key) {
    case VK_ESCAPE:
    case VK_TAB:
    case VK_RETURN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (EndingKey(Key, Shift)) return;
        break;
    default:
        break;
    }
    TButton::KeyDown(Key, Shift);
}

void TGridButton::DoExit() {
    FocusLost();
    TButton::DoExit();
}
