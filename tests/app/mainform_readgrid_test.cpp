// The work grid of the "Debug" page: the template, the loaded file with its
// legend rows and colours, and its lookups; and pictures of the main window.

#include "apptestenv.h"
#include "grid/columngrid.h"
#include "mainform_testenv.h"
#include "model/names.h"
#include "platform/rtl/files.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/gfx/colors.h"

namespace {

class MainFormReadGrid : public MainFormTest {
protected:
    TColor Brush(int Col, int Row) {
        const TCellProperties* p = F->ReadGrid->FindCellProperties(Col, Row);
        return p ? p->BrushColor() : clNone;
    }
};

TEST_F(MainFormReadGrid, TemplateHoldsTheHeadingsAndFillsTheColumnMap) {
    Create();
    TExtColumnGrid& g = *F->ReadGrid;
    ASSERT_EQ(10, g.ColCount());
    EXPECT_EQ(2, g.RowCount());
    const char* const koppen[10] = {"",   "Groepsnaam", "Relnr.", "Ro", "Geb.",
                                    "MV", "1",          "2",      "3",  "4"};
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(koppen[c], g.Cells(c, 0));
    EXPECT_GE(g.ColWidths(1), 200);
    const auto& map = CurGroep->Rec.KolomNrAr;
    const int wanted[KolomNrCount] = {1, 2, 3, 4, 5, -1, 6, -1};
    for (int i = 0; i < KolomNrCount; ++i)
        EXPECT_EQ(wanted[i], map[static_cast<size_t>(i)].Kolom) << i;
    EXPECT_TRUE(F->IsReadGridColumnEmpty(0));
    EXPECT_FALSE(F->IsReadGridColumnEmpty(1));
}

TEST_F(MainFormReadGrid, LoadedFileShowsLegendRowsAndColours) {
    Create();
    SaveClubFile(Root, "Club.csv");
    Open(Root, "Club.csv");
    TExtColumnGrid& g = *F->ReadGrid;
    // Heading, eight players, then the legend of ids 1..6.
    ASSERT_EQ(15, g.RowCount());
    ASSERT_EQ(14, g.ColCount());
    const char* const legend[6][2] = {{"#1", "RelatieNr"}, {"#2", "Rating"}, {"#3", "Geb.Jaar"},
                                      {"#4", "MV"},        {"#5", "Pl."},    {"#6", "Uitslagen"}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(legend[i][0], g.Cells(0, 9 + i));
        EXPECT_EQ(legend[i][1], g.Cells(1, 9 + i));
    }
    for (int id = 1; id <= 4; ++id) {
        EXPECT_EQ("x", g.Cells(id + 1, 8 + id)) << id;
        EXPECT_EQ(clAqua, Brush(id + 1, 8 + id)) << id;
    }
    for (int c = 2; c < 14; ++c)
        EXPECT_EQ("", g.Cells(c, 13)) << "no Pl. column";
    for (int c = 6; c < 14; ++c)
        EXPECT_EQ("x", g.Cells(c, 14)) << c;
    EXPECT_EQ("", g.Cells(5, 14));
    // Recognised player cells are green; results green when played, yellow when
    // decided by the rules; the diagonal is not coloured.
    EXPECT_EQ(clLime, Brush(1, 1));
    EXPECT_EQ(clLime, Brush(3, 8));
    EXPECT_EQ("X", g.Cells(6, 1));
    EXPECT_EQ(clNone, Brush(6, 1));
    int played = 0, forfeit = 0;
    for (int i = 0; i < CurGroep->Games.Count(); ++i)
        for (const TGameSlot& s : CurGroep->Games.Game(i)->Rec.Slots) {
            const TColor c = Brush(6 + s.Col, s.Row + 1);
            if (IsGespeeld(s.Uitslag)) {
                EXPECT_EQ(clLime, c);
                ++played;
            } else if (IsUitslag(s.Uitslag)) {
                EXPECT_EQ(clYellow, c);
                ++forfeit;
            }
        }
    EXPECT_GT(played, 0);
    EXPECT_GT(forfeit, 0);
}

TEST_F(MainFormReadGrid, RowsAreFoundByName) {
    Create();
    SaveClubFile(Root, "Club.csv");
    Open(Root, "Club.csv");
    const TSp* derde = CurGroep->Spelers.GetSpelerOnBergerNr(3);
    ASSERT_NE(nullptr, derde);
    const std::string naam = Trim(F->ReadGrid->Cells(1, 3));
    ASSERT_FALSE(naam.empty());
    EXPECT_EQ(3, F->FindReadGridRow(naam));
    EXPECT_EQ(3, F->FindReadGridRow(AnsiLowerCase(naam)));
    EXPECT_EQ(0, F->FindReadGridRow("Niemand"));
    EXPECT_FALSE(F->IsReadGridColumnEmpty(6));
}

TEST_F(MainFormReadGrid, EditingFollowsTheFlagAndAPasteSetsIt) {
    Create();
    bool can = true;
    F->ReadGridEditable = false;
    F->ReadGridCanEditCell(nullptr, 1, 1, can);
    EXPECT_FALSE(can);
    bool allow = false;
    F->ReadGridClipboardPaste(nullptr, allow);
    EXPECT_TRUE(allow);
    F->ReadGridCanEditCell(nullptr, 1, 1, can);
    EXPECT_TRUE(can);
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaCenter;
    F->ReadGridGetAlignment(nullptr, 1, 1, h, v);
    EXPECT_EQ(taLeftJustify, h);
    F->ReadGridGetAlignment(nullptr, 1, 2, h, v);
    EXPECT_EQ(taCenter, h);
}

TEST_F(MainFormReadGrid, PicturesOfTheMainAndDebugPages) {
    SaveClubFile(Root + "/Clubs", "Clubkampioenschap A.csv");
    SaveClubFile(Root + "/Clubs", "Clubkampioenschap B.csv", true);
    SaveClubFile(Root + "/Clubs", "Snelschaken 2016-04-20 A.csv");
    ForceDirectories(Root + "/Clubs/Archief");
    WriteSettingsFile("[Last]\r\nDataMap=" + Root + "/Clubs\r\n");
    Create();
    F->FormActivate(nullptr);
    F->FileListBox->SetItemIndex(0);
    F->FileListBoxClick(nullptr);
    F->PageControl->SetActivePageIndex(0);
    const std::string hoofd = SavePicture(*F, "mainform_hoofdpagina.png");
    EXPECT_TRUE(FileExists(hoofd));
    F->FileListBoxDblClick(nullptr);
    ASSERT_EQ(8, CurGroep->Spelers.Count());
    F->PageControl->SetActivePage(F->DebugSheet);
    const std::string debug = SavePicture(*F, "mainform_debug.png");
    EXPECT_TRUE(FileExists(debug));
}

} // namespace
