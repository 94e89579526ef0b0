#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/berger.h"
#include "model/group.h"
#include "model_fixtures.h"

namespace {

// The table as "r1 1-4 2-3; r2 ..." in list order.
std::string TableText(const TMyBergerList& t) {
    std::string s;
    int ronde = -1;
    for (int i = 0; i < t.Count(); ++i) {
        const TMyBergerObj* p = t.Pairing(i);
        if (p->Ronde != ronde) {
            if (ronde != -1) s += "; ";
            s += "r" + std::to_string(p->Ronde);
            ronde = p->Ronde;
        }
        s += " " + p->GetPairingStr();
    }
    return s;
}

TEST(BergerTable, FourPlayers) {
    TMyBergerList t;
    t.SetAantalSpelers(4);
    EXPECT_EQ(t.AantalSpelers, 4);
    EXPECT_EQ(TableText(t), "r1 1-4 2-3; r2 4-3 1-2; r3 2-4 3-1");
    EXPECT_EQ(t.GetLastRoundNr(), 3);
}

TEST(BergerTable, SixPlayers) {
    TMyBergerList t;
    t.SetAantalSpelers(6);
    EXPECT_EQ(TableText(t),
              "r1 1-6 2-5 3-4; r2 6-4 5-3 1-2; r3 2-6 3-1 4-5; r4 6-5 1-4 2-3; r5 3-6 4-2 5-1");
}

TEST(BergerTable, FivePlayersBuildTheTableOfSix) {
    TMyBergerList t;
    t.SetAantalSpelers(5);
    EXPECT_EQ(t.AantalSpelers, 6);
    EXPECT_EQ(t.Count(), 15);
    TMyBergerList six;
    six.SetAantalSpelers(6);
    EXPECT_EQ(TableText(t), TableText(six));
}

TEST(BergerTable, FivePlayerGroupHasOneEmptySidePerRound) {
    auto g = MakeGroep(5);
    EXPECT_EQ(g->Games.Count(), 15);
    int empty = 0;
    for (int i = 0; i < g->Games.Count(); ++i) {
        const TGameRec& r = g->Games.Game(i)->Rec;
        for (const TGameSlot& s : r.Slots) {
            if (s.BergerNr == 6) {
                ++empty;
                EXPECT_EQ(s.Sp, nullptr);
                EXPECT_EQ(s.Relnr, 0);
            } else {
                ASSERT_NE(s.Sp, nullptr);
                EXPECT_EQ(s.Relnr, 1000 + s.BergerNr);
            }
        }
    }
    EXPECT_EQ(empty, 5);
}

TEST(BergerTable, KeysAreTheRoundWithoutLeadingZeros) {
    TMyBergerList t;
    t.SetAantalSpelers(12);
    EXPECT_EQ(t.Strings(0), "1");
    EXPECT_EQ(t.Strings(t.Count() - 1), "11");
}

TEST(BergerTable, TwoPlayersHaveOneRound) {
    TMyBergerList t;
    t.SetAantalSpelers(2);
    EXPECT_EQ(TableText(t), "r1 1-2");
}

TEST(BergerTable, DoubleTableRepeatsRoundsWithColoursExchanged) {
    TMyBergerList t;
    t.SetAantalSpelers(4);
    t.MakeDubbelRondig();
    EXPECT_EQ(TableText(t),
              "r1 1-4 2-3; r2 4-3 1-2; r3 2-4 3-1; r4 4-1 3-2; r5 3-4 2-1; r6 4-2 1-3");
    EXPECT_EQ(t.Strings(t.Count() - 1), "6");
}

TEST(BergerTable, GetKleur) {
    TMyBergerList t;
    t.SetAantalSpelers(5);
    EXPECT_EQ(t.GetKleur(1, 1), kWit);
    EXPECT_EQ(t.GetKleur(6, 1), kZwart);
    EXPECT_EQ(t.GetKleur(6, 2), kWit);
    EXPECT_EQ(t.GetKleur(1, 99), kGeen);
    EXPECT_EQ(t.GetKleur(7, 1), kGeen);
    // In the five-player group the partner of draw number 6 does not play.
    auto g = MakeGroep(5);
    EXPECT_EQ(g->Spelers.GetSpelerOnBergerNr(6), nullptr);
}

TEST(BergerTable, DraaiRondenRenumbersCyclically) {
    TMyBergerList t;
    t.SetAantalSpelers(6);
    t.DraaiRonden(1);
    EXPECT_EQ(TableText(t),
              "r1 6-4 5-3 1-2; r2 2-6 3-1 4-5; r3 6-5 1-4 2-3; r4 3-6 4-2 5-1; r5 1-6 2-5 3-4");
    EXPECT_EQ(t.Strings(0), "00010003");
    t.DraaiRonden(-1);
    EXPECT_EQ(TableText(t),
              "r1 1-6 2-5 3-4; r2 6-4 5-3 1-2; r3 2-6 3-1 4-5; r4 6-5 1-4 2-3; r5 3-6 4-2 5-1");
}

TEST(BergerTable, DraaiRondenWithLargerStepsStaysInTheTable) {
    TMyBergerList t;
    t.SetAantalSpelers(6);
    t.DraaiRonden(2);
    EXPECT_EQ(TableText(t),
              "r1 2-6 3-1 4-5; r2 6-5 1-4 2-3; r3 3-6 4-2 5-1; r4 1-6 2-5 3-4; r5 6-4 5-3 1-2");
}

TEST(BergerTable, WisselRondenKeepsTheBoardOrder) {
    TMyBergerList t;
    t.SetAantalSpelers(6);
    t.WisselRonden(1, 3);
    EXPECT_EQ(TableText(t),
              "r1 2-6 3-1 4-5; r2 6-4 5-3 1-2; r3 1-6 2-5 3-4; r4 6-5 1-4 2-3; r5 3-6 4-2 5-1");
    EXPECT_EQ(t.Strings(0), "000001");
}

TEST(BergerTable, MakeLines) {
    TMyBergerList t;
    t.SetAantalSpelers(6);
    t.MakeLines();
    ASSERT_EQ(t.Lines.Count(), 5);
    EXPECT_EQ(t.Lines[0], "r1\t1-6\t2-5\t3-4\t");
    EXPECT_EQ(t.Lines[4], "r5\t3-6\t4-2\t5-1\t");
    t.FreeAll();
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.Lines.Count(), 0);
}

// For every player count: each pair meets exactly once per cycle, every draw number
// plays once in every round, and colours alternate as evenly as a Berger table allows.
TEST(BergerTable, EveryPairMeetsOncePerCycle) {
    for (int n = 3; n <= 24; ++n) {
        SCOPED_TRACE("players " + std::to_string(n));
        TMyBergerList t;
        t.SetAantalSpelers(n);
        t.MakeDubbelRondig();
        const int m = t.AantalSpelers;
        ASSERT_EQ(m % 2, 0);
        ASSERT_EQ(t.GetLastRoundNr(), 2 * (m - 1));
        ASSERT_EQ(t.Count(), m * (m - 1));
        std::set<std::pair<int, int>> first, second;
        std::vector<std::set<int>> perRound(static_cast<size_t>(2 * (m - 1) + 1));
        std::vector<int> whites(static_cast<size_t>(m + 1), 0);
        for (int i = 0; i < t.Count(); ++i) {
            const TMyBergerObj* p = t.Pairing(i);
            ASSERT_GE(p->Wit, 1);
            ASSERT_LE(p->Wit, m);
            ASSERT_GE(p->Zwart, 1);
            ASSERT_LE(p->Zwart, m);
            ASSERT_NE(p->Wit, p->Zwart);
            auto& round = perRound[static_cast<size_t>(p->Ronde)];
            EXPECT_TRUE(round.insert(p->Wit).second) << "round " << p->Ronde;
            EXPECT_TRUE(round.insert(p->Zwart).second) << "round " << p->Ronde;
            const auto key = std::minmax(p->Wit, p->Zwart);
            auto& cycle = p->Ronde < m ? first : second;
            EXPECT_TRUE(cycle.insert(key).second) << p->GetPairingStr();
            if (p->Ronde < m) ++whites[static_cast<size_t>(p->Wit)];
        }
        EXPECT_EQ(first.size(), static_cast<size_t>(m * (m - 1) / 2));
        EXPECT_EQ(second, first);
        for (int r = 1; r <= 2 * (m - 1); ++r)
            EXPECT_EQ(perRound[static_cast<size_t>(r)].size(), static_cast<size_t>(m));
        for (int nr = 1; nr <= m; ++nr) {
            EXPECT_GE(whites[static_cast<size_t>(nr)], m / 2 - 1);
            EXPECT_LE(whites[static_cast<size_t>(nr)], m / 2);
        }
    }
}

// The FIDE Berger tables in closed form, for every player count the program
// pairs (4..96, an odd count with its extra number): players i and j (both below
// n) meet in round (i + j - 2) mod (n - 1) + 1, the lower number with white when
// i + j is odd; player n meets i in round (2i - 2) mod (n - 1) + 1 and has white
// in the even rounds.
TEST(BergerTable, EveryTableIsTheFideTable) {
    for (int spelers = 3; spelers <= 96; ++spelers) {
        TMyBergerList t;
        t.SetAantalSpelers(spelers);
        const int n = t.AantalSpelers;
        ASSERT_EQ(t.Count(), n / 2 * (n - 1)) << spelers;
        for (int i = 0; i < t.Count(); ++i) {
            const TMyBergerObj& p = *t.Pairing(i);
            const int a = std::min(p.Wit, p.Zwart), b = std::max(p.Wit, p.Zwart);
            const bool metN = b == n;
            const int ronde = (metN ? 2 * a - 2 : a + b - 2) % (n - 1) + 1;
            const int wit = metN ? (ronde % 2 == 0 ? n : a) : ((a + b) % 2 != 0 ? a : b);
            ASSERT_EQ(p.Ronde, ronde) << n << ": " << p.GetPairingStr();
            ASSERT_EQ(p.Wit, wit) << n << ": r" << p.Ronde << " " << p.GetPairingStr();
        }
    }
}

TEST(BergerGames, MakeBergerGamesForAGroup) {
    auto g = MakeGroep(4);
    ASSERT_EQ(g->Games.Count(), 6);
    const TGameRec& first = g->Games.Game(0)->Rec;
    EXPECT_EQ(first.GameId, 100);
    EXPECT_EQ(first.Ronde, 1);
    EXPECT_EQ(first.Slots[0].BergerNr, 1);
    EXPECT_EQ(first.Slots[1].BergerNr, 4);
    EXPECT_EQ(first.Slots[1].Relnr, 1004);
    EXPECT_EQ(g->Games.Strings(0), "001000");
    EXPECT_EQ(g->Games.Strings(2), "002002");
    EXPECT_EQ(g->Games.Game(5)->Rec.GameId, 105);
}

TEST(BergerGames, RebuildingReplacesTheOldGames) {
    auto g = MakeGroep(4, true);
    EXPECT_EQ(g->Games.Count(), 12);
    EXPECT_EQ(g->Games.GetLastRoundNr(), 6);
    g->Rec.DubbelRondig = 0;
    MakeBergerGames(*g);
    EXPECT_EQ(g->Games.Count(), 6);
}

TEST(BergerGames, LargeDoubleGroupKeepsRoundOrder) {
    auto g = MakeGroep(96, true);
    ASSERT_EQ(g->Games.Count(), 96 * 95);
    for (int i = 1; i < g->Games.Count(); ++i) {
        ASSERT_LE(g->Games.Game(i - 1)->Rec.Ronde, g->Games.Game(i)->Rec.Ronde);
        ASSERT_LT(g->Games.Strings(i - 1), g->Games.Strings(i));
    }
}

} // namespace
