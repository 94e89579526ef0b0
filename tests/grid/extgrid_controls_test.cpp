// Controls in cells used through real Qt key and mouse events: check boxes,
// radio groups, buttons and node glyphs, their events, and the column border
// that a double click sizes to the column's content.
#include <QEvent>
#include <QString>

#include "grid/controleditors.h"
#include "gridfixture.h"
#include "vcltestenv.h"

namespace {

class ControlsTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid->SetBounds(0, 0, 600, 400);
        Fill(5, 8);
        Grid->SetFixedCols(1);
        Grid->SetOptions(Grid->Options() + goEditing);
        FocusGrid();
    }
    void Press(int X, int Y, QEvent::Type Type = QEvent::MouseButtonPress) {
        const int b = Grid->BorderOffset();
        SendMouse(Grid, Type, X + b, Y + b, Qt::LeftButton);
    }
    void ClickAt(int X, int Y) {
        Press(X, Y);
        Press(X, Y, QEvent::MouseButtonRelease);
    }
    TPoint Center(const TRect& R) const { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
    void Key(int QtKey, const QString& Text = {}) { SendKey(Grid, QtKey, Text); }
    bool Checked(int ACol, int ARow) {
        bool state = false;
        EXPECT_TRUE(Grid->GetCheckBoxState(ACol, ARow, state));
        return state;
    }
};

} // namespace

TEST_F(ControlsTest, SpaceTogglesACheckBoxOnlyWhereTheCellMayBeEdited) {
    Grid->AddCheckBox(2, 3, false, false);
    std::vector<std::string> events;
    Grid->OnCheckBoxClick = [&](TObject*, int ACol, int ARow, bool State) {
        events.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + (State ? "+" : "-"));
    };
    Grid->SetCol(2);
    Grid->SetRow(3);
    Key(Qt::Key_Space, " ");
    EXPECT_TRUE(Checked(2, 3));
    Key(Qt::Key_Space, " ");
    EXPECT_FALSE(Checked(2, 3));
    EXPECT_EQ((std::vector<std::string>{"2,3+", "2,3-"}), events);
    EXPECT_FALSE(Grid->EditorMode()) << "the space is not typed into an editor";

    Grid->OnCanEditCell = [](TObject*, int, int, bool& Can) { Can = false; };
    Key(Qt::Key_Space, " ");
    EXPECT_FALSE(Checked(2, 3)) << "a refused cell keeps its state";
    EXPECT_EQ(2u, events.size());
}

TEST_F(ControlsTest, SpaceStepsARadioGroupAndWrapsAfterTheLastItem) {
    Grid->AddRadio(3, 2, false, 1, {"een", "twee", "drie"});
    std::vector<int> picked;
    Grid->OnRadioClick = [&](TObject*, int ACol, int ARow, int AIdx) {
        EXPECT_EQ(3, ACol);
        EXPECT_EQ(2, ARow);
        picked.push_back(AIdx);
    };
    Grid->SetCol(3);
    Grid->SetRow(2);
    Key(Qt::Key_Space, " ");
    Key(Qt::Key_Space, " ");
    EXPECT_EQ((std::vector<int>{2, 0}), picked);
    EXPECT_EQ("een", Grid->Cells(3, 2));
}

TEST_F(ControlsTest, EnterOrSpaceOnAButtonFiresItsClick) {
    Grid->AddButton(2, 4, 40, 18, "Ok", haLeft, vaTop);
    int clicks = 0;
    Grid->OnButtonClick = [&](TObject*, int ACol, int ARow) {
        EXPECT_EQ(2, ACol);
        EXPECT_EQ(4, ARow);
        ++clicks;
    };
    Grid->SetCol(2);
    Grid->SetRow(4);
    Key(Qt::Key_Return, "\r");
    Key(Qt::Key_Space, " ");
    EXPECT_EQ(2, clicks);
    EXPECT_FALSE(Grid->EditorMode());
}

TEST_F(ControlsTest, AClickTogglesACheckBoxAnywhereOrOnlyOnTheBoxWhenPrecise) {
    Grid->SetColWidths(2, 120);
    Grid->AddCheckBox(2, 3, false, false);
    std::vector<bool> states, ups;
    Grid->OnCheckBoxClick = [&](TObject*, int, int, bool State) { states.push_back(State); };
    Grid->OnCheckBoxMouseUp = [&](TObject*, int, int, bool State) { ups.push_back(State); };
    const TRect cell = Grid->CellRect(2, 3);
    ClickAt(cell.Right - 10, (cell.Top + cell.Bottom) / 2);
    EXPECT_TRUE(Checked(2, 3)) << "without precise checking any point of the cell counts";
    EXPECT_EQ((std::vector<bool>{true}), states);
    EXPECT_EQ((std::vector<bool>{true}), ups);

    Grid->MouseActions()->PreciseCheckBoxCheck = true;
    ClickAt(cell.Right - 10, (cell.Top + cell.Bottom) / 2);
    EXPECT_TRUE(Checked(2, 3)) << "beside the box nothing changes";
    const TRect box = Grid->CheckBoxRect(2, 3);
    ASSERT_GT(box.Width(), 4);
    EXPECT_GE(box.Left, cell.Left);
    EXPECT_LE(box.Right, cell.Right);
    const TPoint p = Center(box);
    ClickAt(p.X, p.Y);
    EXPECT_FALSE(Checked(2, 3)) << "on the box it toggles";
    EXPECT_EQ((std::vector<bool>{true, false}), states);
}

TEST_F(ControlsTest, AHeaderCheckBoxWithCheckAllCheckSetsTheWholeColumn) {
    for (int r = 0; r < 5; ++r)
        Grid->AddCheckBox(2, r, r == 3, true);
    const TRect head = Grid->CellRect(2, 0);
    ClickAt(head.Left + 5, head.Top + 5);
    EXPECT_FALSE(Checked(2, 0)) << "a header box needs CheckAllCheck";
    Grid->MouseActions()->CheckAllCheck = true;
    ClickAt(head.Left + 5, head.Top + 5);
    EXPECT_TRUE(Checked(2, 0));
    for (int r = 1; r < 5; ++r)
        EXPECT_TRUE(Checked(2, r)) << "row " << r;
    EXPECT_EQ(Grid->GetCheckTrue(2, 1), Grid->Cells(2, 1));
}

TEST_F(ControlsTest, AClickOnARadioItemChoosesIt) {
    Grid->SetRowHeights(2, 70);
    Grid->SetColWidths(3, 120);
    Grid->AddRadio(3, 2, false, 0, {"een", "twee", "drie"});
    std::vector<int> picked, ups;
    Grid->OnRadioClick = [&](TObject*, int, int, int AIdx) { picked.push_back(AIdx); };
    Grid->OnRadioMouseUp = [&](TObject*, int, int, int AIdx) { ups.push_back(AIdx); };
    const TRect cell = Grid->CellRect(3, 2);
    // The third item's circle, found where the drawing puts it.
    TPoint third{-1, -1};
    for (int y = cell.Bottom - 1; y >= cell.Top && third.X < 0; --y)
        for (int x = cell.Left; x < cell.Right && third.X < 0; ++x)
            if (Grid->RadioItemAt(3, 2, x, y) == 2) third = {x, y};
    ASSERT_GE(third.X, 0);
    EXPECT_GT(third.Y, (cell.Top + cell.Bottom) / 2) << "the last item is drawn lowest";
    ClickAt(third.X, third.Y);
    EXPECT_EQ((std::vector<int>{2}), picked);
    EXPECT_EQ((std::vector<int>{2}), ups);
    ASSERT_NE(nullptr, Grid->GetCellGraphic(3, 2));
    EXPECT_EQ(2, Grid->GetCellGraphic(3, 2)->CellIndex);

    ClickAt(cell.Right - 3, cell.Top + 3);
    EXPECT_EQ(1u, picked.size()) << "a press beside every item chooses nothing";
}

TEST_F(ControlsTest, AButtonFiresOnReleaseAfterAPressOnIt) {
    Grid->SetColWidths(2, 120);
    Grid->AddButton(2, 5, 40, 18, "Ok", haLeft, vaTop);
    int clicks = 0;
    Grid->OnButtonClick = [&](TObject*, int ACol, int ARow) {
        EXPECT_EQ(2, ACol);
        EXPECT_EQ(5, ARow);
        ++clicks;
    };
    const TRect button = Grid->GetButtonRect(2, 5);
    const TRect cell = Grid->CellRect(2, 5);
    ASSERT_EQ(40, button.Width());
    ASSERT_LT(button.Right, cell.Right - 5);
    const TPoint p = Center(button);
    Press(p.X, p.Y);
    EXPECT_EQ(0, clicks) << "a button fires when released";
    Press(p.X, p.Y, QEvent::MouseButtonRelease);
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(2, Grid->Col());
    EXPECT_EQ(5, Grid->Row());
    ClickAt(cell.Right - 3, p.Y);
    EXPECT_EQ(1, clicks) << "beside the button the cell is only selected";
}

TEST_F(ControlsTest, AClickOnANodeGlyphFoldsAndUnfoldsItsRows) {
    Grid->SetFixedCols(0);
    Grid->SetColWidths(0, 60);
    Grid->AddNode(2, 3); // rows 2..4
    std::vector<std::string> events;
    Grid->OnBeforeContractNode = [&](TObject*, int ARow, int, bool& Allow) {
        events.push_back("before contract " + std::to_string(ARow));
        Allow = events.size() > 1;
    };
    Grid->OnContractNode = [&](TObject*, int ARow, int Real) {
        events.push_back("contract " + std::to_string(ARow) + "/" + std::to_string(Real));
    };
    Grid->OnExpandNode = [&](TObject*, int ARow, int Real) {
        events.push_back("expand " + std::to_string(ARow) + "/" + std::to_string(Real));
    };
    const TRect cell = Grid->CellRect(0, 2);
    const int indent = Grid->CellNode()->NodeIndent();
    const int y = (cell.Top + cell.Bottom) / 2;
    ClickAt(cell.Left + indent / 2, y);
    EXPECT_EQ(8, Grid->RowCount()) << "the handler refused";
    ClickAt(cell.Left + indent / 2, y);
    EXPECT_EQ(6, Grid->RowCount());
    EXPECT_TRUE(Grid->GetNodeState(2));
    EXPECT_EQ("c1r5", Grid->Cells(1, 3));
    ClickAt(cell.Left + indent + 20, y);
    EXPECT_TRUE(Grid->GetNodeState(2)) << "beside the glyph the node stays";
    ClickAt(cell.Left + indent / 2, y);
    EXPECT_EQ(8, Grid->RowCount());
    EXPECT_EQ((std::vector<std::string>{"before contract 2", "before contract 2", "contract 2/2",
                                        "expand 2/2"}),
              events);
}

TEST_F(ControlsTest, AControlPlacedInACellFollowsItsCell) {
    Grid->SetFixedCols(0);
    Grid->SetRowCount(40);
    Grid->AddNode(2, 3); // rows 2..4
    Grid->MergeCells(2, 3, 2, 2);
    auto* edit = new TEdit(Grid); // owned by the grid
    Grid->GetCellProperties(2, 3)->SetControl(edit);
    Grid->PositionCellControls();
    const TRect merged = Grid->MergedCellRect(2, 3);
    EXPECT_EQ(Grid->CellRect(2, 3).Left, merged.Left);
    EXPECT_EQ(2 * Grid->DefaultRowHeight(), merged.Height());
    EXPECT_EQ(merged, edit->BoundsRect());
    EXPECT_TRUE(edit->Visible());
    Grid->FocusCell(2, 1, true);
    for (int i = 0; i < 60 && Grid->TopRow() < 2; ++i)
        Key(Qt::Key_Down);
    ASSERT_EQ(2, Grid->TopRow());
    EXPECT_EQ(Grid->MergedCellRect(2, 3), edit->BoundsRect()) << "one row up with the grid";
    Key(Qt::Key_PageDown);
    EXPECT_FALSE(edit->Visible()) << "scrolled away";
    SendKey(Grid, Qt::Key_Home, {}, Qt::ControlModifier);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(merged, edit->BoundsRect());
    Grid->SetHeight(3 * Grid->DefaultRowHeight());
    EXPECT_FALSE(edit->Visible()) << "below a grid made too short";
    Grid->SetHeight(400);
    EXPECT_TRUE(edit->Visible());
    const int width1 = Grid->ColWidths(1);
    Grid->HideColumn(1);
    EXPECT_EQ(merged.Left - width1, edit->Left()) << "one column left, as wide as before";
    EXPECT_EQ(merged.Width(), edit->Width());
    Grid->HideColumn(2);
    EXPECT_FALSE(edit->Visible());
    Grid->UnHideColumnsAll();
    EXPECT_EQ(merged, edit->BoundsRect());
    EXPECT_TRUE(edit->Visible());
    Grid->SetColWidths(1, width1 + 10);
    EXPECT_EQ(merged.Left + 10, edit->Left()) << "a wider column before it";
    // Folding the node hides the row; unfolding brings the control back.
    const TRect node = Grid->CellRect(0, 2);
    const int glyph = node.Left + Grid->CellNode()->NodeIndent() / 2;
    ClickAt(glyph, (node.Top + node.Bottom) / 2);
    ASSERT_TRUE(Grid->GetNodeState(2));
    EXPECT_FALSE(edit->Visible());
    ClickAt(glyph, (node.Top + node.Bottom) / 2);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(Grid->MergedCellRect(2, 3), edit->BoundsRect());
}

TEST_F(ControlsTest, ADoubleClickOnAColumnBorderSizesTheColumnToItsText) {
    Grid->SetOptions(Grid->Options() + goColSizing);
    Grid->SetColWidths(2, 40);
    Grid->SetCells(2, 4, "a much longer text than the column shows");
    std::vector<int> ended;
    Grid->OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
    const TRect head = Grid->CellRect(2, 0);
    const int x = head.Right - 2, y = (head.Top + head.Bottom) / 2;
    Press(x, y);
    Press(x, y, QEvent::MouseButtonRelease);
    Press(x, y, QEvent::MouseButtonDblClick);
    Press(x, y, QEvent::MouseButtonRelease);
    TBitmap measure(1, 1);
    measure.Canvas()->SetFont(*Grid->Font());
    const int textWidth = measure.Canvas()->TextWidth("a much longer text than the column shows");
    EXPECT_GT(Grid->ColWidths(2), textWidth);
    EXPECT_LT(Grid->ColWidths(2), textWidth + 30);
    EXPECT_EQ((std::vector<int>{2}), ended);

    // The left border of column 3 is column 2's right border; a refusal keeps it.
    Grid->SetColWidths(2, 40);
    Grid->OnColumnSize = [](TObject*, int, bool& Allow) { Allow = false; };
    const TRect next = Grid->CellRect(3, 0);
    Press(next.Left + 1, y);
    Press(next.Left + 1, y, QEvent::MouseButtonRelease);
    Press(next.Left + 1, y, QEvent::MouseButtonDblClick);
    Press(next.Left + 1, y, QEvent::MouseButtonRelease);
    EXPECT_EQ(40, Grid->ColWidths(2));
    EXPECT_EQ(1u, ended.size());
}

TEST_F(ControlsTest, TheSizingHintShowsTheWidthTheColumnGetsOnRelease) {
    Grid->SetOptions(Grid->Options() + goColSizing);
    Grid->SetColWidths(2, 60);
    const TRect head = Grid->CellRect(2, 0);
    const int x = head.Right, y = (head.Top + head.Bottom) / 2;
    Press(x, y);
    Press(x + 30, y, QEvent::MouseMove);
    EXPECT_EQ(nullptr, Grid->SizingHintWindow()) << "no hint unless asked for";
    Press(x + 30, y, QEvent::MouseButtonRelease);
    ASSERT_EQ(90, Grid->ColWidths(2)) << "the press sized the column";

    Grid->HintShowSizing = true;
    const int x2 = Grid->CellRect(2, 0).Right;
    Press(x2, y);
    Press(x2 - 25, y, QEvent::MouseMove);
    THTMLHintWindow* hint = Grid->SizingHintWindow();
    ASSERT_NE(nullptr, hint);
    EXPECT_TRUE(hint->Visible());
    const std::string shown = hint->Caption();
    Press(x2 - 25, y, QEvent::MouseButtonRelease);
    EXPECT_EQ("cw=<b>" + std::to_string(Grid->ColWidths(2)) + "</b>", shown);
    EXPECT_EQ(65, Grid->ColWidths(2));
    EXPECT_FALSE(hint->Visible()) << "the release hides it";
}

TEST_F(ControlsTest, HoveringMakesTheCellUnderTheMouseCurrent) {
    const TPoint p = Center(Grid->CellRect(3, 4));
    Press(p.X, p.Y, QEvent::MouseMove);
    EXPECT_EQ(1, Grid->Row()) << "without Hovering the mouse only passes";
    Grid->Hovering = true;
    Press(p.X, p.Y, QEvent::MouseMove);
    EXPECT_EQ(3, Grid->Col());
    EXPECT_EQ(4, Grid->Row());
    const TPoint fixed = Center(Grid->CellRect(0, 6));
    Press(fixed.X, fixed.Y, QEvent::MouseMove);
    EXPECT_EQ(4, Grid->Row()) << "fixed cells are not hovered into";
}

TEST_F(ControlsTest, AFixedCellIsEditedInPlaceWhenTheSettingsAskForIt) {
    const TPoint head = Center(Grid->CellRect(2, 0));
    ClickAt(head.X, head.Y);
    EXPECT_EQ(nullptr, Grid->FixedCellEdit()) << "fixed cells are not edited by default";

    Grid->MouseActions()->FixedRowsEdit = fceLeftClick;
    ClickAt(head.X, head.Y);
    TEdit* edit = Grid->FixedCellEdit();
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ("TGridTransEdit", edit->ClassName()) << "the grid's trans edit serves fixed cells";
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(Name(2, 0), edit->Text());
    const TRect cell = Grid->CellRect(2, 0);
    EXPECT_EQ(cell.Left, edit->Left());
    EXPECT_EQ(cell.Width(), edit->Width());
    edit->SetText("Naam");
    SendKey(edit, Qt::Key_Return, "\r");
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ("Naam", Grid->Cells(2, 0));

    ClickAt(head.X, head.Y);
    edit->SetText("weg");
    SendKey(edit, Qt::Key_Escape);
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ("Naam", Grid->Cells(2, 0)) << "Escape keeps the old text";

    // A fixed column by double click; a single click there only selects.
    Grid->MouseActions()->FixedColsEdit = fceDblClick;
    const TPoint side = Center(Grid->CellRect(0, 3));
    ClickAt(side.X, side.Y);
    EXPECT_FALSE(edit->Visible());
    Press(side.X, side.Y, QEvent::MouseButtonDblClick);
    Press(side.X, side.Y, QEvent::MouseButtonRelease);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(Name(0, 3), edit->Text());
    edit->SetText("x");
    Grid->SetFocus();
    ProcessUntil([this] { return Grid->Focused(); });
    EXPECT_EQ("x", Grid->Cells(0, 3)) << "leaving the edit keeps what was typed";
    EXPECT_FALSE(edit->Visible());
}

TEST_F(ControlsTest, DraggingTheSelectionResizerGrowsTheSelectionAndFillsIt) {
    Grid->SetCells(2, 2, "1");
    Grid->SetCells(2, 3, "2");
    Grid->SetSelection({2, 2, 2, 3});
    std::vector<TGridRect> resized;
    Grid->OnSelectionResize = [&](TObject*, const TGridRect& From, const TGridRect& To) {
        resized.push_back(From);
        resized.push_back(To);
    };
    const TRect last = Grid->CellRect(2, 3);
    const TPoint target = Center(Grid->CellRect(2, 6));
    Press(last.Right - 2, last.Bottom - 2);
    Press(target.X, target.Y, QEvent::MouseMove);
    Press(target.X, target.Y, QEvent::MouseButtonRelease);
    EXPECT_TRUE(resized.empty()) << "without SelectionResizer the press only selects";
    EXPECT_EQ(Name(2, 5), Grid->Cells(2, 5));

    Grid->SetSelectionResizer(true);
    Grid->SetSelection({2, 2, 2, 3});
    Press(last.Right - 2, last.Bottom - 2);
    Press(target.X, target.Y, QEvent::MouseMove);
    Press(target.X, target.Y, QEvent::MouseButtonRelease);
    ASSERT_EQ(2u, resized.size());
    EXPECT_EQ((TGridRect{2, 2, 2, 3}), resized[0]);
    EXPECT_EQ((TGridRect{2, 2, 2, 6}), resized[1]);
    EXPECT_EQ((TGridRect{2, 2, 2, 6}), Grid->Selection());
    EXPECT_EQ("3", Grid->Cells(2, 4));
    EXPECT_EQ("4", Grid->Cells(2, 5));
    EXPECT_EQ("5", Grid->Cells(2, 6));
    EXPECT_EQ(Name(2, 7), Grid->Cells(2, 7));
}
