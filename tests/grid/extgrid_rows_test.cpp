#include <gtest/gtest.h>

#include "gridfixture.h"

namespace {

class Rows : public GridTest {};

} // namespace

TEST_F(Rows, InsertedRowsAreEmptyAndTheRestMovesDownWithHeights) {
    Fill(3, 4);
    for (int r = 0; r < 4; ++r)
        Grid->SetRowHeights(r, 30 + r);
    Grid->InsertRows(1, 2);
    ASSERT_EQ(Grid->RowCount(), 6);
    for (int r = 1; r <= 2; ++r) {
        EXPECT_EQ(Grid->Cells(0, r), "");
        EXPECT_EQ(Grid->RowHeights(r), Grid->DefaultRowHeight());
    }
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(Grid->Cells(2, r + 2), Name(2, r));
        EXPECT_EQ(Grid->RowHeights(r + 2), 30 + r);
    }
}

TEST_F(Rows, InsertingAtTheEdges) {
    Fill(2, 3);
    Grid->SetCellBackColor(1, 0, clYellow);
    Grid->InsertRows(0, 1); // before the fixed row
    EXPECT_EQ(Grid->Cells(0, 1), "c0r0");
    EXPECT_EQ(Grid->GetCellBackColor(1, 1), clYellow);
    EXPECT_EQ(Grid->FindCellProperties(1, 1)->OwnerRow, 1);
    Grid->InsertRows(Grid->RowCount(), 2); // appended
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Grid->Cells(0, 3), "c0r2");
    EXPECT_EQ(Grid->Cells(0, 5), "");
    EXPECT_THROW(Grid->InsertRows(Grid->RowCount() + 1, 1), EExtGridError);
    EXPECT_THROW(Grid->InsertRows(-1, 1), EExtGridError);
    EXPECT_EQ(Grid->RowCount(), 6);
}

TEST_F(Rows, NewRowsNeverShowOldTexts) {
    Fill(2, 6);
    Grid->SetRowCount(3); // the store keeps rows 3..5 for a grid growing back
    Grid->AddRow();
    EXPECT_EQ(Grid->Cells(0, 3), "");
}

TEST_F(Rows, InsertingAboveHiddenRowsMovesThemToo) {
    Fill(2, 8);
    Grid->HideRow(5);
    Grid->InsertRows(2, 1);
    EXPECT_TRUE(Grid->IsHiddenRow(6));
    EXPECT_EQ(Grid->GetAllCells(0, 6), "c0r5");
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->Cells(0, 6), "c0r5");
    EXPECT_EQ(Grid->Cells(0, 5), "c0r4");
    EXPECT_EQ(Grid->Cells(0, 2), "");
}

TEST_F(Rows, InsertingIntoAMergeSplitsItAndMergesBelowMoveWhole) {
    Fill(3, 10);
    ASSERT_TRUE(Grid->MergeCells(1, 2, 1, 3)); // rows 2..4
    ASSERT_TRUE(Grid->MergeCells(0, 6, 2, 2)); // rows 6..7
    Grid->InsertRows(3, 1);
    EXPECT_FALSE(Grid->IsMergedCell(1, 2));
    EXPECT_FALSE(Grid->IsMergedCell(1, 5));
    EXPECT_EQ(Grid->GetBaseCell(1, 8), (TPoint{0, 7}));
    EXPECT_EQ(Grid->GetCellText(1, 8), "c0r6");
}

TEST_F(Rows, RemovingTheCurrentLastRowMovesTheCurrentRow) {
    Fill(3, 6);
    Grid->FocusCell(1, 5, true);
    Grid->RemoveRows(5, 1);
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->Row(), 4);
    Grid->SetFixedFooters(1);
    Grid->FocusCell(1, 4, true);
    Grid->RemoveRows(3, 1);
    EXPECT_EQ(Grid->Row(), 2); // the last normal row above the footer
}

TEST_F(Rows, RemovingRowsAroundHiddenRowsKeepsThemInPlace) {
    Fill(2, 12);
    Grid->HideRow(3);
    Grid->HideRow(9);
    // Display rows 2..3 are real rows 2 and 4; the hidden row 3 between them stays.
    Grid->RemoveRows(2, 2);
    EXPECT_EQ(Grid->RowCount(), 8);
    EXPECT_EQ(Grid->GetAllCells(0, 2), "c0r3");
    EXPECT_EQ(Grid->GetAllCells(0, 7), "c0r9");
    EXPECT_TRUE(Grid->IsHiddenRow(2));
    EXPECT_TRUE(Grid->IsHiddenRow(7));
    Grid->UnHideRowsAll();
    const std::vector<std::string> expected = {"c0r0", "c0r1", "c0r3", "c0r5",  "c0r6",
                                               "c0r7", "c0r8", "c0r9", "c0r10", "c0r11"};
    EXPECT_EQ(Column(0), expected);
}

TEST_F(Rows, RemovingAtTheEdgesAndEverything) {
    Fill(2, 5);
    Grid->SetCellBackColor(1, 4, clRed);
    Grid->RemoveRows(0, 1);
    EXPECT_EQ(Grid->Cells(0, 0), "c0r1");
    EXPECT_EQ(Grid->GetCellBackColor(1, 3), clRed);
    Grid->RemoveRows(Grid->RowCount() - 1, 1);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->Cells(0, 2), "c0r3");
    Grid->RemoveRows(Grid->RowCount(), 1); // past the end: nothing
    EXPECT_EQ(Grid->RowCount(), 3);
    Grid->RemoveRows(0, 10);
    EXPECT_EQ(Grid->RowCount(), 1);
    EXPECT_EQ(Grid->Cells(0, 0), "");
    Grid->SetRowCount(3);
    EXPECT_EQ(Grid->Cells(0, 1), "");
}

TEST_F(Rows, RemovingRowsFiresCellsChanged) {
    Fill(3, 6);
    TRect changed{};
    Grid->OnCellsChanged = [&changed](TObject*, const TRect& R) { changed = R; };
    Grid->RemoveRows(2, 2);
    EXPECT_EQ(changed, Rect(0, 2, 2, 4));
}

TEST_F(Rows, SelectedRowsAreRemovedAndFlagsFollow) {
    Fill(2, 8);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->HideRow(2);
    Grid->SetRowSelect(4, true);
    Grid->SetRowSelect(6, true);
    Grid->RemoveSelectedRows();
    EXPECT_EQ(Grid->NumHiddenRows(), 1);
    Grid->UnHideRowsAll();
    const std::vector<std::string> expected = {"c0r0", "c0r1", "c0r2", "c0r3", "c0r5", "c0r7"};
    EXPECT_EQ(Column(0), expected);
    for (int r = 0; r < Grid->RowCount(); ++r)
        EXPECT_FALSE(Grid->GetRowSelect(r));
}

TEST_F(Rows, ClearingARectFreesPropertiesAndTexts) {
    Fill(4, 5);
    Grid->SetCellBackColor(1, 1, clRed);
    Grid->SetCellBackColor(3, 3, clRed);
    Grid->CreateCellGraphic(2, 2)->CellType = ctCheckBox;
    ASSERT_TRUE(Grid->MergeCells(2, 3, 2, 2)); // partly inside
    TRect changed{};
    Grid->OnCellsChanged = [&changed](TObject*, const TRect& R) { changed = R; };
    Grid->ClearRect(1, 1, 2, 3);
    EXPECT_EQ(changed, Rect(1, 1, 2, 3));
    EXPECT_EQ(Grid->GetCellBackColor(1, 1), clNone);
    EXPECT_EQ(Grid->GetCellType(2, 2), ctEmpty);
    EXPECT_EQ(Grid->Cells(1, 2), "");
    EXPECT_EQ(Grid->Cells(3, 1), "c3r1");
    EXPECT_FALSE(Grid->IsMergedCell(3, 4)); // the merge reaching in is split
    EXPECT_EQ(Grid->Cells(3, 4), "c3r4");
    Grid->ClearRows(1, 0);
    EXPECT_EQ(Grid->Cells(0, 1), "c0r1");
}

TEST_F(Rows, ClearGridKeepsCountsAndHiddenRows) {
    Fill(4, 6);
    Grid->SetCellBackColor(2, 2, clInfoBk);
    Grid->HideColumn(3);
    Grid->SetCellBackColor(3, 1, clInfoBk); // in the hidden column
    Grid->HideRow(4);
    Grid->ClearGrid();
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->GetCellBackColor(2, 2), clNone);
    EXPECT_EQ(Grid->GetCellBackColor(3, 1), clNone);
    EXPECT_EQ(Grid->Cells(3, 2), "");
    EXPECT_EQ(Grid->GetAllCells(1, 4), "c1r4");
}

TEST_F(Rows, InsertingColumnsMovesFlagsWidthsAndRecords) {
    Fill(5, 3);
    Grid->SetColWidths(3, 77);
    Grid->SetCellBackColor(4, 1, clRed);
    Grid->HideColumn(2);
    Grid->HideRow(1);
    Grid->InsertCols(1, 1);
    EXPECT_EQ(Grid->ColCount(), 5);
    EXPECT_TRUE(Grid->IsHiddenColumn(3));
    EXPECT_EQ(Grid->Cells(1, 0), "");
    EXPECT_EQ(Grid->Cells(3, 0), "c2r0");
    EXPECT_EQ(Grid->ColWidths(Grid->DisplColIndex(4)), 77);
    EXPECT_EQ(Grid->GetAllCells(5, 1), "c4r1");
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->GetCellBackColor(5, 1), clRed);
    EXPECT_EQ(Grid->FindCellProperties(5, 1)->OwnerCol, 5);
    EXPECT_THROW(Grid->InsertCols(Grid->GetAllColCount() + 1, 1), EExtGridError);
}

TEST_F(Rows, RemovingColumnsKeepsHiddenColumnsAndTheirCells) {
    Fill(6, 3);
    Grid->HideColumn(4);
    Grid->RemoveCols(1, 1);
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(Grid->NumHiddenColumns(), 1);
    EXPECT_TRUE(Grid->IsHiddenColumn(3));
    EXPECT_EQ(Grid->Cells(3, 2), "c4r2");
    EXPECT_EQ(Grid->Cells(4, 2), "c5r2");
    EXPECT_EQ(Grid->RealColIndex(3), 4);
    // Removing the hidden column itself leaves the shown ones.
    Grid->RemoveCols(3, 1);
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(Grid->NumHiddenColumns(), 0);
    EXPECT_EQ(Grid->Cells(3, 1), "c5r1");
    EXPECT_THROW(Grid->RemoveCols(3, 2), EExtGridError);
    EXPECT_EQ(Grid->ColCount(), 4);
}

TEST_F(Rows, TheStringGridsOwnDeletionsKeepHiddenRowsAndColumnsInPlace) {
    Fill(5, 8);
    Grid->HideRow(5);
    Grid->HideColumn(1);
    Grid->DeleteRow(2);
    EXPECT_TRUE(Grid->IsHiddenRow(4));
    EXPECT_EQ(Grid->GetAllCells(0, 4), "c0r5");
    Grid->DeleteColumn(1); // display column 1 is real column 2
    EXPECT_TRUE(Grid->IsHiddenColumn(1));
    EXPECT_EQ(Grid->Cells(1, 0), "c1r0");
    EXPECT_EQ(Grid->Cells(2, 0), "c3r0");
    EXPECT_THROW(Grid->DeleteRow(Grid->RowCount()), EExtGridError);
}

TEST_F(Rows, EqualCellsOfAColumnMergeAndSplit) {
    Fill(3, 8);
    const char* groups[] = {"", "A", "A", "A", "B", "B", "C", "C"};
    const char* rounds[] = {"", "1", "1", "2", "2", "2", "3", "3"};
    for (int r = 1; r < 8; ++r) {
        Grid->SetCells(0, r, groups[r]);
        Grid->SetCells(1, r, rounds[r]);
    }
    Grid->MergeEqualCells(1, false); // only where column 0 is equal too
    EXPECT_EQ(Grid->GetCellSpan(1, 1), (TPoint{0, 1}));
    EXPECT_FALSE(Grid->IsMergedCell(1, 3)); // "2" after "1" under "A", then "B" begins
    EXPECT_EQ(Grid->GetCellSpan(1, 4), (TPoint{0, 1}));
    EXPECT_EQ(Grid->GetCellSpan(1, 6), (TPoint{0, 1}));
    Grid->SplitColumnMerges(1);
    for (int r = 0; r < 8; ++r)
        EXPECT_FALSE(Grid->IsMergedCell(1, r));
    Grid->MergeEqualCells(1, true);
    EXPECT_EQ(Grid->GetCellSpan(1, 3), (TPoint{0, 2})); // rows 3..5 all "2"
    Grid->AutoMergeCols()->Add(0);
    EXPECT_EQ(Grid->GetCellSpan(0, 1), (TPoint{0, 2}));
    EXPECT_FALSE(Grid->IsMergedCell(1, 3)); // every column was split first
}
