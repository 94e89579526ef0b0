// The grid's mouse through real Qt mouse events: rows, columns and the whole
// grid selected from the fixed cells, disjunct rows with Ctrl, click events,
// editing by a click on the current cell, and anchors in cells, of which only
// "CELL://" references and web or mail addresses are ever followed.
#include <QCursor>
#include <QEvent>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include "gridfixture.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/urlopen.h"
#include "vcltestenv.h"

namespace {

// Writes down the addresses the grid would hand to the desktop.
class TOpeningGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    std::vector<std::string> Opened;

protected:
    bool OpenAnchor(const std::string& Anchor) override {
        Opened.push_back(Anchor);
        return true;
    }
};

class MouseTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid = Opening = new TOpeningGrid(Form.get()); // owned by the form
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 600, 400);
        Fill(5, 8);
        Grid->SetColWidths(2, 160);
        FocusGrid();
    }
    TPoint Center(int ACol, int ARow) const {
        const TRect r = Grid->CellRect(ACol, ARow);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Click(int ACol, int ARow, Qt::KeyboardModifiers Mods = Qt::NoModifier,
               Qt::MouseButton Button = Qt::LeftButton, int X = -1) {
        TPoint p = Center(ACol, ARow);
        if (X >= 0) p.X = Grid->CellRect(ACol, ARow).Left + X;
        const int b = Grid->BorderOffset();
        SendMouse(Grid, QEvent::MouseButtonPress, p.X + b, p.Y + b, Button, Mods);
        SendMouse(Grid, QEvent::MouseButtonRelease, p.X + b, p.Y + b, Button, Mods);
    }
    // Drags the left button from the middle of one cell to another's, by way
    // of the point between them.
    void Drag(int FromCol, int FromRow, int ToCol, int ToRow) {
        const int b = Grid->BorderOffset();
        const TPoint a = Center(FromCol, FromRow), z = Center(ToCol, ToRow);
        SendMouse(Grid, QEvent::MouseButtonPress, a.X + b, a.Y + b, Qt::LeftButton);
        SendMouse(Grid, QEvent::MouseMove, (a.X + z.X) / 2 + b, (a.Y + z.Y) / 2 + b,
                  Qt::LeftButton);
        SendMouse(Grid, QEvent::MouseMove, z.X + b, z.Y + b, Qt::LeftButton);
        SendMouse(Grid, QEvent::MouseButtonRelease, z.X + b, z.Y + b, Qt::LeftButton);
    }
    // Whether the grid's window shows the cursor that a control set to C
    // shows; a picture's hot spot must lie on its arrow (black).
    bool Shows(TCursor C) {
        if (!Probe) Probe = new TPanel(Form.get()); // owned by the form
        Probe->SetCursor(C);
        const QCursor want = Probe->Widget()->cursor(), shown = Grid->Widget()->cursor();
        const QImage image = shown.pixmap().toImage();
        const QPoint hot = shown.hotSpot();
        return shown.shape() == want.shape() && hot == want.hotSpot() &&
               image == want.pixmap().toImage() &&
               (image.isNull() || (image.valid(hot) && image.pixel(hot) == qRgba(0, 0, 0, 255)));
    }
    TPanel* Probe = nullptr;
    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (int r = 0; r < Grid->RowCount(); ++r)
            if (Grid->GetRowSelect(r)) rows.push_back(r);
        return rows;
    }
    TOpeningGrid* Opening = nullptr;
};

} // namespace

TEST_F(MouseTest, FixedCellsSelectARowAColumnOrEverything) {
    Grid->MouseActions()->RowSelect = true;
    Grid->MouseActions()->ColSelect = true;
    Grid->MouseActions()->AllSelect = true;
    Grid->SetFixedFooters(1);
    std::vector<TGridRect> reported;
    Grid->OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) {
        reported.push_back({L, T, R, B});
    };
    Click(0, 3);
    EXPECT_EQ((TGridRect{1, 3, 4, 3}), Grid->Selection());
    Click(2, 0);
    EXPECT_EQ((TGridRect{2, 1, 2, 6}), Grid->Selection()) << "the footer row is not selected";
    Click(0, 0);
    EXPECT_EQ((TGridRect{1, 1, 4, 6}), Grid->Selection());
    EXPECT_EQ(3u, reported.size());
    // Without the switches a fixed cell selects nothing.
    Grid->MouseActions()->RowSelect = false;
    Grid->FocusCell(2, 2, true);
    Click(0, 5);
    EXPECT_EQ((TGridRect{2, 2, 2, 2}), Grid->Selection());
}

TEST_F(MouseTest, AFixedColumnIsSizedByHandAtItsRightBorder) {
    Grid->SetColWidths(0, 50);
    Grid->MouseActions()->RowSelect = true;
    const int b = Grid->BorderOffset();
    const TRect fixed = Grid->CellRect(0, 3);
    const int y = (fixed.Top + fixed.Bottom) / 2 + b;
    auto drag = [&](int From, int To) {
        SendMouse(Grid, QEvent::MouseButtonPress, From + b, y, Qt::LeftButton);
        SendMouse(Grid, QEvent::MouseMove, To + b, y, Qt::LeftButton);
        SendMouse(Grid, QEvent::MouseButtonRelease, To + b, y, Qt::LeftButton);
    };
    // Without the switch the border press is a plain press in the fixed column.
    drag(fixed.Right - 1, fixed.Right + 40);
    EXPECT_EQ(50, Grid->ColWidths(0));
    EXPECT_EQ((TGridRect{1, 3, 4, 3}), Grid->Selection()) << "it selected the row";

    Grid->MouseActions()->SizeFixedCol = true;
    Grid->FocusCell(2, 2, true);
    SendMouse(Grid, QEvent::MouseMove, fixed.Right + 2 + b, y, Qt::NoButton);
    EXPECT_TRUE(Shows(crHSplit)) << "sizing is possible within 3 pixels";
    SendMouse(Grid, QEvent::MouseMove, fixed.Right - 10 + b, y, Qt::NoButton);
    EXPECT_FALSE(Shows(crHSplit));

    Grid->HintShowSizing = true;
    SendMouse(Grid, QEvent::MouseButtonPress, fixed.Right - 2 + b, y, Qt::LeftButton);
    EXPECT_EQ(0, Grid->OwnSizingCol());
    SendMouse(Grid, QEvent::MouseMove, fixed.Right + 30 + b, y, Qt::LeftButton);
    ASSERT_NE(nullptr, Grid->SizingHintWindow());
    EXPECT_EQ("cw=<b>80</b>", Grid->SizingHintWindow()->Caption());
    SendMouse(Grid, QEvent::MouseButtonRelease, fixed.Right + 30 + b, y, Qt::LeftButton);
    EXPECT_EQ(-1, Grid->OwnSizingCol());
    EXPECT_EQ(80, Grid->ColWidths(0)) << "the width runs from the column's left to the release";
    EXPECT_EQ((TGridRect{2, 2, 2, 2}), Grid->Selection()) << "sizing selects nothing";
    EXPECT_FALSE(Grid->SizingHintWindow()->Visible());

    // Dragged past the column's left border it closes; it never goes negative.
    const int right = Grid->CellRect(0, 3).Right;
    SendMouse(Grid, QEvent::MouseButtonPress, right + b, y, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, b - 20, y, Qt::LeftButton);
    EXPECT_EQ(0, Grid->ColWidths(0));
}

TEST_F(MouseTest, TheCursorTellsWhatAPressWouldSelect) {
    Grid->MouseActions()->RowSelect = true;
    Grid->MouseActions()->ColSelect = true;
    Grid->MouseActions()->AllSelect = true;
    Grid->SetSelectionResizer(true);
    Grid->SetOptions(Grid->Options() + goColSizing);
    Grid->SetCursor(crHandPoint);
    Grid->FocusCell(2, 2, true);
    const int b = Grid->BorderOffset();
    const TPoint resizer = {Grid->CellRect(2, 2).Right - 2, Grid->CellRect(2, 2).Bottom - 2};
    const struct {
        TPoint At;
        TCursor Shown;
    } cases[] = {
        {Center(0, 3), TExtStringGrid::crRowSelect},
        {Center(2, 0), TExtStringGrid::crColSelect},
        {{Grid->CellRect(2, 0).Right, Center(2, 0).Y}, crHSplit}, // a press there sizes
        {Center(0, 0), TExtStringGrid::crSelectAll},
        {resizer, TExtStringGrid::crSelectAll},
        {Center(3, 3), crHandPoint},
    };
    for (const auto& c : cases) {
        MouseMoveTo(Grid, c.At.X + b, c.At.Y + b, false);
        EXPECT_TRUE(Shows(c.Shown)) << "at " << c.At.X << "," << c.At.Y;
    }
    // The resizer's drag keeps its cursor until the button comes up.
    MouseMoveTo(Grid, resizer.X + b, resizer.Y + b, false);
    MousePress(Grid, resizer.X + b, resizer.Y + b);
    const TPoint to = Center(3, 4);
    MouseMoveTo(Grid, to.X + b, to.Y + b, true);
    EXPECT_TRUE(Shows(TExtStringGrid::crSelectAll));
    MouseRelease(Grid, to.X + b, to.Y + b);
    EXPECT_TRUE(Shows(crHandPoint));
    // No cursor promises what a press would not do.
    Grid->MouseActions()->RowSelect = false;
    MouseMoveTo(Grid, Center(0, 3).X + b, Center(0, 3).Y + b, false);
    EXPECT_TRUE(Shows(crHandPoint));
    EXPECT_EQ(crHandPoint, Grid->Cursor());
}

TEST_F(MouseTest, CtrlClicksPickRowsOneByOne) {
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Click(1, 2);
    EXPECT_EQ((std::vector<int>{2}), SelectedRows());
    Click(1, 4, Qt::ControlModifier);
    EXPECT_EQ((std::vector<int>{2, 4}), SelectedRows());
    Click(1, 2, Qt::ControlModifier);
    EXPECT_EQ((std::vector<int>{4}), SelectedRows()) << "a second Ctrl click takes it back";
    Click(1, 3);
    EXPECT_EQ((std::vector<int>{3}), SelectedRows());
}

TEST_F(MouseTest, ClicksReportTheCellAndEditTheCurrentOne) {
    std::vector<std::string> events;
    auto record = [&](const char* Kind) {
        return [&events, Kind](TObject*, int ARow, int ACol) {
            events.push_back(std::string(Kind) + std::to_string(ACol) + "," + std::to_string(ARow));
        };
    };
    Grid->OnClickCell = record("click ");
    Grid->OnRightClickCell = record("right ");
    Grid->OnDblClickCell = record("double ");
    Grid->SetOptions(Grid->Options() + goEditing);
    Click(3, 2);
    EXPECT_FALSE(Grid->EditorMode()) << "a click on another cell only moves there";
    Click(3, 2);
    EXPECT_TRUE(Grid->EditorMode()) << "a click on the current cell edits it";
    Grid->SetEditorMode(false);
    Click(1, 4, Qt::NoModifier, Qt::RightButton);
    const TPoint p = Center(2, 5);
    const int b = Grid->BorderOffset();
    SendMouse(Grid, QEvent::MouseButtonPress, p.X + b, p.Y + b, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, p.X + b, p.Y + b, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonDblClick, p.X + b, p.Y + b, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, p.X + b, p.Y + b, Qt::LeftButton);
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ("click 3,2", events[0]);
    EXPECT_EQ("click 3,2", events[1]);
    EXPECT_EQ("right 1,4", events[2]);
    EXPECT_EQ(1, std::count(events.begin(), events.end(), "double 2,5"));
    EXPECT_EQ(0, std::count(events.begin(), events.end(), "double 3,2"));
}

TEST_F(MouseTest, OnlyWebAndMailAddressesLeaveTheGrid) {
    Grid->SetURLShow(true);
    Grid->SetCells(2, 1, "http://example.org/uitslagen");
    Grid->SetCells(2, 2, "mailto:wedstrijdleider@example.org");
    Grid->SetCells(2, 3, "<a href=\"/usr/bin/xterm\">start</a>");
    Grid->SetCells(2, 4, "<a href=\"javascript:alert(1)\">start</a>");
    Grid->SetCells(2, 5, "<a href=\"file:///etc/passwd\">start</a>");
    Grid->SetCells(2, 6, "<a href=\"https://example.org\">web</a>");
    for (int r = 1; r <= 6; ++r)
        Click(2, r, Qt::NoModifier, Qt::LeftButton, 8);
    EXPECT_EQ(
        (std::vector<std::string>{"http://example.org/uitslagen",
                                  "mailto:wedstrijdleider@example.org", "https://example.org"}),
        Opening->Opened);
}

TEST_F(MouseTest, CellAnchorsMoveInsideTheGridUnlessTheHandlerSaysNo) {
    Grid->SetCells(2, 1, "<a href=\"CELL://R6C3\">naar</a>");
    Grid->FocusCell(1, 1, true);
    Click(2, 1, Qt::NoModifier, Qt::LeftButton, 8);
    EXPECT_EQ(3, Grid->Col());
    EXPECT_EQ(6, Grid->Row());
    EXPECT_TRUE(Opening->Opened.empty());
    std::string seen;
    Grid->OnAnchorClick = [&](TObject*, int, int, const std::string& Anchor, bool& AutoHandle) {
        seen = Anchor;
        AutoHandle = false;
    };
    Grid->FocusCell(1, 1, true);
    Click(2, 1, Qt::NoModifier, Qt::LeftButton, 8);
    EXPECT_EQ("CELL://R6C3", seen);
    EXPECT_EQ(1, Grid->Col());
    // A reference outside the grid goes nowhere.
    Grid->OnAnchorClick = nullptr;
    Grid->SetCells(2, 2, "<a href=\"CELL://R99C1\">weg</a>");
    Click(2, 2, Qt::NoModifier, Qt::LeftButton, 8);
    EXPECT_EQ(1, Grid->Row());
}

TEST(URLOpenTest, OnlyWebAndMailSchemesAreOpenable) {
    EXPECT_TRUE(IsOpenableURL("http://example.org"));
    EXPECT_TRUE(IsOpenableURL("HTTPS://example.org/a?b=c"));
    EXPECT_TRUE(IsOpenableURL("mailto:a@example.org"));
    EXPECT_FALSE(IsOpenableURL("http://"));
    EXPECT_FALSE(IsOpenableURL("file:///bin/sh"));
    EXPECT_FALSE(IsOpenableURL("/usr/bin/xterm"));
    EXPECT_FALSE(IsOpenableURL("javascript:alert(1)"));
    EXPECT_FALSE(IsOpenableURL("smb://server/share"));
    EXPECT_FALSE(IsOpenableURL("http://example.org\n/bin/sh"));
    EXPECT_FALSE(OpenURL("C:\\Windows\\notepad.exe"));
}

TEST_F(MouseTest, TheWheelWalksTheNormalRowsOnly) {
    Grid->SetFixedFooters(1);
    Grid->FocusCell(2, 5, true);
    const TPoint p = Center(2, 3);
    SendWheel(Grid, p.X, p.Y, -120);
    EXPECT_EQ(6, Grid->Row());
    SendWheel(Grid, p.X, p.Y, -120);
    EXPECT_EQ(6, Grid->Row()) << "the footer row 7 is not reached by the wheel";
    SendWheel(Grid, p.X, p.Y, 120);
    EXPECT_EQ(5, Grid->Row());
    Grid->EnableWheel = false;
    SendWheel(Grid, p.X, p.Y, 120);
    EXPECT_EQ(5, Grid->Row());
}

TEST_F(MouseTest, CtrlAndTheWheelZoomInAtMostTenSteps) {
    const int width = Grid->ColWidths(1), height = Grid->RowHeights(1);
    Grid->FocusCell(2, 3, true);
    const TPoint p = Center(2, 3);
    for (int i = 0; i < 11; ++i)
        SendWheel(Grid, p.X, p.Y, -120, Qt::ControlModifier);
    EXPECT_EQ(10, Grid->ZoomStep());
    EXPECT_EQ(width + 10, Grid->ColWidths(1));
    EXPECT_EQ(height + 10, Grid->RowHeights(1));
    EXPECT_EQ(3, Grid->Row()) << "zooming does not move the current cell";
    SendWheel(Grid, p.X, p.Y, 120, Qt::ControlModifier);
    EXPECT_EQ(9, Grid->ZoomStep());
    EXPECT_EQ(width + 9, Grid->ColWidths(1));
}

namespace {

// Events handled until Done holds, for at most ten seconds.
bool WaitUntil(const std::function<bool()>& Done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ProcessUntil(Done) && std::chrono::steady_clock::now() < deadline) {
    }
    return Done();
}

TColor CellColour(TExtStringGrid* Grid, int ACol, int ARow) {
    auto image = std::make_unique<TBitmap>(Grid->Width(), Grid->Height());
    PaintControlTo(*Grid, *image);
    const TRect r = Grid->CellRect(ACol, ARow);
    const int b = Grid->BorderOffset();
    return image->Pixel(r.Right - 4 + b, r.Bottom - 4 + b);
}

} // namespace

TEST_F(MouseTest, CtrlClicksPickCellsOneByOne) {
    Grid->MouseActions()->SetDisjunctCellSelect(true);
    Grid->SetSelectionColor(0x00C000);
    Click(1, 1);
    Click(3, 2, Qt::ControlModifier);
    Click(2, 4, Qt::ControlModifier);
    EXPECT_EQ(Grid->SelectedCellCount(), 3);
    EXPECT_TRUE(Grid->IsSelectedCell(3, 2));
    EXPECT_EQ(CellColour(Grid, 3, 2), 0x00C000);
    EXPECT_EQ(CellColour(Grid, 2, 4), 0x00C000);
    EXPECT_EQ(CellColour(Grid, 2, 2), 0xFFFFFF);
    Click(3, 2, Qt::ControlModifier);
    EXPECT_FALSE(Grid->IsSelectedCell(3, 2));
    EXPECT_EQ(CellColour(Grid, 3, 2), 0xFFFFFF) << "the current cell, not picked";
    Click(4, 5);
    EXPECT_EQ(Grid->SelectedCellCount(), 1);
    EXPECT_TRUE(Grid->IsSelectedCell(4, 5));
    EXPECT_EQ(CellColour(Grid, 1, 1), 0xFFFFFF);
}

TEST_F(MouseTest, BlinkingTextShowsAndHidesByTurns) {
    Grid->SetCells(2, 3, "<BLINK>XXXXXXXX</BLINK>");
    const TColor ink = 0x000000; // the window text
    auto shown = [&] {
        auto image = std::make_unique<TBitmap>(Grid->Width(), Grid->Height());
        PaintControlTo(*Grid, *image);
        const TRect r = Grid->CellRect(2, 3);
        const int b = Grid->BorderOffset();
        return CountColor(*image, {r.Left + b, r.Top + b, r.Right + b, r.Bottom + b}, ink) > 0;
    };
    EXPECT_TRUE(shown());
    Grid->SetEnableBlink(true);
    EXPECT_TRUE(WaitUntil([&] { return !Grid->BlinkVisible(); }));
    EXPECT_FALSE(shown());
    EXPECT_TRUE(WaitUntil([&] { return Grid->BlinkVisible(); }));
    EXPECT_TRUE(shown());
    Grid->SetEnableBlink(false);
    EXPECT_TRUE(Grid->BlinkVisible());
}

TEST_F(MouseTest, ARightPressOnAnAddressEditsIt) {
    Grid->SetURLShow(true);
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->SetCells(2, 3, "http://www.knsb.nl");
    Click(2, 3, Qt::NoModifier, Qt::RightButton);
    EXPECT_FALSE(Grid->EditorMode()) << "only with URLEdit";
    Grid->URLEdit = true;
    Click(2, 3, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_TRUE(Opening->Opened.empty());
}

TEST_F(MouseTest, MovingAColumnAsksFirstAndItsWidthFollowsWithEnhRowColMove) {
    Grid->SetOptions(Grid->Options() + goColMoving);
    auto drag = [this](int From, int To) { Drag(From, 0, To, 0); };
    std::vector<int> asked;
    bool allow = false;
    Grid->OnColumnMove = [&](TObject*, int ACol, bool& Allow) {
        asked.push_back(ACol);
        Allow = allow;
    };
    drag(2, 4);
    EXPECT_EQ(asked, (std::vector<int>{2}));
    EXPECT_EQ(Grid->Cells(2, 1), Name(2, 1)) << "refused";
    allow = true;
    drag(2, 4);
    EXPECT_EQ(Grid->Cells(4, 1), Name(2, 1));
    EXPECT_EQ(Grid->ColWidths(4), 160) << "the width went along";
    Grid->EnhRowColMove = false;
    drag(4, 1);
    EXPECT_EQ(Grid->Cells(1, 1), Name(2, 1));
    EXPECT_EQ(Grid->ColWidths(4), 160) << "widths stay where they were";
    EXPECT_EQ(Grid->ColWidths(1), Grid->DefaultColWidth());
}

TEST_F(MouseTest, NoAutoRangeScrollKeepsThePartlyShownColumnWhereItIs) {
    Grid->SetColCount(12);
    const int last = Grid->LeftCol() + Grid->VisibleColCount();
    ASSERT_LT(Grid->CellRect(last, 2).Left, Grid->ClientWidth()) << "partly shown";
    // Just inside the partly shown column.
    auto press = [&] { Click(last, 2, Qt::NoModifier, Qt::LeftButton, 5); };
    Grid->MouseActions()->NoAutoRangeScroll = true;
    press();
    EXPECT_EQ(Grid->LeftCol(), 1);
    EXPECT_EQ(Grid->Col(), last);
    Grid->MouseActions()->NoAutoRangeScroll = false;
    Grid->SetCol(1);
    press();
    EXPECT_GT(Grid->LeftCol(), 1) << "without it the column scrolls into view";
}

TEST_F(MouseTest, CaretPositioningPutsTheCaretAtTheClickedCharacter) {
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->SetCells(2, 3, "abcdefghijklmnopqrstuvwxyz");
    Click(2, 3);
    Click(2, 3, Qt::NoModifier, Qt::LeftButton, 30);
    ASSERT_TRUE(Grid->EditorMode());
    TInplaceEdit* editor = Grid->InplaceEditor();
    EXPECT_EQ(editor->SelLength(), 26) << "all of it, as usual";
    // Just inside the left edge of the "k" as the cell paints it: the editor
    // shows the text in the same font, so the click lands on the same letter.
    TBitmap measure(1, 1);
    measure.Canvas()->SetFont(*Grid->Font());
    const int inCell = Grid->XYOffset.X + measure.Canvas()->TextWidth("abcdefghij") + 2;
    Grid->SetEditorMode(false);
    Grid->Navigation()->EditSelectAll = false;
    Click(2, 3, Qt::NoModifier, Qt::LeftButton, inCell);
    ASSERT_TRUE(Grid->EditorMode());
    EXPECT_EQ(editor->SelLength(), 0);
    EXPECT_EQ(editor->SelStart(), 26) << "without EditSelectAll at the end";
    Grid->SetEditorMode(false);
    Grid->MouseActions()->CaretPositioning = true;
    Click(2, 3, Qt::NoModifier, Qt::LeftButton, inCell);
    ASSERT_TRUE(Grid->EditorMode());
    EXPECT_EQ(editor->SelLength(), 0);
    EXPECT_EQ(editor->SelStart(), 10) << "before the clicked k";
}

TEST_F(MouseTest, MovingARowAsksFirstAndKeepsOffTheFloatingFooter) {
    Grid->SetOptions(Grid->Options() + goRowMoving);
    Grid->SetRowHeights(2, 40);
    auto drag = [this](int From, int To) { Drag(0, From, 0, To); };
    std::vector<int> asked;
    bool allow = false;
    Grid->OnRowMove = [&](TObject*, int ARow, bool& Allow) {
        asked.push_back(ARow);
        Allow = allow;
    };
    drag(2, 4);
    EXPECT_EQ(asked, (std::vector<int>{2}));
    EXPECT_EQ(Grid->Cells(1, 2), Name(1, 2)) << "refused";
    allow = true;
    drag(2, 4);
    EXPECT_EQ(Grid->Cells(1, 4), Name(1, 2));
    EXPECT_EQ(Grid->RowHeights(4), 40) << "the height went along";
    Grid->EnhRowColMove = false;
    drag(4, 1);
    EXPECT_EQ(Grid->Cells(1, 1), Name(1, 2));
    EXPECT_EQ(Grid->RowHeights(4), 40) << "heights stay where they were";
    const int last = Grid->RowCount() - 1;
    Grid->FloatingFooter()->SetVisible(true);
    const std::string footer = Grid->Cells(1, last);
    drag(1, last);
    EXPECT_EQ(Grid->Cells(1, 1), Name(1, 2)) << "not onto the footer's row";
    EXPECT_EQ(Grid->Cells(1, last), footer);
}

TEST_F(MouseTest, PickedRowsShowAndCopyAsPickedWhenRowsAreHidden) {
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->HideRow(2);
    Click(1, 4, Qt::ControlModifier);
    ASSERT_EQ(Grid->Cells(1, 4), Name(1, 5));
    EXPECT_TRUE(Grid->IsCellSelected(3, 4));
    EXPECT_FALSE(Grid->IsCellSelected(3, 5));
    EXPECT_EQ(CellColour(Grid, 3, 4), Grid->SelectionColor());
    EXPECT_NE(CellColour(Grid, 3, 5), Grid->SelectionColor());
    std::string text;
    Grid->GetSelectionAsText(text);
    EXPECT_EQ(text, Name(1, 5));
    Grid->CutSelectionToClipboard();
    EXPECT_EQ(Grid->Cells(1, 4), "") << "the picked row, not the one below it";
    EXPECT_EQ(Grid->Cells(1, 5), Name(1, 6));
}

TEST_F(MouseTest, KeepHorizScrollKeepsTheColumnsWhenARowIsClicked) {
    Grid->SetColCount(12);
    Grid->SetOptions(Grid->Options() + goRowSelect);
    const int last = Grid->LeftCol() + Grid->VisibleColCount();
    // Just inside the partly shown column.
    auto press = [&] { Click(last, 2, Qt::NoModifier, Qt::LeftButton, 5); };
    Grid->Navigation()->KeepHorizScroll = true;
    press();
    EXPECT_EQ(Grid->LeftCol(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    Grid->Navigation()->KeepHorizScroll = false;
    Grid->SetRow(4);
    press();
    EXPECT_GT(Grid->LeftCol(), 1) << "without it the clicked column scrolls into view";
}

TEST_F(MouseTest, RangeSelectAndEditOpensTheEditorOnADoubleClick) {
    Grid->MouseActions()->RangeSelectAndEdit = true;
    ASSERT_FALSE(Grid->Options().Contains(goEditing));
    const int b = Grid->BorderOffset();
    const TPoint p = Center(3, 4);
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        SendMouse(Grid, type, p.X + b, p.Y + b, Qt::LeftButton);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_TRUE(Grid->Options().Contains(goEditing));
}
