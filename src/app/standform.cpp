#include "app/standform.h"

#include <algorithm>
#include <vector>

#include "app/gridimages.h"
#include "app/gridstyle.h"
#include "app/returnkey.h"
#include "app/spinfoform.h"
#include "app/standgrid.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/objects.h"
#include "model/stand.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/qtdialogs.h"

TStandForm* StandForm = nullptr;

namespace {

// The smallest width at which no control is clipped or overlaps another.
constexpr int MinBreedte = 420;

const char* const CheckItems[StandItem::Count] = {
    "Lootnummer", "Relatienr.",       "WP",        "SB",        "Ro",   "Rc",    "TPR", "W-We",
    "Uitslagen",  "Onderlinge score", "ZV Punten", "Wit/Zwart", "Vrij", "Totaal"};

TBitBtn* MakeButton(TStandForm* Form, const std::string& Caption, int Top) {
    auto* b = new TBitBtn(Form);
    b->SetParent(Form);
    b->SetCaption(Caption);
    b->SetBounds(752, Top, 140, 30);
    b->SetAnchors({akRight, akBottom});
    return b;
}

} // namespace

TStandForm::TStandForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Stand");
    SetBounds(80, 60, 900, 600);
    // The smallest size at which no control is clipped or overlaps another.
    Constraints()->SetMinWidth(MinBreedte);
    Constraints()->SetMinHeight(540);

    StandGrid = new TExtColumnGrid(this);
    StandGrid->SetParent(this);
    StandGrid->SetGridImages(MakeKruisImages(this));
    StandGrid->SetBounds(8, 8, 734, 540);
    StandGrid->SetAnchors({akLeft, akTop, akRight, akBottom});
    {
        auto options = StandGrid->Options();
        options.Include(goEditing);
        StandGrid->SetOptions(options);
    }
    StandGrid->OnCanEditCell = [this](TObject* S, int R, int C, bool& E) {
        StandGridCanEditCell(S, R, C, E);
    };
    StandGrid->OnGetEditorType = [this](TObject* S, int C, int R, TEditorType& E) {
        StandGridGetEditorType(S, C, R, E);
    };
    StandGrid->OnGetAlignment = [this](TObject* S, int R, int C, TAlignment& H, TVAlignment& V) {
        StandGridGetAlignment(S, R, C, H, V);
    };
    StandGrid->OnDblClickCell = [this](TObject* S, int R, int C) {
        StandGridDblClickCell(S, R, C);
    };
    StandGrid->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) {
        StandGridKeyDown(S, Key, Shift);
    };
    // A wider window shows a name that was cut for want of room.
    StandGrid->OnResize = [this](TObject*) { FitNaamKolom(*StandGrid, StandId::Naam); };

    CheckBox = new TCheckListBox(this);
    CheckBox->SetParent(this);
    CheckBox->SetBounds(752, 8, 140, 330);
    CheckBox->SetAnchors({akTop, akRight});
    for (const char* item : CheckItems)
        CheckBox->Items()->Add(item);
    CheckBox->OnClickCheck = [this](TObject* S) { CheckBoxClick(S); };

    KlaarBitBtn = MakeButton(this, "&Klaar", 400);
    KlaarBitBtn->ModalResult = mrOk;
    KlaarBitBtn->Cancel = true; // Escape leaves the window as "Klaar" does
    ClipBoardBitBtn = MakeButton(this, "ClipBoard", 438);
    ClipBoardBitBtn->OnClick = [this](TObject* S) { ClipBoardBitBtnClick(S); };
    SaveDataBitBtn = MakeButton(this, "Bewaar", 476);
    SaveDataBitBtn->SetHint("Tekst bestand");
    SaveDataBitBtn->OnClick = [this](TObject* S) { SaveDataBitBtnClick(S); };
    HelpBitBtn = MakeButton(this, "Help", 514);
    HelpBitBtn->OnClick = [this](TObject* S) { HelpBitBtnClick(S); };

    StatusBar = new TStatusBar(this);
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->AddPanel()->Width = 220;
    StatusBar->AddPanel()->Width = 660;

    SaveDialog = new TSaveDialog(this);

    OnCreate = [this](TObject* S) { FormCreate(S); };
    OnShow = [this](TObject* S) {
        FNieuwTonen = true;
        FormActivate(S);
    };
    OnActivate = [this](TObject* S) { FormActivate(S); };
    // Another group may be opened before the next showing: its players are
    // not the ones the rows point at.
    OnHide = [this](TObject*) { FGevuld = false; };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    OnCloseQuery = [this](TObject* S, bool& C) { FormCloseQuery(S, C); };
}

TStandForm::~TStandForm() = default;

void TStandForm::FormCreate(TObject*) {
    FStandList = std::make_unique<TSpList>();
    FLastRound = -1;
    SaveDialog->InitialDir = GetCurrentDir();
    SaveDialog->Filter = "Tekst files (*.txt)|*.txt|";
    SaveDialog->Title = "Bewaar tekst bestand";
}

void TStandForm::FormActivate(TObject*) {
    if (FGevuld && !FNieuwTonen) return;
    FNieuwTonen = false;
    if (!FStandList) FormCreate(this);
    SaveDialog->InitialDir = DataMap;
    FHasRatings = false;
    for (int i = 0; i < StandItem::Count; ++i) {
        CheckBox->SetChecked(i, (CheckMask >> i) & 1);
        CheckBox->SetItemEnabled(i, true);
    }
    CheckBox->Items()->Put(StandItem::Rating, RatingTypeToStr(RatingType) + " rating");
    TGroep* groep = CurGroep;
    if (!groep) return;

    FGevuld = true;
    FLastRound = groep->Games.GetLastRoundNr();
    FillRondeRecs(*groep);
    CalcStand(*groep);
    SortStand();
    FillStandGrid(*groep, *StandGrid, false, FLastRound, *FStandList);
    FZVKolom = groep->Rec.StandKolommen[StandId::ZV].Kolom;

    StatusBar->SetPanelText(0, groep->Rec.Naam);
    std::string info = IntToStr(groep->Spelers.Count()) + " spelers";
    if (!groep->Spelers.HasRatings()) info += "; Geen ratings";
    info += ". " + SortArToStr(groep->Rec.SortAr);
    StatusBar->SetPanelText(1, info);
    // The information is read whole also at the window's smallest width.
    TCanvas& canvas = *StatusBar->Canvas();
    canvas.Font()->Assign(StatusBar->Font());
    const int nodig =
        StatusBar->PanelRect(1).Left + canvas.TextWidth(info) + TStatusBar::PanelTextMargin;
    Constraints()->SetMinWidth(std::max(MinBreedte, nodig + Width() - ClientWidth()));

    CheckBox->SetItemEnabled(StandItem::Onderling, groep->Rec.HasOnderling != 0);
    SetGridStyle(StandGrid, 10);
    CheckBoxClick(CheckBox);
}

void TStandForm::FormClose(TObject*, TCloseAction&) {
    CheckMask = 0;
    for (int i = 0; i < StandItem::Count; ++i)
        if (CheckBox->Checked(i)) CheckMask |= 1 << i;
}

void TStandForm::FormCloseQuery(TObject*, bool& CanClose) {
    StoreZVPoints();
    CanClose = true;
}

void TStandForm::CheckBoxClick(TObject*) {
    TGroep* groep = CurGroep;
    if (!groep) return;
    TExtColumnGrid& grid = *StandGrid;
    const auto on = [this](int Item) {
        return CheckBox->Checked(Item) && CheckBox->ItemEnabled(Item);
    };
    grid.BeginGridUpdate();
    grid.UnHideColumnsAll();
    grid.UnHideRowsAll();

    std::vector<int> hideCols;
    for (TKolomRec& k : groep->Rec.Kolommen) {
        const bool vrij = k.Sp && !k.Sp->IsNotVrij();
        const bool shown = CheckBox->Checked(StandItem::Uitslagen) &&
                           (!vrij || CheckBox->Checked(StandItem::Vrij));
        k.Verborgen = shown ? 0 : 1;
        if (!shown) hideCols.push_back(k.Kolom);
    }
    for (int id = 0; id < StandId::Count; ++id) {
        TStandKolom& k = groep->Rec.StandKolommen[static_cast<size_t>(id)];
        bool hidden = false;
        if (id == StandId::Onderling)
            hidden = !CheckBox->Checked(StandItem::Onderling) || !groep->Rec.HasOnderling;
        else if (id == StandId::ZV)
            hidden = !CheckBox->Checked(StandItem::ZVPunten);
        else if (id != StandId::Uitslagen && k.Item >= 0)
            hidden = !on(k.Item);
        k.Verborgen = hidden ? 1 : 0;
        if (hidden && k.Kolom >= 0) hideCols.push_back(k.Kolom);
    }

    // Unchecked, the cell takes its column's colour again like its neighbours.
    const bool kleur = CheckBox->Checked(StandItem::WitZwart);
    for (int r = 1; r < grid.RowCount(); ++r)
        for (const TKolomRec& k : groep->Rec.Kolommen)
            if (auto* cell = dynamic_cast<TGameCell*>(grid.Objects(k.Kolom, r));
                cell && cell->Kleur == kZwart)
                grid.SetCellBackColor(k.Kolom, r, kleur ? clSilver : clNone);

    // Rows go from the bottom up, so the rows still to look at keep their numbers.
    const int naamKolom = groep->Rec.StandKolommen[StandId::Naam].Kolom;
    for (int r = grid.RowCount() - 1; r >= 1; --r) {
        TSp* sp = StandRowSpeler(grid, r);
        const bool totaal =
            !sp && naamKolom >= 0 && UpperCase(grid.Cells(naamKolom, r)) == "TOTAAL";
        if ((totaal && !CheckBox->Checked(StandItem::Totaal)) ||
            (sp && !sp->IsNotVrij() && !CheckBox->Checked(StandItem::Vrij)))
            grid.HideRow(r);
    }
    // Highest first: hiding a column leaves the real numbers of the others alone.
    std::sort(hideCols.rbegin(), hideCols.rend());
    for (const int c : hideCols)
        grid.HideColumn(c);
    grid.EndGridUpdate();
    grid.AutoSizeColumns(true, StandMarge);
    FitNaamKolom(grid, StandId::Naam);
}

void TStandForm::StandGridCanEditCell(TObject*, int ARow, int ACol, bool& CanEdit) {
    CanEdit = ACol == FZVKolom && ARow >= 1 && CheckBox->Checked(StandItem::ZVPunten);
}

void TStandForm::StandGridGetEditorType(TObject*, int ACol, int, TEditorType& AEditor) {
    if (FZVKolom >= 1 && ACol == FZVKolom) AEditor = edFloat;
}

void TStandForm::StandGridGetAlignment(TObject*, int, int ACol, TAlignment& HAlign, TVAlignment&) {
    if (ACol != StandId::Naam) HAlign = taCenter;
}

void TStandForm::StandGridDblClickCell(TObject*, int ARow, int) {
    TSp* sp = StandRowSpeler(*StandGrid, ARow);
    if (!sp || !SpInfoForm) return;
    SpInfoForm->SetSpeler(sp);
    SpInfoForm->ShowModal();
}

void TStandForm::StandGridKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    if (StandGrid->EditorMode()) return;
    const int row = StandGrid->Row(), col = StandGrid->Col();
    // Return on a series-points cell that takes typing opens its editor.
    bool canEdit = false;
    StandGridCanEditCell(Sender, row, col, canEdit);
    if (ReturnChooses(Key, Shift, !canEdit && StandRowSpeler(*StandGrid, row)))
        StandGridDblClickCell(Sender, row, col);
}

void TStandForm::ClipBoardBitBtnClick(TObject*) {
    StandGrid->CopyToClipboard();
}

void TStandForm::HelpBitBtnClick(TObject*) {
    // The draw-number key ranks the lower number first.
    ShowMessage("Bij gelijk eindigen geldt:\r1: Onderling resultaat;\r2: Hoogste SB;\r3: Laagste "
                "lootnummer.\r");
}
