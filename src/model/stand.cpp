#include "model/stand.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "model/group.h"
#include "model/rating.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

void FillRondeRecs(TGroep& Groep) {
    const int last = Groep.Games.GetLastRoundNr();
    std::unordered_multimap<int, TSp*> byBergerNr;
    for (int i = 0; i < Groep.Spelers.Count(); ++i) {
        TSp* sp = Groep.Spelers.Sp(i);
        sp->Rondes.assign(static_cast<size_t>(last), TRondeRec{});
        byBergerNr.emplace(sp->Rec.BergerNr, sp);
    }
    for (int i = 0; i < Groep.Games.Count(); ++i) {
        const TGameRec& g = Groep.Games.Game(i)->Rec;
        if (g.Ronde < 1 || g.Ronde > last) continue;
        for (size_t s = 0; s < 2; ++s) {
            const auto [from, to] = byBergerNr.equal_range(g.Slots[s].BergerNr);
            for (auto it = from; it != to; ++it) {
                TRondeRec& r = it->second->Rondes[static_cast<size_t>(g.Ronde - 1)];
                r.Ronde = g.Ronde;
                r.GameId = g.GameId;
                r.TegenBergerNr = g.Slots[1 - s].BergerNr;
                r.Uitslag = g.Slots[s].Uitslag;
                r.Kleur = static_cast<TKleur>(s);
            }
        }
    }
}

double WPSBTotal(const TSp& Sp) {
    double sum = 0;
    for (const TRondeRec& r : Sp.Rondes)
        sum += GetWPSBScore(r.Uitslag);
    return sum;
}

namespace {

struct TTegenstander {
    const TSp* Sp = nullptr;
    double Totaal = 0; // WPSBTotal of the opponent
};

// The statistics of one player over his records up to some round, added one
// record at a time in record order: every sum is made in the order in which a
// fresh loop over the records would make it, so the figures are the same to
// the last bit.
class TStandSom {
public:
    explicit TStandSom(int Eigen) : FEigen(Eigen) {}

    // T is the record's opponent, or nullptr when he has none.
    void Add(const TRondeRec& Q, const TTegenstander* T) {
        if (T) {
            FWP += T->Totaal;
            switch (Q.Uitslag) {
            case ucWinst:
            case ucReglWinst:
                FSB += T->Totaal;
                break;
            case ucRemise:
            case ucReglRemise:
            case ucReglVerlies:
                FSB += T->Totaal / 2;
                break;
            default:
                break;
            }
            // An open or forfeited game is no rated game: an open one would count
            // as a rated loss while the tournament runs, a forfeit as a rated result.
            if (IsGespeeld(Q.Uitslag) && IsValidRating(Q.TegenRating)) {
                FRatingSum += Q.TegenRating;
                FRatedScore += UitslagToScore(Q.Uitslag);
                FRatings.push_back(Q.TegenRating);
            }
        }
        // W-We and the progressive score count games played on the board.
        if (!IsGespeeld(Q.Uitslag)) return;
        FProgScore += Q.Score;
        if (IsValidRating(Q.TegenRating)) {
            FW += UitslagToScore(Q.Uitslag);
            FWe += ExpectedScore(Q.TegenRating, FEigen);
            FWWeCounted = true;
        }
    }

    double WWe() const { return IsValidRating(FEigen) && FWWeCounted ? FW - FWe : 0; }
    double ProgScore() const { return FProgScore; }

    // Everything but the performance by bisection, which costs a search over the
    // rated opponents and is made only where it is read (WithTpr).
    void Store(TRondeRec& R, bool WithTpr) const {
        R.WWe = WWe();
        R.ProgScore = FProgScore;
        if (FWP >= 0) R.WP = FWP;
        if (FSB >= 0) R.SB = FSB;
        R.GemRating = R.TprProcent = R.Tpr = 0;
        if (FRatings.empty()) return;
        const int count = static_cast<int>(FRatings.size());
        R.GemRating = static_cast<int32_t>(Round(FRatingSum / count));
        R.TprProcent = static_cast<int32_t>(
            Round(PerformanceByPercentage(count, FRatedScore, R.GemRating, FEigen)));
        if (WithTpr)
            R.Tpr = static_cast<int32_t>(Round(PerformanceRating(FRatings, FEigen, FRatedScore)));
    }

private:
    int FEigen;
    double FWP = 0, FSB = 0, FRatingSum = 0, FRatedScore = 0;
    TTprAr FRatings; // of the rated opponents, in record order
    double FW = 0, FWe = 0, FProgScore = 0;
    bool FWWeCounted = false;
};

// Fills the statistics of every record of the player; the performance by
// bisection in every record with AllTpr, else only in his latest round.
void FillSpelerStand(TSp& Sp, const std::vector<TTegenstander>& Tegen, bool AllTpr) {
    std::vector<TRondeRec>& rondes = Sp.Rondes;
    const size_t n = rondes.size();
    if (n == 0) return;
    const int eigen = Sp.GetRating();
    const auto opponent = [&Tegen](size_t q) { return Tegen[q].Sp ? &Tegen[q] : nullptr; };
    const int latest =
        std::max_element(rondes.begin(), rondes.end(), [](const TRondeRec& a, const TRondeRec& b) {
            return a.Ronde < b.Ronde;
        })->Ronde;
    const auto withTpr = [&](const TRondeRec& R) { return AllTpr || R.Ronde == latest; };

    // A record counts for every record of its round or a later one. Running sums
    // serve when the records that add anything follow their rounds in record
    // order, as the rebuilt records always do.
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&rondes](size_t a, size_t b) { return rondes[a].Ronde < rondes[b].Ronde; });
    bool running = true;
    size_t lastAdding = 0;
    bool anyAdding = false;
    for (const size_t q : order) {
        if (!opponent(q) && !IsGespeeld(rondes[q].Uitslag)) continue;
        if (anyAdding && q < lastAdding) running = false;
        lastAdding = q;
        anyAdding = true;
    }

    if (running) {
        TStandSom som(eigen);
        for (size_t i = 0; i < n;) {
            const int ronde = rondes[order[i]].Ronde;
            size_t j = i;
            for (; j < n && rondes[order[j]].Ronde == ronde; ++j)
                som.Add(rondes[order[j]], opponent(order[j]));
            for (; i < j; ++i)
                som.Store(rondes[order[i]], withTpr(rondes[order[i]]));
        }
        return;
    }
    // Records out of round order: each record sums its own (what is stored is
    // nothing that a sum reads).
    for (TRondeRec& R : rondes) {
        TStandSom som(eigen);
        for (size_t q = 0; q < n; ++q)
            if (rondes[q].Ronde <= R.Ronde) som.Add(rondes[q], opponent(q));
        som.Store(R, withTpr(R));
    }
}

// Each record's opponent by draw number; the record gets his rating.
std::vector<TTegenstander>
LinkTegenstanders(TSp& Sp, const std::unordered_map<int, TTegenstander>& ByBergerNr) {
    std::vector<TTegenstander> tegen(Sp.Rondes.size());
    for (size_t q = 0; q < Sp.Rondes.size(); ++q) {
        TRondeRec& Q = Sp.Rondes[q];
        // A round without a game has no opponent, not even a player who has no
        // draw number yet.
        if (Q.TegenBergerNr < 1) continue;
        const auto it = ByBergerNr.find(Q.TegenBergerNr);
        if (it == ByBergerNr.end()) continue;
        tegen[q] = it->second;
        Q.TegenRating = it->second.Sp->GetRating();
    }
    return tegen;
}

// The first player with each draw number, with what his games credit opponents with.
std::unordered_map<int, TTegenstander> TegenstandersOf(const TSpList& Spelers) {
    std::unordered_map<int, TTegenstander> byBergerNr;
    for (int i = 0; i < Spelers.Count(); ++i) {
        const TSp* sp = Spelers.Sp(i);
        byBergerNr.try_emplace(sp->Rec.BergerNr, TTegenstander{sp, WPSBTotal(*sp)});
    }
    return byBergerNr;
}

} // namespace

double CalcWWe(const TSp& Sp, int Ronde) {
    TStandSom som(Sp.GetRating());
    for (const TRondeRec& r : Sp.Rondes)
        if (r.Ronde <= Ronde) som.Add(r, nullptr);
    return som.WWe();
}

double CalcProgScore(const TSp& Sp, int Ronde) {
    TStandSom som(Sp.GetRating());
    for (const TRondeRec& r : Sp.Rondes)
        if (r.Ronde <= Ronde) som.Add(r, nullptr);
    return som.ProgScore();
}

void CalcStand(TGroep& Groep) {
    TSpList& spelers = Groep.Spelers;
    for (int i = 0; i < spelers.Count(); ++i)
        spelers.Sp(i)->CalcRunningScore();
    const auto byBergerNr = TegenstandersOf(spelers);
    for (int i = 0; i < spelers.Count(); ++i) {
        TSp& sp = *spelers.Sp(i);
        FillSpelerStand(sp, LinkTegenstanders(sp, byBergerNr), false);
    }
}

void CalcSpelerStand(const TGroep& Groep, TSp& Sp) {
    const auto byBergerNr = TegenstandersOf(Groep.Spelers);
    FillSpelerStand(Sp, LinkTegenstanders(Sp, byBergerNr), true);
}

void CalcZVPoints(TSp& Sp, int N, int Plaats, std::string& Info, bool DubbelRondig, double W) {
    Info = "; Plaats=" + IntToStr(Plaats);
    if (DubbelRondig) W /= 2;
    if (N >= 2 && Plaats >= 1 && Plaats <= N && W >= 0 && W <= N)
        Sp.Rec.ZVPunten = (W / (N - 1) + 1) * 10;
    else
        Sp.Rec.ZVPunten = 0;
    if (Sp.Rec.ZVPunten > 0 && Plaats >= 2) Sp.Rec.ZVPunten -= Plaats - 1;
    Info = Sp.GetNaam() + "; Zv=" + FloatToStrDec(Sp.Rec.ZVPunten, 2) +
           "; W=" + FloatToStrDec(W, 1) + "; N=" + IntToStr(N) + "; Plaats=" + IntToStr(Plaats);
}
