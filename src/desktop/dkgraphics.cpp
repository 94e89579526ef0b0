#include "dkgraphics.h"

#include "platform/desktop/screenpixel.h"

void dkRegisterColorNames() {
    static const bool Done = [] {
        const struct {
            const char* Name;
            TColor Color;
        } Names[] = {
            {"clHotLight", clHotLight},
            {"clGradientActiveCaption", clGradientActiveCaption},
            {"clGradientInactiveCaption", clGradientInactiveCaption},
            {"clMenuHighlight", clMenuHighlight},
            {"clMenuBar", clMenuBar},
            {"clDefault", clDefault},
            {"clBrown", clBrown},
            {"clOliveGreen", clOliveGreen},
            {"clDarkGreen", clDarkGreen},
            {"clDarkTeal", clDarkTeal},
            {"clIndigo", clIndigo},
            {"clNight", clNight},
            {"clOrange", clOrange},
            {"clBlueGray", clBlueGray},
            {"clLightOrange", clLightOrange},
            {"clSeaGreen", clSeaGreen},
            {"clLightBlue", clLightBlue},
            {"clMetal", clMetal},
            {"clGold", clGold},
            {"clPlum", clPlum},
            {"clRose", clRose},
            {"clTan", clTan},
            {"clLightYellow", clLightYellow},
            {"clLightGreen", clLightGreen},
            {"clLightTurquoise", clLightTurquoise},
            {"clPaleBlue", clPaleBlue},
            {"clLavender", clLavender},
            {"clMoneyGreen", clMoneyGreen},
            {"clSkyBlue", dkclSkyBlue},
            {"clCream", dkclCream},
        };
        for (const auto& N : Names)
            RegisterColorName(N.Name, N.Color);
        return true;
    }();
    (void)Done;
}

TColor dkPixelUnderCursor() {
    unsigned Rgb = 0;
    if (!ReadScreenPixelAtCursor(Rgb)) return clNone;
    return RGB((Rgb >> 16) & 0xFF, (Rgb >> 8) & 0xFF, Rgb & 0xFF);
}

bool dkLayeredWindowsAvailable() {
    return WindowOpacitySupported();
}
