// Sorting of the advanced string grid.
//
// A sort never swaps rows one by one: the comparison keys of the columns it
// needs are read once per row (texts, numbers, dates, check states), the row
// numbers are ordered by them with a merge sort, and the store is put in the
// new order in one pass through ReorderRows, so texts, cell records (colours,
// graphics, objects) and heights go with their rows. The merge sort is
// stable: rows that compare equal keep their order, whatever the direction.

#include <algorithm>
#include <charconv>
#include <map>
#include <numeric>
#include <optional>

#include "grid/extgrid.h"
#include "grid/support/gridvalues.h"
#include "grid/support/htmlsupport.h"
#include "platform/rtl/dateutils.h"
#include "platform/rtl/sysutils.h"

namespace {

int Sign(int V) {
    return V < 0 ? -1 : (V > 0 ? 1 : 0);
}

template <typename T> int Cmp(const T& A, const T& B) {
    return A < B ? -1 : (B < A ? 1 : 0);
}

bool IsCheckType(TCellType T) {
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox;
}

// A text whose first date separator stands at position 2 or 3, is not the
// last character and has a digit on both sides.
bool LooksLikeDate(const std::string& T) {
    const size_t p = T.find(FormatSettings().DateSeparator);
    if (p == std::string::npos || (p != 1 && p != 2) || p + 1 >= T.size()) return false;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return digit(T[p - 1]) && digit(T[p + 1]);
}

bool RemoveFirst(std::string& Text, const std::string& Part) {
    if (Part.empty()) return false;
    const size_t p = Text.find(Part);
    if (p == std::string::npos) return false;
    Text.erase(p, Part.size());
    return true;
}

// A plain decimal number ("-12.5", "3e4") read straight; false for anything
// else, which the platform's conversion then decides.
bool PlainNumber(const std::string& T, double& V) {
    if (T.empty() || FormatSettings().DecimalSeparator != '.') return false;
    for (const char c : T)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E')) return false;
    const auto [end, ec] = std::from_chars(T.data(), T.data() + T.size(), V);
    return ec == std::errc() && end == T.data() + T.size();
}

// Number of a numeric cell; an empty cell that does not convert counts as 0.
std::optional<double> NumericKey(const std::string& Text, const std::string& Prefix,
                                 const std::string& Suffix, bool Financial) {
    double v = 0;
    if (Prefix.empty() && Suffix.empty() && !Financial && PlainNumber(Text, v)) return v;
    std::string T = Text;
    RemoveFirst(T, Prefix);
    RemoveFirst(T, Suffix);
    if (Financial) {
        const char ts = FormatSettings().ThousandSeparator;
        T.erase(std::remove(T.begin(), T.end(), ts), T.end());
    }
    if (TryStrToFloat(T, v)) return v;
    if (T.empty()) return 0.0;
    return std::nullopt;
}

// "d-m-yyyy" (or with '/' or '.', month first when MonthFirst) read straight,
// as the general date reading reads it; false for any other text.
bool PlainDate(const std::string& T, bool MonthFirst, double& V) {
    int parts[3] = {0, 0, 0}, digits[3] = {0, 0, 0}, k = 0;
    char sep = 0;
    for (const char c : T) {
        if (c >= '0' && c <= '9') {
            parts[k] = parts[k] * 10 + (c - '0');
            if (++digits[k] > (k == 2 ? 4 : 2)) return false;
        } else if ((c == '-' || c == '/' || c == '.') && (sep == 0 || c == sep) && k < 2) {
            sep = c;
            ++k;
        } else
            return false;
    }
    if (k != 2 || digits[0] == 0 || digits[1] == 0 || digits[2] == 0) return false;
    int year = parts[2];
    if (year < 100) year += year > 25 ? 1900 : 2000;
    TDateTime d = NoDateKey;
    V = TryEncodeDate(year, MonthFirst ? parts[0] : parts[1], MonthFirst ? parts[1] : parts[0], d)
            ? d
            : NoDateKey;
    return true;
}

double DateKey(const std::string& T, TSortStyle Style) {
    double v = 0;
    if ((Style == ssShortDateEU || Style == ssShortDateUS) &&
        PlainDate(T, Style == ssShortDateUS, v))
        return v;
    if (Style == ssShortDateEU) return ParseDateEU(T);
    if (Style == ssShortDateUS) return ParseDateUS(T);
    if (T.empty()) return 0;
    TDateTime d = 0;
    if (TryStrToDate(T, d)) return d;
    return 0;
}

// A bulk update for the lifetime of the object, ended on every way out.
struct TBulkUpdate {
    explicit TBulkUpdate(TExtStringGrid& AGrid) : Grid(AGrid) { Grid.BeginGridUpdate(); }
    ~TBulkUpdate() { Grid.EndGridUpdate(); }
    TExtStringGrid& Grid;
};

} // namespace

// The keys of the columns a sort compares, read once per row and column on
// first use.
struct TExtStringGrid::TSortKeys {
    struct TColumnKeys {
        TSortStyle Style = ssAlphabetic;
        std::string Prefix, Suffix;
        std::vector<std::string> Text;    // as compared (upper-cased, tags stripped)
        std::vector<std::string> Raw;     // as stored, for the custom comparison
        std::vector<TSortStyle> RowStyle; // automatic style resolved per row
        std::vector<std::optional<double>> Num;
        std::vector<double> Date;
        std::vector<signed char> Checked;
        std::vector<intptr_t> Image;
        std::vector<std::u16string> Wide;
    };

    TSortKeys(TExtStringGrid& AGrid, int AFirst, int ALast)
        : Grid(AGrid), First(AFirst), Last(ALast) {}

    TColumnKeys& Column(int ACol) {
        auto it = Columns.find(ACol);
        if (it != Columns.end()) return it->second;
        TColumnKeys& k = Columns[ACol];
        Build(ACol, k);
        return k;
    }

    // The ascending comparison of one column, blanks not yet placed.
    int Compare(int ACol, int R1, int R2);
    // One column with direction and blank placement applied.
    int CompareDirected(int ACol, int R1, int R2, int Dir);

    TExtStringGrid& Grid;
    int First, Last;
    std::map<int, TColumnKeys> Columns;

private:
    void Build(int ACol, TColumnKeys& K);
};

void TExtStringGrid::TSortKeys::Build(int ACol, TColumnKeys& K) {
    const size_t n = static_cast<size_t>(Last - First + 1);
    K.Style = Grid.SortSettings()->AutoFormat ? ssAutomatic : ssAlphabetic;
    Grid.GetCellFormat(ACol, First, K.Style, K.Prefix, K.Suffix);
    K.Raw.resize(n);
    // Without records no cell is merged: the store's text is the cell's.
    const bool plain = Grid.CellPropertiesCount() == 0;
    for (size_t i = 0; i < n; ++i) {
        const int r = First + static_cast<int>(i);
        K.Raw[i] = plain ? Grid.GetRawCell(ACol, r) : Grid.Cells(ACol, r);
    }
    const bool automatic = K.Style == ssAutomatic;
    K.RowStyle.assign(n, K.Style);
    if (automatic)
        for (size_t i = 0; i < n; ++i) {
            const int r = First + static_cast<int>(i);
            const std::string& t = K.Raw[i];
            TSortStyle s = ssAlphabetic;
            if (IsCheckType(Grid.GetCellType(ACol, r)))
                s = ssCheckBox;
            else if (GetNumberKind(t) != nkOther)
                s = ssNumeric;
            else if (LooksLikeDate(t))
                s = ssDate;
            K.RowStyle[i] = s;
        }
    auto uses = [&](std::initializer_list<TSortStyle> L) {
        for (TSortStyle s : L)
            if (automatic ? std::find(K.RowStyle.begin(), K.RowStyle.end(), s) != K.RowStyle.end()
                          : K.Style == s)
                return true;
        return false;
    };
    if (uses({ssAlphaNoCase})) {
        K.Text.resize(n);
        for (size_t i = 0; i < n; ++i)
            K.Text[i] = AnsiUpperCase(K.Raw[i]);
    } else if (uses({ssHTML})) {
        K.Text.resize(n);
        for (size_t i = 0; i < n; ++i)
            K.Text[i] = StripHTML(K.Raw[i]);
    }
    if (uses({ssNumeric, ssFinancial})) {
        K.Num.resize(n);
        for (size_t i = 0; i < n; ++i)
            K.Num[i] = NumericKey(K.Raw[i], K.Prefix, K.Suffix, K.Style == ssFinancial);
    }
    if (uses({ssDate, ssShortDateEU, ssShortDateUS})) {
        K.Date.resize(n);
        for (size_t i = 0; i < n; ++i)
            K.Date[i] = DateKey(K.Raw[i], automatic ? ssDate : K.Style);
    }
    if (uses({ssCheckBox})) {
        K.Checked.resize(n);
        for (size_t i = 0; i < n; ++i) {
            const int r = First + static_cast<int>(i);
            const TCellGraphic* g = Grid.GetCellGraphic(ACol, r);
            // A check box of its own keeps its state; a data check box shows its text.
            K.Checked[i] =
                g && g->CellType == ctCheckBox
                    ? g->CellBoolean
                    : g && IsCheckType(g->CellType) && K.Raw[i] == Grid.GetCheckTrue(ACol, r);
        }
    }
    if (uses({ssImages})) {
        K.Image.resize(n);
        for (size_t i = 0; i < n; ++i)
            K.Image[i] = Grid.GetGraphicObjectValue(ACol, First + static_cast<int>(i));
    }
    if (uses({ssUnicode})) {
        K.Wide.resize(n);
        for (size_t i = 0; i < n; ++i)
            K.Wide[i] = Grid.WideCells(ACol, First + static_cast<int>(i));
    }
}

int TExtStringGrid::TSortKeys::Compare(int ACol, int R1, int R2) {
    TColumnKeys& k = Column(ACol);
    const size_t a = static_cast<size_t>(R1 - First), b = static_cast<size_t>(R2 - First);
    ++Grid.FSortCompares;
    switch (k.RowStyle[a]) {
    case ssAlphaNoCase:
    case ssHTML:
        return Sign(k.Text[a].compare(k.Text[b]));
    case ssAnsiAlphaCase: {
        const int r = AnsiCompareText(k.Raw[a], k.Raw[b]);
        return r != 0 ? Sign(r) : Sign(CompareStr(k.Raw[a], k.Raw[b]));
    }
    case ssAnsiAlphaNoCase:
        return Sign(AnsiCompareText(k.Raw[a], k.Raw[b]));
    case ssNumeric:
    case ssFinancial: {
        const auto& x = k.Num[a];
        const auto& y = k.Num[b];
        if (!x && !y) return 0;
        return Cmp(x.value_or(0), y.value_or(0));
    }
    case ssDate:
    case ssShortDateEU:
    case ssShortDateUS:
        return Cmp(k.Date[a], k.Date[b]);
    case ssCheckBox:
        return k.Checked[a] == k.Checked[b] ? 0 : (k.Checked[a] ? 1 : -1);
    case ssImages:
        return Cmp(k.Image[a], k.Image[b]);
    case ssUnicode:
        return Sign(CompareWideText(k.Wide[a], k.Wide[b]));
    case ssCustom: {
        int res = 0;
        if (Grid.OnCustomCompare) Grid.OnCustomCompare(&Grid, k.Raw[a], k.Raw[b], res);
        return Sign(res);
    }
    case ssRaw: {
        int res = 0;
        if (Grid.OnRawCompare) Grid.OnRawCompare(&Grid, ACol, R1, R2, res);
        return Sign(res);
    }
    default:
        return Sign(k.Raw[a].compare(k.Raw[b]));
    }
}

int TExtStringGrid::TSortKeys::CompareDirected(int ACol, int R1, int R2, int Dir) {
    const TSortSettings* s = Grid.SortSettings();
    if (s->IgnoreBlanks) {
        TColumnKeys& k = Column(ACol);
        const bool e1 = k.Raw[static_cast<size_t>(R1 - First)].empty();
        const bool e2 = k.Raw[static_cast<size_t>(R2 - First)].empty();
        // Blanks go to their end whatever the direction.
        if (e1 != e2) return (e1 == (s->BlankPos == blFirst)) ? -1 : 1;
    }
    return Dir * Compare(ACol, R1, R2);
}

int TExtStringGrid::CompareRows(int ACol, int ARow1, int ARow2) {
    const int first = std::min(ARow1, ARow2);
    TSortKeys keys(*this, first, std::max(ARow1, ARow2));
    const int dir = SortSettings()->Direction == sdDescending ? -1 : 1;
    // The result is the ascending answer: a descending blank placement shows
    // with its sign reversed, as the sort reverses it again.
    return dir * keys.CompareDirected(ACol, ARow1, ARow2, dir);
}

// --- the driver ------------------------------------------------------------------------

void TExtStringGrid::SortRowRange(int First, int Last, bool Indexed) {
    // The value being edited is sorted with the others.
    EndDedicatedEdit();
    const int rows = RowCount();
    if (static_cast<int>(FRowOrder.size()) != rows) {
        FRowOrder.resize(static_cast<size_t>(rows));
        std::iota(FRowOrder.begin(), FRowOrder.end(), 0);
    }
    if (First >= Last) return;
    TSortKeys keys(*this, First, Last);
    const TSortSettings* s = SortSettings();
    const TSortIndexList* idx = SortIndexes();
    // The comparison chain: (column, direction) per level; without Full only
    // the first level counts.
    std::vector<std::pair<int, int>> chain;
    if (Indexed) {
        for (int k = 0; k < idx->Count(); ++k)
            chain.emplace_back(idx->SortColumn(k), idx->SortAscending(k) ? 1 : -1);
    } else {
        const int dir = s->Direction == sdDescending ? -1 : 1;
        for (int c = s->Column; c < StoredColCount(); ++c)
            chain.emplace_back(c, dir);
        if (chain.empty()) chain.emplace_back(s->Column, dir);
    }
    if (!s->Full) chain.resize(1);
    auto compareFrom = [&](size_t Level, int R1, int R2) {
        for (size_t k = Level; k < chain.size(); ++k) {
            const int res = keys.CompareDirected(chain[k].first, R1, R2, chain[k].second);
            if (res != 0) return res;
        }
        return 0;
    };

    std::vector<int> range(static_cast<size_t>(Last - First + 1));
    // The first level's keys side by side with the rows when its style is the
    // same on every row and needs no event: most comparisons end there.
    TSortKeys::TColumnKeys& k0 = keys.Column(chain[0].first);
    const TSortStyle s0 = k0.RowStyle.front();
    const bool uniform =
        std::all_of(k0.RowStyle.begin(), k0.RowStyle.end(), [s0](TSortStyle t) { return t == s0; });
    const bool numeric = s0 == ssNumeric || s0 == ssFinancial || s0 == ssDate ||
                         s0 == ssShortDateEU || s0 == ssShortDateUS;
    const bool textual =
        s0 == ssAlphabetic || s0 == ssAlphaCase || s0 == ssAlphaNoCase || s0 == ssHTML;
    if (uniform && (numeric || textual)) {
        // The rows are put in order of the first level with the row number as
        // the last key (a total order, so the plain sort gives the stable
        // result); runs level on the first level are then ordered by the rest
        // of the chain, which may be any comparison, with a merge sort.
        const int dir = chain[0].second;
        const bool dates = s0 != ssNumeric && s0 != ssFinancial;
        const std::vector<std::string>& texts =
            (s0 == ssAlphaNoCase || s0 == ssHTML) ? k0.Text : k0.Raw;
        auto rank = [&](size_t i) {
            // Blanks first (0) or last (2) whatever the direction.
            return s->IgnoreBlanks && k0.Raw[i].empty() ? (s->BlankPos == blFirst ? 0 : 2) : 1;
        };
        auto sortBy = [&](auto& Entries, auto Less, auto Level) {
            std::sort(Entries.begin(), Entries.end(), [&](const auto& A, const auto& B) {
                ++FSortCompares;
                if (A.Rank != B.Rank) return A.Rank < B.Rank;
                if (Less(A, B)) return true;
                if (Less(B, A)) return false;
                return A.Row < B.Row;
            });
            for (size_t i = 0; i < Entries.size();) {
                size_t j = i + 1;
                while (j < Entries.size() && Entries[j].Rank == Entries[i].Rank &&
                       Level(Entries[i], Entries[j]))
                    ++j;
                if (j - i > 1 && chain.size() > 1)
                    std::stable_sort(Entries.begin() + static_cast<std::ptrdiff_t>(i),
                                     Entries.begin() + static_cast<std::ptrdiff_t>(j),
                                     [&](const auto& A, const auto& B) {
                                         return compareFrom(1, A.Row, B.Row) < 0;
                                     });
                i = j;
            }
            for (size_t i = 0; i < Entries.size(); ++i)
                range[i] = Entries[i].Row;
        };
        if (numeric) {
            struct TEntry {
                double Value;
                int Rank, Row;
            };
            std::vector<TEntry> entries(range.size());
            for (size_t i = 0; i < entries.size(); ++i)
                entries[i] = {dir * (dates ? k0.Date[i] : k0.Num[i].value_or(0)), rank(i),
                              First + static_cast<int>(i)};
            sortBy(
                entries, [](const TEntry& A, const TEntry& B) { return A.Value < B.Value; },
                [](const TEntry& A, const TEntry& B) { return A.Value == B.Value; });
        } else {
            struct TEntry {
                const std::string* Text;
                int Rank, Row;
            };
            std::vector<TEntry> entries(range.size());
            for (size_t i = 0; i < entries.size(); ++i)
                entries[i] = {&texts[i], rank(i), First + static_cast<int>(i)};
            sortBy(
                entries,
                [dir](const TEntry& A, const TEntry& B) {
                    return dir * Sign(A.Text->compare(*B.Text)) < 0;
                },
                [](const TEntry& A, const TEntry& B) { return *A.Text == *B.Text; });
        }
    } else {
        std::iota(range.begin(), range.end(), First);
        std::stable_sort(range.begin(), range.end(),
                         [&](int A, int B) { return compareFrom(0, A, B) < 0; });
    }
    std::vector<int> order(static_cast<size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    std::copy(range.begin(), range.end(), order.begin() + First);
    ApplyRowOrder(order);
}

void TExtStringGrid::SortByColumn() {
    SortIndexes()->Clear();
    const int remembered = Row();
    {
        TBulkUpdate bulk(*this);
        SortRowRange(FixedRows(), RowCount() - 1 - FixedFooters(), false);
    }
    if (OnRowUpdate && !Navigation()->MoveRowOnSort) OnRowUpdate(this, remembered, Row());
}

void TExtStringGrid::IndexedSort() {
    if (SortIndexes()->Count() == 0) throw EExtGridError(SNoSortIndexes);
    TBulkUpdate bulk(*this);
    SortRowRange(FixedRows(), RowCount() - 1 - FixedFooters(), true);
}

void TExtStringGrid::SortWithinNodes() {
    TBulkUpdate bulk(*this);
    const int last = RowCount() - 1 - FixedFooters();
    // A node row stays where it is: only the rows it spans change order, so
    // every group keeps its heading. Contracted nodes' rows are out of the
    // grid and keep theirs.
    for (int r = FixedRows(); r < last; ++r) {
        if (!IsNode(r) || GetNodeState(r)) continue;
        const int span = GetNodeSpan(r);
        SortRowRange(r + 1, std::min(last, r + span - 1), false);
    }
}

void TExtStringGrid::UnSort() {
    const int rows = RowCount();
    if (static_cast<int>(FRowOrder.size()) != rows || rows < 2) return;
    std::vector<int> order(static_cast<size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin() + 1, order.end(), [this](int A, int B) {
        return FRowOrder[static_cast<size_t>(A)] < FRowOrder[static_cast<size_t>(B)];
    });
    TBulkUpdate bulk(*this);
    ApplyRowOrder(order);
}

void TExtStringGrid::SwapRows(int ARow1, int ARow2) {
    const int rows = RowCount();
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= rows || ARow2 >= rows || ARow1 == ARow2) return;
    std::vector<int> order(static_cast<size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    std::swap(order[static_cast<size_t>(ARow1)], order[static_cast<size_t>(ARow2)]);
    ApplyRowOrder(order);
}

void TExtStringGrid::ApplyRowOrder(const std::vector<int>& Order) {
    EndDedicatedEdit();
    const int rows = RowCount();
    if (static_cast<int>(FRowOrder.size()) == rows) {
        std::vector<int> next(FRowOrder.size());
        for (size_t i = 0; i < Order.size(); ++i)
            next[i] = FRowOrder[static_cast<size_t>(Order[i])];
        FRowOrder.swap(next);
    }
    const bool moveRow = Navigation()->MoveRowOnSort;
    const int oldRow = Row();
    // Selection flags of moved rows go with them when the selection follows the data.
    if (MouseActions()->DisjunctRowSelect() && moveRow) {
        std::vector<bool> flags(static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r)
            flags[static_cast<size_t>(r)] =
                GetRowSelect(RealRowIndex(Order[static_cast<size_t>(r)]));
        for (int r = 0; r < rows; ++r)
            SetRowSelect(RealRowIndex(r), flags[static_cast<size_t>(r)]);
    }
    const int stored = StoredColCount();
    std::vector<std::string> col0;
    const bool keepCol0 = SortSettings()->NormalCellsOnly && FixedCols() > 0;
    if (keepCol0)
        for (int r = 0; r < rows; ++r)
            col0.push_back(ReadCell(0, r));
    if (SortSettings()->SingleColumn) {
        // Only the sort column's texts and objects change places.
        const int c = SortSettings()->Column;
        std::vector<std::string> texts(static_cast<size_t>(rows));
        std::vector<TObject*> objs(static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            texts[static_cast<size_t>(r)] = GetRawCell(c, r);
            objs[static_cast<size_t>(r)] = GetRawObject(c, r);
        }
        for (int r = 0; r < rows; ++r) {
            const size_t from = static_cast<size_t>(Order[static_cast<size_t>(r)]);
            SetRawCell(c, r, texts[from]);
            SetRawObject(c, r, objs[from]);
            if (TCellProperties* p = FindCellProperties(c, r)) p->OwnerRow = r;
        }
    } else {
        // Ranges merged over rows would be torn apart: they are split first,
        // ranges inside one row go with it.
        for (int r = 0; r < rows && CellPropertiesCount() > 0; ++r)
            if (Order[static_cast<size_t>(r)] != r)
                for (int c = 0; c < stored; ++c)
                    if (IsYMerged(c, r)) SplitCells(c, r);
        ReorderRows(Order);
    }
    if (keepCol0)
        for (int r = 0; r < rows; ++r)
            SetRawCell(0, r, col0[static_cast<size_t>(r)]);
    if (moveRow) {
        const auto it = std::find(Order.begin(), Order.end(), oldRow);
        if (it != Order.end()) TBaseGrid::SetRow(static_cast<int>(it - Order.begin()));
    }
    for (size_t i = 0; i < Order.size(); ++i)
        if (Order[i] != static_cast<int>(i)) ++FSortSwaps;
}
