#include <gtest/gtest.h>

#include "formatscope.h"
#include "grid/support/gridfilter.h"
#include "platform/rtl/sysutils.h"

TEST(MatchFilter, JoinsLeftToRightWithoutPrecedence) {
    // A&B|C is ((A and B) or C): with A false and C true the result is true.
    EXPECT_TRUE(MatchFilter("x&b|c", "c", true));
    // Precedence of "and" would make it (x and (b or c)) = false.
    // A|B&C is ((A or B) and C): A true but C false gives false.
    EXPECT_FALSE(MatchFilter("a|b&c", "a", true));
    EXPECT_TRUE(MatchFilter("a|b&a*", "a", true));
    EXPECT_TRUE(MatchFilter("x;y^z|a", "a", true));
    EXPECT_FALSE(MatchFilter("x;y^z", "a", true));
}

TEST(MatchFilter, BlanksAroundOperatorsAreDropped) {
    EXPECT_TRUE(MatchFilter("  >5 & <10  ", "7", true));
    EXPECT_FALSE(MatchFilter(">5 & <10", "12", true));
    EXPECT_TRUE(MatchFilter("abc | def", "def", true));
    // Blanks inside a pattern stay.
    EXPECT_TRUE(MatchFilter("a b*", "a bc", true));
    EXPECT_FALSE(MatchFilter("a b*", "ab", true));
}

TEST(MatchFilter, EqualsSignAndInclusiveComparisons) {
    EXPECT_TRUE(MatchFilter("=abc", "abc", true));
    EXPECT_TRUE(MatchFilter("= abc", "abc", true));
    EXPECT_TRUE(MatchFilter(">=10", "10", true));
    EXPECT_FALSE(MatchFilter(">10", "10", true));
    EXPECT_TRUE(MatchFilter("<= 10", "10", true));
    EXPECT_FALSE(MatchFilter("<10", "10", true));
}

TEST(MatchCondition, ComparesNumbersDatesAndTexts) {
    EXPECT_FALSE(MatchCondition(">10", "9.5", true));
    EXPECT_TRUE(MatchCondition(">10", "10.5", true));
    // As texts "9.5" > "10" would hold: the numbers must win.
    EXPECT_TRUE(MatchCondition("<10", "9.5", true));
    EXPECT_TRUE(MatchCondition(">b", "c", true));
    EXPECT_FALSE(MatchCondition(">b", "a", true));
    EXPECT_TRUE(MatchCondition(">\"b\"", "c", true));
    EXPECT_TRUE(MatchCondition(">= 5", "5", true));
    EXPECT_TRUE(MatchCondition("<=5", "5", true));
}

TEST(MatchCondition, DatesCompareAsDates) {
    FormatScope scope;
    FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    FormatSettings().DateSeparator = '-';
    // As texts "02-01-2020" < "15-12-2019"; as dates it is later.
    EXPECT_TRUE(MatchCondition(">15-12-2019", "02-01-2020", true));
    EXPECT_FALSE(MatchCondition("<15-12-2019", "02-01-2020", true));
}

TEST(MatchCondition, CaseFoldingOnlyWithoutCaseSensitivity) {
    EXPECT_TRUE(MatchCondition("abc", "ABC", false));
    EXPECT_FALSE(MatchCondition("abc", "ABC", true));
    EXPECT_TRUE(MatchCondition("a*", "Apple", false));
}

TEST(MatchWildcard, StarQuestionMarkAndNegation) {
    EXPECT_FALSE(MatchCondition("!abc", "abc", true));
    EXPECT_TRUE(MatchCondition("!abc", "abd", true));
    EXPECT_TRUE(MatchCondition("a*c", "abc", true));
    EXPECT_TRUE(MatchCondition("a*c", "ac", true));
    EXPECT_FALSE(MatchCondition("a*c", "acb", true));
    EXPECT_FALSE(MatchCondition("?", "", true));
    EXPECT_TRUE(MatchCondition("?", "x", true));
    EXPECT_TRUE(MatchCondition("", "", true));
    EXPECT_FALSE(MatchCondition("", "x", true));
    EXPECT_TRUE(MatchCondition("*", "", true));
    EXPECT_TRUE(MatchCondition("\"ab\"", "ab", true));
    EXPECT_TRUE(MatchCondition("*b*b*", "abcbd", true));
    EXPECT_FALSE(MatchCondition("*b*b*", "abcd", true));
    EXPECT_TRUE(MatchCondition("a!*", "xyz", true)); // '!' anywhere negates
}

TEST(MatchWildcard, ManyStarsStayFast) {
    const std::string value(2000, 'a');
    EXPECT_FALSE(MatchWildcard("*a*a*a*a*a*a*a*a*a*a*b", value));
    EXPECT_TRUE(MatchWildcard("*a*a*a*a*a*a*a*a*a*a*", value));
}

TEST(ParseLocaleDate, FollowsTheShortDateFormat) {
    FormatScope scope;
    FormatSettings().DateSeparator = '-';
    FormatSettings().ShortDateFormat = "d/m/yyyy";
    TDateTime d = -1;
    ASSERT_TRUE(ParseLocaleDate("3-9-2016", d));
    EXPECT_DOUBLE_EQ(d, EncodeDate(2016, 9, 3));
    FormatSettings().ShortDateFormat = "yyyy/mm/dd";
    ASSERT_TRUE(ParseLocaleDate("2016-09-03", d));
    EXPECT_DOUBLE_EQ(d, EncodeDate(2016, 9, 3));
    FormatSettings().ShortDateFormat = "mm/dd/yyyy";
    ASSERT_TRUE(ParseLocaleDate("09-03-2016", d));
    EXPECT_DOUBLE_EQ(d, EncodeDate(2016, 9, 3));
}

TEST(ParseLocaleDate, RejectsWhatIsNoDateAndLeavesTheOutput) {
    FormatScope scope;
    FormatSettings().DateSeparator = '-';
    FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    TDateTime d = 123;
    EXPECT_FALSE(ParseLocaleDate("32-01-2016", d));
    EXPECT_FALSE(ParseLocaleDate("01-13-2016", d));
    EXPECT_FALSE(ParseLocaleDate("30-02-2016", d));
    EXPECT_FALSE(ParseLocaleDate("01-02", d));
    EXPECT_FALSE(ParseLocaleDate("01-02-2016-5", d));
    EXPECT_FALSE(ParseLocaleDate("aa-02-2016", d));
    EXPECT_FALSE(ParseLocaleDate("", d));
    EXPECT_DOUBLE_EQ(d, 123);
}
