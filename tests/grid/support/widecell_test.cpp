#include <gtest/gtest.h>

#include "grid/support/widecell.h"

TEST(WideCell, EncodesHighByteFirstAfterThePrefix) {
    const std::string s = EncodeWideCell(u"A");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s.substr(0, 2), "|\\");
    EXPECT_EQ(s[2], '\0');
    EXPECT_EQ(s[3], '\x41');
    EXPECT_EQ(DecodeWideCell(s), u"A");
    EXPECT_EQ(EncodeWideCell(u"\u20AC"), std::string("|\\\x20\xAC", 4));
}

TEST(WideCell, RoundTripsEveryCodeUnit) {
    std::u16string w;
    for (char32_t c = 0; c < 0x10000; c += 7)
        w += static_cast<char16_t>(c);
    w += u"\xFFFF\x0100\x00FF";
    EXPECT_EQ(DecodeWideCell(EncodeWideCell(w)), w);
    EXPECT_TRUE(IsWideCell(EncodeWideCell(w)));
    EXPECT_TRUE(IsWideCell(EncodeWideCell(u"")));
    EXPECT_EQ(DecodeWideCell(EncodeWideCell(u"")), u"");
}

TEST(WideCell, OddTailAndPlainTexts) {
    // An odd last byte belongs to no code unit.
    EXPECT_EQ(DecodeWideCell(std::string("|\\\x00\x41\x42", 5)), u"A");
    // Ordinary single-byte text goes through the code page.
    EXPECT_EQ(DecodeWideCell("Caf\xE9 \x80"), u"Caf\u00E9 \u20AC");
    EXPECT_EQ(DecodeWideCell("|"), u"|");
    EXPECT_FALSE(IsWideCell("\\|abc"));
    std::u16string out = u"stale";
    DecodeWideCell("x", out);
    EXPECT_EQ(out, u"x");
}

TEST(WideCell, WidePosIsOneBased) {
    EXPECT_EQ(WidePos(u"b", u"abc"), 2);
    EXPECT_EQ(WidePos(u"x", u"abc"), 0);
    EXPECT_EQ(WidePos(u"", u"abc"), 0);
    EXPECT_EQ(WidePos(u"\u4E2D", u"a\u4E2D"), 2);
}
