// The federation lists: rating and member lists in their own layouts (written
// here as the federation's files are, Windows-1252 with CR LF), the list
// trees, the member grid, the search, and taking a member into a group.

#include "app/ledenlijst.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "apptestenv.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/names.h"
#include "model/objects.h"
#include "model/player.h"
#include "model/textutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/comctrls.h"
#include "vz_test_support.h"
#include "widgettest.h"

namespace {

const char* const CRLF = "\r\n";

// One member line of a rating list: characters 1-6 sequence, 8-14 member
// number, 16-34 surname, 36-44 first name, 46-52 particle, 54 sex, 56-60
// rating; Rest from character 62 on (none: the line is exactly 60 long).
std::string RatingLine(int Seq, const std::string& Relnr, const std::string& Achternaam,
                       const std::string& Voornaam, const std::string& Tv, char Sexe, int Rating,
                       const std::string& Rest = "") {
    std::string l = Pad(IntToStr(Seq), 6) + " " + Pad(Relnr, 7) + " " + Pad(Achternaam, 19) + " " +
                    Pad(Voornaam, 9) + " " + Pad(Tv, 7) + " " + std::string(1, Sexe) + " " +
                    Pad(IntToStr(Rating), 5);
    if (!Rest.empty()) l += " " + Rest;
    return l;
}

const char* const RatingKop = "KNSB rating lijst januari 2024";

const char* const NJRKop = "Vereniging;RelNr;Voornaam;TV;FamNaam;VL;Sexe;GebJaar;Rating";
const char* const KnsbKop =
    "Relatienummer;VerenigingID;LidmaatschapTypeID;Achternaam;Tussenvoegsel;Voornaam;"
    "Voorletters;Email;Geslacht;Geboren;Nationaliteit;KNSBRating;KNSBJeugdRating;Categorie;"
    "Status;FIDERating;FIDEId;Titel";

std::string KnsbRow(int Relnr, const std::string& Achternaam, const std::string& Tv,
                    const std::string& Voornaam, const std::string& Vl, const std::string& Sexe,
                    const std::string& Geboren, const std::string& Knsb, const std::string& Jeugd,
                    const std::string& Fide) {
    return IntToStr(Relnr) + ";1234;1;" + Achternaam + ";" + Tv + ";" + Voornaam + ";" + Vl +
           ";x@y.nl;" + Sexe + ";" + Geboren + ";NED;" + Knsb + ";" + Jeugd + ";A;Actief;" + Fide +
           ";1234567;" + CRLF;
}

// Keeps the rating kind of the test to itself.
class TRatingTypeScope {
public:
    explicit TRatingTypeScope(TRatingType Kind) : FOld(RatingType) { RatingType = Kind; }
    ~TRatingTypeScope() { RatingType = FOld; }

private:
    TRatingType FOld;
};

// The data root of a test: XDG_DOCUMENTS_DIR points into the test's folder.
class TDataRootScope {
public:
    explicit TDataRootScope(const std::string& Documents) {
        if (const char* old = std::getenv("XDG_DOCUMENTS_DIR")) FOld = old, FHadOld = true;
        setenv("XDG_DOCUMENTS_DIR", Documents.c_str(), 1);
    }
    ~TDataRootScope() {
        if (FHadOld)
            setenv("XDG_DOCUMENTS_DIR", FOld.c_str(), 1);
        else
            unsetenv("XDG_DOCUMENTS_DIR");
    }

private:
    std::string FOld;
    bool FHadOld = false;
};

int CountWithRelnr(const TSpList& L, int Relnr) {
    int n = 0;
    for (int i = 0; i < L.Count(); ++i)
        n += L.Sp(i)->Rec.Relnr == Relnr;
    return n;
}

} // namespace

// --- rating lists ---------------------------------------------------------------------

TEST(LedenRatingLijst, LineOfSixtyReadFiftyNineSkipped) {
    TRatingTypeScope kind(rtKNSB);
    const std::string line = RatingLine(12, "7012345", "Jansen", "Pieter", "", 'M', 1875);
    ASSERT_EQ(line.size(), 60u);
    TSpRec rec;
    ASSERT_TRUE(ParseRatingLine(line, rec));
    EXPECT_EQ(rec.Relnr, 7012345);
    EXPECT_EQ(rec.Achternaam, "Jansen");
    // The rating ends the line: its field must end there too.
    EXPECT_EQ(rec.Ratings[rtKNSB], 1875);

    EXPECT_FALSE(ParseRatingLine(line.substr(0, 59), rec));
    EXPECT_EQ(rec.Relnr, 0);
}

TEST(LedenRatingLijst, FieldsGoWhereTheyBelong) {
    TRatingTypeScope kind(rtJeugd);
    TSpRec rec;
    ASSERT_TRUE(ParseRatingLine(RatingLine(3, "7100002",
                                           "\xC7"
                                           "elik",
                                           "\xEB"
                                           "lif",
                                           "van der", 'V', 1433, "  12 1985 extra"),
                                rec));
    EXPECT_EQ(rec.Relnr, 7100002);
    EXPECT_EQ(rec.Achternaam, "\xC7"
                              "elik");
    EXPECT_EQ(rec.Voornaam, "\xEB"
                            "lif");
    EXPECT_EQ(rec.Voorletters, "\xCB."); // the first letter upper-cased in the code page
    EXPECT_EQ(rec.Tussenvoegsel, "van der");
    EXPECT_EQ(rec.Sexe, 'V');
    EXPECT_EQ(rec.Ratings[rtJeugd], 1433);
    EXPECT_EQ(rec.Ratings[rtKNSB], 0);

    // A number that is no number reads 0; an empty first name leaves the
    // initials alone; a sex other than V is M.
    ASSERT_TRUE(ParseRatingLine(RatingLine(4, "70x0003", "Smit", "", "", 'W', 0), rec));
    EXPECT_EQ(rec.Relnr, 0);
    EXPECT_EQ(rec.Voorletters, "");
    EXPECT_EQ(rec.Sexe, 'M');
}

TEST(LedenRatingLijst, TabInsideALineShiftsNoField) {
    TRatingTypeScope kind(rtKNSB);
    std::string line = RatingLine(5, "7100005", "de\tVries", "Jan", "", 'M', 1650);
    TSpRec rec;
    ASSERT_TRUE(ParseRatingLine(line, rec));
    EXPECT_EQ(rec.Voornaam, "Jan");
    EXPECT_EQ(rec.Ratings[rtKNSB], 1650);
}

TEST(LedenRatingLijst, FileSkipsHeadingShortLinesLowAndDoubleNumbers) {
    TTestFolder dir;
    TRatingTypeScope kind(rtKNSB);
    std::string text = std::string(RatingKop) + CRLF;
    text += RatingLine(1, "7000001", "Bakker", "Sanne", "de", 'V', 1603) + CRLF;
    text += RatingLine(2, "7000002", "Berg", "Anna", "van den", 'V', 1745).substr(0, 59) + CRLF;
    text += RatingLine(3, "4999999", "Laag", "Piet", "", 'M', 1500) + CRLF;
    text += RatingLine(4, "7000001", "Bakker", "Sanne", "de", 'V', 1999) + CRLF; // twice
    text += RatingLine(5, "abcdefg", "Geen", "Nummer", "", 'M', 1400) + CRLF;
    text += RatingLine(6, "7000006", "Visser", "Henk", "", 'M', 1850, "   1 1959"); // no end
    WriteBytes(dir.File("krat 24-01.txt"), text);

    TSpList leden;
    ReadRatingList(dir.File("krat 24-01.txt"), leden);
    ASSERT_EQ(leden.Count(), 2);
    EXPECT_EQ(leden.Sp(0)->Rec.Achternaam, "Bakker");
    EXPECT_EQ(leden.Sp(0)->Rec.Ratings[rtKNSB], 1603); // the first of the two
    EXPECT_EQ(leden.Strings(0), LedenKey(leden.Sp(0)->Rec));
    EXPECT_EQ(leden.Strings(0), MakeNaamKey(MakeNaam(leden.Sp(0)->Rec, nmAchternaamEerst), 8));
    EXPECT_EQ(leden.Sp(1)->Rec.Achternaam, "Visser");
    EXPECT_EQ(leden.Sp(1)->Rec.Ratings[rtKNSB], 1850);

    // The same lines with LF alone read alike.
    std::string lf;
    for (char c : text)
        if (c != '\r') lf += c;
    WriteBytes(dir.File("krat 24-02.txt"), lf);
    TSpList leden2;
    ReadRatingList(dir.File("krat 24-02.txt"), leden2);
    ASSERT_EQ(leden2.Count(), 2);
    EXPECT_TRUE(leden2.Sp(1)->IsSame(leden.Sp(1)->Rec));
}

TEST(LedenRatingLijst, EmptyAndMissingFilesGiveNoMembers) {
    TTestFolder dir;
    WriteBytes(dir.File("krat 24-01.txt"), "");
    TSpList leden;
    ReadRatingList(dir.File("krat 24-01.txt"), leden);
    ReadRatingList(dir.File("bestaat niet.txt"), leden);
    EXPECT_EQ(leden.Count(), 0);
}

TEST(LedenRatingLijst, TwoHundredThousandLinesAllRead) {
    // Looking every number up in the list itself made this a matter of minutes.
    TRatingTypeScope kind(rtKNSB);
    TStringList lines;
    lines.Add(RatingKop);
    for (int i = 0; i < 200000; ++i)
        lines.Add(RatingLine(i, IntToStr(7000000 + i), "Speler" + IntToStr(i), "Jan", "", 'M',
                             1000 + i % 1500));
    lines.Add(RatingLine(0, "7000000", "Dubbel", "Jan", "", 'M', 1000));
    TSpList leden;
    ReadRatingLines(lines, leden);
    EXPECT_EQ(leden.Count(), 200000);
    EXPECT_EQ(CountWithRelnr(leden, 7000000), 1);
}

// --- member lists ---------------------------------------------------------------------

class LedenLijstGrid : public WidgetTest {
protected:
    TTestFolder Dir;
    std::unique_ptr<TExtColumnGrid> Grid = std::make_unique<TExtColumnGrid>(nullptr);
};

TEST_F(LedenLijstGrid, NJRListColumnsQuotesAndDoubleNumbers) {
    TRatingTypeScope kind(rtNJR);
    std::string text = std::string(NJRKop) + CRLF;
    text += "Zomerveld;7200001;\xEB"
            "va;van;\xC7"
            "elik;E.;V;2009;1210\r\n";
    text += "Zomerveld;7200002;Tim;;\"Berg; van den\";T.;M;abc;\r\n";
    text += "Zomerveld;7200001;Eva;;Dubbel;E.;v;2010;900\r\n"; // same number: two members
    text += "Zomerveld;;Geen;;Nummer;G.;M;2011;800\r\n";
    text += "Zomerveld;12;Laag;;Nummer;L.;M;2011;800\r\n";
    text += "Zomerveld;7200003;Kort;;Laatste;K.;M;2012;1001"; // truncated: no line end
    WriteBytes(Dir.File("lidNJR2024-01-15.csv"), text);

    TSpList leden;
    ASSERT_TRUE(ReadNJRLedenList(*Grid, Dir.File("lidNJR2024-01-15.csv"), leden));
    ASSERT_EQ(leden.Count(), 4);
    const TSpRec& a = leden.Sp(0)->Rec;
    EXPECT_EQ(a.Relnr, 7200001);
    EXPECT_EQ(a.Voornaam, "\xEB"
                          "va");
    EXPECT_EQ(a.Tussenvoegsel, "van");
    EXPECT_EQ(a.Achternaam, "\xC7"
                            "elik");
    EXPECT_EQ(a.Voorletters, "E.");
    EXPECT_EQ(a.Sexe, 'V');
    EXPECT_EQ(a.GebJaar, 2009);
    EXPECT_EQ(a.Ratings[rtNJR], 1210);
    const TSpRec& b = leden.Sp(1)->Rec;
    EXPECT_EQ(b.Achternaam, "Berg; van den");
    EXPECT_EQ(b.GebJaar, 0);
    EXPECT_EQ(b.Ratings[rtNJR], 0);
    EXPECT_EQ(leden.Sp(2)->Rec.Sexe, 'M'); // only "V" itself is a woman
    EXPECT_EQ(CountWithRelnr(leden, 7200001), 2);
    EXPECT_EQ(leden.Sp(3)->Rec.Ratings[rtNJR], 1001);
}

TEST_F(LedenLijstGrid, KnsbListColumnsRatingsAndOneMemberPerNumber) {
    TRatingTypeScope kind(rtFIDE);
    std::string text = std::string(KnsbKop) + CRLF;
    text += KnsbRow(7300001, "Dijkstra", "", "Kees", "K.", "M", "1965", "1688", "", "1702");
    text += KnsbRow(7300002,
                    "\xC7"
                    "akir",
                    "",
                    "\xEB"
                    "mine",
                    "\xCB.", "V", "2008", "1450", "1390", "");
    text += KnsbRow(7300001, "Dijkstra", "", "Kees", "K.", "M", "1965", "1999", "", "1999");
    text += KnsbRow(3, "Laag", "", "Nummer", "L.", "M", "1970", "1500", "", "");
    text += "73OO009;1234;1;Letters;;In;I.;;M;1970;NED;1500;;;;;;\r\n"; // no number
    WriteBytes(Dir.File("lid20240115.csv"), text);

    TSpList leden;
    ASSERT_TRUE(ReadKnsbLedenList(*Grid, Dir.File("lid20240115.csv"), leden));
    ASSERT_EQ(leden.Count(), 2);
    const TSpRec& k = leden.Sp(0)->Rec;
    EXPECT_EQ(k.Relnr, 7300001);
    EXPECT_EQ(k.Ratings[rtKNSB], 1688); // the first of the two
    EXPECT_EQ(k.Ratings[rtFIDE], 1702);
    EXPECT_EQ(k.GebJaar, 1965);
    const TSpRec& e = leden.Sp(1)->Rec;
    EXPECT_EQ(e.Achternaam, "\xC7"
                            "akir");
    EXPECT_EQ(e.Voornaam, "\xEB"
                          "mine");
    EXPECT_EQ(e.Voorletters, "\xCB.");
    EXPECT_EQ(e.Sexe, 'V');
    EXPECT_EQ(e.Ratings[rtKNSB], 1450);
    EXPECT_EQ(e.Ratings[rtJeugd], 1390);
    EXPECT_EQ(e.Ratings[rtFIDE], 0);
    EXPECT_EQ(e.Ratings[rtNJR], 0);
}

TEST_F(LedenLijstGrid, KnsbListReportsProgressEveryQuarterThousandRows) {
    std::string text = std::string(KnsbKop) + CRLF;
    for (int i = 1; i <= 600; ++i)
        text +=
            KnsbRow(7400000 + i, "Lid" + IntToStr(i), "", "Jan", "J.", "M", "1980", "1500", "", "");
    WriteBytes(Dir.File("lid20240201.csv"), text);
    std::vector<int> reported;
    TSpList leden;
    ASSERT_TRUE(ReadKnsbLedenList(*Grid, Dir.File("lid20240201.csv"), leden,
                                  [&](int Row) { reported.push_back(Row); }));
    EXPECT_EQ(leden.Count(), 600);
    EXPECT_EQ(reported, (std::vector<int>{250, 500}));
}

TEST_F(LedenLijstGrid, EmptyHeadingOnlyAndMissingFiles) {
    WriteBytes(Dir.File("lid20240301.csv"), "");
    WriteBytes(Dir.File("lidNJR2024-03-01.csv"), std::string(NJRKop) + CRLF);
    TSpList leden;
    EXPECT_TRUE(ReadKnsbLedenList(*Grid, Dir.File("lid20240301.csv"), leden));
    EXPECT_TRUE(ReadNJRLedenList(*Grid, Dir.File("lidNJR2024-03-01.csv"), leden));
    EXPECT_FALSE(ReadKnsbLedenList(*Grid, Dir.File("lid20990101.csv"), leden));
    EXPECT_EQ(leden.Count(), 0);
}

// A line of 100,000 fields is no member list: refused before the grid takes
// it, so the grid keeps no columns from it.
TEST_F(LedenLijstGrid, HugeLineIsRefusedBeforeTheGridTakesIt) {
    WriteBytes(Dir.File("lid20240401.csv"),
               std::string(KnsbKop) + CRLF + std::string(100000, ';') + CRLF);
    TSpList leden;
    EXPECT_FALSE(ReadKnsbLedenList(*Grid, Dir.File("lid20240401.csv"), leden));
    EXPECT_LT(Grid->ColCount(), 100);
    EXPECT_EQ(leden.Count(), 0);
}

// A line of the longest length a member list has is read; one byte more is not.
TEST_F(LedenLijstGrid, LongestLineIsReadOneLongerRefused) {
    for (const size_t lengte : {4096u, 4097u}) {
        WriteBytes(Dir.File("lid20240501.csv"), std::string(lengte, 'x') + CRLF);
        EXPECT_EQ(lengte > 4096, !LedenFileFout(Dir.File("lid20240501.csv")).empty()) << lengte;
    }
}

TEST_F(LedenLijstGrid, ShowsMembersWithTheirRatings) {
    TRatingTypeScope kind(rtKNSB);
    TSpList leden;
    TStringList lines;
    lines.Add(RatingKop);
    lines.Add(RatingLine(1, "7000001", "Jansen", "Pieter", "", 'M', 1912));
    lines.Add(RatingLine(2, "7000002", "Berg", "Anna", "van den", 'V', 1745));
    ReadRatingLines(lines, leden);

    ShowLedenlijst(*Grid, leden, false, "KNSB");
    ASSERT_EQ(Grid->RowCount(), 3); // heading and two members, the spare row gone
    EXPECT_EQ(Grid->ColCount(), 5);
    EXPECT_EQ(Grid->Cells(1, 0), "Naam");
    EXPECT_EQ(Grid->Cells(2, 0), "Relnr.");
    EXPECT_EQ(Grid->Cells(3, 0), "KNSB");
    EXPECT_EQ(Grid->Cells(0, 2), "2");
    EXPECT_EQ(Grid->Cells(1, 2), leden.Sp(1)->GetNaam());
    EXPECT_EQ(Grid->Cells(2, 2), "7000002");
    EXPECT_EQ(Grid->Cells(3, 2), "1745");
    EXPECT_EQ(Grid->Objects(0, 1), leden.Sp(0));
    EXPECT_EQ(LedenStatusText(leden, "/data/krat 24-01.txt"), "2 namen in krat 24-01.txt");

    ShowLedenlijst(*Grid, leden, true, "KNSB");
    EXPECT_EQ(Grid->ColCount(), 7);
    EXPECT_EQ(Grid->Cells(3, 0), "KNSB");
    EXPECT_EQ(Grid->Cells(4, 0), "FIDE");
    EXPECT_EQ(Grid->Cells(5, 0), "Jeugd");
}

// --- list trees -----------------------------------------------------------------------

TEST_F(LedenLijstGrid, TreeShowsRootFilesAndFoldersWithMatches) {
    TDataRootScope root(Dir.Path());
    const std::string data = Dir.Path() + "/Vivazozodi";
    ASSERT_TRUE(ForceDirectories(data + "/Oud"));
    ASSERT_TRUE(ForceDirectories(data + "/Leeg"));
    WriteBytes(data + "/krat 24-01.txt", "x");
    WriteBytes(data + "/jrat 24-01.txt", "x");
    WriteBytes(data + "/Oud/krat 23-07.txt", "x");
    WriteBytes(data + "/Leeg/notities.txt", "x");
    ASSERT_TRUE(ForceDirectories(data + "/.verborgen"));
    WriteBytes(data + "/.verborgen/krat 22-01.txt", "x");

    TTreeView tree(nullptr);
    FillListTree(tree, "krat*-*.txt", UpperCase(data + "/Oud/krat 23-07.txt"));
    TTreeNode* top = tree.Items()->GetFirstNode();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->Text(), "Vivazozodi");
    // The root's file, then the folder that has one; the hidden folder not.
    ASSERT_EQ(top->Count(), 2);
    EXPECT_EQ(top->Item(0)->Text(), "krat 24-01.txt");
    EXPECT_EQ(ListTreeFileName(top->Item(0)), data + "/krat 24-01.txt");
    EXPECT_EQ(top->Item(1)->Text(), "Oud");
    EXPECT_EQ(ListTreeFileName(top->Item(1)), "");
    ASSERT_EQ(top->Item(1)->Count(), 1);
    EXPECT_EQ(tree.Selected(), top->Item(1)->Item(0));
    EXPECT_TRUE(top->Item(1)->Expanded());

    // Refilled, the tree holds the new files only.
    FillListTree(tree, "jrat*-*.txt", "");
    EXPECT_EQ(tree.Items()->Count(), 2);
    EXPECT_EQ(ListTreeFileName(tree.Items()->Item(1)), data + "/jrat 24-01.txt");
}

// --- search and the texts -------------------------------------------------------------

TEST(LedenZoek, TextIsTrimmedAndCutToTen) {
    EXPECT_EQ(ZoekTekst("  Jansenmeijerbakk  "), "Jansenmeij");
    EXPECT_EQ(ZoekTekst("Bakker"), "Bakker");
}

TEST(LedenZoek, MemberInfoNamesNumberRatingAndBirthYear) {
    TRatingTypeScope kind(rtKNSB);
    TSpRec r;
    InitSpRec(r);
    r.Achternaam = "Jansen";
    r.Voornaam = "Pieter";
    r.Voorletters = "P.";
    r.Relnr = 7000001;
    r.Ratings[rtKNSB] = 1912;
    r.GebJaar = 1978;
    TSp sp(r);
    EXPECT_EQ(MemberInfoStr(sp), sp.GetNaam() + "; Relnr.=7000001; Rating=1912; Geboren: 1978");
    sp.Rec.Relnr = 1004;
    sp.Rec.GebJaar = 0;
    EXPECT_EQ(MemberInfoStr(sp), sp.GetNaam() + "; Relnr.=?; Rating=1912; Geboren: ?");
}

TEST(LedenZoek, TakingAMemberKeepsThePlayersPlaceInTheGroup) {
    TSpRec speler;
    InitSpRec(speler);
    speler.BergerNr = 3;
    speler.GebJaar = 1980;
    speler.NrUitslagen = 5;
    speler.Plaats = 2;
    TSpRec lid;
    InitSpRec(lid);
    lid.Achternaam = "Visser";
    lid.Relnr = 7000005;
    lid.BergerNr = 99;
    CopyLidToSpeler(lid, speler);
    EXPECT_EQ(speler.Achternaam, "Visser");
    EXPECT_EQ(speler.Relnr, 7000005);
    EXPECT_EQ(speler.BergerNr, 3);
    EXPECT_EQ(speler.GebJaar, 1980); // the member has none
    EXPECT_EQ(speler.NrUitslagen, 5);
    EXPECT_EQ(speler.Plaats, 2);
    lid.GebJaar = 1959;
    CopyLidToSpeler(lid, speler);
    EXPECT_EQ(speler.GebJaar, 1959);
}
