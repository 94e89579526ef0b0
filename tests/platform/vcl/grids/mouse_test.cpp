// The mouse through the real Qt event path: selecting, sizing and moving
// columns and rows by dragging, and the wheel.
#include "gridtestenv.h"

#include <QApplication>
#include <QEvent>

namespace {

struct MouseTest : GridFixture {
    void SetUp() override {
        GridFixture::SetUp();
        Grid->SetColCount(8);
        Grid->SetRowCount(40);
    }
};

} // namespace

TEST_F(MouseTest, ClickSelectsTheCellUnderTheMouse) {
    int clicks = 0;
    Grid->OnClick = [&](TObject*) { ++clicks; };
    const TPoint p = CellCenter(3, 4);
    Click(p.X, p.Y);
    EXPECT_EQ(3, Grid->Col());
    EXPECT_EQ(4, Grid->Row());
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(gsNormal, Grid->GridState());
    const TPoint fixed = CellCenter(0, 6);
    Click(fixed.X, fixed.Y); // fixed cells are not selected
    EXPECT_EQ(3, Grid->Col());
    EXPECT_EQ(4, Grid->Row());
}

TEST_F(MouseTest, DragSelectsARangeAndShiftClickExtendsIt) {
    const TPoint a = CellCenter(1, 2), b = CellCenter(3, 5);
    Press(a.X, a.Y);
    EXPECT_EQ(gsSelecting, Grid->GridState());
    Drag(b.X, b.Y);
    Release(b.X, b.Y);
    EXPECT_EQ((TGridRect{1, 2, 3, 5}), Grid->Selection());
    EXPECT_EQ(3, Grid->Col());
    EXPECT_EQ(5, Grid->Row());
    const TPoint c = CellCenter(2, 7);
    Click(c.X, c.Y, Qt::ShiftModifier);
    EXPECT_EQ((TGridRect{1, 2, 2, 7}), Grid->Selection());
}

TEST_F(MouseTest, DraggingPastTheBottomScrolls) {
    const TPoint a = CellCenter(1, 1);
    Press(a.X, a.Y);
    for (int i = 0; i < 5; ++i)
        Drag(a.X, Grid->ClientHeight() + 10);
    Release(a.X, Grid->ClientHeight() + 10);
    EXPECT_GT(Grid->TopRow(), 1);
    EXPECT_EQ(1, Grid->Selection().Top);
    EXPECT_EQ(Grid->Row(), Grid->Selection().Bottom);
    EXPECT_FALSE(IsRectEmpty(Grid->CellRect(1, Grid->Row())));
}

TEST_F(MouseTest, TheFirstPixelPastTheRightEdgeTakesTheNextColumn) {
    Grid->SetScrollBars(ssNone);
    Grid->SetBounds(8, 8, 4 + 65 * 4, 300); // columns 1..3 fill the client width exactly
    ASSERT_EQ(260, Grid->ClientWidth());
    const TPoint a = CellCenter(1, 1);
    Press(a.X, a.Y);
    Drag(Grid->ClientWidth() - 1, a.Y); // column 3's line
    EXPECT_EQ(3, Grid->Col());
    EXPECT_EQ(1, Grid->LeftCol());
    Drag(Grid->ClientWidth(), a.Y);
    EXPECT_EQ(4, Grid->Col());
    Release(Grid->ClientWidth(), a.Y);
    EXPECT_EQ(2, Grid->LeftCol());
    EXPECT_EQ((TGridRect{1, 1, 4, 1}), Grid->Selection());
}

TEST_F(MouseTest, TheMouseRestingPastAnEdgeKeepsScrollingUntilReleased) {
    const TPoint a = CellCenter(1, 1);
    Press(a.X, a.Y);
    Drag(a.X, Grid->ClientHeight() + 10);
    const int top = Grid->TopRow();
    // No more mouse moves: the timer goes on a cell at a time.
    EXPECT_TRUE(ProcessUntil([&] { return Grid->TopRow() >= top + 3; }));
    EXPECT_EQ(1, Grid->Selection().Top);
    EXPECT_EQ(Grid->Row(), Grid->Selection().Bottom);
    EXPECT_FALSE(IsRectEmpty(Grid->CellRect(1, Grid->Row())));
    // Back inside the timer stops; out again it starts again.
    const TPoint in = CellCenter(1, Grid->TopRow() + 1);
    Drag(in.X, in.Y);
    EXPECT_FALSE(KillTimer(Grid, GridScrollTimer));
    Drag(a.X, -5); // above the top: upwards
    const int high = Grid->TopRow();
    EXPECT_TRUE(ProcessUntil([&] { return Grid->TopRow() <= high - 2; }));
    Release(a.X, -5);
    EXPECT_FALSE(KillTimer(Grid, GridScrollTimer)); // the release stopped it
    const int at = Grid->TopRow();
    Grid->Perform(WM_TIMER, GridScrollTimer); // a tick still queued does nothing
    EXPECT_EQ(at, Grid->TopRow());
}

TEST_F(MouseTest, DraggingAColumnBorderInTheFixedRowSizesTheColumn) {
    const int changes = Grid->ColWidthChanges;
    const TRect header = Grid->CellRect(2, 0);
    Press(header.Right, header.Top + 5); // not sizable without the option
    Release(header.Right, header.Top + 5);
    EXPECT_EQ(64, Grid->ColWidths(2));
    Grid->SetOptions(Grid->Options() + goColSizing);
    Press(header.Right + 1, header.Top + 5);
    EXPECT_EQ(gsColSizing, Grid->GridState());
    Drag(header.Right + 20, header.Top + 5);
    Drag(header.Right + 31, header.Top + 5);
    Release(header.Right + 31, header.Top + 5);
    EXPECT_EQ(gsNormal, Grid->GridState());
    EXPECT_EQ(94, Grid->ColWidths(2)); // the border followed the mouse by 30 pixels
    EXPECT_EQ(Grid->CellRect(2, 0).Right + 1, Grid->CellRect(3, 0).Left);
    EXPECT_GT(Grid->ColWidthChanges, changes);
    // A border inside the normal cells does not size.
    const TRect body = Grid->CellRect(3, 3);
    Press(body.Right, body.Top + 5);
    EXPECT_EQ(gsSelecting, Grid->GridState());
    Release(body.Right, body.Top + 5);
}

TEST_F(MouseTest, DraggingARowBorderInTheFixedColumnSizesTheRow) {
    Grid->SetOptions(Grid->Options() + goRowSizing);
    const TRect side = Grid->CellRect(0, 3);
    Press(side.Left + 5, side.Bottom);
    EXPECT_EQ(gsRowSizing, Grid->GridState());
    Drag(side.Left + 5, side.Bottom - 10);
    Release(side.Left + 5, side.Bottom - 10);
    EXPECT_EQ(14, Grid->RowHeights(3));
}

TEST_F(MouseTest, CalcSizingStateSaysWhatAPressWouldDo) {
    Grid->SetOptions(Grid->Options() + TGridOptions{goColSizing, goRowSizing});
    TGridState state = gsNormal;
    int index = -1, pos = 0, ofs = 0;
    const TRect h = Grid->CellRect(1, 0);
    Grid->CalcSizingState(h.Right - 2, 10, state, index, pos, ofs);
    EXPECT_EQ(gsColSizing, state);
    EXPECT_EQ(1, index);
    EXPECT_EQ(h.Right, pos);
    EXPECT_EQ(2, ofs);
    Grid->CalcSizingState(h.Left + 20, 10, state, index, pos, ofs);
    EXPECT_EQ(gsNormal, state);
    Grid->CalcSizingState(h.Right + 2, 10, state, index, pos, ofs);
    EXPECT_EQ(gsColSizing, state);
    EXPECT_EQ(-2, ofs);
    Grid->CalcSizingState(h.Right + 3, 10, state, index, pos, ofs);
    EXPECT_EQ(gsNormal, state);
    Grid->CalcSizingState(h.Right - 3, 10, state, index, pos, ofs);
    EXPECT_EQ(gsNormal, state);
    // Columns are sized in the fixed rows only, their line included.
    Grid->CalcSizingState(h.Right, h.Bottom, state, index, pos, ofs);
    EXPECT_EQ(gsColSizing, state);
    Grid->CalcSizingState(h.Right, h.Bottom + 1, state, index, pos, ofs);
    EXPECT_EQ(gsNormal, state);
    const TRect v = Grid->CellRect(0, 2);
    Grid->CalcSizingState(v.Right, v.Bottom, state, index, pos, ofs);
    EXPECT_EQ(gsRowSizing, state);
    EXPECT_EQ(2, index);
    Grid->CalcSizingState(v.Right + 1, v.Bottom, state, index, pos, ofs);
    EXPECT_EQ(gsNormal, state);
}

TEST_F(MouseTest, DraggingAFixedCellMovesTheColumnWithItsCellsAndWidth) {
    for (int c = 0; c < 8; ++c)
        Grid->SetCells(c, 1, "c" + std::to_string(c));
    Grid->SetColWidths(1, 40);
    std::vector<std::pair<int, int>> moved;
    Grid->OnColumnMoved = [&](TObject*, int From, int To) { moved.emplace_back(From, To); };
    Grid->SetOptions(Grid->Options() + goColMoving);
    const TPoint from = CellCenter(1, 0), to = CellCenter(3, 0);
    Press(from.X, from.Y);
    EXPECT_EQ(gsColMoving, Grid->GridState());
    Drag((from.X + to.X) / 2, from.Y);
    Drag(to.X, to.Y);
    Release(to.X, to.Y);
    ASSERT_EQ(1u, moved.size());
    EXPECT_EQ(std::make_pair(1, 3), moved[0]);
    EXPECT_EQ("c2", Grid->Cells(1, 1));
    EXPECT_EQ("c3", Grid->Cells(2, 1));
    EXPECT_EQ("c1", Grid->Cells(3, 1));
    EXPECT_EQ(40, Grid->ColWidths(3));
    EXPECT_EQ(64, Grid->ColWidths(1));
}

TEST_F(MouseTest, AColumnDroppedOnTheFixedColumnLandsFirst) {
    for (int c = 0; c < 8; ++c)
        Grid->SetCells(c, 1, "c" + std::to_string(c));
    Grid->SetOptions(Grid->Options() + goColMoving);
    const TPoint from = CellCenter(3, 0), to = CellCenter(0, 0);
    Press(from.X, from.Y);
    Drag(to.X, to.Y);
    Release(to.X, to.Y);
    EXPECT_EQ("c0", Grid->Cells(0, 1)); // the fixed column stays
    EXPECT_EQ("c3", Grid->Cells(1, 1));
    EXPECT_EQ("c1", Grid->Cells(2, 1));
}

TEST_F(MouseTest, DraggingAFixedCellMovesTheRow) {
    Grid->SetCells(1, 2, "two");
    Grid->SetCells(1, 5, "five");
    Grid->SetOptions(Grid->Options() + goRowMoving);
    Grid->SetRow(2);
    const TPoint from = CellCenter(0, 2), to = CellCenter(0, 5);
    Press(from.X, from.Y);
    Drag(to.X, to.Y);
    Release(to.X, to.Y);
    EXPECT_EQ("two", Grid->Cells(1, 5));
    EXPECT_EQ("five", Grid->Cells(1, 4));
    EXPECT_EQ(5, Grid->Row()); // the current row went with its row
}

TEST_F(MouseTest, WheelMovesTheCurrentRow) {
    const TPoint p = CellCenter(2, 2);
    SendWheel(Grid, p.X, p.Y, -120);
    EXPECT_EQ(2, Grid->Row());
    SendWheel(Grid, p.X, p.Y, -240);
    EXPECT_EQ(4, Grid->Row());
    SendWheel(Grid, p.X, p.Y, 120);
    EXPECT_EQ(3, Grid->Row());
    bool handled = true;
    Grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        Handled = handled;
    };
    SendWheel(Grid, p.X, p.Y, -120);
    EXPECT_EQ(3, Grid->Row()); // the event took the turn
}

TEST_F(MouseTest, DoubleClickFiresOnDblClickAndRightClickSelectsNothing) {
    int doubles = 0;
    Grid->OnDblClick = [&](TObject*) { ++doubles; };
    const TPoint p = CellCenter(2, 3);
    const int b = Grid->BorderOffset();
    SendMouse(Grid, QEvent::MouseButtonPress, p.X + b, p.Y + b, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, p.X + b, p.Y + b, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonDblClick, p.X + b, p.Y + b, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, p.X + b, p.Y + b, Qt::LeftButton);
    EXPECT_EQ(1, doubles);
    EXPECT_EQ(2, Grid->Col());
    const TPoint q = CellCenter(4, 5);
    SendMouse(Grid, QEvent::MouseButtonPress, q.X + b, q.Y + b, Qt::RightButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, q.X + b, q.Y + b, Qt::RightButton);
    EXPECT_EQ(2, Grid->Col());
    EXPECT_EQ(3, Grid->Row());
}

namespace {

// A grid that looks at the mouse messages in its own WndProc, before the
// grid's handling.
class TWndProcGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    std::vector<TPoint> Presses, Downs;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_LBUTTONDOWN)
            Presses.push_back({SignedLo(Message.LParam), SignedHi(Message.LParam)});
        TStringGrid::WndProc(Message);
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        Downs.push_back({X, Y});
        TStringGrid::MouseDown(Button, Shift, X, Y);
    }
};

} // namespace

TEST_F(MouseTest, ADescendantsWndProcSeesClientPoints) {
    auto* grid = new TWndProcGrid(Form.get());
    grid->SetParent(Form.get());
    grid->SetBounds(8, 8, 300, 200);
    ASSERT_EQ(2, grid->BorderOffset());
    const TRect cell = grid->CellRect(2, 2);
    const int x = cell.Left + 1, y = cell.Top + 1; // client point
    SendMouse(grid, QEvent::MouseButtonPress, x + 2, y + 2, Qt::LeftButton);
    SendMouse(grid, QEvent::MouseButtonRelease, x + 2, y + 2, Qt::LeftButton);
    ASSERT_EQ(1u, grid->Presses.size());
    EXPECT_EQ(TPoint({x, y}), grid->Presses[0]);
    ASSERT_EQ(1u, grid->Downs.size());
    EXPECT_EQ(TPoint({x, y}), grid->Downs[0]);
    int c = -1, r = -1;
    grid->MouseToCell(grid->Presses[0].X, grid->Presses[0].Y, c, r);
    EXPECT_EQ(2, c);
    EXPECT_EQ(2, r);
    EXPECT_EQ(2, grid->Col());
}

namespace {

// A grid that cancels a column sizing released right of its client area by
// putting the state back to normal before the grid's release.
class TCancelSizingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        if (FGridState == gsColSizing && X >= ClientWidth()) FGridState = gsNormal;
        TStringGrid::MouseUp(Button, Shift, X, Y);
    }
};

} // namespace

TEST_F(MouseTest, AStateSetBackToNormalBeforeTheReleaseCancelsTheSizing) {
    auto* grid = new TCancelSizingGrid(Form.get());
    grid->SetParent(Form.get());
    grid->SetBounds(8, 8, 600, 200);
    grid->SetColCount(3);
    grid->SetOptions(grid->Options() + goColSizing);
    const TRect header = grid->CellRect(2, 0);
    const int b = grid->BorderOffset(), y = header.Top + 5 + b;
    auto drag = [&](int To) {
        SendMouse(grid, QEvent::MouseButtonPress, header.Right + 1 + b, y, Qt::LeftButton);
        EXPECT_EQ(gsColSizing, grid->GridState());
        SendMouse(grid, QEvent::MouseMove, To + b, y, Qt::LeftButton);
        SendMouse(grid, QEvent::MouseButtonRelease, To + b, y, Qt::LeftButton);
        EXPECT_EQ(gsNormal, grid->GridState());
    };
    drag(grid->ClientWidth() + 40); // outside: cancelled
    EXPECT_EQ(64, grid->ColWidths(2));
    drag(header.Right + 11); // inside: sized
    EXPECT_EQ(74, grid->ColWidths(2));
}
