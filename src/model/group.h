#pragma once
// A group of one all-play-all tournament: its settings, players and games.
// The group owns its players and games: they are freed when the group is cleared,
// emptied by FreeAll or destroyed. Game sides refer to players without owning them.

#include <string>

#include "model/game.h"
#include "model/player.h"
#include "model/records.h"
#include "platform/rtl/files.h"

class TGroep : public TObject {
public:
    explicit TGroep(const TGroepRec& ARec = TGroepRec{});
    std::string ClassName() const override { return "TGroep"; }

    TGroepRec Rec;
    TSpList Spelers;
    TGamesList Games;
    bool Modified = false;
    // The group file as it was on disk when the group was read from it or last
    // saved to it: a save over that file first checks that nobody changed it.
    TFileVersion DiskVersion;

    // Adds a new player or game owned by the group; the key orders the list.
    TSp* AddSpeler(const TSpRec& SpRec, const std::string& Key = "");
    TGame* AddGame(const TGameRec& GameRec, const std::string& Key = "");

    // Enters a result: the game gets the codes of the entry code seen from the
    // player of colour Kleur, and both players' round records and running scores
    // follow. Every road that enters a result takes this one.
    void SetUitslag(TGame& Game, TInvoerCode InvoerCode, TKleur Kleur);
    // A game of the bye: one side is the bye player, or a draw number that no
    // player holds (an odd group whose file lost its "VRIJ" line).
    bool IsVrijGame(const TGame& Game) const;
    // Games still without a result on a side, not counting games of the bye.
    int GetNrEmptyGames() const;

    // Frees every game and player and sets GroepNr 0; the other settings stay.
    void Clear();
    // Frees the games, then the players.
    void FreeAll();
    void AddSortItem(TSortId SortId, bool On);
    void SetSortItem(TSortId SortId, bool On);
    // Sets each game's cycle and links both sides to the players with their draw numbers.
    void LinkSpelers();
    bool IsEmpty() const;
    std::string GetInfoStr() const;
    // Exchanges draw numbers N and N - Stap in players and games.
    bool SwapBergerNrs(int N, int Stap);
    // Writes the group data file (groupfile.h) and takes FileName as the group's file.
    // Raises EFCreateError when it cannot be written; the old file, the group's file
    // name and Modified then stay as they were. With Expected (the file as the
    // director was asked about it: its bytes, or that it was not there) the file
    // is looked at again right before the replace, while the other checked saves
    // of the folder wait, so that a save another copy of the program made
    // meanwhile is never lost: false when it changed, and nothing is written.
    bool SaveGroepFile(const std::string& FileName, const TFileVersion* Expected = nullptr);
};

// Groups of the main window; the list does not own them.
class TGroepList : public TStringList {
public:
    TGroepList() { SetCaseSensitive(true); }
    std::string ClassName() const override { return "TGroepList"; }
    TGroep* Groep(int Index) const { return static_cast<TGroep*>(Objects(Index)); }
};

// Makes Dst a deep copy of Src; the copy's game sides refer to the copy's players.
void CopyGroep(const TGroep& Src, TGroep& Dst);
// False with the first differing part in Msg: "- Groep gegevens" (also for the
// tie-breaks, series points and double round that the group file keeps),
// "- Spelers" or "- Partijen".
bool GroepIsSame(const TGroep& A, const TGroep& B, std::string& Msg);

// The group every window works on (owned by the main window) and the selected rating kind.
extern TGroep* CurGroep;
extern TRatingType RatingType;
// The current data folder: where group files and federation lists are looked for.
extern std::string DataMap;
