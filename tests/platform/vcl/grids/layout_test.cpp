// Counts, fixed counts, cell rectangles, hit testing and the visible counts.
#include "gridtestenv.h"

#include <QWidget>

#include "platform/vcl/scrollbars.h"

namespace {

using LayoutTest = GridFixture;

std::string FailureOf(const std::function<void()>& F) {
    try {
        F();
    } catch (const EInvalidGridOperation& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST_F(LayoutTest, StartsWithFiveByFiveAndOneFixedOfEach) {
    EXPECT_EQ(5, Grid->ColCount());
    EXPECT_EQ(5, Grid->RowCount());
    EXPECT_EQ(1, Grid->FixedCols());
    EXPECT_EQ(1, Grid->FixedRows());
    EXPECT_EQ(64, Grid->DefaultColWidth());
    EXPECT_EQ(24, Grid->DefaultRowHeight());
    EXPECT_EQ(1, Grid->Col());
    EXPECT_EQ(1, Grid->Row());
    EXPECT_EQ(bsSingle, Grid->BorderStyle());
    EXPECT_EQ(2, Grid->BorderOffset());
}

TEST_F(LayoutTest, FixedCountNotBelowTheTotalIsRefused) {
    EXPECT_EQ("Fixed column count must be less than column count",
              FailureOf([this] { Grid->SetFixedCols(5); }));
    EXPECT_EQ("Fixed row count must be less than row count",
              FailureOf([this] { Grid->SetFixedRows(7); }));
    EXPECT_EQ("Grid index out of range", FailureOf([this] { Grid->SetFixedRows(-1); }));
    EXPECT_EQ(1, Grid->FixedCols());
    EXPECT_EQ(1, Grid->FixedRows());
    Grid->SetFixedCols(4);
    EXPECT_EQ(4, Grid->FixedCols());
    EXPECT_EQ(4, Grid->Col()); // the current cell leaves the fixed area
    EXPECT_EQ(4, Grid->LeftCol());
}

TEST_F(LayoutTest, CountsStayAtLeastOneAndFixedCountsFollow) {
    Grid->SetFixedRows(3);
    Grid->SetRowCount(2);
    EXPECT_EQ(2, Grid->RowCount());
    EXPECT_EQ(1, Grid->FixedRows());
    Grid->SetColCount(0);
    EXPECT_EQ(1, Grid->ColCount());
    EXPECT_EQ(0, Grid->FixedCols());
    EXPECT_EQ(0, Grid->Col());
    Grid->SetColCount(4);
    EXPECT_EQ(0, Grid->FixedCols()); // not put back
    EXPECT_EQ(4, Grid->ColCount());
    EXPECT_GE(Grid->SizeChanges, 3);
}

TEST_F(LayoutTest, CurrentCellStaysInsideWhenTheGridShrinks) {
    Grid->SetRowCount(20);
    Grid->SetRow(19);
    Grid->SetRowCount(10);
    EXPECT_EQ(9, Grid->Row());
    EXPECT_EQ(Grid->Row(), Grid->Selection().Bottom);
}

TEST_F(LayoutTest, CellRectsFollowWidthsHeightsAndLines) {
    Grid->SetColWidths(1, 30);
    Grid->SetRowHeights(2, 40);
    EXPECT_EQ(Rect(0, 0, 64, 24), Grid->CellRect(0, 0));
    EXPECT_EQ(Rect(65, 25, 95, 49), Grid->CellRect(1, 1));
    EXPECT_EQ(Rect(96, 50, 160, 90), Grid->CellRect(2, 2));
    Grid->SetGridLineWidth(3);
    EXPECT_EQ(Rect(67, 27, 97, 51), Grid->CellRect(1, 1));
    Grid->SetOptions(Grid->Options() - TGridOptions{goVertLine, goFixedVertLine});
    EXPECT_EQ(Rect(64, 27, 94, 51), Grid->CellRect(1, 1)); // no vertical lines: no gap
    EXPECT_EQ(TRect{}, Grid->CellRect(9, 1));              // no such column
}

TEST_F(LayoutTest, GridSizeCountsEveryCellWithItsLine) {
    EXPECT_EQ(5 * 65, Grid->GridWidth());
    EXPECT_EQ(5 * 25, Grid->GridHeight());
    Grid->SetColWidths(4, 30); // the last column counts too
    Grid->SetRowHeights(4, 10);
    EXPECT_EQ(4 * 65 + 31, Grid->GridWidth());
    EXPECT_EQ(4 * 25 + 11, Grid->GridHeight());
}

TEST_F(LayoutTest, CellRectAndMouseToCellFollowScrolling) {
    Grid->SetRowCount(100);
    Grid->SetColCount(30);
    Grid->SetTopRow(40);
    Grid->SetLeftCol(10);
    EXPECT_EQ(Rect(65, 25, 129, 49), Grid->CellRect(10, 40));
    EXPECT_EQ(Rect(0, 25, 64, 49), Grid->CellRect(0, 40));  // fixed column stays
    EXPECT_EQ(Rect(65, 0, 129, 24), Grid->CellRect(10, 0)); // fixed row stays
    EXPECT_EQ(TRect{}, Grid->CellRect(5, 39));              // scrolled away
    int c = 0, r = 0;
    Grid->MouseToCell(70, 30, c, r);
    EXPECT_EQ(10, c);
    EXPECT_EQ(40, r);
    Grid->MouseToCell(10, 60, c, r);
    EXPECT_EQ(0, c);
    EXPECT_EQ(41, r);
    Grid->MouseToCell(64, 24, c, r); // on the grid lines: they belong to the cell before
    EXPECT_EQ(0, c);
    EXPECT_EQ(0, r);
    EXPECT_EQ((TGridCoord{-1, -1}), Grid->MouseCoord(-1, 5000));
}

TEST_F(LayoutTest, VisibleCountsFollowTheSize) {
    Grid->SetScrollBars(ssNone);
    Grid->SetRowCount(50);
    Grid->SetColCount(20);
    // Client 125 high: the fixed row takes 25, then four rows of 24 + line fit.
    Grid->SetBounds(8, 8, 4 + 65 * 4, 4 + 125);
    EXPECT_EQ(125, Grid->ClientHeight());
    EXPECT_EQ(4, Grid->VisibleRowCount());
    EXPECT_EQ(3, Grid->VisibleColCount());
    Grid->SetBounds(8, 8, 4 + 65 * 6 - 1, 4 + 123);
    EXPECT_EQ(3, Grid->VisibleRowCount()); // the fourth row misses one pixel
    EXPECT_EQ(5, Grid->VisibleColCount());
    // Exactly filled to the last pixel: the last cell's line may fall outside.
    Grid->SetBounds(8, 8, 4 + 65 * 4 - 1, 4 + 124);
    EXPECT_EQ(4, Grid->VisibleRowCount());
    EXPECT_EQ(3, Grid->VisibleColCount());
}

TEST_F(LayoutTest, OnlyTheFixedCellsFitInAWindowAsWideAsThey) {
    Grid->SetScrollBars(ssNone);
    Grid->SetBounds(8, 8, 4 + 65, 4 + 25);
    EXPECT_EQ(TRect{}, Grid->CellRect(1, 1)); // it would start on the window's edge
    EXPECT_EQ(TRect{}, Grid->CellRect(1, 0));
    EXPECT_EQ(Rect(0, 0, 64, 24), Grid->CellRect(0, 0));
    EXPECT_EQ(0, Grid->VisibleColCount());
    EXPECT_EQ(0, Grid->VisibleRowCount());
    EXPECT_EQ((TGridCoord{0, 0}), Grid->MouseCoord(64, 24));
    EXPECT_EQ((TGridCoord{-1, -1}), Grid->MouseCoord(65, 25));
}

struct HitCase {
    int X, Y;
    TGridCoord Cell;
};

class HitTestTable : public GridFixture, public ::testing::WithParamInterface<HitCase> {};

TEST_P(HitTestTable, EachPixelBelongsToOneCellAndItsLinesToTheCellBefore) {
    Grid->SetRowCount(100);
    Grid->SetColCount(30);
    Grid->SetTopRow(40);
    Grid->SetLeftCol(10);
    const HitCase& c = GetParam();
    EXPECT_EQ(c.Cell, Grid->MouseCoord(c.X, c.Y)) << c.X << "," << c.Y;
}

// Fixed cells 0..63 wide (line at 64) and 0..23 high (line at 24); column 10
// then takes 65..128 with its line at 129, row 40 25..48 with its line at 49.
INSTANTIATE_TEST_SUITE_P(LayoutTest, HitTestTable,
                         ::testing::Values(HitCase{0, 0, {0, 0}}, HitCase{63, 23, {0, 0}},
                                           HitCase{64, 24, {0, 0}},   // the fixed cells' lines
                                           HitCase{65, 25, {10, 40}}, // first pixel after them
                                           HitCase{128, 48, {10, 40}},
                                           HitCase{129, 49, {10, 40}}, // lines of the cell
                                           HitCase{130, 50, {11, 41}}, // next cell's first pixel
                                           HitCase{64, 50, {0, 41}}, HitCase{130, 0, {11, 0}},
                                           HitCase{-1, -1, {-1, -1}}));

TEST_F(LayoutTest, ALastPageThatFitsExactlyIsTheLastTopRow) {
    Grid->SetScrollBars(ssNone);
    Grid->SetRowCount(20);
    // Room 99 below the fixed row: four rows with the three lines between them.
    Grid->SetBounds(8, 8, 300, 4 + 124);
    EXPECT_EQ(16, Grid->MaxTopRow());
    Grid->SetBounds(8, 8, 300, 4 + 123);
    EXPECT_EQ(17, Grid->MaxTopRow());
}

TEST_F(LayoutTest, ShowingACellScrollsOnlyAsFarAsNeeded) {
    Grid->SetScrollBars(ssNone);
    Grid->SetColCount(12);
    // Room 194 after the fixed column: three columns with two lines between.
    Grid->SetBounds(8, 8, 4 + 65 + 194, 300);
    Grid->SetCol(3); // its right edge is the window's last pixel: in full view
    EXPECT_EQ(1, Grid->LeftCol());
    Grid->SetCol(4);
    EXPECT_EQ(2, Grid->LeftCol());
    Grid->SetCol(11); // the last three exactly fill the room
    EXPECT_EQ(9, Grid->LeftCol());
    Grid->SetCol(1);
    EXPECT_EQ(1, Grid->LeftCol());
    // A cell in full view does not scroll, even when a hidden column before
    // the view would fit too (no lines: nothing of it would show).
    Grid->SetOptions(Grid->Options() - TGridOptions{goVertLine, goFixedVertLine});
    Grid->SetBounds(8, 8, 4 + 64 + 3 * 64, 300);
    Grid->SetColWidths(1, 0);
    Grid->SetLeftCol(2);
    const int changes = Grid->TopLeftChanges;
    Grid->SetCol(4);
    EXPECT_EQ(2, Grid->LeftCol());
    EXPECT_EQ(changes, Grid->TopLeftChanges);
}

TEST_F(LayoutTest, SelectionStaysInsideWhenTheGridShrinks) {
    Grid->SetRowCount(20);
    Grid->SetColCount(8);
    Grid->SetSelection({2, 17, 6, 19});
    Grid->SetRowCount(10);
    Grid->SetColCount(5);
    EXPECT_EQ((TGridRect{2, 9, 4, 9}), Grid->Selection());
}

TEST_F(LayoutTest, GrowingRoomPullsTheTopRowBack) {
    Grid->SetScrollBars(ssNone);
    Grid->SetRowCount(20);
    Grid->SetBounds(8, 8, 300, 4 + 125);
    EXPECT_EQ(16, Grid->MaxTopRow()); // rows 16..19 fill the four places
    Grid->SetTopRow(16);
    Grid->SetBounds(8, 8, 300, 4 + 250);
    EXPECT_EQ(11, Grid->MaxTopRow());
    EXPECT_EQ(11, Grid->TopRow());
    EXPECT_EQ(9, Grid->VisibleRowCount());
}

TEST_F(LayoutTest, ScrollBarsTakeTheirRoomOnlyWhenNeeded) {
    Grid->SetBounds(8, 8, 400, 300);
    EXPECT_FALSE(Grid->VertScrollBarShown());
    EXPECT_EQ(396, Grid->ClientWidth());
    Grid->SetRowCount(100);
    EXPECT_TRUE(Grid->VertScrollBarShown());
    EXPECT_FALSE(Grid->HorzScrollBarShown());
    EXPECT_EQ(396 - GridScrollBarSize, Grid->ClientWidth());
    // The room a bar takes is the system's bar size, which a descendant uses
    // to fit its height to whole rows.
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), GridScrollBarSize);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), GridScrollBarSize);
    Grid->SetScrollBars(ssHorizontal);
    EXPECT_FALSE(Grid->VertScrollBarShown());
    Grid->SetBorderStyle(bsNone);
    EXPECT_EQ(400, Grid->ClientWidth());
}

namespace {

struct TWndProbe : TDrawGrid {
    using TDrawGrid::TDrawGrid;
    int Created = 0, Destroyed = 0;

protected:
    void CreateWnd() override {
        ++Created;
        TDrawGrid::CreateWnd();
    }
    void DestroyWnd() override {
        ++Destroyed;
        TDrawGrid::DestroyWnd();
    }
};

} // namespace

TEST_F(LayoutTest, TheWindowIsMadeWithTheFirstParentAndEndsWithoutOne) {
    auto* probe = new TWndProbe(Form.get());
    EXPECT_EQ(0, probe->Created);
    probe->SetParent(Form.get());
    EXPECT_EQ(1, probe->Created);
    probe->SetParent(nullptr);
    EXPECT_EQ(1, probe->Destroyed);
}

TEST_F(LayoutTest, RedrawCanBeSwitchedOffAroundBulkChanges) {
    Grid->Perform(WM_SETREDRAW, 0);
    EXPECT_FALSE(Grid->Widget()->updatesEnabled());
    Grid->SetRowCount(1000);
    Grid->Perform(WM_SETREDRAW, 1);
    EXPECT_TRUE(Grid->Widget()->updatesEnabled());
}
