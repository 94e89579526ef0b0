#include "controls/numeric/spinlayout.h"

#include <algorithm>

TSpinButtonLayout SpinButtonLayout(int W, int H) {
    TSpinButtonLayout l;
    l.Width = std::max(W, SpinMinWidth);
    l.Height = H;
    const TSpinHalves halves = StackedSpinHalves(l.Width, H, 0);
    l.Up = halves.Up;
    l.Down = halves.Down;
    return l;
}

int NumSpinMinHeight(int FontHeight, int SysFontHeight, int BorderHeight) {
    return FontHeight + std::min(SysFontHeight, FontHeight) / 4 + 4 * BorderHeight + 2;
}

TRect NumSpinButtonBounds(int W, int H, int ButtonWidth, bool Look3D) {
    if (Look3D) return Bounds(W - ButtonWidth - 4, 0, ButtonWidth - 1, H - 4);
    return Bounds(W - ButtonWidth + 1, 1, ButtonWidth - 1, H - 3);
}

TRect NumSpinEditRect(int ClientWidth, int ClientHeight, int ButtonWidth) {
    return Rect(0, 0, ClientWidth - ButtonWidth - 2, ClientHeight + 1);
}

TSpinArrows NumSpinArrows(TNumEditState State, bool SpinEnabled, bool AtMax, bool AtMin) {
    if (State != esNormal) return {};
    return {SpinEnabled && !AtMax, SpinEnabled && !AtMin};
}
