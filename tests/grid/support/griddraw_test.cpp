#include <gtest/gtest.h>

#include <algorithm>

#include "gfxtestenv.h"
#include "grid/support/griddraw.h"

TEST(GridDraw, DarkenResolvesSystemColours) {
    EXPECT_EQ(DarkenColor(clWhite), 0x7F7F7F);
    EXPECT_EQ(DarkenColor(clBtnFace), DarkenRGB(ColorToRGB(clBtnFace)));
    EXPECT_NE(DarkenColor(clBtnFace), DarkenRGB(clBtnFace));
}

TEST(GridDraw, GradientRunsFromColourToColour) {
    auto b = WhiteBitmap(64, 10);
    DrawGradient(*b->Canvas(), clBlack, RGB(0, 0, 252), true, {0, 0, 64, 10}, 64);
    EXPECT_EQ(b->Pixel(0, 5), clBlack);
    EXPECT_EQ(GetBValue(b->Pixel(63, 5)), 63 * 252 / 64);
    EXPECT_LT(GetBValue(b->Pixel(20, 5)), GetBValue(b->Pixel(40, 5)));
    // A system colour is resolved, not read as garbage channels.
    DrawGradient(*b->Canvas(), clWindow, clWindow, false, {0, 0, 64, 10}, 4);
    EXPECT_EQ(b->Pixel(30, 5), ColorToRGB(clWindow));
}

TEST(GridDraw, BitmapOnColourReplacesTheTopLeftColour) {
    TBitmap glyph(4, 4);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect({0, 0, 4, 4});
    glyph.SetPixel(2, 2, clBlack);
    auto b = WhiteBitmap(10, 10);
    DrawBitmapOnColor(*b->Canvas(), {3, 3, 7, 7}, glyph, clYellow);
    EXPECT_EQ(b->Pixel(3, 3), clYellow);
    EXPECT_EQ(b->Pixel(5, 5), clBlack);
    EXPECT_EQ(b->Pixel(0, 0), clWhite);
    EXPECT_EQ(CountColor(*b, {0, 0, 10, 10}, clFuchsia), 0);
}

TEST(GridDraw, ProgressBarSplitsAtThePercentage) {
    auto b = WhiteBitmap(100, 20);
    b->Canvas()->Font()->SetName("DejaVu Sans");
    DrawProgressBar(*b->Canvas(), {0, 0, 100, 20}, 30, clNavy, clWhite, clSilver, clBlack);
    EXPECT_EQ(b->Pixel(10, 2), clNavy);
    EXPECT_EQ(b->Pixel(80, 2), clSilver);
    EXPECT_GT(CountColor(*b, {0, 0, 30, 20}, clNavy), 300);
    SaveArtifact(*b, "gridsupport_progress.png");
    auto pie = WhiteBitmap(41, 41);
    DrawProgressPie(*pie->Canvas(), {0, 0, 41, 41}, 25);
    EXPECT_EQ(pie->Pixel(28, 12), 0x808080); // upper right quarter filled
    EXPECT_EQ(pie->Pixel(12, 28), clWhite);
}

TEST(GridDraw, ErrorUnderlineAndButtons) {
    auto b = WhiteBitmap(120, 30);
    TCanvas& c = *b->Canvas();
    c.Font()->SetName("DejaVu Sans");
    DrawErrorUnderline(c, {0, 0, 120, 30}, "een fuot hier", 4, 4);
    const int x1 = c.TextWidth("een "), x2 = c.TextWidth("een fuot");
    EXPECT_GT(CountColor(*b, {x1 - 1, 0, x2 + 2, 30}, clRed), 4);
    EXPECT_EQ(CountColor(*b, {0, 0, x1 - 2, 30}, clRed), 0);
    // From the end of the text on there is nothing to underline.
    auto none = WhiteBitmap(120, 30);
    none->Canvas()->Font()->SetName("DejaVu Sans");
    DrawErrorUnderline(*none->Canvas(), {0, 0, 120, 30}, "fuot", 4, 2);
    EXPECT_EQ(CountColor(*none, {0, 0, 120, 30}, clRed), 0);
    auto combo = WhiteBitmap(60, 20);
    DrawComboButton(*combo->Canvas(), {0, 0, 60, 20}, false);
    const TRect ink = InkBounds(*combo);
    EXPECT_EQ(ink.Left, 44);
    EXPECT_EQ(ink.Right, 60);
}

TEST(GridDraw, RotatedFontAndStretchedBitmap) {
    auto b = WhiteBitmap(40, 40);
    TCanvas& c = *b->Canvas();
    c.Font()->SetName("DejaVu Sans");
    c.Font()->SetSize(12);
    TFont old;
    SelectRotatedFont(c, 90, old);
    EXPECT_EQ(c.Font()->Orientation(), 900);
    EXPECT_EQ(c.Font()->Size(), 12);
    c.TextOut(10, 35, "Ab");
    const TRect ink = InkBounds(*b);
    EXPECT_GT(ink.Height(), ink.Width()); // the text runs upward
    RestoreFont(c, old);
    EXPECT_EQ(c.Font()->Orientation(), 0);
    TBitmap red(2, 2);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect({0, 0, 2, 2});
    auto target = WhiteBitmap(10, 10);
    StretchBitmapDIB(*target->Canvas(), {0, 0, 8, 6}, red);
    EXPECT_EQ(CountColor(*target, {0, 0, 10, 10}, clRed), 48);
}

namespace {

// The bounds of the pixels of one colour.
TRect ColorBounds(const TBitmap& B, TColor C) {
    TRect r{B.Width(), B.Height(), -1, -1};
    for (int y = 0; y < B.Height(); ++y)
        for (int x = 0; x < B.Width(); ++x)
            if (B.Pixel(x, y) == C) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r;
}

} // namespace

TEST(GridDraw, ProgressBarAwayFromTheOrigin) {
    auto b = WhiteBitmap(200, 40);
    b->Canvas()->Font()->SetName("DejaVu Sans");
    const TRect R{50, 10, 150, 30};
    DrawProgressBar(*b->Canvas(), R, 30, clNavy, clWhite, clSilver, clBlack);
    EXPECT_EQ(b->Pixel(52, 12), clNavy);
    EXPECT_EQ(b->Pixel(78, 12), clNavy); // 30 of the 100 pixels
    EXPECT_EQ(b->Pixel(81, 12), clSilver);
    EXPECT_EQ(b->Pixel(147, 27), clSilver);
    EXPECT_EQ(b->Pixel(45, 20), clWhite); // nothing outside
    // The text, all on the rest at 0 %, centred in the bar.
    DrawProgressBar(*b->Canvas(), R, 0, clNavy, clWhite, clSilver, clBlack);
    const TRect text = ColorBounds(*b, clBlack);
    ASSERT_GT(text.Width(), 4);
    EXPECT_NEAR((text.Left + text.Right) / 2.0, 100, 2);
    EXPECT_NEAR((text.Top + text.Bottom) / 2.0, 20, 3);
    SaveArtifact(*b, "gridsupport_progress_offset.png");
}

TEST(GridDraw, ProgressPieAwayFromTheOrigin) {
    auto pie = WhiteBitmap(100, 60);
    DrawProgressPie(*pie->Canvas(), {40, 10, 81, 51}, 25); // centre (60, 30)
    EXPECT_EQ(pie->Pixel(68, 22), 0x808080);               // upper right quarter filled
    EXPECT_EQ(pie->Pixel(52, 38), clWhite);                // lower left stays
    EXPECT_EQ(pie->Pixel(55, 18), clWhite);                // upper left stays
    EXPECT_EQ(pie->Pixel(60, 15), 0x808080);               // the line up from the centre
    EXPECT_EQ(pie->Pixel(30, 30), clWhite);                // nothing outside
}
