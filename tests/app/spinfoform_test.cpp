#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "apptestenv.h"
#include "model_fixtures.h"
#include "standtestgroep.h"
#include "widgettest.h"

#include "app/spinfoform.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/rating.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/stdctrls.h"

namespace {

// Four players, three rounds (white first):
//   r1: 1-2 1-0      3-4 ½-½    (left out with WithoutR1Game34)
//   r2: 3-1 ½-½      2-4 1-0 by forfeit
//   r3: 1-4 1-0      2-3 1-0
// Ratings (KNSB): 1 1800, 2 1700, 3 1600, 4 none.
std::unique_ptr<TGroep> MakeVierGroep(bool WithoutR1Game34 = false) {
    TGroepRec rec;
    rec.Naam = "Viertal";
    auto g = std::make_unique<TGroep>(rec);
    const char* namen[] = {"Aarts", "Bos", "Claes", "Dekker"};
    const int ratings[] = {1800, 1700, 1600, 0};
    for (int nr = 1; nr <= 4; ++nr) {
        TSpRec r;
        InitSpRec(r);
        r.BergerNr = nr;
        r.Relnr = 7100000 + nr;
        r.Achternaam = namen[nr - 1];
        r.Voornaam = "Jan";
        r.Ratings[rtKNSB] = ratings[nr - 1];
        g->AddSpeler(r, IntToZeroStr(nr, 3));
    }
    struct P {
        int Ronde, Wit, Zwart;
        TUitslagCode UWit, UZwart;
    };
    const P partijen[] = {{1, 1, 2, ucWinst, ucVerlies}, {1, 3, 4, ucRemise, ucRemise},
                          {2, 3, 1, ucRemise, ucRemise}, {2, 2, 4, ucReglWinst, ucReglVerlies},
                          {3, 1, 4, ucWinst, ucVerlies}, {3, 2, 3, ucWinst, ucVerlies}};
    int k = 0;
    for (const P& p : partijen) {
        ++k;
        if (WithoutR1Game34 && k == 2) continue;
        TGameRec gr;
        InitGameRec(gr);
        gr.GameId = 100 + k;
        gr.Ronde = p.Ronde;
        gr.Slots[0].BergerNr = p.Wit;
        gr.Slots[0].Relnr = 7100000 + p.Wit;
        gr.Slots[0].Uitslag = p.UWit;
        gr.Slots[1].BergerNr = p.Zwart;
        gr.Slots[1].Relnr = 7100000 + p.Zwart;
        gr.Slots[1].Uitslag = p.UZwart;
        g->AddGame(gr, IntToZeroStr(p.Ronde * 1000 + k, 6));
    }
    g->LinkSpelers();
    FillRondeRecs(*g);
    // As the standings window leaves it: the performance by bisection only in
    // each player's latest round.
    CalcStand(*g);
    return g;
}

class SpInfoFormTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        Form = std::make_unique<TSpInfoForm>(nullptr);
        Form->AfterConstruction();
        SpInfoForm = Form.get();
    }
    void TearDown() override {
        SpInfoForm = nullptr;
        Form.reset();
        WidgetTest::TearDown();
    }
    // Shows the card of the player with that draw number and keeps what the grid
    // held while it was shown.
    void ShowCard(TGroep& G, int BergerNr) {
        Form->SetSpeler(BergerNr ? G.Spelers.GetSpelerOnBergerNr(BergerNr) : nullptr);
        RunModal(*Form, [this] { Form->SetModalResult(mrOk); });
    }
    std::string Cell(int C, int R) const { return Form->SpGrid->Cells(C, R); }
    std::string Label(int R) const { return Cell(0, R); }
    std::unique_ptr<TSpInfoForm> Form;
};

TEST_F(SpInfoFormTest, PlayerWithForfeitShowsEveryFigureByRound) {
    auto g = MakeVierGroep();
    TCurGroepScope scope(g.get());
    ShowCard(*g, 2);
    TExtColumnGrid& grid = *Form->SpGrid;
    EXPECT_EQ("Viertal", Form->StatusBar->Panels(0)->Text);
    EXPECT_EQ(4, grid.ColCount());
    EXPECT_EQ("Jan Bos", Cell(0, 0));
    EXPECT_EQ("r3", Cell(3, 0));
    const char* labels[] = {
        "Tegenstander", "Kleur", "Score",   "Score (WP/SB)", "Score totaal", "WP",  "SB",
        "PS",           "Rc",    "Rc gem.", "TPR",           "LPR",          "W-We"};
    for (int r = 1; r <= 13; ++r)
        EXPECT_EQ(labels[r - 1], Label(r)) << r;
    EXPECT_TRUE(Form->NoteLabel->Visible());
    EXPECT_EQ(13, Form->LastStatRow());

    // Player 2: r1 black against 1, lost; r2 white against 4, won by forfeit;
    // r3 white against 3, won.
    EXPECT_EQ("1", Cell(1, 1));
    EXPECT_EQ("4", Cell(2, 1));
    EXPECT_EQ("3", Cell(3, 1));
    EXPECT_EQ("Z", Cell(1, 2));
    EXPECT_EQ(TColor(0xC0C0C0), grid.GetCellBackColor(1, 2));
    EXPECT_EQ("W", Cell(2, 2));
    EXPECT_EQ("0", Cell(1, 3));
    EXPECT_EQ("1r", Cell(2, 3));
    EXPECT_EQ("1", Cell(3, 3));
    // For WP/SB a forfeit counts as a draw.
    EXPECT_EQ("0", Cell(1, 4));
    EXPECT_EQ("\xBD", Cell(2, 4));
    EXPECT_EQ("1", Cell(3, 4));
    // Running score 0, 1, 2.
    EXPECT_EQ("0", Cell(1, 5));
    EXPECT_EQ("1", Cell(2, 5));
    EXPECT_EQ("2", Cell(3, 5));
    // What each opponent's games credit (forfeits ½): player 1 1+½+1 = 2½,
    // player 4 ½+½+0 = 1, player 3 ½+½+0 = 1.
    // WP: 2½, 2½+1 = 3½, 3½+1 = 4½.
    EXPECT_EQ("2\xBD", Cell(1, 6));
    EXPECT_EQ("3\xBD", Cell(2, 6));
    EXPECT_EQ("4\xBD", Cell(3, 6));
    // SB: loss 0; forfeit win +1 = 1; win +1 = 2.
    EXPECT_EQ("0.00", Cell(1, 7));
    EXPECT_EQ("1.00", Cell(2, 7));
    EXPECT_EQ("2.00", Cell(3, 7));
    // Progressive score over games on the board: 0; 0 (forfeit); 0 + 2 = 2.
    EXPECT_EQ("0", Cell(1, 8));
    EXPECT_EQ("0", Cell(2, 8));
    EXPECT_EQ("2", Cell(3, 8));
    // Opponent ratings 1800, none, 1600; their average 1800, 1800, 1700.
    EXPECT_EQ("1800", Cell(1, 9));
    EXPECT_EQ("", Cell(2, 9));
    EXPECT_EQ("1600", Cell(3, 9));
    EXPECT_EQ("1800", Cell(1, 10));
    EXPECT_EQ("1800", Cell(2, 10));
    EXPECT_EQ("1700", Cell(3, 10));
    // Performances: 0 of 1 against 1800 after r1 and r2, 1 of 2 against
    // 1800 and 1600 after r3; the one by bisection in every round, not only
    // the latest one that the standings fill.
    EXPECT_EQ(RatingToStr(Round(PerformanceByPercentage(1, 0, 1800, 1700))), Cell(1, 11));
    EXPECT_EQ(RatingToStr(Round(PerformanceByPercentage(2, 1, 1700, 1700))), Cell(3, 11));
    const std::string lpr1 = RatingToStr(Round(PerformanceRating({1800}, 1700, 0)));
    EXPECT_EQ(lpr1, Cell(1, 12));
    EXPECT_EQ(lpr1, Cell(2, 12));
    EXPECT_EQ(RatingToStr(Round(PerformanceRating({1800, 1600}, 1700, 1))), Cell(3, 12));
    EXPECT_EQ("1700", Cell(3, 12)); // symmetric opponents, half the points
    // W-We over rated games on the board: 0 - E(1800) then + 1 - E(1600).
    const double we1 = ExpectedScore(1800, 1700), we3 = ExpectedScore(1600, 1700);
    EXPECT_EQ(WWeToStr(-we1), Cell(1, 13));
    EXPECT_EQ(WWeToStr(-we1), Cell(2, 13));
    EXPECT_EQ(WWeToStr(1 - we1 - we3), Cell(3, 13));

    // The game lines, one per round, with the opponent's name over every round column.
    ASSERT_EQ(17, grid.RowCount());
    EXPECT_EQ("r1", Cell(0, 14));
    EXPECT_EQ("1. Jan Aarts", Cell(1, 14));
    EXPECT_EQ("r2", Cell(0, 15));
    EXPECT_EQ("4. Jan Dekker", Cell(1, 15));
    EXPECT_EQ("r3", Cell(0, 16));
    EXPECT_EQ("3. Jan Claes", Cell(1, 16));
    EXPECT_EQ(3, grid.GetCellSpan(1, 16).X + 1);
}

TEST_F(SpInfoFormTest, WithoutForfeitNoWPSBRowAndNoNote) {
    auto g = MakeVierGroep();
    TCurGroepScope scope(g.get());
    ShowCard(*g, 2);
    ShowCard(*g, 1); // the card of another player replaces everything
    EXPECT_FALSE(Form->NoteLabel->Visible());
    EXPECT_EQ("Score", Label(3));
    EXPECT_EQ("Score totaal", Label(4));
    EXPECT_EQ("W-We", Label(12));
    EXPECT_EQ(12, Form->LastStatRow());
    // Player 1: 1, ½, 1 gives 1, 1½, 2½; progressive 1 + 1½ + 2½ = 5;
    // WP 1½, +1, +1 (player 2: 0+½+1, player 3: ½+½+0, player 4: ½+½+0);
    // SB 1½, +½ for the draw, +1.
    EXPECT_EQ("2\xBD", Cell(3, 4));
    EXPECT_EQ("1\xBD", Cell(1, 5));
    EXPECT_EQ("2\xBD", Cell(2, 5));
    EXPECT_EQ("3\xBD", Cell(3, 5));
    EXPECT_EQ("1.50", Cell(1, 6));
    EXPECT_EQ("2.00", Cell(2, 6));
    EXPECT_EQ("3.00", Cell(3, 6));
    EXPECT_EQ("1", Cell(1, 7));
    EXPECT_EQ("2\xBD", Cell(2, 7));
    EXPECT_EQ("5", Cell(3, 7));
    ASSERT_EQ(16, Form->SpGrid->RowCount());
    EXPECT_EQ("r1", Cell(0, 13));
    EXPECT_EQ("2. Jan Bos", Cell(1, 13));
    EXPECT_EQ("4. Jan Dekker", Cell(1, 15));
    EXPECT_FALSE(Form->SpGrid->IsMergedCell(1, 12)); // the old game lines are gone
}

TEST_F(SpInfoFormTest, NoRatedOpponentEndsAtPS) {
    auto g = MakeVierGroep();
    g->Rec.RatingType = rtNJR; // nobody holds a rating of that kind
    TCurGroepScope scope(g.get());
    FillRondeRecs(*g);
    CalcStand(*g);
    ShowCard(*g, 1);
    EXPECT_EQ(7, Form->LastStatRow());
    EXPECT_EQ("PS", Label(7));
    ASSERT_EQ(11, Form->SpGrid->RowCount());
    // The game lines take the rows at once; no rating label stays behind.
    EXPECT_EQ("r1", Label(8));
    EXPECT_EQ("r3", Label(10));
    for (int r = 0; r < Form->SpGrid->RowCount(); ++r)
        EXPECT_NE("Rc", Label(r));
}

TEST_F(SpInfoFormTest, RoundWithoutGameLeavesItsColumnEmpty) {
    auto g = MakeVierGroep(true);
    TCurGroepScope scope(g.get());
    ShowCard(*g, 4);
    for (int r = 1; r <= Form->LastStatRow(); ++r)
        EXPECT_EQ("", Cell(1, r)) << r;
    // Player 4: r2 forfeit loss to 2, r3 loss to 1: score 0, 0.
    EXPECT_EQ("0r", Cell(2, 3));
    EXPECT_EQ("0", Cell(3, 5));
    // Two game lines, for r2 and r3 only.
    const int first = Form->LastStatRow() + 1;
    ASSERT_EQ(first + 2, Form->SpGrid->RowCount());
    EXPECT_EQ("r2", Label(first));
    EXPECT_EQ("2. Jan Bos", Cell(1, first));
    EXPECT_EQ("r3", Label(first + 1));
}

TEST_F(SpInfoFormTest, WithoutPlayerOnlyTheGroupName) {
    auto g = MakeVierGroep();
    TCurGroepScope scope(g.get());
    ShowCard(*g, 0);
    EXPECT_EQ("Viertal", Form->StatusBar->Panels(0)->Text);
    EXPECT_EQ("", Cell(0, 0));
    EXPECT_EQ("", Cell(0, 1));
}

TEST_F(SpInfoFormTest, DoubleRoundGivesALineForEveryGame) {
    auto g = MakeClubGroep(true, true);
    // The second cycle played too: every player has 14 games, more than the
    // card's rows to begin with.
    for (int a = 1; a <= 8; ++a)
        for (int b = a + 1; b <= 8; ++b)
            EnterResult(*g, a, b, 3, 0);
    FillRondeRecs(*g);
    CalcStand(*g);
    TCurGroepScope scope(g.get());
    ShowCard(*g, 1);
    const int last = Form->LastStatRow();
    EXPECT_EQ(15, Form->SpGrid->ColCount());
    ASSERT_EQ(last + 15, Form->SpGrid->RowCount());
    TSp* sp = g->Spelers.GetSpelerOnBergerNr(1);
    for (int r = 1; r <= 14; ++r) {
        EXPECT_EQ("r" + std::to_string(r), Label(last + r));
        const int tegen = sp->Rondes[static_cast<size_t>(sp->GetRoundIndex(r))].TegenBergerNr;
        EXPECT_EQ(std::to_string(tegen) + ". " + g->Spelers.GetSpelerOnBergerNr(tegen)->GetNaam(),
                  Cell(1, last + r));
    }
    const int b = last - 8;
    EXPECT_EQ("Score totaal", Label(b));
    EXPECT_EQ(PuntenToStr(sp->GetScoreAfterRound(14)), Cell(14, b));
}

// The copy carries each game line once and the bye's open game as nothing.
TEST_F(SpInfoFormTest, ClipboardHoldsEachGameLineOnceAndNoBlankScore) {
    auto g = MakeTestGroep({{"Aap"}, {"Beer"}, {"Coda"}, {"VRIJ", 0, true}});
    SetTestResults(*g, {{1, 2, 1}, {1, 3, 3}, {2, 3, 1}});
    TCurGroepScope scope(g.get());
    Form->SetSpeler(g->Spelers.GetSpelerOnBergerNr(1));
    Clipboard()->SetAsText("");
    RunModal(*Form, [this] {
        Form->ClipBoardBitBtn->Click();
        Form->SetModalResult(mrOk);
    });
    const std::string text = Clipboard()->AsText();
    for (const char* lijn : {"2. Beer", "3. Coda"}) {
        const size_t eerst = text.find(lijn);
        ASSERT_NE(std::string::npos, eerst) << text;
        EXPECT_EQ(std::string::npos, text.find(lijn, eerst + 1)) << text;
    }
    EXPECT_EQ(std::string::npos, text.find("\t \t")) << text;
    EXPECT_EQ(std::string::npos, text.find(" \r\n")) << text;
    // Line by line: one line per row of the card, its cells apart by tabs.
    std::vector<std::string> lines;
    for (size_t from = 0;;) {
        const size_t end = text.find("\r\n", from);
        lines.push_back(text.substr(from, end - from));
        if (end == std::string::npos) break;
        from = end + 2;
    }
    const int cols = Form->SpGrid->ColCount();
    ASSERT_EQ(static_cast<size_t>(Form->SpGrid->RowCount()), lines.size()) << text;
    for (size_t r = 0; r < lines.size(); ++r) {
        EXPECT_EQ(Cell(0, static_cast<int>(r)), lines[r].substr(0, lines[r].find('\t'))) << r;
        EXPECT_EQ(cols - 1, std::count(lines[r].begin(), lines[r].end(), '\t')) << r;
    }
}

TEST_F(SpInfoFormTest, PictureOfTheCard) {
    auto g = MakeClubGroep();
    CalcStand(*g);
    TCurGroepScope scope(g.get());
    Form->SetSpeler(g->Spelers.GetSpelerOnBergerNr(1));
    RunModal(*Form, [this] {
        SavePicture(*Form, "spinfoform.png");
        Form->SetModalResult(mrOk);
    });
    EXPECT_EQ("Score (WP/SB)", Label(4));
}

// Three rounds are narrower than a long name: its game line, merged over the
// rounds, still shows on one line (wrapped, only "3." would show).
TEST_F(SpInfoFormTest, ALongOpponentNameKeepsItsGameLineOnOneLine) {
    auto g = MakeVierGroep();
    g->Spelers.GetSpelerOnBergerNr(3)->Rec.Achternaam = "Weerdenburg-Oosterhuis,M.(Maximiliaan)";
    TCurGroepScope scope(g.get());
    Form->SetSpeler(g->Spelers.GetSpelerOnBergerNr(2));
    RunModal(*Form, [this] {
        SavePicture(*Form, "spinfoform_langenaam.png");
        Form->SetModalResult(mrOk);
    });
    const TExtColumnGrid& grid = *Form->SpGrid;
    const int row = Form->LastStatRow() + 3; // r3 against 3
    EXPECT_GE(grid.ColWidths(1) + grid.ColWidths(2) + grid.ColWidths(3) + 2 * grid.GridLineWidth(),
              Form->SpGrid->TextColWidth(1, row, Cell(1, row)));
}

} // namespace
