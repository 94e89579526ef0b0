#pragma once
// The visual-style library, bound by name at run time: the grids and their
// editors draw buttons, boxes and arrows in the desktop's style when the
// library is there, and the classic way when it is not. An entry point the
// library lacks stays unbound; nothing stops the program for it.

#include <functional>
#include <string>

#include "platform/vcl/themes.h"

using TOpenThemeData = HTHEME (*)(HWND Wnd, const char16_t* ClassList);
using TCloseThemeData = HRESULT (*)(HTHEME Theme);
using TDrawThemeBackground = HRESULT (*)(HTHEME Theme, TCanvas* DC, int PartId, int StateId,
                                         const TRect* Rect, const TRect* ClipRect);
using TIsThemeActive = bool (*)();

// The bound entry points; nullptr while unbound or missing. Call them only
// when ThemesAvailable() answers true, or through DrawThemePart.
extern TOpenThemeData OpenThemeData;
extern TCloseThemeData CloseThemeData;
extern TDrawThemeBackground DrawThemeBackground;
extern TIsThemeActive IsThemeActive;

// Finds an entry point by name; nullptr when the library lacks it.
using TThemeLookup = std::function<TThemeProc(const std::string& Name)>;

// Binds every entry point the library has (the first query binds too). While
// the library cannot be loaded (no widget application yet) nothing is bound
// and a later call tries again.
void BindThemeLibrary();
// Binds from the given lookup instead (another library, or a test's), after
// releasing what was bound; an empty lookup stands for a missing library.
void BindThemeLibrary(const TThemeLookup& Lookup);
// Clears every entry point and the bound flag; the next query binds again.
void ReleaseThemeLibrary();
// The library was loaded.
bool ThemeLibraryBound();
// Themed drawing can be done now: the drawing entries are bound and the
// library reports its theme active.
bool ThemesAvailable();

// The drawing pattern of every themed caller: open the class on the window,
// draw the part, close it. False (nothing drawn) when themes are not
// available or the part could not be drawn; the caller then draws classic.
bool DrawThemePart(HWND Wnd, const char16_t* ClassName, int PartId, int StateId, TCanvas& Canvas,
                   const TRect& R);
