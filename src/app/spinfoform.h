#pragma once
// The card of one player: round by round his opponent, colour, result and
// running statistics, and one line per game with the opponent's name.

#include "grid/support/cellprops.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrls.h"

class TSp;
class TStatusBar;
class TExtColumnGrid;
class TLabel;
class TBitBtn;
class TPanel;

class TSpInfoForm : public TForm {
public:
    explicit TSpInfoForm(TComponent* AOwner);
    // FormDestroy runs while the window's parts still stand.
    ~TSpInfoForm() override { BeforeDestruction(); }
    std::string ClassName() const override { return "TSpInfoForm"; }
    void SetSpeler(TSp* Speler) { FSpeler = Speler; }
    TSp* Speler() const { return FSpeler; }

    TStatusBar* StatusBar = nullptr;
    TExtColumnGrid* SpGrid = nullptr;
    TPanel* KnopPanel = nullptr;
    TLabel* NoteLabel = nullptr;
    TBitBtn* KlaarBitBtn = nullptr;
    TBitBtn* ClipBoardBitBtn = nullptr;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormActivate(TObject* Sender);
    void ShowSpInfo();
    // The grid row of the last statistic shown ("PS" or "W-We").
    int LastStatRow() const { return FLastStatRow; }

private:
    void SpGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                            TVAlignment& VAlign);
    void ClipBoardBitBtnClick(TObject* Sender);
    // The round columns wide enough for the game lines merged over them, from FirstRow on.
    void WidenForGameLines(int FirstRow, int Rounds);

    TSp* FSpeler = nullptr; // not owned
    int FLastStatRow = 0;
};

extern TSpInfoForm* SpInfoForm;
