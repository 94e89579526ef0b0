// Group data files as the director meets them: written by the program, then opened
// and saved again by a spreadsheet, and loaded the way the main window loads them
// (the grid's delimited-text loader, then the group read from the grid's cells).

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "apptestenv.h"
#include "grid/extgrid.h"
#include "groupfileload.h"
#include "model/dates.h"
#include "model/group.h"
#include "model/groupfile.h"
#include "model/names.h"
#include "model_fixtures.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "vz_test_support.h"
#include "widgettest.h"

namespace {

namespace fs = std::filesystem;

class GroupFileSheet : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        char tmpl[] = "/tmp/vz_groupsheet_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Dir = tmpl;
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TExtStringGrid(Form.get()); // owned by the form
        Grid->SetParent(Form.get());
        FRating = RatingType;
        RatingType = rtKNSB;
    }
    void TearDown() override {
        Form.reset();
        RatingType = FRating;
        if (!Dir.empty()) fs::remove_all(Dir);
    }

    std::string Path(const std::string& Name) const { return Dir + "/" + Name; }
    void Put(const std::string& Name, const std::string& Text) const {
        std::ofstream(Path(Name), std::ios::binary) << Text;
    }
    // Saves G with the program's writer and answers the bytes.
    std::string Save(TGroep& G, const std::string& Name) const {
        G.SaveGroepFile(Path(Name));
        return ReadBytes(Path(Name));
    }

    std::unique_ptr<TGroep> Load(const std::string& File, TGroepFileKolommen* K = nullptr) {
        return LoadGroepFile(*Grid, File, K);
    }

    std::string Dir;
    std::unique_ptr<TForm> Form;
    TExtStringGrid* Grid = nullptr;

private:
    TRatingType FRating = rtKNSB;
};

TUitslagCode CodeOf(const TGroep& G, int A, int B, int EersteHelft) {
    TKleur kleur;
    const TGame* game = G.Games.GetGameOnBgNrs(A, B, kleur, EersteHelft);
    return game ? game->GetUitslag(kleur) : 0xFF;
}

// The tie-breaks that count, in their order: the file keeps those.
std::vector<TSortId> AanCriteria(const TMyStSortAr& SortAr) {
    std::vector<TSortId> ids;
    for (const TMyStSortItem& item : SortAr)
        if (item.Aan) ids.push_back(item.SortId);
    return ids;
}

// Everything the file carries: name, settings, players, every result of both cycles.
void ExpectSameGroep(const TGroep& Want, const TGroep& Got) {
    EXPECT_EQ(Got.Rec.Naam, Want.Rec.Naam);
    EXPECT_EQ(Got.Rec.DubbelRondig, Want.Rec.DubbelRondig);
    EXPECT_EQ(Got.Rec.MyUseZVPoints, Want.Rec.MyUseZVPoints);
    EXPECT_EQ(AanCriteria(Got.Rec.SortAr), AanCriteria(Want.Rec.SortAr));
    EXPECT_EQ(Got.Rec.SortAr.empty(), Want.Rec.SortAr.empty());
    EXPECT_EQ(Got.Rec.DatumEersteRonde,
              CheckDatum(Want.Rec.DatumEersteRonde) >= EncodeDate(2012, 1, 1)
                  ? Want.Rec.DatumEersteRonde
                  : 0);
    ASSERT_EQ(Got.Spelers.Count(), Want.Spelers.Count());
    for (int i = 0; i < Want.Spelers.Count(); ++i) {
        const TSpRec& w = Want.Spelers.Sp(i)->Rec;
        const TSpRec& g = Got.Spelers.Sp(i)->Rec;
        EXPECT_EQ(g.BergerNr, w.BergerNr);
        EXPECT_EQ(MakeNaam(g, Want.Rec.NaamMode), MakeNaam(w, Want.Rec.NaamMode));
        EXPECT_EQ(g.Relnr, w.Relnr) << MakeNaam(w, nmVoornaamEerst);
        EXPECT_EQ(g.Ratings[rtKNSB], w.Ratings[rtKNSB]);
        EXPECT_EQ(g.GebJaar, w.GebJaar);
        EXPECT_EQ(g.Sexe, w.Sexe);
    }
    const int n = Want.Spelers.Count();
    for (int h = 1; h >= (Want.Rec.DubbelRondig ? 0 : 1); --h)
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b) {
                if (a == b) continue;
                EXPECT_EQ(CodeOf(Got, a, b, h), CodeOf(Want, a, b, h))
                    << a << " tegen " << b << ", helft " << h;
            }
}

// The club group with every result code, a member whose name needs quoting and
// one with a letter beyond ASCII, the tie-breaks, series points and a date.
std::unique_ptr<TGroep> VolleGroep(bool DubbelRondig) {
    auto g = MakeClubGroep(DubbelRondig, true);
    EnterResult(*g, 1, 2, 4); // 0-0
    EnterResult(*g, 3, 4, 5); // 0-0 Regl.
    EnterResult(*g, 5, 6, 7); // 0-1 Regl.
    EnterResult(*g, 7, 8, 8); // ½-½ Regl.
    if (DubbelRondig) {
        EnterResult(*g, 1, 2, 3, 0); // ½-½
        EnterResult(*g, 2, 3, 6, 0); // 1-0 Regl.
        EnterResult(*g, 4, 8, 2, 0); // 0-1
    }
    g->Spelers.Sp(1)->Rec.Achternaam = "Berg; jr.";
    g->Spelers.Sp(2)->Rec.Voornaam = "J\xFCrgen";
    g->Rec.SortAr.clear();
    g->AddSortItem(siOnderling, true);
    g->AddSortItem(siWP, false);
    g->AddSortItem(siSB, true);
    g->AddSortItem(siWWe, false);
    g->AddSortItem(siLootNr, true);
    g->Rec.MyUseZVPoints = 1;
    g->Rec.DatumEersteRonde = EncodeDate(2016, 4, 20);
    return g;
}

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> lines;
    std::istringstream in(Text);
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

std::string Join(const std::vector<std::string>& Lines, const std::string& Eol) {
    std::string text;
    for (const std::string& l : Lines)
        text += l + Eol;
    return text;
}

// What a spreadsheet makes of the file when it saves it again as text: no ";" at
// the end of the heading and player lines, settings lines padded with ";" to the
// width of the table, LF line ends, and each half point written as Half.
std::string AsSheetSaves(const std::string& Text, const std::string& Half) {
    std::vector<std::string> lines = Lines(Text);
    const size_t width = static_cast<size_t>(std::count(lines[0].begin(), lines[0].end(), ';'));
    bool settings = false;
    for (std::string& l : lines) {
        if (l == ";<XML>") settings = true;
        if (settings) {
            l += std::string(width - static_cast<size_t>(std::count(l.begin(), l.end(), ';')), ';');
            continue;
        }
        if (!l.empty() && l.back() == ';') l.pop_back();
        size_t p = 0;
        while ((p = l.find("0.5", p)) != std::string::npos)
            l.replace(p, 3, Half), p += Half.size();
    }
    return Join(lines, "\n");
}

TEST_F(GroupFileSheet, WrittenFileReadsBackAsTheSameGroup) {
    for (const bool dubbel : {false, true}) {
        SCOPED_TRACE(dubbel ? "dubbelrondig" : "enkelrondig");
        auto want = VolleGroep(dubbel);
        const std::string text = Save(*want, "groep.csv");
        // The half points travel as "0.5", forfeit draws with their "r".
        EXPECT_EQ(text.find('\xBD'), std::string::npos);
        EXPECT_NE(text.find(";0.5r;"), std::string::npos);
        // The name holding the separator is quoted.
        const std::string naam = MakeFileNaam(want->Spelers.Sp(1)->Rec);
        EXPECT_NE(naam.find("Berg; jr."), std::string::npos);
        EXPECT_NE(text.find(";\"" + naam + "\";"), std::string::npos);
        TGroepFileKolommen k;
        auto got = Load(Path("groep.csv"), &k);
        EXPECT_TRUE(k.Fout.empty()) << k.Fout;
        ExpectSameGroep(*want, *got);
    }
}

TEST_F(GroupFileSheet, NoDateAndNoTieBreaksTravelAsWritten) {
    auto want = MakeClubGroep(false, false);
    want->Rec.DatumEersteRonde = EncodeDate(2011, 12, 31); // too early: no date
    want->Rec.SortAr.clear();
    const std::string text = Save(*want, "leeg.csv");
    EXPECT_NE(text.find(";;NO DATE\r\n"), std::string::npos);
    EXPECT_EQ(text.find("<SORTEER>"), std::string::npos);
    auto got = Load(Path("leeg.csv"));
    ExpectSameGroep(*want, *got);
    EXPECT_EQ(got->Rec.DatumEersteRonde, 0);
}

TEST_F(GroupFileSheet, SheetSavedFileWithEveryHalfPointSpelling) {
    // "0,5" is what a spreadsheet with a decimal comma writes back; it read as a
    // loss for both players before.
    for (const std::string half : {"0.5", "0,5", "\xBD"}) {
        for (const bool dubbel : {false, true}) {
            SCOPED_TRACE(half + (dubbel ? " dubbel" : " enkel"));
            auto want = VolleGroep(dubbel);
            Put("sheet.csv", AsSheetSaves(Save(*want, "groep.csv"), half));
            TGroepFileKolommen k;
            auto got = Load(Path("sheet.csv"), &k);
            EXPECT_TRUE(k.Fout.empty()) << k.Fout;
            ExpectSameGroep(*want, *got);
        }
    }
}

TEST_F(GroupFileSheet, SheetSavedInUtf8KeepsTheNames) {
    auto want = VolleGroep(false);
    const std::string text = AsSheetSaves(Save(*want, "groep.csv"), "0,5");
    Put("utf8.csv", Cp1252ToUtf8(text));
    ExpectSameGroep(*want, *Load(Path("utf8.csv")));
    // With a byte order mark in front of the first (empty) cell as well.
    Put("bom.csv", "\xEF\xBB\xBF" + Cp1252ToUtf8(text));
    ExpectSameGroep(*want, *Load(Path("bom.csv")));
    // A Windows-1252 file whose bytes do not form UTF-8 stays as it is.
    Put("ansi.csv", text);
    auto got = Load(Path("ansi.csv"));
    EXPECT_EQ(got->Spelers.Sp(2)->Rec.Voornaam, "J\xFCrgen");
}

// Field F (counted from 0) taken out of a line, a quoted field kept whole.
std::string WithoutField(const std::string& Line, int F) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (const char c : Line) {
        if (c == '"') quoted = !quoted;
        if (c == ';' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (F < static_cast<int>(fields.size())) fields.erase(fields.begin() + F);
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i)
        line += (i ? ";" : "") + fields[i];
    return line;
}

TEST_F(GroupFileSheet, DeletedColumnLeavesOnlyItsOwnFieldsEmpty) {
    auto want = VolleGroep(false);
    std::vector<std::string> lines = Lines(AsSheetSaves(Save(*want, "groep.csv"), "0.5"));
    // The rating column goes from the table; the padded settings lines lose a ";".
    for (size_t r = 0; r < lines.size(); ++r)
        lines[r] = r <= 8 ? WithoutField(lines[r], 3) : lines[r].substr(0, lines[r].size() - 1);
    Put("zonder_ro.csv", Join(lines, "\n"));
    TGroepFileKolommen k;
    auto got = Load(Path("zonder_ro.csv"), &k);
    EXPECT_TRUE(k.Fout.empty()) << k.Fout;
    EXPECT_EQ(k.Kolom[gkRating], -1);
    for (int i = 0; i < want->Spelers.Count(); ++i)
        want->Spelers.Sp(i)->Rec.Ratings[rtKNSB] = 0;
    ExpectSameGroep(*want, *got);
}

TEST_F(GroupFileSheet, ResultsThatNoLongerFitTheRowsAreRefused) {
    auto want = VolleGroep(false);
    const std::vector<std::string> lines = Lines(Save(*want, "groep.csv"));

    // Player lines 3 and 4 swapped: every result of theirs would be read against
    // the wrong opponent.
    std::vector<std::string> moved = lines;
    std::swap(moved[3], moved[4]);
    Put("verplaatst.csv", Join(moved, "\r\n"));
    TGroep vorige;
    TGroepFileKolommen k;
    auto got = Load(Path("verplaatst.csv"), &k);
    EXPECT_NE(k.Fout.find("De kruistabel klopt niet: Sanne de Bakker (regel 4)"), std::string::npos)
        << k.Fout;
    EXPECT_EQ(k.AantalSpelers, 0);
    EXPECT_EQ(got->Spelers.Count(), 0);
    EXPECT_EQ(got->Games.Count(), 0);
    // The settings of the refused file were not taken either.
    EXPECT_EQ(got->Rec.SortAr, vorige.Rec.SortAr);
    EXPECT_EQ(got->Rec.DatumEersteRonde, vorige.Rec.DatumEersteRonde);
    EXPECT_EQ(got->Rec.FileName, Path("verplaatst.csv"));

    // The result column of number 3 deleted: the columns after it stand under
    // other numbers.
    std::vector<std::string> deleted = lines;
    for (size_t r = 0; r <= 8; ++r)
        deleted[r] = WithoutField(deleted[r], 8);
    Put("kolom_weg.csv", Join(deleted, "\r\n"));
    got = Load(Path("kolom_weg.csv"), &k);
    EXPECT_NE(k.Fout.find("De kop van de kruistabel klopt niet: boven kolom 9 staat \"4\" waar "
                          "nummer 3 hoort.\rIs een nummer beschadigd of een kolom verwijderd?"),
              std::string::npos)
        << k.Fout;
    EXPECT_EQ(got->Spelers.Count(), 0);
}

TEST_F(GroupFileSheet, MovedLinesWithoutResultsGiveNewDrawNumbers) {
    // Before the first round the row order is the draw: moving a line is how a
    // spreadsheet user changes it, and nothing is read against the wrong player.
    auto want = MakeClubGroep(false, false);
    std::vector<std::string> lines = Lines(Save(*want, "groep.csv"));
    std::swap(lines[1], lines[8]);
    Put("loting.csv", Join(lines, "\r\n"));
    TGroepFileKolommen k;
    auto got = Load(Path("loting.csv"), &k);
    EXPECT_TRUE(k.Fout.empty()) << k.Fout;
    ASSERT_EQ(got->Spelers.Count(), 8);
    EXPECT_EQ(got->Spelers.Sp(0)->Rec.Achternaam, "Smit");
    EXPECT_EQ(got->Spelers.Sp(0)->Rec.BergerNr, 1);
    EXPECT_EQ(got->Spelers.Sp(7)->Rec.Achternaam, "Jansen");
    EXPECT_EQ(got->Games.Count(), 28);
}

TEST_F(GroupFileSheet, NamesLikeTheSettingsTagsDoNotHideTheBlock) {
    auto want = MakeClubGroep(false, true);
    want->Rec.Naam = "<XML>";
    want->Spelers.Sp(4)->Rec.Voornaam = "";
    want->Spelers.Sp(4)->Rec.Achternaam = "</XML>";
    want->Rec.DatumEersteRonde = EncodeDate(2016, 4, 20);
    want->Rec.MyUseZVPoints = 0;
    Save(*want, "tags.csv");
    TGroepFileKolommen k;
    auto got = Load(Path("tags.csv"), &k);
    EXPECT_TRUE(k.Fout.empty()) << k.Fout;
    ExpectSameGroep(*want, *got);
}

TEST_F(GroupFileSheet, OddGroupGetsNoResultAgainstTheEmptyNumber) {
    // Three players are paired as four; a stray "1" in the column after the table
    // would score a game against nobody.
    Put("oneven.csv", ";Groep O;Relnr.;Ro;Geb.;MV;1;2;3\r\n"
                      "1;Jan;;;;M;X;1;0;1\r\n"
                      "2;Piet;;;;M;0;X;0.5;1r\r\n"
                      "3;Kees;;;;M;1;0.5;X;1\r\n");
    TGroepFileKolommen k;
    auto got = Load(Path("oneven.csv"), &k);
    EXPECT_TRUE(k.Fout.empty()) << k.Fout;
    ASSERT_EQ(got->Spelers.Count(), 3);
    EXPECT_EQ(CodeOf(*got, 1, 2, 1), ucWinst);
    EXPECT_EQ(CodeOf(*got, 2, 3, 1), ucRemise);
    for (int a = 1; a <= 3; ++a)
        EXPECT_EQ(CodeOf(*got, a, 4, 1), ucGeen) << a;
}

TEST_F(GroupFileSheet, DelimiterComesFromTheHeadingsEmptyFirstField) {
    // A dated group name and a first player with a double name hold two '-'
    // each; the first two lines alone then point at '-' (';' between empty
    // fields comes in pairs there and counts as escaped).
    auto want = MakeClubGroep(false, true);
    want->Rec.Naam = "Snelschaken 2016-04-20 A";
    want->Spelers.Sp(0)->Rec.Voornaam = "Jan-Willem";
    want->Spelers.Sp(0)->Rec.Achternaam = "Hoek-Smit";
    want->Spelers.Sp(0)->Rec.Relnr = 1001;
    const std::string text = Save(*want, "streep.csv");
    Grid->Delimiter = '\0';
    Grid->LoadFromCSV(Path("streep.csv"));
    // What detection alone makes of it: the heading split at the date.
    EXPECT_EQ(Grid->Cells(0, 0), ";Snelschaken 2016");
    EXPECT_EQ(Grid->Cells(1, 0), "04");
    EXPECT_EQ(GroepFileDelimiter(text), ';');
    TGroepFileKolommen k;
    auto got = Load(Path("streep.csv"), &k);
    EXPECT_TRUE(k.Fout.empty()) << k.Fout;
    ExpectSameGroep(*want, *got);

    EXPECT_EQ(GroepFileDelimiter(",Groep A,Relnr.,Ro"), ',');
    EXPECT_EQ(GroepFileDelimiter("\xEF\xBB\xBF;Groep A;Relnr."), ';');
    EXPECT_EQ(GroepFileDelimiter("\"\"\tGroep A\t"), '\t');
    EXPECT_EQ(GroepFileDelimiter("Groep A;Relnr."), '\0');
    EXPECT_EQ(GroepFileDelimiter(""), '\0');
}

TEST_F(GroupFileSheet, NameWithALineBreakStaysOnePlayer) {
    // Found by fuzzing: a quoted cell may hold a line break; written back
    // unquoted it started a new player line.
    Put("regel.csv", ";Groep R;Relnr.;Ro;Geb.;MV;1;2;3;4\r\n"
                     "1;\"Jan\nKees\";;;;M;X;1;0;1\r\n"
                     "2;Piet \"\"P\"\";;;;M;0;X;1;0\r\n"
                     "3;Kees;;;;M;1;0;X;0.5\r\n"
                     "4;Bram;;;;M;0;1;0.5;X\r\n");
    TGroepFileKolommen k;
    auto eerst = Load(Path("regel.csv"), &k);
    ASSERT_EQ(eerst->Spelers.Count(), 4) << k.Fout;
    Save(*eerst, "terug.csv");
    auto terug = Load(Path("terug.csv"), &k);
    EXPECT_TRUE(k.Fout.empty()) << k.Fout;
    ExpectSameGroep(*eerst, *terug);
}

bool HaveOffice() {
    return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

// The files opened in LibreOffice Calc (read as Windows-1252, ";" separated) and
// saved again as text, ";" separated, UTF-8, into Dir/calc; LibreOffice gets its
// own home and profile in the test folder. False when it failed.
bool ThroughCalc(const std::string& Dir, const std::vector<std::string>& Files) {
    std::string cmd = "cd '" + Dir + "' && HOME='" + Dir +
                      "/home' soffice -env:UserInstallation=file://" + Dir +
                      "/profile --headless --norestore"
                      " --infilter='Text - txt - csv (StarCalc):59,34,1,1'"
                      " --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1' --outdir '" +
                      Dir + "/calc'";
    for (const std::string& f : Files)
        cmd += " '" + f + "'";
    return std::system((cmd + " >'" + Dir + "/soffice.log' 2>&1").c_str()) == 0;
}

TEST_F(GroupFileSheet, RoundTripThroughLibreOfficeCalc) {
    if (!HaveOffice()) GTEST_SKIP() << "LibreOffice is not installed";
    auto enkel = VolleGroep(false);
    auto dubbel = VolleGroep(true);
    Save(*enkel, "enkel.csv");
    Save(*dubbel, "dubbel.csv");
    ASSERT_TRUE(ThroughCalc(Dir, {Path("enkel.csv"), Path("dubbel.csv")}))
        << ReadBytes(Dir + "/soffice.log");
    for (const auto& [naam, want] :
         {std::pair{"enkel.csv", enkel.get()}, {"dubbel.csv", dubbel.get()}}) {
        SCOPED_TRACE(naam);
        const std::string back = Dir + "/calc/" + naam;
        ASSERT_TRUE(fs::exists(back)) << ReadBytes(Dir + "/soffice.log");
        // Calc quotes its texts and writes no ";" at the line ends: it really
        // wrote the file again.
        EXPECT_NE(ReadBytes(back), ReadBytes(Path(naam)));
        TGroepFileKolommen k;
        auto got = Load(back, &k);
        EXPECT_TRUE(k.Fout.empty()) << k.Fout;
        ExpectSameGroep(*want, *got);
    }
}

} // namespace
