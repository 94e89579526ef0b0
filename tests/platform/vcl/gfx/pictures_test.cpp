// Icons, pictures, image lists and resources compiled into the program.

#include <gtest/gtest.h>

#include "gfxtestenv.h"
#include "platform/vcl/gfx/imagelist.h"
#include "platform/vcl/gfx/pictures.h"
#include "platform/vcl/gfx/resources.h"
#include "vz_test_support.h"

namespace {

// A 16 x 16 glyph: a red square in the middle on the key colour fuchsia.
std::unique_ptr<TBitmap> Glyph() {
    auto B = WhiteBitmap(16, 16);
    B->Canvas()->Brush()->SetColor(clFuchsia);
    B->Canvas()->FillRect(Rect(0, 0, 16, 16));
    B->Canvas()->Brush()->SetColor(clRed);
    B->Canvas()->FillRect(Rect(4, 4, 12, 12));
    return B;
}

TEST(Icon, IconFileKeepsItsSeeThroughPixels) {
    auto G = Glyph();
    G->SetTransparent(true);
    TIcon Made;
    Made.Assign(G.get()); // the fuchsia parts become see-through
    const TTestFolder Folder("vclgfx_pic");
    const std::string Name = Folder.File("glyph.ico");
    Made.SaveToFile(Name);

    TPicture P;
    P.LoadFromFile(Name);
    ASSERT_NE(dynamic_cast<TIcon*>(P.Graphic()), nullptr);
    EXPECT_EQ(P.Width(), 16);
    auto Target = WhiteBitmap(20, 20);
    Target->Canvas()->Draw(2, 2, P.Graphic());
    EXPECT_EQ(InkBounds(*Target), Rect(6, 6, 14, 14));
    EXPECT_EQ(Target->Pixel(8, 8), clRed);
}

TEST(Picture, BytesBecomeABitmapAndKindsAreReplacedOnRequest) {
    auto G = Glyph();
    TPicture P;
    int Changes = 0;
    P.OnChange = [&](TObject*) { ++Changes; };
    P.LoadFromBytes(G->SaveToBytes("PNG"));
    ASSERT_NE(dynamic_cast<TBitmap*>(P.Graphic()), nullptr);
    EXPECT_EQ(P.Bitmap()->Pixel(8, 8), clRed);
    EXPECT_GE(Changes, 1);
    // Asking for an icon replaces the bitmap by an empty icon.
    EXPECT_TRUE(P.Icon()->Empty());
    EXPECT_TRUE(P.Empty());
    // Assigning a graphic stores a copy.
    P.Assign(G.get());
    G->SetPixel(8, 8, clBlue);
    EXPECT_EQ(P.Bitmap()->Pixel(8, 8), clRed);
    P.Assign(nullptr);
    EXPECT_EQ(P.Graphic(), nullptr);
    EXPECT_THROW(P.LoadFromBytes("garbage"), EInvalidGraphic);
}

TEST(Picture, StretchDrawOfAPicturesGraphic) {
    TPicture P;
    P.Assign(Glyph().get());
    auto Target = WhiteBitmap(32, 32);
    Target->Canvas()->StretchDraw(Rect(0, 0, 32, 32), P.Graphic());
    EXPECT_EQ(CountColor(*Target, Rect(0, 0, 32, 32), clRed), 16 * 16);
}

TEST(ImageList, StripIsCutIntoImagesAndDrawnByIndex) {
    TImageList List(nullptr, 8, 8);
    TBitmap Strip(24, 8);
    Strip.Canvas()->Brush()->SetColor(clFuchsia);
    Strip.Canvas()->FillRect(Rect(0, 0, 24, 8));
    Strip.Canvas()->Brush()->SetColor(clRed);
    Strip.Canvas()->FillRect(Rect(0, 0, 8, 8));
    Strip.Canvas()->Brush()->SetColor(clGreen);
    Strip.Canvas()->FillRect(Rect(10, 2, 14, 6));
    Strip.Canvas()->Brush()->SetColor(clBlue);
    Strip.Canvas()->FillRect(Rect(16, 0, 24, 8));
    EXPECT_EQ(List.AddMasked(&Strip, clFuchsia), 0);
    EXPECT_EQ(List.Count(), 3);

    auto Target = WhiteBitmap(20, 20);
    List.Draw(Target->Canvas(), 5, 5, 1);
    EXPECT_EQ(InkBounds(*Target), Rect(7, 7, 11, 11));
    EXPECT_EQ(Target->Pixel(8, 8), clGreen);
    List.Draw(Target->Canvas(), 0, 0, 7); // out of range: nothing
    EXPECT_EQ(InkBounds(*Target), Rect(7, 7, 11, 11));

    TBitmap Copy;
    List.GetBitmap(2, &Copy);
    EXPECT_EQ(Copy.Width(), 8);
    EXPECT_EQ(Copy.Pixel(3, 3), clBlue);

    List.Delete(0);
    EXPECT_EQ(List.Count(), 2);
    List.SetSize(16, 16);
    EXPECT_EQ(List.Count(), 0);
}

TEST(ImageList, DisabledImagesAreEmbossed) {
    TImageList List(nullptr, 16, 16);
    auto G = Glyph();
    G->Canvas()->Brush()->SetColor(clBlack);
    G->Canvas()->FillRect(Rect(4, 4, 12, 12));
    List.AddMasked(G.get(), clDefault);
    auto Target = WhiteBitmap(20, 20);
    Target->Canvas()->Brush()->SetColor(clBtnFace);
    Target->Canvas()->FillRect(Rect(0, 0, 20, 20));
    List.Draw(Target->Canvas(), 0, 0, 0, false);
    EXPECT_EQ(CountColor(*Target, Rect(0, 0, 20, 20), clBlack), 0);
    EXPECT_EQ(Target->Pixel(6, 6), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Target->Pixel(12, 12), ColorToRGB(clBtnHighlight));
}

TEST(ImageList, MaskBitmapLeavesItsWhitePartsOut) {
    TImageList List(nullptr, 4, 4);
    TBitmap Image(4, 4);
    Image.Canvas()->Brush()->SetColor(clRed);
    Image.Canvas()->FillRect(Rect(0, 0, 4, 4));
    TBitmap Mask(4, 4); // white: left out
    Mask.Canvas()->Brush()->SetColor(clBlack);
    Mask.Canvas()->FillRect(Rect(0, 0, 2, 4));
    List.Add(&Image, &Mask);
    auto Target = WhiteBitmap(4, 4);
    List.Draw(Target->Canvas(), 0, 0, 0);
    EXPECT_EQ(InkBounds(*Target), Rect(0, 0, 2, 4));
}

TEST(Resources, BitmapsByNameIgnoringCase) {
    RegisterBitmapResource("VZTESTGLYPH", [](TBitmap& B) {
        B.SetSize(3, 2);
        B.SetPixel(0, 0, clRed);
    });
    EXPECT_TRUE(BitmapResourceExists("vzTestGlyph"));
    TBitmap B;
    B.LoadFromResourceName("vztestglyph");
    EXPECT_EQ(B.Width(), 3);
    EXPECT_EQ(B.Pixel(0, 0), clRed);
    EXPECT_THROW(B.LoadFromResourceName("NOSUCHGLYPH"), EResNotFound);

    RegisterEncodedBitmapResource("VZTESTPNG", Glyph()->SaveToBytes("PNG"));
    B.LoadFromResourceName("VzTestPng");
    EXPECT_EQ(B.Pixel(8, 8), clRed);
}

TEST(Resources, DataByName) {
    RegisterDataResource("VzTestData", std::string("a\0b", 3));
    std::string Bytes = "unchanged";
    EXPECT_FALSE(FindDataResource("missing", Bytes));
    EXPECT_EQ(Bytes, "unchanged");
    EXPECT_TRUE(FindDataResource("VZTESTDATA", Bytes));
    EXPECT_EQ(Bytes, std::string("a\0b", 3));
}

} // namespace
