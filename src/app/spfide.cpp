#include "app/spfide.h"

#include <algorithm>
#include <unordered_map>

#include "app/gridstyle.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/ranking.h"
#include "model/rating.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

namespace {

struct TFideKop {
    const char* Kop;
    int Start, Eind;
    bool Rechts;
};

const TFideKop FideKoppen[FideVasteKolommen] = {
    {"Code", 1, 3, true},  {"Nr.", 5, 8, true},      {"S", 10, 10, true},
    {"T", 11, 13, true},   {"Name", 15, 47, false},  {"Knsb", 49, 52, true},
    {"FED", 54, 56, true}, {"Rel.nr", 58, 68, true}, {"Birthday", 70, 79, false},
    {"W", 81, 84, true},   {"Rnk.", 86, 89, true}};

const char* const InfoLabels[] = {"Tournament name",
                                  "City",
                                  "Federation",
                                  "Date of start",
                                  "Date of end",
                                  "Number of players",
                                  "Number of rated players",
                                  "Type of tournament",
                                  "Chief arbiter",
                                  "Deputy Chief arbiter(s)",
                                  "Times per moves/game"};

std::string PadLeft(const std::string& S, size_t N) {
    return S.size() >= N ? S : std::string(N - S.size(), ' ') + S;
}

// Both sides hold a federation number of a player of the group and a result
// played over the board.
bool IsFideGame(const TGroep& Groep, const TGame& Game) {
    for (int s = SlotWit; s <= SlotZwart; ++s) {
        const int relnr = Game.GetRelnr(s);
        if (relnr < MinBondsRelnr || !IsGespeeld(Game.GetUitslag(s))) return false;
        if (!Groep.Spelers.GetSpeler(relnr)) return false;
    }
    return true;
}

char ResultaatChar(double Score) {
    if (Score == 1) return '1';
    if (Score == 0.5) return '=';
    if (Score == 0) return '0';
    return ' ';
}

} // namespace

std::string FideGameText(const TSpFideGame& Game) {
    const bool bonds = Game.TegenRelnr >= MinBondsRelnr;
    std::string s = bonds ? PadLeft(IntToStr(Game.TegenStartNr), 4) : std::string(4, ' ');
    s += ' ';
    s += Game.Kleur;
    s += ' ';
    s += bonds ? Game.Resultaat : ' ';
    s.resize(10, ' ');
    return s;
}

const TSpFideGame* TSpFide::GameOfRound(int Ronde) const {
    for (const TSpFideGame& g : Games)
        if (g.Ronde == Ronde) return &g;
    return nullptr;
}

std::string TSpFide::GameText(int Ronde) const {
    const TSpFideGame* g = GameOfRound(Ronde);
    return g ? FideGameText(*g) : std::string(10, ' ');
}

TDateTime FideEersteRondeDatum(const TGroep& Groep) {
    const TDateTime datum = Groep.Rec.DatumEersteRonde;
    return datum < EncodeDate(2000, 1, 1) ? Date() : datum;
}

std::string FideDatumStr(TDateTime Datum) {
    if (Datum < EncodeDate(1904, 1, 1)) return "";
    return StringReplace(FormatDateTime("yyyy-mm-dd", Datum), "-", "/", {rfReplaceAll});
}

std::string FideToernooiType(const TGroep& Groep) {
    // The kind that goes without saying follows the group shown now; only a kind
    // the director typed himself stays.
    const std::string enkel = "All play all, single round robin";
    const std::string dubbel = "All play all, double round robin";
    const std::string& eigen = Groep.Rec.ToernooiType;
    if (!eigen.empty() && eigen != enkel && eigen != dubbel) return eigen;
    return Groep.Rec.DubbelRondig ? dubbel : enkel;
}

std::unordered_map<int, int> FidePlaatsen(TGroep& Groep) {
    const int last = Groep.Games.GetLastRoundNr();
    FillRondeRecs(Groep);
    CalcStand(Groep);
    std::unordered_map<int, int> plaatsen;
    int plaats = 0;
    for (const TSp* sp : RankGroep(Groep, last))
        if (sp->IsNotVrij()) plaatsen[sp->Rec.BergerNr] = ++plaats;
    return plaatsen;
}

TSpFideList::TSpFideList() {
    OwnsObjects = true;
    SetCaseSensitive(true);
}

TSpFide* TSpFideList::FindRelnr(int Relnr) const {
    for (int i = 0; i < Count(); ++i)
        if (Fide(i)->Relnr == Relnr) return Fide(i);
    return nullptr;
}

void TSpFideList::FreeAll() {
    Kolommen.clear();
    Rondes.clear();
    Clear();
}

TDateTime TSpFideList::RondeDatum(int Ronde) const {
    for (const TFideRonde& r : Rondes)
        if (r.Ronde == Ronde) return r.Datum;
    return 0;
}

TDateTime TSpFideList::LaatsteDatum(const TGroep& Groep) const {
    TDateTime datum = FideEersteRondeDatum(Groep);
    int laatste = 0;
    for (const TFideRonde& r : Rondes)
        if (r.Ronde > laatste) {
            laatste = r.Ronde;
            datum = std::max(FideEersteRondeDatum(Groep), r.Datum);
        }
    return datum;
}

void TSpFideList::Fill(const TGroep& Groep, int First, int Last, std::string& Msg) {
    Clear();
    EersteRonde = First;
    LaatsteRonde = Last;
    NrRated = 0;
    NietVerwerkt = 0;
    DatumFormat = "yyyy-mm-dd";
    Rondes.clear();
    const TDateTime geldig = EncodeDate(2000, 1, 1);
    for (int i = 0; i < Groep.Games.Count(); ++i) {
        const TGame& g = *Groep.Games.Game(i);
        const int ronde = g.Rec.Ronde;
        if (ronde < First || ronde > Last) continue;
        const bool bekend = std::any_of(Rondes.begin(), Rondes.end(),
                                        [ronde](const TFideRonde& r) { return r.Ronde == ronde; });
        if (!bekend)
            Rondes.push_back(
                {ronde, g.Rec.Datum < geldig ? FideEersteRondeDatum(Groep) : g.Rec.Datum});
        if (!IsFideGame(Groep, g)) {
            ++NietVerwerkt;
            continue;
        }
        AddFideGame(Groep, g, SlotWit);
        AddFideGame(Groep, g, SlotZwart);
    }
    NumberFide();
    Msg.clear();
    if (NietVerwerkt > 0)
        Msg = IntToStr(NietVerwerkt) + " partij" + (NietVerwerkt > 1 ? "en" : "") +
              " niet verwerkt (geen legaal Idnr of uitslag)";
}

void TSpFideList::AddFideGame(const TGroep& Groep, const TGame& Game, int Slot) {
    const int relnr = Game.GetRelnr(Slot);
    TSpFide* fide = FindRelnr(relnr);
    if (!fide) {
        fide = new TSpFide;
        fide->Relnr = relnr;
        fide->Sp = Groep.Spelers.GetSpeler(relnr);
        AddObject("", fide); // the list owns it from here
    }
    if (!fide->Sp) return;
    TSpFideGame g;
    g.Ronde = Game.Rec.Ronde;
    g.TegenRelnr = Game.GetRelnr(Slot == SlotWit ? SlotZwart : SlotWit);
    g.Score = Game.GetScore(Slot);
    g.Resultaat = ResultaatChar(g.Score);
    g.Kleur = !Game.HasUitslag() ? '-' : Slot == SlotWit ? 'w' : 'z';
    fide->Games.push_back(g);
}

void TSpFideList::NumberFide() {
    for (int i = 0; i < Count(); ++i) {
        const TSpFide* fide = Fide(i);
        if (!fide->Sp) continue;
        Put(i, fide->Sp->GetSortKey());
        if (IsValidRating(fide->Sp->GetRating())) ++NrRated;
    }
    Sort();
    for (int i = 0; i < Count(); ++i) {
        TSpFide* fide = Fide(i);
        fide->StartNr = i + 1;
        fide->Score = 0;
        for (const TSpFideGame& g : fide->Games)
            if (g.Resultaat != ' ') fide->Score += g.Score;
    }
    for (int i = 0; i < Count(); ++i)
        for (TSpFideGame& g : Fide(i)->Games)
            if (const TSpFide* tegen = FindRelnr(g.TegenRelnr)) g.TegenStartNr = tegen->StartNr;
}

void TSpFideList::FillGrids(TGroep& Groep) {
    Kolommen.clear();
    if (!RapportGrid || !InfoGrid) return;
    TExtColumnGrid& rg = *RapportGrid;
    rg.ClearGrid();
    InfoGrid->ClearGrid();

    const int rondes = std::max(LaatsteRonde - EersteRonde + 1, 0);
    rg.SetColCount(FideVasteKolommen + rondes);
    rg.SetRowCount(2);
    rg.SetFixedRows(1);
    auto kolom = [&](int Col, const std::string& Kop, int Start, int Eind, bool Rechts) {
        Kolommen.push_back({Start, Eind - Start + 1, static_cast<uint8_t>(Rechts ? 1 : 0)});
        rg.SetCells(Col, 0, Kop);
        if (TGridColumnItem* item = rg.ItemOf(Col))
            item->SetAlignment(Rechts ? taRightJustify : taLeftJustify);
    };
    for (int c = 0; c < FideVasteKolommen; ++c)
        kolom(c, FideKoppen[c].Kop, FideKoppen[c].Start, FideKoppen[c].Eind, FideKoppen[c].Rechts);
    for (int k = 0; k < rondes; ++k)
        kolom(FideVasteKolommen + k, IntToStr(EersteRonde + k), 91 + 10 * k, 98 + 10 * k, true);

    const std::unordered_map<int, int> plaatsen = FidePlaatsen(Groep);
    rg.SetRowCount(Count() + 2);
    for (int i = 0; i < Count(); ++i) {
        TSpFide* fide = Fide(i);
        const int row = i + 1;
        rg.SetCells(0, row, "001");
        rg.SetCells(1, row, IntToStr(fide->StartNr));
        fide->Line.clear();
        for (int k = 0; k < rondes; ++k)
            fide->Line += fide->GameText(EersteRonde + k);
        TSp* sp = fide->Sp;
        if (!sp) continue;
        rg.SetObjects(0, row, sp);
        rg.SetObjects(1, row, fide);
        rg.SetCells(2, row, UpperCase(std::string(1, sp->Rec.Sexe)) == "V" ? "w" : "m");
        rg.SetCells(4, row, sp->GetNaam());
        const std::string rating = RatingToStr(sp->GetRating());
        rg.SetCells(5, row, rating.empty() ? "0" : rating);
        rg.SetCells(6, row, "NED");
        rg.SetCells(7, row, fide->Relnr >= MinBondsRelnr ? IntToStr(fide->Relnr) : "0");
        rg.SetCells(8, row, GebJaarToStr(sp->Rec.GebJaar));
        rg.SetCells(9, row, FloatToStrDec(fide->Score, 1));
        const auto plaats = plaatsen.find(sp->Rec.BergerNr);
        rg.SetCells(FideRnkKolom, row, IntToStr(plaats == plaatsen.end() ? 0 : plaats->second));
        for (int k = 0; k < rondes; ++k)
            rg.SetCells(FideVasteKolommen + k, row, Trim(fide->GameText(EersteRonde + k)));
    }
    if (rg.RowCount() > 2) rg.SetRowCount(rg.RowCount() - 1);
    SetGridStyle(&rg, 9);
    rg.AutoSizeColumns(false, 8);

    TExtColumnGrid& ig = *InfoGrid;
    ig.SetColCount(2);
    ig.SetRowCount(11);
    ig.SetFixedRows(0);
    const std::string values[] = {Groep.Rec.Naam,
                                  Groep.Rec.Plaats,
                                  "NED",
                                  FideDatumStr(FideEersteRondeDatum(Groep)),
                                  FideDatumStr(LaatsteDatum(Groep)),
                                  IntToStr(Count()),
                                  IntToStr(NrRated),
                                  FideToernooiType(Groep),
                                  Groep.Rec.Arbiter,
                                  "",
                                  Groep.Rec.Speeltempo};
    for (int r = 0; r < 11; ++r) {
        ig.SetCells(0, r, InfoLabels[r]);
        ig.SetCells(1, r, values[r]);
    }
    SetGridStyle(&ig, 9);
    ig.AutoSizeColumns(true, 8);
    ig.Canvas()->Font()->Assign(ig.Font());
    ig.SetColWidths(1, ig.Canvas()->TextWidth(std::string(34, 'W')));
}
