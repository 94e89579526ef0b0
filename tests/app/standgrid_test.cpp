#include <gtest/gtest.h>

#include "app/standgrid.h"
#include "apptestenv.h"
#include "grid/columngrid.h"
#include "model/objects.h"
#include "model/stand.h"
#include "standtestgroep.h"
#include "widgettest.h"

namespace {

class StandGridFill : public WidgetTest {};

TGameCell* GameCellAt(const TExtColumnGrid& Grid, int Col, int Row) {
    return dynamic_cast<TGameCell*>(Grid.Objects(Col, Row));
}

// Aap 1800, Beer 1700, Coda unrated, Das 1600: the rated three draw among
// themselves, Coda beats Aap, draws Beer and loses to Das.
std::unique_ptr<TGroep> DrawingGroep() {
    auto g = MakeTestGroep({{"Aap", 1800}, {"Beer", 1700}, {"Coda", 0}, {"Das", 1600}});
    SetTestResults(*g, {{1, 2, 3}, {1, 4, 3}, {2, 4, 3}, {3, 1, 1}, {3, 2, 3}, {3, 4, 2}});
    return g;
}

TEST_F(StandGridFill, DoubleRoundHeadsEveryOpponentTwiceFirstCycleFirst) {
    auto g = MakeTestGroep({{"Aap", 1800}, {"Beer", 1700}, {"Coda", 0}, {"Das", 1600}}, true);
    TCurGroepScope scope(g.get());
    SetTestResult(*g, 1, 2, 1, 1); // Aap wins the first game
    SetTestResult(*g, 1, 2, 2, 0); // Beer the second
    const int last = g->Games.GetLastRoundNr();
    for (const bool compact : {true, false}) {
        SCOPED_TRACE(compact ? "compact" : "standings");
        TExtColumnGrid grid(nullptr);
        FillStandGrid(*g, grid, compact, last, g->Spelers);
        const int first = compact ? 3 : 11;
        EXPECT_EQ(compact ? 11 : 21, grid.ColCount());
        ASSERT_EQ(8u, g->Rec.Kolommen.size());
        const char* heads[] = {"1", "1", "2", "2", "3", "3", "4", "4"};
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(heads[k], grid.Cells(first + k, 0));
            EXPECT_EQ(first + k, g->Rec.Kolommen[k].Kolom);
            EXPECT_EQ(g->Spelers.Sp(k / 2), g->Rec.Kolommen[k].Sp);
        }
        EXPECT_EQ(first + 8, g->Rec.OrKolom);
        for (int row = 1; row <= 4; ++row) {
            TSp* p = g->Spelers.Sp(row - 1);
            EXPECT_EQ(p, StandRowSpeler(grid, row));
            for (int j = 0; j < 4; ++j) {
                for (int cycle = 0; cycle < 2; ++cycle) {
                    const int col = first + 2 * j + cycle;
                    TGameCell* cell = GameCellAt(grid, col, row);
                    if (j == row - 1) {
                        EXPECT_EQ(nullptr, cell);
                        EXPECT_EQ(clYellow, grid.GetCellBackColor(col, row));
                        continue;
                    }
                    ASSERT_NE(nullptr, cell) << row << "," << col;
                    ASSERT_NE(nullptr, cell->Game);
                    EXPECT_EQ(cycle == 0 ? 1 : 0, cell->Game->Rec.EersteHelft);
                    EXPECT_EQ(col, cell->Col);
                    EXPECT_EQ(row, cell->Row);
                    const TGameSlot& slot = cell->Game->Rec.Slots[cell->Kleur];
                    EXPECT_EQ(p->Rec.BergerNr, slot.BergerNr);
                    EXPECT_EQ(p, slot.Sp);
                    EXPECT_EQ(col, slot.Col);
                    EXPECT_EQ(row, slot.Row);
                }
            }
        }
        EXPECT_EQ("1", grid.Cells(first + 2, 1)); // Aap against Beer, first cycle
        EXPECT_EQ("0", grid.Cells(first + 3, 1));
        EXPECT_EQ("0", grid.Cells(first + 0, 2));
        EXPECT_EQ("1", grid.Cells(first + 1, 2));
        // Games without a result keep their cell, without a text.
        EXPECT_NE(nullptr, GameCellAt(grid, first + 4, 1));
        EXPECT_EQ("", grid.Cells(first + 4, 1));
        EXPECT_EQ("", grid.Cells(first + 5, 1));
    }
}

TEST_F(StandGridFill, StandingsRowsPlacesStatisticsAndTotals) {
    auto g = DrawingGroep();
    TCurGroepScope scope(g.get());
    TExtColumnGrid grid(nullptr);
    FillStandGrid(*g, grid, false, g->Games.GetLastRoundNr(), g->Spelers);
    ASSERT_EQ(6, grid.RowCount()); // heading, four players, the totals
    EXPECT_EQ(4 + 13, grid.ColCount());
    const char* heads[] = {"",   "Lt",   "Testgroep", "Relnr", "Pnt", "WP",
                           "SB", "Knsb", "Rc",        "TPR",   "W-We"};
    for (int c = 0; c < 11; ++c)
        EXPECT_EQ(heads[c], grid.Cells(c, 0)) << c;
    EXPECT_EQ("OR", grid.Cells(15, 0));
    EXPECT_EQ("ZV", grid.Cells(16, 0));

    // Scores 1, 1½, 1½, 2 in draw order: Coda shares Beer's score, so no place.
    const char* places[] = {"1.", "2.", "", "4."};
    const char* points[] = {"1", "1\xBD", "1\xBD", "2"};
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(places[r - 1], grid.Cells(0, r));
        EXPECT_EQ(std::to_string(r), grid.Cells(1, r));
        EXPECT_EQ(g->Spelers.Sp(r - 1)->GetNaam(), grid.Cells(2, r));
        EXPECT_EQ(std::to_string(7000000 + r), grid.Cells(3, r));
        EXPECT_EQ(points[r - 1], grid.Cells(4, r));
        EXPECT_EQ(clLime, grid.GetCellBackColor(4, r));
    }
    // Aap: opponents scored 1½ + 1½ + 2 = 5; SB: ½·1½ (Beer) + ½·2 (Das) = 1.75.
    EXPECT_EQ("5.0", grid.Cells(5, 1));
    EXPECT_EQ("1.75", grid.Cells(6, 1));
    // Rated opponents and half their score: the performance is their average.
    EXPECT_EQ("1800", grid.Cells(7, 1));
    EXPECT_EQ("1650", grid.Cells(8, 1));
    EXPECT_EQ("1650", grid.Cells(9, 1));
    EXPECT_EQ("1700", grid.Cells(8, 2));
    EXPECT_EQ("1700", grid.Cells(9, 2));
    EXPECT_EQ("1750", grid.Cells(8, 4));
    EXPECT_EQ("1750", grid.Cells(9, 4));
    // Coda has no rating and no W-We, but his other figures.
    EXPECT_EQ("", grid.Cells(7, 3));
    EXPECT_EQ("1700", grid.Cells(8, 3));
    EXPECT_EQ("1700", grid.Cells(9, 3)); // 1½ of 3 against 1800, 1700, 1600
    EXPECT_EQ("", grid.Cells(10, 3));
    EXPECT_FALSE(grid.Cells(10, 1).empty());

    // Totals: 6 games; ratings (1800 + 1700 + 1600) / 3; Rc (1650 + 1700 + 1750) / 3;
    // TPR over all four (1650 + 1700 + 1700 + 1750) / 4; W-We of games between rated
    // players add up to nothing.
    EXPECT_EQ(nullptr, grid.Objects(0, 5));
    EXPECT_EQ("Totaal", grid.Cells(2, 5));
    EXPECT_EQ("6", grid.Cells(4, 5));
    EXPECT_EQ("1700", grid.Cells(7, 5));
    EXPECT_EQ("1700", grid.Cells(8, 5));
    EXPECT_EQ("1700", grid.Cells(9, 5));
    const std::string wwe = grid.Cells(10, 5);
    EXPECT_TRUE(wwe == "+0.000" || wwe == "-0.000") << wwe;

    // Widths: the longest trimmed text of the column plus one.
    const auto& k = g->Rec.StandKolommen;
    EXPECT_EQ(10, k[StandId::Naam].Breedte); // "Testgroep"
    EXPECT_EQ(3, k[StandId::Plaats].Breedte);
    EXPECT_EQ(5, k[StandId::SB].Breedte);
    EXPECT_EQ(7, k[StandId::WWe].Breedte);
    EXPECT_EQ(0, k[StandId::Naam].Rechts);
    EXPECT_EQ(1, k[StandId::SB].Rechts);
    EXPECT_EQ(2, g->Rec.Kolommen[0].Breedte);
    EXPECT_EQ(0, g->Rec.HasOnderling);
}

TEST_F(StandGridFill, TotalsSkipAveragesWithoutRatedPlayers) {
    auto g = MakeTestGroep({{"Aap", 0}, {"Beer", 0}, {"Coda", 0}});
    TCurGroepScope scope(g.get());
    SetTestResult(*g, 1, 2, 1);
    SetTestResult(*g, 1, 3, 3);
    TExtColumnGrid grid(nullptr);
    FillStandGrid(*g, grid, false, g->Games.GetLastRoundNr(), g->Spelers);
    ASSERT_EQ(5, grid.RowCount());
    EXPECT_EQ("Totaal", grid.Cells(2, 4));
    EXPECT_EQ("2", grid.Cells(4, 4));
    for (int c = 7; c <= 10; ++c)
        EXPECT_EQ("", grid.Cells(c, 4)) << c;
}

TEST_F(StandGridFill, CompactCrosstableForTheResultsWindow) {
    auto g = DrawingGroep();
    TCurGroepScope scope(g.get());
    TExtColumnGrid grid(nullptr);
    FillStandGrid(*g, grid, true, g->Games.GetLastRoundNr(), g->Spelers);
    EXPECT_EQ(7, grid.ColCount());
    EXPECT_EQ(5, grid.RowCount()); // no totals in the crosstable
    EXPECT_EQ("Lt", grid.Cells(0, 0));
    EXPECT_EQ("Testgroep", grid.Cells(1, 0));
    EXPECT_EQ("Pnt", grid.Cells(2, 0));
    EXPECT_EQ("3", grid.Cells(0, 3));
    EXPECT_EQ("1\xBD", grid.Cells(2, 3));
    EXPECT_EQ(clLime, grid.GetCellBackColor(2, 3));
    EXPECT_EQ("1", grid.Cells(3, 3)); // Coda beat Aap
    EXPECT_EQ("0", grid.Cells(5, 1)); // and Aap's side says so
    EXPECT_EQ(g->Spelers.Sp(2), StandRowSpeler(grid, 3));
    EXPECT_EQ(-1, g->Rec.StandKolommen[StandId::WP].Kolom);
    EXPECT_EQ(2, g->Rec.StandKolommen[StandId::Pnt].Kolom);
    EXPECT_EQ(7, g->Rec.OrKolom);
}

// Where the grid has room, a long name and a group's long title (its name)
// show whole in the crosstable and in the standings.
TEST_F(StandGridFill, NameColumnHoldsTheLongestNameAndTitleWhereThereIsRoom) {
    auto g = DrawingGroep();
    TCurGroepScope scope(g.get());
    g->Rec.Naam = "Clubkampioenschap Senioren Hoofdklasse A";
    g->Spelers.Sp(1)->Rec.Achternaam = "Weerdenburg-Oosterhuis,M.(Maximiliaan)";
    TExtColumnGrid grid(nullptr);
    grid.SetBounds(0, 0, 900, 300);
    for (const bool compact : {true, false}) {
        FillStandGrid(*g, grid, compact, g->Games.GetLastRoundNr(), g->Spelers);
        const int naam = compact ? CompactNaamKolom : StandId::Naam;
        for (const int row : {0, 2})
            EXPECT_GE(grid.ColWidths(naam), grid.TextColWidth(naam, row, grid.Cells(naam, row)))
                << compact << " " << grid.Cells(naam, row);
        SavePicture(grid, compact ? "standgrid_kruistabel.png" : "standgrid_stand.png");
    }
}

TEST_F(StandGridFill, ByeRowHasStatisticsOnlyWithScoreOrRating) {
    auto g = MakeTestGroep({{"Aap", 1800}, {"Beer", 1700}, {"Coda", 1600}, {"VRIJ", 0, true}});
    TCurGroepScope scope(g.get());
    SetTestResults(*g, {{1, 2, 1}, {1, 3, 1}, {2, 3, 1}});
    SetTestResult(*g, 1, 4, 6); // forfeit wins over the bye
    SetTestResult(*g, 2, 4, 6);
    SetTestResult(*g, 3, 4, 6);
    const int last = g->Games.GetLastRoundNr();
    TExtColumnGrid grid(nullptr);
    FillStandGrid(*g, grid, false, last, g->Spelers);
    EXPECT_EQ("0", grid.Cells(4, 4));
    for (int c = 5; c <= 10; ++c)
        EXPECT_EQ("", grid.Cells(c, 4)) << c;
    EXPECT_EQ("0r", grid.Cells(11, 4));

    SetTestResult(*g, 3, 4, 8); // a forfeit draw gives the bye half a point
    FillStandGrid(*g, grid, false, last, g->Spelers);
    EXPECT_EQ(HalfStr, grid.Cells(4, 4));
    EXPECT_FALSE(grid.Cells(5, 4).empty());
    EXPECT_FALSE(grid.Cells(6, 4).empty());

    SetTestResult(*g, 3, 4, 6);
    g->Spelers.Sp(3)->Rec.Ratings[rtKNSB] = 1500; // a rated bye
    FillRondeRecs(*g);
    CalcStand(*g);
    FillStandGrid(*g, grid, false, last, g->Spelers);
    EXPECT_EQ("0", grid.Cells(4, 4));
    EXPECT_EQ("1500", grid.Cells(7, 4));
    EXPECT_FALSE(grid.Cells(5, 4).empty());
}

TEST_F(StandGridFill, RefillReplacesCellsAndShowsHiddenParts) {
    auto g = DrawingGroep();
    TCurGroepScope scope(g.get());
    TExtColumnGrid grid(nullptr);
    const int last = g->Games.GetLastRoundNr();
    FillStandGrid(*g, grid, false, last, g->Spelers);
    grid.HideColumn(5);
    grid.HideRow(2);
    grid.SetCells(16, 1, "leftover");
    FillStandGrid(*g, grid, false, last, g->Spelers);
    EXPECT_EQ(0, grid.NumHiddenColumns());
    EXPECT_EQ(0, grid.NumHiddenRows());
    EXPECT_EQ("", grid.Cells(16, 1));
    EXPECT_EQ("WP", grid.Cells(5, 0));
    EXPECT_NE(nullptr, GameCellAt(grid, 12, 1));
}

TEST_F(StandGridFill, RowIsEmptyOnlyWhenEveryCellIs) {
    TExtColumnGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(3);
    EXPECT_TRUE(IsRowEmpty(grid, 2));
    grid.SetCells(3, 2, " ");
    EXPECT_FALSE(IsRowEmpty(grid, 2));
    grid.SetCells(3, 2, "");
    grid.SetCells(2, 2, "x");
    grid.HideColumn(2);
    EXPECT_FALSE(IsRowEmpty(grid, 2)); // hidden columns count too
}

} // namespace
