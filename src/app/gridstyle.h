#pragma once
// The look every window gives its column grids.

class TExtColumnGrid;

// Window-coloured grid, the font size on the cells, the fixed cells and every
// column item (whose cells get the info-tip colour), a row height that suits
// the size, and the sliding scroll bars.
void SetGridStyle(TExtColumnGrid* Grid, int FontSize);
