#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "apptestenv.h"
#include "model_fixtures.h"
#include "road_testenv.h"
#include "vz_test_support.h"
#include "widgettest.h"

#include "app/rarapportform.h"
#include "app/spfide.h"
#include "app/standform.h"
#include "app/writable.h"
#include "controls/numeric/numspin.h"
#include "grid/columngrid.h"
#include "model/fileutils.h"
#include "model/group.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/synthinput.h"

namespace {

// Four players in a double round (six rounds), a week apart from 2 March 2026:
//   1 Jan Aarts   7100001  1800  m 1970
//   2 Eva Bos     7100002  1700  w 1985
//   3 Piet Claes  7100003  none  m 2001
//   4 Kees Dekker no member number, 1650
// Games (white first), each round on its own date:
//   r1: 1-2 1-0,   3-4 1-0        r4: 2-1 ½-½,   4-3 0-1
//   r2: 2-3 ½-½,   4-1 0-1        r5: 3-2 1-0,   1-4 1-0
//   r3: 3-1 0-1 by forfeit, 2-4 ½-½   r6: 1-3 0-1,   4-2 not played yet
// Reported are only the five games between 1, 2 and 3 on the board; the other
// seven (player 4, the forfeit, the open game) are counted.
std::unique_ptr<TGroep> MakeRapportGroep() {
    TGroepRec rec;
    rec.Naam = "Voorjaar 2026";
    rec.DubbelRondig = 1;
    rec.DatumEersteRonde = EncodeDate(2026, 3, 2);
    rec.Plaats = "Utrecht";
    rec.Arbiter = "H. de Wit";
    rec.Speeltempo = "90 min + 30 s/zet";
    auto g = std::make_unique<TGroep>(rec);
    struct L {
        const char* Voornaam;
        const char* Achternaam;
        int Relnr, Rating, GebJaar;
        char Sexe;
        int Plaats;
    };
    const L leden[] = {{"Jan", "Aarts", 7100001, 1800, 1970, 'M', 2},
                       {"Eva", "Bos", 7100002, 1700, 1985, 'V', 3},
                       {"Piet", "Claes", 7100003, 0, 2001, 'M', 1},
                       {"Kees", "Dekker", 0, 1650, 1990, 'M', 4}};
    int nr = 0;
    for (const L& l : leden) {
        TSpRec r;
        InitSpRec(r);
        r.BergerNr = ++nr;
        r.Relnr = l.Relnr;
        r.Voornaam = l.Voornaam;
        r.Achternaam = l.Achternaam;
        r.Ratings[rtKNSB] = l.Rating;
        r.GebJaar = l.GebJaar;
        r.Sexe = l.Sexe;
        r.Plaats = l.Plaats; // as the standings ranked them
        g->AddSpeler(r, IntToZeroStr(nr, 3));
    }
    struct P {
        int Ronde, Wit, Zwart;
        TUitslagCode UWit, UZwart;
    };
    const P partijen[] = {{1, 1, 2, ucWinst, ucVerlies},         {1, 3, 4, ucWinst, ucVerlies},
                          {2, 2, 3, ucRemise, ucRemise},         {2, 4, 1, ucVerlies, ucWinst},
                          {3, 3, 1, ucReglVerlies, ucReglWinst}, {3, 2, 4, ucRemise, ucRemise},
                          {4, 2, 1, ucRemise, ucRemise},         {4, 4, 3, ucVerlies, ucWinst},
                          {5, 3, 2, ucWinst, ucVerlies},         {5, 1, 4, ucWinst, ucVerlies},
                          {6, 1, 3, ucVerlies, ucWinst},         {6, 4, 2, ucGeen, ucGeen}};
    int k = 0;
    for (const P& p : partijen) {
        TGameRec gr;
        InitGameRec(gr);
        gr.GameId = 100 + k;
        gr.Ronde = p.Ronde;
        gr.Datum = EncodeDate(2026, 3, 2) + 7 * (p.Ronde - 1);
        gr.Slots[0].BergerNr = p.Wit;
        gr.Slots[0].Relnr = leden[p.Wit - 1].Relnr;
        gr.Slots[0].Uitslag = p.UWit;
        gr.Slots[1].BergerNr = p.Zwart;
        gr.Slots[1].Relnr = leden[p.Zwart - 1].Relnr;
        gr.Slots[1].Uitslag = p.UZwart;
        g->AddGame(gr, IntToZeroStr(p.Ronde * 1000 + k++, 6));
    }
    g->LinkSpelers();
    FillRondeRecs(*g);
    return g;
}

// The report of that group, written out by hand in the report's layout.
const std::string VerwachtRapport =
    "012 Voorjaar 2026\r\n"
    "022 Utrecht\r\n"
    "032 NED\r\n"
    "042 2026/03/02\r\n"
    "052 2026/04/06\r\n"
    "062 3\r\n"
    "072 2\r\n"
    "092 All play all, double round robin\r\n"
    "102 H. de Wit\r\n"
    "122 90 min + 30 s/zet\r\n"
    "\r\n"
    "132                                                                                        "
    "26/03/02  26/03/09  26/03/16  26/03/23  26/03/30  26/04/06  \r\n"
    "\r\n"
    "001"
    " "
    "   1"
    " "
    "m"
    "   "
    " "
    "Jan Aarts                        "
    " "
    "1800"
    " "
    "NED"
    " "
    "    7100001"
    " "
    "1970      "
    " "
    " 1.5"
    " "
    "   1"
    "  "
    "   2 w 1  "
    "          "
    "          "
    "   2 z =  "
    "          "
    "   3 w 0  "
    "\r\n"
    "001"
    " "
    "   2"
    " "
    "w"
    "   "
    " "
    "Eva Bos                          "
    " "
    "1700"
    " "
    "NED"
    " "
    "    7100002"
    " "
    "1985      "
    " "
    " 1.0"
    " "
    "   3"
    "  "
    "   1 z 0  "
    "   3 w =  "
    "          "
    "   1 w =  "
    "   3 z 0  "
    "          "
    "\r\n"
    "001"
    " "
    "   3"
    " "
    "m"
    "   "
    " "
    "Piet Claes                       "
    " "
    "   0"
    " "
    "NED"
    " "
    "    7100003"
    " "
    "2001      "
    " "
    " 2.5"
    " "
    "   2"
    "  "
    "          "
    "   2 z =  "
    "          "
    "          "
    "   2 w 1  "
    "   1 z 1  "
    "\r\n";

std::string PadRight(std::string S, size_t N) {
    S.resize(std::max(S.size(), N), ' ');
    return S;
}

class RaRapportTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        Form = std::make_unique<TRaRapportForm>(nullptr);
        Form->AfterConstruction();
        RaRapportForm = Form.get();
        FOldDataMap = DataMap;
        DataMap = Folder.Path();
    }
    void TearDown() override {
        DataMap = FOldDataMap;
        RaRapportForm = nullptr;
        Form.reset();
        WidgetTest::TearDown();
    }
    // Opens the window (as the main window does) and saves the report, answering Yes.
    std::string SaveReport() {
        TScriptedDialogsScope dialogs;
        dialogs->QueueAnswer(mrYes);
        RunModal(*Form, [this] {
            Form->SaveBitBtnClick(nullptr);
            Form->SetModalResult(mrOk);
        });
        EXPECT_EQ(1u, dialogs->Asked().size());
        return ReadFileBytes(Form->RapportFileName());
    }
    TTestFolder Folder{"vz_rarapport"};
    std::unique_ptr<TRaRapportForm> Form;
    std::string FOldDataMap;
};

// Held by another program (an editor's lock file beside it): told, not written.
TEST_F(RaRapportTest, AReportAnotherProgramHoldsIsNotWrittenOver) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    const std::string file = Form->RapportFileName();
    WriteFileAtomic(file, "oud");
    WriteFileAtomic(Folder.File(".~lock." + ExtractFileName(file) + "#"), "x");
    TScriptedDialogsScope asked;
    RunModal(*Form, [this] {
        Form->SaveBitBtnClick(nullptr);
        Form->SetModalResult(mrOk);
    });
    ASSERT_EQ(1u, asked->Asked().size());
    EXPECT_EQ(NotWritableMessage(file), asked->Asked()[0].Text);
    EXPECT_EQ("oud", ReadFileBytes(file));
}

// Every fact comes from the group shown now: a single round-robin after a
// double one is reported as single. The kind that goes without saying is
// shown, not put into the group, whose file then stays as it was.
TEST_F(RaRapportTest, TheKindOfTournamentFollowsTheGroupShown) {
    auto dubbel = MakeRapportGroep();
    auto enkel = MakeClubGroep(false, true);
    {
        TCurGroepScope scope(dubbel.get());
        RunModal(*Form, [this] {
            EXPECT_EQ("All play all, double round robin", Form->InfoGrid->Cells(1, 7));
            Form->SetModalResult(mrOk);
        });
        EXPECT_EQ("", dubbel->Rec.ToernooiType);
        EXPECT_FALSE(dubbel->Modified);
    }
    // A group whose file holds the other usual kind is shown as what it is.
    enkel->Rec.ToernooiType = "All play all, double round robin";
    TCurGroepScope scope(enkel.get());
    RunModal(*Form, [this] {
        EXPECT_EQ("All play all, single round robin", Form->InfoGrid->Cells(1, 7));
        Form->SetModalResult(mrOk);
    });
    EXPECT_FALSE(enkel->Modified);
    // What the director typed himself stays; what he types is the group's.
    enkel->Rec.ToernooiType = "Rapid, all play all";
    RunModal(*Form, [this] {
        EXPECT_EQ("Rapid, all play all", Form->InfoGrid->Cells(1, 7));
        Form->InfoGrid->SetCells(1, 7, "Blitz, all play all");
        Form->SetModalResult(mrOk);
    });
    EXPECT_EQ("Blitz, all play all", enkel->Rec.ToernooiType);
    EXPECT_TRUE(enkel->Modified);
}

TEST_F(RaRapportTest, ReportOfAHandCheckedGroupByteForByte) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    const std::string text = SaveReport();
    EXPECT_EQ(Folder.File("Voorjaar-2026 Rating.txt"), Form->RapportFileName());
    EXPECT_EQ(VerwachtRapport, text);
    // The games left out are counted in the window.
    EXPECT_EQ("7 partijen niet verwerkt (geen legaal Idnr of uitslag)",
              Form->StatusBar->Panels(1)->Text);
    EXPECT_EQ("Voorjaar 2026", Form->StatusBar->Panels(0)->Text);
    // The default kind of tournament is the report's, not the group's.
    EXPECT_EQ("", g->Rec.ToernooiType);
    EXPECT_EQ("H. de Wit", Form->FideList()->ChiefArbiter);
}

// Reads the saved report back and checks what every report must hold,
// independently of how it was made.
void CheckReportLayout(const std::string& Text, int Rondes) {
    const std::vector<std::string> lines = SplitCrLf(Text);
    struct Speler {
        double W = 0;
        std::map<int, std::string> Games; // round -> game text
    };
    std::map<int, Speler> spelers;
    for (const std::string& l : lines) {
        if (l.rfind("001", 0) != 0) continue;
        ASSERT_EQ(static_cast<size_t>(91 + 10 * Rondes), l.size()) << l;
        // Blanks between the fields, at their places.
        for (int pos : {4, 9, 14, 48, 53, 57, 69, 80, 85, 90, 91})
            EXPECT_EQ(' ', l[static_cast<size_t>(pos - 1)]) << pos << ": " << l;
        const int nr = TrimStrToInt(l.substr(4, 4));
        ASSERT_GT(nr, 0) << l;
        EXPECT_NE(' ', l[7]) << "number right-aligned: " << l;
        EXPECT_TRUE(l[9] == 'm' || l[9] == 'w') << l;
        EXPECT_NE(' ', l[14]) << "name from position 15: " << l;
        EXPECT_NE(' ', l[51]) << "rating right-aligned: " << l;
        EXPECT_EQ("NED", l.substr(53, 3));
        EXPECT_NE(' ', l[67]) << "member number right-aligned: " << l;
        EXPECT_NE(' ', l[69]) << "birth year from position 70: " << l;
        EXPECT_EQ('.', l[82]) << "points with one decimal: " << l;
        EXPECT_NE(' ', l[88]) << "rank right-aligned: " << l;
        Speler& sp = spelers[nr];
        sp.W = TrimStrToFloat(l.substr(80, 4));
        for (int k = 0; k < Rondes; ++k) {
            const std::string game = l.substr(static_cast<size_t>(91 + 10 * k), 10);
            if (game != std::string(10, ' ')) sp.Games[k + 1] = game;
        }
    }
    ASSERT_FALSE(spelers.empty());
    for (const auto& [nr, sp] : spelers) {
        double som = 0;
        for (const auto& [ronde, game] : sp.Games) {
            const int tegen = TrimStrToInt(game.substr(0, 4));
            const char kleur = game[5], uitslag = game[7];
            EXPECT_EQ("  ", game.substr(8)) << game;
            EXPECT_TRUE(kleur == 'w' || kleur == 'z') << game;
            som += uitslag == '1' ? 1 : uitslag == '=' ? 0.5 : 0;
            ASSERT_TRUE(spelers.count(tegen)) << nr << " meets an unknown " << tegen;
            const auto it = spelers.at(tegen).Games.find(ronde);
            ASSERT_NE(spelers.at(tegen).Games.end(), it) << "round " << ronde << " of " << tegen;
            const std::string& terug = it->second;
            EXPECT_EQ(nr, TrimStrToInt(terug.substr(0, 4)));
            EXPECT_EQ(kleur == 'w' ? 'z' : 'w', terug[5]);
            const char verwacht = uitslag == '1' ? '0' : uitslag == '0' ? '1' : '=';
            EXPECT_EQ(verwacht, terug[7]) << "round " << ronde;
        }
        EXPECT_DOUBLE_EQ(som, sp.W) << "player " << nr;
    }
}

TEST_F(RaRapportTest, LayoutOfTheHandCheckedGroup) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    CheckReportLayout(SaveReport(), 6);
}

TEST_F(RaRapportTest, DoubleRoundReportsEveryGame) {
    auto g = MakeClubGroep(true, true);
    for (int a = 1; a <= 8; ++a)
        for (int b = a + 1; b <= 8; ++b)
            EnterResult(*g, a, b, (a + b) % 3 == 0 ? 3 : 1, 0);
    TCurGroepScope scope(g.get());
    const std::string text = SaveReport();
    CheckReportLayout(text, 14);
    // Every game on the board between two members from both sides: 56 games,
    // less the forfeits of the first cycle.
    int forfeits = 0;
    for (int i = 0; i < g->Games.Count(); ++i)
        if (!IsGespeeld(g->Games.Game(i)->GetUitslag(SlotWit))) ++forfeits;
    int sides = 0;
    for (const std::string& l : SplitCrLf(text))
        if (l.rfind("001", 0) == 0)
            for (size_t p = 91; p + 10 <= l.size(); p += 10)
                if (l.substr(p, 10) != std::string(10, ' ')) ++sides;
    EXPECT_EQ(2 * (56 - forfeits), sides);
    EXPECT_GT(forfeits, 0);
    EXPECT_EQ(IntToStr(forfeits) + " partij" + (forfeits > 1 ? "en" : "") +
                  " niet verwerkt (geen legaal Idnr of uitslag)",
              Form->StatusBar->Panels(1)->Text);
}

TEST_F(RaRapportTest, ForfeitMessageSingularAndPlural) {
    auto g = MakeRapportGroep();
    TSpFideList list;
    std::string msg;
    TCurGroepScope scope(g.get());
    list.Fill(*g, 3, 3, msg); // the forfeit 3-1 and the game of player 4
    EXPECT_EQ("2 partijen niet verwerkt (geen legaal Idnr of uitslag)", msg);
    g->Spelers.GetSpelerOnBergerNr(4)->Rec.Relnr = 7100004;
    for (int i = 0; i < g->Games.Count(); ++i)
        for (TGameSlot& s : g->Games.Game(i)->Rec.Slots)
            if (s.BergerNr == 4) s.Relnr = 7100004;
    list.Fill(*g, 3, 3, msg);
    EXPECT_EQ("1 partij niet verwerkt (geen legaal Idnr of uitslag)", msg);
    list.Fill(*g, 1, 2, msg);
    EXPECT_EQ("", msg);
}

TEST_F(RaRapportTest, EndDateIsTheLastRoundsOwnDate) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    // The last round moved a week on: the end date follows it.
    for (int i = 0; i < g->Games.Count(); ++i)
        if (g->Games.Game(i)->Rec.Ronde == 6) g->Games.Game(i)->Rec.Datum = EncodeDate(2026, 4, 13);
    const std::vector<std::string> lines = SplitCrLf(SaveReport());
    EXPECT_EQ("042 2026/03/02", lines[3]);
    EXPECT_EQ("052 2026/04/13", lines[4]);
    EXPECT_EQ("26/04/13  ", lines[11].substr(141));
}

TEST_F(RaRapportTest, RoundSpinsStayInOrderAndRebuildTheReport) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    RunModal(*Form, [&] {
        TVcNumSpin& van = *Form->VanSpin;
        TVcNumSpin& tot = *Form->TotSpin;
        EXPECT_EQ(1, van.Value());
        EXPECT_EQ(6, tot.Value());
        EXPECT_EQ(6, tot.MaxValue());
        EXPECT_LE(van.MaxValue(), tot.Value());
        EXPECT_GE(tot.MinValue(), 1);
        EXPECT_LE(tot.MinValue(), van.Value());
        // Van up to 4: tot/met cannot go below it, and the report holds rounds 4..6.
        van.SetValue(4);
        van.OnChange(&van);
        EXPECT_EQ(4, tot.MinValue());
        EXPECT_EQ(FideVasteKolommen + 3, Form->RapportGrid->ColCount());
        EXPECT_EQ("4", Form->RapportGrid->Cells(FideVasteKolommen, 0));
        tot.SetValue(2);
        tot.OnChange(&tot);
        EXPECT_EQ(4, tot.Value());
        EXPECT_EQ(4, van.MaxValue());
        // What the director typed stays when the rounds change.
        Form->InfoGrid->SetCells(1, 1, "Amersfoort");
        tot.SetValue(5);
        tot.OnChange(&tot);
        EXPECT_EQ("Amersfoort", Form->InfoGrid->Cells(1, 1));
        EXPECT_EQ(FideVasteKolommen + 2, Form->RapportGrid->ColCount());
        // Coming back to the window keeps the chosen rounds.
        Form->FormActivate(nullptr);
        EXPECT_EQ(4, van.Value());
        EXPECT_EQ(5, tot.Value());
        Form->SetModalResult(mrOk);
    });
    EXPECT_EQ("Amersfoort", g->Rec.Plaats);
}

// A round typed into a spin and taken with Enter rebuilds the report too.
TEST_F(RaRapportTest, ATypedRoundRebuildsTheReport) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    RunModal(*Form, [&] {
        TVcNumSpin& tot = *Form->TotSpin;
        tot.SetFocus();
        tot.SelectAll();
        TypeText(&tot, "5");
        KeyStroke(&tot, VK_RETURN, '\r');
        EXPECT_EQ(5, tot.Value());
        EXPECT_EQ(FideVasteKolommen + 5, Form->RapportGrid->ColCount());
        TVcNumSpin& van = *Form->VanSpin;
        van.SetFocus();
        van.SelectAll();
        TypeText(&van, "3");
        KeyStroke(&van, VK_RETURN, '\r');
        EXPECT_EQ(3, van.Value());
        EXPECT_EQ(FideVasteKolommen + 3, Form->RapportGrid->ColCount());
        EXPECT_EQ("3", Form->RapportGrid->Cells(FideVasteKolommen, 0));
        Form->SetModalResult(mrOk);
    });
}

TEST_F(RaRapportTest, OneRoundGroupHasConsistentSpins) {
    auto g = MakeRapportGroep();
    for (int i = g->Games.Count() - 1; i >= 0; --i)
        if (g->Games.Game(i)->Rec.Ronde > 1) g->Games.Delete(i); // the group's list frees it
    TCurGroepScope scope(g.get());
    RunModal(*Form, [&] {
        EXPECT_EQ(1, Form->VanSpin->Value());
        EXPECT_EQ(1, Form->TotSpin->Value());
        EXPECT_LE(Form->TotSpin->MinValue(), Form->TotSpin->MaxValue());
        EXPECT_LE(Form->VanSpin->MinValue(), Form->VanSpin->MaxValue());
        Form->SetModalResult(mrOk);
    });
}

// One ranking: the report's "Rnk." is the place the standings window gives,
// without shared ranks, whatever places a player carried before.
TEST_F(RaRapportTest, RankIsThePlaceInTheStandings) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    for (const bool criteria : {true, false}) {
        g->Rec.SortAr = {{siSB, uint8_t(criteria)}, {siOnderling, uint8_t(criteria)}};
        for (int i = 0; i < g->Spelers.Count(); ++i)
            g->Spelers.Sp(i)->Rec.Plaats = g->Spelers.Sp(i)->Rec.BergerNr;
        TStandForm stand(nullptr);
        stand.AfterConstruction();
        stand.FormActivate(&stand);
        std::map<int, std::string> plaats; // draw number, place in the window
        for (int i = 0; i < stand.StandList().Count(); ++i)
            plaats[stand.StandList().Sp(i)->Rec.BergerNr] = IntToStr(i + 1);
        RunModal(*Form, [&] {
            std::set<std::string> ranks;
            for (int row = 1; row < Form->RapportGrid->RowCount(); ++row) {
                const auto* sp = dynamic_cast<const TSp*>(Form->RapportGrid->Objects(0, row));
                ASSERT_NE(nullptr, sp);
                EXPECT_EQ(plaats[sp->Rec.BergerNr], Form->RapportGrid->Cells(FideRnkKolom, row))
                    << sp->Rec.BergerNr;
                ranks.insert(Form->RapportGrid->Cells(FideRnkKolom, row));
            }
            EXPECT_EQ(static_cast<size_t>(Form->RapportGrid->RowCount() - 1), ranks.size());
            Form->SetModalResult(mrOk);
        });
    }
}

TEST_F(RaRapportTest, FieldsOfTheLine) {
    auto g = MakeRapportGroep();
    TSp* aarts = g->Spelers.GetSpelerOnBergerNr(1);
    aarts->Rec.Voornaam = "Johannes Wilhelmus";
    aarts->Rec.Achternaam = "Aartsbisschoppelijk";
    g->Rec.Naam = "Groep A/B";
    TCurGroepScope scope(g.get());
    const std::vector<std::string> lines = SplitCrLf(SaveReport());
    EXPECT_EQ(Folder.File("Groep-A-B Rating.txt"), Form->RapportFileName());
    const std::string& l1 = lines[13];
    // 38 characters of name: cut to 32, padded to 33.
    EXPECT_EQ("Johannes Wilhelmus Aartsbisschop ", l1.substr(14, 33));
    EXPECT_EQ("1800", l1.substr(48, 4));
    EXPECT_EQ(" 1.5", l1.substr(80, 4));
    EXPECT_EQ(" 2.5", lines[15].substr(80, 4));
    // Bos lost r1 with black to Aarts, start number 1.
    EXPECT_EQ("   1 z 0  ", lines[14].substr(91, 10));
}

TEST_F(RaRapportTest, SaveAsksAgainBeforeOverwriting) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    TScriptedDialogsScope d;
    d->QueueAnswer(mrYes);
    d->QueueAnswer(mrNo);
    const std::string file = Folder.File("Voorjaar-2026 Rating.txt");
    RunModal(*Form, [&] {
        Form->SaveBitBtnClick(nullptr);
        g->Rec.Naam = "Voorjaar 2026"; // unchanged name, same file
        Form->InfoGrid->SetCells(1, 8, "Iemand anders");
        Form->SaveBitBtnClick(nullptr);
        Form->SetModalResult(mrOk);
    });
    ASSERT_EQ(2u, d->Asked().size());
    EXPECT_EQ("Ratingrapport\r\r" + GetShortPath(file) + "\r\rBewaren ?", d->Asked()[0].Text);
    EXPECT_EQ("Ratingrapport\r\r" + GetShortPath(file) + "\r\rBestaat reeds, overschrijven ?",
              d->Asked()[1].Text);
    EXPECT_EQ(VerwachtRapport, ReadFileBytes(file)); // No kept the first one
    EXPECT_EQ("Iemand anders", g->Rec.Arbiter);
}

TEST_F(RaRapportTest, GameOfANumberOutsideTheGroupIsLeftOut) {
    auto g = MakeRapportGroep();
    // Bos's number in her r1 game no longer belongs to anyone in the group.
    g->Games.Game(0)->Rec.Slots[1].Relnr = 7199999;
    TCurGroepScope scope(g.get());
    TSpFideList list;
    std::string msg;
    list.Fill(*g, 1, 6, msg);
    EXPECT_EQ("8 partijen niet verwerkt (geen legaal Idnr of uitslag)", msg);
    ASSERT_EQ(3, list.Count());
    EXPECT_EQ(nullptr, list.FindRelnr(7199999));
    EXPECT_EQ(nullptr, list.FindRelnr(7100001)->GameOfRound(1));
}

TEST_F(RaRapportTest, UndatedRoundsTakeTheFirstRoundsDate) {
    auto g = MakeRapportGroep();
    g->Rec.DatumEersteRonde = 0;
    for (int i = 0; i < g->Games.Count(); ++i)
        g->Games.Game(i)->Rec.Datum = 0;
    TCurGroepScope scope(g.get());
    const std::vector<std::string> lines = SplitCrLf(SaveReport());
    const std::string vandaag = FormatDateTime("yyyy", Date()) + "/" +
                                FormatDateTime("mm", Date()) + "/" + FormatDateTime("dd", Date());
    EXPECT_EQ("042 " + vandaag, lines[3]);
    EXPECT_EQ("052 " + vandaag, lines[4]);
    EXPECT_EQ(PadRight(vandaag.substr(2), 10), lines[11].substr(91, 10));
    EXPECT_EQ(PadRight(vandaag.substr(2), 10), lines[11].substr(141, 10));
}

TEST_F(RaRapportTest, FailedWriteIsReportedNotSaved) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    DataMap = Folder.File("bestaat-niet");
    TScriptedDialogsScope d;
    RunModal(*Form, [&] {
        Form->SaveBitBtnClick(nullptr);
        Form->SetModalResult(mrOk);
    });
    ASSERT_EQ(1u, d->Asked().size());
    EXPECT_NE(std::string::npos, d->Asked()[0].Text.find("De map bestaat niet."));
    EXPECT_FALSE(FileExists(Form->RapportFileName()));
}

TEST_F(RaRapportTest, WithoutDataFolderTheReportGoesToTheDataRoot) {
    auto g = MakeRapportGroep();
    TCurGroepScope scope(g.get());
    DataMap = "";
    EXPECT_EQ(GetDataRoot() + "/Voorjaar-2026 Rating.txt", Form->RapportFileName());
    DataMap = Folder.Path() + "/";
    EXPECT_EQ(Folder.File("Voorjaar-2026 Rating.txt"), Form->RapportFileName());
}

TEST_F(RaRapportTest, PictureOfTheReport) {
    auto g = MakeClubGroep();
    g->Rec.Plaats = "Zwolle";
    g->Rec.Arbiter = "M. Kok";
    g->Rec.Speeltempo = "90 min + 30 s/zet";
    TCurGroepScope scope(g.get());
    RunModal(*Form, [&] {
        SavePicture(*Form, "rarapportform.png");
        Form->SetModalResult(mrOk);
    });
    EXPECT_EQ(8, Form->RapportGrid->RowCount() - 1);
}

} // namespace

namespace {

// The report through the whole program: groups opened from the data folder's
// file list, the report opened by its button.
class RaRapportRoad : public RoadTest {
protected:
    std::string Map() const { return Root + "/Voorbeeld"; }
    std::string SaveGroep(const std::string& Naam, bool DubbelRondig) const {
        ForceDirectories(Map());
        const std::string file = Map() + "/" + Naam + ".csv";
        auto g = MakeClubGroep(DubbelRondig);
        g->Rec.Naam = Naam;
        g->SaveGroepFile(file);
        return file;
    }
    // Opens Naam; the window the file opens is closed at once.
    void OpenGroep(const std::string& Naam) {
        TMainForm& m = W->Main();
        m.FileListBox->SetDirectory(Map());
        m.FileListBox->SetItemIndex(m.FileListBox->Items()->IndexOf(Naam + ".csv"));
        ASSERT_GE(m.FileListBox->ItemIndex(), 0) << Naam;
        WhenShown(*StandForm, [] {});
        WhenShown(*UitslagForm, [] {});
        m.FileListBoxDblClick(m.FileListBox);
        ASSERT_EQ(Naam, CurGroep->Rec.Naam);
    }
    // The report's city and chief arbiter as shown; City and Arbiter are typed
    // over them when given.
    std::pair<std::string, std::string> Report(const std::string& City = "",
                                               const std::string& Arbiter = "") {
        std::pair<std::string, std::string> shown;
        TRaRapportForm& r = *RaRapportForm;
        WhenShown(r, [&] {
            shown = {r.InfoGrid->Cells(1, 1), r.InfoGrid->Cells(1, 8)};
            if (!City.empty()) r.InfoGrid->SetCells(1, 1, City);
            if (!Arbiter.empty()) r.InfoGrid->SetCells(1, 8, Arbiter);
            r.KlaarBitBtn->Click();
        });
        EXPECT_TRUE(W->Main().RaRapportBitBtn->Enabled());
        W->Main().RaRapportBitBtn->Click();
        return shown;
    }
};

TEST_F(RaRapportRoad, EveryGroupShowsItsOwnFacts) {
    using TFacts = std::pair<std::string, std::string>;
    const std::string a = SaveGroep("Groep A", false);
    SaveGroep("Groep B", true);
    // B's report was saved before groups kept their facts.
    WriteFileAtomic(
        Map() + "/Groep-B Rating.txt",
        "012 Groep B\r\n022 Leiden\r\n032 NED\r\n102 P. Pion\r\n122 60 min\r\n\r\n132\r\n");
    StartProgram();
    OpenGroep("Groep A");
    EXPECT_EQ(TFacts("", ""), Report("Utrecht", "J. de Scheids"));
    // Typed facts are a change of the group, saved with it.
    Dialogs->QueueAnswer(mrYes); // "Zijn gewijzigd, Data bewaren ?"
    Dialogs->QueueFileName(a);
    Dialogs->QueueAnswer(mrYes); // overwrite
    OpenGroep("Groep B");
    EXPECT_NE(std::string::npos, ReadFileBytes(a).find(";<PLAATS>\r\n;;Utrecht\r\n"));
    EXPECT_EQ(TFacts("Leiden", "P. Pion"), Report());
    EXPECT_EQ("60 min", CurGroep->Rec.Speeltempo);
    OpenGroep("Groep A");
    EXPECT_EQ(TFacts("Utrecht", "J. de Scheids"), Report());
    EXPECT_EQ("", CurGroep->Rec.Speeltempo);
}

} // namespace
