// The grid's text editor through real Qt key events: the key and paste filters
// of the editor types, the length limit, validation that keeps the editor
// open, Enter advancing, and the write-back when the focus leaves the editor.
#include <QEvent>
#include <QString>

#include "formatscope.h"
#include "grid/extinplaceedit.h"
#include "gridfixture.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/editalign.h"
#include "platform/vcl/stdctrls.h"
#include "vcltestenv.h"

namespace {

int QtKeyOf(char Ch) {
    if (Ch >= 'a' && Ch <= 'z') return Qt::Key_A + (Ch - 'a');
    if (Ch >= 'A' && Ch <= 'Z') return Qt::Key_A + (Ch - 'A');
    if (Ch >= '0' && Ch <= '9') return Qt::Key_0 + (Ch - '0');
    switch (Ch) {
    case '-':
        return Qt::Key_Minus;
    case ',':
        return Qt::Key_Comma;
    case '.':
        return Qt::Key_Period;
    case ' ':
        return Qt::Key_Space;
    default:
        return 0;
    }
}

class EditorsTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Fill(5, 6);
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->OnGetEditorType = [this](TObject*, int, int, TEditorType& AEditor) {
            AEditor = Type;
        };
        FocusGrid();
        Grid->FocusCell(1, 1, true);
    }
    TInplaceEdit* Editor() const { return Grid->InplaceEditor(); }
    bool EditorShown() const { return Editor() && Editor()->Visible(); }
    // Types into the grid (the first character opens the editor), then into the editor.
    void Type_(const std::string& Text) {
        for (char ch : Text) {
            TControl* target = EditorShown() ? static_cast<TControl*>(Editor()) : Grid;
            SendKey(target, QtKeyOf(ch), QString(QChar(ch)));
        }
    }
    void EditorKey(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier,
                   const QString& Text = {}) {
        SendKey(Editor(), QtKey, Text, Mods);
    }
    TEditorType Type = edNormal;
};

} // namespace

TEST_F(EditorsTest, NumericEditorsTakeDigitsAndOneLeadingMinus) {
    Type = edNumeric;
    Type_("-5a-");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ("-5", Editor()->Text());
    EditorKey(Qt::Key_Escape, Qt::NoModifier, "\x1b");
    EXPECT_EQ(Name(1, 1), Grid->Cells(1, 1)) << "Esc puts the old text back";
    Type = edPositiveNumeric;
    Grid->FocusCell(2, 1, true);
    Type_("-12x");
    EXPECT_EQ("12", Grid->Cells(2, 1));
}

TEST_F(EditorsTest, AMinusTypedBehindDigitsIsRefused) {
    Type = edNumeric;
    Type_("3-");
    EXPECT_EQ("3", Editor()->Text());
}

TEST(EditorFilters, PastedNegativeWholeNumbersAndDecimalsPass) {
    std::string negative = "-5";
    std::string decimal = std::string("1") + FormatSettings().DecimalSeparator + "5";
    EXPECT_TRUE(FilterEditPaste(edNumeric, negative) && FilterEditPaste(edFloat, decimal));
}

TEST_F(EditorsTest, FloatEditorTakesTheDecimalSeparatorOfTheFormatSettingsOnce) {
    FormatScope scope;
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    Type = edFloat;
    Type_("-1.,5,x");
    EXPECT_EQ("-1,5", Grid->Cells(1, 1));
}

TEST_F(EditorsTest, CaseEditorsConvertWhatIsTyped) {
    Type = edUpperCase;
    Type_("ab\xe9");
    EXPECT_EQ("AB\xc9", Grid->Cells(1, 1));
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    Type = edLowerCase;
    Grid->FocusCell(2, 1, true);
    Type_("AbC");
    EXPECT_EQ("abc", Grid->Cells(2, 1));
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    Type = edMixedCase;
    Grid->FocusCell(3, 1, true);
    Type_("jan de vries");
    EXPECT_EQ("Jan De Vries", Grid->Cells(3, 1));
}

TEST_F(EditorsTest, AFullEditTakesNoMoreCharactersButBackspaceStillWorks) {
    Grid->SetMaxEditLength(3);
    Type_("abcd");
    EXPECT_EQ("abc", Editor()->Text());
    EditorKey(Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ("ab", Editor()->Text());
}

TEST_F(EditorsTest, PasteGoesThroughTheTypesFilter) {
    Type = edNumeric;
    Type_("7");
    Clipboard()->SetAsText("12a");
    EditorKey(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ("7", Editor()->Text());
    Clipboard()->SetAsText("12");
    EditorKey(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ("712", Editor()->Text());
    bool asked = false;
    Grid->OnClipboardPaste = [&](TObject*, bool& Allow) {
        asked = true;
        Allow = false;
    };
    EditorKey(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_TRUE(asked);
    EXPECT_EQ("712", Editor()->Text());
}

TEST_F(EditorsTest, PasteReplacesTheSelection) {
    Type_("abcd");
    Editor()->SetSelStart(1);
    Editor()->SetSelLength(2);
    Clipboard()->SetAsText("X");
    EditorKey(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ("aXd", Editor()->Text());
}

TEST_F(EditorsTest, PasteMayFillTheEditToItsLimit) {
    Grid->SetMaxEditLength(3);
    Type_("a");
    Clipboard()->SetAsText("bc");
    EditorKey(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ("abc", Editor()->Text());
}

TEST_F(EditorsTest, ARefusedValueKeepsTheEditorOpen) {
    int validations = 0;
    Grid->OnCellValidate = [&](TObject*, int, int, std::string& Value, bool& Valid) {
        ++validations;
        Valid = Value != "bad";
    };
    Type_("bad");
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Name(1, 1), Grid->Cells(1, 1));
    EXPECT_EQ(Name(1, 1), Editor()->Text());
    EditorKey(Qt::Key_End);
    Type_("ok");
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Name(1, 1) + "ok", Grid->Cells(1, 1));
    EXPECT_EQ(2, validations);
}

TEST_F(EditorsTest, EnterAdvancesInBothDirectionsAndAppendsARow) {
    Grid->Navigation()->AdvanceOnEnter = true;
    Type_("x");
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ("x", Grid->Cells(1, 1));
    EXPECT_EQ(2, Grid->Col());
    Grid->Navigation()->AdvanceDirection = adTopBottom;
    Type_("y");
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ("y", Grid->Cells(2, 1));
    EXPECT_EQ(2, Grid->Row());
    // The last cell appends a row when asked to.
    Grid->Navigation()->AdvanceDirection = adLeftRight;
    Grid->Navigation()->AdvanceInsert = true;
    Grid->FocusCell(4, 5, true);
    Type_("z");
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(7, Grid->RowCount());
    EXPECT_EQ(6, Grid->Row());
    EXPECT_EQ(1, Grid->Col());
}

TEST_F(EditorsTest, FocusLeavingTheEditorWritesBackOnce) {
    auto* other = new TEdit(Form.get()); // owned by the form
    other->SetParent(Form.get());
    other->SetBounds(0, 420, 100, 24);
    int validations = 0, done = 0;
    Grid->OnCellValidate = [&](TObject*, int, int, std::string& Value, bool& Valid) {
        ++validations;
        Valid = Value != "bad";
    };
    Grid->OnEditingDone = [&](TObject*) { ++done; };
    Type_("new");
    ASSERT_TRUE(ProcessUntil([this] { return Editor()->Focused(); }));
    other->SetFocus();
    ProcessUntil([other] { return other->Focused(); });
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ("new", Grid->Cells(1, 1));
    EXPECT_EQ(1, validations);
    EXPECT_EQ(1, done);
    // A refused value is cancelled, once.
    Grid->SetFocus();
    ProcessUntil([this] { return Grid->Focused(); });
    Grid->FocusCell(2, 1, true);
    Type_("bad");
    ProcessUntil([this] { return Editor()->Focused(); });
    other->SetFocus();
    ProcessUntil([other] { return other->Focused(); });
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Name(2, 1), Grid->Cells(2, 1));
    EXPECT_EQ(2, validations);
    EXPECT_EQ(2, done);
}

TEST_F(EditorsTest, WithAlwaysEditTheFocusComingToTheGridOpensTheEditor) {
    auto* other = new TEdit(Form.get()); // owned by the form, after the grid in tab order
    other->SetParent(Form.get());
    other->SetBounds(0, 420, 100, 24);
    Grid->Navigation()->AlwaysEdit = true;
    auto tabIntoTheGrid = [&] {
        other->SetFocus();
        ASSERT_TRUE(ProcessUntil([other] { return other->Focused(); }));
        EXPECT_FALSE(EditorShown());
        SendKey(other, Qt::Key_Tab, "\t");
        ASSERT_TRUE(ProcessUntil([this] { return EditorShown() && Editor()->Focused(); }));
        EXPECT_EQ(Grid->Cells(1, 1), Editor()->Text());
    };
    tabIntoTheGrid();
    // The focus the editor gives back to the grid opens nothing.
    EditorKey(Qt::Key_Escape);
    PumpPending();
    EXPECT_FALSE(EditorShown());
    EXPECT_TRUE(Grid->Focused());
    // After an edit that the focus ended, coming back opens it again.
    Type_("x");
    tabIntoTheGrid();
    EXPECT_EQ("x", Grid->Cells(1, 1));
    // A click on another cell ends the edit; the focus the grid then gets
    // from its own editor opens no other.
    int done = 0;
    Grid->OnEditingDone = [&](TObject*) { ++done; };
    const TRect cell = Grid->CellRect(2, 2);
    const int b = Grid->BorderOffset();
    SendMouse(Grid, QEvent::MouseButtonPress, cell.Left + b + 5, cell.Top + b + 5, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, cell.Left + b + 5, cell.Top + b + 5,
              Qt::LeftButton);
    PumpPending();
    EXPECT_EQ(1, done);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(2, Grid->Col());
}

TEST_F(EditorsTest, EditingBehindAHiddenColumnWritesTheShownColumn) {
    Grid->HideColumn(1);
    Grid->FocusCell(1, 2, true); // display column 1 is real column 2
    Type_("q");
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ("q", Grid->Cells(2, 2));
    EXPECT_EQ(Name(1, 2), Grid->Cells(1, 2));
}

TEST_F(EditorsTest, APasswordCellHidesWhatIsTypedButKeepsIt) {
    Type = edPassword;
    Type_("geheim");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ('*', static_cast<TCustomEdit*>(Editor())->PasswordChar());
    EXPECT_EQ("geheim", Grid->Cells(1, 1));
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    Type = edNormal;
    Grid->FocusCell(2, 1, true);
    Type_("open");
    EXPECT_EQ('\0', static_cast<TCustomEdit*>(Editor())->PasswordChar());
}

TEST_F(EditorsTest, VAlignPutsTheEditedTextAgainstTheRightEdge) {
    Type_("12");
    ASSERT_TRUE(EditorShown());
    auto* edit = static_cast<TExtInplaceEdit*>(Editor());
    EXPECT_EQ(taLeftJustify, EditAlignment(*edit));
    EditorKey(Qt::Key_Return, Qt::NoModifier, "\r");
    edit->VAlign = true;
    Grid->FocusCell(2, 1, true);
    Type_("34");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(taRightJustify, EditAlignment(*edit));
    EXPECT_EQ("34", Grid->Cells(2, 1));
}
