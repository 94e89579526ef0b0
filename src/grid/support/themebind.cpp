#include "grid/support/themebind.h"

TOpenThemeData OpenThemeData = nullptr;
TCloseThemeData CloseThemeData = nullptr;
TDrawThemeBackground DrawThemeBackground = nullptr;
TIsThemeActive IsThemeActive = nullptr;

namespace {

bool Bound = false;
// A lookup was given (another library, or none): no binding of our own then.
bool Chosen = false;

template <class TProc> void BindEntry(const TThemeLookup& Lookup, const char* Name, TProc& Proc) {
    // The generic entry goes back to the type it was exported with.
    Proc = reinterpret_cast<TProc>(Lookup(Name));
}

void BindFrom(const TThemeLookup& Lookup) {
    if (!Lookup) return;
    Bound = true;
    BindEntry(Lookup, "OpenThemeData", OpenThemeData);
    BindEntry(Lookup, "CloseThemeData", CloseThemeData);
    BindEntry(Lookup, "DrawThemeBackground", DrawThemeBackground);
    BindEntry(Lookup, "IsThemeActive", IsThemeActive);
}

void EnsureBound() {
    BindThemeLibrary();
}

} // namespace

void BindThemeLibrary() {
    // Until the widget application exists the library cannot load; a later
    // query tries again.
    if (Bound || Chosen || !ThemeLibraryAvailable()) return;
    BindFrom(ThemeLibraryEntry);
}

void BindThemeLibrary(const TThemeLookup& Lookup) {
    ReleaseThemeLibrary();
    Chosen = true;
    BindFrom(Lookup);
}

void ReleaseThemeLibrary() {
    OpenThemeData = nullptr;
    CloseThemeData = nullptr;
    DrawThemeBackground = nullptr;
    IsThemeActive = nullptr;
    Bound = false;
    Chosen = false;
}

bool ThemeLibraryBound() {
    EnsureBound();
    return Bound;
}

bool ThemesAvailable() {
    EnsureBound();
    return Bound && OpenThemeData && CloseThemeData && DrawThemeBackground && IsThemeActive &&
           IsThemeActive();
}

bool DrawThemePart(HWND Wnd, const char16_t* ClassName, int PartId, int StateId, TCanvas& Canvas,
                   const TRect& R) {
    if (!ThemesAvailable()) return false;
    HTHEME theme = OpenThemeData(Wnd, ClassName);
    if (!theme) return false;
    const bool drawn = DrawThemeBackground(theme, &Canvas, PartId, StateId, &R, nullptr) == 0;
    CloseThemeData(theme);
    return drawn;
}
