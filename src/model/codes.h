#pragma once
// The one-byte code tables of a tournament and their texts and scores.
// Results and texts are single-byte; the half point is the byte 0xBD.

#include <cstdint>
#include <string>
#include <vector>

// The half point as text.
inline constexpr char HalfStr[] = "\xBD";

// Result of one player in one game.
using TUitslagCode = uint8_t;
inline constexpr TUitslagCode ucGeen = 0;
inline constexpr TUitslagCode ucWinst = 1;
inline constexpr TUitslagCode ucRemise = 2;
inline constexpr TUitslagCode ucVerlies = 3;
inline constexpr TUitslagCode ucReglWinst = 4;
inline constexpr TUitslagCode ucReglRemise = 5;
inline constexpr TUitslagCode ucReglVerlies = 6;

// A code 1..6: the game has a result for this player.
inline bool IsUitslag(TUitslagCode U) {
    return U >= ucWinst && U <= ucReglVerlies;
}
// A code 1..3: the game was played over the board.
inline bool IsGespeeld(TUitslagCode U) {
    return U >= ucWinst && U <= ucVerlies;
}

// Entry code of the results list, seen from the first player: 0 "..-..", 1 "1-0",
// 2 "0-1", 3 "½-½", 4 "0-0", 5 "0-0 Regl.", 6 "1-0 Regl.", 7 "0-1 Regl.", 8 "½-½ Regl.".
using TInvoerCode = uint8_t;
inline constexpr TInvoerCode MaxInvoerCode = 8;

using TRatingType = uint8_t;
inline constexpr TRatingType rtKNSB = 0;
inline constexpr TRatingType rtJeugd = 1;
inline constexpr TRatingType rtFIDE = 2;
inline constexpr TRatingType rtNJR = 3;
inline constexpr int RatingTypeCount = 4;

// Tie-break criteria.
using TSortId = uint8_t;
inline constexpr TSortId siOnderling = 0;
inline constexpr TSortId siWP = 1;
inline constexpr TSortId siSB = 2;
inline constexpr TSortId siWWe = 3;
inline constexpr TSortId siLootNr = 4;
inline constexpr TSortId siGeen = 5;

using TNaamMode = uint8_t;
inline constexpr TNaamMode nmAchternaamEerst = 0;
inline constexpr TNaamMode nmVoornaamEerst = 1;

using TKleur = uint8_t;
inline constexpr TKleur kWit = 0;
inline constexpr TKleur kZwart = 1;
inline constexpr TKleur kGeen = 2;

struct TMyStSortItem {
    TSortId SortId = siGeen;
    uint8_t Aan = 0; // 1 = switched on
    bool operator==(const TMyStSortItem&) const = default;
};
using TMyStSortAr = std::vector<TMyStSortItem>;

// "1", "½", "0", "1r", "½r", "0r"; bit 7 is ignored; any other code is one blank.
std::string UitslagToStr(TUitslagCode U);
// 1 for a (forfeit) win, 0.5 for a (forfeit) draw, else 0.
double UitslagToScore(TUitslagCode U);
// What the game credits the player with in his opponents' WP and SB: forfeits count 0.5.
double GetWPSBScore(TUitslagCode U);
// The text of an entry code in the results list ("..-..", "1-0", ... "½-½ Regl."); empty
// beyond 8.
std::string InvoerCodeToStr(TInvoerCode I);
// The first player's cell text of an entry code.
std::string InvoerToUitslagStr(TInvoerCode I);
// Reads a result text: "½" draw, else "1" win, else "0" loss; an "r" makes it a forfeit.
TUitslagCode StrToUitslag(const std::string& S);

TKleur GetOtherKleur(TKleur K);

std::string RatingTypeToStr(TRatingType R);
std::string SortIdToStr(TSortId Id);
std::string SortIdToCode(TSortId Id);
// The switched-on tie-break criteria in the director's order.
std::vector<TSortId> SortCriteria(const TMyStSortAr& SortAr);
// "Gesorteerd op: " and the label of every switched-on criterion, each followed by "; ".
std::string SortArToStr(const TMyStSortAr& SortAr);
