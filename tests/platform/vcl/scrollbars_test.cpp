// Scroll bars report clicks and drags as WM_VSCROLL / WM_HSCROLL and move only
// when the control says so; shown bars take their room from the client area.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWidget>

#include "platform/vcl/scrollbars.h"
#include "vcltestenv.h"

namespace {

QScrollBar* VerticalBar(TControl* Control) {
    for (QScrollBar* bar : Control->Widget()->findChildren<QScrollBar*>())
        if (bar->orientation() == Qt::Vertical) return bar;
    return nullptr;
}

} // namespace

TEST(ScrollBars, RangePageAndPositionFollowThePlatformsRules) {
    auto form = MakeForm();
    auto* c = AddRecorder(form.get(), 0, 0, 200, 100);
    TScrollInfo info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 100;
    info.nPage = 10;
    info.nPos = 5;
    EXPECT_EQ(5, SetScrollInfo(c, SB_VERT, info, true));
    EXPECT_EQ(5, SetScrollPos(c, SB_VERT, 200, true));
    EXPECT_EQ(91, GetScrollPos(c, SB_VERT)); // nMax - (nPage - 1)
    TScrollInfo back;
    back.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(c, SB_VERT, back));
    EXPECT_EQ(100, back.nMax);
    EXPECT_EQ(10u, back.nPage);
    int lo = -1, hi = -1;
    EXPECT_TRUE(GetScrollRange(c, SB_VERT, lo, hi));
    EXPECT_EQ(0, lo);
    EXPECT_EQ(100, hi);
}

TEST(ScrollBars, ShownBarsShrinkTheClientArea) {
    auto form = MakeForm();
    auto* c = AddRecorder(form.get(), 0, 0, 200, 100);
    c->Log.clear();
    EXPECT_TRUE(ShowScrollBar(c, SB_VERT, true));
    EXPECT_EQ(200 - GetSystemMetrics(SM_CXVSCROLL), c->ClientWidth());
    EXPECT_EQ(100, c->ClientHeight());
    EXPECT_EQ(1u, c->Only(WM_SIZE).size());
    ShowScrollBar(c, SB_BOTH, true);
    EXPECT_EQ(100 - GetSystemMetrics(SM_CYHSCROLL), c->ClientHeight());
    ShowScrollBar(c, SB_BOTH, false);
    EXPECT_EQ(Rect(0, 0, 200, 100), c->ClientRect());
    EXPECT_FALSE(ShowScrollBar(nullptr, SB_VERT, true));
}

TEST(ScrollBars, ClicksAndDragsArriveAsMessages) {
    auto form = MakeForm();
    auto* c = AddRecorder(form.get(), 0, 0, 200, 100);
    SetScrollRange(c, SB_VERT, 0, 100, false);
    ShowScrollBar(c, SB_VERT, true);
    QScrollBar* bar = VerticalBar(c);
    ASSERT_NE(nullptr, bar);
    c->Log.clear();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    auto scrolls = c->Only(WM_VSCROLL);
    ASSERT_EQ(2u, scrolls.size());
    EXPECT_EQ(SB_LINEDOWN, scrolls[0].WParamLo());
    EXPECT_EQ(SB_PAGEUP, scrolls[1].WParamLo());
    EXPECT_EQ(0, GetScrollPos(c, SB_VERT)); // the control moves the thumb, not the bar
    EXPECT_EQ(0, bar->value());
    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    bar->setSliderDown(false);
    scrolls = c->Only(WM_VSCROLL);
    ASSERT_EQ(5u, scrolls.size());
    EXPECT_EQ(SB_THUMBTRACK, scrolls[2].WParamLo());
    EXPECT_EQ(40, scrolls[2].WParamHi());
    EXPECT_EQ(SB_THUMBPOSITION, scrolls[3].WParamLo());
    EXPECT_EQ(40, scrolls[3].WParamHi());
    EXPECT_EQ(SB_ENDSCROLL, scrolls[4].WParamLo());
    SetScrollPos(c, SB_VERT, 40, true);
    EXPECT_EQ(40, bar->value());
}

TEST(SystemMetrics, ClassicValues) {
    EXPECT_EQ(1, GetSystemMetrics(SM_CYBORDER));
    EXPECT_EQ(2, GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(Screen->Width(), GetSystemMetrics(SM_CXSCREEN));
}
