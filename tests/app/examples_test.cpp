// The example archive that a first start unpacks: made by the program's writer and
// zip engine, it holds the example groups under "Voorbeeld/", and each one reads
// back as the group it was made from.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <tuple>

#include "app/examples.h"
#include "grid/extgrid.h"
#include "groupfileload.h"
#include "model/group.h"
#include "model/names.h"
#include "platform/vcl/forms.h"
#include "widgettest.h"
#include "ziplist.h"

namespace {

namespace fs = std::filesystem;

class Examples : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        char tmpl[] = "/tmp/vz_examples_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Dir = tmpl;
    }
    void TearDown() override {
        if (!Dir.empty()) fs::remove_all(Dir);
    }
    std::string Dir;
};

int Played(const TGroep& G) {
    int n = 0;
    for (int i = 0; i < G.Games.Count(); ++i)
        for (const TGameSlot& s : G.Games.Game(i)->Rec.Slots)
            n += s.Uitslag != ucGeen;
    return n;
}

TEST_F(Examples, ArchiveHoldsTheGroupsAndEachReadsBack) {
    const std::string zip = Dir + "/Voorbeeld.zip";
    const std::vector<std::string> namen = MakeVoorbeeldZip(zip, Dir);
    const std::vector<std::string> verwacht = {"Voorbeeld/Snelschaken 2016-04-20 A.csv",
                                               "Voorbeeld/Snelschaken 2016-04-20 B.csv",
                                               "Voorbeeld/Zomercompetitie 2016.csv"};
    EXPECT_EQ(namen, verwacht);
    // Only the archive is left beside it.
    std::vector<std::string> rest;
    for (const auto& e : fs::directory_iterator(Dir))
        rest.push_back(e.path().filename().string());
    EXPECT_EQ(rest, std::vector<std::string>{"Voorbeeld.zip"});

    EXPECT_EQ(ZipFileNames(zip), verwacht);
    // Unpacked as the main window unpacks it.
    ExtractZip(zip, Dir + "/uit");

    TForm form(nullptr);
    auto* grid = new TExtStringGrid(&form); // owned by the form
    auto groepen = MakeVoorbeeldGroepen();
    ASSERT_EQ(groepen.size(), 3u);
    for (const auto& [naam, want] : groepen) {
        SCOPED_TRACE(naam);
        TGroepFileKolommen k;
        auto got = LoadGroepFile(*grid, Dir + "/uit/Voorbeeld/" + naam, &k);
        EXPECT_TRUE(k.Fout.empty()) << k.Fout;
        EXPECT_EQ(got->Rec.Naam, want->Rec.Naam);
        EXPECT_EQ(got->Rec.DubbelRondig, want->Rec.DubbelRondig);
        EXPECT_EQ(got->Rec.DatumEersteRonde, want->Rec.DatumEersteRonde);
        ASSERT_EQ(got->Spelers.Count(), want->Spelers.Count());
        for (int i = 0; i < want->Spelers.Count(); ++i) {
            EXPECT_EQ(MakeNaam(got->Spelers.Sp(i)->Rec, nmVoornaamEerst),
                      MakeNaam(want->Spelers.Sp(i)->Rec, nmVoornaamEerst));
            EXPECT_EQ(got->Spelers.Sp(i)->Rec.Relnr, want->Spelers.Sp(i)->Rec.Relnr);
        }
        ASSERT_EQ(got->Games.Count(), want->Games.Count());
        EXPECT_EQ(Played(*got), Played(*want));
        // Identical: every name part as typed, every result, the criteria.
        for (int i = 0; i < want->Spelers.Count(); ++i) {
            const TSpRec& w = want->Spelers.Sp(i)->Rec;
            const TSpRec& g = got->Spelers.Sp(i)->Rec;
            EXPECT_EQ(std::tie(w.Achternaam, w.Tussenvoegsel, w.Voorletters, w.Voornaam),
                      std::tie(g.Achternaam, g.Tussenvoegsel, g.Voorletters, g.Voornaam));
        }
        for (int i = 0; i < want->Games.Count(); ++i) {
            const TGameRec& w = want->Games.Game(i)->Rec;
            const TGameRec& g = got->Games.Game(i)->Rec;
            for (size_t s = 0; s < 2; ++s) {
                EXPECT_EQ(w.Slots[s].BergerNr, g.Slots[s].BergerNr);
                EXPECT_EQ(w.Slots[s].Uitslag, g.Slots[s].Uitslag);
            }
        }
        std::vector<TSortId> wantOn, gotOn;
        for (const TMyStSortItem& item : want->Rec.SortAr)
            if (item.Aan) wantOn.push_back(item.SortId);
        for (const TMyStSortItem& item : got->Rec.SortAr)
            if (item.Aan) gotOn.push_back(item.SortId);
        EXPECT_EQ(wantOn, gotOn);
    }

    // What each example shows: A complete with 8 players, B with the bye and every
    // game between real players played, the double group unfinished.
    const TGroep& a = *groepen[0].second;
    EXPECT_EQ(a.Spelers.Count(), 8);
    EXPECT_EQ(a.Games.GetNrEmptyGames(), 0);
    const TGroep& b = *groepen[1].second;
    int byes = 0;
    for (int i = 0; i < b.Spelers.Count(); ++i)
        byes += !b.Spelers.Sp(i)->IsNotVrij();
    EXPECT_EQ(byes, 1);
    EXPECT_EQ(b.Games.GetNrEmptyGames(), 0);
    const TGroep& zomer = *groepen[2].second;
    EXPECT_EQ(zomer.Rec.DubbelRondig, 1);
    EXPECT_GT(zomer.Games.GetNrEmptyGames(), 0);
    EXPECT_GT(Played(zomer), zomer.Games.Count());
}

} // namespace
