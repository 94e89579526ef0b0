#include <gtest/gtest.h>

#include "gfxtestenv.h"
#include "platform/vcl/gfx/graphics.h"
#include "vz_test_support.h"

namespace {

TEST(Bitmap, NewBitmapIsWhiteAndResizeKeepsPixels) {
    TBitmap B;
    EXPECT_TRUE(B.Empty());
    B.SetSize(10, 8);
    EXPECT_EQ(B.Width(), 10);
    EXPECT_EQ(B.Height(), 8);
    EXPECT_EQ(CountColor(B, Rect(0, 0, 10, 8), clWhite), 80);
    B.Canvas()->Brush()->SetColor(clRed);
    B.Canvas()->FillRect(Rect(0, 0, 2, 2));
    B.SetWidth(20);
    EXPECT_EQ(B.Pixel(1, 1), clRed);
    EXPECT_EQ(B.Pixel(15, 1), clWhite);
    // The canvas draws on after the resize.
    B.Canvas()->FillRect(Rect(18, 6, 20, 8));
    EXPECT_EQ(B.Pixel(19, 7), clRed);
}

TEST(Bitmap, CanvasKeepsItsClipWhilePixelsAreRead) {
    TBitmap B(10, 10);
    B.Canvas()->IntersectClipRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(B.Pixel(0, 0), clWhite);
    B.Canvas()->Brush()->SetColor(clRed);
    B.Canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(InkBounds(B), Rect(0, 0, 5, 5));
}

TEST(Bitmap, SaveAndLoadBmpAndPng) {
    TBitmap B(6, 4);
    B.SetPixel(1, 2, clGreen);
    const TTestFolder Folder("vclgfx");
    for (const std::string Ext : {"bmp", "png"}) {
        const std::string Name = Folder.File("roundtrip." + Ext);
        B.SaveToFile(Name);
        TBitmap L;
        L.LoadFromFile(Name);
        EXPECT_EQ(L.Width(), 6) << Ext;
        EXPECT_EQ(L.Height(), 4) << Ext;
        EXPECT_EQ(L.Pixel(1, 2), clGreen) << Ext;
        EXPECT_EQ(L.Pixel(0, 0), clWhite) << Ext;
    }
    TBitmap M;
    M.LoadFromBytes(B.SaveToBytes("PNG"));
    EXPECT_EQ(M.Pixel(1, 2), clGreen);
}

TEST(Bitmap, LoadingNonsenseRaises) {
    TBitmap B;
    const TTestFolder Folder("vclgfx");
    EXPECT_THROW(B.LoadFromFile(Folder.File("missing.bmp")), EInvalidGraphic);
    EXPECT_THROW(B.LoadFromBytes("not a picture"), EInvalidGraphic);
}

TEST(Bitmap, AssignCopiesPixels) {
    TBitmap A(3, 3);
    A.SetPixel(2, 2, clBlue);
    TBitmap B;
    B.Assign(&A);
    A.SetPixel(2, 2, clRed);
    EXPECT_EQ(B.Pixel(2, 2), clBlue);
}

TEST(Bitmap, TransparentDrawLeavesTheKeyColourOut) {
    TBitmap Glyph(4, 4);
    Glyph.Canvas()->Brush()->SetColor(clFuchsia);
    Glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
    Glyph.SetPixel(1, 1, clBlack);
    Glyph.SetTransparent(true);
    EXPECT_EQ(Glyph.TransparentColor(), clFuchsia); // the bottom-left pixel
    TBitmap Target(10, 10);
    Target.Canvas()->Draw(3, 3, &Glyph);
    EXPECT_EQ(InkBounds(Target), Rect(4, 4, 5, 5));
    Glyph.SetTransparent(false);
    Target.Canvas()->Draw(3, 3, &Glyph);
    EXPECT_EQ(InkBounds(Target), Rect(3, 3, 7, 7));
}

TEST(Bitmap, StretchDrawScalesWithoutSmoothing) {
    TBitmap Small(2, 1);
    Small.SetPixel(0, 0, clBlack);
    TBitmap Target(8, 4);
    Target.Canvas()->StretchDraw(Rect(0, 0, 8, 4), &Small);
    EXPECT_EQ(CountColor(Target, Rect(0, 0, 4, 4), clBlack), 16);
    EXPECT_EQ(CountColor(Target, Rect(4, 0, 8, 4), clWhite), 16);
}

TEST(Bitmap, CopyRectAndBrushCopy) {
    TBitmap Source(10, 10);
    Source.Canvas()->Brush()->SetColor(clRed);
    Source.Canvas()->FillRect(Rect(2, 2, 4, 4));
    TBitmap Target(10, 10);
    Target.Canvas()->CopyRect(Rect(5, 5, 7, 7), Source.Canvas(), Rect(2, 2, 4, 4));
    EXPECT_EQ(InkBounds(Target), Rect(5, 5, 7, 7));
    EXPECT_EQ(Target.Pixel(6, 6), clRed);

    TBitmap Other(10, 10);
    Other.Canvas()->Brush()->SetColor(clLime);
    Other.Canvas()->BrushCopy(Rect(0, 0, 10, 10), &Source, Rect(0, 0, 10, 10), clWhite);
    EXPECT_EQ(Other.Pixel(0, 0), clLime);
    EXPECT_EQ(Other.Pixel(3, 3), clRed);

    // The source's own canvas can be copied within itself.
    Source.Canvas()->CopyRect(Rect(6, 6, 8, 8), Source.Canvas(), Rect(2, 2, 4, 4));
    EXPECT_EQ(Source.Pixel(7, 7), clRed);
}

} // namespace
