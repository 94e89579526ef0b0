// The change recorder and its grid free in any order: a cell edited through
// real keys after the recorder went, and the recorder outliving its grid.
#include "gridfixture.h"
#include "vcltestenv.h"

namespace {

class UndoTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Fill(4, 4);
        Grid->SetOptions(Grid->Options() + goEditing);
        FocusGrid();
    }
    // Types "x" into cell (1, 1) and commits it with Enter.
    void EditOneCell() {
        Grid->FocusCell(1, 1, true);
        SendKey(Grid, Qt::Key_X, "x");
        ASSERT_NE(Grid->InplaceEditor(), nullptr);
        SendKey(Grid->InplaceEditor(), Qt::Key_Return, "\r");
        EXPECT_EQ(Grid->Cells(1, 1), "x");
    }
};

} // namespace

TEST_F(UndoTest, AnUnownedRecorderFreedFirstLeavesTheGridEditable) {
    auto undo = std::make_unique<TExtGridUndoRedo>(nullptr);
    Grid->SetUndoRedo(undo.get());
    EditOneCell();
    EXPECT_EQ(undo->Changes()->Count(), 1);
    undo.reset();
    EXPECT_EQ(Grid->UndoRedo(), nullptr);
    Grid->FocusCell(2, 2, true);
    SendKey(Grid, Qt::Key_Y, "y");
    SendKey(Grid->InplaceEditor(), Qt::Key_Return, "\r");
    EXPECT_EQ(Grid->Cells(2, 2), "y");
}

TEST_F(UndoTest, AnUnownedRecorderFreedLastForgetsItsGrid) {
    auto undo = std::make_unique<TExtGridUndoRedo>(nullptr);
    Grid->SetUndoRedo(undo.get());
    EditOneCell();
    Form.reset(); // the grid goes with its form
    EXPECT_EQ(undo->Grid(), nullptr);
    undo->AddChange(0, 0, "a", "b");
    undo.reset();
}

TEST_F(UndoTest, RecordersOwnedByTheFormGoWithIt) {
    // The form frees last made first: one recorder goes before its grid, one after.
    auto* early = new TExtGridUndoRedo(Form.get());
    auto* grid2 = new TExtStringGrid(Form.get());
    grid2->SetParent(Form.get());
    grid2->SetUndoRedo(early);
    Grid->SetUndoRedo(new TExtGridUndoRedo(Form.get()));
    EditOneCell();
    EXPECT_EQ(Grid->UndoRedo()->Changes()->Count(), 1);
    Form.reset();
}
