// Rich text cells: painted formatted (plain, selected, keeping their colours),
// measured, copied as plain text and edited in the rich editor.
#include <QString>

#include "grid/extrichedit.h"
#include "gridfixture.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/rtftext.h"
#include "vcltestenv.h"

namespace {

// A bold red word and a plain one, then a second paragraph.
const std::string Rich = "{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}"
                         "{\\cf1\\b ROOD} zwart\\par tweede\\par}";

class RichTextTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid->SetLook(glStandard);
        Grid->SetColCount(4);
        Grid->SetRowCount(5);
        Grid->SetDefaultColWidth(110);
        Grid->SetDefaultRowHeight(40);
        Grid->SetCells(1, 1, Rich);
        Grid->SetCells(2, 1, "plain");
        Grid->FocusCell(3, 3, true); // not drawn selected unless a test says so
    }
    std::unique_ptr<TBitmap> Render(const std::string& Name) {
        auto image = WhiteBitmap(Grid->Width(), Grid->Height());
        PaintControlTo(*Grid, *image);
        SaveArtifact(*image, Name);
        return image;
    }
    // Pixels inside cell (ACol, ARow) that Match.
    template <class F> int Count(const TBitmap& B, int ACol, int ARow, F Match) {
        const TRect r = Grid->CellRect(ACol, ARow);
        const int b = Grid->BorderOffset();
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Match(B.Pixel(x + b, y + b))) ++n;
        return n;
    }
    static bool Red(TColor C) { return (C & 0xFF) > 160 && ((C >> 8) & 0xFF) < 90; }
    static bool Green(TColor C) { return ((C >> 8) & 0xFF) > 160 && (C & 0xFF) < 90; }
    static bool Dark(TColor C) {
        return (C & 0xFF) < 90 && ((C >> 8) & 0xFF) < 90 && ((C >> 16) & 0xFF) < 90;
    }
};

} // namespace

TEST_F(RichTextTest, ARichCellIsPaintedFormattedNotAsItsSource) {
    auto plain = Render("grid_rich_cells.png");
    EXPECT_GT(Count(*plain, 1, 1, Red), 15);  // the red word
    EXPECT_GT(Count(*plain, 1, 1, Dark), 15); // the black ones
    // The source would fill the whole width with characters; the text of
    // "ROOD zwart" ends well before the cell does.
    const TRect r = Grid->CellRect(1, 1);
    int rightmost = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right - 1; ++x)
            if (Dark(plain->Pixel(x + Grid->BorderOffset(), y + Grid->BorderOffset())))
                rightmost = std::max(rightmost, x - r.Left);
    EXPECT_LT(rightmost, 90);
}

TEST_F(RichTextTest, SelectedRichCellsTakeTheSelectionTextColourUnlessKept) {
    Grid->SetSelectionTextColor(0x00C000);
    Grid->SetSelectionColor(clWhite);
    Grid->SetOptions(Grid->Options() + goRangeSelect);
    Grid->SetSelection({1, 1, 2, 1});
    auto selected = Render("grid_rich_selected.png");
    EXPECT_EQ(Count(*selected, 1, 1, Red), 0);
    EXPECT_GT(Count(*selected, 1, 1, Green), 30);
    Grid->SelectionRTFKeep = true;
    auto kept = Render("grid_rich_selected_keep.png");
    EXPECT_GT(Count(*kept, 1, 1, Red), 15);
}

TEST_F(RichTextTest, ARichCellIsMeasuredByItsFormattedText) {
    Grid->SetCells(1, 2, "{\\rtf1 klein}");
    Grid->SetCells(1, 3, "{\\rtf1 {\\fs60 klein}}");
    const TPoint small = Grid->GetCellContentSize(1, 2, false);
    const TPoint large = Grid->GetCellContentSize(1, 3, false);
    EXPECT_GT(large.X, small.X * 2);
    EXPECT_GT(large.Y, small.Y * 2);
    // Two paragraphs are two lines; the source would be one long line.
    const TPoint two = Grid->GetCellContentSize(1, 1, false);
    EXPECT_GT(two.Y, small.Y * 3 / 2);
    EXPECT_LT(two.X, Grid->Canvas()->TextWidth(Rich) / 2);
    Grid->AutoSizeCol(1);
    EXPECT_LT(Grid->ColWidths(1), 140);
    EXPECT_GE(Grid->ColWidths(1), large.X);
}

TEST_F(RichTextTest, ACopyCarriesTheRichCellsPlainText) {
    Grid->SetCells(1, 2, "{\\rtf1 Caf\\'e9 \\u8364? {\\*\\geheim x}{\\pict 89ab}5}");
    Grid->SetOptions(Grid->Options() + goRangeSelect);
    Grid->SetSelection({1, 1, 2, 2});
    Grid->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "\"ROOD zwart\r\ntweede\"\tplain\r\nCaf\xE9 \x80 5\t");
    // A broken escape is no reason to fail the copy.
    Grid->SetCells(1, 2, "{\\rtf1 a\\'zz b\\'");
    Grid->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "\"ROOD zwart\r\ntweede\"\tplain\r\nazz b\t");
}

TEST_F(RichTextTest, TheRichEditorEditsTheCellAndWritesRichTextBack) {
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& AEditor) {
        if (ACol == 1) AEditor = edRichEdit;
    };
    FocusGrid();
    Grid->FocusCell(1, 1, true);
    SendKey(Grid, Qt::Key_F2);
    TExtRichEdit* editor = Grid->RichEditor();
    ASSERT_TRUE(editor->Visible());
    EXPECT_EQ(editor->Text(), "ROOD zwart\r\ntweede");
    // Nothing typed: the cell keeps its own RTF.
    SendKey(editor, Qt::Key_Escape);
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(Grid->Cells(1, 1), Rich);

    SendKey(Grid, Qt::Key_F2);
    ASSERT_TRUE(editor->Visible());
    SendKey(editor, Qt::Key_End, QString(), Qt::ControlModifier);
    SendKey(editor, Qt::Key_I, QString(), Qt::ControlModifier);
    SendKey(editor, Qt::Key_Space, " ");
    SendKey(editor, Qt::Key_N, "n");
    SendKey(editor, Qt::Key_U, "u");
    auto shot = Render("grid_rich_editor_open.png");
    SendKey(editor, Qt::Key_Return, "\r");
    EXPECT_FALSE(editor->Visible());
    const std::string cell = Grid->Cells(1, 1);
    ASSERT_TRUE(IsRTFText(cell)) << cell;
    const TRtfDocument doc = ReadRTF(cell);
    EXPECT_EQ(RTFPlainText(doc), "ROOD zwart\r\ntweede nu");
    const TRtfRun& last = doc.Paragraphs.at(1).Runs.back();
    EXPECT_EQ(last.Text, u" nu");
    EXPECT_TRUE(last.Format.Italic);
    const TRtfRun& first = doc.Paragraphs.at(0).Runs.front();
    EXPECT_EQ(first.Text, u"ROOD");
    EXPECT_TRUE(first.Format.Bold);
    EXPECT_EQ(first.Format.Color, 0x0000FF);
}

TEST_F(RichTextTest, LoadRichCellAndGetRichTextGoBothWays) {
    TExtRichEdit* edit = Grid->RichEdit();
    Grid->LoadRichCell(1, 1, edit);
    EXPECT_EQ(edit->Text(), "ROOD zwart\r\ntweede");
    EXPECT_EQ(ReadRTF(Grid->GetRichText(edit)), ReadRTF(Rich));
    Grid->LoadRichCell(3, 3, edit); // empty
    EXPECT_EQ(Grid->GetRichText(edit), "");
}

TEST_F(RichTextTest, TheRichEditorGrowsItsRowPassesArrowsAndReportsSelections) {
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->OnGetEditorType = [](TObject*, int, int, TEditorType& AEditor) { AEditor = edRichEdit; };
    int selections = 0, grown = -1;
    Grid->OnRichEditSelectionChange = [&](TObject*) { ++selections; };
    Grid->OnEndRowSize = [&](TObject*, int ARow) { grown = ARow; };
    Grid->SizeWhileTyping()->Height = true;
    FocusGrid();
    Grid->FocusCell(2, 2, true);
    SendKey(Grid, Qt::Key_F2);
    TExtRichEdit* editor = Grid->RichEditor();
    ASSERT_TRUE(editor->Visible());
    const int before = Grid->RowHeights(2);
    for (int i = 0; i < 4; ++i) {
        SendKey(editor, Qt::Key_A, "a");
        SendKey(editor, Qt::Key_Return, "\r", Qt::ShiftModifier);
    }
    EXPECT_TRUE(editor->Visible()); // Shift+Enter stays in the cell
    EXPECT_GT(Grid->RowHeights(2), before);
    EXPECT_EQ(Grid->RowHeights(2), editor->ReqHeight() + 5);
    EXPECT_EQ(grown, 2);
    SendKey(editor, Qt::Key_Left, QString(), Qt::ShiftModifier);
    EXPECT_GT(selections, 0);
    // Word wrap on: Down walks the lines; off: Down ends the edit and moves.
    SendKey(editor, Qt::Key_Down);
    EXPECT_TRUE(editor->Visible());
    Grid->SetWordWrap(false);
    SendKey(editor, Qt::Key_Down);
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_EQ(RTFToPlainText(Grid->Cells(2, 2)), "a\r\na\r\na\r\na\r\n");
}

TEST_F(RichTextTest, TheSelectionAsTextGivesRichCellsTheirPlainText) {
    Grid->SetCells(1, 2, "twee\r\nregels");
    Grid->SetOptions(Grid->Options() + goRangeSelect);
    Grid->SetSelection({1, 1, 2, 2});
    std::string text;
    Grid->GetSelectionAsText(text);
    EXPECT_EQ(text, "ROOD zwart\r\ntweede\tplain\r\ntwee\r\nregels\t");
    Grid->Multilinecells = true;
    Grid->GetSelectionAsText(text);
    EXPECT_EQ(text, "\"ROOD zwart\ntweede\"\tplain\r\n\"twee\nregels\"\t");
    Grid->SetSelection({2, 1, 2, 1});
    Grid->GetSelectionAsText(text);
    EXPECT_EQ(text, "plain");
}
