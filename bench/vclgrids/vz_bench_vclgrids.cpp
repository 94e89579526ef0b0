// What one repaint of a string grid's screen costs with the view at the top,
// in the middle and at the end, for grids of 1,000, 100,000 and 1,000,000 rows.
// A paint visits only the rows in view, so the three sizes must cost the same.

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "platform/vcl/grids/grids.h"

namespace {

enum TPlace { plTop, plMiddle, plEnd };

// One filled grid per row count, made once and kept for all runs; freed
// before the Qt application ends.
std::map<int, std::unique_ptr<TForm>> forms;
std::map<int, TStringGrid*> grids;

TStringGrid& FilledGrid(int Rows) {
    if (auto it = grids.find(Rows); it != grids.end()) return *it->second;
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 560, 420);
    auto* grid = new TStringGrid(form.get()); // owned by the form
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 540, 400);
    grid->SetColCount(7);
    grid->SetRowCount(Rows + 1);
    for (int c = 1; c < 7; ++c)
        grid->SetCells(c, 0, "Kolom " + std::to_string(c));
    for (int r = 1; r <= Rows; ++r) {
        grid->SetCells(0, r, std::to_string(r));
        grid->SetCells(1, r, "Speler " + std::to_string(r));
        grid->SetCells(2, r, std::to_string(1500 + r % 700));
        grid->SetCells(3, r, (r % 3) ? "1" : "\xBD");
        grid->SetCells(4, r, "2026-12-07");
    }
    grids[Rows] = grid;
    forms[Rows] = std::move(form);
    return *grid;
}

void BM_RepaintScreen(benchmark::State& State) {
    const int rows = static_cast<int>(State.range(0));
    const auto place = static_cast<TPlace>(State.range(1));
    TStringGrid& grid = FilledGrid(rows);
    const int top = place == plTop ? 1 : place == plMiddle ? rows / 2 : rows;
    grid.SetTopRow(top);
    grid.SetRow(grid.TopRow() + 2);
    QImage image(grid.Width(), grid.Height(), QImage::Format_RGB32);
    for (auto _ : State) {
        grid.Widget()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    State.SetItemsProcessed(State.iterations());
    State.SetLabel(std::to_string(rows) + " rows, top row " + std::to_string(grid.TopRow()));
}
BENCHMARK(BM_RepaintScreen)
    ->ArgsProduct({{1000, 100000, 1000000}, {plTop, plMiddle, plEnd}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    grids.clear();
    forms.clear();
    return 0;
}
