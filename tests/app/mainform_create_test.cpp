// The main window as it stands after creation, and its button rules.

#include <cmath>

#include "app/standform.h"
#include "apptestenv.h"
#include "grid/columngrid.h"
#include "mainform_testenv.h"
#include "model_fixtures.h"
#include "platform/rtl/files.h"
#include "platform/rtl/inifiles.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/stdctrls.h"

namespace {

using MainFormCreate = MainFormTest;

TEST_F(MainFormCreate, WindowStandsReadyWithOnlyTheFileControlsAtWork) {
    Create();
    EXPECT_EQ("ZV Vivazozodi versie: v0.70 (2016-09-23)", F->Caption());
    EXPECT_EQ("Bovenstaand debug grid geeft informatie over het identificeren van de kolommen.",
              F->DebugLabel->Caption());
    ASSERT_EQ(5, F->PageControl->PageCount());
    EXPECT_EQ(0, F->PageControl->ActivePageIndex());
    for (TBitBtn* b : {F->NewGroepBitBtn, F->SaveDataBitBtn, F->UitslagenBitBtn, F->StandBitBtn,
                       F->RaRapportBitBtn})
        EXPECT_FALSE(b->Enabled()) << b->Caption();
    EXPECT_FALSE(F->NewMapSpeedButton->Enabled());
    EXPECT_FALSE(F->NewGrpBtn->Visible());
    EXPECT_TRUE(F->KlaarBitBtn->Enabled());
    EXPECT_EQ("*.csv", F->FileListBox->Mask());
    EXPECT_EQ("Bewaar csv bestand", F->SaveDialog->Title);
    EXPECT_EQ("Excel files (*.csv)|*.csv|", F->SaveDialog->Filter);
    EXPECT_EQ(Work, F->SaveDialog->InitialDir);
    ASSERT_EQ(2, F->StatusBar->PanelCount());
    EXPECT_EQ(250, F->StatusBar->Panels(0)->Width);
    EXPECT_EQ("Geen databestand geselecteerd.", F->StatusBar->Panels(0)->Text);
    EXPECT_EQ("Hulp bij Vivazozodi", F->HelpMemo->Lines()->Strings(0));
    EXPECT_TRUE(F->HelpMemo->ReadOnly());
    EXPECT_EQ('-', FormatSettings().DateSeparator);
    EXPECT_EQ('.', FormatSettings().DecimalSeparator);
    EXPECT_EQ(F->GroepList(), F->GroepList());
    ASSERT_NE(nullptr, CurGroep);
    EXPECT_TRUE(CurGroep->IsEmpty());
    Destroy();
    EXPECT_EQ(nullptr, CurGroep);
}

TEST_F(MainFormCreate, MissingHelpFileIsReportedAndLeavesTheHelpPageEmpty) {
    DeleteFile(Work + "/ZV-Vivazozodi help.txt");
    Create();
    EXPECT_EQ(1, CountAsked("ZV-Vivazozodi help.txt\rNiet gevonden"));
    EXPECT_EQ(0, F->HelpMemo->Lines()->Count());
}

// The shipped help says what the crosstable does: the code typed in a row is
// the row player's result, whether he had white or black.
TEST_F(MainFormCreate, ShippedHelpSaysTheRowPlayerCountsInTheCrosstable) {
    WriteFileAtomic(Work + "/ZV-Vivazozodi help.txt",
                    ReadFileBytes(std::string(VZ_DATA_DIR) + "/ZV-Vivazozodi help.txt"));
    Create();
    const std::string help = F->HelpMemo->Text();
    EXPECT_NE(std::string::npos, help.find("In de kruistabel geldt de code voor de speler van de"
                                           " rij\r\n"));
    EXPECT_EQ(std::string::npos, help.find("steeds gezien vanuit de witspeler"));
    // As the crosstable enters it: 1 in the row of a player who had black.
    auto g = MakeClubGroep(false, false);
    for (int b = 2; b <= 8; ++b) {
        TKleur kleur = kWit;
        const TGame* game = g->Games.GetGameOnBgNrs(1, b, kleur, 1);
        if (!game || kleur != kZwart) continue;
        EnterResult(*g, 1, b, 1);
        EXPECT_EQ(1.0, UitslagToScore(game->Rec.Slots[kZwart].Uitslag));
        return;
    }
    ADD_FAILURE() << "player 1 never has black";
}

TEST_F(MainFormCreate, ResultButtonsFollowThePlayerNames) {
    Create();
    auto* grid = new TExtColumnGrid(F.get());
    F->SpEditGrid = grid;
    grid->SetColCount(6);
    grid->SetRowCount(4);
    for (int r = 1; r < 4; ++r)
        grid->SetCells(1, r, "Speler " + std::to_string(r));
    F->CheckSpelersNamen();
    EXPECT_TRUE(F->UitslagenBitBtn->Enabled());
    EXPECT_TRUE(F->StandBitBtn->Enabled());
    EXPECT_TRUE(F->RaRapportBitBtn->Enabled());
    grid->SetCells(1, 2, " ? ");
    F->CheckSpelersNamen();
    EXPECT_FALSE(F->UitslagenBitBtn->Enabled());
    EXPECT_FALSE(F->StandBitBtn->Enabled());
    EXPECT_FALSE(F->RaRapportBitBtn->Enabled());
    grid->SetCells(1, 2, "Speler 2");
    grid->SetCells(1, 3, "  ");
    F->CheckSpelersNamen();
    EXPECT_FALSE(F->UitslagenBitBtn->Enabled());
}

TEST_F(MainFormCreate, StandingsChoiceTravelsThroughTheSettingsFile) {
    TStandForm stand(nullptr);
    StandForm = &stand;
    ForceDirectories(Root + "/Data");
    WriteSettingsFile("[Last]\r\nDataMap=" + Root + "/Data\r\nStandSettings=37\r\n");
    Create();
    F->FormActivate(nullptr);
    EXPECT_EQ(37, stand.CheckMask);
    stand.CheckMask = 5;
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    StandForm = nullptr;
    EXPECT_EQ(5, TIniFile(IniFile).ReadInteger("Last", "StandSettings", -1));
    EXPECT_TRUE(TIniFile(IniFile).SectionExists("StandForm"));
}

TEST_F(MainFormCreate, ChosenFolderBecomesTheDataFolder) {
    ForceDirectories(Root + "/Data/Sub");
    WriteSettingsFile("[Last]\r\nDataMap=" + Root + "/Data\r\n");
    Create();
    F->FormActivate(nullptr);
    F->DirectoryListBox->SetDirectory(Root + "/Data/Sub");
    F->DirectoryListBoxClick(nullptr);
    EXPECT_EQ(Root + "/Data/Sub", DataMap);
    EXPECT_EQ(Root + "/Data/Sub", F->FileListBox->Directory());
    EXPECT_EQ(Root + "/Data/Sub", F->SaveDialog->InitialDir);
}

TEST_F(MainFormCreate, ResizeKeepsTheMemberPanelShare) {
    Create();
    F->SplitterPercentage = 60;
    F->SetWidth(900);
    F->FormResize(nullptr);
    EXPECT_EQ(static_cast<int>(std::lround(F->PageControl->Width() * 0.6)), F->LedenPanel->Width());
    F->SplitterPercentage = 80;
    const int before = F->LedenPanel->Width();
    F->FormResize(nullptr);
    EXPECT_EQ(before, F->LedenPanel->Width());
}

} // namespace
