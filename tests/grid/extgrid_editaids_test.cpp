// What helps typing in the grid, through real keys: completion from
// LookupItems, walking out of the editor with the arrows, the combo list as
// wide as its items, the row and column change events and tags in the editor.
#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QString>

#include "grid/grideditors.h"
#include "gridfixture.h"
#include "vcltestenv.h"

namespace {

class EditAidsTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Fill(4, 5);
        Grid->SetOptions(Grid->Options() + goEditing);
        FocusGrid();
        Grid->FocusCell(1, 1, true);
    }
    TInplaceEdit* Editor() const {
        TInplaceEdit* e = Grid->InplaceEditor();
        return e && e->Visible() ? e : nullptr;
    }
    // Letters typed where the focus is: the grid opens its editor with the first.
    void Type(const std::string& Letters) {
        for (const char c : Letters) {
            TControl* target = Editor() ? static_cast<TControl*>(Editor()) : Grid;
            SendKey(target, Qt::Key_A + (std::toupper(c) - 'A'), QString(QChar(c)));
        }
    }
    // Cell (1, 1) holding "rood" edited in the combo list "rood", "groen"
    // (with Marker), opened; every change the grid tells is noted.
    TGridCombo* OpenWatchedCombo() {
        Grid->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& AEditor) {
            if (ACol == 1) AEditor = edComboList;
        };
        TGridCombo* combo = Grid->Combobox();
        combo->Items()->Add("rood");
        combo->Items()->AddObject("groen", &Marker);
        Grid->OnComboChange = [this](TObject*, int ACol, int ARow, int Index,
                                     const std::string& Text) {
            Told.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + ":" +
                           std::to_string(Index) + " " + Text);
        };
        Grid->OnComboObjectChange = [this](TObject*, int, int, int, const std::string&,
                                           TObject* AObject) { Object = AObject; };
        Grid->SetCells(1, 1, "rood");
        SendKey(Grid, Qt::Key_F2);
        return combo;
    }
    TObject Marker;
    std::vector<std::string> Told;
    TObject* Object = nullptr;
};

} // namespace

TEST_F(EditAidsTest, TypingCompletesFromTheLookupItems) {
    Grid->LookupItems()->Add("Amsterdam");
    Grid->LookupItems()->Add("Arnhem");
    Grid->Lookup = true;
    Type("ar");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "arnhem");
    EXPECT_EQ(Editor()->SelStart(), 2);
    EXPECT_EQ(Editor()->SelLength(), 4);
    // The next letter replaces the completed tail and completes again.
    Type("n");
    EXPECT_EQ(Editor()->Text(), "arnhem");
    EXPECT_EQ(Editor()->SelStart(), 3);
    // Backspace takes the tail away and completes nothing.
    SendKey(Editor(), Qt::Key_Backspace, "\b");
    EXPECT_EQ(Editor()->Text(), "arn");
    SendKey(Editor(), Qt::Key_Return, "\r");
    EXPECT_EQ(Grid->Cells(1, 1), "arn");
    // Case counts when asked to.
    Grid->LookupCaseSensitive = true;
    Grid->FocusCell(1, 2, true);
    Type("am");
    EXPECT_EQ(Editor()->Text(), "am");
    SendKey(Editor(), Qt::Key_Escape);
}

TEST_F(EditAidsTest, TheArrowsWalkOutOfTheEditorAtTheEndsOfTheText) {
    Grid->Navigation()->CursorWalkEditor = true;
    Type("x");
    ASSERT_NE(Editor(), nullptr);
    SendKey(Editor(), Qt::Key_Right);
    EXPECT_EQ(Grid->Cells(1, 1), "x");
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Editor(), nullptr);
    // Inside the text the arrows move the caret; at its start Left leaves.
    SendKey(Grid, Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    SendKey(Editor(), Qt::Key_Home);
    SendKey(Editor(), Qt::Key_Right);
    EXPECT_EQ(Grid->Col(), 2);
    SendKey(Editor(), Qt::Key_Left);
    EXPECT_EQ(Grid->Col(), 2);
    SendKey(Editor(), Qt::Key_Left);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Cells(2, 1), "c2r1");
    // Never into the fixed column: Left at the first cell of a row goes back
    // to the end of the row above, as Shift+Enter would.
    Grid->FocusCell(1, 2, true);
    SendKey(Grid, Qt::Key_F2);
    SendKey(Editor(), Qt::Key_Home);
    SendKey(Editor(), Qt::Key_Left);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(EditAidsTest, TheWalkAdvancesAlongTheRowAndStopsOnACellControl) {
    Grid->Navigation()->CursorWalkEditor = true;
    Grid->Navigation()->AdvanceDirection = adTopBottom; // Enter goes down, the walk does not
    // Column 2 of row 1 takes no editing: the walk passes it.
    Grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
        if (ACol == 2 && ARow == 1) CanEdit = false;
    };
    Type("x");
    SendKey(Editor(), Qt::Key_Right);
    EXPECT_EQ(Grid->Cells(1, 1), "x");
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Grid->Navigation()->AdvanceDirection, adTopBottom);
    // At the row's end the walk goes on in the next row.
    SendKey(Grid, Qt::Key_F2); // the caret at the end of the text
    SendKey(Editor(), Qt::Key_Right);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    // A check box beside the cell: the walk stops on it, though it could not
    // be edited as text.
    Grid->AddCheckBox(2, 2, false, false);
    Grid->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) {
        if (ACol == 2) CanEdit = false;
    };
    SendKey(Grid, Qt::Key_F2); // the caret at the end of the text
    SendKey(Editor(), Qt::Key_Right);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Editor(), nullptr);
    // So also on a check box in the last column and in the first.
    Grid->AddCheckBox(3, 3, false, false);
    Grid->AddCheckBox(1, 4, false, false);
    Grid->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) {
        if (ACol != 2) CanEdit = false;
    };
    Grid->FocusCell(2, 3, true);
    SendKey(Grid, Qt::Key_F2);
    SendKey(Editor(), Qt::Key_Right);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 3);
    Grid->FocusCell(2, 4, true);
    SendKey(Grid, Qt::Key_F2);
    SendKey(Editor(), Qt::Key_Home);
    SendKey(Editor(), Qt::Key_Left);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 4);
}

TEST_F(EditAidsTest, ADoubleClickInTheEditorIsOneOnTheCell) {
    std::vector<std::pair<int, int>> clicked;
    Grid->OnDblClickCell = [&](TObject*, int ARow, int ACol) { clicked.emplace_back(ACol, ARow); };
    Grid->FocusCell(2, 3, true);
    Type("x");
    ASSERT_NE(Editor(), nullptr);
    SendMouse(Editor(), QEvent::MouseButtonPress, 3, 3, Qt::LeftButton);
    SendMouse(Editor(), QEvent::MouseButtonRelease, 3, 3, Qt::LeftButton);
    SendMouse(Editor(), QEvent::MouseButtonDblClick, 3, 3, Qt::LeftButton);
    SendMouse(Editor(), QEvent::MouseButtonRelease, 3, 3, Qt::LeftButton);
    EXPECT_EQ(clicked, (std::vector<std::pair<int, int>>{{2, 3}}));
    EXPECT_NE(Editor(), nullptr) << "the edit goes on";
    // The multi-line editor of a cell that takes line breaks alike.
    SendKey(Editor(), Qt::Key_Escape);
    Grid->Navigation()->LineFeedOnEnter = true;
    Grid->FocusCell(3, 2, true);
    SendKey(Grid, Qt::Key_Y, "y");
    TGridMemo* memo = Grid->MemoEdit();
    ASSERT_TRUE(memo->Visible());
    SendMouse(memo, QEvent::MouseButtonPress, 3, 3, Qt::LeftButton);
    SendMouse(memo, QEvent::MouseButtonRelease, 3, 3, Qt::LeftButton);
    SendMouse(memo, QEvent::MouseButtonDblClick, 3, 3, Qt::LeftButton);
    SendMouse(memo, QEvent::MouseButtonRelease, 3, 3, Qt::LeftButton);
    EXPECT_EQ(clicked, (std::vector<std::pair<int, int>>{{2, 3}, {3, 2}}));
}

TEST_F(EditAidsTest, AComboListIsAsWideAsItsWidestItemWhenAsked) {
    const std::string wide = "een heel lange keuze uit de lijst";
    Grid->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& AEditor) {
        if (ACol == 1) AEditor = edComboList;
    };
    TGridCombo* combo = Grid->Combobox();
    combo->Items()->Add("kort");
    combo->Items()->Add(wide);
    combo->Items()->Add("ook kort");
    combo->SetDropDownCount(2); // a scroll bar: 25 pixels beside the text
    SendKey(Grid, Qt::Key_F2);
    EXPECT_EQ(combo->DroppedWidth(), 0);
    SendKey(combo, Qt::Key_Escape);
    Grid->Navigation()->AutoComboDropSize = true;
    SendKey(Grid, Qt::Key_F2);
    EXPECT_EQ(combo->DroppedWidth(), Grid->Canvas()->TextWidth(wide) + 25);
    SendKey(combo, Qt::Key_Escape);
    combo->SetDropDownCount(8); // no scroll bar: 8 pixels
    SendKey(Grid, Qt::Key_F2);
    EXPECT_EQ(combo->DroppedWidth(), Grid->Canvas()->TextWidth(wide) + 8);
    SendKey(combo, Qt::Key_Escape);
}

TEST_F(EditAidsTest, RowAndColumnChangesAskFirst) {
    std::vector<std::string> asked;
    bool allowRow = false;
    Grid->OnRowChanging = [&](TObject*, int OldRow, int NewRow, bool& Allow) {
        asked.push_back("row " + std::to_string(OldRow) + ">" + std::to_string(NewRow));
        Allow = allowRow;
    };
    Grid->OnColChanging = [&](TObject*, int OldCol, int NewCol, bool& Allow) {
        asked.push_back("col " + std::to_string(OldCol) + ">" + std::to_string(NewCol));
    };
    bool allowCell = true;
    Grid->OnCellChanging = [&](TObject*, int OldRow, int OldCol, int NewRow, int NewCol,
                               bool& Allow) {
        asked.push_back("cell " + std::to_string(OldCol) + "," + std::to_string(OldRow) + ">" +
                        std::to_string(NewCol) + "," + std::to_string(NewRow));
        Allow = allowCell;
    };
    auto click = [this](int ACol, int ARow) {
        const TRect r = Grid->CellRect(ACol, ARow);
        const int x = (r.Left + r.Right) / 2 + Grid->BorderOffset();
        const int y = (r.Top + r.Bottom) / 2 + Grid->BorderOffset();
        SendMouse(Grid, QEvent::MouseButtonPress, x, y, Qt::LeftButton);
        SendMouse(Grid, QEvent::MouseButtonRelease, x, y, Qt::LeftButton);
    };
    SendKey(Grid, Qt::Key_Down);
    EXPECT_EQ(Grid->Row(), 1); // refused
    allowRow = true;
    SendKey(Grid, Qt::Key_Down);
    EXPECT_EQ(Grid->Row(), 2);
    SendKey(Grid, Qt::Key_Right);
    EXPECT_EQ(Grid->Col(), 2);
    // The cell's own question, after the row's and the column's: refused, a
    // click or a key keeps the current cell.
    allowCell = false;
    click(3, 3);
    SendKey(Grid, Qt::Key_Right);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 2);
    allowCell = true;
    click(3, 3);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 3);
    // Tab from the last column to the next row asks each question once.
    Grid->SetOptions(Grid->Options() + goTabs);
    SendKey(Grid, Qt::Key_Tab, "\t");
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 4);
    EXPECT_EQ(asked, (std::vector<std::string>{
                         "row 1>2", "row 1>2", "cell 1,1>1,2", "col 1>2", "cell 1,2>2,2", "row 2>3",
                         "col 2>3", "cell 2,2>3,3", "col 2>3", "cell 2,2>3,2", "row 2>3", "col 2>3",
                         "cell 2,2>3,3", "row 3>4", "col 3>1", "cell 3,3>1,4"}));
}

TEST_F(EditAidsTest, TagsAreStrippedForTheEditorUnlessWanted) {
    Grid->SetCells(1, 1, "<B>vet</B> tekst");
    SendKey(Grid, Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "vet tekst");
    SendKey(Editor(), Qt::Key_Escape);
    EXPECT_EQ(Grid->Cells(1, 1), "<B>vet</B> tekst");
    Grid->EditWithTags = true;
    SendKey(Grid, Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "<B>vet</B> tekst");
    SendKey(Editor(), Qt::Key_Escape);
}

TEST_F(EditAidsTest, TheWheelStepsTheComboEditorAndTellsTheChange) {
    TGridCombo* combo = OpenWatchedCombo();
    ASSERT_TRUE(combo->Visible());
    SendWheel(combo, 10, 10, 120); // away from the user: not above the first
    EXPECT_EQ(combo->ItemIndex(), 0);
    SendWheel(combo, 10, 10, -120);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(Object, &Marker);
    SendWheel(combo, 10, 10, -120); // past the last: nothing
    EXPECT_EQ(Told, (std::vector<std::string>{"1,1:1 groen"}));
    SendKey(combo, Qt::Key_Return, "\r");
    EXPECT_EQ(Grid->Cells(1, 1), "groen");
}

TEST_F(EditAidsTest, AnItemChosenFromTheComboEditorsListTellsTheChange) {
    TGridCombo* combo = OpenWatchedCombo();
    ASSERT_TRUE(combo->Visible());
    SendKey(combo, Qt::Key_Down, QString(), Qt::AltModifier);
    ASSERT_TRUE(ProcessUntil([combo] { return combo->DroppedDown(); }));
    // The list is the open popup: Down walks it to the second item, Enter
    // chooses that one.
    auto* list = QApplication::activePopupWidget()->findChild<QAbstractItemView*>();
    ASSERT_NE(list, nullptr);
    for (const int key : {Qt::Key_Down, Qt::Key_Return}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
    }
    ASSERT_TRUE(ProcessUntil([combo] { return !combo->DroppedDown(); }));
    EXPECT_EQ(Told, (std::vector<std::string>{"1,1:1 groen"}));
    EXPECT_EQ(Object, &Marker);
    ASSERT_TRUE(combo->Visible()) << "a choice does not end the edit";
    SendKey(combo, Qt::Key_Return, "\r");
    EXPECT_EQ(Grid->Cells(1, 1), "groen");
}

TEST_F(EditAidsTest, TypingInTheComboEditorCompletesFromItsItems) {
    Grid->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& AEditor) {
        if (ACol == 1) AEditor = edComboEdit;
    };
    TGridCombo* combo = Grid->Combobox();
    combo->Items()->Add("Breda");
    combo->Items()->Add("Bussum");
    Grid->Lookup = true;
    Grid->SetCells(1, 1, "");
    SendKey(Grid, Qt::Key_F2);
    ASSERT_TRUE(combo->Visible());
    SendKey(combo, Qt::Key_B, "b");
    SendKey(combo, Qt::Key_U, "u");
    EXPECT_EQ(combo->Text(), "bussum");
    EXPECT_EQ(combo->EditSelStart(), 2);
    EXPECT_EQ(combo->EditSelLength(), 4);
    // Delete takes the completed tail away and completes nothing; the next
    // letter completes again.
    SendKey(combo, Qt::Key_Delete);
    EXPECT_EQ(combo->Text(), "bu");
    SendKey(combo, Qt::Key_S, "s");
    EXPECT_EQ(combo->Text(), "bussum");
    // Enter takes the item the text names.
    SendKey(combo, Qt::Key_Return, "\r");
    EXPECT_EQ(Grid->Cells(1, 1), "Bussum");
}

TEST_F(EditAidsTest, ALineTypedIntoAMultiLineCellGrowsTheRow) {
    Grid->SetWordWrap(false);
    Grid->Multilinecells = true;
    Grid->SizeWhileTyping()->Height = true;
    std::vector<int> sized;
    Grid->OnEndRowSize = [&](TObject*, int ARow) { sized.push_back(ARow); };
    const int before = Grid->RowHeights(1);
    Type("a");
    ASSERT_NE(Editor(), nullptr);
    SendKey(Editor(), Qt::Key_Return, "\r", Qt::ControlModifier);
    Type("b");
    SendKey(Editor(), Qt::Key_Return, "\r", Qt::ShiftModifier);
    Type("c");
    EXPECT_EQ(sized, (std::vector<int>{1, 1}));
    EXPECT_GT(Grid->RowHeights(1), before);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Height(), Grid->CellRect(1, 1).Height() - 1) << "the editor grows along";
    SendKey(Editor(), Qt::Key_Return, "\r");
    EXPECT_EQ(Grid->Cells(1, 1), "a\r\nb\r\nc");
    EXPECT_EQ(Grid->GetRowLineCount(1), 3);
}
