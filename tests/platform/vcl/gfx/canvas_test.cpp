// The canvas's pixel rules, checked on a bitmap's pixels.

#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>

#include "gfxtestenv.h"
#include "platform/vcl/gfx/graphics.h"

namespace {

class CanvasPixels : public ::testing::Test {
protected:
    std::unique_ptr<TBitmap> B = WhiteBitmap(40, 30);
    TCanvas& C = *B->Canvas();
};

TEST_F(CanvasPixels, RectangleCoversLeftTopButNotRightBottom) {
    C.Pen()->SetColor(clRed);
    C.Brush()->SetColor(clBlue);
    C.Rectangle(5, 4, 15, 12);
    EXPECT_EQ(InkBounds(*B), Rect(5, 4, 15, 12));
    EXPECT_EQ(B->Pixel(5, 4), clRed);
    EXPECT_EQ(B->Pixel(14, 11), clRed);
    EXPECT_EQ(B->Pixel(14, 4), clRed);
    EXPECT_EQ(B->Pixel(5, 11), clRed);
    EXPECT_EQ(B->Pixel(15, 8), clWhite);
    EXPECT_EQ(B->Pixel(8, 12), clWhite);
    // Interior filled with the brush, frame one pixel wide.
    EXPECT_EQ(CountColor(*B, Rect(6, 5, 14, 11), clBlue), 8 * 6);
    EXPECT_EQ(CountColor(*B, Rect(5, 4, 15, 12), clRed), 10 * 8 - 8 * 6);
}

TEST_F(CanvasPixels, RectangleWithClearBrushLeavesInside) {
    C.Brush()->SetStyle(bsClear);
    C.Rectangle(Rect(2, 2, 10, 10));
    EXPECT_EQ(B->Pixel(5, 5), clWhite);
    EXPECT_EQ(CountColor(*B, Rect(2, 2, 10, 10), clBlack), 8 * 8 - 6 * 6);
}

TEST_F(CanvasPixels, RectangleWithoutPenFillsOneLessAtRightAndBottom) {
    C.Pen()->SetStyle(psClear);
    C.Brush()->SetColor(clGreen);
    C.Rectangle(2, 2, 10, 10);
    EXPECT_EQ(InkBounds(*B), Rect(2, 2, 9, 9));
}

TEST_F(CanvasPixels, FillRectAndFrameRectCoverExactlyTheRectangle) {
    C.Brush()->SetColor(clLime);
    C.FillRect(Rect(3, 3, 13, 8));
    EXPECT_EQ(InkBounds(*B), Rect(3, 3, 13, 8));
    EXPECT_EQ(CountColor(*B, Rect(0, 0, 40, 30), clLime), 50);

    auto F = WhiteBitmap(20, 20);
    F->Canvas()->Brush()->SetColor(clMaroon);
    F->Canvas()->FrameRect(Rect(2, 3, 12, 9));
    EXPECT_EQ(InkBounds(*F), Rect(2, 3, 12, 9));
    EXPECT_EQ(F->Pixel(6, 6), clWhite);
    EXPECT_EQ(CountColor(*F, Rect(0, 0, 20, 20), clMaroon), 2 * 10 + 2 * 4);
}

TEST_F(CanvasPixels, FillRectIgnoresPenModeAndClearBrush) {
    C.Pen()->SetMode(pmXor);
    C.Brush()->SetColor(clRed);
    C.FillRect(Rect(0, 0, 4, 4));
    C.FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(B->Pixel(1, 1), clRed);
    C.Brush()->SetStyle(bsClear);
    C.FillRect(Rect(10, 10, 14, 14));
    EXPECT_EQ(B->Pixel(11, 11), clWhite);
}

TEST_F(CanvasPixels, LineToLeavesItsEndPoint) {
    C.MoveTo(2, 5);
    C.LineTo(12, 5);
    EXPECT_EQ(InkBounds(*B), Rect(2, 5, 12, 6));
    EXPECT_EQ(B->Pixel(11, 5), clBlack);
    EXPECT_EQ(B->Pixel(12, 5), clWhite);
    EXPECT_EQ(C.PenPos(), Point(12, 5));

    C.MoveTo(20, 2);
    C.LineTo(20, 10);
    EXPECT_EQ(B->Pixel(20, 9), clBlack);
    EXPECT_EQ(B->Pixel(20, 10), clWhite);

    // Backwards and diagonal lines leave their end point too.
    C.MoveTo(35, 20);
    C.LineTo(25, 20);
    EXPECT_EQ(B->Pixel(26, 20), clBlack);
    EXPECT_EQ(B->Pixel(25, 20), clWhite);
    C.MoveTo(2, 15);
    C.LineTo(8, 21);
    EXPECT_EQ(B->Pixel(2, 15), clBlack);
    EXPECT_EQ(B->Pixel(7, 20), clBlack);
    EXPECT_EQ(B->Pixel(8, 21), clWhite);
}

TEST_F(CanvasPixels, PolylineDrawsEachCornerOnceInXorMode) {
    C.Pen()->SetMode(pmXor);
    C.Pen()->SetColor(clWhite);
    C.Polyline({Point(2, 2), Point(10, 2), Point(10, 10), Point(2, 10), Point(2, 2)});
    // Xor with white turns white into black; a pixel drawn twice would be white again.
    EXPECT_EQ(B->Pixel(10, 2), clBlack);
    EXPECT_EQ(B->Pixel(10, 10), clBlack);
    EXPECT_EQ(B->Pixel(2, 10), clBlack);
    EXPECT_EQ(B->Pixel(2, 2), clBlack);
    EXPECT_EQ(CountColor(*B, Rect(0, 0, 40, 30), clBlack), 32);
}

TEST_F(CanvasPixels, PenModeNotInvertsAndXorTwiceRestores) {
    C.Brush()->SetColor(clNavy);
    C.FillRect(Rect(0, 0, 20, 10));
    C.Pen()->SetMode(pmNot);
    C.MoveTo(0, 5);
    C.LineTo(30, 5);
    EXPECT_EQ(B->Pixel(3, 5), RGB(255, 255, 127));
    EXPECT_EQ(B->Pixel(25, 5), clBlack);

    C.Pen()->SetMode(pmXor);
    C.Pen()->SetColor(clRed);
    C.MoveTo(0, 7);
    C.LineTo(30, 7);
    EXPECT_EQ(B->Pixel(3, 7), RGB(255, 0, 128));
    EXPECT_EQ(B->Pixel(25, 7), RGB(0, 255, 255));
    C.MoveTo(0, 7);
    C.LineTo(30, 7);
    EXPECT_EQ(B->Pixel(3, 7), clNavy);
    EXPECT_EQ(B->Pixel(25, 7), clWhite);

    C.Pen()->SetMode(pmNotXor);
    C.MoveTo(0, 20);
    C.LineTo(10, 20);
    EXPECT_EQ(B->Pixel(3, 20), clRed); // not (red xor white)
}

TEST_F(CanvasPixels, NopPenDrawsNothing) {
    C.Pen()->SetMode(pmNop);
    C.Rectangle(0, 0, 10, 10);
    C.MoveTo(0, 20);
    C.LineTo(30, 20);
    EXPECT_EQ(InkBounds(*B), TRect{});
}

TEST_F(CanvasPixels, EllipseStaysInsideItsBox) {
    C.Brush()->SetColor(clYellow);
    C.Ellipse(4, 4, 24, 18);
    const TRect Ink = InkBounds(*B);
    EXPECT_EQ(Ink, Rect(4, 4, 24, 18));
    EXPECT_EQ(B->Pixel(14, 11), clYellow);
    EXPECT_EQ(B->Pixel(4, 4), clWhite); // corners stay outside the curve
}

TEST_F(CanvasPixels, RoundRectAndPolygonStayInsideTheirBounds) {
    C.Brush()->SetColor(clYellow);
    C.RoundRect(2, 2, 20, 14, 6, 6);
    EXPECT_EQ(InkBounds(*B), Rect(2, 2, 20, 14));
    EXPECT_EQ(B->Pixel(2, 2), clWhite); // rounded corner
    EXPECT_EQ(B->Pixel(10, 8), clYellow);

    auto P = WhiteBitmap(20, 20);
    P->Canvas()->Brush()->SetColor(clRed);
    P->Canvas()->Polygon({Point(2, 2), Point(12, 2), Point(12, 12), Point(2, 12)});
    EXPECT_EQ(InkBounds(*P), Rect(2, 2, 13, 13)); // the outline passes through every vertex
    EXPECT_EQ(P->Pixel(7, 7), clRed);
}

TEST_F(CanvasPixels, DottedPenLeavesGaps) {
    C.Pen()->SetStyle(psDot);
    C.Brush()->SetStyle(bsClear); // transparent gaps
    C.MoveTo(0, 3);
    C.LineTo(30, 3);
    const int Ink = CountColor(*B, Rect(0, 3, 30, 4), clBlack);
    EXPECT_GT(Ink, 8);
    EXPECT_LT(Ink, 22);
    EXPECT_EQ(B->Pixel(0, 3), clBlack);
}

TEST_F(CanvasPixels, WidePenDrawsAThickLine) {
    C.Pen()->SetWidth(3);
    C.MoveTo(5, 10);
    C.LineTo(25, 10);
    EXPECT_EQ(B->Pixel(15, 9), clBlack);
    EXPECT_EQ(B->Pixel(15, 11), clBlack);
    EXPECT_EQ(B->Pixel(15, 13), clWhite);
}

TEST_F(CanvasPixels, PieFillsOnlyItsQuarter) {
    C.Brush()->SetColor(clRed);
    C.Pen()->SetColor(clRed);
    // Counter-clockwise from 3 o'clock to 12 o'clock: the top-right quarter.
    C.Pie(0, 0, 30, 30, 30, 15, 15, 0);
    EXPECT_EQ(B->Pixel(22, 8), clRed);
    EXPECT_EQ(B->Pixel(8, 8), clWhite);
    EXPECT_EQ(B->Pixel(22, 22), clWhite);
    EXPECT_EQ(B->Pixel(8, 22), clWhite);
}

TEST_F(CanvasPixels, ArcDrawsOnlyItsCurveAndChordCloses) {
    C.Brush()->SetColor(clYellow);
    // Upper half, counter-clockwise from 3 o'clock to 9 o'clock.
    C.Arc(0, 0, 20, 20, 20, 10, 0, 10);
    EXPECT_EQ(CountColor(*B, Rect(0, 0, 40, 30), clYellow), 0); // no fill
    EXPECT_GT(CountColor(*B, Rect(0, 0, 20, 8), clBlack), 10);
    EXPECT_EQ(CountColor(*B, Rect(0, 13, 20, 20), clBlack), 0);
    auto Ch = WhiteBitmap(40, 30);
    Ch->Canvas()->Brush()->SetColor(clYellow);
    Ch->Canvas()->Chord(0, 0, 20, 20, 20, 10, 0, 10);
    EXPECT_EQ(Ch->Pixel(10, 5), clYellow);
    EXPECT_EQ(Ch->Pixel(10, 15), clWhite);
}

TEST_F(CanvasPixels, DrawFocusRectTwiceRestores) {
    C.Brush()->SetColor(clTeal);
    C.FillRect(Rect(0, 0, 40, 30));
    C.DrawFocusRect(Rect(2, 2, 12, 8));
    EXPECT_NE(CountColor(*B, Rect(2, 2, 12, 8), clTeal), 10 * 6);
    EXPECT_EQ(B->Pixel(6, 5), clTeal); // the inside is untouched
    C.DrawFocusRect(Rect(2, 2, 12, 8));
    EXPECT_EQ(CountColor(*B, Rect(0, 0, 40, 30), clTeal), 40 * 30);
}

TEST_F(CanvasPixels, HatchedBrushLeavesTheBackgroundBetweenItsLines) {
    C.Brush()->SetColor(clRed);
    C.Brush()->SetStyle(bsHorizontal);
    EXPECT_EQ(C.BkMode(), TRANSPARENT);
    C.FillRect(Rect(0, 0, 16, 16));
    const int Red = CountColor(*B, Rect(0, 0, 16, 16), clRed);
    EXPECT_GT(Red, 16);
    EXPECT_EQ(Red + CountColor(*B, Rect(0, 0, 16, 16), clWhite), 256);
    EXPECT_LT(Red, 128);
    // Whole rows: a horizontal hatch.
    for (int Y = 0; Y < 16; ++Y) {
        const int Row = CountColor(*B, Rect(0, Y, 16, Y + 1), clRed);
        EXPECT_TRUE(Row == 0 || Row == 16) << Y;
    }
}

TEST_F(CanvasPixels, FloodFillStopsAtItsBorder) {
    C.Pen()->SetColor(clGray);
    C.Brush()->SetStyle(bsClear);
    C.Ellipse(2, 2, 22, 22);
    C.MoveTo(12, 2);
    C.LineTo(12, 22);
    C.Brush()->SetColor(clRed);
    C.FloodFill(8, 12, clGray, fsBorder); // the left half of the circle
    EXPECT_EQ(B->Pixel(8, 12), clRed);
    EXPECT_EQ(B->Pixel(16, 12), clWhite);
    EXPECT_EQ(B->Pixel(30, 12), clWhite);
    EXPECT_EQ(B->Pixel(12, 12), clGray);
    const int Red = CountColor(*B, Rect(0, 0, 40, 30), clRed);
    // Same area again by surface: every white pixel joined to (16, 12).
    C.Brush()->SetColor(clBlue);
    C.FloodFill(16, 12, clWhite, fsSurface);
    EXPECT_EQ(B->Pixel(16, 12), clBlue);
    EXPECT_EQ(B->Pixel(30, 12), clWhite);
    EXPECT_NEAR(CountColor(*B, Rect(0, 0, 40, 30), clBlue), Red, Red / 5);
}

TEST(CanvasSymbols, SymbolFontShowsGreekAndBullets) {
    TCanvas C;
    C.Font()->SetName("Symbol");
    const int Bullet = C.TextWidth("\xB7");
    C.Font()->SetName("Tahoma");
    EXPECT_NE(Bullet, C.TextWidth("\xB7")); // a bullet, not the middle dot
    C.Font()->SetCharset(SYMBOL_CHARSET);
    EXPECT_EQ(C.TextWidth("\xB7"), Bullet);
}

TEST_F(CanvasPixels, PixelReadsAndWrites) {
    C.SetPixel(3, 4, clPurple);
    EXPECT_EQ(C.Pixel(3, 4), clPurple);
    EXPECT_EQ(B->Pixel(3, 4), clPurple);
    B->SetPixel(5, 6, clOlive);
    EXPECT_EQ(C.Pixel(5, 6), clOlive);
}

TEST_F(CanvasPixels, SystemColoursDrawTheirFixedValues) {
    C.Brush()->SetColor(clBtnFace);
    C.FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(B->Pixel(1, 1), ColorToRGB(clBtnFace));
}

// --- clipping -------------------------------------------------------------------

TEST_F(CanvasPixels, IntersectClipRectLimitsDrawing) {
    EXPECT_EQ(C.ClipRect(), Rect(0, 0, 40, 30));
    EXPECT_EQ(C.IntersectClipRect(Rect(5, 5, 15, 15)), SIMPLEREGION);
    EXPECT_EQ(C.ClipRect(), Rect(5, 5, 15, 15));
    C.Brush()->SetColor(clRed);
    C.FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(InkBounds(*B), Rect(5, 5, 15, 15));
}

TEST_F(CanvasPixels, ExcludeClipRectLeavesAHole) {
    EXPECT_EQ(C.ExcludeClipRect(Rect(10, 10, 20, 20)), COMPLEXREGION);
    C.Brush()->SetColor(clRed);
    C.FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(CountColor(*B, Rect(10, 10, 20, 20), clWhite), 100);
    EXPECT_EQ(CountColor(*B, Rect(0, 0, 40, 30), clRed), 40 * 30 - 100);
}

TEST_F(CanvasPixels, SaveAndRestoreStateBringsBackTheClip) {
    const int Saved = C.SaveDC();
    C.SelectClipRect(Rect(0, 0, 5, 5));
    C.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(C.RestoreDC(Saved));
    EXPECT_EQ(C.BkMode(), OPAQUE);
    EXPECT_EQ(C.ClipRect(), Rect(0, 0, 40, 30));
    C.Brush()->SetColor(clRed);
    C.FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(CountColor(*B, Rect(0, 0, 40, 30), clRed), 40 * 30);
    EXPECT_FALSE(C.RestoreDC(-1)); // nothing left to restore
}

TEST_F(CanvasPixels, DisjointClipDrawsNothing) {
    C.IntersectClipRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(C.IntersectClipRect(Rect(10, 10, 20, 20)), NULLREGION);
    C.Brush()->SetColor(clRed);
    C.FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(InkBounds(*B), TRect{});
    C.ResetClip();
    C.FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(InkBounds(*B), Rect(0, 0, 2, 2));
}

TEST_F(CanvasPixels, WindowOriginMovesDrawingAndClip) {
    C.SetWindowOrg(Point(10, 5));
    C.Brush()->SetColor(clRed);
    C.FillRect(Rect(10, 5, 12, 7));
    EXPECT_EQ(InkBounds(*B), Rect(0, 0, 2, 2));
    EXPECT_EQ(C.ClipRect(), Rect(10, 5, 50, 35));
}

TEST_F(CanvasPixels, MirroringRunsRightToLeft) {
    C.SetMirrored(true, 40);
    C.Brush()->SetColor(clRed);
    C.FillRect(Rect(0, 0, 3, 2));
    EXPECT_EQ(InkBounds(*B), Rect(37, 0, 40, 2));
}

// --- painting lifetime ----------------------------------------------------------------

TEST(CanvasLifetime, StandaloneCanvasMeasuresButDoesNotDraw) {
    TCanvas C;
    EXPECT_FALSE(C.Painting());
    C.Rectangle(0, 0, 10, 10); // harmless without a device
    C.TextOut(0, 0, "abc");
    EXPECT_GT(C.TextWidth("abc"), 0);
    EXPECT_GT(C.TextHeight("abc"), 0);
    EXPECT_EQ(C.PenPos(), Point(C.TextWidth("abc"), 0));
}

TEST(CanvasLifetime, BeginPaintOnABitmapImageDraws) {
    auto B = WhiteBitmap(10, 10);
    TCanvas C;
    C.Brush()->SetColor(clBlue);
    C.BeginPaint(&B->Image());
    EXPECT_TRUE(C.Painting());
    C.FillRect(Rect(0, 0, 3, 3));
    C.EndPaint();
    EXPECT_FALSE(C.Painting());
    EXPECT_EQ(InkBounds(*B), Rect(0, 0, 3, 3));
    EXPECT_EQ(C.Brush()->Color(), clBlue); // the canvas keeps its objects
}

TEST(CanvasLifetime, UpdateRegionBoundsTheClipRect) {
    auto B = WhiteBitmap(40, 30);
    TCanvas C;
    C.BeginPaint(&B->Image(), QRegion(10, 5, 8, 4));
    EXPECT_EQ(C.ClipRect(), Rect(10, 5, 18, 9));
    C.IntersectClipRect(Rect(0, 0, 14, 30));
    EXPECT_EQ(C.ClipRect(), Rect(10, 5, 14, 9));
    C.EndPaint();
    C.BeginPaint(&B->Image());
    EXPECT_EQ(C.ClipRect(), Rect(0, 0, 40, 30));
    C.EndPaint();
}

TEST(CanvasLifetime, BrushChangeSetsBackgroundAndFontChangeSetsTextColour) {
    TCanvas C;
    C.Brush()->SetStyle(bsClear);
    EXPECT_EQ(C.BkMode(), TRANSPARENT);
    C.SetBkMode(OPAQUE);
    EXPECT_EQ(C.BkMode(), OPAQUE);
    C.Brush()->SetColor(clYellow);
    EXPECT_EQ(C.Brush()->Style(), bsSolid);
    EXPECT_EQ(C.BkMode(), OPAQUE);
    EXPECT_EQ(C.BkColor(), clYellow);
    C.Font()->SetColor(clRed);
    EXPECT_EQ(C.TextColor(), clRed);
    C.SetTextColor(clBlue);
    EXPECT_EQ(C.TextColor(), clBlue);
}

} // namespace
