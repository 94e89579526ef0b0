#pragma once
// Standings statistics per player and round, and the series points of the final
// standings.

#include <string>

class TGroep;
class TSp;

// Rebuilds every player's round records from the group's games.
void FillRondeRecs(TGroep& Groep);
// Running scores, WP, SB, W-We, progressive score, average opponent rating and the
// two performance ratings of every player after every round.
void CalcStand(TGroep& Groep);
// Series points of a player on place Plaats among N players with final score W.
void CalcZVPoints(TSp& Sp, int N, int Plaats, std::string& Info, bool DubbelRondig, double W);

double CalcWWe(const TSp& Sp, int Ronde);
double CalcProgScore(const TSp& Sp, int Ronde);
// What the player's games credit his opponents with, over the whole tournament.
double WPSBTotal(const TSp& Sp);
