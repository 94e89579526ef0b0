// Scrolling by whole cells: scroll messages, the 0..127 thumb scale and the
// real scroll bars.
#include "gridtestenv.h"

#include <QScrollBar>

#include "platform/vcl/scrollbars.h"

namespace {

struct ScrollTest : GridFixture {
    void SetUp() override {
        GridFixture::SetUp();
        Grid->SetScrollBars(ssNone);
    }
    void Scroll(UINT Msg, WORD Code, int Pos = 0) {
        Grid->Perform(Msg, static_cast<WPARAM>(Code) | (static_cast<WPARAM>(Pos) << 16));
    }
};

} // namespace

TEST_F(ScrollTest, ThumbRunsOverOneHundredTwentySevenWhateverTheCount) {
    // 20 columns, 8 in view beside one fixed column.
    Grid->SetColCount(20);
    Grid->SetBounds(8, 8, 4 + 65 * 9 - 1, 200);
    ASSERT_EQ(8, Grid->VisibleColCount());
    EXPECT_EQ(12, Grid->MaxLeftCol());
    EXPECT_EQ(0, Grid->HorzScrollPos());
    Scroll(WM_HSCROLL, SB_THUMBPOSITION, 127);
    // thumb x (ColCount - visible - FixedCols) / 127 + FixedCols
    EXPECT_EQ(127 * (20 - 8 - 1) / 127 + 1, Grid->LeftCol());
    EXPECT_EQ(127, Grid->HorzScrollPos());
    Scroll(WM_HSCROLL, SB_THUMBPOSITION, 64);
    EXPECT_EQ(64 * 11 / 127 + 1, Grid->LeftCol());
    EXPECT_EQ(((Grid->LeftCol() - 1) * 127 + 5) / 11, Grid->HorzScrollPos()); // rounded
}

TEST_F(ScrollTest, LargeGridsScaleTheThumb) {
    Grid->SetRowCount(100000);
    const int maxTop = Grid->MaxTopRow();
    EXPECT_EQ(100000 - Grid->VisibleRowCount(), maxTop);
    Scroll(WM_VSCROLL, SB_THUMBPOSITION, 1);
    EXPECT_EQ((maxTop - 1) / 127 + 1, Grid->TopRow());
    EXPECT_EQ(1, Grid->VertScrollPos());
    for (int thumb : {2, 17, 64, 100, 126}) {
        Scroll(WM_VSCROLL, SB_THUMBPOSITION, thumb);
        EXPECT_EQ(thumb, Grid->VertScrollPos()); // the thumb stays where it was put
    }
    Scroll(WM_VSCROLL, SB_THUMBPOSITION, 127);
    EXPECT_EQ(maxTop, Grid->TopRow());
}

TEST_F(ScrollTest, LinesAndPagesMoveWholeCellsAndStopAtTheEnds) {
    Grid->SetRowCount(60);
    const int page = Grid->VisibleRowCount();
    Scroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(2, Grid->TopRow());
    Scroll(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(2 + page, Grid->TopRow());
    Scroll(WM_VSCROLL, SB_PAGEUP);
    Scroll(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(1, Grid->TopRow());
    for (int i = 0; i < 100; ++i)
        Scroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(Grid->MaxTopRow(), Grid->TopRow());
    EXPECT_EQ(1, Grid->Row()); // scrolling leaves the current cell where it is
}

TEST_F(ScrollTest, ThumbTrackingOnlyWithTheOption) {
    Grid->SetRowCount(60);
    Scroll(WM_VSCROLL, SB_THUMBTRACK, 127);
    EXPECT_EQ(1, Grid->TopRow());
    Grid->SetOptions(Grid->Options() + goThumbTracking);
    Scroll(WM_VSCROLL, SB_THUMBTRACK, 127);
    EXPECT_EQ(Grid->MaxTopRow(), Grid->TopRow());
    EXPECT_GE(Grid->TopLeftChanges, 1);
}

TEST_F(ScrollTest, TheRealScrollBarScrollsTheGrid) {
    Grid->SetScrollBars(ssBoth);
    Grid->SetRowCount(60);
    QScrollBar* vert = nullptr;
    for (QScrollBar* bar : Grid->Widget()->findChildren<QScrollBar*>())
        if (bar->orientation() == Qt::Vertical) vert = bar;
    ASSERT_NE(nullptr, vert);
    EXPECT_FALSE(vert->isHidden());
    vert->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(2, Grid->TopRow());
    // Dragging the thumb to the end and letting go.
    vert->setSliderDown(true);
    vert->setSliderPosition(127);
    EXPECT_EQ(2, Grid->TopRow()); // no thumb tracking
    vert->setSliderDown(false);
    EXPECT_EQ(Grid->MaxTopRow(), Grid->TopRow());
    EXPECT_EQ(127, vert->value());
    TScrollInfo info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(Grid, SB_VERT, info));
    EXPECT_EQ(0, info.nMin);
    EXPECT_EQ(127, info.nMax);
    EXPECT_EQ(127, info.nPos);
    Grid->SetTopRow(1);
    EXPECT_EQ(0, vert->value());
}

TEST_F(ScrollTest, TopRowAndLeftColStayInsideTheGrid) {
    Grid->SetRowCount(30);
    Grid->SetTopRow(0);
    EXPECT_EQ(1, Grid->TopRow());
    Grid->SetTopRow(500);
    EXPECT_EQ(Grid->MaxTopRow(), Grid->TopRow()); // never past the last full page
    const int changes = Grid->TopLeftChanges;
    Grid->SetTopRow(Grid->MaxTopRow() + 1); // from the last page: nothing moves
    EXPECT_EQ(Grid->MaxTopRow(), Grid->TopRow());
    EXPECT_EQ(changes, Grid->TopLeftChanges);
    Grid->SetLeftCol(-3);
    EXPECT_EQ(1, Grid->LeftCol());
}

TEST_F(ScrollTest, DraggingTheThumbScrollsAlongWithThumbTracking) {
    Grid->SetScrollBars(ssBoth);
    Grid->SetRowCount(1000);
    Grid->SetOptions(Grid->Options() + goThumbTracking);
    QScrollBar* vert = nullptr;
    for (QScrollBar* bar : Grid->Widget()->findChildren<QScrollBar*>())
        if (bar->orientation() == Qt::Vertical) vert = bar;
    ASSERT_NE(nullptr, vert);
    vert->setSliderDown(true);
    vert->setSliderPosition(64);
    const int expected = 64 * (Grid->MaxTopRow() - 1) / 127 + 1;
    EXPECT_EQ(expected, Grid->TopRow());
    vert->setSliderDown(false);
    EXPECT_EQ(expected, Grid->TopRow());
    EXPECT_EQ(64, vert->value());
}

TEST_F(ScrollTest, ATopRowMovedByTheCountsIsReportedOnce) {
    // Rows taller than the window: every row can be the top row.
    Grid->SetRowCount(40);
    Grid->SetDefaultRowHeight(400);
    Grid->SetTopRow(30);
    ASSERT_EQ(30, Grid->TopRow());
    int changes = Grid->TopLeftChanges;
    Grid->SetRowCount(10); // the top row has to come back to the last row
    EXPECT_EQ(9, Grid->TopRow());
    EXPECT_EQ(changes + 1, Grid->TopLeftChanges);
    // Shorter rows: the scroll bars pull it back further, still one report.
    Grid->SetDefaultRowHeight(24);
    Grid->SetRowCount(60);
    Grid->SetTopRow(50);
    changes = Grid->TopLeftChanges;
    Grid->SetRowCount(20);
    EXPECT_EQ(Grid->MaxTopRow(), Grid->TopRow());
    EXPECT_EQ(changes + 1, Grid->TopLeftChanges);
    // A new fixed count starts the view at the first non-fixed row.
    Grid->SetTopRow(5);
    changes = Grid->TopLeftChanges;
    Grid->SetFixedRows(2);
    EXPECT_EQ(2, Grid->TopRow());
    EXPECT_EQ(changes + 1, Grid->TopLeftChanges);
}
