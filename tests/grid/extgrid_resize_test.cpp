// Column widths that follow the grid's window: a stretched column, columns
// kept in proportion to the width, and columns sized in proportion to one
// the user sized, all through real window and mouse events.
#include <QEvent>
#include <QWidget>

#include "painttest.h"
#include "synthinput.h"
#include "vcltestenv.h"

namespace {

class ResizeTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        Grid->SetScrollBars(ssNone);
        Grid->SetAlign(alClient);
        Fill(4, 5);
        Grid->SetFixedCols(1);
        for (int c = 0; c < 4; ++c)
            Grid->SetColWidths(c, 60);
        ShowActive(Form.get());
    }
    // The form's window resized as the window manager would.
    void ResizeWindow(int Width) {
        Form->Widget()->resize(Width, Form->Widget()->height());
        ProcessUntil([&] { return Grid->Width() == Form->ClientWidth(); });
    }
    int OthersThan(int Col) const {
        int sum = 0;
        for (int c = 0; c < Grid->ColCount(); ++c)
            if (c != Col) sum += Grid->ColWidths(c);
        return sum;
    }
};

} // namespace

TEST_F(ResizeTest, AStretchedColumnFollowsTheWindow) {
    Grid->ColumnSize()->SetStretch(true);
    EXPECT_EQ(Grid->ColWidths(3), Grid->ClientWidth() - OthersThan(3) - 1) << "at once";
    SaveArtifact(*Render(), "grid_wide_stretch_before_resize.png");
    const int before = Grid->ColWidths(3);
    ResizeWindow(Form->Widget()->width() + 200);
    EXPECT_EQ(Grid->ColWidths(3), before + 200);
    EXPECT_EQ(Grid->ColWidths(3), Grid->ClientWidth() - OthersThan(3) - 1);
    SaveArtifact(*Render(), "grid_wide_stretch_after_resize.png");
    // A chosen column stretches instead of the last.
    Grid->ColumnSize()->StretchColumn = 1;
    Grid->SetColWidths(3, 60);
    ResizeWindow(Form->Widget()->width() - 100);
    EXPECT_EQ(Grid->ColWidths(1), Grid->ClientWidth() - OthersThan(1) - 1);
}

TEST_F(ResizeTest, ColumnsKeepTheirShareWhenSynchronisedWithTheGrid) {
    Grid->ColumnSize()->SynchWithGrid = true;
    const int frame = Form->Widget()->width() - Grid->ClientWidth();
    ResizeWindow(400 + frame);
    ASSERT_EQ(Grid->ClientWidth(), 400);
    Grid->SetColWidths(1, 50);
    Grid->SetColWidths(2, 60);
    Grid->SetColWidths(3, 40);
    ResizeWindow(600 + frame);
    EXPECT_EQ(Grid->ColWidths(1), 75);
    EXPECT_EQ(Grid->ColWidths(2), 90);
    EXPECT_EQ(Grid->ColWidths(3), 60) << "the last column too";
    // Sized down to nothing, or to a few pixels, the columns get their
    // shares back when the grid grows again.
    for (const int narrow : {0, 3}) {
        ResizeWindow(narrow + frame);
        ASSERT_EQ(Grid->ClientWidth(), narrow);
        ResizeWindow(400 + frame);
        EXPECT_EQ(Grid->ColWidths(1), 50) << "after " << narrow << " pixels";
        EXPECT_EQ(Grid->ColWidths(2), 60) << "after " << narrow << " pixels";
    }
    // A column sized in between is the new base.
    Grid->SetColWidths(1, 100);
    ResizeWindow(200 + frame);
    EXPECT_EQ(Grid->ColWidths(1), 50);
    EXPECT_EQ(Grid->ColWidths(2), 30);
}

TEST_F(ResizeTest, SizingAColumnByMouseScalesTheOthersAndEnds) {
    Grid->SetOptions(Grid->Options() + goColSizing);
    Grid->ProportionalSizing = true;
    std::vector<int> ended;
    Grid->OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
    const int b = Grid->BorderOffset(), y = Grid->CellRect(1, 0).Top + 5 + b;
    const int border = Grid->CellRect(1, 0).Right + b;
    MouseDrag(Grid, border, y, border + 30, y);
    EXPECT_EQ(Grid->ColWidths(1), 90);
    EXPECT_EQ(Grid->ColWidths(2), 90) << "60 x 90 / 60";
    EXPECT_EQ(Grid->ColWidths(3), 90);
    EXPECT_EQ(Grid->ColWidths(0), 60) << "fixed columns keep theirs";
    EXPECT_EQ(ended, (std::vector<int>{1}));
}

TEST_F(ResizeTest, ABorderLetGoBeyondTheGridTakesTheSizingBack) {
    Grid->SetOptions(Grid->Options() + goColSizing + goRowSizing);
    std::vector<int> ended;
    Grid->OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
    const int b = Grid->BorderOffset(), y = Grid->CellRect(1, 0).Top + 5 + b;
    const int border = Grid->CellRect(1, 0).Right + b;
    MouseDrag(Grid, border, y, Grid->Width() + 20, y);
    EXPECT_EQ(Grid->ColWidths(1), 60);
    EXPECT_TRUE(ended.empty());
    const int height = Grid->RowHeights(2), x = Grid->CellRect(0, 2).Left + 5 + b;
    const int bottom = Grid->CellRect(0, 2).Bottom + b;
    SendMouse(Grid, QEvent::MouseButtonPress, x, bottom, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, x, Grid->Height() + 20, Qt::LeftButton);
    EXPECT_EQ(Grid->RowHeights(2), height);
    // Let go inside, the sizing holds.
    SendMouse(Grid, QEvent::MouseButtonPress, x, bottom, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, x, bottom + 10, Qt::LeftButton);
    EXPECT_EQ(Grid->RowHeights(2), height + 10);
}

TEST_F(ResizeTest, SizingARowByMouseScalesTheOtherRows) {
    Grid->SetOptions(Grid->Options() + goRowSizing);
    Grid->ProportionalSizing = true;
    std::vector<int> ended;
    Grid->OnEndRowSize = [&](TObject*, int ARow) { ended.push_back(ARow); };
    const int b = Grid->BorderOffset(), x = Grid->CellRect(0, 2).Left + 5 + b;
    const int bottom = Grid->CellRect(0, 2).Bottom + b;
    MouseDrag(Grid, x, bottom, x, bottom + 11);
    EXPECT_EQ(Grid->RowHeights(2), 33);
    EXPECT_EQ(Grid->RowHeights(1), 33) << "22 x 33 / 22";
    EXPECT_EQ(Grid->RowHeights(4), 33);
    EXPECT_EQ(Grid->RowHeights(0), 22) << "fixed rows keep theirs";
    EXPECT_EQ(ended, (std::vector<int>{2}));
}
