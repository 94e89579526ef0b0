// The clipboard shortcuts and typing that finds a row, through real Qt key
// events sent to a shown grid.
#include <QString>

#include "gridfixture.h"
#include "platform/vcl/clipbrd.h"
#include "vcltestenv.h"

namespace {

class ClipKeysTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Fill(5, 8);
        Grid->SetFixedCols(1);
        Grid->SetOptions(Grid->Options() + goEditing + goRangeSelect);
        FocusGrid();
        Clipboard()->SetAsText("untouched");
    }
    void Key(int QtKey, Qt::KeyboardModifiers Mods, const QString& Text = {}) {
        SendKey(Grid, QtKey, Text, Mods);
    }
    void Select(int L, int T, int R, int B) {
        Grid->FocusCell(L, T, true);
        Grid->SetSelection(TGridRect{L, T, R, B});
    }
};

} // namespace

TEST_F(ClipKeysTest, WithoutTheOptionTheKeysLeaveClipboardAndCellsAlone) {
    Select(1, 1, 2, 2);
    Key(Qt::Key_C, Qt::ControlModifier, "\x03");
    Key(Qt::Key_X, Qt::ControlModifier, "\x18");
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ("untouched", Clipboard()->AsText());
    EXPECT_EQ(Name(1, 1), Grid->Cells(1, 1));
    EXPECT_EQ(Name(2, 2), Grid->Cells(2, 2));
}

TEST_F(ClipKeysTest, CopyCutAndPasteByTheirShortcuts) {
    Grid->Navigation()->AllowClipboardShortCuts = true;
    Grid->Navigation()->AllowInsertRow = true;
    Grid->Navigation()->AllowDeleteRow = true;
    Select(1, 1, 2, 2);
    Key(Qt::Key_C, Qt::ControlModifier, "\x03");
    EXPECT_EQ("c1r1\tc2r1\r\nc1r2\tc2r2", Clipboard()->AsText());
    EXPECT_EQ(Name(1, 1), Grid->Cells(1, 1)) << "a copy leaves the cells";
    // Pasted at the top-left of the selection.
    Select(3, 5, 3, 5);
    Key(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ("c1r1", Grid->Cells(3, 5));
    EXPECT_EQ("c2r1", Grid->Cells(4, 5));
    EXPECT_EQ("c2r2", Grid->Cells(4, 6));
    EXPECT_EQ(Name(3, 7), Grid->Cells(3, 7));
    // Ctrl+X cuts; Shift+Insert pastes it elsewhere.
    Select(2, 3, 2, 4);
    Key(Qt::Key_X, Qt::ControlModifier, "\x18");
    EXPECT_EQ("c2r3\r\nc2r4", Clipboard()->AsText());
    EXPECT_EQ("", Grid->Cells(2, 3));
    EXPECT_EQ("", Grid->Cells(2, 4));
    Select(1, 6, 1, 6);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ("c2r3", Grid->Cells(1, 6));
    EXPECT_EQ("c2r4", Grid->Cells(1, 7));
    // Ctrl+Insert copies, Shift+Delete cuts.
    Select(4, 1, 4, 1);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ("c4r1", Clipboard()->AsText());
    EXPECT_EQ("c4r1", Grid->Cells(4, 1));
    Select(3, 2, 3, 2);
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ("c3r2", Clipboard()->AsText());
    EXPECT_EQ("", Grid->Cells(3, 2));
    EXPECT_EQ(8, Grid->RowCount()) << "Shift+Insert and Shift+Delete touch no rows";
}

TEST_F(ClipKeysTest, EachTransferAsksTheApplicationFirst) {
    Grid->Navigation()->AllowClipboardShortCuts = true;
    std::string asked;
    bool allow = false;
    auto ask = [&](const char* What) {
        return [&, What](TObject*, bool& Allow) {
            asked += What;
            Allow = allow;
        };
    };
    Grid->OnClipboardCopy = ask("copy ");
    Grid->OnClipboardCut = ask("cut ");
    Grid->OnClipboardPaste = ask("paste ");
    Select(1, 1, 1, 1);
    Key(Qt::Key_C, Qt::ControlModifier, "\x03");
    Key(Qt::Key_X, Qt::ControlModifier, "\x18");
    Key(Qt::Key_V, Qt::ControlModifier, "\x16");
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ("copy cut paste cut paste ", asked);
    EXPECT_EQ("untouched", Clipboard()->AsText());
    EXPECT_EQ(Name(1, 1), Grid->Cells(1, 1));
    allow = true;
    Key(Qt::Key_X, Qt::ControlModifier, "\x18");
    EXPECT_EQ(Name(1, 1), Clipboard()->AsText());
    EXPECT_EQ("", Grid->Cells(1, 1));
}

TEST_F(ClipKeysTest, AWideCellPastesAsItselfThroughTheWideEvent) {
    Grid->Navigation()->AllowClipboardShortCuts = true;
    Grid->Navigation()->AllowSmartClipboard = true;
    const std::u16string wide = u"Łódź Ωμέγα";
    Grid->SetWideCells(1, 1, wide);
    std::string narrowAsked;
    std::u16string wideAsked;
    Grid->OnClipboardBeforePasteCell = [&](TObject*, int, int, std::string& V, bool&) {
        narrowAsked += V;
    };
    Grid->OnClipboardBeforePasteWideCell = [&](TObject*, int ACol, int ARow, std::u16string& V,
                                               bool& Allow) {
        wideAsked += V + u";";
        Allow = ACol != 3 || ARow != 3;
    };
    // Pasted into one cell, then spread over the selection by the smart paste.
    for (const bool own : {false, true}) {
        Grid->Navigation()->AllowFmtClipboard = own;
        Select(1, 1, 1, 1);
        Key(Qt::Key_C, Qt::ControlModifier, "\x03");
        Select(2, 2, 3, 3);
        Key(Qt::Key_V, Qt::ControlModifier, "\x16");
        EXPECT_EQ(wide, Grid->WideCells(2, 2)) << own;
        EXPECT_EQ(wide, Grid->WideCells(3, 2)) << own;
        EXPECT_EQ(wide, Grid->WideCells(2, 3)) << own;
        EXPECT_EQ(Name(3, 3), Grid->Cells(3, 3)) << "the event refused it";
    }
    EXPECT_EQ("", narrowAsked);
    EXPECT_EQ(7 * (wide.size() + 1), wideAsked.size()) << "the cell stream's own cell is not asked";
    // Text that starts as a wide cell does is kept as the text it is.
    Clipboard()->SetAsText("|\\x");
    Select(4, 4, 4, 4);
    Key(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ(u"|\\x", Grid->WideCells(4, 4));
}

TEST_F(ClipKeysTest, AnOpenEditorKeepsItsClipboardKeys) {
    Grid->Navigation()->AllowClipboardShortCuts = true;
    Select(2, 2, 2, 2);
    Key(Qt::Key_F2, Qt::NoModifier);
    ASSERT_TRUE(Grid->EditorMode());
    SendKey(Grid->InplaceEditor(), Qt::Key_X, "\x18", Qt::ControlModifier);
    SendKey(Grid->InplaceEditor(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(Name(2, 2), Grid->Cells(2, 2)) << "the grid cut nothing under the editor";
}

TEST_F(ClipKeysTest, ACutSparesWhatCannotBeEdited) {
    Grid->Navigation()->AllowClipboardShortCuts = true;
    Grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
        CanEdit = !(ARow == 2 && ACol == 2);
    };
    Select(1, 2, 3, 2);
    Key(Qt::Key_X, Qt::ControlModifier, "\x18");
    EXPECT_EQ("c1r2\tc2r2\tc3r2", Clipboard()->AsText()) << "all of it is copied";
    EXPECT_EQ("", Grid->Cells(1, 2));
    EXPECT_EQ(Name(2, 2), Grid->Cells(2, 2));
    EXPECT_EQ("", Grid->Cells(3, 2));
    // A grid that is not edited loses nothing to a cut.
    Grid->SetOptions(Grid->Options() - goEditing);
    Select(1, 4, 2, 4);
    Key(Qt::Key_X, Qt::ControlModifier, "\x18");
    EXPECT_EQ("c1r4\tc2r4", Clipboard()->AsText());
    EXPECT_EQ(Name(1, 4), Grid->Cells(1, 4));
}

TEST_F(ClipKeysTest, TypingFindsARowByItsFirstLetters) {
    Grid->SetOptions(Grid->Options() - goEditing);
    const char* names[] = {"Akker", "Bakker", "Brouwer", "Bruin", "Dekker", "Visser", "Vos"};
    for (int r = 1; r < 8; ++r)
        Grid->SetCells(1, r, names[r - 1]);
    Grid->FocusCell(2, 1, true);
    Key(Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(1, Grid->Row()) << "without AutoGotoWhenSorted typing finds nothing";
    Grid->Navigation()->AutoGotoWhenSorted = true;
    Key(Qt::Key_V, Qt::NoModifier, "v");
    EXPECT_EQ(6, Grid->Row());
    Key(Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(2, Grid->Row()) << "each letter starts anew";
    Grid->Navigation()->AutoGotoIncremental = true;
    Key(Qt::Key_Down, Qt::NoModifier); // navigation empties the typed text
    for (const char* k : {"b", "r", "u"})
        Key(Qt::Key_A + (k[0] - 'a'), Qt::NoModifier, k);
    EXPECT_EQ(4, Grid->Row()) << "b, r, u: Bruin";
    Key(Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(3, Grid->Row()) << "Backspace takes the u back: Br finds Brouwer";
    Key(Qt::Key_Escape, Qt::NoModifier, "\x1b");
    Key(Qt::Key_U, Qt::NoModifier, "u");
    EXPECT_EQ(4, Grid->Row()) << "Esc is no part of the text: Bru finds Bruin again";
    // An undone sort leaves no sort column; the lookup reads column 1.
    Grid->SortSettings()->Show = true;
    Grid->SortSettings()->Column = -1;
    EXPECT_EQ(5, Grid->LookupRow("DEK"));
}
