#pragma once
// The visual-style library of this layer: buttons, check boxes, radio buttons,
// combo box buttons, spin buttons and progress bars drawn with the desktop's
// current widget style, so that the themed looks of the grids show on Linux.
//
// Callers reach it the way programs reach an optional system library: they
// look its entry points up by name (ThemeLibraryEntry) and call through what
// they found. The library is there only when a widget application exists;
// without one nothing can be drawn in the desktop's style.

#include <string>

#include "platform/rtl/types.h"
#include "platform/vcl/wndtarget.h"

class TCanvas;

// A theme class opened for drawing ("button", "combobox", "spin", "progress").
struct TThemeClass;
using HTHEME = const TThemeClass*;
using HRESULT = long;

// Parts and states of the classes, numbered as the callers know them.
// "button"
constexpr int BP_PUSHBUTTON = 1;
constexpr int BP_RADIOBUTTON = 2;
constexpr int BP_CHECKBOX = 3;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
// Radio buttons and check boxes: unchecked 1..4, checked 5..8 (normal, hot,
// pressed, disabled); check boxes also mixed 9..12.
constexpr int RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT = 2, RBS_UNCHECKEDPRESSED = 3,
              RBS_UNCHECKEDDISABLED = 4, RBS_CHECKEDNORMAL = 5, RBS_CHECKEDHOT = 6,
              RBS_CHECKEDPRESSED = 7, RBS_CHECKEDDISABLED = 8;
constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT = 2, CBS_UNCHECKEDPRESSED = 3,
              CBS_UNCHECKEDDISABLED = 4, CBS_CHECKEDNORMAL = 5, CBS_CHECKEDHOT = 6,
              CBS_CHECKEDPRESSED = 7, CBS_CHECKEDDISABLED = 8, CBS_MIXEDNORMAL = 9,
              CBS_MIXEDHOT = 10, CBS_MIXEDPRESSED = 11, CBS_MIXEDDISABLED = 12;
// "combobox"
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;
// "spin": the arrow of the button
constexpr int SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4;
constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
// "progress"
constexpr int PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4;

// The four operations of the library. A class list may name several classes
// separated by ';' (the first known one is opened); names ignore case. The
// device context is the canvas to draw on. 0 answers success.
namespace ThemeLibrary {
HTHEME OpenThemeData(HWND Wnd, const char16_t* ClassList);
HRESULT CloseThemeData(HTHEME Theme);
// Draws the part in Rect (clipped to ClipRect when given) through the canvas,
// so its origin and clipping hold. Unknown parts and states draw nothing and
// fail.
HRESULT DrawThemeBackground(HTHEME Theme, TCanvas* DC, int PartId, int StateId, const TRect* Rect,
                            const TRect* ClipRect);
// True while a widget application with a style exists.
bool IsThemeActive();
} // namespace ThemeLibrary

// An entry point as found by name; the caller turns it back into its own type.
using TThemeProc = void (*)();
// True when the library can be loaded (a widget application exists).
bool ThemeLibraryAvailable();
// The entry point of that name, or nullptr for a name the library lacks.
TThemeProc ThemeLibraryEntry(const std::string& Name);
