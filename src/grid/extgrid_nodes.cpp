// Nodes in column 0 that fold the rows below them: a node row carries a
// ctNode graphic whose CellIndex is its span (rows covered, itself included;
// 0 = up to the next node row) and whose CellBoolean is true while contracted.
// Contracting hides the child rows; expanding puts them back.

#include <algorithm>

#include "grid/extgrid.h"

bool TExtStringGrid::IsNode(int ARow) {
    return ARow >= 0 && ARow < RowCount() && GetCellType(RealColIndex(0), ARow) == ctNode;
}

bool TExtStringGrid::HasNodes() {
    // Asked for every cell painted: the count, not a walk over the rows.
    return FNodeCount > 0;
}

int TExtStringGrid::GetNodeLevel(int ARow) {
    if (!IsNode(ARow)) return -1;
    const TCellProperties* p = FindCellProperties(RealColIndex(0), ARow);
    return p ? p->NodeLevel : 0;
}

int TExtStringGrid::GetNodeIndent(int ARow) {
    if (ARow < FixedRows() || ARow >= RowCount() || !HasNodes()) return 0;
    const TCellProperties* p = FindCellProperties(RealColIndex(0), ARow);
    const int level = p ? p->NodeLevel : 0;
    // A node's glyph takes one indent more than its level; a child's text
    // starts where its node's glyph ends, so the tree line meets the glyph.
    if (IsNode(ARow)) return (level + 1) * FCellNode->NodeIndent();
    return std::max(1, level) * FCellNode->NodeIndent();
}

int TExtStringGrid::GetNodeLineKind(int ARow) {
    if (IsNode(ARow)) return 0;
    const TCellProperties* here = FindCellProperties(RealColIndex(0), ARow);
    const int level = here ? here->NodeLevel : 0;
    if (ARow >= RowCount() - 1 - FFixedFooters) return 1;
    const TCellProperties* next = FindCellProperties(RealColIndex(0), ARow + 1);
    if (!next || next->NodeLevel < level) return 1;
    return 2;
}

bool TExtStringGrid::GetNodeState(int ARow) {
    const TCellGraphic* g = IsNode(ARow) ? GetCellGraphic(RealColIndex(0), ARow) : nullptr;
    return g && g->CellBoolean;
}

int TExtStringGrid::GetNodeSpan(int ARow) {
    const TCellGraphic* g = IsNode(ARow) ? GetCellGraphic(RealColIndex(0), ARow) : nullptr;
    return g ? g->CellIndex : -1;
}

void TExtStringGrid::AddNode(int ARow, int Span) {
    if (ARow < FixedRows() || ARow >= RowCount()) return;
    const int c = RealColIndex(0);
    if (!IsNode(ARow)) ++FNodeCount;
    TCellGraphic* g = CreateCellGraphic(c, ARow);
    g->CellType = ctNode;
    g->CellIndex = std::max(0, Span);
    g->CellBoolean = false;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaCenter;
    const int level = GetCellProperties(c, ARow)->NodeLevel;
    // A span reaching past the last row ends with the grid.
    const int last = std::min(RowCount() - 1, ARow + std::max(1, Span) - 1);
    for (int r = ARow + 1; r <= last; ++r)
        GetCellProperties(c, r)->NodeLevel = level + 1;
    Invalidate();
}

void TExtStringGrid::RemoveNode(int ARow) {
    if (!IsNode(ARow)) return;
    if (GetNodeState(ARow)) SetNodeState(ARow, false);
    const int c = RealColIndex(0);
    const int span = GetNodeSpan(ARow);
    const int level = GetCellProperties(c, ARow)->NodeLevel;
    for (int r = ARow + 1; r <= std::min(RowCount() - 1, ARow + span - 1); ++r)
        if (TCellProperties* p = FindCellProperties(c, r)) p->NodeLevel = level;
    if (RemoveCellGraphicOfType(c, ARow, ctNode)) --FNodeCount;
    Invalidate();
}

void TExtStringGrid::SetNodeState(int ARow, bool Value) {
    TCellGraphic* g = IsNode(ARow) ? GetCellGraphic(RealColIndex(0), ARow) : nullptr;
    if (!g || g->CellBoolean == Value) return;
    const int realRow = RealRowIndex(ARow);
    // Expanding one node may fold every other first; this one is folded, so
    // the walk passes it by.
    if (!Value && FCellNode->ExpandOne)
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (IsNode(r) && !GetNodeState(r)) SetNodeState(r, true);
    ARow = DisplRowIndex(realRow);
    int span = g->CellIndex;
    if (span <= 0) {
        if (Value) {
            // Up to the next node row, or the end of the grid.
            int r = ARow + 1;
            while (r < RowCount() && !IsNode(r))
                ++r;
            span = r - ARow;
        } else {
            // The folded rows lie between this node and the next shown row.
            const int nextReal = ARow + 1 < RowCount() ? RealRowIndex(ARow + 1) : GetAllRowCount();
            span = nextReal - realRow;
        }
    }
    g->CellBoolean = Value;
    const int first = realRow + 1;
    const int last = std::min(realRow + span - 1, GetAllRowCount() - 1);
    if (last >= first) {
        if (Value)
            HideRows(first, last);
        else
            UnHideRows(first, last);
    }
    Invalidate();
}
