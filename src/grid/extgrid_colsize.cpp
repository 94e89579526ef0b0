// Column widths kept between runs, per grid, in an ini file or the registry:
// one integer "Col<n>" per column under the grid's Key and Section. The ini
// file is read once and written once, whole: read afresh when the widths are
// saved, so what others wrote to the file meanwhile stays, and replaced in one
// step, so it holds all of the old widths or all of the new.
#include "grid/extgrid.h"
#include "platform/rtl/inifiles.h"
#include "platform/rtl/registry.h"

namespace {

std::string ColName(int Col) {
    return "Col" + std::to_string(Col);
}

} // namespace

bool TExtStringGrid::KeepsColumnSizes() const {
    return FColumnSize->Save && !FColumnSize->Key.empty() && !FColumnSize->Section.empty() &&
           !Designing();
}

void TExtStringGrid::SaveColumnSizes() {
    if (!KeepsColumnSizes()) return;
    const std::string& section = FColumnSize->Section;
    if (FColumnSize->Location == clIniFile) {
        TMemIniFile ini(FColumnSize->Key);
        for (int c = 0; c < ColCount(); ++c)
            ini.WriteInteger(section, ColName(c), ColWidths(c));
        ini.UpdateFile();
        return;
    }
    TRegistry reg;
    if (!reg.OpenKey(FColumnSize->Key + "\\" + section, true)) return;
    for (int c = 0; c < ColCount(); ++c)
        reg.WriteInteger(ColName(c), ColWidths(c));
}

void TExtStringGrid::LoadColumnSizes() {
    if (!KeepsColumnSizes()) return;
    const std::string& section = FColumnSize->Section;
    auto apply = [this](int Col, int Width) {
        if (Width != ColWidths(Col)) SetColWidths(Col, Width);
    };
    if (FColumnSize->Location == clIniFile) {
        const TMemIniFile ini(FColumnSize->Key);
        for (int c = 0; c < ColCount(); ++c)
            apply(c, ini.ReadInteger(section, ColName(c), DefaultColWidth()));
        return;
    }
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(FColumnSize->Key + "\\" + section)) return;
    for (int c = 0; c < ColCount(); ++c) {
        int width = DefaultColWidth();
        // A value that is no integer (written by hand or by another program) counts as missing.
        if (reg.GetDataType(ColName(c)) == rdInteger) width = reg.ReadInteger(ColName(c));
        apply(c, width);
    }
}
