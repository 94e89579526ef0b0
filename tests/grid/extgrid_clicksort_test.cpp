// Sorting by a click in the sort row, through real Qt mouse events: the
// direction toggle, the undo on a further click, the application's say, the
// indexed sort with Shift, and the presses that must not sort.
#include <QEvent>

#include "grid/columngrid.h"
#include "gridfixture.h"
#include "vcltestenv.h"

namespace {

class ClickSortTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid->SetBounds(0, 0, 600, 400);
        Fill(4, 8);
        const int points[] = {5, 3, 7, 1, 6, 2, 4};
        const char* names[] = {"Eva", "Bas", "Eva", "Ali", "Bas", "Eva", "Ali"};
        for (int r = 1; r < 8; ++r) {
            Grid->SetCells(2, r, std::to_string(points[r - 1]));
            Grid->SetCells(3, r, names[r - 1]);
        }
        Grid->SortSettings()->Show = true;
        Grid->SortSettings()->Column = -1;
        ShowActive(Form.get());
    }
    void ClickAt(int X, int Y, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        const int b = Grid->BorderOffset();
        SendMouse(Grid, QEvent::MouseButtonPress, X + b, Y + b, Qt::LeftButton, Mods);
        SendMouse(Grid, QEvent::MouseButtonRelease, X + b, Y + b, Qt::LeftButton, Mods);
    }
    void ClickHeader(int ACol, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        const TRect r = Grid->CellRect(ACol, 0);
        ClickAt((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2, Mods);
    }
    std::string Points() const {
        std::string s;
        for (int r = 1; r < Grid->RowCount(); ++r)
            s += Grid->Cells(2, r);
        return s;
    }
};

} // namespace

TEST_F(ClickSortTest, ClicksSortReverseAndUndo) {
    std::vector<int> clicked;
    Grid->OnClickSort = [&](TObject*, int ACol) { clicked.push_back(ACol); };
    ClickHeader(2);
    EXPECT_EQ("1234567", Points());
    EXPECT_EQ(2, Grid->SortSettings()->Column);
    EXPECT_EQ("c1r4", Grid->Cells(1, 1)) << "whole rows move";
    ClickHeader(2);
    EXPECT_EQ("7654321", Points());
    EXPECT_EQ(sdDescending, Grid->SortSettings()->Direction);
    // Without UndoSort the direction keeps toggling.
    ClickHeader(2);
    EXPECT_EQ("1234567", Points());
    Grid->SortSettings()->UndoSort = true;
    ClickHeader(2);
    EXPECT_EQ("7654321", Points());
    ClickHeader(2);
    EXPECT_EQ("5371624", Points()) << "the order before any sort";
    EXPECT_EQ(-1, Grid->SortSettings()->Column);
    EXPECT_EQ("c1r1", Grid->Cells(1, 1));
    // Another column starts at the initial direction.
    Grid->SortSettings()->InitSortDirection = sdDescending;
    ClickHeader(3);
    EXPECT_EQ("Eva", Grid->Cells(3, 1));
    EXPECT_EQ("Ali", Grid->Cells(3, 7));
    EXPECT_EQ((std::vector<int>{2, 2, 2, 2, 2, 3}), clicked);
}

TEST_F(ClickSortTest, WithNodesRowsAreSortedWithinEachExpandedNode) {
    // Two groups: rows 1..3 headed by row 1, rows 4..7 headed by row 4.
    Grid->AddNode(1, 3);
    Grid->AddNode(4, 4);
    ClickHeader(2);
    EXPECT_EQ("5371246", Points()) << "node rows stay, their rows sorted";
    EXPECT_TRUE(Grid->IsNode(1));
    EXPECT_TRUE(Grid->IsNode(4));
    EXPECT_EQ("c1r1", Grid->Cells(1, 1));
    EXPECT_EQ("c1r6", Grid->Cells(1, 5)) << "whole rows move";
    // A contracted node's rows are out of the grid and keep their order.
    Grid->ContractNode(4);
    ClickHeader(2);
    EXPECT_EQ(sdDescending, Grid->SortSettings()->Direction);
    Grid->ExpandNode(4);
    EXPECT_EQ("5731246", Points());
    // Called directly it sorts the same way.
    Grid->SortWithinNodes();
    EXPECT_EQ("5731642", Points());
}

TEST_F(ClickSortTest, AutoColumnMergeMergesTheSortedRunsAgain) {
    Grid->AutoMergeCols()->Add(3);
    EXPECT_FALSE(Grid->IsMergedCell(3, 1)) << "no equal neighbours yet";
    // Without the setting the merges are not rebuilt.
    ClickHeader(3);
    EXPECT_EQ("Ali", Grid->Cells(3, 1));
    EXPECT_FALSE(Grid->IsMergedCell(3, 1));
    Grid->SortSettings()->AutoColumnMerge = true;
    ClickHeader(3);
    EXPECT_EQ("Eva", Grid->Cells(3, 1));
    EXPECT_EQ(2, Grid->GetCellSpan(3, 1).Y) << "Eva three times";
    EXPECT_EQ(1, Grid->GetCellSpan(3, 4).Y) << "Bas twice";
    EXPECT_EQ(1, Grid->GetCellSpan(3, 6).Y) << "Ali twice";
    // Sorting on another column splits the runs the rows no longer form.
    ClickHeader(2);
    EXPECT_EQ("1234567", Points());
    for (int r = 1; r < Grid->RowCount(); ++r)
        EXPECT_FALSE(Grid->IsMergedCell(3, r)) << r;
}

TEST_F(ClickSortTest, TheApplicationMayRefuseASort) {
    bool allow = false;
    int asked = -1;
    Grid->OnCanSort = [&](TObject*, int ACol, bool& DoSort) {
        asked = ACol;
        DoSort = allow;
    };
    bool sorted = false;
    Grid->OnClickSort = [&](TObject*, int) { sorted = true; };
    ClickHeader(2);
    EXPECT_EQ(2, asked);
    EXPECT_EQ("5371624", Points());
    EXPECT_FALSE(sorted);
    allow = true;
    ClickHeader(2);
    EXPECT_EQ("1234567", Points());
    EXPECT_TRUE(sorted);
}

TEST_F(ClickSortTest, PressesThatDoNotSort) {
    // Not shown: the header is just a header.
    Grid->SortSettings()->Show = false;
    ClickHeader(2);
    EXPECT_EQ("5371624", Points());
    Grid->SortSettings()->Show = true;
    // A click on a normal row.
    const TRect r = Grid->CellRect(2, 3);
    ClickAt((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_EQ("5371624", Points());
    // Pressed in the header, released in the rows.
    const TRect h = Grid->CellRect(2, 0);
    const int b = Grid->BorderOffset();
    SendMouse(Grid, QEvent::MouseButtonPress, h.Left + 10 + b, h.Top + 5 + b, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, r.Left + 10 + b, r.Top + 5 + b, Qt::LeftButton);
    EXPECT_EQ("5371624", Points());
    // Two rows (a header and one row) are never sorted.
    Grid->SetRowCount(2);
    bool sorted = false;
    Grid->OnClickSort = [&](TObject*, int) { sorted = true; };
    ClickHeader(2);
    EXPECT_FALSE(sorted);
}

TEST_F(ClickSortTest, TheSortRowMayBeAnotherFixedRow) {
    Grid->InsertRows(1, 1);
    Grid->SetFixedRows(2);
    Grid->SortSettings()->SetRow(1);
    ClickHeader(2);
    EXPECT_EQ("5371624", Points()) << "row 0 is no sort row now";
    const TRect r = Grid->CellRect(2, 1);
    ClickAt((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    std::string sorted;
    for (int row = 2; row < Grid->RowCount(); ++row)
        sorted += Grid->Cells(2, row);
    EXPECT_EQ("1234567", sorted);
}

TEST_F(ClickSortTest, ShiftClicksBuildTheIndexedSort) {
    Grid->SortSettings()->IndexShow = true;
    ClickHeader(3);
    EXPECT_EQ("Ali", Grid->Cells(3, 1));
    ClickHeader(2, Qt::ShiftModifier); // ties on the name by points
    std::string rows;
    for (int r = 1; r < 8; ++r)
        rows += Grid->Cells(3, r).substr(0, 1) + Grid->Cells(2, r) + " ";
    EXPECT_EQ("A1 A4 B3 B6 E2 E5 E7 ", rows);
    ClickHeader(2, Qt::ShiftModifier); // points now descending within a name
    rows.clear();
    for (int r = 1; r < 8; ++r)
        rows += Grid->Cells(3, r).substr(0, 1) + Grid->Cells(2, r) + " ";
    EXPECT_EQ("A4 A1 B6 B3 E7 E5 E2 ", rows);
    ASSERT_EQ(2, Grid->SortIndexes()->Count());
    // A plain click starts the list anew with that column.
    ClickHeader(2);
    EXPECT_EQ(1, Grid->SortIndexes()->Count());
    EXPECT_EQ("1234567", Points());
    ClickHeader(2);
    EXPECT_EQ("7654321", Points()) << "a plain click on the only column toggles it";
}

class ClickSortColumnGrid : public WidgetTest {};

TEST_F(ClickSortColumnGrid, TheFilterButtonOpensTheFilterAndNeverSorts) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 500, 300);
    auto* grid = new TExtColumnGrid(&form); // owned by the form
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 480, 280);
    grid->SetColCount(3);
    grid->SetRowCount(5);
    for (int r = 1; r < 5; ++r)
        grid->SetCells(1, r, std::to_string(5 - r));
    grid->Columns()->Items(1)->Filter()->Add("Klein=<3");
    grid->SortSettings()->Show = true;
    ShowActive(&form);
    const TRect h = grid->CellRect(1, 0);
    const int b = grid->BorderOffset();
    SendMouse(grid, QEvent::MouseButtonPress, h.Right - 8 + b, h.Top + 5 + b, Qt::LeftButton);
    SendMouse(grid, QEvent::MouseButtonRelease, h.Right - 8 + b, h.Top + 5 + b, Qt::LeftButton);
    EXPECT_EQ(1, grid->FilterColumn());
    EXPECT_EQ("4", grid->Cells(1, 1));
    grid->HideFilterDropDown();
    SendMouse(grid, QEvent::MouseButtonPress, h.Left + 10 + b, h.Top + 5 + b, Qt::LeftButton);
    SendMouse(grid, QEvent::MouseButtonRelease, h.Left + 10 + b, h.Top + 5 + b, Qt::LeftButton);
    EXPECT_EQ("1", grid->Cells(1, 1));
    EXPECT_EQ("4", grid->Cells(1, 4));
}
