// Sorting by a click in the sort row: the clicked column becomes the sort
// column (or, clicked again, changes direction or undoes the sort), or, with
// the sort index shown, joins the list of columns an indexed sort follows.
#include <chrono>

#include "grid/extgrid.h"

bool TExtStringGrid::SortPressAt(int ACol, int ARow, int X, int Y) {
    const TSortSettings* sort = SortSettings();
    if (!sort->Show || TBaseGrid::FixedRows() == 0 || ARow != sort->Row() || ACol < 0) return false;
    // The rightmost pixels of a filtered column's header open its filter.
    if (HasFilter(RealColIndex(ACol)) && X > CellRect(ACol, ARow).Right - 16) return false;
    // A press on a column border sizes the column.
    TGridState state = gsNormal;
    int index = -1, pos = 0, ofs = 0;
    CalcSizingState(X, Y, state, index, pos, ofs);
    return state == gsNormal;
}

void TExtStringGrid::ClickSort(int ACol, TShiftState Shift) {
    bool doSort = true;
    if (OnCanSort) OnCanSort(this, ACol, doSort);
    if (!doSort) return;
    if (EditorMode()) HideEditor();
    const auto start = std::chrono::steady_clock::now();
    TSortSettings* sort = SortSettings();
    const int real = RealColIndex(ACol);
    const int left = LeftCol();
    // Merged ranges would keep rows together that the sort separates: the
    // auto-merged columns are split now and merged again in the new order.
    const bool remerge = sort->AutoColumnMerge;
    if (remerge)
        for (int c = 0; c < StoredColCount(); ++c)
            SplitColumnMerges(c);
    if (sort->IndexShow) {
        TSortIndexList* list = SortIndexes();
        const int at = list->FindIndex(real);
        if (Shift.Contains(ssShift)) {
            if (at < 0)
                list->AddIndex(real, true);
            else
                list->ToggleIndex(real);
        } else if (at == 0 && list->Count() == 1) {
            list->ToggleIndex(real);
        } else {
            list->Clear();
            list->AddIndex(real, true);
        }
        IndexedSort();
    } else {
        bool sortNow = true;
        if (sort->Column != real) {
            sort->Column = real;
            sort->Direction = sort->InitSortDirection;
        } else if (sort->UndoSort && sort->Direction != sort->InitSortDirection) {
            UnSort();
            sort->Column = -1;
            sortNow = false;
        } else {
            sort->Direction = sort->Direction == sdAscending ? sdDescending : sdAscending;
        }
        if (sortNow) {
            // Node rows head their groups: the rows are sorted within them.
            if (HasNodes())
                SortWithinNodes();
            else
                SortByColumn();
        }
    }
    if (remerge) ApplyAutoMerge();
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll && LeftCol() != left)
        SetLeftCol(left);
    FClickSortTime = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - start)
                                          .count());
    if (OnClickSort) OnClickSort(this, ACol);
    Invalidate();
}
