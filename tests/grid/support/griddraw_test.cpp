#include <gtest/gtest.h>

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
