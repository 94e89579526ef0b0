// HTML form controls in cell text, used with the mouse and the keyboard: a
// check box clicked, a button pressed, an edit typed into, a combo box chosen
// from, each with its events and its value written back into the tag.
#include <QEvent>
#include <QString>

#include "grid/controleditors.h"
#include "grid/support/htmlrender.h"
#include "gridfixture.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/stdctrls.h"
#include "vcltestenv.h"

namespace {

struct TControlCall {
    int Row, Col;
    std::string Id, Type, Value;
};

class HTMLControlsTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        Grid->SetDefaultColWidth(170);
        Grid->SetDefaultRowHeight(30);
        // A check box has its own size: no WIDTH.
        Grid->SetCells(1, 1, "<B>Klaar</B> <CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"FALSE\">");
        Grid->SetCells(
            2, 1, "<I>Actie</I> <CONTROL TYPE=\"BUTTON\" ID=\"b1\" VALUE=\"Klik\" WIDTH=\"60\">");
        Grid->SetCells(1, 2,
                       "<B>Naam</B> <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"Jan\" WIDTH=\"90\">");
        Grid->SetCells(
            2, 2, "<I>Kleur</I> <CONTROL TYPE=\"COMBO\" ID=\"k1\" VALUE=\"rood\" WIDTH=\"100\">");
        Grid->OnControlClick = [this](TObject*, int ARow, int ACol, const std::string& Id,
                                      const std::string& Type, const std::string& Value) {
            Clicks.push_back({ARow, ACol, Id, Type, Value});
        };
        Grid->OnControlEditDone = [this](TObject*, int ARow, int ACol, const std::string& Id,
                                         const std::string& Type, const std::string& Value) {
            Done.push_back({ARow, ACol, Id, Type, Value});
        };
        FocusGrid();
    }
    // The middle of the cell's control (client coordinates).
    TPoint ControlPoint(int ACol, int ARow) {
        const TRect cell = Grid->CellRect(ACol, ARow);
        for (int y = cell.Top; y < cell.Bottom; y += 2)
            for (int x = cell.Left; x < cell.Right; x += 2) {
                THTMLRenderResult hit;
                if (Grid->HTMLControlAt(ACol, ARow, x, y, hit)) {
                    const TRect& r = hit.MouseControlRect;
                    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
                }
            }
        ADD_FAILURE() << "no control in cell " << ACol << "," << ARow;
        return {0, 0};
    }
    void Press(TPoint P) {
        const int b = Grid->BorderOffset();
        SendMouse(Grid, QEvent::MouseButtonPress, P.X + b, P.Y + b, Qt::LeftButton);
    }
    void Release(TPoint P) {
        const int b = Grid->BorderOffset();
        SendMouse(Grid, QEvent::MouseButtonRelease, P.X + b, P.Y + b, Qt::LeftButton);
    }
    void Click(TPoint P) {
        Press(P);
        Release(P);
    }
    void Picture(const std::string& Name) {
        TBitmap shot(1, 1);
        PaintControlTo(*Form, shot);
        SaveArtifact(shot, Name);
    }
    std::vector<TControlCall> Clicks, Done;
};

} // namespace

TEST_F(HTMLControlsTest, ACheckControlTogglesItsValueAndTellsTheClick) {
    Picture("grid_html_controls.png");
    const TPoint p = ControlPoint(1, 1);
    Click(p);
    EXPECT_NE(Grid->Cells(1, 1).find("VALUE=\"TRUE\""), std::string::npos) << Grid->Cells(1, 1);
    ASSERT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(Clicks[0].Row, 1);
    EXPECT_EQ(Clicks[0].Col, 1);
    EXPECT_EQ(Clicks[0].Id, "c1");
    EXPECT_EQ(Clicks[0].Type, "CHECK");
    EXPECT_EQ(Clicks[0].Value, "TRUE");
    Click(p);
    EXPECT_NE(Grid->Cells(1, 1).find("VALUE=\"FALSE\""), std::string::npos);
    // A click on the text beside it is no click on the control.
    const TRect cell = Grid->CellRect(1, 1);
    Click({cell.Left + 4, cell.Top + 8});
    EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(HTMLControlsTest, AButtonControlIsPressedUntilTheRelease) {
    const TPoint p = ControlPoint(2, 1);
    auto shot = [this] {
        auto b = WhiteBitmap(Grid->Width(), Grid->Height());
        PaintControlTo(*Grid, *b);
        return b;
    };
    auto up = shot();
    Press(p);
    EXPECT_TRUE(Grid->HTMLButtonPressed(2, 1));
    auto down = shot();
    SaveArtifact(*down, "grid_html_button_pressed.png");
    // The button looks pressed: its face differs from the one before the press.
    int changed = 0;
    const int b = Grid->BorderOffset();
    for (int y = p.Y - 5; y <= p.Y + 5; ++y)
        for (int x = p.X - 20; x <= p.X + 20; ++x)
            if (up->Pixel(x + b, y + b) != down->Pixel(x + b, y + b)) ++changed;
    EXPECT_GT(changed, 20);
    ASSERT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(Clicks[0].Type, "BUTTON");
    EXPECT_EQ(Clicks[0].Value, "Klik");
    Release(p);
    EXPECT_FALSE(Grid->HTMLButtonPressed(2, 1));
    // The focus leaving the grid lets a held button come up too.
    auto* other = new TEdit(Form.get()); // owned by the form
    other->SetParent(Form.get());
    other->SetBounds(0, 420, 100, 24);
    Press(p);
    ASSERT_TRUE(Grid->HTMLButtonPressed(2, 1));
    other->SetFocus();
    ASSERT_TRUE(ProcessUntil([other] { return other->Focused(); }));
    EXPECT_FALSE(Grid->HTMLButtonPressed(2, 1));
}

TEST_F(HTMLControlsTest, AnEditControlIsTypedIntoAndWrittenBackOnEnter) {
    // The focus the edit gives back to the grid opens no cell editor.
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->Navigation()->AlwaysEdit = true;
    Click(ControlPoint(1, 2));
    TControlEdit* edit = Grid->ControlEdit();
    ASSERT_TRUE(edit->Visible());
    EXPECT_EQ(edit->Text(), "Jan");
    for (const char c : std::string("Piet"))
        SendKey(edit, Qt::Key_A + (std::toupper(c) - 'A'), QString(QChar(c)));
    Picture("grid_html_edit_open.png");
    SendKey(edit, Qt::Key_Return, "\r");
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(Grid->Focused());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_NE(Grid->Cells(1, 2).find("VALUE=\"Piet\""), std::string::npos) << Grid->Cells(1, 2);
    ASSERT_EQ(Done.size(), 1u);
    EXPECT_EQ(Done[0].Id, "e1");
    EXPECT_EQ(Done[0].Type, "EDIT");
    EXPECT_EQ(Done[0].Value, "Piet");
    EXPECT_EQ(Clicks.at(0).Type, "EDIT");
}

TEST_F(HTMLControlsTest, AComboControlListsTheApplicationsValuesAndTellsEachChoice) {
    Grid->OnControlComboList = [](TObject*, int, int, const std::string& Id, const std::string&,
                                  const std::string&, TStringList* Values, bool& Edit,
                                  int& DropCount) {
        if (Id != "k1") return;
        Values->Add("rood");
        Values->Add("groen");
        Values->Add("blauw");
        Edit = false;
        DropCount = 3;
    };
    std::vector<std::pair<int, std::string>> changes;
    Grid->OnComboChange = [&](TObject*, int ACol, int ARow, int Index, const std::string& Text) {
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ARow, 2);
        changes.emplace_back(Index, Text);
    };
    int closedUp = 0;
    Grid->OnComboCloseUp = [&](TObject*, int ARow, int ACol) { ++closedUp; };
    Click(ControlPoint(2, 2));
    TControlCombo* combo = Grid->ControlCombo();
    ASSERT_TRUE(combo->Visible());
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->ItemIndex(), 0);
    Picture("grid_html_combo_open.png");
    combo->SetDroppedDown(false);
    EXPECT_GE(closedUp, 1);
    SendKey(combo, Qt::Key_Down);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), std::make_pair(1, std::string("groen")));
    // The cell shows the choice at once.
    EXPECT_NE(Grid->Cells(2, 2).find("VALUE=\"groen\""), std::string::npos);
    SendKey(combo, Qt::Key_Return, "\r");
    EXPECT_FALSE(combo->Visible());
    ASSERT_EQ(Done.size(), 1u);
    EXPECT_EQ(Done[0].Type, "COMBO");
    EXPECT_EQ(Done[0].Value, "groen");
}

TEST_F(HTMLControlsTest, TheTransEditWritesItsCellWhenTheFocusLeaves) {
    TGridTransEdit* edit = Grid->TransEdit();
    edit->Col = 3;
    edit->Row = 2;
    const TRect r = Grid->CellRect(3, 2);
    edit->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    edit->SetVisible(true);
    edit->SetFocus();
    SendKey(edit, Qt::Key_X, "x");
    SendKey(edit, Qt::Key_Return, "\r");
    EXPECT_TRUE(edit->Visible()); // Enter is swallowed
    EXPECT_EQ(Grid->Cells(3, 2), "");
    Grid->SetFocus();
    ProcessUntil([&] { return !edit->Visible(); });
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(Grid->Cells(3, 2), "x");
}
