// The editor cycle: typing opens the in-place edit over the cell, its text goes
// back through SetEditText as it changes, Enter closes it and Escape puts the
// old text back.
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "gridtestenv.h"

namespace {

struct EditorTest : GridFixture {
    void SetUp() override {
        GridFixture::SetUp();
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->SetCells(1, 1, "old");
        Activate();
    }
    TInplaceEdit* Editor() const { return Grid->InplaceEditor(); }
    bool EditorShown() const { return Editor() && Editor()->Visible(); }
};

} // namespace

TEST_F(EditorTest, TypingOpensTheEditorWithTheTypedCharacter) {
    EXPECT_EQ(nullptr, Editor());
    Type(Grid, "n");
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ("n", Editor()->Text());
    EXPECT_EQ("n", Grid->Cells(1, 1));
    // Placed over the cell, inside the grid's border.
    const TRect cell = Grid->CellRect(1, 1);
    EXPECT_EQ(cell.Left + Grid->BorderOffset(), Editor()->Left());
    EXPECT_EQ(cell.Top + Grid->BorderOffset(), Editor()->Top());
    EXPECT_EQ(cell.Width(), Editor()->Width());
    EXPECT_EQ(cell.Height(), Editor()->Height());
    EXPECT_TRUE(ProcessUntil([this] { return Editor()->Focused(); }));
    Type(Editor(), "ew");
    EXPECT_EQ("new", Grid->Cells(1, 1));
    ASSERT_FALSE(Grid->EditWrites.empty());
    EXPECT_EQ("1,1=new", Grid->EditWrites.back());
}

TEST_F(EditorTest, EnterClosesTheEditorAndKeepsTheText) {
    Type(Grid, "x");
    ASSERT_TRUE(EditorShown());
    SendKey(Editor(), Qt::Key_Return, "\r");
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ("x", Grid->Cells(1, 1));
    EXPECT_TRUE(ProcessUntil([this] { return Grid->Focused(); }));
}

TEST_F(EditorTest, EscapePutsTheOldTextBack) {
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ("old", Editor()->Text());
    Type(Editor(), "er");
    EXPECT_EQ("older", Grid->Cells(1, 1)); // F2 keeps the text, the caret at its end
    SendKey(Editor(), Qt::Key_Escape, "\x1b");
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ("old", Grid->Cells(1, 1));
    EXPECT_EQ("1,1=old", Grid->EditWrites.back());
}

TEST_F(EditorTest, NavigationKeysInTheEditorMoveTheGrid) {
    Key(Qt::Key_Return);
    ASSERT_TRUE(EditorShown());
    SendKey(Editor(), Qt::Key_Down);
    EXPECT_EQ(2, Grid->Row());
    EXPECT_FALSE(Grid->EditorMode()); // moving closes the editor
    Grid->SetOptions(Grid->Options() + goAlwaysShowEditor);
    ASSERT_TRUE(EditorShown());
    SendKey(Editor(), Qt::Key_Up);
    EXPECT_EQ(1, Grid->Row());
    EXPECT_TRUE(EditorShown()); // it follows the current cell
    EXPECT_EQ("old", Editor()->Text());
    EXPECT_EQ(1, Editor()->EditRow());
}

TEST_F(EditorTest, NoEditorWithoutGoEditingOrWithRowSelect) {
    Grid->SetOptions(Grid->Options() - goEditing);
    Type(Grid, "q");
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ("old", Grid->Cells(1, 1));
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing, goRowSelect});
    Key(Qt::Key_F2);
    EXPECT_FALSE(EditorShown());
}

TEST_F(EditorTest, ClickOnTheCurrentCellOpensTheEditor) {
    const TPoint p = CellCenter(1, 1);
    Click(p.X, p.Y);
    EXPECT_TRUE(EditorShown());
    const TPoint q = CellCenter(2, 2);
    Click(q.X, q.Y);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(2, Grid->Col());
}

TEST_F(EditorTest, ScrollingMovesTheEditorWithItsCell) {
    Grid->SetRowCount(60);
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    Grid->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_FALSE(Editor()->Visible()); // row 1 scrolled away
    Grid->Perform(WM_VSCROLL, SB_LINEUP);
    EXPECT_TRUE(Editor()->Visible());
    EXPECT_EQ(Grid->CellRect(1, 1).Top + Grid->BorderOffset(), Editor()->Top());
}

TEST_F(EditorTest, EditMaskAndLimitBoundTheLength) {
    Grid->OnGetEditMask = [](TObject*, int, int, std::string& Mask) { Mask = "!99\\-99;1;_"; };
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ("!99\\-99;1;_", Editor()->EditMask());
    EXPECT_EQ(5, Editor()->MaxLength());
}

TEST_F(EditorTest, TheEditorTypesThroughTheCellsMask) {
    Grid->SetCells(2, 1, "");
    // Column 1 takes a "99-99" code, column 2 free text.
    Grid->OnGetEditMask = [](TObject*, int ACol, int, std::string& Mask) {
        if (ACol == 1) Mask = "99\\-99;1;_";
    };
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    Editor()->SelectAll();
    Type(Editor(), "12x34");
    EXPECT_EQ("12-34", Editor()->Text()); // the letter is refused, the dash is the mask's
    EXPECT_EQ("12-34", Grid->Cells(1, 1));
    Type(Editor(), "5");
    EXPECT_EQ("12-34", Grid->Cells(1, 1)); // the mask is full
    SendKey(Editor(), Qt::Key_Return, "\r");
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ("", Editor()->EditMask());
    Type(Editor(), "ab-c");
    EXPECT_EQ("ab-c", Grid->Cells(2, 1)); // no mask left over from the other cell
}

TEST_F(EditorTest, AlwaysShowEditorKeepsAnEditorOnTheCurrentCell) {
    Grid->SetOptions(Grid->Options() + goAlwaysShowEditor);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ("old", Editor()->Text());
    Key(Qt::Key_Right);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(2, Editor()->EditCol());
    SendKey(Editor(), Qt::Key_Return, "\r"); // Enter does not close it
    EXPECT_TRUE(EditorShown());
    Grid->SetOptions(Grid->Options() - goAlwaysShowEditor);
    EXPECT_FALSE(EditorShown());
}

TEST_F(EditorTest, TabInTheEditorMovesOnWithGoTabs) {
    Grid->SetOptions(Grid->Options() + goTabs);
    Type(Grid, "t");
    ASSERT_TRUE(EditorShown());
    SendKey(Editor(), Qt::Key_Tab, "\t");
    EXPECT_EQ(2, Grid->Col());
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ("t", Grid->Cells(1, 1));
}

TEST_F(EditorTest, TypingOnTheGridGoesIntoAShownEditor) {
    Grid->SetOptions(Grid->Options() + goAlwaysShowEditor);
    ASSERT_TRUE(EditorShown());
    Editor()->SelectAll();
    Type(Grid, "z");
    EXPECT_EQ("z", Grid->Cells(1, 1));
}

TEST_F(EditorTest, LeftAndRightLeaveTheEditorOnlyAtTheTextsEnds) {
    Grid->SetCol(2);
    Grid->SetCells(2, 1, "abc");
    Key(Qt::Key_F2); // the caret at the end
    ASSERT_TRUE(EditorShown());
    SendKey(Editor(), Qt::Key_Left);
    EXPECT_EQ(2, Grid->Col()); // the caret moved inside the text
    EXPECT_EQ(2, Editor()->SelStart());
    SendKey(Editor(), Qt::Key_Home);
    EXPECT_EQ(0, Editor()->SelStart());
    SendKey(Editor(), Qt::Key_Left);
    EXPECT_EQ(1, Grid->Col()); // at the start: on to the grid
    EXPECT_FALSE(EditorShown());
}

namespace {

// An edit that types capitals only and refuses digits, as a descendant's
// editor with its own character filter does.
class TCapitalEdit : public TInplaceEdit {
public:
    using TInplaceEdit::TInplaceEdit;

protected:
    void KeyPress(char& Key) override {
        if (Key >= '0' && Key <= '9') Key = 0;
        if (Key >= 'a' && Key <= 'z') Key = static_cast<char>(Key - 'a' + 'A');
        TInplaceEdit::KeyPress(Key);
    }
};

class TCapitalGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;

protected:
    TInplaceEdit* CreateEditor() override { return new TCapitalEdit(this); }
};

} // namespace

TEST_F(EditorTest, TheOpeningCharacterGoesThroughTheEditorsOwnKeyHandling) {
    auto* grid = new TCapitalGrid(Form.get());
    grid->SetParent(Form.get());
    grid->SetBounds(0, 320, 300, 120);
    grid->SetOptions(grid->Options() + goEditing);
    grid->SetCells(1, 1, "old");
    grid->SetFocus();
    ASSERT_TRUE(ProcessUntil([grid] { return grid->Focused(); }));
    Type(grid, "q");
    ASSERT_NE(nullptr, grid->InplaceEditor());
    EXPECT_EQ("Q", grid->InplaceEditor()->Text());
    EXPECT_EQ("Q", grid->Cells(1, 1)); // the typed character replaced the text
    SendKey(grid->InplaceEditor(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ("old", grid->Cells(1, 1));
    // A refused opening character opens the editor on the text untouched.
    SendKey(grid, Qt::Key_7, "7");
    EXPECT_TRUE(grid->InplaceEditor()->Visible());
    EXPECT_EQ("old", grid->InplaceEditor()->Text());
    EXPECT_EQ("old", grid->Cells(1, 1));
}

TEST_F(EditorTest, BackspaceAsTheOpeningCharacterEmptiesTheCell) {
    // A descendant opens the editor with Backspace as its first key.
    Grid->ShowEditorChar('\b');
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ("", Editor()->Text());
    EXPECT_EQ("", Grid->Cells(1, 1));
}

// The editor lies inside its cell without a frame of its own; the flat look
// of the form, given and taken back, leaves it so.
TEST_F(EditorTest, TheFramelessEditorStaysFramelessInEitherLook) {
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    const auto edge = [this] {
        const QImage image = Editor()->Widget()->grab().toImage();
        return image.pixelColor(0, image.height() / 2).rgb();
    };
    const QRgb plain = edge();
    Form->SetCtl3D(false);
    EXPECT_EQ(plain, edge()) << "no single-line frame";
    Form->SetCtl3D(true);
    EXPECT_EQ(plain, edge()) << "no sunken frame";
}
