#include "model/stand.h"

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

double CalcWWe(const TSp& Sp, int Ronde) {
    const int eigen = Sp.GetRating();
    if (!IsValidRating(eigen)) return 0;
    double w = 0, we = 0;
    bool counted = false;
    for (const TRondeRec& r : Sp.Rondes) {
        if (r.Ronde > Ronde || !IsValidRating(r.TegenRating) || !IsGespeeld(r.Uitslag)) continue;
        w += UitslagToScore(r.Uitslag);
        we += ExpectedScore(r.TegenRating, eigen);
        counted = true;
    }
    return counted ? w - we : 0;
}

double CalcProgScore(const TSp& Sp, int Ronde) {
    double sum = 0;
    for (const TRondeRec& r : Sp.Rondes)
        if (r.Ronde <= Ronde && IsGespeeld(r.Uitslag)) sum += r.Score;
    return sum;
}

namespace {

struct TTegenstander {
    const TSp* Sp = nullptr;
    double Totaal = 0; // WPSBTotal of the opponent
};

void CalcSpelerStand(TSp& Sp, const std::vector<TTegenstander>& Tegen) {
    const int eigen = Sp.GetRating();
    for (size_t ri = 0; ri < Sp.Rondes.size(); ++ri) {
        TRondeRec& R = Sp.Rondes[ri];
        double wp = 0, sb = 0, ratingSum = 0, ratedScore = 0;
        int count = 0;
        TTprAr ratings;
        for (size_t qi = 0; qi < Sp.Rondes.size(); ++qi) {
            const TRondeRec& Q = Sp.Rondes[qi];
            if (Q.Ronde > R.Ronde) continue;
            const TTegenstander& t = Tegen[qi];
            if (!t.Sp) continue;
            wp += t.Totaal;
            switch (Q.Uitslag) {
            case ucWinst:
            case ucReglWinst:
                sb += t.Totaal;
                break;
            case ucRemise:
            case ucReglRemise:
            case ucReglVerlies:
                sb += t.Totaal / 2;
                break;
            default:
                break;
            }
            if (IsValidRating(Q.TegenRating)) {
                ratingSum += Q.TegenRating;
                ++count;
                ratedScore += UitslagToScore(Q.Uitslag);
                ratings.push_back(Q.TegenRating);
            }
        }
        R.WWe = CalcWWe(Sp, R.Ronde);
        R.ProgScore = CalcProgScore(Sp, R.Ronde);
        if (wp >= 0) R.WP = wp;
        if (sb >= 0) R.SB = sb;
        if (count > 0) {
            R.GemRating = static_cast<int32_t>(Round(ratingSum / count));
            R.TprProcent = static_cast<int32_t>(
                Round(PerformanceByPercentage(count, ratedScore, R.GemRating, eigen)));
            R.Tpr = static_cast<int32_t>(Round(PerformanceRating(ratings, eigen, ratedScore)));
        } else {
            R.GemRating = 0;
            R.TprProcent = 0;
            R.Tpr = 0;
        }
    }
}

} // namespace

void CalcStand(TGroep& Groep) {
    TSpList& spelers = Groep.Spelers;
    for (int i = 0; i < spelers.Count(); ++i)
        spelers.Sp(i)->CalcRunningScore();

    // The first player with each draw number, with what his games credit opponents with.
    std::unordered_map<int, TTegenstander> byBergerNr;
    for (int i = 0; i < spelers.Count(); ++i) {
        const TSp* sp = spelers.Sp(i);
        byBergerNr.try_emplace(sp->Rec.BergerNr, TTegenstander{sp, WPSBTotal(*sp)});
    }

    for (int i = 0; i < spelers.Count(); ++i) {
        TSp& sp = *spelers.Sp(i);
        std::vector<TTegenstander> tegen(sp.Rondes.size());
        for (size_t q = 0; q < sp.Rondes.size(); ++q) {
            TRondeRec& Q = sp.Rondes[q];
            // A round without a game has no opponent, not even a player who has no
            // draw number yet.
            if (Q.TegenBergerNr < 1) continue;
            const auto it = byBergerNr.find(Q.TegenBergerNr);
            if (it == byBergerNr.end()) continue;
            tegen[q] = it->second;
            Q.TegenRating = it->second.Sp->GetRating();
        }
        CalcSpelerStand(sp, tegen);
    }
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
