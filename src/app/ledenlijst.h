#pragma once
// The federation's member and rating lists: reading them into a member list,
// the trees that offer the list files of the data folder, the member grid of
// the "Spelers" page, the search by surname and taking a member into a group.
//
// Rating lists ("krat*-*.txt", "jrat*-*.txt") are fixed-column text; member
// lists ("lidNJR*.csv", "lid20*.csv") are ';'-separated and go through the
// grid's delimited-text load. All are Windows-1252 with CR LF (LF alone reads
// the same). The readers add to the list they are given, which owns what it
// holds afterwards (OwnsObjects); the main window empties it before a load.
//
// The reading of the lines and rows stands apart from files and grids
// (ReadRatingLines, ReadNJRLedenRows, ReadKnsbLedenRows), so that it can be
// driven from memory.

#include <functional>
#include <string>

#include "model/records.h"

class TExtColumnGrid;
class TExtStringGrid;
class TGridId;
class TSp;
class TSpList;
class TStrings;
class TTreeNode;
class TTreeView;

// The shortest line of a rating list that holds a member.
inline constexpr int RatingLineLength = 60;
// Member lists with this many members or fewer are neither shown nor searched.
inline constexpr int MinLedenVoorZoeken = 10;
// Progress every so many rows: reading a KNSB member list, showing the members.
inline constexpr int LeesVoortgangStap = 250;
inline constexpr int ToonVoortgangStap = 500;

// The row (or member) reached during a long read or fill.
using TLedenProgress = std::function<void(int Row)>;
// The text of a cell of a loaded member list (empty beyond its columns).
using TLedenCell = std::function<std::string(int Col, int Row)>;

// The key of a member in the member list: the letters of his surname-first
// display name, 8 of them.
std::string LedenKey(const TSpRec& Rec);
// Frees the members and empties the list.
void EmptyLedenList(TSpList& LedenList);

// --- rating lists ---
// Cuts one line into Rec (cleared first); false (Rec cleared) for a line
// shorter than RatingLineLength. The rating goes to the current RatingType.
bool ParseRatingLine(const std::string& Line, TSpRec& Rec);
// The lines of a rating list: the first is its heading; every member with a
// federation number that the list does not hold yet is added.
void ReadRatingLines(const TStrings& Lines, TSpList& LedenList);
// The same from a file; a missing or unreadable file adds nothing.
void ReadRatingList(const std::string& FileName, TSpList& LedenList);

// --- member lists ---
// The column of every field id of the two layouts.
void MakeNJRGridId(TGridId& Ids);
void MakeKnsbGridId(TGridId& Ids);
// Rows 1 .. RowCount - 1 of a loaded list (row 0 is its heading). NJR: every
// row with a federation number is a member, the rating goes to the current
// kind. KNSB: a number the list holds already is skipped; the KNSB, youth and
// FIDE ratings go to their own kinds; Progress every LeesVoortgangStap rows.
void ReadNJRLedenRows(int RowCount, const TLedenCell& Cell, TSpList& LedenList);
void ReadKnsbLedenRows(int RowCount, const TLedenCell& Cell, TSpList& LedenList,
                       const TLedenProgress& Progress = {});
// Why a member list file is not loaded, in Dutch (it cannot be read, or holds
// a line far longer or wider than a member list has); empty when it is loaded.
std::string LedenFileFout(const std::string& FileName);
// Loads the file into Grid (';'-separated) and reads its rows; false, with
// nothing added, when the file cannot be loaded (LedenFileFout says why). The KNSB list's columns
// are sized to their contents afterwards when the list stays on screen as loaded
// (MinLedenVoorZoeken members or fewer; a longer one is shown by ShowLedenlijst).
bool ReadNJRLedenList(TExtStringGrid& Grid, const std::string& FileName, TSpList& LedenList);
bool ReadKnsbLedenList(TExtStringGrid& Grid, const std::string& FileName, TSpList& LedenList,
                       const TLedenProgress& Progress = {});

// --- list trees ---
// Fills Tree with the files matching Mask in the data root (or the program's
// folder when there is none) and in its direct sub-folders that are not
// hidden (names beginning with a dot), expanded, with
// the node of ChosenFile selected. File nodes carry a TFileTreeView, owned by
// the tree.
void FillListTree(TTreeView& Tree, const std::string& Mask, const std::string& ChosenFile);
// The full path of a file node; empty for a folder node or none.
std::string ListTreeFileName(const TTreeNode* Node);

// --- the member grid ---
// One row per member (the member is the row's object in column 0): number,
// display name, member number and either the KNSB, FIDE and youth ratings
// (KnsbLeden) or the rating of the current kind under RatingKop.
void ShowLedenlijst(TExtColumnGrid& Grid, const TSpList& LedenList, bool KnsbLeden,
                    const std::string& RatingKop, const TLedenProgress& Progress = {});
// The second status panel after showing: "<n> namen in <file name>".
std::string LedenStatusText(const TSpList& LedenList, const std::string& FileName);

// --- search ---
// A search text as searched for: trimmed, its first 10 characters.
std::string ZoekTekst(const std::string& Text);
// Finds the next cell after the current one, column by column, that starts
// with Text (as a condition, any case) and makes it current, scrolling so that
// rows below it show. False when none matches.
bool ZoekLid(TExtStringGrid& Grid, const std::string& Text);

// --- taking a member ---
// "name; Relnr.=...; Rating=...; Geboren: ..." for the replace question.
std::string MemberInfoStr(const TSp& Speler);
// Gives the player the member's person: names, number, ratings, sex and
// birth year (his own stays when the member has no valid one). What belongs
// to his place in the group stays his: draw number, results count, place,
// mutual and series scores.
void CopyLidToSpeler(const TSpRec& Lid, TSpRec& Speler);
