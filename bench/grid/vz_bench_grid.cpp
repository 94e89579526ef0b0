// The advanced grid's cell model beside a plain vector of rows of strings,
// the same operation on both in the same run: filling rows of 10 columns,
// reading them back, hiding and showing every tenth row, and inserting and
// deleting 1,000 rows one at a time in the middle. Each runs at 25,000,
// 50,000 and 100,000 rows, so that the cost per row shows it stays linear.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../vz_bench_qt.h"
#include "grid/extgrid.h"

namespace {

constexpr int Cols = 10;
using TPlain = std::vector<std::vector<std::string>>;

std::string Text(int Row, int Col) {
    return std::to_string(Row) + ":" + std::to_string(Col);
}

void FillGrid(TExtStringGrid& Grid, int Rows) {
    Grid.SetColCount(Cols);
    Grid.SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            Grid.SetCells(c, r, Text(r, c));
}

void FillPlain(TPlain& Plain, int Rows) {
    Plain.assign(static_cast<size_t>(Rows), std::vector<std::string>(Cols));
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            Plain[static_cast<size_t>(r)][static_cast<size_t>(c)] = Text(r, c);
}

// One filled grid and one filled plain table per row count, kept for all
// runs; the grids go before the Qt application.
std::map<int, std::unique_ptr<TExtStringGrid>> grids;
std::map<int, TPlain> tables;

TExtStringGrid& FilledGrid(int Rows) {
    auto& grid = grids[Rows];
    if (!grid) {
        grid = std::make_unique<TExtStringGrid>(nullptr);
        FillGrid(*grid, Rows);
    }
    return *grid;
}

TPlain& FilledPlain(int Rows) {
    auto& table = tables[Rows];
    if (table.empty()) FillPlain(table, Rows);
    return table;
}

void Finish(benchmark::State& State) {
    State.SetComplexityN(State.range(0));
}

// --- filling ---------------------------------------------------------------------------------

void BM_Fill_Grid(benchmark::State& State) {
    const int rows = static_cast<int>(State.range(0));
    for (auto _ : State) {
        State.PauseTiming();
        auto grid = std::make_unique<TExtStringGrid>(nullptr);
        State.ResumeTiming();
        FillGrid(*grid, rows);
        State.PauseTiming();
        grid.reset();
        State.ResumeTiming();
    }
    Finish(State);
}

void BM_Fill_Plain(benchmark::State& State) {
    const int rows = static_cast<int>(State.range(0));
    for (auto _ : State) {
        TPlain plain;
        FillPlain(plain, rows);
        benchmark::DoNotOptimize(plain.data());
        State.PauseTiming();
        plain.clear();
        State.ResumeTiming();
    }
    Finish(State);
}

// --- reading ---------------------------------------------------------------------------------

void BM_Read_Grid(benchmark::State& State) {
    const int rows = static_cast<int>(State.range(0));
    TExtStringGrid& grid = FilledGrid(rows);
    for (auto _ : State) {
        size_t total = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < Cols; ++c)
                total += grid.Cells(c, r).size();
        benchmark::DoNotOptimize(total);
    }
    Finish(State);
}

void BM_Read_Plain(benchmark::State& State) {
    const int rows = static_cast<int>(State.range(0));
    const TPlain& plain = FilledPlain(rows);
    for (auto _ : State) {
        size_t total = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < Cols; ++c) {
                // A copy, as the grid hands out its texts.
                const std::string text = plain[static_cast<size_t>(r)][static_cast<size_t>(c)];
                total += text.size();
            }
        benchmark::DoNotOptimize(total);
    }
    Finish(State);
}

// --- hiding and showing every tenth row ---------------------------------------------------------

void BM_HideUnhide_Grid(benchmark::State& State) {
    const int rows = static_cast<int>(State.range(0));
    TExtStringGrid& grid = FilledGrid(rows);
    TIntList list(0, 0);
    for (int r = 5; r < rows; r += 10)
        list.Add(r);
    for (auto _ : State) {
        grid.HideRowList(list);
        grid.UnHideRowsAll();
    }
    Finish(State);
}

void BM_HideUnhide_Plain(benchmark::State& State) {
    const int rows = static_cast<int>(State.range(0));
    TPlain& plain = FilledPlain(rows);
    for (auto _ : State) {
        // Every tenth row out to a side store with its place, the rest closed up ...
        std::vector<std::pair<int, std::vector<std::string>>> hidden;
        TPlain shown;
        shown.reserve(plain.size());
        for (size_t r = 0; r < plain.size(); ++r) {
            if (r % 10 == 5)
                hidden.emplace_back(static_cast<int>(r), std::move(plain[r]));
            else
                shown.push_back(std::move(plain[r]));
        }
        // ... and merged back into place.
        TPlain all;
        all.reserve(shown.size() + hidden.size());
        size_t next = 0, h = 0;
        while (all.size() < shown.size() + hidden.size()) {
            if (h < hidden.size() && hidden[h].first == static_cast<int>(all.size()))
                all.push_back(std::move(hidden[h++].second));
            else
                all.push_back(std::move(shown[next++]));
        }
        plain.swap(all);
    }
    Finish(State);
}

// --- inserting and deleting 1,000 rows in the middle --------------------------------------------

void BM_InsertDelete_Grid(benchmark::State& State) {
    const int rows = static_cast<int>(State.range(0));
    TExtStringGrid& grid = FilledGrid(rows);
    for (auto _ : State) {
        for (int i = 0; i < 1000; ++i)
            grid.InsertRows(rows / 2, 1);
        for (int i = 0; i < 1000; ++i)
            grid.RemoveRows(rows / 2, 1);
    }
    Finish(State);
}

void BM_InsertDelete_Plain(benchmark::State& State) {
    const int rows = static_cast<int>(State.range(0));
    TPlain& plain = FilledPlain(rows);
    for (auto _ : State) {
        for (int i = 0; i < 1000; ++i)
            plain.insert(plain.begin() + rows / 2, std::vector<std::string>(Cols));
        for (int i = 0; i < 1000; ++i)
            plain.erase(plain.begin() + rows / 2);
    }
    Finish(State);
}

#define VZ_GRID_BENCH(Name)                                                                        \
    BENCHMARK(Name)                                                                                \
        ->RangeMultiplier(2)                                                                       \
        ->Range(25000, 100000)                                                                     \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Complexity(benchmark::oN)

VZ_GRID_BENCH(BM_Fill_Grid);
VZ_GRID_BENCH(BM_Fill_Plain);
VZ_GRID_BENCH(BM_Read_Grid);
VZ_GRID_BENCH(BM_Read_Plain);
VZ_GRID_BENCH(BM_HideUnhide_Grid);
VZ_GRID_BENCH(BM_HideUnhide_Plain);
VZ_GRID_BENCH(BM_InsertDelete_Grid);
VZ_GRID_BENCH(BM_InsertDelete_Plain);

} // namespace

int main(int argc, char** argv) {
    StartOffscreenQt();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    grids.clear();
    ShutdownQtApplication();
    return 0;
}
