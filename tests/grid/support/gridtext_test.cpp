#include <gtest/gtest.h>

#include "grid/support/gridtext.h"

TEST(GridText, ClampTreatsNonPositiveBoundsAsNone) {
    EXPECT_EQ(ClampToRange(50, 1, 10), 10);
    EXPECT_EQ(ClampToRange(-5, 1, 10), 1);
    EXPECT_EQ(ClampToRange(5, 1, 10), 5);
    EXPECT_EQ(ClampToRange(50, 0, 0), 50);
    EXPECT_EQ(ClampToRange(50, 7, 7), 50);
    EXPECT_EQ(ClampToRange(-5, 0, 10), -5);
    EXPECT_EQ(ClampToRange(50, 3, 0), 50);
    EXPECT_EQ(Min(3, -2), -2);
    EXPECT_EQ(Max(3, -2), 3);
}

TEST(GridText, CellInRectIncludesItsBounds) {
    const TRect r{1, 2, 5, 6};
    EXPECT_TRUE(IsCellInRect(1, 2, r));
    EXPECT_TRUE(IsCellInRect(5, 6, r));
    EXPECT_FALSE(IsCellInRect(0, 2, r));
    EXPECT_FALSE(IsCellInRect(5, 7, r));
}

TEST(GridText, Positions) {
    EXPECT_EQ(FindInUpperCase("BC", "abcd"), 2);
    EXPECT_EQ(FindInUpperCase("bc", "abcd"), 0);
    int p = 77;
    EXPECT_EQ(FindCharPos('x', "abc", p), 0);
    EXPECT_EQ(p, 77);
    EXPECT_EQ(FindCharPos('c', "abc", p), 3);
    EXPECT_EQ(p, 3);
    EXPECT_EQ(CharPos('a', "bca"), 3);
    EXPECT_EQ(FindTextPos("zz", "abc", p), 0);
    EXPECT_EQ(p, 0);
}

TEST(GridText, RowColumnReferences) {
    int col = -1, row = -1;
    ASSERT_TRUE(ParseRCCellRef("r3c12", col, row));
    EXPECT_EQ(col, 12);
    EXPECT_EQ(row, 3);
    col = row = -1;
    EXPECT_FALSE(ParseRCCellRef("R3", col, row));
    EXPECT_FALSE(ParseRCCellRef("C3R1", col, row));
    EXPECT_FALSE(ParseRCCellRef("R3C", col, row));
    EXPECT_FALSE(ParseRCCellRef("RxC12", col, row));
    EXPECT_FALSE(ParseRCCellRef("R1C2x", col, row));
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
}

TEST(GridText, Links) {
    EXPECT_TRUE(IsURL("http://x.nl"));
    EXPECT_TRUE(IsURL("mailto:a@b.nl"));
    EXPECT_FALSE(IsURL("www.x.nl"));
    std::string t = "https://knsb.nl/x";
    StripURLProtocol(t);
    EXPECT_EQ(t, "knsb.nl/x");
    t = "mailto:td@club.nl";
    StripURLProtocol(t);
    EXPECT_EQ(t, "td@club.nl");
    t = "plain";
    StripURLProtocol(t);
    EXPECT_EQ(t, "plain");
}

TEST(GridText, LineBreakRoutines) {
    EXPECT_EQ(ExpandNewLineEscapes("a\\nb\\"), "a\rb\\");
    EXPECT_EQ(ExpandLineFeeds("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(ExpandLineFeeds("\n"), "\r\n");
    EXPECT_EQ(ExpandTildes("a~b~"), "a\r\nb\r\n");
    EXPECT_EQ(StripCarriageReturns("a\r\nb\r"), "a\nb");
    EXPECT_EQ(CountLines("a\rb\rc", true), 3);
    EXPECT_EQ(CountLines("a\rb\rc", false), 1);
    EXPECT_EQ(CountLines("", true), 1);
}

TEST(GridText, ExtractFirstLine) {
    std::string text = "one\r\ntwo\rthree", line;
    ExtractFirstLine(text, true, line);
    EXPECT_EQ(line, "one");
    EXPECT_EQ(text, "two\rthree");
    ExtractFirstLine(text, false, line);
    EXPECT_EQ(line, "two");
    EXPECT_EQ(text, "");
    text = "single";
    ExtractFirstLine(text, true, line);
    EXPECT_EQ(line, "single");
    EXPECT_EQ(text, "");
}

TEST(GridText, QuotingAndDoubledCharacters) {
    EXPECT_EQ(QuoteMultiLineText("a\r\nb"), "\"a\nb\"");
    // Inner quotes stay as they are: taking off the outer pair gives the text back.
    EXPECT_EQ(QuoteMultiLineText("say \"hi\"\r\nbye"), "\"say \"hi\"\nbye\"");
    EXPECT_EQ(QuoteMultiLineText("a\rb\nc"), "\"a\rb\nc\"");
    EXPECT_EQ(CollapseDoubledChar("a\"\"b\"c", '"'), "a\"bc");
    EXPECT_EQ(CollapseDoubledChar("abc", '"'), "abc");
    EXPECT_EQ(CollapseDoubledChar("\"\"\"", '"'), "\"");
}

TEST(GridText, UnpairedCharacters) {
    EXPECT_EQ(FindUnpairedChar("ab\"\"c\"d", '"'), 6);
    EXPECT_EQ(FindUnpairedChar("\"\"\"x", '"'), 3);
    EXPECT_EQ(FindUnpairedChar("a\"\"b", '"'), 0);
    EXPECT_EQ(CountUnpairedChars("\"a\"\"b\"", '"'), 2);
    EXPECT_EQ(CountUnpairedChars("", '"'), 0);
    EXPECT_EQ(CountChar("a,b,,c", ','), 3);
}

TEST(GridText, FillAndOem) {
    std::string t = "geheim";
    FillWithChar(t, '*');
    EXPECT_EQ(t, "******");
    std::string oem = "Caf\x82 \x81"
                      "ber \xE1 \xAB";
    ConvertOemToAnsi(oem);
    EXPECT_EQ(oem, "Caf\xE9 \xFC"
                   "ber \xDF \xBD");
}

TEST(GridText, CapitalizeWords) {
    EXPECT_EQ(CapitalizeWords("o'brien-smith jr."), "O'Brien-Smith Jr.");
    EXPECT_EQ(CapitalizeWords("mcdonald"), "McDonald");
    EXPECT_EQ(CapitalizeWords("JAN mcdonald"), "Jan McDonald");
    EXPECT_EQ(CapitalizeWords("henry iii"), "Henry III");
    EXPECT_EQ(CapitalizeWords("karel ii"), "Karel II");
    EXPECT_EQ(CapitalizeWords("VAN DEN BERG"), "Van Den Berg");
    EXPECT_EQ(CapitalizeWords(""), "");
    EXPECT_EQ(CapitalizeWords("x"), "X");
}
