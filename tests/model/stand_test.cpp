#include <gtest/gtest.h>

#include "model/group.h"
#include "model/rating.h"
#include "model/stand.h"
#include "model_fixtures.h"

namespace {

const TRondeRec& Last(const TSp* sp) {
    return sp->Rondes.back();
}

TEST(Stand, FillRondeRecsFromTheGames) {
    auto g = ForfeitGroup();
    const TSp* p2 = g->Spelers.GetSpelerOnBergerNr(2);
    ASSERT_EQ(p2->Rondes.size(), 3u);
    const TRondeRec& r1 = p2->Rondes[0];
    EXPECT_EQ(r1.Ronde, 1);
    EXPECT_EQ(r1.TegenBergerNr, 3);
    EXPECT_EQ(r1.Kleur, kWit);
    EXPECT_EQ(r1.Uitslag, ucReglVerlies);
    EXPECT_EQ(r1.GameId, g->Games.Game(1)->Rec.GameId);
    EXPECT_EQ(p2->Rondes[1].Kleur, kZwart);
    EXPECT_EQ(p2->Rondes[2].Uitslag, ucReglRemise);

    // A round without a game keeps an empty record.
    g->Games.Delete(0); // 1-4 of round 1
    FillRondeRecs(*g);
    const TRondeRec& empty = g->Spelers.GetSpelerOnBergerNr(1)->Rondes[0];
    EXPECT_EQ(empty.Ronde, 0);
    EXPECT_EQ(empty.Kleur, kGeen);
    EXPECT_EQ(empty.TegenBergerNr, 0);
}

TEST(Stand, ARoundWithoutGameHasNoOpponent) {
    auto g = ForfeitGroup();
    g->Games.Delete(0); // 1-4 of round 1
    // A player not drawn yet has draw number 0, like the empty record's opponent.
    g->AddSpeler(MakeSpeler(0, "Nieuw", 2400));
    FillRondeRecs(*g);
    CalcStand(*g);
    const TSp* p1 = g->Spelers.GetSpelerOnBergerNr(1);
    const TRondeRec& r1 = p1->Rondes[0];
    EXPECT_EQ(r1.TegenRating, 0);
    EXPECT_EQ(r1.GemRating, 0);
    EXPECT_EQ(r1.Tpr, 0);
    EXPECT_DOUBLE_EQ(r1.WP, 0);
    // Rated opponents: only player 2 (1700); player 3 has no rating.
    EXPECT_EQ(Last(p1).GemRating, 1700);
    const TSp* nieuw = g->Spelers.GetSpelerOnBergerNr(0);
    ASSERT_NE(nieuw, nullptr);
    EXPECT_EQ(Last(nieuw).GemRating, 0);
    EXPECT_DOUBLE_EQ(Last(nieuw).WP, 0);
}

TEST(Stand, WPSBTotalCreditsForfeitsWithHalf) {
    auto g = ForfeitGroup();
    EXPECT_DOUBLE_EQ(WPSBTotal(*g->Spelers.Sp(0)), 1);
    EXPECT_DOUBLE_EQ(WPSBTotal(*g->Spelers.Sp(1)), 2); // 0r counts 0.5, ½r 0.5
    EXPECT_DOUBLE_EQ(WPSBTotal(*g->Spelers.Sp(2)), 2); // 1r counts 0.5
    EXPECT_DOUBLE_EQ(WPSBTotal(*g->Spelers.Sp(3)), 1);
}

TEST(Stand, WPAndSBWithForfeits) {
    auto g = ForfeitGroup();
    CalcStand(*g);
    const double wp[] = {5, 4, 4, 5};
    const double sb[] = {1, 2.5, 3.5, 2};
    const double score[] = {1, 1.5, 2.5, 1};
    for (int i = 0; i < 4; ++i) {
        const TSp* sp = g->Spelers.Sp(i);
        EXPECT_DOUBLE_EQ(Last(sp).WP, wp[i]) << i;
        EXPECT_DOUBLE_EQ(Last(sp).SB, sb[i]) << i;
        EXPECT_DOUBLE_EQ(Last(sp).Score, score[i]) << i;
    }
    // After round 1 only: player 2's forfeit loss gives him half of player 3's total.
    const TSp* p2 = g->Spelers.Sp(1);
    EXPECT_DOUBLE_EQ(p2->Rondes[0].WP, 2);
    EXPECT_DOUBLE_EQ(p2->Rondes[0].SB, 1);
    EXPECT_DOUBLE_EQ(p2->Rondes[1].SB, 2);
    // Progressive score over the games played on the board.
    const TSp* p3 = g->Spelers.Sp(2);
    EXPECT_DOUBLE_EQ(p3->Rondes[2].ProgScore, 1.5 + 2.5);
    EXPECT_DOUBLE_EQ(p3->Rondes[0].ProgScore, 0);
}

TEST(Stand, RatingStatistics) {
    auto g = ForfeitGroup();
    CalcStand(*g);
    const TSp* p4 = g->Spelers.Sp(3);
    // Opponents 1800 (lost), none (draw) and 1700 (forfeit draw, no rated game).
    EXPECT_EQ(p4->Rondes[0].TegenRating, 1800);
    EXPECT_EQ(p4->Rondes[1].TegenRating, 0);
    EXPECT_EQ(p4->Rondes[2].TegenRating, 1700);
    EXPECT_EQ(p4->GetNrRatedGames(), 1);
    const TRondeRec& r = Last(p4);
    EXPECT_EQ(r.GemRating, 1800);
    // 0 of 1 gets a virtual draw against his own 1600: 0.5 of 2 against an average
    // of 1700 is 25 %, 1700 + 285.714 * z(0.25) = 1700 - 192.71.
    EXPECT_EQ(r.TprProcent, 1507);
    // The rating whose expected score against 1800 and 1600 is 0.5: 1495.20.
    EXPECT_EQ(r.Tpr, 1495);
    // W-We counts only games played on the board: 0 - Phi(-200 / 285.714) = -0.24196.
    EXPECT_NEAR(r.WWe, -0.2419637, 1e-6);
    EXPECT_EQ(p4->Rondes[0].GemRating, 1800);
    EXPECT_NEAR(p4->Rondes[0].WWe, -0.2419637, 1e-6);

    // An unrated player still gets statistics against rated opponents, but no W-We:
    // 1.5 of 2 against 1600 and 1800 (his forfeit win against 1700 is no rated game).
    const TRondeRec& r3 = Last(g->Spelers.Sp(2));
    EXPECT_EQ(r3.GemRating, 1700);
    EXPECT_EQ(r3.TprProcent, 1893); // 1700 + 285.714 * z(0.75) = 1700 + 192.71
    EXPECT_EQ(r3.Tpr, 1905);        // expected score 1.5 at 1904.72
    EXPECT_EQ(r3.WWe, 0);
}

TEST(Stand, OpenAndForfeitGamesAreNoRatedGames) {
    // Player 1 (1800): round 1 a draw against player 4 (1700), round 2 against
    // player 2 (2000) still open, round 3 a forfeit win against player 3 (1600).
    auto g = MakeGroep(4);
    const int ratings[] = {1800, 2000, 1600, 1700};
    for (int i = 0; i < 4; ++i)
        g->Spelers.Sp(i)->Rec.Ratings[rtKNSB] = ratings[i];
    EnterResult(*g, 1, 4, 3); // "½-½"
    EnterResult(*g, 3, 1, 7); // "0-1 Regl."
    FillRondeRecs(*g);
    CalcStand(*g);
    TSp* p1 = g->Spelers.Sp(0);
    ASSERT_EQ(p1->Rondes.size(), 3u);
    ASSERT_EQ(p1->Rondes[1].Uitslag, ucGeen);
    ASSERT_EQ(p1->Rondes[2].Uitslag, ucReglWinst);
    EXPECT_EQ(p1->GetNrRatedGames(), 1);
    // The figures of the one draw against 1700, after every round.
    for (const TRondeRec& r : p1->Rondes) {
        EXPECT_EQ(r.GemRating, 1700) << r.Ronde;
        EXPECT_EQ(r.TprProcent, 1700) << r.Ronde; // 50 % against 1700
        // W - We = 0.5 - Phi(100 / 285.714) = 0.5 - 0.63683
        EXPECT_NEAR(r.WWe, -0.1368306, 1e-6) << r.Ronde;
    }
    // The latest round carries the performance by bisection: 0.5 of 1 against 1700.
    EXPECT_EQ(Last(p1).Tpr, 1700);
    // The running score still counts the forfeit.
    EXPECT_DOUBLE_EQ(Last(p1).Score, 1.5);

    CalcSpelerStand(*g, *p1);
    for (const TRondeRec& r : p1->Rondes)
        EXPECT_EQ(r.Tpr, 1700) << r.Ronde;
}

TEST(Stand, NoRatedOpponentsLeavesRatingFiguresAtZero) {
    auto g = ForfeitGroup();
    RatingType = rtJeugd; // only player 1 has a youth rating
    CalcStand(*g);
    const TRondeRec& r = Last(g->Spelers.Sp(0));
    EXPECT_EQ(r.GemRating, 0);
    EXPECT_EQ(r.TprProcent, 0);
    EXPECT_EQ(r.Tpr, 0);
    EXPECT_EQ(r.WWe, 0);
    EXPECT_EQ(g->Spelers.Sp(0)->GetNrRatedGames(), 0);
    EXPECT_EQ(Last(g->Spelers.Sp(3)).GemRating, 1500);
    RatingType = rtKNSB;
}

TEST(Stand, PerfectScoreHasAFinitePerformance) {
    auto g = MakeGroep(4, false, 1800);
    EnterResult(*g, 1, 4, 1);
    EnterResult(*g, 1, 2, 1);
    EnterResult(*g, 3, 1, 2);
    CalcStand(*g);
    const TRondeRec& r = Last(g->Spelers.Sp(0));
    EXPECT_DOUBLE_EQ(r.Score, 3);
    EXPECT_EQ(r.GemRating, 1800);
    // One virtual draw against the player's own 1800 is added: 3.5 of 4 against
    // 1800 is 87.5 %, 1800 + 285.714 * z(0.875) = 2128.67, by both methods.
    EXPECT_EQ(r.TprProcent, 2129);
    EXPECT_EQ(r.Tpr, 2129);
}

TEST(Stand, ZVPointsWorkedExamples) {
    TSp sp(MakeSpeler(1, "Winnaar"));
    std::string info;
    CalcZVPoints(sp, 10, 1, info, false, 7);
    EXPECT_NEAR(sp.Rec.ZVPunten, 17.78, 0.005);
    EXPECT_EQ(info, "Winnaar; Zv=17.78; W=7.0; N=10; Plaats=1");
    CalcZVPoints(sp, 10, 3, info, false, 5);
    EXPECT_NEAR(sp.Rec.ZVPunten, 13.56, 0.005);
    EXPECT_EQ(info, "Winnaar; Zv=13.56; W=5.0; N=10; Plaats=3");
    CalcZVPoints(sp, 10, 2, info, false, 5); // the runner-up gives up one point
    EXPECT_NEAR(sp.Rec.ZVPunten, 14.56, 0.005);
    CalcZVPoints(sp, 10, 1, info, true, 12); // 12 of 18 counts as 6
    EXPECT_NEAR(sp.Rec.ZVPunten, (6.0 / 9 + 1) * 10, 1e-12);
    EXPECT_EQ(info, "Winnaar; Zv=16.67; W=6.0; N=10; Plaats=1");
}

TEST(Stand, ZVPointsHalvesInTheTextRoundUp) {
    TSp sp(MakeSpeler(1, "Negen"));
    std::string info;
    // Nine players: half a point is worth 10/16, so the points end on a half cent.
    CalcZVPoints(sp, 9, 1, info, false, 0.5);
    EXPECT_DOUBLE_EQ(sp.Rec.ZVPunten, 10.625);
    EXPECT_EQ(info, "Negen; Zv=10.63; W=0.5; N=9; Plaats=1");
    // A double round-robin halves the score: 12.5 counts as 6.25.
    CalcZVPoints(sp, 10, 1, info, true, 12.5);
    EXPECT_EQ(info, "Negen; Zv=16.94; W=6.3; N=10; Plaats=1");
}

TEST(Stand, ZVPointsOutOfRange) {
    TSp sp(MakeSpeler(1, "X"));
    std::string info;
    CalcZVPoints(sp, 1, 1, info, false, 0);
    EXPECT_EQ(sp.Rec.ZVPunten, 0);
    CalcZVPoints(sp, 10, 0, info, false, 5);
    EXPECT_EQ(sp.Rec.ZVPunten, 0);
    CalcZVPoints(sp, 10, 11, info, false, 5);
    EXPECT_EQ(sp.Rec.ZVPunten, 0);
    CalcZVPoints(sp, 10, 2, info, false, 10.5);
    EXPECT_EQ(sp.Rec.ZVPunten, 0);
    EXPECT_EQ(info, "X; Zv=0.00; W=10.5; N=10; Plaats=2");
    CalcZVPoints(sp, 10, 10, info, false, 0); // last place, no points: 10 - 9
    EXPECT_DOUBLE_EQ(sp.Rec.ZVPunten, 1);
}

} // namespace
