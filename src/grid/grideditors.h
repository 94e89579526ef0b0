#pragma once
// The advanced grid's dedicated cell editors: ordinary controls that know
// their grid, are placed over the cell being edited, hand the keys that end
// editing back to the grid and write their value into the cell when editing
// ends. The grid owns one of each and re-uses it for every cell.

#include <string>

#include "grid/editlink.h"
#include "grid/support/editbtn.h"
#include "grid/support/flatcombo.h"
#include "grid/support/spinedit.h"
#include "grid/support/unicombo.h"
#include "grid/support/uniedit.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/richedit.h"
#include "platform/vcl/stdctrls.h"

class TExtStringGrid;

// What the grid asks of each of its dedicated editors.
class TGridCellEditor {
public:
    explicit TGridCellEditor(TExtStringGrid* AGrid) : Grid(AGrid) {}
    virtual ~TGridCellEditor() = default;
    virtual TWinControl* Control() = 0;
    // The value as cell text, for validation.
    virtual std::string EditorText() = 0;
    // Shows a cell text again (after Esc or a refused value).
    virtual void LoadText(const std::string& Text) = 0;
    // Whether the value is validated and written back at all.
    virtual bool HoldsValue() const { return true; }
    // After the grid hid the editor.
    virtual void Closed() {}
    // Whether the grid accepts the value (and what its handlers made of it).
    virtual bool Validate();

protected:
    // The keys that end editing go to the grid; true when it took the key.
    bool EndingKey(WORD& Key, TShiftState Shift);
    void FocusLost();
    TExtStringGrid* Grid;
};

// A control of the layer made a cell editor: hidden on the grid until used,
// its ending keys handed to the grid, its focus loss ending the edit.
template <class TBase> class TGridEditorControl : public TBase, public TGridCellEditor {
public:
    explicit TGridEditorControl(TExtStringGrid* AGrid);
    TWinControl* Control() override { return this; }

protected:
    // Tab, Enter, Esc, Up and Down unless the editor says otherwise.
    virtual bool IsEndingKey(WORD Key, TShiftState Shift) const;
    // A drop-down list open keeps the edit alive when the focus goes to it.
    virtual bool ListOpen() const { return false; }
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoExit() override;
    // With the grid's goTabs, Tab moves between the grid's cells: it is the
    // editor's key, not the form's move to its next control. Enter and Esc
    // end the edit (write back, or put the cell's text back) before a form's
    // default or cancel button may have them, as in the grid's text editor.
    void CMWantSpecialKey(TMessage& Message) override;
};

class TGridSpin : public TGridEditorControl<TXsgSpinEdit> {
public:
    explicit TGridSpin(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridSpin"; }
    std::string EditorText() override { return Text(); }
    void LoadText(const std::string& Value) override;
    void IncrementValue() override;
    void DecrementValue() override;

protected:
    void KeyPress(char& Key) override;
    // PgUp and PgDn step by the increment, End and Home go to the limits.
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    // The grid hears of a step with the value it left.
    void SpinClicked(bool UpDown);
};

class TGridCombo : public TGridEditorControl<TXSGComboBox> {
public:
    using TGridEditorControl::TGridEditorControl;
    std::string ClassName() const override { return "TGridCombo"; }
    // A list with nothing picked leaves the cell's text as it is.
    std::string EditorText() override;
    void LoadText(const std::string& Value) override;

protected:
    bool IsEndingKey(WORD Key, TShiftState Shift) const override;
    bool ListOpen() const override { return DroppedDown(); }
    // The wheel steps one item (towards the user: the next) and tells the grid.
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    // An item chosen from the list is told the grid as a wheel step is.
    void Select() override;
    // With the grid's Lookup, typing selects the first item that starts
    // with the text and selects the rest of it in the edit field.
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;

private:
    void StepItem(int Delta);
    bool FTyped = false;
};

// The Unicode editors: the cell holds their wide text behind the wide-cell
// prefix, which is what they hand the grid as their text.
class TGridUniEdit : public TGridEditorControl<TXsgUniEdit> {
public:
    using TGridEditorControl::TGridEditorControl;
    std::string ClassName() const override { return "TGridUniEdit"; }
    std::string EditorText() override;
    void LoadText(const std::string& Value) override;
    bool Validate() override;

protected:
    void KeyPress(char& Key) override;
};

class TGridUniCombo : public TGridEditorControl<TXSGUniComboBox> {
public:
    using TGridEditorControl::TGridEditorControl;
    std::string ClassName() const override { return "TGridUniCombo"; }
    // A list with nothing picked leaves the cell's text as it is.
    std::string EditorText() override;
    void LoadText(const std::string& Value) override;
    bool Validate() override;

protected:
    bool IsEndingKey(WORD Key, TShiftState Shift) const override;
    bool ListOpen() const override { return DroppedDown(); }
};

class TGridEditBtn : public TGridEditorControl<TXsgEditBtn> {
public:
    using TGridEditorControl::TGridEditorControl;
    std::string ClassName() const override { return "TGridEditBtn"; }
    std::string EditorText() override { return Text(); }
    void LoadText(const std::string& Value) override;
    // Asks the grid's OnEllipsClick with the text and shows what comes back.
    void ClickButton() override;

protected:
    void KeyPress(char& Key) override;
};

class TGridUnitEditBtn : public TGridEditorControl<TXsgUnitEditBtn> {
public:
    using TGridEditorControl::TGridEditorControl;
    std::string ClassName() const override { return "TGridUnitEditBtn"; }
    std::string EditorText() override { return Text() + UnitID(); }
    // The digits and "," "-" "." make the value, the other characters the unit.
    void LoadText(const std::string& Value) override;
};

class TGridDatePicker : public TGridEditorControl<TDateTimePicker> {
public:
    using TGridEditorControl::TGridEditorControl;
    std::string ClassName() const override { return "TGridDatePicker"; }
    std::string EditorText() override;
    // Today for a text that is no date.
    void LoadText(const std::string& Value) override;

protected:
    bool IsEndingKey(WORD Key, TShiftState Shift) const override;
    bool ListOpen() const override { return DroppedDown(); }
};

class TGridCheckBox : public TGridEditorControl<TCheckBox> {
public:
    using TGridEditorControl::TGridEditorControl;
    std::string ClassName() const override { return "TGridCheckBox"; }
    std::string EditorText() override { return Caption(); }
    void LoadText(const std::string& Value) override;
    bool HoldsValue() const override { return false; }

protected:
    bool IsEndingKey(WORD Key, TShiftState Shift) const override;
};

class TGridButton : public TGridEditorControl<TButton> {
public:
    using TGridEditorControl::TGridEditorControl;
    std::string ClassName() const override { return "TGridButton"; }
    std::string EditorText() override { return Caption(); }
    void LoadText(const std::string& Value) override { SetCaption(Value); }
    bool HoldsValue() const override { return false; }
    void Click() override;

protected:
    bool IsEndingKey(WORD Key, TShiftState Shift) const override;
};

// The text editor of word-wrapped cells whose text runs over several lines
// (or may, with Navigation.LineFeedOnEnter), and of multi-line cells without
// word wrap: Ctrl+Enter or Shift+Enter types a line break,
// Enter ends the edit unless LineFeedOnEnter makes it a line break too.
class TGridMemo : public TGridEditorControl<TMemo> {
public:
    explicit TGridMemo(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridMemo"; }
    std::string EditorText() override { return Text(); }
    void LoadText(const std::string& Value) override;

protected:
    bool IsEndingKey(WORD Key, TShiftState Shift) const override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // The Enter character that follows a line break typed at key down.
    void KeyPress(char& Key) override;
    // As in the one-line text editor: a double click on the cell.
    void DblClick() override;

private:
    bool FBreakTyped = false;
};

// An application's edit link seen as one of the grid's editors.
class TEditLinkEditor : public TGridCellEditor {
public:
    TEditLinkEditor(TExtStringGrid* AGrid, TEditLink* ALink)
        : TGridCellEditor(AGrid), Link(ALink) {}
    TWinControl* Control() override { return Link->GetEditControl(); }
    std::string EditorText() override { return Link->GetEditorValue(); }
    void LoadText(const std::string& Value) override { Link->SetEditorValue(Value); }
    void Closed() override {
        Link->Unhook();
        Link->SetVisible(false);
        Link->ClosePopup();
    }
    TEditLink* Link;
};
