#pragma once
// The checks by which the group-file reader refuses a file rather than lose a
// player, a column, a setting or a result without a word. Each answers why, in
// Dutch for the director, and where: a "regel" is a line of the file as an
// editor and a spreadsheet number it (the heading is line 1), a "kolom" a field
// counted from 1. Empty when the file passes.

#include <string>
#include <string_view>

#include "model/codes.h"
#include "model/groupfile.h"

class TGroep;

// The cells of loaded rows, read without fear of their bounds.
namespace groepcel {
// The cell at Col, Row; empty outside the rows.
std::string Cell(const TGroepFileRows& Rows, int Col, int Row);
int ColCount(const TGroepFileRows& Rows);
int RowCount(const TGroepFileRows& Rows);
// A row whose first cell holds "#" is a note, no player.
bool IsNotitie(const TGroepFileRows& Rows, int Row);
} // namespace groepcel

// A result as the file holds it: "0.5" for the half point.
std::string UitslagVeld(TUitslagCode U);

// A result cell's code (ucGeen for an empty or blank cell); false when the text
// is no result. Besides what the writer writes ("1", "0", "0.5", with "r" after
// a forfeit) a half point may be "0,5", ".5" or ",5" (a spreadsheet saved the
// file again) or "½", and the forfeit's "r" a capital.
bool CellToUitslag(const std::string& Text, TUitslagCode& U);

// Before the settings rows are taken out: a second settings block, one that is
// never closed (a file cut short), or a settings line outside the block (its
// first line lost). Left alone, each would be read as player lines.
std::string XMLRegelsFout(const TGroepFileRows& Rows);

// The heading's numbers against the Spelers player lines: a line marked "#"
// inside the crosstable, a heading that numbers more players than there are
// lines (a line deleted), or a number damaged or missing.
std::string KopNummersFout(const TGroepFileRows& Rows, const TGroepFileKolommen& K, int Spelers);

// A column between the name and the results whose heading is unknown or
// doubled while player lines hold values in it, and a value that plainly
// contradicts its column's heading (columns swapped): the next save would drop
// or change them.
std::string KolommenFout(const TGroepFileRows& Rows, const TGroepFileKolommen& K);

// After the games were made from the crosstable whose first result column is
// EersteKolom: a cell that holds no result; when the file holds results, a
// player's own cell without its "X", an "X" anywhere else, and the two sides of
// a game contradicting each other.
std::string KruistabelFout(const TGroepFileRows& Rows, int EersteKolom, const TGroep& G);

// A file separated by commas whose names ("Jansen,J.(Jan)") were not quoted:
// every field after the name moves one column on.
std::string KommaFout(std::string_view Text);
