#pragma once
// The players and games of a group as the rating federation's tournament
// report carries them: only games played over the board between two players
// with a federation number, each from both sides, and the report's columns.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/rtl/dateutils.h"
#include "platform/rtl/stringlist.h"

class TExtColumnGrid;
class TGame;
class TGroep;
class TSp;

// One reported game from one player's side.
struct TSpFideGame {
    int32_t Ronde = 0;
    int32_t TegenRelnr = 0;
    int32_t TegenStartNr = 0;
    int32_t Reserve = 0;
    double Score = 0;
    char Resultaat = ' '; // '1', '=' or '0'
    char Kleur = ' ';     // 'w' white, 'z' black, '-' without result
};

// The 10 characters of a game in the report line.
std::string FideGameText(const TSpFideGame& Game);

// One reported player.
class TSpFide : public TObject {
public:
    std::string ClassName() const override { return "TSpFide"; }
    int32_t Relnr = 0;
    int32_t StartNr = 0;
    double Score = 0;
    TSp* Sp = nullptr; // the group's player, not owned
    std::string Line;  // the game texts of the reported rounds
    std::vector<TSpFideGame> Games;

    // The game of that round, or null.
    const TSpFideGame* GameOfRound(int Ronde) const;
    // Its text, 10 spaces when the player has no reported game in the round.
    std::string GameText(int Ronde) const;
};

// A field of the report line: 1-based start position and width.
struct TFideKolom {
    int32_t Start = 0;
    int32_t Breedte = 0;
    uint8_t Rechts = 0; // 1 = right-aligned
};

struct TFideRonde {
    int32_t Ronde = 0;
    TDateTime Datum = 0;
};

// Columns of the report grid; the rounds follow from FideRondeKolom on.
inline constexpr int FideVasteKolommen = 11;
inline constexpr int FideRnkKolom = 10;
// The report line up to the first game.
inline constexpr int FideSpelerBreedte = 91;

// The date of the first round: the group's, or today when it has none.
TDateTime FideEersteRondeDatum(const TGroep& Groep);
// "yyyy/mm/dd"; empty before 1904-01-01.
std::string FideDatumStr(TDateTime Datum);
// The kind of tournament the report gives: the one the group keeps, or while it
// keeps none of its own, the one that goes without saying for a single or a
// double round robin (shown, never stored in the group).
std::string FideToernooiType(const TGroep& Groep);
// Every ranked player's place in the standings, by draw number: the one ranking
// the standings window shows, after the group's last round (0 for a player the
// standings do not list).
std::unordered_map<int, int> FidePlaatsen(TGroep& Groep);

// The reported players (owned), ordered by name, numbered from 1.
class TSpFideList : public TStringList {
public:
    TSpFideList();
    std::string ClassName() const override { return "TSpFideList"; }
    TSpFide* Fide(int Index) const { return static_cast<TSpFide*>(Objects(Index)); }
    TSpFide* FindRelnr(int Relnr) const;

    int32_t EersteRonde = 0;
    int32_t LaatsteRonde = 0;
    int32_t NrRated = 0;
    std::vector<TFideKolom> Kolommen;
    // The rounds with games, in order, each with its own date.
    std::vector<TFideRonde> Rondes;
    std::string DatumFormat = "yyyy-mm-dd";
    std::string ChiefArbiter;
    TExtColumnGrid* RapportGrid = nullptr; // not owned
    TExtColumnGrid* InfoGrid = nullptr;    // not owned
    // Games of the rounds left out of the report.
    int NietVerwerkt = 0;

    // Collects the reported games of rounds First..Last of the group; Msg tells
    // how many were left out, empty when none.
    void Fill(const TGroep& Groep, int First, int Last, std::string& Msg);
    // The report grid (one row per player) and the info grid.
    void FillGrids(TGroep& Groep);
    // The date of a round, 0 when it has no games in the report's rounds.
    TDateTime RondeDatum(int Ronde) const;
    // The date of the last reported round: never before the first-round date.
    TDateTime LaatsteDatum(const TGroep& Groep) const;
    void FreeAll();

private:
    void AddFideGame(const TGroep& Groep, const TGame& Game, int Slot);
    void NumberFide();
};
