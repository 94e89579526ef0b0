// The grid's paste of clipboard text on any text, into a real grid. The first
// byte picks the grid's paste options, the second the paste place and the
// selection; the rest is the text. A paste ends, grows the grid only as far
// as the text reaches (a column per TAB, a row per line break), writes no cell
// outside the block and leaves a grid that reads and paints.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/delimitedtext.h"
#include "grid/support/gridtext.h"
#include "grid/support/widecell.h"
#include "gridhost.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/clipbrd.h"

namespace {

constexpr size_t MaxText = 64 * 1024;

enum : uint8_t {
    fEditing = 1,
    fAlways = 2,
    fNoColGrow = 4,
    fNoRowGrow = 8,
    fSmart = 16,
    fThroughClipboard = 32, // the whole paste command, selection and series included
    fHideColumn = 64,
    fNoFixed = 128,
};

// Field i of record j landed in (At.X + i, At.Y + j), as the cell text that
// holds it, where the grid has that cell: for a paste open to every cell
// with no column hidden.
void CheckPlaced(TExtStringGrid& G, TPoint At, const std::string& Text) {
    TDelimitedReader reader(Text.data(), Text.size(), '\t');
    std::vector<std::string> fields;
    std::vector<bool> quoted;
    for (int r = At.Y; reader.Next(fields, quoted) && r < G.RowCount(); ++r)
        for (size_t i = 0; i < fields.size() && At.X + static_cast<int>(i) < G.ColCount(); ++i) {
            const std::string& f = fields[i];
            const std::string text = f.find('\n') == std::string::npos ? f : ExpandLineFeeds(f);
            if (G.Cells(At.X + static_cast<int>(i), r) != WideToCellText(Cp1252ToUtf16(text)))
                __builtin_trap();
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 2 || Size > MaxText) return 0;
    const uint8_t flags = Data[0], place = Data[1];
    const std::string text(reinterpret_cast<const char*>(Data + 2), Size - 2);

    TGridHost host;
    TExtStringGrid& g = *host.Grid;
    if (flags & fEditing) g.SetOptions(g.Options() + goEditing);
    TNavigation* nav = g.Navigation();
    nav->AllowClipboardAlways = flags & fAlways;
    nav->AllowClipboardColGrow = !(flags & fNoColGrow);
    nav->AllowClipboardRowGrow = !(flags & fNoRowGrow);
    nav->AllowSmartClipboard = flags & fSmart;
    if (flags & fNoFixed) {
        g.SetFixedCols(0);
        g.SetFixedRows(0);
    }
    if (flags & fHideColumn) g.HideColumn(2);
    const int cols0 = g.ColCount(), rows0 = g.RowCount();
    const TPoint at{place & 3, (place >> 2) & 3};

    if (flags & fThroughClipboard) {
        TGridRect sel;
        sel.Left = at.X;
        sel.Top = at.Y;
        sel.Right = std::min(cols0 - 1, at.X + ((place >> 4) & 3));
        sel.Bottom = std::min(rows0 - 1, at.Y + ((place >> 6) & 3));
        g.SetSelection(sel);
        Clipboard()->SetAsText(text);
        g.PasteFromClipboard();
    } else {
        const int written = g.PasteText(at.X, at.Y, Cp1252ToUtf16(text));
        if (written < 0 || static_cast<size_t>(written) > text.size() + 1) __builtin_trap();
    }

    // The text reaches at most one column per TAB and one row per line break.
    size_t tabs = 0, breaks = 0;
    for (const char c : text) {
        tabs += c == '\t';
        breaks += c == '\r' || c == '\n';
    }
    if (static_cast<size_t>(g.ColCount()) > std::max<size_t>(cols0, at.X + tabs + 1) ||
        static_cast<size_t>(g.RowCount()) > std::max<size_t>(rows0, at.Y + breaks + 1))
        __builtin_trap();
    // Cells above and left of the paste place keep their (empty) text.
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < (r < at.Y ? g.GetAllColCount() : at.X); ++c)
            if (!g.Cells(c, r).empty()) __builtin_trap();
    if ((flags & fAlways) && !(flags & (fHideColumn | fThroughClipboard))) CheckPlaced(g, at, text);
    CheckGridUsable(g, at);
    return 0;
}
