// Moving many rows at once: a block to another place and all rows into a new
// order, cells and heights with their rows.
#include "gridtestenv.h"

namespace {

using RowsTest = GridFixture;

void FillRows(TStringGrid* Grid) {
    Grid->SetRowCount(6);
    for (int r = 0; r < 6; ++r) {
        Grid->SetCells(1, r, "r" + std::to_string(r));
        Grid->SetRowHeights(r, 20 + r);
    }
}

std::string Order(TStringGrid* Grid) {
    std::string s;
    for (int r = 0; r < Grid->RowCount(); ++r)
        s += Grid->Cells(1, r).substr(1) + std::to_string(Grid->RowHeights(r) - 20);
    return s;
}

} // namespace

TEST_F(RowsTest, ABlockMovesBothWays) {
    FillRows(Grid);
    Grid->MoveRows(1, 2, 3); // rows 1..2 now start at 3
    EXPECT_EQ(Order(Grid), "003344112255");
    Grid->MoveRows(3, 2, 1);
    EXPECT_EQ(Order(Grid), "001122334455");
    Grid->MoveRows(0, 6, 0);
    EXPECT_EQ(Order(Grid), "001122334455");
}

TEST_F(RowsTest, RowsTakeANewOrder) {
    FillRows(Grid);
    Grid->ReorderRows({5, 0, 4, 1, 3, 2});
    EXPECT_EQ(Order(Grid), "550044113322");
}

TEST_F(RowsTest, WrongRangesAndOrdersChangeNothing) {
    FillRows(Grid);
    EXPECT_THROW(Grid->MoveRows(4, 3, 0), EInvalidGridOperation);
    EXPECT_THROW(Grid->MoveRows(0, 2, 5), EInvalidGridOperation);
    EXPECT_THROW(Grid->ReorderRows({0, 1, 2}), EInvalidGridOperation);
    EXPECT_THROW(Grid->ReorderRows({0, 1, 2, 3, 4, 4}), EInvalidGridOperation);
    EXPECT_EQ(Order(Grid), "001122334455");
}

TEST_F(RowsTest, CellsKeptBeyondTheRowsStayThere) {
    FillRows(Grid);
    Grid->SetRowCount(4); // the store keeps rows 4 and 5
    Grid->ReorderRows({3, 2, 1, 0});
    Grid->SetRowCount(6);
    EXPECT_EQ(Grid->Cells(1, 0), "r3");
    EXPECT_EQ(Grid->Cells(1, 4), "r4");
    EXPECT_EQ(Grid->Cells(1, 5), "r5");
}

TEST_F(RowsTest, ARowsCellsTakenOutWholeAndPutBack) {
    FillRows(Grid);
    TStringGrid::TRowCells cells = Grid->TakeRowCells(2);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[1].Text, "r2");
    EXPECT_EQ(Grid->Cells(1, 2), "");
    Grid->PutRowCells(4, std::move(cells));
    EXPECT_EQ(Grid->Cells(1, 4), "r2");
    EXPECT_TRUE(Grid->TakeRowCells(50).empty());
    Grid->PutRowCells(9, {{"ver", nullptr}}); // beyond the rows: kept for when they grow
    Grid->SetRowCount(10);
    EXPECT_EQ(Grid->Cells(0, 9), "ver");
}
