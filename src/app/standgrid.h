#pragma once
// Writes a group into a column grid: the full standings table or the compact
// crosstable of the results window, every result cell tied to its game.

class TExtColumnGrid;
class TExtStringGrid;
class TGroep;
class TSpList;

// Spelers gives the row order and the order of the result columns.
void FillStandGrid(TGroep& Groep, TExtColumnGrid& Grid, bool Compact, int LastRound,
                   TSpList& Spelers);
// True when every cell of the row is empty.
bool IsRowEmpty(TExtStringGrid& Grid, int Row);
