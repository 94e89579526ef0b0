#include "app/gridstyle.h"

#include "grid/columngrid.h"

void SetGridStyle(TExtColumnGrid* Grid, int FontSize) {
    if (!Grid) return;
    Grid->SetColor(clWindow);
    Grid->Font()->SetSize(FontSize);
    Grid->FixedFont()->SetSize(FontSize);
    TGridColumnCollection* Columns = Grid->Columns();
    for (int i = 0; i < Columns->Count(); ++i) {
        TGridColumnItem* Item = Columns->Items(i);
        Item->Font()->SetSize(FontSize);
        Item->SetColor(clInfoBk);
    }
    Grid->SetDefaultRowHeight(FontSize < 10 ? 24 : FontSize == 10 ? 26 : 28);
    Grid->SetScrollType(ssEncarta);
    Grid->Repaint();
}
