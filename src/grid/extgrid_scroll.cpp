// Scroll hints and the sizing of columns to the grid's width: one column
// stretched to fill it, or the other columns following a sized one.

#include <algorithm>
#include <cmath>
#include <utility>

#include "grid/extgrid.h"
#include "platform/vcl/scrollbars.h"

void TExtStringGrid::SetScrollType(TScrollType Value) {
    ScrollType = Value;
    // Where the bars cannot take a look the ordinary ones stay.
    SetScrollBarLook(Handle(),
                     Value == ssFlat      ? sblFlat
                     : Value == ssEncarta ? sblEncarta
                                          : sblNormal,
                     ScrollColor);
}

int TExtStringGrid::ThumbIndex(bool Vertical, int ThumbPos) {
    const int pos = std::clamp(ThumbPos, 0, 127);
    const int count = Vertical ? RowCount() : ColCount();
    const int visible = Vertical ? VisibleRowCount() : VisibleColCount();
    const int fixed = Vertical ? FixedRows() : FixedCols();
    return pos * std::max(0, count - visible - fixed) / 127 + fixed;
}

std::string TExtStringGrid::ScrollHintText(bool Vertical, int ThumbPos) {
    const int index = ThumbIndex(Vertical, ThumbPos);
    std::string hint = (Vertical ? "Row : " : "Col : ") + std::to_string(index);
    if (OnScrollHint) OnScrollHint(this, index, hint);
    return hint;
}

void TExtStringGrid::StretchColumn(int ACol) {
    if (!FColumnSize->Stretch() || HasState(csLoading)) return;
    if (ACol >= ColCount()) throw Exception("Stretch column index out of range");
    if (ACol < 0) ACol = ColCount() - 1;
    if (ACol < 0) return;
    const int client = ClientWidth();
    if (ColCount() == 1) {
        SetColWidths(ACol, std::max(0, client));
    } else {
        int others = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != ACol) others += ColWidths(c);
        // The others fill the width already: the column keeps a usable width.
        SetColWidths(ACol, others >= client ? DefaultColWidth() : client - others - 1);
    }
    FStretched = true;
}

void TExtStringGrid::ScaleOtherColumns(int ACol, int OldWidth) {
    // A column sized from nothing gives no proportion to follow.
    if (OldWidth <= 0 || ACol < 0 || ACol >= ColCount()) return;
    const double factor = static_cast<double>(ColWidths(ACol)) / OldWidth;
    for (int c = FixedCols(); c < ColCount(); ++c)
        if (c != ACol) SetColWidths(c, static_cast<int>(std::lround(ColWidths(c) * factor)));
}

void TExtStringGrid::ScaleOtherRows(int ARow, int OldHeight) {
    if (OldHeight <= 0 || ARow < 0 || ARow >= RowCount()) return;
    const double factor = static_cast<double>(RowHeights(ARow)) / OldHeight;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (r != ARow) SetRowHeights(r, static_cast<int>(std::lround(RowHeights(r) * factor)));
}

void TExtStringGrid::SynchColumnsToWidth(int OldWidth, int NewWidth) {
    if (NewWidth < 0 || OldWidth == NewWidth) return;
    std::vector<int> widths(static_cast<size_t>(ColCount()));
    for (int c = 0; c < ColCount(); ++c)
        widths[static_cast<size_t>(c)] = ColWidths(c);
    // Widths that someone else set since the last scaling are the new base;
    // widths this routine left keep scaling from the base they came from.
    if (widths != FSynchSetWidths || FSynchBaseClientWidth <= 0) {
        // No previous width (first sizing, or a grid that had none) gives
        // no factor: the widths stay.
        if (OldWidth <= 0) return;
        FSynchBaseWidths = widths;
        FSynchBaseClientWidth = OldWidth;
    }
    // An open editor would stand beside its cell.
    HideEditorIfShown();
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, static_cast<int>(std::lround(
                            static_cast<double>(FSynchBaseWidths[static_cast<size_t>(c)]) *
                            NewWidth / FSynchBaseClientWidth)));
    for (int c = 0; c < ColCount(); ++c)
        widths[static_cast<size_t>(c)] = ColWidths(c);
    FSynchSetWidths = std::move(widths);
}

void TExtStringGrid::ShowScrollHint(bool Vertical, int ThumbPos, const TPoint& MouseScreen) {
    const bool wanted = ScrollHints == shBoth ||
                        (Vertical ? ScrollHints == shVertical : ScrollHints == shHorizontal);
    if (!wanted) return;
    if (!FScrollHintWindow)
        FScrollHintWindow = std::make_unique<THTMLHintWindow>(nullptr, FGridImages);
    FScrollHintWindow->SetColor(HintColor);
    const std::string text = ScrollHintText(Vertical, ThumbPos);
    TRect r = FScrollHintWindow->CalcHintRect(100, text, nullptr);
    OffsetRect(r, MouseScreen.X + 10, MouseScreen.Y);
    FScrollHintWindow->ActivateHint(r, text);
}

void TExtStringGrid::HideScrollHint() {
    if (FScrollHintWindow) FScrollHintWindow->ReleaseHandle();
}
