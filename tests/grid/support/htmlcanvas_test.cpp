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

namespace {

// The smallest rectangle holding every pixel of colour Color in R (empty when none).
TRect ColorBounds(const TBitmap& B, const TRect& R, TColor Color) {
    TRect out{};
    bool any = false;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (B.Pixel(x, y) == Color) {
                out = any ? TRect{std::min(out.Left, x), std::min(out.Top, y),
                                  std::max(out.Right, x + 1), std::max(out.Bottom, y + 1)}
                          : TRect{x, y, x + 1, y + 1};
                any = true;
            }
    return out;
}

bool Inside(const TRect& Inner, const TRect& Outer) {
    return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
           Inner.Bottom <= Outer.Bottom;
}

} // namespace

// Each piece is painted where the layout put it, in its own colour: bold black
// from x 1, red after the bold word and a space, then on the second line a
// yellow background exactly behind its word and a blue underlined word after it.
TEST_F(CanvasHTML, PiecesArePaintedWhereTheLayoutPutsThem) {
    Render("<B>Ronde</B> <FONT color=\"#FF0000\">rood</FONT><BR>"
           "<FONT bgcolor=\"#FFFF00\">geel</FONT> <FONT color=\"#0000FF\"><U>blauw</U></FONT>");
    const int h = C.TextHeight("gh");
    const int bold = Width("Ronde", fsBold), space = Width(" "), red = Width("rood");
    const int yellow = Width("geel"), blue = Width("blauw", fsUnderline);
    EXPECT_EQ(Res.TextHeight, 2 * h);
    EXPECT_EQ(Res.TextWidth, std::max(bold + space + red, yellow + space + blue));

    const TRect line1{0, 0, 300, h}, line2{0, h, 300, 2 * h};
    const TRect black = ColorBounds(*B, R, clBlack);
    const TRect redInk = ColorBounds(*B, R, clRed);
    ASSERT_FALSE(IsRectEmpty(redInk));
    EXPECT_TRUE(Inside(redInk, {1 + bold + space, 0, 1 + bold + space + red, h})) << redInk.Left;
    EXPECT_GT(CountColor(*B, line1, clRed), 10);
    EXPECT_EQ(CountColor(*B, line2, clRed), 0);
    // Black is only the bold word and the text on the yellow ground.
    EXPECT_TRUE(Inside(black, {1, 0, 1 + std::max(bold, yellow), 2 * h}));
    EXPECT_GT(CountColor(*B, {1, 0, 1 + bold, h}, clBlack), 20);
    EXPECT_EQ(CountColor(*B, {1 + bold, 0, 300, h}, clBlack), 0);

    // The background is the word's cell: yellow where its glyphs are not, nowhere else.
    const TRect cell{1, h, 1 + yellow, 2 * h};
    const int inCell = CountColor(*B, cell, clYellow);
    EXPECT_EQ(CountColor(*B, R, clYellow), inCell);
    EXPECT_EQ(inCell + CountColor(*B, cell, clBlack), cell.Width() * cell.Height());
    EXPECT_GT(CountColor(*B, cell, clBlack), 10);

    // Blue from the start of its word after the space, underlined along the word.
    const int x = 1 + yellow + space;
    const TRect blueInk = ColorBounds(*B, R, clBlue);
    EXPECT_TRUE(Inside(blueInk, {x, h, x + blue, 2 * h})) << blueInk.Left << " " << blueInk.Right;
    int longestRow = 0;
    for (int y = h; y < 2 * h; ++y)
        longestRow = std::max(longestRow, CountColor(*B, {x, y, x + blue, y + 1}, clBlue));
    EXPECT_GE(longestRow, blue - 1);
}
