#include <gtest/gtest.h>

#include <memory>

#include "app/mainform.h"
#include "apptestenv.h"
#include "grid/columngrid.h"
#include "model/berger.h"
#include "model/textutils.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/messages.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/synthinput.h"
#include "widgettest.h"

namespace {

// Six players A..F with draw numbers 1..6 and their games, no results.
std::unique_ptr<TGroep> MakeZesGroep() {
    TGroepRec rec;
    rec.Naam = "Zes";
    auto g = std::make_unique<TGroep>(rec);
    for (int nr = 1; nr <= 6; ++nr) {
        TSpRec r;
        r.BergerNr = nr;
        r.Relnr = 7100000 + nr;
        r.Achternaam = std::string("Speler") + static_cast<char>('A' + nr - 1);
        r.Ratings[rtKNSB] = 1500 + nr;
        g->AddSpeler(r, IntToZeroStr(nr, 3));
    }
    MakeBergerGames(*g);
    g->LinkSpelers();
    return g;
}

// Every game side refers to the player with its draw number, carries his
// member number and has its crosstable row by that number.
void ExpectGamesLinked(const TGroep& G) {
    for (int i = 0; i < G.Games.Count(); ++i)
        for (const TGameSlot& s : G.Games.Game(i)->Rec.Slots) {
            const TSp* sp = G.Spelers.GetSpelerOnBergerNr(s.BergerNr);
            ASSERT_NE(sp, nullptr);
            EXPECT_EQ(s.Sp, sp) << "game " << i << " nr " << s.BergerNr;
            EXPECT_EQ(s.Relnr, sp->Rec.Relnr) << "game " << i << " nr " << s.BergerNr;
            EXPECT_EQ(s.Row, s.BergerNr - 1) << "game " << i;
        }
}

class MainFormSpelers : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        Groep = MakeClubGroep();
        Scope = std::make_unique<TCurGroepScope>(Groep.get());
        Form = std::make_unique<TMainForm>(nullptr);
        MainForm = Form.get();
        // The main page's buttons that follow the players' names.
        for (TBitBtn** b : {&Form->UitslagenBitBtn, &Form->StandBitBtn, &Form->RaRapportBitBtn})
            if (!*b) *b = new TBitBtn(Form.get());
        Form->FillSpEditGrid();
    }
    void TearDown() override {
        MainForm = nullptr;
        Form.reset();
        Scope.reset();
    }
    void Use(std::unique_ptr<TGroep> G) {
        Scope.reset();
        Groep = std::move(G);
        Scope = std::make_unique<TCurGroepScope>(Groep.get());
        Form->FillSpEditGrid();
    }
    TExtColumnGrid& Grid() const { return *Form->SpEditGrid; }
    // Selects the row as a click does, also when it is the current row already.
    void Select(int Row) {
        Grid().SetRow(Row == 1 ? 2 : 1);
        Grid().SetRow(Row);
    }
    TSp* Nr(int BergerNr) const { return Groep->Spelers.GetSpelerOnBergerNr(BergerNr); }

    std::unique_ptr<TGroep> Groep;
    std::unique_ptr<TCurGroepScope> Scope;
    std::unique_ptr<TMainForm> Form;
};

// --- group settings ----------------------------------------------------------------------

TEST_F(MainFormSpelers, GroupNameNeedsTwoCharacters) {
    Form->GroepNaamEdit->SetText("  X ");
    Form->EditGroepBitBtnClick(nullptr);
    EXPECT_EQ(Groep->Rec.Naam, "Clubkampioenschap A");
    EXPECT_EQ(Form->GroepNaamEdit->Text(), "Clubkampioenschap A");

    Form->GroepNaamEdit->SetText("  Groep B ");
    Form->EditGroepBitBtnClick(nullptr);
    EXPECT_EQ(Groep->Rec.Naam, "Groep B");
    EXPECT_EQ(Form->StatusBar->Panels(0)->Text, "Groep B");
    EXPECT_EQ(Form->StatusBar->Panels(1)->Text, Groep->GetInfoStr());
}

TEST_F(MainFormSpelers, AGroupReadAfterAnotherKeepsItsOwnSettings) {
    Form->GroepNaamEdit->SetText("Clubkampioenschap A");
    Form->EditGroepBitBtnClick(nullptr);
    // The next group, as read from its file.
    auto b = MakeZesGroep();
    b->Rec.Naam = "Snelschaken B";
    b->Rec.MyUseZVPoints = 0;
    b->Rec.SortAr = {{siWP, 1}, {siOnderling, 0}};
    Use(std::move(b));
    Form->ShowGroepSettings();
    Form->EditGroepBitBtnClick(nullptr);
    EXPECT_EQ(Groep->Rec.Naam, "Snelschaken B");
    EXPECT_EQ(Groep->Rec.MyUseZVPoints, 0);
    EXPECT_EQ(Form->StatusBar->Panels(0)->Text, "Snelschaken B");
    ASSERT_EQ(Form->SortCheckBox->Count(), 2);
    EXPECT_EQ(Form->SortCheckBox->Items()->Strings(0), "WP");
    EXPECT_TRUE(Form->SortCheckBox->Checked(0));
}

TEST_F(MainFormSpelers, EmptyGroupAsksForADataFile) {
    Use(std::make_unique<TGroep>());
    Form->GroepNaamEdit->SetText("");
    Form->EditGroepBitBtnClick(nullptr);
    EXPECT_EQ(Form->StatusBar->Panels(0)->Text, "Geen databestand geselecteerd.");
    EXPECT_EQ(Form->StatusBar->Panels(1)->Text,
              "Selecteer een map en dubbelklik op een databestand.");
    // An empty grid has one empty row, so no window that needs names opens.
    EXPECT_EQ(Grid().RowCount(), 2);
    EXPECT_FALSE(Form->UitslagenBitBtn->Enabled());
    EXPECT_FALSE(Form->StandBitBtn->Enabled());
    EXPECT_FALSE(Form->WegVrijMenu->Enabled);
    EXPECT_FALSE(Form->PlaatsVrijMenu->Enabled);
}

TEST_F(MainFormSpelers, RatingKindAndNameDisplayReachTheGroup) {
    Form->RatingRadio->SetItemIndex(1); // FIDE
    Form->CalcZVCheckBox->SetChecked(false);
    Form->SelNaamRadio->SetItemIndex(0);
    Form->EditGroepBitBtnClick(nullptr);
    EXPECT_EQ(Groep->Rec.RatingType, rtFIDE);
    EXPECT_EQ(RatingType, rtFIDE);
    EXPECT_EQ(Groep->Rec.MyUseZVPoints, 0);
    EXPECT_EQ(Groep->Rec.NaamMode, nmAchternaamEerst);
    EXPECT_EQ(Grid().Cells(3, 0), "FIDE");
    EXPECT_EQ(Grid().Cells(3, 1), "1880");
    EXPECT_EQ(Grid().Cells(1, 2), Nr(2)->GetNaam());

    Form->RatingRadio->SetItemIndex(2);
    Form->SelNaamRadio->SetItemIndex(1);
    Form->SelNaamRadioClick(nullptr);
    EXPECT_EQ(Groep->Rec.RatingType, rtJeugd);
    EXPECT_EQ(Groep->Rec.NaamMode, nmVoornaamEerst);
    EXPECT_EQ(Grid().Cells(3, 0), "Jeugd");
    EXPECT_EQ(Grid().Cells(3, 1), "");
    Form->RatingRadio->SetItemIndex(3);
    Form->EditGroepBitBtnClick(nullptr);
    EXPECT_EQ(Groep->Rec.RatingType, rtNJR);
}

// --- the players grid --------------------------------------------------------------------

TEST_F(MainFormSpelers, GridListsThePlayersInDrawOrder) {
    ASSERT_EQ(Grid().ColCount(), 6);
    ASSERT_EQ(Grid().RowCount(), 9);
    const char* heads[] = {"", "Naam", "Relnr.", "KNSB", "Geb.", "MV"};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(Grid().Cells(c, 0), heads[c]);
    EXPECT_EQ(Grid().Cells(0, 2), "2.");
    EXPECT_EQ(Grid().Objects(0, 2), Nr(2));
    EXPECT_EQ(Grid().Cells(1, 2), Nr(2)->GetNaam());
    EXPECT_EQ(Grid().Cells(2, 2), "7000002");
    EXPECT_EQ(Grid().Cells(3, 2), "1745");
    EXPECT_EQ(Grid().Cells(4, 2), "1990");
    EXPECT_EQ(Grid().Cells(5, 2), "V");
    EXPECT_EQ(Grid().Cells(5, 1), "");
    EXPECT_EQ(Grid().Cells(3, 6), ""); // no rating
    EXPECT_GE(Grid().ColWidths(1), 150);
    EXPECT_TRUE(Form->UitslagenBitBtn->Enabled());
    EXPECT_TRUE(Form->RaRapportBitBtn->Enabled());
    EXPECT_FALSE(Form->WegVrijMenu->Enabled);
    EXPECT_TRUE(Form->PlaatsVrijMenu->Enabled);

    TAlignment h = taLeftJustify;
    TVAlignment v = vtaCenter;
    Grid().GetCellAlignment(3, 1, h, v);
    EXPECT_EQ(h, taCenter);
    h = taLeftJustify;
    Grid().GetCellAlignment(1, 1, h, v);
    EXPECT_EQ(h, taLeftJustify);
    bool edit = true;
    Grid().CanEditCell(1, 1, edit);
    EXPECT_FALSE(edit);
}

// A long name takes only the room the other columns leave, so "Geb." and "MV"
// stay in view; with the room given (the splitter moved) it shows whole.
TEST_F(MainFormSpelers, ALongNameLeavesTheOtherColumnsInView) {
    Nr(1)->Rec.Achternaam = "Weerdenburg-Oosterhuis";
    Nr(1)->Rec.Voornaam = "Maximiliaan";
    Form->PageControl->SetActivePage(Form->SpelersSheet);
    Form->FillSpEditGrid();
    const int heel = Grid().TextColWidth(1, 1, Grid().Cells(1, 1));
    for (const int links : {500, 100}) {
        Form->LedenPanel->SetWidth(links);
        EXPECT_FALSE(Grid().HorzScrollBarShown()) << links; // every column in view
        EXPECT_EQ(links == 100, Grid().ColWidths(1) >= heel) << links;
        SavePicture(*Form, "mainform_spelers_" + std::to_string(links) + ".png");
    }
}

TEST_F(MainFormSpelers, ReadSpEditGridMarksMissingNames) {
    Grid().SetCells(1, 3, "   ");
    Grid().SetCells(1, 4, "Bakker?");
    Grid().SetCells(1, 5, "  Visser ");
    Form->ReadSpEditGrid();
    EXPECT_EQ(Grid().Cells(1, 3), "?");
    EXPECT_EQ(Grid().Cells(1, 4), "?");
    EXPECT_EQ(Grid().Cells(1, 5), "Visser");
    EXPECT_FALSE(Form->UitslagenBitBtn->Enabled());
    EXPECT_FALSE(Form->StandBitBtn->Enabled());
    EXPECT_FALSE(Form->RaRapportBitBtn->Enabled());
}

TEST_F(MainFormSpelers, SelectingARowShowsItsPlayer) {
    Select(2);
    EXPECT_EQ(Form->EditRow, 2);
    EXPECT_EQ(Form->SpFamNaamEdit->Text(), "Berg");
    EXPECT_EQ(Form->SpTVEdit->Text(), "van den");
    EXPECT_EQ(Form->SpVoorNaamEdit->Text(), "Anna");
    EXPECT_EQ(Form->SpVLEdit->Text(), "A.");
    EXPECT_EQ(Form->SpRelNrEdit->Text(), "7000002");
    EXPECT_EQ(Form->SpRatingEdit->Text(), "1745");
    EXPECT_EQ(Form->SpGebJaarEdit->Text(), "1990");
    EXPECT_TRUE(Form->SpGenderBox->Checked());
    EXPECT_TRUE(Form->SpFamNaamEdit->Enabled());

    Form->FillEditBoxes(nullptr);
    EXPECT_EQ(Form->EditRow, -1);
    EXPECT_EQ(Form->SpFamNaamEdit->Text(), "");
    EXPECT_FALSE(Form->SpGenderBox->Checked());
    EXPECT_FALSE(Form->SpFamNaamEdit->Enabled());
    EXPECT_FALSE(Form->SpGenderBox->Enabled());
}

// --- "Zet" -------------------------------------------------------------------------------

TEST_F(MainFormSpelers, ZetMakesInitialsFromALowerCaseFirstName) {
    Select(3);
    Form->SpVoorNaamEdit->SetText("jan");
    Form->SpVLEdit->SetText("");
    Form->ZetSpDataBitBtnClick(nullptr);
    EXPECT_EQ(Nr(3)->Rec.Voornaam, "jan");
    EXPECT_EQ(Nr(3)->Rec.Voorletters, "J.");
    EXPECT_EQ(Nr(3)->Rec.Achternaam, "Dijkstra");
    EXPECT_TRUE(Groep->Modified);
    EXPECT_EQ(Form->EditRow, -1);
    // On to the next player.
    EXPECT_EQ(Grid().Row(), 4);
    EXPECT_EQ(Form->SpFamNaamEdit->Text(), "Bakker");
    EXPECT_EQ(Grid().Cells(1, 3), Nr(3)->GetNaam());
}

TEST_F(MainFormSpelers, ReadEditBoxesDropsAMemberNumberBelowTheFederationRange) {
    Select(3);
    Form->SpRelNrEdit->SetText("4999999");
    TSpRec rec;
    Form->ReadEditBoxes(3, rec);
    EXPECT_EQ(rec.Relnr, 0);
    EXPECT_EQ(Form->SpRelNrEdit->Text(), "");
}

TEST_F(MainFormSpelers, ReadEditBoxesDropsInvalidNumbers) {
    Select(1);
    Form->SpRatingEdit->SetText("abc");
    Form->SpGebJaarEdit->SetText("1800");
    Form->SpRelNrEdit->SetText(" 5000000 ");
    Form->SpGenderBox->SetChecked(true);
    TSpRec rec;
    Form->ReadEditBoxes(7, rec);
    EXPECT_EQ(rec.BergerNr, 7);
    EXPECT_EQ(rec.Relnr, 5000000);
    EXPECT_EQ(rec.Ratings[rtKNSB], 0);
    EXPECT_EQ(rec.GebJaar, 0);
    EXPECT_EQ(rec.Sexe, 'V');
    EXPECT_EQ(rec.Voorletters, "P.");
    EXPECT_EQ(Form->SpRatingEdit->Text(), "");
    EXPECT_EQ(Form->SpGebJaarEdit->Text(), "");
}

// A number "Zet" cannot store would read as none and erase what the player
// had: "Zet" refuses, saying why, and leaves the text to be mended.
TEST_F(MainFormSpelers, ZetRefusesANumberFieldItCannotStoreAndKeepsTheValue) {
    struct Case {
        TEdit* TMainForm::*Veld;
        const char* Typ;
        int (*Waarde)(const TSpRec&);
        const char* Voor; // the message around the field's text
        const char* Na;
        int Wis = 0; // Backspaces before the typing
    };
    const auto rating = [](const TSpRec& R) { return R.Ratings[rtKNSB]; };
    const auto gebJaar = [](const TSpRec& R) { return R.GebJaar; };
    const auto relnr = [](const TSpRec& R) { return R.Relnr; };
    const Case cases[] = {
        {&TMainForm::SpRatingEdit, "x", rating, "Niet gezet: de rating \"",
         "\" is geen getal.\r\r"
         "Typ de rating in cijfers, of maak het veld leeg voor geen rating."},
        {&TMainForm::SpGebJaarEdit, "x", gebJaar, "Niet gezet: het geboortejaar \"",
         "\" is geen getal.\r\r"
         "Typ het geboortejaar in cijfers, of maak het veld leeg voor geen geboortejaar."},
        {&TMainForm::SpRelNrEdit, "x", relnr, "Niet gezet: het relatienummer \"",
         "\" is geen getal.\r\r"
         "Typ het relatienummer in cijfers, of maak het veld leeg voor geen relatienummer."},
        // One digit too many, wherever it lands, is out of range.
        {&TMainForm::SpRatingEdit, "9", rating, "Niet gezet: de rating \"",
         "\" ligt niet tussen 5 en 3299.\r\r"
         "Verbeter de rating, of maak het veld leeg voor geen rating."},
        {&TMainForm::SpGebJaarEdit, "9", gebJaar, "Niet gezet: het geboortejaar \"",
         "\" ligt niet tussen 1904 en 2098.\r\r"
         "Verbeter het geboortejaar, of maak het veld leeg voor geen geboortejaar."},
        // A digit short is no federation number: kept, it would erase his.
        {&TMainForm::SpRelNrEdit, "", relnr, "Niet gezet: het relatienummer \"",
         "\" ligt onder 5000000, het laagste van de bond.\r\r"
         "Verbeter het relatienummer, of maak het veld leeg voor geen relatienummer.",
         1},
    };
    // Each row on its own, so that a failed assertion ends only its row.
    const auto check = [&](const Case& c) {
        TEdit* const veld = Form.get()->*c.Veld;
        TScriptedDialogsScope dialogs;
        Use(MakeClubGroep()); // untouched by the rows before
        Select(1);
        const int waarde = c.Waarde(Nr(1)->Rec);
        ASSERT_NE(waarde, 0);
        veld->SetFocus();
        for (int i = 0; i < c.Wis; ++i)
            KeyStroke(veld, VK_BACK);
        TypeText(veld, c.Typ);
        const std::string typed = veld->Text();
        ASSERT_NE(std::string::npos, typed.find(c.Typ));
        Form->ZetSpDataBitBtn->Click();
        EXPECT_EQ(c.Waarde(Nr(1)->Rec), waarde);
        EXPECT_FALSE(Groep->Modified);
        ASSERT_EQ(1u, dialogs.Dialogs().Asked().size());
        EXPECT_EQ(c.Voor + typed + c.Na, dialogs.Dialogs().Asked()[0].Text);
        EXPECT_EQ(veld->Text(), typed); // left to be mended
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Voor) + c.Typ);
        check(c);
    }
}

TEST_F(MainFormSpelers, ZetKeepsTheRatingsOfTheOtherKinds) {
    Nr(1)->Rec.NrUitslagen = 6;
    Nr(1)->Rec.Plaats = 2;
    Select(1);
    Form->SpRatingEdit->SetText("1950");
    Form->ZetSpDataBitBtnClick(nullptr);
    const TSpRec& r = Nr(1)->Rec;
    EXPECT_EQ(r.Ratings[rtKNSB], 1950);
    EXPECT_EQ(r.Ratings[rtFIDE], 1880);
    // What the standings keep with him stays too.
    EXPECT_EQ(r.NrUitslagen, 6);
    EXPECT_EQ(r.Plaats, 2);
}

TEST_F(MainFormSpelers, ZetWithANewMemberNumberRelinksTheGames) {
    Select(5);
    Form->SpRelNrEdit->SetText("7123456");
    Form->ZetSpDataBitBtnClick(nullptr);
    EXPECT_EQ(Nr(5)->Rec.Relnr, 7123456);
    ExpectGamesLinked(*Groep);
}

TEST_F(MainFormSpelers, ZetOnTheLastRowStaysThere) {
    Select(8);
    Form->SpVLEdit->SetText("");
    Form->ZetSpDataBitBtnClick(nullptr);
    EXPECT_EQ(Grid().Row(), 8);
    EXPECT_EQ(Form->SpVLEdit->Text(), "B.");
}

TEST_F(MainFormSpelers, EnterInANameFieldRunsZet) {
    Select(2);
    Form->SpFamNaamEdit->SetText("Bergh");
    WORD key = VK_RETURN;
    Form->SpFamNaamEditKeyDown(Form->SpFamNaamEdit, key, {});
    EXPECT_EQ(Nr(2)->Rec.Achternaam, "Bergh");
    EXPECT_EQ(key, 0);
    EXPECT_EQ(Grid().Row(), 3);

    Form->SpVoorNaamEdit->SetText("Karel");
    KeyStroke(Form->SpVoorNaamEdit, VK_RETURN, '\r');
    EXPECT_EQ(Nr(3)->Rec.Voornaam, "Karel");
    key = 'A';
    Form->SpVoorNaamEditKeyDown(Form->SpVoorNaamEdit, key, {});
    EXPECT_EQ(key, 'A');
}

// After "Zet" the director types the next player's first name; after "Vrij" he
// goes on in the field he was in.
TEST_F(MainFormSpelers, ZetAndVrijLeaveTheCursorInANameField) {
    Form->Show();
    Form->PageControl->SetActivePage(Form->SpelersSheet);
    Select(2);
    Form->SpFamNaamEdit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Form->SpFamNaamEdit->Focused(); }));
    Form->ZetSpDataBitBtnClick(nullptr);
    EXPECT_EQ(Grid().Row(), 3);
    EXPECT_TRUE(PumpUntil([&] { return Form->SpVoorNaamEdit->Focused(); }));
    Form->SpFamNaamEdit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Form->SpFamNaamEdit->Focused(); }));
    Form->ZetVrijBitBtnClick(nullptr);
    EXPECT_FALSE(Nr(3)->IsNotVrij());
    EXPECT_EQ(Grid().Row(), 4);
    EXPECT_TRUE(PumpUntil([&] { return Form->SpFamNaamEdit->Focused(); }));
    Form->Hide();
}

TEST_F(MainFormSpelers, ZetWithoutAShownPlayerChangesNothing) {
    // As after opening a file: row 1 current, the fields empty and locked.
    Form->FillEditBoxes(nullptr);
    ASSERT_EQ(Grid().Row(), 1);
    Form->ZetSpDataBitBtnClick(nullptr);
    EXPECT_EQ(Nr(1)->Rec.Achternaam, "Jansen");
    EXPECT_EQ(Nr(1)->Rec.Relnr, 7000001);
    EXPECT_FALSE(Groep->Modified);
}

TEST_F(MainFormSpelers, ZetLeavesAMismatchedRowAlone) {
    Select(3);
    Nr(3)->Rec.BergerNr = 9; // the grid still shows him as number 3
    Form->SpFamNaamEdit->SetText("Anders");
    Form->ZetSpDataBitBtnClick(nullptr);
    EXPECT_EQ(Groep->Spelers.Sp(2)->Rec.Achternaam, "Dijkstra");
    EXPECT_FALSE(Groep->Modified);
    EXPECT_EQ(Form->EditRow, -1);
}

TEST_F(MainFormSpelers, ZetNeedsTwoPlayers) {
    auto g = std::make_unique<TGroep>();
    TSpRec r;
    r.BergerNr = 1;
    r.Achternaam = "Alleen";
    g->AddSpeler(r, "001");
    Use(std::move(g));
    Form->FillEditBoxes(Nr(1));
    ASSERT_TRUE(Form->SpFamNaamEdit->Enabled());
    Form->SpFamNaamEdit->SetText("Anders");
    Form->ZetSpDataBitBtnClick(nullptr);
    EXPECT_EQ(Nr(1)->Rec.Achternaam, "Alleen");
    EXPECT_FALSE(Groep->Modified);
}

// --- the bye -----------------------------------------------------------------------------

TEST_F(MainFormSpelers, VrijTurnsThePlayerIntoTheBye) {
    Use(MakeZesGroep());
    Select(3);
    Form->ZetVrijBitBtnClick(nullptr);
    const TSp* bye = Nr(3);
    ASSERT_NE(bye, nullptr);
    EXPECT_FALSE(bye->IsNotVrij());
    EXPECT_EQ(bye->Rec.Achternaam, "VRIJ");
    EXPECT_EQ(bye->Rec.Ratings[rtKNSB], 0);
    EXPECT_EQ(Grid().Row(), 4);
    EXPECT_EQ(Grid().Cells(1, 3), "VRIJ");
    EXPECT_EQ(Form->SpFamNaamEdit->Text(), "SpelerD");
    EXPECT_TRUE(Groep->Modified);
    EXPECT_TRUE(Form->WegVrijMenu->Enabled);
    EXPECT_TRUE(Form->PlaatsVrijMenu->Enabled);
    // His games are the bye's games now.
    ExpectGamesLinked(*Groep);

    // The bye's fields are locked, and "Zet" keeps it the bye.
    Select(3);
    EXPECT_EQ(Form->SpFamNaamEdit->Text(), "VRIJ");
    EXPECT_FALSE(Form->SpFamNaamEdit->Enabled());
    Form->ZetSpDataBitBtnClick(nullptr);
    EXPECT_FALSE(Nr(3)->IsNotVrij());
    EXPECT_EQ(Nr(3)->Rec.Achternaam, "VRIJ");
    ExpectGamesLinked(*Groep);
}

// --- moving players ----------------------------------------------------------------------

TEST_F(MainFormSpelers, FirstDrawNumberCannotMoveUp) {
    Select(1);
    Form->OmhoogMenuClick(nullptr);
    EXPECT_EQ(Nr(1)->Rec.Achternaam, "Jansen");
    EXPECT_EQ(Nr(2)->Rec.Achternaam, "Berg");
    EXPECT_FALSE(Groep->Modified);
    EXPECT_EQ(Form->EditRow, -1);
    Select(8);
    Form->OmlaagMenuClick(nullptr);
    EXPECT_EQ(Nr(8)->Rec.Achternaam, "Smit");
    EXPECT_FALSE(Groep->Modified);
}

double PointsOf(const TGroep& G, const TSp* Sp) {
    double sum = 0;
    for (int i = 0; i < G.Games.Count(); ++i)
        for (const TGameSlot& s : G.Games.Game(i)->Rec.Slots)
            if (s.Sp == Sp) sum += UitslagToScore(s.Uitslag);
    return sum;
}

TEST_F(MainFormSpelers, MovingAPlayerTakesHisGamesAlong) {
    TSp* visser = Nr(5);
    TSp* bakker = Nr(4);
    const double score = PointsOf(*Groep, visser);
    Select(5);
    Form->OmhoogMenuClick(nullptr);
    EXPECT_EQ(visser->Rec.BergerNr, 4);
    EXPECT_EQ(bakker->Rec.BergerNr, 5);
    EXPECT_EQ(Grid().Objects(0, 4), visser);
    EXPECT_EQ(Grid().Cells(0, 4), "4.");
    EXPECT_EQ(Grid().Row(), 5);
    EXPECT_TRUE(Groep->Modified);
    ExpectGamesLinked(*Groep);
    EXPECT_DOUBLE_EQ(PointsOf(*Groep, visser), score);
    TKleur kleur;
    const TGame* g = Groep->Games.GetGameOnBgNrs(4, 1, kleur, 1);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Rec.Slots[kleur].Sp, visser);

    Select(4);
    Form->OmlaagMenuClick(nullptr);
    EXPECT_EQ(visser->Rec.BergerNr, 5);
    ExpectGamesLinked(*Groep);
}

TEST_F(MainFormSpelers, PopupMenuOnTheGridOffersTheMoves) {
    ASSERT_EQ(Form->SpEditGrid->PopupMenu(), Form->SpelersPopupMenu);
    TMenuItem* items = Form->SpelersPopupMenu->Items();
    ASSERT_EQ(items->Count(), 5);
    EXPECT_EQ(items->Items(0)->Caption, "Omhoog");
    EXPECT_EQ(items->Items(1)->Caption, "Omlaag");
    EXPECT_TRUE(items->Items(2)->IsLine());
    EXPECT_EQ(items->Items(3)->Caption, "Plaats Vrij");
    EXPECT_EQ(items->Items(4)->Caption, "Verwijder vrij");
    Select(2);
    Form->OmhoogMenu->Click();
    EXPECT_EQ(Nr(1)->Rec.Achternaam, "Berg");
}

// The edit fields follow the selected row through a move and a change of the
// rating kind, so that "Zet" never stores one player's data over another.
TEST_F(MainFormSpelers, FieldsFollowTheRowThroughAMove) {
    Form->PageControl->SetActivePage(Form->SpelersSheet);
    Select(1);
    ASSERT_EQ(Form->SpFamNaamEdit->Text(), "Jansen");
    Form->OmlaagMenu->Click();
    EXPECT_EQ(Nr(1)->Rec.Achternaam, "Berg");
    EXPECT_EQ(Grid().Row(), 1);
    EXPECT_EQ(Form->SpFamNaamEdit->Text(), "Berg");
    EXPECT_EQ(Form->SpVoorNaamEdit->Text(), "Anna");
    EXPECT_FALSE(SavePicture(*Form, "mainform_spelers_omlaag.png").empty());
    Form->ZetSpDataBitBtn->Click();
    EXPECT_EQ(Nr(1)->Rec.Achternaam, "Berg");
    EXPECT_EQ(Nr(1)->Rec.Relnr, 7000002);
    EXPECT_EQ(Nr(2)->Rec.Achternaam, "Jansen");
    EXPECT_EQ(Nr(2)->Rec.Relnr, 7000001);
    ExpectGamesLinked(*Groep);
}

TEST_F(MainFormSpelers, FieldsFollowTheRatingKind) {
    auto Kind = [this](int Item) {
        Form->RatingRadio->SetItemIndex(Item);
        Form->EditGroepBitBtn->Click();
    };
    Select(1); // KNSB 1912, FIDE 1880
    Kind(1);
    EXPECT_EQ(Form->SpRatingEdit->Text(), "1880");
    Kind(0);
    EXPECT_EQ(Grid().Cells(3, 1), "1912");
    EXPECT_EQ(Form->SpRatingEdit->Text(), "1912");
    Form->ZetSpDataBitBtn->Click();
    EXPECT_EQ(Nr(1)->Rec.Ratings[rtKNSB], 1912);
    EXPECT_EQ(Nr(1)->Rec.Ratings[rtFIDE], 1880);

    Select(2); // KNSB 1745, no FIDE rating
    Kind(1);
    EXPECT_EQ(Form->SpRatingEdit->Text(), "");
    Form->ZetSpDataBitBtn->Click();
    EXPECT_EQ(Nr(2)->Rec.Ratings[rtFIDE], 0);
    EXPECT_EQ(Nr(2)->Rec.Ratings[rtKNSB], 1745);
}

// Fields filled under another rating kind are not stored: the row's player is
// shown again and the status bar says why.
TEST_F(MainFormSpelers, ZetRefusesFieldsOfAnotherKind) {
    Select(2);
    RatingType = rtFIDE; // as another window might leave it
    Form->ZetSpDataBitBtn->Click();
    EXPECT_EQ(Nr(2)->Rec.Ratings[rtKNSB], 1745);
    EXPECT_EQ(Nr(2)->Rec.Ratings[rtFIDE], 0);
    EXPECT_FALSE(Groep->Modified);
    EXPECT_NE(Form->StatusBar->Panels(1)->Text.find("Niet gezet"), std::string::npos);
}

// Grey result buttons come with a reason in the status bar, and letters the
// group file cannot hold are reported.
TEST_F(MainFormSpelers, StatusBarSaysWhyTheButtonsAreGrey) {
    Select(3);
    Form->SpFamNaamEdit->SetText("");
    Form->SpVoorNaamEdit->SetText("");
    Form->ZetSpDataBitBtn->Click();
    EXPECT_FALSE(Form->UitslagenBitBtn->Enabled());
    EXPECT_EQ(Form->StatusBar->Panels(1)->Text,
              "Speler 3 heeft nog geen naam: Uitslagen, Stand en Rating rapport wachten daarop.");
    Select(3);
    Form->SpFamNaamEdit->SetText("Dijkstra");
    Form->ZetSpDataBitBtn->Click();
    EXPECT_TRUE(Form->UitslagenBitBtn->Enabled());
    EXPECT_EQ(Form->StatusBar->Panels(1)->Text, Groep->GetInfoStr());

    EXPECT_TRUE(Form->SpVoorNaamEdit->CodePageLetters);
    ASSERT_TRUE(Form->SpVoorNaamEdit->OnTextAdjusted);
    Form->SpVoorNaamEdit->OnTextAdjusted(Form->SpVoorNaamEdit);
    EXPECT_NE(Form->StatusBar->Panels(1)->Text.find("niet kan bewaren"), std::string::npos);
}

// --- tie-break order ---------------------------------------------------------------------

std::vector<std::pair<std::string, bool>> Lines(const TCheckListBox& L) {
    std::vector<std::pair<std::string, bool>> v;
    for (int i = 0; i < L.Count(); ++i)
        v.emplace_back(L.Items()->Strings(i), L.Checked(i));
    return v;
}

using TLines = std::vector<std::pair<std::string, bool>>;

TEST_F(MainFormSpelers, NewGroupGetsTheDefaultCriteria) {
    Groep->Rec.SortAr.clear();
    Form->FillSortCheckBox();
    EXPECT_EQ(Lines(*Form->SortCheckBox), (TLines{{"Onderling resultaat", true},
                                                  {"SB", true},
                                                  {"WP", false},
                                                  {"W-We", false},
                                                  {"Lootnummer", false}}));
    // Stored as shown, as a group file gives them back.
    ASSERT_EQ(Groep->Rec.SortAr.size(), 5u);
    EXPECT_EQ(Groep->Rec.SortAr[1], (TMyStSortItem{siSB, 1}));
    EXPECT_EQ(Groep->Rec.SortAr[3], (TMyStSortItem{siWWe, 0}));
}

TEST_F(MainFormSpelers, CheckingACriterionSwitchesItOn) {
    Groep->Rec.SortAr.clear();
    Form->FillSortCheckBox();
    Form->SortCheckBox->SetChecked(3, true); // W-We
    Form->SortCheckBox->SetChecked(0, false);
    Form->SortCheckBoxClick(nullptr);
    EXPECT_EQ(Groep->Rec.SortAr[3], (TMyStSortItem{siWWe, 1}));
    EXPECT_EQ(Groep->Rec.SortAr[0], (TMyStSortItem{siOnderling, 0}));
}

TEST_F(MainFormSpelers, MoveButtonsMoveTheCriterionShown) {
    Groep->Rec.SortAr.clear();
    Form->FillSortCheckBox();
    // Shown and stored: OR, SB, WP, ... SB up goes before OR.
    Form->SortCheckBox->SetItemIndex(1);
    Form->UpSortButtonClick(nullptr);
    EXPECT_EQ(Lines(*Form->SortCheckBox)[0], (std::pair<std::string, bool>{"SB", true}));
    EXPECT_EQ(Lines(*Form->SortCheckBox)[1],
              (std::pair<std::string, bool>{"Onderling resultaat", true}));
    EXPECT_EQ(Form->SortCheckBox->ItemIndex(), 0);
    EXPECT_EQ(SortArToStr(Groep->Rec.SortAr), "Gesorteerd op: SB; OR (Onderling Resultaat); ");

    // And down again.
    Form->DownSortButtonClick(nullptr);
    EXPECT_EQ(Lines(*Form->SortCheckBox)[0],
              (std::pair<std::string, bool>{"Onderling resultaat", true}));

    // Nothing beyond the ends.
    const TMyStSortAr before = Groep->Rec.SortAr;
    Form->SortCheckBox->SetItemIndex(0);
    Form->UpSortButtonClick(nullptr);
    Form->SortCheckBox->SetItemIndex(4);
    Form->DownSortButtonClick(nullptr);
    EXPECT_EQ(Groep->Rec.SortAr, before);
    Form->SwapSortEntries(1, 3);
    EXPECT_EQ(Groep->Rec.SortAr, before);
}

// --- pictures ----------------------------------------------------------------------------

TEST_F(MainFormSpelers, Pictures) {
    Form->ShowGroepSettings();
    Form->EditGroepBitBtnClick(nullptr);
    Select(2);
    Form->PageControl->SetActivePage(Form->SpelersSheet);
    EXPECT_FALSE(SavePicture(*Form, "mainform_spelers.png").empty());
    Form->PageControl->SetActivePage(Form->EditGroepSheet);
    EXPECT_FALSE(SavePicture(*Form, "mainform_groep.png").empty());
}

} // namespace
