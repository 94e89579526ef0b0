#pragma once
// What the grid unit does once, when the program starts: the clipboard format
// of the grid's cells is registered and the optional editors are looked up.
// The program's entry calls InitGridUnit with the other units; every grid
// calls it too, so a grid made before that (a test, a tool) finds it done.

#include <string>

struct TGridUnit {
    unsigned CellsClipboardFormat = 0; // "TExtStringGrid Cells"
    bool DatePickerAvailable = false;  // the date-picker editor can be made
};

const TGridUnit& InitGridUnit();

// The version of a system library as the high 32 bits of its file version
// (major in the high word, minor in the low word); -1 for a file without
// one. The libraries this layer stands in for answer as a current system's
// do, so every optional feature of the grid exists.
int GetFileVersion(const std::string& FileName);
// The date picker needs common controls 4.70.
inline constexpr int DatePickerComCtlVersion = (4 << 16) | 70;
// The system's version, major and minor, as a current system reports it.
struct TSystemVersion {
    int Major = 0;
    int Minor = 0;
};
TSystemVersion SystemVersion();
