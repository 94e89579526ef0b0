// Bytes of other Windows code pages read as UTF-16.
#include <gtest/gtest.h>

#include "platform/rtl/codepages.h"

TEST(CodePages, SingleAndDoubleBytePagesDecode) {
    TCodePageDecoder cyrillic(1251);
    EXPECT_EQ(cyrillic.CodePage(), 1251u);
    EXPECT_EQ(cyrillic.Decode(0xC0), u"А");
    EXPECT_EQ(cyrillic.Decode(0x88), u"€");
    EXPECT_EQ(cyrillic.Decode(0x98), u"?") << "a byte the page lacks";
    EXPECT_EQ(cyrillic.Decode(0xFF), u"я") << "the last byte of the page";
    EXPECT_FALSE(cyrillic.IsLeadByte(0xC0));
    // Hebrew letters wait for a combining mark: one byte still gives its letter.
    EXPECT_EQ(TCodePageDecoder(1255).Decode(0xE0), u"א");
    EXPECT_EQ(TCodePageDecoder(437).Decode(0x82), u"é");

    TCodePageDecoder sjis(932);
    EXPECT_TRUE(sjis.IsLeadByte(0x82));
    EXPECT_FALSE(sjis.IsLeadByte(0x41));
    EXPECT_EQ(sjis.Decode(0x82, 0xA0), u"あ");
    EXPECT_EQ(sjis.Decode(0xB1), u"ｱ") << "half-width katakana take one byte";
    EXPECT_EQ(sjis.Decode(0x82, 0x20), u"?") << "no character of that pair";
    EXPECT_EQ(TCodePageDecoder(936).Decode(0xD6, 0xD0), u"中");

    TCodePageDecoder unknown(4242);
    EXPECT_EQ(unknown.CodePage(), 1252u);
    EXPECT_EQ(unknown.Decode(0x80), u"€");
    EXPECT_EQ(unknown.Decode(0xFF), u"ÿ");
    EXPECT_FALSE(KnownCodePage(4242));
    EXPECT_TRUE(KnownCodePage(1253));

    EXPECT_EQ(CharsetCodePage(204), 1251u);
    EXPECT_EQ(CharsetCodePage(161), 1253u);
    EXPECT_EQ(CharsetCodePage(77), 10000u);
    EXPECT_EQ(CharsetCodePage(0), 1252u);
    EXPECT_EQ(CharsetCodePage(1), 0u);
    EXPECT_EQ(CharsetCodePage(2), 0u);
}
