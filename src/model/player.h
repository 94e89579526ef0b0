#pragma once
// A player of a group with his round records, and the list of a group's players.

#include <string>
#include <unordered_map>

#include "model/records.h"
#include "platform/rtl/stringlist.h"

class TSp : public TObject {
public:
    explicit TSp(const TSpRec& ARec) : Rec(ARec) {}
    std::string ClassName() const override { return "TSp"; }

    TSpRec Rec;
    TRondeRecAr Rondes;

    // Sets the result of that round's record and recomputes the running scores.
    void SetUitslag(int Ronde, TUitslagCode Uitslag);
    void CalcRunningScore();
    // Display name by the current group's name mode.
    std::string GetNaam() const;
    int GetRoundIndex(int Ronde) const;
    double GetScoreAfterRound(int Ronde) const;
    // Score against that opponent over all games with a result; -1 when they did not
    // meet or the last game between them has no result yet.
    double GetOnderlingResultaat(int TegenBergerNr) const;
    // Games played over the board against an opponent with a valid rating.
    int GetNrRatedGames() const;
    bool HasReglUitslag() const;
    std::string GetGebJaarStr() const;
    std::string GetRelnrStr() const;
    bool IsNotVrij() const { return Rec.Relnr != VrijRelnr; }
    // The rating of the selected rating kind.
    int GetRating() const;
    // 27 letters: surname 12, particle 6, initials 3, first name 6.
    std::string GetSortKey() const;
    bool IsSame(const TSpRec& Other) const;
};

// Players with a text key each; the list itself frees no player unless it is a
// group's list (OwnsObjects).
class TSpList : public TStringList {
public:
    TSpList() { SetCaseSensitive(true); }
    std::string ClassName() const override { return "TSpList"; }

    TSp* Sp(int Index) const { return static_cast<TSp*>(Objects(Index)); }
    TSp* GetSpeler(int Relnr) const;
    TSp* GetSpelerOnBergerNr(int BergerNr) const;
    bool IsSame(const TSpList& Other) const;
    bool HasRatings() const;
    void SorteerOpBergerNr();
    // The players with draw numbers A and B exchange their numbers, keeping their own
    // data and rounds; opponent numbers in every round record follow.
    bool SwapBergerNrs(int A, int B);
};

// The players of a list by draw number, each number to its first player as
// GetSpelerOnBergerNr finds him; valid while the list and its numbers stay.
class TBergerNrIndex {
public:
    explicit TBergerNrIndex(const TSpList& List);
    TSp* Find(int BergerNr) const;

private:
    std::unordered_map<int, TSp*> FByNr;
};
