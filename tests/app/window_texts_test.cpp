// Every caption, heading and hint the windows show, each on the control that
// shows it: the director's Dutch texts byte for byte, in one table per window.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/bergerform.h"
#include "app/rarapportform.h"
#include "app/spinfoform.h"
#include "app/standform.h"
#include "app/uitslagform.h"
#include "apptestenv.h"
#include "controls/numeric/numspin.h"
#include "grid/columngrid.h"
#include "mainform_testenv.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/stdctrls.h"

namespace {

// Caption and hint of Control and of everything placed on it.
void CollectTexts(const TControl& Control, std::vector<std::string>& Out) {
    Out.push_back(Control.Caption());
    Out.push_back(Control.Hint());
    if (const auto* w = dynamic_cast<const TWinControl*>(&Control))
        for (int i = 0; i < w->ControlCount(); ++i)
            CollectTexts(*w->Controls(i), Out);
}

using TTextTable = std::vector<std::pair<const TControl*, std::string>>;

// Each text must stand on its own control or on one placed on it.
void ExpectShown(const TTextTable& Table) {
    for (const auto& [control, text] : Table) {
        ASSERT_NE(nullptr, control) << text;
        std::vector<std::string> texts;
        CollectTexts(*control, texts);
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), text))
            << '"' << text << "\" not on " << control->Name();
    }
}

std::vector<std::string> Items(const TStrings& List) {
    std::vector<std::string> items;
    for (int i = 0; i < List.Count(); ++i)
        items.push_back(List.Get(i));
    return items;
}

std::vector<std::string> Row(const TExtColumnGrid& Grid, int R, int From, int To) {
    std::vector<std::string> cells;
    for (int c = From; c <= To; ++c)
        cells.push_back(Grid.Cells(c, R));
    return cells;
}

using MainFormTexts = MainFormTest;

TEST_F(MainFormTexts, PagesShowTheirTexts) {
    Create();
    const TMainForm& f = *F;
    ExpectShown({{f.FileBox, "Data bestanden (*.csv)"},
                 {f.WegSpeedButton, "Verwijder databestand"},
                 {f.MakeMapBox, "Maak nieuwe map"},
                 {f.NewGrpBtn, "Nieuwe groep xx"},
                 {f.SaveDataBitBtn, "Bewaar data"},
                 {f.RaRapportBitBtn, "Rating rapport"},
                 {f.StandBitBtn, "Stand"},
                 {f.UitslagenBitBtn, "Uitslagen"},
                 {f.NewGroepBitBtn, "Nieuwe groep"},
                 {f.KlaarBitBtn, "&Klaar"},
                 {f.GroepInfoBox, "Groep info"},
                 {f.RatingRadio, "Rating"},
                 {f.GroepNaamBox, "Naam van de groep"},
                 {f.EditGroepBitBtn, "Verander groep info"},
                 {f.CalcZVCheckBox, "Bereken ZV punten"},
                 {f.SelNaamRadio, "Spelers naam"},
                 {f.SortBox, "Volgorde bij gelijk eindigen"},
                 {f.SortLabel, "Dit werkt nog niet !"},
                 {f.LedenBox, "Spelers op lijst"},
                 {f.SpelersBox, "Spelers"},
                 {f.SpEditBox, "Verander en/of plaats speler"},
                 {f.SpEditBox, "Fam.naam"},
                 {f.SpEditBox, "Tussenvoegsel"},
                 {f.SpEditBox, "Voornaam"},
                 {f.SpEditBox, "Voorletters"},
                 {f.SpEditBox, "Rel.nr"},
                 {f.SpEditBox, "Rating"},
                 {f.SpEditBox, "Geb.Jaar"},
                 {f.SpGenderBox, "V"},
                 {f.ZetSpDataBitBtn, "Zet"},
                 {f.ZetVrijBitBtn, "Vrij"}});
    std::vector<std::string> pages;
    for (int i = 0; i < f.PageControl->PageCount(); ++i)
        pages.push_back(f.PageControl->Pages(i)->Caption());
    EXPECT_EQ(pages,
              (std::vector<std::string>{"Hoofdpagina", "Edit groep", "Spelers", "Help", "Debug"}));
    std::vector<std::string> zoek;
    for (int i = 0; i < f.LedenPageControl->PageCount(); ++i)
        zoek.push_back(f.LedenPageControl->Pages(i)->Caption());
    EXPECT_EQ(zoek, (std::vector<std::string>{"Zoek Fam.naam", "Laad lijst"}));
    EXPECT_EQ(Items(*f.RatingRadio->Items()),
              (std::vector<std::string>{"KNSB", "FIDE", "Jeugd", "NJR"}));
    EXPECT_EQ(Items(*f.SelNaamRadio->Items()), (std::vector<std::string>{"Volledige", "Voornaam"}));
    EXPECT_EQ(Items(*f.LijstComboBox->Items()),
              (std::vector<std::string>{"KNSB rating", "Jeugd rating", "NJR Ledenlijst",
                                        "KNSB Ledenlijst"}));
}

// The windows opened from the main window, each on the club group.
class WindowTexts : public WidgetTest {
protected:
    std::unique_ptr<TGroep> Groep = MakeClubGroep();
    TCurGroepScope Scope{Groep.get()};
};

TEST_F(WindowTexts, BergerWindow) {
    TBergerForm f(nullptr);
    f.AfterConstruction();
    EXPECT_FALSE(f.DeelinBitBtn->Visible());
    EXPECT_EQ(4, f.AantalSpin->MinValue());
    EXPECT_EQ(96, f.AantalSpin->MaxValue());
    EXPECT_EQ(2, f.AantalSpin->Increment());
    std::vector<std::string> opties;
    std::string info;
    RunModal(f, [&] {
        opties = Items(*f.OptiesCheckBox->Items());
        info = f.StatusBar->Panels(1)->Text;
        f.Close();
    });
    EXPECT_EQ(opties, (std::vector<std::string>{"Dubbelrondig", "Bordkleur", "Wissel r6 r7"}));
    EXPECT_EQ("8 spelers; 28 partijen;", info);
    ExpectShown({{f.DraaiGroupBox, "Draai ronden"},
                 {f.AantalGroupBox, "Aantal spelers"},
                 {f.NaamGroupBox, "Naam van de groep"},
                 {f.DatumGroupBox, "Datum 1e ronde"},
                 {f.DeelinBitBtn, "Deel in"},
                 {f.ClipBoardBitBtn, "ClipBoard"},
                 {f.KlaarBitBtn, "&Klaar"}});
}

TEST_F(WindowTexts, ResultsWindow) {
    TUitslagForm f(nullptr);
    f.AfterConstruction();
    f.FormActivate(&f);
    EXPECT_EQ("Uitslagen invullen", f.Caption());
    ExpectShown({{f.CodeLabel, "UItslagcodenr."},
                 {f.SaveDataBitBtn, "Bewaar data"},
                 {f.KlaarBitBtn, "&Klaar"},
                 {f.ClipBoardBitBtn, "ClipBoard"},
                 {f.ClearBitBtn, "Weg"},
                 {f.TabelSheet, "Vivazozodi"},
                 {f.GamesSheet, "Wedstrijden"},
                 {f.HelpSheet, "Help"}});
    EXPECT_EQ(Items(*f.CheckListBox->Items()),
              (std::vector<std::string>{"Wit/Zwart", "VRIJ invullen"}));
    EXPECT_FALSE(f.CheckListBox->Checked(1));
    EXPECT_EQ("Kies wedstrijd en toets uitslagcodeNr in", f.StatusBar->Panels(1)->Text);
    EXPECT_EQ("Wat wil je eigenlijk weten ?", f.HelpMemo->Lines()->Strings(0));
    EXPECT_EQ(Row(*f.GamesGrid, 0, 1, 7),
              (std::vector<std::string>{"Wit", "-", "Zwart", "W", "", "Z", "W-Z"}));
    EXPECT_EQ("Bewaar csv bestand", f.SaveDialog->Title);
    EXPECT_EQ("Excel files (*.csv)|*.csv|", f.SaveDialog->Filter);
    std::vector<std::string> codes;
    for (int r = 0; r < f.ResultGrid->RowCount(); ++r)
        codes.push_back(f.ResultGrid->Cells(1, r));
    EXPECT_EQ(codes,
              (std::vector<std::string>{"..-..", "1-0", "0-1", "\xBD-\xBD", "0-0", "0-0 Regl.",
                                        "1-0 Regl.", "0-1 Regl.", "\xBD-\xBD Regl."}));
}

TEST_F(WindowTexts, PlayerCard) {
    TSpInfoForm f(nullptr);
    f.AfterConstruction();
    EXPECT_EQ("Speler info", f.Caption());
    ExpectShown({{f.NoteLabel, "Score (WP/SB) is de score voor de WP/SB berekening.\r"
                               "Een reglementaire uitslag geldt dan als een \xBD punt."},
                 {f.KlaarBitBtn, "&Klaar"},
                 {f.ClipBoardBitBtn, "ClipBoard"}});
    f.FormActivate(&f);
    EXPECT_EQ(Groep->Rec.Naam, f.StatusBar->Panels(0)->Text);
}

TEST_F(WindowTexts, RatingReport) {
    TRaRapportForm f(nullptr);
    f.AfterConstruction();
    f.FormActivate(&f);
    EXPECT_EQ("Rating rapportage", f.Caption());
    ExpectShown({{f.VanBox, "Van"},
                 {f.TotBox, "tot/met"},
                 {f.KlaarBitBtn, "&Klaar"},
                 {f.SaveBitBtn, "Bewaar"}});
    std::vector<std::string> labels;
    for (int r = 0; r < f.InfoGrid->RowCount(); ++r)
        labels.push_back(f.InfoGrid->Cells(0, r));
    EXPECT_EQ(labels, (std::vector<std::string>{
                          "Tournament name", "City", "Federation", "Date of start", "Date of end",
                          "Number of players", "Number of rated players", "Type of tournament",
                          "Chief arbiter", "Deputy Chief arbiter(s)", "Times per moves/game"}));
    EXPECT_EQ(Row(*f.RapportGrid, 0, 0, 11),
              (std::vector<std::string>{"Code", "Nr.", "S", "T", "Name", "Knsb", "FED", "Rel.nr",
                                        "Birthday", "W", "Rnk.", "1"}));
}

TEST_F(WindowTexts, StandingsWindow) {
    Groep->Rec.RatingType = rtJeugd;
    RatingType = rtJeugd;
    TStandForm f(nullptr);
    f.AfterConstruction();
    f.FormActivate(&f);
    EXPECT_EQ("Stand", f.Caption());
    ExpectShown({{f.KlaarBitBtn, "&Klaar"},
                 {f.ClipBoardBitBtn, "ClipBoard"},
                 {f.SaveDataBitBtn, "Bewaar"},
                 {f.SaveDataBitBtn, "Tekst bestand"},
                 {f.HelpBitBtn, "Help"}});
    EXPECT_EQ(Items(*f.CheckBox->Items()),
              (std::vector<std::string>{"Lootnummer", "Relatienr.", "WP", "SB", "Jeugd rating",
                                        "Rc", "TPR", "W-We", "Uitslagen", "Onderlinge score",
                                        "ZV Punten", "Wit/Zwart", "Vrij", "Totaal"}));
    EXPECT_EQ(Row(*f.StandGrid, 0, 1, 10),
              (std::vector<std::string>{"Lt", Groep->Rec.Naam, "Relnr", "Pnt", "WP", "SB", "KJR",
                                        "Rc", "TPR", "W-We"}));
    EXPECT_EQ("Tekst files (*.txt)|*.txt|", f.SaveDialog->Filter);
    EXPECT_EQ("Bewaar tekst bestand", f.SaveDialog->Title);
}

} // namespace
