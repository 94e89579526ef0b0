// The grid's scroll bars dragged through their real Qt scroll bars: the hint
// beside the thumb, the view following the thumb at once, and thumbs sized
// in proportion to what the grid shows.
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>

#include "gridfixture.h"
#include "platform/vcl/scrollbars.h"
#include "platform/vcl/synthinput.h"
#include "platform/vcl/winapi.h"
#include "vcltestenv.h"
#include "vz_test_support.h"

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

// Flat bars are bars still: their full size, an arrow at each end that steps
// one column, and a thumb as broad as the bar.
TEST_F(ScrollBarsTest, FlatBarsKeepTheirSizeArrowsAndThumb) {
    Fill(30, 200);
    for (const TScrollType look : {ssFlat, ssEncarta}) {
        Grid->SetScrollType(look);
        PumpPending();
        QScrollBar* bar = Bar(Qt::Horizontal);
        ASSERT_NE(nullptr, bar);
        ASSERT_TRUE(Grid->HorzScrollBarShown());
        EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), bar->height());
        const auto click = [bar](int X) {
            const QPointF at(X, bar->height() / 2);
            QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(bar, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(bar, &release);
        };
        Grid->SetLeftCol(2);
        click(bar->width() - 4);
        EXPECT_EQ(3, Grid->LeftCol()) << "the right arrow: one column";
        click(3);
        EXPECT_EQ(2, Grid->LeftCol()) << "the left arrow: one column back";
        click(bar->width() * 3 / 4);
        EXPECT_GT(Grid->LeftCol(), 3) << "the track: a page";

        const QImage image = bar->grab().toImage();
        const QRgb thumb = look == ssEncarta ? qRgb(0x7A, 0x96, 0xDF) : qRgb(0xA8, 0xA8, 0xA8);
        int top = image.height(), bottom = -1, left = image.width(), right = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (thumb & 0xFFFFFF)) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        EXPECT_GE(bottom - top + 1, bar->height() - 2) << look;
        EXPECT_GE(right - left + 1, bar->height() - 2) << look;
    }
    Grid->SetLeftCol(12);
    PumpPending();
    EXPECT_TRUE(Grid->Widget()->grab().save(
        QString::fromStdString(ArtifactsDir() + "/extgrid_scrollbar_encarta.png")));
}
