// Text on the canvas: TextOut, DrawText's layout rules and rotated text. Glyph
// widths depend on the installed font, so the checks compare positions.

#include <gtest/gtest.h>

#include "gfxtestenv.h"
#include "platform/vcl/gfx/graphics.h"

namespace {

class CanvasText : public ::testing::Test {
protected:
    std::unique_ptr<TBitmap> B = WhiteBitmap(200, 120);
    TCanvas& C = *B->Canvas();
    void SetUp() override {
        C.Font()->SetName("Tahoma");
        C.Font()->SetSize(10);
        C.Brush()->SetStyle(bsClear);
    }
};

TEST_F(CanvasText, TextOutDrawsInTheFontColourBelowAndRightOfThePoint) {
    C.Font()->SetColor(clBlue);
    C.TextOut(10, 20, "Hello");
    const TRect Ink = InkBounds(*B);
    ASSERT_FALSE(IsRectEmpty(Ink));
    EXPECT_GE(Ink.Left, 10);
    EXPECT_GE(Ink.Top, 20);
    EXPECT_LE(Ink.Right, 10 + C.TextWidth("Hello") + 1);
    EXPECT_LE(Ink.Bottom, 20 + C.TextHeight("Hello"));
    EXPECT_GT(CountColor(*B, Ink, clBlue), 10); // no antialiasing: pure font colour
    EXPECT_EQ(C.PenPos(), Point(10 + C.TextWidth("Hello"), 20));
}

TEST_F(CanvasText, OpaqueBackgroundFillsTheTextCell) {
    C.Brush()->SetColor(clYellow);
    C.TextOut(5, 5, "Wk");
    const TSize E = C.TextExtent("Wk");
    EXPECT_EQ(InkBounds(*B), Rect(5, 5, 5 + E.cx, 5 + E.cy));
}

TEST_F(CanvasText, MeasuresGrowWithTextAndSize) {
    EXPECT_LT(C.TextWidth("ab"), C.TextWidth("abcd"));
    EXPECT_EQ(C.TextWidth(""), 0);
    const int Small = C.TextHeight("X");
    C.Font()->SetSize(20);
    EXPECT_GT(C.TextHeight("X"), Small);
    C.Font()->SetStyle(fsBold);
    EXPECT_GT(C.TextWidth("abcdefgh"), 0);
}

TEST_F(CanvasText, TextRectClipsAndFills) {
    C.Brush()->SetColor(clAqua);
    C.TextRect(Rect(10, 10, 30, 40), 12, 12, "A very long text that overflows");
    EXPECT_EQ(InkBounds(*B), Rect(10, 10, 30, 40));
}

TEST_F(CanvasText, SingleLineVerticalCentring) {
    TRect R = Rect(0, 0, 200, 100);
    const int H = C.TextHeight("Mg");
    const int Result = DrawText(C, "Mg", R, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    const TRect Ink = InkBounds(*B);
    ASSERT_FALSE(IsRectEmpty(Ink));
    const int Top = (100 - H) / 2;
    EXPECT_GE(Ink.Top, Top);
    EXPECT_LE(Ink.Bottom, Top + H);
    // The middle of the ink is near the middle of the rectangle.
    EXPECT_NEAR((Ink.Top + Ink.Bottom) / 2.0, 50.0, H / 2.0);
    EXPECT_EQ(Result, Top + H);
}

TEST_F(CanvasText, BottomAlignment) {
    TRect R = Rect(0, 0, 200, 100);
    DrawText(C, "Mg", R, DT_SINGLELINE | DT_BOTTOM);
    const TRect Ink = InkBounds(*B);
    EXPECT_GE(Ink.Top, 100 - C.TextHeight("Mg"));
    EXPECT_LE(Ink.Bottom, 100);
}

TEST_F(CanvasText, RightAndCentreAlignment) {
    const int W = C.TextWidth("Right");
    TRect R = Rect(0, 0, 200, 30);
    DrawText(C, "Right", R, DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX);
    TRect Ink = InkBounds(*B);
    EXPECT_GE(Ink.Left, 200 - W);
    EXPECT_LE(Ink.Right, 200);
    EXPECT_GT(Ink.Right, 200 - 4);

    auto M = WhiteBitmap(200, 30);
    M->Canvas()->Font()->SetSize(10);
    M->Canvas()->Brush()->SetStyle(bsClear);
    R = Rect(0, 0, 200, 30);
    DrawText(*M->Canvas(), "Middle", R, DT_SINGLELINE | DT_CENTER);
    Ink = InkBounds(*M);
    EXPECT_NEAR(Ink.Left, 200 - Ink.Right, 3);
}

TEST_F(CanvasText, WordBreakMakesMoreLines) {
    const std::string Text = "one two three four five six seven eight";
    const int Line = C.TextHeight("X");
    TRect Wide = Rect(0, 0, 1000, 0);
    EXPECT_EQ(DrawText(C, Text, Wide, DT_WORDBREAK | DT_CALCRECT), Line);
    TRect Narrow = Rect(0, 0, C.TextWidth("three four"), 0);
    const int H = DrawText(C, Text, Narrow, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(H, 4 * Line);
    EXPECT_EQ(H % Line, 0);
    EXPECT_LE(Narrow.Width(), C.TextWidth("three four"));
    // Drawn, no line runs past the right edge.
    TRect R = Rect(0, 0, C.TextWidth("three four"), 120);
    EXPECT_EQ(DrawText(C, Text, R, DT_WORDBREAK), H);
    EXPECT_LE(InkBounds(*B).Right, R.Right);
    EXPECT_GE(InkBounds(*B).Bottom, 3 * Line);
}

TEST_F(CanvasText, LineBreaksStartNewLinesUnlessSingleLine) {
    const int Line = C.TextHeight("X");
    TRect R = Rect(0, 0, 200, 0);
    EXPECT_EQ(DrawText(C, "a\r\nb\nc", R, DT_CALCRECT), 3 * Line);
    R = Rect(0, 0, 200, 0);
    EXPECT_EQ(DrawText(C, "a\r\nb\nc", R, DT_CALCRECT | DT_SINGLELINE), Line);
    // A break at the very end adds no line; an empty line inside counts.
    R = Rect(0, 0, 200, 0);
    EXPECT_EQ(DrawText(C, "a\r\n", R, DT_CALCRECT), Line);
    R = Rect(0, 0, 200, 0);
    EXPECT_EQ(DrawText(C, "a\r\n\r\nb", R, DT_CALCRECT), 3 * Line);
    R = Rect(0, 0, 200, 0);
    EXPECT_EQ(DrawText(C, "", R, DT_CALCRECT), Line);
    EXPECT_EQ(R.Width(), 0);
}

TEST_F(CanvasText, LongWordBreaksOnlyInEditControlMode) {
    const std::string Word = "abcdefghijklmnopqrstuvwxyz";
    const int Line = C.TextHeight("X");
    TRect R = Rect(0, 0, C.TextWidth("abcdefgh"), 0);
    EXPECT_EQ(DrawText(C, Word, R, DT_WORDBREAK | DT_CALCRECT), Line);
    EXPECT_EQ(R.Width(), C.TextWidth(Word)); // the rectangle widens to the word
    R = Rect(0, 0, C.TextWidth("abcdefgh"), 0);
    EXPECT_GE(DrawText(C, Word, R, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT), 3 * Line);
}

TEST_F(CanvasText, TabsExpandToCommonStops) {
    TRect A = Rect(0, 0, 0, 0);
    TRect B2 = Rect(0, 0, 0, 0);
    DrawText(C, "a\tx", A, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
    DrawText(C, "abc\tx", B2, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
    // Both x's start at the same stop, give or take a space.
    EXPECT_NEAR(A.Width(), B2.Width(), C.TextWidth(" "));
    EXPECT_GT(A.Width(), C.TextWidth("abc x"));
}

TEST_F(CanvasText, CalcRectFitsSingleLine) {
    TRect R = Rect(10, 20, 11, 21);
    const int H = DrawText(C, "Measure me", R, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(R, Rect(10, 20, 10 + C.TextWidth("Measure me"), 20 + C.TextHeight("X")));
    EXPECT_EQ(H, C.TextHeight("X"));
    EXPECT_EQ(InkBounds(*B), TRect{}); // nothing drawn
}

TEST_F(CanvasText, EndEllipsisKeepsTheTextInside) {
    const std::string Text = "A rather long caption for a small cell";
    const int Width = C.TextWidth("A rather");
    TRect R = Rect(0, 0, Width, 30);
    DrawText(C, Text, R, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(InkBounds(*B).Right, Width);
    // Without the ellipsis (and without clipping) the text runs on.
    auto Other = WhiteBitmap(400, 30);
    Other->Canvas()->Font()->Assign(C.Font());
    Other->Canvas()->Brush()->SetStyle(bsClear);
    R = Rect(0, 0, Width, 30);
    DrawText(*Other->Canvas(), Text, R, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(*Other).Right, Width + 20);
    // The dots are there: the ink differs from the same width of plain text.
    auto Plain = WhiteBitmap(400, 30);
    Plain->Canvas()->Font()->Assign(C.Font());
    Plain->Canvas()->Brush()->SetStyle(bsClear);
    Plain->Canvas()->TextOut(0, 0, "A rather");
    EXPECT_NE(CountColor(*Plain, Rect(0, 0, Width, 30), clBlack),
              CountColor(*B, Rect(0, 0, Width, 30), clBlack));
}

TEST_F(CanvasText, ClippedToTheRectangleUnlessNoClip) {
    TRect R = Rect(10, 10, 30, 30);
    DrawText(C, "Overflowing text", R, DT_SINGLELINE);
    EXPECT_LE(InkBounds(*B).Right, 30);
    R = Rect(10, 50, 30, 70);
    DrawText(C, "Overflowing text", R, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(*B).Right, 30);
}

TEST_F(CanvasText, PrefixUnderlinesAndDoubleAmpersandIsLiteral) {
    const int Line = C.TextHeight("X");
    // "&&" is one '&': same width as the text with a single '&'.
    TRect R = Rect(0, 0, 0, 0);
    DrawText(C, "A&&B", R, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(R.Width(), C.TextWidth("A&B"));
    // "&x" is x, underlined.
    R = Rect(0, 0, 0, 0);
    DrawText(C, "&File", R, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(R.Width(), C.TextWidth("File"));
    // With DT_NOPREFIX the marks stay.
    R = Rect(0, 0, 0, 0);
    DrawText(C, "&File", R, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(R.Width(), C.TextWidth("&File"));

    // The underline: extra ink under the F, and only there.
    auto Plain = WhiteBitmap(100, 40);
    auto Marked = WhiteBitmap(100, 40);
    for (TBitmap* Bm : {Plain.get(), Marked.get()}) {
        Bm->Canvas()->Font()->Assign(C.Font());
        Bm->Canvas()->Brush()->SetStyle(bsClear);
    }
    R = Rect(0, 0, 100, 40);
    DrawText(*Plain->Canvas(), "File", R, DT_SINGLELINE);
    R = Rect(0, 0, 100, 40);
    DrawText(*Marked->Canvas(), "&File", R, DT_SINGLELINE);
    const int FWidth = C.TextWidth("F");
    int Extra = 0;
    int ExtraRight = 0;
    for (int Y = 0; Y < 40; ++Y)
        for (int X = 0; X < 100; ++X)
            if (Marked->Pixel(X, Y) != Plain->Pixel(X, Y)) {
                ++Extra;
                ExtraRight = std::max(ExtraRight, X + 1);
                EXPECT_GE(Y, C.TextHeight("X") / 2);
                EXPECT_LT(Y, Line + 1);
            }
    EXPECT_GT(Extra, 0);
    EXPECT_LE(ExtraRight, FWidth + 1);
}

TEST_F(CanvasText, PathEllipsisKeepsTheFileName) {
    const std::string Path = "/home/director/tournaments/2026/club/final.zv";
    const int Width = C.TextWidth(".../final.zv") + 2;
    auto P = WhiteBitmap(400, 30);
    P->Canvas()->Font()->Assign(C.Font());
    P->Canvas()->Brush()->SetStyle(bsClear);
    TRect R = Rect(0, 0, Width, 30);
    DrawText(*P->Canvas(), Path, R, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(InkBounds(*P).Right, Width);
    EXPECT_GT(InkBounds(*P).Right, Width - 10); // the file name sits at the end
}

TEST_F(CanvasText, MirroredTextKeepsItsGlyphsUpright) {
    const int W = C.TextWidth("Fk");
    C.TextOut(200 - 10 - W, 5, "Fk"); // where the mirrored text should land
    auto M = WhiteBitmap(200, 120);
    M->Canvas()->Font()->Assign(C.Font());
    M->Canvas()->Brush()->SetStyle(bsClear);
    M->Canvas()->SetMirrored(true, 200);
    M->Canvas()->TextOut(10, 5, "Fk");
    ASSERT_FALSE(IsRectEmpty(InkBounds(*B)));
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 150; X < 200; ++X)
            ASSERT_EQ(M->Pixel(X, Y), B->Pixel(X, Y)) << X << "," << Y;
}

TEST_F(CanvasText, RotatedTextRunsUpward) {
    C.Font()->SetOrientation(900);
    C.TextOut(50, 100, "Upward text");
    const TRect Ink = InkBounds(*B);
    ASSERT_FALSE(IsRectEmpty(Ink));
    // Taller than wide, above the reference point, right of it by at most a line.
    EXPECT_GT(Ink.Height(), Ink.Width());
    EXPECT_LE(Ink.Bottom, 101);
    EXPECT_GE(Ink.Left, 49);
    EXPECT_LE(Ink.Right, 50 + C.TextHeight("X") + 1);
    EXPECT_NEAR(Ink.Height(), C.TextWidth("Upward text"), 3);
}

TEST_F(CanvasText, SampleDrawingIsSaved) {
    auto S = WhiteBitmap(320, 200);
    TCanvas& K = *S->Canvas();
    K.Brush()->SetColor(clBtnFace);
    K.FillRect(Rect(0, 0, 320, 200));
    K.Pen()->SetColor(clBtnShadow);
    K.Brush()->SetColor(clWindow);
    K.Rectangle(10, 10, 150, 60);
    K.Font()->SetName("MS Sans Serif");
    K.Font()->SetSize(8);
    TRect R = Rect(10, 10, 150, 60);
    K.Brush()->SetStyle(bsClear);
    DrawText(K, "&Gecentreerd && afgekapt met puntjes", R,
             DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
    K.Brush()->SetColor(clHighlight);
    K.Font()->SetColor(clHighlightText);
    R = Rect(160, 10, 310, 60);
    K.FillRect(R);
    K.Brush()->SetStyle(bsClear);
    DrawText(K, "Woorden worden over meerdere regels verdeeld", R, DT_WORDBREAK);
    K.Font()->SetColor(clBlack);
    K.Font()->SetOrientation(900);
    K.TextOut(20, 190, "Omhoog");
    K.Font()->SetOrientation(0);
    K.Pen()->SetColor(clRed);
    K.Brush()->SetColor(clYellow);
    K.Ellipse(60, 80, 140, 140);
    K.Pie(160, 80, 230, 150, 230, 115, 195, 80);
    K.Pen()->SetMode(pmXor);
    K.Pen()->SetColor(clWhite);
    K.MoveTo(150, 70);
    K.LineTo(310, 190);
    K.Pen()->SetMode(pmCopy);
    K.DrawFocusRect(Rect(240, 80, 310, 150));
    SaveArtifact(*S, "vclgfx_sample.png");
    EXPECT_FALSE(IsRectEmpty(InkBounds(*S)));
}

} // namespace

namespace {

TEST(Fonts, SizeAndHeightAreOneMeasureAt96Dpi) {
    TFont F;
    EXPECT_EQ(F.Name(), "MS Sans Serif");
    EXPECT_EQ(F.Size(), 8);
    EXPECT_EQ(F.Height(), -11);
    F.SetSize(10);
    EXPECT_EQ(F.Height(), -13);
    F.SetHeight(-16);
    EXPECT_EQ(F.Size(), 12);
    int Changes = 0;
    F.OnChange = [&](TObject*) { ++Changes; };
    F.SetStyle({fsBold, fsItalic});
    F.SetStyle({fsBold, fsItalic}); // no change, no event
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(F.Style().Contains(fsBold));
    EXPECT_FALSE(F.Style().Contains(fsUnderline));
    TFont G;
    G.Assign(&F);
    EXPECT_TRUE(G == F);
}

TEST(Fonts, MetricsFollowTheSize) {
    TFont F;
    F.SetSize(8);
    const TTextMetric Small = GetTextMetrics(F);
    F.SetSize(16);
    const TTextMetric Big = GetTextMetrics(F);
    EXPECT_EQ(Small.tmHeight, Small.tmAscent + Small.tmDescent);
    EXPECT_GT(Big.tmHeight, Small.tmHeight);
    EXPECT_GT(Big.tmAveCharWidth, Small.tmAveCharWidth);
    EXPECT_GE(Small.tmHeight, 11); // at least the character height
    TCanvas C;
    C.Font()->Assign(&F);
    EXPECT_EQ(C.TextMetrics().tmHeight, C.TextHeight("Xg"));
}

TEST(Fonts, PlatformFaceNamesFindInstalledFamilies) {
    TFont F;
    F.SetName("Courier New");
    TCanvas Mono;
    Mono.Font()->Assign(&F);
    EXPECT_EQ(Mono.TextWidth("iiii"), Mono.TextWidth("MMMM"));
    TCanvas Sans; // "MS Sans Serif" -> a proportional face
    EXPECT_LT(Sans.TextWidth("iiii"), Sans.TextWidth("MMMM"));
}

TEST(Fonts, PenAndBrushReportChanges) {
    TPen P;
    TBrush B;
    int Changes = 0;
    P.OnChange = [&](TObject*) { ++Changes; };
    B.OnChange = [&](TObject*) { ++Changes; };
    P.SetColor(clRed);
    P.SetWidth(2);
    P.SetMode(pmXor);
    P.SetStyle(psDash);
    B.SetStyle(bsClear);
    B.SetColor(clRed); // makes it solid again
    EXPECT_EQ(B.Style(), bsSolid);
    EXPECT_EQ(Changes, 6);
    TPen Q;
    Q.Assign(&P);
    EXPECT_EQ(Q.Mode(), pmXor);
    EXPECT_EQ(Q.Width(), 2);
}

} // namespace
