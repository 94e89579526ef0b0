// The director's road through the whole program: a new group, its players,
// its settings, every result, the standings, the files, the close and the next
// start; and the close question and a held file with all windows in place.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <vector>

#include "apptestenv.h"
#include "desktop/dkwav.h"
#include "grid/columngrid.h"
#include "model/dates.h"
#include "model/fileutils.h"
#include "model/textutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/synthinput.h"
#include "road_testenv.h"

namespace {

struct TNaam {
    const char *Voornaam, *Tv, *Achternaam;
    int Rating;
    bool Vrouw;
};

// Named on rows 1..8.
const TNaam Namen[8] = {{"Jan", "de", "Vries", 1850, false}, {"Els", "", "Bakker", 1920, true},
                        {"Kees", "van", "Dam", 1700, false}, {"Mieke", "", "Visser", 1650, true},
                        {"Piet", "", "Smit", 1600, false},   {"Sanne", "de", "Boer", 1550, true},
                        {"Tom", "", "Mulder", 1500, false},  {"Wim", "", "Bos", 1450, false}};
// The names by draw number as the players page shows them.
const char* const ByNr[9] = {
    "",          "Jan de Vries",  "Els Bakker", "Kees van Dam", "Mieke Visser",
    "Piet Smit", "Sanne de Boer", "Tom Mulder", "Wim Bos"};

// The result of every pairing A < B as entry code seen from A; not listed: A wins.
TInvoerCode CodeOf(int A, int B) {
    struct {
        int A, B;
        TInvoerCode Code;
    } const Bijzonder[] = {{1, 2, 2}, {1, 3, 3}, {1, 6, 3}, {2, 4, 3}, {3, 7, 3},
                           {4, 5, 4}, {5, 6, 5}, {6, 7, 6}, {7, 8, 7}, {4, 8, 8}};
    for (const auto& b : Bijzonder)
        if (b.A == A && b.B == B) return b.Code;
    return 1;
}

// The same result seen from the other player.
TInvoerCode Mirror(TInvoerCode Code) {
    static const TInvoerCode m[9] = {0, 2, 1, 3, 4, 5, 7, 6, 8};
    return m[Code];
}

// Worked out by hand from the table above: points ×2 by draw number, the order
// of the standings (Kees van Dam and Jan de Vries tie on 5 after their draw;
// SB decides). For SB an opponent's games not played over the board count as
// draws: Kees 12.25, Jan 11.75.
const int DubbelePunten[9] = {0, 10, 13, 10, 6, 4, 5, 1, 3};
const std::vector<int> StandOrder = {2, 3, 1, 4, 6, 5, 8, 7};

int Kolom(const TExtColumnGrid& G, const std::string& Kop) {
    for (int c = 0; c < G.GetAllColCount(); ++c)
        if (Trim(G.Cells(c, 0)) == Kop) return G.IsHiddenColumn(c) ? -2 : c;
    return -1;
}

std::string PuntenStr(int Dubbel) {
    std::string s = Dubbel >= 2 || Dubbel == 0 ? IntToStr(Dubbel / 2) : "";
    if (Dubbel % 2) s += "\xBD";
    return s;
}

class THeld {
public:
    explicit THeld(const std::string& File) : FFd(::open(File.c_str(), O_RDWR)) {
        if (FFd >= 0) ::flock(FFd, LOCK_EX);
    }
    ~THeld() {
        if (FFd >= 0) ::close(FFd);
    }
    THeld(const THeld&) = delete;
    THeld& operator=(const THeld&) = delete;

private:
    int FFd;
};

class DirectorsRoad : public RoadTest {
protected:
    void NameThePlayers();
    void EnterTheResults();
    void ReadTheStandings();
    void SilenceTheSound() {
        UitslagForm->dkWav1->SetPlayFrom(pfFile);
        UitslagForm->dkWav1->SetFileName(Temp.File("stil.wav"));
        UitslagForm->dkWav1->OnPlayBefore = [this](TObject*) { ++Played; };
    }
    std::string Voorbeeld() const { return Root + "/Voorbeeld"; }

    int Played = 0;
    const TDateTime Datum = EncodeDate(2026, 1, 14);
};

void DirectorsRoad::NameThePlayers() {
    TMainForm& m = W->Main();
    for (int r = 1; r <= 8; ++r) {
        const TNaam& n = Namen[r - 1];
        SelectSpeler(r);
        ASSERT_TRUE(m.SpFamNaamEdit->Enabled()) << r;
        m.SpFamNaamEdit->SetText(n.Achternaam);
        m.SpTVEdit->SetText(n.Tv);
        m.SpRatingEdit->SetText(IntToStr(n.Rating));
        m.SpRelNrEdit->SetText(IntToStr(8100000 + r));
        m.SpGenderBox->SetChecked(n.Vrouw);
        m.SpVoorNaamEdit->SetFocus();
        m.SpVoorNaamEdit->SetText("");
        TypeText(m.SpVoorNaamEdit, n.Voornaam);
        if (r % 2)
            KeyStroke(m.SpVoorNaamEdit, VK_RETURN); // Enter stores like "Zet"
        else
            m.ZetSpDataBitBtn->Click();
    }
}

void DirectorsRoad::EnterTheResults() {
    TUitslagForm& u = *UitslagForm;
    TExtColumnGrid& t = *u.TabelGrid;
    PumpUntil([&] { return !u.StatusBar->Panels(0)->Text.empty(); });
    EXPECT_EQ(28, u.NrEmptyGames());
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(ByNr[n], t.Cells(1, n)) << n;
    // Players 1..4 in the crosstable, half from the row of the higher number.
    u.PageControl->SetActivePage(u.TabelSheet);
    u.PageControlChange(u.PageControl);
    t.SetFocus();
    auto inTabel = [&](int Row, int Tegen, TInvoerCode Code) {
        t.FocusCell(2 + Tegen, Row, true);
        KeyStroke(&t, static_cast<WORD>('0' + Code), static_cast<char>('0' + Code));
    };
    // A slip first: the wrong result, then 0 clears it.
    inTabel(1, 2, 1);
    EXPECT_EQ("1", Trim(t.Cells(2 + 2, 1)));
    inTabel(1, 2, 0);
    EXPECT_EQ("", Trim(t.Cells(2 + 2, 1)));
    EXPECT_EQ(28, u.NrEmptyGames());
    for (int a = 1; a <= 4; ++a)
        for (int b = a + 1; b <= 8; ++b) {
            if ((a + b) % 2)
                inTabel(a, b, CodeOf(a, b));
            else
                inTabel(b, a, Mirror(CodeOf(a, b)));
        }
    EXPECT_EQ(6, u.NrEmptyGames());          // the games among 5..8
    EXPECT_EQ("1", Trim(t.Cells(2 + 1, 2))); // Els beat Jan
    EXPECT_EQ("0", Trim(t.Cells(2 + 2, 1)));
    EXPECT_EQ("\xBD", Trim(t.Cells(2 + 1, 3)));
    EXPECT_EQ("\xBDr", Trim(t.Cells(2 + 8, 4)));
    EXPECT_EQ("0", Trim(t.Cells(2 + 5, 4))); // 0-0
    EXPECT_EQ("0", Trim(t.Cells(2 + 4, 5)));
    EXPECT_EQ(0, Played);

    // The rest on the games page, seen from white.
    u.PageControl->SetActivePage(u.GamesSheet);
    u.PageControlChange(u.PageControl);
    TExtColumnGrid& g = *u.GamesGrid;
    g.SetFocus();
    int left = u.NrEmptyGames();
    for (int r = 1; r < g.RowCount(); ++r) {
        auto* game = dynamic_cast<TGame*>(g.Objects(0, r));
        ASSERT_NE(nullptr, game) << r;
        const int w = game->Rec.Slots[SlotWit].BergerNr, z = game->Rec.Slots[SlotZwart].BergerNr;
        if (std::min(w, z) <= 4) continue;
        const TInvoerCode code = w < z ? CodeOf(w, z) : Mirror(CodeOf(z, w));
        EXPECT_EQ(0, Played);
        g.FocusCell(1, r, true);
        KeyStroke(&g, static_cast<WORD>('0' + code), static_cast<char>('0' + code));
        EXPECT_EQ(--left, u.NrEmptyGames());
    }
    EXPECT_EQ(0, u.NrEmptyGames());
    EXPECT_EQ(1, Played); // once, at the last result
    EXPECT_TRUE(u.Changed());
    // Every player's points in the crosstable.
    u.PageControl->SetActivePage(u.TabelSheet);
    u.PageControlChange(u.PageControl);
    PumpPending();
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(PuntenStr(DubbelePunten[n]), Trim(t.Cells(2, n))) << ByNr[n];
    SavePicture(u, "road_uitslagen.png");
    u.ClipBoardBitBtnClick(nullptr);
    const std::string clip = Clipboard()->AsText();
    EXPECT_NE(std::string::npos, clip.find("Els Bakker")) << clip;
    EXPECT_NE(std::string::npos, clip.find("Wim Bos")) << clip;
    u.KlaarBitBtn->Click();
}

void DirectorsRoad::ReadTheStandings() {
    TStandForm& s = *StandForm;
    TExtColumnGrid& g = *s.StandGrid;
    PumpUntil([&] { return s.LastRound() >= 0; });
    EXPECT_EQ(7, s.LastRound());
    std::vector<int> order;
    for (int i = 0; i < s.StandList().Count(); ++i)
        order.push_back(s.StandList().Sp(i)->Rec.BergerNr);
    EXPECT_EQ(StandOrder, order);
    // The column choice: draw number, SB and series points on.
    for (int item : {StandItem::Lootnummer, StandItem::SB, StandItem::ZVPunten}) {
        s.CheckBox->SetChecked(item, true);
        s.CheckBoxClick(s.CheckBox);
    }
    const int naam = Kolom(g, "Clubavond 2026 A"), pnt = Kolom(g, "Pnt"), sb = Kolom(g, "SB");
    ASSERT_GE(naam, 0);
    ASSERT_GE(pnt, 0);
    ASSERT_GE(sb, 0) << [&] {
        std::string k;
        for (int c = 0; c < g.ColCount(); ++c)
            k += "[" + g.Cells(c, 0) + "]";
        return k;
    }();
    for (int r = 1; r <= 8; ++r) {
        const int nr = StandOrder[static_cast<size_t>(r - 1)];
        EXPECT_EQ(ByNr[nr], Trim(g.Cells(naam, r))) << r;
        EXPECT_EQ(PuntenStr(DubbelePunten[nr]), Trim(g.Cells(pnt, r))) << r;
    }
    EXPECT_EQ("12.25", Trim(g.Cells(sb, 2)));
    EXPECT_EQ("11.75", Trim(g.Cells(sb, 3)));
    EXPECT_EQ("", Trim(g.Cells(0, 3))); // tied: no place of its own
    EXPECT_EQ("1.", Trim(g.Cells(0, 1)));
    // The winner gets 25 series points by hand.
    const int zv = s.ZVKolom();
    ASSERT_GE(zv, 0);
    EXPECT_FALSE(g.IsHiddenColumn(zv));
    g.SetCells(zv, 1, "25");
    // The standings as text and on the clipboard.
    Dialogs->QueueFileName(Voorbeeld() + "/stand.txt");
    s.SaveDataBitBtnClick(nullptr);
    const std::string text = ReadFileBytes(Voorbeeld() + "/stand.txt");
    const std::vector<std::string> lines = [&] {
        TStringList l;
        l.SetText(text);
        std::vector<std::string> v;
        for (int i = 0; i < l.Count(); ++i)
            v.push_back(l[i]);
        return v;
    }();
    ASSERT_GE(lines.size(), 9u) << text;
    EXPECT_NE(std::string::npos, lines[0].find("Clubavond 2026 A"));
    EXPECT_NE(std::string::npos, lines[1].find("Els Bakker"));
    EXPECT_NE(std::string::npos, lines[1].find("6\xBD"));
    EXPECT_NE(std::string::npos, lines[2].find("Kees van Dam"));
    EXPECT_NE(std::string::npos, lines[2].find("12.25"));
    EXPECT_NE(std::string::npos, lines[3].find("Jan de Vries"));
    EXPECT_NE(std::string::npos, lines[8].find("Tom Mulder"));
    EXPECT_EQ("\r\n", text.substr(text.size() - 2));
    s.ClipBoardBitBtnClick(nullptr);
    const std::string clip = Clipboard()->AsText();
    EXPECT_NE(std::string::npos, clip.find("Els Bakker\t6\xBD")) << clip;
    s.KlaarBitBtn->Click();
}

TEST_F(DirectorsRoad, FromAnEmptyFolderToTheNextStart) {
    TProgramWindows& w = StartProgram();
    TMainForm& m = w.Main();
    // First start on an empty documents folder: the example folder is made and
    // chosen, no group is open.
    EXPECT_EQ(Voorbeeld(), DataMap);
    EXPECT_EQ(0, m.FileListBox->Count());
    EXPECT_EQ("Geen databestand geselecteerd.", m.StatusBar->Panels(0)->Text);
    EXPECT_FALSE(m.UitslagenBitBtn->Enabled());
    ASSERT_TRUE(m.NewGroepBitBtn->Enabled());

    // "Nieuwe groep": eight players, single round.
    MakeNewGroep("Clubavond 2026 A", Datum);
    ASSERT_TRUE(BergerForm->Made());
    EXPECT_EQ("Nieuwe groep Clubavond 2026 A indelen ?",
              Dialogs->Asked().back().Text.substr(0, 39));
    EXPECT_EQ("Clubavond 2026 A", CurGroep->Rec.Naam);
    EXPECT_EQ(Datum, CurGroep->Rec.DatumEersteRonde);
    EXPECT_EQ(8, CurGroep->Spelers.Count());
    EXPECT_EQ(28, CurGroep->Games.Count());
    EXPECT_EQ(m.SpelersSheet, m.PageControl->ActivePage());
    EXPECT_FALSE(m.UitslagenBitBtn->Enabled()); // nobody has a name yet

    // "Edit groep": FIDE ratings, first names first, series points, SB first.
    m.PageControl->SetActivePage(m.EditGroepSheet);
    m.RatingRadio->SetItemIndex(1);
    m.SelNaamRadio->SetItemIndex(1);
    m.CalcZVCheckBox->SetChecked(true);
    m.EditGroepBitBtnClick(m.EditGroepBitBtn);
    EXPECT_EQ(rtFIDE, CurGroep->Rec.RatingType);
    EXPECT_EQ(nmVoornaamEerst, CurGroep->Rec.NaamMode);
    EXPECT_EQ(1, CurGroep->Rec.MyUseZVPoints);
    ASSERT_GE(m.SortCheckBox->Count(), 2);
    const int sbLine = m.SortCheckBox->Items()->IndexOf("SB");
    ASSERT_GT(sbLine, 0);
    for (int i = sbLine; i > 0; --i) {
        m.SortCheckBox->SetItemIndex(i);
        m.UpSortButtonClick(m.UpSortButton);
    }
    EXPECT_EQ(siSB, CurGroep->Rec.SortAr[0].SortId);
    EXPECT_EQ("SB", m.SortCheckBox->Items()->Strings(0));

    // "Spelers": every name through the edit fields.
    m.PageControl->SetActivePage(m.SpelersSheet);
    m.PageControlChange(m.PageControl);
    NameThePlayers();
    for (int n = 1; n <= 8; ++n) {
        const TSp* sp = CurGroep->Spelers.GetSpelerOnBergerNr(n);
        ASSERT_NE(nullptr, sp);
        EXPECT_EQ(ByNr[n], sp->GetNaam()) << n;
        EXPECT_EQ(ByNr[n], m.SpEditGrid->Cells(1, n)) << n;
    }
    EXPECT_EQ(1500, CurGroep->Spelers.GetSpelerOnBergerNr(7)->Rec.Ratings[rtFIDE]);
    EXPECT_EQ(0, CurGroep->Spelers.GetSpelerOnBergerNr(7)->Rec.Ratings[rtKNSB]);
    EXPECT_EQ('V', CurGroep->Spelers.GetSpelerOnBergerNr(2)->Rec.Sexe);
    EXPECT_EQ(8100007, CurGroep->Spelers.GetSpelerOnBergerNr(7)->Rec.Relnr);
    EXPECT_TRUE(m.UitslagenBitBtn->Enabled());
    PumpPending();
    SavePicture(m, "road_spelers.png");

    // "Uitslagen": every result typed.
    SilenceTheSound();
    WhenShown(*UitslagForm, [&] { EnterTheResults(); });
    m.UitslagenBitBtnClick(m.UitslagenBitBtn);
    EXPECT_TRUE(m.SaveDataBitBtn->Enabled());
    EXPECT_EQ(0, CurGroep->Games.GetNrEmptyGames());

    // "Stand".
    WhenShown(*StandForm, [&] { ReadTheStandings(); });
    m.StandBitBtnClick(m.StandBitBtn);
    EXPECT_EQ(25, CurGroep->Spelers.GetSpelerOnBergerNr(2)->Rec.ZVPunten);
    const int mask = StandForm->CheckMask;
    EXPECT_NE(0, mask & (1 << StandItem::SB));

    // "Bewaar data".
    const std::string file = Voorbeeld() + "/Clubavond 2026 A.csv";
    Dialogs->QueueFileName(file);
    m.SaveDataBitBtnClick(m.SaveDataBitBtn);
    ASSERT_TRUE(m.LastSaveDone());
    EXPECT_EQ("Clubavond 2026 A.csv",
              m.SaveDialog->FileName.substr(m.SaveDialog->FileName.rfind('/') + 1));
    const std::string bytes = ReadFileBytes(file);
    TStringList lines;
    lines.SetText(bytes);
    ASSERT_GT(lines.Count(), 10);
    EXPECT_EQ(";Clubavond 2026 A;Relnr.;Ro;Geb.;MV;1;2;3;4;5;6;7;8;", lines[0]);
    EXPECT_NE(std::string::npos, lines[2].find("Bakker,E.(Els)")) << lines[2];
    EXPECT_NE(std::string::npos, lines[2].find("1920")) << lines[2];
    EXPECT_NE(std::string::npos, lines[2].find("8100002")) << lines[2];
    EXPECT_EQ(std::string::npos, bytes.find('\xBD')); // halves as 0.5
    EXPECT_NE(std::string::npos, bytes.find(";<XML>"));
    EXPECT_NE(std::string::npos, bytes.find(";</XML>"));
    EXPECT_NE(std::string::npos, bytes.find("\r\n"));
    EXPECT_EQ(1, m.FileListBox->Items()->IndexOf("Clubavond 2026 A.csv") >= 0 ? 1 : 0);
    auto saved = std::make_unique<TGroep>();
    CopyGroep(*CurGroep, *saved);

    // Close: nothing changed since the save, so nothing is asked.
    const size_t asked = Dialogs->Asked().size();
    bool canClose = false;
    m.FormCloseQuery(&m, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(asked, Dialogs->Asked().size());
    StopProgram();
    ASSERT_TRUE(FileExists(IniFile));

    // The next start reopens the group from the settings and shows the standings.
    bool standShown = false;
    W = std::make_unique<TProgramWindows>();
    WhenShown(*StandForm, [&] {
        standShown = PumpUntil([] { return StandForm->LastRound() >= 0; });
        EXPECT_EQ(StandOrder[0], StandForm->StandList().Sp(0)->Rec.BergerNr);
        StandForm->KlaarBitBtn->Click();
    });
    W->Start();
    EXPECT_TRUE(standShown);
    EXPECT_EQ(mask, StandForm->CheckMask);
    EXPECT_EQ(file, W->Main().LastDataFile);
    EXPECT_EQ(file, CurGroep->Rec.FileName);
    std::string diff;
    EXPECT_TRUE(GroepIsSame(*CurGroep, *saved, diff)) << diff;
    EXPECT_EQ(8, CurGroep->Spelers.Count());
    EXPECT_EQ(0, CurGroep->Games.GetNrEmptyGames());
    EXPECT_EQ(ByNr[7], CurGroep->Spelers.GetSpelerOnBergerNr(7)->GetNaam());
    EXPECT_EQ("Clubavond 2026 A", W->Main().StatusBar->Panels(0)->Text);
}

TEST_F(DirectorsRoad, TheResultsWindowSavesANewGroupWhereTheFileListLooks) {
    StartProgram();
    TMainForm& m = W->Main();
    MakeNewGroep("Clubavond 2026 C", Datum);
    m.PageControl->SetActivePage(m.SpelersSheet);
    m.PageControlChange(m.PageControl);
    NameThePlayers();
    // The director types a bare name, as in any save dialog.
    Dialogs->QueueFileName("Avond");
    WhenShown(*UitslagForm, [&] { UitslagForm->SaveDataBitBtn->Click(); });
    m.UitslagenBitBtnClick(m.UitslagenBitBtn);
    EXPECT_EQ(Voorbeeld() + "/Avond.csv", CurGroep->Rec.FileName);
    EXPECT_TRUE(FileExists(Voorbeeld() + "/Avond.csv"));
    EXPECT_GE(m.FileListBox->Items()->IndexOf("Avond.csv"), 0);
    EXPECT_EQ(Voorbeeld() + "/Avond.csv", m.LastDataFile);
}

// A name a file cannot hold becomes a file name that can; a new group drawn under
// the name of the one before sends the director to the name first.
TEST_F(DirectorsRoad, ANewGroupUnderTheSameNameAsksForAnotherName) {
    StartProgram();
    TMainForm& m = W->Main();
    MakeNewGroep("Club.avond 2026/A", Datum);
    ASSERT_TRUE(BergerForm->Made());
    EXPECT_EQ("Club-avond 2026-A.csv", CurGroep->Rec.FileName);
    EXPECT_EQ("Club.avond 2026/A", m.GroepNaamEdit->Text());
    EXPECT_EQ(m.SpelersSheet, m.PageControl->ActivePage());
    EXPECT_EQ(0, CountAsked("NIET veranderd"));
    Dialogs->QueueAnswer(mrNo); // the drawn group is not saved
    MakeNewGroep("Club.avond 2026/A", Datum, 10);
    ASSERT_TRUE(BergerForm->Made());
    EXPECT_EQ(10, CurGroep->Spelers.Count());
    EXPECT_EQ(1,
              CountAsked("De naam van de groep is NIET veranderd.\r\rVerander evt. deze naam.\r"));
    EXPECT_EQ(m.EditGroepSheet, m.PageControl->ActivePage());
    EXPECT_TRUE(m.SaveDataBitBtn->Enabled());
    EXPECT_TRUE(m.ZetSpDataBitBtn->Enabled());
}

} // namespace

namespace {

class RoadFaults : public RoadTest {};

TEST_F(RoadFaults, NewGroupTakesTheUsualTieBreaksItsListShows) {
    StartProgram();
    MakeNewGroep("Clubavond 2026 B", EncodeDate(2026, 2, 4));
    ASSERT_TRUE(BergerForm->Made());
    const TMyStSortAr& ar = CurGroep->Rec.SortAr;
    ASSERT_EQ(5u, ar.size());
    EXPECT_EQ(siOnderling, ar[0].SortId);
    EXPECT_EQ(1, ar[0].Aan);
    // Stored in the order the list shows them: the ticked ones first.
    EXPECT_EQ(siSB, ar[1].SortId);
    EXPECT_EQ(1, ar[1].Aan);
    EXPECT_EQ(0, ar[2].Aan);
    // Unticking a line reaches the new group.
    TMainForm& m = W->Main();
    const int sb = m.SortCheckBox->Items()->IndexOf("SB");
    ASSERT_GE(sb, 0);
    m.SortCheckBox->SetChecked(sb, false);
    m.SortCheckBoxClick(m.SortCheckBox);
    EXPECT_EQ(0, CurGroep->Rec.SortAr[1].Aan);
}

TEST_F(RoadFaults, ReopenedGroupKeepsItsRatingsUnderTheChosenKind) {
    auto g = MakeClubGroep(); // made first: a new group sets the kind back
    g->Rec.RatingType = rtFIDE;
    TMainForm& m = Create();
    m.FormActivate(&m);
    m.RatingRadio->SetItemIndex(1); // FIDE
    m.EditGroepBitBtnClick(nullptr);
    const std::string file = Temp.File("fide.csv");
    g->SaveGroepFile(file); // the chosen kind's ratings
    ASSERT_TRUE(m.ReadGroepFromGrid(file));
    EXPECT_EQ(rtFIDE, RatingType);
    for (int n = 1; n <= 8; ++n) {
        const TSp* want = g->Spelers.GetSpelerOnBergerNr(n);
        const TSp* got = CurGroep->Spelers.GetSpelerOnBergerNr(n);
        ASSERT_NE(nullptr, got);
        EXPECT_EQ(want->Rec.Ratings[rtFIDE], got->Rec.Ratings[rtFIDE]) << n;
        EXPECT_EQ(0, got->Rec.Ratings[rtKNSB]) << n;
    }
}

} // namespace

namespace {

class CloseAndHeldFiles : public RoadTest {
protected:
    std::string Voorbeeld() const { return Root + "/Voorbeeld"; }
    // Double-clicks Name in the data folder's file list; a window the file
    // opens (results or standings) is closed again at once.
    void DoubleClick(const std::string& Name) {
        TMainForm& m = W->Main();
        m.FileListBox->SetDirectory(Voorbeeld());
        m.FileListBox->SetItemIndex(m.FileListBox->Items()->IndexOf(Name));
        ASSERT_GE(m.FileListBox->ItemIndex(), 0) << Name;
        WhenShown(*StandForm, [] { ++Shown(); });
        WhenShown(*UitslagForm, [] { ++Shown(); });
        m.FileListBoxDblClick(m.FileListBox);
    }
    static int& Shown() {
        static int n = 0;
        return n;
    }
};

TEST_F(CloseAndHeldFiles, ChangedGroupIsOfferedAndNoStillCloses) {
    TMainForm& m = StartProgram().Main();
    MakeNewGroep("Clubavond 2026 C", EncodeDate(2026, 3, 4));
    SelectSpeler(1);
    m.SpFamNaamEdit->SetText("Jansen");
    m.ZetSpDataBitBtn->Click();
    const size_t before = Dialogs->Asked().size();
    Dialogs->QueueAnswer(mrNo);
    bool canClose = false;
    m.FormCloseQuery(&m, canClose);
    EXPECT_TRUE(canClose);
    ASSERT_EQ(before + 1, Dialogs->Asked().size());
    const std::string q = Dialogs->Asked().back().Text;
    const std::string start = "Groep: Clubavond 2026 C\r\r";
    const std::string end = "\rGegevens zijn gewijzigd, Data bewaren ?\r";
    EXPECT_EQ(start, q.substr(0, start.size())) << q;
    ASSERT_GE(q.size(), start.size() + end.size());
    EXPECT_EQ(end, q.substr(q.size() - end.size())) << q;
    EXPECT_EQ(mtConfirmation, Dialogs->Asked().back().DlgType);
    // No: the group is not written, the settings are.
    EXPECT_FALSE(FileExists(Voorbeeld() + "/Clubavond 2026 C.csv"));
    const std::string ini = ReadFileBytes(IniFile);
    EXPECT_NE(std::string::npos, ini.find("DataMap=" + Voorbeeld())) << ini;
    EXPECT_NE(std::string::npos, ini.find("DateFirstRound=2026-03-04")) << ini;
}

TEST_F(CloseAndHeldFiles, CancelOrEscapeAtASaveQuestionKeepsTheChangedGroup) {
    SaveClubFile(Voorbeeld(), "Club.csv");
    TMainForm& m = StartProgram().Main();
    MakeNewGroep("Clubavond 2026 D", EncodeDate(2026, 3, 4));
    SelectSpeler(1);
    m.SpFamNaamEdit->SetText("Jansen");
    m.ZetSpDataBitBtn->Click();
    // Closing by the title bar: the question offers Annuleren, and it keeps
    // the window open.
    Dialogs->QueueAnswer(mrCancel);
    EXPECT_FALSE(TitleBarClose(&m));
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(1, CountAsked("Gegevens zijn gewijzigd, Data bewaren ?"));
    ASSERT_FALSE(Dialogs->Asked().empty());
    EXPECT_TRUE(Dialogs->Asked().back().Buttons.Contains(mbCancel));
    // Opening another file: the same, the changed group stays.
    Dialogs->QueueAnswer(mrCancel);
    DoubleClick("Club.csv");
    EXPECT_EQ(1, CountAsked("Zijn gewijzigd, Data bewaren ?"));
    EXPECT_EQ("Clubavond 2026 D", CurGroep->Rec.Naam);
    EXPECT_EQ("Jansen", CurGroep->Spelers.GetSpelerOnBergerNr(1)->Rec.Achternaam);
    EXPECT_FALSE(FileExists(IniFile)); // nothing closed
}

// Only what would change the file is asked about: the rating report that
// only showed the group and a rating put back leave nothing to save.
TEST_F(CloseAndHeldFiles, NoQuestionWhenTheFileWouldStayTheSame) {
    SaveClubFile(Voorbeeld(), "Club.csv");
    TMainForm& m = StartProgram().Main();
    DoubleClick("Club.csv");
    WhenShown(*RaRapportForm, [] {});
    m.RaRapportBitBtn->Click();
    SelectSpeler(1);
    const std::string rating = m.SpRatingEdit->Text();
    ASSERT_FALSE(rating.empty());
    const auto zetRating = [&](const std::string& Tekst) {
        SelectSpeler(1);
        m.SpRatingEdit->SetText(Tekst);
        m.ZetSpDataBitBtn->Click();
    };
    zetRating("2001");
    zetRating(rating);
    bool canClose = false;
    m.FormCloseQuery(&m, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(0, CountAsked("Gegevens zijn gewijzigd"));
    // A change that stays is offered.
    zetRating("2001");
    Dialogs->QueueAnswer(mrNo);
    m.FormCloseQuery(&m, canClose);
    EXPECT_EQ(1, CountAsked("Gegevens zijn gewijzigd"));
}

TEST_F(CloseAndHeldFiles, UnchangedGroupClosesWithoutAQuestion) {
    SaveClubFile(Voorbeeld(), "Club.csv");
    TMainForm& m = StartProgram().Main();
    Shown() = 0;
    DoubleClick("Club.csv");
    EXPECT_EQ(1, Shown()); // every result in: the standings
    EXPECT_EQ("Clubkampioenschap A", CurGroep->Rec.Naam);
    const size_t before = Dialogs->Asked().size();
    bool canClose = false;
    m.FormCloseQuery(&m, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(before, Dialogs->Asked().size());
    EXPECT_NE(std::string::npos, ReadFileBytes(IniFile).find("FileName=Club.csv"));
}

TEST_F(CloseAndHeldFiles, TheNextStartOpensTheFileSavedLastInAnotherFolder) {
    SaveClubFile(Voorbeeld(), "Club.csv");
    TMainForm& m = StartProgram().Main();
    DoubleClick("Club.csv");
    // Saved under the same name in a folder of its own, and the old file stays.
    const std::string map = Root + "/Seizoen 2027";
    ASSERT_TRUE(ForceDirectories(map));
    Dialogs->QueueFileName(map + "/Club.csv");
    m.SaveDataBitBtnClick(m.SaveDataBitBtn);
    ASSERT_TRUE(m.LastSaveDone());
    EXPECT_EQ(map, m.FileListBox->Directory());
    EXPECT_GE(m.FileListBox->Items()->IndexOf("Club.csv"), 0);
    bool canClose = false;
    m.FormCloseQuery(&m, canClose);
    StopProgram();
    W = std::make_unique<TProgramWindows>();
    WhenShown(*StandForm, [] {});
    W->Start();
    EXPECT_EQ(map + "/Club.csv", CurGroep->Rec.FileName);
}

TEST_F(CloseAndHeldFiles, HeldFileIsNotOpenedAndTheGroupStays) {
    SaveClubFile(Voorbeeld(), "Club.csv");
    const std::string ander = SaveClubFile(Voorbeeld(), "Ander.csv", true);
    StartProgram();
    Shown() = 0;
    DoubleClick("Club.csv");
    ASSERT_EQ(1, Shown());
    auto before = std::make_unique<TGroep>();
    CopyGroep(*CurGroep, *before);
    {
        THeld held(ander);
        ASSERT_TRUE(IsFileInUse(ander));
        DoubleClick("Ander.csv");
    }
    EXPECT_EQ(1, CountAsked("Ander.csv\r\rKan bestand niet openen."));
    EXPECT_EQ(1, Shown()); // no window opened for it
    std::string diff;
    EXPECT_TRUE(GroepIsSame(*CurGroep, *before, diff)) << diff;
    EXPECT_EQ(Voorbeeld() + "/Club.csv", CurGroep->Rec.FileName);
    EXPECT_EQ(Voorbeeld() + "/Club.csv", W->Main().LastDataFile);
    EXPECT_EQ(0, CurGroep->Rec.DubbelRondig);
    // Released, it opens.
    DoubleClick("Ander.csv");
    EXPECT_EQ(1, CurGroep->Rec.DubbelRondig);
    EXPECT_EQ(ander, CurGroep->Rec.FileName);
}

} // namespace
