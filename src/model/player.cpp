#include "model/player.h"

#include "model/group.h"
#include "model/names.h"
#include "model/rating.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

void TSp::SetUitslag(int Ronde, TUitslagCode Uitslag) {
    const int i = GetRoundIndex(Ronde);
    if (i < 0) return;
    Rondes[static_cast<size_t>(i)].Uitslag = Uitslag;
    CalcRunningScore();
}

void TSp::CalcRunningScore() {
    // Counted afresh: a player whose results were all taken away again has none.
    double sum = 0;
    Rec.NrUitslagen = 0;
    for (TRondeRec& r : Rondes) {
        if (IsUitslag(r.Uitslag)) {
            sum += UitslagToScore(r.Uitslag);
            ++Rec.NrUitslagen;
        }
        r.Score = sum;
    }
}

std::string TSp::GetNaam() const {
    return MakeNaam(Rec, CurGroep ? CurGroep->Rec.NaamMode : nmVoornaamEerst);
}

int TSp::GetRoundIndex(int Ronde) const {
    for (size_t i = 0; i < Rondes.size(); ++i)
        if (Rondes[i].Ronde == Ronde) return static_cast<int>(i);
    return -1;
}

double TSp::GetScoreAfterRound(int Ronde) const {
    const int i = GetRoundIndex(Ronde);
    return i < 0 ? 0 : Rondes[static_cast<size_t>(i)].Score;
}

double TSp::GetOnderlingResultaat(int TegenBergerNr) const {
    double sum = 0;
    const TRondeRec* last = nullptr; // the latest round against him
    for (const TRondeRec& r : Rondes) {
        if (r.TegenBergerNr != TegenBergerNr) continue;
        if (!last || r.Ronde >= last->Ronde) last = &r;
        if (IsUitslag(r.Uitslag)) sum += UitslagToScore(r.Uitslag);
    }
    return (last && IsUitslag(last->Uitslag)) ? sum : -1;
}

int TSp::GetNrRatedGames() const {
    int n = 0;
    for (const TRondeRec& r : Rondes)
        if (IsGespeeld(r.Uitslag) && IsValidRating(r.TegenRating)) ++n;
    return n;
}

bool TSp::HasReglUitslag() const {
    for (const TRondeRec& r : Rondes)
        if (r.Uitslag >= ucReglWinst && r.Uitslag <= ucReglVerlies) return true;
    return false;
}

std::string TSp::GetGebJaarStr() const {
    return GebJaarToStr(Rec.GebJaar);
}

std::string TSp::GetRelnrStr() const {
    return Rec.Relnr >= MinBondsRelnr ? IntToStr(Rec.Relnr) : "";
}

int TSp::GetRating() const {
    return RatingType < RatingTypeCount ? Rec.Ratings[RatingType] : 0;
}

std::string TSp::GetSortKey() const {
    return MakeNaamKey(Rec.Achternaam, 12) + MakeNaamKey(Rec.Tussenvoegsel, 6) +
           MakeNaamKey(Rec.Voorletters, 3) + MakeNaamKey(Rec.Voornaam, 6);
}

bool TSp::IsSame(const TSpRec& Other) const {
    return Rec.Relnr == Other.Relnr && Rec.BergerNr == Other.BergerNr && Rec.Sexe == Other.Sexe &&
           Rec.GebJaar == Other.GebJaar &&
           MakeNaam(Rec, nmAchternaamEerst) == MakeNaam(Other, nmAchternaamEerst) &&
           Rec.Ratings == Other.Ratings;
}

TSp* TSpList::GetSpeler(int Relnr) const {
    for (int i = 0; i < Count(); ++i)
        if (Sp(i)->Rec.Relnr == Relnr) return Sp(i);
    return nullptr;
}

TSp* TSpList::GetSpelerOnBergerNr(int BergerNr) const {
    for (int i = 0; i < Count(); ++i)
        if (Sp(i)->Rec.BergerNr == BergerNr) return Sp(i);
    return nullptr;
}

bool TSpList::IsSame(const TSpList& Other) const {
    if (Count() != Other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (!Sp(i)->IsSame(Other.Sp(i)->Rec)) return false;
    return true;
}

bool TSpList::HasRatings() const {
    for (int i = 0; i < Count(); ++i)
        if (Sp(i)->GetRating() >= 5) return true;
    return false;
}

void TSpList::SorteerOpBergerNr() {
    for (int i = 0; i < Count(); ++i)
        Put(i, IntToZeroStr(Sp(i)->Rec.BergerNr, 6));
    Sort();
}

bool TSpList::SwapBergerNrs(int A, int B) {
    TSp* a = GetSpelerOnBergerNr(A);
    if (!a) return false;
    TSp* b = GetSpelerOnBergerNr(B);
    a->Rec.BergerNr = B;
    if (b) b->Rec.BergerNr = A;
    for (int i = 0; i < Count(); ++i) {
        for (TRondeRec& r : Sp(i)->Rondes) {
            if (r.TegenBergerNr == A)
                r.TegenBergerNr = B;
            else if (r.TegenBergerNr == B)
                r.TegenBergerNr = A;
        }
    }
    return true;
}

TBergerNrIndex::TBergerNrIndex(const TSpList& List) {
    FByNr.reserve(static_cast<size_t>(List.Count()));
    for (int i = 0; i < List.Count(); ++i)
        FByNr.try_emplace(List.Sp(i)->Rec.BergerNr, List.Sp(i));
}

TSp* TBergerNrIndex::Find(int BergerNr) const {
    const auto it = FByNr.find(BergerNr);
    return it == FByNr.end() ? nullptr : it->second;
}
