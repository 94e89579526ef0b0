// The standings window and the results window's crosstable on a 96-player
// double round-robin with every result entered (9,120 games, 192 result
// columns): each phase of opening them measured on its own.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "app/standform.h"
#include "app/standgrid.h"
#include "grid/columngrid.h"
#include "model/berger.h"
#include "model/group.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/qtapp.h"

namespace {

constexpr int Spelers = 96;

std::unique_ptr<TGroep> MakeFullGroup() {
    TGroepRec rec;
    rec.Naam = "Bench";
    rec.DubbelRondig = 1;
    rec.SortAr = {{siOnderling, 1}, {siSB, 1}, {siLootNr, 1}};
    auto g = std::make_unique<TGroep>(rec);
    for (int i = 1; i <= Spelers; ++i) {
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
    FillRondeRecs(*g);
    CalcStand(*g);
    return g;
}

// The standings window once its round records stand: statistics, ranking
// with every tie-break, and the full standings grid.
void BM_StandingsWindow(benchmark::State& state) {
    const auto g = MakeFullGroup();
    CurGroep = g.get();
    RatingType = g->Rec.RatingType;
    TStandForm form(nullptr);
    form.AfterConstruction();
    form.FormActivate(&form); // sets the last round
    for (auto _ : state) {
        CalcStand(*g);
        form.SortStand();
        FillStandGrid(*g, *form.StandGrid, false, form.LastRound(), form.StandList());
        benchmark::DoNotOptimize(form.StandGrid->Cells(4, 1));
    }
    state.counters["rows"] = form.StandGrid->RowCount();
    state.counters["cols"] = form.StandGrid->ColCount();
    CurGroep = nullptr;
}

// The results window's crosstable of the same group in draw-number order.
void BM_Crosstable(benchmark::State& state) {
    const auto g = MakeFullGroup();
    CurGroep = g.get();
    TExtColumnGrid grid(nullptr);
    const int last = g->Games.GetLastRoundNr();
    for (auto _ : state) {
        FillStandGrid(*g, grid, true, last, g->Spelers);
        benchmark::DoNotOptimize(grid.Cells(3, 2));
    }
    state.counters["cols"] = grid.ColCount();
    CurGroep = nullptr;
}

BENCHMARK(BM_StandingsWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Crosstable)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureQtApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ShutdownQtApplication();
    return 0;
}
