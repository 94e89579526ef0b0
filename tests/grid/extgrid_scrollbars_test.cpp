// The grid's scroll bars dragged through their real Qt scroll bars: the hint
// beside the thumb, the view following the thumb at once, and thumbs sized
// in proportion to what the grid shows.
#include <QScrollBar>
#include <QWidget>

#include "gridfixture.h"
#include "platform/vcl/scrollbars.h"
#include "platform/vcl/winapi.h"
#include "vcltestenv.h"

namespace {

class ScrollBarsTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid->SetBounds(0, 0, 400, 300);
        Fill(4, 200);
        ShowActive(Form.get());
    }
    QScrollBar* Bar(Qt::Orientation O) const {
        for (QScrollBar* b : Grid->Widget()->findChildren<QScrollBar*>())
            if (b->orientation() == O) return b;
        return nullptr;
    }
    // The thumb taken by the mouse and moved to Pos.
    void Drag(QScrollBar* B, int Pos) {
        B->setSliderDown(true);
        B->setSliderPosition(Pos);
    }
    void Release(QScrollBar* B) { B->setSliderDown(false); }
};

} // namespace

TEST_F(ScrollBarsTest, DraggingTheThumbShowsTheRowUnderItUntilTheScrollEnds) {
    QScrollBar* bar = Bar(Qt::Vertical);
    ASSERT_NE(nullptr, bar);
    ASSERT_TRUE(Grid->VertScrollBarShown());
    Drag(bar, 64);
    EXPECT_EQ(nullptr, Grid->ScrollHintWindow()) << "no hints unless asked for";
    Release(bar);

    Grid->ScrollHints = shVertical;
    Drag(bar, 127);
    THTMLHintWindow* hint = Grid->ScrollHintWindow();
    ASSERT_NE(nullptr, hint);
    EXPECT_TRUE(hint->Visible());
    const int last = 200 - Grid->VisibleRowCount();
    EXPECT_EQ("Row : " + std::to_string(last), hint->Caption());
    TPoint mouse{0, 0};
    GetCursorPos(mouse);
    EXPECT_EQ(mouse.X + 10, hint->Left());
    Release(bar);
    EXPECT_FALSE(hint->Visible()) << "the end of the scroll hides it";
    EXPECT_EQ(Grid->MaxTopRow(), Grid->TopRow()) << "the release moved the view";
}

TEST_F(ScrollBarsTest, WithScrollSynchTheViewFollowsTheThumbWhileDragged) {
    QScrollBar* bar = Bar(Qt::Vertical);
    ASSERT_NE(nullptr, bar);
    Drag(bar, 64);
    EXPECT_EQ(1, Grid->TopRow()) << "without ScrollSynch only the release scrolls";
    Release(bar);
    Grid->SetTopRow(1);
    Grid->ScrollSynch = true;
    Drag(bar, 64);
    const int expected = 64 * (200 - Grid->VisibleRowCount() - 1) / 127 + 1;
    EXPECT_EQ(expected, Grid->TopRow());
    Release(bar);
}

TEST_F(ScrollBarsTest, ProportionalThumbsRunInPixelsAndScrollTheSameCells) {
    Grid->SetScrollProportional(true);
    TScrollInfo info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(Grid, SB_VERT, info));
    const int step = Grid->DefaultRowHeight() + Grid->GridLineWidth();
    EXPECT_EQ(199 * step - 1, info.nMax);
    const int fixed = Grid->RowHeights(0) + Grid->GridLineWidth();
    EXPECT_EQ(static_cast<unsigned>(Grid->ClientHeight() - fixed), info.nPage);
    EXPECT_EQ(0, info.nPos);
    QScrollBar* bar = Bar(Qt::Vertical);
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(static_cast<int>(info.nPage), bar->pageStep()) << "the thumb shows the page";

    // Halfway in pixels is halfway in rows.
    const int maxPos = info.nMax - static_cast<int>(info.nPage) + 1;
    Drag(bar, maxPos / 2);
    Release(bar);
    const int half = 1 + (Grid->MaxTopRow() - 1) / 2;
    EXPECT_NEAR(half, Grid->TopRow(), 1);
    ASSERT_TRUE(GetScrollInfo(Grid, SB_VERT, info));
    EXPECT_EQ((Grid->TopRow() - 1) * step, info.nPos) << "the thumb sits on the first shown row";

    Grid->SetTopRow(Grid->MaxTopRow());
    Grid->Perform(WM_PAINT);
    ASSERT_TRUE(GetScrollInfo(Grid, SB_VERT, info));
    EXPECT_EQ(maxPos, info.nPos) << "the last page puts the thumb at the end";

    Grid->SetScrollProportional(false);
    ASSERT_TRUE(GetScrollInfo(Grid, SB_VERT, info));
    EXPECT_EQ(127, info.nMax);
    EXPECT_EQ(0u, info.nPage);
}
