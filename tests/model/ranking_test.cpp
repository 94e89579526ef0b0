#include <gtest/gtest.h>

#include "model/group.h"
#include "model/ranking.h"
#include "model/stand.h"
#include "model_fixtures.h"

namespace {

// Draw number 3 wins with 2; 1 and 2 tie on 1½: 1 beat 2 (mutual result), 2 has
// the higher SB (2½ against 2); 4 ends last with 1.
std::unique_ptr<TGroep> TweeGelijk() {
    auto g = MakeGroep(4);
    EnterResult(*g, 1, 2, 1);
    EnterResult(*g, 1, 3, 2);
    EnterResult(*g, 1, 4, 3);
    EnterResult(*g, 2, 3, 1);
    EnterResult(*g, 2, 4, 3);
    EnterResult(*g, 3, 4, 1);
    return g;
}

std::vector<int> Stand(TGroep& G, const TMyStSortAr& SortAr) {
    G.Rec.SortAr = SortAr;
    FillRondeRecs(G);
    CalcStand(G);
    std::vector<int> nrs;
    for (const TSp* sp : RankGroep(G, G.Games.GetLastRoundNr()))
        nrs.push_back(sp->Rec.BergerNr);
    return nrs;
}

TEST(Ranking, PointsFirstThenTheDirectorsCriteriaInHisOrder) {
    auto g = TweeGelijk();
    // No criterion: points still rank first, the draw number breaks the tie.
    EXPECT_EQ((std::vector<int>{3, 1, 2, 4}), Stand(*g, {}));
    EXPECT_EQ((std::vector<int>{3, 1, 2, 4}), Stand(*g, {{siOnderling, 0}, {siSB, 0}}));
    EXPECT_EQ((std::vector<int>{3, 1, 2, 4}), Stand(*g, {{siOnderling, 1}, {siSB, 1}}));
    EXPECT_EQ((std::vector<int>{3, 2, 1, 4}), Stand(*g, {{siSB, 1}, {siOnderling, 1}}));
    // A criterion switched off does not count, wherever it stands.
    EXPECT_EQ((std::vector<int>{3, 2, 1, 4}), Stand(*g, {{siOnderling, 0}, {siSB, 1}}));
    // Equal WP (4½ each): the next criterion decides.
    EXPECT_EQ((std::vector<int>{3, 2, 1, 4}), Stand(*g, {{siWP, 1}, {siSB, 1}}));
    EXPECT_EQ((std::vector<int>{3, 1, 2, 4}), Stand(*g, {{siLootNr, 1}, {siSB, 1}}));
}

TEST(Ranking, MutualScoreOnlyWhenItIsACriterion) {
    auto g = TweeGelijk();
    Stand(*g, {{siOnderling, 1}});
    EXPECT_EQ(1, g->Spelers.GetSpelerOnBergerNr(1)->Rec.OnderlingScore);
    EXPECT_EQ("1", g->Spelers.GetSpelerOnBergerNr(1)->Rec.OnderlingStr);
    EXPECT_EQ("0", g->Spelers.GetSpelerOnBergerNr(2)->Rec.OnderlingStr);
    Stand(*g, {{siSB, 1}});
    EXPECT_EQ(0, g->Spelers.GetSpelerOnBergerNr(1)->Rec.OnderlingScore);
    EXPECT_EQ("", g->Spelers.GetSpelerOnBergerNr(1)->Rec.OnderlingStr);
}

// Three players and the bye: 1 beats 2 and 3, who draw; the bye is not ranked
// and does not count among the players.
std::unique_ptr<TGroep> DrieEnVrij() {
    auto g = MakeGroep(4);
    g->Spelers.GetSpelerOnBergerNr(4)->Rec.Relnr = VrijRelnr;
    EnterResult(*g, 1, 2, 1);
    EnterResult(*g, 1, 3, 1);
    EnterResult(*g, 2, 3, 3);
    return g;
}

TEST(Ranking, SeriesPointsFollowTheRankingAndEqualPointsSharePlaces) {
    struct TZV {
        int BergerNr;
        double Punten;
        int Plaats;
    };
    struct TCase {
        const char* Name;
        std::unique_ptr<TGroep> (*Make)();
        std::vector<TZV> Verwacht;
    };
    const TCase cases[] = {
        {"four players", TweeGelijk, {{3, 16.67, 1}, {1, 14.0, 2}, {2, 14.0, 3}, {4, 10.33, 4}}},
        {"three and the bye", DrieEnVrij, {{1, 20.0, 1}, {2, 11.5, 2}, {3, 11.5, 3}, {4, 0.0, 0}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto g = c.Make();
        g->Rec.MyUseZVPoints = 1;
        Stand(*g, {});
        const auto stand = RankGroep(*g, g->Games.GetLastRoundNr());
        CalcGroepZVPoints(*g, stand, g->Games.GetLastRoundNr());
        for (const TZV& v : c.Verwacht) {
            const TSpRec& rec = g->Spelers.GetSpelerOnBergerNr(v.BergerNr)->Rec;
            EXPECT_NEAR(v.Punten, rec.ZVPunten, 0.005) << v.BergerNr;
            EXPECT_EQ(v.Plaats, rec.Plaats) << v.BergerNr;
        }
    }
}

TEST(Ranking, OneOperationEntersAResultForGameAndPlayers) {
    auto g = MakeGroep(4);
    TKleur kleur;
    TGame* game = g->Games.GetGameOnBgNrs(2, 3, kleur, 1);
    ASSERT_NE(nullptr, game);
    // Unlinked sides are found by their draw numbers.
    for (TGameSlot& s : game->Rec.Slots)
        s.Sp = nullptr;
    g->SetUitslag(*game, 1, kleur); // 2 wins, seen from 2
    EXPECT_EQ(ucWinst, game->GetUitslag(kleur));
    EXPECT_EQ(1, g->Spelers.GetSpelerOnBergerNr(2)->GetScoreAfterRound(game->Rec.Ronde));
    EXPECT_EQ(0, g->Spelers.GetSpelerOnBergerNr(3)->GetScoreAfterRound(game->Rec.Ronde));
}

TEST(Ranking, AGameAgainstADrawNumberNobodyHoldsIsTheByes) {
    // An odd group read without its "VRIJ" line: five players, draw number 6 empty.
    auto g = MakeGroep(6);
    g->Spelers.Delete(5);
    g->LinkSpelers();
    int vrij = 0;
    for (int i = 0; i < g->Games.Count(); ++i) {
        TGame& game = *g->Games.Game(i);
        if (g->IsVrijGame(game)) {
            ++vrij;
            continue;
        }
        g->SetUitslag(game, 3, kWit);
    }
    EXPECT_EQ(5, vrij);
    EXPECT_EQ(0, g->GetNrEmptyGames());
}

} // namespace
