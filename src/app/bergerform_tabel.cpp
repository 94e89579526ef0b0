// The Berger window's table: building, rotating and showing it, and the new group
// made from it.

#include <cmath>

#include "app/bergerform.h"
#include "app/gridstyle.h"
#include "controls/numeric/numspin.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/listctrls.h"

namespace {

constexpr int MinKolomBreedte = 50;

// The fields of a text line: the text between TABs, the empty rest after the last one
// left out.
std::vector<std::string> Velden(const std::string& Line) {
    std::vector<std::string> velden;
    size_t start = 0;
    for (size_t tab = Line.find('\t'); tab != std::string::npos; tab = Line.find('\t', start)) {
        velden.push_back(Line.substr(start, tab - start));
        start = tab + 1;
    }
    if (start < Line.size()) velden.push_back(Line.substr(start));
    return velden;
}

} // namespace

void TBergerForm::AantalSpinChange(TObject*) {
    if (!FBergerList) return;
    FDraaiStap = 0;
    FBergerList->SetAantalSpelers(static_cast<int>(std::lround(AantalSpin->Value())));
    const int n = FBergerList->GetLastRoundNr();
    OptiesCheckBox->Items()->Put(boWissel, "Wissel r" + IntToStr(n - 1) + " r" + IntToStr(n));
    if (Optie(boWissel)) FBergerList->WisselRonden(n - 1, n);
    DraaiBerger(0);
    ShowBerger();
    if (Optie(boDubbelRondig)) {
        FBergerList->MakeDubbelRondig();
        DraaiBerger(0);
        ShowBerger();
    }
    Beep();
}

void TBergerForm::DraaiBerger(int Stap) {
    FDraaiStap += Stap;
    const int n = FBergerList->GetLastRoundNr();
    if (FDraaiStap >= n || FDraaiStap <= -n) FDraaiStap = 0;
    DraaiEdit->SetText((FDraaiStap > 0 ? "+" : "") + IntToStr(FDraaiStap));
    FBergerList->DraaiRonden(Stap);
}

void TBergerForm::ShowBerger() {
    TExtColumnGrid& grid = *BergerGrid;
    grid.BeginGridUpdate();
    grid.ClearGrid();
    FKleurCol = -1;
    FBergerList->MakeLines();
    const TStringList& lines = FBergerList->Lines;
    grid.SetColCount(2);
    grid.SetRowCount(lines.Count() + 2);
    for (int i = 0; i < lines.Count(); ++i) {
        const std::vector<std::string> velden = Velden(lines.Strings(i));
        if (static_cast<int>(velden.size()) > grid.ColCount())
            grid.SetColCount(static_cast<int>(velden.size()));
        for (size_t c = 0; c < velden.size(); ++c)
            grid.SetCells(static_cast<int>(c), i + 1, velden[c]);
    }
    if (grid.RowCount() > 2) grid.SetRowCount(grid.RowCount() - 1);
    if (Optie(boBordKleur)) ShowBordKleur();
    SetGridStyle(&grid, 10);
    grid.AutoSizeColumns(true, 10);
    for (int c = 0; c < grid.ColCount(); ++c)
        if (grid.ColWidths(c) < MinKolomBreedte) grid.SetColWidths(c, MinKolomBreedte);
    grid.EndGridUpdate();
    ShowBergerInfo();
}

void TBergerForm::ShowBordKleur() {
    TExtColumnGrid& grid = *BergerGrid;
    const int n = TabelSpelers();
    FKleurCol = grid.ColCount();
    grid.SetColCount(FKleurCol + n);
    for (int j = 1; j <= n; ++j) {
        const int col = FKleurCol + j - 1;
        grid.SetCells(col, 0, IntToStr(j));
        for (int r = 1; r < grid.RowCount(); ++r) {
            // Column 0 names the row's round: "r" and its number.
            const std::string kop = grid.Cells(0, r);
            const int ronde = kop.size() > 1 ? TrimStrToInt(kop.substr(1)) : 0;
            switch (FBergerList->GetKleur(j, ronde)) {
            case kWit:
                grid.SetCells(col, r, "W");
                break;
            case kZwart:
                grid.SetCells(col, r, "Z");
                break;
            default:
                grid.SetCells(col, r, "");
                break;
            }
        }
    }
}

void TBergerForm::ShowBergerInfo() {
    if (CurGroep) StatusBar->SetPanelText(0, CurGroep->Rec.Naam);
    std::string info =
        IntToStr(TabelSpelers()) + " spelers; " + IntToStr(FBergerList->Count()) + " partijen;";
    if (Optie(boDubbelRondig)) info += " (dubbelrondig)";
    StatusBar->SetPanelText(1, info);
}

void TBergerForm::BergerGridGetAlignment(int, int ACol, TAlignment& HAlign) {
    if (ACol > 0) HAlign = taCenter;
}

void TBergerForm::BergerGridGetCellColor(int ARow, int ACol, TBrush* ABrush) {
    if (FKleurCol < 0 || ACol < FKleurCol || ARow < 1) return;
    ABrush->SetColor(BergerGrid->Cells(ACol, ARow) == "Z" ? clSilver : BergerGrid->Color());
}

void TBergerForm::MakeNieuweGroep() {
    if (!CurGroep || !FBergerList) return;
    TGroep& groep = *CurGroep;
    groep.Clear();
    // The crosstable columns named the players just freed.
    groep.Rec.Kolommen.clear();
    groep.Rec.DatumEersteRonde = DatumPicker->Date();
    groep.Rec.Naam = Trim(GroepNaamEdit->Text());
    ClearToernooiInfo(groep.Rec);
    groep.Rec.DubbelRondig = Optie(boDubbelRondig) ? 1 : 0;

    // An odd count was paired with an extra draw number: it becomes the bye, so that
    // its games count as free games and not as games still to be played.
    const int gekozen = static_cast<int>(std::lround(AantalSpin->Value()));
    const int spelers = TabelSpelers();
    for (int nr = groep.Spelers.Count() + 1; nr <= spelers; ++nr) {
        TSpRec rec;
        InitSpRec(rec);
        rec.BergerNr = nr;
        if (nr > gekozen) {
            rec.Achternaam = "VRIJ";
            rec.Relnr = VrijRelnr;
        }
        groep.AddSpeler(rec, IntToZeroStr(nr, 3));
    }

    groep.Games.Clear();
    for (int i = 0; i < FBergerList->Count(); ++i) {
        const TMyBergerObj* p = FBergerList->Pairing(i);
        TGameRec rec;
        InitGameRec(rec);
        rec.GameId = groep.Games.Count() + 100;
        rec.Ronde = p->Ronde;
        rec.Datum = groep.Rec.DatumEersteRonde;
        rec.Slots[SlotWit].BergerNr = p->Wit;
        rec.Slots[SlotZwart].BergerNr = p->Zwart;
        for (TGameSlot& s : rec.Slots)
            if (const TSp* sp = groep.Spelers.GetSpelerOnBergerNr(s.BergerNr))
                s.Relnr = sp->Rec.Relnr;
        groep.AddGame(rec, IntToZeroStr(p->Ronde * 1000 + i, 6));
    }
    groep.Games.Sort();
    // The results window, the standings and saving reach the players through the
    // games' links, and the second cycle's games must know their cycle.
    groep.LinkSpelers();
    groep.Modified = true;
    FMade = true;
    FIngedeeld = true;
}
