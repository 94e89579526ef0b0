#pragma once
// The Berger window: the director picks the number of players, single or double
// round, the rotation of the rounds, the name and the first-round date, sees the
// pairing table, and on closing with a new name or count the current group can be
// rebuilt from that table with empty players.

#include <memory>

#include "model/berger.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrls.h"

class TSp;
class TStatusBar;
class TExtColumnGrid;
class TGroupBox;
class TVcSpinButton;
class TVcNumSpin;
class TEdit;
class TCheckListBox;
class TDateTimePicker;
class TBitBtn;
class TPanel;

// The items of the options list.
enum TBergerOptie { boDubbelRondig = 0, boBordKleur = 1, boWissel = 2 };

class TBergerForm : public TForm {
public:
    explicit TBergerForm(TComponent* AOwner);
    ~TBergerForm() override;
    std::string ClassName() const override { return "TBergerForm"; }
    // Set when the window closed with a new name or player count.
    bool Made() const { return FMade; }
    // Rebuilds the current group from the table: empty players, the table's games.
    void MakeNieuweGroep();

    TStatusBar* StatusBar = nullptr;
    TPanel* SidePanel = nullptr;
    TExtColumnGrid* BergerGrid = nullptr;
    TGroupBox* DraaiGroupBox = nullptr;
    TVcSpinButton* Spin = nullptr;
    TEdit* DraaiEdit = nullptr;
    TGroupBox* AantalGroupBox = nullptr;
    TVcNumSpin* AantalSpin = nullptr;
    TCheckListBox* OptiesCheckBox = nullptr;
    TGroupBox* NaamGroupBox = nullptr;
    TEdit* GroepNaamEdit = nullptr;
    TGroupBox* DatumGroupBox = nullptr;
    TDateTimePicker* DatumPicker = nullptr;
    TBitBtn* DeelinBitBtn = nullptr;
    TBitBtn* ClipBoardBitBtn = nullptr;
    TBitBtn* KlaarBitBtn = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void AantalSpinChange(TObject* Sender);
    void OptiesCheckBoxClick(TObject* Sender);
    void SpinUpClick(TObject* Sender);
    void SpinDownClick(TObject* Sender);
    void ClipBoardBitBtnClick(TObject* Sender);
    void KlaarBitBtnClick(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void DeelinBitBtnClick(TObject* Sender);

    // Adds Stap to the rotation (back to 0 after a full turn) and rotates the table.
    void DraaiBerger(int Stap);
    void ShowBerger();
    void ShowBordKleur();
    void ShowBergerInfo();

    const TMyBergerList& BergerList() const { return *FBergerList; }
    int DraaiStap() const { return FDraaiStap; }
    bool Optie(TBergerOptie Item) const;

private:
    void BuildControls();
    void BergerGridGetAlignment(int ARow, int ACol, TAlignment& HAlign);
    void BergerGridGetCellColor(int ARow, int ACol, TBrush* ABrush);
    // The player count the table was built for (odd counts carry the bye's number).
    int TabelSpelers() const;

    std::unique_ptr<TMyBergerList> FBergerList;
    int FDraaiStap = 0;
    int FKleurCol = -1; // first column of the colour view, -1 without it
    bool FMade = false;
    bool FIngedeeld = false; // the group was divided in this showing
    bool FFresh = false;     // shown and not yet filled from the group
};

extern TBergerForm* BergerForm;
