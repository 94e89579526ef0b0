#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "model/berger.h"
#include "model/group.h"
#include "model/objects.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "model_fixtures.h"

namespace {

const std::string Half = "\xBD";

// Makes the group the current one for the duration of a test.
class CurGroepScope {
public:
    explicit CurGroepScope(TGroep* G) : FOld(CurGroep) { CurGroep = G; }
    ~CurGroepScope() { CurGroep = FOld; }

private:
    TGroep* FOld;
};

TEST(Game, SetUitslagAllEntryCodesBothColours) {
    const TUitslagCode pairs[9][2] = {{0, 0}, {1, 3}, {3, 1}, {2, 2}, {3, 3},
                                      {6, 6}, {4, 6}, {6, 4}, {5, 5}};
    for (int code = 0; code <= 8; ++code) {
        TGame g{TGameRec{}};
        g.SetUitslag(static_cast<TInvoerCode>(code), kWit);
        EXPECT_EQ(g.GetUitslag(0), pairs[code][0]) << code;
        EXPECT_EQ(g.GetUitslag(1), pairs[code][1]) << code;
        g.SetUitslag(static_cast<TInvoerCode>(code), kZwart);
        EXPECT_EQ(g.GetUitslag(1), pairs[code][0]) << code;
        EXPECT_EQ(g.GetUitslag(0), pairs[code][1]) << code;
        EXPECT_EQ(g.HasUitslag(), code != 0) << code;
    }
    TGame g{TGameRec{}};
    g.SetUitslag(6, kZwart);
    EXPECT_EQ(g.GetUitslag(0), ucReglVerlies);
    EXPECT_EQ(g.GetUitslag(1), ucReglWinst);
    g.SetUitslag(9, kWit); // beyond the list: nothing changes
    EXPECT_EQ(g.GetUitslag(0), ucReglVerlies);
    EXPECT_EQ(g.GetScore(1), 1);
    EXPECT_EQ(g.GetUitslagStr(0), "0r");
}

TEST(Game, TextsAndComparison) {
    auto grp = MakeGroep(4);
    CurGroepScope scope(grp.get());
    TGame* g = EnterResult(*grp, 1, 4, 3);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->GetBergerNrsStr(), "1-4");
    EXPECT_EQ(g->GetGameStr(), "1-4 SpelerA - SpelerD " + Half + " - " + Half);
    EXPECT_EQ(g->GetRelnr(1), 1004);
    g->Rec.Slots[1].Sp = nullptr;
    EXPECT_EQ(g->GetGameStr(), "1-4 SpelerA - .. " + Half + " - " + Half);
    TGameRec other = g->Rec;
    EXPECT_TRUE(g->IsSame(other));
    other.Slots[1].Uitslag = ucWinst;
    EXPECT_FALSE(g->IsSame(other));
    other = g->Rec;
    other.Datum = 1;
    EXPECT_FALSE(g->IsSame(other));
}

TEST(Game, ByeAndEmptyGames) {
    auto grp = MakeGroep(4);
    EXPECT_EQ(grp->Games.GetNrEmptyGames(), 6);
    EnterResult(*grp, 1, 4, 1);
    EXPECT_EQ(grp->Games.GetNrEmptyGames(), 5);
    grp->Spelers.GetSpelerOnBergerNr(2)->Rec.Relnr = VrijRelnr;
    // Games of the bye never count as waiting for a result.
    EXPECT_EQ(grp->Games.GetNrEmptyGames(), 2);
    TKleur k;
    const TGame* g = grp->Games.GetGameOnBgNrs(2, 3, k, 1);
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->IsVrij(0));
    EXPECT_FALSE(g->IsVrij(1));
}

TEST(GamesList, GetGameOnBgNrs) {
    auto grp = MakeGroep(4, true);
    TKleur k = 9;
    TGame* first = grp->Games.GetGameOnBgNrs(1, 4, k, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(k, kWit);
    EXPECT_EQ(first->Rec.Ronde, 1);
    TGame* second = grp->Games.GetGameOnBgNrs(1, 4, k, 0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(k, kZwart);
    EXPECT_EQ(second->Rec.Ronde, 4);
    EXPECT_EQ(grp->Games.GetGameOnBgNrs(1, 1, k, 1), nullptr);
    EXPECT_EQ(k, kGeen);
    EXPECT_EQ(grp->Games.GetGame(second->Rec.GameId), second);
    EXPECT_EQ(grp->Games.GetGame(7), nullptr);
}

TEST(GamesList, FillGamePointsSingleAndDouble) {
    auto single = MakeGroep(4);
    single->Games.FillGamePoints(false);
    TKleur k;
    const TGame* g = single->Games.GetGameOnBgNrs(2, 3, k, 1);
    EXPECT_EQ(g->Rec.Slots[0].Row, 1);
    EXPECT_EQ(g->Rec.Slots[0].Col, 2);
    EXPECT_EQ(g->Rec.Slots[1].Row, 2);
    EXPECT_EQ(g->Rec.Slots[1].Col, 1);

    auto dbl = MakeGroep(4, true);
    dbl->Games.FillGamePoints(true);
    const TGame* a = dbl->Games.GetGameOnBgNrs(2, 3, k, 1);
    const TGame* b = dbl->Games.GetGameOnBgNrs(2, 3, k, 0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->Rec.EersteHelft, 1);
    EXPECT_EQ(b->Rec.EersteHelft, 0);
    EXPECT_EQ(a->Rec.Slots[0].Col, 4); // opponent 3, first cycle: 3*2-2
    EXPECT_EQ(b->Rec.Slots[1].Col, 5); // 2 has black in the second game: 3*2-1
    EXPECT_EQ(b->Rec.Slots[0].Col, 3); // opponent 2 in the second cycle: 2*2-1
}

TEST(Player, RunningScoresAndRoundLookups) {
    auto grp = MakeGroep(4);
    TSp* a = grp->Spelers.GetSpelerOnBergerNr(1);
    ASSERT_EQ(a->Rondes.size(), 3u);
    EnterResult(*grp, 1, 4, 1); // r1 win
    EnterResult(*grp, 3, 1, 3); // r3 draw
    EXPECT_DOUBLE_EQ(a->GetScoreAfterRound(1), 1);
    EXPECT_DOUBLE_EQ(a->GetScoreAfterRound(2), 1); // no result yet: the earlier sum
    EXPECT_DOUBLE_EQ(a->GetScoreAfterRound(3), 1.5);
    EXPECT_DOUBLE_EQ(a->GetScoreAfterRound(9), 0);
    EXPECT_EQ(a->GetRoundIndex(3), 2);
    EXPECT_EQ(a->GetRoundIndex(4), -1);
    EXPECT_EQ(a->Rec.NrUitslagen, 2);
    a->SetUitslag(7, ucWinst); // no such round: nothing happens
    EXPECT_DOUBLE_EQ(a->GetScoreAfterRound(3), 1.5);
    EXPECT_FALSE(a->HasReglUitslag());
    EnterResult(*grp, 1, 2, 6);
    EXPECT_TRUE(a->HasReglUitslag());
    EXPECT_DOUBLE_EQ(a->GetScoreAfterRound(3), 2.5);
    EXPECT_EQ(a->Rec.NrUitslagen, 3);
    // Every result taken away again: he has none, however often he had some.
    for (const auto& [wit, zwart] : {std::pair{1, 4}, {3, 1}, {1, 2}})
        EnterResult(*grp, wit, zwart, 0);
    EXPECT_EQ(a->Rec.NrUitslagen, 0);
    EXPECT_DOUBLE_EQ(a->GetScoreAfterRound(3), 0);
}

TEST(Player, OnderlingResultaatInADoubleRoundRobin) {
    auto grp = MakeGroep(4, true);
    TSp* a = grp->Spelers.GetSpelerOnBergerNr(1);
    TSp* d = grp->Spelers.GetSpelerOnBergerNr(4);
    EXPECT_EQ(a->GetOnderlingResultaat(4), -1); // met, nothing played
    EXPECT_EQ(a->GetOnderlingResultaat(1), -1); // never met
    EnterResult(*grp, 1, 4, 1, 1);              // win in the first cycle (round 1)
    // The later game (round 4) has no result yet.
    EXPECT_EQ(a->GetOnderlingResultaat(4), -1);
    EnterResult(*grp, 1, 4, 3, 0);
    EXPECT_DOUBLE_EQ(a->GetOnderlingResultaat(4), 1.5);
    EXPECT_DOUBLE_EQ(d->GetOnderlingResultaat(1), 0.5);

    // An unplayed earlier game and a later win.
    auto grp2 = MakeGroep(4, true);
    EnterResult(*grp2, 2, 3, 1, 0);
    EXPECT_DOUBLE_EQ(grp2->Spelers.GetSpelerOnBergerNr(2)->GetOnderlingResultaat(3), 1);
    EXPECT_DOUBLE_EQ(grp2->Spelers.GetSpelerOnBergerNr(3)->GetOnderlingResultaat(2), 0);
    // Forfeits count as their score.
    EnterResult(*grp2, 2, 4, 7, 1);
    EnterResult(*grp2, 2, 4, 7, 0);
    EXPECT_DOUBLE_EQ(grp2->Spelers.GetSpelerOnBergerNr(4)->GetOnderlingResultaat(2), 2);

    // The later game is the one of the later round, wherever its record stands.
    TSp sp(MakeSpeler(1, "A"));
    TRondeRec later;
    later.Ronde = 5;
    later.TegenBergerNr = 2;
    TRondeRec earlier = later;
    earlier.Ronde = 2;
    earlier.Uitslag = ucWinst;
    sp.Rondes = {later, earlier};
    EXPECT_EQ(sp.GetOnderlingResultaat(2), -1);
    sp.Rondes = {earlier, later};
    EXPECT_EQ(sp.GetOnderlingResultaat(2), -1);
    sp.Rondes[0].Uitslag = ucGeen;
    sp.Rondes[1].Uitslag = ucRemise;
    std::swap(sp.Rondes[0], sp.Rondes[1]);
    EXPECT_DOUBLE_EQ(sp.GetOnderlingResultaat(2), 0.5);
}

TEST(Player, TextsKeysAndComparison) {
    TSpRec rec = MakeSpeler(3, "de Vries", 1850);
    rec.Tussenvoegsel = "van";
    rec.Voorletters = "K.";
    rec.Voornaam = "Klaas-Jan";
    rec.GebJaar = 1970;
    TSp sp(rec);
    EXPECT_EQ(sp.GetSortKey(), "DEVRIESAAAAA"
                               "VANAAA"
                               "KAA"
                               "KLAASJ");
    EXPECT_EQ(sp.GetSortKey().size(), 27u);
    EXPECT_EQ(sp.GetGebJaarStr(), "1970");
    EXPECT_EQ(sp.GetRelnrStr(), "");
    sp.Rec.Relnr = 5123456;
    EXPECT_EQ(sp.GetRelnrStr(), "5123456");
    EXPECT_TRUE(sp.IsNotVrij());
    sp.Rec.Relnr = VrijRelnr;
    EXPECT_FALSE(sp.IsNotVrij());
    {
        CurGroepScope scope(nullptr);
        EXPECT_EQ(sp.GetNaam(), "Klaas-Jan van de Vries");
    }
    TGroep g;
    g.Rec.NaamMode = nmAchternaamEerst;
    {
        CurGroepScope scope(&g);
        EXPECT_EQ(sp.GetNaam(), "de Vries,van K.(Klaas-Jan)");
    }
    TSpRec other = sp.Rec;
    EXPECT_TRUE(sp.IsSame(other));
    other.Ratings[rtNJR] = 1;
    EXPECT_FALSE(sp.IsSame(other));
    other = sp.Rec;
    other.Voornaam = "Klaas";
    EXPECT_FALSE(sp.IsSame(other));
    other = sp.Rec;
    other.Plaats = 4; // not compared
    EXPECT_TRUE(sp.IsSame(other));
}

TEST(Player, RatingFollowsTheSelectedKind) {
    TSpRec rec = MakeSpeler(1, "A");
    rec.Ratings = {1500, 1400, 1600, 1300};
    TSp sp(rec);
    TGroep g; // a new group selects the first kind
    EXPECT_EQ(sp.GetRating(), 1500);
    RatingType = rtFIDE;
    EXPECT_EQ(sp.GetRating(), 1600);
    RatingType = rtKNSB;
}

TEST(SpList, LookupsAndSorting) {
    auto grp = MakeGroep(4);
    TSpList& l = grp->Spelers;
    EXPECT_EQ(l.GetSpeler(1003)->Rec.BergerNr, 3);
    EXPECT_EQ(l.GetSpeler(77), nullptr);
    EXPECT_EQ(l.GetSpelerOnBergerNr(9), nullptr);
    EXPECT_FALSE(l.HasRatings());
    l.GetSpelerOnBergerNr(2)->Rec.Ratings[rtKNSB] = 5;
    EXPECT_TRUE(l.HasRatings());
    l.Exchange(0, 3);
    l.SorteerOpBergerNr();
    for (int i = 0; i < l.Count(); ++i) {
        EXPECT_EQ(l.Sp(i)->Rec.BergerNr, i + 1);
        EXPECT_EQ(l.Strings(i), IntToZeroStr(i + 1, 6));
    }
}

TEST(Group, SwapBergerNrsMovesThePlayerWithHisResults) {
    auto grp = MakeGroep(4);
    TSp* b = grp->Spelers.GetSpelerOnBergerNr(2);
    TSp* c = grp->Spelers.GetSpelerOnBergerNr(3);
    EnterResult(*grp, 2, 3, 1); // b beats c
    EnterResult(*grp, 2, 4, 3);
    const int bRelnr = b->Rec.Relnr;
    // "Omhoog" for draw number 3: it becomes 2.
    ASSERT_TRUE(grp->SwapBergerNrs(3, 1));
    EXPECT_EQ(c->Rec.BergerNr, 2);
    EXPECT_EQ(b->Rec.BergerNr, 3);
    EXPECT_EQ(b->Rec.Relnr, bRelnr);
    EXPECT_EQ(grp->Spelers.Sp(1), c); // the list follows the draw order
    // The games follow: b still won against c and drew with 4.
    grp->LinkSpelers();
    FillRondeRecs(*grp);
    EXPECT_DOUBLE_EQ(b->GetOnderlingResultaat(2), 1);
    EXPECT_DOUBLE_EQ(c->GetOnderlingResultaat(3), 0);
    EXPECT_DOUBLE_EQ(b->GetOnderlingResultaat(4), 0.5);
    TKleur k;
    EXPECT_EQ(grp->Games.GetGameOnBgNrs(3, 2, k, 1)->Rec.Slots[k == kWit ? 0 : 1].Sp, b);
    EXPECT_FALSE(grp->SwapBergerNrs(1, 1)); // no draw number 0
    EXPECT_FALSE(grp->SwapBergerNrs(4, -1));
}

TEST(SpList, SwapBergerNrsFixesOpponentNumbers) {
    auto grp = MakeGroep(4);
    TSp* a = grp->Spelers.GetSpelerOnBergerNr(1);
    TSp* b = grp->Spelers.GetSpelerOnBergerNr(2);
    TSp* d = grp->Spelers.GetSpelerOnBergerNr(4);
    ASSERT_EQ(a->Rondes[1].TegenBergerNr, 2);
    ASSERT_EQ(b->Rondes[1].TegenBergerNr, 1);
    EXPECT_TRUE(grp->Spelers.SwapBergerNrs(1, 2));
    EXPECT_EQ(a->Rondes[1].TegenBergerNr, 1);
    EXPECT_EQ(b->Rondes[1].TegenBergerNr, 2);
    EXPECT_EQ(d->Rondes[0].TegenBergerNr, 2); // d met number 1 in round 1
    EXPECT_FALSE(grp->Spelers.SwapBergerNrs(8, 1));
}

TEST(Group, ClearFreesPlayersAndGamesButKeepsSettings) {
    auto grp = MakeGroep(6);
    grp->Rec.GroepNr = 3;
    grp->AddSortItem(siWP, true);
    grp->Clear();
    EXPECT_EQ(grp->Spelers.Count(), 0);
    EXPECT_EQ(grp->Games.Count(), 0);
    EXPECT_EQ(grp->Rec.GroepNr, 0);
    EXPECT_EQ(grp->Rec.Naam, "Groep A");
    EXPECT_EQ(grp->Rec.SortAr.size(), 1u);
    EXPECT_FALSE(grp->IsEmpty());
    grp->Rec.Naam = "  ";
    EXPECT_TRUE(grp->IsEmpty());
}

TEST(Group, SortItems) {
    TGroep g;
    g.AddSortItem(siOnderling, true);
    g.AddSortItem(siSB, false);
    g.AddSortItem(siSB, false);
    g.SetSortItem(siSB, true);
    ASSERT_EQ(g.Rec.SortAr.size(), 3u);
    EXPECT_EQ(g.Rec.SortAr[1].Aan, 1);
    EXPECT_EQ(g.Rec.SortAr[2].Aan, 1);
    g.SetSortItem(siOnderling, false);
    EXPECT_EQ(g.Rec.SortAr[0].Aan, 0);
}

TEST(Group, InfoStr) {
    auto grp = MakeGroep(4, true);
    EXPECT_EQ(grp->GetInfoStr(), "4 spelers; 12 partijen; (Dubbelrondig);");
    grp->Spelers.Sp(0)->Rec.Ratings[rtKNSB] = 1700;
    EXPECT_EQ(grp->GetInfoStr(), "4 spelers; 12 partijen; (Dubbelrondig); KNSB rating");

    auto single = MakeGroep(5);
    EXPECT_EQ(single->GetInfoStr(), "5 spelers; 15 partijen;");
    single->Spelers.Sp(2)->Rec.Ratings[rtFIDE] = 2010;
    EXPECT_EQ(single->GetInfoStr(), "5 spelers; 15 partijen;"); // no KNSB ratings
    const TRatingType old = RatingType;
    RatingType = rtFIDE;
    EXPECT_EQ(single->GetInfoStr(), "5 spelers; 15 partijen; FIDE rating");
    RatingType = old;
}

TEST(Group, LinkSpelersCopiesMemberNumbers) {
    auto grp = MakeGroep(4, true);
    grp->Spelers.GetSpelerOnBergerNr(4)->Rec.Relnr = 5000001;
    for (int i = 0; i < grp->Games.Count(); ++i)
        grp->Games.Game(i)->Rec.EersteHelft = 7;
    grp->LinkSpelers();
    TKleur k;
    const TGame* g = grp->Games.GetGameOnBgNrs(1, 4, k, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->GetRelnr(0), 5000001);
    EXPECT_EQ(g->Rec.Ronde, 4);
}

TEST(Group, InitGroepRec) {
    TGroepRec r;
    r.GroepNr = 5;
    r.Naam = "X";
    r.MyUseZVPoints = 0;
    r.NaamMode = nmAchternaamEerst;
    r.KolomNrAr[3].Kolom = 7;
    r.SortAr.push_back({siWP, 1});
    InitGroepRec(r, false);
    EXPECT_EQ(r.GroepNr, 0);
    EXPECT_EQ(r.Naam, "X");
    InitGroepRec(r, true);
    EXPECT_EQ(r.Naam, "");
    EXPECT_EQ(r.MyUseZVPoints, 1);
    EXPECT_EQ(r.NaamMode, nmVoornaamEerst);
    EXPECT_EQ(r.KolomNrAr[3].Kolom, -1);
    EXPECT_TRUE(r.SortAr.empty());
}

TEST(Group, CopyGroepIsDeepAndCompares) {
    auto src = MakeGroep(5, false, 1700);
    src->Rec.GroepNr = 2;
    EnterResult(*src, 1, 6 - 1, 1);
    TGroep copy;
    CopyGroep(*src, copy);
    std::string msg = "old";
    EXPECT_TRUE(GroepIsSame(*src, copy, msg));
    EXPECT_EQ(msg, "");
    EXPECT_EQ(copy.Spelers.Count(), 5);
    EXPECT_EQ(copy.Games.Count(), src->Games.Count());
    EXPECT_EQ(copy.Spelers.Strings(0), "");
    EXPECT_EQ(copy.Spelers.Sp(0)->Rondes.size(), src->Spelers.Sp(0)->Rondes.size());
    // The copy's games refer to the copy's players, so the source may go.
    for (int i = 0; i < copy.Games.Count(); ++i)
        for (const TGameSlot& s : copy.Games.Game(i)->Rec.Slots)
            if (s.Sp) {
                EXPECT_EQ(copy.Spelers.GetSpelerOnBergerNr(s.BergerNr), s.Sp);
            }
    TGroep saved;
    CopyGroep(*src, saved);
    src.reset();
    EXPECT_EQ(copy.Games.Game(0)->GetGameStr().substr(0, 3), "1-6");
    // Copying again replaces (and frees) what the copy held.
    CopyGroep(*MakeGroep(4), copy);
    EXPECT_EQ(copy.Spelers.Count(), 4);
    EXPECT_EQ(copy.Games.Count(), 6);
    EXPECT_EQ(copy.Rec.GroepNr, 0);
    CopyGroep(copy, copy);
    EXPECT_EQ(copy.Games.Count(), 6);
    CopyGroep(saved, copy);
    EXPECT_TRUE(GroepIsSame(saved, copy, msg));

    auto other = MakeGroep(5, false, 1700);
    other->Rec.GroepNr = 2;
    EXPECT_FALSE(GroepIsSame(*other, copy, msg));
    EXPECT_EQ(msg, "- Partijen");
    other->Spelers.Sp(2)->Rec.GebJaar = 1980;
    EXPECT_FALSE(GroepIsSame(*other, copy, msg));
    EXPECT_EQ(msg, "- Spelers");
    other->Rec.Naam = "B";
    EXPECT_FALSE(GroepIsSame(*other, copy, msg));
    EXPECT_EQ(msg, "- Groep gegevens");

    // The choices the group file keeps count as changes too: a director who only
    // switched a tie-break or the series points is asked to save them.
    const auto changed = [&copy, &msg](const std::function<void(TGroep&)>& Change) {
        TGroep g;
        CopyGroep(copy, g);
        Change(g);
        return !GroepIsSame(g, copy, msg) && msg == "- Groep gegevens";
    };
    copy.AddSortItem(siOnderling, true);
    copy.AddSortItem(siSB, false);
    EXPECT_TRUE(changed([](TGroep& g) { g.SetSortItem(siSB, true); }));
    EXPECT_TRUE(changed([](TGroep& g) { g.AddSortItem(siWP, true); }));
    // The order of the criteria switched off is no choice the file keeps.
    EXPECT_FALSE(changed([](TGroep& g) { g.AddSortItem(siWWe, false); }));
    copy.SetSortItem(siSB, true);
    EXPECT_TRUE(changed([](TGroep& g) { std::swap(g.Rec.SortAr[0], g.Rec.SortAr[1]); }));
    EXPECT_TRUE(changed([](TGroep& g) { g.Rec.MyUseZVPoints = 0; }));
    EXPECT_TRUE(changed([](TGroep& g) { g.Rec.DubbelRondig = 1; }));
    EXPECT_FALSE(changed([](TGroep& g) { g.Rec.NaamMode = nmAchternaamEerst; }));
}

TEST(Group, ListsOfGroupsDoNotOwnThem) {
    auto g = MakeGroep(4);
    {
        TGroepList list;
        list.AddObject("b", g.get());
        EXPECT_EQ(list.Groep(0), g.get());
    }
    EXPECT_EQ(g->Spelers.Count(), 4);
}

TEST(Objects, GridIdAndCellObjects) {
    TGridId ids;
    ids.AddId(3, "Relnr.", 2);
    ids.AddId(3, "x", 5);
    ids.AddId(1, "naam", 1);
    EXPECT_EQ(ids.GetKolom(3), 2);
    EXPECT_EQ(ids.GetKolom(1), 1);
    EXPECT_EQ(ids.GetKolom(9), -1);
    EXPECT_EQ(ids.Ids[0].Kop, "RELNR.");
    ids.FreeAll();
    EXPECT_EQ(ids.GetKolom(3), -1);
    TGame game{TGameRec{}};
    const TGameCell cell(&game, 101, 4, 2, kZwart);
    EXPECT_EQ(cell.Game, &game);
    EXPECT_EQ(cell.Col, 4);
    EXPECT_EQ(cell.Row, 2);
    EXPECT_EQ(cell.Kleur, kZwart);
    EXPECT_EQ(TIntegerObj(8).Value, 8);
    EXPECT_EQ(TStandSortObj(siSB).SortId, siSB);
    EXPECT_EQ(TFileTreeView("/a/b.csv").FileName, "/a/b.csv");
}

} // namespace

// The rating kind is the director's choice: a group made meanwhile (a copy, a
// file read into a scratch group) must not switch it back to KNSB.
TEST(GroupTest, ANewGroupKeepsTheChosenRatingKind) {
    RatingType = rtFIDE;
    const TGroep g;
    EXPECT_EQ(rtFIDE, RatingType);
    RatingType = rtKNSB;
}
