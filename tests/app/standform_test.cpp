#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "app/spinfoform.h"
#include "app/standform.h"
#include "app/standgrid.h"
#include "apptestenv.h"
#include "grid/columngrid.h"
#include "model/fileutils.h"
#include "model/objects.h"
#include "model/stand.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/threads.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/messages.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/synthinput.h"
#include "standtestgroep.h"
#include "vz_test_support.h"
#include "widgettest.h"

namespace {

class StandWindow : public WidgetTest {};

void SortOn(TGroep& G, bool On) {
    G.Rec.SortAr = {{siOnderling, uint8_t(On)}, {siSB, uint8_t(On)}, {siLootNr, uint8_t(On)}};
}

// Aap, Beer and Coda each beat one of the others and tie on 3½; SB puts Aap
// first (7.75 against 7.00 twice) and the draw number Beer before Coda. Eend
// and Das tie on 2: Eend beat Das, which outweighs Das's better SB. Fret ½.
std::unique_ptr<TGroep> TieGroep() {
    auto g = MakeTestGroep({{"Aap"}, {"Beer"}, {"Coda"}, {"Das"}, {"Eend"}, {"Fret"}});
    SortOn(*g, true);
    const std::vector<TTestResult> results = {
        {1, 2, 1}, {1, 3, 2}, {1, 4, 1}, {1, 5, 1}, {1, 6, 3}, {2, 3, 1}, {2, 4, 3}, {2, 5, 1},
        {2, 6, 1}, {3, 4, 3}, {3, 5, 1}, {3, 6, 1}, {4, 5, 2}, {4, 6, 1}, {5, 6, 1}};
    SetTestResults(*g, results);
    return g;
}

std::vector<int> StandNrs(const TStandForm& Form) {
    std::vector<int> nrs;
    for (int i = 0; i < Form.StandList().Count(); ++i)
        nrs.push_back(Form.StandList().Sp(i)->Rec.BergerNr);
    return nrs;
}

// A window as the program makes it, activated on the current group.
struct TOpenStand {
    explicit TOpenStand(int Mask = 0) {
        Form.CheckMask = Mask;
        Form.AfterConstruction();
        Form.FormActivate(&Form);
    }
    TStandForm Form{nullptr};
};

constexpr int Bit(int Item) {
    return 1 << Item;
}

// A click on a check mark of the column choice.
void Tick(TStandForm& Form, int Item, bool On) {
    Form.CheckBox->SetChecked(Item, On);
    Form.CheckBoxClick(Form.CheckBox);
}

TEST_F(StandWindow, ThreeTiedPlayersEachBeatingOneOther) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TOpenStand w;
    EXPECT_EQ((std::vector<int>{1, 2, 3, 5, 4, 6}), StandNrs(w.Form));
    const char* str[] = {"1", "1", "1", "0", "1", ""};
    const double score[] = {1, 1, 1, 0, 1, 0};
    for (int nr = 1; nr <= 6; ++nr) {
        const TSp* sp = g->Spelers.GetSpelerOnBergerNr(nr);
        EXPECT_EQ(str[nr - 1], sp->Rec.OnderlingStr) << nr;
        EXPECT_EQ(score[nr - 1], sp->Rec.OnderlingScore) << nr;
    }
    EXPECT_EQ(1, g->Rec.HasOnderling);
}

TEST_F(StandWindow, UnplayedMutualGameCountsNothing) {
    // Aap and Beer tie on 1 without having played; Coda and Das tie on 1½
    // after their draw.
    auto g = MakeTestGroep({{"Aap"}, {"Beer"}, {"Coda"}, {"Das"}});
    SortOn(*g, true);
    SetTestResults(*g, {{1, 4, 1}, {1, 3, 2}, {2, 3, 1}, {2, 4, 2}, {3, 4, 3}});
    TCurGroepScope scope(g.get());
    TOpenStand w;
    EXPECT_EQ((std::vector<int>{3, 4, 1, 2}), StandNrs(w.Form));
    for (const int nr : {1, 2}) {
        EXPECT_EQ(0, g->Spelers.GetSpelerOnBergerNr(nr)->Rec.OnderlingScore);
        EXPECT_EQ("", g->Spelers.GetSpelerOnBergerNr(nr)->Rec.OnderlingStr);
    }
    EXPECT_EQ(HalfStr, g->Spelers.GetSpelerOnBergerNr(3)->Rec.OnderlingStr);
    // A game still open: no series points yet.
    EXPECT_EQ(0, g->Spelers.GetSpelerOnBergerNr(3)->Rec.ZVPunten);
}

TEST_F(StandWindow, UnplayedGameInALargerTieTakesNothingAway) {
    // Aap, Beer and Coda tie on 1. The one game played among them: Aap beat
    // Beer. Aap leads on mutual score though his SB is the lowest.
    auto g = MakeTestGroep({{"Aap"}, {"Beer"}, {"Coda"}, {"Das"}, {"Eend"}});
    SortOn(*g, true);
    SetTestResults(
        *g,
        {{1, 2, 1}, {1, 4, 2}, {1, 5, 2}, {2, 4, 1}, {2, 5, 2}, {3, 4, 2}, {3, 5, 1}, {4, 5, 3}});
    TCurGroepScope scope(g.get());
    TOpenStand w;
    EXPECT_EQ((std::vector<int>{4, 5, 1, 2, 3}), StandNrs(w.Form));
    EXPECT_EQ(1, g->Spelers.GetSpelerOnBergerNr(1)->Rec.OnderlingScore);
    EXPECT_EQ("1", g->Spelers.GetSpelerOnBergerNr(1)->Rec.OnderlingStr);
    EXPECT_EQ("0", g->Spelers.GetSpelerOnBergerNr(2)->Rec.OnderlingStr);
}

// The criteria only break ties: with none switched on the winner still stands
// first and the series points follow the points, not the draw numbers.
TEST_F(StandWindow, NoCriterionStillRanksByPoints) {
    auto g = MakeTestGroep({{"Aap"}, {"Beer"}, {"Coda"}, {"Das"}});
    SortOn(*g, false);
    for (const auto& [a, b] : {std::pair{4, 1}, {4, 2}, {4, 3}, {3, 1}, {3, 2}, {2, 1}})
        SetTestResult(*g, a, b, 1);
    TCurGroepScope scope(g.get());
    TOpenStand w(Bit(StandItem::ZVPunten));
    EXPECT_EQ((std::vector<int>{4, 3, 2, 1}), StandNrs(w.Form));
    EXPECT_EQ("1.", w.Form.StandGrid->Cells(0, 1));
    EXPECT_EQ("Das", w.Form.StandGrid->Cells(2, 1));
    EXPECT_DOUBLE_EQ(20, g->Spelers.GetSpelerOnBergerNr(4)->Rec.ZVPunten);
    EXPECT_DOUBLE_EQ(7, g->Spelers.GetSpelerOnBergerNr(1)->Rec.ZVPunten);
    for (int i = 0; i < g->Spelers.Count(); ++i)
        EXPECT_EQ("", g->Spelers.Sp(i)->Rec.OnderlingStr);
}

TEST_F(StandWindow, ScoresBeyondAHundredPointsStillRankHighestFirst) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TOpenStand w;
    // The text keys must hold scores and SB of large double round-robins.
    for (int i = 0; i < g->Spelers.Count(); ++i) {
        TSp& sp = *g->Spelers.Sp(i);
        for (TRondeRec& r : sp.Rondes)
            r.Score = 200 - 30 * i; // 200, 170, ... 50
    }
    w.Form.SortStand();
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6}), StandNrs(w.Form));
}

TEST_F(StandWindow, SeriesPointsSharedPlacesOnceAllResultsAreIn) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TOpenStand w(Bit(StandItem::ZVPunten));
    // (score / 5 + 1) * 10 less one per place above: 3½ shares place 1, 2 place 4.
    const double zv[] = {17, 17, 17, 11, 11, 6};
    for (int nr = 1; nr <= 6; ++nr)
        EXPECT_DOUBLE_EQ(zv[nr - 1], g->Spelers.GetSpelerOnBergerNr(nr)->Rec.ZVPunten) << nr;
    EXPECT_EQ(5, g->Spelers.GetSpelerOnBergerNr(4)->Rec.Plaats);
    EXPECT_EQ("17.00", w.Form.StandGrid->Cells(w.Form.ZVKolom(), 3));
}

TEST_F(StandWindow, ColumnChoiceHidesAndShowsColumnsAndRows) {
    auto g = MakeTestGroep({{"Aap", 1800}, {"Beer", 1700}, {"Coda", 1600}, {"VRIJ", 0, true}});
    SortOn(*g, true);
    SetTestResults(*g, {{1, 2, 1}, {1, 3, 3}, {2, 3, 1}, {1, 4, 6}, {2, 4, 6}, {3, 4, 6}});
    TCurGroepScope scope(g.get());
    TOpenStand w(Bit(StandItem::Lootnummer) | Bit(StandItem::Uitslagen));
    TExtColumnGrid& grid = *w.Form.StandGrid;
    const auto& k = g->Rec.StandKolommen;
    const auto hidden = [&](int Id) { return grid.IsHiddenColumn(k[Id].Kolom); };

    EXPECT_FALSE(hidden(StandId::Lootnr));
    EXPECT_FALSE(hidden(StandId::Naam));
    EXPECT_FALSE(hidden(StandId::Pnt));
    for (const int id : {StandId::Relnr, StandId::WP, StandId::SB, StandId::Rating, StandId::Rc,
                         StandId::Tpr, StandId::WWe, StandId::Onderling, StandId::ZV})
        EXPECT_TRUE(hidden(id)) << id;
    // The bye's result column and row, and the totals, wait for their items.
    ASSERT_EQ(4u, g->Rec.Kolommen.size());
    EXPECT_FALSE(grid.IsHiddenColumn(g->Rec.Kolommen[0].Kolom));
    EXPECT_TRUE(grid.IsHiddenColumn(g->Rec.Kolommen[3].Kolom));
    EXPECT_EQ(4, grid.RowCount()); // heading and three players
    EXPECT_EQ(2, grid.NumHiddenRows());

    Tick(w.Form, StandItem::SB, true);
    Tick(w.Form, StandItem::Vrij, true);
    Tick(w.Form, StandItem::Totaal, true);
    Tick(w.Form, StandItem::Uitslagen, false);
    EXPECT_FALSE(hidden(StandId::SB));
    EXPECT_EQ(6, grid.RowCount());
    EXPECT_EQ(0, grid.NumHiddenRows());
    for (const TKolomRec& kolom : g->Rec.Kolommen)
        EXPECT_TRUE(grid.IsHiddenColumn(kolom.Kolom));
    EXPECT_EQ("Totaal", grid.Cells(2, 5));

    // Games played with black get silver while "Wit/Zwart" is checked.
    TGameCell* zwart = nullptr;
    int zr = 0, zc = 0;
    for (int r = 1; r <= 3 && !zwart; ++r)
        for (const TKolomRec& kolom : g->Rec.Kolommen)
            if (auto* c = dynamic_cast<TGameCell*>(grid.Objects(kolom.Kolom, r));
                c && c->Kleur == kZwart) {
                zwart = c, zr = r, zc = kolom.Kolom;
                break;
            }
    ASSERT_NE(nullptr, zwart);
    Tick(w.Form, StandItem::WitZwart, true);
    EXPECT_EQ(clSilver, grid.GetCellBackColor(zc, zr));
    Tick(w.Form, StandItem::WitZwart, false);
    EXPECT_EQ(clNone, grid.GetCellBackColor(zc, zr)); // the column's own colour

    // Ratings exist here, so their items stay free to choose.
    EXPECT_TRUE(w.Form.CheckBox->ItemEnabled(StandItem::Rating));
    EXPECT_EQ("KNSB rating", w.Form.CheckBox->Items()->Strings(StandItem::Rating));
    EXPECT_EQ("Testgroep", w.Form.StatusBar->Panels(0)->Text);
    EXPECT_EQ(0u, w.Form.StatusBar->Panels(1)->Text.find("4 spelers. "));
}

TEST_F(StandWindow, WithoutRatingsTheCheckedRatingItemsAreDisabled) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TOpenStand w(Bit(StandItem::Rating) | Bit(StandItem::Tpr));
    EXPECT_FALSE(w.Form.CheckBox->ItemEnabled(StandItem::Rating));
    EXPECT_FALSE(w.Form.CheckBox->ItemEnabled(StandItem::Tpr));
    EXPECT_TRUE(w.Form.CheckBox->ItemEnabled(StandItem::Rc));
    EXPECT_TRUE(w.Form.StandGrid->IsHiddenColumn(g->Rec.StandKolommen[StandId::Rating].Kolom));
    EXPECT_NE(std::string::npos, w.Form.StatusBar->Panels(1)->Text.find("; Geen ratings. "));
}

// The standings of the tie group with place, draw number, name, points, SB,
// the crosstable, the mutual scores, the series points and the totals.
const char* const ExpectedText = "   Lt Testgroep Pnt SB   1 2 3 4 5 6 OR ZV     \r\n"
                                 "1.  1 Aap       3\xBD  7.75 X 1 0 1 1 \xBD 1  17.00  \r\n"
                                 "    2 Beer      3\xBD  7.00 0 X 1 1 \xBD 1 1  17.00  \r\n"
                                 "    3 Coda      3\xBD  7.00 1 0 X 1 \xBD 1 1  17.00  \r\n"
                                 "4.  5 Eend      2   2.50 0 0 0 X 1 1 1  11.00  \r\n"
                                 "    4 Das       2   4.00 0 \xBD \xBD 0 X 1 0  11.00  \r\n"
                                 "6.  6 Fret      \xBD   1.75 \xBD 0 0 0 0 X     6.00  \r\n"
                                 "      Totaal    15                             \r\n";

constexpr int TextMask = Bit(StandItem::Lootnummer) | Bit(StandItem::SB) |
                         Bit(StandItem::Uitslagen) | Bit(StandItem::Onderling) |
                         Bit(StandItem::ZVPunten) | Bit(StandItem::Totaal);

TEST_F(StandWindow, SavedTextKeepsEveryColumnInLine) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TOpenStand w(TextMask);
    TTestFolder dir("vz_stand");
    TScriptedDialogsScope dialogs;
    TScriptedDialogs& asked = dialogs.Dialogs();
    asked.QueueFileName(dir.File("stand.csv")); // the extension becomes .txt
    w.Form.SaveDataBitBtnClick(nullptr);
    EXPECT_EQ(ExpectedText, ReadFileBytes(dir.File("stand.txt")));
    EXPECT_FALSE(FileExists(dir.File("stand.csv")));
    ASSERT_EQ(1u, asked.Asked().size());
    EXPECT_EQ("Bewaar tekst bestand", asked.Asked()[0].Text);
}

TEST_F(StandWindow, SavingAsksBeforeOverwritingAndLeavesHeldFilesAlone) {
    auto g = TieGroep();
    g->Rec.Naam = "Groep A/B";
    TCurGroepScope scope(g.get());
    TOpenStand w(TextMask);
    TTestFolder dir("vz_stand");
    const std::string file = dir.File("stand.txt");
    WriteFileAtomic(file, "oud");
    TScriptedDialogsScope dialogs;
    TScriptedDialogs& asked = dialogs.Dialogs();

    // The dialog proposes the group's name as a file name.
    asked.QueueCancel();
    w.Form.SaveDataBitBtnClick(nullptr);
    EXPECT_EQ("Groep A-B.txt", w.Form.SaveDialog->FileName);

    asked.QueueFileName(file);
    asked.QueueAnswer(mrNo);
    w.Form.SaveDataBitBtnClick(nullptr);
    ASSERT_EQ(3u, asked.Asked().size());
    EXPECT_EQ(GetShortPath(file) + "\r\rBestaat reeds. Overschrijven ?", asked.Asked()[2].Text);
    EXPECT_EQ("oud", ReadFileBytes(file));

    // Another program holds the file: a message, and the file stays. What
    // cannot be written is said before the overwrite question.
    WriteFileAtomic(dir.File(".~lock.stand.txt#"), "x");
    asked.QueueFileName(file);
    w.Form.SaveDataBitBtnClick(nullptr);
    ASSERT_EQ(5u, asked.Asked().size());
    EXPECT_EQ(0u, asked.Asked()[4].Text.find(
                      GetShortPath(file) +
                      ": is reeds in gebruik door een ander programma.\rSluit eerst het bestand"));
    EXPECT_NE(std::string::npos, asked.Asked()[4].Text.find("\".~lock.stand.txt#\""));
    EXPECT_EQ("oud", ReadFileBytes(file));

    // A folder that does not exist: told, not crashed.
    asked.QueueFileName(dir.File("weg/stand.txt"));
    w.Form.SaveDataBitBtnClick(nullptr);
    ASSERT_EQ(7u, asked.Asked().size());
    EXPECT_EQ(GetShortPath(dir.File("weg/stand.txt")) +
                  ": kan niet worden geschreven.\rDe map bestaat niet.",
              asked.Asked()[6].Text);
    // A read-only file says so, and stays as it was.
    const std::string alleenLezen = dir.File("vast.txt");
    WriteFileAtomic(alleenLezen, "vast");
    chmod(alleenLezen.c_str(), 0444);
    asked.QueueFileName(alleenLezen);
    w.Form.SaveDataBitBtnClick(nullptr);
    ASSERT_EQ(9u, asked.Asked().size());
    EXPECT_EQ(GetShortPath(alleenLezen) +
                  ": kan niet worden geschreven.\rDit bestand is alleen-lezen.",
              asked.Asked()[8].Text);
    EXPECT_EQ("vast", ReadFileBytes(alleenLezen));

    // Free again: a Yes overwrites.
    std::remove(dir.File(".~lock.stand.txt#").c_str());
    asked.QueueFileName(file);
    asked.QueueAnswer(mrYes);
    w.Form.SaveDataBitBtnClick(nullptr);
    std::string expected = ExpectedText;
    expected.replace(expected.find("Testgroep"), 9, "Groep A/B");
    EXPECT_EQ(expected, ReadFileBytes(file));
}

TEST_F(StandWindow, TypedSeriesPointsGoBackToThePlayers) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TOpenStand w(Bit(StandItem::ZVPunten));
    TExtColumnGrid& grid = *w.Form.StandGrid;
    const int zv = w.Form.ZVKolom();
    bool can = true;
    w.Form.StandGridCanEditCell(nullptr, 0, zv, can);
    EXPECT_FALSE(can);
    w.Form.StandGridCanEditCell(nullptr, 1, zv, can);
    EXPECT_TRUE(can);
    w.Form.StandGridCanEditCell(nullptr, 1, zv - 1, can);
    EXPECT_FALSE(can);
    TEditorType editor = edNormal;
    w.Form.StandGridGetEditorType(nullptr, zv, 1, editor);
    EXPECT_EQ(edFloat, editor);

    grid.SetCells(zv, 1, " 12.5 ");
    grid.SetCells(zv, 2, "geen");
    bool canClose = false;
    w.Form.FormCloseQuery(nullptr, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_DOUBLE_EQ(12.5, StandRowSpeler(grid, 1)->Rec.ZVPunten);
    EXPECT_EQ(0, StandRowSpeler(grid, 2)->Rec.ZVPunten);
}

// A Dutch decimal comma typed into the series points is a decimal separator.
TEST_F(StandWindow, SeriesPointsTypedWithADecimalComma) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TStandForm form(nullptr);
    form.AfterConstruction();
    form.CheckMask = Bit(StandItem::ZVPunten);
    RunModal(form, [&] {
        ASSERT_TRUE(PumpUntil([&] { return form.ZVKolom() > 0; }));
        form.StandGrid->FocusCell(form.StandGrid->DisplColIndex(form.ZVKolom()), 1, true);
        form.StandGrid->SetEditorMode(true);
        ASSERT_NE(nullptr, form.StandGrid->InplaceEditor());
        form.StandGrid->InplaceEditor()->SetText("");
        TypeText(form.StandGrid->InplaceEditor(), "7,25");
        KeyStroke(form.StandGrid->InplaceEditor(), VK_RETURN);
        form.Close();
    });
    EXPECT_DOUBLE_EQ(7.25, g->Spelers.GetSpelerOnBergerNr(1)->Rec.ZVPunten);
}

// A dialog closing over the window (player card, save dialog, Help) activates
// it again: the ticked columns stay, and so does what the close remembers.
TEST_F(StandWindow, ActivationAfterADialogKeepsTheColumnChoice) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TStandForm form(nullptr);
    form.AfterConstruction();
    RunModal(form, [&] {
        ASSERT_TRUE(PumpUntil([&] { return form.LastRound() >= 0; }));
        Tick(form, StandItem::WP, true);
        form.FormActivate(&form);
        EXPECT_TRUE(form.CheckBox->Checked(StandItem::WP));
        form.Close();
    });
    EXPECT_TRUE(form.CheckMask & Bit(StandItem::WP));
}

// The rows of an earlier showing point at the players of the group shown then;
// closed before a new showing filled it, the window touches none of them.
TEST_F(StandWindow, ClosingBeforeActivationTouchesNoFreedPlayer) {
    TStandForm form(nullptr);
    form.AfterConstruction();
    form.CheckMask = Bit(StandItem::ZVPunten);
    {
        auto g = TieGroep();
        TCurGroepScope scope(g.get());
        RunModal(form, [&] {
            ASSERT_TRUE(PumpUntil([&] { return form.ZVKolom() > 0; }));
            form.Close();
        });
    }
    auto h = MakeTestGroep({{"Aap"}, {"Beer"}});
    TCurGroepScope scope(h.get());
    bool canClose = false;
    form.FormCloseQuery(&form, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(0, h->Spelers.Sp(0)->Rec.ZVPunten);
}

// Return then Escape in a cell, editable or not, leaves what the cell showed.
TEST_F(StandWindow, ReturnThenEscapeKeepsTheCell) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TStandForm form(nullptr);
    form.AfterConstruction();
    form.CheckMask = Bit(StandItem::ZVPunten);
    RunModal(form, [&] {
        ASSERT_TRUE(PumpUntil([&] { return form.ZVKolom() > 0; }));
        TExtColumnGrid& grid = *form.StandGrid;
        for (const int c : {form.ZVKolom(), static_cast<int>(StandId::Naam), form.ZVKolom()}) {
            grid.SetFocus();
            grid.FocusCell(grid.DisplColIndex(c), 2, true);
            const std::string voor = grid.Cells(c, 2);
            KeyStroke(&grid, VK_RETURN);
            TControl* naar = grid.InplaceEditor() && grid.InplaceEditor()->Visible()
                                 ? static_cast<TControl*>(grid.InplaceEditor())
                                 : static_cast<TControl*>(&grid);
            KeyStroke(naar, VK_ESCAPE);
            EXPECT_EQ(voor, grid.Cells(c, 2)) << c;
        }
        form.Close();
    });
}

// A very long name shows whole where the window has room for it; in a
// narrower window it does not push the other columns out of view, and shows
// whole as the hint. Made wider again, the window shows it whole again.
TEST_F(StandWindow, ALongNameShowsWholeWhereThereIsRoomAndElseKeepsTheOtherColumnsInView) {
    auto g = TieGroep();
    const std::string lang = "Aap van de Langenaamlaan-Uitgebreidheid tot en met de laatste letter";
    g->Spelers.GetSpelerOnBergerNr(1)->Rec.Achternaam = lang;
    TCurGroepScope scope(g.get());
    TOpenStand w(Bit(StandItem::WP) | Bit(StandItem::SB));
    TExtColumnGrid& grid = *w.Form.StandGrid;
    const int kolom = grid.DisplColIndex(StandId::Naam);
    for (const int breedte : {900, 600, 900}) {
        w.Form.SetWidth(breedte);
        EXPECT_EQ(breedte == 900, grid.ColWidths(kolom) >= grid.TextColWidth(kolom, 1, lang));
        EXPECT_FALSE(grid.HorzScrollBarShown()) << breedte; // every column in view
        SavePicture(w.Form, "standform_langenaam_" + std::to_string(breedte) + ".png");
    }
    EXPECT_TRUE(grid.HintShowLargeText);
    EXPECT_TRUE(grid.ShowHint());
}

TEST_F(StandWindow, ModalWindowKeepsTheColumnChoiceAndOpensPlayerCards) {
    auto g = MakeClubGroep();
    SortOn(*g, true);
    TCurGroepScope scope(g.get());
    TStandForm form(nullptr);
    form.AfterConstruction();
    form.CheckMask = Bit(StandItem::Lootnummer) | Bit(StandItem::WP) | Bit(StandItem::SB) |
                     Bit(StandItem::Rating) | Bit(StandItem::Tpr) | Bit(StandItem::Uitslagen) |
                     Bit(StandItem::WitZwart) | Bit(StandItem::Totaal);
    TSpInfoForm info(nullptr);
    SpInfoForm = &info;
    bool infoShown = false;
    RunModal(form, [&] {
        EXPECT_TRUE(PumpUntil([&] { return form.LastRound() >= 0; }));
        EXPECT_EQ(g->Games.GetLastRoundNr(), form.LastRound());
        EXPECT_EQ(8, form.StandList().Count());
        EXPECT_EQ("Clubkampioenschap A", form.StatusBar->Panels(0)->Text);
        SavePicture(form, "standform.png");
        TThread::StaticQueue([&] {
            infoShown = info.Visible();
            info.SetModalResult(mrOk);
        });
        PostMessage(&form, WM_NULL, 0, 0);
        form.StandGridDblClickCell(nullptr, 1, 2);
        form.CheckBox->SetChecked(StandItem::WP, false);
        form.CheckBox->SetChecked(StandItem::WitZwart, false);
        form.CheckBox->SetChecked(StandItem::Onderling, true);
        form.CheckBoxClick(form.CheckBox);
        SavePicture(form, "standform_choice.png");
        // Narrower than its columns: the grid's bars, arrows and all.
        form.SetWidth(520);
        EXPECT_TRUE(PumpUntil([&] { return form.StandGrid->HorzScrollBarShown(); }));
        SavePicture(form, "standform_scrollbar.png");
        form.SetModalResult(mrOk);
    });
    SpInfoForm = nullptr;
    EXPECT_TRUE(infoShown);
    EXPECT_EQ(mrOk, info.ModalResult());
    EXPECT_EQ(Bit(StandItem::Lootnummer) | Bit(StandItem::SB) | Bit(StandItem::Rating) |
                  Bit(StandItem::Tpr) | Bit(StandItem::Uitslagen) | Bit(StandItem::Onderling) |
                  Bit(StandItem::Totaal),
              form.CheckMask);
}

TEST_F(StandWindow, ClipboardGetsTheWholeGridAndHelpExplainsTies) {
    auto g = TieGroep();
    TCurGroepScope scope(g.get());
    TOpenStand w(TextMask);
    w.Form.ClipBoardBitBtnClick(nullptr);
    const std::string text = Clipboard()->AsText();
    EXPECT_NE(std::string::npos, text.find("Aap\t3\xBD"));
    EXPECT_NE(std::string::npos, text.find("Totaal"));
    TScriptedDialogsScope dialogs;
    TScriptedDialogs& asked = dialogs.Dialogs();
    w.Form.HelpBitBtnClick(nullptr);
    ASSERT_EQ(1u, asked.Asked().size());
    EXPECT_EQ("Bij gelijk eindigen geldt:\r1: Onderling resultaat;\r2: Hoogste SB;\r3: Laagste "
              "lootnummer.\r",
              asked.Asked()[0].Text);
}

TEST_F(StandWindow, GroupWithoutGamesListsNobody) {
    TGroepRec rec;
    rec.Naam = "Leeg";
    TGroep g(rec);
    TCurGroepScope scope(&g);
    TOpenStand w(Bit(StandItem::Totaal));
    EXPECT_EQ(0, w.Form.StandList().Count());
    EXPECT_EQ(0, w.Form.LastRound());
    EXPECT_EQ(2, w.Form.StandGrid->RowCount()); // the heading and the totals
    EXPECT_EQ("0", w.Form.StandGrid->Cells(4, 1));
    EXPECT_EQ("Leeg", w.Form.StatusBar->Panels(0)->Text);
}

} // namespace
