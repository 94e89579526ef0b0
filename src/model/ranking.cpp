#include "model/ranking.h"

#include <algorithm>

#include "model/group.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

namespace {

// Figures compared to the hundredth, so that sums made in another order do not
// part players who are equal.
int64_t Honderdsten(double Value) {
    return Round(Value * 100);
}

const TRondeRec* RondeOf(const TSp& Sp, int Ronde) {
    const int i = Sp.GetRoundIndex(Ronde);
    return i < 0 ? nullptr : &Sp.Rondes[static_cast<size_t>(i)];
}

// The value of one criterion, higher is better.
int64_t CriteriumWaarde(const TSp& Sp, TSortId Id, int Ronde) {
    const TRondeRec* r = RondeOf(Sp, Ronde);
    switch (Id) {
    case siOnderling:
        return Honderdsten(Sp.Rec.OnderlingSort);
    case siWP:
        return r ? Honderdsten(r->WP) : 0;
    case siSB:
        return r ? Honderdsten(r->SB) : 0;
    case siWWe:
        return r ? Honderdsten(r->WWe) : 0;
    case siLootNr:
        return -Sp.Rec.BergerNr;
    default:
        return 0;
    }
}

bool HeeftCriterium(const TMyStSortAr& SortAr, TSortId Id) {
    return std::any_of(SortAr.begin(), SortAr.end(),
                       [Id](const TMyStSortItem& i) { return i.Aan && i.SortId == Id; });
}

// The one order of the standings.
class TStandOrde {
public:
    TStandOrde(const TMyStSortAr& SortAr, int Ronde)
        : FRonde(Ronde), FCriteria(SortCriteria(SortAr)) {}

    bool operator()(const TSp* A, const TSp* B) const {
        if (A->IsNotVrij() != B->IsNotVrij()) return A->IsNotVrij();
        const int64_t pa = Honderdsten(A->GetScoreAfterRound(FRonde));
        const int64_t pb = Honderdsten(B->GetScoreAfterRound(FRonde));
        if (pa != pb) return pa > pb;
        for (const TSortId id : FCriteria) {
            const int64_t a = CriteriumWaarde(*A, id, FRonde);
            const int64_t b = CriteriumWaarde(*B, id, FRonde);
            if (a != b) return a > b;
        }
        return A->Rec.BergerNr < B->Rec.BergerNr;
    }

private:
    int FRonde;
    std::vector<TSortId> FCriteria;
};

bool GelijkePunten(const TSp& A, const TSp& B, int Ronde) {
    return A.IsNotVrij() && B.IsNotVrij() &&
           Honderdsten(A.GetScoreAfterRound(Ronde)) == Honderdsten(B.GetScoreAfterRound(Ronde));
}

// Mutual scores within each run of players with equal points (the bye takes no
// part); an unplayed mutual game adds nothing.
void SetOnderling(const std::vector<TSp*>& T, int Ronde) {
    for (size_t i = 0; i < T.size();) {
        size_t j = i + 1;
        while (j < T.size() && GelijkePunten(*T[i], *T[j], Ronde))
            ++j;
        if (j - i >= 2 && T[i]->IsNotVrij()) {
            double total = 0;
            for (size_t p = i; p < j; ++p) {
                TSp& sp = *T[p];
                double sum = 0;
                for (size_t q = i; q < j; ++q)
                    if (q != p) sum += std::max(0.0, sp.GetOnderlingResultaat(T[q]->Rec.BergerNr));
                sp.Rec.OnderlingScore = sum;
                sp.Rec.OnderlingSort = sum;
                total += sum;
            }
            if (total > 0)
                for (size_t p = i; p < j; ++p)
                    T[p]->Rec.OnderlingStr = PuntenToStr(T[p]->Rec.OnderlingScore);
        }
        i = j;
    }
}

} // namespace

std::vector<TSp*> RankGroep(TGroep& Groep, int LastRound) {
    std::vector<TSp*> stand;
    for (int i = 0; i < Groep.Spelers.Count(); ++i) {
        TSp* sp = Groep.Spelers.Sp(i);
        sp->Rec.OnderlingScore = 0;
        sp->Rec.OnderlingSort = 0;
        sp->Rec.OnderlingStr.clear();
        if (sp->GetRoundIndex(LastRound) >= 0) stand.push_back(sp);
    }
    // Points alone first: the mutual result is counted within each run of equal points.
    std::stable_sort(stand.begin(), stand.end(), TStandOrde(TMyStSortAr{}, LastRound));
    if (HeeftCriterium(Groep.Rec.SortAr, siOnderling)) SetOnderling(stand, LastRound);
    std::stable_sort(stand.begin(), stand.end(), TStandOrde(Groep.Rec.SortAr, LastRound));
    return stand;
}

void CalcGroepZVPoints(TGroep& Groep, const std::vector<TSp*>& Stand, int LastRound) {
    if (!Groep.Rec.MyUseZVPoints || Groep.GetNrEmptyGames() != 0) return;
    const int n = static_cast<int>(
        std::count_if(Stand.begin(), Stand.end(), [](const TSp* sp) { return sp->IsNotVrij(); }));
    int j = 0, plaats = 0;
    const TSp* vorige = nullptr;
    std::string info;
    for (TSp* sp : Stand) {
        if (!sp->IsNotVrij()) continue; // the bye is not ranked
        ++j;
        if (!vorige || !GelijkePunten(*vorige, *sp, LastRound)) plaats = j;
        vorige = sp;
        CalcZVPoints(*sp, n, plaats, info, Groep.Rec.DubbelRondig != 0,
                     sp->GetScoreAfterRound(LastRound));
        sp->Rec.Plaats = j;
    }
}
