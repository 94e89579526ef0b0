#include <gtest/gtest.h>

#include "grid/support/editbtn.h"
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
    EXPECT_TRUE(edit.RightAlign);
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
