#include <gtest/gtest.h>

#include <type_traits>

#include "platform/rtl/sets.h"

namespace {
enum TFruit { frApple, frPear, frPlum, frFig = 63 };
enum TColourKind { ckRed, ckGreen };
using TFruits = TSet<TFruit>;
} // namespace

TEST(Sets, MembersUnionDifferenceIntersection) {
    TFruits s{frApple, frPlum};
    EXPECT_TRUE(s.Contains(frApple));
    EXPECT_FALSE(s.Contains(frPear));
    EXPECT_EQ(s.Count(), 2);
    s.Include(frFig).Exclude(frApple);
    EXPECT_EQ(s.Bits(), (uint64_t{1} << 2) | (uint64_t{1} << 63));
    EXPECT_EQ(TFruits({frApple, frPear}) + TFruits(frPlum), TFruits({frApple, frPear, frPlum}));
    EXPECT_EQ(TFruits({frApple, frPear}) - TFruits(frPear), TFruits(frApple));
    EXPECT_EQ(TFruits({frApple, frPear}) * TFruits({frPear, frPlum}), TFruits(frPear));
    EXPECT_TRUE(TFruits(frPear) <= TFruits({frApple, frPear}));
    EXPECT_FALSE(TFruits({frPear, frFig}) <= TFruits({frApple, frPear}));
    EXPECT_TRUE(TFruits().Empty());
    EXPECT_EQ(TFruits::FromBits(5), TFruits({frApple, frPlum}));
}

TEST(Sets, AMemberOfAnotherEnumerationDoesNotConvert) {
    EXPECT_TRUE((std::is_constructible_v<TFruits, TFruit>));
    EXPECT_FALSE((std::is_constructible_v<TFruits, TColourKind>));
    EXPECT_FALSE((std::is_constructible_v<TFruits, unsigned>));
}
