// Cell painting measured on the pixels of an offscreen rendering: colours by
// state, look and band, text placement and clipping, merged cells, the sort
// indicator, cell graphics and their hit areas, nodes, auto-size, scroll
// hints and column stretching.
#include <QEvent>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "grid/htmlhint.h"
#include "grid/support/griddraw.h"
#include "painttest.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/gfx/imagelist.h"
#include "vcltestenv.h"

// --- colours ---------------------------------------------------------------------

TEST_F(PaintTest, BandsColourNormalRowsAndACellColourWinsOverThem) {
    Grid->Bands()->SetPrimaryColor(0x00FFFF);
    Grid->Bands()->SetSecondaryColor(0xFF00FF);
    Grid->Bands()->SetActive(true);
    Grid->SetCellBackColor(2, 3, 0x00FF00);
    Grid->SetSelection({4, 7, 4, 7});
    const auto img = Render();
    auto mid = [&](int c, int r) {
        const TRect cr = Grid->CellRect(c, r);
        return Px(*img, cr.Left + 5, cr.Bottom - 4);
    };
    EXPECT_EQ(mid(1, 1), 0x00FFFFu); // first normal row: primary
    EXPECT_EQ(mid(1, 2), 0xFF00FFu);
    EXPECT_EQ(mid(1, 3), 0x00FFFFu);
    EXPECT_EQ(mid(2, 3), 0x00FF00u);                      // own colour
    EXPECT_EQ(mid(1, 0), ColorToRGB(Grid->FixedColor())); // fixed cells: no bands
}

TEST_F(PaintTest, BandsOfNoLengthDrawThePlainColour) {
    Grid->Bands()->SetPrimaryLength(0);
    Grid->Bands()->SetSecondaryLength(0);
    Grid->Bands()->SetActive(true);
    const auto img = Render();
    const TRect cr = Grid->CellRect(1, 2);
    EXPECT_EQ(Px(*img, cr.Left + 5, cr.Top + 5), ColorToRGB(Grid->Color()));
}

TEST_F(PaintTest, SelectedCellsTakeTheSelectionColourOrTheHighlight) {
    Grid->SetSelectionColor(0x3366CC);
    Grid->SetSelection({1, 2, 2, 3});
    auto img = Render();
    const TRect in = Grid->CellRect(2, 3), out = Grid->CellRect(3, 3);
    EXPECT_EQ(Px(*img, in.Left + 5, in.Top + 5), 0x3366CCu);
    EXPECT_EQ(Px(*img, out.Left + 5, out.Top + 5), ColorToRGB(Grid->Color()));
    Grid->SetSelectionColor(clNone);
    img = Render();
    EXPECT_EQ(Px(*img, in.Left + 5, in.Top + 5), ColorToRGB(clHighlight));
    Grid->SetShowSelection(false);
    img = Render();
    EXPECT_EQ(Px(*img, in.Left + 5, in.Top + 5), ColorToRGB(Grid->Color()));
}

TEST_F(PaintTest, FixedCellLooks) {
    Grid->SetFixedColor(clBtnFace);
    const TRect h = Grid->CellRect(1, 0);
    // XP: a vertical gradient from white to the button face, a dark line at
    // the bottom and a white line inside the top.
    Grid->SetLook(glXP);
    auto img = Render();
    const TColor top = Px(*img, h.Left + 10, h.Top + 3),
                 bottom = Px(*img, h.Left + 10, h.Bottom - 4);
    EXPECT_GT(top & 0xFF, bottom & 0xFF);
    EXPECT_LT((bottom & 0xFF) - (ColorToRGB(clBtnFace) & 0xFF), (top & 0xFF) - (bottom & 0xFF));
    EXPECT_EQ(Px(*img, h.Left + 10, h.Bottom - 1), DarkenColor(clBtnFace));
    EXPECT_EQ(Px(*img, h.Left + 10, h.Top + 1), 0xFFFFFFu);
    // Classic: a raised edge with a black line at the right and bottom.
    Grid->SetLook(glClassic);
    img = Render();
    EXPECT_EQ(Px(*img, h.Right - 1, h.Top + 8), 0u);
    EXPECT_EQ(Px(*img, h.Left + 10, h.Bottom - 1), 0u);
    EXPECT_EQ(Px(*img, h.Left + 10, h.Top + 8), ColorToRGB(clBtnFace));
    // Flat: neither.
    Grid->SetFlat(true);
    img = Render();
    EXPECT_NE(Px(*img, h.Right - 1, h.Top + 8), 0u);
    Grid->SetLook(glXP);
    img = Render();
    EXPECT_EQ(Px(*img, h.Left + 10, h.Top + 3), ColorToRGB(clBtnFace));
}

// --- text --------------------------------------------------------------------------

TEST_F(PaintTest, TextStaysInsideItsCell) {
    Grid->SetWordWrap(false);
    Grid->SetCells(1, 2, std::string(40, 'W'));
    const auto img = Render();
    const TRect own = Grid->CellRect(1, 2), next = Grid->CellRect(2, 2);
    EXPECT_FALSE(Ink(*img, Inner(own, 2)).Empty());
    EXPECT_TRUE(Ink(*img, Inner(next, 1)).Empty());
}

TEST_F(PaintTest, AlignmentPlacesTheTextLeftCentredOrRight) {
    Grid->SetCells(1, 1, "abc");
    Grid->SetCells(2, 1, "abc");
    Grid->SetCells(3, 1, "abc");
    Grid->OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment& H, TVAlignment& V) {
        if (ARow != 1) return;
        H = ACol == 1 ? taLeftJustify : ACol == 2 ? taCenter : taRightJustify;
        V = vtaCenter;
    };
    const auto img = Render();
    const TRect l = Grid->CellRect(1, 1), c = Grid->CellRect(2, 1), r = Grid->CellRect(3, 1);
    const TBox bl = Ink(*img, l), bc = Ink(*img, c), br = Ink(*img, r);
    ASSERT_FALSE(bl.Empty() || bc.Empty() || br.Empty());
    // Left: the margin of two pixels after the line; right: the same before the edge.
    EXPECT_NEAR(bl.Left - l.Left, 1 + Grid->XYOffset.X, 2);
    EXPECT_NEAR(r.Right - 1 - br.Right, 1 + Grid->XYOffset.X, 2);
    EXPECT_NEAR((bc.Left - c.Left) - (c.Right - 1 - bc.Right), 0, 3);
    // Vertically centred.
    EXPECT_NEAR((bl.Top - l.Top) - (l.Bottom - 1 - bl.Bottom), 0, 4);
}

TEST_F(PaintTest, WordWrapBreaksLinesAndWithoutItTheFirstLineIsDrawn) {
    Grid->SetColWidths(1, 60);
    Grid->SetRowHeights(1, 60);
    Grid->SetCells(1, 1, "aaa bbb ccc ddd");
    Grid->SetWordWrap(true);
    auto img = Render();
    const TBox wrapped = Ink(*img, Grid->CellRect(1, 1));
    Grid->SetWordWrap(false);
    img = Render();
    const TBox single = Ink(*img, Grid->CellRect(1, 1));
    ASSERT_FALSE(wrapped.Empty() || single.Empty());
    EXPECT_GT(wrapped.Bottom - wrapped.Top, 2 * (single.Bottom - single.Top));
    // A line break without word wrap or multi-line cells: only the first line.
    Grid->SetCells(1, 1, "abc\rdef");
    img = Render();
    const TBox first = Ink(*img, Grid->CellRect(1, 1));
    EXPECT_LT(first.Bottom - first.Top, 16);
}

TEST_F(PaintTest, WideTextIsOneLineWithAnEllipsisUnlessTheCellsAreMultiLine) {
    Grid->SetWordWrap(false);
    Grid->SetColWidths(1, 60);
    Grid->SetRowHeights(1, 60);
    Grid->SetWideCells(1, 1, u"\u0429\u0443\u043A\u0430 \u0429\u0438\u0442\r\n\u0429\u0438\u0442");
    auto img = Render();
    const TBox single = Ink(*img, Grid->CellRect(1, 1));
    Grid->Multilinecells = true;
    img = Render();
    const TBox lines = Ink(*img, Grid->CellRect(1, 1));
    ASSERT_FALSE(single.Empty() || lines.Empty());
    EXPECT_GT(lines.Bottom - lines.Top, 2 * (single.Bottom - single.Top) - 4);
    // One line ends in an ellipsis inside the cell; the lines run to its edge.
    EXPECT_LT(single.Right, lines.Right);
}

TEST_F(PaintTest, AZeroWidthColumnDrawsNothingAndEnds) {
    Grid->SetWordWrap(true);
    Grid->SetCells(1, 1, "a long text that would wrap forever");
    Grid->SetColWidths(1, 0);
    const auto img = Render();
    const TRect next = Grid->CellRect(2, 1);
    EXPECT_TRUE(Ink(*img, Inner(next, 1)).Empty());
    const TPoint size = Grid->GetCellContentSize(1, 1, true);
    EXPECT_GT(size.X, 0);
}

TEST_F(PaintTest, AMergedRangeIsDrawnOnceWithItsTextCentredOverTheRange) {
    Grid->MergeCells(1, 2, 3, 1);
    Grid->SetCells(1, 2, "midden");
    Grid->OnGetAlignment = [](TObject*, int, int, TAlignment& H, TVAlignment&) { H = taCenter; };
    int drawn = 0;
    Grid->OnDrawCell = [&](TObject*, int ACol, int ARow, const TRect&, TGridDrawState) {
        if (ARow == 2 && ACol >= 1 && ACol <= 3) ++drawn;
    };
    const auto img = Render();
    EXPECT_EQ(drawn, 1);
    const TRect m = Grid->MergedCellRect(1, 2);
    const TBox b = Ink(*img, m);
    ASSERT_FALSE(b.Empty());
    EXPECT_NEAR((b.Left + b.Right) / 2, (m.Left + m.Right) / 2, 3);
}

TEST_F(PaintTest, TaggedTextGoesThroughTheRenderer) {
    Grid->SetCells(1, 3, "<b>vet</b> <font color=\"clRed\">rood</font>");
    const auto img = Render();
    const TRect r = Grid->CellRect(1, 3);
    int red = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TColor p = Px(*img, x, y);
            red += (p & 0xFF) > 150 && ((p >> 8) & 0xFF) < 90 && ((p >> 16) & 0xFF) < 90;
        }
    EXPECT_GT(red, 5); // the red word, no tags shown
    Grid->SetCells(1, 2, "<b>vet</b>");
    const auto img2 = Render();
    // The tags themselves are not drawn: the text is short.
    EXPECT_LT(Ink(*img2, Grid->CellRect(1, 2)).Width(), 30);
}

TEST_F(PaintTest, TheSortIndicatorNeedsMoreThanTwoRowsAndAFixedRow) {
    Grid->SortSettings()->Show = true;
    Grid->SortSettings()->Column = 2;
    Grid->SetCells(2, 0, "Naam");
    const TRect h = Grid->CellRect(2, 0);
    auto img = Render();
    EXPECT_FALSE(Find(*img, h, 0x808080).Empty());
    EXPECT_FALSE(Find(*img, Inner(h, 2), 0xFFFFFF).Empty());
    Grid->SetRowCount(2);
    img = Render();
    EXPECT_TRUE(Find(*img, Inner(h, 2), 0xFFFFFF).Empty());
}

// --- graphics ------------------------------------------------------------------------

TEST_F(PaintTest, GraphicSizesFollowTheirKind) {
    TCellVAlign va;
    TCellHAlign ha;
    bool shown = false;
    int w = -1, h = -1;
    Grid->AddCheckBox(1, 1, true, false);
    ASSERT_NE(Grid->GetCellGraphicSize(1, 1, va, ha, shown, h, w), nullptr);
    EXPECT_EQ(w, Grid->ControlLook()->CheckSize());
    EXPECT_TRUE(shown);
    Grid->AddCheckBox(1, 2, true, true);
    Grid->GetCellGraphicSize(1, 2, va, ha, shown, h, w);
    EXPECT_FALSE(shown);
    Grid->AddButton(1, 3, 40, 18, "Ok", haLeft, vaTop);
    Grid->GetCellGraphicSize(1, 3, va, ha, shown, h, w);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 18);
    Grid->AddProgressPie(1, 4, 50);
    Grid->GetCellGraphicSize(1, 4, va, ha, shown, h, w);
    EXPECT_EQ(w, 20);
    Grid->AddRotated(1, 5, 90, "draai");
    Grid->GetCellGraphicSize(1, 5, va, ha, shown, h, w);
    EXPECT_FALSE(shown);
    EXPECT_EQ(Grid->GetCellGraphicSize(2, 5, va, ha, shown, h, w), nullptr);
}

TEST_F(PaintTest, ACheckBoxIsDrawnWhereItsHitAreaIsAndShowsItsState) {
    Grid->SetOptions(Grid->Options() + goEditing);
    const TColor xpFrame = 0x80511C, tick = 0x21A121;
    Grid->AddCheckBox(1, 1, false, true); // data check box: "N"
    Grid->AddCheckBox(2, 1, true, true);
    Grid->OnGetAlignment = [](TObject*, int, int ACol, TAlignment& H, TVAlignment&) {
        if (ACol == 2) H = taCenter;
    };
    auto img = Render();
    for (int c : {1, 2}) {
        const TRect hit = Grid->CheckBoxRect(c, 1);
        const TBox frame = Find(*img, Grid->CellRect(c, 1), xpFrame);
        ASSERT_FALSE(frame.Empty()) << c;
        // The glyph keeps a pixel of margin round its box.
        EXPECT_EQ(frame.Left, hit.Left + 1) << c;
        EXPECT_EQ(frame.Top, hit.Top + 1) << c;
        EXPECT_EQ(frame.Right, hit.Right - 2) << c;
    }
    EXPECT_TRUE(Find(*img, Grid->CellRect(1, 1), tick).Empty());
    EXPECT_FALSE(Find(*img, Grid->CellRect(2, 1), tick).Empty());
    // The texts "Y" and "N" themselves are hidden.
    EXPECT_EQ(Grid->Cells(2, 1), "Y");
    // A cell that may not be edited shows a disabled box.
    Grid->OnCanEditCell = [](TObject*, int, int, bool& Can) { Can = false; };
    img = Render();
    EXPECT_TRUE(Find(*img, Grid->CellRect(2, 1), xpFrame).Empty());
    EXPECT_FALSE(Find(*img, Grid->CellRect(2, 1), 0xB0B0B0).Empty());
}

TEST_F(PaintTest, AClassicCheckBoxBesideTextPushesTheTextRight) {
    Grid->ControlLook()->SetControlStyle(csClassic);
    Grid->SetCells(1, 1, "tekst");
    const auto before = Render();
    const TBox plain = Ink(*before, Grid->CellRect(1, 1));
    Grid->AddCheckBox(1, 1, true, false);
    const auto after = Render();
    const TRect box = Grid->CheckBoxRect(1, 1);
    const TBox withBox =
        Ink(*after, {box.Right + 1, box.Top - 2, Grid->CellRect(1, 1).Right, box.Bottom + 2});
    ASSERT_FALSE(plain.Empty() || withBox.Empty());
    EXPECT_EQ(withBox.Left - plain.Left, Grid->ControlLook()->CheckSize());
}

TEST_F(PaintTest, ImageIndexesOutsideTheListDrawNothing) {
    TImageList images(nullptr, 16, 16);
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(0x0000FF);
    red.Canvas()->FillRect({0, 0, 16, 16});
    images.Add(&red);
    Grid->SetGridImages(&images);
    Grid->AddImageIdx(1, 1, 0, haLeft, vaTop);
    Grid->AddImageIdx(1, 2, 7, haLeft, vaTop);
    Grid->AddImageIdx(1, 3, -3, haLeft, vaTop);
    Grid->AddImages(2, 1, {0, 9, 0}, true);
    Grid->SetColWidths(2, 70);
    const auto img = Render();
    EXPECT_FALSE(Find(*img, Grid->CellRect(1, 1), 0x0000FF).Empty());
    EXPECT_TRUE(Find(*img, Grid->CellRect(1, 2), 0x0000FF).Empty());
    EXPECT_TRUE(Find(*img, Grid->CellRect(1, 3), 0x0000FF).Empty());
    // Three places side by side; the one without an image stays empty.
    const TBox three = Find(*img, Grid->CellRect(2, 1), 0x0000FF);
    EXPECT_EQ(three.Width(), 48);
    Grid->SetGridImages(nullptr);
}

TEST_F(PaintTest, RadioItemsAreDrawnWhereTheyAreHitAndTheTextPicksOne) {
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->SetRowHeights(1, 70);
    Grid->AddRadio(1, 1, false, -1, {"a", "b", "c"});
    Grid->SetCells(1, 1, "b");
    const auto img = Render();
    const TRect r = Inner(Grid->CellRect(1, 1), 1);
    const auto* captions = dynamic_cast<const TStrings*>(Grid->GetCellGraphic(1, 1)->CellBitmap);
    ASSERT_NE(captions, nullptr);
    Grid->Canvas()->Font()->Assign(Grid->Font());
    for (int i = 0; i < 3; ++i) {
        const TRect item = Grid->RadioItemRect(*Grid->Canvas(), r, 3, i, false, captions);
        EXPECT_GT(CountNear(*img, item, 0x80511C, 40), 8) << i;
        // Nothing of it outside its box, in the cell's free width.
        EXPECT_EQ(
            CountNear(*img, {item.Left - 12, item.Top, item.Left - 1, item.Bottom}, 0x80511C, 40),
            0);
        EXPECT_EQ(CountNear(*img, item, 0x21A121, 40) > 0, i == 1) << i;
    }
}

TEST_F(PaintTest, RotatedContentAddsTheProjectedExtents) {
    Grid->SetCells(1, 1, "");
    Grid->AddRotated(1, 1, 90, "Rotated");
    Grid->Canvas()->Font()->Assign(Grid->Font());
    const TSize e = Grid->Canvas()->TextExtent("Rotated");
    TPoint s = Grid->GetCellContentSize(1, 1, false);
    EXPECT_EQ(s.X, e.cy + 12);
    EXPECT_EQ(s.Y, e.cx + 12);
    Grid->AddRotated(1, 1, 45, "Rotated");
    s = Grid->GetCellContentSize(1, 1, false);
    const int diag = static_cast<int>(std::lround((e.cx + e.cy) * std::sqrt(0.5)));
    EXPECT_NEAR(s.X, diag + 12, 1);
    EXPECT_NEAR(s.Y, diag + 12, 1);
}

// --- nodes ---------------------------------------------------------------------------

TEST_F(PaintTest, ContractingANodeHidesItsRowsAndExpandingShowsThem) {
    Fill(3, 10);
    Grid->AddNode(2, 4); // rows 2 .. 5
    Grid->ContractNode(2);
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_EQ(Grid->Cells(0, 3), Name(0, 6));
    EXPECT_TRUE(Grid->GetNodeState(2));
    Grid->ExpandNode(2);
    EXPECT_EQ(Grid->RowCount(), 10);
    EXPECT_EQ(Grid->Cells(0, 3), Name(0, 3));
    // Span 0: up to the next node.
    Grid->AddNode(6, 0);
    Grid->AddNode(8, 2);
    Grid->ContractNode(6);
    EXPECT_EQ(Grid->RowCount(), 9);
    EXPECT_EQ(Grid->Cells(0, 7), Name(0, 8));
    Grid->ExpandNode(6);
    EXPECT_EQ(Grid->RowCount(), 10);
    // Removing every node leaves a grid without them: no indent any more.
    for (int r : {2, 6, 8})
        Grid->RemoveNode(r);
    EXPECT_FALSE(Grid->HasNodes());
    EXPECT_EQ(Grid->GetNodeIndent(3), 0);
}

TEST_F(PaintTest, ANodeReachingPastTheLastRowFoldsOnlyWhatThereIs) {
    Fill(3, 6);
    Grid->AddNode(3, 10);
    EXPECT_EQ(Grid->GetNodeLineKind(4), 2);
    EXPECT_EQ(Grid->GetNodeLineKind(5), 1);
    Grid->ContractNode(3);
    EXPECT_EQ(Grid->RowCount(), 4);
    Grid->ExpandNode(3);
    EXPECT_EQ(Grid->RowCount(), 6);
    Grid->AddNode(5, 4);
    Grid->ContractNode(5);
    EXPECT_EQ(Grid->RowCount(), 6);
    const auto img = Render();
    EXPECT_FALSE(Ink(*img, Grid->CellRect(1, 5)).Empty());
}

TEST_F(PaintTest, ANodeIndentsItsColumnAndDrawsItsGlyph) {
    Fill(3, 6);
    Grid->AddNode(1, 3);
    const auto img = Render();
    const TRect cell = Grid->CellRect(0, 1);
    const int indent = Grid->GetNodeIndent(1);
    EXPECT_EQ(indent, Grid->CellNode()->NodeIndent());
    // The XP glyph lies in the indent band, the text after it.
    const TBox glyph = Find(*img, cell, 0xA99C91);
    ASSERT_FALSE(glyph.Empty());
    EXPECT_LT(glyph.Right, cell.Left + indent + 1);
    const TBox text = Ink(*img, {cell.Left + indent + 1, cell.Top, cell.Right, cell.Bottom});
    EXPECT_FALSE(text.Empty());
}

// --- sizing ----------------------------------------------------------------------------

TEST_F(PaintTest, AutoSizeColumnsFitsTheWidestTextWithoutCuttingIt) {
    Grid->SetCells(1, 1, "kort");
    Grid->SetCells(1, 2, "een veel langere tekst");
    Grid->SetCells(2, 1, "x");
    Grid->AutoSizeColumns(false, 0);
    TBitmap probe(10, 10);
    probe.Canvas()->Font()->Assign(Grid->Font());
    const int textWidth = probe.Canvas()->TextWidth("een veel langere tekst");
    EXPECT_GE(Grid->ColWidths(1), textWidth + 2 * Grid->XYOffset.X);
    EXPECT_LE(Grid->ColWidths(1), textWidth + 16);
    EXPECT_LT(Grid->ColWidths(2), Grid->ColWidths(1));
    // A caller sizing for a text asks the grid, as wide as auto-size makes it.
    EXPECT_EQ(Grid->ColWidths(1), Grid->TextColWidth(1, 1, "een veel langere tekst"));
    EXPECT_EQ(Grid->ColWidths(2), Grid->TextColWidth(2, 2, "x"));
    const auto img = Render();
    const TRect cell = Grid->CellRect(1, 2);
    const TBox ink = Ink(*img, cell);
    EXPECT_LT(ink.Right, cell.Right - 1);
    EXPECT_GE(ink.Width(), textWidth - 2);
    // A padding is added after, within the limits.
    const int before = Grid->ColWidths(1);
    Grid->MaxColWidth = before + 5;
    Grid->AutoSizeColumns(false, 20);
    EXPECT_EQ(Grid->ColWidths(1), before + 5);
}

TEST_F(PaintTest, ScrollHintsNameTheColumnOrRowUnderTheThumb) {
    Grid->SetColCount(20);
    Grid->SetDefaultColWidth(64);
    Grid->SetFixedCols(1);
    Grid->SetBounds(0, 0, 9 * 64 + 2 * Grid->BorderOffset(), 200);
    ASSERT_EQ(Grid->VisibleColCount(), 8);
    EXPECT_EQ(Grid->ScrollHintText(false, 127), "Col : 12");
    EXPECT_EQ(Grid->ScrollHintText(false, 0), "Col : 1");
    Grid->OnScrollHint = [](TObject*, int Index, std::string& Hint) {
        Hint = "Kolom " + std::to_string(Index);
    };
    EXPECT_EQ(Grid->ScrollHintText(false, 127), "Kolom 12");
}

TEST_F(PaintTest, StretchingFillsTheWidthAndNothingDividesByZero) {
    Grid->ColumnSize()->SetStretch(true);
    Grid->SetColCount(1);
    Grid->StretchColumn(-1);
    EXPECT_EQ(Grid->ColWidths(0), Grid->ClientWidth());
    Grid->SetColCount(4);
    for (int c = 0; c < 4; ++c)
        Grid->SetColWidths(c, 50);
    Grid->StretchColumn(-1);
    EXPECT_EQ(Grid->ColWidths(3), Grid->ClientWidth() - 150 - 1);
    EXPECT_THROW(Grid->StretchColumn(4), Exception);
    // Sizing from no width, or from a grid of no width, keeps the widths.
    Grid->SetColWidths(1, 0);
    Grid->ScaleOtherColumns(1, 0);
    EXPECT_EQ(Grid->ColWidths(2), 50);
    Grid->SynchColumnsToWidth(0, 600);
    EXPECT_EQ(Grid->ColWidths(2), 50);
    Grid->SynchColumnsToWidth(400, 600);
    EXPECT_EQ(Grid->ColWidths(2), 75);
}

// --- pictures for the eye ------------------------------------------------------------

namespace {

void FillDemo(TExtStringGrid& G) {
    G.SetColCount(6);
    G.SetRowCount(12);
    G.SetFixedCols(1);
    G.SetFixedRows(1);
    const char* heads[] = {"Nr", "Naam", "Rating", "Punten", "WP", "SB"};
    for (int c = 0; c < 6; ++c)
        G.SetCells(c, 0, heads[c]);
    const char* names[] = {"Jansen",  "de Vries", "Bakker", "<b>Visser</b>", "Smit",  "Meijer",
                           "de Boer", "Mulder",   "Bos",    "Vos",           "Peters"};
    for (int r = 1; r < 12; ++r) {
        G.SetCells(0, r, std::to_string(r));
        G.SetCells(1, r, names[r - 1]);
        G.SetCells(2, r, std::to_string(1500 + 37 * r));
        G.SetCells(3, r, std::to_string(12 - r) + "\xBD");
        G.SetCells(4, r, std::to_string(r * 3));
        G.SetCells(5, r, std::to_string(r * 7) + ".25");
    }
    G.SetCells(1, 5, "<font color=\"clRed\">rood</font> en <i>schuin</i>");
    G.MergeCells(2, 8, 2, 2);
    G.SetCells(2, 8, "samengevoegd");
    G.Bands()->SetPrimaryColor(0xF0F8FF);
    G.Bands()->SetSecondaryColor(clWhite);
    G.Bands()->SetActive(true);
    G.SetSelectionColor(15387318);
    G.SetGridLineColor(clSilver);
    G.SortSettings()->Show = true;
    G.SortSettings()->Column = 2;
    G.SetSelection({3, 2, 4, 3});
    G.OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment& H, TVAlignment& V) {
        if (ACol >= 2 && ARow > 0) H = taCenter;
        V = vtaCenter;
    };
    G.AutoSizeColumns(false, 8);
}

} // namespace

TEST_F(PaintTest, PicturesOfTheThreeLooks) {
    const struct {
        TGridLook Look;
        const char* Name;
    } looks[] = {{glClassic, "extgrid_look_classic.png"},
                 {glHouse, "extgrid_look_house.png"},
                 {glXP, "extgrid_look_xp.png"}};
    for (const auto& l : looks) {
        FillDemo(*Grid);
        Grid->SetLook(l.Look);
        const auto img = Render();
        SaveArtifact(*img, l.Name);
        // Every look draws the header text and the sort glyph.
        EXPECT_FALSE(Ink(*img, Grid->CellRect(1, 0)).Empty());
        EXPECT_FALSE(Find(*img, Grid->CellRect(2, 0), 0x808080).Empty()) << l.Name;
    }
}

TEST_F(PaintTest, PictureOfEveryCellGraphic) {
    Grid->SetColCount(4);
    Grid->SetRowCount(13);
    Grid->SetDefaultRowHeight(30);
    Grid->SetRowHeights(8, 60);
    Grid->SetColWidths(0, 110);
    Grid->SetColWidths(1, 150);
    Grid->SetColWidths(2, 150);
    Grid->SetColWidths(3, 150);
    Grid->SetBounds(0, 0, 580, 500);
    Grid->SetRowHeights(8, 80);
    Grid->SetVAlignment(vtaCenter);
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->CommentColor = clRed;
    TImageList images(nullptr, 16, 16);
    const TColor colours[] = {0x0000FF, 0x00A000, 0xFF0000};
    for (TColor c : colours) {
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect({2, 2, 14, 14});
        images.Add(&b);
    }
    Grid->SetGridImages(&images);
    const char* kinds[] = {"soort",      "bitmap", "image list", "images",  "check box",
                           "data check", "radio",  "node",       "rotated", "progress",
                           "pie",        "button", "comment"};
    for (int r = 0; r < 13; ++r)
        Grid->SetCells(0, r, kinds[r]);
    Grid->SetCells(1, 0, "classic / XP");
    Grid->SetCells(2, 0, "house / varnok");
    Grid->SetCells(3, 0, "flat / glyph");
    TBitmap bmp(20, 14);
    bmp.Canvas()->Brush()->SetColor(0x00C0FF);
    bmp.Canvas()->FillRect({0, 0, 20, 14});
    bmp.Canvas()->Brush()->SetColor(0x804000);
    bmp.Canvas()->FillRect({4, 3, 16, 11});
    Grid->AddBitmap(1, 1, &bmp, false, haBeforeText, vaCenter);
    Grid->SetCells(1, 1, "met tekst");
    Grid->AddImageIdx(1, 2, 1, haBeforeText, vaCenter);
    Grid->SetCells(1, 2, "afbeelding");
    Grid->AddImages(1, 3, {0, 1, 2}, true);
    Grid->AddImages(2, 3, {0, 2}, false);
    Grid->AddCheckBox(1, 4, true, false);
    Grid->SetCells(1, 4, "aan");
    Grid->AddCheckBox(2, 4, false, false);
    Grid->SetCells(2, 4, "uit");
    Grid->AddCheckBox(1, 5, true, true);
    Grid->AddCheckBox(2, 5, false, true);
    Grid->AddRadio(1, 6, true, 1, {"a", "b", "c"});
    Grid->AddRadio(2, 6, true, -1, {"ja", "nee"});
    Grid->SetCells(2, 6, "nee");
    Grid->SetCells(0, 7, "node");
    Grid->AddNode(7, 2);
    Grid->AddRotated(1, 8, 90, "90 graden");
    Grid->AddRotated(2, 8, 45, "45 graden");
    Grid->AddProgress(1, 9, 65);
    Grid->AddProgressPie(1, 10, 30);
    Grid->AddButton(1, 11, 70, 22, "Knop", haCenter, vaCenter);
    Grid->AddComment(1, 12, "opmerking");
    Grid->SetCells(1, 12, "met opmerking");
    Grid->SetSelection({3, 12, 3, 12});
    auto img = Render();
    SaveArtifact(*img, "extgrid_graphics_xp.png");
    Grid->ControlLook()->SetControlStyle(csClassic);
    img = Render();
    SaveArtifact(*img, "extgrid_graphics_classic.png");
    Grid->ControlLook()->SetControlStyle(csVarnok);
    img = Render();
    SaveArtifact(*img, "extgrid_graphics_varnok.png");
    EXPECT_FALSE(Ink(*img, Grid->CellRect(1, 4)).Empty());
    Grid->SetGridImages(nullptr);
}

TEST_F(PaintTest, PictureOfNodes) {
    Fill(3, 12);
    Grid->AddNode(1, 4);
    Grid->AddNode(5, 3);
    Grid->AddNode(8, 0);
    Grid->ContractNode(5);
    const auto img = Render();
    SaveArtifact(*img, "extgrid_nodes.png");
    EXPECT_EQ(Grid->RowCount(), 10);
}

TEST_F(PaintTest, PictureOfACrosstable) {
    const int n = 6;
    Grid->SetColCount(n + 3);
    Grid->SetRowCount(n + 1);
    Grid->SetFixedCols(2);
    Grid->SetLook(glClassic);
    Grid->SetSelectionColor(15387318);
    Grid->SetGridLineColor(clSilver);
    const char* names[] = {"Jansen, P.", "de Vries, A.", "Bakker, J.",
                           "Visser, M.", "Smit, K.",     "Meijer, R."};
    Grid->SetCells(0, 0, "Nr");
    Grid->SetCells(1, 0, "Naam");
    Grid->SetCells(n + 2, 0, "Punten");
    const char* res[] = {"1", "\xBD", "0"};
    for (int i = 1; i <= n; ++i) {
        Grid->SetCells(i + 1, 0, std::to_string(i));
        Grid->SetCells(0, i, std::to_string(i));
        Grid->SetCells(1, i, names[i - 1]);
        int pts2 = 0;
        for (int j = 1; j <= n; ++j) {
            if (i == j) continue;
            const int k = (i * 7 + j * 3) % 3;
            const int kk = i < j ? k : 2 - ((j * 7 + i * 3) % 3);
            Grid->SetCells(j + 1, i, res[kk]);
            pts2 += kk == 0 ? 2 : kk == 1 ? 1 : 0;
        }
        Grid->SetCells(n + 2, i, std::to_string(pts2 / 2) + (pts2 % 2 ? "\xBD" : ""));
    }
    Grid->OnGetCellColor = [](TObject* Sender, int ARow, int ACol, TGridDrawState, TBrush* B,
                              TFont*) {
        if (ARow >= 1 && ACol >= 2 && ACol - 1 == ARow) B->SetColor(0x404040);
        (void)Sender;
    };
    Grid->OnGetAlignment = [](TObject*, int, int ACol, TAlignment& H, TVAlignment& V) {
        if (ACol != 1) H = taCenter;
        V = vtaCenter;
    };
    Grid->AutoSizeColumns(true, 6);
    Grid->SetSelection({4, 2, 4, 2});
    const auto img = Render();
    SaveArtifact(*img, "extgrid_crosstable.png");
    // The half point shows, centred in its cell.
    int half = -1;
    for (int j = 2; j < n + 2 && half < 0; ++j)
        if (Grid->Cells(j, 1) == "\xBD") half = j;
    ASSERT_GE(half, 0);
    const TRect cell = Grid->CellRect(half, 1);
    const TBox ink = Ink(*img, cell);
    ASSERT_FALSE(ink.Empty());
    EXPECT_NEAR((ink.Left + ink.Right) / 2, (cell.Left + cell.Right) / 2, 2);
}

// --- floating footer ---------------------------------------------------------------

TEST_F(PaintTest, FooterTemplatesTakeTheCurrentRowsTexts) {
    auto text = [](int Col) { return "k" + std::to_string(Col); };
    EXPECT_EQ(ExpandFooterTemplate("Totaal <#3>", text), "Totaal k3");
    EXPECT_EQ(ExpandFooterTemplate("a<#x>b<#12>", text), "abk12");
    EXPECT_EQ(ExpandFooterTemplate("geen tags", text), "geen tags");
    EXPECT_EQ(ExpandFooterTemplate("open <#4", text), "open <#4");
}

TEST_F(PaintTest, TheFooterStaysInPlaceWhileTheRowsScroll) {
    Fill(4, 60);
    Grid->SetCells(1, 59, "totaal");
    Grid->FloatingFooter()->SetVisible(true);
    EXPECT_EQ(Grid->FixedFooters(), 1);
    EXPECT_TRUE(Grid->FooterRow);
    TFooterPanel* panel = Grid->FloatingFooter()->Panel();
    ASSERT_NE(panel, nullptr);
    auto img = Render();
    const int top = Grid->ClientHeight() - panel->Height();
    EXPECT_EQ(panel->Top(), top);
    const int x0 = Grid->ColWidths(0);
    const TRect strip{x0, top, x0 + Grid->ColWidths(1), Grid->ClientHeight()};
    const TBox before = Ink(*img, strip);
    ASSERT_FALSE(before.Empty());
    Grid->SetTopRow(30);
    img = Render();
    const TBox after = Ink(*img, strip);
    EXPECT_EQ(after.Left, before.Left);
    EXPECT_EQ(after.Top, before.Top);
    EXPECT_EQ(after.Bottom, before.Bottom);
    // Hidden again: no strip, no fixed footer.
    Grid->FloatingFooter()->SetVisible(false);
    EXPECT_EQ(Grid->FixedFooters(), 0);
    EXPECT_FALSE(Grid->FooterRow);
    EXPECT_EQ(panel->Height(), 0);
}

TEST_F(PaintTest, FooterFunctionsSumTheColumnAndAnEmptyGridIsLeftAlone) {
    Fill(3, 5);
    for (int r = 1; r < 4; ++r)
        Grid->SetCells(1, r, std::to_string(r * 10));
    Grid->FloatingFooter()->SetVisible(true);
    Grid->GetCellProperties(1, 4)->FooterFunction = 1;
    Grid->GetCellProperties(2, 4)->FooterFunction = 3;
    Grid->CalcFooter(-1);
    EXPECT_EQ(Grid->Cells(1, 4), "60");
    EXPECT_EQ(Grid->Cells(2, 4), "3");
    Grid->GetCellProperties(1, 4)->FooterFunction = 2;
    Grid->CalcFooter(1);
    EXPECT_EQ(Grid->Cells(1, 4), "20");
    // Only the fixed row and the footer row: nothing to count, no division.
    Grid->SetRowCount(2);
    Grid->SetCells(1, 1, "blijft");
    Grid->GetCellProperties(1, 1)->FooterFunction = 2;
    Grid->CalcFooter(-1);
    EXPECT_EQ(Grid->Cells(1, 1), "");
}

TEST_F(PaintTest, PicturesOfTheFooterKindsWithAStretchedColumn) {
    FillDemo(*Grid);
    Grid->SetRowCount(30);
    for (int r = 12; r < 29; ++r) {
        Grid->SetCells(0, r, std::to_string(r));
        Grid->SetCells(1, r, "speler " + std::to_string(r));
    }
    Grid->SetCells(1, 29, "<b>Totaal</b>");
    Grid->SetCells(3, 29, "66");
    Grid->SetLook(glXP);
    Grid->ColumnSize()->SetStretch(true);
    Grid->StretchColumn(1);
    Grid->FloatingFooter()->SetVisible(true);
    Grid->SetTopRow(8);
    auto img = Render();
    SaveArtifact(*img, "extgrid_footer_lastrow.png");
    EXPECT_EQ(Grid->ColWidths(0) + Grid->ColWidths(1) + Grid->ColWidths(2) + Grid->ColWidths(3) +
                  Grid->ColWidths(4) + Grid->ColWidths(5),
              Grid->ClientWidth() - 1);
    Grid->FloatingFooter()->SetFooterStyle(fsColumnPreview);
    Grid->FloatingFooter()->SetColumn(1);
    Grid->SetCurrentCell(2, 10);
    img = Render();
    SaveArtifact(*img, "extgrid_footer_column.png");
    EXPECT_FALSE(Grid->FooterRow);
    Grid->FloatingFooter()->SetFooterStyle(fsCustomPreview);
    Grid->FloatingFooter()->SetCustomTemplate("Speler <b><#1></b> rating <#2>");
    img = Render();
    SaveArtifact(*img, "extgrid_footer_custom.png");
}

// --- cell hints --------------------------------------------------------------------------

TEST_F(PaintTest, HintsComeFromCommentsCellTextsAndWideTexts) {
    Grid->HintColor = 0x80FFFF;
    THintInfo info;
    info.HintStr = "oud";
    info.CursorPos = {Grid->ClientWidth() - 2, Grid->ClientHeight() - 2}; // beyond the cells
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    Grid->CellHint(info);
    EXPECT_EQ(info.HintStr, "oud");
    EXPECT_EQ(info.HintColor, 0x80FFFF);

    Grid->SetCells(1, 1, "kort");
    Grid->AddComment(1, 2, "let op");
    const TRect c11 = Grid->CellRect(1, 1), c12 = Grid->CellRect(1, 2);
    info.CursorPos = {c12.Left + 5, c12.Top + 5};
    Grid->CellHint(info);
    EXPECT_EQ(info.HintStr, "let op");
    EXPECT_EQ(info.HintPos, Grid->ClientToScreen({c12.Right, c12.Top}));

    info.HintStr = "";
    info.CursorPos = {c11.Left + 5, c11.Top + 5};
    Grid->CellHint(info);
    EXPECT_EQ(info.HintStr, ""); // short text, no cell hints
    Grid->HintShowCells = true;
    Grid->CellHint(info);
    EXPECT_EQ(info.HintStr, "kort");
    EXPECT_EQ(info.HintPos, Grid->ClientToScreen({c11.Left, c11.Top}));

    Grid->HintShowCells = false;
    Grid->HintShowLargeText = true;
    Grid->SetCells(1, 1, "<b>veel</b> te lange tekst voor deze kolom");
    info.HintStr = "";
    Grid->CellHint(info);
    EXPECT_EQ(info.HintStr, "veel te lange tekst voor deze kolom");
    Grid->HTMLHint = true;
    Grid->CellHint(info);
    EXPECT_EQ(info.HintStr, "<b>veel</b> te lange tekst voor deze kolom");
    Grid->OnGridHint = [](TObject*, int ARow, int ACol, std::string& Hint) {
        Hint += " (" + std::to_string(ACol) + "," + std::to_string(ARow) + ")";
    };
    Grid->CellHint(info);
    EXPECT_EQ(info.HintStr, "<b>veel</b> te lange tekst voor deze kolom (1,1)");
}

TEST_F(PaintTest, AnAnchorUnderTheMouseIsTheHint) {
    Grid->AnchorHint = true;
    Grid->SetCells(1, 2, "<a href=\"uitslag\">link</a>                  rest");
    Grid->SetColWidths(1, 200);
    const TRect r = Grid->CellRect(1, 2);
    THintInfo info;
    info.HintStr = "voor";
    info.CursorPos = {r.Left + 150, r.Top + 8};
    Grid->CellHint(info);
    EXPECT_EQ(info.HintStr, "voor");
    info.CursorPos = {r.Left + Grid->XYOffset.X + 6, r.Top + Grid->XYOffset.Y + 5};
    Grid->CellHint(info);
    EXPECT_EQ(info.HintStr, "uitslag");
}

TEST_F(PaintTest, TheHintWindowFitsItsTextAndStaysOnTheScreen) {
    EXPECT_EQ(HintWindowBounds({100, 50}, {80, 14}, 1024, 768), (TRect{100, 50, 196, 68}));
    // Near the bottom-right corner it moves back, 2 pixels inside.
    EXPECT_EQ(HintWindowBounds({1000, 760}, {80, 14}, 1024, 768), (TRect{926, 748, 1022, 766}));
    THTMLHintWindow window(nullptr);
    const TRect r = window.CalcHintRect(300, "<b>vet</b> en meer", nullptr);
    EXPECT_GT(r.Width(), 20);
    EXPECT_LE(r.Width(), 300);
    EXPECT_GT(r.Height(), 8);
}

TEST_F(PaintTest, TheScrollTypesGiveTheBarsTheirLook) {
    Fill(6, 80);
    auto img = Render();
    const int b = Grid->BorderOffset();
    // The vertical bar: right of the client area, below its arrow.
    const int x = Grid->Width() - b - 8, y = b + 60;
    const TColor normal = img->Pixel(x, y);
    Grid->SetScrollType(ssEncarta);
    img = Render();
    SaveArtifact(*img, "extgrid_scroll_encarta.png");
    const TColor encarta = img->Pixel(x, y);
    EXPECT_NE(encarta, normal);
    Grid->ScrollColor = 0xE0FFE0;
    Grid->SetScrollType(ssFlat);
    img = Render();
    EXPECT_EQ(img->Pixel(Grid->Width() - b - 1, Grid->Height() / 2 + 60), 0xE0FFE0u);
    Grid->SetScrollType(ssNormal);
    img = Render();
    EXPECT_NE(img->Pixel(Grid->Width() - b - 1, Grid->Height() / 2 + 60), 0xE0FFE0u);
}

// --- cell controls -----------------------------------------------------------------------

TEST_F(PaintTest, ButtonsAndCheckBoxesAreHitWhereTheyAreDrawn) {
    Grid->SetRowHeights(2, 40);
    Grid->SetColWidths(2, 120);
    Grid->AddButton(2, 2, 60, 24, "Knop", haCenter, vaCenter);
    Grid->AddCheckBox(1, 2, true, false);
    Grid->SetOptions(Grid->Options() + goEditing);
    const auto img = Render();
    // The button: everything that is not the cell's white inside.
    const TRect cell = Inner(Grid->CellRect(2, 2), 1);
    TBox drawn;
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = cell.Left; x < cell.Right; ++x)
            if (Px(*img, x, y) != 0xFFFFFF) {
                drawn.Left = std::min(drawn.Left, x);
                drawn.Right = std::max(drawn.Right, x);
                drawn.Top = std::min(drawn.Top, y);
                drawn.Bottom = std::max(drawn.Bottom, y);
            }
    const TRect hit = Grid->GetButtonRect(2, 2);
    EXPECT_TRUE(Grid->IsButton(2, 2));
    EXPECT_EQ(hit.Width(), 60);
    EXPECT_EQ(drawn.Left, hit.Left);
    EXPECT_EQ(drawn.Top, hit.Top);
    EXPECT_EQ(drawn.Right, hit.Right - 1);
    EXPECT_EQ(drawn.Bottom, hit.Bottom - 1);
    // The check box: anywhere in the cell, or with the precise check on the box only.
    const TRect box = Grid->CheckBoxRect(1, 2);
    const TRect c12 = Grid->CellRect(1, 2);
    EXPECT_TRUE(Grid->IsCheckBoxHit(1, 2, c12.Right - 3, c12.Bottom - 3));
    Grid->MouseActions()->PreciseCheckBoxCheck = true;
    EXPECT_FALSE(Grid->IsCheckBoxHit(1, 2, c12.Right - 3, c12.Bottom - 3));
    EXPECT_TRUE(Grid->IsCheckBoxHit(1, 2, box.Left + 3, box.Top + 3));
    EXPECT_EQ(box.Left, c12.Left + 2);
}

TEST_F(PaintTest, TogglingCheckBoxesAndSteppingRadios) {
    Grid->AddCheckBox(1, 1, false, true);
    Grid->SetCells(1, 1, "misschien");
    EXPECT_TRUE(Grid->ToggleCheckBox(1, 1, false));
    EXPECT_EQ(Grid->Cells(1, 1), "Y");
    EXPECT_TRUE(Grid->ToggleCheckBox(1, 1, false));
    EXPECT_EQ(Grid->Cells(1, 1), "N");
    Grid->AddCheckBox(2, 1, false, false);
    bool state = true;
    ASSERT_TRUE(Grid->GetCheckBoxState(2, 1, state));
    EXPECT_FALSE(state);
    EXPECT_FALSE(Grid->ToggleCheckBox(2, 1, true)); // not editable: asked and refused
    Grid->SetOptions(Grid->Options() + goEditing);
    EXPECT_TRUE(Grid->ToggleCheckBox(2, 1, true));
    Grid->GetCheckBoxState(2, 1, state);
    EXPECT_TRUE(state);

    Grid->AddRadio(3, 1, true, 2, {"a", "b", "c"});
    EXPECT_TRUE(Grid->StepRadio(3, 1, false));
    EXPECT_EQ(Grid->Cells(3, 1), "a");
    EXPECT_EQ(Grid->GetCellGraphic(3, 1)->CellIndex, 0);
    Grid->AddRadio(3, 2, true, -1, {"ja", "nee"});
    Grid->SetCells(3, 2, "nee");
    Grid->StepRadio(3, 2, false);
    EXPECT_EQ(Grid->Cells(3, 2), "ja");
    EXPECT_EQ(Grid->GetCellGraphic(3, 2)->CellIndex, -1);
}

TEST_F(PaintTest, RadioItemsAreHitWhereTheyAreDrawn) {
    Grid->SetColWidths(1, 200);
    Grid->AddRadio(1, 2, true, 1, {"een", "twee", "drie"});
    Grid->SetOptions(Grid->Options() + goEditing);
    const auto img = Render();
    const TRect cell = Grid->CellRect(1, 2);
    // The centre of each drawn circle hits its own item.
    int found = 0;
    for (int x = cell.Left; x < cell.Right; ++x) {
        const int y = (cell.Top + cell.Bottom) / 2;
        if (CountNear(*img, {x, y - 6, x + 1, y + 6}, 0x80511C, 40) == 0) continue;
        const int item = Grid->RadioItemAt(1, 2, x + 6, y);
        if (item >= 0) {
            EXPECT_EQ(item, found) << x;
            ++found;
            x += 14;
        }
    }
    EXPECT_EQ(found, 3);
}

// --- text kinds ----------------------------------------------------------------------------

TEST_F(PaintTest, LinksPasswordsAndEllipses) {
    Grid->SetColWidths(1, 200);
    Grid->SetCells(1, 2, "http://schaak.nl");
    Grid->SetURLShow(true);
    Grid->SetURLColor(0xFF0000);
    auto img = Render();
    const TRect link = Grid->CellRect(1, 2);
    EXPECT_GT(CountNear(*img, link, 0xFF0000, 60), 10); // drawn in the link colour
    const int shown = Ink(*img, link).Width();
    Grid->SetURLFull(true);
    img = Render();
    EXPECT_GT(Ink(*img, link).Width(), shown); // now with "http://"

    Grid->SetCells(1, 3, "geheim");
    Grid->OnIsPasswordCell = [](TObject*, int ARow, int, bool& P) { P = ARow == 3; };
    Grid->SetCells(1, 4, "******");
    img = Render();
    // The masked text looks exactly like six stars.
    const TBox masked = Ink(*img, Grid->CellRect(1, 3)), stars = Ink(*img, Grid->CellRect(1, 4));
    EXPECT_EQ(masked.Width(), stars.Width());

    Grid->SetWordWrap(false);
    Grid->SetColWidths(2, 60);
    Grid->SetCells(2, 5, "een lange tekst die niet past");
    img = Render();
    const TBox cut = Ink(*img, Grid->CellRect(2, 5));
    Grid->EnhTextSize = true;
    img = Render();
    const TBox ellipsis = Ink(*img, Grid->CellRect(2, 5));
    // The ellipsis ends the text inside the cell where the cut text ran to its edge.
    EXPECT_LT(ellipsis.Right, cut.Right);
    EXPECT_LT(ellipsis.Right, Grid->CellRect(2, 5).Right - 1);
}

TEST_F(PaintTest, ABackgroundPictureIsTiledAcrossNormalCells) {
    TBitmap tile(10, 10);
    tile.Canvas()->Brush()->SetColor(0x00FF00);
    tile.Canvas()->FillRect({0, 0, 10, 10});
    tile.Canvas()->Brush()->SetColor(0x0000FF);
    tile.Canvas()->FillRect({0, 0, 5, 5});
    Grid->BackGround()->SetBitmap(&tile);
    Grid->SetSelection({4, 7, 4, 7});
    const auto img = Render();
    const TRect a = Grid->CellRect(1, 1), b = Grid->CellRect(2, 1);
    // The tiles start inside the grid line of the first normal cell and run
    // on across the cell border: the next column is offset by the first's width.
    auto expected = [](int X, int Y) { return X % 10 < 5 && Y % 10 < 5 ? 0x0000FFu : 0x00FF00u; };
    const int off = Grid->ColWidths(1);
    for (int dy = 2; dy < 9; ++dy)
        for (int dx : {3, 7, 12, 16}) {
            EXPECT_EQ(Px(*img, a.Left + 1 + dx, a.Top + 1 + dy), expected(dx, dy))
                << dx << "," << dy;
            EXPECT_EQ(Px(*img, b.Left + 1 + dx, b.Top + 1 + dy), expected(dx + off, dy))
                << dx << "," << dy;
        }
    // Fixed cells keep their colour.
    const TRect h = Grid->CellRect(1, 0);
    EXPECT_EQ(CountNear(*img, Inner(h, 2), 0x00FF00, 0), 0);
}

TEST_F(PaintTest, TheSelectionRectangleFramesTheSelection) {
    Grid->SetSelectionRectangle(true);
    Grid->SelectionRectangleColor = 0x0000FF;
    Grid->SetSelection({1, 2, 2, 3});
    const auto img = Render();
    const TRect tl = Grid->CellRect(1, 2), br = Grid->CellRect(2, 3);
    const TBox frame = Find(*img, {0, 0, Grid->ClientWidth(), Grid->ClientHeight()}, 0x0000FF);
    ASSERT_FALSE(frame.Empty());
    EXPECT_NEAR(frame.Left, tl.Left, 2);
    EXPECT_NEAR(frame.Top, tl.Top, 2);
    EXPECT_NEAR(frame.Right, br.Right - 1, 2);
    EXPECT_NEAR(frame.Bottom, br.Bottom - 1, 2);
    // Not inside: the middle of a selected cell stays in the selection colour.
    EXPECT_EQ(Px(*img, tl.Left + 20, tl.Top + 10), ColorToRGB(Grid->SelectionColor()));
}

TEST_F(PaintTest, WithSizeWithFormTheGridFollowsItsForm) {
    Grid->SetSizeWithForm(true);
    const int w = Grid->Width(), h = Grid->Height();
    Form->SetClientWidth(Form->ClientWidth() + 40);
    Form->SetClientHeight(Form->ClientHeight() - 30);
    EXPECT_EQ(Grid->Width(), w + 40);
    EXPECT_EQ(Grid->Height(), h - 30);
    // A change that would leave no grid is not followed.
    Form->SetClientHeight(Form->ClientHeight() - 2 * h);
    Grid->FollowFormSize();
    EXPECT_EQ(Grid->Height(), h - 30);
}

TEST_F(PaintTest, AFormOutlivingItsFollowingGridResizesSafely) {
    int resized = 0;
    Form->OnResize = [&](TObject*) { ++resized; };
    auto* other = new TExtStringGrid(Form.get()); // owned by the form until freed below
    other->SetParent(Form.get());
    other->SetSizeWithForm(true);
    delete other;
    Form->SetClientWidth(Form->ClientWidth() + 10);
    EXPECT_GE(resized, 1); // the form's own handler still runs
}

TEST_F(PaintTest, TheScrollHintShowsBesideTheMouseWhileTheThumbIsDragged) {
    Fill(4, 200);
    Grid->ShowScrollHint(true, 64, {300, 200});
    EXPECT_EQ(Grid->ScrollHintWindow(), nullptr); // no scroll hints asked for
    Grid->ScrollHints = shVertical;
    Grid->ShowScrollHint(false, 64, {300, 200});
    EXPECT_EQ(Grid->ScrollHintWindow(), nullptr);
    Grid->ShowScrollHint(true, 127, {300, 200});
    THTMLHintWindow* w = Grid->ScrollHintWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Visible());
    EXPECT_EQ(w->Caption(), Grid->ScrollHintText(true, 127));
    EXPECT_EQ(w->Left(), 310);
    EXPECT_EQ(w->Top(), 200);
    EXPECT_EQ(w->Width(), w->TextSize().cx + 16);
    Grid->HideScrollHint();
    EXPECT_FALSE(w->Visible());
}

namespace {

// A grid whose column 2 has a filter, as a column grid answers it.
class TFilterGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    bool HasFilter(int ACol) override { return ACol == 2; }
};

} // namespace

TEST_F(PaintTest, AFilteredColumnShowsItsButtonInTheHeaderOnly) {
    auto* grid = new TFilterGrid(Form.get()); // owned by the form
    grid->SetParent(Form.get());
    grid->SetBounds(0, 0, 400, 200);
    grid->SetLook(glStandard);
    grid->SetColCount(4);
    grid->SetRowCount(4);
    auto img = WhiteBitmap(grid->Width(), grid->Height());
    PaintControlTo(*grid, *img);
    const int b = grid->BorderOffset();
    auto ink = [&](const TRect& R) {
        int n = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                n += img->Pixel(x + b, y + b) == 0;
        return n;
    };
    const TRect h2 = grid->CellRect(2, 0), h1 = grid->CellRect(1, 0);
    const TRect right2{h2.Right - 17, h2.Top, h2.Right, h2.Bottom};
    const TRect right1{h1.Right - 17, h1.Top, h1.Right, h1.Bottom};
    EXPECT_GT(ink(right2), 10);
    EXPECT_EQ(ink(right1), 0);
    const TRect c2 = grid->CellRect(2, 1);
    EXPECT_EQ(ink({c2.Right - 17, c2.Top, c2.Right, c2.Bottom}), 0);
}

TEST_F(PaintTest, TheSizingLineInvertsDownToTheLastRowOnly) {
    Grid->SetRowCount(4);
    Grid->SetSelection({4, 3, 4, 3});
    const int x = Grid->ColWidths(0) + 30;
    int times = 1;
    Grid->OnDrawCell = [&](TObject*, int ACol, int ARow, const TRect&, TGridDrawState) {
        if (ACol == 4 && ARow == 3)
            for (int i = 0; i < times; ++i)
                Grid->DrawSizingLine(x);
    };
    auto img = Render();
    int bottom = 0;
    for (int r = 0; r < 4; ++r)
        bottom += Grid->RowHeights(r);
    ASSERT_LT(bottom + 10, Grid->ClientHeight());
    // Dotted: among the first rows' pixels on the line some are inverted white to black.
    const TRect cell = Grid->CellRect(1, 2);
    int inverted = 0;
    for (int y = cell.Top + 2; y < cell.Bottom - 2; ++y)
        inverted += Px(*img, x, y) == 0;
    EXPECT_GT(inverted, 2);
    EXPECT_TRUE(Ink(*img, {x, bottom + 2, x + 1, Grid->ClientHeight()}).Empty());
    // Drawn twice it is gone.
    times = 2;
    img = Render();
    inverted = 0;
    for (int y = cell.Top + 2; y < cell.Bottom - 2; ++y)
        inverted += Px(*img, x, y) == 0;
    EXPECT_EQ(inverted, 0);
}

TEST_F(PaintTest, TheFocusedCellShowsItsOwnColoursInAFocusRectangle) {
    Grid->SetSelectionColor(0x3366CC);
    Grid->SetCurrentCell(2, 2);
    Grid->SetOptions(Grid->Options() - goDrawFocusSelected);
    Form->Show();
    Grid->SetFocus();
    for (int i = 0; i < 50 && !Grid->Focused(); ++i)
        Application->ProcessMessages();
    if (!Grid->Focused()) GTEST_SKIP() << "no input focus on this display";
    const TRect r = Grid->CellRect(2, 2);
    auto img = Render();
    EXPECT_EQ(Px(*img, r.Left + 20, r.Top + 10), ColorToRGB(Grid->Color()));
    // The dotted frame runs just inside the cell.
    int dots = 0;
    for (int x = r.Left + 2; x < r.Right - 2; ++x)
        dots += Px(*img, x, r.Top + 1) != ColorToRGB(Grid->Color());
    EXPECT_GT(dots, 5);
    Grid->HideFocusRect = true;
    img = Render();
    dots = 0;
    for (int x = r.Left + 2; x < r.Right - 2; ++x)
        dots += Px(*img, x, r.Top + 1) != ColorToRGB(Grid->Color());
    EXPECT_EQ(dots, 0);
    // With the option to draw the focused cell selected, it takes the selection colour.
    Grid->SetOptions(Grid->Options() + goDrawFocusSelected);
    img = Render();
    EXPECT_EQ(Px(*img, r.Left + 20, r.Top + 10), 0x3366CCu);
}

TEST_F(PaintTest, TheZoomStepEnlargesTheTextOfEveryCell) {
    Grid->SetCells(2, 3, "MMMM");
    Grid->SetCells(2, 0, "MMMM");
    const auto plain = Render();
    const TBox small = Ink(*plain, Grid->CellRect(2, 3));
    const TBox smallHead = Ink(*plain, Inner(Grid->CellRect(2, 0), 2));
    Grid->Zoom(4);
    ASSERT_EQ(4, Grid->ZoomStep());
    const auto zoomed = Render();
    const TBox large = Ink(*zoomed, Grid->CellRect(2, 3));
    const TBox largeHead = Ink(*zoomed, Inner(Grid->CellRect(2, 0), 2));
    ASSERT_FALSE(small.Empty());
    ASSERT_FALSE(large.Empty());
    EXPECT_GT(large.Width(), small.Width() + 8);
    EXPECT_GT(large.Bottom - large.Top, small.Bottom - small.Top + 2);
    EXPECT_GT(largeHead.Width(), smallHead.Width() + 8) << "fixed cells zoom too";
    Grid->Zoom(-4);
    const auto back = Render();
    EXPECT_EQ(small.Width(), Ink(*back, Grid->CellRect(2, 3)).Width());
}

TEST_F(PaintTest, AutoSizeMeasuresTheTextAtTheZoomItIsDrawnWith) {
    Grid->SetCells(2, 3, "a text wider than the column");
    Grid->AutoSizeCol(2);
    const int plain = Grid->ColWidths(2);
    Grid->Zoom(4);
    Grid->AutoSizeCol(2);
    const int zoomed = Grid->ColWidths(2);
    EXPECT_GT(zoomed, plain + 20);
    const auto img = Render();
    const TRect own = Grid->CellRect(2, 3);
    const TBox ink = Ink(*img, Inner(own, 1));
    ASSERT_FALSE(ink.Empty());
    EXPECT_LT(ink.Right, own.Right - 1) << "the zoomed text is not cut";
}

TEST_F(PaintTest, AFixedCellPressedAsAButtonSinksUntilReleased) {
    Grid->SetBounds(0, 0, 500, 250);
    Grid->SetCells(2, 0, "");
    const TRect head = Grid->CellRect(2, 0);
    const int b = Grid->BorderOffset();
    const int x = (head.Left + head.Right) / 2 + b, y = (head.Top + head.Bottom) / 2 + b;
    // Dark pixels along the cell's edges: a sunken edge darkens its top and left.
    auto darkEdge = [&] {
        const auto img = Render();
        const TRect top{head.Left + 3, head.Top, head.Right - 3, head.Top + 2};
        const TRect left{head.Left, head.Top + 3, head.Left + 2, head.Bottom - 3};
        const TBox t = Ink(*img, top), l = Ink(*img, left);
        return t.Empty() || l.Empty() ? 0 : t.Width() + (l.Bottom - l.Top + 1);
    };
    const int plain = darkEdge();
    SendMouse(Grid, QEvent::MouseButtonPress, x, y, Qt::LeftButton);
    EXPECT_EQ(plain, darkEdge()) << "only with FixedAsButtons";
    SendMouse(Grid, QEvent::MouseButtonRelease, x, y, Qt::LeftButton);

    Grid->FixedAsButtons = true;
    SendMouse(Grid, QEvent::MouseButtonPress, x, y, Qt::LeftButton);
    EXPECT_TRUE(Grid->IsPressedFixedCell(2, 0));
    EXPECT_GT(darkEdge(), plain + head.Width() / 2);
    SendMouse(Grid, QEvent::MouseButtonRelease, x, y, Qt::LeftButton);
    EXPECT_FALSE(Grid->IsPressedFixedCell(2, 0));
    EXPECT_EQ(plain, darkEdge());
}
