#include "app/bergerform.h"

#include "app/bergerlayout.h"
#include "controls/numeric/numspin.h"
#include "controls/numeric/spinbutton.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"

TBergerForm* BergerForm = nullptr;

TBergerForm::TBergerForm(TComponent* AOwner) : TForm(AOwner) {
    BuildControls();
    OnCreate = [this](TObject* S) { FormCreate(S); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnActivate = [this](TObject* S) { FormActivate(S); };
    OnCloseQuery = [this](TObject* S, bool& CanClose) { FormCloseQuery(S, CanClose); };
}

TBergerForm::~TBergerForm() = default;

void TBergerForm::BuildControls() {
    SetCaption("Berger tabel");
    SetBounds(120, 80, 900, 560);
    // The smallest size at which no control is clipped or overlaps another.
    Constraints()->SetMinWidth(500);
    Constraints()->SetMinHeight(440);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);

    StatusBar = new TStatusBar(this);
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->AddPanel()->Width = 260;
    StatusBar->AddPanel()->Width = 400;

    SidePanel = PlaceSidePanel(this, this, 210);

    BergerGrid = new TExtColumnGrid(this);
    BergerGrid->SetParent(this);
    BergerGrid->SetAlign(alClient);
    BergerGrid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
    BergerGrid->OnGetAlignment = [this](TObject*, int ARow, int ACol, TAlignment& HAlign,
                                        TVAlignment&) {
        BergerGridGetAlignment(ARow, ACol, HAlign);
    };
    BergerGrid->OnGetCellColor = [this](TObject*, int ARow, int ACol, TGridDrawState,
                                        TBrush* ABrush,
                                        TFont*) { BergerGridGetCellColor(ARow, ACol, ABrush); };

    AantalGroupBox = PlaceGroupBox(this, SidePanel, "Aantal spelers", 8, 8, 194, 56);
    AantalSpin = PlaceControl<TVcNumSpin>(this, AantalGroupBox, 12, 22, 70, 24);
    SetupAantalSpin(AantalSpin);
    AantalSpin->OnChange = [this](TObject* S) { AantalSpinChange(S); };

    DraaiGroupBox = PlaceDraaiBox(this, SidePanel, 8, 72, 194, Spin, DraaiEdit);
    Spin->OnUpClick = [this](TObject* S) { SpinUpClick(S); };
    Spin->OnDownClick = [this](TObject* S) { SpinDownClick(S); };

    OptiesCheckBox = PlaceControl<TCheckListBox>(this, SidePanel, 8, 144, 194, 68);
    AddBergerOpties(OptiesCheckBox);
    OptiesCheckBox->OnClickCheck = [this](TObject* S) { OptiesCheckBoxClick(S); };

    NaamGroupBox = PlaceGroupBox(this, SidePanel, "Naam van de groep", 8, 220, 194, 56);
    GroepNaamEdit = PlaceControl<TEdit>(this, NaamGroupBox, 10, 22, 174, 24);

    DatumGroupBox = PlaceGroupBox(this, SidePanel, "Datum 1e ronde", 8, 284, 194, 56);
    DatumPicker = PlaceControl<TDateTimePicker>(this, DatumGroupBox, 10, 22, 130, 24);
    DatumPicker->SetDateFormat(dfShort);

    ClipBoardBitBtn = PlaceButton(this, SidePanel, "ClipBoard", 8, 352, 194);
    ClipBoardBitBtn->OnClick = [this](TObject* S) { ClipBoardBitBtnClick(S); };
    KlaarBitBtn = PlaceButton(this, SidePanel, "&Klaar", 8, 388, 194);
    KlaarBitBtn->OnClick = [this](TObject* S) { KlaarBitBtnClick(S); };
    KlaarBitBtn->Cancel = true; // Escape leaves the window as "Klaar" does
    // Hidden while the window is in use: closing divides the group.
    DeelinBitBtn = PlaceButton(this, SidePanel, "Deel in", 8, 424, 194);
    DeelinBitBtn->OnClick = [this](TObject* S) { DeelinBitBtnClick(S); };
}

bool TBergerForm::Optie(TBergerOptie Item) const {
    return OptiesCheckBox->Checked(static_cast<int>(Item));
}

int TBergerForm::TabelSpelers() const {
    return FBergerList ? FBergerList->AantalSpelers : 0;
}

void TBergerForm::FormCreate(TObject*) {
    FBergerList = std::make_unique<TMyBergerList>();
    DeelinBitBtn->SetVisible(false);
    FDraaiStap = 0;
    FKleurCol = -1;
    FMade = false;
    GroepNaamEdit->SetText("");
    DatumPicker->SetDate(Date());
}

// Filled as soon as it shows, so that a desktop that reports no activation still
// gets a window that starts from the group.
void TBergerForm::FormShow(TObject*) {
    FFresh = true;
    FormActivate(this);
}

// The window becomes active again after each of its own questions; only the first
// activation of a showing starts from the group, so the director's choices stay.
void TBergerForm::FormActivate(TObject*) {
    if (!FFresh || !FBergerList) return;
    FFresh = false;
    FMade = false;
    FIngedeeld = false;
    if (CurGroep) {
        AantalSpin->SetValue(CurGroep->Spelers.Count());
        OptiesCheckBox->SetChecked(boDubbelRondig, CurGroep->Rec.DubbelRondig != 0);
        GroepNaamEdit->SetText(CurGroep->Rec.Naam);
        // A group without a first-round date starts at today.
        const TDateTime datum = CurGroep->Rec.DatumEersteRonde;
        DatumPicker->SetDate(datum > 0 ? datum : Date());
        StatusBar->SetPanelText(0, CurGroep->Rec.Naam);
    }
    StatusBar->SetPanelText(1, "");
    AantalSpinChange(this);
}

void TBergerForm::OptiesCheckBoxClick(TObject* Sender) {
    AantalSpinChange(Sender);
}

void TBergerForm::SpinUpClick(TObject*) {
    DraaiBerger(1);
    ShowBerger();
}

void TBergerForm::SpinDownClick(TObject*) {
    DraaiBerger(-1);
    ShowBerger();
}

void TBergerForm::ClipBoardBitBtnClick(TObject*) {
    BergerGrid->CopyToClipboard();
    Beep();
}

void TBergerForm::KlaarBitBtnClick(TObject*) {
    Close();
}

void TBergerForm::DeelinBitBtnClick(TObject*) {
    MakeNieuweGroep();
}

void TBergerForm::FormCloseQuery(TObject*, bool& CanClose) {
    // A group already divided in this showing is new, even when nothing differs now.
    FMade = FIngedeeld;
    const std::string naam = Trim(GroepNaamEdit->Text());
    GroepNaamEdit->SetText(naam);
    if (naam.empty()) {
        // Without a name no group is made: stay to type one, or close as it was.
        CanClose = MessageDlg("Geen groepsnaam geplaatst.\rKan geen nieuwe groep maken\r\r"
                              "Eerst een groepsnaam plaatsen ?\r",
                              mtConfirmation, mbYesNo) != mrYes;
        return;
    }
    if (!CurGroep || !FBergerList) return;
    // An odd group is paired on the table of the next even count (the extra number is
    // the bye), so that table is no change of count.
    const int spelers = CurGroep->Spelers.Count();
    const bool andereNaam = AnsiUpperCase(naam) != AnsiUpperCase(CurGroep->Rec.Naam);
    if (!andereNaam && spelers + spelers % 2 == TabelSpelers()) return;
    // Only a Yes makes the new group; No or Escape leaves the open group, its
    // name and its results as they were.
    if (MessageDlg("Nieuwe groep " + naam + " indelen ?\r\r" + StatusBar->Panels(1)->Text,
                   mtConfirmation, mbYesNo) == mrYes)
        MakeNieuweGroep();
}
