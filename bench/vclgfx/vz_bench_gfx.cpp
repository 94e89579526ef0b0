// How fast a grid's worth of cells paints: background, lines and one line of
// text per cell, as the grids draw them on every paint.

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include "platform/vcl/gfx/graphics.h"

namespace {

void PaintCells(TCanvas& C, int Cols, int Rows, unsigned Flags) {
    const int W = 64;
    const int H = 18;
    for (int Row = 0; Row < Rows; ++Row)
        for (int Col = 0; Col < Cols; ++Col) {
            TRect R = Bounds(Col * W, Row * H, W, H);
            C.Brush()->SetColor((Row & 1) ? clWindow : clInfoBk);
            C.FillRect(R);
            C.Pen()->SetColor(clSilver);
            C.MoveTo(R.Right - 1, R.Top);
            C.LineTo(R.Right - 1, R.Bottom - 1);
            C.LineTo(R.Left - 1, R.Bottom - 1);
            InflateRect(R, -2, 0);
            DrawText(C, "Speler nummer " + std::to_string(Row * Cols + Col), R, Flags);
        }
}

void BM_PaintGrid(benchmark::State& State) {
    const int Cols = 15;
    const int Rows = 40;
    TBitmap B(Cols * 64, Rows * 18);
    TCanvas& C = *B.Canvas();
    C.Font()->SetName("Tahoma");
    for (auto _ : State)
        PaintCells(C, Cols, Rows, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    State.SetItemsProcessed(State.iterations() * Cols * Rows);
}
BENCHMARK(BM_PaintGrid)->Unit(benchmark::kMillisecond);

void BM_MeasureText(benchmark::State& State) {
    TCanvas C;
    for (auto _ : State)
        benchmark::DoNotOptimize(C.TextWidth("Speler nummer 12345"));
}
BENCHMARK(BM_MeasureText);

void BM_WrapText(benchmark::State& State) {
    TCanvas C;
    const std::string Text = "Een lange opmerking bij de partij die over meerdere regels loopt "
                             "en daarom in de cel wordt afgebroken op de spaties.";
    for (auto _ : State) {
        TRect R = Rect(0, 0, 120, 0);
        benchmark::DoNotOptimize(DrawText(C, Text, R, DT_WORDBREAK | DT_CALCRECT));
    }
}
BENCHMARK(BM_WrapText);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication App(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
