#include "controls/numeric/spinlayout.h"

#include <gtest/gtest.h>

TEST(SpinButtonLayout, NeverNarrowerThanFifteen) {
    const TSpinButtonLayout l = SpinButtonLayout(10, 24);
    EXPECT_EQ(l.Width, 15);
    EXPECT_EQ(l.Up, Bounds(0, 0, 15, 12));
    EXPECT_EQ(l.Down, Bounds(0, 12, 15, 12));
}

TEST(SpinButtonLayout, OddHeightGivesTheDownButtonTheExtraPixel) {
    const TSpinButtonLayout l = SpinButtonLayout(18, 43);
    EXPECT_EQ(l.Up.Height(), 21);
    EXPECT_EQ(l.Down.Height(), 22);
    EXPECT_EQ(l.Down.Top, 21);
    EXPECT_EQ(l.Width, 18);
}

TEST(NumSpinLayout, MinimumHeight) {
    // Font 13 px high, screen font 16: 13 + 13 div 4 + 4 + 2.
    EXPECT_EQ(NumSpinMinHeight(13, 16, 1), 22);
    // The smaller of the two heights counts.
    EXPECT_EQ(NumSpinMinHeight(20, 12, 1), 29);
}

TEST(NumSpinLayout, ButtonPlacement) {
    EXPECT_EQ(NumSpinButtonBounds(65, 21, 16, true), Bounds(45, 0, 15, 17));
    EXPECT_EQ(NumSpinButtonBounds(65, 21, 16, false), Bounds(50, 1, 15, 18));
}

TEST(NumSpinLayout, RepeatedPlacementSettlesAtTheMinimumWidth) {
    int w = 16;
    for (int i = 0; i < 5; ++i)
        w = SpinButtonLayout(NumSpinButtonBounds(65, 21, w, true).Width(), 17).Width;
    EXPECT_EQ(w, SpinMinWidth);
}

TEST(NumSpinLayout, EditRectLeavesRoomForTheButton) {
    EXPECT_EQ(NumSpinEditRect(61, 17, 15), Rect(0, 0, 44, 18));
}

TEST(NumSpinArrows, FollowStateEnabledAndLimits) {
    EXPECT_EQ(NumSpinArrows(esNormal, true, false, false), (TSpinArrows{true, true}));
    EXPECT_EQ(NumSpinArrows(esNormal, true, true, false), (TSpinArrows{false, true}));
    EXPECT_EQ(NumSpinArrows(esNormal, true, false, true), (TSpinArrows{true, false}));
    EXPECT_EQ(NumSpinArrows(esNormal, false, false, false), (TSpinArrows{false, false}));
    EXPECT_EQ(NumSpinArrows(esEditing, true, false, false), (TSpinArrows{false, false}));
    EXPECT_EQ(NumSpinArrows(esError, true, false, false), (TSpinArrows{false, false}));
}
