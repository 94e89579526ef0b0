#include <gtest/gtest.h>

#include "grid/support/spinedit.h"
#include "platform/rtl/dateutils.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/gfx/resources.h"
#include "platform/vcl/stdctrls.h"
#include "vcltestenv.h"
#include "widgettest.h"

namespace {

class SpinEdit : public WidgetTest {
protected:
    TFormatSettings Saved = FormatSettings();
    void SetUp() override {
        WidgetTest::SetUp();
        FormatSettings().DecimalSeparator = '.';
        FormatSettings().DateSeparator = '-';
        FormatSettings().ShortDateFormat = "d/m/yyyy";
        FormatSettings().TimeSeparator = ':';
        FormatSettings().LongTimeFormat = "hh:nn:ss";
    }
    void TearDown() override { FormatSettings() = Saved; }

    static void Press(TControl* C) { C->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(2, 2)); }
    static void Release(TControl* C) { C->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 2)); }
};

} // namespace

TEST_F(SpinEdit, DefaultsAndIntegerLimits) {
    TXsgSpinEdit edit(nullptr);
    EXPECT_EQ(edit.Text(), "0");
    EXPECT_EQ(edit.Value(), 0);
    edit.SetValue(150);
    EXPECT_EQ(edit.Text(), "100");
    edit.MinValue = edit.MaxValue = 0;
    edit.SetValue(-4711);
    EXPECT_EQ(edit.Text(), "-4711");
    edit.SetText("abc");
    EXPECT_THROW(edit.Value(), EConvertError);
}

TEST_F(SpinEdit, StepsByIncrementWithinTheLimits) {
    TXsgSpinEdit edit(nullptr);
    edit.SetValue(95);
    edit.Increment = 3;
    edit.IncrementValue();
    EXPECT_EQ(edit.Value(), 98);
    edit.IncrementValue();
    EXPECT_EQ(edit.Value(), 100);
    edit.DecrementValue();
    EXPECT_EQ(edit.Value(), 97);
    // The arrow keys step too, and are used up.
    edit.Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(edit.Value(), 100);
    edit.Perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(edit.Value(), 97);
    edit.SetReadOnly(true);
    edit.IncrementValue();
    EXPECT_EQ(edit.Value(), 97);
}

TEST_F(SpinEdit, FloatsWithPrecision) {
    TXsgSpinEdit edit(nullptr);
    edit.SetSpinType(sptFloat);
    edit.SetPrecision(2);
    edit.IncrementFloat = 0.25;
    edit.SetFloatValue(1.5);
    EXPECT_EQ(edit.Text(), "1.50");
    edit.IncrementValue();
    EXPECT_EQ(edit.Text(), "1.75");
    EXPECT_DOUBLE_EQ(edit.FloatValue(), 1.75);
    edit.SetFloatValue(1000);
    EXPECT_EQ(edit.Text(), "100.00");
}

TEST_F(SpinEdit, DatesStepThePartUnderTheCaret) {
    TXsgSpinEdit edit(nullptr);
    edit.SetSpinType(sptDate);
    edit.SetDateValue(EncodeDate(2016, 1, 31));
    EXPECT_EQ(edit.Text(), "31-1-2016");
    edit.SetSelStart(3); // in the month
    edit.Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(edit.Text(), "29-2-2016");
    EXPECT_EQ(edit.SelStart(), 3);
    edit.SetSelStart(0); // in the day
    edit.IncrementValue();
    EXPECT_EQ(edit.Text(), "1-3-2016");
    edit.SetSelStart(8); // in the year
    edit.DecrementValue();
    EXPECT_EQ(edit.Text(), "1-3-2015");
    edit.SetText("");
    EXPECT_DOUBLE_EQ(edit.DateValue(), Date());
    edit.MinDateValue = EncodeDate(2020, 1, 1);
    edit.MaxDateValue = EncodeDate(2020, 12, 31);
    edit.SetDateValue(EncodeDate(2030, 5, 5));
    EXPECT_EQ(edit.Text(), "31-12-2020");
}

TEST_F(SpinEdit, TimesStepThePartUnderTheCaret) {
    TXsgSpinEdit edit(nullptr);
    edit.SetSpinType(sptTime);
    edit.SetTimeValue(EncodeTime(10, 15, 30, 0));
    EXPECT_EQ(edit.Text(), "10:15:30");
    edit.SetSelStart(4);
    edit.IncrementValue();
    EXPECT_EQ(edit.Text(), "10:16:30");
    edit.SetSelStart(0);
    edit.DecrementValue();
    EXPECT_EQ(edit.Text(), "09:16:30");
}

TEST_F(SpinEdit, LeavingTheEditBringsTheValueBackWithinItsLimits) {
    TXsgSpinEdit edit(nullptr);
    edit.SetText("500");
    edit.Perform(CM_EXIT);
    EXPECT_EQ(edit.Text(), "100");
    edit.SetText("nonsense");
    edit.Perform(CM_EXIT); // left for the user to correct
    EXPECT_EQ(edit.Text(), "nonsense");
}

TEST_F(SpinEdit, RefusedKeys) {
    TXsgSpinEdit edit(nullptr);
    char k = 'x';
    EXPECT_FALSE(edit.IsValidChar(k));
    k = '5';
    EXPECT_TRUE(edit.IsValidChar(k));
    edit.EditorEnabled = false;
    EXPECT_FALSE(edit.IsValidChar(k));
    edit.SetValue(50);
    EXPECT_EQ(edit.SelLength(), 2); // the whole text is selected
}

TEST_F(SpinEdit, SpinButtonLayout) {
    TXsgSpinButton spin(nullptr);
    EXPECT_EQ(spin.Width(), 15);
    EXPECT_EQ(spin.Height(), 25);
    EXPECT_EQ(spin.UpButton()->BoundsRect(), (TRect{0, 0, 15, 12}));
    EXPECT_EQ(spin.DownButton()->BoundsRect(), (TRect{0, 11, 15, 25}));
    EXPECT_EQ(spin.FocusedButton(), spin.UpButton());
    spin.SetDirection(spHorizontal);
    EXPECT_EQ(spin.Width(), 20);
    EXPECT_EQ(spin.DownButton()->BoundsRect(), (TRect{0, 0, 10, 25}));
    EXPECT_EQ(spin.UpButton()->BoundsRect(), (TRect{11, 0, 21, 25}));
    EXPECT_EQ(spin.UpButton()->Arrow, saRight);
    EXPECT_EQ(spin.DownButton()->Arrow, saLeft);
    spin.SetBounds(0, 0, 5, 10); // never narrower than its minimum
    EXPECT_EQ(spin.Width(), 20);
}

TEST_F(SpinEdit, AHeldButtonRepeats) {
    TXsgSpinButton spin(nullptr);
    int ups = 0, downs = 0;
    spin.OnUpClick = [&](TObject*) { ++ups; };
    spin.OnDownClick = [&](TObject*) { ++downs; };
    TExtTimerSpeedButton* up = spin.UpButton();
    Press(up);
    EXPECT_EQ(ups, 1); // once at the press
    ASSERT_NE(up->RepeatTimer(), nullptr);
    EXPECT_TRUE(up->RepeatTimer()->Enabled());
    EXPECT_EQ(up->RepeatTimer()->Interval(), 400u);
    up->TimerExpired();
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(up->RepeatTimer()->Interval(), 100u);
    up->TimerExpired();
    EXPECT_EQ(ups, 3);
    Release(up);
    EXPECT_EQ(ups, 3); // the release adds no step
    EXPECT_FALSE(up->RepeatTimer()->Enabled());
    up->TimerExpired(); // a late tick does nothing
    EXPECT_EQ(ups, 3);
    Press(spin.DownButton());
    Release(spin.DownButton());
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(spin.FocusedButton(), spin.DownButton());
    spin.Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(ups, 4);
    EXPECT_EQ(spin.Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
}

TEST_F(SpinEdit, TheEmbeddedButtonStepsTheEdit) {
    TXsgSpinEdit edit(nullptr);
    edit.SetBounds(0, 0, 100, 22);
    EXPECT_EQ(edit.Button()->Parent(), &edit);
    EXPECT_EQ(edit.Button()->Left() + edit.Button()->Width(), 100 - 2);
    Press(edit.Button()->UpButton());
    Release(edit.Button()->UpButton());
    EXPECT_EQ(edit.Value(), 1);
    Press(edit.Button()->DownButton());
    Release(edit.Button()->DownButton());
    EXPECT_EQ(edit.Value(), 0);
}

TEST_F(SpinEdit, EditAlignPlacesTheText) {
    TXsgSpinEdit edit(nullptr);
    EXPECT_EQ(edit.EditAlign(), taLeftJustify);
    edit.SetEditAlign(taRightJustify);
    EXPECT_EQ(edit.EditAlign(), taRightJustify);
    edit.SetValue(42); // the value's text keeps its place
    EXPECT_EQ(edit.EditAlign(), taRightJustify);
    edit.SetEditAlign(taCenter);
    EXPECT_EQ(edit.EditAlign(), taCenter);
}

TEST_F(SpinEdit, SpinButtonsCarryTheStandardArrowsUnlessGivenGlyphs) {
    TXsgSpinButton spin(nullptr);
    ASSERT_TRUE(BitmapResourceExists("XsgSpinUp"));
    ASSERT_TRUE(BitmapResourceExists("xsgspindown"));
    ASSERT_FALSE(spin.UpGlyph()->Empty());
    TBitmap up, down;
    LoadBitmapResource(up, "XsgSpinUp");
    LoadBitmapResource(down, "XsgSpinDown");
    EXPECT_EQ(spin.UpGlyph()->Width(), up.Width());
    // The up arrow's point is at the top, the down arrow's at the bottom.
    EXPECT_EQ(up.Pixel(4, 0), clBlack);
    EXPECT_EQ(up.Pixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(down.Pixel(4, 4), clBlack);
    EXPECT_EQ(down.Pixel(0, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(spin.DownGlyph()->Pixel(4, 4), clBlack);

    TBitmap own(4, 4);
    spin.SetUpGlyph(&own);
    spin.SetUpNumGlyphs(2);
    EXPECT_EQ(spin.UpGlyph()->Width(), 4);
    EXPECT_EQ(spin.UpNumGlyphs(), 2);
    EXPECT_EQ(spin.DownGlyph()->Width(), down.Width()); // the other keeps its own
    spin.SetUpGlyph(nullptr);
    EXPECT_EQ(spin.UpGlyph()->Width(), up.Width());
}

TEST_F(SpinEdit, FlatAndTransparentButtons) {
    TXsgSpinEdit edit(nullptr);
    EXPECT_FALSE(edit.SpinFlat());
    edit.SetSpinFlat(true);
    EXPECT_TRUE(edit.SpinFlat());
    EXPECT_TRUE(edit.Button()->DownButton()->Flat());
    // A transparent button leaves its face unfilled: the edit below shows,
    // as the whole edit is seen on the screen.
    edit.SetColor(clYellow);
    const auto yellowIn = [&] {
        TBitmap shown;
        PaintControlTo(edit, shown);
        SaveArtifact(shown,
                     edit.SpinTransparent() ? "spinedit_transparent.png" : "spinedit_opaque.png");
        TRect up = edit.Button()->UpButton()->BoundsRect();
        OffsetRect(up, edit.Button()->Left(), edit.Button()->Top());
        return CountColor(shown, up, clYellow);
    };
    EXPECT_FALSE(edit.SpinTransparent());
    EXPECT_EQ(yellowIn(), 0);
    edit.SetSpinTransparent(true);
    EXPECT_TRUE(edit.SpinTransparent());
    EXPECT_TRUE(edit.Button()->DownButton()->Transparent);
    EXPECT_GT(yellowIn(), 0);
}

TEST_F(SpinEdit, LoadingShowsTheStoredDateOrTimeAtItsEnd) {
    TXsgSpinEdit date(nullptr), time(nullptr);
    date.BeginLoading();
    time.BeginLoading();
    date.SetSpinType(sptDate);
    time.SetSpinType(sptTime);
    const std::string shownWhileLoading = time.Text();
    date.SetDateValue(EncodeDate(2016, 4, 20));
    time.SetTimeValue(EncodeTime(9, 30, 0, 0));
    EXPECT_EQ(time.Text(), shownWhileLoading); // only stored
    date.EndLoading();
    time.EndLoading();
    EXPECT_EQ(date.Text(), "20-4-2016");
    EXPECT_EQ(time.Text(), "09:30:00");
}

TEST_F(SpinEdit, ATimeOutsideItsLimitsIsBoundWhenTheEditIsLeft) {
    auto form = MakeForm();
    auto* edit = new TXsgSpinEdit(form.get());
    edit->SetParent(form.get());
    auto* other = new TEdit(form.get());
    other->SetParent(form.get());
    other->SetTop(40);
    edit->SetSpinType(sptTime);
    edit->MinDateValue = EncodeTime(8, 0, 0, 0);
    edit->MaxDateValue = EncodeTime(12, 0, 0, 0);
    ShowActive(form.get());
    edit->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return edit->Focused(); }));
    edit->SetText("23:00:00");
    other->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return other->Focused(); }));
    EXPECT_EQ(edit->Text(), "12:00:00");
}

TEST_F(SpinEdit, AnEditMaskShapesWhatIsTyped) {
    auto form = MakeForm();
    auto* edit = new TXsgSpinEdit(form.get());
    edit->SetParent(form.get());
    edit->SetSpinType(sptTime);
    edit->SetEditMask("!90:00:00;1;_");
    edit->SetText("");
    edit->SetSelStart(0);
    for (const char c : std::string("0945x12"))
        SendKey(edit, c == 'x' ? Qt::Key_X : Qt::Key_0 + (c - '0'), QString(QChar(c)));
    EXPECT_EQ(edit->Text(), "09:45:12"); // the letter is refused, the colons are the mask's
    EXPECT_EQ(edit->TimeValue(), EncodeTime(9, 45, 12, 0));
    edit->SetSelStart(1);
    SendKey(edit, Qt::Key_Up); // the hour, where the caret stands, steps
    EXPECT_EQ(edit->Text(), "10:45:12");
}
