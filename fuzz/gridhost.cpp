#include "gridhost.h"

#include <algorithm>
#include <cstdlib>

#include "platform/vcl/controlimage.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/qtapp.h"

namespace {

// A grid larger than this is read along its edges and around the block only:
// reading all of it per input would make the run measure reading speed.
constexpr long long MaxCellsRead = 1 << 16;
constexpr int Band = 64;

size_t ReadCell(TExtStringGrid& Grid, int Col, int Row) {
    size_t n = Grid.Cells(Col, Row).size();
    if (const TCellGraphic* g = Grid.GetCellGraphic(Col, Row)) n += g->CellText.size();
    return n;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EnsureQtApplication();
    // Fonts, styles and glyph caches are made on first use and kept; made
    // here, they are neither taken for a leak of the first input nor make
    // every input look like one (which costs a full leak check per input).
    TGridHost warm;
    warm.Grid->SetCells(1, 1, "Speler \xBD");
    CheckGridUsable(*warm.Grid, {0, 0});
    return 0;
}

TGridHost::TGridHost() : Form(std::make_unique<TForm>(nullptr)) {
    Form->SetBounds(0, 0, 320, 240);
    Grid = new TExtStringGrid(Form.get()); // owned by the form
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 300, 200);
    // The style keeps every painted scroll bar in a pixmap cache keyed per
    // widget: each input would grow it, and a growing heap costs a full leak
    // check per input. The grid's own painting is what is under test.
    Grid->SetScrollBars(ssNone);
    Grid->SetColCount(5);
    Grid->SetRowCount(5);
}

TGridHost::~TGridHost() {
    Form.reset();
    Application->ProcessMessages();
}

void CheckGridUsable(TExtStringGrid& Grid, TPoint Origin) {
    const int cols = Grid.GetAllColCount(), rows = Grid.RowCount();
    volatile size_t seen = 0;
    if (static_cast<long long>(cols) * rows <= MaxCellsRead) {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                seen = seen + ReadCell(Grid, c, r);
    } else {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < std::min(cols, 2); ++c)
                seen = seen + ReadCell(Grid, c, r);
        for (int c = 0; c < cols; ++c)
            for (int r = 0; r < std::min(rows, 2); ++r)
                seen = seen + ReadCell(Grid, c, r);
        for (int r = std::max(0, Origin.Y); r < std::min(rows, Origin.Y + Band); ++r)
            for (int c = std::max(0, Origin.X); c < std::min(cols, Origin.X + Band); ++c)
                seen = seen + ReadCell(Grid, c, r);
    }
    TBitmap bitmap(1, 1);
    PaintControlTo(Grid, bitmap);
}
