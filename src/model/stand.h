#pragma once
// Standings statistics per player and round, and the series points of the final
// standings.

#include <string>

class TGroep;
class TSp;

// Rebuilds every player's round records from the group's games.
void FillRondeRecs(TGroep& Groep);
// Running scores, WP, SB, W-We, progressive score, average opponent rating and the
// performance by percentage of every player after every round. The performance by
// bisection (Tpr), a search over the rated opponents, is filled only in each
// player's latest round, which the standings show, and is 0 in his other rounds.
void CalcStand(TGroep& Groep);
// After CalcStand: the statistics of one player again, now with the performance by
// bisection in every round, as his card shows them.
void CalcSpelerStand(const TGroep& Groep, TSp& Sp);
// Series points of a player on place Plaats among N players with final score W.
void CalcZVPoints(TSp& Sp, int N, int Plaats, std::string& Info, bool DubbelRondig, double W);

double CalcWWe(const TSp& Sp, int Ronde);
double CalcProgScore(const TSp& Sp, int Ronde);
// What the player's games credit his opponents with, over the whole tournament.
double WPSBTotal(const TSp& Sp);
