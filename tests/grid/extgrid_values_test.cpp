#include <gtest/gtest.h>

#include <string>

#include "gridfixture.h"

namespace {

class Values : public GridTest {};

// The message an accessor raises, "" when it raises none.
template <class F> std::string RaisedMessage(F&& Action) {
    try {
        Action();
    } catch (const EExtGridError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST_F(Values, IntegersAndTheirError) {
    Fill(3, 3);
    Grid->SetCells(1, 1, "");
    EXPECT_EQ(Grid->GetInts(1, 1), 0);
    Grid->SetCells(1, 1, "-17");
    EXPECT_EQ(Grid->GetInts(1, 1), -17);
    Grid->SetCells(1, 1, "12a");
    EXPECT_EQ(RaisedMessage([&] { Grid->GetInts(1, 1); }), "Cell does not contain integer value");
    EXPECT_EQ(Grid->Cells(1, 1), "12a");
    Grid->SetInts(2, 2, -5);
    EXPECT_EQ(Grid->Cells(2, 2), "-5");
}

TEST_F(Values, FloatsReadThroughNumberFormatting) {
    Fill(3, 3);
    Grid->SetCells(1, 1, "1,234.50");
    EXPECT_DOUBLE_EQ(Grid->GetFloats(1, 1), 1234.5);
    Grid->SetCells(1, 1, "");
    EXPECT_DOUBLE_EQ(Grid->GetFloats(1, 1), 0);
    Grid->SetCells(1, 1, "1.2.3");
    EXPECT_EQ(RaisedMessage([&] { Grid->GetFloats(1, 1); }), "Cell does not contain a float value");
    EXPECT_EQ(Grid->Cells(1, 1), "1.2.3");
}

TEST_F(Values, FloatsWrittenWithTheGridsFormat) {
    Fill(3, 3);
    EXPECT_EQ(Grid->FloatFormat, "%.2f");
    Grid->SetFloats(1, 1, 3.14159);
    EXPECT_EQ(Grid->Cells(1, 1), "3.14");
    Grid->SetFloats(1, 1, -2.5);
    EXPECT_EQ(Grid->Cells(1, 1), "-2.50");
    EXPECT_DOUBLE_EQ(Grid->GetFloats(1, 1), -2.5);
    Grid->FloatFormat = "%8.1f pnt";
    Grid->SetFloats(1, 2, 7.24);
    EXPECT_EQ(Grid->Cells(1, 2), "     7.2 pnt");
    Grid->FloatFormat = "%n";
    Grid->SetFloats(2, 1, 1234567.891);
    EXPECT_EQ(Grid->Cells(2, 1), "1,234,567.89");
}

TEST_F(Values, AFormatThatIsNoFloatFormatLeavesTheCell) {
    Fill(3, 3);
    for (const char* format : {"%s", "%d", "no conversion", "%.2f and %.2f", "%"}) {
        Grid->FloatFormat = format;
        EXPECT_THROW(Grid->SetFloats(1, 1, 1.5), EConvertError) << format;
        EXPECT_EQ(Grid->Cells(1, 1), "c1r1") << format;
    }
}

TEST_F(Values, FloatValuesKeepNegativesWithoutShowZero) {
    Fill(3, 3);
    Grid->SetFloatValue(1, 1, 0.125);
    EXPECT_EQ(Grid->Cells(1, 1), "0.125");
    Grid->SetFloatValue(1, 1, 0);
    EXPECT_EQ(Grid->Cells(1, 1), "0");
    Grid->ShowZero = false;
    Grid->SetFloatValue(1, 1, 0);
    EXPECT_EQ(Grid->Cells(1, 1), "");
    Grid->SetFloatValue(1, 2, -1.5);
    EXPECT_EQ(Grid->Cells(1, 2), "-1.5");
}

TEST_F(Values, CellGraphicsAreMadeReplacedAndRemoved) {
    Fill(3, 3);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctEmpty);
    TCellGraphic* g = Grid->CreateCellGraphic(1, 1);
    EXPECT_EQ(g->CellType, ctNone);
    g->CellType = ctCheckBox;
    EXPECT_EQ(Grid->GetCellGraphic(1, 1), g);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctCheckBox);
    EXPECT_EQ(Grid->Cells(1, 1), "c1r1");
    Grid->CreateCellGraphic(1, 1)->CellType = ctButton; // the old one is freed
    EXPECT_FALSE(Grid->RemoveCellGraphicOfType(1, 1, ctCheckBox));
    EXPECT_TRUE(Grid->RemoveCellGraphicOfType(1, 1, ctButton));
    EXPECT_FALSE(Grid->RemoveCellGraphic(1, 1));
    EXPECT_EQ(Grid->GetCellType(1, 1), ctEmpty);
}

TEST_F(Values, ImageIndexNeedsGridImages) {
    Fill(3, 3);
    Grid->AddImageIdx(1, 1, 4, haRight, vaCenter);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctEmpty);
    TImageList images(nullptr, 20, 18);
    Grid->SetGridImages(&images);
    Grid->AddImageIdx(1, 1, 4, haRight, vaCenter);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctImageList);
    EXPECT_EQ(Grid->GetGraphicObjectValue(1, 1), 4);
    EXPECT_EQ(Grid->GetCellGraphicWidth(1, 1), (TPoint{0, 18})); // the cell has text
    Grid->SetCells(1, 1, "");
    EXPECT_EQ(Grid->GetCellGraphicWidth(1, 1), (TPoint{20, 18}));
    Grid->SetGridImages(nullptr);
}

TEST_F(Values, GraphicSizesByType) {
    Fill(3, 3);
    TCellGraphic* g = Grid->CreateCellGraphic(1, 1);
    g->CellType = ctCheckBox;
    EXPECT_EQ(Grid->GetCellGraphicWidth(1, 1), (TPoint{15, 15}));
    g->CellType = ctButton;
    g->CellIndex = (22 << 16) | 60;
    EXPECT_EQ(Grid->GetCellGraphicWidth(1, 1), (TPoint{60, 22}));
    g->CellHAlign = haFull;
    EXPECT_EQ(Grid->GetCellGraphicWidth(1, 1).X, Grid->GetCellSize(1, 1).X);
    g->CellType = ctProgressPie;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaFull;
    EXPECT_EQ(Grid->GetCellGraphicWidth(1, 1), (TPoint{20, Grid->GetCellSize(1, 1).Y}));
    EXPECT_EQ(Grid->GetCellGraphicWidth(2, 2), (TPoint{0, 0}));
}

TEST_F(Values, SelectionFlagsAndTheirErrors) {
    Fill(4, 6);
    Grid->HideRow(2);
    Grid->SetRowSelect(2, true); // a hidden row has a flag too
    EXPECT_TRUE(Grid->GetRowSelect(2));
    Grid->SetRowSelect(5, true);
    EXPECT_EQ(RaisedMessage([&] { Grid->SetRowSelect(Grid->RowCount() + 1, true); }),
              "Invalid row accessed");
    EXPECT_EQ(RaisedMessage([&] { Grid->GetRowSelect(-1); }), "Invalid row accessed");
    EXPECT_EQ(RaisedMessage([&] { Grid->SetColSelect(Grid->ColCount(), true); }),
              "Invalid column accessed");
    Grid->SetColSelect(3, true);
    EXPECT_TRUE(Grid->GetColSelect(3));
    Grid->ClearRowSelect();
    Grid->ClearColSelect();
    EXPECT_FALSE(Grid->GetRowSelect(2));
    EXPECT_FALSE(Grid->GetRowSelect(5));
    EXPECT_FALSE(Grid->GetColSelect(3));
}

TEST_F(Values, RowsInTheSelectionAreFlagged) {
    Fill(4, 8);
    Grid->HideRow(3);
    Grid->SetSelection({1, 3, 2, 4}); // display rows 3..4 are real rows 4..5
    Grid->SelectRowsInSelection(false);
    EXPECT_TRUE(Grid->GetRowSelect(4));
    EXPECT_TRUE(Grid->GetRowSelect(5));
    EXPECT_FALSE(Grid->GetRowSelect(3));
    EXPECT_FALSE(Grid->GetRowSelect(6));
}

// --- advancing to the next cell ------------------------------------------------------------

namespace {

class Advance : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Fill(5, 5);
        Grid->SetFixedCols(1);
        Grid->Navigation()->AdvanceOnEnter = true;
        Grid->FocusCell(1, 1, true);
    }
    TPoint Next(bool Forward = true) {
        Grid->AdvanceToNextCell(Grid->Col(), Grid->Row(), Forward, true, false);
        return {Grid->Col(), Grid->Row()};
    }
};

} // namespace

TEST_F(Advance, NothingWithoutAdvanceOnEnterUnlessForced) {
    Grid->Navigation()->AdvanceOnEnter = false;
    EXPECT_EQ(Next(), (TPoint{1, 1}));
    Grid->AdvanceToNextCell(1, 1, true, true, true);
    EXPECT_EQ(Grid->Col(), 2);
}

TEST_F(Advance, LeftToRightWrapsOverFixedCells) {
    Grid->FocusCell(4, 1, true);
    EXPECT_EQ(Next(), (TPoint{1, 2}));
    EXPECT_EQ(Next(false), (TPoint{4, 1}));
    Grid->FocusCell(1, 1, true);
    EXPECT_EQ(Next(false), (TPoint{4, 4})); // back from the first normal cell
    Grid->FocusCell(4, 4, true);
    EXPECT_EQ(Next(), (TPoint{1, 1})); // AdvanceInsert off: back to the start
}

TEST_F(Advance, SkipsHiddenReadOnlyAndCoveredCells) {
    Grid->HideColumn(2);               // display 2 is real column 3 now
    Grid->SetCellReadOnly(3, 1, true); // real 3 = display 2
    Grid->SetOptions(Grid->Options() + goEditing);
    EXPECT_EQ(Next(), (TPoint{3, 1})); // display 3 = real 4
    Grid->UnHideColumnsAll();
    ASSERT_TRUE(Grid->MergeCells(1, 2, 3, 1)); // columns 1..3 of row 2
    Grid->FocusCell(4, 1, true);
    EXPECT_EQ(Next(), (TPoint{1, 2}));
    EXPECT_EQ(Next(), (TPoint{4, 2})); // the covered columns are passed
}

TEST_F(Advance, TopToBottomAndOnCellChanging) {
    Grid->Navigation()->AdvanceDirection = adTopBottom;
    Grid->FocusCell(1, 4, true);
    std::vector<std::string> moves;
    bool allowRow = true;
    Grid->OnRowChanging = [&](TObject*, int OldRow, int NewRow, bool& Allow) {
        moves.push_back("row " + std::to_string(OldRow) + ">" + std::to_string(NewRow));
        Allow = allowRow;
    };
    Grid->OnColChanging = [&](TObject*, int OldCol, int NewCol, bool&) {
        moves.push_back("col " + std::to_string(OldCol) + ">" + std::to_string(NewCol));
    };
    Grid->OnCellChanging = [&moves](TObject*, int OldRow, int OldCol, int NewRow, int NewCol,
                                    bool& Allow) {
        moves.push_back(std::to_string(OldCol) + "," + std::to_string(OldRow) + ">" +
                        std::to_string(NewCol) + "," + std::to_string(NewRow));
    };
    // Each question once, the row's and the column's before the cell's.
    EXPECT_EQ(Next(), (TPoint{2, 1}));
    EXPECT_EQ(moves, (std::vector<std::string>{"row 4>1", "col 1>2", "1,4>2,1"}));
    moves.clear();
    allowRow = false;
    EXPECT_EQ(Next(), (TPoint{2, 1}));
    EXPECT_EQ(moves, std::vector<std::string>{"row 1>2"});
    allowRow = true;
    Grid->OnCellChanging = [](TObject*, int, int, int, int, bool& Allow) { Allow = false; };
    EXPECT_EQ(Next(), (TPoint{2, 1}));
}

TEST_F(Advance, AppendsARowWhenAllowed) {
    Grid->Navigation()->AdvanceInsert = true;
    bool canAdd = false;
    int added = -1;
    Grid->OnCanAddRow = [&canAdd](TObject*, bool& CanAdd) { CanAdd = canAdd; };
    Grid->OnAutoAddRow = [&added](TObject*, int ARow) { added = ARow; };
    Grid->FocusCell(4, 4, true);
    EXPECT_EQ(Next(), (TPoint{1, 1}));
    EXPECT_EQ(Grid->RowCount(), 5);
    canAdd = true;
    Grid->FocusCell(4, 4, true);
    EXPECT_EQ(Next(), (TPoint{1, 5}));
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(added, 5);
}

TEST_F(Advance, AppendsAColumnTopToBottom) {
    Grid->Navigation()->AdvanceInsert = true;
    Grid->Navigation()->AdvanceDirection = adTopBottom;
    int added = -1;
    Grid->OnAutoInsertCol = [&added](TObject*, int ACol) { added = ACol; };
    Grid->FocusCell(4, 4, true);
    EXPECT_EQ(Next(), (TPoint{5, 1}));
    EXPECT_EQ(Grid->ColCount(), 6);
    EXPECT_EQ(added, 5);
}

TEST_F(Advance, EndsWhenNoCellCanTakeTheFocus) {
    Grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
    EXPECT_EQ(Next(), (TPoint{1, 1}));
    // Appending would find no editable cell either: at most one row is added.
    Grid->Navigation()->AdvanceInsert = true;
    EXPECT_EQ(Next(), (TPoint{1, 1}));
    EXPECT_LE(Grid->RowCount(), 6);
    // All rows hidden but the fixed one: no normal cell at all.
    Grid->OnCanEditCell = nullptr;
    const int allRows = Grid->GetAllRowCount();
    Grid->HideRows(1, allRows - 1);
    Grid->AdvanceToNextCell(1, 0, true, true, true);
    EXPECT_EQ(Grid->GetAllRowCount(), allRows); // nothing appended to land on
    EXPECT_EQ(Grid->RowCount(), 1);
}
