// The wheel and the zoom: the wheel moves the current row within the normal
// rows (never into the footers), keeps the left column when asked, and with
// Ctrl zooms the grid in steps. The focus: arriving it may open the editor,
// leaving it lets a pressed button control in a cell come up.
#include <algorithm>

#include "grid/extgrid.h"

bool TExtStringGrid::WheelStep(bool Down, TShiftState Shift, TPoint MousePos) {
    if (Shift.Contains(ssCtrl) && IntelliZoom) {
        Zoom(Down ? 1 : -1);
        return true;
    }
    if (!EnableWheel) return true;
    const int first = TBaseGrid::FixedRows(), last = LastNormalRow();
    // A current cell outside the grid (an empty grid) has nowhere to go.
    if (last < first || Row() < 0 || Row() >= RowCount() || Col() < 0) return true;
    if (Down ? Row() >= last : Row() <= first) return true;
    const int oldLeft = LeftCol();
    const bool keepLeft = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll;
    if (keepLeft) BeginUpdateCount();
    const bool result = Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos)
                             : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    if (keepLeft) {
        SetLeftCol(oldLeft);
        ResetUpdateCount();
        Invalidate();
    }
    return result;
}

bool TExtStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    return WheelStep(true, Shift, MousePos);
}

bool TExtStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    return WheelStep(false, Shift, MousePos);
}

void TExtStringGrid::Zoom(int Delta) {
    const int step = FZoomStep + Delta;
    if (Delta == 0 || step < -10 || step > 10) return;
    FZoomStep = step;
    BeginGridUpdate();
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) + Delta > 0) SetColWidths(c, ColWidths(c) + Delta);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) + Delta > 0) SetRowHeights(r, RowHeights(r) + Delta);
    EndGridUpdate();
}

void TExtStringGrid::WMSetFocus(TMessage& Message) {
    TBaseGrid::WMSetFocus(Message);
    // The focus an editor of the grid gives back while it closes is no focus
    // coming from elsewhere.
    if (FMovingOwnFocus || FClosingEditor || !FNavigation->AlwaysEdit) return;
    if (!Options().Contains(goEditing) || EditorMode() || HasCellControl(Col(), Row())) return;
    if (GridState() == gsRowMoving || GridState() == gsColMoving) return;
    const TRect cell = CellRect(Col(), Row());
    if (cell.Width() <= 0 || cell.Height() <= 0) return; // scrolled out of view
    ShowEditor();
}

void TExtStringGrid::WMKillFocus(TMessage& Message) {
    TBaseGrid::WMKillFocus(Message);
    HTMLControlRelease();
}
