// Hand-drawn edges and frame controls in the classic look.

#include <gtest/gtest.h>

#include "gfxtestenv.h"
#include "platform/vcl/gfx/drawcontrols.h"
#include "platform/vcl/gfx/graphics.h"

namespace {

const TColor Face = ColorToRGB(clBtnFace);
const TColor Highlight = ColorToRGB(clBtnHighlight);
const TColor Shadow = ColorToRGB(clBtnShadow);
const TColor DarkShadow = ColorToRGB(cl3DDkShadow);
const TColor Light = ColorToRGB(cl3DLight);

class Frames : public ::testing::Test {
protected:
    std::unique_ptr<TBitmap> B = WhiteBitmap(40, 30);
    TCanvas& C = *B->Canvas();
};

TEST_F(Frames, RaisedEdgeIsLightTopLeftAndDarkBottomRight) {
    TRect R = Rect(2, 2, 12, 10);
    EXPECT_TRUE(DrawEdge(C, R, EDGE_RAISED, BF_RECT));
    EXPECT_EQ(R, Rect(2, 2, 12, 10)); // unchanged without BF_ADJUST
    EXPECT_EQ(B->Pixel(2, 5), Light);
    EXPECT_EQ(B->Pixel(5, 2), Light);
    EXPECT_EQ(B->Pixel(3, 5), Highlight);
    EXPECT_EQ(B->Pixel(11, 5), DarkShadow);
    EXPECT_EQ(B->Pixel(5, 9), DarkShadow);
    EXPECT_EQ(B->Pixel(10, 5), Shadow);
    EXPECT_EQ(B->Pixel(11, 2), DarkShadow); // top-right corner belongs to the dark side
    EXPECT_EQ(B->Pixel(2, 9), DarkShadow);  // so does bottom-left
    EXPECT_EQ(B->Pixel(6, 6), clWhite);     // no middle without BF_MIDDLE
    EXPECT_EQ(InkBounds(*B), Rect(2, 2, 12, 10));
}

TEST_F(Frames, SunkenEdgeWithMiddleAndAdjust) {
    TRect R = Rect(0, 0, 20, 20);
    DrawEdge(C, R, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
    EXPECT_EQ(R, Rect(2, 2, 18, 18));
    EXPECT_EQ(B->Pixel(0, 5), Shadow);
    EXPECT_EQ(B->Pixel(1, 5), DarkShadow);
    EXPECT_EQ(B->Pixel(19, 5), Highlight);
    EXPECT_EQ(B->Pixel(18, 5), Light);
    EXPECT_EQ(B->Pixel(10, 10), Face);
}

TEST_F(Frames, EdgeOnChosenSidesOnly) {
    C.Brush()->SetColor(clRed);
    C.FillRect(Rect(0, 0, 40, 30));
    TRect R = Rect(0, 0, 10, 10);
    DrawEdge(C, R, BDR_RAISEDINNER, BF_LEFT | BF_ADJUST);
    EXPECT_EQ(R, Rect(1, 0, 10, 10));
    EXPECT_EQ(InkBounds(*B, clRed), Rect(0, 0, 1, 10));
    EXPECT_EQ(B->Pixel(0, 9), Highlight);
}

TEST_F(Frames, FlatEdgeIsOneShadowFrame) {
    TRect R = Rect(0, 0, 10, 10);
    DrawEdge(C, R, BDR_RAISEDOUTER, BF_RECT | BF_FLAT);
    EXPECT_EQ(CountColor(*B, Rect(0, 0, 10, 10), Shadow), 36);
}

TEST_F(Frames, EdgesLeaveTheCanvasObjectsAlone) {
    C.Brush()->SetColor(clRed);
    C.SetBkMode(TRANSPARENT);
    TRect R = Rect(0, 0, 10, 10);
    DrawEdge(C, R, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    DrawFrameControl(C, Rect(10, 0, 26, 16), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(C.Brush()->Color(), clRed);
    EXPECT_EQ(C.BkMode(), TRANSPARENT);
    C.FillRect(Rect(30, 0, 32, 2));
    EXPECT_EQ(B->Pixel(30, 0), clRed);
}

TEST_F(Frames, CheckBoxShowsItsStateInsideItsSquare) {
    auto Unchecked = WhiteBitmap(13, 13);
    auto Checked = WhiteBitmap(13, 13);
    auto Inactive = WhiteBitmap(13, 13);
    DrawFrameControl(*Unchecked->Canvas(), Rect(0, 0, 13, 13), DFC_BUTTON, DFCS_BUTTONCHECK);
    DrawFrameControl(*Checked->Canvas(), Rect(0, 0, 13, 13), DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_CHECKED);
    DrawFrameControl(*Inactive->Canvas(), Rect(0, 0, 13, 13), DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
    EXPECT_EQ(CountColor(*Unchecked, Rect(2, 2, 11, 11), clWhite), 81); // window colour inside
    const int Tick = CountColor(*Checked, Rect(2, 2, 11, 11), clBlack);
    EXPECT_EQ(Tick, 21); // seven columns of three
    EXPECT_EQ(CountColor(*Inactive, Rect(2, 2, 11, 11), ColorToRGB(clGrayText)), 21);
    EXPECT_EQ(CountColor(*Inactive, Rect(2, 2, 11, 11), Face), 81 - 21);
    EXPECT_EQ(Checked->Pixel(0, 0), Shadow);
    EXPECT_EQ(Checked->Pixel(12, 12), Highlight);
}

TEST_F(Frames, CheckBoxTakesTheCentredSquare) {
    DrawFrameControl(C, Rect(0, 0, 40, 13), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT);
    EXPECT_EQ(InkBounds(*B), Rect(13, 0, 26, 13));
}

TEST_F(Frames, RadioButtonDotOnlyWhenChecked) {
    auto Off = WhiteBitmap(13, 13);
    auto On = WhiteBitmap(13, 13);
    DrawFrameControl(*Off->Canvas(), Rect(0, 0, 13, 13), DFC_BUTTON, DFCS_BUTTONRADIO);
    DrawFrameControl(*On->Canvas(), Rect(0, 0, 13, 13), DFC_BUTTON,
                     DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(Off->Pixel(6, 6), clWhite);
    EXPECT_EQ(On->Pixel(6, 6), clBlack);
    EXPECT_EQ(Off->Pixel(0, 0), clWhite); // round: the corners stay
    EXPECT_LE(InkBounds(*On).Right, 13);
}

TEST_F(Frames, PushButtonRaisedOrPushed) {
    DrawFrameControl(C, Rect(0, 0, 20, 10), DFC_BUTTON, DFCS_BUTTONPUSH);
    EXPECT_EQ(B->Pixel(0, 0), Highlight);
    EXPECT_EQ(B->Pixel(19, 9), DarkShadow);
    EXPECT_EQ(B->Pixel(10, 5), Face);
    DrawFrameControl(C, Rect(20, 0, 40, 10), DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(B->Pixel(20, 0), ColorToRGB(clWindowFrame));
    EXPECT_EQ(B->Pixel(21, 1), Shadow);
    EXPECT_EQ(B->Pixel(30, 5), Face);
}

TEST_F(Frames, ScrollArrowsPointTheirWay) {
    auto Down = WhiteBitmap(16, 16);
    DrawFrameControl(*Down->Canvas(), Rect(0, 0, 16, 16), DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    const TRect Inside = Rect(2, 2, 14, 14);
    int TopRow = -1;
    int BottomRow = -1;
    for (int Y = Inside.Top; Y < Inside.Bottom; ++Y)
        if (CountColor(*Down, Rect(2, Y, 14, Y + 1), clBlack) > 0) {
            if (TopRow < 0) TopRow = Y;
            BottomRow = Y;
        }
    ASSERT_GE(TopRow, 0);
    EXPECT_GT(CountColor(*Down, Rect(2, TopRow, 14, TopRow + 1), clBlack), 1);
    EXPECT_EQ(CountColor(*Down, Rect(2, BottomRow, 14, BottomRow + 1), clBlack), 1);

    auto Up = WhiteBitmap(16, 16);
    DrawFrameControl(*Up->Canvas(), Rect(0, 0, 16, 16), DFC_SCROLL, DFCS_SCROLLUP | DFCS_FLAT);
    EXPECT_EQ(Up->Pixel(0, 0), Shadow);
    int UpTop = -1;
    for (int Y = 2; Y < 14 && UpTop < 0; ++Y)
        if (CountColor(*Up, Rect(2, Y, 14, Y + 1), clBlack) > 0) UpTop = Y;
    EXPECT_EQ(CountColor(*Up, Rect(2, UpTop, 14, UpTop + 1), clBlack), 1);
}

TEST_F(Frames, FocusRectFunctionInverts) {
    DrawFocusRect(C, Rect(0, 0, 10, 10));
    EXPECT_GT(CountColor(*B, Rect(0, 0, 10, 10), clBlack), 0);
    DrawFocusRect(C, Rect(0, 0, 10, 10));
    EXPECT_EQ(InkBounds(*B), TRect{});
}

TEST(FrameGallery, IsSavedAsAPicture) {
    auto G = WhiteBitmap(260, 60);
    TCanvas& C = *G->Canvas();
    C.Brush()->SetColor(clBtnFace);
    C.FillRect(Rect(0, 0, 260, 60));
    const unsigned Checks[] = {DFCS_BUTTONCHECK,
                               DFCS_BUTTONCHECK | DFCS_CHECKED,
                               DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE,
                               DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED,
                               DFCS_BUTTONRADIO,
                               DFCS_BUTTONRADIO | DFCS_CHECKED};
    int X = 4;
    for (unsigned S : Checks) {
        DrawFrameControl(C, Bounds(X, 4, 13, 13), DFC_BUTTON, S);
        X += 18;
    }
    DrawFrameControl(C, Bounds(X, 4, 40, 20), DFC_BUTTON, DFCS_BUTTONPUSH);
    DrawFrameControl(C, Bounds(X + 44, 4, 40, 20), DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    X = 4;
    for (unsigned K :
         {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT,
          DFCS_SCROLLCOMBOBOX | DFCS_FLAT, DFCS_SCROLLUP | DFCS_INACTIVE, DFCS_SCROLLSIZEGRIP}) {
        DrawFrameControl(C, Bounds(X, 32, 16, 16), DFC_SCROLL, K);
        X += 20;
    }
    for (unsigned K : {DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE,
                       DFCS_CAPTIONHELP}) {
        DrawFrameControl(C, Bounds(X, 32, 16, 14), DFC_CAPTION, K);
        X += 20;
    }
    TRect R = Bounds(X, 30, 24, 20);
    DrawEdge(C, R, EDGE_ETCHED, BF_RECT);
    SaveArtifact(*G, "vclgfx_frames.png");
    EXPECT_FALSE(IsRectEmpty(InkBounds(*G, Face)));
}

} // namespace
