// Standings of a large group: a 96-player double round-robin with every result entered,
// rebuilt round by round and scored with all tie-breaks and performance ratings.

#include <benchmark/benchmark.h>

#include <memory>

#include "model/berger.h"
#include "model/group.h"
#include "model/stand.h"
#include "model/textutils.h"

namespace {

std::unique_ptr<TGroep> MakeFullGroup(int N) {
    TGroepRec rec;
    rec.Naam = "Bench";
    rec.DubbelRondig = 1;
    auto g = std::make_unique<TGroep>(rec);
    for (int i = 1; i <= N; ++i) {
        TSpRec sp;
        sp.BergerNr = i;
        sp.Relnr = 5000000 + i;
        sp.Achternaam = "Speler" + IntToStr(i);
        sp.Ratings[rtKNSB] = 1200 + (i * 37) % 1000;
        g->AddSpeler(sp, IntToZeroStr(i, 6));
    }
    MakeBergerGames(*g);
    g->LinkSpelers();
    // A fixed spread of results, forfeits included, the same on every run.
    for (int i = 0; i < g->Games.Count(); ++i)
        g->Games.Game(i)->SetUitslag(static_cast<TInvoerCode>(1 + (i * 7) % 8), kWit);
    return g;
}

void BM_FillRondeRecsAndCalcStand(benchmark::State& state) {
    const auto g = MakeFullGroup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        FillRondeRecs(*g);
        CalcStand(*g);
        benchmark::DoNotOptimize(g->Spelers.Sp(0)->Rondes.back().Tpr);
    }
    state.counters["games"] = g->Games.Count();
}

BENCHMARK(BM_FillRondeRecsAndCalcStand)->Arg(96)->Unit(benchmark::kMillisecond);

} // namespace
