#pragma once
// The rating report of the current group in the rating federation's
// tournament report layout: the tournament facts, one line per player, and the
// text file made of both.

#include <memory>

#include "platform/vcl/forms.h"

class TBitBtn;
class TExtColumnGrid;
class TGroep;
struct TGroepRec;
class TGroupBox;
class TPanel;
class TSpFideList;
class TStatusBar;
class TStrings;
class TVcNumSpin;

class TRaRapportForm : public TForm {
public:
    explicit TRaRapportForm(TComponent* AOwner);
    ~TRaRapportForm() override;
    std::string ClassName() const override { return "TRaRapportForm"; }

    TStatusBar* StatusBar = nullptr;
    TPanel* TopPanel = nullptr;
    TGroupBox* VanBox = nullptr;
    TGroupBox* TotBox = nullptr;
    TVcNumSpin* VanSpin = nullptr;
    TVcNumSpin* TotSpin = nullptr;
    TBitBtn* KlaarBitBtn = nullptr;
    TBitBtn* SaveBitBtn = nullptr;
    TExtColumnGrid* InfoGrid = nullptr;
    TExtColumnGrid* RapportGrid = nullptr;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void RefreshRapport();
    void SaveBitBtnClick(TObject* Sender);
    // The info grid's place, arbiter, time control and kind of tournament back
    // into the group.
    void StoreRapportInfo();
    void MakeFideReport(TSpFideList& List, TStrings& Lines);
    TSpFideList* FideList() const { return FFideList.get(); }
    // Where the report of the current group is saved.
    std::string RapportFileName() const;

private:
    void RondeSpinChange(TObject* Sender);
    // Van stays within 1..tot/met and tot/met within Van..the last round.
    void ApplyRondeLimits();
    int LastRound() const;

    std::unique_ptr<TSpFideList> FFideList;
    int FVan = 0, FTot = 0; // the rounds of the report shown
    // Set while a spin change rebuilds: the limits set then change the spins again.
    bool FSpinChanging = false;
    bool FOpening = true; // shown, not yet activated
};

extern TRaRapportForm* RaRapportForm;
// The file name made of a group name: spaces and " * / : < > ? \ | become "-".
std::string RapportGroepNaam(const std::string& Naam);
// The report file of the group named Naam in the folder Map.
std::string RapportFileOf(const std::string& Map, const std::string& Naam);
// The tournament's facts of a report file written before (place, kind, arbiter,
// time control) into Rec; false, and Rec as it was, when there is no such file.
bool ReadRapportInfo(const std::string& File, TGroepRec& Rec);
