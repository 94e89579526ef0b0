// The editors' buttons in the desktop's style: the drop-down, spin and edit
// buttons ask the style library for the right class, part and state when
// themed, and draw the classic look when not asked or when the library is missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/support/editbtn.h"
#include "grid/support/griddraw.h"
#include "grid/support/htmlcanvas.h"
#include "grid/support/spinedit.h"
#include "grid/support/themebind.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/gfx/drawcontrols.h"
#include "widgettest.h"

namespace {

// A style library that writes down what it is asked to draw and fills the
// part in one colour.
struct TDrawCall {
    std::u16string Class;
    int Part;
    int State;
    TRect R;
};
std::vector<TDrawCall> Calls;
std::u16string OpenedClass;
const int ThemeToken = 0;
constexpr TColor Marker = clFuchsia;

HTHEME FakeOpen(HWND, const char16_t* ClassList) {
    OpenedClass = ClassList;
    return reinterpret_cast<HTHEME>(&ThemeToken); // never looked into
}
HRESULT FakeClose(HTHEME) {
    return 0;
}
HRESULT FakeDraw(HTHEME, TCanvas* DC, int PartId, int StateId, const TRect* R, const TRect*) {
    Calls.push_back({OpenedClass, PartId, StateId, *R});
    DC->Brush()->SetColor(Marker);
    DC->FillRect(*R);
    return 0;
}
bool FakeActive() {
    return true;
}
TThemeProc FakeEntry(const std::string& Name) {
    if (Name == "OpenThemeData") return reinterpret_cast<TThemeProc>(&FakeOpen);
    if (Name == "CloseThemeData") return reinterpret_cast<TThemeProc>(&FakeClose);
    if (Name == "DrawThemeBackground") return reinterpret_cast<TThemeProc>(&FakeDraw);
    if (Name == "IsThemeActive") return reinterpret_cast<TThemeProc>(&FakeActive);
    return nullptr;
}

class ThemedLooks : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        Calls.clear();
        BindThemeLibrary(&FakeEntry);
    }
    void TearDown() override { ReleaseThemeLibrary(); }

    static bool SamePixels(const TBitmap& A, const TBitmap& B) {
        if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
        for (int y = 0; y < A.Height(); ++y)
            for (int x = 0; x < A.Width(); ++x)
                if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
        return true;
    }
    template <class Draw> static std::unique_ptr<TBitmap> Drawn(int W, int H, Draw&& D) {
        auto b = WhiteBitmap(W, H);
        D(*b->Canvas());
        return b;
    }
};

} // namespace

TEST_F(ThemedLooks, AThemedComboButtonIsTheStylesDropDownButtonAtTheRightEdge) {
    const auto themed = Drawn(60, 20, [](TCanvas& C) { DrawComboButton(C, {0, 0, 60, 20}, true); });
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Class, u"combobox");
    EXPECT_EQ(Calls[0].Part, CP_DROPDOWNBUTTON);
    EXPECT_EQ(Calls[0].State, CBXS_NORMAL);
    EXPECT_EQ(Calls[0].R, (TRect{44, 0, 60, 20}));
    EXPECT_EQ(CountColor(*themed, {44, 0, 60, 20}, Marker), 16 * 20);
    EXPECT_EQ(CountColor(*themed, {0, 0, 44, 20}, clWhite), 44 * 20);
}

TEST_F(ThemedLooks, ComboButtonIsClassicUnlessThemedAndTheLibraryIsThere) {
    const auto classic = Drawn(60, 20, [](TCanvas& C) {
        DrawFrameControl(C, {44, 0, 60, 20}, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
    });
    const auto plain = Drawn(60, 20, [](TCanvas& C) { DrawComboButton(C, {0, 0, 60, 20}, false); });
    EXPECT_TRUE(Calls.empty());
    EXPECT_TRUE(SamePixels(*plain, *classic));
    BindThemeLibrary(TThemeLookup()); // no library
    const auto missing = Drawn(60, 20, [](TCanvas& C) {
        DrawComboButton(C, {0, 0, 60, 20}, true);
    });
    EXPECT_TRUE(SamePixels(*missing, *classic));
    // The real library draws the desktop's button, not the classic one.
    ReleaseThemeLibrary();
    const auto real = Drawn(60, 20, [](TCanvas& C) { DrawComboButton(C, {0, 0, 60, 20}, true); });
    EXPECT_FALSE(SamePixels(*real, *classic));
    EXPECT_LT(CountColor(*real, {44, 0, 60, 20}, clWhite), 16 * 20);
    SaveArtifact(*real, "gridsupport_combobutton_themed.png");
}

TEST_F(ThemedLooks, SpinArrowsAreTheStylesSpinPartsByArrowAndState) {
    const TRect r{0, 0, 15, 10};
    TButtonLook look;
    look.Themed = true;
    for (int arrow = 0; arrow < 4; ++arrow)
        Drawn(15, 10, [&](TCanvas& C) { DrawSpinArrowButton(C, r, arrow, look); });
    ASSERT_EQ(Calls.size(), 4u);
    const int parts[] = {SPNP_DOWNHORZ, SPNP_UPHORZ, SPNP_UP, SPNP_DOWN}; // left, right, up, down
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Calls[i].Class, u"spin");
        EXPECT_EQ(Calls[i].Part, parts[i]);
        EXPECT_EQ(Calls[i].State, UPS_NORMAL);
        EXPECT_EQ(Calls[i].R, r);
    }
    Calls.clear();
    look.Hot = true;
    Drawn(15, 10, [&](TCanvas& C) { DrawSpinArrowButton(C, r, saUp, look); });
    look.Pressed = true; // pressed wins over hot
    Drawn(15, 10, [&](TCanvas& C) { DrawSpinArrowButton(C, r, saUp, look); });
    look.Enabled = false;
    Drawn(15, 10, [&](TCanvas& C) { DrawSpinArrowButton(C, r, saUp, look); });
    ASSERT_EQ(Calls.size(), 3u);
    EXPECT_EQ(Calls[0].State, UPS_HOT);
    EXPECT_EQ(Calls[1].State, UPS_PRESSED);
    EXPECT_EQ(Calls[2].State, UPS_DISABLED);
}

TEST_F(ThemedLooks, ClassicSpinArrowsFollowTheirState) {
    const TRect r{0, 0, 15, 10};
    TButtonLook look; // not themed
    const auto up = Drawn(15, 10, [&](TCanvas& C) { DrawSpinArrowButton(C, r, saUp, look); });
    const auto classicUp =
        Drawn(15, 10, [&](TCanvas& C) { DrawFrameControl(C, r, DFC_SCROLL, DFCS_SCROLLUP); });
    EXPECT_TRUE(SamePixels(*up, *classicUp));
    look.Pressed = true;
    const auto pushed = Drawn(15, 10, [&](TCanvas& C) { DrawSpinArrowButton(C, r, saDown, look); });
    const auto classicPushed = Drawn(15, 10, [&](TCanvas& C) {
        DrawFrameControl(C, r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
    });
    EXPECT_TRUE(SamePixels(*pushed, *classicPushed));
    EXPECT_TRUE(Calls.empty());
}

TEST_F(ThemedLooks, EditButtonFacesThemedAndClassic) {
    const TRect r{0, 0, 18, 18};
    TButtonLook look;
    look.Themed = true;
    look.Pressed = true;
    Drawn(18, 18, [&](TCanvas& C) { DrawEditButtonFace(C, r, look); });
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Class, u"button");
    EXPECT_EQ(Calls[0].Part, BP_PUSHBUTTON);
    EXPECT_EQ(Calls[0].State, PBS_PRESSED);
    look.Themed = false;
    const auto raised = Drawn(18, 18, [&](TCanvas& C) { DrawEditButtonFace(C, r, look); });
    const auto classic = Drawn(18, 18, [&](TCanvas& C) {
        DrawFrameControl(C, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    });
    EXPECT_TRUE(SamePixels(*raised, *classic));
    look.Flat = true;
    const auto flat = Drawn(18, 18, [&](TCanvas& C) { DrawEditButtonFace(C, r, look); });
    EXPECT_FALSE(SamePixels(*flat, *classic));
    // The middle is filled with the face colour, the edge is plain.
    EXPECT_EQ(flat->Pixel(9, 9), ColorToRGB(clBtnFace));
    EXPECT_EQ(Calls.size(), 1u);
}

TEST_F(ThemedLooks, AThemedSpinEditPaintsItsArrowsInTheStyle) {
    TXsgSpinEdit edit(nullptr);
    edit.SetBounds(0, 0, 80, 22);
    TBitmap picture;
    PaintControlTo(*edit.Button()->UpButton(), picture);
    EXPECT_TRUE(Calls.empty()); // classic until the grid asks for the themed look
    edit.SetIsWinXP(true);
    PaintControlTo(*edit.Button()->UpButton(), picture);
    PaintControlTo(*edit.Button()->DownButton(), picture);
    ASSERT_EQ(Calls.size(), 2u);
    EXPECT_EQ(Calls[0].Class, u"spin");
    EXPECT_EQ(Calls[0].Part, SPNP_UP);
    EXPECT_EQ(Calls[1].Part, SPNP_DOWN);
    EXPECT_EQ(picture.Pixel(picture.Width() / 2, picture.Height() / 2), Marker);
}

TEST_F(ThemedLooks, AThemedEditButtonKeepsItsCaptionOverTheStylesFace) {
    TXsgEditBtn edit(nullptr);
    edit.SetBounds(0, 0, 120, 24);
    edit.Button()->SetButtonCaption("...");
    EXPECT_FALSE(edit.IsWinXP());
    edit.SetIsWinXP(true);
    EXPECT_TRUE(edit.IsWinXP());
    TBitmap picture;
    PaintControlTo(*edit.Button()->Button(), picture);
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Class, u"button");
    EXPECT_EQ(Calls[0].State, PBS_NORMAL);
    const TRect all{0, 0, picture.Width(), picture.Height()};
    const int face = CountColor(picture, all, Marker);
    EXPECT_GT(face, all.Width() * all.Height() / 2);
    EXPECT_LT(face, all.Width() * all.Height()); // the dots are drawn on it
}

TEST_F(ThemedLooks, ControlsInTaggedTextAreDrawnInTheStyleByState) {
    auto b = WhiteBitmap(300, 40);
    THTMLRenderResult res;
    const std::string text = "<CONTROL TYPE=\"CHECK\" ID=\"c\" WIDTH=\"16\" VALUE=\"TRUE\">"
                             "<CONTROL TYPE=\"RADIO\" ID=\"r\" WIDTH=\"16\" VALUE=\"FALSE\">"
                             "<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"50\" VALUE=\"Ok\">"
                             "<CONTROL TYPE=\"COMBO\" ID=\"k\" WIDTH=\"60\" VALUE=\"Wit\">";
    RenderHTML(*b->Canvas(), text, {0, 0, 300, 40}, {}, res);
    ASSERT_EQ(Calls.size(), 4u);
    EXPECT_EQ(Calls[0].Class, u"button");
    EXPECT_EQ(Calls[0].Part, BP_CHECKBOX);
    EXPECT_EQ(Calls[0].State, CBS_CHECKEDNORMAL);
    EXPECT_EQ(Calls[1].Part, BP_RADIOBUTTON);
    EXPECT_EQ(Calls[1].State, RBS_UNCHECKEDNORMAL);
    EXPECT_EQ(Calls[2].Part, BP_PUSHBUTTON);
    EXPECT_EQ(Calls[2].State, PBS_NORMAL);
    EXPECT_EQ(Calls[3].Class, u"combobox");
    EXPECT_EQ(Calls[3].State, CBXS_NORMAL);
    // The text of the button is drawn over its face.
    EXPECT_LT(CountColor(*b, Calls[2].R, Marker), Calls[2].R.Width() * Calls[2].R.Height());

    // Hot under the point, pressed with the button down.
    const TRect check = Calls[0].R;
    const TRect combo = Calls[3].R;
    Calls.clear();
    THTMLRenderParams p;
    p.PointX = check.Left + 4;
    p.PointY = check.Top + 4;
    RenderHTML(*b->Canvas(), text, {0, 0, 300, 40}, p, res);
    EXPECT_EQ(Calls[0].State, CBS_CHECKEDHOT);
    Calls.clear();
    p.ButtonDown = true;
    RenderHTML(*b->Canvas(), text, {0, 0, 300, 40}, p, res);
    EXPECT_EQ(Calls[0].State, CBS_CHECKEDPRESSED);
    Calls.clear();
    p.PointX = combo.Left + 2;
    p.PointY = combo.Top + 2;
    RenderHTML(*b->Canvas(), text, {0, 0, 300, 40}, p, res);
    EXPECT_EQ(Calls[3].State, CBXS_HOT);

    // Without the style library: classic, nothing asked of it.
    BindThemeLibrary(TThemeLookup());
    Calls.clear();
    auto classic = WhiteBitmap(300, 40);
    RenderHTML(*classic->Canvas(), text, {0, 0, 300, 40}, {}, res);
    EXPECT_TRUE(Calls.empty());
    EXPECT_EQ(CountColor(*classic, {0, 0, 300, 40}, Marker), 0);
    EXPECT_LT(CountColor(*classic, check, clWhite), check.Width() * check.Height());
}

TEST_F(ThemedLooks, TheDesktopsStyleDrawsTheEditorsButtonsItsOwnWay) {
    ReleaseThemeLibrary(); // the real library
    TXsgSpinEdit spin(nullptr);
    spin.SetBounds(0, 0, 80, 30);
    TXsgEditBtn edit(nullptr);
    edit.SetBounds(0, 0, 120, 30);
    edit.Button()->SetButtonCaption("...");
    TBitmap spinClassic, spinThemed, editClassic, editThemed;
    PaintControlTo(*spin.Button(), spinClassic);
    PaintControlTo(*edit.Button(), editClassic);
    spin.SetIsWinXP(true);
    edit.SetIsWinXP(true);
    PaintControlTo(*spin.Button(), spinThemed);
    PaintControlTo(*edit.Button(), editThemed);
    EXPECT_TRUE(Calls.empty()); // not the recording library
    EXPECT_FALSE(SamePixels(spinClassic, spinThemed));
    EXPECT_FALSE(SamePixels(editClassic, editThemed));
    const TRect all{0, 0, spinThemed.Width(), spinThemed.Height()};
    EXPECT_LT(CountColor(spinThemed, all, clWhite), all.Width() * all.Height());
    SaveArtifact(spinThemed, "gridsupport_spinbutton_themed.png");
    SaveArtifact(editThemed, "gridsupport_editbutton_themed.png");
}
