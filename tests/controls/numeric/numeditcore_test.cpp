#include "controls/numeric/numeditcore.h"

#include <gtest/gtest.h>

#include <limits>

#include "fakenumedit.h"
#include "separators.h"

namespace {

class NumEditTest : public ::testing::Test {
protected:
    SeparatorScope Separators{'.', ','};
    FakeNumEdit E;
    int Limits = 0;
    int ValueChanges = 0;

    void SetUp() override {
        E.OnLimit = [this](TObject* s) {
            EXPECT_EQ(s, &E);
            ++Limits;
        };
        E.OnValueChanged = [this](TObject*) { ++ValueChanges; };
    }
    // An integer control as the tournament windows place them.
    void MakeIntSpin(double min, double max, float increment, const std::string& text) {
        E.SetEditBase(ebInt);
        E.SetOptions({eoLimitMax, eoLimitMin});
        E.SetMinValue(min);
        E.SetMaxValue(max);
        E.SetIncrement(increment);
        E.Type(text);
        E.StrToValue(true); // the window is made: its text is committed
        Limits = 0;
    }
};

} // namespace

TEST_F(NumEditTest, CreationDefaults) {
    EXPECT_EQ(E.Text, "0");
    EXPECT_EQ(E.Value(), 0);
    EXPECT_EQ(E.State(), esNormal);
    EXPECT_EQ(E.EditBase(), ebFloat);
    EXPECT_EQ(E.FormatStr(), "#0.#");
    EXPECT_EQ(E.ColorDefault(), NumClWindow);
    EXPECT_EQ(E.ColorError(), NumClRed);
    EXPECT_EQ(E.ColorEditing(), NumClLime);
    EXPECT_EQ(E.Increment(), 1.0F);
    EXPECT_TRUE(E.EditorEnabled());
    EXPECT_EQ(E.Options(), TNumEditOptions{});
}

TEST_F(NumEditTest, TextGivenAtCreationIsCommittedWithoutValueChanged) {
    E.SetEditBase(ebInt);
    E.Type("4");
    EXPECT_EQ(E.Value(), 4);
    EXPECT_EQ(E.ValueAsBool(), "100");
    EXPECT_EQ(E.State(), esNormal);
    EXPECT_EQ(ValueChanges, 0);
}

TEST_F(NumEditTest, TypingValidatesAndColoursButCommitsOnlyOnEnter) {
    E.Commit("5");
    ASSERT_EQ(E.Value(), 5);
    E.Type("7");
    EXPECT_EQ(E.State(), esEditing);
    EXPECT_EQ(E.Color, NumClLime);
    EXPECT_EQ(E.Value(), 5);
    E.Type("5"); // back to the committed text
    EXPECT_EQ(E.State(), esNormal);
    EXPECT_EQ(E.Color, NumClWindow);
    E.Type("");
    EXPECT_EQ(E.State(), esEditing);
    E.Type("8");
    E.Enter();
    EXPECT_EQ(E.Value(), 8);
    EXPECT_EQ(E.State(), esNormal);
    EXPECT_EQ(E.Color, NumClWindow);
}

TEST_F(NumEditTest, InvalidCharacterGivesTheErrorState) {
    E.SetEditBase(ebInt);
    E.Commit("5");
    const int beeps = E.Beeps;
    E.Type("2m");
    EXPECT_EQ(E.State(), esError);
    EXPECT_EQ(E.Color, NumClRed);
    EXPECT_EQ(E.Beeps, beeps + 1);
    EXPECT_EQ(E.ErrorShown, 1);
    EXPECT_GE(E.FocusTaken, 1);
    EXPECT_EQ(E.SelStart, 1);
    EXPECT_EQ(E.SelLength, 1);
    E.Enter(); // still wrong: the value stays
    EXPECT_EQ(E.Value(), 5);
    EXPECT_EQ(E.Beeps, beeps + 1); // the state did not change again
}

TEST_F(NumEditTest, SIPrefixes) {
    E.SetEditBase(ebInt);
    E.Commit("2k");
    EXPECT_EQ(E.Value(), 2000);
    EXPECT_EQ(E.Text, "2000");
    E.SetEditBase(ebFloat);
    E.Commit("2m");
    EXPECT_DOUBLE_EQ(E.Value(), 0.002);
    E.Commit("k");
    EXPECT_EQ(E.Value(), 1000);
}

TEST_F(NumEditTest, SignAloneAndExponentAlone) {
    E.Commit("5");
    E.Commit("-");
    EXPECT_EQ(E.Value(), 0);
    EXPECT_EQ(E.Text, "0");
    E.Commit("E3");
    EXPECT_EQ(E.Value(), 1000);
    E.SetEditBase(ebInt);
    E.Commit("-");
    EXPECT_EQ(E.Value(), 0);
}

TEST_F(NumEditTest, SecondDecimalSeparatorIsSelected) {
    E.Type("1.2.3");
    EXPECT_EQ(E.State(), esError);
    EXPECT_EQ(E.SelStart, 3);
    EXPECT_EQ(E.SelLength, 1);
}

TEST_F(NumEditTest, PrefixedTextIsShownInTheControlsOwnBase) {
    E.Commit("$1F");
    EXPECT_EQ(E.Value(), 31);
    EXPECT_EQ(E.Text, "31");
    E.Commit("&101");
    EXPECT_EQ(E.Value(), 5);
    E.Commit("%12");
    EXPECT_EQ(E.Value(), 12);
}

TEST_F(NumEditTest, SpinAtItsMaximum) {
    MakeIntSpin(4, 96, 2, "94");
    EXPECT_EQ(Limits, 0);
    E.IncrementValue();
    EXPECT_EQ(E.Text, "96");
    EXPECT_TRUE(E.AtMax());
    EXPECT_EQ(Limits, 1);
    const int changes = E.Changes;
    const int beeps = E.Beeps;
    E.KeyDown(NumVkUp); // takes the path of any other key
    EXPECT_EQ(E.Value(), 96);
    EXPECT_EQ(E.Changes, changes + 1);
    EXPECT_EQ(E.Beeps, beeps);
    E.IncrementValue(); // the arrow itself: blocked with a beep
    EXPECT_EQ(E.Beeps, beeps + 1);
    E.KeyDown(NumVkDown);
    EXPECT_EQ(E.Value(), 94);
    EXPECT_FALSE(E.AtMax());
    EXPECT_EQ(Limits, 2);
    E.Commit("100");
    EXPECT_EQ(E.Text, "96");
    EXPECT_EQ(E.Value(), 96);
}

TEST_F(NumEditTest, SpinAtItsMinimum) {
    MakeIntSpin(4, 96, 2, "6");
    E.KeyDown(NumVkDown);
    EXPECT_EQ(E.Value(), 4);
    EXPECT_TRUE(E.AtMin());
    E.KeyDown(NumVkDown);
    EXPECT_EQ(E.Value(), 4);
    E.Commit("1");
    EXPECT_EQ(E.Text, "4");
}

TEST_F(NumEditTest, LoweringTheMaximumMovesTheValueOnlyWithTheLimitOn) {
    E.Commit("50");
    E.SetMaxValue(10);
    EXPECT_EQ(E.Value(), 50);
    E.SetOptions({eoLimitMax});
    EXPECT_EQ(E.Value(), 10); // the options commit the text again
    E.SetMaxValue(8);
    EXPECT_EQ(E.Value(), 8);
    EXPECT_EQ(E.Text, "8");
}

TEST_F(NumEditTest, RaisingTheMaximumFreesTheUpArrow) {
    MakeIntSpin(4, 96, 2, "96");
    ASSERT_TRUE(E.AtMax());
    E.SetMaxValue(200);
    EXPECT_FALSE(E.AtMax());
    E.KeyDown(NumVkUp);
    EXPECT_EQ(E.Value(), 98);
}

TEST_F(NumEditTest, SwitchingALimitOffClearsItsFlag) {
    MakeIntSpin(4, 96, 2, "96");
    ASSERT_TRUE(E.AtMax());
    E.SetOptions({eoLimitMin});
    EXPECT_FALSE(E.AtMax());
    E.IncrementValue();
    EXPECT_EQ(E.Value(), 98);
}

TEST_F(NumEditTest, IntegerBaseRange) {
    E.SetEditBase(ebInt);
    E.Commit("2147483647");
    EXPECT_EQ(E.Text, "2147483647");
    E.Type("2.5");
    EXPECT_EQ(E.State(), esError);
    E.SetEditBase(ebFloat);
    E.SetValue(2.5);
    EXPECT_EQ(E.ValueAsInt(), 2);
    E.SetValue(3.5);
    EXPECT_EQ(E.ValueAsInt(), 4);
}

TEST_F(NumEditTest, TypedNumberBeyondTheRangeIsLimitedNotRaised) {
    E.SetEditBase(ebInt);
    EXPECT_NO_THROW(E.Commit("99999999999"));
    EXPECT_EQ(E.Text, "2147483647");
    EXPECT_EQ(E.State(), esNormal);
    EXPECT_NO_THROW(E.Commit("-99999999999"));
    EXPECT_EQ(E.Text, "-2147483647");
    E.SetEditBase(ebHex);
    EXPECT_NO_THROW(E.Commit("123456789A"));
    EXPECT_EQ(E.Text, "7FFFFFFF");
    E.SetEditBase(ebFloat);
    EXPECT_NO_THROW(E.Commit("1e400"));
    EXPECT_DOUBLE_EQ(E.Value(), 1.7e308);
    EXPECT_NO_THROW(E.Commit("-1e400"));
    EXPECT_EQ(E.Value(), std::numeric_limits<double>::lowest());
    E.Commit("-1.75e308"); // a double: no lower clamp
    EXPECT_EQ(E.Value(), -1.75e308);
    E.Commit("1.75e308"); // above the upper bound
    EXPECT_DOUBLE_EQ(E.Value(), 1.7e308);
}

TEST_F(NumEditTest, NumberBeyondTheRangeMeetsTheLimits) {
    MakeIntSpin(4, 96, 2, "10");
    E.Type("99999999999");
    EXPECT_NO_THROW(E.Exit());
    EXPECT_EQ(E.Text, "96");
    EXPECT_TRUE(E.AtMax());
}

TEST_F(NumEditTest, MalformedNumberIsAnErrorState) {
    E.Commit("5");
    EXPECT_NO_THROW(E.Commit("1e5.3"));
    EXPECT_EQ(E.State(), esError);
    EXPECT_EQ(E.Value(), 5);
    EXPECT_EQ(E.SelStart, 0);
    EXPECT_EQ(E.SelLength, 5);
}

TEST_F(NumEditTest, BinaryViews) {
    E.SetValue(5);
    EXPECT_EQ(E.ValueAsBool(), "101");
    E.SetValue(0);
    EXPECT_EQ(E.ValueAsBool(), "0");
    E.SetValue(-1);
    EXPECT_EQ(E.ValueAsBool(), std::string(32, '1'));
    EXPECT_EQ(E.ValueAsHex(), "FFFFFFFF");
}

TEST_F(NumEditTest, HexControlRoundTripsNegativeValues) {
    E.SetEditBase(ebHex);
    E.SetValue(-1);
    EXPECT_EQ(E.Text, "FFFFFFFF");
    E.Enter();
    EXPECT_EQ(E.Value(), -1);
    E.Commit("ff");
    EXPECT_EQ(E.Text, "FF");
    EXPECT_EQ(E.Value(), 255);
}

TEST_F(NumEditTest, EditorDisabledSwallowsEveryCharacterButSteps) {
    E.SetEditorEnabled(false);
    const int beeps = E.Beeps;
    EXPECT_EQ(E.Press('5'), '\0');
    EXPECT_EQ(E.Press('\r'), '\0');
    EXPECT_EQ(E.Beeps, beeps + 2);
    E.KeyDown(NumVkUp);
    EXPECT_EQ(E.Value(), 1);
    E.IncrementValue();
    EXPECT_EQ(E.Value(), 2);
}

TEST_F(NumEditTest, EnterIsSwallowedAndOtherCharactersPass) {
    EXPECT_EQ(E.Press('7'), '7');
    E.Type("");
    EXPECT_EQ(E.Press('\r'), '\0');
    EXPECT_EQ(E.Text, "0");
    EXPECT_EQ(E.State(), esNormal);
}

TEST_F(NumEditTest, EscapeRestoresTheText) {
    E.Commit("5");
    E.Type("77");
    ASSERT_EQ(E.State(), esEditing);
    const int changes = E.Changes;
    E.KeyDown(NumVkEscape);
    EXPECT_EQ(E.Text, "5");
    EXPECT_EQ(E.State(), esNormal);
    EXPECT_EQ(E.Changes, changes + 1);
    E.Type("5x");
    E.KeyDown(NumVkEscape);
    EXPECT_EQ(E.Text, "5");
    EXPECT_EQ(E.State(), esNormal);
}

TEST_F(NumEditTest, ExitCommitsAndAnEmptyTextBecomesZero) {
    E.Commit("5");
    E.Type("");
    E.Exit();
    EXPECT_EQ(E.Text, "0");
    EXPECT_EQ(E.Value(), 0);
    E.Type("9");
    E.Exit();
    EXPECT_EQ(E.Value(), 9);
    EXPECT_EQ(E.State(), esNormal);
}

TEST_F(NumEditTest, ValueChangedFiresWhenAFormattingChangesTheText) {
    E.Commit("5");
    ValueChanges = 0;
    E.Commit("5.0"); // shows "5" again: the text was "5" as of the last formatting
    EXPECT_EQ(ValueChanges, 0);
    E.SetValue(6);
    EXPECT_EQ(ValueChanges, 1);
    E.SetValue(6);
    EXPECT_EQ(ValueChanges, 1);
}

TEST_F(NumEditTest, MultiplicativeStepsInTheFloatBase) {
    E.SetOptions({eoMultiply});
    E.SetIncrement(10);
    E.Commit("2");
    E.IncrementValue();
    EXPECT_EQ(E.Value(), 20);
    E.DecrementValue();
    E.DecrementValue();
    EXPECT_DOUBLE_EQ(E.Value(), 0.2);
    E.Commit("0"); // from 0 a product would stay 0: the step adds
    E.IncrementValue();
    EXPECT_EQ(E.Value(), 10);
    E.SetEditBase(ebInt);
    E.IncrementValue(); // only the float base multiplies
    EXPECT_EQ(E.Value(), 20);
}

TEST_F(NumEditTest, StepsFireOnChangeAndReadOnlyBlocksThem) {
    E.IncrementValue();
    EXPECT_EQ(E.Changes, 1);
    E.ReadOnly = true;
    const int beeps = E.Beeps;
    E.IncrementValue();
    E.DecrementValue();
    EXPECT_EQ(E.Value(), 1);
    EXPECT_EQ(E.Beeps, beeps + 2);
    EXPECT_EQ(E.Changes, 1);
}

TEST_F(NumEditTest, StepThatKeepsTheTextDoesNotSwallowTheNextTyping) {
    E.SetIncrement(0.01F);
    E.Commit("2");
    E.IncrementValue(); // 2.01 shows "2" again
    EXPECT_EQ(E.Text, "2");
    E.Type("3x");
    EXPECT_EQ(E.State(), esError);
}

TEST_F(NumEditTest, ValueAsIntIgnoresTheLimits) {
    MakeIntSpin(4, 96, 2, "10");
    E.SetValueAsInt(200);
    EXPECT_EQ(E.Value(), 200);
    E.SetValue(300);
    EXPECT_EQ(E.Value(), 96);
}

TEST_F(NumEditTest, ValueAsHexAndAsBoolSetters) {
    E.SetValueAsHex("1F");
    EXPECT_EQ(E.Value(), 31);
    EXPECT_EQ(E.Text, "31");
    E.SetValueAsBool("110");
    EXPECT_EQ(E.Value(), 6);
    E.SetEditBase(ebBin);
    EXPECT_EQ(E.Text, "110");
    E.SetValueAsBool("1111");
    EXPECT_EQ(E.Value(), 15);
}

TEST_F(NumEditTest, ValueAsSingleSetter) {
    E.SetValueAsSingle(2.5F);
    EXPECT_EQ(E.Value(), 2.5);
    EXPECT_EQ(E.Text, "2.5");
    // A text being edited is replaced by the value given, even the same one.
    E.Type("7");
    ASSERT_EQ(E.State(), esEditing);
    E.SetValueAsSingle(2.5F);
    EXPECT_EQ(E.Text, "2.5");
    EXPECT_EQ(E.State(), esNormal);
}

TEST_F(NumEditTest, EditBaseShowsTheStoredValue) {
    E.Commit("255");
    E.SetEditBase(ebHex);
    EXPECT_EQ(E.Text, "FF");
    E.SetEditBase(ebBin);
    EXPECT_EQ(E.Text, "11111111");
    E.SetEditBase(ebInt);
    EXPECT_EQ(E.Text, "255");
    EXPECT_EQ(E.State(), esNormal);
}

TEST_F(NumEditTest, FormatStrReformats) {
    E.Commit("2.5");
    E.SetFormatStr("0.00");
    EXPECT_EQ(E.Text, "2.50");
    EXPECT_EQ(E.State(), esNormal);
}

TEST_F(NumEditTest, ColorDefaultAppliesAtOnce) {
    E.Commit("1");
    E.SetColorDefault(0x00FFFF);
    EXPECT_EQ(E.Color, 0x00FFFF);
    E.Type("3");
    EXPECT_EQ(E.Color, NumClLime);
    E.Enter();
    EXPECT_EQ(E.Color, 0x00FFFF);
}

TEST_F(NumEditTest, DesigningCommitsEveryChange) {
    E.Designing = true;
    E.Commit("5");
    E.Type("7");
    EXPECT_EQ(E.Value(), 7);
    EXPECT_EQ(E.State(), esNormal);
}
