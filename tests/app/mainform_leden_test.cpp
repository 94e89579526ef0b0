// The main window's federation lists: loading a list from the "Laad lijst"
// page, searching it, taking members into the group, the list trees.

#include <gtest/gtest.h>

#include <memory>

#include "app/ledenlijst.h"
#include "app/mainform.h"
#include "apptestenv.h"
#include "grid/columngrid.h"
#include "model/textutils.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/messages.h"
#include "platform/vcl/synthinput.h"
#include "vz_test_support.h"
#include "widgettest.h"

namespace {

struct TLid {
    int Relnr;
    const char* Achternaam;
    const char* Voornaam;
    const char* Tv;
    char Sexe;
    int Rating;
};

// Twelve members, so that the list is shown and searchable.
const TLid Leden[] = {
    {7500001, "Aarts", "Wim", "", 'M', 1620},
    {7500002,
     "\xC7"
     "elik",
     "Mehmet", "", 'M', 1710},
    {7500003, "Jansenmeijer", "Lotte", "", 'V', 1530},
    {7500004, "Koster",
     "\xEB"
     "lla",
     "de", 'V', 1488},
    {7500005, "Linden", "Bas", "van der", 'M', 1802},
    {7500006, "Maas", "Rik", "", 'M', 1390},
    {7500007, "Noord", "Ella", "", 'V', 1275},
    {7500008, "Oosten", "Joep", "van", 'M', 1944},
    {7500009, "Peters", "Sem", "", 'M', 1501},
    {7500010, "Quist", "Noor", "", 'V', 1666},
    {7500011, "Rovers", "Daan", "", 'M', 1733},
    {7500012, "Jansen", "Piet", "", 'M', 1111},
};

std::string RatingListText() {
    std::string text = "KNSB rating lijst januari 2024\r\n";
    int seq = 0;
    for (const TLid& l : Leden)
        text += Pad(IntToStr(++seq), 6) + " " + IntToStr(l.Relnr) + " " + Pad(l.Achternaam, 19) +
                " " + Pad(l.Voornaam, 9) + " " + Pad(l.Tv, 7) + " " + std::string(1, l.Sexe) + " " +
                Pad(IntToStr(l.Rating), 5) + "\r\n";
    return text;
}

int LedenRowOf(TExtStringGrid& Grid, int Relnr) {
    for (int r = 1; r < Grid.RowCount(); ++r)
        if (Grid.Cells(2, r) == IntToStr(Relnr)) return r;
    return -1;
}

} // namespace

class MainFormLeden : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        Groep = MakeClubGroep(false, true);
        // Surname first, as the window's name choice starts: the search is by surname.
        Groep->Rec.NaamMode = nmAchternaamEerst;
        Scope = std::make_unique<TCurGroepScope>(Groep.get());
        Form = std::make_unique<TMainForm>(nullptr);
        Form->SetBounds(0, 0, 1000, 700);
        Form->PageControl->SetActivePage(Form->SpelersSheet);
        EnsureGroupControls();
        WriteBytes(Dir.File("krat 24-01.txt"), RatingListText());
        Form->KnsbRatFileName = Dir.File("krat 24-01.txt");
    }
    void TearDown() override {
        Form.reset();
        Scope.reset();
    }

    // The players grid and the rating choice belong to the players page; where
    // that page is not built here, they are stood in for as it shows them.
    void EnsureGroupControls() {
        TMainForm& f = *Form;
        if (!f.RatingRadio) {
            f.RatingRadio = new TRadioGroup(&f);
            f.RatingRadio->SetParent(f.GroepPanel);
            for (const char* item : {"KNSB", "FIDE", "Jeugd", "NJR"})
                f.RatingRadio->Items()->Add(item);
            f.RatingRadio->SetItemIndex(0);
        }
        if (!f.SpEditGrid) {
            f.SpEditGrid = new TExtColumnGrid(&f);
            f.SpEditGrid->SetParent(f.SpelersPanel);
            f.SpEditGrid->SetAlign(alClient);
            f.SpEditGrid->OnDblClickCell = [&f](TObject* S, int R, int C) {
                f.SpEditGridDblClickCell(S, R, C);
            };
        }
        f.FillSpEditGrid();
        if (f.SpEditGrid->RowCount() < 2 || !f.SpEditGrid->Objects(0, 1)) {
            const TSpList& sp = CurGroep->Spelers;
            f.SpEditGrid->SetColCount(6);
            f.SpEditGrid->SetRowCount(sp.Count() + 1);
            f.SpEditGrid->SetCells(1, 0, "Naam");
            for (int i = 0; i < sp.Count(); ++i) {
                f.SpEditGrid->SetObjects(0, i + 1, sp.Sp(i));
                f.SpEditGrid->SetCells(0, i + 1, IntToStr(sp.Sp(i)->Rec.BergerNr) + ".");
                f.SpEditGrid->SetCells(1, i + 1, sp.Sp(i)->GetNaam());
            }
        }
    }

    void LoadRatingList() {
        Form->LijstComboBox->SetItemIndex(0);
        Form->SpeedButton1Click(Form->SpeedButton1);
    }

    TTestFolder Dir;
    std::unique_ptr<TGroep> Groep;
    std::unique_ptr<TCurGroepScope> Scope;
    std::unique_ptr<TMainForm> Form;
};

TEST_F(MainFormLeden, ControlsOfBothPages) {
    TMainForm& f = *Form;
    ASSERT_EQ(f.LijstPageControl->PageCount(), 4);
    EXPECT_EQ(f.LijstPageControl->Pages(0)->Caption(), "Ledenlijst");
    EXPECT_EQ(f.LijstPageControl->Pages(1)->Caption(), "KNSB");
    EXPECT_EQ(f.LijstPageControl->Pages(2)->Caption(), "Jeugd");
    EXPECT_EQ(f.LijstPageControl->Pages(3)->Caption(), "NJR");
    EXPECT_EQ(f.KNSBLedenBox->Caption(), "KNSB Ledenlijst");
    EXPECT_EQ(f.KnsbRaBox->Caption(), "KNSB ratinglijst");
    EXPECT_EQ(f.JeugdRaBox->Caption(), "KNSB Jeugd ratinglijst");
    EXPECT_EQ(f.NJRLedenBox->Caption(), "NJR Ledenlijst");
    EXPECT_EQ(f.KNSBLedenLabel->Caption(), "lid20yymmdd.csv");
    EXPECT_EQ(f.KnsbRaLabel->Caption(), "krat yy-mm.txt");
    EXPECT_EQ(f.JeugdRaLabel->Caption(), "jrat yy-mm.txt");
    EXPECT_EQ(f.NJRLedenLabel->Caption(), "lidNJRyyyy-mm-dd.csv");
    EXPECT_EQ(f.LedenBox->Caption(), "Spelers op lijst");
    EXPECT_EQ(f.ZoekSheet->Caption(), "Zoek Fam.naam");
    EXPECT_EQ(f.LaadSheet->Caption(), "Laad lijst");
    ASSERT_EQ(f.LijstComboBox->Items()->Count(), 4);
    EXPECT_EQ(f.LijstComboBox->Items()->Get(0), "KNSB rating");
    EXPECT_EQ(f.LijstComboBox->Items()->Get(1), "Jeugd rating");
    EXPECT_EQ(f.LijstComboBox->Items()->Get(2), "NJR Ledenlijst");
    EXPECT_EQ(f.LijstComboBox->Items()->Get(3), "KNSB Ledenlijst");
    bool can = true;
    f.LedenGrid->OnCanEditCell(f.LedenGrid, 1, 1, can);
    EXPECT_FALSE(can);
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    f.LedenGrid->OnGetAlignment(f.LedenGrid, 1, 1, h, v);
    EXPECT_EQ(h, taLeftJustify);
    f.LedenGrid->OnGetAlignment(f.LedenGrid, 1, 2, h, v);
    EXPECT_EQ(h, taCenter);
}

TEST_F(MainFormLeden, LoadShowsTheListAndOpensTheSearch) {
    LoadRatingList();
    TMainForm& f = *Form;
    EXPECT_EQ(f.LedenList() ? f.LedenList()->Count() : f.Leden().Count(), 12);
    EXPECT_TRUE(f.ZoekSpeedButton->Enabled());
    EXPECT_EQ(f.LedenBox->Caption(), "Ledenlijst (krat 24-01.txt)");
    EXPECT_EQ(f.LedenPageControl->ActivePage(), f.ZoekSheet);
    EXPECT_EQ(f.LedenGrid->RowCount(), 13);
    EXPECT_EQ(f.LedenGrid->Cells(3, 0), "KNSB"); // the selected rating kind's item
    EXPECT_EQ(f.StatusBar->Panels(1)->Text, "12 namen in krat 24-01.txt");
    f.Show();
    SavePicture(f, "mainform_leden_spelers.png");
}

TEST_F(MainFormLeden, SmallOrMissingListIsNeitherShownNorSearchable) {
    std::string text = RatingListText();
    // Ten members only: the heading and the first ten lines.
    size_t pos = 0;
    for (int i = 0; i < 11; ++i)
        pos = text.find("\r\n", pos) + 2;
    WriteBytes(Dir.File("jrat 24-01.txt"), text.substr(0, pos));
    Form->JeugdRatFileName = Dir.File("jrat 24-01.txt");
    Form->LijstComboBox->SetItemIndex(1);
    Form->LoadLedenList();
    EXPECT_EQ(Form->Leden().Count(), 10);
    EXPECT_FALSE(Form->ZoekSpeedButton->Enabled());
    EXPECT_EQ(Form->LedenBox->Caption(), "Ledenlijst");

    Form->NJRLedenFileName = Dir.File("lidNJR2024-01-01.csv"); // not there
    Form->LijstComboBox->SetItemIndex(2);
    Form->LoadLedenList();
    EXPECT_EQ(Form->Leden().Count(), 0);
    EXPECT_FALSE(Form->ZoekSpeedButton->Enabled());
    // A key in the search box of an empty grid goes nowhere, and harms nothing.
    WORD key = 'A';
    Form->ZoekEditKeyDown(Form->ZoekEdit, key, {});
}

TEST_F(MainFormLeden, SearchTextIsCutToTenAndShown) {
    LoadRatingList();
    TMainForm& f = *Form;
    f.Show();
    f.ZoekEdit->SetText("Jansenmeijerbakk"); // 16 characters
    KeyStroke(f.ZoekEdit, VK_RETURN, '\r');
    PumpPending();
    EXPECT_EQ(f.ZoekEdit->Text(), "Jansenmeij");
    EXPECT_EQ(f.LedenGrid->Row(), LedenRowOf(*f.LedenGrid, 7500003));
    EXPECT_EQ(f.LedenGrid->Col(), 1);

    // "Jansen" matches both; a key starts again from the top, Enter finds the
    // first, the button the next.
    f.ZoekEdit->SetText("jansen");
    WORD key = 'N';
    f.ZoekEditKeyDown(f.ZoekEdit, key, {});
    EXPECT_EQ(f.LedenGrid->Row(), 0);
    key = VK_RETURN;
    f.ZoekEditKeyDown(f.ZoekEdit, key, {});
    const int first = f.LedenGrid->Row();
    f.ZoekSpeedButtonClick(f.ZoekSpeedButton);
    const int second = f.LedenGrid->Row();
    EXPECT_NE(first, second);
    EXPECT_TRUE(first == LedenRowOf(*f.LedenGrid, 7500003) ||
                first == LedenRowOf(*f.LedenGrid, 7500012));
    EXPECT_TRUE(second == LedenRowOf(*f.LedenGrid, 7500003) ||
                second == LedenRowOf(*f.LedenGrid, 7500012));

    // Under two characters the search only goes back to the top.
    f.ZoekEdit->SetText("J");
    f.ZoekSpeedButtonClick(f.ZoekSpeedButton);
    EXPECT_EQ(f.LedenGrid->Row(), 0);
    EXPECT_EQ(f.LedenGrid->Col(), 0);
}

TEST_F(MainFormLeden, DoubleClickOnAPlayerSearchesHisSurname) {
    LoadRatingList();
    TMainForm& f = *Form;
    CurGroep->Spelers.GetSpelerOnBergerNr(1)->Rec.Achternaam = "Rovers";
    ASSERT_TRUE(f.SpEditGrid->OnDblClickCell);
    f.SpEditGrid->OnDblClickCell(f.SpEditGrid, 1, 1);
    EXPECT_EQ(f.ZoekEdit->Text(), "Rovers");
    EXPECT_EQ(f.LedenGrid->Row(), LedenRowOf(*f.LedenGrid, 7500011));
}

TEST_F(MainFormLeden, TakingIntoANewGroupAsksNothingAndAdvances) {
    LoadRatingList();
    TMainForm& f = *Form;
    TScriptedDialogsScope asked;
    f.NewGroepFlag = true;
    f.SpEditGrid->SetRow(2);
    TSp* speler = CurGroep->Spelers.GetSpelerOnBergerNr(2);
    // A new group's player has no name yet.
    speler->Rec.Achternaam = speler->Rec.Tussenvoegsel = speler->Rec.Voornaam = "";
    const std::string voor = [&] {
        std::string file = Dir.File("voor.csv");
        TGroep copy;
        CopyGroep(*CurGroep, copy);
        copy.SaveGroepFile(file);
        TStringList l;
        l.LoadFromFile(file);
        return l.Text();
    }();
    f.ZoekEdit->SetText("Linden");

    const int lidRow = LedenRowOf(*f.LedenGrid, 7500005);
    f.LedenGrid->OnDblClickCell(f.LedenGrid, lidRow, 1);

    EXPECT_TRUE(asked->Asked().empty());
    EXPECT_EQ(speler->Rec.Achternaam, "Linden");
    EXPECT_EQ(speler->Rec.Tussenvoegsel, "van der");
    EXPECT_EQ(speler->Rec.Relnr, 7500005);
    EXPECT_EQ(speler->Rec.BergerNr, 2);
    EXPECT_EQ(speler->Rec.GebJaar, 1990); // the list has none: hers stays
    EXPECT_EQ(f.SpEditGrid->Row(), 3);
    EXPECT_EQ(f.ZoekEdit->Text(), "");
    EXPECT_EQ(f.LedenGrid->Row(), 1);
    EXPECT_TRUE(CurGroep->Modified);
    for (int i = 0; i < CurGroep->Games.Count(); ++i)
        for (const TGameSlot& s : CurGroep->Games.Game(i)->Rec.Slots)
            if (s.BergerNr == 2) {
                EXPECT_EQ(s.Sp, speler);
                EXPECT_EQ(s.Relnr, 7500005);
            }

    // Saved, the group keeps every result; only the new member's row differs,
    // and only in who he is.
    const std::string file = Dir.File("na.csv");
    CurGroep->SaveGroepFile(file);
    TStringList before, after;
    before.SetText(voor);
    after.LoadFromFile(file);
    ASSERT_EQ(after.Count(), before.Count());
    for (int i = 0; i < after.Count(); ++i) {
        if (i != 2) {
            EXPECT_EQ(after.Get(i), before.Get(i)) << i;
            continue;
        }
        EXPECT_NE(after.Get(i).find("Linden"), std::string::npos);
        EXPECT_NE(after.Get(i).find(";7500005;1802;1990;M;"), std::string::npos);
        // The results after the six person columns are the same.
        auto results = [](const std::string& L) {
            size_t p = 0;
            for (int k = 0; k < 7; ++k)
                p = L.find(';', p) + 1;
            return L.substr(p);
        };
        EXPECT_EQ(results(after.Get(i)), results(before.Get(i)));
    }
}

TEST_F(MainFormLeden, TakingIntoAnExistingGroupAsksWithBothDescriptions) {
    LoadRatingList();
    TMainForm& f = *Form;
    TScriptedDialogsScope asked;
    asked->QueueAnswer(mrNo);
    asked->QueueAnswer(mrYes);
    f.NewGroepFlag = false;
    f.SpEditGrid->SetRow(4);
    TSp* speler = CurGroep->Spelers.GetSpelerOnBergerNr(4);
    const int lidRow = LedenRowOf(*f.LedenGrid, 7500002);
    TSp* lid = dynamic_cast<TSp*>(f.LedenGrid->Objects(0, lidRow));
    ASSERT_NE(lid, nullptr);
    const std::string vraag =
        MemberInfoStr(*speler) + "\r\rvervangen door:\r\r" + MemberInfoStr(*lid) + "\r";

    f.LedenGrid->OnDblClickCell(f.LedenGrid, lidRow, 1); // No
    ASSERT_EQ(asked->Asked().size(), 1u);
    EXPECT_EQ(asked->Asked()[0].Text, vraag);
    EXPECT_EQ(asked->Asked()[0].DlgType, mtConfirmation);
    EXPECT_EQ(speler->Rec.Achternaam, "Bakker");
    EXPECT_FALSE(CurGroep->Modified);

    f.LedenGrid->OnDblClickCell(f.LedenGrid, lidRow, 1); // Yes
    ASSERT_EQ(asked->Asked().size(), 2u);
    EXPECT_EQ(speler->Rec.Achternaam, "\xC7"
                                      "elik");
    EXPECT_EQ(speler->Rec.Relnr, 7500002);
    EXPECT_EQ(f.SpEditGrid->Row(), 4); // stays on the row
    EXPECT_TRUE(CurGroep->Modified);
}

// A member already in the group is refused with the reason, the group as it
// was; a named player of a new group is replaced only after a Yes.
TEST_F(MainFormLeden, AMemberTwiceOrANamedPlayerIsNotTakenSilently) {
    LoadRatingList();
    TMainForm& f = *Form;
    TScriptedDialogsScope asked;
    f.NewGroepFlag = true;
    const int lidRow = LedenRowOf(*f.LedenGrid, 7500005);
    f.SpEditGrid->SetRow(3);
    CurGroep->Spelers.GetSpelerOnBergerNr(3)->Rec.Achternaam = "";
    CurGroep->Spelers.GetSpelerOnBergerNr(3)->Rec.Voornaam = "";
    f.LedenGrid->OnDblClickCell(f.LedenGrid, lidRow, 1);
    ASSERT_EQ(CurGroep->Spelers.GetSpelerOnBergerNr(3)->Rec.Relnr, 7500005);
    EXPECT_TRUE(asked->Asked().empty());

    TGroep voor;
    CopyGroep(*CurGroep, voor);
    f.SpEditGrid->SetRow(5);
    f.LedenGrid->OnDblClickCell(f.LedenGrid, lidRow, 1);
    ASSERT_EQ(asked->Asked().size(), 1u);
    EXPECT_EQ(asked->Asked()[0].Text,
              MemberInfoStr(*dynamic_cast<TSp*>(f.LedenGrid->Objects(0, lidRow))) +
                  "\r\rstaat al in de groep als nummer 3.\r"
                  "Een lid kan maar \xE9\xE9n keer in de groep staan.");
    std::string diff;
    EXPECT_TRUE(GroepIsSame(*CurGroep, voor, diff)) << diff;

    // Row 5 holds Henk Visser: a question, and No keeps him.
    asked->QueueAnswer(mrNo);
    f.LedenGrid->OnDblClickCell(f.LedenGrid, LedenRowOf(*f.LedenGrid, 7500006), 1);
    ASSERT_EQ(asked->Asked().size(), 2u);
    EXPECT_NE(asked->Asked()[1].Text.find("vervangen door:"), std::string::npos);
    EXPECT_EQ(CurGroep->Spelers.GetSpelerOnBergerNr(5)->Rec.Achternaam, "Visser");
}

// "Laad" that finds nothing to show says why in the status bar.
TEST_F(MainFormLeden, LoadingNothingSaysWhy) {
    TMainForm& f = *Form;
    const auto Laad = [&f](int Keuze = 0) { // 0 "KNSB rating", 3 "KNSB leden"
        f.LijstComboBox->SetItemIndex(Keuze);
        f.SpeedButton1->Click();
        return f.StatusBar->Panels(1)->Text;
    };
    f.KnsbRatFileName.clear();
    EXPECT_EQ("Geen KNSB rating gekozen: dubbelklik er een op de pagina \"Edit groep\".", Laad());
    f.KnsbRatFileName = Dir.File("weg.txt");
    EXPECT_EQ("weg.txt bestaat niet meer: kies de lijst opnieuw.", Laad());
    WriteBytes(Dir.File("krat 24-02.txt"), "geen lijst\r\nmaar een brief\r\n");
    f.KnsbRatFileName = Dir.File("krat 24-02.txt");
    EXPECT_EQ("krat 24-02.txt bevat geen leden: is dit wel een KNSB rating?", Laad());
    EXPECT_FALSE(f.ZoekSpeedButton->Enabled());
    // A member list with one line far too wide is no member list, and says so.
    WriteBytes(Dir.File("lid20240201.csv"),
               "Relnr;Naam\r\n7500001;" + std::string(5000, 'x') + "\r\n");
    f.KnsbLedenFileName = Dir.File("lid20240201.csv");
    EXPECT_EQ("lid20240201.csv heeft een regel van 5008 tekens; een regel van een ledenlijst heeft "
              "er hoogstens 4096.",
              Laad(3));
}

// A search text with the grid's condition signs, or one that finds nobody,
// gets a short answer in the status bar.
TEST_F(MainFormLeden, SearchThatCannotFindSaysSo) {
    LoadRatingList();
    TMainForm& f = *Form;
    const int row = f.LedenGrid->Row();
    f.ZoekEdit->SetText("Aarts;Maas");
    f.ZoekLid();
    EXPECT_EQ(f.StatusBar->Panels(1)->Text, "Zoek op (het begin van) de achternaam, zonder de "
                                            "tekens & ; ^ | ! < > = \".");
    EXPECT_EQ(row, f.LedenGrid->Row());
    f.ZoekEdit->SetText("Zwart");
    f.ZoekLid();
    EXPECT_EQ(f.StatusBar->Panels(1)->Text,
              "Geen lid gevonden (verder in de lijst) waarvan de naam begint met \"Zwart\".");
}

TEST_F(MainFormLeden, TakingAMemberWithoutAGroupSaysSo) {
    LoadRatingList();
    TMainForm& f = *Form;
    TGroep leeg;
    TCurGroepScope scope(&leeg);
    f.FillSpEditGrid();
    f.LedenGrid->OnDblClickCell(f.LedenGrid, LedenRowOf(*f.LedenGrid, 7500005), 1);
    EXPECT_EQ(f.StatusBar->Panels(1)->Text,
              "Geen groep: open een databestand of maak een nieuwe groep.");
    EXPECT_EQ(0, leeg.Spelers.Count());
}

TEST_F(MainFormLeden, KnsbMemberListSwitchesNJRToYouth) {
    TMainForm& f = *Form;
    std::string text =
        "Relatienummer;VerenigingID;LidmaatschapTypeID;Achternaam;Tussenvoegsel;Voornaam;"
        "Voorletters;Email;Geslacht;Geboren;Nationaliteit;KNSBRating;KNSBJeugdRating;Categorie;"
        "Status;FIDERating;FIDEId;Titel\r\n";
    for (int i = 1; i <= 11; ++i)
        text += IntToStr(7600000 + i) + ";1;1;Lid" + IntToStr(i) + ";;Jan;J.;;M;2008;NED;1500;" +
                IntToStr(1200 + i) + ";;;;;\r\n";
    WriteBytes(Dir.File("lid20240115.csv"), text);
    f.KnsbLedenFileName = Dir.File("lid20240115.csv");
    f.RatingRadio->SetItemIndex(3);
    CurGroep->Rec.RatingType = rtNJR;
    RatingType = rtNJR;
    f.LijstComboBox->SetItemIndex(3);
    f.LoadLedenList();

    EXPECT_EQ(RatingType, rtJeugd);
    EXPECT_EQ(CurGroep->Rec.RatingType, rtJeugd);
    EXPECT_EQ(f.RatingRadio->ItemIndex(), 2);
    EXPECT_EQ(f.Leden().Count(), 11);
    EXPECT_EQ(f.LedenGrid->ColCount(), 7);
    EXPECT_EQ(f.LedenGrid->Cells(5, 0), "Jeugd");
    EXPECT_EQ(f.LedenGrid->Cells(5, 1), "1201");
}

TEST_F(MainFormLeden, TreesOfferTheFilesAndADoubleClickChoosesOne) {
    TMainForm& f = *Form;
    const char* const old = std::getenv("XDG_DOCUMENTS_DIR");
    const std::string saved = old ? old : "";
    setenv("XDG_DOCUMENTS_DIR", Dir.Path().c_str(), 1);
    const std::string data = Dir.Path() + "/Vivazozodi";
    ForceDirectories(data + "/Lijsten");
    WriteBytes(data + "/Lijsten/krat 24-01.txt", RatingListText());
    WriteBytes(data + "/jrat 24-01.txt", RatingListText());
    WriteBytes(data + "/lidNJR2024-01-15.csv", "x");
    WriteBytes(data + "/lid20240115.csv", "x");
    f.KnsbRatFileName = data + "/Lijsten/krat 24-01.txt";
    f.FillListTrees();
    if (old)
        setenv("XDG_DOCUMENTS_DIR", saved.c_str(), 1);
    else
        unsetenv("XDG_DOCUMENTS_DIR");

    EXPECT_EQ(ListTreeFileName(f.KnsbRaTreeView->Selected()), data + "/Lijsten/krat 24-01.txt");
    f.PageControl->SetActivePage(f.EditGroepSheet);
    f.LijstPageControl->SetActivePage(f.KnsbRaSheet);
    f.Show();
    SavePicture(f, "mainform_leden_lijsten.png");
    EXPECT_EQ(f.JeugdRaTreeView->Items()->Count(), 2);
    EXPECT_EQ(f.NJRLedenTreeView->Items()->Count(), 2);
    EXPECT_EQ(f.KNSBLedenTreeView->Items()->Count(), 2);

    // A folder node chooses nothing; a file node becomes the chosen list.
    f.JeugdRaTreeView->SetSelected(f.JeugdRaTreeView->Items()->Item(0));
    f.JeugdRaTreeView->OnDblClick(f.JeugdRaTreeView);
    EXPECT_EQ(f.JeugdRatFileName, "");
    f.JeugdRaTreeView->SetSelected(f.JeugdRaTreeView->Items()->Item(1));
    f.JeugdRaTreeView->OnDblClick(f.JeugdRaTreeView);
    EXPECT_EQ(f.JeugdRatFileName, data + "/jrat 24-01.txt");
    f.NJRLedenTreeView->SetSelected(f.NJRLedenTreeView->Items()->Item(1));
    f.NJRLedenTreeView->OnDblClick(f.NJRLedenTreeView);
    EXPECT_EQ(f.NJRLedenFileName, data + "/lidNJR2024-01-15.csv");
    f.KNSBLedenTreeView->SetSelected(f.KNSBLedenTreeView->Items()->Item(1));
    f.KNSBLedenTreeView->OnDblClick(f.KNSBLedenTreeView);
    EXPECT_EQ(f.KnsbLedenFileName, data + "/lid20240115.csv");
}
