#pragma once
// A game between two draw numbers, and the list of a group's games ordered by
// round and pairing.

#include <string>

#include "model/records.h"
#include "platform/rtl/stringlist.h"

class TGame : public TObject {
public:
    explicit TGame(const TGameRec& ARec) : Rec(ARec) {}
    std::string ClassName() const override { return "TGame"; }

    TGameRec Rec;

    // Sets both sides from an entry code seen from the player of colour Kleur.
    void SetUitslag(TInvoerCode InvoerCode, TKleur Kleur);
    int GetRelnr(int I) const { return Rec.Slots[Slot(I)].Relnr; }
    TUitslagCode GetUitslag(int I) const { return Rec.Slots[Slot(I)].Uitslag; }
    double GetScore(int I) const;
    std::string GetUitslagStr(int I) const;
    // Side I is linked to the bye player.
    bool IsVrij(int I) const;
    // Both sides hold a result.
    bool HasUitslag() const;
    std::string GetBergerNrsStr() const;
    std::string GetGameStr() const;
    bool IsSame(const TGameRec& Other) const;

private:
    static size_t Slot(int I) { return I == SlotZwart ? 1 : 0; }
};

// Games with six-digit keys; the list itself frees no game unless it is a group's
// list (OwnsObjects).
class TGamesList : public TStringList {
public:
    TGamesList() { SetCaseSensitive(true); }
    std::string ClassName() const override { return "TGamesList"; }

    TGame* Game(int Index) const { return static_cast<TGame*>(Objects(Index)); }
    int GetLastRoundNr() const;
    TGame* GetGame(int GameId) const;
    // The first game of the cycle (EersteHelft 1 or 0) between the two draw numbers;
    // Kleur tells Nr1's colour (2 and nil when there is none).
    TGame* GetGameOnBgNrs(int Nr1, int Nr2, TKleur& Kleur, int EersteHelft) const;
    // Games still without a result on a side, not counting games of the bye.
    int GetNrEmptyGames() const;
    void SwapBergerNrs(int A, int B);
    // Sets the cycle of every game and each side's cell in the crosstable.
    void FillGamePoints(bool DubbelRondig);
    bool IsSame(const TGamesList& Other) const;
};

// The codes A and B of a game's two sides are those of one entry code (both
// empty, or a result the two sides agree on).
bool IsUitslagPaar(TUitslagCode A, TUitslagCode B);
// The cycle flag of a game of round Ronde when LastRound is the last round.
uint8_t EersteHelftOf(int Ronde, int LastRound, bool DubbelRondig);
// The crosstable cells of both sides of a game.
void SetGameCells(TGameRec& Rec, bool DubbelRondig);
