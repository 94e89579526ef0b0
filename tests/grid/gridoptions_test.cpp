#include <gtest/gtest.h>

#include "grid/gridstreaming.h"
#include "gridfixture.h"

namespace {

// Counts the repaints the option objects ask for.
class TCountingGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    int Invalidates = 0;
    void Invalidate() override {
        ++Invalidates;
        TExtStringGrid::Invalidate();
    }
};

class Options : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        Grid = std::make_unique<TCountingGrid>(nullptr);
    }
    std::unique_ptr<TCountingGrid> Grid;
};

} // namespace

TEST_F(Options, DefaultsOfTheOptionObjects) {
    EXPECT_EQ(Grid->CellNode()->NodeType(), cnXP);
    EXPECT_EQ(Grid->CellNode()->NodeIndent(), 12);
    EXPECT_TRUE(Grid->CellNode()->ShowTree());
    EXPECT_EQ(Grid->CellNode()->Color, clSilver);
    EXPECT_FALSE(Grid->MouseActions()->DisjunctRowSelect());
    EXPECT_EQ(Grid->MouseActions()->FixedRowsEdit, fceNone);
    EXPECT_EQ(Grid->ColumnSize()->Location, clRegistry);
    EXPECT_EQ(Grid->ColumnSize()->StretchColumn, -1);
    EXPECT_TRUE(Grid->Navigation()->EditSelectAll);
    EXPECT_TRUE(Grid->Navigation()->SkipFixedCells);
    EXPECT_TRUE(Grid->Navigation()->CopyHTMLTagsToClipboard);
    EXPECT_TRUE(Grid->Navigation()->AllowClipboardRowGrow);
    EXPECT_TRUE(Grid->Navigation()->AllowClipboardColGrow);
    EXPECT_EQ(Grid->Navigation()->InsertPosition, pInsertBefore);
    EXPECT_EQ(Grid->HTMLSettings()->Width, 100);
    EXPECT_EQ(Grid->PrintSettings()->DateFormat, "dd/mm/yyyy");
    EXPECT_EQ(Grid->PrintSettings()->PageNumSep, "/");
    EXPECT_EQ(Grid->PrintSettings()->Borders, pbSingle);
    EXPECT_EQ(Grid->SortSettings()->IndexColor, 65535);
    EXPECT_TRUE(Grid->SortSettings()->Full);
    EXPECT_TRUE(Grid->SortSettings()->AutoFormat);
    EXPECT_EQ(Grid->ControlLook()->CheckSize(), 15);
    EXPECT_EQ(Grid->ControlLook()->RadioSize(), 10);
    EXPECT_EQ(Grid->ControlLook()->ControlStyle(), csWinXP);
    EXPECT_EQ(Grid->Bands()->PrimaryColor(), clInfoBk);
    EXPECT_EQ(Grid->Bands()->SecondaryColor(), clWindow);
    EXPECT_EQ(Grid->Grouping()->HeaderColor, clNone);
    EXPECT_TRUE(Grid->DragDropSettings()->OleAcceptText);
    EXPECT_TRUE(Grid->DragDropSettings()->OleAcceptFiles);
    EXPECT_FALSE(Grid->DragDropSettings()->OleDropTarget);
}

TEST_F(Options, SortRowMustBeAFixedRow) {
    Grid->SetFixedRows(1);
    Grid->SortSettings()->SetRow(1);
    try {
        Grid->SortSettings()->SetRow(Grid->FixedRows() + 1);
        FAIL() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_STREQ(e.what(), "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(Grid->SortSettings()->Row(), 1);
}

TEST_F(Options, BandsRepaintOnlyWhileActive) {
    TBands* bands = Grid->Bands();
    const int before = Grid->Invalidates;
    bands->SetPrimaryColor(clRed);
    bands->SetSecondaryLength(3);
    EXPECT_EQ(Grid->Invalidates, before);
    EXPECT_EQ(bands->Period(), 4);
    bands->SetActive(true);
    bands->SetPrimaryLength(2);
    EXPECT_EQ(Grid->Invalidates, before + 2);
    EXPECT_EQ(bands->Period(), 5);
}

TEST_F(Options, NodeLookRepaintsOnlyOnAChange) {
    const int before = Grid->Invalidates;
    Grid->CellNode()->SetNodeIndent(12);
    EXPECT_EQ(Grid->Invalidates, before);
    Grid->CellNode()->SetNodeIndent(16);
    Grid->ControlLook()->SetCheckSize(17);
    EXPECT_EQ(Grid->Invalidates, before + 2);
}

TEST_F(Options, PictureFit) {
    EXPECT_EQ(PictureFitSize(100, 100, 0, 200, 100, 2), (TPoint{100, 50}));
    EXPECT_EQ(PictureFitSize(100, 100, 0, 200, 100, 3), (TPoint{100, 100}));
    EXPECT_EQ(PictureFitSize(100, 100, 0, 200, 100, 4), (TPoint{100, 50}));
    EXPECT_EQ(PictureFitSize(100, 100, 0, 200, 100, 0), (TPoint{200, 100}));
    EXPECT_EQ(PictureFitSize(100, 100, 0, 50, 20, 4), (TPoint{50, 20}));
    EXPECT_EQ(PictureFitSize(100, 100, 0, 50, 20, 2), (TPoint{100, 40}));
    EXPECT_EQ(PictureFitSize(100, 100, 10, 50, 20, 1), (TPoint{90, 90}));
    EXPECT_EQ(PictureFitSize(10, 10, 30, 50, 20, 1), (TPoint{0, 0})); // margin past the cell
}

TEST_F(Options, AssigningAGraphicLeavesTheTargetsObjects) {
    TCellGraphic source, target;
    source.CellType = ctBitmap;
    source.CellIndex = 7;
    source.CellText = "x";
    auto bitmap = std::make_unique<TBitmap>(4, 4);
    target.CellBitmap = bitmap.get();
    target.Assign(&source);
    EXPECT_EQ(target.CellType, ctBitmap);
    EXPECT_EQ(target.CellIndex, 7);
    EXPECT_EQ(target.CellText, "x");
    EXPECT_EQ(target.CellBitmap, bitmap.get());
    target.CellBitmap = nullptr; // not made by the graphic: not its to free
}

TEST_F(Options, PrintSettingsAssignCopiesFontsByContent) {
    TPrintSettings a, b;
    a.Font()->SetName("Arial");
    a.TitleLines()->Add("Stand");
    a.Centered = false;
    b.Assign(&a);
    EXPECT_EQ(b.Font()->Name(), "Arial");
    EXPECT_NE(b.Font(), a.Font());
    EXPECT_EQ(b.TitleLines()->Get(0), "Stand");
    EXPECT_FALSE(b.Centered);
}

TEST_F(Options, StreamComponentsByName) {
    for (const char* name :
         {"TGridPropIO", "TGridCellIO", "TGridCellPropIO", "TGridGraphicIO", "TGridBMPIO",
          "TGridIconIO", "TGridPicIO", "TGridFilePicIO", "TGridSLIO"}) {
        auto component = CreateGridStreamComponent(name);
        ASSERT_NE(component, nullptr) << name;
        EXPECT_EQ(component->ClassName(), name);
    }
    EXPECT_EQ(CreateGridStreamComponent("TButton"), nullptr);
    TGridCellPropIO props(nullptr);
    EXPECT_NE(props.CellProperties(), nullptr);
    TGridSLIO strings(nullptr);
    strings.Object()->Add("a");
    EXPECT_EQ(strings.Object()->Count(), 1);
}
