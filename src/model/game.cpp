#include "model/game.h"

#include <algorithm>

#include "model/player.h"
#include "platform/rtl/sysutils.h"

namespace {

// (first player, second player) codes of each entry code.
constexpr TUitslagCode InvoerPairs[MaxInvoerCode + 1][2] = {{ucGeen, ucGeen},
                                                            {ucWinst, ucVerlies},
                                                            {ucVerlies, ucWinst},
                                                            {ucRemise, ucRemise},
                                                            {ucVerlies, ucVerlies},
                                                            {ucReglVerlies, ucReglVerlies},
                                                            {ucReglWinst, ucReglVerlies},
                                                            {ucReglVerlies, ucReglWinst},
                                                            {ucReglRemise, ucReglRemise}};

} // namespace

void TGame::SetUitslag(TInvoerCode InvoerCode, TKleur Kleur) {
    if (InvoerCode > MaxInvoerCode) return;
    const auto& pair = InvoerPairs[InvoerCode];
    const bool zwart = Kleur == kZwart;
    Rec.Slots[0].Uitslag = pair[zwart ? 1 : 0];
    Rec.Slots[1].Uitslag = pair[zwart ? 0 : 1];
}

bool IsUitslagPaar(TUitslagCode A, TUitslagCode B) {
    return std::any_of(std::begin(InvoerPairs), std::end(InvoerPairs),
                       [A, B](const auto& P) { return P[0] == A && P[1] == B; });
}

double TGame::GetScore(int I) const {
    return UitslagToScore(GetUitslag(I));
}

std::string TGame::GetUitslagStr(int I) const {
    return UitslagToStr(GetUitslag(I));
}

bool TGame::IsVrij(int I) const {
    const TSp* sp = Rec.Slots[Slot(I)].Sp;
    return sp && !sp->IsNotVrij();
}

bool TGame::HasUitslag() const {
    return IsUitslag(Rec.Slots[0].Uitslag) && IsUitslag(Rec.Slots[1].Uitslag);
}

std::string TGame::GetBergerNrsStr() const {
    return IntToStr(Rec.Slots[0].BergerNr) + "-" + IntToStr(Rec.Slots[1].BergerNr);
}

std::string TGame::GetGameStr() const {
    auto naam = [](const TGameSlot& s) { return s.Sp ? s.Sp->GetNaam() : std::string(".."); };
    return Trim(GetBergerNrsStr() + " " + naam(Rec.Slots[0]) + " - " + naam(Rec.Slots[1]) + " " +
                GetUitslagStr(0) + " - " + GetUitslagStr(1));
}

bool TGame::IsSame(const TGameRec& Other) const {
    if (Rec.GameId != Other.GameId || Rec.Ronde != Other.Ronde || Rec.Datum != Other.Datum)
        return false;
    for (size_t i = 0; i < Rec.Slots.size(); ++i) {
        const TGameSlot& a = Rec.Slots[i];
        const TGameSlot& b = Other.Slots[i];
        if (a.BergerNr != b.BergerNr || a.Relnr != b.Relnr || a.Uitslag != b.Uitslag) return false;
    }
    return true;
}

int TGamesList::GetLastRoundNr() const {
    int last = 0;
    for (int i = 0; i < Count(); ++i)
        last = std::max(last, Game(i)->Rec.Ronde);
    return last;
}

TGame* TGamesList::GetGame(int GameId) const {
    for (int i = 0; i < Count(); ++i)
        if (Game(i)->Rec.GameId == GameId) return Game(i);
    return nullptr;
}

TGame* TGamesList::GetGameOnBgNrs(int Nr1, int Nr2, TKleur& Kleur, int EersteHelft) const {
    for (int i = 0; i < Count(); ++i) {
        TGame* g = Game(i);
        if (g->Rec.EersteHelft != EersteHelft) continue;
        const int w = g->Rec.Slots[0].BergerNr;
        const int z = g->Rec.Slots[1].BergerNr;
        if (w == Nr1 && z == Nr2) {
            Kleur = kWit;
            return g;
        }
        if (w == Nr2 && z == Nr1) {
            Kleur = kZwart;
            return g;
        }
    }
    Kleur = kGeen;
    return nullptr;
}

int TGamesList::GetNrEmptyGames() const {
    int n = 0;
    for (int i = 0; i < Count(); ++i) {
        const TGame* g = Game(i);
        if (g->IsVrij(0) || g->IsVrij(1)) continue;
        if (g->Rec.Slots[0].Uitslag == ucGeen || g->Rec.Slots[1].Uitslag == ucGeen) ++n;
    }
    return n;
}

void TGamesList::SwapBergerNrs(int A, int B) {
    for (int i = 0; i < Count(); ++i) {
        for (TGameSlot& s : Game(i)->Rec.Slots) {
            if (s.BergerNr == A)
                s.BergerNr = B;
            else if (s.BergerNr == B)
                s.BergerNr = A;
        }
    }
}

uint8_t EersteHelftOf(int Ronde, int LastRound, bool DubbelRondig) {
    return (!DubbelRondig || Ronde <= LastRound / 2) ? 1 : 0;
}

void SetGameCells(TGameRec& Rec, bool DubbelRondig) {
    for (size_t s = 0; s < 2; ++s) {
        TGameSlot& own = Rec.Slots[s];
        const int tegen = Rec.Slots[1 - s].BergerNr;
        own.Row = own.BergerNr - 1;
        if (!DubbelRondig)
            own.Col = tegen - 1;
        else
            own.Col = Rec.EersteHelft ? tegen * 2 - 2 : tegen * 2 - 1;
    }
}

void TGamesList::FillGamePoints(bool DubbelRondig) {
    const int last = GetLastRoundNr();
    for (int i = 0; i < Count(); ++i) {
        TGameRec& rec = Game(i)->Rec;
        rec.EersteHelft = EersteHelftOf(rec.Ronde, last, DubbelRondig);
        SetGameCells(rec, DubbelRondig);
    }
}

bool TGamesList::IsSame(const TGamesList& Other) const {
    if (Count() != Other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (!Game(i)->IsSame(Other.Game(i)->Rec)) return false;
    return true;
}
