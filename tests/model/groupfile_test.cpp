#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "model/berger.h"
#include "model/dates.h"
#include "model/group.h"
#include "model/groupfile.h"
#include "model/groupfile_check.h"
#include "model/names.h"
#include "model/textutils.h"
#include "model_fixtures.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"

namespace fs = std::filesystem;

namespace {

const std::string Xml = ";<XML>\r\n";
const std::string XmlRest = ";<ZVPOINTS>\r\n;;YES\r\n;</ZVPOINTS>\r\n"
                            ";<ZVDATUM>\r\n;;NO DATE\r\n;</ZVDATUM>\r\n;</XML>\r\n";

// A fresh folder for the files of one test, removed afterwards.
class GroupFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = fs::temp_directory_path() /
               ("vz_groupfile_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FDir);
        fs::create_directories(FDir);
        RatingType = rtKNSB;
    }
    void TearDown() override {
        fs::remove_all(FDir);
        RatingType = rtKNSB;
    }
    std::string File(const std::string& Name) const { return (FDir / Name).string(); }

    // Saves the group and returns the bytes of the file.
    std::string Save(TGroep& G, const std::string& Name = "groep.csv") {
        G.SaveGroepFile(File(Name));
        return ReadFileBytes(File(Name));
    }

    fs::path FDir;
};

// One line as the grid's loader splits it: ";" between fields, a field that starts
// with a quote runs to its closing quote (doubled quotes inside stand for one), and
// an empty last field stores nothing.
std::vector<std::string> SplitFields(std::string Line) {
    std::vector<std::string> fields;
    while (!Line.empty()) {
        if (Line.front() == '"') {
            std::string field;
            size_t i = 1;
            for (; i < Line.size(); ++i) {
                if (Line[i] != '"') {
                    field += Line[i];
                } else if (i + 1 < Line.size() && Line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    break;
                }
            }
            fields.push_back(field);
            Line.erase(0, std::min(Line.size(), i + 2));
            continue;
        }
        const size_t p = Line.find(';');
        if (p == std::string::npos) {
            fields.push_back(Line);
            break;
        }
        fields.push_back(Line.substr(0, p));
        Line.erase(0, p + 1);
    }
    return fields;
}

TGroepFileRows SplitRows(const std::string& Text) {
    TGroepFileRows rows;
    size_t start = 0;
    while (start < Text.size()) {
        size_t p = Text.find("\r\n", start);
        if (p == std::string::npos) p = Text.size();
        rows.push_back(SplitFields(Text.substr(start, p - start)));
        start = p + 2;
    }
    return rows;
}

// Four players "Speler A" .. "Speler D" (first name first), all games unplayed.
// The file writes them surname first: "A,S.(Speler)".
std::unique_ptr<TGroep> MakeSpelerGroep(bool DubbelRondig = false) {
    auto g = MakeGroep(4, DubbelRondig);
    for (int i = 0; i < 4; ++i) {
        TSpRec& r = g->Spelers.Sp(i)->Rec;
        r.Voornaam = "Speler";
        r.Voorletters = "S.";
        r.Achternaam = std::string(1, static_cast<char>('A' + i));
    }
    return g;
}

std::unique_ptr<TGroep> ReadBack(const std::string& Text, TDateTime Datum = 0) {
    auto g = std::make_unique<TGroep>();
    TGroepFileRows rows = SplitRows(Text);
    ReadGroepFromRows(*g, "terug.csv", rows, Datum);
    return g;
}

TUitslagCode CodeOf(const TGroep& G, int A, int B, int EersteHelft = 1) {
    TKleur kleur;
    const TGame* game = G.Games.GetGameOnBgNrs(A, B, kleur, EersteHelft);
    return game ? game->GetUitslag(kleur) : 0xFF;
}

TEST_F(GroupFileTest, WritesHeadingPlayersAndSettingsByteForByte) {
    auto g = MakeSpelerGroep();
    TSpRec& b = g->Spelers.Sp(1)->Rec;
    b.Ratings[rtKNSB] = 1850;
    b.Ratings[rtFIDE] = 2100;
    b.GebJaar = 1970;
    g->Spelers.Sp(2)->Rec.Sexe = 'V';
    g->Spelers.Sp(2)->Rec.GebJaar = 1903; // no valid birth year
    g->Spelers.Sp(3)->Rec.Relnr = 5012345;
    EnterResult(*g, 2, 1, 2);  // B loses to A
    EnterResult(*g, 2, 3, 3);  // B draws with C
    g->Spelers.Exchange(0, 3); // the writer orders the lines by draw number
    g->Modified = true;

    EXPECT_EQ(Save(*g), ";Groep A;Relnr.;Ro;Geb.;MV;1;2;3;4;\r\n"
                        "1;A,S.(Speler);;;;M;X;1; ; ;\r\n"
                        "2;B,S.(Speler);;1850;1970;M;0;X;0.5; ;\r\n"
                        "3;C,S.(Speler);;;;V; ;0.5;X; ;\r\n"
                        "4;D,S.(Speler);5012345;;;M; ; ; ;X;\r\n" +
                            Xml + XmlRest);
    EXPECT_FALSE(g->Modified);
    EXPECT_EQ(g->Rec.FileName, File("groep.csv"));

    // The rating column follows the selected rating kind; the name is written
    // surname first whatever the display mode.
    RatingType = rtFIDE;
    g->Rec.NaamMode = nmVoornaamEerst;
    const std::string text = Save(*g);
    EXPECT_NE(text.find("\r\n2;B,S.(Speler);;2100;1970;M;0;X;0.5; ;\r\n"), std::string::npos)
        << text;
}

TEST_F(GroupFileTest, DoubleRoundWritesEveryNumberAndResultTwice) {
    auto g = MakeSpelerGroep(true);
    EnterResult(*g, 1, 2, 1, 1); // first cycle 1-0
    EnterResult(*g, 1, 2, 8, 0); // second cycle draw by forfeit
    const std::string text = Save(*g);
    EXPECT_EQ(text.substr(0, text.find("\r\n3;")), ";Groep A;Relnr.;Ro;Geb.;MV;1;1;2;2;3;3;4;4;\r\n"
                                                   "1;A,S.(Speler);;;;M;X;X;1;0.5r; ; ; ; ;\r\n"
                                                   "2;B,S.(Speler);;;;M;0;0.5r;X;X; ; ; ; ;");
}

TEST_F(GroupFileTest, ResultsTravelThroughTheFile) {
    auto g = MakeSpelerGroep();
    g->Spelers.Sp(1)->Rec.Ratings[rtKNSB] = 1850;
    g->Spelers.Sp(1)->Rec.GebJaar = 1970;
    g->Spelers.Sp(2)->Rec.Sexe = 'V';
    EnterResult(*g, 1, 2, 1); // 1 and 0
    EnterResult(*g, 1, 3, 3); // half points
    EnterResult(*g, 1, 4, 7); // "0-1 Regl.": 0r and 1r
    EnterResult(*g, 2, 3, 8); // "½-½ Regl."
    EnterResult(*g, 2, 4, 4); // 0-0
    const std::string text = Save(*g);
    EXPECT_EQ(text.find('\xBD'), std::string::npos);
    EXPECT_NE(text.find("\r\n2;B,S.(Speler);;1850;1970;M;0;X;0.5r;0;\r\n"), std::string::npos);

    auto r = ReadBack(text);
    EXPECT_EQ(r->Rec.Naam, "Groep A");
    EXPECT_EQ(r->Rec.FileName, "terug.csv");
    EXPECT_EQ(r->Rec.DubbelRondig, 0);
    ASSERT_EQ(r->Spelers.Count(), 4);
    EXPECT_EQ(r->Spelers.Sp(1)->Rec.Voornaam, "Speler");
    EXPECT_EQ(r->Spelers.Sp(1)->Rec.Achternaam, "B");
    EXPECT_EQ(r->Spelers.Sp(1)->Rec.Ratings[rtKNSB], 1850);
    EXPECT_EQ(r->Spelers.Sp(1)->Rec.GebJaar, 1970);
    EXPECT_EQ(r->Spelers.Sp(2)->Rec.Sexe, 'V');
    EXPECT_EQ(r->Games.Count(), 6);
    const TUitslagCode expected[4][4] = {{0, ucWinst, ucRemise, ucReglVerlies},
                                         {ucVerlies, 0, ucReglRemise, ucVerlies},
                                         {ucRemise, ucReglRemise, 0, ucGeen},
                                         {ucReglWinst, ucVerlies, ucGeen, 0}};
    for (int a = 1; a <= 4; ++a)
        for (int b = 1; b <= 4; ++b)
            if (a != b) {
                EXPECT_EQ(CodeOf(*r, a, b), expected[a - 1][b - 1]) << a << "-" << b;
            }
    EXPECT_TRUE(g->Games.IsSame(r->Games));
}

// A file as the program wrote it before names went surname first: display names
// first name first, the bye, forfeits and every settings block.
TEST_F(GroupFileTest, AnOlderFileReadsBackAndIsWrittenAgain) {
    const std::string heading = ";Groep A;Relnr.;Ro;Geb.;MV;1;2;3;4;\r\n";
    const std::string blocks = ";<SORTEER>\r\n;;OR;SB;LT\r\n;</SORTEER>\r\n"
                               ";<ZVPOINTS>\r\n;;NO\r\n;</ZVPOINTS>\r\n"
                               ";<ZVDATUM>\r\n;;2015-09-01\r\n;</ZVDATUM>\r\n;</XML>\r\n";
    auto r =
        ReadBack(heading + "1;Jan de Vries;7012345;2010;1965;M;X;1;1r; ;\r\n" +
                 "2;Speler B;;1850;1970;M;0;X;0.5; ;\r\n" + "3;Anna Jansen;;;;V;0r;0.5;X; ;\r\n" +
                 "4;VRIJ;;;;M; ; ; ;X;\r\n" + Xml + blocks);
    ASSERT_EQ(r->Spelers.Count(), 4);
    const TSpRec& jan = r->Spelers.Sp(0)->Rec;
    EXPECT_EQ(jan.Voornaam + "|" + jan.Tussenvoegsel + "|" + jan.Achternaam + "|" + jan.Voorletters,
              "Jan|de|Vries|J.");
    EXPECT_EQ(jan.Relnr, 7012345);
    EXPECT_EQ(jan.Ratings[rtKNSB], 2010);
    EXPECT_EQ(jan.GebJaar, 1965);
    EXPECT_EQ(r->Spelers.Sp(1)->Rec.Relnr, 1002);
    EXPECT_EQ(r->Spelers.Sp(2)->Rec.Sexe, 'V');
    EXPECT_EQ(r->Spelers.Sp(3)->Rec.Relnr, VrijRelnr);
    EXPECT_EQ(SortCriteria(r->Rec.SortAr), (std::vector<TSortId>{siOnderling, siSB, siLootNr}));
    EXPECT_EQ(r->Rec.MyUseZVPoints, 0);
    EXPECT_EQ(r->Rec.DatumEersteRonde, EncodeDate(2015, 9, 1));
    EXPECT_EQ(CodeOf(*r, 1, 3), ucReglWinst);
    EXPECT_EQ(CodeOf(*r, 2, 3), ucRemise);
    EXPECT_EQ(r->GetNrEmptyGames(), 0);

    // Written again, only the names change: surname first.
    EXPECT_EQ(Save(*r), heading + "1;Vries,de J.(Jan);7012345;2010;1965;M;X;1;1r; ;\r\n" +
                            "2;B,S.(Speler);;1850;1970;M;0;X;0.5; ;\r\n" +
                            "3;Jansen,A.(Anna);;;;V;0r;0.5;X; ;\r\n" + "4;VRIJ;;;;M; ; ; ;X;\r\n" +
                            Xml + blocks);
}

TEST_F(GroupFileTest, DoubleRoundTravelsThroughTheFile) {
    auto g = MakeSpelerGroep(true);
    EnterResult(*g, 1, 2, 1, 1);
    EnterResult(*g, 1, 2, 8, 0);
    EnterResult(*g, 3, 4, 6, 0);
    auto r = ReadBack(Save(*g));
    EXPECT_EQ(r->Rec.DubbelRondig, 1);
    ASSERT_EQ(r->Games.Count(), 12);
    EXPECT_EQ(CodeOf(*r, 1, 2, 1), ucWinst);
    EXPECT_EQ(CodeOf(*r, 2, 1, 1), ucVerlies);
    EXPECT_EQ(CodeOf(*r, 1, 2, 0), ucReglRemise);
    EXPECT_EQ(CodeOf(*r, 2, 1, 0), ucReglRemise);
    EXPECT_EQ(CodeOf(*r, 3, 4, 0), ucReglWinst);
    EXPECT_EQ(CodeOf(*r, 4, 3, 0), ucReglVerlies);
    EXPECT_EQ(CodeOf(*r, 3, 4, 1), ucGeen);
    EXPECT_TRUE(g->Games.IsSame(r->Games));
}

TEST_F(GroupFileTest, SortBlockKeepsTheDirectorsChoice) {
    auto g = MakeSpelerGroep();
    // No choice made yet: no block.
    EXPECT_EQ(Save(*g).find("SORTEER"), std::string::npos);
    for (TSortId id = siOnderling; id <= siLootNr; ++id)
        g->AddSortItem(id, false);
    EXPECT_NE(Save(*g).find(";<SORTEER>\r\n;;NO\r\n;</SORTEER>"), std::string::npos);

    g->SetSortItem(siOnderling, true);
    g->SetSortItem(siSB, true);
    g->SetSortItem(siLootNr, true);
    const std::string text = Save(*g);
    EXPECT_NE(text.find("\r\n" + Xml + ";<SORTEER>\r\n;;OR;SB;LT\r\n;</SORTEER>\r\n" + XmlRest),
              std::string::npos);

    // Read into a group that had other criteria: the block decides them all.
    auto r = std::make_unique<TGroep>();
    r->AddSortItem(siWP, true);
    TGroepFileRows rows = SplitRows(text);
    ReadGroepFromRows(*r, "x.csv", rows, 0);
    const TMyStSortAr want = {{siOnderling, 1}, {siSB, 1}, {siLootNr, 1}, {siWP, 0}, {siWWe, 0}};
    EXPECT_EQ(r->Rec.SortAr, want);

    // The director's order travels: SB before the mutual result.
    g->Rec.SortAr = {{siSB, 1}, {siWWe, 0}, {siOnderling, 1}, {siWP, 0}, {siLootNr, 0}};
    rows = SplitRows(Save(*g));
    ReadGroepFromRows(*r, "x.csv", rows, 0);
    const TMyStSortAr sbFirst = {{siSB, 1}, {siOnderling, 1}, {siWP, 0}, {siWWe, 0}, {siLootNr, 0}};
    EXPECT_EQ(r->Rec.SortAr, sbFirst);

    // None switched on comes back as none, not as the criteria the group had.
    g->SetSortItem(siOnderling, false);
    g->SetSortItem(siSB, false);
    rows = SplitRows(Save(*g));
    ReadGroepFromRows(*r, "x.csv", rows, 0);
    for (const TMyStSortItem& item : r->Rec.SortAr)
        EXPECT_EQ(item.Aan, 0);
    EXPECT_EQ(r->Rec.SortAr.size(), 5u);

    // A file without the block keeps the criteria the group had.
    g->Rec.SortAr.clear();
    r->Rec.SortAr = want;
    rows = SplitRows(Save(*g));
    ReadGroepFromRows(*r, "x.csv", rows, 0);
    EXPECT_EQ(r->Rec.SortAr, want);
}

// The tournament's facts travel with their own group: written only when the
// group has them, read back as written, and never kept from the group before.
TEST_F(GroupFileTest, TournamentFactsBelongToTheirGroup) {
    auto g = MakeSpelerGroep();
    g->Rec.Plaats = "Den Haag; Zuid";
    g->Rec.Arbiter = "J. de Scheids";
    g->Rec.Speeltempo = "90 min + 30 sec\tper zet";
    const std::string text = Save(*g);
    EXPECT_NE(text.find(";</ZVDATUM>\r\n;<PLAATS>\r\n;;\"Den Haag; Zuid\"\r\n"
                        ";</PLAATS>\r\n;<ARBITER>\r\n;;J. de Scheids\r\n;</ARBITER>\r\n"
                        ";<SPEELTEMPO>\r\n;;90 min + 30 sec per zet\r\n;</SPEELTEMPO>\r\n"
                        ";</XML>\r\n"),
              std::string::npos)
        << text;
    auto r = std::make_unique<TGroep>();
    r->Rec.ToernooiType = "Rapid";
    TGroepFileRows rows = SplitRows(text);
    ReadGroepFromRows(*r, "x.csv", rows, 0);
    EXPECT_EQ(r->Rec.Plaats, "Den Haag; Zuid");
    EXPECT_EQ(r->Rec.Arbiter, "J. de Scheids");
    EXPECT_EQ(r->Rec.Speeltempo, "90 min + 30 sec per zet");
    EXPECT_EQ(r->Rec.ToernooiType, "");

    // A file without them (all files written before) leaves the group none.
    r->Rec.Plaats = "Utrecht";
    rows = SplitRows(Save(*MakeSpelerGroep()));
    ReadGroepFromRows(*r, "x.csv", rows, 0);
    EXPECT_FALSE(HasToernooiInfo(r->Rec));
}

TEST_F(GroupFileTest, SeriesPointsAndDateBlocks) {
    auto g = MakeSpelerGroep();
    g->Rec.MyUseZVPoints = 0;
    g->Rec.DatumEersteRonde = EncodeDate(2011, 12, 31);
    std::string text = Save(*g);
    EXPECT_NE(text.find(";<ZVPOINTS>\r\n;;NO\r\n;</ZVPOINTS>\r\n"
                        ";<ZVDATUM>\r\n;;NO DATE\r\n;</ZVDATUM>\r\n;</XML>\r\n"),
              std::string::npos);
    auto r = ReadBack(text, EncodeDate(2020, 5, 5));
    EXPECT_EQ(r->Rec.MyUseZVPoints, 0);
    EXPECT_EQ(r->Rec.DatumEersteRonde, 0);

    g->Rec.MyUseZVPoints = 1;
    g->Rec.DatumEersteRonde = EncodeDate(2012, 1, 1);
    text = Save(*g);
    EXPECT_NE(text.find(";;YES\r\n;</ZVPOINTS>\r\n;<ZVDATUM>\r\n;;2012-01-01\r\n"),
              std::string::npos);
    r = ReadBack(text);
    EXPECT_EQ(r->Rec.MyUseZVPoints, 1);
    EXPECT_EQ(r->Rec.DatumEersteRonde, EncodeDate(2012, 1, 1));
    // The games carry the date of the settings block.
    ASSERT_GT(r->Games.Count(), 0);
    EXPECT_EQ(r->Games.Game(0)->Rec.Datum, EncodeDate(2012, 1, 1));

    // The time of day is not written.
    g->Rec.DatumEersteRonde = EncodeDate(2016, 2, 29) + 0.75;
    EXPECT_NE(Save(*g).find(";;2016-02-29\r\n"), std::string::npos);

    // Without a settings block the date given by the caller holds.
    text = Save(*g);
    text.erase(text.find(Xml));
    r = ReadBack(text, EncodeDate(2020, 5, 5));
    EXPECT_EQ(r->Rec.DatumEersteRonde, EncodeDate(2020, 5, 5));
    EXPECT_EQ(r->Games.Game(0)->Rec.Datum, EncodeDate(2020, 5, 5));
}

TEST_F(GroupFileTest, ByeAndMemberNumbers) {
    auto g = MakeSpelerGroep();
    TSpRec& vrij = g->Spelers.Sp(0)->Rec;
    vrij.Voornaam.clear();
    vrij.Voorletters.clear();
    vrij.Achternaam = "VRIJ";
    vrij.Relnr = VrijRelnr;
    g->Spelers.Sp(1)->Rec.Relnr = 5000000;
    g->Spelers.Sp(2)->Rec.Relnr = 4999999;
    g->Spelers.Sp(3)->Rec.Achternaam = "Vrij"; // "Speler Vrij" is no bye
    const std::string text = Save(*g);
    EXPECT_NE(text.find("\r\n1;VRIJ;;;;M;X;"), std::string::npos);
    EXPECT_NE(text.find("\r\n2;B,S.(Speler);5000000;;;M;"), std::string::npos);
    EXPECT_NE(text.find("\r\n3;C,S.(Speler);;;;M;"), std::string::npos);

    auto r = ReadBack(text);
    ASSERT_EQ(r->Spelers.Count(), 4);
    EXPECT_EQ(r->Spelers.Sp(0)->Rec.Relnr, VrijRelnr);
    EXPECT_EQ(r->Spelers.Sp(1)->Rec.Relnr, 5000000);
    EXPECT_EQ(r->Spelers.Sp(2)->Rec.Relnr, 1003);
    EXPECT_EQ(r->Spelers.Sp(3)->Rec.Relnr, 1004);

    // A bye typed in lower case in a spreadsheet is the bye too.
    TGroepFileRows rows = SplitRows(text);
    rows[3][1] = " vrij ";
    ReadGroepFromRows(*r, "x.csv", rows, 0);
    EXPECT_EQ(r->Spelers.Sp(2)->Rec.Relnr, VrijRelnr);
}

TEST_F(GroupFileTest, TextsHoldingTheSeparatorAreQuoted) {
    auto g = MakeSpelerGroep();
    g->Rec.Naam = "Groep A;B";
    g->Spelers.Sp(0)->Rec.Voornaam = "\"Jan\";Piet";
    const std::string text = Save(*g);
    EXPECT_EQ(text.substr(0, text.find("\r\n2;")), ";\"Groep A;B\";Relnr.;Ro;Geb.;MV;1;2;3;4;\r\n"
                                                   "1;\"A,S.(\"\"Jan\"\";Piet)\";;;;M;X; ; ; ;");
    auto r = ReadBack(text);
    EXPECT_EQ(r->Rec.Naam, "Groep A;B");
    ASSERT_EQ(r->Spelers.Count(), 4);
    EXPECT_EQ(MakeNaam(r->Spelers.Sp(0)->Rec, nmVoornaamEerst), "\"Jan\";Piet A");
}

TEST_F(GroupFileTest, ColumnsAreFoundByTheirHeadings) {
    // As a spreadsheet may leave it: columns moved, a place column, empty columns
    // at the end, and the settings block written in lower case.
    TGroepFileRows rows = {
        {"", "Groep B", "MV", "Pl.", "ro", "RELNR.", "Geb.", "1", "2", "3", "", ""},
        {"1", "Jan Jansen", "V", "2", "1500", "7000001", "1990", "X", "1R", "0.5", "", ""},
        {"2", "Piet de Vries", "", "1", "", "", "0", "0r", "X", " ", "", " "},
        {"3", "Kees", "m", "3", "0", "", "", " 0,5 ", "", "X"},
        {"", "<xml>"},
        {"", "<zvpoints>"},
        {"", "", "no"},
        {"", "</zvpoints>"},
        {"", "</xml>"}};
    TGroep g;
    g.Rec.MyUseZVPoints = 1;
    const TGroepFileKolommen k = ReadGroepFromRows(g, "b.csv", rows, 0);
    EXPECT_EQ(k.AantalSpelers, 3);
    const std::array<int, gkCount> kolom = {1, 5, 4, 6, 2, 3, 7, 9};
    EXPECT_EQ(k.Kolom, kolom);
    // The settings rows and the empty end columns are gone; the rows are rectangular.
    ASSERT_EQ(rows.size(), 4u);
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 10u);
    EXPECT_EQ(g.Rec.MyUseZVPoints, 0);

    ASSERT_EQ(g.Spelers.Count(), 3);
    const TSpRec& jan = g.Spelers.Sp(0)->Rec;
    EXPECT_EQ(jan.Relnr, 7000001);
    EXPECT_EQ(jan.Ratings[rtKNSB], 1500);
    EXPECT_EQ(jan.GebJaar, 1990);
    EXPECT_EQ(jan.Sexe, 'V');
    const TSpRec& piet = g.Spelers.Sp(1)->Rec;
    EXPECT_EQ(piet.Tussenvoegsel, "de");
    EXPECT_EQ(piet.Achternaam, "Vries");
    EXPECT_EQ(piet.Relnr, 1002);
    EXPECT_EQ(piet.BergerNr, 2);
    EXPECT_EQ(g.Spelers.Sp(2)->Rec.Ratings[rtKNSB], 0);
    EXPECT_EQ(g.Spelers.Sp(2)->Rec.Sexe, 'M');
    EXPECT_EQ(g.Spelers[2], "003");

    // Three players are paired as four; the fourth side has no player.
    EXPECT_EQ(g.Games.Count(), 6);
    EXPECT_EQ(CodeOf(g, 1, 2), ucReglWinst);
    EXPECT_EQ(CodeOf(g, 2, 1), ucReglVerlies);
    EXPECT_EQ(CodeOf(g, 1, 3), ucRemise);
    EXPECT_EQ(CodeOf(g, 3, 1), ucRemise);
    EXPECT_EQ(CodeOf(g, 2, 3), ucGeen);
    EXPECT_EQ(CodeOf(g, 1, 4), ucGeen);
}

TEST_F(GroupFileTest, TooSmallFileLeavesTheGroupEmpty) {
    auto g = MakeSpelerGroep();
    g->Rec.DatumEersteRonde = EncodeDate(2015, 3, 3);
    TGroepFileRows rows = {{"", "Groep C", "Relnr.", "1"}, {"1", "Jan", "", "X"}};
    const TGroepFileKolommen k = ReadGroepFromRows(*g, "c.csv", rows, 0);
    EXPECT_EQ(k.AantalSpelers, 0);
    EXPECT_EQ(g->Spelers.Count(), 0);
    EXPECT_EQ(g->Games.Count(), 0);
    EXPECT_EQ(g->Rec.FileName, "c.csv");

    // Three rows, but only two columns once the empty ones are gone.
    rows = {{"", "Groep C", " "}, {"1", "Jan", ""}, {"2", "Piet"}};
    ReadGroepFromRows(*g, "d.csv", rows, 0);
    EXPECT_EQ(g->Spelers.Count(), 0);
    EXPECT_EQ(g->Rec.FileName, "d.csv");
}

// A file of thousands of lines would pair millions of games; the reader stops at
// the largest group the program makes, reads nothing and says why.
TEST_F(GroupFileTest, FileWithTooManyPlayersIsNotRead) {
    TGroepFileRows rows = {{"", "Groep E", "Relnr."}};
    for (int i = 0; i < 97; ++i)
        rows.push_back({"", "x"});
    rows.insert(rows.begin() + 1, {"#1", "commentaar"}); // lines marked '#' do not count
    TGroep g;
    TGroepFileKolommen k = ReadGroepFromRows(g, "e.csv", rows, 0);
    EXPECT_EQ(k.AantalSpelers, 0);
    EXPECT_EQ(k.Fout, "Het bestand heeft 97 spelers; een groep heeft er hoogstens 96.");
    EXPECT_EQ(g.Spelers.Count(), 0);
    EXPECT_EQ(g.Games.Count(), 0);
    EXPECT_EQ(g.Rec.FileName, "e.csv");
}

// The most players a file may hold are read; a line marked '#' is no player.
TEST_F(GroupFileTest, FileWithTheMostPlayersIsRead) {
    TGroepFileRows rows = {{"", "Groep M", "Relnr."}};
    for (int i = 0; i < MaxGroepFileSpelers; ++i)
        rows.push_back({"", "x", ""});
    rows.push_back({"#", "opmerking", ""});
    TGroep g;
    ReadGroepFromRows(g, "m.csv", rows, 0);
    EXPECT_EQ(g.Spelers.Count(), MaxGroepFileSpelers);
}

// Numbered headings beyond the player lines are no crosstable: no player count.
TEST(GroupFileRows, MoreNumberedColumnsThanLinesCountNoPlayers) {
    const TGroepFileRows rows = {
        {"", "Groep N", "1", "2", "3", "4"}, {"1", "Jan", "X"}, {"2", "Piet", "", "X"}};
    EXPECT_EQ(FindGroepFileKolommen(rows).AantalSpelers, 0);
}

TEST(GroupFileRows, CellsOutsideTheRowsAreEmpty) {
    const TGroepFileRows rows = {{"a"}, {"b", "c"}};
    EXPECT_EQ("c", groepcel::Cell(rows, 1, 1));
    EXPECT_EQ("", groepcel::Cell(rows, 1, 0));
    EXPECT_EQ("", groepcel::Cell(rows, 0, 2));
}

TEST_F(GroupFileTest, NoGamesWithoutTheFirstResultColumn) {
    TGroepFileRows rows = {
        {"", "Groep D", "Relnr.", "Ro"}, {"1", "Jan", "", "1400"}, {"2", "Piet", "", "1500"}};
    TGroep g;
    const TGroepFileKolommen k = ReadGroepFromRows(g, "d.csv", rows, 0);
    EXPECT_EQ(k.Kolom[gkEersteUitslag], -1);
    EXPECT_EQ(g.Spelers.Count(), 2);
    EXPECT_EQ(g.Games.Count(), 0);
    EXPECT_EQ(g.Rec.DubbelRondig, 0);
}

TEST(GroupFileRows, SettingsRowsOnlyAfterTheHeading) {
    TStringList lines;
    TGroepFileRows rows = {{"", "<XML>"}, {"1", "a"}, {"", "</XML>"}};
    TakeXMLRows(rows, lines);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(rows.size(), 3u);

    rows = {{"", "a"}, {"", "</XML>"}, {"", "<XML>"}};
    TakeXMLRows(rows, lines);
    EXPECT_EQ(lines.Count(), 0);

    rows = {{"", "a"}, {"", " <xml> ", "", "x"}, {"", "", ""}, {"", "</XML>"}, {"9"}};
    TakeXMLRows(rows, lines);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[0], " <xml> \tx\t");
    EXPECT_EQ(lines[1], "</XML>\t");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0], "9");
}

void Parse(std::initializer_list<const char*> Texts, TGroep& G) {
    TStringList lines;
    for (const char* t : Texts)
        lines.Add(t);
    ParseXMLBlock(lines, G);
}

TEST(ParseXMLBlock, BlocksNeedAValueLineBeforeTheirClosingTag) {
    TGroep g;
    g.AddSortItem(siWP, true);
    g.Rec.MyUseZVPoints = 1;
    g.Rec.DatumEersteRonde = EncodeDate(2015, 1, 1);
    Parse({"<XML>\t", "<SORTEER>\t", "</SORTEER>\t", "OR\t", "<ZVPOINTS>\t", "</ZVPOINTS>\t",
           "NO\t", "</XML>\t"},
          g);
    ASSERT_EQ(g.Rec.SortAr.size(), 1u);
    EXPECT_EQ(g.Rec.SortAr[0].SortId, siWP);
    EXPECT_EQ(g.Rec.MyUseZVPoints, 1);
    // No date block: no date.
    EXPECT_EQ(g.Rec.DatumEersteRonde, 0);

    // A closing tag that is missing, or only found before the opening one.
    Parse({"</ZVPOINTS>\t", "<ZVPOINTS>\t", "NO\t", "<SORTEER>\t", "OR\t"}, g);
    EXPECT_EQ(g.Rec.MyUseZVPoints, 1);
    EXPECT_EQ(g.Rec.SortAr.size(), 1u);
}

TEST(ParseXMLBlock, SortCodes) {
    TGroep g;
    g.AddSortItem(siWP, true);
    g.AddSortItem(siWP, true);
    Parse({"<SORTEER>\t", "NO\t", "</SORTEER>\t"}, g);
    const TMyStSortAr allOff = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
    EXPECT_EQ(g.Rec.SortAr, allOff);

    Parse({"<sorteer>", " ww \tlt\tXX\tWW\t", "</Sorteer>"}, g);
    const TMyStSortAr wwLt = {{3, 1}, {4, 1}, {0, 0}, {1, 0}, {2, 0}};
    EXPECT_EQ(g.Rec.SortAr, wwLt);
}

TEST(ParseXMLBlock, SeriesPointsAndDate) {
    TGroep g;
    g.Rec.MyUseZVPoints = 1;
    Parse(
        {"<ZVPOINTS>\t", "no\tYES\t", "</ZVPOINTS>\t", "<ZVDATUM>\t", "2012-1-2\t", "</ZVDATUM>\t"},
        g);
    EXPECT_EQ(g.Rec.MyUseZVPoints, 0);
    EXPECT_EQ(g.Rec.DatumEersteRonde, EncodeDate(2012, 1, 2));

    Parse({"<ZVPOINTS>\t", "misschien\t", "</ZVPOINTS>\t", "<ZVDATUM>\t", "2011-12-31\t",
           "</ZVDATUM>\t"},
          g);
    EXPECT_EQ(g.Rec.MyUseZVPoints, 0);
    EXPECT_EQ(g.Rec.DatumEersteRonde, 0);

    Parse({"<ZVPOINTS>", "Yes", "</ZVPOINTS>", "<ZVDATUM>", "2016-02-30", "</ZVDATUM>"}, g);
    EXPECT_EQ(g.Rec.MyUseZVPoints, 1);
    EXPECT_EQ(g.Rec.DatumEersteRonde, 0);
}

TEST_F(GroupFileTest, FailedWriteKeepsTheOldFileAndTheModifiedFlag) {
    auto g = MakeSpelerGroep();
    g->Rec.FileName = "oud.csv";
    g->Modified = true;
    EXPECT_THROW(g->SaveGroepFile(File("ontbreekt/groep.csv")), EFCreateError);
    EXPECT_TRUE(g->Modified);
    EXPECT_EQ(g->Rec.FileName, "oud.csv");

    // A folder in the way of the file: it stays, and no temporary file is left.
    fs::create_directories(FDir / "groep.csv");
    WriteFileAtomic(File("groep.csv/binnen.txt"), "oud");
    EXPECT_THROW(g->SaveGroepFile(File("groep.csv")), EFCreateError);
    EXPECT_TRUE(g->Modified);
    EXPECT_EQ(ReadFileBytes(File("groep.csv/binnen.txt")), "oud");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(FDir))
        ++entries;
    EXPECT_EQ(entries, 1);

    // An existing longer file is replaced as a whole.
    WriteFileAtomic(File("echt.csv"), std::string(5000, 'x'));
    const std::string text = Save(*g, "echt.csv");
    EXPECT_EQ(text.substr(0, 9), ";Groep A;");
    EXPECT_EQ(text.find('x'), std::string::npos);
    EXPECT_FALSE(g->Modified);
}

} // namespace

// What the writer never writes, and a spreadsheet user may leave, is refused with
// its place named rather than read as nothing, and the group stays as it was.
TEST_F(GroupFileTest, RefusesWhatWouldLoseDataAndKeepsTheGroup) {
    auto g = MakeSpelerGroep();
    g->Spelers.Sp(1)->Rec.Ratings[rtKNSB] = 1850;
    g->Spelers.Sp(1)->Rec.GebJaar = 1970;
    g->Spelers.Sp(3)->Rec.Relnr = 5012345;
    EnterResult(*g, 2, 1, 2);
    const std::string text = Save(*g);
    const struct {
        const char* Van;
        const char* Naar;
        const char* Fout;
    } gevallen[] = {
        {"4;D,S.(Speler);5012345;;;M; ; ; ;X;\r\n", "",
         "nummert de uitslagen tot 4, maar er staan 3"},
        {"\r\n3;C", "\r\n#3;C", "regel 4 begint met \"#\""},
        {";Relnr.;", ";Relnr;", "\"Relnr\" van kolom 3 kent het programma niet, maar regel 5"},
        {";Relnr.;Ro;", ";Ro;Ro;", "\"Ro\" staat boven kolom 3 en boven kolom 4"},
        {"5012345", "12345", "regel 5, kolom 3 (\"Relnr.\") staat \"12345\": dat is geen rel"},
        {";Ro;Geb.;", ";Geb.;Ro;", "kolom 4 (\"Geb.\") staat \"1850\": dat is geen geboortejaar"},
        {"1850", "-1500", "\"-1500\": dat is geen rating"},
        {";MV;", ";M/V;", "\"M/V\" van kolom 6"},
        {"M;0;X", "W;0;X", "\"W\": dat is geen M of V"},
        {"M;X;1;", "M;X;+;",
         "regel 2, kolom 8 (de uitslag van Speler A tegen Speler B) staat \"+\""},
        {"M;X;1; ;", "M;X;1;X;", "kolom 9 (de uitslag van Speler A tegen Speler C) staat een X,"},
        {"M;0;X", "M;1;X", "spreken de uitslagen \"1\" en \"1\" elkaar tegen"},
        {";</XML>\r\n", "", "vanaf regel 6 wordt niet afgesloten"},
        {";<XML>\r\n", "", "regel 6 (\";<ZVPOINTS>\") hoort bij de instellingen"},
        {";<XML>\r\n", ";<XML>\r\n;</XML>\r\n;<XML>\r\n", "regel 6 en regel 8 zijn allebei"},
    };
    for (const auto& c : gevallen) {
        SCOPED_TRACE(c.Fout);
        const size_t p = text.find(c.Van);
        ASSERT_NE(std::string::npos, p);
        TGroepFileRows rows =
            SplitRows(std::string(text).replace(p, std::string_view(c.Van).size(), c.Naar));
        auto r = MakeSpelerGroep();
        r->Rec.Naam = "Vorige";
        const TGroepFileKolommen k = ReadGroepFromRows(*r, "y.csv", rows, 0);
        EXPECT_NE(std::string::npos, k.Fout.find(c.Fout)) << k.Fout;
        EXPECT_EQ(0, r->Spelers.Count());
        EXPECT_EQ("Vorige", r->Rec.Naam);
    }
}

// A file the program wrote, and what editors add to it, opens; what is no
// group file is refused in Dutch before anything is built from it.
TEST(GroupFileCheck, RefusesWhatIsNoGroupFile) {
    EXPECT_EQ("", GroepFileFout(";Groep;Relnr.;Ro;Geb.;MV;1;2;\r\n1;A;;;;M;X; ;\r\n"));
    EXPECT_EQ("", GroepFileFout("\xEF\xBB\xBF;Groep;1;2;3\n"));
    EXPECT_EQ("Het bestand is leeg.", GroepFileFout(" \r\n\r\n"));
    EXPECT_EQ(0u, GroepFileFout("Naam;Adres;Plaats\r\n").find("Dit is geen groepsbestand"));
    EXPECT_EQ(0u, GroepFileFout(";Naam;Adres;Plaats\r\n").find("Dit is geen groepsbestand"));
    EXPECT_EQ("Het bestand heeft een regel van 40000 tekens; een regel van een groepsbestand "
              "heeft er hoogstens 32768.",
              GroepFileFout(";Groep;1;" + std::string(40000 - 9, ';')));
    EXPECT_EQ(0u, GroepFileFout(";Groep;1;" + std::string(3000, ';'))
                      .find("Het bestand heeft een regel met 3004 kolommen"));
    std::string lang = ";Groep;1;\r\n";
    for (size_t i = 0; i < MaxGroepFileRegels; ++i)
        lang += "1;A;\r\n;;;\r\n";
    EXPECT_EQ(0u, GroepFileFout(lang).find("Het bestand heeft 1064 regels"));
    // A NUL among the first bytes is no UTF-16 by itself; every other byte is.
    const std::string nul(";\0G;Relnr.;1;2;\r\n1;A;;X; ;\r\n", 28);
    EXPECT_NE(std::string::npos, GroepFileFout(nul).find("regel 1 bevat een NUL-teken"));
    EXPECT_EQ(0u, GroepFileFout(std::string(";\0G\0", 4)).find("Het bestand is als Unicode"));
    // LF CR ends split every line in two; the empty line of a CR LF file is none.
    EXPECT_EQ(0u, GroepFileFout(";G;Ro;1;\n\r1;A;;X;\n\r")
                      .find("De regels van het bestand eindigen "
                            "op LF CR"));
    EXPECT_EQ("", GroepFileFout(";G;Ro;1;\r\n\r\n1;A;;X;\r\n"));
    // Separated by commas, a name written as the writer writes it must be quoted.
    EXPECT_EQ("", GroepFileFout(",G,Ro,1,2\r\n1,\"B,J.\",,X,1\r\n2,\"C,K.\",,0,X\r\n"));
    EXPECT_NE(std::string::npos,
              GroepFileFout(",G,Ro,1,2\r\n1,\"B,J.\",,X,1\r\n2,C,K.,,0,X\r\n")
                  .find("regel 3 heeft meer kolommen dan de kopregel: is de naam \"C,K.\""));
}
