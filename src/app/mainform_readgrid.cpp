// The work grid on the "Debug" page: a group data file is loaded into it by the
// grid's own delimited-text loader, the group is read from its cells, and the
// grid then shows which columns were recognised (legend rows below the data,
// recognised cells coloured) so that a file edited in a spreadsheet can be
// checked.

#include <algorithm>

#include "app/mainform.h"
#include "app/rarapportform.h"

#include "grid/columngrid.h"
#include "model/groupfile.h"
#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/gfx/colors.h"
#include "platform/vcl/stdctrls.h"

namespace {

// The short heading of every recognised column and the name its legend row shows.
struct TKolomAlias {
    const char* Kort;
    const char* Lang;
};
constexpr TKolomAlias KolomAliassen[KolomNrCount] = {
    {"", ""},     {"Relnr.", "RelatieNr"}, {"Ro", "Rating"},   {"Geb.", "Geb.Jaar"},
    {"MV", "MV"}, {"Pl.", "Plaats"},       {"1", "Uitslagen"}, {"0", "Uitslagen eind"}};

constexpr TColor HerkendKleur = clLime;
constexpr TColor ReglementairKleur = clYellow;
constexpr TColor LegendaKleur = clAqua;

void ClearGrid(TExtColumnGrid& Grid, int Cols, int Rows) {
    Grid.FreeAllCellProperties();
    Grid.ClearRect(0, 0, Grid.ColCount() - 1, Grid.RowCount() - 1);
    Grid.SetRowCount(Rows);
    Grid.SetColCount(Cols);
}

void SetCellColor(TExtColumnGrid& Grid, int Col, int Row, TColor Color) {
    if (Col < 0 || Row < 0 || Col >= Grid.ColCount() || Row >= Grid.RowCount()) return;
    Grid.GetCellProperties(Col, Row)->SetBrushColor(Color);
}

} // namespace

void TMainForm::MakeReadGridTemplate() {
    static const char* const koppen[10] = {"",   "Groepsnaam", "Relnr.", "Ro", "Geb.",
                                           "MV", "1",          "2",      "3",  "4"};
    ClearGrid(*ReadGrid, 10, 2);
    ReadGrid->SetFixedRows(1);
    for (int c = 0; c < 10; ++c)
        ReadGrid->SetCells(c, 0, koppen[c]);
    ReadGrid->AutoSizeColumns(false, 4);
    ReadGrid->SetColWidths(1, std::max(200, ReadGrid->ColWidths(1)));
    FillKolomNrAr();
}

void TMainForm::FillKolomNrAr() {
    if (!CurGroep) return;
    auto& map = CurGroep->Rec.KolomNrAr;
    for (int id = gkRelnr; id <= gkEersteUitslag; ++id) {
        map[static_cast<size_t>(id)].Kolom = -1;
        for (int c = 0; c < ReadGrid->ColCount(); ++c)
            if (UpperCase(Trim(ReadGrid->Cells(c, 0))) == UpperCase(KolomAliassen[id].Kort)) {
                map[static_cast<size_t>(id)].Kolom = c;
                break;
            }
    }
    map[gkNaam].Kolom = 1;
    map[gkLaatsteUitslag].Kolom = -1;
}

bool TMainForm::IsReadGridColumnEmpty(int Column) {
    for (int r = 0; r < ReadGrid->RowCount(); ++r)
        if (!Trim(ReadGrid->Cells(Column, r)).empty()) return false;
    return true;
}

int TMainForm::FindReadGridRow(const std::string& Name) {
    const std::string wanted = UpperCase(Name);
    for (int r = 0; r < ReadGrid->RowCount(); ++r)
        if (UpperCase(Trim(ReadGrid->Cells(1, r))) == wanted) return r;
    return 0;
}

void TMainForm::ReadGridCanEditCell(TObject*, int, int, bool& CanEdit) {
    CanEdit = ReadGridEditable;
}

void TMainForm::ReadGridClipboardPaste(TObject*, bool& Allow) {
    ReadGridEditable = true;
    Allow = true;
}

void TMainForm::ReadGridGetAlignment(TObject*, int, int ACol, TAlignment& HAlign, TVAlignment&) {
    if (ACol > 1) HAlign = taCenter;
}

namespace {

// The file's cells as the grid holds them after loading.
TGroepFileRows GridRows(const TExtColumnGrid& Grid) {
    TGroepFileRows rows(static_cast<size_t>(Grid.RowCount()));
    for (int r = 0; r < Grid.RowCount(); ++r) {
        auto& row = rows[static_cast<size_t>(r)];
        row.resize(static_cast<size_t>(Grid.ColCount()));
        for (int c = 0; c < Grid.ColCount(); ++c)
            row[static_cast<size_t>(c)] = Grid.Cells(c, r);
    }
    return rows;
}

// Puts the rows that were read back into the grid, with a legend row per
// recognised heading and the recognised cells coloured.
void ShowReadRows(TExtColumnGrid& Grid, const TGroepFileRows& Rows, const TGroepFileKolommen& K,
                  const TGroep& Groep) {
    const int rowCount = static_cast<int>(Rows.size());
    int colCount = 2;
    for (const auto& r : Rows)
        colCount = std::max(colCount, static_cast<int>(r.size()));
    const int legend = rowCount; // row of the legend of id 1
    ClearGrid(Grid, colCount, std::max(2, rowCount + gkLaatsteUitslag));
    for (int r = 0; r < rowCount; ++r)
        for (int c = 0; c < static_cast<int>(Rows[static_cast<size_t>(r)].size()); ++c)
            Grid.SetCells(c, r, Rows[static_cast<size_t>(r)][static_cast<size_t>(c)]);

    const bool dubbel = Groep.Rec.DubbelRondig != 0;
    const int laatste = K.Kolom[gkLaatsteUitslag];
    int eerste = K.Kolom[gkEersteUitslag];
    if (dubbel && eerste > 0) --eerste; // both cycles are headed "1"
    for (int id = gkRelnr; id <= gkLaatsteUitslag; ++id) {
        const int row = legend + id - 1;
        const int col = K.Kolom[static_cast<size_t>(id)];
        Grid.SetCells(0, row, "#" + IntToStr(id));
        Grid.SetCells(1, row,
                      id == gkLaatsteUitslag ? IntToStr(K.AantalSpelers)
                                             : std::string(KolomAliassen[id].Kort));
        if (col < 2 || row < 2) continue;
        Grid.SetCells(1, row, KolomAliassen[id].Lang);
        if (id == gkLaatsteUitslag) {
            const int row6 = legend + gkEersteUitslag - 1;
            if (eerste >= 2)
                for (int c = eerste; c <= col; ++c) {
                    Grid.SetCells(c, row6, "x");
                    SetCellColor(Grid, c, row6, LegendaKleur);
                }
        } else {
            Grid.SetCells(col, row, "x");
            SetCellColor(Grid, col, row, LegendaKleur);
        }
    }
    Grid.SetRowCount(std::max(2, legend + gkLaatsteUitslag - 1));

    for (int i = 0; i < Groep.Spelers.Count(); ++i) {
        const int r = Groep.Spelers.Sp(i)->Rec.BergerNr;
        for (int id = gkNaam; id <= gkSexe; ++id)
            SetCellColor(Grid, K.Kolom[static_cast<size_t>(id)], r, HerkendKleur);
    }
    if (eerste >= 0 && laatste >= 0)
        for (int i = 0; i < Groep.Games.Count(); ++i)
            for (const TGameSlot& s : Groep.Games.Game(i)->Rec.Slots) {
                if (IsGespeeld(s.Uitslag))
                    SetCellColor(Grid, eerste + s.Col, s.Row + 1, HerkendKleur);
                else if (IsUitslag(s.Uitslag))
                    SetCellColor(Grid, eerste + s.Col, s.Row + 1, ReglementairKleur);
            }
    Grid.AutoSizeColumns(false, 4);
    Grid.SetColWidths(1, std::max(200, Grid.ColWidths(1)));
    Grid.Invalidate();
}

} // namespace

bool TMainForm::ReadGroepFromGrid(const std::string& FileName) {
    ClearGrid(*ReadGrid, 2, 2);
    ReadFout.clear();
    // Taken before the read: a change after it must show at the next save.
    TFileVersion versie = FileVersionOf(FileName);
    try {
        // Measured before the grid splits it: a file that is no group file, or
        // one long line of separators, must not become millions of cells.
        const long long grootte = FileSizeOf(FileName);
        if (grootte > static_cast<long long>(MaxGroepFileRegels * MaxGroepFileRegelLengte)) {
            ReadFout = "Het bestand is te groot voor een groepsbestand.";
            return false;
        }
        const std::string tekst = ReadFileBytes(FileName);
        ReadFout = GroepFileFout(tekst);
        if (!ReadFout.empty()) return false;
        // The heading line starts with an empty field, so its first byte is the
        // delimiter whatever program saved the file; guessing could split at a
        // '-' in the names.
        ReadGrid->Delimiter = GroepFileDelimiter(tekst);
        ReadGrid->LoadFromCSV(FileName);
        ReadGrid->Delimiter = '\0';
    } catch (const Exception&) {
        ReadGrid->Delimiter = '\0';
        return false;
    }
    TGroepFileRows rows = GridRows(*ReadGrid);
    // Read into a copy: the current group stays as it is unless the file holds a
    // group. The copy keeps the settings a file without a settings block leaves.
    TGroep groep;
    CopyGroep(*CurGroep, groep);
    const TGroepFileKolommen k = ReadGroepFromRows(groep, FileName, rows, Date());
    ShowReadRows(*ReadGrid, rows, k, groep);
    ReadFout = k.Fout;
    if (groep.Spelers.Count() == 0) {
        if (ReadFout.empty())
            ReadFout = "Het bestand heeft geen spelers: een groepsbestand heeft een kopregel en "
                       "een regel per speler.";
        return false;
    }

    // A file written before the group file kept the tournament's facts: the
    // settings file has them for the group it was closed with, else the report
    // saved for the group beside its file.
    if (!HasToernooiInfo(groep.Rec)) {
        if (HasToernooiInfo(StoredInfo) && !StoredInfo.FileName.empty() &&
            ExpandFileName(FileName) == ExpandFileName(StoredInfo.FileName)) {
            groep.Rec.Plaats = StoredInfo.Plaats;
            groep.Rec.Arbiter = StoredInfo.Arbiter;
            groep.Rec.Speeltempo = StoredInfo.Speeltempo;
        } else {
            ReadRapportInfo(RapportFileOf(ExtractFileDir(FileName), groep.Rec.Naam), groep.Rec);
        }
    }
    CopyGroep(groep, *CurGroep);
    CurGroep->Modified = false;
    CurGroep->DiskVersion = std::move(versie);
    auto& map = CurGroep->Rec.KolomNrAr;
    for (int id = 0; id < KolomNrCount; ++id)
        map[static_cast<size_t>(id)].Kolom = k.Kolom[static_cast<size_t>(id)];
    NewGroepFlag = false;
    ShowGroepSettings();
    FillSpEditGrid();
    ShowGroepStatus();
    return true;
}
