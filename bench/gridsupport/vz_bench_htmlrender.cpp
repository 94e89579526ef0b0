// RenderHTML on a typical tagged grid cell: measuring alone, and measuring
// plus painting, on an offscreen bitmap; beside it QTextDocument laying out and
// painting the same text in the same font and width. Reports cells per second.

#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "../vz_bench_qt.h"
#include "../vz_bench_table.h"
#include "grid/support/htmlcanvas.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

const std::string CellText =
    "<B>Jansen</B>, P. <FONT color=\"clred\">(1-0)</FONT> tegen <I>de Vries</I>, "
    "K.<BR><A href=\"speler:12\">details</A> &amp; <U>rating</U> 1834 "
    "<FONT size=\"1\">W-We +0,45</FONT> x<SUP>2</SUP>";

constexpr int CellW = 220;
constexpr int CellH = 60;

void CellFont(TFont& Font) {
    Font.SetName("DejaVu Sans");
    Font.SetSize(9);
}

void CellsPerSecond(benchmark::State& State) {
    State.counters["cells/s"] =
        benchmark::Counter(static_cast<double>(State.iterations()), benchmark::Counter::kIsRate);
}

void Run(benchmark::State& State, bool Paint) {
    TBitmap bitmap(CellW, CellH);
    TCanvas& canvas = *bitmap.Canvas();
    CellFont(*canvas.Font());
    THTMLRenderParams params;
    params.WordWrap = true;
    params.MeasureOnly = !Paint;
    params.PointX = 30;
    params.PointY = 25;
    THTMLRenderResult result;
    for (auto _ : State) {
        benchmark::DoNotOptimize(
            RenderHTML(canvas, CellText, {0, 0, CellW, CellH}, params, result));
        benchmark::DoNotOptimize(result.TextWidth);
    }
    CellsPerSecond(State);
}

// The text parsed, laid out in the cell's width and, when painting, drawn.
void RunQt(benchmark::State& State, bool Paint) {
    QImage image(CellW, CellH, QImage::Format_RGB32);
    TFont font;
    CellFont(font);
    const QFont qfont = ToQFont(font);
    // Qt knows the colour by its plain name.
    const QString html =
        ToQString(CellText).replace(QStringLiteral("clred"), QStringLiteral("red"));
    QPainter painter(&image);
    for (auto _ : State) {
        QTextDocument doc;
        doc.setDefaultFont(qfont);
        doc.setDocumentMargin(0);
        doc.setHtml(html);
        doc.setTextWidth(CellW);
        benchmark::DoNotOptimize(doc.size());
        if (Paint) doc.drawContents(&painter, QRectF(0, 0, CellW, CellH));
    }
    CellsPerSecond(State);
}

void BM_RenderHTMLMeasure(benchmark::State& State) {
    Run(State, false);
}
void BM_RenderHTMLMeasureAndDraw(benchmark::State& State) {
    Run(State, true);
}
void BM_QTextDocumentMeasure(benchmark::State& State) {
    RunQt(State, false);
}
void BM_QTextDocumentMeasureAndDraw(benchmark::State& State) {
    RunQt(State, true);
}

BENCHMARK(BM_RenderHTMLMeasure);
BENCHMARK(BM_QTextDocumentMeasure);
BENCHMARK(BM_RenderHTMLMeasureAndDraw);
BENCHMARK(BM_QTextDocumentMeasureAndDraw);

} // namespace

int main(int argc, char** argv) {
    StartOffscreenQt();
    const int rc = RunWithPeers(argc, argv,
                                {{"RenderHTML measure and draw vs QTextDocument",
                                  "BM_RenderHTMLMeasureAndDraw", "BM_QTextDocumentMeasureAndDraw"},
                                 {"RenderHTML measure only vs QTextDocument",
                                  "BM_RenderHTMLMeasure", "BM_QTextDocumentMeasure"}});
    ShutdownQtApplication();
    return rc;
}
