#include "grid/grideditors.h"

#include <utility>

#include "grid/extgrid.h"
#include "grid/extinplaceedit.h"
#include "grid/support/widecell.h"
#include "platform/rtl/dateutils.h"

// --- common ------------------------------------------------------------------------------

bool TGridCellEditor::EndingKey(WORD& Key, TShiftState Shift) {
    return Grid->CellEditorKey(*this, Key, Shift);
}

bool TGridCellEditor::Validate() {
    return Grid->ValidateCell(EditorText());
}

void TGridCellEditor::FocusLost() {
    Grid->EditorFocusLost(Control(), HoldsValue(), HoldsValue() ? EditorText() : std::string());
}

template <class TBase>
TGridEditorControl<TBase>::TGridEditorControl(TExtStringGrid* AGrid)
    : TBase(AGrid), TGridCellEditor(AGrid) {
    this->SetVisible(false);
    this->SetParent(AGrid);
}

template <class TBase>
bool TGridEditorControl<TBase>::IsEndingKey(WORD Key, TShiftState Shift) const {
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_UP || Key == VK_DOWN;
}

template <class TBase> void TGridEditorControl<TBase>::KeyDown(WORD& Key, TShiftState Shift) {
    if (IsEndingKey(Key, Shift) && EndingKey(Key, Shift)) return;
    TBase::KeyDown(Key, Shift);
}

template <class TBase> void TGridEditorControl<TBase>::CMWantSpecialKey(TMessage& Message) {
    const WORD key = static_cast<WORD>(Message.WParam);
    const bool ends = (key == VK_RETURN || key == VK_ESCAPE) &&
                      IsEndingKey(key, KeyDataToShiftState(Message.LParam));
    if ((key == VK_TAB && Grid->Options().Contains(goTabs)) || ends) {
        Message.Result = 1;
        return;
    }
    TBase::CMWantSpecialKey(Message);
}

template <class TBase> void TGridEditorControl<TBase>::DoExit() {
    if (!ListOpen()) FocusLost();
    TBase::DoExit();
}

template class TGridEditorControl<TXsgSpinEdit>;
template class TGridEditorControl<TXSGComboBox>;
template class TGridEditorControl<TXsgUniEdit>;
template class TGridEditorControl<TXSGUniComboBox>;
template class TGridEditorControl<TXsgEditBtn>;
template class TGridEditorControl<TXsgUnitEditBtn>;
template class TGridEditorControl<TDateTimePicker>;
template class TGridEditorControl<TCheckBox>;
template class TGridEditorControl<TButton>;
template class TGridEditorControl<TMemo>;
template class TGridEditorControl<TRichEdit>;

namespace {

// Tab and Enter did their work as keys; an edit must not type them.
bool SwallowedChar(char& Key) {
    if (Key != '\r' && Key != '\t') return false;
    Key = 0;
    return true;
}

void LoadEditText(TCustomEdit& Edit, const std::string& Value) {
    Edit.SetText(Value);
    Edit.SetSelStart(static_cast<int>(Value.size()));
}

bool ComboEndingKey(const TComboBox& Combo, WORD Key, TShiftState Shift) {
    // With the list open (or a list style) the arrows walk the list; Alt+Down
    // opens it.
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) return true;
    const bool listLike = Combo.Style() == csDropDownList || Combo.DroppedDown();
    return !listLike && (Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt);
}

} // namespace

// --- spin ----------------------------------------------------------------------------------

TGridSpin::TGridSpin(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {
    MinValue = 0;
    MaxValue = 100;
    Increment = 1;
}

void TGridSpin::LoadText(const std::string& Value) {
    LoadEditText(*this, Value);
}

void TGridSpin::KeyPress(char& Key) {
    if (!SwallowedChar(Key)) TXsgSpinEdit::KeyPress(Key);
}

void TGridSpin::IncrementValue() {
    TXsgSpinEdit::IncrementValue();
    SpinClicked(true);
}

void TGridSpin::DecrementValue() {
    TXsgSpinEdit::DecrementValue();
    SpinClicked(false);
}

void TGridSpin::SpinClicked(bool UpDown) {
    const int c = Grid->GetRealCol(), r = Grid->Row();
    try {
        switch (SpinType()) {
        case sptNormal:
            if (Grid->OnSpinClick) Grid->OnSpinClick(Grid, c, r, Value(), UpDown);
            break;
        case sptFloat:
            if (Grid->OnFloatSpinClick) Grid->OnFloatSpinClick(Grid, c, r, FloatValue(), UpDown);
            break;
        case sptDate:
            if (Grid->OnDateSpinClick) Grid->OnDateSpinClick(Grid, c, r, DateValue(), UpDown);
            break;
        case sptTime:
            if (Grid->OnTimeSpinClick) Grid->OnTimeSpinClick(Grid, c, r, TimeValue(), UpDown);
            break;
        }
    } catch (const EConvertError&) {
        // Text that is no value yet: nothing stepped to tell of.
    }
}

void TGridSpin::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key != VK_PRIOR && Key != VK_NEXT && Key != VK_END && Key != VK_HOME) {
        TGridEditorControl::KeyDown(Key, Shift);
        return;
    }
    const bool up = Key == VK_PRIOR || Key == VK_HOME;
    try {
        if (SpinType() == sptNormal) {
            const int v = Value();
            if (Key == VK_PRIOR && v + Increment <= MaxValue) SetValue(v + Increment);
            if (Key == VK_NEXT && v - Increment >= MinValue) SetValue(v - Increment);
            if (Key == VK_END) SetValue(MinValue);
            if (Key == VK_HOME) SetValue(MaxValue);
            if (Grid->OnSpinClick)
                Grid->OnSpinClick(Grid, Grid->GetRealCol(), Grid->Row(), Value(), up);
        } else if (SpinType() == sptFloat) {
            const double v = FloatValue();
            if (Key == VK_PRIOR && v + IncrementFloat <= MaxFloatValue)
                SetFloatValue(v + IncrementFloat);
            if (Key == VK_NEXT && v - IncrementFloat >= MinFloatValue)
                SetFloatValue(v - IncrementFloat);
            if (Key == VK_END) SetFloatValue(MinFloatValue);
            if (Key == VK_HOME) SetFloatValue(MaxFloatValue);
            if (Grid->OnSpinClick)
                Grid->OnSpinClick(Grid, Grid->GetRealCol(), Grid->Row(),
                                  static_cast<int>(FloatValue()), up);
        } else {
            // Dates and times: the keys move the caret as in any edit.
            TGridEditorControl::KeyDown(Key, Shift);
            return;
        }
    } catch (const EConvertError&) {
        // Text that is no number is left for the user to correct.
    }
    // The value was the key's work: the caret must not jump as well.
    Key = 0;
}

// --- combo ---------------------------------------------------------------------------------

std::string TGridCombo::EditorText() {
    if (Style() == csDropDownList && ItemIndex() < 0)
        return Grid->Cells(Grid->GetRealCol(), Grid->Row());
    return Text();
}

void TGridCombo::LoadText(const std::string& Value) {
    if (Style() == csDropDownList)
        SetItemIndex(Items()->IndexOf(Value));
    else
        SetText(Value);
}

bool TGridCombo::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    StepItem(1);
    return true;
}

bool TGridCombo::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    StepItem(-1);
    return true;
}

void TGridCombo::Select() {
    TGridEditorControl::Select();
    const int index = ItemIndex();
    if (Visible() && index >= 0) Grid->CellComboChanged(index, Items()->Get(index));
}

void TGridCombo::KeyPress(char& Key) {
    FTyped = static_cast<unsigned char>(Key) >= 32;
    TGridEditorControl::KeyPress(Key);
}

void TGridCombo::KeyUp(WORD& Key, TShiftState Shift) {
    TGridEditorControl::KeyUp(Key, Shift);
    const bool typed = FTyped;
    FTyped = false;
    if (!typed || Key == VK_RETURN || !Grid->Lookup || Style() != csDropDown) return;
    const std::string text = Text();
    if (EditSelLength() != 0 || EditSelStart() != static_cast<int>(text.size())) return;
    const int i = Grid->LookupIndex(*Items(), text);
    if (i < 0) return;
    const std::string item = Items()->Get(i);
    SetItemIndex(i);
    // What was typed stays as typed; the completed rest is selected.
    SetText(text + item.substr(text.size()));
    SetEditSelection(static_cast<int>(text.size()), static_cast<int>(item.size() - text.size()));
}

void TGridCombo::StepItem(int Delta) {
    const int index = ItemIndex() + Delta;
    if (index < 0 || index >= Items()->Count()) return;
    SetItemIndex(index);
    Grid->CellComboChanged(index, Items()->Get(index));
}

bool TGridCombo::IsEndingKey(WORD Key, TShiftState Shift) const {
    return ComboEndingKey(*this, Key, Shift);
}

// --- edit with button ------------------------------------------------------------------------

void TGridEditBtn::LoadText(const std::string& Value) {
    LoadEditText(*this, Value);
}

void TGridEditBtn::ClickButton() {
    TXsgEditBtn::ClickButton();
    SetText(Grid->EllipsisClick(Grid->GetRealCol(), Grid->Row(), Text()));
    SelectAll();
}

void TGridEditBtn::KeyPress(char& Key) {
    if (SwallowedChar(Key)) return;
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

// --- unit edit -------------------------------------------------------------------------------

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

// --- date picker ---------------------------------------------------------------------------

std::string TGridDatePicker::EditorText() {
    if (Kind() == dtkTime) return TimeToStr(Time());
    // An unchecked picker holds no date: the cell is emptied.
    return Checked() ? DateToStr(Date()) : std::string();
}

void TGridDatePicker::LoadText(const std::string& Value) {
    if (Kind() == dtkTime) {
        TDateTime time = 0;
        SetTime(TryStrToTime(Value, time) ? time : Now());
        return;
    }
    TDateTime date = 0;
    const bool isDate = TryStrToDate(Value, date);
    SetDate(isDate ? date : ::Date());
    // With its check box a picker shows an empty cell as "no date", so that
    // looking at it leaves the cell empty.
    SetChecked(isDate || !ShowCheckbox());
}

bool TGridDatePicker::IsEndingKey(WORD Key, TShiftState Shift) const {
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
}

// --- check box and button --------------------------------------------------------------------

void TGridCheckBox::LoadText(const std::string& Value) {
    SetCaption(Value);
    SetChecked(false);
}

bool TGridCheckBox::IsEndingKey(WORD Key, TShiftState Shift) const {
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
        return true;
    default:
        return false;
    }
}

void TGridButton::Click() {
    TButton::Click();
    SetCaption(Grid->EllipsisClick(Grid->GetRealCol(), Grid->Row(), Caption()));
}

bool TGridButton::IsEndingKey(WORD Key, TShiftState Shift) const {
    return Key == VK_ESCAPE || Key == VK_TAB || Key == VK_RETURN || Key == VK_LEFT ||
           Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

// --- multi-line text -------------------------------------------------------------------------

TGridMemo::TGridMemo(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {
    SetWordWrap(true);
    SetScrollBars(ssNone);
    WantReturns = true;
}

namespace {

// The memo counts a line break as one character, the text holds CR LF.
size_t ByteOfPosition(const std::string& Text, int Position) {
    size_t i = 0;
    for (int p = 0; i < Text.size() && p < Position; ++p)
        i += (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ? 2 : 1;
    return i;
}

int PositionCount(const std::string& Text) {
    int n = 0;
    for (size_t i = 0; i < Text.size(); ++n)
        i += (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ? 2 : 1;
    return n;
}

} // namespace

void TGridMemo::LoadText(const std::string& Value) {
    // Lines wrap in the editor only where they wrap in the cell.
    SetWordWrap(Grid->WordWrap());
    SetText(Value);
    SetSelStart(PositionCount(Text()));
}

bool TGridMemo::IsEndingKey(WORD Key, TShiftState Shift) const {
    if (Key == VK_RETURN)
        return !Shift.Contains(ssCtrl) && !Shift.Contains(ssShift) &&
               !Grid->Navigation()->LineFeedOnEnter;
    return Key == VK_TAB || Key == VK_ESCAPE;
}

void TGridMemo::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_RETURN && (Shift.Contains(ssCtrl) || Shift.Contains(ssShift)) && !ReadOnly()) {
        // The line break goes in where the caret stands.
        const std::string text = Text();
        const int caret = SelStart();
        const size_t at = ByteOfPosition(text, caret);
        SetText(text.substr(0, at) + "\r\n" + text.substr(at));
        SetSelStart(caret + 1);
        Grid->SizeRowWhileTyping(*this, Text());
        FBreakTyped = true;
        Key = 0;
        return;
    }
    FBreakTyped = false;
    TGridEditorControl::KeyDown(Key, Shift);
}

void TGridMemo::KeyPress(char& Key) {
    // The line break is in already; the native edit must not add another.
    if (std::exchange(FBreakTyped, false) && (Key == '\r' || Key == '\n')) {
        Key = 0;
        return;
    }
    TGridEditorControl::KeyPress(Key);
}

void TGridMemo::DblClick() {
    TGridEditorControl::DblClick();
    if (Grid->OnDblClickCell) Grid->OnDblClickCell(Grid, Grid->Row(), Grid->Col());
}

// --- Unicode edit and combo ------------------------------------------------------------------

std::string TGridUniEdit::EditorText() {
    return EncodeWideCell(Text());
}

void TGridUniEdit::LoadText(const std::string& Value) {
    const std::u16string wide = DecodeWideCell(Value);
    SetText(wide);
    SetSelStart(static_cast<int>(wide.size()));
}

bool TGridUniEdit::Validate() {
    return Grid->ValidateCellWide(Text());
}

void TGridUniEdit::KeyPress(char& Key) {
    if (!SwallowedChar(Key)) TXsgUniEdit::KeyPress(Key);
}

std::string TGridUniCombo::EditorText() {
    if (Style() == csDropDownList && ItemIndex() < 0)
        return Grid->Cells(Grid->GetRealCol(), Grid->Row());
    return EncodeWideCell(Text());
}

void TGridUniCombo::LoadText(const std::string& Value) {
    const std::u16string wide = DecodeWideCell(Value);
    if (Style() == csDropDownList)
        SetItemIndex(Items()->IndexOf(wide));
    else
        SetText(wide);
}

bool TGridUniCombo::Validate() {
    return Grid->ValidateCellWide(DecodeWideCell(EditorText()));
}

bool TGridUniCombo::IsEndingKey(WORD Key, TShiftState Shift) const {
    return ComboEndingKey(*this, Key, Shift);
}
