#include <gtest/gtest.h>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/colors.h"

namespace {

TEST(Colors, RedIsTheLowByte) {
    EXPECT_EQ(RGB(1, 2, 3), 0x030201);
    EXPECT_EQ(GetRValue(clRed), 255);
    EXPECT_EQ(GetGValue(clRed), 0);
    EXPECT_EQ(GetBValue(clBlue), 255);
    EXPECT_EQ(clNavy, RGB(0, 0, 128));
}

TEST(Colors, SystemColoursHaveFixedClassicValues) {
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_FALSE(IsSystemColor(clWhite));
    EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0x8000000Fu);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clHighlight), clNavy);
    EXPECT_EQ(ColorToRGB(clHighlightText), clWhite);
    EXPECT_EQ(ColorToRGB(clBtnFace), clSilver);
    EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
    EXPECT_EQ(ColorToRGB(clGrayText), clGray);
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    // Plain colours and the markers pass unchanged.
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(clNone, 0x1FFFFFFF);
    EXPECT_EQ(clDefault, 0x20000000);
}

TEST(Colors, NamesAndNumbers) {
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(RGB(1, 2, 3)), "$00030201");
    EXPECT_EQ(StringToColor("clInfoBk"), clInfoBk);
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("$00030201"), RGB(1, 2, 3));
    EXPECT_EQ(StringToColor("$8000000F"), clBtnFace);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}

TEST(Colors, RegisteredNamesComeFirst) {
    RegisterColorName("clTestOrange", 0x0068FF);
    TColor C = clBlack;
    EXPECT_TRUE(IdentToColor("clTestOrange", C));
    EXPECT_EQ(C, 0x0068FF);
    EXPECT_EQ(ColorToString(0x0068FF), "clTestOrange");
}

} // namespace
