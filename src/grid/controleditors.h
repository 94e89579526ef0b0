#pragma once
// The grid's small editors that are no cell editors: the edit that writes
// one cell when it loses the focus, and the edit and the combo box over an
// HTML form control in a cell's text ("<CONTROL TYPE=...>"), which write the
// control's value back into its tag when editing ends.

#include "platform/vcl/listctrls.h"
#include "platform/vcl/stdctrls.h"

class TExtStringGrid;

// An edit over a cell (Col, Row: real column, display row): losing the focus
// writes its text into that cell and hides it; Enter types nothing.
class TGridTransEdit : public TEdit {
public:
    explicit TGridTransEdit(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TGridTransEdit"; }
    int Col = 0, Row = 0;

protected:
    void KeyPress(char& Key) override;
    void DoExit() override;

private:
    TExtStringGrid* FGrid;
};

// The edit of an EDIT control: Enter ends the edit as losing the focus does.
class TControlEdit : public TEdit {
public:
    explicit TControlEdit(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TControlEdit"; }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;

private:
    TExtStringGrid* FGrid;
};

// The combo box of a COMBO control: a change of item is told to the grid at
// once; Enter (with the list closed) ends the edit as losing the focus does.
class TControlCombo : public TComboBox {
public:
    explicit TControlCombo(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TControlCombo"; }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
    void Change() override;
    void Select() override;

private:
    TExtStringGrid* FGrid;
};
