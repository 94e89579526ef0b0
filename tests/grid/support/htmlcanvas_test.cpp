// The renderer on a real offscreen canvas: sizes are compared with what the
// canvas measures, since glyph widths depend on the installed fonts.

#include <gtest/gtest.h>

#include "gfxtestenv.h"
#include "grid/support/htmlcanvas.h"

namespace {

class CanvasHTML : public ::testing::Test {
protected:
    std::unique_ptr<TBitmap> B = WhiteBitmap(300, 160);
    TCanvas& C = *B->Canvas();
    TRect R{0, 0, 300, 160};
    THTMLRenderResult Res;
    void SetUp() override {
        C.Font()->SetName("DejaVu Sans");
        C.Font()->SetSize(10);
        C.Font()->SetColor(clBlack);
    }
    bool Render(const std::string& Text, THTMLRenderParams P = {},
                const THTMLImageLookup& Images = {}) {
        return RenderHTML(C, Text, R, P, Res, Images);
    }
    int Width(const std::string& Text, TFontStyles Style = {}) {
        const TFontStyles saved = C.Font()->Style();
        C.Font()->SetStyle(Style);
        const int w = C.TextWidth(Text);
        C.Font()->SetStyle(saved);
        return w;
    }
};

} // namespace

TEST_F(CanvasHTML, PlainTextMeasuresAsTheCanvasDoes) {
    Render("Schaakclub Vivazozodi");
    EXPECT_EQ(Res.TextWidth, C.TextWidth("Schaakclub Vivazozodi"));
    EXPECT_EQ(Res.TextHeight, C.TextHeight("gh"));
    const TRect ink = InkBounds(*B);
    ASSERT_FALSE(IsRectEmpty(ink));
    EXPECT_GE(ink.Left, 1);
    EXPECT_LE(ink.Right, 1 + Res.TextWidth + 1);
    EXPECT_LE(ink.Bottom, Res.TextHeight);
}

TEST_F(CanvasHTML, BoldItalicAndUnderline) {
    Render("<B>Remise</B>");
    EXPECT_EQ(Res.TextWidth, Width("Remise", fsBold));
    EXPECT_GT(Res.TextWidth, Width("Remise"));
    Render("<I>x</I><U>y</U>");
    EXPECT_EQ(Res.TextWidth, Width("x", fsItalic) + Width("y", fsUnderline));
}

TEST_F(CanvasHTML, FontColourAndSize) {
    Render("<FONT color=\"#FF0000\">rood</FONT> zwart");
    EXPECT_GT(CountColor(*B, R, clRed), 10);
    EXPECT_GT(CountColor(*B, R, clBlack), 10);
    THTMLRenderResult big;
    RenderHTML(C, "<FONT size=\"5\">groot</FONT>", R, {}, big);
    EXPECT_GT(big.TextHeight, Res.TextHeight);
    EXPECT_GT(big.TextWidth, Width("groot"));
}

TEST_F(CanvasHTML, LineBreaksAndWordWrap) {
    const int gh = C.TextHeight("gh");
    Render("een<BR>twee<BR>drie");
    EXPECT_EQ(Res.TextHeight, 3 * gh);
    THTMLRenderParams wrap;
    wrap.WordWrap = true;
    R = {0, 0, Width("woord woord") - 2, 160};
    Render("woord woord woord woord", wrap);
    EXPECT_EQ(Res.TextHeight, 4 * gh);
    EXPECT_EQ(Res.TextWidth, Width("woord"));
    EXPECT_LE(InkBounds(*B).Right, R.Right);
}

TEST_F(CanvasHTML, ListsIndentAfterABullet) {
    Render("<UL><LI>een<LI>twee</UL>");
    const int gh = C.TextHeight("gh");
    EXPECT_EQ(Res.TextHeight, 3 * gh); // the list's own line, then one per item
    // Bullets stand in the 12 pixels before the text.
    EXPECT_FALSE(IsRectEmpty(InkBounds(*B)));
    EXPECT_LT(InkBounds(*B).Left, 13);
    EXPECT_GT(CountColor(*B, {13, gh, 13 + Width("een"), 2 * gh}, clBlack), 5);
}

TEST_F(CanvasHTML, AnchorsAreFoundWhereTheyAreDrawn) {
    const std::string text = "ga naar <A href=\"http://knsb.nl\">KNSB</A> of <A href=\"b\">B</A>";
    const int start = 1 + Width("ga naar ");
    THTMLRenderParams p;
    p.PointX = start + Width("KNSB") / 2;
    p.PointY = C.TextHeight("gh") / 2;
    EXPECT_TRUE(Render(text, p));
    EXPECT_EQ(Res.AnchorHref, "http://knsb.nl");
    EXPECT_EQ(Res.MouseAnchor, 1);
    EXPECT_EQ(Res.AnchorCount, 2);
    EXPECT_EQ(Res.MouseAnchorRect.Left, start);
    EXPECT_EQ(Res.MouseAnchorRect.Right, start + Width("KNSB", fsUnderline));
    EXPECT_GT(CountColor(*B, Res.MouseAnchorRect, clBlue), 5);
    p.PointX = start - 3;
    EXPECT_FALSE(Render(text, p));
    EXPECT_EQ(Res.MouseAnchor, -1);
}

TEST_F(CanvasHTML, ImagesByIndexAndByName) {
    TBitmap green(10, 8), blue(6, 6);
    green.Canvas()->Brush()->SetColor(clLime);
    green.Canvas()->FillRect({0, 0, 10, 8});
    blue.Canvas()->Brush()->SetColor(clBlue);
    blue.Canvas()->FillRect({0, 0, 6, 6});
    const THTMLImageLookup images = [&](const std::string& s) -> const TGraphic* {
        if (s == "idx:0") return &green;
        if (s == "koning") return &blue;
        return nullptr;
    };
    Render("a<IMG src=\"idx:0\">b<IMG src=\"koning\">c<IMG src=\"idx:7\">", {}, images);
    EXPECT_EQ(CountColor(*B, R, clLime), 80);
    EXPECT_EQ(CountColor(*B, R, clBlue), 36);
    EXPECT_EQ(Res.TextWidth, Width("abc") + 16);
    Render("<IMG src=\"koning\" width=\"12\" height=\"3\">", {}, images);
    EXPECT_EQ(CountColor(*B, R, clBlue), 36 + 36);
}

TEST_F(CanvasHTML, SubAndSuperscriptGrowTheLine) {
    const int gh = C.TextHeight("gh");
    Render("H<SUB>2</SUB>O");
    EXPECT_EQ(Res.TextHeight, gh + gh / 4);
    Render("E=mc<SUP>2</SUP>");
    EXPECT_EQ(Res.TextHeight, gh + gh / 4);
}

TEST_F(CanvasHTML, AmpersandsAreDrawn) {
    Render("R&D");
    EXPECT_EQ(Res.TextWidth, Width("R&D"));
    EXPECT_GT(InkBounds(*B).Right, 1 + Width("RD"));
    Render("&lt;b&gt;");
    EXPECT_EQ(Res.PlainText, "<b>");
    EXPECT_EQ(Res.TextWidth, Width("<b>"));
}

TEST_F(CanvasHTML, TheCanvasKeepsItsFontAndBrush) {
    C.Brush()->SetColor(clYellow);
    Render("<R a=\"90\"><B><FONT face=\"Serif\" size=\"20\" color=\"clred\">x");
    EXPECT_EQ(C.Font()->Orientation(), 0);
    EXPECT_TRUE(C.Font()->Style().Empty());
    EXPECT_EQ(C.Font()->Name(), "DejaVu Sans");
    EXPECT_EQ(C.Font()->Size(), 10);
    EXPECT_EQ(C.Font()->Color(), clBlack);
    EXPECT_EQ(C.Brush()->Color(), clYellow);
}

TEST_F(CanvasHTML, RichCellPicture) {
    B = WhiteBitmap(260, 90);
    TCanvas& c = *B->Canvas();
    c.Font()->SetName("DejaVu Sans");
    c.Font()->SetSize(9);
    c.Font()->SetColor(clBlack);
    THTMLRenderParams p;
    p.WordWrap = true;
    THTMLRenderResult res;
    RenderHTML(c,
               "<B>Ronde 3</B> <I>(uitslag)</I><BR><FONT color=\"clred\">1-0</FONT> "
               "<U>Jansen</U> &amp; <A href=\"x\">Pietersen</A> H<SUB>2</SUB>O x<SUP>2</SUP>"
               "<UL><LI>winst<LI><FONT bgcolor=\"clyellow\">remise</FONT></UL>"
               "<P align=\"right\"><E>fuot</E> &euro;5</P>",
               {2, 2, 258, 88}, p, res);
    SaveArtifact(*B, "gridsupport_richcell.png");
    EXPECT_GT(CountColor(*B, {0, 0, 260, 90}, clRed), 5);
    EXPECT_GT(CountColor(*B, {0, 0, 260, 90}, clYellow), 20);
    EXPECT_GT(res.TextHeight, 4 * c.TextHeight("gh"));
}

TEST_F(CanvasHTML, EmbeddedControlsPicture) {
    B = WhiteBitmap(320, 40);
    TCanvas& c = *B->Canvas();
    c.Font()->SetName("DejaVu Sans");
    c.Font()->SetSize(9);
    c.Font()->SetColor(clBlack);
    THTMLRenderParams p;
    p.PointX = 5; // on the first check box
    p.PointY = 20;
    THTMLRenderResult res;
    const bool hit = RenderHTML(c,
                                "<CONTROL TYPE=\"CHECK\" ID=\"c1\" WIDTH=\"16\" VALUE=\"TRUE\"> "
                                "<CONTROL TYPE=\"CHECK\" ID=\"c2\" WIDTH=\"16\" VALUE=\"FALSE\"> "
                                "<CONTROL TYPE=\"RADIO\" ID=\"r1\" WIDTH=\"16\" VALUE=\"TRUE\"> "
                                "<CONTROL TYPE=\"RADIO\" ID=\"r2\" WIDTH=\"16\" VALUE=\"FALSE\"> "
                                "<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"60\" VALUE=\"1-0\"> "
                                "<CONTROL TYPE=\"COMBO\" ID=\"k\" WIDTH=\"70\" VALUE=\"remise\"> "
                                "<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"50\" VALUE=\"OK\">",
                                {0, 0, 320, 40}, p, res);
    SaveArtifact(*B, "gridsupport_cellcontrols.png");
    EXPECT_TRUE(hit);
    EXPECT_EQ(res.ControlId, "c1");
    EXPECT_EQ(res.ControlType, "CHECK");
    EXPECT_GT(CountColor(*B, {0, 0, 320, 40}, 0x808080), 20); // frames and edges
}
