#include "app/spinfoform.h"

#include <algorithm>

#include "app/gridstyle.h"
#include "app/standgrid.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/stdctrls.h"

TSpInfoForm* SpInfoForm = nullptr;

namespace {

constexpr int StartRijen = 14;
constexpr int Marge = 4;                // added to each column's content width
constexpr TColor KleurZwart = 0xC0C0C0; // silver

} // namespace

TSpInfoForm::TSpInfoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Speler info");
    SetBounds(120, 120, 760, 640);
    // The smallest size at which no control is clipped or overlaps another.
    Constraints()->SetMinWidth(560);
    Constraints()->SetMinHeight(300);
    SetPosition(poScreenCenter);

    StatusBar = new TStatusBar(this);
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->AddPanel()->Width = 300;
    StatusBar->AddPanel()->Width = 50;

    KnopPanel = new TPanel(this);
    KnopPanel->SetParent(this);
    KnopPanel->SetAlign(alBottom);
    KnopPanel->SetHeight(56);
    KnopPanel->SetCaption("");

    NoteLabel = new TLabel(this);
    NoteLabel->SetParent(KnopPanel);
    NoteLabel->SetBounds(10, 8, 440, 40);

    KlaarBitBtn = new TBitBtn(this);
    KlaarBitBtn->SetParent(KnopPanel);
    KlaarBitBtn->SetBounds(640, 12, 100, 30);
    KlaarBitBtn->SetAnchors({akRight, akTop});
    KlaarBitBtn->SetKind(bkOK);
    KlaarBitBtn->SetCaption("&Klaar");
    KlaarBitBtn->Cancel = true; // Escape leaves the window as "Klaar" does

    ClipBoardBitBtn = new TBitBtn(this);
    ClipBoardBitBtn->SetParent(KnopPanel);
    ClipBoardBitBtn->SetBounds(530, 12, 100, 30);
    ClipBoardBitBtn->SetAnchors({akRight, akTop});
    ClipBoardBitBtn->SetCaption("ClipBoard");
    ClipBoardBitBtn->OnClick = [this](TObject* S) { ClipBoardBitBtnClick(S); };

    SpGrid = new TExtColumnGrid(this);
    SpGrid->SetParent(this);
    SpGrid->SetAlign(alClient);
    SpGrid->OnGetAlignment = [this](TObject* S, int R, int C, TAlignment& H, TVAlignment& V) {
        SpGridGetAlignment(S, R, C, H, V);
    };
    SpGrid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };

    OnCreate = [this](TObject* S) { FormCreate(S); };
    OnDestroy = [this](TObject* S) { FormDestroy(S); };
    OnActivate = [this](TObject* S) { FormActivate(S); };
    // Not every desktop activates a window again when it opens a second time.
    OnShow = [this](TObject* S) { FormActivate(S); };
}

void TSpInfoForm::FormCreate(TObject*) {
    FSpeler = nullptr;
    NoteLabel->SetCaption("Score (WP/SB) is de score voor de WP/SB berekening.\rEen reglementaire "
                          "uitslag geldt dan als een \xBD punt.");
}

void TSpInfoForm::FormDestroy(TObject*) {
    FSpeler = nullptr;
}

void TSpInfoForm::FormActivate(TObject*) {
    StatusBar->SetPanelText(0, CurGroep ? CurGroep->Rec.Naam : "");
    if (FSpeler) ShowSpInfo();
}

void TSpInfoForm::SpGridGetAlignment(TObject*, int ARow, int ACol, TAlignment& HAlign,
                                     TVAlignment&) {
    if (ARow <= FLastStatRow && ACol >= 1) HAlign = taCenter;
}

void TSpInfoForm::ClipBoardBitBtnClick(TObject*) {
    // A game line is one cell merged over the rounds: it goes out once, not once
    // per round it spans.
    std::string text;
    for (int r = 0; r < SpGrid->RowCount(); ++r) {
        if (r > 0) text += "\r\n";
        for (int c = 0; c < SpGrid->ColCount(); ++c) {
            if (c > 0) text += '\t';
            if (SpGrid->IsBaseCell(c, r)) text += SpGrid->Cells(c, r);
        }
    }
    Clipboard()->SetAsText(text);
    Beep();
}

void TSpInfoForm::ShowSpInfo() {
    if (!FSpeler || !CurGroep) return;
    TGroep& groep = *CurGroep;
    TSp& sp = *FSpeler;
    // The standings fill the performance by bisection only in the latest round;
    // the card shows it for every round.
    sp.CalcRunningScore();
    CalcSpelerStand(groep, sp);

    const int n = std::max(groep.Games.GetLastRoundNr(), 0);
    const bool regl = sp.HasReglUitslag();
    const int b = regl ? 5 : 4;
    const bool rated = sp.GetNrRatedGames() > 0;
    FLastStatRow = rated ? b + 8 : b + 3;

    SpGrid->BeginGridUpdate();
    SpGrid->ClearGrid();
    SpGrid->SetColCount(n + 1);
    SpGrid->SetRowCount(StartRijen);
    SpGrid->SetCells(0, 0, sp.GetNaam());
    for (int r = 1; r <= n; ++r)
        SpGrid->SetCells(r, 0, "r" + IntToStr(r));
    const char* labels[] = {
        "Tegenstander", "Kleur", "Score",   "Score (WP/SB)", "Score totaal", "WP",  "SB",
        "PS",           "Rc",    "Rc gem.", "TPR",           "LPR",          "W-We"};
    // Only the rows that are filled get a label; the game lines follow the last one.
    for (int row = 1; row <= FLastStatRow; ++row) {
        const int item = row <= 3 || regl ? row - 1 : row;
        SpGrid->SetCells(0, row, labels[item]);
    }
    NoteLabel->SetVisible(regl);
    SetGridStyle(SpGrid, 9);

    int gameRow = FLastStatRow;
    for (int r = 1; r <= n; ++r) {
        const int index = sp.GetRoundIndex(r);
        if (index < 0) continue;
        const TRondeRec& rec = sp.Rondes[static_cast<size_t>(index)];
        SpGrid->SetCells(r, 1, IntToStr(rec.TegenBergerNr));
        if (rec.Kleur == kWit) {
            SpGrid->SetCells(r, 2, "W");
            SpGrid->SetCellBackColor(r, 2, clWhite);
        } else if (rec.Kleur == kZwart) {
            SpGrid->SetCells(r, 2, "Z");
            SpGrid->SetCellBackColor(r, 2, KleurZwart);
        }
        // A game without result (the bye's) shows nothing, not the file's blank.
        SpGrid->SetCells(r, 3, Trim(UitslagToStr(rec.Uitslag)));
        if (regl) SpGrid->SetCells(r, 4, PuntenToStr(GetWPSBScore(rec.Uitslag)));
        SpGrid->SetCells(r, b, PuntenToStr(rec.Score));
        SpGrid->SetCells(r, b + 1, PuntenToStr(rec.WP));
        SpGrid->SetCells(r, b + 2, FloatToStrDec(rec.SB, 2));
        SpGrid->SetCells(r, b + 3, PuntenToStr(rec.ProgScore));
        if (rated) {
            SpGrid->SetCells(r, b + 4, RatingToStr(rec.TegenRating));
            SpGrid->SetCells(r, b + 5, RatingToStr(rec.GemRating));
            SpGrid->SetCells(r, b + 6, RatingToStr(rec.TprProcent));
            SpGrid->SetCells(r, b + 7, RatingToStr(rec.Tpr));
            SpGrid->SetCells(r, b + 8, WWeToStr(rec.WWe));
        }
        const TSp* tegen = groep.Spelers.GetSpelerOnBergerNr(rec.TegenBergerNr);
        if (!tegen || rec.TegenBergerNr < 1) continue;
        // One line per game below the statistics, however many rounds the
        // group has: the grid grows with them.
        ++gameRow;
        if (SpGrid->RowCount() <= gameRow) SpGrid->SetRowCount(gameRow + 1);
        SpGrid->SetCells(0, gameRow, "r" + IntToStr(rec.Ronde));
        SpGrid->SetCells(1, gameRow, IntToStr(rec.TegenBergerNr) + ". " + tegen->GetNaam());
        if (n > 1) SpGrid->MergeCells(1, gameRow, n, 1);
    }
    while (SpGrid->RowCount() >= 3 && IsRowEmpty(*SpGrid, SpGrid->RowCount() - 1))
        SpGrid->SetRowCount(SpGrid->RowCount() - 1);
    SpGrid->AutoSizeColumns(true, Marge);
    WidenForGameLines(FLastStatRow + 1, n);
    SpGrid->EndGridUpdate();
}

void TSpInfoForm::WidenForGameLines(int FirstRow, int Rounds) {
    // Auto-size passes over a cell merged across the rounds: an opponent's name
    // wider than those columns would wrap at its first blank and show as "3."
    // alone. The rounds share what the widest line lacks.
    if (Rounds < 2) return;
    int nodig = 0;
    for (int r = FirstRow; r < SpGrid->RowCount(); ++r)
        nodig = std::max(nodig, SpGrid->TextColWidth(1, r, SpGrid->Cells(1, r)) + Marge);
    int heeft = (Rounds - 1) * SpGrid->GridLineWidth();
    for (int c = 1; c <= Rounds; ++c)
        heeft += SpGrid->ColWidths(c);
    for (int c = 1; c <= Rounds && nodig > heeft; ++c) {
        const int erbij = (nodig - heeft + Rounds - c) / (Rounds - c + 1);
        SpGrid->SetColWidths(c, SpGrid->ColWidths(c) + erbij);
        heeft += erbij;
    }
}
