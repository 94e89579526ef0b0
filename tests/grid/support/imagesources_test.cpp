// Image sources of tagged cell text that come from the program and the
// desktop: "RES://" pictures from the resources registered at start-up, and
// the desktop's icons of files and file types ("SSYS:", "LSYS:").
#include <gtest/gtest.h>

#include <fstream>

#include "gfxtestenv.h"
#include "grid/support/griddraw.h"
#include "grid/support/htmlcanvas.h"
#include "grid/support/pictures.h"
#include "platform/rtl/files.h"
#include "platform/vcl/gfx/resources.h"
#include "platform/vcl/shellicons.h"
#include "vz_test_support.h"

namespace {

void Fill(TBitmap& B, int W, int H, TColor Color) {
    B.SetSize(W, H);
    B.Canvas()->Brush()->SetColor(Color);
    B.Canvas()->FillRect({0, 0, W, H});
}

bool SamePixels(const TBitmap& A, const TBitmap& B) {
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

std::unique_ptr<TBitmap> Icon(const std::string& Source, bool Large = false) {
    auto b = std::make_unique<TBitmap>();
    LoadShellIcon(*b, Source, Large);
    return b;
}

// Pixels of the icon drawn on white that are not white.
int Painted(const TBitmap& Icon) {
    auto white = WhiteBitmap(Icon.Width(), Icon.Height());
    white->Canvas()->Draw(0, 0, &Icon);
    return Icon.Width() * Icon.Height() -
           CountColor(*white, {0, 0, Icon.Width(), Icon.Height()}, clWhite);
}

class ImageSources : public ::testing::Test {
protected:
    std::unique_ptr<TBitmap> B = WhiteBitmap(200, 60);
    TRect R{0, 0, 200, 60};
    THTMLRenderResult Res;
    THTMLPictureCache Cache;
    void SetUp() override {
        B->Canvas()->Font()->SetName("DejaVu Sans");
        B->Canvas()->Font()->SetSize(10);
    }
    void Render(const std::string& Text) {
        RenderHTML(*B->Canvas(), Text, R, {}, Res, HTMLImageLookup(nullptr, &Cache, nullptr));
    }
    int Width(const std::string& Text) { return B->Canvas()->TextWidth(Text); }
};

} // namespace

TEST(ProgramResources, NamedBitmapsAndDataAreFoundIgnoringCase) {
    RegisterBitmapResource("ZvTestPion", [](TBitmap& B) { Fill(B, 5, 3, clRed); });
    TBitmap blue;
    Fill(blue, 2, 7, clBlue);
    RegisterDataResource("ZvTestLoper", blue.SaveToBytes("PNG"));
    std::string bytes;
    ASSERT_TRUE(FindProgramResource("zvtestpion", bytes));
    THTMLPicture p;
    p.LoadFromBytes(bytes);
    EXPECT_EQ(p.Width(), 5);
    EXPECT_EQ(p.Decoded().Pixel(4, 2), clRed);
    ASSERT_TRUE(FindProgramResource("ZVTESTLOPER", bytes));
    EXPECT_EQ(bytes, blue.SaveToBytes("PNG")); // data as registered
    bytes = "kept";
    EXPECT_FALSE(FindProgramResource("ZvTestNergens", bytes));
    EXPECT_EQ(bytes, "kept");
    // A bitmap maker that makes nothing is no picture.
    RegisterBitmapResource("ZvTestLeeg", [](TBitmap&) {});
    EXPECT_FALSE(FindProgramResource("ZvTestLeeg", bytes));
}

TEST(ProgramResources, ResSourcesLoadFromThemWithoutFurtherSetUp) {
    RegisterBitmapResource("ZvTestToren", [](TBitmap& B) { Fill(B, 4, 6, clLime); });
    THTMLPicture p;
    p.LoadFromURL("res://ZvTestToren");
    EXPECT_EQ(p.Width(), 4);
    EXPECT_EQ(p.Height(), 6);
    EXPECT_EQ(p.ID, "res://ZvTestToren");
    THTMLPictureCache cache;
    EXPECT_EQ(cache.PictureFor("RES://zvtesttoren")->Height(), 6);
    EXPECT_TRUE(cache.PictureFor("RES://ZvTestNergens")->Empty());
}

TEST_F(ImageSources, AResPictureIsPlacedAndDrawnInTheText) {
    RegisterBitmapResource("ZvTestDame", [](TBitmap& B) { Fill(B, 9, 7, clFuchsia); });
    Render("a<IMG src=\"RES://ZvTestDame\">b");
    EXPECT_EQ(Res.TextWidth, Width("ab") + 9);
    EXPECT_EQ(CountColor(*B, R, clFuchsia), 63);
    ASSERT_EQ(Cache.Count(), 1);
    Render("a<IMG src=\"RES://ZvTestDame\">b"); // the cache's picture again
    EXPECT_EQ(Cache.Count(), 1);
}

TEST(ShellIcons, SmallAndLargeSquaresWithSomethingOnThem) {
    for (const char* source : {"3", "uitslag.csv", "x.zzqqy", "", "/tmp"}) {
        const auto small = Icon(source);
        const auto large = Icon(source, true);
        EXPECT_EQ(small->Width(), ShellIconSize(false)) << source;
        EXPECT_EQ(small->Height(), 16) << source;
        EXPECT_EQ(large->Width(), ShellIconSize(true)) << source;
        EXPECT_EQ(large->Height(), 32) << source;
        EXPECT_GT(Painted(*small), 16) << source;
        EXPECT_GT(Painted(*large), 64) << source;
        // Drawn transparently: the corners stay the background's.
        EXPECT_LT(Painted(*small), 16 * 16) << source;
    }
}

TEST(ShellIcons, FoldersFilesAndNumbersGetTheirOwnIcons) {
    const TTestFolder folder("gridsupport_icons");
    const std::string dir = folder.Path();
    const std::string file = dir + "/stand.txt";
    std::ofstream(DiskName(file)) << "1. Wit 3\n";
    EXPECT_TRUE(SamePixels(*Icon(dir), *Icon("3")));           // an existing folder
    EXPECT_FALSE(SamePixels(*Icon(dir), *Icon(file)));         // is no file
    EXPECT_TRUE(SamePixels(*Icon(file), *Icon("elders.txt"))); // the type of the name
    EXPECT_TRUE(SamePixels(*Icon(" 3 "), *Icon("3")));
    // A folder that does not exist is a name without a type.
    EXPECT_FALSE(SamePixels(*Icon(dir + "/weg"), *Icon("3")));
}

TEST_F(ImageSources, ShellIconsArePlacedAtTheirSize) {
    Render("a<IMG src=\"SSYS:3\">b");
    EXPECT_EQ(Res.TextWidth, Width("ab") + 16);
    const int smallPainted = 200 * 60 - CountColor(*B, R, clWhite);
    B = WhiteBitmap(200, 60);
    Render("a<IMG src=\"lsys:3\">b");
    EXPECT_EQ(Res.TextWidth, Width("ab") + 32);
    EXPECT_GE(Res.TextHeight, 32);
    const int largePainted = 200 * 60 - CountColor(*B, R, clWhite);
    EXPECT_GT(largePainted, smallPainted);
    // The icon sits right of the "a": something is drawn there.
    const int x = Width("a");
    EXPECT_LT(CountColor(*B, {x, 0, x + 32, 40}, clWhite), 32 * 40);
    EXPECT_EQ(Cache.Count(), 0); // icons are no pictures of the cache
    SaveArtifact(*B, "gridsupport_shellicon_cell.png");
}

TEST(ShellIcons, DrawnAtAPointOnlyWhenAskedAndStretchedWhenScaled) {
    auto b = WhiteBitmap(100, 60);
    int size = 0;
    DrawShellIcon(*b->Canvas(), 10, 10, size, 1.0, false, false, true, "3");
    EXPECT_EQ(size, 32);
    EXPECT_EQ(CountColor(*b, {0, 0, 100, 60}, clWhite), 100 * 60); // measured only
    DrawShellIcon(*b->Canvas(), 10, 10, size, 1.0, false, true, false, "3");
    EXPECT_EQ(size, 16);
    const auto icon = Icon("3");
    auto alone = WhiteBitmap(16, 16);
    alone->Canvas()->Draw(0, 0, icon.get());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(b->Pixel(10 + x, 10 + y), alone->Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(CountColor(*b, {0, 0, 100, 10}, clWhite), 100 * 10); // nothing outside
    b = WhiteBitmap(100, 60);
    DrawShellIcon(*b->Canvas(), 50, 5, size, 2.5, true, true, false, "3");
    EXPECT_EQ(size, 16);
    // Stretched to 40 x 40: something at the far end, nothing beyond it.
    EXPECT_LT(CountColor(*b, {70, 5, 90, 45}, clWhite), 20 * 40);
    EXPECT_EQ(CountColor(*b, {90, 0, 100, 60}, clWhite), 10 * 60);
    EXPECT_EQ(CountColor(*b, {0, 45, 100, 60}, clWhite), 100 * 15);
}
