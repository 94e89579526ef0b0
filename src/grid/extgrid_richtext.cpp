// Cells whose text is RTF: drawn formatted, measured, loaded into a rich edit
// and read back from it.
#include "grid/cellpaint.h"
#include "grid/extgrid.h"
#include "grid/extrichedit.h"
#include "grid/support/gridtext.h"
#include "platform/vcl/richedit.h"

namespace {

// Layouts kept at most; past it the store starts afresh (a screen of rich
// cells stays well below).
constexpr size_t MaxRichLayouts = 256;

std::string FontKey(const TFont& F) {
    return F.Name() + '\x01' + std::to_string(F.Height()) + '\x01' + std::to_string(F.Color()) +
           '\x01' + std::to_string(F.Style().Bits()) + '\x02';
}

} // namespace

TExtRichEdit* TExtStringGrid::RichEdit() {
    if (!FRichEdit) FRichEdit = new TExtRichEdit(this); // owned by the grid as a component
    return FRichEdit;
}

TExtRichEdit* TExtStringGrid::RichEditor() {
    if (!FRichEditor) FRichEditor = new TExtRichEdit(this); // owned by the grid as a component
    return FRichEditor;
}

void TExtStringGrid::LoadRichCell(int ACol, int ARow, TRichEdit* RichEditor) {
    RichEditor->Font()->Assign(Font());
    RichEditor->LoadRTF(Cells(ACol, ARow));
}

std::string TExtStringGrid::GetRichText(TRichEdit* RichEditor) {
    const TRtfDocument doc = RichEditor->Document();
    const bool empty = doc.Paragraphs.size() == 1 && doc.Paragraphs[0].Runs.empty();
    return empty ? std::string() : WriteRTF(doc);
}

const TRichTextLayout& TExtStringGrid::RichLayout(const std::string& RTF, const TFont& Font) {
    std::string key = FontKey(Font) + RTF;
    auto it = FRichLayouts.find(key);
    if (it != FRichLayouts.end()) return *it->second;
    if (FRichLayouts.size() >= MaxRichLayouts) FRichLayouts.clear();
    auto layout = std::make_shared<TRichTextLayout>();
    layout->LoadRTF(RTF, Font);
    return *FRichLayouts.emplace(std::move(key), std::move(layout)).first->second;
}

void TExtStringGrid::DrawRichTextCell(TCanvas& Canvas, int ACol, int ARow, const TRect& R,
                                      bool Selected) {
    const TRichTextLayout& layout = RichLayout(Cells(ACol, ARow), *Canvas.Font());
    const TRect inner{R.Left + XYOffset.X, R.Top + XYOffset.Y, R.Right - XYOffset.X, R.Bottom};
    const bool recolour = Selected && !SelectionRTFKeep && FSelectionTextColor != clNone;
    layout.Draw(Canvas, inner, recolour ? FSelectionTextColor : clNone);
}

void TExtStringGrid::PaintRichText(TCellPaintContext& Cell) {
    FillTextBackground(Cell);
    const TRect& t = Cell.TextRect;
    // The text rectangle less the margins, as the rich text places its own.
    DrawRichTextCell(Cell.Canvas, Cell.RealCol, Cell.Row,
                     {t.Left - XYOffset.X, t.Top - XYOffset.Y, t.Right + XYOffset.X, t.Bottom},
                     Cell.DrawnSelected);
}

TPoint TExtStringGrid::RichTextContentSize(int ACol, int ARow, bool UseColumnWidth) {
    const TRichTextLayout& layout = RichLayout(Cells(ACol, ARow), *Canvas()->Font());
    const int width =
        UseColumnWidth ? std::max(1, ColWidths(DisplColIndex(ACol)) - 2 * XYOffset.X) : 0;
    const TSize s = layout.ContentSize(width);
    return {s.cx + 2 * XYOffset.X, s.cy + 2 * XYOffset.Y};
}

void TExtStringGrid::GetSelectionAsText(std::string& Text) {
    const TGridRect sel = Selection();
    int left = sel.Left, right = sel.Right;
    if (Options().Contains(goRowSelect) && DragDropSettings()->OleEntireRows) {
        left = 0;
        right = ColCount() - 1;
    }
    std::vector<int> rows;
    const TMouseActions& m = *MouseActions();
    if (m.DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (IsRowPicked(r)) rows.push_back(r);
    } else {
        for (int r = sel.Top; r <= sel.Bottom; ++r)
            rows.push_back(r);
    }
    Text.clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i) Text += "\r\n";
        for (int c = left; c <= right; ++c) {
            if (c > left) Text += '\t';
            std::string cell = Cells(RealColIndex(c), rows[i]);
            if (cell.find("{\\") != std::string::npos) cell = RTFToPlainText(cell);
            if (Multilinecells && cell.find_first_of("\r\n") != std::string::npos)
                cell = QuoteMultiLineText(cell);
            Text += cell;
        }
    }
}
