#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "grid/support/basegrid.h"
#include "platform/vcl/controlimage.h"
#include "widgettest.h"

namespace {

// Counts what the base grid asks its descendants to draw.
class TCountingGrid : public TBaseGrid {
public:
    using TBaseGrid::TBaseGrid;
    std::map<std::pair<int, int>, int> Drawn;
    std::map<std::pair<int, int>, TRect> Rects;
    void DrawGridCell(TCanvas& Canvas, int ACol, int ARow, TRect ARect,
                      TGridDrawState AState) override {
        ++Drawn[{ACol, ARow}];
        Rects[{ACol, ARow}] = ARect;
        TBaseGrid::DrawGridCell(Canvas, ACol, ARow, ARect, AState);
    }
    void PressKey(WORD Key) { Perform(WM_KEYDOWN, Key, 0); }
};

class BaseGrid : public WidgetTest {
protected:
    std::unique_ptr<TForm> Form;
    TCountingGrid* Grid = nullptr;
    void SetUp() override {
        WidgetTest::SetUp();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 600, 400);
        Grid = new TCountingGrid(Form.get()); // owned by the form
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 500, 300);
        Grid->SetColCount(8);
        Grid->SetRowCount(10);
    }
};

} // namespace

TEST_F(BaseGrid, DefaultsOfTheBaseGrid) {
    EXPECT_FALSE(Grid->DefaultDrawing());
    EXPECT_EQ(Grid->GridLineWidth(), 1);
    EXPECT_EQ(Grid->TStringGrid::GridLineWidth(), 0); // lines are drawn by the base grid
    EXPECT_EQ(Grid->GridLineColor(), 0xC0C0C0);
    EXPECT_TRUE(Grid->Options().Contains(goDrawFocusSelected));
    Grid->SetDefaultDrawing(true);
    EXPECT_TRUE(Grid->DefaultDrawing());
    EXPECT_FALSE(Grid->TStringGrid::DefaultDrawing());
}

TEST_F(BaseGrid, TextsAndRectanglesOfMergedCells) {
    Grid->SetCellText(1, 1, "Ronde 1");
    ASSERT_TRUE(Grid->MergeCells(1, 1, 3, 2));
    EXPECT_EQ(Grid->GetCellText(3, 2), "Ronde 1");
    EXPECT_EQ(Grid->Cells(1, 1), "Ronde 1");
    const TRect base = Grid->CellRect(1, 1);
    const TRect r = Grid->MergedCellRect(3, 2);
    EXPECT_EQ(r.Left, base.Left);
    EXPECT_EQ(r.Top, base.Top);
    EXPECT_EQ(r.Width(), 3 * Grid->DefaultColWidth());
    EXPECT_EQ(r.Height(), 2 * Grid->DefaultRowHeight());
}

TEST_F(BaseGrid, AMergedRangeIsDrawnOncePerPaintPass) {
    Grid->SetCellText(2, 2, "x");
    Grid->MergeCells(2, 2, 2, 2); // four visible cells
    Form->Show();
    // Once the window is on screen, every paint pass is a real one.
    for (int i = 0; i < 20 && Grid->PaintCount() == 0; ++i)
        Application->ProcessMessages();
    Grid->Drawn.clear();
    Grid->Repaint();
    EXPECT_EQ((Grid->Drawn[{2, 2}]), 1);
    EXPECT_EQ((Grid->Drawn[{3, 3}]), 0);
    EXPECT_EQ((Grid->Rects[{2, 2}].Width()), 2 * Grid->DefaultColWidth() - 2);
    Grid->Repaint();
    EXPECT_EQ((Grid->Drawn[{2, 2}]), 2);
    EXPECT_GE(Grid->PaintCount(), 2);
    EXPECT_EQ((Grid->Drawn[{5, 5}]), 2); // a plain cell, once a pass too
}

TEST_F(BaseGrid, KeysLeaveAMergedRange) {
    Grid->MergeCells(1, 1, 3, 2);
    Form->Show();
    Grid->SetCurrentCell(1, 1);
    Grid->PressKey(VK_RIGHT);
    EXPECT_EQ(Grid->Col(), 4);
    Grid->SetCurrentCell(1, 1);
    Grid->PressKey(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 3);
    // From a covered cell, reached by the mouse, the keys go to the base cell first.
    Grid->SetCurrentCell(3, 2);
    Grid->PressKey(VK_LEFT);
    EXPECT_EQ(Grid->Col(), 1); // base column, then one step: held at the range's base
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(BaseGrid, TheRecorderFollowsTheGrid) {
    auto* undo = new TExtGridUndoRedo(Form.get()); // owned by the form
    Grid->SetUndoRedo(undo);
    EXPECT_EQ(undo->Grid(), Grid);
    delete undo; // the grid forgets it
    EXPECT_EQ(Grid->UndoRedo(), nullptr);
}

TEST_F(BaseGrid, RecordsGoWithTheirCells) {
    Grid->GetCellProperties(7, 9)->SetBrushColor(clRed);
    Grid->MergeCells(5, 7, 3, 3);
    Grid->SetRowCount(8); // rows 8 and 9 are gone: their records are freed
    EXPECT_EQ(Grid->Objects(7, 9), nullptr);
    EXPECT_EQ(Grid->Objects(6, 8), nullptr);
    EXPECT_FALSE(Grid->IsMergedCell(5, 7)); // the range was split
    Grid->GetCellProperties(2, 2);
    // The rest goes with the grid (the sanitizer sees any leak).
}

TEST_F(BaseGrid, RecordsFollowRowsMovedInOnePass) {
    Grid->GetCellProperties(2, 5)->ReadOnly = true;
    Grid->GetCellProperties(3, 1)->GraphicObject = new TObject; // the record frees it
    EXPECT_EQ(Grid->CellPropertiesCount(), 2);
    Grid->MoveRows(5, 1, 1);
    ASSERT_NE(Grid->FindCellProperties(2, 1), nullptr);
    EXPECT_EQ(Grid->FindCellProperties(2, 1)->OwnerRow, 1);
    EXPECT_EQ(Grid->FindCellProperties(3, 2)->OwnerRow, 2);
    Grid->ReorderRows({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    EXPECT_EQ(Grid->FindCellProperties(2, 8)->OwnerRow, 8);
    // Rows that leave the grid take their records with them.
    Grid->SetRowCount(8);
    EXPECT_EQ(Grid->CellPropertiesCount(), 1);
    EXPECT_EQ(Grid->FindCellProperties(2, 8), nullptr);
    EXPECT_NE(Grid->FindCellProperties(3, 7), nullptr);
}

TEST_F(BaseGrid, FixedCellsAreDrawnInsideTheirFrame) {
    Grid->SetFixedColor(clYellow);
    Grid->SetCellText(1, 0, "Naam");
    auto image = WhiteBitmap(Grid->Width(), Grid->Height());
    PaintControlTo(*Grid, *image);
    // The fixed cell's inside is a pixel smaller than the cell on every side.
    EXPECT_EQ((Grid->Rects[{0, 0}]), Rect(1, 1, 63, 23));
    EXPECT_EQ((Grid->Rects[{1, 0}]), Rect(65, 1, 127, 23));
    // A header cell right of the fixed column starts on the fixed area's edge;
    // it is a fixed cell itself and is painted, not clipped away.
    const TRect header = Grid->CellRect(1, 0);
    const int b = Grid->BorderOffset();
    EXPECT_EQ(header.Left, Grid->ColWidths(0));
    EXPECT_EQ(image->Pixel(b + header.Left + 3, b + header.Top + 3), clYellow);
    EXPECT_EQ(image->Pixel(b + header.Right - 3, b + header.Bottom - 3), clYellow);
    SaveArtifact(*image, "basegrid_header.png");
}

TEST_F(BaseGrid, TheCurrentCellMovesAlongOneAxisToo) {
    Grid->SetCurrentCell(3, 1);
    EXPECT_EQ(Grid->Col(), 3);
    Grid->SetCurrentCell(3, 4);
    EXPECT_EQ(Grid->Row(), 4);
    Grid->SetCurrentCell(5, 4);
    EXPECT_EQ(Grid->Col(), 5);
    EXPECT_EQ(Grid->Row(), 4);
}

namespace {

// A tree-like grid whose first column is indented per row.
class TNodeGrid : public TCountingGrid {
public:
    using TCountingGrid::TCountingGrid;
    int GetNodeIndent(int ARow) override { return 10 * ARow; }
};

} // namespace

TEST_F(BaseGrid, OnlyTheFirstColumnIsIndentedForNodes) {
    auto* grid = new TNodeGrid(Form.get()); // owned by the form
    grid->SetParent(Form.get());
    grid->SetBounds(0, 0, 400, 200);
    grid->SetFixedCols(0);
    auto image = WhiteBitmap(grid->Width(), grid->Height());
    PaintControlTo(*grid, *image);
    // The inside of a cell lies the grid line's width inside it, plus the indent.
    EXPECT_EQ((grid->Rects[{0, 2}].Left), grid->CellRect(0, 2).Left + 20 + 1);
    EXPECT_EQ((grid->Rects[{1, 2}].Left), grid->CellRect(1, 2).Left + 1);
    EXPECT_EQ((grid->Rects[{0, 0}].Left), 1); // fixed row: no indent
}
