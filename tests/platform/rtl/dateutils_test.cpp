#include <gtest/gtest.h>

#include "platform/rtl/dateutils.h"
#include "platform/rtl/sysutils.h"

TEST(DateUtils, DayZeroAndKnownDays) {
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(EncodeDate(2016, 9, 23), 42636.0);
    EXPECT_EQ(DayOfWeek(EncodeDate(2016, 9, 23)), 6);  // a Friday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7); // a Saturday
    EXPECT_THROW(EncodeDate(2015, 2, 29), EConvertError);
    TDateTime d;
    EXPECT_TRUE(TryEncodeDate(2016, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));
}

TEST(DateUtils, DecodeRoundTrip) {
    for (int y : {1, 1899, 1900, 1999, 2000, 2024, 9999})
        for (int m = 1; m <= 12; ++m)
            for (int day : {1, 15, DaysInAMonth(y, m)}) {
                uint16_t yy, mm, dd;
                DecodeDate(EncodeDate(y, m, day) + 0.75, yy, mm, dd);
                ASSERT_EQ(yy, y);
                ASSERT_EQ(mm, m);
                ASSERT_EQ(dd, day);
            }
}

TEST(DateUtils, FormatAndParse) {
    TFormatSettings saved = FormatSettings();
    FormatSettings().DateSeparator = '-';
    const TDateTime d = EncodeDate(2016, 9, 3) + EncodeTime(14, 5, 9, 0);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", d), "2016-09-03");
    EXPECT_EQ(FormatDateTime("yyyy/m/d hh:nn:ss", d), "2016-9-3 14:05:09");
    EXPECT_EQ(FormatDateTime("ddd dd mmm yy", d), "za 03 sep 16");
    EXPECT_EQ(FormatDateTime("\"Ronde\" d", d), "Ronde 3");
    FormatSettings().ShortDateFormat = "yyyy/mm/dd";
    TDateTime p;
    ASSERT_TRUE(TryStrToDate("2016-09-03", p));
    EXPECT_DOUBLE_EQ(p, EncodeDate(2016, 9, 3));
    EXPECT_FALSE(TryStrToDate("2016-02-30", p));
    EXPECT_FALSE(TryStrToDate("2016-09", p));
    EXPECT_FALSE(TryStrToDate("2016/09/03", p));
    FormatSettings().ShortDateFormat = "d/m/yyyy";
    ASSERT_TRUE(TryStrToDate("3-9-2016", p));
    EXPECT_DOUBLE_EQ(p, EncodeDate(2016, 9, 3));
    FormatSettings() = saved;
}

TEST(DateUtils, IncMonthClampsTheDay) {
    uint16_t y, m, d;
    DecodeDate(IncMonth(EncodeDate(2016, 1, 31), 1), y, m, d);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
    DecodeDate(IncMonth(EncodeDate(2016, 1, 31), -2), y, m, d);
    EXPECT_EQ(y, 2015);
    EXPECT_EQ(m, 11);
    EXPECT_EQ(d, 30);
}
