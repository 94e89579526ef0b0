// The standings window and the results window's crosstable on a 96-player
// double round-robin with every result entered (9,120 games, 192 result
// columns): each phase of opening them measured on its own.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "../vz_bench_group.h"
#include "../vz_bench_qt.h"
#include "app/standform.h"
#include "app/standgrid.h"
#include "grid/columngrid.h"
#include "model/stand.h"

namespace {

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
    StartOffscreenQt();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ShutdownQtApplication();
    return 0;
}
