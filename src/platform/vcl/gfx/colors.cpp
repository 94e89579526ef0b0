#include "platform/vcl/gfx/colors.h"

#include <array>
#include <utility>
#include <vector>

#include "platform/rtl/sysutils.h"

namespace {

// The classic grey scheme: the same look on every desktop.
constexpr std::array<TColor, COLOR_ENDCOLORS + 1> SysColors = {
    RGB(192, 192, 192), // scroll bar
    RGB(0, 128, 128),   // desktop background
    RGB(0, 0, 128),     // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(192, 192, 192), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(192, 192, 192), // active border
    RGB(192, 192, 192), // inactive border
    RGB(128, 128, 128), // application work space
    RGB(0, 0, 128),     // highlight
    RGB(255, 255, 255), // highlight text
    RGB(192, 192, 192), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(192, 192, 192), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(0, 0, 0),       // 3D dark shadow
    RGB(223, 223, 223), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
    RGB(192, 192, 192), // (unused index 25)
    RGB(0, 0, 128),     // hot-tracked item
    RGB(16, 132, 208),  // gradient of the active caption
    RGB(181, 181, 181), // gradient of the inactive caption
    RGB(0, 0, 128),     // menu highlight
    RGB(192, 192, 192), // menu bar
};

struct TColorName {
    TColor Color;
    const char* Name;
};

constexpr TColorName StandardNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

// Names added by components; searched newest first, before the standard ones.
std::vector<std::pair<std::string, TColor>>& ExtraNames() {
    static std::vector<std::pair<std::string, TColor>> Names;
    return Names;
}

} // namespace

TColor GetSysColor(int Index) {
    if (Index < 0 || Index > COLOR_ENDCOLORS) return clBlack;
    return SysColors[static_cast<size_t>(Index)];
}

TColor ColorToRGB(TColor Color) {
    if (IsSystemColor(Color)) return GetSysColor(Color & 0xFF);
    return Color;
}

void RegisterColorName(const std::string& Name, TColor Color) {
    ExtraNames().emplace_back(Name, Color);
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
    const auto& Extra = ExtraNames();
    for (auto It = Extra.rbegin(); It != Extra.rend(); ++It)
        if (SameText(It->first, Ident)) {
            Color = It->second;
            return true;
        }
    for (const auto& N : StandardNames)
        if (SameText(N.Name, Ident)) {
            Color = N.Color;
            return true;
        }
    return false;
}

bool ColorToIdent(TColor Color, std::string& Ident) {
    const auto& Extra = ExtraNames();
    for (auto It = Extra.rbegin(); It != Extra.rend(); ++It)
        if (It->second == Color) {
            Ident = It->first;
            return true;
        }
    for (const auto& N : StandardNames)
        if (N.Color == Color) {
            Ident = N.Name;
            return true;
        }
    return false;
}

std::string ColorToString(TColor Color) {
    std::string Ident;
    if (ColorToIdent(Color, Ident)) return Ident;
    return "$" + IntToHex(static_cast<std::uint32_t>(Color), 8);
}

TColor StringToColor(const std::string& S) {
    TColor Color;
    if (IdentToColor(Trim(S), Color)) return Color;
    int64_t Value;
    if (!TryStrToInt64(S, Value) || Value < INT32_MIN || Value > UINT32_MAX)
        throw EConvertError("'" + S + "' is not a valid colour");
    return static_cast<TColor>(static_cast<std::uint32_t>(Value));
}
