// The column grid's items reaching the cell editors, through real Qt events:
// combo items, spin limits, the edit link and the edit length of a column.
#include <QString>

#include "grid/columngrid.h"
#include "grid/editlink.h"
#include "grid/grideditors.h"
#include "gridfixture.h"
#include "platform/vcl/stdctrls.h"
#include "testlink.h"
#include "vcltestenv.h"

namespace {

class ColumnEditors : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 600, 300);
        Grid = new TExtColumnGrid(Form.get()); // owned by the form
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 580, 280);
        Grid->SetColCount(5);
        Grid->SetRowCount(4);
        for (int c = 1; c < 5; ++c)
            Grid->Columns()->Items(c)->SetWidth(100);
        Grid->SetOptions(Grid->Options() + goEditing);
        ShowActive(Form.get());
        Grid->SetFocus();
        ProcessUntil([this] { return Grid->Focused(); });
    }
    TGridColumnItem* Item(int ACol) const { return Grid->Columns()->Items(ACol); }
    void OpenAt(int ACol, int ARow) {
        Grid->FocusCell(ACol, ARow, true);
        SendKey(Grid, Qt::Key_F2, {});
    }
    std::unique_ptr<TForm> Form;
    TExtColumnGrid* Grid = nullptr;
};

} // namespace

TEST_F(ColumnEditors, EachColumnFillsItsOwnCombo) {
    Item(1)->SetEditor(edComboList);
    Item(1)->ComboItems()->Add("1");
    Item(1)->ComboItems()->Add("0");
    Item(1)->ComboItems()->Add("\xBD");
    Item(2)->SetEditor(edComboEdit);
    Item(2)->ComboItems()->Add("wit");
    Item(2)->ComboItems()->Add("zwart");
    OpenAt(1, 1);
    ASSERT_EQ(static_cast<TGridCellEditor*>(Grid->Combobox()), Grid->ActiveCellEditor());
    EXPECT_EQ(3, Grid->Combobox()->Items()->Count());
    EXPECT_EQ("\xBD", Grid->Combobox()->Items()->Get(2));
    SendKey(Grid->Combobox(), Qt::Key_Escape, "\x1b");
    OpenAt(2, 2);
    ASSERT_EQ(static_cast<TGridCellEditor*>(Grid->Combobox()), Grid->ActiveCellEditor());
    EXPECT_EQ(2, Grid->Combobox()->Items()->Count());
    EXPECT_EQ("zwart", Grid->Combobox()->Items()->Get(1));
    SendKey(Grid->Combobox(), Qt::Key_Escape, "\x1b");
}

TEST_F(ColumnEditors, TheSpinKeepsToTheColumnsLimits) {
    Item(3)->SetEditor(edSpinEdit);
    Item(3)->SpinMin = 1;
    Item(3)->SpinMax = 9;
    Item(3)->SpinStep = 2;
    Grid->SetCells(3, 1, "8");
    OpenAt(3, 1);
    TGridSpin* spin = Grid->SpinEdit();
    ASSERT_EQ(static_cast<TGridCellEditor*>(spin), Grid->ActiveCellEditor());
    EXPECT_EQ(1, spin->MinValue);
    EXPECT_EQ(9, spin->MaxValue);
    EXPECT_EQ(2, spin->Increment);
    spin->IncrementValue(); // the up button
    EXPECT_EQ(9, spin->Value()) << "8 + 2 stops at the column's maximum";
    SendKey(spin, Qt::Key_PageDown);
    EXPECT_EQ(7, spin->Value());
    SendKey(spin, Qt::Key_PageUp);
    SendKey(spin, Qt::Key_PageUp);
    EXPECT_EQ(9, spin->Value()) << "a page step past the maximum is not taken";
    SendKey(spin, Qt::Key_Return, "\r");
    EXPECT_EQ("9", Grid->Cells(3, 1));
}

TEST_F(ColumnEditors, AColumnsLinkEditsItsCells) {
    TTestLink link(Form.get());
    Item(4)->SetEditor(edCustom);
    Item(4)->EditLink = &link;
    Grid->SetCells(4, 2, "Oud");
    OpenAt(4, 2);
    ASSERT_NE(nullptr, link.Edit);
    EXPECT_TRUE(link.Edit->Visible());
    EXPECT_EQ("Oud", link.Edit->Text());
    link.Edit->SetText("Nieuw");
    SendKey(link.Edit, Qt::Key_Return, "\r");
    EXPECT_EQ("Nieuw", Grid->Cells(4, 2));
}

TEST_F(ColumnEditors, TypingStopsAtTheColumnsEditLength) {
    Item(2)->EditLength = 3;
    Grid->SetMaxEditLength(6);
    auto type = [this](int ACol) {
        Grid->FocusCell(ACol, 1, true);
        for (const char* k : {"a", "b", "c", "d", "e", "f", "g", "h"})
            SendKey(Grid->EditorMode() ? static_cast<TControl*>(Grid->InplaceEditor()) : Grid,
                    Qt::Key_A + (k[0] - 'a'), k);
        SendKey(Grid->InplaceEditor(), Qt::Key_Return, "\r");
    };
    type(2);
    EXPECT_EQ("abc", Grid->Cells(2, 1));
    type(1);
    EXPECT_EQ("abcdef", Grid->Cells(1, 1)) << "a column without a length takes the grid's";
}
