#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "apptestenv.h"
#include "model_fixtures.h"
#include "vz_test_support.h"
#include "widgettest.h"

#include "app/uitslagform.h"
#include "desktop/dkwav.h"
#include "grid/columngrid.h"
#include "model/fileutils.h"
#include "model/objects.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/messages.h"
#include "platform/vcl/synthinput.h"

namespace {

// What each entry code gives (first player, second player); written out here
// so that the window's own table is checked, not restated.
const TUitslagCode Pairs[9][2] = {{0, 0}, {1, 3}, {3, 1}, {2, 2}, {3, 3},
                                  {6, 6}, {4, 6}, {6, 4}, {5, 5}};

class UitslagFormTest : public WidgetTest {
protected:
    void Open(std::unique_ptr<TGroep> G) {
        Groep = std::move(G);
        Scope = std::make_unique<TCurGroepScope>(Groep.get());
        DialogScope = std::make_unique<TScriptedDialogsScope>();
        Dialogs = &DialogScope->Dialogs();
        Form = std::make_unique<TUitslagForm>(nullptr);
        Form->AfterConstruction();
        UitslagForm = Form.get();
        // Silent in tests: a sound file that is not there plays nothing; the
        // player's event still tells that it was asked to play.
        Form->dkWav1->SetPlayFrom(pfFile);
        Form->dkWav1->SetFileName(Folder.File("stil.wav"));
        Form->dkWav1->OnPlayBefore = [this](TObject*) { ++Played; };
    }
    void TearDown() override {
        UitslagForm = nullptr;
        Form.reset();
        DialogScope.reset();
        Scope.reset();
    }
    // The window system activates the shown window a moment after it shows.
    void WaitActive() {
        ASSERT_TRUE(PumpUntil([&] { return !Form->StatusBar->Panels(0)->Text.empty(); }));
    }
    // The games page as the user picks it.
    void ShowGamesPage() {
        Form->PageControl->SetActivePage(Form->GamesSheet);
        Form->PageControlChange(Form->PageControl);
        Form->GamesGrid->SetFocus();
    }
    void ShowTabelPage() {
        Form->PageControl->SetActivePage(Form->TabelSheet);
        Form->PageControlChange(Form->PageControl);
        Form->TabelGrid->SetFocus();
    }
    int GamesRowOf(const TGame* Game) const {
        for (int r = 1; r < Form->GamesGrid->RowCount(); ++r)
            if (Form->GamesGrid->Objects(0, r) == Game) return r;
        return -1;
    }
    // Types a digit on the games page in the row of the game.
    void TypeOnGame(const TGame* Game, char Digit) {
        const int r = GamesRowOf(Game);
        ASSERT_GT(r, 0);
        Form->GamesGrid->FocusCell(1, r, true);
        KeyStroke(Form->GamesGrid, static_cast<WORD>(Digit), Digit);
    }
    TGame* GameOf(int A, int B, int EersteHelft = 1) {
        TKleur K;
        return Groep->Games.GetGameOnBgNrs(A, B, K, EersteHelft);
    }
    TUitslagCode RondeUitslag(int BergerNr, int Ronde) {
        const TSp* Sp = Groep->Spelers.GetSpelerOnBergerNr(BergerNr);
        const int i = Sp->GetRoundIndex(Ronde);
        return i < 0 ? 255 : Sp->Rondes[static_cast<size_t>(i)].Uitslag;
    }

    TTestFolder Folder{"vz_uitslag"};
    std::unique_ptr<TGroep> Groep;
    std::unique_ptr<TCurGroepScope> Scope;
    TScriptedDialogs* Dialogs = nullptr;
    std::unique_ptr<TScriptedDialogsScope> DialogScope;
    std::unique_ptr<TUitslagForm> Form;
    int Played = 0;
};

// A club group whose draw number Nr is the bye: seven players and "VRIJ".
std::unique_ptr<TGroep> MakeVrijGroep(int Nr = 8) {
    auto G = MakeClubGroep(false, false);
    TSp* Sp = G->Spelers.GetSpelerOnBergerNr(Nr);
    Sp->Rec.Relnr = VrijRelnr;
    Sp->Rec.Achternaam = "VRIJ";
    Sp->Rec.Voornaam.clear();
    Sp->Rec.Voorletters.clear();
    Sp->Rec.Ratings = {};
    return G;
}

TEST_F(UitslagFormTest, CodeListShowsTheNineCodesAndIsNeverEdited) {
    Open(MakeClubGroep());
    TExtColumnGrid* R = Form->ResultGrid;
    ASSERT_EQ(9, R->RowCount());
    ASSERT_EQ(2, R->ColCount());
    const char* Texts[] = {"..-..",     "1-0",       "0-1",       "\xBD-\xBD",      "0-0",
                           "0-0 Regl.", "1-0 Regl.", "0-1 Regl.", "\xBD-\xBD Regl."};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(std::to_string(c), R->Cells(0, c));
        EXPECT_EQ(Texts[c], R->Cells(1, c));
        auto* Obj = dynamic_cast<TIntegerObj*>(R->Objects(0, c));
        ASSERT_NE(nullptr, Obj);
        EXPECT_EQ(c, Obj->Value);
        EXPECT_EQ(clAqua, R->GetCellBackColor(1, c));
        bool CanEdit = true;
        Form->ResultGridCanEditCell(R, c, 1, CanEdit);
        EXPECT_FALSE(CanEdit);
    }
    EXPECT_FALSE(Form->CheckListBox->Checked(TUitslagForm::ciVrijInvullen));
}

// A dialog closing over the window activates it again: its page, status line
// and changed flag stay; only a new showing starts afresh.
TEST_F(UitslagFormTest, ActivationAfterADialogKeepsTheWindowsState) {
    Open(MakeClubGroep(false, false));
    RunModal(*Form, [&] {
        WaitActive();
        Form->PageControl->SetActivePage(Form->GamesSheet);
        Form->GamesGrid->FocusCell(1, 1, true);
        Form->SetGamesUitslag(1);
        const std::string status = Form->StatusBar->Panels(1)->Text;
        Form->FormActivate(Form.get());
        EXPECT_EQ(Form->GamesSheet, Form->PageControl->ActivePage());
        EXPECT_EQ(status, Form->StatusBar->Panels(1)->Text);
        EXPECT_TRUE(Form->Changed());
        Form->SetModalResult(mrOk);
    });
    // A new showing starts on the crosstable again.
    RunModal(*Form, [&] {
        EXPECT_TRUE(PumpUntil([&] { return Form->PageControl->ActivePage() == Form->TabelSheet; }));
        Form->SetModalResult(mrOk);
    });
}

TEST_F(UitslagFormTest, GamesPageListsEveryGameInRoundOrder) {
    Open(MakeClubGroep(false, false));
    RunModal(*Form, [&] {
        WaitActive();
        TExtColumnGrid* G = Form->GamesGrid;
        EXPECT_EQ("Wit", G->Cells(1, 0));
        EXPECT_EQ("Zwart", G->Cells(3, 0));
        EXPECT_EQ("W-Z", G->Cells(7, 0));
        ASSERT_EQ(29, G->RowCount());
        int LastRonde = 0;
        for (int r = 1; r < G->RowCount(); ++r) {
            auto* Game = dynamic_cast<TGame*>(G->Objects(0, r));
            ASSERT_NE(nullptr, Game);
            EXPECT_GE(Game->Rec.Ronde, LastRonde);
            LastRonde = Game->Rec.Ronde;
            EXPECT_EQ("r" + std::to_string(Game->Rec.Ronde), G->Cells(0, r));
            EXPECT_EQ(Groep->Spelers.GetSpelerOnBergerNr(Game->Rec.Slots[0].BergerNr)->GetNaam(),
                      G->Cells(1, r));
            EXPECT_EQ(std::to_string(Game->Rec.Slots[0].BergerNr) + "-" +
                          std::to_string(Game->Rec.Slots[1].BergerNr),
                      G->Cells(7, r));
            EXPECT_EQ(clAqua, G->GetCellBackColor(4, r));
            EXPECT_EQ(clAqua, G->GetCellBackColor(6, r));
        }
        EXPECT_EQ("Clubkampioenschap A", Form->StatusBar->Panels(0)->Text);
    });
}

TEST_F(UitslagFormTest, EveryCodeTypedOnTheGamesPageReachesBothPlayers) {
    Open(MakeClubGroep(false, false));
    RunModal(*Form, [&] {
        WaitActive();
        ShowGamesPage();
        // Nine different games, one per code.
        const int Paren[9][2] = {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6},
                                 {1, 7}, {1, 8}, {2, 3}, {2, 4}};
        for (int Code = 0; Code <= 8; ++Code) {
            TGame* Game = GameOf(Paren[Code][0], Paren[Code][1]);
            ASSERT_NE(nullptr, Game);
            // A result first, so that code 0 visibly takes it away again.
            Game->SetUitslag(1, kWit);
            TypeOnGame(Game, static_cast<char>('0' + Code));
            const int W = Game->Rec.Slots[0].BergerNr, Z = Game->Rec.Slots[1].BergerNr;
            EXPECT_EQ(Pairs[Code][0], Game->Rec.Slots[0].Uitslag) << "code " << Code;
            EXPECT_EQ(Pairs[Code][1], Game->Rec.Slots[1].Uitslag) << "code " << Code;
            EXPECT_EQ(Pairs[Code][0], RondeUitslag(W, Game->Rec.Ronde)) << "code " << Code;
            EXPECT_EQ(Pairs[Code][1], RondeUitslag(Z, Game->Rec.Ronde)) << "code " << Code;
            const int r = GamesRowOf(Game);
            EXPECT_EQ(UitslagToStr(Pairs[Code][0]), Form->GamesGrid->Cells(4, r));
            EXPECT_EQ(UitslagToStr(Pairs[Code][1]), Form->GamesGrid->Cells(6, r));
            EXPECT_EQ(Code, Form->ResultGrid->Row());
            EXPECT_EQ(Game->GetGameStr(), Form->StatusBar->Panels(1)->Text) << "code " << Code;
        }
        EXPECT_TRUE(Form->Changed());
        EXPECT_TRUE(Groep->Modified);
        // The running score follows: white of 1-2 lost code 0 -> nothing, 1-3 won.
        const TSp* Een = Groep->Spelers.GetSpelerOnBergerNr(1);
        EXPECT_GT(Een->GetScoreAfterRound(Form->LastRound()), 0.0);
    });
}

TEST_F(UitslagFormTest, AfterAnEntryTheNextOpenGameBecomesCurrent) {
    Open(MakeClubGroep(false, false));
    RunModal(*Form, [&] {
        WaitActive();
        ShowGamesPage();
        TExtColumnGrid* G = Form->GamesGrid;
        // Rows 2 and 3 already have results: the entry on row 1 skips them.
        for (int r : {2, 3})
            dynamic_cast<TGame*>(G->Objects(0, r))->SetUitslag(3, kWit);
        G->FocusCell(1, 1, true);
        KeyStroke(G, '1', '1');
        EXPECT_EQ(4, G->Row());
        // Moving by hand is not an entry: the arrow goes one row down only.
        KeyStroke(G, VK_DOWN);
        EXPECT_EQ(5, G->Row());
        // Other keys enter nothing.
        KeyStroke(G, '9', '9');
        auto* Game = dynamic_cast<TGame*>(G->Objects(0, 5));
        EXPECT_EQ(ucGeen, Game->Rec.Slots[0].Uitslag);
    });
}

TEST_F(UitslagFormTest, GamesAgainstTheByeTakeADigitOnlyWhenChosen) {
    Open(MakeVrijGroep());
    RunModal(*Form, [&] {
        WaitActive();
        ShowGamesPage();
        TGame* Vrij = GameOf(3, 8);
        ASSERT_NE(nullptr, Vrij);
        const int r = GamesRowOf(Vrij);
        EXPECT_EQ(clBlack, Form->GamesGrid->GetCellBackColor(4, r));
        const int CodeRow = Form->ResultGrid->Row();
        TypeOnGame(Vrij, '1');
        EXPECT_EQ(ucGeen, Vrij->Rec.Slots[0].Uitslag);
        EXPECT_EQ(ucGeen, Vrij->Rec.Slots[1].Uitslag);
        EXPECT_EQ(CodeRow, Form->ResultGrid->Row()); // a refused code picks none

        Form->CheckListBox->SetChecked(TUitslagForm::ciVrijInvullen, true);
        Form->CheckListBoxClick(Form->CheckListBox);
        EXPECT_EQ(clAqua, Form->GamesGrid->GetCellBackColor(4, GamesRowOf(Vrij)));
        TypeOnGame(Vrij, '1');
        // Seen from white, whichever colour the bye has.
        EXPECT_EQ(ucWinst, Vrij->Rec.Slots[0].Uitslag);
        EXPECT_EQ(ucVerlies, Vrij->Rec.Slots[1].Uitslag);
        EXPECT_EQ(ucWinst, RondeUitslag(Vrij->Rec.Slots[0].BergerNr, Vrij->Rec.Ronde));
        EXPECT_EQ(ucVerlies, RondeUitslag(Vrij->Rec.Slots[1].BergerNr, Vrij->Rec.Ronde));
    });
}

TEST_F(UitslagFormTest, TypedCodesSkipTheGamesOfTheBye) {
    Open(MakeVrijGroep());
    RunModal(*Form, [&] {
        WaitActive();
        ShowGamesPage();
        TExtColumnGrid* G = Form->GamesGrid;
        // Round 1 from 2-7 on, then round 2, whose first game is the bye's 8-5.
        struct TEntry {
            int Wit, Zwart;
            char Code;
        };
        const TEntry Entries[] = {{2, 7, '1'}, {3, 6, '3'}, {4, 5, '2'},
                                  {6, 4, '6'}, {7, 3, '2'}, {1, 2, '1'}};
        G->FocusCell(1, GamesRowOf(GameOf(2, 7)), true);
        for (const TEntry& e : Entries)
            KeyStroke(G, static_cast<WORD>(e.Code), e.Code);
        for (const TEntry& e : Entries) {
            const TGame* Game = GameOf(e.Wit, e.Zwart);
            ASSERT_NE(nullptr, Game);
            ASSERT_EQ(e.Wit, Game->Rec.Slots[0].BergerNr);
            EXPECT_EQ(Pairs[e.Code - '0'][0], Game->Rec.Slots[0].Uitslag)
                << e.Wit << "-" << e.Zwart;
            EXPECT_EQ(Pairs[e.Code - '0'][1], Game->Rec.Slots[1].Uitslag)
                << e.Wit << "-" << e.Zwart;
        }
        // A code typed on the bye's game is refused where it stands.
        TGame* Vrij = GameOf(8, 5);
        TypeOnGame(Vrij, '1');
        EXPECT_EQ(GamesRowOf(Vrij), G->Row());
        EXPECT_EQ(ucGeen, Vrij->Rec.Slots[0].Uitslag);
    });
}

TEST_F(UitslagFormTest, MovedPlayersGetTheResultsOfTheirNewNumbers) {
    auto G = MakeClubGroep(false, false);
    // The players page moves Berg to number 1 and Jansen to 2; the games stay
    // with the numbers of the table and still point at the players of before.
    G->Spelers.GetSpelerOnBergerNr(1)->Rec.BergerNr = 0;
    G->Spelers.GetSpelerOnBergerNr(2)->Rec.BergerNr = 1;
    G->Spelers.GetSpelerOnBergerNr(0)->Rec.BergerNr = 2;
    G->Spelers.SorteerOpBergerNr();
    Open(std::move(G));
    RunModal(*Form, [&] {
        WaitActive();
        ShowGamesPage();
        TGame* Game = GameOf(1, 5);
        ASSERT_NE(nullptr, Game);
        const bool EenWit = Game->Rec.Slots[0].BergerNr == 1;
        TypeOnGame(Game, EenWit ? '1' : '2'); // number 1 wins
        const TSp* Een = Groep->Spelers.GetSpelerOnBergerNr(1);
        EXPECT_EQ("Berg", Een->Rec.Achternaam);
        EXPECT_EQ(ucWinst, RondeUitslag(1, Game->Rec.Ronde));
        EXPECT_EQ(ucVerlies, RondeUitslag(5, Game->Rec.Ronde));
        EXPECT_EQ(1.0, Een->GetScoreAfterRound(Form->LastRound()));
        EXPECT_EQ(0.0,
                  Groep->Spelers.GetSpelerOnBergerNr(2)->GetScoreAfterRound(Form->LastRound()));
        EXPECT_NE(std::string::npos, Form->StatusBar->Panels(1)->Text.find("Berg"));
    });
}

TEST_F(UitslagFormTest, TheSoundPlaysOnceWhenTheLastOpenGameIsFilled) {
    auto G = MakeClubGroep(false, true);
    // Two games open again.
    TGame* A = EnterResult(*G, 1, 2, 0);
    TGame* B = EnterResult(*G, 3, 4, 0);
    Open(std::move(G));
    RunModal(*Form, [&] {
        WaitActive();
        EXPECT_EQ(2, Form->NrEmptyGames());
        EXPECT_TRUE(Form->SoundPending());
        ShowGamesPage();
        TypeOnGame(A, '3');
        EXPECT_EQ(0, Played);
        TypeOnGame(B, '1');
        EXPECT_EQ(1, Played);
        EXPECT_FALSE(Form->SoundPending());
        // Filling a game again and again is no new "last game".
        TypeOnGame(B, '2');
        TypeOnGame(A, '0');
        TypeOnGame(A, '1');
        EXPECT_EQ(1, Played);
    });
}

TEST_F(UitslagFormTest, NoSoundWhenNoGameWasOpenAtActivation) {
    Open(MakeClubGroep(false, true));
    RunModal(*Form, [&] {
        WaitActive();
        EXPECT_FALSE(Form->SoundPending());
        ShowGamesPage();
        TypeOnGame(GameOf(1, 2), '0');
        TypeOnGame(GameOf(1, 2), '1');
        EXPECT_EQ(0, Played);
    });
}

TEST_F(UitslagFormTest, WegAnsweredNoKeepsEveryResult) {
    Open(MakeClubGroep(false, true));
    std::vector<TUitslagCode> Before;
    for (int i = 0; i < Groep->Games.Count(); ++i)
        for (const TGameSlot& S : Groep->Games.Game(i)->Rec.Slots)
            Before.push_back(S.Uitslag);
    RunModal(*Form, [&] {
        WaitActive();
        Dialogs->QueueAnswer(mrNo);
        Form->ClearBitBtn->Click();
        ASSERT_EQ(1u, Dialogs->Asked().size());
        EXPECT_EQ("Alle wedstrijd uitslagen verwijderen ?\r", Dialogs->Asked()[0].Text);
        EXPECT_FALSE(Form->Changed());
        size_t k = 0;
        for (int i = 0; i < Groep->Games.Count(); ++i)
            for (const TGameSlot& S : Groep->Games.Game(i)->Rec.Slots)
                EXPECT_EQ(Before[k++], S.Uitslag);

        Dialogs->QueueAnswer(mrYes);
        Form->ClearBitBtn->Click();
        for (int i = 0; i < Groep->Games.Count(); ++i)
            for (const TGameSlot& S : Groep->Games.Game(i)->Rec.Slots)
                EXPECT_EQ(ucGeen, S.Uitslag);
        EXPECT_EQ(" ", Form->GamesGrid->Cells(4, 1));
        EXPECT_EQ(0.0, Groep->Spelers.Sp(0)->GetScoreAfterRound(Form->LastRound()));
        // Deleting is a change the main window must be told about.
        EXPECT_TRUE(Form->Changed());
        EXPECT_TRUE(Form->SoundPending());
    });
}

TEST_F(UitslagFormTest, ClipBoardTakesTheGridOfTheShownPage) {
    Open(MakeClubGroep(false, true));
    RunModal(*Form, [&] {
        WaitActive();
        ShowGamesPage();
        Form->ClipBoardBitBtn->Click();
        const std::string Text = Clipboard()->AsText();
        EXPECT_NE(std::string::npos, Text.find("W-Z"));
        EXPECT_NE(std::string::npos, Text.find(Form->GamesGrid->Cells(1, 5)));
    });
}

TEST_F(UitslagFormTest, SaveTakesThePathAsTheGroupsFile) {
    auto G = MakeClubGroep(false, true);
    G->Rec.Naam = "Club A/B";
    G->Modified = true;
    Open(std::move(G));
    const std::string File = Folder.File("club.csv");
    RunModal(*Form, [&] {
        WaitActive();
        Dialogs->QueueFileName(File);
        Form->SaveDataBitBtn->Click();
        ASSERT_FALSE(Dialogs->Asked().empty());
        EXPECT_TRUE(FileExists(File));
        EXPECT_NE(std::string::npos, ReadBytes(File).find("Club A/B"));
        EXPECT_EQ(File, Groep->Rec.FileName);
        EXPECT_FALSE(Groep->Modified);
        EXPECT_FALSE(Form->SaveDataBitBtn->Enabled());
    });
    EXPECT_EQ("Club A-B.csv", GroepFileName("Club A/B"));
    EXPECT_EQ("a-b-c-d-e-f-g-h-i-.csv", GroepFileName("a\"b*c/d:e<f>g?h\\i|"));
}

TEST_F(UitslagFormTest, SaveAsksBeforeOverwritingAndNoKeepsTheFile) {
    Open(MakeClubGroep(false, true));
    const std::string File = Folder.File("oud.csv");
    { std::ofstream(File) << "oud"; }
    RunModal(*Form, [&] {
        WaitActive();
        Dialogs->QueueFileName(File);
        Dialogs->QueueAnswer(mrNo);
        Form->SaveDataBitBtn->Click();
        ASSERT_EQ(2u, Dialogs->Asked().size());
        EXPECT_NE(std::string::npos,
                  Dialogs->Asked()[1].Text.find(" bestaat reeds.\r\rOverschrijven ?\r"));
        EXPECT_EQ("oud", ReadBytes(File));
        EXPECT_TRUE(Form->SaveDataBitBtn->Enabled());
        EXPECT_NE(File, Groep->Rec.FileName);
    });
}

TEST_F(UitslagFormTest, SaveNeverWritesOverAFileAnotherProgramHolds) {
    Open(MakeClubGroep(false, true));
    const std::string File = Folder.File("open.csv");
    {
        std::ofstream(File) << "in gebruik";
        // An office suite's lock beside the file.
        std::ofstream(Folder.File(".~lock.open.csv#")) << "lock";
    }
    RunModal(*Form, [&] {
        WaitActive();
        Dialogs->QueueFileName(File);
        Dialogs->QueueAnswer(mrYes);
        Form->SaveDataBitBtn->Click();
        ASSERT_EQ(2u, Dialogs->Asked().size());
        EXPECT_NE(std::string::npos,
                  Dialogs->Asked()[1].Text.find(": is reeds in gebruik door een ander programma."));
        EXPECT_EQ("in gebruik", ReadBytes(File));
        EXPECT_TRUE(Form->SaveDataBitBtn->Enabled());
    });
}

TEST_F(UitslagFormTest, AFailedSaveSaysSoAndKeepsTheGroupAsItWas) {
    auto G = MakeClubGroep(false, true);
    G->Modified = true;
    G->Rec.FileName = "oud.csv";
    Open(std::move(G));
    const std::string File = Folder.File("geen map/groep.csv");
    RunModal(*Form, [&] {
        WaitActive();
        Dialogs->QueueFileName(File);
        Form->SaveDataBitBtn->Click();
        ASSERT_EQ(2u, Dialogs->Asked().size());
        EXPECT_EQ("message", Dialogs->Asked()[1].Kind);
        EXPECT_FALSE(FileExists(File));
        EXPECT_EQ("oud.csv", Groep->Rec.FileName);
        EXPECT_TRUE(Groep->Modified);
        EXPECT_TRUE(Form->SaveDataBitBtn->Enabled());
    });
}

TEST_F(UitslagFormTest, SoundIsTheDesktopsOwnWithoutAFileBesideTheProgram) {
    TUitslagForm F(nullptr);
    F.AfterConstruction();
    if (FileExists(ExtractFilePath(Application->ExeName()) + "wolf.wav")) {
        EXPECT_EQ(pfFile, F.dkWav1->PlayFrom());
    } else {
        EXPECT_EQ(pfSystemEvent, F.dkWav1->PlayFrom());
        EXPECT_EQ("complete", F.dkWav1->EventAlias());
    }
    EXPECT_EQ(0u, F.dkWav1->DataSize());
    EXPECT_TRUE(F.dkWav1->NoDefaultSound());
}

} // namespace

namespace {

TEST_F(UitslagFormTest, PicturesOfBothPages) {
    auto G = MakeClubGroep(false, true);
    for (auto [A, B] : {std::pair{1, 8}, {2, 7}, {3, 6}, {4, 5}, {5, 8}})
        EnterResult(*G, A, B, 0);
    Open(std::move(G));
    Form->CheckListBox->SetChecked(TUitslagForm::ciWitZwart, true);
    RunModal(*Form, [&] {
        WaitActive();
        PumpPending();
        SavePicture(*Form, "uitslagform_tabel.png");
        ShowGamesPage();
        PumpPending();
        SavePicture(*Form, "uitslagform_games.png");
    });
}

} // namespace

namespace {

// The crosstable of a group without bye: player n on row n, his result against
// player m in column 2 + m.
class UitslagTabelTest : public UitslagFormTest {
protected:
    TExtColumnGrid* T() const { return Form->TabelGrid; }
    // Types a digit into row player A's cell against B.
    void TypeInTabel(int A, int B, char Digit) {
        T()->FocusCell(2 + B, A, true);
        KeyStroke(T(), static_cast<WORD>(Digit), Digit);
    }
    std::string Cel(int A, int B) const { return Trim(T()->Cells(2 + B, A)); }
    std::string Punten(int A) const { return T()->Cells(2, A); }
};

// Return then Escape in a result or a name cell leaves what it showed, and the
// game keeps its result.
TEST_F(UitslagTabelTest, ReturnThenEscapeKeepsTheCell) {
    Open(MakeClubGroep(false, true));
    RunModal(*Form, [&] {
        WaitActive();
        const TUitslagCode voorGame = GameOf(1, 2)->GetUitslag(SlotWit);
        for (const int c : {2 + 2, 1, 2 + 3}) {
            T()->SetFocus();
            T()->FocusCell(c, 1, true);
            const std::string voor = T()->Cells(c, 1);
            KeyStroke(T(), VK_RETURN);
            TControl* naar = T()->InplaceEditor() && T()->InplaceEditor()->Visible()
                                 ? static_cast<TControl*>(T()->InplaceEditor())
                                 : static_cast<TControl*>(T());
            KeyStroke(naar, VK_ESCAPE);
            EXPECT_EQ(voor, T()->Cells(c, 1)) << c;
        }
        EXPECT_EQ(voorGame, GameOf(1, 2)->GetUitslag(SlotWit));
        Form->SetModalResult(mrOk);
    });
}

TEST_F(UitslagTabelTest, CrosstableShowsThePlayersInDrawOrder) {
    Open(MakeClubGroep(false, true));
    RunModal(*Form, [&] {
        WaitActive();
        ASSERT_EQ(11, T()->ColCount());
        ASSERT_GE(T()->RowCount(), 9);
        for (int n = 1; n <= 8; ++n) {
            EXPECT_EQ(Groep->Spelers.GetSpelerOnBergerNr(n)->GetNaam(), T()->Cells(1, n));
            EXPECT_EQ(n, Groep->Spelers.GetSpelerOnBergerNr(n)->Rec.Plaats);
        }
        // Pieter Jansen (1) against Anna van den Berg (2): code 1 seen from 1.
        EXPECT_EQ("1", Cel(1, 2));
        EXPECT_EQ("0", Cel(2, 1));
        bool CanEdit = false;
        Form->TabelGridCanEditCell(T(), 1, 2 + 2, CanEdit);
        EXPECT_TRUE(CanEdit);
        Form->TabelGridCanEditCell(T(), 1, 2 + 1, CanEdit); // own column
        EXPECT_FALSE(CanEdit);
        Form->TabelGridCanEditCell(T(), 1, 2, CanEdit); // points
        EXPECT_FALSE(CanEdit);
    });
}

TEST_F(UitslagTabelTest, OneInTheBlackPlayersCellGivesBlackTheWin) {
    Open(MakeClubGroep(false, false));
    RunModal(*Form, [&] {
        WaitActive();
        TGame* Game = GameOf(1, 2);
        const int Wit = Game->Rec.Slots[0].BergerNr, Zwart = Game->Rec.Slots[1].BergerNr;
        TypeInTabel(Zwart, Wit, '1');
        EXPECT_EQ(ucVerlies, Game->Rec.Slots[0].Uitslag);
        EXPECT_EQ(ucWinst, Game->Rec.Slots[1].Uitslag);
        EXPECT_EQ("0", Cel(Wit, Zwart));
        EXPECT_EQ("1", Cel(Zwart, Wit));
        EXPECT_EQ("1", Punten(Zwart));
        EXPECT_EQ("0", Punten(Wit));
        // The first points of a fresh group get the points column's green.
        EXPECT_EQ(clLime, T()->GetCellBackColor(2, Zwart));
        EXPECT_EQ(ucWinst, RondeUitslag(Zwart, Game->Rec.Ronde));
        EXPECT_EQ(ucVerlies, RondeUitslag(Wit, Game->Rec.Ronde));
        // The games page shows it too.
        const int r = GamesRowOf(Game);
        EXPECT_EQ("0", Form->GamesGrid->Cells(4, r));
        EXPECT_EQ("1", Form->GamesGrid->Cells(6, r));
        EXPECT_TRUE(Form->Changed());
    });
}

TEST_F(UitslagTabelTest, FiveGivesBothPlayersAForfeitLoss) {
    Open(MakeClubGroep(false, false));
    RunModal(*Form, [&] {
        WaitActive();
        TypeInTabel(3, 6, '5');
        EXPECT_EQ("0r", Cel(3, 6));
        EXPECT_EQ("0r", Cel(6, 3));
        EXPECT_EQ(ucReglVerlies, RondeUitslag(3, GameOf(3, 6)->Rec.Ronde));
        EXPECT_EQ(ucReglVerlies, RondeUitslag(6, GameOf(3, 6)->Rec.Ronde));
    });
}

// Every code, seen from the row player; no entry widens a column, so the
// next click lands where the director aims.
TEST_F(UitslagTabelTest, EveryCodeTypedInTheCrosstableSeenFromTheRowPlayer) {
    Open(MakeClubGroep(false, false));
    RunModal(*Form, [&] {
        WaitActive();
        const auto widths = [&] {
            std::vector<int> w;
            for (int c = 0; c < T()->ColCount(); ++c)
                w.push_back(T()->ColWidths(c));
            return w;
        };
        const std::vector<int> empty = widths();
        const int Paren[9][2] = {{1, 2}, {3, 1}, {1, 4}, {5, 1}, {1, 6},
                                 {7, 1}, {1, 8}, {3, 2}, {2, 4}};
        for (int Code = 0; Code <= 8; ++Code) {
            const int A = Paren[Code][0], B = Paren[Code][1];
            TypeInTabel(A, B, static_cast<char>('0' + Code));
            const TGame* Game = GameOf(A, B);
            const int Ronde = Game->Rec.Ronde;
            EXPECT_EQ(Pairs[Code][0], RondeUitslag(A, Ronde)) << "code " << Code;
            EXPECT_EQ(Pairs[Code][1], RondeUitslag(B, Ronde)) << "code " << Code;
            EXPECT_EQ(Trim(UitslagToStr(Pairs[Code][0])), Cel(A, B)) << "code " << Code;
            EXPECT_EQ(Trim(UitslagToStr(Pairs[Code][1])), Cel(B, A)) << "code " << Code;
            EXPECT_EQ(Code, Form->ResultGrid->Row());
            EXPECT_EQ(empty, widths()) << "code " << Code;
        }
        // Player 1: lost to 3 and 4, drew with 5, nothing against 2, 6 and 7, and
        // won against 8 by forfeit.
        EXPECT_EQ("1\xBD", Punten(1));
    });
}

TEST_F(UitslagTabelTest, OtherKeysAndCellsWithoutAGameEnterNothing) {
    Open(MakeClubGroep(false, true));
    RunModal(*Form, [&] {
        WaitActive();
        const std::string Voor = Cel(1, 2);
        TypeInTabel(1, 2, '9');
        ASSERT_TRUE(T()->EditorMode());
        KeyStroke(T()->InplaceEditor(), VK_RETURN);
        EXPECT_EQ(Voor, Cel(1, 2));
        EXPECT_EQ(ucWinst, RondeUitslag(1, GameOf(1, 2)->Rec.Ronde));
        EXPECT_FALSE(Form->Changed());
        bool Valid = true;
        std::string Value = "x";
        Form->TabelGridCellValidate(T(), 2 + 2, 1, Value, Valid);
        EXPECT_FALSE(Valid);
        Value = "6";
        Form->TabelGridCellValidate(T(), 2 + 2, 1, Value, Valid);
        EXPECT_TRUE(Valid);
        EXPECT_EQ("1r", Value);
        // A cell without a game takes nothing.
        Value = "1";
        Form->TabelGridCellValidate(T(), 2 + 1, 1, Value, Valid);
        EXPECT_FALSE(Valid);
    });
}

TEST_F(UitslagTabelTest, ACodeTypedIntoAnOpenEditorReachesTheGame) {
    Open(MakeClubGroep(false, false));
    RunModal(*Form, [&] {
        WaitActive();
        T()->FocusCell(2 + 6, 4, true);
        T()->SetEditorMode(true);
        ASSERT_NE(nullptr, T()->InplaceEditor());
        TypeText(T()->InplaceEditor(), "2");
        KeyStroke(T()->InplaceEditor(), VK_RETURN);
        EXPECT_EQ("0", Cel(4, 6));
        EXPECT_EQ("1", Cel(6, 4));
        EXPECT_EQ(ucVerlies, RondeUitslag(4, GameOf(4, 6)->Rec.Ronde));
        EXPECT_EQ(ucWinst, RondeUitslag(6, GameOf(4, 6)->Rec.Ronde));
    });
}

TEST_F(UitslagTabelTest, TheByeTakesADigitOnlyWhenChosen) {
    Open(MakeVrijGroep());
    RunModal(*Form, [&] {
        WaitActive();
        EXPECT_EQ(clBlack, T()->GetCellBackColor(2 + 8, 3));
        EXPECT_EQ(clBlack, T()->GetCellBackColor(2 + 3, 8));
        TypeInTabel(3, 8, '1');
        const TGame* Game = GameOf(3, 8);
        EXPECT_EQ(ucGeen, Game->Rec.Slots[0].Uitslag);
        EXPECT_EQ(ucGeen, Game->Rec.Slots[1].Uitslag);

        Form->CheckListBox->SetChecked(TUitslagForm::ciVrijInvullen, true);
        Form->CheckListBoxClick(Form->CheckListBox);
        EXPECT_NE(clBlack, T()->GetCellBackColor(2 + 8, 3));
        TypeInTabel(3, 8, '1');
        EXPECT_EQ(ucWinst, RondeUitslag(3, Game->Rec.Ronde));
        EXPECT_EQ(ucVerlies, RondeUitslag(8, Game->Rec.Ronde));
        EXPECT_EQ("0", Cel(8, 3));
    });
}

TEST_F(UitslagTabelTest, AByeWithAMiddleNumberGoesLastAndTheOthersKeepTheirGames) {
    Open(MakeVrijGroep(3));
    Form->CheckListBox->SetChecked(TUitslagForm::ciVrijInvullen, true);
    RunModal(*Form, [&] {
        WaitActive();
        auto Pl = [&](int Nr) { return Groep->Spelers.GetSpelerOnBergerNr(Nr)->Rec.Plaats; };
        EXPECT_EQ(8, Pl(3));
        EXPECT_EQ(3, Pl(4));
        EXPECT_EQ(Groep->Spelers.GetSpelerOnBergerNr(4)->GetNaam(), T()->Cells(1, 3));
        // Player 4 (row 3) beats player 5 (column of the fourth row: 2 + 4).
        T()->FocusCell(2 + Pl(5), Pl(4), true);
        KeyStroke(T(), '1', '1');
        const int Ronde = GameOf(4, 5)->Rec.Ronde;
        EXPECT_EQ(ucWinst, RondeUitslag(4, Ronde));
        EXPECT_EQ(ucVerlies, RondeUitslag(5, Ronde));
        EXPECT_EQ("0", Trim(T()->Cells(2 + Pl(4), Pl(5))));
        EXPECT_EQ("1", T()->Cells(2, Pl(4)));
        // The game against the bye, typed in the bye's row.
        T()->FocusCell(2 + Pl(6), Pl(3), true);
        KeyStroke(T(), '2', '2');
        const int VrijRonde = GameOf(3, 6)->Rec.Ronde;
        EXPECT_EQ(ucWinst, RondeUitslag(6, VrijRonde));
        EXPECT_EQ(ucVerlies, RondeUitslag(3, VrijRonde));
        EXPECT_EQ("1", Trim(T()->Cells(2 + Pl(3), Pl(6))));
    });
}

TEST_F(UitslagTabelTest, EntriesOnTheGamesPageShowWhenTheCrosstableComesBack) {
    Open(MakeClubGroep(false, false));
    RunModal(*Form, [&] {
        WaitActive();
        ShowGamesPage();
        TGame* Game = GameOf(4, 7);
        TypeOnGame(Game, '3');
        EXPECT_TRUE(Form->GamesGridChanged());
        EXPECT_EQ("", Cel(4, 7));
        ShowTabelPage();
        EXPECT_FALSE(Form->GamesGridChanged());
        EXPECT_EQ("\xBD", Cel(4, 7));
        EXPECT_EQ("\xBD", Cel(7, 4));
        EXPECT_EQ("\xBD", Punten(4));
    });
}

TEST_F(UitslagTabelTest, TheNextEmptyCellBecomesCurrent) {
    auto G = MakeClubGroep(false, true);
    EnterResult(*G, 2, 5, 0);
    EnterResult(*G, 6, 7, 0);
    Open(std::move(G));
    RunModal(*Form, [&] {
        WaitActive();
        // At activation: the first open cell from the top.
        EXPECT_EQ(2, T()->Row());
        EXPECT_EQ(2 + 5, T()->Col());
        KeyStroke(T(), '1', '1');
        EXPECT_EQ("1", Cel(2, 5));
        EXPECT_EQ("0", Cel(5, 2));
        // Row 5 has the same game; the next open one is 6 against 7.
        EXPECT_EQ(6, T()->Row());
        EXPECT_EQ(2 + 7, T()->Col());
        EXPECT_EQ(0, Played);
        KeyStroke(T(), '3', '3');
        EXPECT_EQ(1, Played);
        // Arrows move by hand only.
        T()->FocusCell(4, 1, true);
        KeyStroke(T(), VK_RIGHT);
        EXPECT_EQ(5, T()->Col());
    });
}

TEST_F(UitslagTabelTest, GamesPlayedWithBlackAreSilver) {
    Open(MakeClubGroep(false, true));
    Form->CheckListBox->SetChecked(TUitslagForm::ciWitZwart, true);
    RunModal(*Form, [&] {
        WaitActive();
        TGame* Game = GameOf(1, 8);
        const int Wit = Game->Rec.Slots[0].BergerNr, Zwart = Game->Rec.Slots[1].BergerNr;
        EXPECT_EQ(clSilver, T()->GetCellBackColor(2 + Wit, Zwart));
        EXPECT_NE(clSilver, T()->GetCellBackColor(2 + Zwart, Wit));
        // The last result column as well.
        TGame* Laatste = GameOf(7, 8);
        const int Z = Laatste->Rec.Slots[1].BergerNr, W = Laatste->Rec.Slots[0].BergerNr;
        EXPECT_EQ(clSilver, T()->GetCellBackColor(2 + W, Z));
    });
}

TEST_F(UitslagTabelTest, AfterASaveTheCrosstableStillReachesTheRightCells) {
    auto G = MakeClubGroep(false, false);
    Open(std::move(G));
    const std::string File = Folder.File("groep.csv");
    RunModal(*Form, [&] {
        WaitActive();
        Dialogs->QueueFileName(File);
        Form->SaveDataBitBtn->Click();
        ASSERT_TRUE(FileExists(File));
        TypeInTabel(2, 6, '1');
        EXPECT_EQ("1", Cel(2, 6));
        EXPECT_EQ("0", Cel(6, 2));
        EXPECT_EQ("1", Punten(2));
        EXPECT_EQ(ucWinst, RondeUitslag(2, GameOf(2, 6)->Rec.Ronde));
        EXPECT_TRUE(Form->SaveDataBitBtn->Enabled());
    });
}

} // namespace
