#pragma once
// Groups built the way the windows build them, for the model tests.

#include <memory>
#include <string>

#include "model/group.h"

// A player record with a surname, a draw number and a rating of every kind.
TSpRec MakeSpeler(int BergerNr, const std::string& Achternaam, int Rating = 0);

// A group of N players (draw numbers 1..N, member numbers 1000 + N) with its games
// from the Berger table, linked; every game still without result.
std::unique_ptr<TGroep> MakeGroep(int N, bool DubbelRondig = false, int Rating = 0);

// Enters the result of the game between draw numbers A and B of the given cycle, as
// the results list does (entry code seen from A), and lets both players' rounds follow.
TGame* EnterResult(TGroep& G, int A, int B, TInvoerCode Code, int EersteHelft = 1);

// Four players rated 1800, 1700, none and 1600 (player 1 also 1500 for youth),
// every kind of result including forfeits, round records filled:
//   r1 1-4 1-0, 2-3 "0-1 Regl."; r2 4-3 draw, 1-2 0-1; r3 2-4 "½-½ Regl.", 3-1 1-0.
std::unique_ptr<TGroep> ForfeitGroup();
