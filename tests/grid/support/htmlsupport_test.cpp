#include <gtest/gtest.h>

#include "grid/support/htmlsupport.h"

TEST(HTMLColors, NamesAreExactLowerCase) {
    EXPECT_EQ(ColorFromName("clred"), 0x0000FF);
    EXPECT_EQ(ColorFromName("clRed"), 0);
    EXPECT_EQ(ColorFromName("clnavy"), 0x800000);
    EXPECT_EQ(ColorFromName("clmaroon"), 0x000080);
    EXPECT_EQ(ColorFromName("clbackground"), static_cast<TColor>(0x80000001u));
    EXPECT_EQ(ColorFromName("clbtnface"), static_cast<TColor>(0x8000000Fu));
    EXPECT_EQ(ColorFromName("clinfobk"), static_cast<TColor>(0x80000018u));
    EXPECT_EQ(ColorFromName("nonsense"), 0);
    EXPECT_EQ(ColorFromAttribute("clRed"), 0x0000FF);
    EXPECT_EQ(ColorFromAttribute("#00ff00"), 0x00FF00);
}

TEST(HTMLColors, HexRejectsWhatIsNotHex) {
    EXPECT_EQ(HexByteValue("FF"), 255);
    EXPECT_EQ(HexByteValue("0a"), 10);
    EXPECT_EQ(HexByteValue("7Fxyz"), 127);
    // Too short a text has the value 0; a colour still needs all six digits.
    EXPECT_EQ(HexByteValue("F"), 0);
    EXPECT_EQ(HexByteValue(""), 0);
    TColor kept = 42;
    EXPECT_FALSE(TryColorFromHex("#FFFFF", kept));
    EXPECT_EQ(kept, 42u);
    EXPECT_EQ(HexByteValue("ZZ"), -1);
    EXPECT_EQ(HexByteValue("G0"), -1);
    EXPECT_EQ(ColorFromHex("#FF0000"), 0x0000FF);
    EXPECT_EQ(ColorFromHex("#0000ff"), 0xFF0000);
    EXPECT_EQ(ColorFromHex("#123456"), 0x563412);
    TColor c = 42;
    EXPECT_FALSE(TryColorFromHex("#FF00", c));
    EXPECT_FALSE(TryColorFromHex("#", c));
    EXPECT_FALSE(TryColorFromHex("", c));
    EXPECT_FALSE(TryColorFromHex("#GG0000", c));
    EXPECT_FALSE(TryColorFromHex("FF00000", c));
    EXPECT_EQ(c, 42);
    EXPECT_EQ(ColorFromHex("#FF"), 0);
}

TEST(HTMLText, SmallRoutines) {
    EXPECT_EQ(PosIgnoreCase("font", "<FONT>"), 2);
    EXPECT_EQ(TextToInt(" 12 "), 12);
    EXPECT_EQ(TextToInt("12px"), 0);
    EXPECT_EQ(StripTemplateTag("a<#SUM>b>"), "a#SUMb>");
    EXPECT_EQ(StripTemplateTag("plain <b>"), "plain <b>");
    std::string r = "x";
    LinesToHTML("a\r\nb\n", true, r);
    EXPECT_EQ(r, "xa<BR>b");
    r.clear();
    LinesToHTML("a\r\nb", false, r);
    EXPECT_EQ(r, "ab");
    int p = -1;
    EXPECT_EQ(FindText("b", "abc", p), 2);
    EXPECT_EQ(p, 2);
    EXPECT_EQ(FindUpperText("B", "abc", p), 2);
    std::string t = "one TWO two";
    EXPECT_TRUE(ReplaceFirstIgnoreCase("two", "2", t));
    EXPECT_EQ(t, "one 2 two");
    EXPECT_FALSE(ReplaceFirstIgnoreCase("six", "6", t));
}

TEST(HTMLText, EscapesAndEntities) {
    EXPECT_EQ(EscapeAngles("a<b>c"), "a&lt;b&gt;c");
    EXPECT_EQ(UnescapeAngles("&lt;b&gt;"), "<b>");
    EXPECT_EQ(UnescapeControlValue(EscapeControlValue("say \"<hi>\"")), "say \"<hi>\"");
    EXPECT_EQ(DecodeHTMLEntities("a &amp; b"), "a & b");
    // One pass only: an escaped entity stays an entity.
    EXPECT_EQ(DecodeHTMLEntities("&amp;lt;"), "&lt;");
    EXPECT_EQ(DecodeHTMLEntities("&lt;b&gt;&nbsp;&quot;"), "<b> \"");
    EXPECT_EQ(DecodeHTMLEntities("&euro;&trade;&copy;&reg;&sect;&para;&permil;"),
              "\x80\x99\xA9\xAE\xA7\xB6\x89");
    EXPECT_EQ(DecodeHTMLEntities("R&D & co &unknown;"), "R&D & co &unknown;");
}

TEST(HTMLText, Attributes) {
    std::string v;
    ASSERT_TRUE(FindTagAttribute("FONT BGCOLOR=\"clred\" COLOR=\"#00FF00\"", "COLOR", v));
    EXPECT_EQ(v, "#00FF00");
    ASSERT_TRUE(FindTagAttribute("font bgcolor=\"clred\"", "BGCOLOR", v));
    EXPECT_EQ(v, "clred");
    EXPECT_FALSE(FindTagAttribute("FONT BGCOLOR=\"clred\"", "COLOR", v));
    // A name inside a quoted value is no attribute.
    ASSERT_TRUE(FindTagAttribute("CONTROL VALUE=\"ID=x\" ID=\"real\"", "ID", v));
    EXPECT_EQ(v, "real");
    EXPECT_FALSE(FindTagAttribute("A HREF=\"unclosed", "HREF", v));
}

TEST(HTMLText, ControlTags) {
    std::string type, id, width, value;
    ParseControlTag("CONTROL type=\"check\" ID=\"c1\" WIDTH=\"15\" value=\"TRUE\"", type, id, width,
                    value);
    EXPECT_EQ(type, "CHECK");
    EXPECT_EQ(id, "c1");
    EXPECT_EQ(width, "15");
    EXPECT_EQ(value, "TRUE");

    std::string html = "Naam: <CONTROL TYPE=\"EDIT\" ID=\"n\" WIDTH=\"80\" VALUE=\"\"> "
                       "<control type=\"edit\" id=\"m\" width=\"40\" value=\"x\">";
    ASSERT_TRUE(SetControlTagValue(html, "m", "a<b"));
    EXPECT_EQ(html, "Naam: <CONTROL TYPE=\"EDIT\" ID=\"n\" WIDTH=\"80\" VALUE=\"\"> "
                    "<CONTROL ID=\"m\" VALUE=\"a&lt;b\" WIDTH=\"40\" TYPE=\"EDIT\">");
    ASSERT_TRUE(SetControlTagValue(html, "n", "he said \"ja\""));
    type = id = width = value = "";
    const size_t at = html.find("<CONTROL");
    ParseControlTag(html.substr(at, html.find('>', at) - at), type, id, width, value);
    EXPECT_EQ(id, "n");
    EXPECT_EQ(UnescapeControlValue(value), "he said \"ja\"");
    EXPECT_EQ(width, "80");

    const std::string before = html;
    EXPECT_FALSE(SetControlTagValue(html, "nowhere", "v"));
    EXPECT_EQ(html, before);
    std::string broken = "<CONTROL ID=\"z\"";
    EXPECT_FALSE(SetControlTagValue(broken, "z", "v"));
    EXPECT_EQ(broken, "<CONTROL ID=\"z\"");
}

TEST(HTMLText, StripHTML) {
    EXPECT_EQ(StripHTML("een<br>twee"), "een\r\ntwee");
    EXPECT_EQ(StripHTML("<B>vet</B> en <i>schuin</i><HR>x"), "vet en schuin\r\nx");
    EXPECT_EQ(StripHTML("a &amp; b"), "a &amp; b");
    EXPECT_EQ(StripHTML("a < b"), "a < b");
    EXPECT_EQ(StripHTML("<b>x</b> <unclosed"), "x <unclosed");
    EXPECT_EQ(StripHTML(""), "");
}

TEST(HTMLText, IsDirectory) {
    EXPECT_TRUE(IsDirectory("/tmp"));
    EXPECT_FALSE(IsDirectory("/definitely/not/here"));
}
