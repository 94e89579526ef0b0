#include "app/uitslagform.h"

#include "app/gridimages.h"
#include "app/gridstyle.h"
#include "app/groepsave.h"
#include "app/standgrid.h"
#include "desktop/dkwav.h"
#include "grid/columngrid.h"
#include "model/fileutils.h"
#include "model/group.h"
#include "model/objects.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/stdctrls.h"

TUitslagForm* UitslagForm = nullptr;

namespace {

const char* const CodeTexts[MaxInvoerCode + 1] = {"..-..",     "1-0",       "0-1",
                                                  "\xBD-\xBD", "0-0",       "0-0 Regl.",
                                                  "1-0 Regl.", "0-1 Regl.", "\xBD-\xBD Regl."};

// The desktop sound theme's "done" sound: it plays on every Linux desktop that
// has a sound theme, where a file of another machine never would.
const char* const KlaarGeluid = "complete";

} // namespace

TUitslagForm::TUitslagForm(TComponent* AOwner) : TForm(AOwner) {
    CreateControls();
    OnCreate = [this](TObject* S) { FormCreate(S); };
    OnDestroy = [this](TObject* S) { FormDestroy(S); };
    OnShow = [this](TObject* S) {
        FNieuwTonen = true;
        FormActivate(S);
    };
    OnActivate = [this](TObject* S) { FormActivate(S); };
    OnHide = [this](TObject*) { FGevuld = false; };
}

TUitslagForm::~TUitslagForm() {
    // FormDestroy runs while the window's own state still stands.
    BeforeDestruction();
}

void TUitslagForm::CreateControls() {
    SetCaption("Uitslagen invullen");
    SetBounds(60, 40, 1000, 640);
    // The smallest size at which no control is clipped or overlaps another.
    Constraints()->SetMinWidth(500);
    Constraints()->SetMinHeight(490);
    SetPosition(poScreenCenter);

    StatusBar = new TStatusBar(this);
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->AddPanel()->Width = 260;
    StatusBar->AddPanel()->Width = 600;

    SidePanel = new TPanel(this);
    SidePanel->SetParent(this);
    SidePanel->SetAlign(alLeft);
    SidePanel->SetWidth(184);
    SidePanel->SetBevelOuter(bvNone);

    CodeLabel = new TLabel(this);
    CodeLabel->SetParent(SidePanel);
    CodeLabel->SetBounds(8, 8, 168, 18);
    CodeLabel->SetCaption("UItslagcodenr.");

    ResultGrid = new TExtColumnGrid(this);
    ResultGrid->SetParent(SidePanel);
    ResultGrid->SetBounds(8, 28, 168, 230);
    ResultGrid->SetScrollBars(ssNone);
    ResultGrid->OnCanEditCell = [this](TObject* S, int R, int C, bool& E) {
        ResultGridCanEditCell(S, R, C, E);
    };

    auto MakeButton = [this](const std::string& Caption, int Top) {
        auto* B = new TBitBtn(this);
        B->SetParent(SidePanel);
        B->SetBounds(8, Top, 168, 30);
        B->SetCaption(Caption);
        return B;
    };
    SaveDataBitBtn = MakeButton("Bewaar data", 270);
    SaveDataBitBtn->OnClick = [this](TObject* S) { SaveDataBitBtnClick(S); };
    KlaarBitBtn = MakeButton("&Klaar", 306);
    KlaarBitBtn->ModalResult = mrOk;
    KlaarBitBtn->Cancel = true; // Escape leaves the window as "Klaar" does
    ClipBoardBitBtn = MakeButton("ClipBoard", 342);
    ClipBoardBitBtn->OnClick = [this](TObject* S) { ClipBoardBitBtnClick(S); };
    ClearBitBtn = MakeButton("Weg", 378);
    ClearBitBtn->SetHint("Alle uitslagen verwijderen");
    ClearBitBtn->SetShowHint(true);
    ClearBitBtn->OnClick = [this](TObject* S) { ClearBitBtnClick(S); };

    CheckListBox = new TCheckListBox(this);
    CheckListBox->SetParent(SidePanel);
    CheckListBox->SetBounds(8, 420, 168, 50);
    CheckListBox->Items()->Add("Wit/Zwart");
    CheckListBox->Items()->Add("VRIJ invullen");
    CheckListBox->OnClickCheck = [this](TObject* S) { CheckListBoxClick(S); };

    PageControl = new TPageControl(this);
    PageControl->SetParent(this);
    PageControl->SetAlign(alClient);
    PageControl->SetTabStyle(tsButtons);
    PageControl->OnChange = [this](TObject* S) { PageControlChange(S); };
    auto MakeSheet = [this](const std::string& Caption) {
        auto* Sheet = new TTabSheet(this);
        Sheet->SetPageControl(PageControl);
        Sheet->SetCaption(Caption);
        return Sheet;
    };
    TabelSheet = MakeSheet("Vivazozodi");
    GamesSheet = MakeSheet("Wedstrijden");
    HelpSheet = MakeSheet("Help");

    TabelGrid = new TExtColumnGrid(this);
    TabelGrid->SetParent(TabelSheet);
    TabelGrid->SetGridImages(MakeKruisImages(this));
    TabelGrid->SetAlign(alClient);
    TabelGrid->SetOptions(TabelGrid->Options() + goEditing);
    TabelGrid->OnKeyPress = [this](TObject* S, char& K) { TabelGridKeyPress(S, K); };
    TabelGrid->OnKeyUp = [this](TObject* S, WORD& K, TShiftState Sh) { TabelGridKeyUp(S, K, Sh); };
    TabelGrid->OnCellValidate = [this](TObject* S, int C, int R, std::string& V, bool& Ok) {
        TabelGridCellValidate(S, C, R, V, Ok);
    };
    TabelGrid->OnCanEditCell = [this](TObject* S, int R, int C, bool& E) {
        TabelGridCanEditCell(S, R, C, E);
    };
    TabelGrid->OnGetAlignment = [this](TObject* S, int R, int C, TAlignment& H, TVAlignment& V) {
        TabelGridGetAlignment(S, R, C, H, V);
    };
    TabelGrid->OnGetCellColor = [this](TObject* S, int R, int C, TGridDrawState St, TBrush* B,
                                       TFont* F) { TabelGridGetCellColor(S, R, C, St, B, F); };
    // A wider window shows a name that was cut for want of room.
    TabelGrid->OnResize = [this](TObject*) { FitNaamKolom(*TabelGrid, CompactNaamKolom); };

    GamesGrid = new TExtColumnGrid(this);
    GamesGrid->SetParent(GamesSheet);
    GamesGrid->SetAlign(alClient);
    GamesGrid->SetOptions(GamesGrid->Options() + goRowSelect);
    GamesGrid->OnKeyPress = [this](TObject* S, char& K) { GamesGridKeyPress(S, K); };
    GamesGrid->OnKeyUp = [this](TObject* S, WORD& K, TShiftState Sh) { GamesGridKeyUp(S, K, Sh); };
    GamesGrid->OnCanEditCell = [this](TObject* S, int R, int C, bool& E) {
        GamesGridCanEditCell(S, R, C, E);
    };
    GamesGrid->OnGetAlignment = [this](TObject* S, int R, int C, TAlignment& H, TVAlignment& V) {
        GamesGridGetAlignment(S, R, C, H, V);
    };
    // Results on black (games against the bye) need light text as in the crosstable.
    GamesGrid->OnGetCellColor = [this](TObject* S, int R, int C, TGridDrawState St, TBrush* B,
                                       TFont* F) { TabelGridGetCellColor(S, R, C, St, B, F); };

    HelpMemo = new TMemo(this);
    HelpMemo->SetParent(HelpSheet);
    HelpMemo->SetAlign(alClient);
    HelpMemo->SetReadOnly(true);

    SaveDialog = new TSaveDialog(this);
    dkWav1 = new TdkWav(this);
}

void TUitslagForm::FormCreate(TObject*) {
    FSpelers = std::make_unique<TSpList>();
    FLastRound = 0;
    FGamesGridChanged = false;
    FNrEmptyGames = 0;
    FSoundPending = true;
    FChanged = false;
    SaveDialog->Filter = "Excel files (*.csv)|*.csv|";
    SaveDialog->Title = "Bewaar csv bestand";
    SaveDialog->InitialDir = GetCurrentDir();
    CheckListBox->SetChecked(ciVrijInvullen, false);
    // A "wolf.wav" beside the program is the sound; without one the desktop's own.
    const std::string Wolf = ExtractFilePath(Application->ExeName()) + "wolf.wav";
    dkWav1->SetNoDefaultSound(true);
    if (FileExists(Wolf)) {
        dkWav1->SetPlayFrom(pfFile);
        dkWav1->SetFileName(Wolf);
    } else {
        dkWav1->SetPlayFrom(pfSystemEvent);
        dkWav1->SetEventAlias(KlaarGeluid);
    }
    FillResultGrid();
}

void TUitslagForm::FormDestroy(TObject*) {
    FSpelers.reset();
}

void TUitslagForm::FormActivate(TObject*) {
    if (FGevuld && !FNieuwTonen) return;
    FNieuwTonen = false;
    FGevuld = true;
    Repaint();
    FGamesGridChanged = false;
    FChanged = false;
    PageControl->SetActivePage(TabelSheet);
    HelpMemo->Lines()->Clear();
    SaveDataBitBtn->SetEnabled(true);
    if (!CurGroep || !FSpelers) return;
    TGroep& G = *CurGroep;
    // The games follow the draw numbers as they stand now, also after players were
    // moved or the bye was added since the games were made.
    G.LinkSpelers();
    FillRondeRecs(G);
    CalcStand(G);
    FillGamesGrid();
    StatusBar->SetPanelText(0, G.Rec.Naam);
    StatusBar->SetPanelText(1, "Kies wedstrijd en toets uitslagcodeNr in");
    FLastRound = G.Games.GetLastRoundNr();
    FillUitslagSpelers();
    AddHelpLine("Wat wil je eigenlijk weten ?");
    FillTabel();
    FNrEmptyGames = G.GetNrEmptyGames();
    FSoundPending = FNrEmptyGames > 0;
    TabelGrid->SetFocus();
    SizeTabel();
    if (TabelGrid->ColCount() > 4 && TabelGrid->RowCount() > 2) {
        TabelGrid->FocusCell(1, 1, true);
        GotoNextEmptyCell();
    }
}

void TUitslagForm::FillTabel() {
    FillStandGrid(*CurGroep, *TabelGrid, true, FLastRound, *FSpelers);
    CheckListBoxClick(nullptr);
    SetGridStyle(TabelGrid, 9);
}

void TUitslagForm::FillUitslagSpelers() {
    FSpelers->Clear();
    if (!CurGroep) return;
    const TSpList& Groep = CurGroep->Spelers;
    for (int i = 0; i < Groep.Count(); ++i) {
        TSp* Sp = Groep.Sp(i);
        const int k = Sp->IsNotVrij() ? 1000 + Sp->Rec.BergerNr : 10000 - Sp->Rec.BergerNr;
        FSpelers->AddObject(IntToZeroStr(k, 5), Sp);
    }
    FSpelers->Sort();
    for (int i = 0; i < FSpelers->Count(); ++i)
        FSpelers->Sp(i)->Rec.Plaats = i + 1;
}

void TUitslagForm::FillResultGrid() {
    ResultGrid->SetColCount(2);
    ResultGrid->SetRowCount(MaxInvoerCode + 1);
    ResultGrid->SetFixedRows(0);
    ResultGrid->SetFixedCols(0);
    SetGridStyle(ResultGrid, 9);
    FCodeObjs.clear();
    for (int Code = 0; Code <= MaxInvoerCode; ++Code) {
        FCodeObjs.push_back(std::make_unique<TIntegerObj>(Code));
        ResultGrid->SetCells(0, Code, IntToStr(Code));
        ResultGrid->SetObjects(0, Code, FCodeObjs.back().get());
        ResultGrid->SetCells(1, Code, CodeTexts[Code]);
        ResultGrid->SetCellBackColor(1, Code, clAqua);
    }
    ResultGrid->AutoSizeColumns(true, 8);
}

void TUitslagForm::ResultGridCanEditCell(TObject*, int, int, bool& CanEdit) {
    CanEdit = false;
}

void TUitslagForm::SelectResultCode(TInvoerCode Code) {
    if (Code <= MaxInvoerCode) ResultGrid->FocusCell(1, Code, true);
}

void TUitslagForm::AddHelpLine(const std::string& Text) {
    HelpMemo->Lines()->Add(Text);
}

bool TUitslagForm::VrijInvullen() const {
    return CheckListBox->Checked(ciVrijInvullen);
}

void TUitslagForm::MarkChanged() {
    FChanged = true;
    if (CurGroep) CurGroep->Modified = true;
    SaveDataBitBtn->SetEnabled(true);
}

void TUitslagForm::CheckAllResults() {
    if (!CurGroep) return;
    FNrEmptyGames = CurGroep->GetNrEmptyGames();
    if (FSoundPending && FNrEmptyGames == 0) {
        FSoundPending = false;
        dkWav1->Play();
    }
}

void TUitslagForm::CheckListBoxClick(TObject*) {
    ColourVrij();
    if (CheckListBox->Checked(ciWitZwart)) ColourKleur();
}

void TUitslagForm::PageControlChange(TObject*) {
    if (PageControl->ActivePage() == TabelSheet && FGamesGridChanged) RefreshTabel();
}

void TUitslagForm::ClipBoardBitBtnClick(TObject*) {
    TExtColumnGrid* Grid = nullptr;
    if (PageControl->ActivePage() == TabelSheet) Grid = TabelGrid;
    if (PageControl->ActivePage() == GamesSheet) Grid = GamesGrid;
    if (!Grid) return;
    Grid->CopyToClipboard();
    Beep();
}

void TUitslagForm::ClearBitBtnClick(TObject*) {
    if (!CurGroep) return;
    if (MessageDlg("Alle wedstrijd uitslagen verwijderen ?\r", mtConfirmation,
                   TMsgDlgButtons{mbYes, mbNo}) != mrYes)
        return;
    TGroep& G = *CurGroep;
    for (int i = 0; i < G.Games.Count(); ++i)
        for (TGameSlot& Slot : G.Games.Game(i)->Rec.Slots)
            Slot.Uitslag = ucGeen;
    FillRondeRecs(G);
    CalcStand(G);
    FillGamesGrid();
    RefreshTabel();
    // Every game is open again: the last result to come gets its sound.
    FNrEmptyGames = G.GetNrEmptyGames();
    FSoundPending = FNrEmptyGames > 0;
    MarkChanged();
    Beep();
}

void TUitslagForm::SaveDataBitBtnClick(TObject*) {
    if (!CurGroep || !SaveGroepWithDialog(*CurGroep, *SaveDialog)) return;
    // Saving numbers the game sides' cells for the file: place them in the
    // crosstable again, or the next entry would write into the wrong cells.
    FillUitslagSpelers();
    FillTabel();
    FChanged = true;
    SaveDataBitBtn->SetEnabled(false);
    Beep();
}
