#include "grid/extrichedit.h"

#include "grid/extgrid.h"

TExtRichEdit::TExtRichEdit(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {
    SetFramed(false);
    HideSelection = false;
    OnChange = [this](TObject*) { SizeToText(); };
    OnSelectionChange = [this](TObject*) {
        if (Grid->OnRichEditSelectionChange) Grid->OnRichEditSelectionChange(this);
    };
}

std::string TExtRichEdit::EditorText() {
    // An edit that changed nothing leaves the cell's RTF as it was written.
    const TRtfDocument doc = Document();
    if (doc == FLoadedDoc) return FLoadedText;
    return Grid->GetRichText(this);
}

void TExtRichEdit::LoadText(const std::string& Value) {
    LoadRTF(Value);
}

void TExtRichEdit::LoadRTF(const std::string& Value) {
    TRichEdit::LoadRTF(Value);
    FLoadedText = Value;
    FLoadedDoc = Document();
}

bool TExtRichEdit::IsEndingKey(WORD Key, TShiftState Shift) const {
    if (Key == VK_UP || Key == VK_DOWN) return !Grid->WordWrap() && !Grid->Multilinecells;
    // Shift+Enter breaks the line inside the cell.
    if (Key == VK_RETURN && Shift.Contains(ssShift)) return false;
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
}

void TExtRichEdit::SizeToText() {
    if (!Visible() || !Grid->SizeWhileTyping()->Height) return;
    const int row = Grid->Row(), need = ReqHeight();
    if (need <= Grid->RowHeights(row)) return;
    // Only while the grown row still fits in the grid's window.
    if (Top() + need + 5 > Grid->ClientHeight()) return;
    SetHeight(need + 4);
    Grid->SetRowHeights(row, need + 5);
    if (Grid->OnEndRowSize) Grid->OnEndRowSize(Grid, row);
}
