#include <gtest/gtest.h>

#include "grid/columngrid.h"
#include "platform/vcl/forms.h"
#include "synthinput.h"
#include "widgettest.h"

namespace {

class ColumnGrid : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 640, 480);
        Grid = new TExtColumnGrid(Form.get()); // owned by the form
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 600, 400);
    }
    void TearDown() override { Form.reset(); }
    void FillRows(const std::vector<std::string>& Col1) {
        Grid->SetColCount(3);
        Grid->SetRowCount(static_cast<int>(Col1.size()) + 1);
        for (size_t r = 0; r < Col1.size(); ++r) {
            Grid->SetCells(0, static_cast<int>(r) + 1, std::to_string(r));
            Grid->SetCells(1, static_cast<int>(r) + 1, Col1[r]);
        }
    }
    std::vector<std::string> Col(int C) const {
        std::vector<std::string> v;
        for (int r = Grid->FixedRows(); r < Grid->RowCount(); ++r)
            v.push_back(Grid->Cells(C, r));
        return v;
    }
    std::unique_ptr<TForm> Form;
    TExtColumnGrid* Grid = nullptr;
};

using V = std::vector<std::string>;

} // namespace

TEST_F(ColumnGrid, ItemsFollowTheColumnsWithTheirDefaults) {
    Grid->SetColCount(2);
    EXPECT_EQ(Grid->Columns()->Count(), 2);
    Grid->SetColCount(5);
    ASSERT_EQ(Grid->Columns()->Count(), 5);
    const TGridColumnItem* item = Grid->Columns()->Items(4);
    EXPECT_EQ(item->Width(), 50);
    EXPECT_EQ(item->CheckTrue, "Y");
    EXPECT_EQ(item->CheckFalse, "N");
    EXPECT_EQ(item->PrintBorders, (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
    EXPECT_EQ(item->BorderPen()->Color(), clSilver);
    EXPECT_EQ(item->SortStyle, ssAutomatic);
    EXPECT_EQ(Grid->Columns()->Items(2)->DisplayName(), "Column 2");
    Grid->Columns()->Items(2)->Name = "Rating";
    EXPECT_EQ(Grid->Columns()->Items(2)->DisplayName(), "Rating");
    Grid->HideColumn(3);
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(Grid->Columns()->Count(), 5);
    Grid->UnHideColumnsAll();
    Grid->SetColCount(3);
    EXPECT_EQ(Grid->Columns()->Count(), 3);
}

TEST_F(ColumnGrid, InsertedAndRemovedColumnsTakeTheirItems) {
    Grid->SetColCount(4);
    for (int i = 0; i < 4; ++i)
        Grid->Columns()->Items(i)->Tag = 10 + i;
    Grid->InsertCols(1, 2);
    ASSERT_EQ(Grid->Columns()->Count(), 6);
    EXPECT_EQ(Grid->Columns()->Items(0)->Tag, 10);
    EXPECT_EQ(Grid->Columns()->Items(1)->Tag, 0);
    EXPECT_EQ(Grid->Columns()->Items(3)->Tag, 11);
    EXPECT_EQ(Grid->Columns()->Items(5)->Tag, 13);
    Grid->RemoveCols(3, 2);
    ASSERT_EQ(Grid->Columns()->Count(), 4);
    EXPECT_EQ(Grid->Columns()->Items(3)->Tag, 13);
    EXPECT_EQ(Grid->Columns()->Items(2)->Tag, 0);
}

TEST_F(ColumnGrid, HeadersWidthsAndAssign) {
    Grid->SetColCount(3);
    Grid->Columns()->Items(1)->SetHeader("Naam");
    EXPECT_EQ(Grid->Cells(1, 0), "Naam");
    EXPECT_EQ(Grid->ColumnHeaders()->Count(), 3);
    EXPECT_EQ((*Grid->ColumnHeaders())[1], "Naam");
    Grid->SetCells(2, 0, "Club");
    Grid->GridChanged();
    EXPECT_EQ(Grid->Columns()->Items(2)->Header(), "Club");
    Grid->Columns()->Items(2)->SetWidth(77);
    EXPECT_EQ(Grid->ColWidths(2), 77);
    Grid->SetColWidths(1, 33);
    Grid->UpdateColumnWidths();
    EXPECT_EQ(Grid->Columns()->Items(1)->Width(), 33);
    TGridColumnItem* a = Grid->Columns()->Items(0);
    a->Assign(Grid->Columns()->Items(2));
    EXPECT_EQ(a->Header(), "Club");
    EXPECT_EQ(a->Width(), 77);
}

TEST_F(ColumnGrid, ItemsAnswerTheCellQuestionsBeforeTheEvents) {
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    TGridColumnItem* item = Grid->Columns()->Items(1);
    item->SetAlignment(taRightJustify);
    item->SortStyle = ssNumeric;
    item->SortPrefix = "EUR";
    item->CheckTrue = "ja";
    item->SetPassword(true);
    item->SetEditor(edComboList);
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    Grid->GetCellAlignment(1, 1, h, v);
    EXPECT_EQ(h, taRightJustify);
    TSortStyle st = ssAlphabetic;
    std::string pre, suf;
    Grid->GetCellFormat(1, 1, st, pre, suf);
    EXPECT_EQ(st, ssNumeric);
    EXPECT_EQ(pre, "EUR");
    // The event sees the item's answer and may change it.
    Grid->OnGetFormat = [](TObject*, int, TSortStyle& S, std::string&, std::string&) {
        if (S == ssNumeric) S = ssFinancial;
    };
    Grid->GetCellFormat(1, 1, st, pre, suf);
    EXPECT_EQ(st, ssFinancial);
    EXPECT_EQ(Grid->GetCheckTrue(1, 1), "ja");
    EXPECT_EQ(Grid->GetCheckTrue(2, 1), "Y");
    bool pw = false;
    Grid->IsPasswordCell(1, 1, pw);
    EXPECT_TRUE(pw);
    EXPECT_TRUE(Grid->HasCombo(1, 1));
    EXPECT_FALSE(Grid->HasCombo(1, 0)); // header row
    TEditorType ed = edNormal;
    Grid->GetCellEditor(1, 1, ed);
    EXPECT_EQ(ed, edComboList);
    Grid->Columns()->Items(2)->MinSize = 40;
    Grid->Columns()->Items(2)->MaxSize = 90;
    int w = 10;
    Grid->UpdateColumnSize(2, w);
    EXPECT_EQ(w, 40);
    w = 200;
    Grid->UpdateColumnSize(2, w);
    EXPECT_EQ(w, 90);
    // Sized by mouse with a column hidden before it: the limits of the item
    // shown there hold, not those of the item at that display position.
    Grid->SetOptions(Grid->Options() + goColSizing);
    Grid->Columns()->Items(1)->MaxSize = 0;
    Grid->HideColumn(1);
    const int b = Grid->BorderOffset(), y = Grid->CellRect(1, 0).Top + 5 + b;
    const int border = Grid->CellRect(1, 0).Right + b;
    MouseDrag(Grid, border, y, border + 80, y);
    EXPECT_EQ(Grid->ColWidths(1), 90);
}

TEST_F(ColumnGrid, AutoSizeKeepsToTheItemsAutoSizeLimits) {
    FillRows({"Kasparov, Garri Kimovitsj", "Ek"});
    Grid->Columns()->Items(1)->AutoMaxSize = 70;
    Grid->Columns()->Items(1)->MaxSize = 300; // the user's limits play no part
    Grid->Columns()->Items(2)->AutoMinSize = 45;
    Grid->Columns()->Items(2)->MinSize = 5;
    std::vector<std::pair<int, int>> heard;
    Grid->OnUpdateColumnSize = [&](TObject*, int ACol, int& AWidth) {
        heard.push_back({ACol, AWidth});
        if (ACol == 2) ++AWidth; // the event sees the item's answer and has the last word
    };
    Grid->AutoSizeCol(1);
    Grid->AutoSizeCol(2);
    EXPECT_EQ(Grid->ColWidths(1), 70);
    EXPECT_EQ(Grid->ColWidths(2), 46);
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{1, 70}, {2, 45}}));
}

TEST_F(ColumnGrid, ReadOnlyAndFixedItemsRefuseEditing) {
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    bool seen = true;
    Grid->OnCanEditCell = [&](TObject*, int, int, bool& Can) {
        seen = Can;
        Can = true; // the handler may still allow it
    };
    Grid->Columns()->Items(1)->ReadOnly = true;
    bool can = true;
    Grid->CanEditCell(1, 1, can);
    EXPECT_FALSE(seen);
    EXPECT_TRUE(can);
    Grid->OnCanEditCell = nullptr;
    Grid->Columns()->Items(2)->SetFixed(true);
    Grid->CanEditCell(2, 1, can);
    EXPECT_FALSE(can);
    bool fixed = false;
    Grid->IsFixedCell(2, 1, fixed);
    EXPECT_TRUE(fixed);
    Grid->Columns()->Items(2)->SetFixed(false);
    Grid->SetCellReadOnly(2, 2, true);
    Grid->CanEditCell(2, 2, can);
    EXPECT_FALSE(can);
    Grid->CanEditCell(2, 1, can);
    EXPECT_TRUE(can);
}

TEST_F(ColumnGrid, DataCheckBoxesShareOneGraphicThatNoCellFrees) {
    Grid->SetColCount(3);
    Grid->SetRowCount(4);
    Grid->Columns()->Items(1)->SetEditor(edDataCheckBox);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctDataCheckBox);
    EXPECT_EQ(Grid->GetCellType(1, 0), ctEmpty);
    EXPECT_EQ(Grid->GetCellType(2, 1), ctEmpty);
    const TCellGraphic* g1 = Grid->GetCellGraphic(1, 1);
    ASSERT_NE(g1, nullptr);
    EXPECT_EQ(g1, Grid->GetCellGraphic(1, 2));
    EXPECT_EQ(g1->CellType, ctVirtCheckBox);
    // Sorting by such a column orders by the check texts.
    Grid->SetCells(1, 1, "Y");
    Grid->SetCells(1, 2, "N");
    Grid->SetCells(1, 3, "Y");
    Grid->SetCells(2, 1, "a");
    Grid->SetCells(2, 2, "b");
    Grid->SetCells(2, 3, "c");
    Grid->SortSettings()->Column = 1;
    Grid->SortByColumn();
    EXPECT_EQ(Col(2), (V{"b", "a", "c"}));
}

TEST_F(ColumnGrid, FilterListChoiceFiltersTheColumn) {
    FillRows({"Ajax", "PSV", "Ajax", "Feyenoord"});
    TGridColumnItem* item = Grid->Columns()->Items(1);
    item->Filter()->Add("Alleen Ajax=Ajax");
    item->Filter()->Add("F*");
    item->Filter()->Add("Alles=*");
    EXPECT_TRUE(Grid->HasFilter(1));
    EXPECT_FALSE(Grid->HasFilter(2));
    Grid->AutoFilterUpdate = true;
    Grid->AutoFilterDisplay = true;
    std::string friendlySeen;
    int done = 0;
    Grid->OnFilterSelect = [&](TObject*, int Column, int, const std::string& Friendly,
                               std::string& Condition) {
        EXPECT_EQ(Column, 1);
        friendlySeen = Friendly;
        EXPECT_EQ(Condition, "Ajax");
    };
    Grid->OnFilterDone = [&](TObject*) { ++done; };
    Grid->ShowFilterDropDown(1);
    EXPECT_EQ(Grid->FilterColumn(), 1);
    EXPECT_TRUE(DropListVisible(Grid->DropList()));
    EXPECT_EQ(DropListLines(Grid->DropList()), (V{"Alleen Ajax", "F*", "Alles"}));
    ChooseDropListLine(Grid->DropList(), 0);
    EXPECT_FALSE(DropListVisible(Grid->DropList()));
    EXPECT_EQ(friendlySeen, "Alleen Ajax");
    EXPECT_EQ(done, 1);
    EXPECT_EQ(Grid->Cells(1, 0), "Alleen Ajax");
    EXPECT_EQ(Col(1), (V{"Ajax", "Ajax"}));
    EXPECT_EQ(Grid->FilterColumn(), -1);
    // A line without "=" lists and applies the whole line.
    Grid->OnFilterSelect = nullptr;
    Grid->ShowFilterDropDown(1);
    ChooseDropListLine(Grid->DropList(), 1);
    EXPECT_EQ(Col(1), (V{"Feyenoord"}));
    EXPECT_EQ(Grid->Filter()->Count(), 1); // the column's one entry, changed
    Grid->SetFilterActive(false);
    EXPECT_EQ(Col(1), (V{"Ajax", "PSV", "Ajax", "Feyenoord"}));
}

TEST_F(ColumnGrid, FilterOnHiddenColumnAndWithoutAutoUpdate) {
    FillRows({"x", "y", "x"});
    Grid->Columns()->Items(1)->Filter()->Add("x");
    Grid->HideColumn(1);
    EXPECT_EQ(Grid->Columns()->Count(), 3);
    EXPECT_TRUE(Grid->HasFilter(1)); // real column 1 keeps its list while hidden
    Grid->UnHideColumnsAll();
    Grid->ShowFilterDropDown(1);
    ChooseDropListLine(Grid->DropList(), 0);
    // Without AutoFilterUpdate the condition waits for the filter to be switched on.
    EXPECT_EQ(Col(1), (V{"x", "y", "x"}));
    Grid->HideColumn(1);
    Grid->SetFilterActive(true);
    EXPECT_EQ(Col(0), (V{"0", "2"}));
    Grid->SetFilterActive(false);
    Grid->UnHideColumnsAll();
    EXPECT_EQ(Col(1), (V{"x", "y", "x"}));
}

TEST_F(ColumnGrid, FloatFormatAndPopupForgottenWhenFreed) {
    Grid->SetColCount(3);
    Grid->SetRowCount(2);
    Grid->Columns()->Items(1)->SetFloatFormat("%.1f");
    Grid->SetCells(1, 1, "2.25");
    Grid->SetCells(2, 1, "abc");
    std::string fmt;
    EXPECT_TRUE(Grid->GetFloatFormat(1, 1, fmt));
    EXPECT_EQ(fmt, "%.1f");
    Grid->SetCells(1, 1, "abc");
    EXPECT_FALSE(Grid->GetFloatFormat(1, 1, fmt));
    auto* menu = new TPopupMenu(Form.get());
    Grid->Columns()->Items(2)->ColumnPopup = menu;
    menu->FreeNotification(Grid);
    delete menu;
    EXPECT_EQ(Grid->Columns()->Items(2)->ColumnPopup, nullptr);
}

TEST_F(ColumnGrid, MovedColumnTakesItsItem) {
    Grid->SetColCount(4);
    Grid->SetRowCount(3);
    for (int i = 0; i < 4; ++i) {
        Grid->Columns()->Items(i)->Tag = 10 + i;
        Grid->SetCells(i, 1, std::to_string(i));
    }
    Grid->MoveColumn(1, 3);
    EXPECT_EQ(Grid->Cells(3, 1), "1");
    EXPECT_EQ(Grid->Columns()->Items(3)->Tag, 11);
    EXPECT_EQ(Grid->Columns()->Items(1)->Tag, 12);
    EXPECT_EQ(Grid->Columns()->Count(), 4);
}
