#include "controls/numeric/numbase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "separators.h"

namespace {

class NumParseTest : public ::testing::Test {
protected:
    SeparatorScope Separators{'.', ','};
};

double ValueOf(const std::string& text, TEditBase base) {
    const TNumParse p = ParseNumberText(text, base);
    EXPECT_TRUE(p.Valid) << text;
    return p.Value;
}

void ExpectBad(const std::string& text, TEditBase base, int first, int last) {
    const TNumParse p = ParseNumberText(text, base);
    EXPECT_FALSE(p.Valid) << text;
    EXPECT_EQ(p.FirstBad, first) << text;
    EXPECT_EQ(p.LastBad, last) << text;
}

} // namespace

TEST_F(NumParseTest, EmptyTextIsNothingToRead) {
    const TNumParse p = ParseNumberText("", ebInt);
    EXPECT_TRUE(p.Empty);
    EXPECT_TRUE(p.Valid);
}

TEST_F(NumParseTest, SISuffixesInTheIntegerBaseOnlyMultiply) {
    EXPECT_EQ(ValueOf("2k", ebInt), 2000);
    EXPECT_EQ(ValueOf("3M", ebInt), 3000000);
    EXPECT_EQ(ValueOf("k", ebInt), 1000);
    ExpectBad("2m", ebInt, 2, 2);
}

TEST_F(NumParseTest, SISuffixesInTheFloatBase) {
    EXPECT_DOUBLE_EQ(ValueOf("2m", ebFloat), 0.002);
    EXPECT_EQ(ValueOf("k", ebFloat), 1000);
    EXPECT_DOUBLE_EQ(ValueOf("1.5u", ebFloat), 1.5e-6);
    EXPECT_EQ(ValueOf("1E", ebFloat), 1e18); // E as the last character is exa
    EXPECT_DOUBLE_EQ(ValueOf("4a", ebFloat), 4e-18);
}

TEST_F(NumParseTest, SIFactorsAreExactDoubles) {
    EXPECT_EQ(SIFactor('k'), 1000.0);
    EXPECT_EQ(SIFactor('m'), 0.001);
    EXPECT_EQ(SIFactor('u'), 1e-6);
    EXPECT_EQ(SIFactor('n'), 1e-9);
    EXPECT_EQ(SIFactor('E'), 1e18);
    EXPECT_EQ(SIFactor('x'), 0);
    EXPECT_EQ(SIFactor('\0'), 0);
    // A float-held factor would give 0.0010000000474974513 here.
    EXPECT_EQ(ValueOf("1m", ebFloat), 0.001);
}

TEST_F(NumParseTest, SignAloneAndLeadingExponent) {
    EXPECT_EQ(ValueOf("-", ebFloat), 0);
    EXPECT_EQ(ValueOf("-", ebInt), 0);
    EXPECT_EQ(ValueOf("+", ebInt), 0);
    EXPECT_EQ(ValueOf("E3", ebFloat), 1000);
    EXPECT_EQ(ValueOf("e-3", ebFloat), 0.001);
    EXPECT_EQ(ValueOf("-E3", ebFloat), -1000);
}

TEST_F(NumParseTest, ThousandSeparatorsGoAfterTheSignAndSuffixRules) {
    // Separators alone before a suffix are an empty number, not "1".
    EXPECT_EQ(ValueOf(",k", ebInt), 0);
    EXPECT_EQ(ValueOf(",", ebInt), 0);
    EXPECT_EQ(ValueOf("1,k", ebInt), 1000);
    // A sign with separators is no sign alone: it makes no number.
    ExpectBad("-,", ebInt, 1, 2);
    ExpectBad("-,", ebFloat, 1, 2);
}

TEST_F(NumParseTest, SecondDecimalSeparatorIsFlaggedAlone) {
    ExpectBad("1.2.3", ebFloat, 4, 4);
    ExpectBad("1.2.3.4", ebFloat, 4, 6);
}

TEST_F(NumParseTest, OffendingRangeCoversEveryBadCharacter) {
    // A second decimal separator in front of a wrong character: the range
    // runs from the separator to the character, never backwards.
    ExpectBad("1..x", ebFloat, 3, 4);
    ExpectBad("..\x02", ebFloat, 2, 3);
    ExpectBad("1.5.x.", ebFloat, 4, 6);
}

TEST_F(NumParseTest, BasePrefixesChooseTheBase) {
    TNumParse p = ParseNumberText("$1F", ebFloat);
    EXPECT_TRUE(p.Valid);
    EXPECT_EQ(p.Base, ebHex);
    EXPECT_EQ(p.Value, 31);
    EXPECT_EQ(ValueOf("&101", ebFloat), 5);
    EXPECT_EQ(ValueOf("%12", ebFloat), 12);
    EXPECT_EQ(ValueOf("!2.5", ebInt), 2.5);
    EXPECT_EQ(ValueOf("$", ebInt), 0);
    EXPECT_EQ(ValueOf("%k", ebFloat), 1000);
}

TEST_F(NumParseTest, HexadecimalIsAThirtyTwoBitPattern) {
    EXPECT_EQ(ValueOf("ff", ebHex), 255);
    EXPECT_EQ(ValueOf("FFFFFFFF", ebHex), -1); // the text that -1 shows
    EXPECT_EQ(ValueOf("80000000", ebHex), -2147483648.0);
    EXPECT_EQ(ValueOf("1FFFFFFFF", ebHex), 2147483647.0); // beyond 32 bits: limited
    ExpectBad("-1", ebHex, 1, 1);
    ExpectBad("1G", ebHex, 2, 2);
}

TEST_F(NumParseTest, BinaryDigits) {
    EXPECT_EQ(ValueOf("101", ebBin), 5);
    EXPECT_EQ(ValueOf(std::string(32, '1'), ebBin), -1);
    ExpectBad("102", ebBin, 3, 3);
    ExpectBad("1k", ebBin, 2, 2); // no SI prefixes in binary
}

TEST_F(NumParseTest, IntegerBase) {
    EXPECT_EQ(ValueOf("2147483647", ebInt), 2147483647);
    EXPECT_EQ(ValueOf("-42", ebInt), -42);
    EXPECT_EQ(ValueOf("1,000", ebInt), 1000);
    ExpectBad("2.5", ebInt, 2, 2);
    ExpectBad("1-2", ebInt, 2, 2);
    ExpectBad("1e3", ebInt, 2, 2);
}

TEST_F(NumParseTest, IntegerBeyondThirtyTwoBitsIsLimitedWithoutRaising) {
    EXPECT_EQ(ValueOf("99999999999", ebInt), 2147483647.0);
    EXPECT_EQ(ValueOf("-99999999999", ebInt), -2147483648.0);
    // Also when a prefix names the integer bases in a floating-point control.
    EXPECT_EQ(ValueOf("%99999999999", ebFloat), 2147483647.0);
    EXPECT_EQ(ValueOf("$123456789A", ebFloat), 2147483647.0);
    EXPECT_EQ(ValueOf("%2147483647k", ebFloat), 2147483647000.0); // the suffix comes after
    EXPECT_NO_THROW(ParseNumberText(std::string(400, '9'), ebInt));
    EXPECT_NO_THROW(ParseNumberText(std::string(400, 'F'), ebHex));
}

TEST_F(NumParseTest, FloatBase) {
    EXPECT_EQ(ValueOf("2.5", ebFloat), 2.5);
    EXPECT_EQ(ValueOf("-.5", ebFloat), -0.5);
    EXPECT_EQ(ValueOf("1,234.5", ebFloat), 1234.5);
    EXPECT_EQ(ValueOf("1.5e3", ebFloat), 1500);
    EXPECT_EQ(ValueOf("1.5E+3", ebFloat), 1500);
    EXPECT_EQ(ValueOf("2e2k", ebFloat), 200000);
    ExpectBad("1e5e3", ebFloat, 4, 4);
    ExpectBad("1e--3", ebFloat, 4, 4);
    ExpectBad("1x", ebFloat, 2, 2);
}

TEST_F(NumParseTest, CharactersThatMakeNoNumberAreInvalidNotRaised) {
    ExpectBad("1e", ebFloat, 1, 2);
    ExpectBad("1e5.3", ebFloat, 1, 5);
    ExpectBad(".", ebFloat, 1, 1);
    ExpectBad("!1e+", ebFloat, 2, 4);
}

TEST_F(NumParseTest, FloatBeyondTheDoubleRangeReadsAsInfinite) {
    EXPECT_TRUE(std::isinf(ValueOf("1e400", ebFloat)));
    EXPECT_TRUE(std::isinf(ValueOf("-1e400", ebFloat)));
}

TEST(NumParseSeparators, CommaDecimalWithPointThousands) {
    SeparatorScope s(',', '.');
    EXPECT_EQ(ValueOf("1.000,5", ebFloat), 1000.5);
    ExpectBad("1,2,3", ebFloat, 4, 4);
    EXPECT_EQ(EditBaseRow(ebFloat).Valid, ",.0123456789");
}

TEST(NumParseSeparators, ChangedSeparatorTakesEffectAtOnce) {
    SeparatorScope s('.', ',');
    EXPECT_EQ(ValueOf("2.5", ebFloat), 2.5);
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    EXPECT_EQ(ValueOf("2,5", ebFloat), 2.5); // check and conversion agree
}

TEST(NumParseSeparators, EmptyThousandSeparatorIsNoPattern) {
    SeparatorScope s('.', '\0');
    EXPECT_EQ(EditBaseRow(ebInt).Valid, "0123456789");
    EXPECT_EQ(EditBaseRow(ebFloat).Valid, ".0123456789");
    EXPECT_EQ(ThousandSeparatorInUse(), '\0');
    ExpectBad("1,000", ebInt, 2, 2);
}

TEST(NumParseSeparators, ThousandSeparatorEqualToTheDecimalOneIsIgnored) {
    SeparatorScope s('.', '.');
    EXPECT_EQ(ThousandSeparatorInUse(), '\0');
    EXPECT_EQ(ValueOf("1.5", ebFloat), 1.5);
}

TEST(NumViews, ClampsIntoTheBaseRange) {
    EXPECT_EQ(MakeNumViews(99999999999.0L, ebInt, 0, 0).Value, 2147483647);
    EXPECT_EQ(MakeNumViews(-99999999999.0L, ebInt, 0, 0).Value, -2147483647);
    EXPECT_EQ(MakeNumViews(-2147483648.0L, ebHex, 0, 0).AsHex, "80000001");
    EXPECT_DOUBLE_EQ(MakeNumViews(1e400L, ebFloat, 0, 0).Value, 1.7e308);
    // Below: every double stands; only what lies beyond them becomes the lowest.
    EXPECT_EQ(MakeNumViews(-1.75e308L, ebFloat, 0, 0).Value, -1.75e308);
    EXPECT_EQ(MakeNumViews(-INFINITY, ebFloat, 0, 0).Value, std::numeric_limits<double>::lowest());
    EXPECT_EQ(MakeNumViews(NAN, ebFloat, 0, 0).Value, 0);
}

TEST(NumViews, IntegerViewRoundsHalvesToEven) {
    EXPECT_EQ(MakeNumViews(2.5L, ebFloat, 0, 0).AsInt, 2);
    EXPECT_EQ(MakeNumViews(3.5L, ebFloat, 0, 0).AsInt, 4);
    EXPECT_EQ(MakeNumViews(-2.5L, ebFloat, 0, 0).AsInt, -2);
    EXPECT_EQ(MakeNumViews(1e12L, ebFloat, 0, 0).AsInt, 2147483647);
    EXPECT_EQ(MakeNumViews(-1e12L, ebFloat, 0, 0).AsInt, -2147483647);
}

TEST(NumViews, SingleView) {
    EXPECT_EQ(MakeNumViews(1e300L, ebFloat, 0, 0).AsSingle, 3.4e38F);
    EXPECT_EQ(MakeNumViews(-1e300L, ebFloat, 0, 0).AsSingle, -3.4e38F);
    EXPECT_EQ(MakeNumViews(0.5L, ebFloat, 0, 0).AsSingle, 0.5F);
}

TEST(NumViews, BinaryAndHexadecimalDigits) {
    EXPECT_EQ(MakeNumViews(5, ebInt, 0, 0).AsBool, "101");
    EXPECT_EQ(MakeNumViews(0, ebInt, 0, 0).AsBool, "0");
    EXPECT_EQ(MakeNumViews(-1, ebInt, 0, 0).AsBool, std::string(32, '1'));
    EXPECT_EQ(MakeNumViews(-1, ebInt, 0, 0).AsHex, "FFFFFFFF");
    EXPECT_EQ(MakeNumViews(255, ebInt, 4, 0).AsHex, "00FF");
    EXPECT_EQ(MakeNumViews(255, ebInt, 0, 0).AsHex, "FF");
}

TEST(NumViews, TextInEachBase) {
    SeparatorScope s('.', ',');
    const TNumViews v = MakeNumViews(2.5L, ebFloat, 0, 0);
    EXPECT_EQ(NumViewText(v, ebFloat, "#0.#"), "2.5");
    EXPECT_EQ(NumViewText(v, ebFloat, "0.00"), "2.50");
    EXPECT_EQ(NumViewText(v, ebInt, "#0.#"), "2");
    EXPECT_EQ(NumViewText(v, ebHex, ""), "2");
    EXPECT_EQ(NumViewText(v, ebBin, ""), "10");
}
