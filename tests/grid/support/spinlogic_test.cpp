#include <gtest/gtest.h>

#include "formatscope.h"
#include "grid/support/spinlogic.h"
#include "platform/rtl/sysutils.h"

TEST(SpinLogic, LimitsAndEqualLimits) {
    EXPECT_EQ(ClampSpinInt(150, 0, 100), 100);
    EXPECT_EQ(ClampSpinInt(-3, 0, 100), 0);
    EXPECT_EQ(ClampSpinInt(-3, 0, 0), -3); // equal limits: no limit
    EXPECT_EQ(ClampSpinInt(12345, 7, 7), 12345);
    EXPECT_DOUBLE_EQ(ClampSpinFloat(100.5, 0, 100), 100);
    EXPECT_DOUBLE_EQ(ClampSpinFloat(-1e9, 5, 5), -1e9);
}

TEST(SpinLogic, FloatText) {
    FormatScope scope;
    FormatSettings().DecimalSeparator = '.';
    EXPECT_EQ(FormatSpinFloat(1.5, 2), "1.50");
    EXPECT_EQ(FormatSpinFloat(1.5, 0), "1.5");
    EXPECT_EQ(FormatSpinFloat(2, 0), "2");
}

TEST(SpinLogic, DatePartFollowsTheDateFormat) {
    FormatScope scope;
    FormatSettings().DateSeparator = '-';
    FormatSettings().ShortDateFormat = "d/m/yyyy";
    EXPECT_EQ(DatePartAt("15-3-2024", 0), 'd');
    EXPECT_EQ(DatePartAt("15-3-2024", 3), 'm');
    EXPECT_EQ(DatePartAt("15-3-2024", 9), 'y');
    FormatSettings().ShortDateFormat = "yyyy/mm/dd";
    EXPECT_EQ(DatePartAt("2024-03-15", 1), 'y');
    EXPECT_EQ(DatePartAt("2024-03-15", 6), 'm');
    EXPECT_EQ(DatePartAt("2024-03-15", 10), 'd');
}

TEST(SpinLogic, DateStepsClampTheDay) {
    uint16_t y, m, d;
    DecodeDate(StepDatePart(EncodeDate(2016, 1, 31), 'm', 1), y, m, d);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
    DecodeDate(StepDatePart(EncodeDate(2016, 2, 29), 'y', 1), y, m, d);
    EXPECT_EQ(y, 2017);
    EXPECT_EQ(d, 28);
    DecodeDate(StepDatePart(EncodeDate(2016, 3, 1), 'd', -1), y, m, d);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
    EXPECT_DOUBLE_EQ(StepDatePart(EncodeDate(9999, 5, 5), 'y', 1), EncodeDate(9999, 5, 5));
}

TEST(SpinLogic, TimeSteps) {
    FormatScope scope;
    FormatSettings().TimeSeparator = ':';
    EXPECT_EQ(TimePartAt("10:15:30", 1), 'h');
    EXPECT_EQ(TimePartAt("10:15:30", 4), 'n');
    EXPECT_EQ(TimePartAt("10:15:30", 7), 's');
    const TDateTime t = EncodeTime(10, 15, 30, 0);
    EXPECT_NEAR(StepTimePart(t, 'h', 1), EncodeTime(11, 15, 30, 0), 1e-9);
    EXPECT_NEAR(StepTimePart(t, 'n', -1), EncodeTime(10, 14, 30, 0), 1e-9);
    EXPECT_NEAR(StepTimePart(t, 's', 1), EncodeTime(10, 15, 31, 0), 1e-9);
}

TEST(SpinLogic, ValidCharacters) {
    FormatScope scope;
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    FormatSettings().DateSeparator = '-';
    FormatSettings().TimeSeparator = ':';
    char k = '7';
    EXPECT_TRUE(IsValidSpinChar(k, sptNormal, "", 0, 0, 0));
    k = 'a';
    EXPECT_FALSE(IsValidSpinChar(k, sptNormal, "", 0, 0, 0));
    k = '\r';
    EXPECT_FALSE(IsValidSpinChar(k, sptNormal, "", 0, 0, 0));
    k = '\b';
    EXPECT_TRUE(IsValidSpinChar(k, sptNormal, "12", 2, 0, 0));
    k = ',';
    EXPECT_FALSE(IsValidSpinChar(k, sptNormal, "1", 1, 0, 0));
    EXPECT_TRUE(IsValidSpinChar(k, sptFloat, "1", 1, 0, 0));
    k = '.'; // the thousand separator becomes the decimal one
    EXPECT_TRUE(IsValidSpinChar(k, sptFloat, "1", 1, 0, 0));
    EXPECT_EQ(k, ',');
    k = ',';
    EXPECT_FALSE(IsValidSpinChar(k, sptFloat, "1,5", 3, 0, 0)); // a second separator
    EXPECT_TRUE(IsValidSpinChar(k, sptFloat, "1,5", 1, 1, 0));  // replacing the first
    k = '3';
    EXPECT_FALSE(IsValidSpinChar(k, sptFloat, "1,25", 4, 0, 2)); // two decimals stand
    EXPECT_TRUE(IsValidSpinChar(k, sptFloat, "1,2", 3, 0, 2));
    EXPECT_TRUE(IsValidSpinChar(k, sptFloat, "1,25", 0, 0, 2)); // before the separator
    k = '-';
    EXPECT_TRUE(IsValidSpinChar(k, sptDate, "1", 1, 0, 0));
    k = ':';
    EXPECT_FALSE(IsValidSpinChar(k, sptDate, "1", 1, 0, 0));
    EXPECT_TRUE(IsValidSpinChar(k, sptTime, "1", 1, 0, 0));
}
