#pragma once
// The results window: the director types entry codes 0..8 into the crosstable
// or into the list of games; every entry sets both players' results and the
// running scores. The window works on CurGroep directly.
// Built over three sources: uitslagform.cpp (window, activation, buttons),
// uitslagform_tabel.cpp (crosstable), uitslagform_games.cpp (games list).

#include <memory>
#include <string>
#include <vector>

#include "grid/extgridtypes.h"
#include "model/codes.h"
#include "platform/vcl/forms.h"

class TBitBtn;
class TCheckListBox;
class TExtColumnGrid;
class TExtStringGrid;
class TGame;
class TGameCell;
class TIntegerObj;
class TLabel;
class TMemo;
class TPageControl;
class TPanel;
class TSaveDialog;
class TSp;
class TSpList;
class TStatusBar;
class TTabSheet;
class TdkWav;
struct TGameSlot;

class TUitslagForm : public TForm {
public:
    explicit TUitslagForm(TComponent* AOwner);
    ~TUitslagForm() override;
    std::string ClassName() const override { return "TUitslagForm"; }
    // Set by an entry, "Weg" or a save here: the main window has to look at the
    // group again (offer to save it, or take what was saved as its saved copy).
    bool Changed() const { return FChanged; }

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormActivate(TObject* Sender);

    // --- crosstable (uitslagform_tabel.cpp) ---
    void TabelGridKeyPress(TObject* Sender, char& Key);
    void TabelGridKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void TabelGridCellValidate(TObject* Sender, int ACol, int ARow, std::string& Value,
                               bool& Valid);
    void TabelGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);
    void TabelGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                               TVAlignment& VAlign);
    void TabelGridGetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState AState,
                               TBrush* ABrush, TFont* AFont);

    // --- games list (uitslagform_games.cpp) ---
    void GamesGridKeyPress(TObject* Sender, char& Key);
    void GamesGridKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void GamesGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);
    void GamesGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                               TVAlignment& VAlign);
    void ResultGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);

    // --- buttons and choices (uitslagform.cpp) ---
    void SaveDataBitBtnClick(TObject* Sender);
    void ClipBoardBitBtnClick(TObject* Sender);
    void ClearBitBtnClick(TObject* Sender);
    void CheckListBoxClick(TObject* Sender);
    void PageControlChange(TObject* Sender);

    // --- controls ---
    TStatusBar* StatusBar = nullptr;
    TPanel* SidePanel = nullptr;
    TLabel* CodeLabel = nullptr;
    TExtColumnGrid* ResultGrid = nullptr;
    TBitBtn* SaveDataBitBtn = nullptr;
    TBitBtn* KlaarBitBtn = nullptr;
    TBitBtn* ClipBoardBitBtn = nullptr;
    TBitBtn* ClearBitBtn = nullptr;
    TCheckListBox* CheckListBox = nullptr;
    TPageControl* PageControl = nullptr;
    TTabSheet* TabelSheet = nullptr;
    TTabSheet* GamesSheet = nullptr;
    TTabSheet* HelpSheet = nullptr;
    TExtColumnGrid* TabelGrid = nullptr;
    TExtColumnGrid* GamesGrid = nullptr;
    TMemo* HelpMemo = nullptr;
    TSaveDialog* SaveDialog = nullptr;
    TdkWav* dkWav1 = nullptr;

    // Check list items.
    static constexpr int ciWitZwart = 0;
    static constexpr int ciVrijInvullen = 1;

    // --- state, readable for the window's own tests ---
    int LastRound() const { return FLastRound; }
    int NrEmptyGames() const { return FNrEmptyGames; }
    bool SoundPending() const { return FSoundPending; }
    bool GamesGridChanged() const { return FGamesGridChanged; }
    const TSpList& Spelers() const { return *FSpelers; }

    // --- the window's steps ---
    void FillResultGrid();
    void FillGamesGrid();
    void FillUitslagSpelers();
    // False when the game is not placed in the crosstable: nothing changed.
    bool SetTabelUitslag(TGameCell* Cell, TInvoerCode Code);
    void SetGamesUitslag(TInvoerCode Code);
    void GotoNextEmptyCell();
    void RefreshTabel();
    void ShowGameRow(int GameId);
    void SelectResultCode(TInvoerCode Code);
    void CheckAllResults();
    void ColourVrij();
    void ColourKleur();
    void AddHelpLine(const std::string& Text);

private:
    void CreateControls();
    // Fills the crosstable anew from the group: at activation and after a save,
    // which renumbers the game sides' cells for the file.
    void FillTabel();
    // The grid column after the last result column.
    int TabelEndKolom() const;
    // Sizes the crosstable's columns to their contents, every result column
    // at least as wide as the widest result text it can get.
    void SizeTabel();
    // The slot's crosstable cell lies among the result cells and the slot has
    // its player.
    bool SlotCellOk(const TGameSlot& Slot) const;
    TGameCell* TabelGameCell(int ACol, int ARow) const;
    // The cell is a bye's game's and "VRIJ invullen" is off: it takes no result.
    bool IsTabelVrij(int ACol, int ARow) const;
    // Writes the player's points cell (column 2 of his row).
    void ShowPunten(const TSp* Sp);
    TGame* GamesRowGame(int ARow) const;
    void WriteGamesRowResults(int ARow);
    bool VrijInvullen() const;
    bool IsVrijGame(const TGame& Game) const;
    void MarkChanged();

    std::unique_ptr<TSpList> FSpelers;
    std::vector<std::unique_ptr<TIntegerObj>> FCodeObjs;
    int FLastRound = 0;
    bool FGamesGridChanged = false;
    int FNrEmptyGames = 0;
    bool FSoundPending = true;
    bool FChanged = false;
    // An entry key was pressed and not yet released.
    bool FEntryKeyDown = false;
    // A real showing fills the window; an activation after a dialog over it
    // (the save dialog, a question) keeps its page, status and buttons.
    bool FNieuwTonen = false;
    bool FGevuld = false;
};

extern TUitslagForm* UitslagForm;
