// The grid's keyboard, through real Qt key events sent to a shown grid: Home
// and End by row, Tab across rows and out of the grid, fixed cells skipped,
// Insert and Delete of rows, Ctrl+A, disjunct row selection and the keypad's
// decimal key.
#include <QString>

#include "formatscope.h"
#include "gridfixture.h"
#include "platform/vcl/stdctrls.h"
#include "vcltestenv.h"

namespace {

class KeysTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Fill(5, 8);
        Grid->SetFixedCols(1);
    }
    void Key(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier, const QString& Text = {}) {
        SendKey(Grid, QtKey, Text, Mods);
    }
    void GoTo(int ACol, int ARow) {
        Grid->SetCol(ACol);
        Grid->SetRow(ARow);
    }
    TGridCoord At() const { return {Grid->Col(), Grid->Row()}; }
};

TGridCoord C(int X, int Y) {
    return {X, Y};
}

} // namespace

TEST_F(KeysTest, HomeAndEndGoToTheFirstAndLastNormalRowWhenAskedTo) {
    Grid->SetFixedFooters(1);
    FocusGrid();
    GoTo(2, 3);
    Key(Qt::Key_End);
    EXPECT_EQ(C(4, 3), At()) << "by default End goes to the last column of the row";
    Key(Qt::Key_Home);
    EXPECT_EQ(C(1, 3), At());
    Grid->Navigation()->HomeEndKey = heFirstLastRow;
    GoTo(3, 4);
    Key(Qt::Key_Home);
    EXPECT_EQ(C(3, 1), At());
    Key(Qt::Key_End);
    EXPECT_EQ(C(3, 6), At());
}

TEST_F(KeysTest, TabWalksAcrossRowsOverMergedCellsAndWraps) {
    Grid->SetOptions(Grid->Options() + goTabs);
    Grid->MergeCells(2, 1, 2, 1); // columns 2 and 3 of row 1 are one cell
    FocusGrid();
    GoTo(1, 1);
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(C(2, 1), At());
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(C(4, 1), At()) << "the merged cell is left as a whole";
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(C(1, 2), At()) << "past the last column the next row starts";
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(C(4, 1), At());
    // Top to bottom: down the column, then the next column.
    Grid->Navigation()->TabAdvanceDirection = adTopBottom;
    GoTo(1, 7);
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(C(2, 1), At());
    // Past the very last cell the Tab wraps to the first one.
    Grid->Navigation()->TabAdvanceDirection = adLeftRight;
    GoTo(4, 7);
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(C(1, 1), At());
    EXPECT_TRUE(Grid->Focused());
}

TEST_F(KeysTest, TabAtTheEndPassesTheFocusOnWhenAskedTo) {
    auto* edit = new TEdit(Form.get()); // owned by the form
    edit->SetParent(Form.get());
    edit->SetBounds(0, 420, 100, 24);
    Grid->SetOptions(Grid->Options() + goTabs);
    Grid->Navigation()->TabToNextAtEnd = true;
    FocusGrid();
    GoTo(4, 7);
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(C(1, 1), At());
    EXPECT_TRUE(ProcessUntil([edit] { return edit->Focused(); }));
}

TEST_F(KeysTest, TabEndsOnAGridWhereNoCellTakesTheFocus) {
    Grid->SetOptions(Grid->Options() + goTabs);
    FocusGrid();
    GoTo(2, 2);
    int asked = 0;
    Grid->OnSelectCell = [&](TObject*, int, int, bool& CanSelect) {
        ++asked;
        CanSelect = false;
    };
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(C(2, 2), At());
    EXPECT_LE(asked, 4 * 7 + 1) << "every cell asked at most once";
    EXPECT_GT(asked, 0);
}

TEST_F(KeysTest, ArrowsSkipFixedCellsAndNeverEnterTheFixedRightColumns) {
    Grid->OnIsFixedCell = [](TObject*, int, int ACol, bool& IsFixed) {
        if (ACol == 2) IsFixed = true;
    };
    Grid->SetFixedRightCols(1);
    FocusGrid();
    GoTo(1, 3);
    Key(Qt::Key_Right);
    EXPECT_EQ(C(3, 3), At());
    Key(Qt::Key_Right);
    EXPECT_EQ(C(3, 3), At()) << "column 4 is a fixed right column";
    Key(Qt::Key_Left);
    EXPECT_EQ(C(1, 3), At());
    Grid->Navigation()->SkipFixedCells = false;
    Key(Qt::Key_Right);
    EXPECT_EQ(C(2, 3), At());
}

TEST_F(KeysTest, InsertAddsARowBeforeOrAfterTheCurrentOne) {
    Grid->Navigation()->AllowInsertRow = true;
    std::vector<int> inserted;
    Grid->OnAutoInsertRow = [&](TObject*, int ARow) { inserted.push_back(ARow); };
    FocusGrid();
    GoTo(1, 3);
    Key(Qt::Key_Insert);
    ASSERT_EQ(9, Grid->RowCount());
    EXPECT_EQ("", Grid->Cells(1, 3));
    EXPECT_EQ(Name(1, 3), Grid->Cells(1, 4));
    Grid->Navigation()->InsertPosition = pInsertAfter;
    GoTo(1, 5);
    Key(Qt::Key_Insert);
    ASSERT_EQ(10, Grid->RowCount());
    EXPECT_EQ("", Grid->Cells(1, 6));
    EXPECT_EQ(6, Grid->Row());
    EXPECT_EQ((std::vector<int>{3, 6}), inserted);
    // Refused by the event, or with a modifier held: no row.
    Grid->OnCanInsertRow = [](TObject*, int, bool& Allow) { Allow = false; };
    Key(Qt::Key_Insert);
    Grid->OnCanInsertRow = nullptr;
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(10, Grid->RowCount());
}

TEST_F(KeysTest, InsertAfterTheLastNormalRowKeepsTheFootersLast) {
    Grid->SetFixedFooters(1);
    Grid->Navigation()->AllowInsertRow = true;
    Grid->Navigation()->InsertPosition = pInsertAfter;
    FocusGrid();
    GoTo(1, 7); // the footer row
    Key(Qt::Key_Insert);
    ASSERT_EQ(9, Grid->RowCount());
    EXPECT_EQ(Name(1, 7), Grid->Cells(1, 8)) << "the footer stays the last row";
    EXPECT_EQ("", Grid->Cells(1, 7));
}

TEST_F(KeysTest, DeleteRemovesTheRowButEmptiesTheOnlyOne) {
    Grid->Navigation()->AllowDeleteRow = true;
    std::vector<int> deleted;
    Grid->OnAutoDeleteRow = [&](TObject*, int ARow) { deleted.push_back(ARow); };
    FocusGrid();
    GoTo(1, 2);
    Key(Qt::Key_Delete);
    ASSERT_EQ(7, Grid->RowCount());
    EXPECT_EQ(Name(1, 3), Grid->Cells(1, 2));
    Grid->OnCanDeleteRow = [](TObject*, int, bool& Allow) { Allow = false; };
    Key(Qt::Key_Delete);
    EXPECT_EQ(7, Grid->RowCount());
    Grid->OnCanDeleteRow = nullptr;

    Grid->SetRowCount(2);
    GoTo(1, 1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(2, Grid->RowCount());
    EXPECT_EQ(1, Grid->FixedRows()) << "the header stays a header";
    EXPECT_EQ("", Grid->Cells(1, 1));
    EXPECT_EQ(Name(1, 0), Grid->Cells(1, 0));
    EXPECT_EQ((std::vector<int>{2, 1}), deleted);
}

TEST_F(KeysTest, DeleteNeverRemovesAFooterOrHeader) {
    Grid->SetFixedFooters(1);
    Grid->Navigation()->AllowDeleteRow = true;
    FocusGrid();
    GoTo(1, 7);
    Key(Qt::Key_Delete);
    EXPECT_EQ(8, Grid->RowCount());
    EXPECT_EQ(Name(1, 7), Grid->Cells(1, 7));
}

TEST_F(KeysTest, CtrlASelectsTheNormalArea) {
    Grid->SetFixedFooters(1);
    Grid->SetFixedRightCols(1);
    FocusGrid();
    Key(Qt::Key_A, Qt::ControlModifier, "\x01");
    EXPECT_EQ((TGridRect{1, 1, 3, 6}), Grid->Selection());
    Grid->SetOptions(Grid->Options() - goRangeSelect);
    GoTo(2, 2);
    Key(Qt::Key_A, Qt::ControlModifier, "\x01");
    EXPECT_EQ((TGridRect{2, 2, 2, 2}), Grid->Selection());
}

TEST_F(KeysTest, DisjunctRowsFollowTheKeysAndSpaceTogglesTheRow) {
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    FocusGrid();
    GoTo(1, 2);
    Key(Qt::Key_Down);
    EXPECT_TRUE(Grid->GetRowSelect(3));
    EXPECT_FALSE(Grid->GetRowSelect(2));
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_TRUE(Grid->GetRowSelect(3)) << "Ctrl keeps the rows chosen before";
    EXPECT_TRUE(Grid->GetRowSelect(4));
    Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_FALSE(Grid->GetRowSelect(4));
    Key(Qt::Key_Down);
    EXPECT_FALSE(Grid->GetRowSelect(3));
    EXPECT_TRUE(Grid->GetRowSelect(5));
}

TEST_F(KeysTest, TheKeypadDecimalKeyTypesTheDecimalSeparator) {
    FormatScope scope;
    FormatSettings().DecimalSeparator = ',';
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->ExcelStyleDecimalSeparator = true;
    FocusGrid();
    GoTo(1, 1);
    Key(Qt::Key_Period, Qt::KeypadModifier, ".");
    ASSERT_TRUE(Grid->EditorMode());
    EXPECT_EQ(",", Grid->Cells(1, 1));
    SendKey(Grid->InplaceEditor(), Qt::Key_Escape, "\x1b");
    GoTo(2, 2);
    Key(Qt::Key_Period, Qt::NoModifier, ".");
    EXPECT_EQ(".", Grid->Cells(2, 2)) << "the main keyboard's point stays a point";
}

TEST_F(KeysTest, TypingOnACheckBoxCellOpensNoEditor) {
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->CreateCellGraphic(2, 2)->CellType = ctCheckBox;
    FocusGrid();
    GoTo(2, 2);
    Key(Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Name(2, 2), Grid->Cells(2, 2));
    GoTo(1, 2);
    Key(Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_TRUE(Grid->EditorMode());
}

TEST_F(KeysTest, ClipboardControlCharactersOpenNoEditorWithShortCuts) {
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->Navigation()->AllowClipboardShortCuts = true;
    FocusGrid();
    GoTo(1, 1);
    Key(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Name(1, 1), Grid->Cells(1, 1));
}

TEST_F(KeysTest, ClearingTheGridOrRemovingTheNodeRowsFreesColumnZero) {
    Grid->SetFixedCols(0);
    Grid->SetOptions(Grid->Options() + goTabs);
    Grid->AddNode(2, 3);
    Grid->AddNode(5, 2);
    FocusGrid();
    auto tabFromRowEnd = [this] {
        GoTo(4, 1);
        Key(Qt::Key_Tab);
        return At();
    };
    EXPECT_EQ(C(1, 2), tabFromRowEnd()) << "a node column is passed by";
    Grid->RemoveRows(5, 1);
    EXPECT_EQ(C(1, 2), tabFromRowEnd()) << "one node is left";
    Grid->ClearGrid();
    EXPECT_EQ(Grid->GetNodeIndent(2), 0);
    EXPECT_EQ(C(0, 2), tabFromRowEnd());
    // A node row removed takes its node along.
    Grid->AddNode(3, 2);
    Grid->RemoveRows(3, 1);
    EXPECT_EQ(C(0, 2), tabFromRowEnd());
}
