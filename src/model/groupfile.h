#pragma once
// The group data file: a ";"-separated crosstable that a spreadsheet can open (one
// heading line, one line per player in draw-number order), followed by a block of
// settings lines framed by ";<XML>" and ";</XML>". Text is Windows-1252, lines end
// with CR LF, and a half point is written "0.5" so that the file never holds the
// byte 0xBD. TGroep::SaveGroepFile writes it; the main window loads it into its work
// grid and reads the group back from the cells with ReadGroepFromRows.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/dateutils.h"

class TGroep;
class TStrings;

// The cells of a loaded file: row i holds line i, cell j its field j.
using TGroepFileRows = std::vector<std::vector<std::string>>;

// Ids of the headings by which the reader recognises its columns.
inline constexpr int gkNaam = 0;           // always column 1
inline constexpr int gkRelnr = 1;          // "Relnr."
inline constexpr int gkRating = 2;         // "Ro"
inline constexpr int gkGebJaar = 3;        // "Geb."
inline constexpr int gkSexe = 4;           // "MV"
inline constexpr int gkPlaats = 5;         // "Pl." (recognised, not read)
inline constexpr int gkEersteUitslag = 6;  // "1": the last column headed so
inline constexpr int gkLaatsteUitslag = 7; // the player count as text
inline constexpr int gkCount = 8;
// The headings of the ids (none for the name and the last result column).
inline constexpr const char* GroepFileKoppen[gkCount] = {"",   "Relnr.", "Ro", "Geb.",
                                                         "MV", "Pl.",    "1",  ""};

struct TGroepFileKolommen {
    int AantalSpelers = 0;
    std::array<int, gkCount> Kolom{1, -1, -1, -1, -1, -1, -1, -1}; // -1: not found
    // Why the file was refused (a text for the director), empty when it was read.
    std::string Fout;
};

// The player count and the column of every recognised heading of row 0.
TGroepFileKolommen FindGroepFileKolommen(const TGroepFileRows& Rows);

// The text TGroep::SaveGroepFile writes for the group as it is now, without
// writing it or changing the group: a change that this text does not show is
// no change to save.
std::string GroepFileInhoud(const TGroep& Groep);

// The field delimiter of a group data file's text: the heading line starts with
// an empty field, so its first byte (after a UTF-8 byte order mark, or after an
// empty quoted field) is the delimiter, whichever program saved the file. '\0'
// when that byte is none of the delimiters a delimited-text load knows; the load
// then finds one from the first two lines. The file must be loaded with this
// delimiter: found from the first two lines alone, a group name and first player
// that hold the same number of '-' (a date and a double name) or ',' split the
// file there.
char GroepFileDelimiter(std::string_view Text);

// Takes the settings rows (from the last row below the heading whose second cell
// is "<XML>" to the first one after it whose second cell is "</XML>") out of Rows
// into Lines, one line per row of its non-empty cells each followed by a TAB;
// Lines is left empty when there is no such block after the heading row.
void TakeXMLRows(TGroepFileRows& Rows, TStrings& Lines);

// Deletes trailing columns that are empty in every row, keeping at least two.
void DeleteEmptyEndColumns(TGroepFileRows& Rows);

// The most players a group may have: the Berger window makes no larger group,
// and a group data file holding more is refused with its player count. A round
// robin's games grow with the square of its players, so a larger file would
// cost minutes and gigabytes to open and save.
inline constexpr int MaxGroepFileSpelers = 96;
// What the reader splits into cells at all: a heading, up to
// MaxGroepFileSpelerRegels player lines and the settings block; six fields and
// two results per opponent on a line, each result a few bytes. Far above the
// largest group, so that a file with a few players too many is refused by its
// count; a file beyond these is no group file, and splitting it would cost
// memory without end (a line of 10 MB of separators).
inline constexpr size_t MaxGroepFileSpelerRegels = 999;
inline constexpr size_t MaxGroepFileRegels = MaxGroepFileSpelerRegels + 64;
inline constexpr size_t MaxGroepFileVelden = 2 * MaxGroepFileSpelerRegels + 64;
inline constexpr size_t MaxGroepFileRegelLengte = 32 * 1024;

// Why the text of a file cannot be a group data file, in Dutch for the
// director; empty when it may be one. A group file's first line is the heading
// of its crosstable: an empty first field, the group name and the column
// headings ("Relnr.", "Ro", "Geb.", "MV", the players' numbers). One pass over
// the text, nothing built from it.
std::string GroepFileFout(std::string_view Text);

// Clears Groep (its settings stay), sets its file name and fills it from the cells of
// a loaded group data file: name, players (the row order gives the draw numbers),
// games of the Berger table with the results found in the crosstable, and the
// settings block. Datum is the first round's date used when the file has no
// settings block. Rows is left as a grid shows the file afterwards: rectangular,
// without the settings rows and the empty end columns. Players' ratings go to the
// selected rating kind. Returns the columns found (player count 0 and nothing read
// when the file has two rows or columns or fewer). A file with more than
// MaxGroepFileSpelers player rows, or whose heading does not number the result
// columns 1 .. n for its n players (a damaged number would leave every result
// unread, and the next save would blank them), is refused as below.
// Files a spreadsheet saved again read as well: cells in UTF-8 (all valid, or a
// byte order mark) are taken back to Windows-1252, and a half point may be
// written "0.5", "0,5" or as the byte 0xBD. A crosstable whose results no longer
// stand under the players' own numbers (player lines moved, result columns
// deleted: every player's own cell must be the "X" under his draw number, which
// is his row) is refused when it holds any result: the group is left empty with
// its settings as they were, and Fout says why. So is every file the next save
// would write with less in it: the refusals of groupfile_check.h. An odd
// group's games against the number nobody holds get no result.
TGroepFileKolommen ReadGroepFromRows(TGroep& Groep, const std::string& FileName,
                                     TGroepFileRows& Rows, TDateTime Datum);

// Reads the settings block lines (TAB-separated fields, as made by TakeXMLRows) into
// the group: tie-break criteria, series points, the first round's date and the
// tournament's facts for the rating report (place, arbiter, time control, kind;
// empty when the block has none: they are the group's own).
void ParseXMLBlock(const TStrings& Lines, TGroep& Groep);
