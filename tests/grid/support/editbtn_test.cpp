#include <gtest/gtest.h>

#include "grid/support/editbtn.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/editalign.h"
#include "widgettest.h"

namespace {

using EditBtn = WidgetTest;

void Click(TControl* C) {
    C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(2, 2));
    C->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 2));
}

} // namespace

TEST_F(EditBtn, ButtonSitsAtTheRightEdge) {
    TXsgEditBtn edit(nullptr);
    EXPECT_EQ(edit.Text(), "0");
    edit.SetBounds(0, 0, 120, 24);
    EXPECT_EQ(edit.ButtonWidth(), 18);
    EXPECT_EQ(edit.Button()->Left() + edit.Button()->Width(), 119);
    EXPECT_EQ(edit.Button()->Top(), 1);
    EXPECT_EQ(edit.Button()->Height(), 21);
    EXPECT_EQ(edit.Button()->Button()->Width(), 18); // the speed button fills it
    edit.SetButtonWidth(10);
    EXPECT_EQ(edit.Button()->Left(), 120 - 10 - 1);
    EXPECT_EQ(edit.Button()->Button()->Width(), 15); // never narrower than 15
}

TEST_F(EditBtn, ButtonAndF4FireOnClickBtnEvenWhenTheEditorIsDisabled) {
    TXsgEditBtn edit(nullptr);
    int clicks = 0, keys = 0;
    edit.OnClickBtn = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &edit);
        ++clicks;
    };
    edit.OnKeyPress = [&](TObject*, char&) { ++keys; };
    edit.EditorEnabled = false;
    Click(edit.Button()->Button());
    EXPECT_EQ(clicks, 1);
    edit.Perform(WM_KEYDOWN, VK_F4, 0);
    EXPECT_EQ(clicks, 2);
    edit.Perform(WM_CHAR, 'x', 0); // typing reaches nothing
    EXPECT_EQ(keys, 0);
    edit.EditorEnabled = true;
    edit.Perform(WM_CHAR, 'x', 0);
    EXPECT_EQ(keys, 1);
}

TEST_F(EditBtn, UnitEditChoosesFromItsMenu) {
    TXsgUnitEditBtn edit(nullptr);
    edit.SetBounds(0, 0, 150, 24);
    EXPECT_TRUE(edit.RightAlign());
    EXPECT_EQ(EditAlignment(edit), taRightJustify); // the text stands before the unit
    EXPECT_EQ(edit.UnitSpace(), 20);
    edit.Units()->Add("cm");
    edit.Units()->Add("inch");
    edit.ClickButton();
    ASSERT_NE(edit.UnitMenu(), nullptr);
    ASSERT_EQ(edit.UnitMenu()->Items()->Count(), 2);
    edit.UnitMenu()->Items()->Items(1)->Click();
    EXPECT_EQ(edit.UnitID(), "inch");
    // The unit stands right of the text, before the button.
    EXPECT_EQ(edit.UnitLabel()->Caption(), "inch");
    EXPECT_EQ(edit.UnitLabel()->Left() + edit.UnitLabel()->Width(), 150 - edit.ButtonWidth() - 3);
    edit.SetUnitSpace(30);
    EXPECT_EQ(edit.UnitLabel()->Width(), 30);
    edit.ClickButton(); // a second menu replaces the first
    EXPECT_EQ(edit.UnitMenu()->Items()->Count(), 2);
}

TEST_F(EditBtn, RightAlignMovesTheTextToTheRight) {
    TXsgEditBtn edit(nullptr);
    EXPECT_FALSE(edit.RightAlign());
    EXPECT_EQ(EditAlignment(edit), taLeftJustify);
    edit.SetRightAlign(true);
    EXPECT_EQ(EditAlignment(edit), taRightJustify);
    edit.SetText("12");
    EXPECT_EQ(EditAlignment(edit), taRightJustify);
    edit.SetRightAlign(false);
    EXPECT_EQ(EditAlignment(edit), taLeftJustify);
}

TEST_F(EditBtn, GlyphNumGlyphsAndCaptionReachTheButton) {
    TXsgEditBtn edit(nullptr);
    edit.SetBounds(0, 0, 120, 24);
    edit.SetButtonWidth(20);
    // Two pictures side by side: red for up, blue for disabled, each on the
    // transparent colour of the bottom-left pixel.
    TBitmap glyph(16, 8);
    glyph.Canvas()->Brush()->SetColor(clLime);
    glyph.Canvas()->FillRect({0, 0, 16, 8});
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect({1, 1, 7, 7});
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect({9, 1, 15, 7});
    edit.SetGlyph(&glyph);
    edit.Button()->SetNumGlyphs(2);
    EXPECT_EQ(edit.Button()->Button()->NumGlyphs(), 2);
    ASSERT_NE(edit.Glyph(), nullptr);
    EXPECT_EQ(edit.Glyph()->Width(), 16);
    TBitmap shown;
    PaintControlTo(*edit.Button()->Button(), shown);
    EXPECT_GT(CountColor(shown, {0, 0, shown.Width(), shown.Height()}, clRed), 0);
    EXPECT_EQ(CountColor(shown, {0, 0, shown.Width(), shown.Height()}, clBlue), 0);
    edit.SetButtonCaption("...");
    EXPECT_EQ(edit.ButtonCaption(), "...");
    EXPECT_EQ(edit.Button()->Button()->Caption(), "...");
}
