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

// --- the other nodes questions --------------------------------------------------------

bool TExtStringGrid::IsSummary(int ARow) {
    return ARow >= 0 && ARow < RowCount() && GetCellType(RealColIndex(0), ARow) == ctSummary;
}

bool TExtStringGrid::IsNodeGlyphHit(int ARow, int X) {
    if (!IsNode(ARow)) return false;
    const int level = GetNodeLevel(ARow) + 1;
    const int I = FCellNode->NodeIndent();
    const int x = X - CellRect(0, ARow).Left;
    return x > (level - 1) * I && x < level * I;
}

void TExtStringGrid::ExpandAll() {
    UnHideRowsAll();
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (TCellGraphic* g = IsNode(r) ? GetCellGraphic(RealColIndex(0), r) : nullptr)
            g->CellBoolean = false;
    Invalidate();
}

void TExtStringGrid::ContractAll() {
    BeginGridUpdate();
    ExpandAll();
    // From the last node up, so that the rows of each stay where its span says.
    for (int r = RowCount() - 1; r >= FixedRows(); --r)
        if (IsNode(r)) SetNodeState(r, true);
    EndGridUpdate();
}

void TExtStringGrid::ForgetNodesIn(int FirstRow, int LastRow) {
    FirstRow = std::max(FirstRow, 0);
    LastRow = std::min(LastRow, RowCount() - 1);
    for (int r = FirstRow; r <= LastRow && FNodeCount > 0; ++r)
        if (IsNode(r)) --FNodeCount;
}

void TExtStringGrid::RemoveAllNodes() {
    ExpandAll();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        if (TCellProperties* p = FindCellProperties(RealColIndex(0), r)) p->NodeLevel = 0;
        if (RemoveCellGraphicOfType(RealColIndex(0), r, ctNode)) --FNodeCount;
    }
    FNodeCount = 0;
    Invalidate();
}

// --- check boxes, radio groups and buttons --------------------------------------------

namespace {

bool IsCheckKind(TCellType T) {
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox;
}

} // namespace

TCellGraphic* TExtStringGrid::BaseGraphic(int ACol, int ARow, int& RealCol, int& BaseRow) {
    int bc = ACol, br = ARow;
    CheckBaseCell(ACol, ARow, bc, br);
    RealCol = RealColIndex(bc);
    BaseRow = br;
    return GetCellGraphic(RealCol, br);
}

bool TExtStringGrid::HasCheckBox(int ACol, int ARow) {
    int c = 0, r = 0;
    const TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    return g && IsCheckKind(g->CellType);
}

bool TExtStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State) {
    int c = 0, r = 0;
    const TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    if (!g || !IsCheckKind(g->CellType)) return false;
    State = g->CellType == ctCheckBox ? g->CellBoolean : ReadCell(c, r) == GetCheckTrue(c, r);
    return true;
}

void TExtStringGrid::SetCheckBoxState(int ACol, int ARow, bool State) {
    int c = 0, r = 0;
    TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    if (!g || !IsCheckKind(g->CellType)) return;
    if (g->CellType == ctCheckBox)
        g->CellBoolean = State;
    else
        WriteCell(c, r, State ? GetCheckTrue(c, r) : GetCheckFalse(c, r));
    RepaintCell(DisplColIndex(c), r);
}

bool TExtStringGrid::ToggleCheckBox(int ACol, int ARow, bool Ask) {
    int c = 0, r = 0;
    TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    if (!g || !IsCheckKind(g->CellType)) return false;
    if (Ask) {
        bool can = true;
        CanEditCell(c, r, can);
        if (!can) return false;
    }
    if (g->CellType == ctCheckBox) {
        g->CellBoolean = !g->CellBoolean;
    } else {
        const std::string yes = GetCheckTrue(c, r);
        WriteCell(c, r, ReadCell(c, r) == yes ? GetCheckFalse(c, r) : yes);
    }
    RepaintCell(DisplColIndex(c), r);
    return true;
}

bool TExtStringGrid::IsCheckBoxHit(int ACol, int ARow, int X, int Y) {
    if (!HasCheckBox(ACol, ARow)) return false;
    if (!FMouseActions->PreciseCheckBoxCheck) return true;
    const TRect box = CheckBoxRect(ACol, ARow);
    return X >= box.Left && X < box.Right && Y >= box.Top && Y < box.Bottom;
}

bool TExtStringGrid::IsRadio(int ACol, int ARow) {
    int c = 0, r = 0;
    const TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    return g && g->CellType == ctRadio;
}

int TExtStringGrid::RadioItemAt(int ACol, int ARow, int X, int Y) {
    int c = 0, r = 0;
    const TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    if (!g || g->CellType != ctRadio) return -1;
    const auto* captions = dynamic_cast<const TStrings*>(g->CellBitmap);
    const int count = captions ? captions->Count() : 0;
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    TRect cell = MergedCellRect(DisplColIndex(c), r);
    InflateRect(cell, -GridLineWidth(), -GridLineWidth());
    for (int i = 0; i < count; ++i) {
        const TRect b = RadioItemRect(canvas, cell, count, i, g->CellBoolean, captions);
        if (X >= b.Left && X < b.Right && Y >= b.Top && Y < b.Bottom) return i;
    }
    return -1;
}

bool TExtStringGrid::StepRadio(int ACol, int ARow, bool Ask) {
    int c = 0, r = 0;
    TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    if (!g || g->CellType != ctRadio) return false;
    if (Ask) {
        bool can = true;
        CanEditCell(c, r, can);
        if (!can) return false;
    }
    const auto* captions = dynamic_cast<const TStrings*>(g->CellBitmap);
    const int count = captions ? captions->Count() : 0;
    if (count == 0) return false;
    int current = g->CellIndex;
    if (current < 0) current = captions->IndexOf(ReadCell(c, r));
    const int next = current + 1 >= count ? 0 : current + 1;
    if (g->CellIndex >= 0) g->CellIndex = next;
    WriteCell(c, r, captions->Get(next));
    RepaintCell(DisplColIndex(c), r);
    return true;
}

bool TExtStringGrid::IsButton(int ACol, int ARow) {
    int c = 0, r = 0;
    const TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    return g && (g->CellType == ctButton || g->CellType == ctBitButton);
}

bool TExtStringGrid::IsComment(int ACol, int ARow, std::string& Comment) {
    int c = 0, r = 0;
    const TCellGraphic* g = BaseGraphic(ACol, ARow, c, r);
    if (!g || g->CellType != ctComment) return false;
    Comment = g->CellText;
    return true;
}
