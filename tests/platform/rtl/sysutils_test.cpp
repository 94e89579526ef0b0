#include <gtest/gtest.h>

#include "platform/rtl/sysutils.h"

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

TEST(SysUtils, PositionsAreOneBased) {
    EXPECT_EQ(Pos("b", "abcb"), 2);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(PosEx("b", "abcb", 3), 4);
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abc", 3, 10), "c");
    EXPECT_EQ(Copy("abc", 4, 1), "");
    EXPECT_EQ(Copy("abc", 0, 2), "ab");
    std::string s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Insert("XY", s, 2);
    EXPECT_EQ(s, "aXYdef");
    Insert("!", s, 100);
    EXPECT_EQ(s, "aXYdef!");
    EXPECT_EQ(LastDelimiter("/.", "a/b.c"), 4);
    EXPECT_EQ(StringReplace("aAa", "a", "b", rfReplaceAll), "bAb");
    EXPECT_EQ(StringReplace("aAa", "a", "b", TReplaceFlags{rfReplaceAll, rfIgnoreCase}), "bbb");
    EXPECT_EQ(StringReplace("aAa", "a", "b", {}), "bAa");
}

TEST(SysUtils, Integers) {
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-7"), -7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToIntDef("12a", -1), -1);
    EXPECT_EQ(StrToIntDef("", 5), 5);
    EXPECT_EQ(StrToIntDef("2147483648", 0), 0);
    EXPECT_EQ(StrToIntDef("-2147483648", 0), INT32_MIN);
    EXPECT_THROW(StrToInt("x"), EConvertError);
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    int64_t v = 0;
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", v));
    EXPECT_TRUE(TryStrToInt64("-9223372036854775808", v));
    EXPECT_EQ(v, INT64_MIN);
}

TEST(SysUtils, FloatsFollowTheDecimalSeparator) {
    TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = '.';
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-2e3"), -2000.0);
    EXPECT_EQ(StrToFloatDef("1,5", -1), -1);
    EXPECT_EQ(StrToFloatDef("nan", -1), -1);
    EXPECT_EQ(StrToFloatDef(".", -1), -1);
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
    FormatSettings() = saved;
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
