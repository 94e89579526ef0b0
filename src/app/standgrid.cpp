#include "app/standgrid.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "grid/columngrid.h"
#include "model/group.h"
#include "model/objects.h"
#include "model/rating.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

namespace {

// About the longest name a club list holds in full: a name column cut for
// want of room keeps at least this many letters.
constexpr int LeesbareNaamTekens = 28;

// Owns the game cells of one grid; the grid owns it as a component, so the
// cells live exactly as long as the grid can hand them out.
class TGameCellStore : public TComponent {
public:
    explicit TGameCellStore(TComponent* AOwner) : TComponent(AOwner) { SetName(StoreName); }
    std::string ClassName() const override { return "TGameCellStore"; }
    static constexpr const char* StoreName = "StandGameCells";

    TGameCell* Add(TGame* Game, int GameId, int Col, int Row, TKleur Kleur) {
        Cells.push_back(std::make_unique<TGameCell>(Game, GameId, Col, Row, Kleur));
        return Cells.back().get();
    }
    std::vector<std::unique_ptr<TGameCell>> Cells;
};

TGameCellStore& StoreOf(TExtColumnGrid& Grid) {
    if (auto* store = dynamic_cast<TGameCellStore*>(Grid.FindComponent(TGameCellStore::StoreName)))
        return *store;
    return *new TGameCellStore(&Grid);
}

std::string RatingListLabel(TRatingType R) {
    switch (R) {
    case rtKNSB:
        return "Knsb";
    case rtJeugd:
        return "KJR";
    case rtFIDE:
        return "Fide";
    case rtNJR:
        return "NJR";
    default:
        return "";
    }
}

struct TFill {
    TGroep& Groep;
    TExtColumnGrid& Grid;
    bool Compact;
    int LastRound;
    TSpList& Spelers;
    int FirstResultCol = 0;
    int PerSpeler = 1; // result columns per player
    // Games by id, each id to its first game as GetGame finds it.
    std::unordered_map<int, TGame*> GameById{};

    void SetKolom(int Id, int Kolom, int Item, const std::string& Kop) {
        TStandKolom& k = Groep.Rec.StandKolommen[static_cast<size_t>(Id)];
        k.Kolom = Kolom;
        k.Item = Item;
        k.Breedte = 0;
        k.Verborgen = 0;
        k.Rechts = (Id == StandId::Naam || Id == StandId::Relnr || Id == StandId::Pnt ||
                    Id == StandId::Onderling)
                       ? 0
                       : 1;
        if (Kolom >= 0) Grid.SetCells(Kolom, 0, Kop);
    }

    int Col(int Id) const { return Groep.Rec.StandKolommen[static_cast<size_t>(Id)].Kolom; }
    void Put(int Id, int Row, const std::string& Text) {
        if (Col(Id) >= 0) Grid.SetCells(Col(Id), Row, Text);
    }

    void Layout();
    void Row(int I, TSp& Sp);
    void PlaceGameCells(int Row, TSp& P, const std::unordered_map<int, int>& ListIndex);
    void TotaalRow(int Row);
    void Widths();
};

void TFill::Layout() {
    const int n = Spelers.Count();
    PerSpeler = Groep.Rec.DubbelRondig ? 2 : 1;
    const int results = n * PerSpeler;
    FirstResultCol = Compact ? 3 : 11;
    Grid.SetColCount(results + (Compact ? 3 : 13));
    Grid.SetRowCount(n + (Compact ? 2 : 4));
    for (int id = 0; id < StandKolomCount; ++id)
        SetKolom(id, -1, -1, "");
    const std::string& naam = Groep.Rec.Naam;
    if (Compact) {
        SetKolom(StandId::Lootnr, 0, -1, "Lt");
        SetKolom(StandId::Naam, CompactNaamKolom, -1, naam);
        SetKolom(StandId::Pnt, 2, -1, "Pnt");
        SetKolom(StandId::Uitslagen, FirstResultCol, -1, "");
    } else {
        SetKolom(StandId::Plaats, 0, -1, "");
        SetKolom(StandId::Lootnr, 1, 0, "Lt");
        SetKolom(StandId::Naam, 2, -1, naam);
        SetKolom(StandId::Relnr, 3, 1, "Relnr");
        SetKolom(StandId::Pnt, 4, -1, "Pnt");
        SetKolom(StandId::WP, 5, 2, "WP");
        SetKolom(StandId::SB, 6, 3, "SB");
        SetKolom(StandId::Rating, 7, 4, RatingListLabel(Groep.Rec.RatingType));
        SetKolom(StandId::Rc, 8, 5, "Rc");
        SetKolom(StandId::Tpr, 9, 6, "TPR");
        SetKolom(StandId::WWe, 10, 7, "W-We");
        SetKolom(StandId::Uitslagen, FirstResultCol, 8, "");
        SetKolom(StandId::Onderling, FirstResultCol + results, 9, "OR");
        SetKolom(StandId::ZV, FirstResultCol + results + 1, 10, "ZV");
    }
    // The column after the results: the results window's end column.
    Groep.Rec.OrKolom = FirstResultCol + results;

    Groep.Rec.Kolommen.assign(static_cast<size_t>(results), TKolomRec{});
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < PerSpeler; ++c) {
            const int k = i * PerSpeler + c;
            TKolomRec& kolom = Groep.Rec.Kolommen[static_cast<size_t>(k)];
            kolom.Kop = IntToStr(i + 1);
            kolom.Verborgen = 0;
            kolom.Breedte = 2;
            kolom.Kolom = FirstResultCol + k;
            kolom.Sp = Spelers.Sp(i);
            Grid.SetCells(kolom.Kolom, 0, kolom.Kop);
        }
}

void TFill::Row(int I, TSp& Sp) {
    const int row = I + 1;
    Grid.SetObjects(0, row, &Sp);
    if (!Compact) {
        const double score = Sp.GetScoreAfterRound(LastRound);
        const bool sameAsAbove = I > 0 && Spelers.Sp(I - 1)->GetScoreAfterRound(LastRound) == score;
        Put(StandId::Plaats, row, sameAsAbove ? "" : IntToStr(row) + ".");
    }
    Put(StandId::Lootnr, row, IntToStr(Sp.Rec.BergerNr));
    Put(StandId::Naam, row, Sp.GetNaam());
    Put(StandId::Relnr, row, Sp.GetRelnrStr());
    const int r = Sp.GetRoundIndex(LastRound);
    if (Sp.Rec.NrUitslagen <= 0 || r < 0) return;
    const TRondeRec& ronde = Sp.Rondes[static_cast<size_t>(r)];
    Put(StandId::Pnt, row, PuntenToStr(ronde.Score));
    Grid.SetCellBackColor(Col(StandId::Pnt), row, clLime);
    if (Compact) return;
    const int rating = Sp.GetRating();
    if (!Sp.IsNotVrij() && ronde.Score <= 0 && !IsValidRating(rating)) return;
    Put(StandId::WP, row, FloatToStrDec(ronde.WP, 1));
    Put(StandId::SB, row, FloatToStrDec(ronde.SB, 2));
    Put(StandId::Rating, row, RatingToStr(rating));
    Put(StandId::Rc, row, RatingToStr(ronde.GemRating));
    Put(StandId::Tpr, row, RatingToStr(ronde.Tpr));
    if (IsValidRating(rating)) Put(StandId::WWe, row, WWeToStr(ronde.WWe));
}

void TFill::PlaceGameCells(int Row, TSp& P, const std::unordered_map<int, int>& ListIndex) {
    TGameCellStore& store = StoreOf(Grid);
    std::vector<int> placed(static_cast<size_t>(Spelers.Count()), 0);
    for (const TRondeRec& r : P.Rondes) {
        if (r.Ronde < 1 || r.TegenBergerNr == P.Rec.BergerNr) continue;
        const auto it = ListIndex.find(r.TegenBergerNr);
        if (it == ListIndex.end()) continue;
        int& cycle = placed[static_cast<size_t>(it->second)];
        if (cycle >= PerSpeler) continue; // more games than columns
        const int col = FirstResultCol + it->second * PerSpeler + cycle;
        ++cycle;
        const auto found = GameById.find(r.GameId);
        TGame* game = found == GameById.end() ? nullptr : found->second;
        const TKleur kleur = r.Kleur == kZwart ? kZwart : kWit;
        Grid.SetObjects(col, Row, store.Add(game, r.GameId, col, Row, kleur));
        TUitslagCode code = r.Uitslag;
        if (game) {
            TGameSlot& slot = game->Rec.Slots[kleur];
            slot.Sp = &P;
            slot.Col = col;
            slot.Row = Row;
            code = slot.Uitslag;
        }
        if (IsUitslag(code)) Grid.SetCells(col, Row, UitslagToStr(code));
    }
}

void TFill::TotaalRow(int Row) {
    Put(StandId::Naam, Row, "Totaal");
    double punten = 0, ratingSum = 0, rcSum = 0, tprSum = 0, wweSum = 0;
    int rated = 0, rcCount = 0, tprCount = 0;
    for (int i = 0; i < Spelers.Count(); ++i) {
        const TSp& sp = *Spelers.Sp(i);
        punten += sp.GetScoreAfterRound(LastRound);
        // Only who got statistics in his row counts in the averages.
        if (Grid.Cells(Col(StandId::WP), i + 1).empty()) continue;
        const int r = sp.GetRoundIndex(LastRound);
        const TRondeRec& ronde = sp.Rondes[static_cast<size_t>(r)];
        if (IsValidRating(ronde.Tpr)) {
            tprSum += ronde.Tpr;
            ++tprCount;
        }
        if (!IsValidRating(sp.GetRating())) continue;
        ratingSum += sp.GetRating();
        ++rated;
        // A rated player without rated opponents has no average to add.
        if (IsValidRating(ronde.GemRating)) {
            rcSum += ronde.GemRating;
            ++rcCount;
        }
        wweSum += ronde.WWe;
    }
    Put(StandId::Pnt, Row, PuntenToStr(punten));
    if (rated == 0) return;
    Put(StandId::Rating, Row, RatingToStr(ratingSum / rated));
    if (rcCount > 0) Put(StandId::Rc, Row, RatingToStr(rcSum / rcCount));
    if (tprCount > 0) Put(StandId::Tpr, Row, RatingToStr(tprSum / tprCount));
    Put(StandId::WWe, Row, WWeToStr(wweSum));
}

int WidestText(const TExtStringGrid& Grid, int Col) {
    size_t widest = 0;
    for (int r = 0; r < Grid.RowCount(); ++r)
        widest = std::max(widest, Trim(Grid.Cells(Col, r)).size());
    return static_cast<int>(widest);
}

void TFill::Widths() {
    for (TStandKolom& k : Groep.Rec.StandKolommen)
        if (k.Kolom >= 0) k.Breedte = WidestText(Grid, k.Kolom) + 1;
    for (TKolomRec& k : Groep.Rec.Kolommen)
        k.Breedte = WidestText(Grid, k.Kolom) + 1;
}

} // namespace

void FillStandGrid(TGroep& Groep, TExtColumnGrid& Grid, bool Compact, int LastRound,
                   TSpList& Spelers) {
    Grid.BeginGridUpdate();
    Grid.UnHideColumnsAll();
    Grid.UnHideRowsAll();
    Grid.ClearGrid();
    StoreOf(Grid).Cells.clear();
    Groep.Rec.OrKolom = 0;
    Groep.Rec.HasOnderling = 0;

    TFill fill{Groep, Grid, Compact, LastRound, Spelers};
    fill.Layout();

    for (int i = 0; i < Groep.Games.Count(); ++i)
        fill.GameById.try_emplace(Groep.Games.Game(i)->Rec.GameId, Groep.Games.Game(i));
    std::unordered_map<int, int> listIndex; // draw number -> place in Spelers
    for (int i = 0; i < Spelers.Count(); ++i)
        listIndex.try_emplace(Spelers.Sp(i)->Rec.BergerNr, i);
    for (int i = 0; i < Spelers.Count(); ++i) {
        TSp& sp = *Spelers.Sp(i);
        const int row = i + 1;
        fill.Row(i, sp);
        if (!Compact && !sp.Rec.OnderlingStr.empty()) {
            fill.Put(StandId::Onderling, row, sp.Rec.OnderlingStr);
            Groep.Rec.HasOnderling = 1;
        }
        if (!Compact && sp.Rec.ZVPunten > 0) {
            fill.Put(StandId::ZV, row, FloatToStrDec(sp.Rec.ZVPunten, 2));
            Grid.SetCellBackColor(fill.Col(StandId::ZV), row, clAqua);
        }
        for (int c = 0; c < fill.PerSpeler; ++c) {
            const int col = fill.FirstResultCol + i * fill.PerSpeler + c;
            Grid.AddImageIdx(col, row, 2, haCenter, vaCenter);
            Grid.SetCellBackColor(col, row, clYellow);
        }
        fill.PlaceGameCells(row, sp, listIndex);
    }
    if (!Compact) fill.TotaalRow(Spelers.Count() + 1);

    while (Grid.RowCount() >= 3 && IsRowEmpty(Grid, Grid.RowCount() - 1))
        Grid.RemoveRows(Grid.RowCount() - 1, 1);
    fill.Widths();
    Grid.EndGridUpdate();
    Grid.AutoSizeColumns(true, StandMarge);
    FitNaamKolom(Grid, Compact ? CompactNaamKolom : StandId::Naam);
}

bool IsRowEmpty(TExtStringGrid& Grid, int Row) {
    for (int c = 0; c < Grid.GetAllColCount(); ++c)
        if (!Grid.Cells(c, Row).empty()) return false;
    return true;
}

void FitNaamKolom(TExtStringGrid& Grid, int Kolom, int Marge, int MinBreedte) {
    if (Kolom < 0 || Kolom >= Grid.GetAllColCount() || Grid.IsHiddenColumn(Kolom)) return;
    const int kolom = Grid.DisplColIndex(Kolom);
    // Measured, not sized first: a width set on the way would show and hide
    // a scroll bar for nothing.
    int heel = 0;
    for (int r = 0; r < Grid.RowCount(); ++r)
        heel = std::max(heel, Grid.TextColWidth(kolom, r, Grid.Cells(Kolom, r)) + Marge);
    // What the other columns leave of the grid's width, each with its grid line.
    int ruimte = Grid.ClientWidth() - Grid.GridLineWidth();
    for (int c = 0; c < Grid.ColCount(); ++c)
        if (c != kolom) ruimte -= Grid.ColWidths(c) + Grid.GridLineWidth();
    if (MinBreedte <= 0) {
        Grid.Canvas()->Font()->Assign(Grid.Font());
        MinBreedte = Grid.Canvas()->TextWidth(std::string(LeesbareNaamTekens, 'n')) + 8;
    }
    Grid.SetColWidths(kolom, heel <= ruimte ? heel : std::max(ruimte, std::min(heel, MinBreedte)));
    // A name cut off shows its start on one line, ending in "...": wrapped at
    // a blank, only its first word would show.
    Grid.SetWordWrap(false);
    Grid.EnhTextSize = true;
    Grid.HintShowLargeText = true;
    Grid.SetShowHint(true);
}

TSp* StandRowSpeler(const TExtStringGrid& Grid, int Row) {
    return dynamic_cast<TSp*>(Grid.Objects(0, Row));
}
