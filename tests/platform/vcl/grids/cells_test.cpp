// The string grid's cells, objects, and the row and column views in step.
#include "gridtestenv.h"

namespace {

using CellsTest = GridFixture;

struct TTag : TObject {
    explicit TTag(int V) : Value(V) {}
    int Value;
};

} // namespace

TEST_F(CellsTest, CellsAndObjectsAreKeptPerCell) {
    TTag a(1), b(2);
    Grid->SetCells(2, 3, "twee-drie");
    Grid->SetObjects(2, 3, &a);
    Grid->SetObjects(4, 4, &b);
    EXPECT_EQ("twee-drie", Grid->Cells(2, 3));
    EXPECT_EQ(&a, Grid->Objects(2, 3));
    EXPECT_EQ(&b, Grid->Objects(4, 4));
    EXPECT_EQ("", Grid->Cells(4, 4));
    EXPECT_EQ(nullptr, Grid->Objects(1, 1));
    EXPECT_EQ("", Grid->Cells(-1, 2));
    EXPECT_EQ("", Grid->Cells(2, 900));
    EXPECT_THROW(Grid->SetCells(-1, 0, "x"), EInvalidGridOperation);
    Grid->SetCells(0, 0, "\xBD"); // single-byte text as it is
    EXPECT_EQ("\xBD", Grid->Cells(0, 0));
}

TEST_F(CellsTest, RowsAndColsReadAndWriteTheSameCells) {
    Grid->SetCells(1, 2, "b");
    Grid->SetCells(3, 2, "d");
    TStrings* row = Grid->Rows(2);
    ASSERT_EQ(5, row->Count());
    EXPECT_EQ("b", row->Strings(1));
    EXPECT_EQ("d", row->Strings(3));
    row->SetStrings(0, "a");
    EXPECT_EQ("a", Grid->Cells(0, 2));
    TStrings* col = Grid->Cols(0);
    EXPECT_EQ("a", col->Strings(2));
    TTag t(7);
    col->SetObjects(4, &t);
    EXPECT_EQ(&t, Grid->Objects(0, 4));
    EXPECT_EQ(&t, Grid->Rows(4)->Objects(0));
    EXPECT_EQ(row, Grid->Rows(2)); // the same view every time
    EXPECT_EQ("a,b,,d,", row->CommaText());
}

TEST_F(CellsTest, AssigningAListFillsARowFromTheStart) {
    TStringList list;
    list.Add("een");
    list.Add("twee");
    TTag t(3);
    list.AddObject("drie", &t);
    Grid->SetCells(4, 1, "weg");
    Grid->SetRows(1, &list);
    EXPECT_EQ("een", Grid->Cells(0, 1));
    EXPECT_EQ("twee", Grid->Cells(1, 1));
    EXPECT_EQ("drie", Grid->Cells(2, 1));
    EXPECT_EQ(&t, Grid->Objects(2, 1));
    EXPECT_EQ("", Grid->Cells(4, 1)); // cleared first
    Grid->Cols(3)->SetText("p\r\nq\r\nr\r\ns\r\nt\r\nu");
    EXPECT_EQ("q", Grid->Cells(3, 1));
    EXPECT_EQ("t", Grid->Cells(3, 4));
    EXPECT_EQ("", Grid->Cells(3, 5)); // more lines than rows: the rest is dropped
    EXPECT_THROW(Grid->Rows(5), EInvalidGridOperation);
}

TEST_F(CellsTest, TheStoreIsKeptWhenTheCountsShrinkAndGrow) {
    Grid->SetCells(4, 4, "hoek");
    Grid->SetRowCount(3);
    Grid->SetColCount(3);
    EXPECT_EQ(3, Grid->Rows(1)->Count());
    Grid->SetRowCount(5);
    Grid->SetColCount(5);
    EXPECT_EQ("hoek", Grid->Cells(4, 4));
}

TEST_F(CellsTest, MovingAndDeletingTakeTheCellsAlong) {
    for (int r = 0; r < 5; ++r)
        Grid->SetCells(1, r, "r" + std::to_string(r));
    Grid->MoveRow(1, 3);
    EXPECT_EQ("r2", Grid->Cells(1, 1));
    EXPECT_EQ("r3", Grid->Cells(1, 2));
    EXPECT_EQ("r1", Grid->Cells(1, 3));
    EXPECT_EQ("r1", Grid->Rows(3)->Strings(1));
    Grid->DeleteRow(2);
    EXPECT_EQ(4, Grid->RowCount());
    EXPECT_EQ("r1", Grid->Cells(1, 2));
    EXPECT_EQ("r4", Grid->Cells(1, 3));
    Grid->SetRowCount(5);
    EXPECT_EQ("", Grid->Cells(1, 4)); // a deleted row does not come back
    Grid->SetCells(3, 0, "kop");
    Grid->DeleteColumn(2);
    EXPECT_EQ("kop", Grid->Cells(2, 0));
    EXPECT_EQ(4, Grid->ColCount());
}

TEST_F(CellsTest, WritingTheEditedCellRefreshesTheEditor) {
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->SetEditorMode(true);
    ASSERT_NE(nullptr, Grid->InplaceEditor());
    Grid->SetCells(1, 1, "van buiten");
    EXPECT_EQ("van buiten", Grid->InplaceEditor()->Text());
}

struct MoveCase {
    bool Rows;
    int From, To;
    int Current; // where the current line ends up; it starts on line 3
};

class MoveTable : public GridFixture, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTable, TheCurrentCellStaysOnItsCell) {
    const MoveCase& c = GetParam();
    Grid->SetColCount(8);
    Grid->SetRowCount(8);
    Grid->SetCol(3);
    Grid->SetRow(3);
    Grid->SetCells(3, 3, "hier");
    if (c.Rows)
        Grid->MoveRow(c.From, c.To);
    else
        Grid->MoveColumn(c.From, c.To);
    EXPECT_EQ(c.Current, c.Rows ? Grid->Row() : Grid->Col());
    EXPECT_EQ(3, c.Rows ? Grid->Col() : Grid->Row());
    EXPECT_EQ("hier", Grid->Cells(Grid->Col(), Grid->Row()));
    EXPECT_EQ(Grid->Selection(), (TGridRect{Grid->Col(), Grid->Row(), Grid->Col(), Grid->Row()}));
}

INSTANTIATE_TEST_SUITE_P(CellsTest, MoveTable,
                         ::testing::Values(MoveCase{false, 1, 3, 2}, // onto the current column
                                           MoveCase{false, 5, 3, 4}, // onto it from the right
                                           MoveCase{false, 3, 6, 6}, // the current one itself
                                           MoveCase{false, 3, 1, 1}, MoveCase{false, 1, 2, 3},
                                           MoveCase{false, 4, 6, 3}, MoveCase{true, 1, 3, 2},
                                           MoveCase{true, 5, 3, 4}, MoveCase{true, 3, 7, 7},
                                           MoveCase{true, 7, 1, 4}));
