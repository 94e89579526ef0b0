#pragma once
// The standings window: the current group ranked after its last round, with a
// choice of columns, editable series points, the clipboard and a fixed-width
// text file.
//
// standform.cpp builds the window and answers its events, standform_sort.cpp
// ranks the players, standform_text.cpp writes the text file.

#include <memory>
#include <string>

#include "grid/support/cellprops.h"
#include "platform/vcl/forms.h"

class TSp;
class TSpList;
class TExtColumnGrid;
class TCheckListBox;
class TBitBtn;
class TStatusBar;
class TSaveDialog;

// The items of the column choice, by index.
namespace StandItem {
inline constexpr int Lootnummer = 0, Relatienr = 1, WP = 2, SB = 3, Rating = 4, Rc = 5, Tpr = 6,
                     WWe = 7, Uitslagen = 8, Onderling = 9, ZVPunten = 10, WitZwart = 11, Vrij = 12,
                     Totaal = 13, Count = 14;
}

class TStandForm : public TForm {
public:
    explicit TStandForm(TComponent* AOwner);
    ~TStandForm() override;
    std::string ClassName() const override { return "TStandForm"; }
    // Bit i set: check item i was checked (kept while the program runs).
    int CheckMask = 0;

    // Owned by the form as components.
    TExtColumnGrid* StandGrid = nullptr;
    TCheckListBox* CheckBox = nullptr;
    TBitBtn* KlaarBitBtn = nullptr;
    TBitBtn* ClipBoardBitBtn = nullptr;
    TBitBtn* SaveDataBitBtn = nullptr;
    TBitBtn* HelpBitBtn = nullptr;
    TStatusBar* StatusBar = nullptr;
    TSaveDialog* SaveDialog = nullptr;

    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void CheckBoxClick(TObject* Sender);
    void StandGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);
    void StandGridGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
    void StandGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                               TVAlignment& VAlign);
    void StandGridDblClickCell(TObject* Sender, int ARow, int ACol);
    // Return on a player's row opens his card, as a double click does.
    void StandGridKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void ClipBoardBitBtnClick(TObject* Sender);
    void HelpBitBtnClick(TObject* Sender);
    void SaveDataBitBtnClick(TObject* Sender);

    // Ranks the current group's players into StandList (and sets their mutual
    // scores and series points).
    void SortStand();
    // The series points typed into the grid go back to the players.
    void StoreZVPoints();
    // The shown rows and columns as fixed-width text, and written to a file.
    std::string StandText() const;
    void SaveStandText(const std::string& FileName) const;

    TSpList& StandList() const { return *FStandList; }
    int LastRound() const { return FLastRound; }
    bool HasRatings() const { return FHasRatings; }
    int ZVKolom() const { return FZVKolom; }

private:
    std::unique_ptr<TSpList> FStandList;
    int FLastRound = -1;
    bool FHasRatings = false;
    int FZVKolom = -1;
    // A real showing fills the window; an activation after a dialog over it
    // keeps what the director chose. The grid's rows hold the group's players
    // only while the window is shown.
    bool FNieuwTonen = false;
    bool FGevuld = false;
};

extern TStandForm* StandForm;
