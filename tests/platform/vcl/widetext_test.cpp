// Wide text of native controls: what the keyboard types outside Windows-1252
// stays in the widget, while the single-byte text shows '?'.
#include <gtest/gtest.h>

#include "platform/vcl/listctrls.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/widetext.h"
#include "vcltestenv.h"

TEST(WideText, TypedCharactersOutsideTheCodePageStayInTheEdit) {
    auto form = MakeForm();
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    std::string pressed;
    edit->OnKeyPress = [&](TObject*, char& Key) { pressed += Key; };
    SendKey(edit, Qt::Key_A, "a");
    SendKey(edit, 0, QString(QChar(0x03A9)));
    SendKey(edit, 0, QString(QChar(0x00BD)));
    EXPECT_EQ(ControlWideText(*edit), u"a\u03A9\u00BD");
    EXPECT_EQ(edit->Text(), "a?\xBD");
    EXPECT_EQ(pressed, "a?\xBD"); // key handlers see the code page's character
    SetControlWideText(*edit, u"\u0416");
    EXPECT_EQ(ControlWideText(*edit), u"\u0416");
}

TEST(WideText, ComboItemsAndEditField) {
    auto form = MakeForm();
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    combo->Items()->Add("a");
    combo->Items()->Add("b");
    SetComboItemWideText(*combo, 1, u"\u03A9");
    EXPECT_EQ(ComboItemCount(*combo), 2);
    EXPECT_EQ(ComboItemWideText(*combo, 1), u"\u03A9");
    EXPECT_EQ(ComboItemWideText(*combo, 5), u"");
    SetControlWideText(*combo, u"\u03A9");
    EXPECT_EQ(combo->ItemIndex(), 1);
    SetControlWideText(*combo, u"x\u4E2D");
    EXPECT_EQ(ControlWideText(*combo), u"x\u4E2D");
    combo->SetStyle(csDropDownList);
    SetControlWideText(*combo, u"a");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(ControlWideText(*combo), u"a");
}
