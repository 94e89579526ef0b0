#include "grid/gridunit.h"

#include "platform/rtl/sysutils.h"
#include "platform/vcl/clipbrd.h"

namespace {

TGridUnit Initialise() {
    TGridUnit unit;
    unit.CellsClipboardFormat = RegisterClipboardFormat("TExtStringGrid Cells");
    unit.DatePickerAvailable = GetFileVersion("comctl32.dll") >= DatePickerComCtlVersion;
    return unit;
}

} // namespace

const TGridUnit& InitGridUnit() {
    static const TGridUnit unit = Initialise();
    return unit;
}

int GetFileVersion(const std::string& FileName) {
    if (SameText(FileName, "comctl32.dll")) return (6 << 16) | 10;
    return -1;
}

TSystemVersion SystemVersion() {
    return {10, 0};
}
