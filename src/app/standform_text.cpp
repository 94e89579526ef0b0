// The standings as a fixed-width text file.

#include <algorithm>
#include <vector>

#include "app/standform.h"
#include "app/standgrid.h"
#include "app/writable.h"
#include "grid/columngrid.h"
#include "model/fileutils.h"
#include "model/group.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/qtdialogs.h"

namespace {

// One column of the text: where its cells come from and how they stand.
struct TTextKolom {
    int Kolom = -1;
    bool Rechts = false;
    const TSp* Sp = nullptr; // a result column: "X" in this player's row
    size_t Breedte = 0;
};

} // namespace

std::string TStandForm::StandText() const {
    const TGroep* groep = CurGroep;
    if (!groep) return "";
    const TExtColumnGrid& grid = *StandGrid;
    const int zvKolom = groep->Rec.StandKolommen[StandId::ZV].Kolom;

    std::vector<TTextKolom> kolommen;
    for (int id = 0; id < StandId::Count; ++id) {
        const TStandKolom& k = groep->Rec.StandKolommen[static_cast<size_t>(id)];
        if (k.Verborgen || k.Kolom < 0 || (zvKolom >= 0 && k.Kolom > zvKolom)) continue;
        if (id != StandId::Uitslagen) {
            kolommen.push_back({k.Kolom, k.Rechts != 0, nullptr, 0});
            continue;
        }
        for (const TKolomRec& r : groep->Rec.Kolommen)
            if (!r.Verborgen) kolommen.push_back({r.Kolom, false, r.Sp, 0});
    }

    // Every cell of a line, trimmed; then each column as wide as its widest
    // cell and a blank, so that every column starts at the same place in
    // every line, whatever is empty.
    const int rows = grid.RowCount();
    std::vector<std::vector<std::string>> cells(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        const TSp* sp = StandRowSpeler(grid, r);
        for (TTextKolom& k : kolommen) {
            std::string text = (k.Sp && r > 0 && sp == k.Sp) ? "X" : Trim(grid.Cells(k.Kolom, r));
            k.Breedte = std::max(k.Breedte, text.size() + 1);
            cells[static_cast<size_t>(r)].push_back(std::move(text));
        }
    }
    size_t totaal = 0;
    for (const TTextKolom& k : kolommen)
        totaal += k.Breedte;

    std::string out;
    for (int r = 0; r < rows; ++r) {
        std::string line;
        for (size_t c = 0; c < kolommen.size(); ++c) {
            const TTextKolom& k = kolommen[c];
            const std::string field = cells[static_cast<size_t>(r)][c] + " ";
            const std::string pad(k.Breedte - field.size(), ' ');
            line += (k.Rechts && r > 0) ? pad + field : field + pad;
        }
        line.resize(totaal + 1, ' ');
        out += line + "\r\n";
    }
    return out;
}

void TStandForm::SaveStandText(const std::string& FileName) const {
    WriteFileAtomic(FileName, StandText());
}

void TStandForm::SaveDataBitBtnClick(TObject*) {
    StoreZVPoints();
    const TGroep* groep = CurGroep;
    if (!groep) return;
    SaveDialog->FileName = ReplaceFileNameChars(groep->Rec.Naam) + ".txt";
    if (!SaveDialog->Execute()) return;
    const std::string fileName = ChangeFileExt(SaveDialog->FileName, ".txt");
    // What can be seen beforehand is said; the old file, if any, stays as it was.
    if (const std::string fout = NotWritableMessage(fileName); !fout.empty()) {
        ShowMessage(fout);
        return;
    }
    if (FileExists(fileName) &&
        MessageDlg(GetShortPath(fileName) + "\r\rBestaat reeds. Overschrijven ?", mtConfirmation,
                   mbYesNo, 0) != mrYes)
        return;
    try {
        SaveStandText(fileName);
    } catch (const EFCreateError&) {
        ShowMessage(WriteFailedMessage(fileName));
    }
}
