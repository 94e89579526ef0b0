#include <gtest/gtest.h>

#include "gridfixture.h"

namespace {

class Hidden : public GridTest {
protected:
    // Every real row that is shown maps to a display row and back, and every
    // display row to a real one and back; the store stays in order.
    void ExpectMappingConsistent() {
        int shown = 0;
        for (int r = 0; r < Grid->GetAllRowCount(); ++r) {
            if (Grid->IsHiddenRow(r)) continue;
            EXPECT_EQ(Grid->DisplRowIndex(r), shown) << "real row " << r;
            EXPECT_EQ(Grid->RealRowIndex(shown), r) << "display row " << shown;
            ++shown;
        }
        EXPECT_EQ(shown, Grid->RowCount());
        const TGridItems& store = Grid->HiddenRowStore();
        for (int i = 1; i < store.Count(); ++i)
            EXPECT_LT(store.Items(i - 1)->Idx, store.Items(i)->Idx);
    }
    // Every real row holds the texts it was filled with.
    void ExpectAllCellsAtHome(int Cols) {
        for (int r = 0; r < Grid->GetAllRowCount(); ++r)
            for (int c = 0; c < Cols; ++c)
                ASSERT_EQ(Grid->GetAllCells(c, r), Name(c, r)) << "cell " << c << "," << r;
    }
};

} // namespace

TEST_F(Hidden, HiddenColumnKeepsItsCellsAndWidth) {
    Fill(5, 6);
    Grid->SetColWidths(2, 91);
    Grid->HideColumn(2);
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(Grid->NumHiddenColumns(), 1);
    EXPECT_EQ(Grid->GetAllColCount(), 5);
    EXPECT_EQ(Grid->Cells(2, 3), "c2r3");
    EXPECT_EQ(Grid->RealColIndex(2), 3);
    EXPECT_EQ(Grid->DisplColIndex(3), 2);
    EXPECT_TRUE(Grid->IsHiddenColumn(2));
    Grid->UnHideColumnsAll();
    EXPECT_EQ(Grid->ColCount(), 5);
    EXPECT_EQ(Grid->ColWidths(2), 91);
    EXPECT_EQ(Grid->RealColIndex(2), 2);
}

TEST_F(Hidden, LastVisibleColumnStays) {
    Fill(1, 3);
    Grid->HideColumn(0);
    EXPECT_EQ(Grid->ColCount(), 1);
    EXPECT_EQ(Grid->NumHiddenColumns(), 0);
}

TEST_F(Hidden, MixedColumnHidingRoundTripsWithRecordsAndMerges) {
    Fill(8, 5);
    for (int c = 0; c < 8; ++c)
        Grid->SetColWidths(c, 40 + c);
    Grid->SetCellBackColor(6, 2, clInfoBk);
    ASSERT_TRUE(Grid->MergeCells(4, 3, 2, 1));
    Grid->HideColumn(1);
    Grid->HideColumns(2, 3);
    Grid->HideColumn(7);
    EXPECT_EQ(Grid->ColCount(), 4);
    for (int c = 0; c < 8; ++c) {
        if (!Grid->IsHiddenColumn(c)) {
            EXPECT_EQ(Grid->RealColIndex(Grid->DisplColIndex(c)), c);
        }
    }
    for (int d = 0; d < Grid->ColCount(); ++d)
        EXPECT_EQ(Grid->DisplColIndex(Grid->RealColIndex(d)), d);
    // Records and merges stay with their real cells.
    EXPECT_EQ(Grid->GetCellBackColor(6, 2), clInfoBk);
    EXPECT_EQ(Grid->Cells(5, 3), "c4r3");
    EXPECT_EQ(Grid->ColWidths(Grid->DisplColIndex(6)), 46);
    // Shown again in another order than hidden.
    Grid->UnHideColumns(7, 7);
    Grid->UnHideColumns(2, 2);
    Grid->UnHideColumns(1, 3);
    EXPECT_EQ(Grid->ColCount(), 8);
    EXPECT_EQ(Grid->NumHiddenColumns(), 0);
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(Grid->ColWidths(c), 40 + c);
        EXPECT_EQ(Grid->Cells(c, 1), Name(c, 1));
    }
    EXPECT_EQ(Grid->GetCellBackColor(6, 2), clInfoBk);
    EXPECT_TRUE(Grid->IsMergedCell(5, 3));
}

TEST_F(Hidden, ColumnsPastTheFlagMapFollowTheHiddenOnes) {
    Fill(530, 2);
    Grid->HideColumns(10, 11);
    EXPECT_EQ(Grid->RealColIndex(520), 522);
    EXPECT_EQ(Grid->DisplColIndex(522), 520);
    EXPECT_EQ(Grid->Cells(Grid->RealColIndex(520), 1), "c522r1");
    EXPECT_EQ(Grid->RealColIndex(527), 529);
    EXPECT_FALSE(Grid->IsHiddenColumn(600));
    Grid->UnHideColumnsAll();
    EXPECT_EQ(Grid->RealColIndex(600), 600);
}

TEST_F(Hidden, HiddenRowsKeepOrderPlaceAndHeight) {
    Fill(3, 10);
    for (int r = 0; r < 10; ++r)
        Grid->SetRowHeights(r, 20 + r);
    Grid->HideRows(3, 4);
    EXPECT_EQ(Grid->DisplRowIndex(7), 5);
    Grid->HideRow(7);
    const TGridItems& store = Grid->HiddenRowStore();
    ASSERT_EQ(store.Count(), 3);
    EXPECT_EQ(store.Items(0)->Idx, 3);
    EXPECT_EQ(store.Items(1)->Idx, 4);
    EXPECT_EQ(store.Items(2)->Idx, 7);
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_EQ(Grid->GetAllCells(1, 4), "c1r4");
    EXPECT_EQ(Grid->GetHiddenRowStrings(7)->Get(2), "c2r7");
    EXPECT_EQ(Grid->Cells(0, 5), "c0r8");
    ExpectMappingConsistent();
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(Grid->Cells(0, r), Name(0, r));
        EXPECT_EQ(Grid->RowHeights(r), 20 + r);
    }
}

TEST_F(Hidden, RowMappingHoldsUnderMixedHidingAndShowing) {
    Fill(2, 12);
    Grid->HideRow(11); // the last row
    ExpectMappingConsistent();
    Grid->HideRows(2, 4);
    Grid->HideRow(8);
    ExpectMappingConsistent();
    // A range over rows hidden already hides only the rest, each in place.
    Grid->HideRows(1, 6);
    ExpectMappingConsistent();
    ExpectAllCellsAtHome(2);
    // Shown in another order than hidden.
    Grid->UnHideRows(8, 8);
    ExpectMappingConsistent();
    Grid->UnHideRows(2, 3);
    ExpectMappingConsistent();
    Grid->UnHideRows(11, 11);
    ExpectMappingConsistent();
    ExpectAllCellsAtHome(2);
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->RowCount(), 12);
    ExpectAllCellsAtHome(2);
}

TEST_F(Hidden, HidingEverythingLeavesOneRow) {
    Fill(2, 6);
    Grid->HideRows(0, 5);
    EXPECT_EQ(Grid->RowCount(), 1);
    EXPECT_EQ(Grid->Cells(0, 0), "c0r5");
    ExpectMappingConsistent();
    Grid->HideRows(2, 4); // already hidden: nothing
    EXPECT_EQ(Grid->NumHiddenRows(), 5);
    Grid->UnHideRows(3, 3);
    ExpectMappingConsistent();
    ExpectAllCellsAtHome(2);
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->RowCount(), 6);
    ExpectAllCellsAtHome(2);
}

TEST_F(Hidden, RecordsAndMergesTravelWithTheirRows) {
    Fill(4, 12);
    Grid->SetCellBackColor(1, 5, clInfoBk);
    ASSERT_TRUE(Grid->MergeCells(1, 8, 2, 2));
    Grid->HideRow(5);
    EXPECT_EQ(Grid->GetCellBackColor(1, 5), clNone); // now row 6's cell
    Grid->HideRow(3);
    // The merge below the hidden rows moved up two rows, whole.
    EXPECT_TRUE(Grid->IsMergedCell(1, 6));
    EXPECT_EQ(Grid->GetCellText(2, 7), "c1r8");
    EXPECT_EQ(Grid->GetBaseCell(2, 7), (TPoint{1, 6}));
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->GetCellBackColor(1, 5), clInfoBk);
    EXPECT_EQ(Grid->FindCellProperties(1, 5)->OwnerRow, 5);
    EXPECT_EQ(Grid->GetBaseCell(2, 9), (TPoint{1, 8}));
    EXPECT_EQ(Grid->GetCellSpan(2, 9), (TPoint{1, 1}));
}

TEST_F(Hidden, MergeOverAHiddenRowIsSplitAndTextsStay) {
    Fill(3, 8);
    ASSERT_TRUE(Grid->MergeCells(1, 3, 1, 3));
    Grid->HideRow(4);
    EXPECT_FALSE(Grid->IsMergedCell(1, 3));
    EXPECT_EQ(Grid->Cells(1, 3), "c1r3");
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->Cells(1, 4), "c1r4");
    EXPECT_EQ(Grid->Cells(1, 5), "c1r5");
}

TEST_F(Hidden, WritingAHiddenRowShowsLater) {
    Fill(3, 6);
    Grid->HideRow(4);
    Grid->SetAllCells(2, 4, "nieuw");
    EXPECT_EQ(Grid->Cells(2, 4), "c2r5");
    Grid->SetAllCells(1, 5, "zichtbaar");
    EXPECT_EQ(Grid->Cells(1, 4), "zichtbaar");
    Grid->UnHideRows(4, 4);
    EXPECT_EQ(Grid->Cells(2, 4), "nieuw");
    EXPECT_EQ(Grid->Cells(1, 5), "zichtbaar");
}

TEST_F(Hidden, RowListTakesDisplayRowsAlsoWithRowsHidden) {
    Fill(2, 9);
    Grid->HideRow(2);
    TIntList list(0, 0);
    list.Add(4);
    list.Add(2);
    Grid->HideRowList(list); // display rows 2 and 4 are real rows 3 and 5
    EXPECT_TRUE(Grid->IsHiddenRow(3));
    EXPECT_TRUE(Grid->IsHiddenRow(5));
    ExpectMappingConsistent();
    ExpectAllCellsAtHome(2);
    TIntList bad(0, 0);
    bad.Add(1);
    bad.Add(Grid->RowCount());
    EXPECT_THROW(Grid->HideRowList(bad), EExtGridError);
    EXPECT_EQ(Grid->NumHiddenRows(), 3); // nothing of the bad list was hidden
    Grid->RestoreHiddenRows();
    EXPECT_EQ(Grid->RowCount(), 9);
    ExpectAllCellsAtHome(2);
}

TEST_F(Hidden, ShrinkingTheGridKeepsHiddenRowsInside) {
    Fill(2, 10);
    Grid->HideRow(8);
    Grid->SetRowCount(5);
    ExpectMappingConsistent();
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Grid->Cells(0, 5), "c0r8");
}

TEST_F(Hidden, AHiddenRowReadAsAListKeepsItsRecordsAndColumns) {
    Fill(4, 6);
    Grid->SetCellBackColor(3, 2, clInfoBk);
    Grid->HideRows(2, 3);
    TStringList* items = Grid->GetHiddenRowStrings(2); // the list takes over the cells
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->Get(3), "c3r2");
    items->Put(0, "lijst");
    Grid->InsertCols(1, 1); // both kinds of hidden rows follow
    Grid->RemoveCols(3, 1); // real column 3 is the old column 2
    EXPECT_EQ(Grid->GetAllCells(0, 2), "lijst");
    EXPECT_EQ(Grid->GetAllCells(1, 3), "");
    EXPECT_EQ(Grid->GetAllCells(3, 2), "c3r2");
    EXPECT_EQ(Grid->GetAllCells(3, 3), "c3r3");
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->Cells(0, 2), "lijst");
    EXPECT_EQ(Grid->GetCellBackColor(3, 2), clInfoBk);
    EXPECT_EQ(Grid->FindCellProperties(3, 2)->OwnerCol, 3);
    EXPECT_EQ(Grid->Cells(2, 3), "c1r3");
}

TEST_F(Hidden, ShowingARangeWithShownRowsBetweenPutsEachRowHome) {
    Fill(2, 10);
    Grid->HideRows(3, 4);
    Grid->HideRow(7);
    Grid->UnHideRows(3, 7);
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    ExpectAllCellsAtHome(2);
}

TEST_F(Hidden, CuttingColumnsDropsTheHiddenOnesBehindTheCut) {
    Fill(8, 3);
    Grid->SetCellBackColor(6, 1, clRed);
    Grid->HideColumn(2);
    Grid->HideColumn(6);
    Grid->SetColCount(4); // display 0..3 = real 0, 1, 3, 4
    EXPECT_EQ(Grid->NumHiddenColumns(), 1);
    EXPECT_EQ(Grid->GetAllColCount(), 5);
    EXPECT_FALSE(Grid->IsHiddenColumn(6));
    Grid->SetColCount(6); // two columns come after real column 4
    EXPECT_EQ(Grid->RealColIndex(5), 6);
    EXPECT_EQ(Grid->GetCellBackColor(6, 1), clNone);
    Grid->UnHideColumnsAll();
    EXPECT_EQ(Grid->Cells(2, 1), "c2r1");
}
