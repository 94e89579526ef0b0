#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>

#include "grid/support/flatcombo.h"
#include "grid/support/themebind.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/extctrls.h"
#include "widgettest.h"

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Shadow = 0x808080;

// The height the dropped-down list gives row Row.
int ComboListRowHeight(const TComboBox& Combo, int Row) {
    return qobject_cast<QComboBox*>(Combo.Widget())->view()->sizeHintForRow(Row);
}

class FlatCombo : public WidgetTest {
protected:
    void TearDown() override { ReleaseThemeLibrary(); }

    static TFlatComboLook Inactive() {
        TFlatComboLook look;
        look.Width = 100;
        look.Height = 22;
        look.ParentColor = clYellow;
        look.Color = clWhite;
        return look;
    }
    // Painted on red, so that untouched pixels show.
    static std::unique_ptr<TBitmap> Painted(const TFlatComboLook& Look) {
        auto b = WhiteBitmap(Look.Width, Look.Height);
        b->Canvas()->Brush()->SetColor(Red);
        b->Canvas()->FillRect({0, 0, Look.Width, Look.Height});
        PaintFlatCombo(*b->Canvas(), Look);
        return b;
    }
};

} // namespace

TEST_F(FlatCombo, InactiveBorderIsTwoFramesOfTheParentColourAndOneOfItsOwn) {
    const auto b = Painted(Inactive());
    EXPECT_EQ(b->Pixel(0, 10), clYellow);
    EXPECT_EQ(b->Pixel(1, 10), clYellow);
    EXPECT_EQ(b->Pixel(2, 10), clWhite);
    EXPECT_EQ(b->Pixel(50, 0), clYellow);
    EXPECT_EQ(b->Pixel(50, 21), clYellow);
    EXPECT_EQ(b->Pixel(50, 19), clWhite);
    EXPECT_EQ(b->Pixel(3, 10), Red); // the text area stays the native box's
}

TEST_F(FlatCombo, ActiveBorderTakesTheButtonFaceAndTheFocusBorderIsSunken) {
    TFlatComboLook look = Inactive();
    look.Active = true;
    auto b = Painted(look);
    EXPECT_EQ(b->Pixel(0, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(b->Pixel(1, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(b->Pixel(2, 10), clWhite);
    look.FocusBorder = true;
    b = Painted(look);
    EXPECT_EQ(b->Pixel(0, 10), Shadow); // sunken: dark at the left and top
    EXPECT_EQ(b->Pixel(50, 0), Shadow);
    EXPECT_EQ(b->Pixel(50, 21), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(b->Pixel(1, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(b->Pixel(2, 10), clWhite);
}

TEST_F(FlatCombo, ClassicButtonIsARaisedOrEtchedEdgeAroundTheNativeArrow) {
    TFlatComboLook look = Inactive();
    const TRect button = FlatComboButtonRect(look);
    EXPECT_EQ(button, (TRect{78, 2, 99, 21}));
    auto b = Painted(look);
    EXPECT_EQ(b->Pixel(button.Left, 10), ColorToRGB(cl3DLight)); // raised: light left
    EXPECT_EQ(b->Pixel(button.Right - 1, 10), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(b->Pixel(88, 10), Red); // the arrow area is left alone
    look.Etched = true;
    b = Painted(look);
    EXPECT_EQ(b->Pixel(button.Left, 10), Shadow); // etched: dark outside first
    EXPECT_EQ(b->Pixel(88, 10), Red);
    look.Simple = true;
    b = Painted(look);
    EXPECT_EQ(b->Pixel(button.Left, 10), Red); // no button at all
}

TEST_F(FlatCombo, TheUnicodeComboButtonIsRaisedOnlyWhileActive) {
    TFlatComboLook look = Inactive();
    look.ButtonOnlyWhenActive = true;
    const TRect button = FlatComboButtonRect(look);
    auto b = Painted(look);
    EXPECT_EQ(b->Pixel(button.Left, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(b->Pixel(button.Right - 1, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(b->Pixel(88, 10), Red);
    look.Active = true;
    b = Painted(look);
    EXPECT_EQ(b->Pixel(button.Left, 10), ColorToRGB(cl3DLight));
    look.DroppedDown = true;
    b = Painted(look);
    EXPECT_EQ(b->Pixel(button.Left, 10), Shadow); // flat while the list is down
}

TEST_F(FlatCombo, ThemedButtonUsesTheStyleAndFallsBackWithoutIt) {
    TFlatComboLook look = Inactive();
    look.Themed = true;
    ASSERT_TRUE(ThemesAvailable());
    const auto themed = Painted(look);
    look.ButtonDown = true;
    const auto pressed = Painted(look);
    const TRect button = FlatComboButtonRect(look);
    int differ = 0, painted = 0;
    for (int y = button.Top; y < button.Bottom; ++y)
        for (int x = button.Left; x < button.Right; ++x) {
            differ += themed->Pixel(x, y) != pressed->Pixel(x, y);
            painted += themed->Pixel(x, y) != Red;
        }
    EXPECT_GT(differ, 0);
    EXPECT_EQ(painted, button.Width() * button.Height()); // the whole button, arrow and all
    BindThemeLibrary(TThemeLookup());                     // no library: the classic arrow
    const auto fallback = Painted(look);
    EXPECT_EQ(fallback->Pixel(88, 11), clBlack);
    EXPECT_NE(fallback->Pixel(88, 11), themed->Pixel(88, 11));
}

TEST_F(FlatCombo, ControlDefaultsAndLook) {
    TPanel panel(nullptr);
    panel.SetColor(clYellow);
    auto* combo = new TXSGComboBox(&panel);
    combo->SetParent(&panel);
    EXPECT_TRUE(combo->Flat());
    EXPECT_FALSE(combo->Etched());
    EXPECT_FALSE(combo->AutoFocus);
    EXPECT_EQ(combo->ButtonWidth(), 20);
    combo->SetDropWidth(300);
    EXPECT_EQ(combo->DropWidth(), 300);
    const TFlatComboLook look = combo->Look();
    EXPECT_FALSE(look.Active);
    EXPECT_EQ(look.ParentColor, clYellow);
    EXPECT_EQ(look.Color, clWindow);
    combo->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(combo->MouseInControl());
    EXPECT_TRUE(combo->Look().Active);
    combo->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(combo->Look().Active);
}

TEST_F(FlatCombo, PaintsOverTheNativeBoxOnlyWhenFlat) {
    TPanel panel(nullptr);
    panel.SetColor(clYellow);
    panel.SetBounds(0, 0, 200, 40);
    auto* combo = new TXSGComboBox(&panel);
    combo->SetParent(&panel);
    combo->SetBounds(0, 0, 120, 22);
    combo->Items()->Add("Aap");
    combo->SetItemIndex(0);
    TBitmap flat, plain;
    PaintControlTo(*combo, flat);
    EXPECT_EQ(flat.Width(), 120);
    EXPECT_EQ(flat.Pixel(0, 11), clYellow);
    EXPECT_EQ(flat.Pixel(1, 11), clYellow);
    combo->SetFlat(false);
    PaintControlTo(*combo, plain);
    EXPECT_NE(plain.Pixel(0, 11), clYellow);
    combo->SetFlat(true);
    combo->Perform(CM_MOUSEENTER);
    TBitmap hot;
    PaintControlTo(*combo, hot);
    EXPECT_EQ(hot.Pixel(0, 11), ColorToRGB(clBtnFace));
    SaveArtifact(flat, "gridsupport_flatcombo.png");
    SaveArtifact(hot, "gridsupport_flatcombo_hot.png");
}

TEST_F(FlatCombo, ADisabledFlatBoxShowsItsParentsColourUntilEnabled) {
    TPanel panel(nullptr);
    panel.SetColor(clYellow);
    auto* combo = new TXSGComboBox(&panel);
    combo->SetParent(&panel);
    combo->SetColor(clAqua);
    combo->SetEnabled(false);
    EXPECT_EQ(combo->Color(), clYellow);
    combo->SetEnabled(true);
    EXPECT_EQ(combo->Color(), clAqua);
    EXPECT_FALSE(combo->ParentColor());
    combo->SetFlat(false);
    combo->SetEnabled(false);
    EXPECT_EQ(combo->Color(), clAqua);
}

TEST_F(FlatCombo, ItemHeightSetsTheRowsOfTheDroppedList) {
    auto form = std::make_unique<TPanel>(nullptr);
    auto* combo = new TXSGComboBox(form.get());
    combo->SetParent(form.get());
    EXPECT_GT(combo->ItemHeight(), 0); // the font's height to begin with
    combo->Items()->Add("een");
    combo->Items()->Add("twee");
    combo->SetItemHeight(30);
    EXPECT_EQ(combo->ItemHeight(), 30);
    EXPECT_EQ(ComboListRowHeight(*combo, 1), 30);
    combo->SetItemHeight(22);
    EXPECT_EQ(ComboListRowHeight(*combo, 0), 22);
}
