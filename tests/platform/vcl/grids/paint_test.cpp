// Painting: DrawCell for every shown cell with its state, the default look, and
// a demo grid of 100,000 rows rendered offscreen.
#include "gridtestenv.h"
#include "vz_test_support.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>
#include <set>

namespace {

struct PaintTest : GridFixture {
    QImage Render() {
        Grid->Drawn.clear();
        return Grid->Widget()->grab().toImage();
    }
    static TColor PixelAt(const QImage& Image, int X, int Y) {
        const QRgb p = Image.pixel(X, Y);
        return static_cast<TColor>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
    }
    TColor ClientPixel(const QImage& Image, int X, int Y) const {
        return PixelAt(Image, X + Grid->BorderOffset(), Y + Grid->BorderOffset());
    }
    const TProbeGrid::TDrawn* Find(int ACol, int ARow) const {
        for (const auto& d : Grid->Drawn)
            if (d.Col == ACol && d.Row == ARow) return &d;
        return nullptr;
    }
};

} // namespace

TEST_F(PaintTest, EveryShownCellIsDrawnOnceWithItsState) {
    Grid->SetRowCount(50);
    Grid->SetSelection({2, 2, 3, 3});
    Render();
    const int rows = 1 + Grid->VisibleRowCount() + 1; // fixed, full, one partly shown
    EXPECT_EQ(static_cast<size_t>(5 * rows), Grid->Drawn.size());
    std::set<std::pair<int, int>> seen;
    for (const auto& d : Grid->Drawn)
        EXPECT_TRUE(seen.insert({d.Col, d.Row}).second);
    ASSERT_NE(nullptr, Find(0, 0));
    EXPECT_EQ(TGridDrawState{gdFixed}, Find(0, 0)->State);
    EXPECT_EQ(TGridDrawState{gdFixed}, Find(3, 0)->State);
    EXPECT_EQ(Grid->CellRect(2, 3), Find(2, 3)->Rect);
    EXPECT_TRUE(Find(1, 1)->State.Empty());
    EXPECT_EQ(TGridDrawState{gdSelected}, Find(3, 3)->State);
    // The current cell is part of the selection, focused or not.
    EXPECT_EQ(TGridDrawState{gdSelected}, Find(2, 2)->State);
    Activate();
    Render();
    EXPECT_EQ((TGridDrawState{gdSelected, gdFocused}), Find(2, 2)->State);
}

TEST_F(PaintTest, TheCurrentCellIsHighlightedUnlessFocusedWithoutDrawFocusSelected) {
    Grid->SetSelection({2, 2, 2, 2});
    const TRect cell = Grid->CellRect(2, 2);
    const int x = cell.Left + cell.Width() - 5, y = cell.Top + cell.Height() - 5;
    EXPECT_EQ(ColorToRGB(clHighlight), ClientPixel(Render(), x, y)); // no focus
    Activate();
    EXPECT_EQ(ColorToRGB(clWindow), ClientPixel(Render(), x, y)); // the focus frame instead
    Grid->SetOptions(Grid->Options() + goDrawFocusSelected);
    EXPECT_EQ(ColorToRGB(clHighlight), ClientPixel(Render(), x, y));
}

TEST_F(PaintTest, ACellMayDrawBeyondItsOwnRectangle) {
    // A drawing of one cell across its right neighbour (as one drawing for a
    // range of cells does) is not cut at the cell's edge.
    auto* draw = new TDrawGrid(Form.get());
    draw->SetParent(Form.get());
    draw->SetBounds(0, 0, 300, 120);
    draw->SetDefaultDrawing(false);
    draw->SetGridLineWidth(0);
    draw->OnDrawCell = [](TObject* Sender, int ACol, int ARow, const TRect& R, TGridDrawState) {
        auto* g = static_cast<TDrawGrid*>(Sender);
        TCanvas* c = g->Canvas();
        c->Brush()->SetColor(clWhite);
        if (ACol == 1 && ARow == 1) {
            c->Brush()->SetColor(clRed);
            c->FillRect(Rect(R.Left, R.Top, R.Right + g->ColWidths(2), R.Bottom));
        } else if (!(ACol == 2 && ARow == 1)) {
            c->FillRect(R);
        }
    };
    const QImage image = draw->Widget()->grab().toImage();
    const TRect next = draw->CellRect(2, 1);
    const int b = draw->BorderOffset();
    EXPECT_EQ(ColorToRGB(clRed), PixelAt(image, next.Left + b + 10, next.Top + b + 5));
    EXPECT_EQ(ColorToRGB(clRed), PixelAt(image, next.Right + b - 2, next.Top + b + 5));
}

TEST_F(PaintTest, WithoutGridLinesCellsMeetAndHitTestsFollow) {
    Grid->SetGridLineWidth(0);
    EXPECT_EQ(Grid->CellRect(1, 1).Right, Grid->CellRect(2, 1).Left);
    EXPECT_EQ(Grid->CellRect(1, 1).Bottom, Grid->CellRect(1, 2).Top);
    EXPECT_EQ(Rect(64, 24, 128, 48), Grid->CellRect(1, 1));
    int c = -1, r = -1;
    Grid->MouseToCell(127, 47, c, r);
    EXPECT_EQ(TGridCoord({1, 1}), TGridCoord({c, r}));
    Grid->MouseToCell(128, 48, c, r);
    EXPECT_EQ(TGridCoord({2, 2}), TGridCoord({c, r}));
    Render();
    EXPECT_EQ(Grid->CellRect(2, 2), Find(2, 2)->Rect);
}

TEST_F(PaintTest, TheFocusedCellIsDrawnFocusedOnlyWhileTheGridHasTheFocus) {
    Render();
    EXPECT_FALSE(Find(1, 1)->State.Contains(gdFocused));
    Activate();
    Render();
    EXPECT_TRUE(Find(1, 1)->State.Contains(gdFocused));
}

TEST_F(PaintTest, RowSelectFramesTheCurrentRowWhileFocused) {
    Grid->SetOptions(Grid->Options() + goRowSelect);
    Grid->SetRow(2);
    const TRect first = Grid->CellRect(1, 2), last = Grid->CellRect(4, 2);
    // Dotted: the pixels of the frame whose coordinates add up to an even number.
    auto dotted = [](int X, int Y) { return (X + Y) % 2 == 0; };
    const int top = first.Top + (dotted(first.Left, first.Top) ? 0 : 1); // on the left edge
    const int mid =
        (first.Left + last.Right) / 2 + (dotted((first.Left + last.Right) / 2, first.Top) ? 0 : 1);
    const int rightTop = first.Top + (dotted(last.Right - 1, first.Top) ? 0 : 1);
    auto framed = [&](const QImage& Image) {
        return ClientPixel(Image, first.Left, top) != ColorToRGB(clHighlight) &&
               ClientPixel(Image, mid, first.Top) != ColorToRGB(clHighlight) &&
               ClientPixel(Image, last.Right - 1, rightTop) != ColorToRGB(clHighlight);
    };
    QImage image = Render();
    EXPECT_EQ(ColorToRGB(clHighlight), ClientPixel(image, first.Left, top));
    EXPECT_FALSE(framed(image)); // no focus, no frame
    Activate();
    image = Render();
    EXPECT_TRUE(framed(image));
    // The inside of the row stays highlighted, the rows around it unframed.
    EXPECT_EQ(ColorToRGB(clHighlight), ClientPixel(image, first.Left + 5, first.Top + 5));
    EXPECT_EQ(ColorToRGB(clWindow), ClientPixel(image, first.Left, first.Bottom + 2));
    // With goDrawFocusSelected the row is drawn selected only.
    Grid->SetOptions(Grid->Options() + goDrawFocusSelected);
    image = Render();
    EXPECT_FALSE(framed(image));
}

TEST_F(PaintTest, DefaultDrawingFillsByStateAndWritesTheText) {
    Grid->SetCells(1, 2, "WWWW");
    Grid->SetSelection({3, 3, 4, 4});
    const QImage image = Render();
    EXPECT_EQ(ColorToRGB(clBtnFace), ClientPixel(image, 30, 10)); // fixed
    EXPECT_EQ(ColorToRGB(clWindow), ClientPixel(image, 120, 40)); // normal
    EXPECT_EQ(ColorToRGB(clHighlight), ClientPixel(image, 4 * 65 + 30, 4 * 25 + 10));
    EXPECT_EQ(TColor(0xC0C0C0), ClientPixel(image, 129, 40)); // the line after column 1
    EXPECT_EQ(TColor(0), ClientPixel(image, 64, 10));         // a fixed line
    bool ink = false;
    const TRect text = Grid->CellRect(1, 2);
    for (int x = text.Left + 2; x < text.Left + 30; ++x)
        for (int y = text.Top + 2; y < text.Bottom - 2; ++y)
            ink = ink || ClientPixel(image, x, y) == 0;
    EXPECT_TRUE(ink);
}

TEST_F(PaintTest, OnDrawCellDrawsTheDrawGridsCells) {
    auto* draw = new TDrawGrid(Form.get());
    draw->SetParent(Form.get());
    draw->SetBounds(0, 0, 200, 100);
    int calls = 0;
    draw->OnDrawCell = [&](TObject* Sender, int ACol, int ARow, const TRect& R, TGridDrawState) {
        ++calls;
        TCanvas* c = static_cast<TDrawGrid*>(Sender)->Canvas();
        c->Brush()->SetColor(ACol == 1 && ARow == 1 ? clRed : clWhite);
        c->FillRect(R);
    };
    const QImage image = draw->Widget()->grab().toImage();
    EXPECT_GT(calls, 4);
    const TRect r = draw->CellRect(1, 1);
    EXPECT_EQ(ColorToRGB(clRed), PixelAt(image, r.Left + 2 + 5, r.Top + 2 + 5));
}

TEST_F(PaintTest, AHundredThousandRowsPaintOnlyTheScreen) {
    Grid->SetBounds(0, 0, 520, 400);
    Grid->SetColCount(7);
    Grid->SetRowCount(100001);
    Grid->SetColWidths(0, 56);
    for (int c = 1; c < 7; ++c)
        Grid->SetCells(c, 0, "Kolom " + std::to_string(c));
    for (int r = 1; r <= 100000; ++r) {
        Grid->SetCells(0, r, std::to_string(r));
        Grid->SetCells(1, r, "Speler " + std::to_string(r));
        Grid->SetCells(2, r, std::to_string(1500 + r % 700));
        Grid->SetCells(3, r, (r % 3) ? "1" : "\xBD");
    }
    Render();
    const size_t screen = Grid->Drawn.size();
    EXPECT_LT(screen, 200u);
    const QImage top = Render();
    top.save(QString::fromStdString(ArtifactsDir() + "/basegrid_100k_top.png"));
    Grid->SetTopRow(50000);
    Grid->SetRow(50003);
    const QImage middle = Render();
    EXPECT_EQ(screen, Grid->Drawn.size());
    EXPECT_EQ(50000, Find(1, 50000)->Row);
    middle.save(QString::fromStdString(ArtifactsDir() + "/basegrid_100k_middle.png"));
    Grid->SetTopRow(100000);
    const QImage end = Render();
    EXPECT_EQ(Grid->MaxTopRow(), Grid->TopRow());
    EXPECT_NE(nullptr, Find(1, 100000));
    end.save(QString::fromStdString(ArtifactsDir() + "/basegrid_100k_end.png"));
    EXPECT_LE(Grid->Drawn.size(), screen);
}

TEST_F(PaintTest, AGapWithoutItsLineTakesTheCellsBackground) {
    Grid->SetOptions(Grid->Options() - goVertLine);
    const QImage image = Render();
    EXPECT_EQ(ColorToRGB(clWindow), ClientPixel(image, 129, 40)); // no line after column 1
    EXPECT_EQ(TColor(0xC0C0C0), ClientPixel(image, 100, 49));     // the line below row 1
    EXPECT_EQ(TColor(0), ClientPixel(image, 64, 10));             // fixed lines stay
}

TEST_F(PaintTest, ACellStartingOnTheWindowsEdgeIsNotDrawn) {
    Grid->SetScrollBars(ssNone);
    Grid->SetColCount(10);
    Grid->SetRowCount(10);
    // Client 260 x 100: column 4 and row 4 would start on its first pixel outside.
    Grid->SetBounds(8, 8, 4 + 65 * 4, 4 + 25 * 4);
    Render();
    for (const auto& d : Grid->Drawn) {
        EXPECT_LT(d.Col, 4);
        EXPECT_LT(d.Row, 4);
    }
    EXPECT_EQ(16u, Grid->Drawn.size());
}
