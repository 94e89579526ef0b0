#include <gtest/gtest.h>

#include <memory>

#include "grid/support/gridaux.h"
#include "platform/vcl/regions.h"
#include "vz_test_support.h"
#include "widgettest.h"

namespace {
using GridAux = WidgetTest;
} // namespace

TEST_F(GridAux, ArrowOutlines) {
    EXPECT_EQ(ArrowOutline(0).size(), 7u);
    EXPECT_EQ(ArrowOutline(0)[0], (TPoint{5, 0}));
    EXPECT_EQ(ArrowOutline(1)[4], (TPoint{5, 8}));
    EXPECT_EQ(ArrowOutline(2)[4], (TPoint{8, 5}));
    EXPECT_EQ(ArrowOutline(3)[0], (TPoint{0, 5}));
    EXPECT_TRUE(ArrowOutline(4).empty());
    EXPECT_TRUE(ArrowOutline(-1).empty());
}

TEST_F(GridAux, ArrowWindowIsAHiddenGreenArrow) {
    TComponent owner(nullptr);
    auto* arrow = new TArrowWindow(&owner, 1); // owned by owner
    EXPECT_FALSE(arrow->Visible());
    EXPECT_EQ(arrow->Color(), clLime);
    EXPECT_EQ(arrow->Width(), 10);
    EXPECT_EQ(arrow->Height(), 9);
    auto b = WhiteBitmap(10, 9);
    PaintArrow(*b->Canvas(), {0, 0, 10, 9}, arrow->Outline(), arrow->Color());
    EXPECT_EQ(b->Pixel(5, 2), clLime); // the shaft
    EXPECT_EQ(b->Pixel(0, 0), ColorToRGB(clBtnFace));
    // The window has the arrow's shape: the shaft and the head are in, the
    // corners beside the shaft out.
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(arrow, shape.get()), RGN_ERROR);
    EXPECT_TRUE(PtInRegion(shape.get(), 5, 2));
    EXPECT_TRUE(PtInRegion(shape.get(), 5, 6));
    EXPECT_FALSE(PtInRegion(shape.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(shape.get(), 9, 1));
}

TEST_F(GridAux, ArrowWindowsShowOnlyTheirArrow) {
    TComponent owner(nullptr);
    auto* left = new TArrowWindow(&owner, 3); // owned by owner
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(left, shape.get()), RGN_ERROR);
    EXPECT_TRUE(PtInRegion(shape.get(), 1, 5));
    EXPECT_FALSE(PtInRegion(shape.get(), 8, 1));
    // A direction without an outline keeps the whole window.
    auto* none = new TArrowWindow(&owner, 7);
    EXPECT_EQ(GetWindowRgn(none, shape.get()), RGN_ERROR);
}

TEST_F(GridAux, PopupButtonPaintsFrameGradientAndCaption) {
    TComponent owner(nullptr);
    auto* button = new TPopupButton(&owner);
    EXPECT_FALSE(button->Enabled());
    EXPECT_EQ(button->GradFrom(), clNone);
    EXPECT_EQ(button->GradTo(), clNone);
    auto b = WhiteBitmap(120, 24);
    TFont font;
    font.SetName("DejaVu Sans");
    font.SetColor(clBlack);
    PaintPopupButton(*b->Canvas(), {0, 0, 120, 24}, "Kolom 3", false, clNavy, clWhite, clBtnFace,
                     font);
    EXPECT_EQ(b->Pixel(0, 0), clWhite);
    EXPECT_EQ(b->Pixel(119, 23), 0x808080);
    // The gradient starts at the top in navy and ends in white.
    EXPECT_GE(GetBValue(b->Pixel(3, 1)), 0x7C);
    EXPECT_LE(GetRValue(b->Pixel(3, 1)), 0x08);
    EXPECT_GE(GetRValue(b->Pixel(3, 22)), 0xF0);
    EXPECT_GT(CountColor(*b, {1, 1, 119, 23}, clBlack), 5);
    SaveArtifact(*b, "gridsupport_popupbutton.png");
    auto flat = WhiteBitmap(40, 10);
    PaintPopupButton(*flat->Canvas(), {0, 0, 40, 10}, "", true, clNone, clNone, clBtnFace, font);
    EXPECT_EQ(CountColor(*flat, {0, 0, 40, 10}, ColorToRGB(clBtnFace)), 400);
}

TEST_F(GridAux, ControlListOwnsItsControls) {
    int destroyed = 0;
    struct TCounted : TCustomControl {
        int* Count;
        TCounted(TComponent* AOwner, int* C) : TCustomControl(AOwner), Count(C) {}
        ~TCounted() override { ++*Count; }
    };
    auto owner = std::make_unique<TComponent>(nullptr);
    {
        TControlList list;
        list.Add(new TCounted(owner.get(), &destroyed)); // leaves its owner
        list.Add(new TCounted(nullptr, &destroyed));
        list.Add(new TCounted(nullptr, &destroyed));
        EXPECT_EQ(owner->ComponentCount(), 0);
        TControl* second = list.Items(1);
        list.Delete(0);
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(list.Items(0), second);
        EXPECT_EQ(list.IndexOf(second), 0);
        EXPECT_THROW(list.Items(2), EListError);
        owner.reset(); // no double free
    }
    EXPECT_EQ(destroyed, 3);
}

TEST_F(GridAux, FilePictureReadsItsSizeFromTheFile) {
    const TTestFolder folder("gridsupport_aux");
    const std::string file = folder.File("picture.png");
    TBitmap source(12, 7);
    source.SaveToFile(file);
    TFilePicture pic;
    pic.SetFilename(file);
    EXPECT_EQ(pic.Width(), 12);
    EXPECT_EQ(pic.Height(), 7);
    TFilePicture copy;
    copy.Assign(&pic);
    EXPECT_EQ(copy.Filename(), file);
    EXPECT_EQ(copy.Height(), 7);
    auto b = WhiteBitmap(30, 30);
    b->Canvas()->Brush()->SetColor(clRed);
    b->Canvas()->FillRect({0, 0, 30, 30});
    pic.Draw(*b->Canvas(), {0, 0, 24, 14}); // the white picture, stretched
    EXPECT_EQ(CountColor(*b, {0, 0, 24, 14}, clWhite), 24 * 14);
    pic.SetFilename("/no/such/picture.png");
    EXPECT_EQ(pic.Width(), 0);
    pic.Draw(*b->Canvas(), {0, 0, 30, 30}); // nothing happens
    EXPECT_EQ(b->Pixel(29, 29), clRed);
}
