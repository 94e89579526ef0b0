#include <gtest/gtest.h>

#include <random>

#include "grid/gridunit.h"
#include "gridfixture.h"
#include "platform/rtl/compstream.h"
#include "platform/vcl/clipbrd.h"

namespace {

class Clip : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Other = new TExtStringGrid(Form.get()); // owned by the form
        Other->SetParent(Form.get());
        Other->SetColCount(5);
        Other->SetRowCount(5);
        Other->SetOptions(Other->Options() + goEditing);
        Grid->SetOptions(Grid->Options() + goEditing);
    }
    void Select(TExtStringGrid* G, int L, int T, int R, int B) {
        TGridRect s;
        s.Left = L;
        s.Top = T;
        s.Right = R;
        s.Bottom = B;
        G->SetSelection(s);
    }
    static TGridRect Rc(int L, int T, int R, int B) {
        TGridRect s;
        s.Left = L;
        s.Top = T;
        s.Right = R;
        s.Bottom = B;
        return s;
    }
    TExtStringGrid* Other = nullptr;
};

} // namespace

TEST_F(Clip, TwoByTwoBlockIsTabsAndCrLf) {
    Fill(3, 3);
    Grid->SetCells(1, 1, "a");
    Grid->SetCells(2, 1, "b");
    Grid->SetCells(1, 2, "c");
    Grid->SetCells(2, 2, "d");
    Grid->CopyRectAsText(Rc(1, 1, 2, 2), false);
    EXPECT_EQ(Clipboard()->AsText(), "a\tb\r\nc\td");
    EXPECT_TRUE(Grid->Copied());
}

TEST_F(Clip, TextRoundTripKeepsLineBreaksTabsAndQuotes) {
    Fill(4, 3);
    Grid->SetCells(1, 1, "two\r\nlines");
    Grid->SetCells(2, 1, "tab\there");
    Grid->SetCells(3, 1, "\"quoted\" start");
    Grid->SetCells(1, 2, "say \"x\"\r\nand \"\"y\"\"");
    Grid->SetCells(2, 2, "");
    Grid->SetCells(3, 2, "plain \"mid\"");
    Grid->CopyRectAsText(Rc(1, 1, 3, 2), false);
    EXPECT_EQ(Clipboard()->AsText().substr(0, 17), "\"two\r\nlines\"\t\"tab");
    EXPECT_EQ(Other->PasteAt(1, 1), 6);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(Other->Cells(c, r), Grid->Cells(c, r)) << c << "," << r;
}

TEST_F(Clip, SpreadsheetTextWithLineFeedsPastes) {
    Clipboard()->SetAsText("a\tb\n\"x\ny\"\tz\n");
    EXPECT_EQ(Grid->MeasureClipboardText(Clipboard()->AsText()), (TPoint{2, 2}));
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    EXPECT_EQ(Grid->PasteAt(1, 1), 4);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->Cells(1, 2), "x\r\ny");
    EXPECT_EQ(Grid->Cells(2, 2), "z");
}

TEST_F(Clip, PasteGrowsOrDropsAndAsksPerCell) {
    Grid->SetColCount(3);
    Grid->SetRowCount(2);
    Clipboard()->SetAsText("1\t2\r\n3\t4\r\n5\t6");
    EXPECT_EQ(Grid->PasteAt(1, 1), 6);
    EXPECT_EQ(Grid->RowCount(), 4);
    EXPECT_EQ(Grid->Cells(2, 3), "6");
    Grid->Navigation()->AllowClipboardRowGrow = false;
    Grid->Navigation()->AllowClipboardColGrow = false;
    Grid->OnClipboardBeforePasteCell = [](TObject*, int, int, std::string& V, bool& Allow) {
        Allow = V != "3";
        V = "<" + V + ">";
    };
    EXPECT_EQ(Grid->PasteAt(2, 2), 1); // 1 fits; 3 refused, the rest off the grid
    EXPECT_EQ(Grid->Cells(2, 2), "<1>");
    EXPECT_EQ(Grid->Cells(2, 3), "6");
    EXPECT_EQ(Grid->ColCount(), 3);
    // No editing: nothing goes in.
    Grid->SetOptions(Grid->Options() - goEditing);
    EXPECT_EQ(Grid->PasteAt(1, 1), 0);
    Grid->Navigation()->AllowClipboardAlways = true;
    Grid->OnClipboardBeforePasteCell = nullptr;
    EXPECT_EQ(Grid->PasteAt(0, 0), 6); // fixed cells too
    EXPECT_EQ(Grid->Cells(0, 0), "1");
}

TEST_F(Clip, HiddenColumnsAndRowsAreNotCopiedHtmlAndRichText) {
    Fill(4, 4);
    Grid->HideColumn(2);
    Grid->HideRow(2);
    Grid->CopyRectAsText(Rc(1, 1, 2, 2), false);
    EXPECT_EQ(Clipboard()->AsText(), "c1r1\tc3r1\r\nc1r3\tc3r3");
    Grid->UnHideColumnsAll();
    Grid->UnHideRowsAll();
    Grid->SetCells(1, 1, "<b>bold</b> text");
    Grid->SetCells(2, 1, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Rich\\par more}");
    Grid->Navigation()->CopyHTMLTagsToClipboard = false;
    Grid->CopyRectAsText(Rc(1, 1, 2, 1), false);
    EXPECT_EQ(Clipboard()->AsText(), "bold text\t\"Rich\r\nmore\"");
    Grid->Navigation()->CopyHTMLTagsToClipboard = true;
    Grid->CopyRectAsText(Rc(1, 1, 1, 1), false);
    EXPECT_EQ(Clipboard()->AsText(), "<b>bold</b> text");
}

TEST_F(Clip, ARichCellOfAnotherCodePageCopiesAsItsOwnLetters) {
    Fill(4, 4);
    // Written on a Cyrillic system: the letters are bytes of code page 1251.
    Grid->SetCells(1, 1,
                   "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}"
                   "\\f0 \\'cc\\'e8\\'f0}");
    Grid->CopyRectAsText(Rc(1, 1, 2, 1), false);
    EXPECT_EQ(Clipboard()->AsWideText(), u"Мир\tc2r1");
    EXPECT_EQ(Clipboard()->AsText(), "???\tc2r1");
}

TEST_F(Clip, CellStreamCarriesTextsColoursAndCheckBoxes) {
    Fill(4, 4);
    Grid->Navigation()->AllowFmtClipboard = true;
    Other->Navigation()->AllowFmtClipboard = true;
    Grid->SetCellBackColor(1, 1, clRed);
    Grid->SetCellBackColor(2, 2, clLime);
    TCellGraphic* g = Grid->CreateCellGraphic(2, 1);
    g->CellType = ctCheckBox;
    g->CellBoolean = true;
    Grid->MergeCells(1, 2, 1, 2); // rows 2 and 3 of column 1
    Grid->SetCells(2, 3, "");
    Grid->SetCellBackColor(2, 3, clBlue); // a cell of colour alone
    Grid->CopyRectAsText(Rc(1, 1, 2, 3), false);
    // The text goes along for other programs.
    EXPECT_EQ(Clipboard()->AsText().substr(0, 9), "c1r1\tc2r1");
    EXPECT_EQ(Other->PasteAt(1, 1), 6);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_EQ(Other->Cells(c, r), Grid->Cells(c, r));
    EXPECT_EQ(Other->GetCellBackColor(1, 1), clRed);
    EXPECT_EQ(Other->GetCellBackColor(2, 2), clLime);
    EXPECT_EQ(Other->GetCellBackColor(2, 3), clBlue);
    EXPECT_EQ(Other->GetCellBackColor(0, 0), clNone);
    ASSERT_NE(Other->GetCellGraphic(2, 1), nullptr);
    EXPECT_EQ(Other->GetCellGraphic(2, 1)->CellType, ctCheckBox);
    EXPECT_TRUE(Other->GetCellGraphic(2, 1)->CellBoolean);
    EXPECT_TRUE(Other->IsYMerged(1, 3));
    // Into the same grid at another place.
    EXPECT_EQ(Grid->PasteAt(2, 1), 6);
    EXPECT_EQ(Grid->GetCellBackColor(2, 1), clRed);
    EXPECT_EQ(Grid->Cells(3, 1), "c2r1");
}

TEST_F(Clip, DamagedOrHostileCellStreamsChangeNothing) {
    Fill(3, 3);
    Grid->SetCellBackColor(1, 1, clRed);
    TMemoryStream good;
    Grid->WriteCellStream(Rc(0, 0, 2, 2), good);
    const std::vector<char> bytes = good.Data();
    Other->SetColCount(2);
    Other->SetRowCount(2);
    auto unchanged = [this] {
        return Other->ColCount() == 2 && Other->RowCount() == 2 && Other->Cells(0, 0).empty();
    };
    // Every cut of the block, and random damage, either pastes whole or not at all.
    std::mt19937 rnd(5);
    for (size_t i = 0; i < 300; ++i) {
        std::vector<char> b = bytes;
        if (i < bytes.size())
            b.resize(i);
        else
            for (int k = 0; k < 4; ++k)
                b[rnd() % b.size()] = static_cast<char>(rnd());
        TMemoryStream s;
        s.WriteBuffer(b.data(), static_cast<int64_t>(b.size()));
        s.SetPosition(0);
        Other->Navigation()->AllowClipboardRowGrow = false;
        Other->Navigation()->AllowClipboardColGrow = false;
        const int n = Other->ReadCellStream({0, 0}, s);
        if (n == 0) {
            EXPECT_TRUE(unchanged()) << i;
        } else {
            EXPECT_LE(Other->ColCount() * Other->RowCount(), 3 * 3);
            Other->ClearGrid();
            Other->SetColCount(2);
            Other->SetRowCount(2);
        }
    }
    // A block that claims a huge size, and a cell outside its block.
    for (const auto& [cols, rows, col] : {std::tuple{100000000, 1, 0}, std::tuple{2, 2, 5}}) {
        TMemoryStream s;
        TComponentWriter w(s);
        w.BeginComponent("TGridPropIO");
        w.WriteInteger("ColCount", cols);
        w.WriteInteger("RowCount", rows);
        w.WriteBoolean("FullGrid", true);
        w.EndComponent();
        w.BeginComponent("TGridCellIO");
        w.WriteInteger("Col", col);
        w.WriteInteger("Row", 0);
        w.WriteString("Cell", "x");
        w.WriteBoolean("HasProp", false);
        w.EndComponent();
        s.SetPosition(0);
        EXPECT_EQ(Other->ReadCellStream({0, 0}, s), 0);
        EXPECT_TRUE(unchanged());
    }
}

// A block head of Cols x Rows with the given size lists, and one cell.
static std::vector<char> BlockHead(int64_t Cols, int64_t Rows, const std::string& Widths,
                                   const std::string& Heights) {
    TMemoryStream s;
    TComponentWriter w(s);
    w.BeginComponent("TGridPropIO");
    w.WriteInteger("ColCount", Cols);
    w.WriteInteger("RowCount", Rows);
    w.WriteString("ColWidths", Widths);
    w.WriteString("RowHeights", Heights);
    w.WriteBoolean("FullGrid", false);
    w.WriteString("ID", "1");
    w.EndComponent();
    w.BeginComponent("TGridCellIO");
    w.WriteInteger("Col", 0);
    w.WriteInteger("Row", 0);
    w.WriteString("Cell", "x");
    w.WriteBoolean("HasProp", false);
    w.EndComponent();
    return s.Data();
}

static std::string Sizes(int64_t Count) {
    std::string list;
    for (int64_t i = 0; i < Count; ++i)
        list += i ? ",1" : "1";
    return list;
}

TEST_F(Clip, CellStreamSizeIsCarriedByItsSizeLists) {
    Other->SetColCount(2);
    Other->SetRowCount(2);
    auto read = [this](const std::vector<char>& Bytes) {
        TMemoryStream s;
        s.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
        s.SetPosition(0);
        return Other->ReadCellStream({1, 1}, s);
    };
    // A few bytes that claim the largest block once grew the grid to a
    // million rows and overflowed the count of pasted cells.
    EXPECT_EQ(read(BlockHead(Other->MaxStreamCols, Other->MaxStreamRows, "", "")), 0);
    EXPECT_EQ(read(BlockHead(3, 2, Sizes(3), Sizes(1))), 0); // a height short
    EXPECT_EQ(read(BlockHead(3, 2, "1,1,1x", Sizes(2))), 0); // a width that is no number
    EXPECT_EQ(Other->ColCount(), 2);
    EXPECT_EQ(Other->RowCount(), 2);
    EXPECT_EQ(Other->Cells(1, 1), "");
    // Lists for every column and row, but more cells than an int counts.
    EXPECT_EQ(read(BlockHead(16384, 131072, Sizes(16384), Sizes(131072))), 0);
    EXPECT_EQ(Other->RowCount(), 2);
    // With its lists a block grows the grid as far as it reaches.
    EXPECT_EQ(read(BlockHead(3, 2, Sizes(3), Sizes(2))), 6);
    EXPECT_EQ(Other->ColCount(), 4);
    EXPECT_EQ(Other->RowCount(), 3);
    EXPECT_EQ(Other->Cells(1, 1), "x");
}

TEST_F(Clip, SmartPasteSeries) {
    Grid->SetColCount(5);
    Grid->SetRowCount(8);
    Grid->Navigation()->AllowSmartClipboard = true;
    Clipboard()->SetAsText("3\r\n5");
    Select(Grid, 1, 1, 1, 5);
    Grid->PasteFromClipboard();
    EXPECT_EQ(Grid->Cells(1, 5), "11");
    EXPECT_EQ(Grid->Cells(1, 3), "7");
    // Dates a month apart.
    TFormatSettings saved = FormatSettings();
    FormatSettings().ShortDateFormat = "yyyy/mm/dd";
    Clipboard()->SetAsText("2024-01-31\r\n2024-02-29");
    Select(Grid, 2, 1, 2, 3);
    Grid->PasteFromClipboard(); // 29 days apart
    EXPECT_EQ(Grid->Cells(2, 3), "2024-03-29");
    Clipboard()->SetAsText("2023-11-30\r\n2023-12-30");
    Select(Grid, 2, 4, 2, 7);
    Grid->PasteFromClipboard(); // a month apart, the day kept where it can be
    EXPECT_EQ(Grid->Cells(2, 6), "2024-01-30");
    EXPECT_EQ(Grid->Cells(2, 7), "2024-02-29");
    FormatSettings() = saved;
    // Texts repeat; one value fills the selection.
    Clipboard()->SetAsText("x\r\ny");
    Select(Grid, 3, 1, 3, 5);
    Grid->PasteFromClipboard();
    EXPECT_EQ(Grid->Cells(3, 5), "x");
    EXPECT_EQ(Grid->Cells(3, 4), "y");
    Clipboard()->SetAsText("z");
    Select(Grid, 3, 6, 4, 7);
    Grid->PasteFromClipboard();
    EXPECT_EQ(Grid->Cells(4, 7), "z");
    EXPECT_EQ(Grid->Cells(3, 6), "z");
    EXPECT_EQ(Grid->Cells(4, 6), "z");
}

TEST_F(Clip, CutEmptiesTheSelection) {
    Fill(3, 3);
    Select(Grid, 1, 1, 2, 1);
    Grid->CutSelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "c1r1\tc2r1");
    EXPECT_EQ(Grid->Cells(1, 1), "");
    EXPECT_EQ(Grid->Cells(2, 1), "");
    EXPECT_EQ(Grid->Cells(1, 2), "c1r2");
}
