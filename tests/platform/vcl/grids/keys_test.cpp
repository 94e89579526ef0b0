// Keyboard navigation through real key presses on the focused grid.
#include "gridtestenv.h"

namespace {

struct KeysTest : GridFixture {
    TEdit* Next = new TEdit(Form.get());
    void SetUp() override {
        GridFixture::SetUp();
        Next->SetParent(Form.get());
        Next->SetBounds(8, 320, 100, 24);
        Next->SetTabStop(true);
        Grid->SetColCount(10);
        Grid->SetRowCount(100);
        Activate();
    }
};

} // namespace

TEST_F(KeysTest, ArrowsMoveOneCellAndStopAtTheEdges) {
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(2, Grid->Col());
    EXPECT_EQ(3, Grid->Row());
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    EXPECT_EQ(1, Grid->Col()); // not into the fixed column
    EXPECT_EQ(2, Grid->Row());
    EXPECT_EQ((TGridRect{1, 2, 1, 2}), Grid->Selection());
}

TEST_F(KeysTest, PagesHomeEndAndTheCtrlCorners) {
    const int page = Grid->VisibleRowCount();
    Key(Qt::Key_PageDown);
    EXPECT_EQ(1 + page, Grid->Row());
    EXPECT_EQ(1 + page, Grid->TopRow());
    Key(Qt::Key_PageUp);
    EXPECT_EQ(1, Grid->Row());
    EXPECT_EQ(1, Grid->TopRow());
    Key(Qt::Key_End);
    EXPECT_EQ(9, Grid->Col());
    EXPECT_EQ(Grid->MaxLeftCol(), Grid->LeftCol()); // scrolled into view
    Key(Qt::Key_Home);
    EXPECT_EQ(1, Grid->Col());
    EXPECT_EQ(1, Grid->LeftCol());
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(9, Grid->Col());
    EXPECT_EQ(99, Grid->Row());
    EXPECT_EQ(Grid->MaxTopRow(), Grid->TopRow());
    const TRect last = Grid->CellRect(99, 99);
    EXPECT_TRUE(IsRectEmpty(last)); // column 99 does not exist
    EXPECT_FALSE(IsRectEmpty(Grid->CellRect(9, 99)));
    EXPECT_LE(Grid->CellRect(9, 99).Bottom, Grid->ClientHeight());
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(1, Grid->Col());
    EXPECT_EQ(1, Grid->Row());
    EXPECT_EQ(1, Grid->TopRow());
}

TEST_F(KeysTest, ShiftExtendsTheSelectionOnlyWithRangeSelect) {
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ((TGridRect{1, 1, 2, 2}), Grid->Selection());
    Key(Qt::Key_Right);
    EXPECT_EQ((TGridRect{3, 2, 3, 2}), Grid->Selection());
    Grid->SetOptions(Grid->Options() - goRangeSelect);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ((TGridRect{3, 3, 3, 3}), Grid->Selection());
}

TEST_F(KeysTest, TabMovesWithinTheGridOnlyWithGoTabs) {
    Key(Qt::Key_Tab);
    EXPECT_EQ(1, Grid->Col()); // the focus went on
    EXPECT_TRUE(ProcessUntil([this] { return Next->Focused(); }));
    Grid->SetOptions(Grid->Options() + goTabs);
    Activate();
    Key(Qt::Key_Tab);
    EXPECT_EQ(2, Grid->Col());
    EXPECT_TRUE(Grid->Focused());
    Grid->SetCol(9);
    Key(Qt::Key_Tab);
    EXPECT_EQ(1, Grid->Col()); // wraps to the next row
    EXPECT_EQ(2, Grid->Row());
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(9, Grid->Col());
    EXPECT_EQ(1, Grid->Row());
    Grid->SetCol(2);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(1, Grid->Col()); // the first column after the fixed one is a stop too
    EXPECT_EQ(1, Grid->Row());
}

TEST_F(KeysTest, TabOnTheLastCellAndShiftTabOnTheFirstLeaveTheGrid) {
    Grid->SetOptions(Grid->Options() + goTabs);
    Grid->SetRow(99);
    Grid->SetCol(8);
    Key(Qt::Key_Tab);
    EXPECT_EQ(9, Grid->Col()); // still inside
    EXPECT_TRUE(Grid->Focused());
    Key(Qt::Key_Tab);
    EXPECT_TRUE(ProcessUntil([this] { return Next->Focused(); }));
    EXPECT_EQ(9, Grid->Col());
    EXPECT_EQ(99, Grid->Row());
    // Back on the first cell, Shift+Tab goes to the previous control.
    Grid->SetRow(1);
    Grid->SetCol(1);
    Activate();
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(ProcessUntil([this] { return Next->Focused(); }));
    EXPECT_EQ(1, Grid->Row());
    // From the editor as well.
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->SetRow(99);
    Grid->SetCol(9);
    Activate();
    Key(Qt::Key_F2);
    ASSERT_TRUE(Grid->EditorMode());
    ASSERT_TRUE(ProcessUntil([this] { return Grid->InplaceEditor()->Focused(); }));
    SendKey(Grid->InplaceEditor(), Qt::Key_Tab, "\t");
    EXPECT_TRUE(ProcessUntil([this] { return Next->Focused(); }));
}

TEST_F(KeysTest, RowSelectSelectsWholeRowsAndScrollsSideways) {
    Grid->SetOptions(Grid->Options() + goRowSelect);
    Key(Qt::Key_Down);
    EXPECT_EQ((TGridRect{1, 2, 9, 2}), Grid->Selection());
    const int col = Grid->Col();
    Key(Qt::Key_Right);
    EXPECT_EQ(col, Grid->Col());
    EXPECT_EQ(2, Grid->LeftCol());
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ((TGridRect{1, 2, 9, 3}), Grid->Selection());
    Key(Qt::Key_End);
    EXPECT_EQ(99, Grid->Row());
}

TEST_F(KeysTest, OnSelectCellVetoesTheMove) {
    std::vector<std::pair<int, int>> asked;
    Grid->OnSelectCell = [&](TObject*, int ACol, int ARow, bool& CanSelect) {
        asked.emplace_back(ACol, ARow);
        CanSelect = ACol != 3;
    };
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(2, Grid->Col());
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ(std::make_pair(3, 1), asked.back());
    Grid->SetCol(3);
    EXPECT_EQ(2, Grid->Col());
    Grid->SetCol(4);
    EXPECT_EQ(4, Grid->Col());
    const TPoint p = CellCenter(3, 2);
    Click(p.X, p.Y);
    EXPECT_EQ(4, Grid->Col());
    EXPECT_EQ(1, Grid->Row());
}

TEST_F(KeysTest, OnKeyDownSeesTheKeyFirstAndCanSwallowIt) {
    Grid->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
        if (Key == VK_DOWN) Key = 0;
    };
    Key(Qt::Key_Down);
    EXPECT_EQ(1, Grid->Row());
    Key(Qt::Key_Right);
    EXPECT_EQ(2, Grid->Col());
}
