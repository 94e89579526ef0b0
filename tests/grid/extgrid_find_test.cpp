#include <gtest/gtest.h>

#include "gridfixture.h"

namespace {

class Find : public GridTest {
protected:
    // 3 x 4 with a fixed row and column:
    //         c1     c2
    //   r1    abc    xab
    //   r2    (empty) AB
    //   r3    cab    abx
    void SetUp() override {
        GridTest::SetUp();
        Grid->SetColCount(3);
        Grid->SetRowCount(4);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Grid->SetCells(1, 0, "ab header");
        Grid->SetCells(1, 1, "abc");
        Grid->SetCells(2, 1, "xab");
        Grid->SetCells(2, 2, "AB");
        Grid->SetCells(1, 3, "cab");
        Grid->SetCells(2, 3, "abx");
    }
    static TGridFindFlags F(unsigned Bits) { return TGridFindFlags::FromBits(Bits); }
    TPoint Start{-1, -1};
};

} // namespace

TEST_F(Find, ConditionSearchForwardStepsThroughAndMovesTheCell) {
    TPoint p = Grid->FindCellFirst(Start, "ab*", F(0x104));
    EXPECT_EQ(p, (TPoint{1, 1}));
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Grid->Col(), 1);
    p = Grid->FindCellFirst(p, "ab*", F(0x104)); // next: column 2 from the top
    EXPECT_EQ(p, (TPoint{2, 2}));
    p = Grid->FindCellFirst(p, "ab*", F(0x104));
    EXPECT_EQ(p, (TPoint{2, 3}));
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    // After the last cell the search starts at the first cell again.
    p = Grid->FindCellFirst(p, "ab*", F(0x104));
    EXPECT_EQ(p, (TPoint{1, 1}));
}

TEST_F(Find, BackwardRunsUpAndLeft) {
    TPoint p = Grid->FindCellFirst(Start, "ab*", F(0x504));
    EXPECT_EQ(p, (TPoint{2, 3}));
    p = Grid->FindCellFirst(p, "ab*", F(0x504));
    EXPECT_EQ(p, (TPoint{2, 2}));
    p = Grid->FindCellFirst(p, "ab*", F(0x504));
    EXPECT_EQ(p, (TPoint{1, 1}));
    p = Grid->FindCellFirst(p, "ab*", F(0x504)); // before the first: from the last
    EXPECT_EQ(p, (TPoint{2, 3}));
}

TEST_F(Find, PlainOptions) {
    TGridFindFlags f;
    EXPECT_EQ(Grid->FindCellFirst(Start, "ab", f), (TPoint{1, 1}));
    f.Include(gfWholeCell);
    EXPECT_EQ(Grid->FindCellFirst(Start, "ab", f), (TPoint{2, 2})); // "AB" upper-cased
    f.Include(gfMatchCase);
    EXPECT_EQ(Grid->FindCellFirst(Start, "ab", f), (TPoint{-1, -1}));
    EXPECT_FALSE(Grid->FindBusy());
    TGridFindFlags atStart{gfAtStart};
    Grid->SetCells(1, 1, "zzz");
    EXPECT_EQ(Grid->FindCellFirst(Start, "ab", atStart), (TPoint{2, 2})); // not cab
    EXPECT_EQ(Grid->FindCellFirst(Start, "ab", TGridFindFlags{gfAtStart, gfByRows}),
              (TPoint{2, 2}));
    EXPECT_EQ(Grid->FindCellFirst(Start, "\"\"", TGridFindFlags{}), (TPoint{1, 2}));
}

TEST_F(Find, ByRowsFixedHiddenCurrentRowAndHTML) {
    EXPECT_EQ(Grid->FindCellFirst(Start, "ab", TGridFindFlags{gfByRows}), (TPoint{1, 1}));
    EXPECT_EQ(Grid->FindCellFirst({1, 1}, "ab", TGridFindFlags{gfByRows}), (TPoint{2, 1}));
    EXPECT_EQ(Grid->FindCellFirst(Start, "header", TGridFindFlags{}), (TPoint{-1, -1}));
    EXPECT_EQ(Grid->FindCellFirst(Start, "header", TGridFindFlags{gfIncludeFixed}), (TPoint{1, 0}));
    Grid->HideColumn(1);
    // Display column 1 is now real column 2.
    EXPECT_EQ(Grid->FindCellFirst(Start, "cab", TGridFindFlags{}), (TPoint{-1, -1}));
    EXPECT_EQ(Grid->FindCellFirst(Start, "cab", TGridFindFlags{gfIncludeHidden}), (TPoint{1, 3}));
    Grid->UnHideColumnsAll();
    Grid->SetRow(3);
    EXPECT_EQ(Grid->FindCellFirst(Start, "ab", TGridFindFlags{gfCurrentRow}), (TPoint{1, 3}));
    Grid->SetCells(2, 2, "<b>q</b>r");
    EXPECT_EQ(Grid->FindCellFirst(Start, "qr", TGridFindFlags{}), (TPoint{-1, -1}));
    EXPECT_EQ(Grid->FindCellFirst(Start, "qr", TGridFindFlags{gfIgnoreHTML}), (TPoint{2, 2}));
}

TEST_F(Find, IncrementalLookup) {
    Grid->SetCells(1, 1, "anna");
    Grid->SetCells(1, 2, "bob");
    Grid->SetCells(1, 3, "Brenda");
    Grid->Navigation()->AutoGotoWhenSorted = true;
    Grid->Navigation()->AutoGotoIncremental = true;
    EXPECT_EQ(Grid->LookupRow("BR"), 3);
    EXPECT_EQ(Grid->LookupRow("Q"), -1);
    Grid->SetRow(1);
    EXPECT_TRUE(Grid->LookupKey('b'));
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_TRUE(Grid->LookupKey('r'));
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_TRUE(Grid->LookupKey('\b'));
    EXPECT_EQ(Grid->Row(), 2);
}

namespace {

class FilterTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid->SetColCount(3);
        Grid->SetRowCount(7);
        Grid->SetFixedRows(1);
        const char* v[] = {"X", "Y", "X", "x", "Z", "X"};
        for (int r = 1; r <= 6; ++r) {
            Grid->SetCells(0, r, std::to_string(r));
            Grid->SetCells(1, r, v[r - 1]);
            Grid->SetCells(2, r, "n" + std::to_string(r * 10));
        }
    }
    std::vector<std::string> Col0() const {
        std::vector<std::string> v;
        for (int r = 1; r < Grid->RowCount(); ++r)
            v.push_back(Grid->Cells(0, r));
        return v;
    }
    using V = std::vector<std::string>;
};

} // namespace

TEST_F(FilterTest, OnHidesFailingRowsOffRestoresThemInPlace) {
    Grid->Filter()->ColumnFilter(1)->Condition = "X";
    EXPECT_EQ(Grid->Filter()->ColumnFilter(1), Grid->Filter()->Items(0));
    std::vector<short> progress;
    Grid->OnFilterProgress = [&](TObject*, short P) { progress.push_back(P); };
    Grid->SetFilterActive(true);
    EXPECT_EQ(Col0(), (V{"1", "3", "6"})); // "x" fails case-sensitively
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);
    Grid->SetFilterActive(false);
    EXPECT_EQ(Col0(), (V{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(Grid->Cells(1, 2), "Y");
}

TEST_F(FilterTest, RowsHiddenBeforeStayHidden) {
    Grid->HideRow(2); // "Y"
    Grid->HideRow(3); // real row 3, an "X"
    Grid->Filter()->ColumnFilter(1)->Condition = "X";
    Grid->SetFilterActive(true);
    EXPECT_EQ(Col0(), (V{"1", "6"}));
    Grid->SetFilterActive(false);
    EXPECT_EQ(Col0(), (V{"1", "4", "5", "6"}));
    Grid->UnHideRowsAll();
    EXPECT_EQ(Col0(), (V{"1", "2", "3", "4", "5", "6"}));
}

TEST_F(FilterTest, FilteredRowsComeBackAfterRowsWereInsertedAndRemoved) {
    Grid->HideRow(2); // "Y", hidden by hand
    Grid->Filter()->ColumnFilter(1)->Condition = "X";
    Grid->SetFilterActive(true);
    EXPECT_EQ(Col0(), (V{"1", "3", "6"}));
    Grid->InsertRows(1, 1);
    Grid->SetCells(1, 1, "X");
    Grid->SetFilterActive(false);
    EXPECT_EQ(Col0(), (V{"", "1", "3", "4", "5", "6"}));
    Grid->SetFilterActive(true);
    Grid->RemoveRows(1, 2); // "" and "1"
    EXPECT_EQ(Col0(), (V{"3", "6"}));
    Grid->SetFilterActive(false);
    EXPECT_EQ(Col0(), (V{"3", "4", "5", "6"}));
    Grid->UnHideRowsAll();
    EXPECT_EQ(Col0(), (V{"2", "3", "4", "5", "6"}));
}

TEST_F(FilterTest, OperationsPrefixSuffixAndCase) {
    TFilterData* a = Grid->Filter()->Add();
    a->Column = 2;
    a->Prefix = "n";
    a->Suffix = "0";
    a->Condition = ">3";
    TFilterData* b = Grid->Filter()->Add();
    b->Column = 1;
    b->Condition = "x";
    b->CaseSensitive = false;
    b->Operation = foAND;
    EXPECT_FALSE(Grid->MatchFilterRow(1)); // 1 > 3 fails, none stops
    EXPECT_FALSE(Grid->MatchFilterRow(5)); // Z
    EXPECT_TRUE(Grid->MatchFilterRow(4));  // 4 > 3 and x
    b->Operation = foOR;
    EXPECT_TRUE(Grid->MatchFilterRow(5)); // 5 > 3
    b->Operation = foXOR;
    EXPECT_FALSE(Grid->MatchFilterRow(4));
    EXPECT_TRUE(Grid->MatchFilterRow(5));
}

TEST_F(FilterTest, EverythingFilteredLeavesOneEmptyRowAboveTheFooter) {
    Grid->SetFixedFooters(1); // row 6 is the footer
    Grid->Filter()->ColumnFilter(1)->Condition = "Q";
    Grid->SetFilterActive(true);
    ASSERT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->FixedRows(), 1);
    EXPECT_EQ(Grid->Cells(0, 1), "");
    EXPECT_EQ(Grid->Cells(0, 2), "6");
    Grid->SetFilterActive(false);
    EXPECT_EQ(Col0(), (V{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
}

TEST_F(FilterTest, EmptyFilterAndFilterOnHiddenColumn) {
    Grid->SetFilterActive(true);
    EXPECT_EQ(Grid->RowCount(), 7);
    Grid->SetFilterActive(false);
    Grid->HideColumn(2);
    Grid->Filter()->ColumnFilter(2)->Condition = "n20";
    Grid->SetFilterActive(true);
    EXPECT_EQ(Col0(), (V{"2"}));
    Grid->SetFilterActive(false);
    Grid->UnHideColumnsAll();
    EXPECT_EQ(Grid->Cells(2, 6), "n60");
}
