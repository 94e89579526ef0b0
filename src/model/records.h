#pragma once
// The plain records of a tournament: player, round, game slot, game and group.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/codes.h"
#include "platform/rtl/dateutils.h"

class TSp;

// Member numbers from this value on are federation numbers and are shown.
inline constexpr int32_t MinBondsRelnr = 5000000;
// The member number of the bye player "VRIJ".
inline constexpr int32_t VrijRelnr = 1;

struct TSpRec {
    int32_t Relnr = 0;
    int32_t BergerNr = 0; // draw number: place in the pairing table, row of the crosstable
    std::string Achternaam;
    std::string Tussenvoegsel;
    std::string Voorletters;
    std::string Voornaam;
    std::array<int32_t, RatingTypeCount> Ratings{};
    int32_t NrUitslagen = 0; // round records with a result, counted at each recompute
    int32_t GebJaar = 0;
    int32_t Plaats = 0;
    char Sexe = 'M';
    double OnderlingScore = 0;
    std::string OnderlingStr;
    double OnderlingSort = 0;
    double ZVPunten = 0;
};
void InitSpRec(TSpRec& Rec);

// One round of one player, as it stood after that round.
struct TRondeRec {
    int32_t Ronde = 0;
    int32_t GameId = 0;
    int32_t TegenBergerNr = 0;
    int32_t TegenRating = 0;
    int32_t GemRating = 0;
    int32_t TprProcent = 0;
    int32_t Tpr = 0;
    double Score = 0;
    double WP = 0;
    double SB = 0;
    double WWe = 0;
    double ProgScore = 0;
    TUitslagCode Uitslag = ucGeen;
    TKleur Kleur = kGeen;
};
using TRondeRecAr = std::vector<TRondeRec>;
void InitRondeRec(TRondeRec& Rec);

// One side of a game. Sp is a plain reference to the group's player, refreshed by
// TGroep::LinkSpelers; Col and Row are the side's cell in the crosstable (0-based).
struct TGameSlot {
    int32_t BergerNr = 0;
    int32_t Relnr = 0;
    TUitslagCode Uitslag = ucGeen;
    TSp* Sp = nullptr;
    int32_t Col = 0;
    int32_t Row = 0;
};

inline constexpr int SlotWit = 0;
inline constexpr int SlotZwart = 1;

struct TGameRec {
    int32_t GameId = 0;
    int32_t Ronde = 0;
    TDateTime Datum = 0;
    uint8_t EersteHelft = 1; // 1 = game of the first cycle
    std::array<TGameSlot, 2> Slots{};
};
void InitGameRec(TGameRec& Rec);

// One result column of the crosstable grid.
struct TKolomRec {
    std::string Kop;
    uint8_t Verborgen = 0;
    int32_t Breedte = 0;
    int32_t Kolom = 0;
    TSp* Sp = nullptr; // not owned
};

// One column of the standings grid.
struct TStandKolom {
    int32_t Kolom = -1;
    int32_t Item = -1;
    int32_t Breedte = 0;
    uint8_t Rechts = 0;
    uint8_t Verborgen = 0;
};
inline constexpr int StandKolomCount = 15;

// A column found in a read grid by its heading.
struct TKolomNr {
    int32_t Kolom = -1;
    uint8_t Flag = 0;
};
inline constexpr int KolomNrCount = 8;

struct TGroepRec {
    int32_t GroepNr = 0;
    std::string Naam;
    // Facts of the tournament for the rating report: place, chief arbiter, time
    // control and kind of tournament, kept in the group file's settings block.
    std::string Plaats;
    std::string Arbiter;
    std::string Speeltempo;
    std::string ToernooiType;
    std::string FileName;
    int32_t OrKolom = 0;
    uint8_t HasOnderling = 0;
    uint8_t MyUseZVPoints = 1;
    TDateTime DatumEersteRonde = 0;
    TRatingType RatingType = rtKNSB;
    uint8_t DubbelRondig = 0;
    TNaamMode NaamMode = nmVoornaamEerst;
    std::vector<TKolomRec> Kolommen;
    std::array<TKolomNr, KolomNrCount> KolomNrAr{};
    TMyStSortAr SortAr;
    std::array<TStandKolom, StandKolomCount> StandKolommen{};
};
// Always resets GroepNr; with All every other setting except the standings columns.
void InitGroepRec(TGroepRec& Rec, bool All);
// The tournament's facts (place, arbiter, time control, kind) belong to one
// group: a group read or made anew starts without those of the one before.
void ClearToernooiInfo(TGroepRec& Rec);
bool HasToernooiInfo(const TGroepRec& Rec);
