#pragma once
// Berger round-robin tables: which draw number plays which, with which colour, in
// every round; and the games of a group made from such a table.

#include <string>

#include "model/codes.h"
#include "platform/rtl/stringlist.h"

class TGroep;

class TMyBergerObj : public TObject {
public:
    TMyBergerObj(int ARonde, int AWit, int AZwart) : Ronde(ARonde), Wit(AWit), Zwart(AZwart) {}
    int32_t Ronde;
    int32_t Wit;
    int32_t Zwart;
    // White draw number, "-", black draw number.
    std::string GetPairingStr() const;
};

// A table owns its pairings and its text lines.
class TMyBergerList : public TStringList {
public:
    TMyBergerList();
    std::string ClassName() const override { return "TMyBergerList"; }

    int32_t AantalSpelers = 0; // made even by the builder
    TStringList Lines;         // the table as text: "r1\t1-6\t2-5\t3-4\t"

    TMyBergerObj* Pairing(int Index) const { return static_cast<TMyBergerObj*>(Objects(Index)); }
    // Stores N and builds the table for it.
    void SetAantalSpelers(int N);
    int GetLastRoundNr() const;
    // 0 when draw number N has white in that round, 1 black, 2 not paired.
    TKleur GetKleur(int N, int Ronde) const;
    // Renumbers the rounds cyclically: round r becomes r - Stap.
    void DraaiRonden(int Stap);
    // Rounds A and B change places.
    void WisselRonden(int A, int B);
    // Appends the second cycle: the rounds again with colours reversed.
    void MakeDubbelRondig();
    void MakeLines();
    // Frees the pairings and the text lines.
    void FreeAll();

private:
    void MakeBergerTable();
    void AddPairing(int Ronde, int Wit, int Zwart, const std::string& Key);
};

// Replaces the group's games by the games of the table for its players.
void MakeBergerGames(TGroep& Groep);
