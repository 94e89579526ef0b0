#include <gtest/gtest.h>

#include <vector>

#include "grid/support/gridcells.h"

namespace {

// A string grid in memory: 8 columns of 64 and 10 rows of 24 pixels, one fixed
// column and row.
class TTestCells : public TBaseGridCells {
public:
    TTestCells() : FTexts(80), FObjects(80, nullptr) {}
    ~TTestCells() override { FreeAllCellProperties(); }

    int ColCount() const override { return 8; }
    int RowCount() const override { return 10; }
    std::string GetRawCell(int c, int r) const override { return FTexts[Index(c, r)]; }
    void SetRawCell(int c, int r, const std::string& v) override { FTexts[Index(c, r)] = v; }
    TObject* GetRawObject(int c, int r) const override { return FObjects[Index(c, r)]; }
    void SetRawObject(int c, int r, TObject* o) override { FObjects[Index(c, r)] = o; }
    int ColWidth(int) const override { return 64; }
    int RowHeight(int) const override { return 24; }
    int FixedCols() const override { return 1; }
    int FixedRows() const override { return 1; }
    int LeftCol() const override { return Left; }
    int TopRow() const override { return Top; }
    int VisibleRowCount() const override { return Visible; }
    TRect InheritedCellRect(int c, int r) const override {
        const int x = c < 1 ? 0 : 64 + (c - Left) * 64;
        const int y = r < 1 ? 0 : 24 + (r - Top) * 24;
        return Bounds(x, y, 64, 24);
    }
    int CurrentCol() const override { return Col; }
    int CurrentRow() const override { return Row; }
    void SetCurrentCell(int c, int r) override {
        Col = c;
        Row = r;
    }
    void InvalidateCellArea(const TRect& R) override { Invalidated.push_back(R); }
    void UpdateFooter() override { ++FooterUpdates; }

    int Left = 1, Top = 1, Visible = 5, Col = 1, Row = 1, FooterUpdates = 0;
    std::vector<TRect> Invalidated;

private:
    static size_t Index(int c, int r) { return static_cast<size_t>(r * 8 + c); }
    std::vector<std::string> FTexts;
    std::vector<TObject*> FObjects;
};

} // namespace

TEST(GridCells, MergeRedirectsToTheBaseCell) {
    TTestCells g;
    g.SetCellText(1, 1, "base");
    g.SetCellText(3, 2, "hidden");
    ASSERT_TRUE(g.MergeCells(1, 1, 3, 2));
    const TCellProperties* base = g.FindCellProperties(1, 1);
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->CellSpanX, 2);
    EXPECT_EQ(base->CellSpanY, 1);
    const TCellProperties* covered = g.FindCellProperties(3, 2);
    EXPECT_FALSE(covered->IsBaseCell);
    EXPECT_EQ(covered->CellSpanX, 2);
    EXPECT_EQ(covered->CellSpanY, 1);
    EXPECT_EQ(g.GetBaseCell(3, 2), (TPoint{1, 1}));
    EXPECT_EQ(g.GetCellText(3, 2), "base");
    EXPECT_TRUE(g.IsMergedCell(2, 1));
    EXPECT_TRUE(g.IsXMerged(3, 2));
    EXPECT_TRUE(g.IsYMerged(1, 2));
    EXPECT_EQ(g.GetCellSpan(2, 2), (TPoint{2, 1}));
    int bc = -1, br = -1;
    EXPECT_FALSE(g.CheckBaseCell(2, 2, bc, br));
    EXPECT_EQ(bc, 1);
    EXPECT_EQ(br, 1);
    g.SetCellText(2, 2, "written"); // into the base cell
    EXPECT_EQ(g.GetRawCell(1, 1), "written");
    EXPECT_EQ(g.GetRawCell(3, 2), "hidden"); // covered texts stay, unseen
}

TEST(GridCells, SplitShowsTheOwnTextsAgain) {
    TTestCells g;
    g.SetCellText(3, 2, "own");
    g.MergeCells(1, 1, 3, 2);
    g.SplitCells(3, 2);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r) {
            const TCellProperties* p = g.FindCellProperties(c, r);
            ASSERT_NE(p, nullptr); // the records stay
            EXPECT_TRUE(p->IsBaseCell);
            EXPECT_EQ(p->CellSpanX, -1);
            EXPECT_EQ(p->CellSpanY, -1);
        }
    EXPECT_EQ(g.GetCellText(3, 2), "own");
    EXPECT_FALSE(g.IsMergedCell(1, 1));
}

TEST(GridCells, OneCellMergeAndColourOnlyRecords) {
    TTestCells g;
    g.MergeCells(2, 2, 1, 1);
    EXPECT_FALSE(g.IsMergedCell(2, 2));
    EXPECT_EQ(g.FindCellProperties(2, 2)->CellSpanX, 0);
    g.GetCellProperties(4, 4)->SetBrushColor(clRed);
    EXPECT_EQ(g.GetCellSpan(4, 4), (TPoint{0, 0}));
    EXPECT_EQ(g.MergedCellRect(4, 4), g.InheritedCellRect(4, 4));
    EXPECT_EQ(g.Invalidated.back(), g.InheritedCellRect(4, 4)); // the colour repaints the cell
}

TEST(GridCells, MergedCellRectCoversTheRangeAlsoWhenScrolled) {
    TTestCells g;
    g.MergeCells(1, 1, 3, 2);
    EXPECT_EQ(g.MergedCellRect(1, 1), (TRect{64, 24, 64 + 192, 24 + 48}));
    EXPECT_EQ(g.MergedCellRect(3, 2), g.MergedCellRect(1, 1));
    EXPECT_EQ(g.GetCellSize(2, 2), (TPoint{192, 48}));
    g.Left = 2; // the base column scrolled under the fixed column
    EXPECT_EQ(g.MergedCellRect(2, 1), (TRect{0, 24, 192, 72}));
    // A fixed cell is not shifted.
    g.MergeCells(0, 3, 1, 2);
    EXPECT_EQ(g.MergedCellRect(0, 4), (TRect{0, 3 * 24, 64, 5 * 24}));
}

TEST(GridCells, MergeValidatesAndSplitsWhatItOverlaps) {
    TTestCells g;
    EXPECT_FALSE(g.MergeCells(6, 1, 3, 1)); // past the last column
    EXPECT_FALSE(g.MergeCells(1, 9, 1, 2));
    EXPECT_FALSE(g.MergeCells(-1, 1, 2, 2));
    EXPECT_FALSE(g.MergeCells(1, 1, 0, 2));
    EXPECT_FALSE(g.HasCellProperties(6, 1));
    ASSERT_TRUE(g.MergeCells(1, 1, 2, 2));
    ASSERT_TRUE(g.MergeCells(2, 2, 2, 2));
    EXPECT_EQ(g.GetBaseCell(1, 2), (TPoint{1, 2})); // the old range is split
    EXPECT_EQ(g.FindCellProperties(1, 1)->CellSpanX, -1);
    EXPECT_EQ(g.GetBaseCell(3, 3), (TPoint{2, 2}));
    EXPECT_EQ(g.GetCellSpan(3, 3), (TPoint{1, 1}));
}

TEST(GridCells, SettingTheRecordHeldKeepsIt) {
    TTestCells g;
    TCellProperties* p = g.GetCellProperties(2, 2);
    p->SetBrushColor(clLime);
    g.SetCellProperties(2, 2, p);
    EXPECT_EQ(g.FindCellProperties(2, 2), p);
    EXPECT_EQ(p->BrushColor(), clLime);
    g.SetCellProperties(2, 2, new TCellProperties(&g, 2, 2)); // the old one is freed
    EXPECT_EQ(g.FindCellProperties(2, 2)->BrushColor(), clNone);
    g.SetCellProperties(2, 2, nullptr);
    EXPECT_FALSE(g.HasCellProperties(2, 2));
}

TEST(GridCells, ClearingFreesRecordsAndSplitsMerges) {
    TTestCells g;
    g.SetCellText(1, 1, "base");
    g.MergeCells(1, 1, 3, 2);
    TObject app;
    g.SetCellObject(5, 5, &app);
    EXPECT_EQ(g.GetCellObject(5, 5), &app);
    g.ClearCell(2, 2);
    EXPECT_FALSE(g.HasCellProperties(2, 2));
    EXPECT_EQ(g.GetCellText(2, 2), "");
    EXPECT_EQ(g.GetCellText(1, 1), "base");         // the base cell keeps its text
    EXPECT_EQ(g.GetBaseCell(3, 2), (TPoint{3, 2})); // no covered cell left behind
    EXPECT_FALSE(g.IsMergedCell(1, 1));
    g.ClearRow(5);
    EXPECT_FALSE(g.HasCellProperties(5, 5));
    EXPECT_EQ(g.GetCellObject(5, 5), nullptr);
    g.MergeCells(4, 6, 2, 3);
    g.ClearCol(5);
    EXPECT_FALSE(g.IsMergedCell(4, 7));
    EXPECT_FALSE(g.HasCellProperties(5, 8));
}

TEST(GridCells, FreeingPartOfARangeLeavesNoStaleBaseCell) {
    TTestCells g;
    g.MergeCells(1, 1, 3, 3);
    g.FreeCellPropertiesRect(1, 1, 1, 1); // the base cell's record
    EXPECT_EQ(g.GetBaseCell(3, 3), (TPoint{3, 3}));
    EXPECT_FALSE(g.IsMergedCell(2, 2));
    EXPECT_EQ(g.MergedCellRect(3, 3), g.InheritedCellRect(3, 3));
}

TEST(GridCells, DisplayTextHookOnlyBelowTheRowLimit) {
    TTestCells g;
    int calls = 0;
    g.OnGetDisplText = [&](TObject*, int c, int r, std::string& v) {
        ++calls;
        v = "<" + v + ">" + std::to_string(c) + std::to_string(r);
    };
    g.SetCellText(2, 2, "x");
    EXPECT_EQ(g.GetCellText(2, 2), "x");
    EXPECT_EQ(calls, 0);
    g.DisplTextRowLimit = 5;
    g.MergeCells(2, 2, 2, 2);
    EXPECT_EQ(g.GetCellText(3, 3), "<x>22"); // asked for the base cell
    EXPECT_EQ(g.GetCellText(1, 7), "");
    EXPECT_EQ(calls, 1);
}

TEST(GridCells, KeysStepOutOfAMergedRange) {
    TTestCells g;
    g.MergeCells(1, 1, 3, 2);
    g.Col = 1;
    g.Row = 1;
    g.StepOutOfMerge(VK_RIGHT);
    EXPECT_EQ(g.Col, 3); // the grid's own step then leaves the range
    g.Col = 1;
    g.StepOutOfMerge(VK_DOWN);
    EXPECT_EQ(g.Row, 2);
    g.Col = 3;
    g.Row = 2; // a covered cell, reached by the mouse
    g.StepOutOfMerge(VK_LEFT);
    EXPECT_EQ(g.Col, 1);
    g.Col = 3;
    g.StepOutOfMerge(VK_UP);
    EXPECT_EQ(g.Row, 1);
    g.Col = 2;
    g.Row = 2;
    g.FocusBaseCell();
    EXPECT_EQ((TPoint{g.Col, g.Row}), (TPoint{1, 1}));
    g.MergeCells(5, 1, 3, 1); // up to the last column: no step beyond it
    g.Col = 7;
    g.Row = 1;
    g.StepOutOfMerge(VK_RIGHT);
    EXPECT_EQ(g.Col, 7);
}

TEST(GridCells, PageDownKeepsTheFooterRowFree) {
    TTestCells g;
    g.FooterRow = true;
    g.Visible = 9; // the visible rows reach the row before the last
    g.Col = 2;
    g.Row = 4;
    g.StepOutOfMerge(VK_NEXT);
    EXPECT_EQ(g.Row, 8);
    g.SetCellText(1, 9, "sum");
    EXPECT_EQ(g.FooterUpdates, 1);
    g.SetCellText(1, 8, "x");
    EXPECT_EQ(g.FooterUpdates, 1);
}

TEST(GridCells, RowsInOneMerge) {
    TTestCells g;
    g.MergeCells(1, 1, 1, 2);
    g.MergeCells(1, 3, 1, 2); // the same height, another merge
    EXPECT_TRUE(g.RowsInSameMerge(1, 2));
    EXPECT_TRUE(g.RowsInSameMerge(3, 4));
    EXPECT_FALSE(g.RowsInSameMerge(2, 3));
    EXPECT_FALSE(g.RowsInSameMerge(5, 6)); // no merge at all
}

TEST(GridCells, AssignCopiesAllButTheObjects) {
    TTestCells g;
    TCellProperties* a = g.GetCellProperties(1, 1);
    TObject app;
    a->CellObject = &app;
    a->SetBrushColor(clYellow);
    a->FontName = "Arial";
    a->Editor = edSpinEdit;
    a->SetWordWrap(true);
    a->SetVAlignment(vtaBottom);
    TCellProperties* b = g.GetCellProperties(4, 4);
    const size_t before = g.Invalidated.size();
    b->Assign(a);
    EXPECT_EQ(b->BrushColor(), clYellow);
    EXPECT_EQ(b->FontName, "Arial");
    EXPECT_EQ(b->Editor, edSpinEdit);
    EXPECT_TRUE(b->WordWrap());
    EXPECT_EQ(b->VAlignment(), vtaBottom);
    EXPECT_EQ(b->CellObject, nullptr);
    EXPECT_EQ(b->OwnerCol, 1); // the owner fields are copied too
    EXPECT_GT(g.Invalidated.size(), before);
}
