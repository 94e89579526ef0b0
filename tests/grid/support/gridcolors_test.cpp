#include <gtest/gtest.h>

#include "grid/support/gridcolors.h"

TEST(GridColors, DarkenHalvesEveryChannel) {
    EXPECT_EQ(DarkenRGB(0xFFFFFF), 0x7F7F7F);
    EXPECT_EQ(DarkenRGB(RGB(200, 101, 3)), RGB(100, 50, 1));
    EXPECT_EQ(DarkenRGB(0), 0);
}

TEST(GridColors, GradientBandsCoverTheRectangle) {
    const TRect r{10, 0, 74, 20};
    const auto bands = GradientBands(RGB(0, 0, 0), RGB(64, 128, 255), true, r, 64);
    ASSERT_EQ(bands.size(), 64u);
    EXPECT_EQ(bands[0].Color, RGB(0, 0, 0));
    EXPECT_EQ(bands[1].Color, RGB(1, 2, 4));
    EXPECT_EQ(bands[63].Color, RGB(63, 126, 251));
    EXPECT_EQ(bands[0].Rect, (TRect{10, 0, 12, 20}));
    EXPECT_EQ(bands[63].Rect.Left, 73);
    for (size_t i = 1; i < bands.size(); ++i)
        EXPECT_LE(bands[i].Rect.Left, bands[i - 1].Rect.Right);
    const auto vertical = GradientBands(0xFFFFFF, 0, false, {0, 0, 10, 100}, 0);
    ASSERT_EQ(vertical.size(), 1u); // no steps counts as one
    EXPECT_EQ(vertical[0].Rect, (TRect{0, 0, 10, 101}));
    EXPECT_EQ(vertical[0].Color, 0xFFFFFF);
}

TEST(GridColors, Underlines) {
    const auto z = ErrorUnderlinePoints(0, 9, 20);
    ASSERT_EQ(z.size(), 4u);
    EXPECT_EQ(z[1], (TPoint{3, 22}));
    EXPECT_EQ(z[2], (TPoint{6, 20}));
    const auto w = WavyUnderlinePoints(5, 11, 30);
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(w[0], (TPoint{4, 31})); // 4 is a multiple of 4: starts low
    EXPECT_EQ(w[1], (TPoint{6, 29}));
    const auto w2 = WavyUnderlinePoints(6, 8, 30);
    EXPECT_EQ(w2[0], (TPoint{6, 29}));
}
