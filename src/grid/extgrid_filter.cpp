// The row filter: normal rows that fail the filter's column conditions are
// hidden, and switching the filter off brings back exactly those rows.

#include <algorithm>
#include <cmath>

#include "grid/extgrid.h"
#include "grid/support/gridfilter.h"

bool TExtStringGrid::MatchFilterRow(int ARow) {
    bool result = true;
    for (int i = 0; i < Filter()->Count(); ++i) {
        const TFilterData* f = Filter()->Items(i);
        std::string text = Cells(f->Column, ARow);
        if (!f->Prefix.empty() && text.compare(0, f->Prefix.size(), f->Prefix) == 0)
            text.erase(0, f->Prefix.size());
        if (!f->Suffix.empty() && text.size() >= f->Suffix.size() &&
            text.compare(text.size() - f->Suffix.size(), f->Suffix.size(), f->Suffix) == 0)
            text.erase(text.size() - f->Suffix.size());
        const bool m = MatchFilter(f->Condition, text, f->CaseSensitive);
        switch (f->Operation) {
        case foNONE:
            result = m;
            if (!m) return false;
            break;
        case foAND:
            result = result && m;
            break;
        case foXOR:
            result = result != m;
            break;
        case foOR:
            result = result || m;
            break;
        }
    }
    return result;
}

void TExtStringGrid::ApplyFilter() {
    const int first = FixedRows(), last = RowCount() - FixedFooters() - 1;
    const int total = std::max(1, last - first + 1);
    TIntList rows(0, 0);
    std::vector<int> real;
    short reported = -1;
    for (int r = first; r <= last; ++r) {
        if (!MatchFilterRow(r)) {
            rows.Add(r);
            real.push_back(RealRowIndex(r));
        }
        if (OnFilterProgress) {
            const auto pct = static_cast<short>(std::lround((r - first + 1) * 100.0 / total));
            if (pct != reported) OnFilterProgress(this, reported = pct);
        }
    }
    HideRowList(rows);
    FFilterHidden.insert(FFilterHidden.end(), real.begin(), real.end());
    std::sort(FFilterHidden.begin(), FFilterHidden.end());
    if (OnFilterProgress) OnFilterProgress(this, 100);
}

void TExtStringGrid::SetFilterActive(bool Value) {
    if (Value == FFilterActive) return;
    FFilterActive = Value;
    BeginGridUpdate();
    if (Value) {
        FFilterSelection = Selection();
        FFilterSavedFixed = FixedRows();
        FFilterHidden.clear();
        ApplyFilter();
        if (RowCount() == FixedFooters() + FFilterSavedFixed && !FixedRowAlways) {
            // A grid of fixed rows only would make them normal rows: one
            // empty row stands in, above the footers.
            InsertRows(RowCount() - FixedFooters(), 1);
            SetFixedRows(FFilterSavedFixed);
        } else
            FFilterSavedFixed = 0;
    } else {
        if (RowCount() - FixedRows() - FixedFooters() == 1 && FFilterSavedFixed >= 1)
            RemoveRowsSplit(FixedRows(), 1);
        const int fixed = FixedRows();
        if (FFilterHidden.size() == static_cast<size_t>(NumHiddenRows())) {
            RestoreHiddenRows();
        } else {
            // Rows hidden before the filter stay hidden: only runs of rows the
            // filter hid come back.
            for (size_t i = 0; i < FFilterHidden.size();) {
                size_t j = i + 1;
                while (j < FFilterHidden.size() && FFilterHidden[j] == FFilterHidden[j - 1] + 1)
                    ++j;
                UnHideRows(FFilterHidden[i], FFilterHidden[j - 1]);
                i = j;
            }
        }
        FFilterHidden.clear();
        SetFixedRows(fixed);
        TGridRect sel = FFilterSelection;
        if (sel.Bottom < RowCount() && sel.Right < ColCount() && sel.Top >= FixedRows())
            SetSelection(sel);
    }
    EndGridUpdate();
    GridChanged();
}

TFilterData* TFilter::ColumnFilter(int Col) {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column == Col) return Items(i);
    TFilterData* f = Add();
    f->Column = static_cast<short>(Col);
    return f;
}
