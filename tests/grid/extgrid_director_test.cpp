// A tournament director's minute in a crosstable-like grid, played with real
// keys and a real drag: results typed and Enter taken through the row, a
// mistake started with F2 and dropped with Esc, a refused entry, and the whole
// table copied with Ctrl+C and pasted into a second grid with Ctrl+V. Every
// cell is checked afterwards.
#include <QString>

#include "gridfixture.h"
#include "platform/vcl/clipbrd.h"
#include "vcltestenv.h"

namespace {

class DirectorTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid = new TExtStringGrid(Form.get()); // owned by the form
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 400, 300);
        Grid->SetColCount(5);
        Grid->SetRowCount(5);
        const char* names[] = {"", "Jansen", "De Vries", "Bakker", "Visser"};
        for (int i = 1; i <= 4; ++i) {
            Grid->SetCells(0, i, names[i]);
            Grid->SetCells(i, 0, std::to_string(i));
        }
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->Navigation()->AdvanceOnEnter = true;
        Grid->Navigation()->AllowClipboardShortCuts = true;
        // The diagonal (a player against himself) takes no result.
        Grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
            CanEdit = CanEdit && ARow != ACol;
        };
        Grid->OnCellValidate = [](TObject*, int, int, std::string& Value, bool& Valid) {
            Valid = Value.empty() || Value == "1" || Value == "0" || Value == "\xBD";
        };
        Copy = new TExtStringGrid(Form.get()); // owned by the form
        Copy->SetParent(Form.get());
        Copy->SetBounds(0, 310, 400, 160);
        Copy->SetColCount(5);
        Copy->SetRowCount(5);
        Copy->SetOptions(Copy->Options() + goEditing);
        Copy->Navigation()->AllowClipboardShortCuts = true;
        FocusGrid();
    }
    TControl* Target() const {
        TInplaceEdit* e = Grid->InplaceEditor();
        return e && e->Visible() ? static_cast<TControl*>(e) : Grid;
    }
    void Result(const std::string& R) {
        for (char ch : R) {
            const int key = ch == '1' ? Qt::Key_1 : ch == '0' ? Qt::Key_0 : Qt::Key_onehalf;
            SendKey(Target(), key, QString(QChar(static_cast<unsigned char>(ch))));
        }
        SendKey(Target(), Qt::Key_Return, "\r");
    }
    TExtStringGrid* Copy = nullptr;
};

} // namespace

TEST_F(DirectorTest, AMinuteOfResults) {
    // Row of Jansen: the Enters walk the row, skipping his own cell.
    Grid->FocusCell(2, 1, true);
    Result("1");
    EXPECT_EQ(3, Grid->Col());
    Result("\xBD");
    Result("0");
    // The row is done: the next Enter position is De Vries against Jansen.
    EXPECT_EQ(1, Grid->Col());
    EXPECT_EQ(2, Grid->Row());
    Result("0");
    EXPECT_EQ(3, Grid->Col()) << "his own cell was skipped";
    // A typing error: "2" is no result, the editor stays with the old text.
    SendKey(Target(), Qt::Key_1, "1");
    SendKey(Target(), Qt::Key_1, "1");
    SendKey(Target(), Qt::Key_Return, "\r");
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ("", Grid->Cells(3, 2));
    SendKey(Target(), Qt::Key_Escape, "\x1b");
    EXPECT_FALSE(Grid->EditorMode());
    // A mistake spotted: F2 on Jansen's draw, typing over it, and Esc.
    Grid->FocusCell(3, 1, true);
    SendKey(Grid, Qt::Key_F2);
    ASSERT_TRUE(Grid->EditorMode());
    SendKey(Target(), Qt::Key_Backspace, "\b");
    SendKey(Target(), Qt::Key_1, "1");
    SendKey(Target(), Qt::Key_Escape, "\x1b");
    EXPECT_FALSE(Grid->EditorMode());

    // The whole table goes to the clipboard and into the second grid.
    Clipboard()->SetAsText("");
    SendKey(Grid, Qt::Key_A, "\x01", Qt::ControlModifier);
    ASSERT_EQ((TGridRect{1, 1, 4, 4}), Grid->Selection());
    SendKey(Grid, Qt::Key_C, "\x03", Qt::ControlModifier);
    Copy->SetFocus();
    ProcessUntil([this] { return Copy->Focused(); });
    Copy->FocusCell(1, 1, true);
    SendKey(Copy, Qt::Key_V, "\x16", Qt::ControlModifier);

    const std::vector<std::vector<std::string>> expected = {
        {"", "1", "2", "3", "4"},   {"Jansen", "", "1", "\xBD", "0"}, {"De Vries", "0", "", "", ""},
        {"Bakker", "", "", "", ""}, {"Visser", "", "", "", ""},
    };
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 5; ++col) {
            EXPECT_EQ(expected[row][col], Grid->Cells(col, row)) << col << "," << row;
            const std::string copied = row == 0 || col == 0 ? "" : expected[row][col];
            EXPECT_EQ(copied, Copy->Cells(col, row)) << "copy " << col << "," << row;
        }
}
