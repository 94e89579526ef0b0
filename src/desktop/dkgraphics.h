#pragma once
// Extra colour names of the desktop components, and the screen pixel under the
// mouse cursor.

#include "platform/vcl/gfx/colors.h"

constexpr TColor clBrown = 0x003090;
constexpr TColor clOliveGreen = 0x003030;
constexpr TColor clDarkGreen = 0x003000;
constexpr TColor clDarkTeal = 0x603000;
constexpr TColor clIndigo = 0x903030;
constexpr TColor clNight = 0x303030;
constexpr TColor clOrange = 0x0068FF;
constexpr TColor clBlueGray = 0x906060;
constexpr TColor clLightOrange = 0x0098FF;
constexpr TColor clSeaGreen = 0x609830;
constexpr TColor clLightBlue = 0xFF6830;
constexpr TColor clMetal = 0x909090;
constexpr TColor clGold = 0x00C8FF;
constexpr TColor clPlum = 0x603090;
constexpr TColor clRose = 0xD098FF;
constexpr TColor clTan = 0xA0C8FF;
constexpr TColor clLightYellow = 0x90FFFF;
constexpr TColor clLightGreen = 0xD0FFD0;
constexpr TColor clLightTurquoise = 0xFFFFC0;
constexpr TColor clPaleBlue = 0xFFC890;
constexpr TColor clLavender = 0xFF98C0;
// The desktop components' own values of names the standard table knows too.
constexpr TColor dkclSkyBlue = 0xFFC800;
constexpr TColor dkclCream = 0xA6CAF0;

// Registers the names with the colour-name conversion (once; later calls do
// nothing), so they are read wherever colour names are read.
void dkRegisterColorNames();

// The colour of the screen pixel at the mouse cursor; clNone where the display
// server does not let a program read the screen.
TColor dkPixelUnderCursor();
// True when the window system can show windows partly transparent.
bool dkLayeredWindowsAvailable();
