// The road of opening a large group in the program: a 96-player double
// round-robin with every result (9,120 games) read from its group data file
// by the main window, its results crosstable filled, its standings computed
// and filled; each phase on its own, then the whole road.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "../vz_bench_group.h"
#include "app/mainform.h"
#include "app/standform.h"
#include "app/standgrid.h"
#include "grid/columngrid.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"

namespace {

// The program's folders and settings file in a temporary folder, and a group
// file with every result in it.
struct TRoadEnv {
    std::string Folder, File;
    TRoadEnv() {
        char tmpl[] = "/tmp/vz_bench_road_XXXXXX";
        Folder = mkdtemp(tmpl);
        setenv("XDG_DOCUMENTS_DIR", (Folder + "/docs").c_str(), 1);
        setenv("VZ_SETTINGS_FILE", (Folder + "/vivazozodi.ini").c_str(), 1);
        ForceDirectories(Folder + "/docs");
        const auto g = MakeFullGroup();
        File = Folder + "/Bench.csv";
        g->SaveGroepFile(File);
    }
    ~TRoadEnv() { std::filesystem::remove_all(Folder); }
};

TRoadEnv& Env() {
    // Made on first use, inside the program's Qt application.
    static TRoadEnv env;
    return env;
}

// The windows the road goes through, made as the program makes them.
struct TRoadWindows {
    TDialogServiceScope Dialogs{std::make_unique<TNonInteractiveDialogs>()};
    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<TStandForm> Stand;
    TExtColumnGrid Tabel{nullptr};
    TRoadWindows() {
        Env(); // the folders first: the main window makes its data folder
        Main = std::make_unique<TMainForm>(nullptr);
        MainForm = Main.get();
        Main->AfterConstruction();
        Stand = std::make_unique<TStandForm>(nullptr);
        StandForm = Stand.get();
        Stand->AfterConstruction();
    }
    ~TRoadWindows() {
        StandForm = nullptr;
        Stand.reset();
        MainForm = nullptr;
        Main.reset();
    }
    void Open() {
        if (!Main->ReadGroepFromGrid(Env().File)) std::abort();
    }
    void Crosstable() {
        FillStandGrid(*CurGroep, Tabel, true, CurGroep->Games.GetLastRoundNr(), CurGroep->Spelers);
    }
    // The window's activation: round records, statistics, ranking, grid.
    void Standings() { Stand->FormActivate(Stand.get()); }
};

void BM_RoadOpenFile(benchmark::State& state) {
    TRoadWindows w;
    for (auto _ : state)
        w.Open();
    state.counters["games"] = CurGroep->Games.Count();
    state.counters["empty"] = CurGroep->Games.GetNrEmptyGames();
}

void BM_RoadCrosstable(benchmark::State& state) {
    TRoadWindows w;
    w.Open();
    for (auto _ : state) {
        w.Crosstable();
        benchmark::DoNotOptimize(w.Tabel.Cells(3, 2));
    }
    state.counters["cols"] = w.Tabel.ColCount();
}

void BM_RoadStandings(benchmark::State& state) {
    TRoadWindows w;
    w.Open();
    for (auto _ : state) {
        w.Standings();
        benchmark::DoNotOptimize(w.Stand->StandGrid->Cells(4, 1));
    }
    state.counters["rows"] = w.Stand->StandGrid->RowCount();
}

void BM_RoadWhole(benchmark::State& state) {
    TRoadWindows w;
    for (auto _ : state) {
        w.Open();
        w.Crosstable();
        w.Standings();
        benchmark::DoNotOptimize(w.Stand->StandGrid->Cells(4, 1));
    }
}

BENCHMARK(BM_RoadOpenFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoadCrosstable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoadStandings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoadWhole)->Unit(benchmark::kMillisecond);

} // namespace
