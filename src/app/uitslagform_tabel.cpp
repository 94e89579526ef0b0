// The results window's crosstable: entry by code in a player's result cell,
// the colours of games against the bye and of games played with black.
#include <algorithm>

#include "app/standgrid.h"
#include "app/uitslagform.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/objects.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/listctrls.h"

namespace {

constexpr int PuntenKolom = 2;
constexpr int EersteUitslagKolom = 3;

} // namespace

int TUitslagForm::TabelEndKolom() const {
    // Recorded by the grid fill: the column after the last result column.
    if (!CurGroep) return EersteUitslagKolom;
    return std::min<int>(CurGroep->Rec.OrKolom, TabelGrid->ColCount());
}

void TUitslagForm::SizeTabel() {
    TExtColumnGrid& g = *TabelGrid;
    g.AutoSizeColumns(false, StandMarge);
    // Sized for every result and score from the start ("½", "½r", "6½"): an
    // entry that widened a column would move the cells under the director's
    // next click.
    const auto atLeast = [&g](int Col, const std::vector<std::string>& Texts) {
        if (Col >= g.ColCount() || g.RowCount() <= g.FixedRows()) return;
        // As wide as auto-size makes a column that holds the text, with the padding above.
        for (const std::string& t : Texts)
            g.SetColWidths(Col, std::max(g.ColWidths(Col),
                                         g.TextColWidth(Col, g.FixedRows(), t) + StandMarge));
    };
    std::vector<std::string> uitslagen;
    for (TUitslagCode u = ucWinst; u <= ucReglVerlies; ++u)
        uitslagen.push_back(UitslagToStr(u));
    for (int c = EersteUitslagKolom; c < TabelEndKolom(); ++c)
        atLeast(c, uitslagen);
    const int ronden = std::max(FLastRound, 1);
    atLeast(PuntenKolom, {PuntenToStr(ronden), PuntenToStr(ronden - 0.5)});
    FitNaamKolom(g, CompactNaamKolom);
}

TGameCell* TUitslagForm::TabelGameCell(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol >= TabelGrid->ColCount() || ARow >= TabelGrid->RowCount())
        return nullptr;
    return dynamic_cast<TGameCell*>(TabelGrid->Objects(ACol, ARow));
}

bool TUitslagForm::IsTabelVrij(int ACol, int ARow) const {
    const TGameCell* Cell = TabelGameCell(ACol, ARow);
    return !VrijInvullen() && Cell && Cell->Game && IsVrijGame(*Cell->Game);
}

bool TUitslagForm::SlotCellOk(const TGameSlot& Slot) const {
    return Slot.Col >= EersteUitslagKolom && Slot.Col < TabelEndKolom() && Slot.Row > 0 &&
           Slot.Row < TabelGrid->RowCount() && Slot.Sp;
}

void TUitslagForm::ShowPunten(const TSp* Sp) {
    if (!Sp) return;
    const int r = Sp->Rec.Plaats;
    if (r < 1 || r >= TabelGrid->RowCount()) return;
    TabelGrid->SetCells(PuntenKolom, r, PuntenToStr(Sp->GetScoreAfterRound(FLastRound)));
    // A group without results had no points to colour when the table was filled.
    TabelGrid->SetCellBackColor(PuntenKolom, r, clLime);
}

void TUitslagForm::TabelGridKeyPress(TObject*, char& Key) {
    if (PageControl->ActivePage() != TabelSheet) return;
    if (Key < '0' || Key > '8') return;
    const int c = TabelGrid->Col(), r = TabelGrid->Row();
    TGameCell* Cell = TabelGameCell(c, r);
    if (!Cell) return;
    if (IsTabelVrij(c, r)) Key = '0';
    const auto Code = static_cast<TInvoerCode>(Key - '0');
    SelectResultCode(Code);
    // The key is the whole entry: the cell shows the row player's result at once
    // and no editor stays behind with the digit in it.
    if (SetTabelUitslag(Cell, Code)) {
        TabelGrid->SetCells(c, r, InvoerToUitslagStr(Code));
        Beep();
    }
    Key = 0;
    FEntryKeyDown = true;
}

void TUitslagForm::TabelGridKeyUp(TObject*, WORD&, TShiftState) {
    if (PageControl->ActivePage() != TabelSheet) return;
    // Only the release of an entry moves on: arrow keys keep moving by hand.
    if (!FEntryKeyDown) return;
    FEntryKeyDown = false;
    GotoNextEmptyCell();
    CheckAllResults();
}

void TUitslagForm::TabelGridCellValidate(TObject*, int ACol, int ARow, std::string& Value,
                                         bool& Valid) {
    TGameCell* Cell = TabelGameCell(ACol, ARow);
    // Anything else leaves the cell as it was: it shows the game's result.
    Valid = !Value.empty() && Value[0] >= '0' && Value[0] <= '8' && Cell;
    if (!Valid) return;
    TInvoerCode Code = static_cast<TInvoerCode>(Value[0] - '0');
    if (IsTabelVrij(ACol, ARow)) Code = 0;
    Value = InvoerToUitslagStr(Code);
    // A code typed into an editor that was already open never passed the key
    // entry: the game takes it now, so the cell never shows what the game has not.
    if (Cell->Game) {
        TGame Nieuw(Cell->Game->Rec);
        // Only to compare: the group's own game is entered by SetTabelUitslag.
        Nieuw.SetUitslag(Code, Cell->Kleur);
        if (!Nieuw.IsSame(Cell->Game->Rec)) {
            SetTabelUitslag(Cell, Code);
            CheckAllResults();
        }
    }
    Beep();
}

void TUitslagForm::TabelGridCanEditCell(TObject*, int ARow, int ACol, bool& CanEdit) {
    CanEdit = ACol > PuntenKolom && TabelGameCell(ACol, ARow);
}

void TUitslagForm::TabelGridGetAlignment(TObject*, int, int ACol, TAlignment& HAlign,
                                         TVAlignment&) {
    if (ACol > 1) HAlign = taCenter;
}

void TUitslagForm::TabelGridGetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState,
                                         TBrush* ABrush, TFont* AFont) {
    const auto* Grid = dynamic_cast<TExtStringGrid*>(Sender);
    if (ABrush->Color() == clBlack || (Grid && Grid->GetCellBackColor(ACol, ARow) == clBlack))
        AFont->SetColor(clWhite);
}

bool TUitslagForm::SetTabelUitslag(TGameCell* Cell, TInvoerCode Code) {
    StatusBar->SetPanelText(1, "");
    if (!Cell || !Cell->Game || !CurGroep) return false;
    TGame& Game = *Cell->Game;
    if (!SlotCellOk(Game.Rec.Slots[SlotWit]) || !SlotCellOk(Game.Rec.Slots[SlotZwart]))
        return false;
    CurGroep->SetUitslag(Game, Code, Cell->Kleur);
    StatusBar->SetPanelText(1, Game.GetGameStr());
    for (const TGameSlot& Slot : Game.Rec.Slots) {
        const TGameCell* SlotCell = TabelGameCell(Slot.Col, Slot.Row);
        const TKleur Kleur = SlotCell ? SlotCell->Kleur : Cell->Kleur;
        const TUitslagCode U = Game.GetUitslag(Kleur);
        if (Kleur != Cell->Kleur) TabelGrid->SetCells(Slot.Col, Slot.Row, UitslagToStr(U));
        ShowPunten(Slot.Sp);
    }
    MarkChanged();
    SizeTabel();
    ShowGameRow(Game.Rec.GameId);
    return true;
}

void TUitslagForm::GotoNextEmptyCell() {
    const int End = TabelEndKolom();
    // Every result cell once: each game has two of them, so counting the games
    // would give up halfway through the table.
    const int Stappen = (End - EersteUitslagKolom) * TabelGrid->RowCount();
    int c = TabelGrid->Col(), r = TabelGrid->Row();
    for (int i = 0; i < Stappen; ++i) {
        if (c + 1 >= End) {
            if (r + 1 < TabelGrid->RowCount()) ++r;
            c = EersteUitslagKolom;
        } else {
            ++c;
            if (c == r + 2) ++c;
        }
        if (c < End && Trim(TabelGrid->Cells(c, r)).empty() && TabelGameCell(c, r) &&
            !IsTabelVrij(c, r)) {
            TabelGrid->FocusCell(c, r, true);
            StatusBar->SetPanelText(1, "");
            return;
        }
    }
    if (TabelGrid->ColCount() > EersteUitslagKolom && TabelGrid->RowCount() > 1)
        TabelGrid->FocusCell(EersteUitslagKolom, 1, true);
}

void TUitslagForm::RefreshTabel() {
    FGamesGridChanged = false;
    if (!CurGroep) return;
    for (int i = 0; i < CurGroep->Games.Count(); ++i)
        for (const TGameSlot& Slot : CurGroep->Games.Game(i)->Rec.Slots)
            if (SlotCellOk(Slot))
                TabelGrid->SetCells(Slot.Col, Slot.Row, UitslagToStr(Slot.Uitslag));
    for (int i = 0; i < FSpelers->Count(); ++i)
        ShowPunten(FSpelers->Sp(i));
    SizeTabel();
}

void TUitslagForm::ColourVrij() {
    if (CurGroep) {
        const bool Vrij = VrijInvullen();
        for (int r = 1; r < TabelGrid->RowCount() && r - 1 < FSpelers->Count(); ++r) {
            const TSp* P = FSpelers->Sp(r - 1);
            if (!P) continue;
            for (const TKolomRec& K : CurGroep->Rec.Kolommen) {
                if (K.Kolom < EersteUitslagKolom || K.Kolom >= TabelGrid->ColCount()) continue;
                if (K.Sp == P) continue;
                const bool Black = !Vrij && (!P->IsNotVrij() || (K.Sp && !K.Sp->IsNotVrij()));
                TabelGrid->SetCellBackColor(K.Kolom, r, Black ? clBlack : clAqua);
            }
        }
    }
    FillGamesGrid();
}

void TUitslagForm::ColourKleur() {
    if (!CheckListBox->Checked(ciWitZwart)) return;
    // Every result column, the last one too.
    const int End = TabelEndKolom();
    for (int r = 1; r < TabelGrid->RowCount(); ++r)
        for (int c = PuntenKolom; c < End; ++c) {
            const TGameCell* Cell = TabelGameCell(c, r);
            if (!Cell || IsTabelVrij(c, r)) continue;
            TabelGrid->SetCellBackColor(c, r,
                                        Cell->Kleur == kZwart ? clSilver : TabelGrid->Color());
        }
}
