#pragma once
// Writes a group into a column grid: the full standings table or the compact
// crosstable of the results window, every result cell tied to its game.
//
// The TGameCell objects of the result cells belong to the grid: a component
// owned by the grid keeps them until the next fill or the grid's end. The
// player objects in column 0 are the group's.

class TExtColumnGrid;
class TExtStringGrid;
class TGroep;
class TSpList;
class TSp;

// Standings columns by id (index into the group's StandKolommen).
namespace StandId {
inline constexpr int Plaats = 0, Lootnr = 1, Naam = 2, Relnr = 3, Pnt = 4, WP = 5, SB = 6,
                     Rating = 7, Rc = 8, Tpr = 9, WWe = 10, Uitslagen = 11, Onderling = 12, ZV = 13,
                     Count = 14;
}

// Spelers gives the row order and the order of the result columns.
void FillStandGrid(TGroep& Groep, TExtColumnGrid& Grid, bool Compact, int LastRound,
                   TSpList& Spelers);
// The name column of the compact crosstable.
inline constexpr int CompactNaamKolom = 1;
// What the crosstable and standings add to each column's content width.
inline constexpr int StandMarge = 4;
// Sizes the name column (real column Kolom) to its widest text plus Marge, as
// AutoSizeColumns does, where the grid has room for that beside the other
// columns. Where it has not, a long name must not push the other columns out
// of view: the column takes the room there is, but no less than MinBreedte
// pixels (0: the width of a club list's longest name), and a name cut off shows
// whole as the cell's hint. Call it again when the grid's width changes, so
// that a window made wider shows what was cut.
void FitNaamKolom(TExtStringGrid& Grid, int Kolom, int Marge = StandMarge, int MinBreedte = 0);
// True when every cell of the row is empty.
bool IsRowEmpty(TExtStringGrid& Grid, int Row);
// The player kept in column 0 of a row (display row), or null.
TSp* StandRowSpeler(const TExtStringGrid& Grid, int Row);
