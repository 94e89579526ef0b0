// RenderHTML on a typical tagged grid cell: measuring alone, and measuring
// plus painting, on an offscreen bitmap. Reports cells per second.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "grid/support/htmlcanvas.h"
#include "platform/vcl/qtapp.h"

namespace {

const std::string CellText =
    "<B>Jansen</B>, P. <FONT color=\"clred\">(1-0)</FONT> tegen <I>de Vries</I>, "
    "K.<BR><A href=\"speler:12\">details</A> &amp; <U>rating</U> 1834 "
    "<FONT size=\"1\">W-We +0,45</FONT> x<SUP>2</SUP>";

void Run(benchmark::State& State, bool Paint) {
    TBitmap bitmap(220, 60);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Font()->SetName("DejaVu Sans");
    canvas.Font()->SetSize(9);
    THTMLRenderParams params;
    params.WordWrap = true;
    params.MeasureOnly = !Paint;
    params.PointX = 30;
    params.PointY = 25;
    THTMLRenderResult result;
    for (auto _ : State) {
        benchmark::DoNotOptimize(RenderHTML(canvas, CellText, {0, 0, 220, 60}, params, result));
        benchmark::DoNotOptimize(result.TextWidth);
    }
    State.counters["cells/s"] =
        benchmark::Counter(static_cast<double>(State.iterations()), benchmark::Counter::kIsRate);
}

void BM_RenderHTMLMeasure(benchmark::State& State) {
    Run(State, false);
}
void BM_RenderHTMLMeasureAndDraw(benchmark::State& State) {
    Run(State, true);
}

BENCHMARK(BM_RenderHTMLMeasure);
BENCHMARK(BM_RenderHTMLMeasureAndDraw);

} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; without a display the offscreen one serves.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureQtApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ShutdownQtApplication();
    return 0;
}
