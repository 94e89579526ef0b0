#include "app/returnkey.h"

#include "platform/vcl/grids/grids.h"

bool ReturnChooses(WORD& Key, TShiftState Shift, bool Chosen) {
    if (Key != VK_RETURN || !Shift.Empty() || !Chosen) return false;
    Key = 0;
    return true;
}

int ReturnChoosesRow(WORD& Key, TShiftState Shift, const TStringGrid& Grid) {
    const int row = Grid.Row();
    const bool data = row >= 1 && row < Grid.RowCount() && Grid.Objects(0, row);
    return ReturnChooses(Key, Shift, data) ? row : -1;
}
