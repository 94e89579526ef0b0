#include "grid/controleditors.h"

#include "grid/extgrid.h"
#include "platform/vcl/winapi.h"

namespace {

template <class TEditor> void Prepare(TEditor& Editor, TExtStringGrid* Grid) {
    Editor.SetVisible(false);
    Editor.SetParent(Grid);
}

} // namespace

TGridTransEdit::TGridTransEdit(TExtStringGrid* AGrid) : TEdit(AGrid), FGrid(AGrid) {
    Prepare(*this, AGrid);
}

void TGridTransEdit::KeyPress(char& Key) {
    if (Key == '\r') Key = 0;
    TEdit::KeyPress(Key);
}

void TGridTransEdit::DoExit() {
    if (Visible()) {
        SetVisible(false);
        // The grid may have shrunk while the edit was open: no cell, no write.
        if (Col >= 0 && Row >= 0 && Col < FGrid->ColCount() && Row < FGrid->RowCount())
            FGrid->SetCells(Col, Row, Text());
    }
    TEdit::DoExit();
}

TControlEdit::TControlEdit(TExtStringGrid* AGrid) : TEdit(AGrid), FGrid(AGrid) {
    Prepare(*this, AGrid);
}

void TControlEdit::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_RETURN) {
        Key = 0;
        FGrid->ControlEditDone();
        return;
    }
    TEdit::KeyDown(Key, Shift);
}

void TControlEdit::KeyPress(char& Key) {
    if (Key == '\r') Key = 0;
    TEdit::KeyPress(Key);
}

void TControlEdit::DoExit() {
    FGrid->ControlEditDone();
    TEdit::DoExit();
}

TControlCombo::TControlCombo(TExtStringGrid* AGrid) : TComboBox(AGrid), FGrid(AGrid) {
    Prepare(*this, AGrid);
    OnCloseUp = [this](TObject*) { FGrid->ControlComboClosedUp(); };
}

void TControlCombo::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_RETURN && !DroppedDown()) {
        Key = 0;
        FGrid->ControlEditDone();
        return;
    }
    TComboBox::KeyDown(Key, Shift);
}

void TControlCombo::KeyPress(char& Key) {
    if (Key == '\r') Key = 0;
    TComboBox::KeyPress(Key);
}

void TControlCombo::DoExit() {
    // The open list holds the focus for a moment; the edit goes on.
    if (!DroppedDown()) FGrid->ControlEditDone();
    TComboBox::DoExit();
}

void TControlCombo::Change() {
    TComboBox::Change();
    // Typing in an editable combo: a text that is no item.
    if (Visible() && Style() == csDropDown &&
        (ItemIndex() < 0 || Items()->Get(ItemIndex()) != Text()))
        FGrid->ControlComboChanged(-1, Text());
}

void TControlCombo::Select() {
    TComboBox::Select();
    if (Visible() && ItemIndex() >= 0)
        FGrid->ControlComboChanged(ItemIndex(), Items()->Get(ItemIndex()));
}
