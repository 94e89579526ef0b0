#pragma once
// Colours as the platform keeps them: 0x00BBGGRR (red in the low byte). A value
// with the high bit set is a system colour (0x80000000 + index); this layer
// answers those from one fixed classic palette, never from the desktop theme,
// so that every machine draws the program alike.

#include <cstdint>
#include <string>

using TColor = std::int32_t;

constexpr TColor MakeSystemColor(int Index) {
    return static_cast<TColor>(0x80000000u | Index);
}

// System colour indices.
enum : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
    COLOR_ENDCOLORS = COLOR_MENUBAR,
};

// Named colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

// "Not set" and "whatever the control would use".
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours.
constexpr TColor clScrollBar = MakeSystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = MakeSystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = MakeSystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = MakeSystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = MakeSystemColor(COLOR_MENU);
constexpr TColor clWindow = MakeSystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = MakeSystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = MakeSystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = MakeSystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = MakeSystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = MakeSystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = MakeSystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = MakeSystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = MakeSystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = MakeSystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = MakeSystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = MakeSystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = MakeSystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = MakeSystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = MakeSystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = MakeSystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = MakeSystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = MakeSystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = MakeSystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = MakeSystemColor(COLOR_INFOBK);
constexpr TColor clHotLight = MakeSystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = MakeSystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = MakeSystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = MakeSystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = MakeSystemColor(COLOR_MENUBAR);

constexpr TColor RGB(int R, int G, int B) {
    return static_cast<TColor>((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}
constexpr int GetRValue(TColor C) {
    return C & 0xFF;
}
constexpr int GetGValue(TColor C) {
    return (C >> 8) & 0xFF;
}
constexpr int GetBValue(TColor C) {
    return (C >> 16) & 0xFF;
}

inline bool IsSystemColor(TColor C) {
    return (static_cast<std::uint32_t>(C) & 0xFF000000u) == 0x80000000u;
}

// The fixed RGB value of a system colour index (black for an unknown index).
TColor GetSysColor(int Index);
// A system colour becomes its fixed value; every other colour (clNone and
// clDefault too) is returned unchanged.
TColor ColorToRGB(TColor Color);

// Colour names ("clRed", "clBtnFace") and the "$00BBGGRR" / decimal forms.
std::string ColorToString(TColor Color);
// Raises EConvertError for text that is neither a name nor a number.
TColor StringToColor(const std::string& S);
bool IdentToColor(const std::string& Ident, TColor& Color);
bool ColorToIdent(TColor Color, std::string& Ident);
// Adds names that are tried before the standard ones (a later registration of
// the same name wins).
void RegisterColorName(const std::string& Name, TColor Color);
