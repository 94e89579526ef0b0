#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "app/bergerform.h"
#include "apptestenv.h"
#include "controls/numeric/numspin.h"
#include "controls/numeric/spinbutton.h"
#include "grid/columngrid.h"
#include "model/berger.h"
#include "model/textutils.h"
#include "platform/rtl/dialogs.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/stdctrls.h"
#include "widgettest.h"

namespace {

// A group of Count club-like players with the games of its table, linked.
std::unique_ptr<TGroep> MakeGroep(int Count, const std::string& Naam) {
    TGroepRec rec;
    rec.Naam = Naam;
    auto g = std::make_unique<TGroep>(rec);
    for (int nr = 1; nr <= Count; ++nr) {
        TSpRec r;
        InitSpRec(r);
        r.BergerNr = nr;
        r.Relnr = 7100000 + nr;
        r.Achternaam = "Speler" + IntToStr(nr);
        g->AddSpeler(r, IntToZeroStr(nr, 3));
    }
    MakeBergerGames(*g);
    g->LinkSpelers();
    return g;
}

class BergerFormTest : public WidgetTest {
protected:
    std::unique_ptr<TGroep> Groep = MakeClubGroep();
    std::unique_ptr<TCurGroepScope> Scope;
    std::unique_ptr<TBergerForm> F;
    TScriptedDialogs* Dialogs = nullptr;
    std::unique_ptr<TScriptedDialogsScope> DialogScope;

    void SetUp() override {
        WidgetTest::SetUp();
        DialogScope = std::make_unique<TScriptedDialogsScope>();
        Dialogs = &DialogScope->Dialogs();
        Use(std::move(Groep));
        F = std::make_unique<TBergerForm>(nullptr);
        F->AfterConstruction();
    }
    void TearDown() override {
        F.reset();
        Scope.reset();
    }
    void Use(std::unique_ptr<TGroep> G) {
        Scope.reset();
        Groep = std::move(G);
        Scope = std::make_unique<TCurGroepScope>(Groep.get());
    }
    // Shows the window on the current group and runs Action while it is open.
    int Open(const std::function<void()>& Action) { return RunModal(*F, Action); }
    void SetAantal(int N) {
        F->AantalSpin->SetValue(N);
        F->AantalSpinChange(F->AantalSpin);
    }
    void SetOptie(TBergerOptie Item, bool On) {
        F->OptiesCheckBox->SetChecked(Item, On);
        F->OptiesCheckBoxClick(F->OptiesCheckBox);
    }
    std::string Row(int R) const {
        std::string s;
        for (int c = 0; c < F->BergerGrid->ColCount(); ++c) {
            if (c > 0) s += ' ';
            s += F->BergerGrid->Cells(c, R);
        }
        return s;
    }
    std::vector<std::string> Asked() const {
        std::vector<std::string> texts;
        for (const TDialogRecord& r : Dialogs->Asked())
            texts.push_back(r.Text);
        return texts;
    }
};

TEST_F(BergerFormTest, ClosingWithoutChangeAsksNothingAndChangesNothing) {
    TSp* eerste = Groep->Spelers.GetSpelerOnBergerNr(1);
    Open([&] {
        EXPECT_EQ("Clubkampioenschap A", F->GroepNaamEdit->Text());
        EXPECT_EQ(8, F->AantalSpin->Value());
        EXPECT_EQ("8 spelers; 28 partijen;", F->StatusBar->Panels(1)->Text);
        EXPECT_EQ("Clubkampioenschap A", F->StatusBar->Panels(0)->Text);
        F->KlaarBitBtn->Click();
    });
    EXPECT_TRUE(Asked().empty());
    EXPECT_FALSE(F->Made());
    EXPECT_FALSE(Groep->Modified);
    EXPECT_EQ(eerste, Groep->Spelers.GetSpelerOnBergerNr(1));
    EXPECT_EQ(28, Groep->Games.Count());
    EXPECT_EQ(0, Groep->Games.GetNrEmptyGames());
}

// No, and Escape (the dialog's cancel), leave the open group exactly as it was.
TEST_F(BergerFormTest, NoOrEscapeAtDividingKeepsTheGroup) {
    TGroep voor;
    CopyGroep(*Groep, voor);
    size_t n = 0;
    for (const int answer : {int(mrNo), int(mrCancel)}) {
        Dialogs->QueueAnswer(answer);
        Open([&] {
            F->GroepNaamEdit->SetText("  Clubkampioenschap B ");
            SetAantal(10);
            F->KlaarBitBtn->Click();
        });
        ASSERT_EQ(++n, Asked().size());
        EXPECT_EQ("Nieuwe groep Clubkampioenschap B indelen ?\r\r10 spelers; 45 partijen;",
                  Asked().back());
        EXPECT_FALSE(F->Made());
        std::string diff;
        EXPECT_TRUE(GroepIsSame(*Groep, voor, diff)) << diff;
        EXPECT_EQ("Clubkampioenschap A", Groep->Rec.Naam);
        EXPECT_FALSE(Groep->Modified);
    }
}

TEST_F(BergerFormTest, SameNameInOtherCaseIsNoChange) {
    Open([&] {
        F->GroepNaamEdit->SetText("CLUBKAMPIOENSCHAP a");
        F->KlaarBitBtn->Click();
    });
    EXPECT_TRUE(Asked().empty());
    EXPECT_FALSE(F->Made());
}

TEST_F(BergerFormTest, EmptyNameKeepsTheWindowOrClosesWithoutGroup) {
    Dialogs->QueueAnswer(mrYes);
    Dialogs->QueueAnswer(mrNo);
    Open([&] {
        F->GroepNaamEdit->SetText("   ");
        SetAantal(10);
        EXPECT_FALSE(F->CloseQuery()); // Yes: type a name first
        EXPECT_EQ(10, F->AantalSpin->Value());
        F->KlaarBitBtn->Click(); // No: close as it was
    });
    const std::vector<std::string> asked = Asked();
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ("Geen groepsnaam geplaatst.\rKan geen nieuwe groep maken\r\r"
              "Eerst een groepsnaam plaatsen ?\r",
              asked[0]);
    EXPECT_EQ(asked[0], asked[1]);
    EXPECT_FALSE(F->Made());
    EXPECT_EQ("Clubkampioenschap A", Groep->Rec.Naam);
    EXPECT_EQ(8, Groep->Spelers.Count());
}

TEST_F(BergerFormTest, AnActivationAfterAQuestionKeepsTheChoices) {
    Open([&] {
        SetAantal(12);
        F->GroepNaamEdit->SetText("Snelschaak");
        F->FormActivate(F.get());
        EXPECT_EQ(12, F->AantalSpin->Value());
        EXPECT_EQ("Snelschaak", F->GroepNaamEdit->Text());
        F->SetModalResult(mrCancel);
        F->GroepNaamEdit->SetText("Clubkampioenschap A");
        SetAantal(8);
    });
    // The next showing starts from the group again.
    Open([&] {
        EXPECT_EQ(8, F->AantalSpin->Value());
        F->KlaarBitBtn->Click();
    });
}

TEST_F(BergerFormTest, SixPlayersExchangeTheLastTwoRoundsOfOneCycle) {
    Open([&] {
        SetAantal(6);
        EXPECT_EQ("Wissel r4 r5", F->OptiesCheckBox->Items()->Strings(boWissel));
        EXPECT_EQ("r4 6-5 1-4 2-3", Row(4));
        SetOptie(boWissel, true);
        EXPECT_EQ("r4 3-6 4-2 5-1", Row(4));
        EXPECT_EQ("r5 6-5 1-4 2-3", Row(5));
        SetOptie(boDubbelRondig, true);
        EXPECT_EQ("Wissel r4 r5", F->OptiesCheckBox->Items()->Strings(boWissel));
        EXPECT_TRUE(F->Optie(boWissel));
        EXPECT_EQ(11, F->BergerGrid->RowCount());
        EXPECT_EQ("r10 5-6 4-1 3-2", Row(10));
        EXPECT_EQ("6 spelers; 30 partijen; (dubbelrondig)", F->StatusBar->Panels(1)->Text);
        F->SetModalResult(mrCancel);
        F->GroepNaamEdit->SetText("");
    });
}

TEST_F(BergerFormTest, RotationShowsItsSignAndTurnsBackToZero) {
    Open([&] {
        SetAantal(6);
        TVcSpinButton* spin = F->Spin;
        // The spin button's own size, whole inside its box.
        EXPECT_EQ(18, spin->Width());
        EXPECT_EQ(43, spin->Height());
        EXPECT_LE(spin->Top() + spin->Height(), F->DraaiGroupBox->ClientHeight());
        EXPECT_EQ("0", F->DraaiEdit->Text());
        spin->UpButton()->Click();
        EXPECT_EQ("+1", F->DraaiEdit->Text());
        // Round 2 of the table comes first, round 1 goes last.
        EXPECT_EQ("r1 6-4 5-3 1-2", Row(1));
        EXPECT_EQ("r5 1-6 2-5 3-4", Row(5));
        spin->UpButton()->Click();
        EXPECT_EQ("+2", F->DraaiEdit->Text());
        spin->UpButton()->Click();
        spin->UpButton()->Click();
        EXPECT_EQ("+4", F->DraaiEdit->Text());
        spin->UpButton()->Click();
        EXPECT_EQ("0", F->DraaiEdit->Text());
        EXPECT_EQ("r1 1-6 2-5 3-4", Row(1));
        spin->DownButton()->Click();
        EXPECT_EQ("-1", F->DraaiEdit->Text());
        EXPECT_EQ("r1 3-6 4-2 5-1", Row(1));
        for (int i = 0; i < 4; ++i)
            spin->DownButton()->Click();
        EXPECT_EQ("0", F->DraaiEdit->Text());
        EXPECT_EQ("r1 1-6 2-5 3-4", Row(1));
        // A new count starts from a fresh table.
        spin->UpButton()->Click();
        SetAantal(6);
        EXPECT_EQ("0", F->DraaiEdit->Text());
        EXPECT_EQ("r1 1-6 2-5 3-4", Row(1));
        F->SetModalResult(mrCancel);
        F->GroepNaamEdit->SetText("");
    });
}

TEST_F(BergerFormTest, BoardColoursOnFourPlayers) {
    Open([&] {
        SetAantal(4);
        SetOptie(boBordKleur, true);
        TExtColumnGrid* g = F->BergerGrid;
        ASSERT_EQ(7, g->ColCount());
        ASSERT_EQ(4, g->RowCount());
        EXPECT_EQ("   1 2 3 4", Row(0));
        // r1 1-4 2-3; r2 4-3 1-2; r3 2-4 3-1
        EXPECT_EQ("r1 1-4 2-3 W W Z Z", Row(1));
        EXPECT_EQ("r2 4-3 1-2 W Z Z W", Row(2));
        EXPECT_EQ("r3 2-4 3-1 Z W W Z", Row(3));
        TBrush brush;
        TFont font;
        g->GetCellColor(5, 1, TGridDrawState{}, &brush, &font);
        EXPECT_EQ(clSilver, brush.Color());
        g->GetCellColor(3, 1, TGridDrawState{}, &brush, &font);
        EXPECT_EQ(g->Color(), brush.Color());
        for (int c = 0; c < g->ColCount(); ++c)
            EXPECT_GE(g->ColWidths(c), 50) << c;
        SetOptie(boBordKleur, false);
        EXPECT_EQ(3, g->ColCount());
        F->SetModalResult(mrCancel);
        F->GroepNaamEdit->SetText("");
    });
}

TEST_F(BergerFormTest, GridIsReadOnlyWithCentredPairings) {
    Open([&] {
        TExtColumnGrid* g = F->BergerGrid;
        EXPECT_EQ("r1 1-8 2-7 3-6 4-5", Row(1));
        EXPECT_EQ(8, g->RowCount());
        for (int c = 0; c < g->ColCount(); ++c) {
            bool canEdit = true;
            g->CanEditCell(c, 1, canEdit);
            EXPECT_FALSE(canEdit);
            TAlignment h = taLeftJustify;
            TVAlignment v = vtaCenter;
            g->GetCellAlignment(c, 1, h, v);
            EXPECT_EQ(c == 0 ? taLeftJustify : taCenter, h) << c;
        }
        F->ClipBoardBitBtn->Click();
        EXPECT_NE(std::string::npos, Clipboard()->AsText().find("r1\t1-8\t2-7\t3-6\t4-5\r\n"));
        F->KlaarBitBtn->Click();
    });
}

// Every two draw numbers meet Times times, white and black alternating.
void ExpectRoundRobin(const TGroep& G, int Times) {
    std::map<std::pair<int, int>, int> meetings;
    for (int i = 0; i < G.Games.Count(); ++i) {
        const TGameRec& r = G.Games.Game(i)->Rec;
        const int w = r.Slots[SlotWit].BergerNr, z = r.Slots[SlotZwart].BergerNr;
        ++meetings[{std::min(w, z), std::max(w, z)}];
    }
    const int n = G.Spelers.Count();
    EXPECT_EQ(n * (n - 1) / 2, static_cast<int>(meetings.size()));
    for (const auto& [pair, count] : meetings)
        EXPECT_EQ(Times, count) << pair.first << "-" << pair.second;
}

void ExpectNewGames(const TGroep& G, TDateTime Datum, int Rounds) {
    for (int k = 0; k < G.Games.Count(); ++k) {
        const TGameRec& r = G.Games.Game(k)->Rec;
        EXPECT_EQ(100 + k, r.GameId);
        EXPECT_EQ(IntToZeroStr(r.Ronde * 1000 + k, 6), G.Games.Strings(k));
        EXPECT_EQ(Datum, r.Datum);
        EXPECT_GE(r.Ronde, 1);
        EXPECT_LE(r.Ronde, Rounds);
        EXPECT_EQ(r.Ronde <= (G.Rec.DubbelRondig ? Rounds / 2 : Rounds) ? 1 : 0, r.EersteHelft);
        for (const TGameSlot& s : r.Slots) {
            ASSERT_NE(nullptr, s.Sp) << "game " << r.GameId;
            EXPECT_EQ(s.BergerNr, s.Sp->Rec.BergerNr);
            EXPECT_EQ(s.Sp->Rec.Relnr, s.Relnr);
            EXPECT_EQ(ucGeen, s.Uitslag);
        }
    }
}

TEST_F(BergerFormTest, NewGroupOfEightSingleRound) {
    const TDateTime datum = EncodeDate(2026, 9, 14);
    Groep->Rec.Kolommen.push_back({"1", 0, 40, 3, Groep->Spelers.GetSpelerOnBergerNr(1)});
    Dialogs->QueueAnswer(mrYes);
    Open([&] {
        F->GroepNaamEdit->SetText("Najaarscompetitie");
        F->DatumPicker->SetDate(datum);
        F->KlaarBitBtn->Click();
    });
    ASSERT_EQ(1u, Asked().size());
    EXPECT_TRUE(F->Made());
    const TGroep& g = *Groep;
    EXPECT_EQ("Najaarscompetitie", g.Rec.Naam);
    EXPECT_EQ(datum, g.Rec.DatumEersteRonde);
    EXPECT_EQ(0, g.Rec.DubbelRondig);
    EXPECT_EQ(0, g.Rec.GroepNr);
    EXPECT_TRUE(g.Rec.Kolommen.empty()); // they named the old players
    EXPECT_TRUE(g.Modified);
    ASSERT_EQ(8, g.Spelers.Count());
    for (int nr = 1; nr <= 8; ++nr) {
        const TSp* sp = g.Spelers.GetSpelerOnBergerNr(nr);
        ASSERT_NE(nullptr, sp);
        EXPECT_EQ("", sp->Rec.Achternaam);
        EXPECT_EQ(0, sp->Rec.Relnr);
    }
    ASSERT_EQ(28, g.Games.Count());
    ExpectNewGames(g, datum, 7);
    ExpectRoundRobin(g, 1);
    EXPECT_EQ(28, g.Games.GetNrEmptyGames());
}

TEST_F(BergerFormTest, NewGroupOfEightDoubleRound) {
    const TDateTime datum = EncodeDate(2027, 1, 8);
    Open([&] {
        SetOptie(boDubbelRondig, true);
        EXPECT_EQ("8 spelers; 56 partijen; (dubbelrondig)", F->StatusBar->Panels(1)->Text);
        EXPECT_EQ("r14 8-4 3-5 2-6 1-7", Row(14)); // round 7 with colours reversed
        F->GroepNaamEdit->SetText("Wintercompetitie");
        F->DatumPicker->SetDate(datum);
        F->DeelinBitBtn->Click();
        F->SetModalResult(mrCancel);
    });
    EXPECT_TRUE(F->Made());
    const TGroep& g = *Groep;
    EXPECT_EQ(1, g.Rec.DubbelRondig);
    ASSERT_EQ(56, g.Games.Count());
    ExpectNewGames(g, datum, 14);
    ExpectRoundRobin(g, 2);
    // The second meeting reverses the colours of the first.
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < g.Games.Count(); ++i) {
        const TGameRec& r = g.Games.Game(i)->Rec;
        EXPECT_TRUE(seen.insert({r.Slots[0].BergerNr, r.Slots[1].BergerNr}).second);
    }
}

TEST_F(BergerFormTest, OddGroupClosesUnchangedAndOddCountGetsTheBye) {
    Use(MakeGroep(5, "Jeugd"));
    Open([&] {
        EXPECT_EQ(5, F->AantalSpin->Value());
        EXPECT_EQ("Wissel r4 r5", F->OptiesCheckBox->Items()->Strings(boWissel));
        EXPECT_EQ("6 spelers; 15 partijen;", F->StatusBar->Panels(1)->Text);
        F->KlaarBitBtn->Click();
    });
    EXPECT_TRUE(Asked().empty());
    EXPECT_FALSE(F->Made());
    EXPECT_EQ("Speler1", Groep->Spelers.GetSpelerOnBergerNr(1)->Rec.Achternaam);

    // Seven chosen: the table of eight, whose eighth number is the bye.
    Dialogs->QueueAnswer(mrYes);
    Open([&] {
        F->Spin->UpButton()->Click(); // rotation does not change the count
        F->AantalSpin->SpinButton()->UpButton()->Click();
        EXPECT_EQ(7, F->AantalSpin->Value());
        EXPECT_EQ("0", F->DraaiEdit->Text());
        F->KlaarBitBtn->Click();
    });
    ASSERT_EQ(1u, Asked().size());
    EXPECT_EQ("Nieuwe groep Jeugd indelen ?\r\r8 spelers; 28 partijen;", Asked()[0]);
    const TGroep& g = *Groep;
    ASSERT_EQ(8, g.Spelers.Count());
    const TSp* vrij = g.Spelers.GetSpelerOnBergerNr(8);
    ASSERT_NE(nullptr, vrij);
    EXPECT_FALSE(vrij->IsNotVrij());
    EXPECT_EQ("VRIJ", vrij->Rec.Achternaam);
    EXPECT_TRUE(g.Spelers.GetSpelerOnBergerNr(7)->IsNotVrij());
    ExpectNewGames(g, g.Rec.DatumEersteRonde, 7);
    // Seven games against the bye are free games, not games still to play.
    EXPECT_EQ(21, g.Games.GetNrEmptyGames());

    // Opening the new group again is no change.
    Open([&] { F->KlaarBitBtn->Click(); });
    EXPECT_EQ(1u, Asked().size());
    EXPECT_FALSE(F->Made());
}

TEST_F(BergerFormTest, GroupWithoutDateKeepsToday) {
    Groep->Rec.DatumEersteRonde = 0;
    Open([&] {
        EXPECT_EQ(Date(), F->DatumPicker->Date());
        F->KlaarBitBtn->Click();
    });
    Groep->Rec.DatumEersteRonde = EncodeDate(2026, 3, 2);
    Open([&] {
        EXPECT_EQ(EncodeDate(2026, 3, 2), F->DatumPicker->Date());
        F->KlaarBitBtn->Click();
    });
}

TEST_F(BergerFormTest, PictureOfEightPlayersWithBoardColours) {
    Open([&] {
        SetOptie(boBordKleur, true);
        SavePicture(*F, "bergerform.png");
        F->SetModalResult(mrCancel);
        SetOptie(boBordKleur, false);
    });
}

} // namespace
