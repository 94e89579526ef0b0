#include <gtest/gtest.h>

#include "platform/rtl/sysutils.h"
#include "settingsguard.h"

TEST(SysUtils, TrimAndCase) {
    EXPECT_EQ(Trim("  \tab c \r\n"), "ab c");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(UpperCase("abc\xe9"), "ABC\xe9");
    EXPECT_EQ(AnsiUpperCase("abc\xe9\xff\x9a"), "ABC\xc9\x9f\x8a");
    EXPECT_EQ(AnsiLowerCase("\xc9\xd7"), "\xe9\xd7"); // the multiplication sign stays
    EXPECT_EQ(AnsiUpperCase("\xf7"), "\xf7");         // so does the division sign
    EXPECT_EQ(CompareText("abc", "ABD"), -1);
    EXPECT_TRUE(SameText("Jan", "JAN"));
}

TEST(SysUtils, TrimStopsAtTheFirstPrintableCharacter) {
    EXPECT_EQ(TrimRight(" "), "");
    EXPECT_EQ(TrimLeft("\x1f"), "");
    EXPECT_EQ(Trim("!a!"), "!a!"); // the first printable character
    EXPECT_EQ(TrimRight("a"), "a");
    EXPECT_EQ(Trim(""), "");
}

TEST(SysUtils, AccentedCaseReachesTheEndsOfTheLetterRange) {
    EXPECT_EQ(AnsiLowerCase("\xc0\xde"), "\xe0\xfe");
    EXPECT_EQ(AnsiUpperCase("\xe0\xfe"), "\xc0\xde");
    EXPECT_EQ(AnsiLowerCase("\xdf"), "\xdf"); // sharp s has no capital
    EXPECT_EQ(AnsiCompareText("\xe9t\xe9", "\xc9T\xc9"), 0);
}

struct PosCase {
    const char* Sub;
    const char* Text;
    int Offset;
    int Expected;
};

class PosExTable : public ::testing::TestWithParam<PosCase> {};

TEST_P(PosExTable, FindsFromTheOffset) {
    const PosCase& c = GetParam();
    EXPECT_EQ(PosEx(c.Sub, c.Text, c.Offset), c.Expected);
    if (c.Offset == 1) {
        EXPECT_EQ(Pos(c.Sub, c.Text), c.Expected);
    }
}

// Among them a match at the last character, and an offset just past it.
INSTANTIATE_TEST_SUITE_P(SysUtils, PosExTable,
                         ::testing::Values(PosCase{"b", "abcb", 1, 2}, PosCase{"x", "abc", 1, 0},
                                           PosCase{"", "abc", 1, 0}, PosCase{"b", "abcb", 3, 4},
                                           PosCase{"c", "abc", 3, 3}, PosCase{"c", "abc", 4, 0},
                                           PosCase{"abc", "abc", 1, 1}, PosCase{"bc", "abc", 2, 2},
                                           PosCase{"a", "abc", 0, 0},
                                           PosCase{"abcd", "abc", 1, 0}));

TEST(SysUtils, CopyDeleteAndInsertAtTheEnds) {
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abc", 3, 10), "c");
    EXPECT_EQ(Copy("abc", 4, 1), "");
    EXPECT_EQ(Copy("abc", 0, 2), "ab");
    EXPECT_EQ(Copy("abc", 1, 0), "");
    std::string s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 4, 1); // the last character
    EXPECT_EQ(s, "ade");
    Delete(s, 4, 1); // past the end: nothing
    EXPECT_EQ(s, "ade");
    Delete(s, 1, 100);
    EXPECT_EQ(s, "");
    s = "def";
    Insert("XY", s, 2);
    EXPECT_EQ(s, "dXYef");
    Insert("<", s, 1);
    EXPECT_EQ(s, "<dXYef");
    Insert("!", s, 100);
    EXPECT_EQ(s, "<dXYef!");
    Insert(">", s, 0);
    EXPECT_EQ(s, "><dXYef!");
    EXPECT_EQ(StringOfChar('-', 3), "---");
    EXPECT_EQ(StringOfChar('-', -1), "");
}

TEST(SysUtils, DelimitersAndReplacing) {
    EXPECT_EQ(LastDelimiter("/.", "a/b.c"), 4);
    EXPECT_EQ(LastDelimiter("/", "a/"), 2);
    EXPECT_EQ(LastDelimiter("/", "/a"), 1);
    EXPECT_EQ(LastDelimiter("/", "abc"), 0);
    EXPECT_EQ(StringReplace("aAa", "a", "b", rfReplaceAll), "bAb");
    EXPECT_EQ(StringReplace("aAa", "a", "b", TReplaceFlags{rfReplaceAll, rfIgnoreCase}), "bbb");
    EXPECT_EQ(StringReplace("aAa", "a", "b", {}), "bAa");
    EXPECT_EQ(StringReplace("abab", "ab", "", rfReplaceAll), "");
    EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
}

TEST(SysUtils, StartsAndEndsTextUpToTheWholeText) {
    EXPECT_TRUE(StartsText("abc", "ABC"));
    EXPECT_TRUE(EndsText("abc", "xABC"));
    EXPECT_TRUE(EndsText("ABC", "abc"));
    EXPECT_TRUE(StartsText("", "abc"));
    EXPECT_FALSE(StartsText("abcd", "abc"));
    EXPECT_FALSE(EndsText("xabc", "abc"));
    EXPECT_FALSE(EndsText("b", "abc"));
}

struct IntCase {
    const char* Text;
    bool Valid;
    int64_t Value;
};

class Int64Table : public ::testing::TestWithParam<IntCase> {};

TEST_P(Int64Table, ReadsUpToTheLimits) {
    const IntCase& c = GetParam();
    int64_t v = -12345;
    EXPECT_EQ(TryStrToInt64(c.Text, v), c.Valid);
    EXPECT_EQ(v, c.Valid ? c.Value : -12345); // a failure leaves the value alone
}

INSTANTIATE_TEST_SUITE_P(SysUtils, Int64Table,
                         ::testing::Values(IntCase{" 42 ", true, 42}, IntCase{"-7", true, -7},
                                           IntCase{"$1F", true, 31}, IntCase{"0x1f", true, 31},
                                           IntCase{"+5", true, 5}, IntCase{"12a", false, 0},
                                           IntCase{"", false, 0}, IntCase{"-", false, 0},
                                           IntCase{"$", false, 0},
                                           IntCase{"9223372036854775807", true, INT64_MAX},
                                           IntCase{"9223372036854775808", false, 0},
                                           IntCase{"-9223372036854775808", true, INT64_MIN},
                                           IntCase{"-9223372036854775809", false, 0},
                                           IntCase{"$7FFFFFFFFFFFFFFF", true, INT64_MAX},
                                           IntCase{"$8000000000000000", false, 0}));

TEST(SysUtils, IntegersOfThirtyTwoBits) {
    EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(StrToIntDef("2147483648", 0), 0);
    EXPECT_EQ(StrToIntDef("-2147483648", 0), INT32_MIN);
    EXPECT_EQ(StrToIntDef("-2147483649", 0), 0);
    EXPECT_EQ(StrToIntDef("", 5), 5);
    EXPECT_THROW(StrToInt("x"), EConvertError);
    EXPECT_EQ(StrToInt64Def("x", -3), -3);
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x1234, 2), "1234"); // never cut
    EXPECT_EQ(IntToStr(-45), "-45");
}

TEST(SysUtils, FloatsFollowTheDecimalSeparator) {
    const TFormatSettingsGuard guard;
    FormatSettings().DecimalSeparator = '.';
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-2e3"), -2000.0);
    EXPECT_EQ(StrToFloatDef("1,5", -1), -1);
    EXPECT_EQ(StrToFloatDef("nan", -1), -1);
    EXPECT_EQ(StrToFloatDef(".", -1), -1);
    EXPECT_EQ(StrToFloatDef("1e", -1), -1); // an exponent needs digits
    EXPECT_EQ(StrToFloatDef("1e+", -1), -1);
    EXPECT_DOUBLE_EQ(StrToFloatDef("1e+2", -1), 100);
    EXPECT_DOUBLE_EQ(StrToFloatDef(" .5 ", -1), 0.5);
    EXPECT_EQ(StrToFloatDef("1.5x", -1), -1);
    EXPECT_EQ(FloatToStrF(0.7, ffFixed, 15, 2), "0.70");
    EXPECT_EQ(FloatToStrF(-0.001, ffFixed, 15, 2), "0.00");
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(1e20), "1E+20");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatFloat("0.00", 3.14159), "3.14");
    EXPECT_EQ(FormatFloat("#,##0.0", 1234567.25), "1,234,567.3");
    // Halves at the last decimal go away from zero; values stored just below a
    // half stay below it.
    EXPECT_EQ(FloatToStrF(10.625, ffFixed, 15, 2), "10.63");
    EXPECT_EQ(FloatToStrF(-10.625, ffFixed, 15, 2), "-10.63");
    EXPECT_EQ(FloatToStrF(2.675, ffFixed, 15, 2), "2.67");
    EXPECT_EQ(FloatToStrF(0.5, ffFixed, 15, 0), "1");
    EXPECT_EQ(FloatToStrF(99.95, ffFixed, 15, 1), "100.0");
    EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 0), "1,235");
    EXPECT_EQ(FormatFloat("0.00", 0.125), "0.13");
    FormatSettings().DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_EQ(StrToFloatDef("1.5", -1), -1);
    EXPECT_EQ(FloatToStrF(0.7, ffFixed, 15, 2), "0,70");
}

struct FloatCase {
    double Value;
    TFloatFormat Format;
    int Precision, Digits;
    const char* Expected;
};

class FloatToStrFTable : public ::testing::TestWithParam<FloatCase> {
protected:
    void SetUp() override {
        FormatSettings().DecimalSeparator = '.';
        FormatSettings().ThousandSeparator = ',';
    }
    const TFormatSettingsGuard Guard;
};

TEST_P(FloatToStrFTable, Formats) {
    const FloatCase& c = GetParam();
    EXPECT_EQ(FloatToStrF(c.Value, c.Format, c.Precision, c.Digits), c.Expected);
}

// Plain notation as long as the digits before the point fit the precision and
// the value is at least 0.00001; exponent notation beyond.
INSTANTIATE_TEST_SUITE_P(GeneralSwitchesToExponent, FloatToStrFTable,
                         ::testing::Values(FloatCase{1e14, ffGeneral, 15, 0, "100000000000000"},
                                           FloatCase{1e15, ffGeneral, 15, 0, "1E+15"},
                                           FloatCase{123456, ffGeneral, 6, 0, "123456"},
                                           FloatCase{1234567, ffGeneral, 6, 0, "1.23457E+6"},
                                           FloatCase{0.00001, ffGeneral, 15, 0, "0.00001"},
                                           FloatCase{0.000001, ffGeneral, 15, 0, "1E-6"},
                                           FloatCase{-0.0000015, ffGeneral, 15, 0, "-1.5E-6"},
                                           FloatCase{0.1, ffGeneral, 15, 0, "0.1"},
                                           FloatCase{-0.0, ffGeneral, 15, 0, "0"}));

INSTANTIATE_TEST_SUITE_P(ExponentDigits, FloatToStrFTable,
                         ::testing::Values(FloatCase{1234.6, ffExponent, 4, 2, "1.235E+03"},
                                           FloatCase{1234.6, ffExponent, 4, 0, "1.235E+3"},
                                           FloatCase{1234.6, ffExponent, 4, 4, "1.235E+0003"},
                                           FloatCase{0.00025, ffExponent, 2, 1, "2.5E-4"},
                                           FloatCase{1, ffExponent, 4, 0, "1.000E+0"},
                                           FloatCase{-1e100, ffExponent, 3, 2, "-1.00E+100"}));

INSTANTIATE_TEST_SUITE_P(FixedAndThousands, FloatToStrFTable,
                         ::testing::Values(FloatCase{999.5, ffNumber, 15, 0, "1,000"},
                                           FloatCase{999.4, ffNumber, 15, 0, "999"},
                                           FloatCase{123456.5, ffNumber, 15, 1, "123,456.5"},
                                           FloatCase{-1234567, ffNumber, 15, 0, "-1,234,567"},
                                           FloatCase{0.004, ffFixed, 15, 2, "0.00"},
                                           FloatCase{0.005, ffFixed, 15, 2, "0.01"},
                                           FloatCase{12.5, ffFixed, 15, 0, "13"}));

TEST(SysUtils, FormatFloatPatterns) {
    const TFormatSettingsGuard guard;
    FormatSettings().DecimalSeparator = '.';
    FormatSettings().ThousandSeparator = ',';
    EXPECT_EQ(FormatFloat("0", 2.6), "3");
    EXPECT_EQ(FormatFloat("0.0", 0.04), "0.0");
    EXPECT_EQ(FormatFloat("#0.0", 12.34), "12.3");
    EXPECT_EQ(FormatFloat("0.##", 3), "3"); // no point without decimals
    EXPECT_EQ(FormatFloat("0.##", 3.1), "3.1");
    EXPECT_EQ(FormatFloat("0.##", 3.456), "3.46");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("#,##0.00", 999.999), "1,000.00");
    EXPECT_EQ(FormatFloat("#,##0.00", 100), "100.00");
    EXPECT_EQ(FormatFloat("W=0.0", 2.26), "W=2.3");
    EXPECT_EQ(FormatFloat("0.0 pt", 2.26), "2.3 pt");
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
    EXPECT_EQ(FormatFloat("#,##0", 1234567), "1.234.567");
    EXPECT_EQ(FloatToStrF(-1234567.891, ffNumber, 15, 2), "-1.234.567,89");
    EXPECT_EQ(FloatToStrF(1234.5, ffFixed, 15, 1), "1234,5");
}

TEST(SysUtils, RoundHalvesToEven) {
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.6), 3);
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_DOUBLE_EQ(Frac(2.25), 0.25);
}

TEST(SysUtils, CodePageRoundTrip) {
    const std::string half = "\xbd";
    EXPECT_EQ(Cp1252ToUtf8(half), "\xc2\xbd");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xe2\x82\xac");
    EXPECT_EQ(Utf8ToCp1252("\xe2\x82\xac \xc2\xbd"), "\x80 \xbd");
    EXPECT_EQ(Utf8ToCp1252("\xe4\xb8\xad"), "?");
    EXPECT_EQ(Utf8ToCp1252("\xff"), "\xff"); // not UTF-8: kept as it stands
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(all)), all);
}
