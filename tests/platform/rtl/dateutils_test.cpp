#include <gtest/gtest.h>

#include <ctime>

#include "platform/rtl/dateutils.h"
#include "platform/rtl/sysutils.h"
#include "settingsguard.h"

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
    const TFormatSettingsGuard guard;
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

struct TimeCase {
    int Hour, Min, Sec, MSec;
    bool Valid;
};

class EncodeTimeTable : public ::testing::TestWithParam<TimeCase> {};

TEST_P(EncodeTimeTable, TakesEveryPartUpToItsLast) {
    const TimeCase& c = GetParam();
    TDateTime t = -1;
    EXPECT_EQ(TryEncodeTime(c.Hour, c.Min, c.Sec, c.MSec, t), c.Valid);
    if (!c.Valid) return;
    EXPECT_DOUBLE_EQ(t, (((c.Hour * 60.0 + c.Min) * 60 + c.Sec) * 1000 + c.MSec) / 86400000.0);
    uint16_t h, m, s, ms;
    DecodeTime(t, h, m, s, ms);
    EXPECT_EQ(h, c.Hour);
    EXPECT_EQ(m, c.Min);
    EXPECT_EQ(s, c.Sec);
    EXPECT_EQ(ms, c.MSec);
}

INSTANTIATE_TEST_SUITE_P(
    DateUtils, EncodeTimeTable,
    ::testing::Values(TimeCase{0, 0, 0, 0, true}, TimeCase{23, 59, 59, 999, true},
                      TimeCase{12, 30, 59, 0, true}, TimeCase{24, 0, 0, 0, false},
                      TimeCase{0, 60, 0, 0, false}, TimeCase{0, 0, 60, 0, false},
                      TimeCase{0, 0, 0, 1000, false}, TimeCase{-1, 0, 0, 0, false}));

TEST(DateUtils, MonthLengthsAndLeapYears) {
    EXPECT_EQ(DaysInAMonth(2016, 2), 29);
    EXPECT_EQ(DaysInAMonth(2015, 2), 28);
    EXPECT_EQ(DaysInAMonth(1900, 2), 28);
    EXPECT_EQ(DaysInAMonth(2000, 2), 29);
    EXPECT_EQ(DaysInAMonth(2016, 12), 31);
    EXPECT_EQ(DaysInAMonth(2016, 13), 0);
    EXPECT_EQ(DaysInAMonth(2016, 0), 0);
    TDateTime d;
    EXPECT_TRUE(TryEncodeDate(9999, 12, 31, d));
    EXPECT_DOUBLE_EQ(d, 2958465.0);
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, d));
    EXPECT_FALSE(TryEncodeDate(2016, 12, 32, d));
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 29), -1.0);
}

namespace {

// The century of today's date, read from the system clock directly.
int CurrentCentury() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return (t.tm_year + 1900) / 100 * 100;
}

} // namespace

TEST(DateUtils, ShortYearsAndSeparatorsWhenReading) {
    const TFormatSettingsGuard guard;
    FormatSettings().DateSeparator = '-';
    FormatSettings().ShortDateFormat = "d/m/yyyy";
    TDateTime p;
    ASSERT_TRUE(TryStrToDate("3-9-16", p)); // a two-digit year lies in this century
    EXPECT_DOUBLE_EQ(p, EncodeDate(CurrentCentury() + 16, 9, 3));
    ASSERT_TRUE(TryStrToDate("3-9-7", p));
    EXPECT_DOUBLE_EQ(p, EncodeDate(CurrentCentury() + 7, 9, 3));
    ASSERT_TRUE(TryStrToDate("3-9-016", p)); // three digits are taken as they stand
    EXPECT_DOUBLE_EQ(p, EncodeDate(16, 9, 3));
    ASSERT_TRUE(TryStrToDate(" 03-09-2016 ", p));
    EXPECT_DOUBLE_EQ(p, EncodeDate(2016, 9, 3));
    EXPECT_FALSE(TryStrToDate("3-9-2016-", p)); // a trailing separator
    EXPECT_FALSE(TryStrToDate("3-9-", p));
    EXPECT_FALSE(TryStrToDate("-3-9-2016", p));
    EXPECT_FALSE(TryStrToDate("3--9-2016", p));
    EXPECT_FALSE(TryStrToDate("", p));
    FormatSettings().ShortDateFormat = "mm/dd/yy";
    ASSERT_TRUE(TryStrToDate("12-31-99", p));
    EXPECT_DOUBLE_EQ(p, EncodeDate(CurrentCentury() + 99, 12, 31));
    EXPECT_THROW(StrToDate("31-12-99"), EConvertError);
}

TEST(DateUtils, FormatLettersAtTheirLengths) {
    const TFormatSettingsGuard guard;
    FormatSettings().DateSeparator = '.';
    FormatSettings().TimeSeparator = ':';
    const TDateTime d = EncodeDate(2005, 1, 2) + EncodeTime(7, 8, 9, 45);
    EXPECT_EQ(FormatDateTime("yy", d), "05");
    EXPECT_EQ(FormatDateTime("yyyy", d), "2005");
    EXPECT_EQ(FormatDateTime("d/m/yy", d), "2.1.05");
    EXPECT_EQ(FormatDateTime("dd/mm", d), "02.01");
    EXPECT_EQ(FormatDateTime("dddd d mmmm", d), "zondag 2 januari");
    EXPECT_EQ(FormatDateTime("h:n:s", d), "7:8:9");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", d), "07:08:09.045");
    EXPECT_EQ(FormatDateTime("'d' d", d), "d 2");
    const TDateTime last = EncodeDate(2016, 12, 31) + EncodeTime(23, 59, 59, 999);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", last), "2016-12-31 23:59:59");
    EXPECT_EQ(FormatDateTime("mmm", last), "dec");
}

TEST(DateUtils, ReadingTimes) {
    TDateTime t;
    ASSERT_TRUE(TryStrToTime("14:05", t));
    EXPECT_DOUBLE_EQ(t, EncodeTime(14, 5, 0, 0));
    ASSERT_TRUE(TryStrToTime("23:59:59", t));
    EXPECT_DOUBLE_EQ(t, EncodeTime(23, 59, 59, 0));
    EXPECT_FALSE(TryStrToTime("24:00", t));
    EXPECT_FALSE(TryStrToTime("14", t));
    EXPECT_FALSE(TryStrToTime("14:", t));
    EXPECT_FALSE(TryStrToTime("14:05:06:07", t));
}
