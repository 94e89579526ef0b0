// The road of a director who builds a group from the federation's lists: the
// list files in the data folder, chosen in their trees, loaded and searched on
// the players page, a new group of four from the Berger window, three members
// taken in by double clicks and a fourth typed in, results in the results
// window, a player card from the standings and the rating report written to
// disk. All seven windows stand as the program makes them; the director's
// hand is the synthetic input and the windows' own buttons.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
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

namespace {

std::string Pad(const std::string& S, size_t N) {
    std::string r = S.substr(0, N);
    r.resize(N, ' ');
    return r;
}

void WriteBytes(const std::string& Path, const std::string& Bytes) {
    std::ofstream out(Path, std::ios::binary);
    out << Bytes;
}

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

std::vector<std::string> SplitCrLf(const std::string& Text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t p = Text.find("\r\n"); p != std::string::npos; p = Text.find("\r\n", start)) {
        lines.push_back(Text.substr(start, p - start));
        start = p + 2;
    }
    EXPECT_EQ(Text.size(), start) << "the last line ends with CR LF";
    return lines;
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
    }

    std::unique_ptr<TRaRapportForm> Rapport;
    std::unique_ptr<TStandForm> Stand;
    std::unique_ptr<TSpInfoForm> Info;
    std::unique_ptr<TBergerForm> Berger;
    std::unique_ptr<TUitslagForm> Uitslag;
    std::unique_ptr<TZVNewGroepForm> NewGroep;
};

// The report's rank: a new group's players carry their draw numbers as places
// until a ranking writes its own; those must not reach the report as ranks.
TEST(ListRoadRank, DrawNumbersAsPlacesGiveWayToThePoints) {
    auto g = MakeClubGroep(false, true);
    std::vector<std::pair<double, int>> punten; // points, draw number
    for (int nr = 1; nr <= 8; ++nr) {
        g->Spelers.GetSpelerOnBergerNr(nr)->Rec.Plaats = nr; // as a new group has them
        double w = 0;
        for (int i = 0; i < g->Games.Count(); ++i)
            for (int s = SlotWit; s <= SlotZwart; ++s)
                if (g->Games.Game(i)->Rec.Slots[static_cast<size_t>(s)].BergerNr == nr)
                    w += g->Games.Game(i)->GetScore(s);
        punten.push_back({w, nr});
    }
    // The places stand against the points.
    ASSERT_LT(punten[0].first, punten[7].first);
    for (const auto& [w, nr] : punten) {
        int hoger = 0;
        for (const auto& [w2, nr2] : punten)
            if (w2 > w) ++hoger;
        EXPECT_EQ(1 + hoger, FidePlaats(*g, *g->Spelers.GetSpelerOnBergerNr(nr))) << nr;
    }
    // A ranking that follows the points, ties broken by draw number, stays.
    std::sort(punten.begin(), punten.end(), [](const auto& a, const auto& b) {
        return a.first > b.first || (a.first == b.first && a.second < b.second);
    });
    for (size_t i = 0; i < punten.size(); ++i)
        g->Spelers.GetSpelerOnBergerNr(punten[i].second)->Rec.Plaats = static_cast<int>(i) + 1;
    for (size_t i = 0; i < punten.size(); ++i)
        EXPECT_EQ(static_cast<int>(i) + 1,
                  FidePlaats(*g, *g->Spelers.GetSpelerOnBergerNr(punten[i].second)));
}

// A first start without a last group: the group in the window gets the default
// tie-break criteria, so that the list can be set and the standings rank by score.
TEST_F(ListRoad, AFreshStartOffersTheDefaultTieBreaks) {
    F->FormActivate(nullptr);
    const TMyStSortAr& ar = CurGroep->Rec.SortAr;
    ASSERT_EQ(5u, ar.size());
    EXPECT_EQ(siOnderling, ar[0].SortId);
    EXPECT_EQ(1, ar[0].Aan);
    EXPECT_EQ(siSB, ar[2].SortId);
    EXPECT_EQ(1, ar[2].Aan);
    ASSERT_EQ(5, F->SortCheckBox->Items()->Count());
    EXPECT_TRUE(F->SortCheckBox->Checked(0));
    EXPECT_TRUE(F->SortCheckBox->Checked(1));
    EXPECT_FALSE(F->SortCheckBox->Checked(2));
    std::string diff;
    EXPECT_FALSE(F->GroepChanged(diff)) << diff;
}
