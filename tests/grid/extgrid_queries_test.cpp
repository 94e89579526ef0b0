// The grid's small named questions and actions: radio groups and error
// ranges, the lines of a row, repainting a range of cells and blinking ones.
#include <set>
#include <utility>

#include "gridfixture.h"
#include "vcltestenv.h"

namespace {

class Queries : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Fill(5, 8);
        Grid->SetFixedCols(1);
    }
};

} // namespace

TEST_F(Queries, RadioGroupsAnswerTheirIndexAndOptions) {
    Grid->AddRadio(2, 2, false, 1, {"Wit", "Zwart", "Remise"});
    Grid->AddRadio(3, 2, true, -1, {"Ja", "Nee"});
    int index = -5;
    ASSERT_TRUE(Grid->GetRadioIndex(2, 2, index));
    EXPECT_EQ(index, 1);
    ASSERT_TRUE(Grid->GetRadioIndex(3, 2, index));
    EXPECT_EQ(index, -1) << "the text is the choice";
    EXPECT_FALSE(Grid->GetRadioIndex(1, 2, index));
    const TStrings* options = Grid->GetRadioOptions(2, 2);
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(options->Count(), 3);
    EXPECT_EQ(options->Get(2), "Remise");
    EXPECT_EQ(Grid->GetRadioOptions(1, 2), nullptr);
    // A merged range asks its base cell.
    Grid->MergeCells(2, 2, 2, 1);
    ASSERT_NE(Grid->GetRadioOptions(3, 2), nullptr);
    EXPECT_EQ(Grid->GetRadioOptions(3, 2)->Get(0), "Wit");
}

TEST_F(Queries, ErrorRangesAndTextsByDisplayColumn) {
    int from = -1, length = -1;
    Grid->GetErrorRange(2, 3, from, length);
    EXPECT_EQ(std::make_pair(from, length), std::make_pair(0, 0));
    TCellGraphic* g = Grid->CreateCellGraphic(2, 3);
    g->CellErrFrom = 4;
    g->CellErrLen = 3;
    Grid->GetErrorRange(2, 3, from, length);
    EXPECT_EQ(std::make_pair(from, length), std::make_pair(4, 3));
    Grid->HideColumn(1);
    EXPECT_EQ(Grid->GetCellTextDisplayCol(1, 3), "c2r3");
    Grid->GetErrorRange(1, 3, from, length);
    EXPECT_EQ(from, 4);
}

TEST_F(Queries, RowLinesAndHeights) {
    Grid->SetCells(2, 4, "een\r\ntwee\r\ndrie");
    Grid->SetCells(3, 4, "a\r\nb");
    EXPECT_EQ(Grid->GetRowLineCount(4), 1) << "without Multilinecells";
    Grid->Multilinecells = true;
    EXPECT_EQ(Grid->GetRowLineCount(4), 3);
    EXPECT_EQ(Grid->GetRowLineCount(5), 1);
    Grid->Canvas()->Font()->Assign(Grid->Font());
    const int h = Grid->Canvas()->TextHeight("gh");
    Grid->SetRowHeightForLines(4, 3, 4);
    EXPECT_EQ(Grid->RowHeights(4), (h + h / 8) * 3 + 4);
    Grid->MaxRowHeight = 30;
    Grid->SetRowHeightForLines(4, 3, 4);
    EXPECT_EQ(Grid->RowHeights(4), 30);
}

TEST_F(Queries, ARepaintedRangeIsDrawnAgainWhole) {
    std::set<std::pair<int, int>> drawn;
    Grid->OnDrawCell = [&](TObject*, int ACol, int ARow, const TRect&, TGridDrawState) {
        drawn.insert({ACol, ARow});
    };
    ShowActive(Form.get());
    ASSERT_TRUE(ProcessUntil([&] { return drawn.count({4, 6}) > 0; }));
    Application->ProcessMessages(); // whatever else the showing paints
    drawn.clear();
    Grid->RepaintCellRange({1, 2, 2, 3});
    ProcessUntil([&] { return drawn.count({2, 3}) > 0; });
    for (int c = 1; c <= 2; ++c)
        for (int r = 2; r <= 3; ++r)
            EXPECT_TRUE(drawn.count({c, r})) << c << "," << r;
    EXPECT_FALSE(drawn.count({4, 6}));
    // A range that runs out of view is drawn as far as it shows.
    Grid->SetRowCount(60);
    Application->ProcessMessages();
    drawn.clear();
    Grid->RepaintCellRange({1, 2, 2, 50});
    ProcessUntil([&] { return drawn.count({2, 6}) > 0; });
    EXPECT_TRUE(drawn.count({2, 6}));
}

// Each turn of blinking text draws again the blinking cells in view, the top
// row of a scrolled grid too, and none out of view.
TEST_F(Queries, BlinkingCellsInViewAreDrawnAgainEachTurn) {
    Grid->SetRowCount(60);
    std::set<std::pair<int, int>> drawn;
    Grid->OnDrawCell = [&](TObject*, int ACol, int ARow, const TRect&, TGridDrawState) {
        drawn.insert({ACol, ARow});
    };
    ShowActive(Form.get());
    Grid->SetTopRow(10);
    for (const int r : {9, 10, 11})
        Grid->SetCells(2, r, "<BLINK>knipper</BLINK>");
    ASSERT_TRUE(ProcessUntil([&] { return drawn.count({2, 11}) > 0; }));
    Application->ProcessMessages(); // whatever else the showing paints
    drawn.clear();
    Grid->SetEnableBlink(true);
    // Two turns: the first one's drawing is done by the second.
    ASSERT_TRUE(ProcessUntil([&] { return !Grid->BlinkVisible(); }));
    ASSERT_TRUE(ProcessUntil([&] { return Grid->BlinkVisible(); }));
    Grid->SetEnableBlink(false);
    EXPECT_TRUE(drawn.count({2, 10})) << "the top row";
    EXPECT_TRUE(drawn.count({2, 11}));
    EXPECT_FALSE(drawn.count({2, 9})) << "scrolled out of view";
    EXPECT_FALSE(drawn.count({3, 10})) << "no blinking text";
}
