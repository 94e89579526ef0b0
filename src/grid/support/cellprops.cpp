#include "grid/support/cellprops.h"

#include "grid/support/gridcells.h"

TCellProperties::TCellProperties(TBaseGridCells* AGrid, int ACol, int ARow)
    : OwnerCol(ACol), OwnerRow(ARow), FGrid(AGrid) {
    if (FGrid) ++FGrid->FRecordCount;
}

TCellProperties::~TCellProperties() {
    if (!GraphicShared) delete GraphicObject;
    SetControl(nullptr);
    if (FGrid) --FGrid->FRecordCount;
}

void TCellProperties::SetControl(TControl* Value) {
    if (FGrid) FGrid->FControlCount += (Value != nullptr) - (FControl != nullptr);
    FControl = Value;
}

void TCellProperties::Repaint() {
    if (FGrid) FGrid->RepaintCell(OwnerCol, OwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value) {
    FBrushColor = Value;
    Repaint();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
    FBrushColorTo = Value;
    Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
    FVAlignment = Value;
    Repaint();
}

void TCellProperties::SetWordWrap(bool Value) {
    FWordWrap = Value;
    Repaint();
}

void TCellProperties::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TCellProperties*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    IsBaseCell = src->IsBaseCell;
    CellSpanX = src->CellSpanX;
    CellSpanY = src->CellSpanY;
    OwnerRow = src->OwnerRow;
    OwnerCol = src->OwnerCol;
    Alignment = src->Alignment;
    BorderColor = src->BorderColor;
    BorderWidth = src->BorderWidth;
    FBrushColorTo = src->FBrushColorTo;
    FBrushColor = src->FBrushColor;
    BrushStyle = src->BrushStyle;
    FontColor = src->FontColor;
    FontStyle = src->FontStyle;
    FontName = src->FontName;
    FontSize = src->FontSize;
    ReadOnly = src->ReadOnly;
    Editor = src->Editor;
    FVAlignment = src->FVAlignment;
    SetWordWrap(src->FWordWrap); // repaints the target cell
    NodeLevel = src->NodeLevel;
    SetControl(src->FControl);
}
