// Ranking of the standings window and the series points typed into it.

#include "app/standform.h"
#include "app/standgrid.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/listctrls.h"

namespace {

// Keys are compared as text, so every number goes in zero-padded from a base
// that keeps it positive: nine digits hold any score, SB or mutual score a
// tournament can reach (a large double round-robin passes 100 points).
constexpr int KeyBase = 100000000;
constexpr int ByeKey = 2 * KeyBase - 1; // after every player

std::string Key9(int N) {
    return IntToZeroStr(N, 9);
}

// Higher value first.
std::string DescendingKey(double Value, int Factor) {
    return Key9(KeyBase - static_cast<int>(Round(Factor * Value)));
}

double SBAfter(const TSp& Sp, int Ronde) {
    const int r = Sp.GetRoundIndex(Ronde);
    return r < 0 ? 0 : Sp.Rondes[static_cast<size_t>(r)].SB;
}

// Mutual scores within each run of players with equal score (the bye takes no
// part); an unplayed mutual game adds nothing.
void SetOnderling(TSpList& T, int LastRound) {
    for (int i = 0; i < T.Count();) {
        const double score = T.Sp(i)->GetScoreAfterRound(LastRound);
        int j = i;
        while (j < T.Count() && T.Sp(j)->IsNotVrij() &&
               T.Sp(j)->GetScoreAfterRound(LastRound) == score)
            ++j;
        if (j == i) { // the bye
            ++i;
            continue;
        }
        if (j - i >= 2) {
            double total = 0;
            for (int p = i; p < j; ++p) {
                TSp& sp = *T.Sp(p);
                double sum = 0;
                for (int q = i; q < j; ++q)
                    if (q != p)
                        sum += std::max(0.0, sp.GetOnderlingResultaat(T.Sp(q)->Rec.BergerNr));
                sp.Rec.OnderlingScore = std::max(0.0, sum);
                sp.Rec.OnderlingSort = sp.Rec.OnderlingScore;
                total += sp.Rec.OnderlingScore;
            }
            if (total > 0)
                for (int p = i; p < j; ++p)
                    T.Sp(p)->Rec.OnderlingStr = PuntenToStr(T.Sp(p)->Rec.OnderlingScore);
        }
        i = j;
    }
}

} // namespace

void TStandForm::SortStand() {
    TGroep* groep = CurGroep;
    if (!FStandList) FStandList = std::make_unique<TSpList>();
    FStandList->Clear();
    if (!groep) return;
    int on = 0;
    for (const TMyStSortItem& item : groep->Rec.SortAr)
        if (item.Aan) ++on;

    // 1. Everyone with a record for the last round, by score (or draw number).
    TSpList t;
    for (int i = 0; i < groep->Spelers.Count(); ++i) {
        TSp* sp = groep->Spelers.Sp(i);
        if (sp->GetRoundIndex(FLastRound) < 0) continue;
        sp->Rec.OnderlingScore = 0;
        sp->Rec.OnderlingSort = 0;
        sp->Rec.OnderlingStr.clear();
        std::string key;
        if (!sp->IsNotVrij())
            key = Key9(ByeKey);
        else if (on == 0)
            key = Key9(KeyBase - sp->Rec.BergerNr);
        else
            key = DescendingKey(sp->GetScoreAfterRound(FLastRound), 100);
        t.AddObject(key, sp);
    }
    t.Sort();

    // 2. Mutual scores.
    if (on > 0) SetOnderling(t, FLastRound);

    // 3. The standings order: score, mutual score, SB, lower draw number; with
    // no criterion on, draw-number order.
    for (int i = 0; i < t.Count(); ++i) {
        TSp* sp = t.Sp(i);
        std::string key;
        if (on == 0) {
            key = Key9(sp->IsNotVrij() ? sp->Rec.BergerNr : ByeKey);
        } else {
            key = sp->IsNotVrij() ? DescendingKey(sp->GetScoreAfterRound(FLastRound), 100)
                                  : Key9(ByeKey);
            key += DescendingKey(sp->Rec.OnderlingSort, 10);
            key += DescendingKey(SBAfter(*sp, FLastRound), 10);
            key += IntToZeroStr(sp->Rec.BergerNr, 4);
        }
        if (sp->GetRating() >= 5) FHasRatings = true;
        FStandList->AddObject(key, sp);
    }
    FStandList->Sort();

    // 4. Series points once every game has its result; equal scores share a place.
    if (groep->Rec.MyUseZVPoints && groep->Games.GetNrEmptyGames() == 0) {
        int n = 0;
        for (int i = 0; i < FStandList->Count(); ++i)
            if (FStandList->Sp(i)->IsNotVrij()) ++n;
        int j = 0, plaats = 0;
        double vorige = 0;
        std::string info;
        for (int i = 0; i < FStandList->Count(); ++i) {
            TSp* sp = FStandList->Sp(i);
            if (!sp->IsNotVrij()) continue; // the bye is not ranked
            ++j;
            const double score = sp->GetScoreAfterRound(FLastRound);
            if (j == 1 || score != vorige) plaats = j;
            vorige = score;
            CalcZVPoints(*sp, n, plaats, info, groep->Rec.DubbelRondig != 0, score);
            sp->Rec.Plaats = j;
        }
    }

    // 5. No mutual score anywhere: no texts.
    double total = 0;
    for (int i = 0; i < FStandList->Count(); ++i)
        total += FStandList->Sp(i)->Rec.OnderlingScore;
    if (total == 0)
        for (int i = 0; i < FStandList->Count(); ++i)
            FStandList->Sp(i)->Rec.OnderlingStr.clear();

    // 6. Without ratings the rating columns cannot be chosen.
    if (!FHasRatings)
        for (int i = StandItem::Rating; i <= StandItem::WWe; ++i)
            if (CheckBox->Checked(i)) CheckBox->SetItemEnabled(i, false);
}

void TStandForm::StoreZVPoints() {
    if (FZVKolom < 0) return;
    for (int r = 1; r < StandGrid->RowCount(); ++r) {
        TSp* sp = StandRowSpeler(*StandGrid, r);
        if (!sp || !sp->IsNotVrij()) continue;
        const double value = TrimStrToFloat(StandGrid->Cells(FZVKolom, r));
        sp->Rec.ZVPunten = value > 0 ? value : 0;
    }
}
