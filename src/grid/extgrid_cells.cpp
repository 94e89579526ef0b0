// Cell access: texts by display and by real row, the current cell, and the
// per-cell colour, read-only flag, alignment and control.
#include "grid/extgrid.h"

#include "grid/support/gridvalues.h"
#include "grid/support/widecell.h"

std::string TExtStringGrid::ReadCell(int ACol, int ARow) const {
    if (CellPropertiesCount() == 0) return GetRawCell(ACol, ARow); // nothing merged
    const TPoint b = GetBaseCell(ACol, ARow);
    return GetRawCell(b.X, b.Y);
}

void TExtStringGrid::WriteCell(int ACol, int ARow, const std::string& Value) {
    SetCellText(ACol, ARow, Value);
}

std::string TExtStringGrid::Cells(int ACol, int ARow) const {
    return ReadCell(ACol, ARow);
}

void TExtStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
    WriteCell(ACol, ARow, Value);
}

std::string TExtStringGrid::GetDisplayCellText(int ACol, int ARow) {
    return GetCellText(ACol, ARow);
}

std::string TExtStringGrid::GetFormattedCellText(int ACol, int ARow) {
    std::string text = GetDisplayCellText(ACol, ARow);
    std::string format;
    if (GetNumberKind(text) < 2 && GetFloatFormat(ACol, ARow, format)) {
        // A format that cannot be used shows the stored text.
        try {
            text = FormatFloatValue(format, GetFloats(ACol, ARow));
        } catch (const Exception&) {
        }
    }
    return text;
}

std::u16string TExtStringGrid::WideCells(int ACol, int ARow) const {
    return DecodeWideCell(ReadCell(ACol, ARow));
}

void TExtStringGrid::SetWideCells(int ACol, int ARow, const std::u16string& Value) {
    WriteCell(ACol, ARow, EncodeWideCell(Value));
}

std::string TExtStringGrid::GetAllCells(int ACol, int ARealRow) const {
    const int at = FHiddenRows.Find(ARealRow);
    if (at < 0) return ReadCell(ACol, DisplRowIndex(ARealRow));
    return FHiddenRows.Items(at)->CellText(ACol);
}

void TExtStringGrid::SetAllCells(int ACol, int ARealRow, const std::string& Value) {
    if (ACol < 0 || ARealRow < 0) return;
    const int at = FHiddenRows.Find(ARealRow);
    if (at < 0) {
        const int row = DisplRowIndex(ARealRow);
        WriteCell(ACol, row, Value);
        if (DisplColIndex(ACol) != ACol) RepaintCell(DisplColIndex(ACol), row);
        return;
    }
    FHiddenRows.Items(at)->SetCellText(ACol, Value);
}

std::string TExtStringGrid::GetCurrentCell() const {
    return ReadCell(RealColIndex(Col()), Row());
}

void TExtStringGrid::SetCurrentCell(const std::string& Value) {
    WriteCell(RealColIndex(Col()), Row(), Value);
}

void TExtStringGrid::SetCellAndRefresh(int ADisplCol, int ARow, const std::string& Value) {
    WriteCell(RealColIndex(ADisplCol), ARow, Value);
    RepaintCell(ADisplCol, ARow);
}

TColor TExtStringGrid::GetCellBackColor(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->BrushColor() : clNone;
}

void TExtStringGrid::SetCellBackColor(int ACol, int ARow, TColor Value) {
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

bool TExtStringGrid::GetCellReadOnly(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && p->ReadOnly;
}

void TExtStringGrid::SetCellReadOnly(int ACol, int ARow, bool Value) {
    GetCellProperties(ACol, ARow)->ReadOnly = Value;
}

TAlignment TExtStringGrid::GetCellAlignmentProp(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->Alignment : taLeftJustify;
}

TControl* TExtStringGrid::GetCellControl(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->Control() : nullptr;
}

void TExtStringGrid::AddImageIdx(int ACol, int ARow, int Index, TCellHAlign HAlign,
                                 TCellVAlign VAlign) {
    if (!FGridImages) return;
    CreateCellGraphic(ACol, ARow)->SetImageListGraphic(Index, HAlign, VAlign);
}
