// The road of a director who builds a group from the federation's lists: the
// list files in the data folder, chosen in their trees, loaded and searched on
// the players page, a new group of four from the Berger window, three members
// taken in by double clicks and a fourth typed in, results in the results
// window, a player card from the standings and the rating report written to
// disk. All seven windows stand as the program makes them; the director's
// hand is the synthetic input and the windows' own buttons.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/bergerform.h"
#include "app/ledenlijst.h"
#include "app/mainform.h"
#include "app/newgroepform.h"
#include "app/rarapportform.h"
#include "app/spfide.h"
#include "app/spinfoform.h"
#include "app/standform.h"
#include "app/standgrid.h"
#include "app/uitslagform.h"
#include "apptestenv.h"
#include "controls/numeric/numspin.h"
#include "grid/columngrid.h"
#include "mainform_testenv.h"
#include "model/rating.h"
#include "model/textutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/threads.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/messages.h"
#include "platform/vcl/synthinput.h"
#include "vz_test_support.h"

namespace {

struct TLid {
    int Relnr;
    const char* Achternaam;
    const char* Tv;
    const char* Voornaam;
    const char* Vl;
    const char* Sexe;
    const char* Geboren;
    const char* Knsb;
    const char* Jeugd;
    const char* Fide;
};

// Twelve members, so that the lists are shown and searched.
const TLid Leden[] = {
    {7600001, "Aarts", "", "Wim", "W.", "M", "1961", "1620", "", ""},
    {7600002,
     "\xC7"
     "elik",
     "", "Mehmet", "M.", "M", "1988", "1710", "", "1695"},
    {7600003, "Dekker", "", "Anne", "A.", "V", "1999", "1480", "", ""},
    {7600004, "Jansen", "", "Piet", "P.", "M", "1955", "1390", "", ""},
    {7600005, "Smeets-No\xEBl", "", "Zo\xEB", "Z.", "V", "2004", "1588", "1601", "1570"},
    {7600006, "Kuipers", "", "Sanne", "S.", "V", "1990", "1277", "", ""},
    {7600007, "Linden", "van der", "Bas", "B.", "M", "1975", "1802", "", "1811"},
    {7600008, "Maas", "", "Rik", "R.", "M", "1983", "1544", "", ""},
    {7600009, "Noord", "", "Ella", "E.", "V", "2008", "1199", "1250", ""},
    {7600010, "Oosten", "van", "Joep", "J.", "M", "1970", "1944", "", "1950"},
    {7600011, "Peters", "", "Sem", "S.", "M", "1992", "1501", "", ""},
    {7600012, "Quist", "", "Noor", "N.", "V", "1986", "1666", "", ""},
};

// "krat yy-mm.txt": a heading line, then fixed columns (1-6 sequence, 8-14
// member number, 16-34 surname, 36-44 first name, 46-52 particle, 54 sex,
// 56-60 rating), Windows-1252 with CR LF.
std::string KratText() {
    std::string text = "KNSB rating lijst december 2026\r\n";
    int seq = 0;
    for (const TLid& l : Leden)
        text += Pad(IntToStr(++seq), 6) + " " + IntToStr(l.Relnr) + " " + Pad(l.Achternaam, 19) +
                " " + Pad(l.Voornaam, 9) + " " + Pad(l.Tv, 7) + " " + l.Sexe + " " +
                Pad(l.Knsb, 5) + "\r\n";
    return text;
}

// "lid20yymmdd.csv": ';'-separated with the federation's heading.
std::string LidText() {
    std::string text =
        "Relatienummer;VerenigingID;LidmaatschapTypeID;Achternaam;Tussenvoegsel;Voornaam;"
        "Voorletters;Email;Geslacht;Geboren;Nationaliteit;KNSBRating;KNSBJeugdRating;Categorie;"
        "Status;FIDERating;FIDEId;Titel\r\n";
    for (const TLid& l : Leden)
        text += IntToStr(l.Relnr) + ";2041;1;" + l.Achternaam + ";" + l.Tv + ";" + l.Voornaam +
                ";" + l.Vl + ";lid@club.nl;" + l.Sexe + ";" + l.Geboren + ";NED;" + l.Knsb + ";" +
                l.Jeugd + ";S;Actief;" + l.Fide + ";;\r\n";
    return text;
}

TPoint CellCenter(TExtStringGrid& Grid, int ACol, int ARow) {
    const TRect r = Grid.CellRect(ACol, ARow);
    const int b = Grid.BorderOffset();
    return {(r.Left + r.Right) / 2 + b, (r.Top + r.Bottom) / 2 + b};
}

void ClickCell(TExtStringGrid& Grid, int ACol, int ARow) {
    const TPoint p = CellCenter(Grid, ACol, ARow);
    MousePress(&Grid, p.X, p.Y);
    MouseRelease(&Grid, p.X, p.Y);
}

void DoubleClickCell(TExtStringGrid& Grid, int ACol, int ARow) {
    const TPoint p = CellCenter(Grid, ACol, ARow);
    MouseDoubleClick(&Grid, p.X, p.Y);
}

// Double-clicks the tree node captioned Caption where the tree shows it; false
// when no point of the tree shows it. The first click of the pair selects the
// node, as the tree's own list does with a press on its rows.
bool DoubleClickNode(TTreeView& Tree, const std::string& Caption) {
    for (int y = 1; y < Tree.ClientHeight(); ++y)
        for (int x = 4; x < Tree.ClientWidth(); x += 8)
            if (TTreeNode* node = Tree.GetNodeAt(x, y); node && node->Text() == Caption) {
                Tree.SetSelected(node);
                MouseDoubleClick(&Tree, x, y);
                PumpPending();
                return Tree.Selected() == node;
            }
    return false;
}

// Runs WhileShown inside the next modal loop that one of the windows opens.
void WhenModal(TCustomForm& Form, const std::function<void()>& WhileShown) {
    TThread::StaticQueue([&Form, WhileShown] {
        WhileShown();
        if (Form.ModalResult() == mrNone) Form.Close();
    });
    PostMessage(&Form, WM_NULL, 0, 0);
}

int LedenRowOf(TExtStringGrid& Grid, int Relnr) {
    for (int r = 1; r < Grid.RowCount(); ++r)
        if (Grid.Cells(2, r) == IntToStr(Relnr)) return r;
    return -1;
}

// The report lines as the federation reads them: the "001" line's columns at
// their fixed places, each game told from both sides with opposite colours
// and complementary results, the points the sum of the results.
void CheckReportLines(const std::vector<std::string>& Lines, int Rondes) {
    struct TRegel {
        double W = 0;
        std::vector<std::string> Games;
    };
    std::vector<TRegel> regels(1);
    for (const std::string& l : Lines) {
        if (l.rfind("001", 0) != 0) continue;
        ASSERT_EQ(static_cast<size_t>(91 + 10 * Rondes), l.size()) << l;
        for (int pos : {4, 9, 14, 48, 53, 57, 69, 80, 85, 90, 91})
            EXPECT_EQ(' ', l[static_cast<size_t>(pos - 1)]) << pos << ": " << l;
        ASSERT_EQ(static_cast<int>(regels.size()), TrimStrToInt(l.substr(4, 4))) << l;
        TRegel r;
        r.W = TrimStrToFloat(l.substr(80, 4));
        for (int k = 0; k < Rondes; ++k)
            r.Games.push_back(l.substr(static_cast<size_t>(91 + 10 * k), 10));
        regels.push_back(r);
    }
    ASSERT_GT(regels.size(), 1u);
    for (size_t nr = 1; nr < regels.size(); ++nr) {
        double som = 0;
        for (int k = 0; k < Rondes; ++k) {
            const std::string& g = regels[nr].Games[static_cast<size_t>(k)];
            if (g == std::string(10, ' ')) continue;
            const int tegen = TrimStrToInt(g.substr(0, 4));
            ASSERT_GT(tegen, 0) << g;
            ASSERT_LT(static_cast<size_t>(tegen), regels.size()) << g;
            const std::string& terug =
                regels[static_cast<size_t>(tegen)].Games[static_cast<size_t>(k)];
            EXPECT_EQ(static_cast<int>(nr), TrimStrToInt(terug.substr(0, 4)));
            EXPECT_EQ(g[5] == 'w' ? 'z' : 'w', terug[5]) << "round " << k + 1;
            EXPECT_EQ(g[7] == '1' ? '0' : g[7] == '0' ? '1' : '=', terug[7]) << "round " << k + 1;
            som += g[7] == '1' ? 1 : g[7] == '=' ? 0.5 : 0;
        }
        EXPECT_DOUBLE_EQ(som, regels[nr].W) << "player " << nr;
    }
}

} // namespace

class ListRoad : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        ForceDirectories(Root);
        WriteBytes(Root + "/krat 26-12.txt", KratText());
        WriteBytes(Root + "/lid20261201.csv", LidText());
        // As the program makes them, in its order.
        Create();
        Rapport = std::make_unique<TRaRapportForm>(nullptr);
        RaRapportForm = Rapport.get();
        Rapport->AfterConstruction();
        Stand = std::make_unique<TStandForm>(nullptr);
        StandForm = Stand.get();
        Stand->AfterConstruction();
        Info = std::make_unique<TSpInfoForm>(nullptr);
        SpInfoForm = Info.get();
        Info->AfterConstruction();
        Berger = std::make_unique<TBergerForm>(nullptr);
        BergerForm = Berger.get();
        Berger->AfterConstruction();
        Uitslag = std::make_unique<TUitslagForm>(nullptr);
        UitslagForm = Uitslag.get();
        Uitslag->AfterConstruction();
        NewGroep = std::make_unique<TZVNewGroepForm>(nullptr);
        ZVNewGroepForm = NewGroep.get();
        NewGroep->AfterConstruction();
    }
    void TearDown() override {
        ZVNewGroepForm = nullptr;
        UitslagForm = nullptr;
        BergerForm = nullptr;
        SpInfoForm = nullptr;
        StandForm = nullptr;
        RaRapportForm = nullptr;
        NewGroep.reset();
        Uitslag.reset();
        Berger.reset();
        Info.reset();
        Stand.reset();
        Rapport.reset();
        MainFormTest::TearDown();
    }

    // Takes the member found by Zoek into the selected player with a double click.
    void TakeMember(const std::string& Zoek, int Relnr) {
        TMainForm& f = *F;
        f.LedenPageControl->SetActivePage(f.ZoekSheet);
        PumpPending();
        f.ZoekEdit->SetFocus();
        f.ZoekEdit->SetText("");
        TypeText(f.ZoekEdit, Zoek);
        KeyStroke(f.ZoekEdit, VK_RETURN);
        ASSERT_EQ(Zoek, f.ZoekEdit->Text());
        const int row = LedenRowOf(*f.LedenGrid, Relnr);
        ASSERT_GT(row, 0);
        ASSERT_EQ(row, f.LedenGrid->Row()) << "the search finds " << Zoek;
        DoubleClickCell(*f.LedenGrid, 1, row);
        PumpPending();
        // The double click put the focus on the member grid; the next name is
        // typed into the search box at once.
        EXPECT_TRUE(PumpUntil([&] { return f.ZoekEdit->Focused(); }));
    }

    std::unique_ptr<TRaRapportForm> Rapport;
    std::unique_ptr<TStandForm> Stand;
    std::unique_ptr<TSpInfoForm> Info;
    std::unique_ptr<TBergerForm> Berger;
    std::unique_ptr<TUitslagForm> Uitslag;
    std::unique_ptr<TZVNewGroepForm> NewGroep;
};

TEST_F(ListRoad, FromTheFederationListsToTheRatingReport) {
    TMainForm& f = *F;
    f.SetBounds(0, 0, 1100, 760);
    f.Show();
    f.FormActivate(nullptr);
    PumpPending();

    // --- the list files in their trees; a double click chooses them ---
    f.PageControl->SetActivePage(f.EditGroepSheet);
    f.PageControlChange(f.PageControl);
    f.LijstPageControl->SetActivePage(f.KnsbRaSheet);
    PumpPending();
    ASSERT_EQ(2, f.KnsbRaTreeView->Items()->Count());
    EXPECT_EQ("krat 26-12.txt", f.KnsbRaTreeView->Items()->Item(1)->Text());
    ASSERT_EQ(2, f.KNSBLedenTreeView->Items()->Count());
    EXPECT_EQ("lid20261201.csv", f.KNSBLedenTreeView->Items()->Item(1)->Text());
    f.KnsbRatFileName.clear();
    ASSERT_TRUE(DoubleClickNode(*f.KnsbRaTreeView, "krat 26-12.txt"));
    EXPECT_EQ(Root + "/krat 26-12.txt", f.KnsbRatFileName);
    f.LijstPageControl->SetActivePage(f.KNSBLedenSheet);
    PumpPending();
    ASSERT_TRUE(DoubleClickNode(*f.KNSBLedenTreeView, "lid20261201.csv"));
    EXPECT_EQ(Root + "/lid20261201.csv", f.KnsbLedenFileName);
    // Surname first, so that the member grid is searched by surname.
    f.SelNaamRadio->SetItemIndex(0);
    f.SelNaamRadioClick(f.SelNaamRadio);

    // --- a new group of four through the Berger window ---
    const TDateTime eerste = EncodeDate(2026, 12, 7);
    Dialogs->QueueAnswer(mrYes);
    WhenModal(*Berger, [&] {
        Berger->AantalSpin->SetValue(4);
        Berger->AantalSpinChange(Berger->AantalSpin);
        Berger->GroepNaamEdit->SetText("Wintertoernooi 2026");
        Berger->DatumPicker->SetDate(eerste);
        Berger->KlaarBitBtn->Click();
    });
    f.NewGroepBitBtn->Click();
    ASSERT_TRUE(Berger->Made());
    EXPECT_EQ(0u, Dialogs->Pending()) << "the new group was asked for";
    const size_t naBerger = Dialogs->Asked().size();
    ASSERT_EQ(4, CurGroep->Spelers.Count());
    ASSERT_EQ(6, CurGroep->Games.Count());
    EXPECT_EQ("Wintertoernooi 2026", CurGroep->Rec.Naam);
    EXPECT_EQ(f.SpelersSheet, f.PageControl->ActivePage());
    EXPECT_TRUE(f.NewGroepFlag);
    EXPECT_EQ(rtKNSB, RatingType);

    // --- the rating list and the member list on the players page ---
    f.LedenPageControl->SetActivePage(f.LaadSheet);
    f.LijstComboBox->SetItemIndex(0);
    PumpPending();
    f.SpeedButton1->Click();
    EXPECT_EQ(12, f.LedenList()->Count());
    EXPECT_EQ("Ledenlijst (krat 26-12.txt)", f.LedenBox->Caption());
    EXPECT_EQ(13, f.LedenGrid->RowCount());
    int row = LedenRowOf(*f.LedenGrid, 7600002);
    ASSERT_GT(row, 0);
    EXPECT_EQ("\xC7"
              "elik,M.(Mehmet)",
              f.LedenGrid->Cells(1, row));
    EXPECT_EQ("1710", f.LedenGrid->Cells(3, row));

    f.LedenPageControl->SetActivePage(f.LaadSheet);
    f.LijstComboBox->SetItemIndex(3);
    PumpPending();
    f.SpeedButton1->Click();
    EXPECT_EQ(12, f.LedenList()->Count());
    EXPECT_EQ("Ledenlijst (lid20261201.csv)", f.LedenBox->Caption());
    EXPECT_EQ("12 namen in lid20261201.csv", f.StatusBar->Panels(1)->Text);
    EXPECT_EQ("KNSB", f.LedenGrid->Cells(3, 0));
    EXPECT_EQ("FIDE", f.LedenGrid->Cells(4, 0));
    EXPECT_EQ("Jeugd", f.LedenGrid->Cells(5, 0));
    row = LedenRowOf(*f.LedenGrid, 7600005);
    ASSERT_GT(row, 0);
    EXPECT_EQ("Smeets-No\xEBl,Z.(Zo\xEB)", f.LedenGrid->Cells(1, row));
    EXPECT_EQ("1588", f.LedenGrid->Cells(3, row));
    EXPECT_EQ("1570", f.LedenGrid->Cells(4, row));
    EXPECT_EQ("1601", f.LedenGrid->Cells(5, row));
    EXPECT_EQ(f.ZoekSheet, f.LedenPageControl->ActivePage());

    // --- three members into draw numbers 1 to 3 ---
    ClickCell(*f.SpEditGrid, 1, 1);
    PumpPending();
    ASSERT_EQ(1, f.SpEditGrid->Row());
    TakeMember("\xC7"
               "el",
               7600002);
    EXPECT_EQ(2, f.SpEditGrid->Row()) << "a new group steps to the next player";
    TakeMember("Smeets", 7600005);
    TakeMember("Linden", 7600007);
    EXPECT_EQ(4, f.SpEditGrid->Row());
    EXPECT_EQ("", f.ZoekEdit->Text());
    EXPECT_EQ(naBerger, Dialogs->Asked().size()) << "a new group's players are replaced unasked";

    struct TVerwacht {
        int Nr;
        const char* Naam;
        int Relnr;
        const char* GebJaar;
        char Sexe;
        int Rating;
    };
    const TVerwacht genomen[] = {
        {1,
         "\xC7"
         "elik,M.(Mehmet)",
         7600002, "1988", 'M', 1710},
        {2, "Smeets-No\xEBl,Z.(Zo\xEB)", 7600005, "2004", 'V', 1588},
        {3, "Linden,van der B.(Bas)", 7600007, "1975", 'M', 1802},
    };
    for (const TVerwacht& v : genomen) {
        const TSp* sp = CurGroep->Spelers.GetSpelerOnBergerNr(v.Nr);
        ASSERT_NE(nullptr, sp);
        EXPECT_EQ(v.Naam, sp->GetNaam());
        EXPECT_EQ(v.Relnr, sp->Rec.Relnr);
        EXPECT_EQ(v.Sexe, sp->Rec.Sexe);
        EXPECT_EQ(v.Rating, sp->Rec.Ratings[rtKNSB]);
        EXPECT_EQ(TrimStrToInt(v.GebJaar), sp->Rec.GebJaar);
        EXPECT_EQ(v.Naam, f.SpEditGrid->Cells(1, v.Nr));
        EXPECT_EQ(IntToStr(v.Relnr), f.SpEditGrid->Cells(2, v.Nr));
        EXPECT_EQ(IntToStr(v.Rating), f.SpEditGrid->Cells(3, v.Nr));
        EXPECT_EQ(v.GebJaar, f.SpEditGrid->Cells(4, v.Nr));
        EXPECT_EQ(v.Sexe == 'V' ? "V" : "", f.SpEditGrid->Cells(5, v.Nr));
    }
    // The FIDE and youth ratings came along with the member.
    EXPECT_EQ(1570, CurGroep->Spelers.GetSpelerOnBergerNr(2)->Rec.Ratings[rtFIDE]);
    EXPECT_EQ(1601, CurGroep->Spelers.GetSpelerOnBergerNr(2)->Rec.Ratings[rtJeugd]);
    f.PageControl->SetActivePage(f.SpelersSheet);
    PumpPending();
    SavePicture(f, "listroad_spelers.png");

    // --- the fourth player typed into the edit boxes ---
    const struct {
        TEdit* Edit;
        const char* Text;
    } velden[] = {{f.SpFamNaamEdit, "Vos"}, {f.SpTVEdit, ""},           {f.SpVoorNaamEdit, "Henk"},
                  {f.SpVLEdit, ""},         {f.SpRelNrEdit, "7699999"}, {f.SpRatingEdit, "1650"},
                  {f.SpGebJaarEdit, "1960"}};
    for (const auto& v : velden) {
        ASSERT_TRUE(v.Edit->Enabled());
        v.Edit->SetFocus();
        v.Edit->SetText("");
        TypeText(v.Edit, v.Text);
        EXPECT_EQ(v.Text, v.Edit->Text());
    }
    f.SpGenderBox->SetChecked(false);
    f.ZetSpDataBitBtn->Click();
    const TSp* vos = CurGroep->Spelers.GetSpelerOnBergerNr(4);
    ASSERT_NE(nullptr, vos);
    EXPECT_EQ("Vos,H.(Henk)", vos->GetNaam());
    EXPECT_EQ(7699999, vos->Rec.Relnr);
    EXPECT_EQ(1650, vos->Rec.Ratings[rtKNSB]);
    EXPECT_EQ(1960, vos->Rec.GebJaar);
    EXPECT_EQ('M', vos->Rec.Sexe);
    EXPECT_EQ("Vos,H.(Henk)", f.SpEditGrid->Cells(1, 4));
    EXPECT_EQ("7699999", f.SpEditGrid->Cells(2, 4));

    // --- results on the games page of the results window ---
    // The Berger table of four: r1 1-4 2-3, r2 4-3 1-2, r3 2-4 3-1 (white first).
    struct TPartij {
        int Ronde, Wit, Zwart;
        char Code; // seen from white: 1 win, 2 loss, 3 draw
    };
    const TPartij partijen[] = {{1, 1, 4, '1'}, {1, 2, 3, '3'}, {2, 4, 3, '2'},
                                {2, 1, 2, '2'}, {3, 2, 4, '1'}, {3, 3, 1, '3'}};
    WhenModal(*Uitslag, [&] {
        ASSERT_TRUE(PumpUntil([&] { return !Uitslag->StatusBar->Panels(0)->Text.empty(); }));
        Uitslag->PageControl->SetActivePage(Uitslag->GamesSheet);
        Uitslag->PageControlChange(Uitslag->PageControl);
        TExtColumnGrid& g = *Uitslag->GamesGrid;
        g.SetFocus();
        ASSERT_EQ(7, g.RowCount());
        for (const TPartij& p : partijen) {
            int r = 1;
            while (r < g.RowCount() && g.Cells(7, r) != IntToStr(p.Wit) + "-" + IntToStr(p.Zwart))
                ++r;
            ASSERT_LT(r, g.RowCount()) << p.Wit << "-" << p.Zwart;
            EXPECT_EQ("r" + IntToStr(p.Ronde), g.Cells(0, r));
            g.FocusCell(1, r, true);
            KeyStroke(&g, static_cast<WORD>(p.Code), p.Code);
        }
        EXPECT_TRUE(Uitslag->Changed());
        Uitslag->KlaarBitBtn->Click();
    });
    f.UitslagenBitBtn->Click();
    EXPECT_EQ(0, CurGroep->Games.GetNrEmptyGames());
    EXPECT_TRUE(f.SaveDataBitBtn->Enabled());

    // --- standings, and the card of the winner by a double click on her row ---
    // Scores: Smeets-Noël ½+1+1 = 2½, van der Linden ½+1+½ = 2, Çelik 1+0+½ = 1½, Vos 0.
    bool kaartGezien = false;
    WhenModal(*Stand, [&] {
        ASSERT_TRUE(PumpUntil([&] { return Stand->LastRound() >= 0; }));
        EXPECT_EQ(3, Stand->LastRound());
        // The standings rows in order of score.
        const int nrs[] = {2, 3, 1, 4};
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(CurGroep->Spelers.GetSpelerOnBergerNr(nrs[r - 1]),
                      StandRowSpeler(*Stand->StandGrid, r))
                << "row " << r;
        const int r = 1;
        WhenModal(*Info, [&] {
            kaartGezien = true;
            ASSERT_TRUE(PumpUntil([&] { return Info->SpGrid->RowCount() > 10; }));
            auto cel = [&](int C, int R) { return Info->SpGrid->Cells(C, R); };
            EXPECT_EQ("Smeets-No\xEBl,Z.(Zo\xEB)", cel(0, 0));
            const char* labels[] = {"Tegenstander", "Kleur", "Score", "Score totaal",
                                    "WP",           "SB",    "PS",    "Rc",
                                    "Rc gem.",      "TPR",   "LPR",   "W-We"};
            for (int i = 0; i < 12; ++i)
                EXPECT_EQ(labels[i], cel(0, i + 1));
            // r1 white against 3 (½), r2 black against 1 (1), r3 white against 4 (1).
            const char* rijen[][3] = {
                {"3", "1", "4"},
                {"W", "Z", "W"},
                {"\xBD", "1", "1"},
                {"\xBD", "1\xBD", "2\xBD"},
                // WP: the opponents' totals 2, 1½, 0 added up.
                {"2", "3\xBD", "3\xBD"},
                // SB: ½ x 2, + 1 x 1½, + 1 x 0.
                {"1.00", "2.50", "2.50"},
                // PS: the running scores added up.
                {"\xBD", "2", "4\xBD"},
                {"1802", "1710", "1650"},
                // (1802 + 1710) / 2 = 1756; 5162 / 3 = 1720.67.
                {"1802", "1756", "1721"},
            };
            for (int i = 0; i < 9; ++i)
                for (int k = 0; k < 3; ++k)
                    EXPECT_EQ(rijen[i][k], cel(k + 1, i + 1)) << "row " << i + 1 << " r" << k + 1;
            EXPECT_EQ(RatingToStr(Round(PerformanceByPercentage(1, 0.5, 1802, 1588))), cel(1, 10));
            EXPECT_EQ(RatingToStr(Round(PerformanceByPercentage(2, 1.5, 1756, 1588))), cel(2, 10));
            EXPECT_EQ(RatingToStr(Round(PerformanceByPercentage(3, 2.5, 1721, 1588))), cel(3, 10));
            EXPECT_EQ(RatingToStr(Round(PerformanceRating({1802}, 1588, 0.5))), cel(1, 11));
            EXPECT_EQ("1802", cel(1, 11)) << "a draw performs at the opponent's rating";
            EXPECT_EQ(RatingToStr(Round(PerformanceRating({1802, 1710, 1650}, 1588, 2.5))),
                      cel(3, 11));
            const double w1 = 0.5 - ExpectedScore(1802, 1588);
            const double w2 = w1 + 1 - ExpectedScore(1710, 1588);
            const double w3 = w2 + 1 - ExpectedScore(1650, 1588);
            EXPECT_EQ(WWeToStr(w1), cel(1, 12));
            EXPECT_EQ(WWeToStr(w2), cel(2, 12));
            EXPECT_EQ(WWeToStr(w3), cel(3, 12));
            EXPECT_EQ("r1", cel(0, 13));
            EXPECT_EQ("3. Linden,van der B.(Bas)", cel(1, 13));
            EXPECT_EQ("r2", cel(0, 14));
            EXPECT_EQ("1. \xC7"
                      "elik,M.(Mehmet)",
                      cel(1, 14));
            EXPECT_EQ("r3", cel(0, 15));
            EXPECT_EQ("4. Vos,H.(Henk)", cel(1, 15));
            EXPECT_FALSE(Info->NoteLabel->Visible());
            SavePicture(*Info, "listroad_kaart.png");
            Info->KlaarBitBtn->Click();
        });
        DoubleClickCell(*Stand->StandGrid, 1, r);
        Stand->KlaarBitBtn->Click();
    });
    f.StandBitBtn->Click();
    EXPECT_TRUE(kaartGezien);

    // --- the rating report, written with "Bewaar" ---
    Dialogs->QueueAnswer(mrYes);
    const size_t gevraagd = Dialogs->Asked().size();
    WhenModal(*Rapport, [&] {
        PumpPending();
        SavePicture(*Rapport, "listroad_rapport.png");
        Rapport->SaveBitBtn->Click();
        Rapport->KlaarBitBtn->Click();
    });
    f.RaRapportBitBtn->Click();
    ASSERT_EQ(gevraagd + 1, Dialogs->Asked().size());
    const std::string file = Rapport->RapportFileName();
    EXPECT_EQ(DataMap + "/Wintertoernooi-2026 Rating.txt", file);
    const std::string text = ReadFileBytes(file);

    // Numbered by surname: Çelik 1, van der Linden 2, Smeets-Noël 3, Vos 4;
    // ranked by the points. A new group's games all carry the first round's
    // date, and so does every round of the report.
    const std::string verwacht =
        "012 Wintertoernooi 2026\r\n"
        "032 NED\r\n"
        "042 2026/12/07\r\n"
        "052 2026/12/07\r\n"
        "062 4\r\n"
        "072 4\r\n"
        "092 All play all, single round robin\r\n"
        "102 \r\n"
        "122 \r\n"
        "\r\n"
        "132" +
        std::string(88, ' ') +
        "26/12/07  26/12/07  26/12/07  \r\n"
        "\r\n"
        // code nr   s  title name (33)                       rating fed relnr (11)
        "001    1 m    " +
        Pad("\xC7"
            "elik,M.(Mehmet)",
            33) +
        " 1710 NED     7600002 " +
        // birth (10)  points rank  r1          r2          r3
        "1988        1.5    3     4 w 1     3 w 0     2 z =  \r\n"
        "001    2 m    " +
        Pad("Linden,van der B.(Bas)", 33) + " 1802 NED     7600007 " +
        "1975        2.0    2     3 z =     4 z 1     1 w =  \r\n"
        "001    3 w    " +
        Pad("Smeets-No\xEBl,Z.(Zo\xEB)", 33) + " 1588 NED     7600005 " +
        "2004        2.5    1     2 w =     1 z 1     4 w 1  \r\n"
        "001    4 m    " +
        Pad("Vos,H.(Henk)", 33) + " 1650 NED     7699999 " +
        "1960        0.0    4     1 z 0     2 w 0     3 z 0  \r\n";
    EXPECT_EQ(verwacht, text);
    CheckReportLines(SplitCrLf(text), 3);
}

// A first start without a last group: the group in the window gets the default
// tie-break criteria, so that the list can be set and the standings rank by score.
TEST_F(ListRoad, AFreshStartOffersTheDefaultTieBreaks) {
    F->FormActivate(nullptr);
    const TMyStSortAr& ar = CurGroep->Rec.SortAr;
    ASSERT_EQ(5u, ar.size());
    EXPECT_EQ(siOnderling, ar[0].SortId);
    EXPECT_EQ(1, ar[0].Aan);
    EXPECT_EQ(siSB, ar[1].SortId); // stored as the list shows them
    EXPECT_EQ(1, ar[1].Aan);
    ASSERT_EQ(5, F->SortCheckBox->Items()->Count());
    EXPECT_TRUE(F->SortCheckBox->Checked(0));
    EXPECT_TRUE(F->SortCheckBox->Checked(1));
    EXPECT_FALSE(F->SortCheckBox->Checked(2));
    std::string diff;
    EXPECT_FALSE(F->GroepChanged(diff)) << diff;
}
