// One full repaint of a screen (about 40 rows of 12 columns) of a grid of
// 100,000 rows, with plain, tagged and graphic cells, with the view at the
// top, in the middle and at the end; beside it the same screen of the same
// texts drawn by a QTableView over a QStandardItemModel, offscreen, in the
// same run. A paint visits only the rows in view: the place must not matter.

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "../vz_bench_qt.h"
#include "grid/extgrid.h"
#include "platform/vcl/forms.h"
#include "vz_bench_screen.h"
#include "vz_bench_table.h"

namespace {

constexpr int Rows = 100000, Cols = 12, RowHeight = 20, Width = 900, Height = 41 * RowHeight + 4;
enum TPlace { plTop, plMiddle, plEnd };

std::string Text(int Row, int Col) {
    switch (Col) {
    case 0:
        return std::to_string(Row);
    case 1:
        return Row % 5 == 0 ? "<b>Speler</b> " + std::to_string(Row)
                            : "Speler " + std::to_string(Row);
    case 2:
        return std::to_string(1500 + Row % 700);
    case 3:
        return Row % 3 ? "1" : "\xBD";
    case 4:
        return "2026-12-07";
    default:
        return std::to_string((Row * 7 + Col * 13) % 1000) + ".5";
    }
}

int TopOf(TPlace Place) {
    return Place == plTop ? 1 : Place == plMiddle ? Rows / 2 : Rows - 40;
}

std::unique_ptr<TForm> form;
TExtStringGrid* grid = nullptr;
std::unique_ptr<QStandardItemModel> model;
std::unique_ptr<QTableView> view;

TExtStringGrid& Grid() {
    if (grid) return *grid;
    grid = MakeScreenGrid(form, Width, Height);
    grid->SetColCount(Cols);
    grid->SetRowCount(Rows + 1);
    grid->SetDefaultRowHeight(RowHeight);
    grid->SetDefaultColWidth(Width / Cols - 2);
    grid->SetLook(glXP);
    grid->Bands()->SetActive(true);
    grid->SetSelectionColor(15387318);
    for (int c = 0; c < Cols; ++c)
        grid->SetCells(c, 0, "Kolom " + std::to_string(c));
    for (int r = 1; r <= Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            grid->SetCells(c, r, Text(r, c));
    // Graphic cells on each of the three screens.
    for (TPlace p : {plTop, plMiddle, plEnd})
        for (int r = TopOf(p); r < TopOf(p) + 40 && r <= Rows; r += 2) {
            grid->AddCheckBox(9, r, r % 4 == 1, false);
            grid->AddProgress(10, r, r % 100);
            if (r % 6 == 1) grid->AddComment(11, r, "opmerking");
        }
    grid->CommentColor = clRed;
    return *grid;
}

QTableView& View() {
    if (view) return *view;
    model = std::make_unique<QStandardItemModel>(Rows, Cols);
    for (int c = 0; c < Cols; ++c)
        model->setHorizontalHeaderItem(
            c, new QStandardItem(QString::fromStdString("Kolom " + std::to_string(c))));
    for (int r = 1; r <= Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            model->setItem(r - 1, c, new QStandardItem(QString::fromLatin1(Text(r, c).c_str())));
    view = std::make_unique<QTableView>();
    view->setModel(model.get());
    view->resize(Width, Height);
    view->verticalHeader()->setDefaultSectionSize(RowHeight);
    view->horizontalHeader()->setDefaultSectionSize(Width / Cols - 2);
    view->setAlternatingRowColors(true);
    return *view;
}

void BM_GridScreen(benchmark::State& State) {
    TExtStringGrid& g = Grid();
    g.SetTopRow(TopOf(static_cast<TPlace>(State.range(0))));
    g.SetRow(g.TopRow() + 2);
    QImage image(g.Width(), g.Height(), QImage::Format_RGB32);
    for (auto _ : State) {
        g.Widget()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    State.SetLabel("top row " + std::to_string(g.TopRow()));
}
BENCHMARK(BM_GridScreen)->Arg(plTop)->Arg(plMiddle)->Arg(plEnd)->Unit(benchmark::kMicrosecond);

void BM_QtScreen(benchmark::State& State) {
    QTableView& v = View();
    v.scrollTo(model->index(TopOf(static_cast<TPlace>(State.range(0))) - 1, 0),
               QAbstractItemView::PositionAtTop);
    v.setCurrentIndex(model->index(TopOf(static_cast<TPlace>(State.range(0))) + 1, 0));
    QImage image(v.width(), v.height(), QImage::Format_RGB32);
    for (auto _ : State) {
        v.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QtScreen)->Arg(plTop)->Arg(plMiddle)->Arg(plEnd)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    StartOffscreenQt();
    const int rc =
        RunWithPeers(argc, argv,
                     {{"screen at the top vs QTableView", "BM_GridScreen/0", "BM_QtScreen/0"},
                      {"screen in the middle vs QTableView", "BM_GridScreen/1", "BM_QtScreen/1"},
                      {"screen at the end vs QTableView", "BM_GridScreen/2", "BM_QtScreen/2"}});
    view.reset();
    model.reset();
    form.reset();
    ShutdownQtApplication();
    return rc;
}
