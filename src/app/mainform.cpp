#include "app/mainform.h"

#include <algorithm>
#include <cmath>

#include "app/mainform_zip.h"
#include "app/returnkey.h"

#include "grid/columngrid.h"
#include "model/fileutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/inifiles.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/stdctrls.h"

TMainForm* MainForm = nullptr;

namespace {

const char* const HelpFileName = "ZV-Vivazozodi help.txt";

// The smallest size at which no control is clipped or overlaps another.
constexpr int MinBreedte = 990;
constexpr int MinHoogte = 600;
// The group name's panel: its made width, and the most it grows for a long
// name, so that the information beside it keeps half the bar.
constexpr int GroepPanelBreedte = 250;
constexpr int GroepPanelMax = MinBreedte / 2;

template <class T> T* Place(TMainForm* Form, TWinControl* Parent, int L, int T_, int W, int H) {
    auto* c = new T(Form);
    c->SetParent(Parent);
    c->SetBounds(L, T_, W, H);
    return c;
}

} // namespace

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
    SetBounds(40, 40, 1000, 700);
    Constraints()->SetMinWidth(MinBreedte);
    Constraints()->SetMinHeight(MinHoogte);
    StatusBar = new TStatusBar(this);
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->AddPanel()->Width = GroepPanelBreedte;
    StatusBar->AddPanel()->Width = 50;

    PageControl = new TPageControl(this);
    PageControl->SetParent(this);
    PageControl->SetAlign(alClient);
    PageControl->SetTabStyle(tsFlatButtons);
    auto AddSheet = [this](const char* Caption) {
        auto* Sheet = new TTabSheet(this);
        Sheet->SetPageControl(PageControl);
        Sheet->SetCaption(Caption);
        return Sheet;
    };
    HoofdSheet = AddSheet("Hoofdpagina");
    EditGroepSheet = AddSheet("Edit groep");
    SpelersSheet = AddSheet("Spelers");
    HelpSheet = AddSheet("Help");
    DebugSheet = AddSheet("Debug");

    // "Hoofdpagina": folder and files on the left, the actions in one column.
    DriveComboBox = Place<TDriveComboBox>(this, HoofdSheet, 10, 10, 280, 26);
    DirectoryListBox = Place<TDirectoryListBox>(this, HoofdSheet, 10, 42, 280, 430);
    FileBox = Place<TGroupBox>(this, HoofdSheet, 300, 4, 340, 468);
    FileBox->SetCaption("Data bestanden (*.csv)");
    FileListBox = Place<TFileListBox>(this, FileBox, 10, 24, 320, 396);
    FileListBox->SetMask("*.csv");
    WegSpeedButton = Place<TBitBtn>(this, FileBox, 10, 428, 120, 30);
    WegSpeedButton->SetCaption("Verwijder");
    WegSpeedButton->SetHint("Verwijder databestand");
    WegSpeedButton->SetShowHint(true);
    WegSpeedButton->SetEnabled(false);
    DirectoryListBox->FileList = FileListBox;
    DriveComboBox->DirList = DirectoryListBox;
    MakeMapBox = Place<TGroupBox>(this, HoofdSheet, 10, 482, 280, 64);
    MakeMapBox->SetCaption("Maak nieuwe map");
    MakeMapEdit = Place<TEdit>(this, MakeMapBox, 10, 26, 180, 26);
    NewMapSpeedButton = Place<TBitBtn>(this, MakeMapBox, 198, 26, 72, 26);
    NewMapSpeedButton->SetCaption("Maak");

    auto AddButton = [this](const char* Caption, int Index) {
        auto* b = Place<TBitBtn>(this, HoofdSheet, 670, 12 + Index * 46, 180, 36);
        b->SetCaption(Caption);
        return b;
    };
    SaveDataBitBtn = AddButton("Bewaar data", 0);
    RaRapportBitBtn = AddButton("Rating rapport", 1);
    NewGrpBtn = AddButton("Nieuwe groep xx", 2);
    StandBitBtn = AddButton("Stand", 3);
    UitslagenBitBtn = AddButton("Uitslagen", 4);
    NewGroepBitBtn = AddButton("Nieuwe groep", 5);
    KlaarBitBtn = AddButton("&Klaar", 7);

    GroepPanel = new TPanel(this);
    GroepPanel->SetParent(EditGroepSheet);
    GroepPanel->SetAlign(alLeft);
    GroepPanel->SetWidth(420);
    LijstenPanel = new TPanel(this);
    LijstenPanel->SetParent(EditGroepSheet);
    LijstenPanel->SetAlign(alClient);

    LedenPanel = new TPanel(this);
    LedenPanel->SetParent(SpelersSheet);
    LedenPanel->SetAlign(alLeft);
    LedenPanel->SetWidth(420);
    Splitter = new TSplitter(this);
    Splitter->SetParent(SpelersSheet);
    Splitter->SetAlign(alLeft);
    SpelersPanel = new TPanel(this);
    SpelersPanel->SetParent(SpelersSheet);
    SpelersPanel->SetAlign(alClient);

    HelpMemo = new TMemo(this);
    HelpMemo->SetParent(HelpSheet);
    HelpMemo->SetAlign(alClient);
    HelpMemo->SetReadOnly(true);
    HelpMemo->SetScrollBars(ssBoth);
    HelpMemo->SetWordWrap(false);

    DebugLabel = new TLabel(this);
    DebugLabel->SetParent(DebugSheet);
    DebugLabel->SetAlign(alBottom);
    DebugLabel->SetHeight(24);
    ReadGrid = new TExtColumnGrid(this);
    ReadGrid->SetParent(DebugSheet);
    ReadGrid->SetAlign(alClient);

    SaveDialog = new TSaveDialog(this);
    ZipArchiver = NewZipArchiver(this);

    CreateGroepControls();
    CreateSpelersControls();
    CreateLijstControls();
    CreateLedenControls();

    OnCreate = [this](TObject* S) { FormCreate(S); };
    OnActivate = [this](TObject* S) { FormActivate(S); };
    OnCloseQuery = [this](TObject* S, bool& CanClose) { FormCloseQuery(S, CanClose); };
    OnDestroy = [this](TObject* S) { FormDestroy(S); };
    OnResize = [this](TObject* S) { FormResize(S); };
    PageControl->OnChange = [this](TObject* S) { PageControlChange(S); };
    FileListBox->OnDblClick = [this](TObject* S) { FileListBoxDblClick(S); };
    FileListBox->OnClick = [this](TObject* S) { FileListBoxClick(S); };
    DirectoryListBox->OnChange = [this](TObject* S) { DirectoryListBoxClick(S); };
    WegSpeedButton->OnClick = [this](TObject* S) { WegSpeedButtonClick(S); };
    MakeMapEdit->OnChange = [this](TObject* S) { MakeMapEditChange(S); };
    FileListBox->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) {
        FileListBoxKeyDown(S, Key, Shift);
    };
    MakeMapEdit->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) {
        MakeMapEditKeyDown(S, Key, Shift);
    };
    NewMapSpeedButton->OnClick = [this](TObject* S) { NewMapSpeedButtonClick(S); };
    SaveDataBitBtn->OnClick = [this](TObject* S) { SaveDataBitBtnClick(S); };
    RaRapportBitBtn->OnClick = [this](TObject* S) { RaRapportBitBtnClick(S); };
    NewGrpBtn->OnClick = [this](TObject* S) { NewGrpBtnClick(S); };
    StandBitBtn->OnClick = [this](TObject* S) { StandBitBtnClick(S); };
    UitslagenBitBtn->OnClick = [this](TObject* S) { UitslagenBitBtnClick(S); };
    NewGroepBitBtn->OnClick = [this](TObject* S) { NewGroepBitBtnClick(S); };
    KlaarBitBtn->OnClick = [this](TObject*) { Close(); };
    ReadGrid->OnCanEditCell = [this](TObject* S, int R, int C, bool& A) {
        ReadGridCanEditCell(S, R, C, A);
    };
    ReadGrid->OnClipboardPaste = [this](TObject* S, bool& A) { ReadGridClipboardPaste(S, A); };
    ReadGrid->OnGetAlignment = [this](TObject* S, int R, int C, TAlignment& H, TVAlignment& V) {
        ReadGridGetAlignment(S, R, C, H, V);
    };
}

TMainForm::~TMainForm() {
    // FormDestroy needs the window's own parts, which go before the base's
    // destructor would run it.
    BeforeDestruction();
    // The group goes with the window; no window may reach it afterwards.
    if (CurGroep == FCurGroep.get()) CurGroep = nullptr;
}

void TMainForm::FormCreate(TObject*) {
    SetCaption("ZV Vivazozodi versie: v" + FloatToStrF(0.7, ffFixed, 15, 2) + " (" + "2016-09-23" +
               ")");
    DebugLabel->SetCaption(
        "Bovenstaand debug grid geeft informatie over het identificeren van de kolommen.");

    FGroepList = std::make_unique<TGroepList>();
    FLedenList = std::make_unique<TSpList>();
    TGroepRec rec;
    InitGroepRec(rec, true);
    FCurGroep = std::make_unique<TGroep>(rec);
    FSavedGroep = std::make_unique<TGroep>(rec);
    CurGroep = FCurGroep.get();

    FormatSettings().DateSeparator = '-';
    FormatSettings().DecimalSeparator = '.';

    for (TControl* c : std::initializer_list<TControl*>{
             NewGroepBitBtn, SaveDataBitBtn, ZoekSpeedButton, UitslagenBitBtn, ZetSpDataBitBtn,
             ZetVrijBitBtn, StandBitBtn, RaRapportBitBtn, NewMapSpeedButton})
        if (c) c->SetEnabled(false);
    NewGrpBtn->SetVisible(false);

    static const char* const dagen[7] = {"zo", "ma", "di", "wo", "do", "vr", "za"};
    for (int i = 0; i < 7; ++i)
        FormatSettings().ShortDayNames[i] = dagen[i];

    const std::string root = GetDataRoot();
    if (!DirectoryExists(root)) {
        std::string msg;
        CheckMakeDir(root, msg);
        if (!msg.empty()) ShowMessage(msg);
    }
    for (const char* zip : {"/Voorbeeld.zip", "/Voorbeeld2.zip"})
        if (FileExists(root + zip)) UnzipExample(root + zip);

    SaveDialog->InitialDir = GetCurrentDir();
    SaveDialog->Filter = "Excel files (*.csv)|*.csv|";
    SaveDialog->Title = "Bewaar csv bestand";

    const std::string help = IncludeTrailingPathDelimiter(GetCurrentDir()) + HelpFileName;
    bool helpRead = false;
    if (FileExists(help)) {
        try {
            HelpMemo->Lines()->LoadFromFile(help);
            helpRead = true;
        } catch (const Exception&) {
        }
    }
    if (!helpRead) ShowMessage(std::string(HelpFileName) + "\r" + "Niet gevonden");

    MakeReadGridTemplate();
    ShowGroepStatus();
    PageControl->SetActivePageIndex(0);
    Repaint();
}

void TMainForm::FormDestroy(TObject*) {
    if (CurGroep == FCurGroep.get()) CurGroep = nullptr;
    FLedenList.reset();
    FSavedGroep.reset();
    FCurGroep.reset();
    FGroepList.reset();
}

void TMainForm::FormResize(TObject*) {
    const long pct = std::lround(SplitterPercentage);
    if (pct >= 35 && pct <= 75)
        LedenPanel->SetWidth(
            static_cast<int>(std::lround(PageControl->Width() * SplitterPercentage * 0.01)));
}

void TMainForm::PageControlChange(TObject*) {
    if (PageControl->ActivePage() != SpelersSheet || !CurGroep || !SpEditGrid) return;
    if (CurGroep->Spelers.Count() < 1 || SpEditGrid->RowCount() < 2) return;
    if (SpEditGrid->CanFocus()) SpEditGrid->SetFocus();
    SpEditGrid->SetCol(std::min(1, SpEditGrid->ColCount() - 1));
    SpEditGrid->SetRow(1);
}

void TMainForm::FileListBoxClick(TObject*) {
    WegSpeedButton->SetEnabled(FileListBox->Count() > 0 && FileListBox->ItemIndex() >= 0);
}

void TMainForm::DirectoryListBoxClick(TObject*) {
    // The folder the director works in is where the other windows save too.
    DataMap = DirectoryListBox->Directory();
    SaveDialog->InitialDir = DataMap;
    FileListBox->SetDirectory(DataMap);
    FileListBoxClick(nullptr);
}

void TMainForm::UpdateFileButtons() {
    FileListBox->Update();
    FileListBoxClick(nullptr);
}

void TMainForm::WegSpeedButtonClick(TObject*) {
    const std::string file = FileListBox->FileName();
    if (file.empty() || !FileExists(file)) return;
    if (MessageDlg(GetShortPath(file) + "\r\r" + "Verwijderen ?" + "\r", mtConfirmation, mbYesNo) !=
        mrYes)
        return;
    DeleteFile(file);
    UpdateFileButtons();
    Beep();
}

void TMainForm::MakeMapEditChange(TObject*) {
    NewMapSpeedButton->SetEnabled(MakeMapEdit->Text().size() > 2);
}

void TMainForm::FileListBoxKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    if (ReturnChooses(Key, Shift, FileListBox->ItemIndex() >= 0)) FileListBoxDblClick(Sender);
}

void TMainForm::MakeMapEditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    if (ReturnChooses(Key, Shift) && NewMapSpeedButton->Enabled()) NewMapSpeedButtonClick(Sender);
}

void TMainForm::NewMapSpeedButtonClick(TObject*) {
    const std::string naam = Trim(MakeMapEdit->Text());
    const std::string folder = DirectoryListBox->Directory();
    if (naam.empty()) return;
    // One new folder inside the current one: no path, no way out of it.
    if (naam == "." || naam == ".." || naam.find(PathDelim) != std::string::npos ||
        !IsValidFileName(naam)) {
        ShowMessage(naam + "\r\r" + "Dit is geen geldige naam voor een map.");
        return;
    }
    if (MessageDlg(naam + " toevoegen aan " + "\r" + GetShortPath(folder), mtConfirmation,
                   mbYesNo) != mrYes)
        return;
    if (!CreateDir(IncludeTrailingPathDelimiter(folder) + naam)) {
        ShowMessage(naam + "\r\r" + "Kan de map niet maken.");
        return;
    }
    DirectoryListBox->Update();
    FileListBox->Update();
    MakeMapEdit->SetText("");
    NewMapSpeedButton->SetEnabled(false);
    Beep();
}

void TMainForm::CheckSpelersNamen() {
    bool ok = SpEditGrid != nullptr && SpEditGrid->RowCount() > 1;
    std::string fout;
    if (SpEditGrid)
        for (int r = 1; ok && r < SpEditGrid->RowCount(); ++r) {
            const std::string naam = Trim(SpEditGrid->Cells(1, r));
            ok = !naam.empty() && naam.find('?') == std::string::npos;
            // Grey buttons need a reason the director can act on.
            if (!ok && SpEditGrid->Objects(0, r))
                fout = (naam.empty() ? "Speler " + IntToStr(r) + " heeft nog geen naam"
                                     : "De naam van speler " + IntToStr(r) + " bevat een ?") +
                       ": Uitslagen, Stand en Rating rapport wachten daarop.";
        }
    UitslagenBitBtn->SetEnabled(ok);
    StandBitBtn->SetEnabled(UitslagenBitBtn->Enabled());
    RaRapportBitBtn->SetEnabled(UitslagenBitBtn->Enabled());
    const std::string vorige = FNamenFout;
    FNamenFout = fout;
    if (!StatusBar) return;
    if (!fout.empty())
        StatusBar->SetPanelText(1, fout);
    else if (!vorige.empty() && StatusBar->Panels(1)->Text == vorige)
        ShowGroepStatus();
}

void TMainForm::ShowGroepStatus() {
    const bool groep = CurGroep && !CurGroep->IsEmpty();
    const std::string naam = groep ? CurGroep->Rec.Naam : "Geen databestand geselecteerd.";
    // A long group name shows whole, as far as the information beside it
    // keeps its room.
    TCanvas& canvas = *StatusBar->Canvas();
    canvas.Font()->Assign(StatusBar->Font());
    StatusBar->Panels(0)->Width = std::clamp(canvas.TextWidth(naam) + TStatusBar::PanelTextMargin,
                                             GroepPanelBreedte, GroepPanelMax);
    StatusBar->SetPanelText(0, naam);
    std::string info = "Selecteer een map en dubbelklik op een databestand.";
    if (groep) info = FNamenFout.empty() ? CurGroep->GetInfoStr() : FNamenFout;
    StatusBar->SetPanelText(1, info);
}
