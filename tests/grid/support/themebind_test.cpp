#include <gtest/gtest.h>

#include "grid/support/themebind.h"
#include "platform/vcl/gfx/drawcontrols.h"
#include "widgettest.h"

namespace {

class ThemeBinding : public WidgetTest {
protected:
    void TearDown() override { ReleaseThemeLibrary(); }

    // Pixels that differ between two bitmaps of one size.
    static int Differences(const TBitmap& A, const TBitmap& B) {
        int n = 0;
        for (int y = 0; y < A.Height(); ++y)
            for (int x = 0; x < A.Width(); ++x)
                n += A.Pixel(x, y) != B.Pixel(x, y);
        return n;
    }
    static int NonWhite(const TBitmap& B, const TRect& R) {
        return R.Width() * R.Height() - CountColor(B, R, clWhite);
    }
    // One box of the class drawn on a white 20 x 20 bitmap.
    static std::unique_ptr<TBitmap> Part(const char16_t* Class, int PartId, int StateId) {
        auto b = WhiteBitmap(20, 20);
        EXPECT_TRUE(DrawThemePart(nullptr, Class, PartId, StateId, *b->Canvas(), {2, 2, 18, 18}));
        return b;
    }
};

// The library as found, less the entry points named in Missing.
TThemeLookup Without(std::initializer_list<std::string> Missing) {
    std::vector<std::string> names(Missing);
    return [names](const std::string& Name) -> TThemeProc {
        for (const std::string& m : names)
            if (m == Name) return nullptr;
        return ThemeLibraryEntry(Name);
    };
}

} // namespace

TEST_F(ThemeBinding, BindsTheFourEntriesOfTheLibrary) {
    ReleaseThemeLibrary();
    EXPECT_TRUE(ThemeLibraryBound()); // the first query binds
    EXPECT_NE(OpenThemeData, nullptr);
    EXPECT_NE(CloseThemeData, nullptr);
    EXPECT_NE(DrawThemeBackground, nullptr);
    ASSERT_NE(IsThemeActive, nullptr);
    EXPECT_TRUE(IsThemeActive());
    EXPECT_TRUE(ThemesAvailable());
    EXPECT_EQ(ThemeLibraryEntry("GetThemeColor"), nullptr);
    ReleaseThemeLibrary();
    EXPECT_EQ(OpenThemeData, nullptr);
}

TEST_F(ThemeBinding, AMissingEntryLeavesTheRestBoundAndDrawsNothing) {
    BindThemeLibrary(Without({"DrawThemeBackground"}));
    EXPECT_TRUE(ThemeLibraryBound());
    EXPECT_NE(OpenThemeData, nullptr);
    EXPECT_EQ(DrawThemeBackground, nullptr);
    EXPECT_FALSE(ThemesAvailable());
    auto b = WhiteBitmap(20, 20);
    EXPECT_FALSE(DrawThemePart(nullptr, u"button", BP_CHECKBOX, CBS_CHECKEDNORMAL, *b->Canvas(),
                               {0, 0, 20, 20}));
    EXPECT_EQ(NonWhite(*b, {0, 0, 20, 20}), 0);

    BindThemeLibrary(Without({"IsThemeActive"}));
    EXPECT_FALSE(ThemesAvailable());
}

TEST_F(ThemeBinding, AMissingLibraryBindsNothing) {
    BindThemeLibrary(TThemeLookup());
    EXPECT_FALSE(ThemeLibraryBound());
    EXPECT_FALSE(ThemesAvailable());
    EXPECT_EQ(OpenThemeData, nullptr);
    auto b = WhiteBitmap(20, 20);
    EXPECT_FALSE(
        DrawThemePart(nullptr, u"combobox", CP_DROPDOWNBUTTON, 1, *b->Canvas(), {0, 0, 20, 20}));
}

TEST_F(ThemeBinding, OpensKnownClassesIgnoringCaseAndTakesTheFirstOfAList) {
    ASSERT_TRUE(ThemesAvailable());
    EXPECT_EQ(OpenThemeData(nullptr, u"treeview"), nullptr);
    HTHEME button = OpenThemeData(nullptr, u"BUTTON");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(OpenThemeData(nullptr, u"treeview; Button"), button);
    EXPECT_EQ(OpenThemeData(nullptr, u"Progress"), OpenThemeData(nullptr, u"progress"));
    EXPECT_NE(OpenThemeData(nullptr, u"spin"), button);
    EXPECT_EQ(CloseThemeData(button), 0);
    EXPECT_NE(CloseThemeData(nullptr), 0);
}

TEST_F(ThemeBinding, UnknownPartsAndStatesFailWithoutDrawing) {
    ASSERT_TRUE(ThemesAvailable());
    auto b = WhiteBitmap(20, 20);
    HTHEME spin = OpenThemeData(nullptr, u"spin");
    const TRect r{0, 0, 20, 20};
    EXPECT_NE(DrawThemeBackground(spin, b->Canvas(), 5, UPS_NORMAL, &r, nullptr), 0);
    EXPECT_NE(DrawThemeBackground(spin, b->Canvas(), SPNP_UP, 9, &r, nullptr), 0);
    EXPECT_NE(DrawThemeBackground(spin, b->Canvas(), SPNP_UP, UPS_NORMAL, nullptr, nullptr), 0);
    EXPECT_EQ(NonWhite(*b, r), 0);
    EXPECT_EQ(DrawThemeBackground(spin, b->Canvas(), SPNP_UP, UPS_NORMAL, &r, nullptr), 0);
    EXPECT_GT(NonWhite(*b, r), 0);
}

TEST_F(ThemeBinding, StatesLookDifferentAndStayInsideTheRectangle) {
    ASSERT_TRUE(ThemesAvailable());
    const auto unchecked = Part(u"button", BP_CHECKBOX, CBS_UNCHECKEDNORMAL);
    const auto checked = Part(u"button", BP_CHECKBOX, CBS_CHECKEDNORMAL);
    const auto disabled = Part(u"button", BP_CHECKBOX, CBS_CHECKEDDISABLED);
    const auto radioOff = Part(u"button", BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL);
    const auto radioOn = Part(u"button", BP_RADIOBUTTON, RBS_CHECKEDNORMAL);
    EXPECT_GT(Differences(*unchecked, *checked), 4);
    EXPECT_GT(Differences(*checked, *disabled), 4);
    EXPECT_GT(Differences(*radioOff, *radioOn), 4);
    EXPECT_GT(Differences(*unchecked, *radioOff), 4);
    for (const TBitmap* b : {unchecked.get(), checked.get(), radioOn.get()}) {
        EXPECT_GT(NonWhite(*b, {2, 2, 18, 18}), 20);
        EXPECT_EQ(CountColor(*b, {0, 0, 20, 2}, clWhite), 40);
        EXPECT_EQ(CountColor(*b, {0, 18, 20, 20}, clWhite), 40);
        EXPECT_EQ(CountColor(*b, {0, 0, 2, 20}, clWhite), 40);
        EXPECT_EQ(CountColor(*b, {18, 0, 20, 20}, clWhite), 40);
    }
    const auto pushed = Part(u"combobox", CP_DROPDOWNBUTTON, CBXS_PRESSED);
    const auto normal = Part(u"combobox", CP_DROPDOWNBUTTON, CBXS_NORMAL);
    EXPECT_GT(Differences(*pushed, *normal), 0);
    const auto bar = Part(u"progress", PP_BAR, 1);
    const auto chunk = Part(u"progress", PP_CHUNK, 1);
    EXPECT_GT(Differences(*bar, *chunk), 20);
}

TEST_F(ThemeBinding, DrawingKeepsTheCanvasClipAndOrigin) {
    ASSERT_TRUE(ThemesAvailable());
    auto b = WhiteBitmap(40, 20);
    TCanvas& c = *b->Canvas();
    c.SetWindowOrg({-20, 0}); // (0, 0) is drawn at device pixel (20, 0)
    c.IntersectClipRect({0, 0, 10, 20});
    EXPECT_TRUE(DrawThemePart(nullptr, u"button", BP_PUSHBUTTON, PBS_NORMAL, c, {0, 0, 20, 20}));
    EXPECT_EQ(NonWhite(*b, {0, 0, 20, 20}), 0);
    EXPECT_GT(NonWhite(*b, {20, 0, 30, 20}), 10);
    EXPECT_EQ(NonWhite(*b, {30, 0, 40, 20}), 0);
}

TEST_F(ThemeBinding, PictureOfThemedAndClassicBoxes) {
    ASSERT_TRUE(ThemesAvailable());
    // Row 1 classic, row 2 themed: check box off, on, disabled on; radio off, on, disabled on.
    auto b = WhiteBitmap(6 * 24, 2 * 24);
    TCanvas& c = *b->Canvas();
    const unsigned classic[6] = {DFCS_BUTTONCHECK,
                                 DFCS_BUTTONCHECK | DFCS_CHECKED,
                                 DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE,
                                 DFCS_BUTTONRADIO,
                                 DFCS_BUTTONRADIO | DFCS_CHECKED,
                                 DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_INACTIVE};
    const int parts[6] = {BP_CHECKBOX,    BP_CHECKBOX,    BP_CHECKBOX,
                          BP_RADIOBUTTON, BP_RADIOBUTTON, BP_RADIOBUTTON};
    const int states[6] = {CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_CHECKEDDISABLED,
                           RBS_UNCHECKEDNORMAL, RBS_CHECKEDNORMAL, RBS_CHECKEDDISABLED};
    for (int i = 0; i < 6; ++i) {
        DrawFrameControl(c, {i * 24 + 4, 4, i * 24 + 20, 20}, DFC_BUTTON, classic[i]);
        EXPECT_TRUE(DrawThemePart(nullptr, u"button", parts[i], states[i], c,
                                  {i * 24 + 4, 28, i * 24 + 20, 44}));
    }
    for (int i = 0; i < 6; ++i)
        EXPECT_GT(NonWhite(*b, {i * 24, 24, i * 24 + 24, 48}), 20) << i;
    SaveArtifact(*b, "gridsupport_checkradio_classic_themed.png");
}

TEST_F(ThemeBinding, SpinArrowsPointTheirWay) {
    ASSERT_TRUE(ThemesAvailable());
    // Dark pixels of the arrow in one half of the button: the wide end of the
    // triangle lies opposite to where it points.
    const auto dark = [](const TBitmap& B, const TRect& R) {
        int n = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) {
                const TColor c = B.Pixel(x, y);
                n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 110;
            }
        return n;
    };
    const auto up = Part(u"spin", SPNP_UP, UPS_NORMAL);
    const auto down = Part(u"spin", SPNP_DOWN, UPS_NORMAL);
    const auto right = Part(u"spin", SPNP_UPHORZ, UPS_NORMAL);
    const auto left = Part(u"spin", SPNP_DOWNHORZ, UPS_NORMAL);
    const TRect top{4, 4, 16, 10}, bottom{4, 10, 16, 16}, leftHalf{4, 4, 10, 16},
        rightHalf{10, 4, 16, 16};
    EXPECT_GT(dark(*up, bottom), dark(*up, top));
    EXPECT_GT(dark(*down, top), dark(*down, bottom));
    EXPECT_GT(dark(*right, leftHalf), dark(*right, rightHalf));
    EXPECT_GT(dark(*left, rightHalf), dark(*left, leftHalf));
    const auto mixed = Part(u"button", BP_CHECKBOX, CBS_MIXEDNORMAL);
    const auto checked = Part(u"button", BP_CHECKBOX, CBS_CHECKEDNORMAL);
    EXPECT_GT(Differences(*mixed, *checked), 4);
}

TEST_F(ThemeBinding, TheClipRectangleOfTheCallLimitsTheDrawing) {
    ASSERT_TRUE(ThemesAvailable());
    auto b = WhiteBitmap(20, 20);
    HTHEME button = OpenThemeData(nullptr, u"button");
    const TRect r{0, 0, 20, 20}, clip{0, 0, 20, 8};
    EXPECT_EQ(DrawThemeBackground(button, b->Canvas(), BP_PUSHBUTTON, PBS_PRESSED, &r, &clip), 0);
    CloseThemeData(button);
    EXPECT_GT(NonWhite(*b, clip), 10);
    EXPECT_EQ(NonWhite(*b, {0, 8, 20, 20}), 0);
    // The canvas is unclipped again afterwards.
    b->Canvas()->Brush()->SetColor(clBlack);
    b->Canvas()->FillRect({0, 19, 1, 20});
    EXPECT_EQ(b->Pixel(0, 19), clBlack);
}

TEST_F(ThemeBinding, PictureOfTheOtherThemedParts) {
    ASSERT_TRUE(ThemesAvailable());
    // Push button, combo button, four spin buttons, and a progress bar with a
    // chunk over 60 % of it.
    auto b = WhiteBitmap(200, 24);
    TCanvas& c = *b->Canvas();
    EXPECT_TRUE(DrawThemePart(nullptr, u"button", BP_PUSHBUTTON, PBS_NORMAL, c, {2, 2, 42, 22}));
    EXPECT_TRUE(
        DrawThemePart(nullptr, u"combobox", CP_DROPDOWNBUTTON, CBXS_NORMAL, c, {46, 2, 62, 22}));
    for (int part = SPNP_UP; part <= SPNP_DOWNHORZ; ++part)
        EXPECT_TRUE(DrawThemePart(nullptr, u"spin", part, UPS_NORMAL, c,
                                  {66 + (part - 1) * 18, 4, 82 + (part - 1) * 18, 20}));
    EXPECT_TRUE(DrawThemePart(nullptr, u"progress", PP_BAR, 1, c, {140, 4, 198, 20}));
    EXPECT_TRUE(DrawThemePart(nullptr, u"progress", PP_CHUNK, 1, c, {142, 6, 176, 18}));
    EXPECT_GT(NonWhite(*b, {140, 4, 198, 20}), 100);
    SaveArtifact(*b, "gridsupport_themed_parts.png");
}
