#pragma once
// The arithmetic of the spin controls' layout, apart from the windows.

#include "controls/numeric/numeditcore.h"
#include "platform/rtl/types.h"
#include "platform/vcl/spinhalves.h"

struct TSpinButtonLayout {
    int Width = 0;
    int Height = 0;
    TRect Up;   // bounds of the up button in the spin button
    TRect Down; // bounds of the down button
};

// The two stacked buttons of a spin button of W x H: the upper half (rounded
// down) and the rest.
TSpinButtonLayout SpinButtonLayout(int W, int H);

// The lowest height of a numeric spin whose font is FontHeight pixels high,
// with the screen font's height SysFontHeight and a border of BorderHeight.
int NumSpinMinHeight(int FontHeight, int SysFontHeight, int BorderHeight);

// Where the embedded spin button of current width ButtonWidth goes in a numeric
// spin of W x H: in the 3-D look flush with the top, else inset by one pixel.
TRect NumSpinButtonBounds(int W, int H, int ButtonWidth, bool Look3D);

// The rectangle the text may use: everything left of the button.
TRect NumSpinEditRect(int ClientWidth, int ClientHeight, int ButtonWidth);

struct TSpinArrows {
    bool Up = false;
    bool Down = false;
    bool operator==(const TSpinArrows&) const = default;
};

// Which arrows of a numeric spin can be pressed: none while the text is being
// edited or wrong, else those whose limit has not been reached.
TSpinArrows NumSpinArrows(TNumEditState State, bool SpinEnabled, bool AtMax, bool AtMin);
