#pragma once
// The one ranking of a group's standings. The standings window, the series
// points and the rating report all take their order from here, so a player
// stands on the same place wherever the director looks.

#include <vector>

class TGroep;
class TSp;

// The players with a record for round LastRound, best first and the bye last.
// Points rank first; equal points are broken by the group's switched-on criteria
// in the director's order (mutual result among the players of equal points,
// higher SB, W-We or WP, lower draw number) and at last by the lower draw number.
// Needs the round records and their statistics (FillRondeRecs, CalcStand). Sets
// every ranked player's mutual score (OnderlingScore, OnderlingSort, and
// OnderlingStr when his block of equal points has one) when the mutual result
// is a criterion, and clears it otherwise.
std::vector<TSp*> RankGroep(TGroep& Groep, int LastRound);

// Series points of the ranked players once every game has a result and the
// group uses them: equal points share the place of the first of them, the
// tie-breaks do not count. Plaats becomes each player's position.
void CalcGroepZVPoints(TGroep& Groep, const std::vector<TSp*>& Stand, int LastRound);
