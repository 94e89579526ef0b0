// What helps typing in the grid's editors: completion from LookupItems, the
// width of a combo's list, the row, column and cell change questions, and the
// edit text without tags.
#include <algorithm>

#include "grid/extgrid.h"
#include "grid/grideditors.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/listctrls.h"

int TExtStringGrid::LookupIndex(const TStrings& Items, const std::string& Text) const {
    if (Text.empty()) return -1;
    const std::string key = LookupCaseSensitive ? Text : AnsiUpperCase(Text);
    for (int i = 0; i < Items.Count(); ++i) {
        const std::string item = Items.Get(i);
        if (item.size() <= Text.size()) continue;
        const std::string head = item.substr(0, Text.size());
        if ((LookupCaseSensitive ? head : AnsiUpperCase(head)) == key) return i;
    }
    return -1;
}

std::string TExtStringGrid::LookupCompletion(const std::string& Text) const {
    const int i = LookupIndex(*FLookupItems, Text);
    return i < 0 ? std::string() : FLookupItems->Get(i);
}

int TExtStringGrid::ComboDropWidth(const TComboBox& Combo) {
    // With more items than rows a scroll bar takes room beside the texts.
    const bool scrolls = Combo.Items()->Count() > Combo.DropDownCount();
    int width = Combo.Width();
    for (int i = 0; i < Combo.Items()->Count(); ++i) {
        const int w = Canvas()->TextWidth(Combo.Items()->Get(i));
        if (scrolls && w > width - 25)
            width = w + 25;
        else if (!scrolls && w > width - 5)
            width = w + 8;
    }
    return width;
}

bool TExtStringGrid::AskCellChange(int ACol, int ARow) {
    bool allow = true;
    if (ARow != Row() && OnRowChanging) OnRowChanging(this, Row(), ARow, allow);
    if (allow && ACol != Col() && OnColChanging) OnColChanging(this, Col(), ACol, allow);
    if (allow && (ACol != Col() || ARow != Row()) && OnCellChanging)
        OnCellChanging(this, Row(), Col(), ARow, ACol, allow);
    return allow;
}

void TExtStringGrid::CellComboChanged(int Index, const std::string& Text) {
    const int col = RealColIndex(Col()), row = Row();
    if (OnComboChange) OnComboChange(this, col, row, Index, Text);
    if (OnComboObjectChange && Index >= 0)
        OnComboObjectChange(this, col, row, Index, Text, Combobox()->Items()->Objects(Index));
}
