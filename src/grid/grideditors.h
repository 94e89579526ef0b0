#pragma once
// The advanced grid's dedicated cell editors: ordinary controls that know
// their grid, are placed over the cell being edited, hand the keys that end
// editing back to the grid and write their value into the cell when editing
// ends. The grid owns one of each and re-uses it for every cell.

#include <string>

#include "grid/support/editbtn.h"
#include "grid/support/flatcombo.h"
#include "grid/support/spinedit.h"
#include "platform/vcl/comctrls.h"
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

protected:
    // The keys that end editing go to the grid; true when it took the key.
    bool EndingKey(WORD& Key, TShiftState Shift);
    void FocusLost();
    TExtStringGrid* Grid;
};

class TGridSpin : public TXsgSpinEdit, public TGridCellEditor {
public:
    explicit TGridSpin(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridSpin"; }
    TWinControl* Control() override { return this; }
    std::string EditorText() override { return Text(); }
    void LoadText(const std::string& Value) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
};

class TGridCombo : public TXSGComboBox, public TGridCellEditor {
public:
    explicit TGridCombo(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridCombo"; }
    TWinControl* Control() override { return this; }
    // A list with nothing picked leaves the cell's text as it is.
    std::string EditorText() override;
    void LoadText(const std::string& Value) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoExit() override;
};

class TGridEditBtn : public TXsgEditBtn, public TGridCellEditor {
public:
    explicit TGridEditBtn(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridEditBtn"; }
    TWinControl* Control() override { return this; }
    std::string EditorText() override { return Text(); }
    void LoadText(const std::string& Value) override;
    // Asks the grid's OnEllipsClick with the text and shows what comes back.
    void ClickButton() override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
};

class TGridUnitEditBtn : public TXsgUnitEditBtn, public TGridCellEditor {
public:
    explicit TGridUnitEditBtn(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridUnitEditBtn"; }
    TWinControl* Control() override { return this; }
    std::string EditorText() override { return Text() + UnitID(); }
    // The digits and "," "-" "." make the value, the other characters the unit.
    void LoadText(const std::string& Value) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoExit() override;
};

class TGridDatePicker : public TDateTimePicker, public TGridCellEditor {
public:
    explicit TGridDatePicker(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridDatePicker"; }
    TWinControl* Control() override { return this; }
    std::string EditorText() override;
    // Today for a text that is no date.
    void LoadText(const std::string& Value) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoExit() override;
};

class TGridCheckBox : public TCheckBox, public TGridCellEditor {
public:
    explicit TGridCheckBox(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridCheckBox"; }
    TWinControl* Control() override { return this; }
    std::string EditorText() override { return Caption(); }
    void LoadText(const std::string& Value) override;
    bool HoldsValue() const override { return false; }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoExit() override;
};

class TGridButton : public TButton, public TGridCellEditor {
public:
    explicit TGridButton(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridButton"; }
    TWinControl* Control() override { return this; }
    std::string EditorText() override { return Caption(); }
    void LoadText(const std::string& Value) override { SetCaption(Value); }
    bool HoldsValue() const override { return false; }
    void Click() override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoExit() override;
};
