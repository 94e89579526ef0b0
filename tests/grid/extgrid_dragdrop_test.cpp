// Drag and drop through the window system's road: text and files dropped from
// other programs, columns and rows dragged within one grid and between two,
// and drops far too big handled within bounds.
#include <QEvent>

#include "draggrid.h"
#include "gridfixture.h"
#include "platform/vcl/synthdrag.h"
#include "vcltestenv.h"

namespace {

class DragDropTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid = Source = new TDragGrid(Form.get()); // owned by the form
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 300, 400);
        Fill(4, 10);
        Other = new TDragGrid(Form.get()); // owned by the form
        Other->SetParent(Form.get());
        Other->SetBounds(320, 0, 300, 400);
        Other->SetColCount(4);
        Other->SetRowCount(6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 4; ++c)
                Other->SetCells(c, r, "o" + std::to_string(c) + std::to_string(r));
        Grid->SetOleDropTarget(true);
        Other->SetOleDropTarget(true);
        ShowActive(Form.get());
    }
    // A cell's middle in widget coordinates, as drags arrive.
    static TPoint At(TExtStringGrid* G, int ACol, int ARow) {
        const TRect r = G->CellRect(ACol, ARow);
        const int b = G->BorderOffset();
        return {(r.Left + r.Right) / 2 + b, (r.Top + r.Bottom) / 2 + b};
    }
    static TDropData Text(const std::string& S) {
        TDropData d;
        d.HasText = true;
        d.Text = S;
        return d;
    }
    TSynthDragResult DropOnGrid(const TDropData& Data, int ACol, int ARow) {
        const TPoint p = At(Grid, ACol, ARow);
        return SynthDragDrop(Grid, Data, p.X, p.Y, DROPEFFECT_COPY | DROPEFFECT_MOVE, MK_CONTROL);
    }
    TDragGrid* Source = nullptr;
    TDragGrid* Other = nullptr;
};

} // namespace

TEST_F(DragDropTest, TextFromAnotherProgramFillsTheCellsFromTheTarget) {
    std::vector<TGridRect> dropped;
    Grid->OnOleDropped = [&](TObject*, const TGridRect& R) { dropped.push_back(R); };
    const TSynthDragResult result = DropOnGrid(Text("1-0\t\xBD-\xBD\r\n0-1\t1-0\r\n"), 2, 3);
    EXPECT_EQ(DROPEFFECT_COPY, result.Drop);
    EXPECT_EQ("1-0", Grid->Cells(2, 3));
    EXPECT_EQ("\xBD-\xBD", Grid->Cells(3, 3));
    EXPECT_EQ("0-1", Grid->Cells(2, 4));
    EXPECT_EQ("1-0", Grid->Cells(3, 4));
    EXPECT_EQ(Name(1, 3), Grid->Cells(1, 3));
    ASSERT_EQ(1u, dropped.size());
    EXPECT_EQ((TGridRect{2, 3, 3, 4}), dropped[0]);
    EXPECT_EQ((TGridRect{2, 3, 3, 4}), Grid->Selection());
}

TEST_F(DragDropTest, InsertingDropsMakeRowsForTheirLines) {
    Grid->DragDropSettings()->OleInsertRows = true;
    DropOnGrid(Text("a\r\nb\r\nc\r\n"), 1, 5);
    ASSERT_EQ(13, Grid->RowCount());
    EXPECT_EQ("a", Grid->Cells(1, 5));
    EXPECT_EQ("b", Grid->Cells(1, 6));
    EXPECT_EQ("c", Grid->Cells(1, 7));
    EXPECT_EQ(Name(1, 5), Grid->Cells(1, 8)) << "the rows below moved down";
}

TEST_F(DragDropTest, RefusedDropsChangeNothing) {
    // On a header row, or refused by the application.
    EXPECT_EQ(DROPEFFECT_NONE, DropOnGrid(Text("x"), 2, 0).Drop);
    EXPECT_EQ(Name(2, 0), Grid->Cells(2, 0));
    Grid->OnOleDrop = [](TObject*, int, int, const std::string&, bool& Allow) { Allow = false; };
    DropOnGrid(Text("x"), 2, 2);
    EXPECT_EQ(Name(2, 2), Grid->Cells(2, 2));
}

TEST_F(DragDropTest, OneFileIsOfferedToTheApplicationManyAreNot) {
    std::vector<std::string> offered;
    Grid->OnOleDropFile = [&](TObject*, int, int, const std::string& Name, bool&) {
        offered.push_back(Name);
    };
    TDropData one;
    one.Files = {"/tmp/groep A.csv"};
    DropOnGrid(one, 1, 1);
    EXPECT_EQ((std::vector<std::string>{"/tmp/groep A.csv"}), offered);
    TDropData many;
    for (int i = 0; i < 500; ++i)
        many.Files.push_back("/tmp/bestand" + std::to_string(i) + ".csv");
    DropOnGrid(many, 1, 1);
    EXPECT_EQ(1u, offered.size());
}

TEST_F(DragDropTest, AHugeDropStaysWithinItsBounds) {
    Grid->DragDropSettings()->OleInsertRows = true;
    std::string text;
    while (text.size() < 1000000)
        text += "regel\r\n";
    DropOnGrid(Text(text), 1, 1);
    EXPECT_EQ(10 + TExtStringGrid::MaxDropRows, Grid->RowCount());
    EXPECT_EQ("regel", Grid->Cells(1, TExtStringGrid::MaxDropRows));
    // A single line of a million characters lands in one cell, cut to the limit.
    Grid->DragDropSettings()->OleInsertRows = false;
    DropOnGrid(Text(std::string(TExtStringGrid::MaxDropText + 10, 'x')), 2, 2);
    EXPECT_EQ(TExtStringGrid::MaxDropText, Grid->Cells(2, 2).size());
}

TEST_F(DragDropTest, AColumnDraggedOntoAHeaderIsHandedToTheApplication) {
    Grid->DragDropSettings()->OleDropSource = true;
    Grid->DragDropSettings()->OleColumnDragDrop = true;
    Grid->SetOleDropTarget(true); // now taking columns too
    std::vector<int> drops;
    Grid->OnOleDropCol = [&](TObject*, int ARow, int ACol, int DropCol) {
        drops = {ARow, ACol, DropCol};
        Grid->MoveColumn(DropCol, ACol);
    };
    Source->DropOn = Grid;
    Source->At = At(Grid, 3, 0);
    EXPECT_EQ(DROPEFFECT_COPY, Grid->StartOleDrag(1, 0));
    EXPECT_EQ((std::vector<int>{0, 3, 1}), drops);
    EXPECT_EQ(Name(1, 4), Grid->Cells(3, 4));
    EXPECT_EQ(Name(2, 4), Grid->Cells(1, 4));
    // Over a data row a column cannot be dropped.
    drops.clear();
    Source->At = At(Grid, 3, 4);
    EXPECT_EQ(DROPEFFECT_NONE, Grid->StartOleDrag(1, 0));
    EXPECT_TRUE(drops.empty());
}

TEST_F(DragDropTest, ARowDraggedWithTheMouseMovesToTheOtherGrid) {
    for (TExtStringGrid* g :
         {static_cast<TExtStringGrid*>(Source), static_cast<TExtStringGrid*>(Other)}) {
        g->SetOptions(g->Options() + goRowSelect);
        g->DragDropSettings()->OleRemoveRows = true;
        g->DragDropSettings()->OleInsertRows = true;
    }
    Grid->DragDropSettings()->OleDropSource = true;
    Grid->FocusCell(1, 2, true);
    Source->DropOn = Other;
    Source->At = At(Other, 1, 3);
    Source->Keys = 0; // a move
    int stopped = -1;
    Grid->OnOleDragStop = [&](TObject*, int Effect) { stopped = Effect; };
    const TPoint p = At(Grid, 2, 2);
    SendMouse(Grid, QEvent::MouseButtonPress, p.X, p.Y, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseMove, p.X + 10, p.Y + 10, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, p.X + 10, p.Y + 10, Qt::LeftButton);
    EXPECT_EQ(DROPEFFECT_MOVE, stopped);
    ASSERT_EQ(7, Other->RowCount());
    EXPECT_EQ(Name(1, 2), Other->Cells(1, 3));
    EXPECT_EQ(Name(3, 2), Other->Cells(3, 3));
    EXPECT_EQ("o13", Other->Cells(1, 4));
    ASSERT_EQ(9, Grid->RowCount());
    EXPECT_EQ(Name(1, 3), Grid->Cells(1, 2)) << "the row left the grid it came from";
}

TEST_F(DragDropTest, ARowDraggedWithinTheGridMovesThere) {
    Grid->SetOptions(Grid->Options() + goRowSelect);
    Grid->DragDropSettings()->OleRemoveRows = true;
    Grid->DragDropSettings()->OleInsertRows = true;
    Grid->DragDropSettings()->OleDropSource = true;
    Grid->FocusCell(1, 6, true);
    Source->DropOn = Grid;
    Source->At = At(Grid, 1, 2);
    EXPECT_EQ(DROPEFFECT_MOVE, Grid->StartOleDrag(1, 6));
    ASSERT_EQ(10, Grid->RowCount());
    EXPECT_EQ(Name(1, 6), Grid->Cells(1, 2));
    EXPECT_EQ(Name(1, 2), Grid->Cells(1, 3));
    EXPECT_EQ(Name(1, 5), Grid->Cells(1, 6));
    EXPECT_EQ(Name(1, 7), Grid->Cells(1, 7));
}

TEST_F(DragDropTest, ADraggedBlockCarriesTheSelectionAsText) {
    Grid->Multilinecells = true;
    Grid->SetCells(1, 2, "two\r\nlines");
    Grid->DragDropSettings()->OleDropSource = true;
    Grid->SetSelection({1, 2, 2, 3});
    std::string dragged;
    Grid->OnOleDrag = [&](TObject*, int, int, const std::string& Data, bool&) { dragged = Data; };
    Source->DropOn = Other;
    Source->At = At(Other, 1, 1);
    Source->Keys = MK_CONTROL;
    const TPoint p = At(Grid, 2, 3);
    SendMouse(Grid, QEvent::MouseButtonPress, p.X, p.Y, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseMove, p.X + 10, p.Y + 10, Qt::LeftButton);
    SendMouse(Grid, QEvent::MouseButtonRelease, p.X + 10, p.Y + 10, Qt::LeftButton);
    std::string selection;
    Grid->GetSelectionAsText(selection);
    EXPECT_EQ(dragged, selection);
    EXPECT_EQ(dragged, "\"two\nlines\"\tc2r2\r\nc1r3\tc2r3")
        << "quoted, nothing after the last row";
    EXPECT_EQ(Other->Cells(1, 1), "two\r\nlines");
    EXPECT_EQ(Other->Cells(2, 1), "c2r2");
    EXPECT_EQ(Other->Cells(1, 2), "c1r3");
    EXPECT_EQ(Other->Cells(1, 3), "o13") << "no row made of a stray line break";
}
