#include "app/rarapportform.h"

#include <algorithm>
#include <utility>

#include "app/spfide.h"
#include "app/writable.h"
#include "controls/numeric/numspin.h"
#include "grid/columngrid.h"
#include "model/fileutils.h"
#include "model/group.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/stdctrls.h"

TRaRapportForm* RaRapportForm = nullptr;

namespace {

// The info grid's rows that go back into the group.
constexpr int InfoCity = 1, InfoType = 7, InfoArbiter = 8, InfoDeputy = 9, InfoTempo = 10;

TVcNumSpin* MakeRondeSpin(TRaRapportForm* Form, TGroupBox* Box) {
    auto* spin = new TVcNumSpin(Form);
    spin->SetParent(Box);
    spin->SetBounds(10, 22, 70, 24);
    spin->SetEditBase(ebInt);
    spin->SetFormatStr("0");
    spin->SetIncrement(1);
    spin->SetOptions({eoLimitMin, eoLimitMax});
    spin->SetMinValue(1);
    spin->SetMaxValue(99);
    spin->SetValue(1);
    return spin;
}

std::string PadTo(std::string S, size_t N) {
    if (S.size() < N) S.resize(N, ' ');
    return S;
}

} // namespace

std::string RapportGroepNaam(const std::string& Naam) {
    std::string s = ReplaceFileNameChars(Naam);
    std::replace(s.begin(), s.end(), ' ', '-');
    return s;
}

std::string RapportFileOf(const std::string& Map, const std::string& Naam) {
    std::string map = Map.empty() ? GetDataRoot() : Map;
    while (map.size() > 1 && map.back() == '/')
        map.pop_back();
    return map + "/" + RapportGroepNaam(Naam) + " Rating.txt";
}

bool ReadRapportInfo(const std::string& File, TGroepRec& Rec) {
    // A report is a few kilobytes; anything far larger is no report.
    constexpr long long MaxRapport = 1 << 20;
    if (!FileExists(File)) return false;
    TStringList lines;
    try {
        if (FileSizeOf(File) > MaxRapport) return false;
        lines.LoadFromFile(File);
    } catch (const Exception&) {
        return false;
    }
    TGroepRec feiten;
    const std::pair<const char*, std::string*> velden[] = {{"022 ", &feiten.Plaats},
                                                           {"092 ", &feiten.ToernooiType},
                                                           {"102 ", &feiten.Arbiter},
                                                           {"122 ", &feiten.Speeltempo}};
    // The facts head the file, up to the first empty line.
    for (int i = 0; i < lines.Count() && !Trim(lines[i]).empty(); ++i)
        for (const auto& [code, veld] : velden)
            if (lines[i].starts_with(code)) *veld = Trim(lines[i].substr(4));
    Rec.Plaats = feiten.Plaats;
    Rec.ToernooiType = feiten.ToernooiType;
    Rec.Arbiter = feiten.Arbiter;
    Rec.Speeltempo = feiten.Speeltempo;
    return true;
}

TRaRapportForm::TRaRapportForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Rating rapportage");
    SetBounds(80, 80, 1000, 640);
    // The smallest size at which no control is clipped or overlaps another.
    Constraints()->SetMinWidth(840);
    Constraints()->SetMinHeight(400);
    SetPosition(poScreenCenter);

    StatusBar = new TStatusBar(this);
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->AddPanel()->Width = 300;
    StatusBar->AddPanel()->Width = 500;

    TopPanel = new TPanel(this);
    TopPanel->SetParent(this);
    TopPanel->SetAlign(alTop);
    TopPanel->SetHeight(300);
    TopPanel->SetCaption("");

    VanBox = new TGroupBox(this);
    VanBox->SetParent(TopPanel);
    VanBox->SetBounds(10, 8, 100, 58);
    VanBox->SetCaption("Van");
    VanSpin = MakeRondeSpin(this, VanBox);
    TotBox = new TGroupBox(this);
    TotBox->SetParent(TopPanel);
    TotBox->SetBounds(120, 8, 100, 58);
    TotBox->SetCaption("tot/met");
    TotSpin = MakeRondeSpin(this, TotBox);
    // Another range of rounds makes another report at once, whether the arrows,
    // the keys or a typed number (taken at Enter or on leaving) changed it.
    for (TVcNumSpin* spin : {VanSpin, TotSpin}) {
        spin->OnChange = [this](TObject* S) { RondeSpinChange(S); };
        spin->OnValueChanged = [this](TObject* S) { RondeSpinChange(S); };
        spin->OnExit = [this](TObject* S) { RondeSpinChange(S); };
    }

    SaveBitBtn = new TBitBtn(this);
    SaveBitBtn->SetParent(TopPanel);
    SaveBitBtn->SetBounds(10, 80, 210, 30);
    SaveBitBtn->SetCaption("Bewaar");
    SaveBitBtn->OnClick = [this](TObject* S) { SaveBitBtnClick(S); };
    KlaarBitBtn = new TBitBtn(this);
    KlaarBitBtn->SetParent(TopPanel);
    KlaarBitBtn->SetBounds(10, 118, 210, 30);
    KlaarBitBtn->SetKind(bkOK);
    KlaarBitBtn->SetCaption("&Klaar");
    KlaarBitBtn->Cancel = true; // Escape leaves the window as "Klaar" does

    InfoGrid = new TExtColumnGrid(this);
    InfoGrid->SetParent(TopPanel);
    InfoGrid->SetBounds(232, 6, 600, 288);
    InfoGrid->SetColCount(2);
    InfoGrid->SetRowCount(11);
    InfoGrid->SetFixedRows(0);
    InfoGrid->SetOptions(InfoGrid->Options() + goEditing);
    // Only the values can be changed, and only those that go back into the group
    // or into the report.
    InfoGrid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
        CanEdit = ACol == 1 && (ARow == InfoCity || (ARow >= InfoType && ARow <= InfoTempo));
    };

    RapportGrid = new TExtColumnGrid(this);
    RapportGrid->SetParent(this);
    RapportGrid->SetAlign(alClient);
    RapportGrid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };

    OnCreate = [this](TObject* S) { FormCreate(S); };
    OnDestroy = [this](TObject* S) { FormDestroy(S); };
    OnActivate = [this](TObject* S) { FormActivate(S); };
    // The report is made once each time the window opens: coming back to it
    // (after the save question, or from another program) keeps the chosen
    // rounds and what was typed into the facts.
    OnShow = [this](TObject* S) {
        FOpening = true;
        FormActivate(S);
    };
    OnCloseQuery = [this](TObject* S, bool& CanClose) { FormCloseQuery(S, CanClose); };
}

// FormDestroy runs while the window's parts still stand.
TRaRapportForm::~TRaRapportForm() {
    BeforeDestruction();
}

void TRaRapportForm::FormCreate(TObject*) {
    FFideList = std::make_unique<TSpFideList>();
    FFideList->RapportGrid = RapportGrid;
    FFideList->InfoGrid = InfoGrid;
}

void TRaRapportForm::FormDestroy(TObject*) {
    if (FFideList) FFideList->FreeAll();
    FFideList.reset();
}

int TRaRapportForm::LastRound() const {
    return CurGroep ? std::max(CurGroep->Games.GetLastRoundNr(), 1) : 1;
}

void TRaRapportForm::ApplyRondeLimits() {
    const int last = LastRound();
    const int van = std::clamp(static_cast<int>(VanSpin->Value()), 1, last);
    const int tot = std::clamp(static_cast<int>(TotSpin->Value()), van, last);
    VanSpin->SetMinValue(1);
    VanSpin->SetMaxValue(tot);
    VanSpin->SetValue(van);
    TotSpin->SetMaxValue(last);
    TotSpin->SetMinValue(van);
    TotSpin->SetValue(tot);
}

void TRaRapportForm::FormActivate(TObject*) {
    StatusBar->SetPanelText(0, CurGroep ? CurGroep->Rec.Naam : "");
    if (!FOpening) return;
    FOpening = false;
    StatusBar->SetPanelText(1, "");
    // The spins are set for the new report, which is made below: no report of
    // the rounds on the way, and nothing of the previous facts stored back.
    FSpinChanging = true;
    VanSpin->SetMinValue(1);
    VanSpin->SetMaxValue(99);
    TotSpin->SetMinValue(1);
    TotSpin->SetMaxValue(99);
    VanSpin->SetValue(1);
    TotSpin->SetValue(LastRound());
    ApplyRondeLimits();
    FSpinChanging = false;
    Repaint();
    RefreshRapport();
}

void TRaRapportForm::RondeSpinChange(TObject*) {
    if (!CurGroep || !FFideList || FSpinChanging) return;
    FSpinChanging = true;
    ApplyRondeLimits();
    FSpinChanging = false;
    if (static_cast<int>(VanSpin->Value()) == FVan && static_cast<int>(TotSpin->Value()) == FTot)
        return;
    // What the director typed into the facts stays.
    StoreRapportInfo();
    RefreshRapport();
}

void TRaRapportForm::RefreshRapport() {
    if (!FFideList) return;
    Screen->SetCursor(crHourGlass);
    RapportGrid->ClearGrid();
    InfoGrid->ClearGrid();
    FVan = static_cast<int>(VanSpin->Value());
    FTot = static_cast<int>(TotSpin->Value());
    if (CurGroep) {
        std::string msg;
        FFideList->Fill(*CurGroep, FVan, FTot, msg);
        StatusBar->SetPanelText(1, msg);
        FFideList->FillGrids(*CurGroep);
    }
    Screen->SetCursor(crDefault);
}

void TRaRapportForm::StoreRapportInfo() {
    if (!CurGroep || InfoGrid->RowCount() <= InfoTempo) return;
    TGroepRec& rec = CurGroep->Rec;
    const std::pair<std::string*, int> feiten[] = {{&rec.Plaats, InfoCity},
                                                   {&rec.Arbiter, InfoArbiter},
                                                   {&rec.Speeltempo, InfoTempo},
                                                   {&rec.ToernooiType, InfoType}};
    for (const auto& [veld, row] : feiten) {
        const std::string waarde = Trim(InfoGrid->Cells(1, row));
        if (waarde == *veld) continue;
        // The kind shown for want of one of the group's own is no fact typed.
        if (veld == &rec.ToernooiType && waarde == FideToernooiType(*CurGroep)) continue;
        *veld = waarde;
        // The facts are the group's and go into its file: a typed one is a
        // change to save like any other.
        CurGroep->Modified = true;
    }
}

void TRaRapportForm::FormCloseQuery(TObject*, bool& CanClose) {
    StoreRapportInfo();
    CanClose = true;
}

void TRaRapportForm::MakeFideReport(TSpFideList& List, TStrings& Lines) {
    Lines.Clear();
    const auto value = [this](int Row) { return InfoGrid->Cells(1, Row); };
    Lines.Add("012 " + value(0));
    if (!Trim(value(InfoCity)).empty()) Lines.Add("022 " + value(InfoCity));
    const char* codes[] = {"032 ", "042 ", "052 ", "062 ", "072 ", "092 ", "102 "};
    for (int r = 2; r <= InfoArbiter; ++r)
        Lines.Add(codes[r - 2] + Trim(value(r)));
    List.ChiefArbiter = Trim(value(InfoArbiter));
    if (!Trim(value(InfoDeputy)).empty()) Lines.Add("112 " + Trim(value(InfoDeputy)));
    Lines.Add("122 " + Trim(value(InfoTempo)));
    Lines.Add("");

    // Every round's own date above its games.
    std::string dates = PadTo("132", FideSpelerBreedte);
    for (int ronde = List.EersteRonde; ronde <= List.LaatsteRonde; ++ronde) {
        const TDateTime datum = List.RondeDatum(ronde);
        const std::string text =
            datum > 0 ? StringReplace(FormatDateTime("yy-mm-dd", datum), "-", "/", {rfReplaceAll})
                      : "";
        dates += PadTo(text, 10);
    }
    Lines.Add(dates);
    Lines.Add("");

    for (int row = 1; row < RapportGrid->RowCount(); ++row) {
        const auto* fide = dynamic_cast<const TSpFide*>(RapportGrid->Objects(1, row));
        if (!fide) continue;
        std::string line;
        for (int c = 0; c < FideVasteKolommen && c < static_cast<int>(List.Kolommen.size()); ++c) {
            const TFideKolom& k = List.Kolommen[static_cast<size_t>(c)];
            std::string text = Trim(RapportGrid->Cells(c, row));
            const size_t width = static_cast<size_t>(k.Breedte);
            if (text.size() > width) text.resize(width - 1);
            if (text.size() < width)
                text = k.Rechts ? std::string(width - text.size(), ' ') + text : PadTo(text, width);
            const int gap = k.Start - static_cast<int>(line.size());
            line += std::string(static_cast<size_t>(std::max(gap, 0)), ' ') + text;
        }
        if (!line.empty() && line[0] == ' ') line.erase(0, 1);
        Lines.Add(PadTo(line, FideSpelerBreedte) + fide->Line);
    }
}

std::string TRaRapportForm::RapportFileName() const {
    return RapportFileOf(DataMap, CurGroep ? CurGroep->Rec.Naam : "");
}

void TRaRapportForm::SaveBitBtnClick(TObject*) {
    if (!CurGroep || !FFideList) return;
    StoreRapportInfo();
    TStringList lines;
    MakeFideReport(*FFideList, lines);
    const std::string file = RapportFileName();
    // A report that was not written must not look saved.
    if (const std::string fout = NotWritableMessage(file); !fout.empty()) {
        ShowMessage(fout);
        return;
    }
    const std::string vraag = "Ratingrapport\r\r" + GetShortPath(file) + "\r\r" +
                              (FileExists(file) ? "Bestaat reeds, overschrijven ?" : "Bewaren ?");
    if (MessageDlg(vraag, mtConfirmation, mbYesNo) == mrYes) {
        std::string data;
        for (int i = 0; i < lines.Count(); ++i)
            data += lines[i] + "\r\n";
        try {
            WriteFileAtomic(file, data);
        } catch (const std::exception&) {
            ShowMessage(WriteFailedMessage(file));
            return;
        }
    }
    Beep();
}
