// A screen of 30 rich-text cells (3 columns of 10 rows, bold, coloured and
// plain runs) painted by the grid, beside the same 30 texts as Qt text
// documents drawn into cells of the same size, offscreen, in the same run.

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../vz_bench_qt.h"
#include "grid/extgrid.h"
#include "platform/vcl/forms.h"
#include "vz_bench_screen.h"
#include "vz_bench_table.h"

namespace {

constexpr int Cols = 3, Rows = 10, ColWidth = 180, RowHeight = 40;
constexpr int Width = Cols * (ColWidth + 1) + 4, Height = Rows * (RowHeight + 1) + 4;

std::string Rich(int N) {
    return "{\\rtf1\\ansi{\\colortbl ;\\red200\\green0\\blue0;}{\\b Speler " + std::to_string(N) +
           "} {\\cf1 " + std::to_string(N % 7) + "\\'bd} punten\\par {\\i ronde " +
           std::to_string(N % 9 + 1) + "}\\par}";
}

QString Html(int N) {
    return QString::fromStdString("<b>Speler " + std::to_string(N) +
                                  "</b> <span style=\"color:#c80000\">" + std::to_string(N % 7) +
                                  "\xC2\xBD</span> punten<br><i>ronde " +
                                  std::to_string(N % 9 + 1) + "</i>");
}

std::unique_ptr<TForm> form;
TExtStringGrid* grid = nullptr;

TExtStringGrid& Grid() {
    if (grid) return *grid;
    grid = MakeScreenGrid(form, Width, Height);
    grid->SetFixedCols(0);
    grid->SetFixedRows(0);
    grid->SetColCount(Cols);
    grid->SetRowCount(Rows);
    grid->SetDefaultRowHeight(RowHeight);
    grid->SetDefaultColWidth(ColWidth);
    grid->SetLook(glStandard);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            grid->SetCells(c, r, Rich(r * Cols + c));
    return *grid;
}

void BM_GridRichScreen(benchmark::State& State) {
    TExtStringGrid& g = Grid();
    QImage image(g.Width(), g.Height(), QImage::Format_RGB32);
    for (auto _ : State) {
        g.Widget()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_GridRichScreen)->Unit(benchmark::kMicrosecond);

// The same screen with the cells' plain texts: what the grid costs around the text.
void BM_GridPlainScreen(benchmark::State& State) {
    TExtStringGrid& g = Grid();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            g.SetCells(c, r, "Speler " + std::to_string(r * Cols + c) + " 1 punten");
    QImage image(g.Width(), g.Height(), QImage::Format_RGB32);
    for (auto _ : State) {
        g.Widget()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            g.SetCells(c, r, Rich(r * Cols + c));
}
BENCHMARK(BM_GridPlainScreen)->Unit(benchmark::kMicrosecond);

void BM_QtRichScreen(benchmark::State& State) {
    std::vector<std::unique_ptr<QTextDocument>> docs;
    for (int i = 0; i < Cols * Rows; ++i) {
        auto doc = std::make_unique<QTextDocument>();
        doc->setDocumentMargin(2);
        doc->setHtml(Html(i));
        doc->setTextWidth(ColWidth);
        docs.push_back(std::move(doc));
    }
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : State) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) {
                const QRect cell(c * (ColWidth + 1), r * (RowHeight + 1), ColWidth, RowHeight);
                p.save();
                p.setClipRect(cell);
                p.translate(cell.topLeft());
                docs[static_cast<size_t>(r * Cols + c)]->drawContents(&p);
                p.restore();
            }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QtRichScreen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    StartOffscreenQt();
    const int rc = RunWithPeers(
        argc, argv,
        {{"30 rich-text cells vs QTextDocument", "BM_GridRichScreen", "BM_QtRichScreen"}});
    form.reset();
    return rc;
}
