// The grid's own cell stream ("TExtStringGrid Cells") on any bytes, read into
// a real grid that already holds texts, colours, a merged range and a check
// box. The first byte picks the grid's options, the second the place of the
// block; the rest is the stream. A damaged block changes nothing; an accepted
// one grows the grid no further than its size, which the stream must carry
// (bounded by the bytes); either way the grid reads and paints afterwards.
#include <cstddef>
#include <cstdint>
#include <string>

#include "grid/gridunit.h"
#include "gridhost.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/clipbrd.h"

namespace {

constexpr size_t MaxStream = 64 * 1024;

enum : uint8_t {
    fNoColGrow = 1,
    fNoRowGrow = 2,
    fThroughClipboard = 4, // the paste command with the grid's own format on
    fNoFixedCells = 8,     // IncludeFixedCells off
    fHideColumn = 16,
    fFilled = 32,
};

void Fill(TExtStringGrid& G) {
    for (int r = 0; r < G.RowCount(); ++r)
        for (int c = 0; c < G.ColCount(); ++c)
            G.SetCells(c, r, "c" + std::to_string(c) + "r" + std::to_string(r));
    G.SetCellBackColor(1, 1, clRed);
    G.MergeCells(2, 2, 2, 2);
    TCellGraphic* check = G.CreateCellGraphic(3, 1);
    check->CellType = ctCheckBox;
    check->CellBoolean = true;
}

// Every text and the colour and graphic of the filled cells, as one string.
std::string Snapshot(TExtStringGrid& G) {
    TGridRect all;
    all.Left = 0;
    all.Top = 0;
    all.Right = G.ColCount() - 1;
    all.Bottom = G.RowCount() - 1;
    const TCellGraphic* check = G.GetCellGraphic(3, 1);
    return G.RectToText(all, false) + std::to_string(G.GetCellBackColor(1, 1)) +
           (check ? std::to_string(check->CellType) : "-") + (G.IsMergedCell(2, 2) ? "m" : "");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 2 || Size > MaxStream) return 0;
    const uint8_t flags = Data[0], place = Data[1];
    TGridHost host;
    TExtStringGrid& g = *host.Grid;
    TNavigation* nav = g.Navigation();
    nav->AllowClipboardColGrow = !(flags & fNoColGrow);
    nav->AllowClipboardRowGrow = !(flags & fNoRowGrow);
    g.IncludeFixedCells = !(flags & fNoFixedCells);
    if (flags & fFilled) Fill(g);
    if (flags & fHideColumn) g.HideColumn(1);
    const int cols0 = g.ColCount(), rows0 = g.RowCount();
    const std::string before = Snapshot(g);
    const TPoint at{place & 7, (place >> 3) & 7};

    int n = 0;
    try {
        if (flags & fThroughClipboard) {
            nav->AllowFmtClipboard = true;
            TClipboard* cb = Clipboard();
            cb->Open();
            cb->Clear();
            cb->SetBuffer(InitGridUnit().CellsClipboardFormat,
                          std::string(reinterpret_cast<const char*>(Data + 2), Size - 2));
            cb->Close();
            n = g.PasteAt(at.X, at.Y);
        } else {
            TMemoryStream s;
            s.WriteBuffer(Data + 2, static_cast<int64_t>(Size - 2));
            s.SetPosition(0);
            n = g.ReadCellStream(at, s);
        }
    } catch (const Exception&) {
        n = -1; // refused by the grid while placing; the grid must still work
    }

    if (n == 0) {
        // Nothing placed: nothing changed.
        if (g.ColCount() != cols0 || g.RowCount() != rows0) __builtin_trap();
        if (Snapshot(g) != before) __builtin_trap();
    }
    // A block's size comes from the stream: one size per column and per row
    // is in it, so the grid grows no further than the bytes reach.
    if (static_cast<size_t>(g.ColCount()) > std::max<size_t>(cols0, at.X + Size) ||
        static_cast<size_t>(g.RowCount()) > std::max<size_t>(rows0, at.Y + Size))
        __builtin_trap();
    CheckGridUsable(g, at);
    return 0;
}
