#include <gtest/gtest.h>

#include <vector>

#include "fakesurface.h"
#include "grid/support/htmlrender.h"

namespace {

THTMLFont StartFont() {
    THTMLFont f;
    f.Name = "Sans";
    f.Size = 10; // 5 pixels a character, 15 high
    f.Color = 0x112233;
    return f;
}

struct Render {
    TFakeSurface S;
    THTMLRenderResult R;
    bool Hit = false;
    Render(const std::string& Text, THTMLRenderParams P = {}, TRect Rect = {0, 0, 200, 100}) {
        Hit = RenderHTMLOn(S, StartFont(), 0xFFFFFF, Text, Rect, P, R);
    }
    const TDrawnText* Find(const std::string& Text) const {
        for (const auto& t : S.Texts)
            if (t.Text == Text) return &t;
        return nullptr;
    }
};

THTMLRenderParams Wrap() {
    THTMLRenderParams p;
    p.WordWrap = true;
    return p;
}

THTMLRenderParams At(int X, int Y) {
    THTMLRenderParams p;
    p.PointX = X;
    p.PointY = Y;
    return p;
}

} // namespace

TEST(RenderHTML, PlainTextIsOneRunPerLine) {
    Render r("hello world");
    EXPECT_EQ(r.R.TextWidth, 55);
    EXPECT_EQ(r.R.TextHeight, 15);
    EXPECT_EQ(r.R.PlainText, "hello world");
    ASSERT_EQ(r.S.Texts.size(), 1u);
    EXPECT_EQ(r.S.Texts[0].R.Left, 1); // one pixel in
    EXPECT_EQ(r.S.Texts[0].R.Bottom, 15);
    EXPECT_TRUE(r.S.Texts[0].Ellipsis);
    EXPECT_EQ(r.S.Texts[0].Font.Color, 0x112233);
    EXPECT_FALSE(r.Hit);
    EXPECT_EQ(r.R.MouseAnchor, -1);
}

TEST(RenderHTML, EmptyTextHasTheHeightOfOneLine) {
    Render r("");
    EXPECT_EQ(r.R.TextHeight, 15);
    EXPECT_EQ(r.R.TextWidth, 0);
    EXPECT_EQ(r.S.Drawn(), 0u);
}

TEST(RenderHTML, WordWrapBreaksBetweenWords) {
    // 35 pixels of room: no two words fit together.
    Render r("aaa bbb ccc", Wrap(), {0, 0, 36, 100});
    ASSERT_EQ(r.S.Texts.size(), 3u);
    EXPECT_EQ(r.S.Texts[0].Text, "aaa ");
    EXPECT_EQ(r.S.Texts[1].R.Left, 1);
    EXPECT_EQ(r.S.Texts[1].R.Bottom, 30);
    EXPECT_EQ(r.S.Texts[2].R.Bottom, 45);
    EXPECT_EQ(r.R.TextHeight, 45);
    EXPECT_EQ(r.R.TextWidth, 15); // the trailing blank does not count
    EXPECT_FALSE(r.S.Texts[0].Ellipsis);
    // Without wrapping it is one line, cut by the ellipsis.
    Render one("aaa bbb ccc", {}, {0, 0, 41, 100});
    EXPECT_EQ(one.S.Texts.size(), 1u);
    EXPECT_EQ(one.R.TextHeight, 15);
}

TEST(RenderHTML, AWordWiderThanTheLineStaysWhereItIs) {
    // 35 pixels of room; the 50-pixel word fits on no line, so it follows "aa ".
    Render r("aa bbbbbbbbbb cc", Wrap(), {0, 0, 36, 100});
    ASSERT_EQ(r.S.Texts.size(), 3u);
    EXPECT_EQ(r.S.Texts[1].Text, "bbbbbbbbbb ");
    EXPECT_EQ(r.S.Texts[1].R.Left, 1 + 15);
    EXPECT_EQ(r.S.Texts[1].R.Bottom, 15);
    EXPECT_EQ(r.S.Texts[2].R.Left, 1);
    EXPECT_EQ(r.S.Texts[2].R.Bottom, 30);
    EXPECT_EQ(r.R.TextHeight, 30);
}

TEST(RenderHTML, WordsGluedByATagStayTogether) {
    Render r("aaaaa <B>bb</B>cc", Wrap(), {0, 0, 41, 100});
    ASSERT_EQ(r.S.Texts.size(), 3u);
    EXPECT_EQ(r.S.Texts[1].Text, "bb");
    EXPECT_EQ(r.S.Texts[2].Text, "cc");
    EXPECT_EQ(r.S.Texts[1].R.Bottom, r.S.Texts[2].R.Bottom);
    EXPECT_EQ(r.S.Texts[2].R.Left, 1 + 12);
}

TEST(RenderHTML, BoldItalicUnderlineStrike) {
    Render r("a<B>b</B><I>c</I><U>d</U><S>e</S>f");
    ASSERT_EQ(r.S.Texts.size(), 6u);
    EXPECT_TRUE(r.Find("b")->Font.Bold);
    EXPECT_FALSE(r.Find("c")->Font.Bold);
    EXPECT_TRUE(r.Find("c")->Font.Italic);
    EXPECT_TRUE(r.Find("d")->Font.Underline);
    EXPECT_TRUE(r.Find("e")->Font.StrikeOut);
    const TDrawnText* f = r.Find("f");
    EXPECT_FALSE(f->Font.Bold || f->Font.Italic || f->Font.Underline || f->Font.StrikeOut);
    EXPECT_EQ(r.R.TextWidth, 31); // bold is a pixel wider
}

TEST(RenderHTML, FontColourSizeAndBackground) {
    Render r("<FONT color=\"#FF0000\">a</FONT><FONT COLOR=\"clRed\">b</FONT>"
             "<FONT bgcolor=\"clyellow\">c</FONT><FONT size=\"5\" face=\"Serif\">d</FONT>e");
    EXPECT_EQ(r.Find("a")->Font.Color, 0x0000FF);
    EXPECT_EQ(r.Find("b")->Font.Color, 0x0000FF);
    EXPECT_EQ(r.Find("c")->Font.Color, 0x112233); // only the background changes
    EXPECT_EQ(r.Find("c")->Background, 0x00FFFF);
    EXPECT_EQ(r.Find("a")->Background, clNone);
    EXPECT_EQ(r.Find("d")->Font.Size, 16);
    EXPECT_EQ(r.Find("d")->Font.Name, "SERIF");
    EXPECT_EQ(r.Find("e")->Font.Size, 10);
    EXPECT_EQ(r.Find("e")->Font.Color, 0x112233);
    EXPECT_EQ(r.R.TextHeight, 24); // the big run raises the line
    EXPECT_EQ(r.Find("a")->R.Bottom, 24);
}

TEST(RenderHTML, SelectedIgnoresFontColours) {
    THTMLRenderParams p;
    p.Selected = true;
    Render r("<FONT color=\"#FF0000\" bgcolor=\"clred\">a</FONT>", p);
    EXPECT_EQ(r.Find("a")->Font.Color, 0x112233);
    EXPECT_EQ(r.Find("a")->Background, clNone);
}

TEST(RenderHTML, InnerFontCloseReturnsToTheStartFont) {
    Render r("<FONT size=\"14\" face=\"Outer\">a<FONT size=\"20\">b</FONT>c</FONT>d");
    EXPECT_EQ(r.Find("a")->Font.Size, 14);
    EXPECT_EQ(r.Find("b")->Font.Size, 20);
    EXPECT_EQ(r.Find("c")->Font.Size, 10);
    EXPECT_EQ(r.Find("c")->Font.Name, "Sans");
}

TEST(RenderHTML, LineBreaks) {
    Render r("one<br>two\r\nthree");
    ASSERT_EQ(r.S.Texts.size(), 3u);
    EXPECT_EQ(r.S.Texts[1].R.Bottom, 30);
    EXPECT_EQ(r.S.Texts[2].R.Bottom, 45);
    EXPECT_EQ(r.R.TextHeight, 45);
    EXPECT_EQ(r.R.PlainText, "one\r\ntwo\r\nthree");
}

TEST(RenderHTML, ListItemsOnTheirOwnLinesAfterABullet) {
    Render r("<UL><LI>one<LI>two</UL>");
    const TDrawnText* one = r.Find("one");
    const TDrawnText* two = r.Find("two");
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->R.Left, 1 + 12);
    EXPECT_EQ(two->R.Left, 1 + 12);
    EXPECT_GT(two->R.Bottom, one->R.Bottom);
    int bullets = 0;
    for (const auto& t : r.S.Texts)
        if (t.Text == "\x95") {
            ++bullets;
            EXPECT_EQ(t.Font.Name, "Sans");
            EXPECT_EQ(t.R.Left, 1);
        }
    EXPECT_EQ(bullets, 2);
    // A nested list is indented further and uses the other bullet.
    EXPECT_EQ(r.R.TextHeight, 45); // the list's line and one per item
    Render after("<UL><LI>item</UL>after");
    EXPECT_EQ(after.Find("after")->R.Left, 1);
    EXPECT_GT(after.Find("after")->R.Bottom, after.Find("item")->R.Bottom);
    Render nested("<UL><UL><LI>deep</UL></UL>");
    EXPECT_EQ(nested.Find("deep")->R.Left, 1 + 24);
    EXPECT_NE(nested.Find("o"), nullptr);
}

TEST(RenderHTML, AnchorsAreFoundByPosition) {
    // "go " is 15 pixels: the link runs from x 16 to 36.
    const std::string text = "go <A href=\"one\">link</A> <a HREF=\"two\">next</a>";
    Render on(text, At(20, 10));
    EXPECT_TRUE(on.Hit);
    EXPECT_EQ(on.R.MouseAnchor, 1);
    EXPECT_EQ(on.R.AnchorHref, "one");
    EXPECT_EQ(on.R.AnchorCount, 2);
    EXPECT_EQ(on.R.MouseAnchorRect, (TRect{16, 0, 36, 15}));
    Render second(text, At(45, 14));
    EXPECT_EQ(second.R.MouseAnchor, 2);
    EXPECT_EQ(second.R.AnchorHref, "two");
    Render off(text, At(5, 10));
    EXPECT_FALSE(off.Hit);
    EXPECT_EQ(off.R.MouseAnchor, -1);
    EXPECT_EQ(off.R.AnchorHref, "");
    Render below(text, At(20, 40));
    EXPECT_FALSE(below.Hit);
    // Anchor looks: underline and the anchor colour.
    EXPECT_TRUE(on.Find("link")->Font.Underline);
    EXPECT_EQ(on.Find("link")->Font.Color, 0xFF0000);
    EXPECT_EQ(on.Find(" ")->Font.Color, 0x112233);
    EXPECT_FALSE(on.Find(" ")->Font.Underline);
}

TEST(RenderHTML, FocusAnchorCountsFromZeroAndHoverOnlyUnderlinesTheHovered) {
    THTMLRenderParams p;
    p.FocusAnchor = 1;
    p.HoverOnly = true;
    p.HoverAnchor = 2;
    p.HoverColor = 0x00FF00;
    p.HoverTextColor = 0x0000FF;
    Render r("<A href=\"a\">x</A> <A href=\"b\">y</A>", p);
    EXPECT_EQ(r.R.FocusAnchorHref, "b");
    ASSERT_EQ(r.S.Focus.size(), 1u);
    EXPECT_EQ(r.S.Focus[0], (TRect{10, 0, 17, 15}));
    EXPECT_FALSE(r.Find("x")->Font.Underline);
    EXPECT_TRUE(r.Find("y")->Font.Underline);
    EXPECT_EQ(r.Find("y")->Font.Color, 0x0000FF);
    EXPECT_EQ(r.Find("y")->Background, 0x00FF00);
    EXPECT_EQ(r.Find("x")->Font.Color, 0xFF0000);
}

TEST(RenderHTML, HoverTextColourBeatsTheAnchorColourOnlyUnderHoverOnly) {
    THTMLRenderParams p;
    p.HoverAnchor = 1;
    p.HoverColor = 0x00FF00;
    p.HoverTextColor = 0x0000FF;
    const std::string text = "<A href=\"a\">x</A> <A href=\"b\">y</A>";
    Render all(text, p);
    EXPECT_TRUE(all.Find("x")->Font.Underline);
    EXPECT_TRUE(all.Find("y")->Font.Underline);
    EXPECT_EQ(all.Find("x")->Font.Color, 0xFF0000); // the anchor colour
    EXPECT_EQ(all.Find("x")->Background, 0x00FF00);
    EXPECT_EQ(all.Find("y")->Background, clNone);
    p.Selected = true;
    Render selected(text, p);
    EXPECT_EQ(selected.Find("x")->Font.Color, 0x0000FF);
    EXPECT_EQ(selected.Find("y")->Font.Color, 0x112233);
    p.Selected = false;
    p.HoverOnly = true;
    Render only(text, p);
    EXPECT_EQ(only.Find("x")->Font.Color, 0x0000FF);
    EXPECT_FALSE(only.Find("y")->Font.Underline);
    EXPECT_EQ(only.Find("y")->Font.Color, 0xFF0000);
}

TEST(RenderHTML, ImagesByIndexAndByName) {
    Render r("a<IMG src=\"idx:1\">b<IMG SRC=\"flag\">c<IMG src=\"idx:9\">d");
    ASSERT_EQ(r.S.Images.size(), 2u);
    EXPECT_EQ(r.S.Images[0].first, "idx:1");
    EXPECT_EQ(r.S.Images[0].second, (TRect{6, 14, 22, 30}));
    EXPECT_EQ(r.S.Images[1].first, "flag");
    EXPECT_EQ(r.S.Images[1].second.Width(), 20);
    EXPECT_EQ(r.R.TextHeight, 30); // the tallest image
    // The missing image takes no room.
    EXPECT_EQ(r.Find("d")->R.Left, r.Find("c")->R.Left + 5);
    Render sized("<IMG src=\"flag\" width=\"8\" height=\"4\">");
    ASSERT_EQ(sized.S.Images.size(), 1u);
    EXPECT_EQ(sized.S.Images[0].second, (TRect{1, 11, 9, 15}));
}

TEST(RenderHTML, ImageInsideAnAnchorHitsAndShowsItsAlt) {
    const std::string text = "<A href=\"pic\"><IMG src=\"flag\" alt=\"flag2\"></A>";
    Render on(text, At(5, 10));
    EXPECT_TRUE(on.Hit);
    EXPECT_EQ(on.R.AnchorHref, "pic");
    ASSERT_EQ(on.S.Images.size(), 1u);
    EXPECT_EQ(on.S.Images[0].first, "flag2");
    Render off(text, At(50, 10));
    EXPECT_FALSE(off.Hit);
    EXPECT_EQ(off.S.Images[0].first, "flag");
}

TEST(RenderHTML, ImageAlignTopRaisesTheText) {
    Render r("<IMG src=\"flag\" align=\"top\">x");
    EXPECT_EQ(r.Find("x")->R.Bottom, 30 - 15);
    Render m("<IMG src=\"flag\" align=\"middle\">x");
    EXPECT_EQ(m.Find("x")->R.Bottom, 30 - 7);
}

TEST(RenderHTML, SubAndSuperscript) {
    Render r("H<SUB>2</SUB>O");
    EXPECT_EQ(r.R.TextHeight, 15 + 3);
    EXPECT_EQ(r.Find("H")->R.Bottom, 15);
    EXPECT_EQ(r.Find("2")->R.Bottom, 18);
    Render s("x<SUP>2</SUP>");
    EXPECT_EQ(s.R.TextHeight, 18);
    EXPECT_EQ(s.Find("x")->R.Bottom, 18);
    EXPECT_EQ(s.Find("2")->R.Bottom, 15);
}

TEST(RenderHTML, EntitiesAndAmpersands) {
    Render r("&lt;b&gt;bold&lt;/b&gt;");
    ASSERT_EQ(r.S.Texts.size(), 1u);
    EXPECT_EQ(r.S.Texts[0].Text, "<b>bold</b>");
    EXPECT_FALSE(r.S.Texts[0].Font.Bold);
    Render amp("R&amp;D, Tom & Jerry &euro;5");
    EXPECT_EQ(amp.S.Texts[0].Text, "R&D, Tom & Jerry \x80"
                                   "5");
    EXPECT_EQ(amp.R.PlainText, amp.S.Texts[0].Text);
    // Quotes in attribute values are no entities of the text.
    Render q("<A href=\"a&quot;b\">x</A>", At(3, 10));
    EXPECT_EQ(q.R.AnchorHref, "a&quot;b");
}

TEST(RenderHTML, RotationEndsWithItsTagAndTheCall) {
    Render r("<R a=\"90\">up</R>flat<R A=\"45\">open");
    EXPECT_EQ(r.Find("up")->Font.Angle, 90);
    EXPECT_EQ(r.Find("flat")->Font.Angle, 0);
    EXPECT_EQ(r.Find("open")->Font.Angle, 45);
    // Nothing of an unclosed tag reaches the next call.
    TFakeSurface s;
    THTMLRenderResult res;
    RenderHTMLOn(s, StartFont(), 0, "after", {0, 0, 200, 100}, {}, res);
    EXPECT_EQ(s.Texts[0].Font.Angle, 0);
}

TEST(RenderHTML, HiddenShadowErrorAndRule) {
    THTMLRenderParams p;
    p.ShadowOffset = 2;
    Render r("a<Z>secret</Z>b<SHAD>s</SHAD><E>e</E><HR>c", p);
    EXPECT_EQ(r.Find("secret"), nullptr);
    EXPECT_EQ(r.R.PlainText, "asecretbse\r\nc");
    int shadows = 0;
    for (const auto& t : r.S.Texts)
        if (t.Text == "s" && t.Font.Color == 0x808080) {
            ++shadows;
            EXPECT_EQ(t.R.Left, r.Find("b")->R.Left + 5 + 2);
        }
    EXPECT_EQ(shadows, 1);
    ASSERT_EQ(r.S.Lines.size(), 2u); // the wavy underline and the rule
    EXPECT_EQ(r.S.LineColors[0], 0x0000FF);
    EXPECT_EQ(r.S.Lines[1].front(), (TPoint{0, 16}));
    EXPECT_EQ(r.S.Lines[1].back(), (TPoint{200, 16}));
}

TEST(RenderHTML, ParagraphAlignmentAndBackground) {
    Render r("<P align=\"right\" bgcolor=\"#00FF00\">end</P>next");
    EXPECT_EQ(r.Find("end")->R.Left, 200 - 15);
    EXPECT_EQ(r.Find("next")->R.Left, 1);
    ASSERT_EQ(r.S.Fills.size(), 1u);
    EXPECT_EQ(r.S.Fills[0].second, 0x00FF00);
    EXPECT_EQ(r.S.Fills[0].first, (TRect{0, 0, 200, 15}));
    Render c("<P align=\"center\">mid</P>");
    EXPECT_EQ(c.Find("mid")->R.Left, (200 - 15) / 2);
    Render i("<P indent=\"30\">in</P>");
    EXPECT_EQ(i.Find("in")->R.Left, 31);
}

TEST(RenderHTML, ControlsTakeRoomOnlyWithAWidthButCheckAndRadioHaveTheirOwn) {
    // Without WIDTH: an edit, combo or button takes no room and draws
    // nothing; a check box or radio button is its own 16 x 16 and is hit.
    struct TCase {
        const char* Type;
        bool Shown;
    };
    for (const TCase& c : {TCase{"EDIT", false}, TCase{"COMBO", false}, TCase{"BUTTON", false},
                           TCase{"CHECK", true}, TCase{"RADIO", true}}) {
        Render none(std::string("a<CONTROL TYPE=\"") + c.Type + "\" ID=\"n\" VALUE=\"TRUE\">b",
                    At(10, 10));
        EXPECT_EQ(none.Find("b")->R.Left, c.Shown ? 6 + 16 : 6) << c.Type;
        EXPECT_TRUE(none.S.Frames.empty()) << c.Type;
        EXPECT_EQ(none.S.Parts.size(), c.Shown ? 1u : 0u) << c.Type;
        EXPECT_EQ(none.Hit, c.Shown) << c.Type;
        EXPECT_EQ(none.R.ControlId, c.Shown ? "n" : "") << c.Type;
    }
    const std::string text = "a<CONTROL TYPE=\"check\" ID=\"c1\" WIDTH=\"1\" VALUE=\"TRUE\">b"
                             "<CONTROL TYPE=\"EDIT\" ID=\"e1\" WIDTH=\"40\" VALUE=\"x &lt;y&gt;\">";
    Render r(text, At(10, 10));
    EXPECT_TRUE(r.Hit);
    EXPECT_EQ(r.R.AnchorHref, "ctrl");
    EXPECT_EQ(r.R.ControlId, "c1");
    EXPECT_EQ(r.R.ControlType, "CHECK");
    EXPECT_EQ(r.R.ControlValue, "TRUE");
    ASSERT_EQ(r.S.Parts.size(), 1u);
    EXPECT_TRUE(r.S.Parts[0].Checked);
    EXPECT_TRUE(r.S.Parts[0].Hot);
    EXPECT_EQ(r.Find("b")->R.Left, 6 + 16);
    EXPECT_NE(r.Find("x <y>"), nullptr);
    Render edit(text, At(40, 12));
    EXPECT_EQ(edit.R.ControlId, "e1");
    EXPECT_EQ(edit.R.ControlValue, "x <y>");
    EXPECT_EQ(edit.R.MouseControlRect, (TRect{27, 0, 67, 21}));
}

TEST(RenderHTML, MeasureAndTestOnlyDrawNothing) {
    THTMLRenderParams t = At(20, 10);
    t.TestOnly = true;
    Render test("go <A href=\"one\">link</A>", t);
    EXPECT_TRUE(test.Hit);
    EXPECT_EQ(test.S.Drawn(), 0u);
    THTMLRenderParams m;
    m.MeasureOnly = true;
    Render measure("a<BR>b<BR>c<BR>d", m, {0, 0, 200, 20});
    EXPECT_EQ(measure.S.Drawn(), 0u);
    EXPECT_EQ(measure.R.TextHeight, 60); // layout goes on below the rectangle
    Render clipped("a<BR>b<BR>c<BR>d", {}, {0, 0, 200, 20});
    EXPECT_EQ(clipped.R.TextHeight, 15);
    EXPECT_EQ(clipped.S.Texts.size(), 1u);
}

TEST(RenderHTML, EveryTextEnds) {
    // Inputs that could keep a line loop from consuming anything.
    for (const std::string& text : std::vector<std::string>{
             "<", "<B", "abc<", "abc<B>de<I", "<LI><LI><LI>", "<UL><UL></UL></UL></UL>",
             std::string(500, 'w'), "<IMG src=\"flag\"><IMG src=\"flag\"><IMG src=\"flag\">",
             "< >< >", "<>>>", "a<BR><BR><BR>", "<P></P><P></P>", "&&&&;;<;"}) {
        THTMLRenderParams p = Wrap();
        p.MeasureOnly = true;
        TFakeSurface s;
        THTMLRenderResult res;
        RenderHTMLOn(s, StartFont(), 0, text, {0, 0, 3, 3}, p, res);
        EXPECT_GE(res.TextHeight, 15) << text;
    }
    Render glued(std::string(50, 'x') + " " + std::string(50, 'y'), Wrap(), {0, 0, 30, 1000});
    EXPECT_EQ(glued.S.Texts.size(), 2u);
}

TEST(RenderHTML, BodyFillsTheWholeRectangle) {
    Render r("<BODY bgcolor=\"#0000FF\" background=\"flag\">x</BODY>");
    ASSERT_EQ(r.S.Fills.size(), 1u);
    EXPECT_EQ(r.S.Fills[0].first, (TRect{0, 0, 200, 100}));
    EXPECT_EQ(r.S.Fills[0].second, 0xFF0000);
    ASSERT_EQ(r.S.Tiles.size(), 1u);
    EXPECT_EQ(r.S.Tiles[0].first, "flag");
}

TEST(RenderHTML, BodyColourNeedsANameOrAHexadecimalValue) {
    Render name("<BODY bgcolor=\"clRed\">x");
    ASSERT_EQ(name.S.Fills.size(), 1u);
    EXPECT_EQ(name.S.Fills[0].second, 0x0000FF);
    Render none("<BODY bgcolor=\"red\">x");
    EXPECT_TRUE(none.S.Fills.empty());
    EXPECT_NE(none.Find("x"), nullptr);
}

TEST(RenderHTML, TheFirstLetterChoosesTheTag) {
    // Further letters count only among tags that share the first one.
    Render r("<BIG>a</BIG><ITALIC>b</ITALIC><EM>c</EM><STRIKE>d</STRIKE><HX>e<DIV>f");
    EXPECT_TRUE(r.Find("a")->Font.Bold);
    EXPECT_FALSE(r.Find("b")->Font.Bold);
    EXPECT_TRUE(r.Find("b")->Font.Italic);
    EXPECT_FALSE(r.Find("c")->Font.Italic);
    EXPECT_EQ(r.S.Lines.size(), 1u); // the error underline of "c"
    EXPECT_TRUE(r.Find("d")->Font.StrikeOut);
    EXPECT_FALSE(r.Find("e")->Font.StrikeOut);
    EXPECT_EQ(r.R.PlainText, "abcdef");
    Render image("<IMAGE src=\"flag\">");
    EXPECT_EQ(image.S.Images.size(), 1u);
    Render sup("<SUPER>x</SUPER>y");
    EXPECT_LT(sup.Find("x")->R.Bottom, sup.Find("y")->R.Bottom);
}

TEST(RenderHTML, TemplatePrefixShowsAsText) {
    Render r("<#SUM> total");
    EXPECT_EQ(r.R.PlainText, "#SUM total");
}

// Nested tags: styles switch on and off one by one, FONT colours come back in
// the order they were set, while a closing FONT returns the face and size of
// the start font whatever was open around it.
TEST(RenderHTML, NestedStylesAndFonts) {
    Render r("<FONT color=\"#0000FF\" size=\"4\"><B>a<I>b</I>c</B>"
             "<FONT color=\"#00FF00\">d</FONT>e</FONT>f");
    struct TWant {
        const char* Text;
        bool Bold, Italic;
        TColor Color;
        int Size, Left;
    };
    // Size 4 is 14 points: 7 pixels a character, 8 when bold, 21 high.
    const TWant want[] = {
        {"a", true, false, 0xFF0000, 14, 1},   {"b", true, true, 0xFF0000, 14, 9},
        {"c", true, false, 0xFF0000, 14, 17},  {"d", false, false, 0x00FF00, 14, 25},
        {"e", false, false, 0xFF0000, 10, 32}, {"f", false, false, 0x112233, 10, 37}};
    ASSERT_EQ(r.S.Texts.size(), std::size(want));
    for (const TWant& w : want) {
        const TDrawnText* t = r.Find(w.Text);
        ASSERT_NE(t, nullptr) << w.Text;
        EXPECT_EQ(t->Font.Bold, w.Bold) << w.Text;
        EXPECT_EQ(t->Font.Italic, w.Italic) << w.Text;
        EXPECT_EQ(t->Font.Color, w.Color) << w.Text;
        EXPECT_EQ(t->Font.Size, w.Size) << w.Text;
        EXPECT_EQ(t->R.Left, w.Left) << w.Text;
        EXPECT_EQ(t->R.Bottom, 21) << w.Text; // the tallest piece sets the line
    }
    EXPECT_EQ(r.R.TextWidth, 8 + 8 + 8 + 7 + 5 + 5);
}

TEST(RenderHTML, AnAnchorNestedInStylesKeepsThemAndEndsItsOwn) {
    // "x" is 6 pixels bold: the link "yz" runs from x 7 to 19.
    Render r("<B>x<A href=\"h\">y<I>z</I></A>w</B>", At(15, 5));
    EXPECT_TRUE(r.Hit);
    EXPECT_EQ(r.R.AnchorHref, "h");
    EXPECT_EQ(r.R.MouseAnchorRect, (TRect{7, 0, 19, 15}));
    const TDrawnText* z = r.Find("z");
    EXPECT_TRUE(z->Font.Bold && z->Font.Italic && z->Font.Underline);
    EXPECT_EQ(z->Font.Color, 0xFF0000);
    const TDrawnText* w = r.Find("w");
    EXPECT_TRUE(w->Font.Bold);
    EXPECT_FALSE(w->Font.Italic || w->Font.Underline);
    EXPECT_EQ(w->Font.Color, 0x112233);
    EXPECT_EQ(w->R.Left, 19);
}

TEST(RenderHTML, NestedListsIndentAndAlternateTheirBullets) {
    Render r("<UL><LI>a<UL><LI>b</UL><LI>c</UL>");
    // The list's own line, then one line per item.
    EXPECT_EQ(r.Find("a")->R.Left, 1 + 12);
    EXPECT_EQ(r.Find("a")->R.Bottom, 30);
    EXPECT_EQ(r.Find("b")->R.Left, 1 + 24);
    EXPECT_EQ(r.Find("b")->R.Bottom, 45);
    EXPECT_EQ(r.Find("c")->R.Left, 1 + 12);
    EXPECT_EQ(r.Find("c")->R.Bottom, 60);
    std::vector<std::pair<std::string, int>> bullets;
    for (const TDrawnText& t : r.S.Texts)
        if (t.Text == "\x95" || t.Text == "o") bullets.emplace_back(t.Text, t.R.Left);
    const std::vector<std::pair<std::string, int>> want = {{"\x95", 1}, {"o", 13}, {"\x95", 1}};
    EXPECT_EQ(bullets, want);
    EXPECT_EQ(r.R.TextHeight, 60);
}

TEST(RenderHTML, NestedSubscriptInAnAnchorInAParagraph) {
    Render r("<P align=\"right\"><A href=\"f\">H<SUB>2</SUB>O</A></P>", At(195, 10));
    // Three characters of 5 pixels end at the rectangle's right edge.
    EXPECT_EQ(r.Find("H")->R.Left, 200 - 15);
    EXPECT_EQ(r.Find("2")->R.Bottom, r.Find("H")->R.Bottom + 3);
    EXPECT_TRUE(r.Find("2")->Font.Underline);
    EXPECT_EQ(r.R.AnchorHref, "f");
}
