// The results window's list of games: one row per game, entry by code on the
// current row.
#include <algorithm>

#include "app/gridstyle.h"
#include "app/uitslagform.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/listctrls.h"

namespace {

enum TGamesKolom {
    gkRonde,
    gkWit,
    gkStreep,
    gkZwart,
    gkWitUitslag,
    gkStreep2,
    gkZwartUitslag,
    gkNrs
};
constexpr int GamesKolomCount = 8;

std::string SlotNaam(const TGameSlot& Slot) {
    return Slot.Sp ? Slot.Sp->GetNaam() : std::string();
}

} // namespace

bool TUitslagForm::IsVrijGame(const TGame& Game) const {
    return CurGroep && CurGroep->IsVrijGame(Game);
}

TGame* TUitslagForm::GamesRowGame(int ARow) const {
    if (ARow < 1 || ARow >= GamesGrid->RowCount()) return nullptr;
    return dynamic_cast<TGame*>(GamesGrid->Objects(gkRonde, ARow));
}

void TUitslagForm::WriteGamesRowResults(int ARow) {
    const TGame* Game = GamesRowGame(ARow);
    if (!Game) return;
    GamesGrid->SetCells(gkWitUitslag, ARow, Game->GetUitslagStr(SlotWit));
    GamesGrid->SetCells(gkZwartUitslag, ARow, Game->GetUitslagStr(SlotZwart));
}

void TUitslagForm::FillGamesGrid() {
    GamesGrid->ClearGrid();
    GamesGrid->SetColCount(GamesKolomCount);
    const int NrGames = CurGroep ? CurGroep->Games.Count() : 0;
    GamesGrid->SetRowCount(std::max(2, NrGames + 1));
    SetGridStyle(GamesGrid, 9);
    const int NaamBreedte = GamesGrid->Canvas()->TextWidth("WWWWWWW") + 8;
    const char* const Koppen[GamesKolomCount] = {"", "Wit", "-", "Zwart", "W", "", "Z", "W-Z"};
    for (int c = 0; c < GamesKolomCount; ++c)
        GamesGrid->SetCells(c, 0, Koppen[c]);
    const bool Vrij = VrijInvullen();
    for (int i = 0; i < NrGames; ++i) {
        TGame* Game = CurGroep->Games.Game(i);
        const int r = i + 1;
        GamesGrid->SetCells(gkRonde, r, "r" + IntToStr(Game->Rec.Ronde));
        GamesGrid->SetObjects(gkRonde, r, Game);
        GamesGrid->SetCells(gkWit, r, SlotNaam(Game->Rec.Slots[SlotWit]));
        GamesGrid->SetCells(gkStreep, r, "-");
        GamesGrid->SetCells(gkZwart, r, SlotNaam(Game->Rec.Slots[SlotZwart]));
        GamesGrid->SetCells(gkStreep2, r, "-");
        GamesGrid->SetCells(gkNrs, r, Game->GetBergerNrsStr());
        WriteGamesRowResults(r);
        const TColor Kleur = !Vrij && IsVrijGame(*Game) ? clBlack : clAqua;
        GamesGrid->SetCellBackColor(gkWitUitslag, r, Kleur);
        GamesGrid->SetCellBackColor(gkZwartUitslag, r, Kleur);
    }
    GamesGrid->AutoSizeColumns(true, 8);
    for (int c : {gkWit, gkZwart})
        GamesGrid->SetColWidths(c, std::max(GamesGrid->ColWidths(c), NaamBreedte));
}

void TUitslagForm::ShowGameRow(int GameId) {
    for (int r = 1; r < GamesGrid->RowCount(); ++r) {
        const TGame* Game = GamesRowGame(r);
        if (Game && Game->Rec.GameId == GameId) {
            GamesGrid->FocusCell(gkWit, r, true);
            WriteGamesRowResults(r);
            return;
        }
    }
}

void TUitslagForm::GamesGridKeyPress(TObject*, char& Key) {
    if (PageControl->ActivePage() != GamesSheet) return;
    if (Key < '0' || Key > '8') return;
    TGame* Game = GamesRowGame(GamesGrid->Row());
    if (!Game) return;
    // The bye's game takes no result unless asked for: the code is refused
    // where it stands, so the next one cannot land a game too far on.
    if (!VrijInvullen() && IsVrijGame(*Game)) {
        Key = '\0';
        Beep();
        return;
    }
    const auto Code = static_cast<TInvoerCode>(Key - '0');
    SelectResultCode(Code);
    SetGamesUitslag(Code);
    FEntryKeyDown = true;
}

void TUitslagForm::SetGamesUitslag(TInvoerCode Code) {
    const int r = GamesGrid->Row();
    TGame* Game = GamesRowGame(r);
    if (!Game || !CurGroep) return;
    FGamesGridChanged = true;
    CurGroep->SetUitslag(*Game, Code, kWit);
    StatusBar->SetPanelText(1, Game->GetGameStr());
    WriteGamesRowResults(r);
    MarkChanged();
}

void TUitslagForm::GamesGridKeyUp(TObject*, WORD&, TShiftState) {
    if (PageControl->ActivePage() != GamesSheet) return;
    // Only the release of an entry moves on: arrow keys keep moving by hand.
    if (!FEntryKeyDown) return;
    FEntryKeyDown = false;
    const int From = GamesGrid->Row();
    if (!GamesRowGame(From)) return;
    // The next game waiting for a result: the bye's games wait for none
    // unless they are to be filled in.
    const bool Vrij = VrijInvullen();
    int Found = -1;
    for (int r = From + 1; r < GamesGrid->RowCount() && Found < 0; ++r) {
        const TGame* Game = GamesRowGame(r);
        if (Game && Game->GetUitslag(SlotWit) == ucGeen && Game->GetUitslag(SlotZwart) == ucGeen &&
            (Vrij || !IsVrijGame(*Game)))
            Found = r;
    }
    if (CurGroep) FNrEmptyGames = CurGroep->GetNrEmptyGames();
    if (Found > 0) GamesGrid->FocusCell(GamesGrid->Col(), Found, true);
    Beep();
    CheckAllResults();
}

void TUitslagForm::GamesGridCanEditCell(TObject*, int, int, bool& CanEdit) {
    CanEdit = false;
}

void TUitslagForm::GamesGridGetAlignment(TObject*, int, int ACol, TAlignment& HAlign,
                                         TVAlignment&) {
    HAlign = (ACol == gkWit || ACol == gkZwart) ? taLeftJustify : taCenter;
}
