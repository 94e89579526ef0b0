// How fast a grid's worth of cells paints (background, lines and one line of
// text ended with "..." per cell) and how fast text is measured and wrapped,
// each beside Qt doing the same work with the same font.

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "../vz_bench_table.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/gfx/qtconvert.h"

namespace {

constexpr int Cols = 15;
constexpr int Rows = 40;
constexpr int CellW = 64;
constexpr int CellH = 18;

// 140 characters, wrapped into 120 pixels.
const std::string WrapSource =
    "Een lange opmerking bij de partij die over meerdere regels loopt "
    "en daarom in de cel wordt afgebroken op de spaties tussen de woorden ervan.";

std::string CellText(int Row, int Col) {
    return "Speler nummer " + std::to_string(Row * Cols + Col);
}

TFont& CellFont(TCanvas& C) {
    C.Font()->SetName("Tahoma");
    return *C.Font();
}

void PaintCells(TCanvas& C, unsigned Flags) {
    for (int Row = 0; Row < Rows; ++Row)
        for (int Col = 0; Col < Cols; ++Col) {
            TRect R = Bounds(Col * CellW, Row * CellH, CellW, CellH);
            C.Brush()->SetColor((Row & 1) ? clWindow : clInfoBk);
            C.FillRect(R);
            C.Pen()->SetColor(clSilver);
            C.MoveTo(R.Right - 1, R.Top);
            C.LineTo(R.Right - 1, R.Bottom - 1);
            C.LineTo(R.Left - 1, R.Bottom - 1);
            InflateRect(R, -2, 0);
            DrawText(C, CellText(Row, Col), R, Flags);
        }
}

void BM_PaintGrid(benchmark::State& State) {
    TBitmap B(Cols * CellW, Rows * CellH);
    TCanvas& C = *B.Canvas();
    CellFont(C);
    for (auto _ : State)
        PaintCells(C, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    State.SetItemsProcessed(State.iterations() * Cols * Rows);
}
BENCHMARK(BM_PaintGrid)->Unit(benchmark::kMillisecond);

// The same cells straight on a QPainter: fill, two lines, the text elided by Qt.
void BM_PaintGridQPainter(benchmark::State& State) {
    QImage Image(Cols * CellW, Rows * CellH, QImage::Format_RGB32);
    TCanvas Probe;
    const QFont F = ToQFont(CellFont(Probe));
    const QFontMetrics M(F);
    QPainter P(&Image);
    P.setFont(F);
    const QColor Window = ToQColor(clWindow), Info = ToQColor(clInfoBk);
    const QColor Line = ToQColor(clSilver), Text = ToQColor(clWindowText);
    for (auto _ : State)
        for (int Row = 0; Row < Rows; ++Row)
            for (int Col = 0; Col < Cols; ++Col) {
                const QRect R(Col * CellW, Row * CellH, CellW, CellH);
                P.fillRect(R, (Row & 1) ? Window : Info);
                P.setPen(Line);
                P.drawLine(R.right(), R.top(), R.right(), R.bottom() - 1);
                P.drawLine(R.right(), R.bottom(), R.left(), R.bottom());
                const QRect T = R.adjusted(2, 0, -2, 0);
                P.setPen(Text);
                const QString S = M.elidedText(ToQString(CellText(Row, Col)), Qt::ElideRight,
                                               T.width(), Qt::TextSingleLine);
                P.drawText(T, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, S);
            }
    State.SetItemsProcessed(State.iterations() * Cols * Rows);
}
BENCHMARK(BM_PaintGridQPainter)->Unit(benchmark::kMillisecond);

void BM_MeasureText(benchmark::State& State) {
    TCanvas C;
    for (auto _ : State)
        benchmark::DoNotOptimize(C.TextWidth("Speler nummer 12345"));
}
BENCHMARK(BM_MeasureText);

void BM_MeasureTextQt(benchmark::State& State) {
    TCanvas Probe;
    const QFontMetrics M(ToQFont(*Probe.Font()));
    for (auto _ : State)
        benchmark::DoNotOptimize(M.horizontalAdvance(ToQString("Speler nummer 12345")));
}
BENCHMARK(BM_MeasureTextQt);

void BM_WrapText(benchmark::State& State) {
    TCanvas C;
    for (auto _ : State) {
        TRect R = Rect(0, 0, 120, 0);
        benchmark::DoNotOptimize(DrawText(C, WrapSource, R, DT_WORDBREAK | DT_CALCRECT));
    }
}
BENCHMARK(BM_WrapText);

void BM_WrapTextQt(benchmark::State& State) {
    TCanvas Probe;
    const QFontMetrics M(ToQFont(*Probe.Font()));
    for (auto _ : State)
        benchmark::DoNotOptimize(
            M.boundingRect(QRect(0, 0, 120, 0), Qt::TextWordWrap, ToQString(WrapSource)));
}
BENCHMARK(BM_WrapTextQt);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication App(argc, argv);
    return RunWithPeers(
        argc, argv,
        {{"600 cells painted vs QPainter", "BM_PaintGrid", "BM_PaintGridQPainter"},
         {"DrawText wraps 140 chars into 120 px vs boundingRect", "BM_WrapText", "BM_WrapTextQt"},
         {"TextWidth vs horizontalAdvance", "BM_MeasureText", "BM_MeasureTextQt"}});
}
