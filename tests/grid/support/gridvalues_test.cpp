#include <gtest/gtest.h>

#include "formatscope.h"
#include "grid/support/gridvalues.h"
#include "platform/rtl/sysutils.h"

namespace {
void ExpectDate(TDateTime d, int y, int m, int day) {
    uint16_t yy = 0, mm = 0, dd = 0;
    DecodeDate(d, yy, mm, dd);
    EXPECT_EQ(yy, y);
    EXPECT_EQ(mm, m);
    EXPECT_EQ(dd, day);
}
} // namespace

TEST(GridValues, StripNumberFormatting) {
    FormatScope scope;
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    EXPECT_EQ(StripNumberFormatting(" \x80 1.234,50 "), "1234.50");
    EXPECT_EQ(StripNumberFormatting("(1.234)"), "-1234");
    EXPECT_EQ(StripNumberFormatting("-12,5 kg"), "-12.5");
    EXPECT_EQ(StripNumberFormatting("abc"), "");
    EXPECT_EQ(StripNumberFormatting("12x34"), "12");
}

TEST(GridValues, NumberKinds) {
    FormatScope scope;
    FormatSettings().DecimalSeparator = '.';
    FormatSettings().ThousandSeparator = ',';
    EXPECT_EQ(GetNumberKind("123"), nkInteger);
    EXPECT_EQ(GetNumberKind("-123"), nkInteger);
    EXPECT_EQ(GetNumberKind("1,234.5"), nkNumber);
    EXPECT_EQ(GetNumberKind("1,234,567"), nkNumber);
    EXPECT_EQ(GetNumberKind("1,23,4"), nkOther);
    EXPECT_EQ(GetNumberKind("--1"), nkOther);
    EXPECT_EQ(GetNumberKind("1.2.3"), nkOther);
    EXPECT_EQ(GetNumberKind("12a"), nkOther);
    EXPECT_EQ(GetNumberKind(""), nkOther);
}

TEST(GridValues, UsAndEuropeanDates) {
    ExpectDate(ParseDateUS("12/31/1999"), 1999, 12, 31);
    ExpectDate(ParseDateEU("31.12.1999"), 1999, 12, 31);
    ExpectDate(ParseDateEU("31-12-99"), 1999, 12, 31);
    ExpectDate(ParseDateUS("2/3/25"), 2025, 2, 3);
    ExpectDate(ParseDateUS("2/3/26"), 1926, 2, 3);
    // Two- and four-digit years sort together.
    EXPECT_LT(ParseDateEU("01-01-1950"), ParseDateEU("01-01-99"));
    EXPECT_LT(ParseDateEU("31-12-99"), ParseDateEU("01-01-2000"));
}

TEST(GridValues, TextThatIsNoDateGivesTheSentinel) {
    EXPECT_EQ(ParseDateUS("13/01/2000"), NoDateKey);
    EXPECT_EQ(ParseDateEU("30.02.2000"), NoDateKey);
    EXPECT_EQ(ParseDateEU("hello"), NoDateKey);
    EXPECT_EQ(ParseDateEU(""), NoDateKey);
    EXPECT_EQ(ParseDateEU("1/2"), NoDateKey);
    EXPECT_LT(ParseDateEU("nonsense"), ParseDateEU("01-01-1900"));
}

TEST(GridValues, StepDateClampsTheDay) {
    ExpectDate(StepDate(EncodeDate(2016, 1, 31), 0, 1, 0, 0), 2016, 2, 29);
    ExpectDate(StepDate(EncodeDate(2016, 2, 29), 1, 0, 0, 0), 2017, 2, 28);
    ExpectDate(StepDate(EncodeDate(2016, 12, 15), 0, 1, 0, 0), 2017, 1, 15);
    ExpectDate(StepDate(EncodeDate(2016, 1, 15), 0, -1, 0, 0), 2015, 12, 15);
    ExpectDate(StepDate(EncodeDate(2016, 1, 15), 0, 0, 20, 0), 2016, 2, 4);
    // Two units at once (or none) step by Delta.
    EXPECT_DOUBLE_EQ(StepDate(100, 1, 1, 0, 7), 107);
    EXPECT_DOUBLE_EQ(StepDate(100, 0, 0, 0, 2.5), 102.5);
    // The time of day stays.
    EXPECT_DOUBLE_EQ(StepDate(EncodeDate(2016, 3, 1) + 0.25, 0, 1, 0, 0),
                     EncodeDate(2016, 4, 1) + 0.25);
}

TEST(GridValues, CellContentKinds) {
    EXPECT_EQ(CellContentKind("=A1+1", false), cckFormula);
    EXPECT_EQ(CellContentKind(std::string("|\\\0A", 4), false), cckWide);
    EXPECT_EQ(CellContentKind("{\\rtf1}", true), cckRichText);
    EXPECT_EQ(CellContentKind("<B>x</B>", true), cckHTML);
    EXPECT_EQ(CellContentKind("<B>x</B>", false), cckPlain);
    EXPECT_EQ(CellContentKind("a<b", true), cckPlain);
    EXPECT_EQ(CellContentKind("", true), cckPlain);
    EXPECT_EQ(CellContentKind("=", false), cckFormula);
}
