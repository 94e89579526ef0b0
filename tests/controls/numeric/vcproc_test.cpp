#include "controls/numeric/vcproc.h"

#include <gtest/gtest.h>

TEST(IntToBin, FewestDigitsWithZeroDigits) {
    EXPECT_EQ(IntToBin(0, 0), "0");
    EXPECT_EQ(IntToBin(1, 0), "1");
    EXPECT_EQ(IntToBin(5, 0), "101");
    EXPECT_EQ(IntToBin(8, 0), "1000");
    EXPECT_EQ(IntToBin(2147483647, 0), std::string(31, '1'));
}

TEST(IntToBin, NegativeValuesGiveAllThirtyTwoBits) {
    EXPECT_EQ(IntToBin(-1, 0), std::string(32, '1'));
    EXPECT_EQ(IntToBin(INT32_MIN, 0), "1" + std::string(31, '0'));
    EXPECT_EQ(IntToBin(-2, 0), std::string(31, '1') + "0");
}

TEST(IntToBin, NegativeDigitsCountAsZero) {
    EXPECT_EQ(IntToBin(5, -3), "101");
}

TEST(IntToBin, PositiveDigitsWriteUpToThatBitNumber) {
    EXPECT_EQ(IntToBin(5, 3), "0101");
    EXPECT_EQ(IntToBin(5, 1), "01"); // higher bits dropped
    EXPECT_EQ(IntToBin(1, 40).size(), 32u);
}

TEST(BinToInt, ReadsFromTheRight) {
    EXPECT_EQ(BinToInt(""), 0);
    EXPECT_EQ(BinToInt("101"), 5);
    EXPECT_EQ(BinToInt("0000101"), 5);
    EXPECT_EQ(BinToInt(std::string(32, '1')), -1);
    EXPECT_EQ(BinToLongWord(std::string(32, '1')), 0xFFFFFFFFu);
}

TEST(BinToInt, OtherCharactersAndBitsBeyondThirtyTwoAddNothing) {
    EXPECT_EQ(BinToInt("1x1"), 5);
    EXPECT_EQ(BinToInt("2101"), 5);
    EXPECT_EQ(BinToInt("1" + std::string(32, '0')), 0);
    EXPECT_EQ(BinToInt("11" + std::string(31, '0')), INT32_MIN);
}

TEST(BinToInt, RoundTripsWithIntToBin) {
    for (int32_t v : {0, 1, 7, 1000, -1, -1000, INT32_MAX, INT32_MIN})
        EXPECT_EQ(BinToInt(IntToBin(v, 0)), v) << v;
}

TEST(StripChar, RemovesEveryOccurrence) {
    EXPECT_EQ(StripChar("1,000,000", ','), "1000000");
    EXPECT_EQ(StripChar("", ','), "");
    EXPECT_EQ(StripChar(",,,", ','), "");
    EXPECT_EQ(StripChar("abc", ','), "abc");
}
