// The grid's dedicated cell editors through real Qt key events: each placed
// over its cell and filled from it, written back when editing ends, kept open
// by a refused value, and pictured open over its cell for anyone to look at.
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "grid/editlink.h"
#include "grid/grideditors.h"
#include "grid/support/widecell.h"
#include "gridfixture.h"
#include "platform/rtl/dateutils.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/rtftext.h"
#include "platform/vcl/stdctrls.h"
#include "testlink.h"
#include "vcltestenv.h"

namespace {

class CellEditorsTest : public EditorTypeTest {
protected:
    TWinControl* Shown() const {
        TGridCellEditor* e = Grid->ActiveCellEditor();
        return e && e->Control()->Visible() ? e->Control() : nullptr;
    }
    void Key(TControl* Target, int QtKey, const QString& Text = {},
             Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        SendKey(Target, QtKey, Text, Mods);
    }
    void Open() { Key(Grid, Qt::Key_F2); }
    // A key as the keyboard gives it, through the event loop, to the widget
    // that has the keyboard: an open list's, else the focused one.
    void KeyboardKey(int QtKey, const QString& Text) {
        QWidget* target = QApplication::focusWidget();
        if (QWidget* popup = QApplication::activePopupWidget())
            target = popup->focusWidget() ? popup->focusWidget() : popup;
        ASSERT_NE(nullptr, target);
        // The event queue owns posted events.
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyPress, QtKey, Qt::NoModifier, Text));
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyRelease, QtKey, Qt::NoModifier, Text));
        PumpPending();
    }
    // The editor lies over the cell, one pixel short of its lines.
    void ExpectOverCell(TWinControl* Editor) {
        const TRect cell = Grid->CellRect(2, 2);
        const int b = Grid->BorderOffset();
        EXPECT_EQ(cell.Left + b, Editor->Left());
        EXPECT_EQ(cell.Top + b, Editor->Top());
        EXPECT_EQ(cell.Width() - 1, Editor->Width());
        EXPECT_EQ(cell.Height() - 1, Editor->Height());
    }
    void Picture(const std::string& Name) {
        TBitmap shot(1, 1);
        PaintControlTo(*Grid, shot);
        SaveArtifact(shot, "grid_editor_" + Name + ".png");
    }
};

} // namespace

TEST_F(CellEditorsTest, ADigitOpensTheSpinWithTheDigitTypedAndEnterWritesIt) {
    Type = edSpinEdit;
    Key(Grid, Qt::Key_7, "7");
    TWinControl* spin = Shown();
    ASSERT_EQ(Grid->SpinEdit(), spin);
    EXPECT_EQ("7", Grid->SpinEdit()->Text());
    ExpectOverCell(spin);
    EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    Picture("spin");
    Key(spin, Qt::Key_Return, "\r");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("7", Grid->Cells(2, 2));
    EXPECT_FALSE(Grid->EditorMode());
}

TEST_F(CellEditorsTest, EditorsTakeTheColourAndFontTheCellIsPaintedWith) {
    Grid->OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush* ABrush,
                              TFont* AFont) {
        if (ACol != 2 || ARow != 2) return;
        ABrush->SetColor(clYellow);
        AFont->SetStyle({fsBold});
        AFont->SetColor(clNavy);
    };
    auto expectLook = [](TWinControl* Editor) {
        ASSERT_NE(nullptr, Editor);
        EXPECT_EQ(clYellow, Editor->Color());
        EXPECT_TRUE(Editor->Font()->Style().Contains(fsBold));
        EXPECT_EQ(clNavy, Editor->Font()->Color());
    };
    Open(); // the text editor
    ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    expectLook(Grid->InplaceEditor());
    Key(Grid->InplaceEditor(), Qt::Key_Escape, "\x1b");
    Type = edSpinEdit;
    Open();
    expectLook(Shown());
    Key(Shown(), Qt::Key_Escape, "\x1b");
    // Another cell keeps the grid's own look.
    Grid->FocusCell(2, 3, true);
    Open();
    ASSERT_NE(nullptr, Shown());
    EXPECT_EQ(Grid->Color(), Shown()->Color());
    EXPECT_FALSE(Shown()->Font()->Style().Contains(fsBold));
}

TEST_F(CellEditorsTest, TheFloatSpinWritesItsValueInTheGridsFloatFormat) {
    Type = edFloatSpinEdit;
    Open();
    ASSERT_EQ(Grid->SpinEdit(), Shown());
    Grid->SpinEdit()->SetFloatValue(2.5);
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ("2.50", Grid->Cells(2, 2));
}

TEST_F(CellEditorsTest, ARefusedSpinValueKeepsTheSpinOpenWithTheCellsText) {
    Type = edSpinEdit;
    Grid->SetCells(2, 2, "3");
    Grid->OnCellValidate = [](TObject*, int, int, std::string& Value, bool& Valid) {
        Valid = Value != "9";
    };
    Key(Grid, Qt::Key_9, "9");
    ASSERT_EQ(Grid->SpinEdit(), Shown());
    Key(Shown(), Qt::Key_Return, "\r");
    ASSERT_EQ(Grid->SpinEdit(), Shown());
    EXPECT_EQ("3", Grid->SpinEdit()->Text());
    EXPECT_EQ("3", Grid->Cells(2, 2));
    // Refused as the focus leaves: the spin closes, the cell keeps its text.
    auto* other = new TEdit(Form.get()); // owned by the form
    other->SetParent(Form.get());
    Grid->SpinEdit()->SetValue(9);
    other->SetFocus();
    ASSERT_TRUE(ProcessUntil([other] { return other->Focused(); }));
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("3", Grid->Cells(2, 2));
}

TEST_F(CellEditorsTest, PageKeysStepTheSpinWithinItsLimitsAndTellTheGrid) {
    Type = edSpinEdit;
    std::vector<std::pair<int, bool>> clicks;
    Grid->OnSpinClick = [&](TObject*, int ACol, int ARow, int AValue, bool UpDown) {
        EXPECT_EQ(2, ACol);
        EXPECT_EQ(2, ARow);
        clicks.emplace_back(AValue, UpDown);
    };
    Grid->SetCells(2, 2, "91");
    Open();
    TGridSpin* spin = Grid->SpinEdit();
    ASSERT_EQ(spin, Shown());
    spin->Increment = 10;
    Key(spin, Qt::Key_PageUp);
    EXPECT_EQ("91", spin->Text()) << "101 would pass the maximum of 100";
    spin->SetValue(90);
    Key(spin, Qt::Key_PageUp);
    EXPECT_EQ("100", spin->Text()) << "exactly the maximum";
    Key(spin, Qt::Key_PageDown);
    Key(spin, Qt::Key_PageDown);
    EXPECT_EQ("80", spin->Text());
    Key(spin, Qt::Key_End);
    EXPECT_EQ("0", spin->Text());
    Key(spin, Qt::Key_PageDown);
    EXPECT_EQ("0", spin->Text()) << "-10 would pass the minimum";
    Key(spin, Qt::Key_Home);
    EXPECT_EQ("100", spin->Text());
    EXPECT_EQ(spin, Shown()) << "page keys do not end editing";
    const std::vector<std::pair<int, bool>> expected = {
        {91, true}, {100, true}, {90, false}, {80, false}, {0, false}, {0, false}, {100, true}};
    EXPECT_EQ(expected, clicks);
    Key(spin, Qt::Key_Return, "\r");
    EXPECT_EQ("100", Grid->Cells(2, 2));
}

TEST_F(CellEditorsTest, UpAndDownInTheSpinWriteItsValueAndMoveTheCell) {
    Type = edSpinEdit;
    int clicks = 0;
    Grid->OnSpinClick = [&](TObject*, int, int, int, bool) { ++clicks; };
    Key(Grid, Qt::Key_6, "6");
    ASSERT_EQ(Grid->SpinEdit(), Shown());
    Key(Shown(), Qt::Key_Down);
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("6", Grid->Cells(2, 2));
    EXPECT_EQ(3, Grid->Row());
    Key(Grid, Qt::Key_4, "4");
    ASSERT_EQ(Grid->SpinEdit(), Shown());
    Key(Shown(), Qt::Key_Up);
    EXPECT_EQ("4", Grid->Cells(2, 3));
    EXPECT_EQ(2, Grid->Row());
    EXPECT_EQ("6", Grid->Cells(2, 2));
    EXPECT_EQ(0, clicks) << "the keys moved, they did not step";
    // The arrows' steps are told the grid too.
    Open();
    Grid->SpinEdit()->IncrementValue();
    EXPECT_EQ(1, clicks);
    EXPECT_EQ("7", Grid->SpinEdit()->Text());
}

TEST_F(CellEditorsTest, AComboListThatIsOnlyOpenedAndClosedKeepsAnUnlistedText) {
    Type = edComboList;
    Grid->Combobox()->Items()->Add("win");
    Grid->Combobox()->Items()->Add("draw");
    Grid->SetCells(2, 2, "half");
    Open();
    ASSERT_EQ(Grid->Combobox(), Shown());
    EXPECT_EQ(-1, Grid->Combobox()->ItemIndex());
    ExpectOverCell(Shown());
    Picture("combolist");
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("half", Grid->Cells(2, 2));
    // An item picked, the first one too, is what is validated and written.
    std::string validated;
    Grid->OnCellValidate = [&](TObject*, int, int, std::string& Value, bool&) {
        validated = Value;
    };
    Open();
    Grid->Combobox()->SetItemIndex(0);
    Key(Shown(), Qt::Key_Tab, "\t");
    EXPECT_EQ("win", validated);
    EXPECT_EQ("win", Grid->Cells(2, 2));
    // Closed by the grid (rows moving under it, the program) it writes too.
    Grid->SetCells(2, 2, "half");
    Open();
    Grid->Combobox()->SetItemIndex(0);
    Grid->SetEditorMode(false);
    EXPECT_EQ("win", Grid->Cells(2, 2));
}

TEST_F(CellEditorsTest, AnEditableComboWritesItsTextAndDownEndsItWithTheListClosed) {
    Type = edComboEdit;
    Grid->Combobox()->Items()->Add("win");
    Open();
    ASSERT_EQ(Grid->Combobox(), Shown());
    EXPECT_EQ(Name(2, 2), Grid->Combobox()->Text());
    Picture("comboedit");
    Grid->Combobox()->SetText("loss");
    Key(Shown(), Qt::Key_Down);
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("loss", Grid->Cells(2, 2));
    EXPECT_EQ(3, Grid->Row()) << "Down went on to the grid";
}

TEST_F(CellEditorsTest, ComboEditorsOfBothStylesStayOpenWhileTheEventLoopRuns) {
    // A list cell and an editable cell share the one combo, each opening
    // changing its style.
    Grid->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& AEditor) {
        if (ACol == 2) AEditor = edComboList;
        if (ACol == 3) AEditor = edComboEdit;
    };
    Grid->Combobox()->Items()->Add("win");
    for (int opening = 0; opening < 6; ++opening) {
        Grid->FocusCell(2 + opening % 2, 2, true);
        Open();
        PumpPending();
        ASSERT_EQ(Grid->Combobox(), Shown()) << "opening " << opening;
        EXPECT_TRUE(Shown()->Focused()) << "opening " << opening;
        Key(Shown(), Qt::Key_Escape, "\x1b");
    }
}

TEST_F(CellEditorsTest, TabEnterAndEscInAnyEditorEndTheEditNotTheFormsButtons) {
    // A form with a default and a cancel button, as the program's windows have:
    // the keys that end an edit are the editor's, not the buttons'.
    int defaultClicks = 0, cancelClicks = 0;
    auto button = [this](int Left, bool Default, int& Clicks) {
        auto* b = new TButton(Form.get()); // owned by the form
        b->SetParent(Form.get());
        b->SetBounds(Left, 420, 80, 25);
        b->Default = Default;
        b->Cancel = !Default;
        b->OnClick = [&Clicks](TObject*) { ++Clicks; };
    };
    button(0, true, defaultClicks);
    button(100, false, cancelClicks);
    Grid->SetOptions(Grid->Options() + goTabs);
    Grid->Combobox()->Items()->Add("win");
    const TDateTime day = EncodeDate(2024, 3, 5), time = EncodeTime(13, 45, 0, 0);
    struct TCase {
        TEditorType Type;
        std::function<void()> Change;
        std::string Written;
        bool ListOpen; // the combo's list dropped down: the keys are the list's
    };
    const std::vector<TCase> cases = {
        {edNormal, [this] { Grid->InplaceEditor()->SetText("t"); }, "t", false},
        {edSpinEdit, [this] { Grid->SpinEdit()->SetValue(7); }, "7", false},
        {edComboEdit, [this] { Grid->Combobox()->SetText("loss"); }, "loss", false},
        {edComboList, [this] { Grid->Combobox()->SetItemIndex(0); }, "win", false},
        {edEditBtn, [this] { Grid->BtnEdit()->SetText("b"); }, "b", false},
        {edDateEdit, [&] { Grid->GetDatePickerEditor()->SetDate(day); }, DateToStr(day), false},
        {edTimeEdit, [&] { Grid->GetDatePickerEditor()->SetTime(time); }, TimeToStr(time), false},
        {edComboEdit, [this] { Grid->Combobox()->SetDroppedDown(true); }, "", true},
        {edComboList, [this] { Grid->Combobox()->SetDroppedDown(true); }, "", true},
    };
    const struct {
        int QtKey;
        const char* Text;
        int MovesTo; // the column after the key
    } keys[] = {{Qt::Key_Tab, "\t", 3}, {Qt::Key_Return, "\r", 2}, {Qt::Key_Escape, "\x1b", 2}};
    for (const TCase& c : cases) {
        for (const auto& k : keys) {
            if (c.ListOpen && k.QtKey == Qt::Key_Tab) continue;
            const std::string row = "type " + std::to_string(c.Type) + " key " +
                                    std::to_string(k.QtKey) + (c.ListOpen ? " list open" : "");
            Type = c.Type;
            Grid->FocusCell(2, 2, true);
            Grid->SetCells(2, 2, Name(2, 2));
            Open();
            PumpPending();
            TWinControl* editor = Shown() ? Shown() : Grid->InplaceEditor();
            ASSERT_TRUE(editor && editor->Visible()) << row;
            c.Change();
            if (c.ListOpen) {
                ASSERT_TRUE(ProcessUntil([this] { return Grid->Combobox()->DroppedDown(); }));
            }
            KeyboardKey(k.QtKey, k.Text);
            EXPECT_EQ(0, defaultClicks) << row;
            EXPECT_EQ(0, cancelClicks) << row;
            if (c.ListOpen) {
                // The list closes; the edit goes on.
                EXPECT_TRUE(ProcessUntil([this] { return !Grid->Combobox()->DroppedDown(); }))
                    << row;
                EXPECT_TRUE(editor->Visible()) << row;
                EXPECT_EQ(Name(2, 2), Grid->Cells(2, 2)) << row;
            } else {
                EXPECT_EQ(k.QtKey == Qt::Key_Escape ? Name(2, 2) : c.Written, Grid->Cells(2, 2))
                    << row;
                EXPECT_EQ(k.MovesTo, Grid->Col()) << row;
                EXPECT_EQ(2, Grid->Row()) << row;
                EXPECT_TRUE(Grid->Focused()) << row;
                EXPECT_FALSE(editor->Visible()) << row;
                // The edit is over: the next Esc is the form's.
                KeyboardKey(Qt::Key_Escape, "\x1b");
                EXPECT_EQ(1, cancelClicks) << row;
            }
            // Each row starts from a closed editor, whatever this one left.
            Grid->SetEditorMode(false);
            Grid->SetFocus();
            defaultClicks = cancelClicks = 0;
        }
    }
}

TEST_F(CellEditorsTest, WideCellOperationsReadAndWriteTheWideCells) {
    Grid->SetWideCell(3, 1, u"\u0141\u00F3d\u017A");
    EXPECT_EQ(u"\u0141\u00F3d\u017A", Grid->WideCells(3, 1));
    Grid->SetWideCells(3, 2, u"\u03A9");
    EXPECT_EQ(u"\u03A9", Grid->GetWideCell(3, 2));
    EXPECT_EQ(std::string(WideCellPrefix), Grid->Cells(3, 1).substr(0, 2));
}

TEST_F(CellEditorsTest, TheWideEditorEditsAWideCellAndItsHandlerSeesWideText) {
    Type = edUniEdit;
    Grid->SetWideCells(2, 2, u"\u03A9mega");
    std::u16string seen;
    Grid->OnCellValidateWide = [&](TObject*, int, int, std::u16string& Value, bool& Valid) {
        seen = Value;
        Valid = Value != u"\u03A9megaz";
    };
    Open();
    ASSERT_EQ(Grid->UniEdit(), Shown());
    EXPECT_EQ(u"\u03A9mega", Grid->UniEdit()->Text());
    ExpectOverCell(Shown());
    Grid->UniEdit()->SetSelStart(5); // typing goes after the text
    Key(Shown(), Qt::Key_Z, "z");
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ(Grid->UniEdit(), Shown()) << "refused: the editor stays";
    EXPECT_EQ(u"\u03A9megaz", seen);
    EXPECT_EQ(u"\u03A9mega", Grid->UniEdit()->Text()) << "the cell's text again";
    Grid->UniEdit()->SetSelStart(5);
    Key(Shown(), Qt::Key_X, "x");
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ(u"\u03A9megax", Grid->WideCells(2, 2));
    EXPECT_EQ(std::string(WideCellPrefix), Grid->Cells(2, 2).substr(0, 2));
    // Escape keeps the cell.
    Open();
    Key(Shown(), Qt::Key_Y, "y");
    Key(Shown(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ(u"\u03A9megax", Grid->WideCells(2, 2));
}

TEST_F(CellEditorsTest, TheWideCombosPickAndTypeWideText) {
    Type = edUniComboList;
    Grid->UniCombobox()->Items()->Add(u"\u0160ah");
    Grid->UniCombobox()->Items()->Add(u"\u017Dug");
    Grid->SetWideCells(2, 2, u"\u017Dug");
    Open();
    ASSERT_EQ(Grid->UniCombobox(), Shown());
    EXPECT_EQ(1, Grid->UniCombobox()->ItemIndex()) << "the item equal to the cell";
    ExpectOverCell(Shown());
    Grid->UniCombobox()->SetItemIndex(0);
    Key(Shown(), Qt::Key_Down);
    EXPECT_EQ(Grid->UniCombobox(), Shown()) << "in a list Down walks the list";
    Key(Shown(), Qt::Key_Tab, "\t");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ(u"\u017Dug", Grid->WideCells(2, 2)) << "Down picked the next item";
    // A text that is none of the items is kept when nothing is picked.
    Grid->FocusCell(2, 2, true);
    Grid->SetWideCells(2, 2, u"\u0394");
    Open();
    EXPECT_EQ(-1, Grid->UniCombobox()->ItemIndex());
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ(u"\u0394", Grid->WideCells(2, 2));
    // Editable: the typed text is written and Down goes on to the grid.
    Type = edUniComboEdit;
    Grid->FocusCell(2, 2, true);
    Open();
    ASSERT_EQ(Grid->UniCombobox(), Shown());
    EXPECT_EQ(u"\u0394", Grid->UniCombobox()->Text());
    Grid->UniCombobox()->SetText(u"\u0394x");
    Key(Shown(), Qt::Key_Down);
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ(u"\u0394x", Grid->WideCells(2, 2));
    EXPECT_EQ(3, Grid->Row());
}

TEST_F(CellEditorsTest, EscapeInADedicatedEditorKeepsTheCell) {
    Type = edEditBtn;
    Open();
    ASSERT_EQ(Grid->BtnEdit(), Shown());
    Grid->BtnEdit()->SetText("changed");
    Key(Shown(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ(Name(2, 2), Grid->Cells(2, 2));
}

TEST_F(CellEditorsTest, TheEllipsisButtonAsksTheApplication) {
    Type = edEditBtn;
    Grid->OnEllipsClick = [](TObject*, int ACol, int ARow, std::string& S) {
        S = S + "@" + std::to_string(ACol) + "," + std::to_string(ARow);
    };
    Open();
    ASSERT_EQ(Grid->BtnEdit(), Shown());
    ExpectOverCell(Shown());
    Picture("editbtn");
    Grid->BtnEdit()->ClickButton();
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ(Name(2, 2) + "@2,2", Grid->Cells(2, 2));
}

TEST_F(CellEditorsTest, TheNumericEditButtonFiltersLikeTheNumericEditor) {
    Type = edNumericEditBtn;
    Open();
    ASSERT_EQ(Grid->BtnEdit(), Shown());
    Grid->BtnEdit()->SetText("");
    Key(Shown(), Qt::Key_1, "1");
    Key(Shown(), Qt::Key_X, "x");
    Key(Shown(), Qt::Key_2, "2");
    EXPECT_EQ("12", Grid->BtnEdit()->Text());
}

TEST_F(CellEditorsTest, TheUnitEditSplitsValueAndUnitAndJoinsThemAgain) {
    Type = edUnitEditBtn;
    Grid->SetCells(2, 2, "-12.5cm");
    Open();
    ASSERT_EQ(Grid->BtnUnitEdit(), Shown());
    EXPECT_EQ("-12.5", Grid->BtnUnitEdit()->Text());
    EXPECT_EQ("cm", Grid->BtnUnitEdit()->UnitID());
    Picture("unitedit");
    Grid->BtnUnitEdit()->SetText("13");
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ("13cm", Grid->Cells(2, 2));
}

TEST_F(CellEditorsTest, TheDatePickerShowsTheCellsDateOrToday) {
    Type = edDateEdit;
    const TDateTime day = EncodeDate(2024, 3, 5);
    Grid->SetCells(2, 2, DateToStr(day));
    Open();
    ASSERT_NE(nullptr, Grid->GetDatePickerEditor());
    ASSERT_EQ(Grid->GetDatePickerEditor(), Shown());
    EXPECT_EQ(day, Grid->GetDatePickerEditor()->Date());
    ExpectOverCell(Shown());
    Picture("datepicker");
    Grid->GetDatePickerEditor()->SetDate(day + 1);
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ(DateToStr(day + 1), Grid->Cells(2, 2));
    // A cell without a date starts at today.
    Grid->SetCells(2, 2, "geen datum");
    Open();
    EXPECT_EQ(Date(), Grid->GetDatePickerEditor()->Date());
}

TEST_F(CellEditorsTest, TheCheckBoxAndButtonEditorsLeaveTheCellAlone) {
    Type = edCheckBox;
    Open();
    ASSERT_EQ(Grid->CheckEdit(), Shown());
    EXPECT_EQ(Name(2, 2), Grid->CheckEdit()->Caption());
    EXPECT_FALSE(Grid->CheckEdit()->Checked());
    Picture("checkbox");
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ(Name(2, 2), Grid->Cells(2, 2));

    Type = edButton;
    Grid->OnEllipsClick = [](TObject*, int, int, std::string& S) { S = "pressed"; };
    Open();
    ASSERT_EQ(Grid->GridButton(), Shown());
    Picture("button");
    Grid->GridButton()->Click();
    EXPECT_EQ("pressed", Grid->GridButton()->Caption());
    Key(Shown(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ(Name(2, 2), Grid->Cells(2, 2));
}

TEST_F(CellEditorsTest, FocusLeavingADedicatedEditorWritesBackOnce) {
    auto* other = new TEdit(Form.get()); // owned by the form
    other->SetParent(Form.get());
    other->SetBounds(0, 420, 100, 24);
    int validations = 0, done = 0;
    Grid->OnCellValidate = [&](TObject*, int, int, std::string&, bool&) { ++validations; };
    Grid->OnEditingDone = [&](TObject*) { ++done; };
    Type = edSpinEdit;
    Key(Grid, Qt::Key_4, "4");
    ASSERT_TRUE(ProcessUntil([this] { return Shown() && Shown()->Focused(); }));
    other->SetFocus();
    ProcessUntil([other] { return other->Focused(); });
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("4", Grid->Cells(2, 2));
    EXPECT_EQ(1, validations);
    EXPECT_EQ(1, done);
}

TEST_F(CellEditorsTest, ClickingAnotherCellClosesTheEditorWithItsValue) {
    Type = edSpinEdit;
    Key(Grid, Qt::Key_5, "5");
    ASSERT_EQ(Grid->SpinEdit(), Shown());
    Grid->FocusCell(3, 3, true);
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("5", Grid->Cells(2, 2));
}

TEST_F(CellEditorsTest, WordWrappedLinesAreEditedInTheMultiLineEditor) {
    Grid->SetRowHeights(2, 80);
    Grid->SizeWhileTyping()->Height = true; // grows only rows of multi-line cells
    Grid->SetCells(2, 2, "Jansen\r\nDe Vries");
    Open();
    ASSERT_EQ(Grid->MemoEdit(), Shown());
    EXPECT_EQ("Jansen\r\nDe Vries", Grid->MemoEdit()->Text());
    ExpectOverCell(Shown());
    Picture("multiline");
    // Ctrl+Enter and Shift+Enter break the line, Enter ends the edit; the
    // cells are not multi-line, so the row keeps its height.
    Key(Shown(), Qt::Key_Return, "\r", Qt::ControlModifier);
    Key(Shown(), Qt::Key_B, "B");
    EXPECT_EQ(80, Grid->RowHeights(2));
    Key(Shown(), Qt::Key_Return, "\r", Qt::ShiftModifier);
    Key(Shown(), Qt::Key_C, "C");
    EXPECT_EQ(80, Grid->RowHeights(2));
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("Jansen\r\nDe Vries\r\nB\r\nC", Grid->Cells(2, 2));
    // A one-line cell keeps the one-line editor unless Enter makes line breaks.
    Grid->FocusCell(2, 3, true);
    Open();
    EXPECT_EQ(nullptr, Shown());
    EXPECT_TRUE(Grid->InplaceEditor()->Visible());
    Key(Grid->InplaceEditor(), Qt::Key_Escape, "\x1b");
    Grid->Navigation()->LineFeedOnEnter = true;
    Key(Grid, Qt::Key_X, "x");
    ASSERT_EQ(Grid->MemoEdit(), Shown());
    EXPECT_EQ("x", Grid->MemoEdit()->Text());
    Key(Shown(), Qt::Key_Return, "\r");
    Key(Shown(), Qt::Key_Y, "y");
    Key(Shown(), Qt::Key_Tab, "\t");
    EXPECT_EQ("x\r\ny", Grid->Cells(2, 3));
}

TEST_F(CellEditorsTest, MultiLineCellsWithoutWordWrapTakeShiftEnterAsALineBreak) {
    Grid->SetWordWrap(false);
    Grid->Multilinecells = true;
    Grid->SetRowHeights(2, 60);
    Grid->SetCells(2, 2, "Jansen\r\nDe Vries");
    Open();
    ASSERT_EQ(Grid->MemoEdit(), Shown());
    EXPECT_FALSE(Grid->MemoEdit()->WordWrap()) << "lines break only where the cell breaks them";
    Key(Shown(), Qt::Key_Return, "\r", Qt::ShiftModifier);
    Key(Shown(), Qt::Key_B, "B");
    Key(Shown(), Qt::Key_Return, "\r");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("Jansen\r\nDe Vries\r\nB", Grid->Cells(2, 2));
    // A one-line cell's editor takes the line break too.
    Grid->FocusCell(2, 3, true);
    Key(Grid, Qt::Key_X, "x");
    TInplaceEdit* edit = Grid->InplaceEditor();
    ASSERT_TRUE(edit && edit->Visible());
    Key(edit, Qt::Key_Return, "\r", Qt::ShiftModifier);
    Key(edit, Qt::Key_Y, "y");
    Key(edit, Qt::Key_Return, "\r");
    EXPECT_EQ("x\r\ny", Grid->Cells(2, 3));
}

TEST_F(CellEditorsTest, AnEditLinkPlugsInTheApplicationsControl) {
    Type = edCustom;
    Open();
    EXPECT_EQ(nullptr, Shown()) << "no link: no editor";
    EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    Grid->SetEditorMode(false);

    TTestLink link(nullptr);
    Grid->EditLink = &link;
    Grid->Navigation()->AdvanceOnEnter = true;
    // The application sets the control up for the cell before the value goes in.
    std::vector<std::string> asked;
    Grid->OnGetEditorProp = [&](TObject*, int ACol, int ARow, TEditLink* AEditLink) {
        asked.push_back(std::to_string(ACol) + "," + std::to_string(ARow));
        EXPECT_EQ(&link, AEditLink);
        static_cast<TTestLink*>(AEditLink)->Edit->SetMaxLength(4);
    };
    Open();
    ASSERT_NE(nullptr, link.Edit);
    ASSERT_EQ(link.Edit, Shown());
    EXPECT_EQ(asked, std::vector<std::string>{"2,2"});
    EXPECT_EQ(4, link.Edit->MaxLength());
    Grid->OnGetEditorProp = nullptr;
    link.Edit->SetMaxLength(0);
    EXPECT_EQ(Name(2, 2), link.Edit->Text());
    EXPECT_EQ(&link, static_cast<TEditLinkEditor*>(Grid->ActiveCellEditor())->Link);
    link.Edit->SetText("Zomerveld");
    Key(link.Edit, Qt::Key_Return, "\r");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("Zomerveld", Grid->Cells(2, 2));
    EXPECT_EQ(3, Grid->Col()) << "Enter went on to the next cell";

    // A link that keeps Enter keeps editing; Esc leaves the cell as it was.
    link.WantKeyReturn = true;
    Grid->FocusCell(2, 3, true);
    Open();
    ASSERT_EQ(link.Edit, Shown());
    link.Edit->SetText("kept?");
    Key(link.Edit, Qt::Key_Return, "\r");
    EXPECT_EQ(link.Edit, Shown());
    Key(link.Edit, Qt::Key_Escape, "\x1b");
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ(Name(2, 3), Grid->Cells(2, 3));
    Grid->EditLink = nullptr;
}

TEST_F(CellEditorsTest, APopupLinkEditsInAWindowUnderTheCell) {
    Type = edCustom;
    TTestLink link(nullptr);
    link.EditStyle = esPopup;
    link.PopupWidth = 220;
    link.PopupHeight = 90;
    Grid->EditLink = &link;
    Open();
    ASSERT_NE(nullptr, link.Edit);
    ASSERT_EQ(link.Edit, Shown());
    TForm* popup = link.PopupForm();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(popup, link.Edit->Parent()) << "the control sits in the window";
    const TRect cell = Grid->CellRect(2, 2);
    const int b = Grid->BorderOffset();
    const TPoint below = Grid->ClientToScreen({cell.Left + b, cell.Bottom + b});
    EXPECT_EQ(below.X, popup->Left());
    EXPECT_EQ(below.Y, popup->Top());
    EXPECT_EQ(220, popup->Width());
    EXPECT_EQ(90, popup->Height());
    EXPECT_EQ(220, link.Edit->Width()) << "the control fills the window";
    EXPECT_EQ(Name(2, 2), link.Edit->Text());
    link.Edit->SetText("Zomerveld");
    Key(link.Edit, Qt::Key_Return, "\r");
    EXPECT_EQ("Zomerveld", Grid->Cells(2, 2));
    EXPECT_EQ(nullptr, link.PopupForm()) << "closing frees the window";
    EXPECT_EQ(Grid, link.Edit->Parent());

    // With AutoPopupWidth the window is as wide as the cell.
    link.AutoPopupWidth = true;
    Grid->FocusCell(2, 3, true);
    Open();
    ASSERT_NE(nullptr, link.PopupForm());
    EXPECT_EQ(Grid->CellRect(2, 3).Width(), link.PopupForm()->Width());
    Key(link.Edit, Qt::Key_Escape, "\x1b");
    EXPECT_EQ(nullptr, link.PopupForm());
    EXPECT_EQ(Name(2, 3), Grid->Cells(2, 3));

    // Losing activation writes back and closes.
    Grid->FocusCell(2, 2, true);
    Open();
    ASSERT_NE(nullptr, link.PopupForm());
    link.Edit->SetText("Lenteveld");
    link.PopupForm()->Perform(CM_DEACTIVATE);
    EXPECT_EQ("Lenteveld", Grid->Cells(2, 2));
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ(nullptr, link.PopupForm());
    Application->ProcessMessages(); // the window goes once its event is done

    // While a key closes the link the window's deactivation only writes back.
    Grid->FocusCell(2, 3, true);
    Open();
    ASSERT_NE(nullptr, link.PopupForm());
    link.Edit->SetText("Wintertuin");
    bool stillOpen = false;
    Grid->OnCellValidate = [&](TObject*, int, int, std::string&, bool&) {
        if (!link.PopupForm()) return;
        link.PopupForm()->Perform(CM_DEACTIVATE);
        stillOpen = Shown() == link.Edit && Grid->Cells(2, 3) == "Wintertuin";
    };
    Key(link.Edit, Qt::Key_Return, "\r");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(nullptr, Shown());
    EXPECT_EQ("Wintertuin", Grid->Cells(2, 3));
    Grid->OnCellValidate = nullptr;
    Grid->EditLink = nullptr;
}

namespace {

enum class TRowChange { Remove, InsertAbove, Sort };

// Rows 1..6 of the edited column hold six values, largest first; the fourth
// (row 4) is being edited when the rows change under its editor.
struct TEditedColumn {
    std::vector<std::string> Values;
    std::string Edited;              // what the edit makes of the fourth value
    std::vector<std::string> Sorted; // the six, the edited one included, ascending
};

class RowsChangeUnderEditorTest
    : public CellEditorsTest,
      public ::testing::WithParamInterface<std::tuple<TEditorType, TRowChange>> {
protected:
    static TEditedColumn ColumnFor(TEditorType Type) {
        switch (Type) {
        case edTimeEdit:
            return {{"12:00:00", "10:00:00", "08:00:00", "06:00:00", "04:00:00", "02:00:00"},
                    "05:00:00",
                    {"02:00:00", "04:00:00", "05:00:00", "08:00:00", "10:00:00", "12:00:00"}};
        case edRichEdit:
            return {{"{\\rtf1 60}", "{\\rtf1 50}", "{\\rtf1 40}", "{\\rtf1 30}", "{\\rtf1 20}",
                     "{\\rtf1 10}"},
                    "305",
                    {"10", "20", "40", "50", "60", "305"}};
        default:
            return {
                {"60", "50", "40", "30", "20", "10"}, "35", {"10", "20", "35", "40", "50", "60"}};
        }
    }
    // Opens the editor on the current cell and changes its value with keys.
    TWinControl* OpenAndEdit(TEditorType Type) {
        if (Type == edSpinEdit) {
            Key(Grid, Qt::Key_3, "3");
            if (Shown()) Key(Shown(), Qt::Key_5, "5");
        } else if (Type == edTimeEdit) {
            Open();
            if (Shown()) Key(Shown(), Qt::Key_Home); // the hours
            if (Shown()) Key(Shown(), Qt::Key_Down);
        } else {
            Open();
            if (Shown()) Key(Shown(), Qt::Key_End, {}, Qt::ControlModifier);
            if (Shown()) Key(Shown(), Qt::Key_5, "5");
        }
        return Shown();
    }
    // Cell texts as they read: rich text by its plain text.
    static std::string Plain(const std::string& Text) {
        return IsRTFText(Text) ? RTFToPlainText(Text) : Text;
    }
};

} // namespace

TEST_P(RowsChangeUnderEditorTest, TheEditedValueStaysWithItsRow) {
    const auto [type, change] = GetParam();
    Type = type;
    const TEditedColumn column = ColumnFor(type);
    Grid->SetRowCount(7);
    for (int r = 1; r <= 6; ++r)
        Grid->SetCells(2, r, column.Values[static_cast<size_t>(r - 1)]);
    Grid->FocusCell(2, 4, true);
    TWinControl* editor = OpenAndEdit(type);
    ASSERT_NE(nullptr, editor);
    std::vector<std::string> rows{column.Values[0], column.Values[1], column.Values[2],
                                  column.Edited,    column.Values[4], column.Values[5]};
    int done = 0;
    Grid->OnEditingDone = [&done](TObject*) { ++done; };
    switch (change) {
    case TRowChange::Remove: // the edit goes with its row
        Grid->RemoveRows(4, 1);
        rows.erase(rows.begin() + 3);
        break;
    case TRowChange::InsertAbove:
        Grid->InsertRows(1, 1);
        rows.insert(rows.begin(), "");
        break;
    case TRowChange::Sort:
        Grid->SortSettings()->Column = 2;
        Grid->SortByColumn();
        rows = column.Sorted;
        break;
    }
    EXPECT_EQ(1, done) << "the edit ends once";
    // Enter where the focus is now: in the editor if it is still open.
    Key(editor->Focused() ? editor : static_cast<TWinControl*>(Grid), Qt::Key_Return, "\r");
    std::vector<std::string> shown;
    for (int r = 1; r < Grid->RowCount(); ++r)
        shown.push_back(Plain(Grid->Cells(2, r)));
    for (std::string& text : rows)
        text = Plain(text);
    EXPECT_EQ(rows, shown);
}

INSTANTIATE_TEST_SUITE_P(
    DedicatedEditors, RowsChangeUnderEditorTest,
    ::testing::Combine(::testing::Values(edSpinEdit, edTimeEdit, edRichEdit),
                       ::testing::Values(TRowChange::Remove, TRowChange::InsertAbove,
                                         TRowChange::Sort)),
    [](const ::testing::TestParamInfo<RowsChangeUnderEditorTest::ParamType>& Info) {
        const TEditorType type = std::get<0>(Info.param);
        const TRowChange change = std::get<1>(Info.param);
        const std::string editor = type == edSpinEdit   ? "Spin"
                                   : type == edTimeEdit ? "Time"
                                                        : "Rich";
        return editor + (change == TRowChange::Remove        ? "RowRemoved"
                         : change == TRowChange::InsertAbove ? "RowInsertedAbove"
                                                             : "Sorted");
    });
