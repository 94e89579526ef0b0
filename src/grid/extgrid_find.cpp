// Finding cells and looking rows up while typing.

#include <algorithm>

#include "grid/extgrid.h"
#include "grid/support/gridfilter.h"
#include "grid/support/htmlsupport.h"
#include "platform/rtl/sysutils.h"

namespace {

std::u16string WideUpper(std::u16string S) {
    for (char16_t& c : S)
        c = WideUpperChar(c);
    return S;
}

} // namespace

TPoint TExtStringGrid::FindCellFirst(TPoint StartCell, const std::string& Text,
                                     TGridFindFlags Flags) {
    return FindCell(StartCell, Text, Flags, false, u"");
}

TPoint TExtStringGrid::FindCell(TPoint StartCell, const std::string& Text, TGridFindFlags Flags,
                                bool WideMode, const std::u16string& WideText) {
    const bool matchCase = Flags.Contains(gfMatchCase);
    FFindFlags = Flags;
    FFindBusy = true;
    FFindText = matchCase ? Text : AnsiUpperCase(Text);
    FFindWideText = matchCase ? WideText : WideUpper(WideText);
    if (ColCount() == 0 || ColCount() == FixedCols() || RowCount() == 0 ||
        RowCount() == FixedRows()) {
        FFindBusy = false;
        return {-1, -1};
    }

    int c1 = 0, c2 = ColCount() - 1, r1 = 0, r2 = RowCount() - 1;
    if (!Flags.Contains(gfIncludeFixed)) {
        c1 = FixedCols();
        c2 = ColCount() - 1 - FixedRightCols();
        r1 = FixedRows();
        r2 = RowCount() - 1 - FixedFooters();
    }
    if (Flags.Contains(gfIncludeHidden)) c2 += NumHiddenColumns();
    if (c1 > c2 || r1 > r2) {
        FFindBusy = false;
        return {-1, -1};
    }
    const bool backward = Flags.Contains(gfBackward);
    const bool byRows = Flags.Contains(gfByRows);
    // Outer and inner index with their ranges: columns outside rows unless by rows.
    int o1 = byRows ? r1 : c1, o2 = byRows ? r2 : c2;
    int i1 = byRows ? c1 : r1, i2 = byRows ? c2 : r2;

    int c = StartCell.X, r = StartCell.Y;
    const bool fromStart = c == -1 && r == -1;
    int o = byRows ? r : c, i = byRows ? c : r;
    if (fromStart) {
        o = backward ? o2 : o1;
        i = backward ? i2 : i1;
    } else if (!backward) {
        if (++i > i2) {
            i = i1;
            if (++o > o2) o = o1; // past the last cell: from the first again
        }
    } else if (--i < i1) {
        i = i2;
        if (--o < o1) o = o2; // before the first cell: from the last again
    }
    // A start outside the range begins at the range's edge.
    o = std::clamp(o, o1, o2);
    i = std::clamp(i, i1, i2);
    if (Flags.Contains(gfCurrentRow)) {
        (byRows ? o : i) = Row();
        (byRows ? o1 : i1) = Row();
        (byRows ? o2 : i2) = Row();
    }
    if (Flags.Contains(gfCurrentCol)) {
        (byRows ? i : o) = Col();
        (byRows ? i1 : o1) = Col();
        (byRows ? i2 : o2) = Col();
    }

    const int step = backward ? -1 : 1;
    for (; o >= o1 && o <= o2; o += step) {
        for (; i >= i1 && i <= i2; i += step) {
            const int col = byRows ? i : o, row = byRows ? o : i;
            if (!MatchCell(col, row, WideMode)) continue;
            FLastFound = {col, row};
            if (Flags.Contains(gfGotoCell)) {
                SetRow(row);
                SetCol(col);
            }
            return FLastFound;
        }
        i = backward ? i2 : i1;
    }
    FFindBusy = false;
    return {-1, -1};
}

bool TExtStringGrid::MatchCell(int ACol, int ARow, bool WideMode) {
    const TGridFindFlags f = FFindFlags;
    const bool matchCase = f.Contains(gfMatchCase);
    const int real = f.Contains(gfIncludeHidden) ? ACol : RealColIndex(ACol);
    if (WideMode) {
        std::u16string cell = WideCells(real, ARow);
        if (!matchCase) cell = WideUpper(cell);
        if (FFindWideText == u"\"\"") return cell.empty();
        const size_t p = cell.find(FFindWideText);
        const bool found = f.Contains(gfAtStart) ? p == 0 : p != std::u16string::npos;
        return found && (!f.Contains(gfWholeCell) || cell == FFindWideText);
    }
    std::string cell = Cells(real, ARow);
    if (!matchCase) cell = AnsiUpperCase(cell);
    if (f.Contains(gfIgnoreHTML)) cell = StripHTML(cell);
    if (FFindText == "\"\"") return cell.empty();
    if (f.Contains(gfCondition)) return MatchFilter(FFindText, cell, matchCase);
    const size_t p = cell.find(FFindText);
    const bool found = f.Contains(gfAtStart) ? p == 0 : p != std::string::npos;
    return found && (!f.Contains(gfWholeCell) || cell == FFindText);
}

int TExtStringGrid::LookupRow(const std::string& Text) {
    if (RowCount() < 2) return -1;
    // An undone sort leaves no sort column: the lookup then reads column 1.
    const int sorted = SortSettings()->Column;
    const int col = SortSettings()->Show && sorted >= 0 ? sorted : 1;
    if (col >= StoredColCount()) return -1;
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const std::string cell = AnsiUpperCase(StripHTML(Cells(col, r)).substr(0, Text.size()));
        if (cell == Text) return r;
    }
    return -1;
}

bool TExtStringGrid::LookupKey(char Key) {
    if (Options().Contains(goEditing) || !Navigation()->AutoGotoWhenSorted) return false;
    if (!Navigation()->AutoGotoIncremental)
        FLookupText = std::string(1, Key);
    else if (Key == '\b') {
        if (!FLookupText.empty()) FLookupText.pop_back();
    } else
        FLookupText += Key;
    const int row = LookupRow(AnsiUpperCase(FLookupText));
    if (row == -1) return false;
    SetRow(row);
    return true;
}
