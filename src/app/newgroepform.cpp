#include "app/newgroepform.h"

#include "app/bergerlayout.h"
#include "app/gridstyle.h"
#include "controls/numeric/numspin.h"
#include "controls/numeric/spinbutton.h"
#include "grid/columngrid.h"
#include "platform/rtl/dateutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"

TZVNewGroepForm* ZVNewGroepForm = nullptr;

namespace {

TTabSheet* Sheet(TComponent* Owner, TPageControl* Pages, const std::string& Caption) {
    auto* s = new TTabSheet(Owner); // owned by the form
    s->SetPageControl(Pages);
    s->SetCaption(Caption);
    return s;
}

TExtColumnGrid* Grid(TComponent* Owner, TWinControl* Parent) {
    auto* g = new TExtColumnGrid(Owner); // owned by the form
    g->SetParent(Parent);
    g->SetAlign(alClient);
    SetGridStyle(g, 10);
    return g;
}

} // namespace

TZVNewGroepForm::TZVNewGroepForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("ZVNewGroepForm");
    SetBounds(140, 100, 780, 520);
    // The smallest size at which no control is clipped or overlaps another.
    Constraints()->SetMinWidth(520);
    Constraints()->SetMinHeight(300);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);

    SidePanel = PlaceSidePanel(this, this, 190);
    ClipBoardBitBtn = PlaceButton(this, SidePanel, "ClipBoard", 8, 30, 174);
    KlaarBitBtn = PlaceButton(this, SidePanel, "&Klaar", 8, 66, 174);
    KlaarBitBtn->ModalResult = mrOk; // the only way out of the modal window
    KlaarBitBtn->Cancel = true;      // Escape leaves the window as "Klaar" does
    Memo = PlaceControl<TMemo>(this, SidePanel, 8, 110, 174, 360);
    Memo->SetAnchors({akLeft, akTop, akRight, akBottom});

    PageControl = new TPageControl(this);
    PageControl->SetParent(this);
    PageControl->SetAlign(alClient);

    InfoSheet = Sheet(this, PageControl, "Groep info");
    DatumGroupBox = PlaceGroupBox(this, InfoSheet, "Datum 1e ronde", 16, 16, 220, 56);
    DatumPicker = PlaceControl<TDateTimePicker>(this, DatumGroupBox, 10, 22, 130, 24);
    DatumPicker->SetDateFormat(dfShort);
    DatumPicker->SetDate(Date());
    NaamGroupBox = PlaceGroupBox(this, InfoSheet, "Naam van de groep", 16, 84, 300, 56);
    GroepNaamEdit = PlaceControl<TEdit>(this, NaamGroupBox, 10, 22, 280, 24);
    AantalGroupBox = PlaceGroupBox(this, InfoSheet, "Aantal spelers", 16, 152, 220, 56);
    AantalSpin = PlaceControl<TVcNumSpin>(this, AantalGroupBox, 10, 22, 70, 24);
    SetupAantalSpin(AantalSpin);

    SpelersSheet = Sheet(this, PageControl, "Spelers");
    SpelersGrid = Grid(this, SpelersSheet);

    IndelingSheet = Sheet(this, PageControl, "Indeling");
    IndelingPanel = PlaceSidePanel(this, IndelingSheet, 170);
    DraaiGroupBox = PlaceDraaiBox(this, IndelingPanel, 8, 8, 154, Spin, DraaiEdit);
    OptiesCheckBox = PlaceControl<TCheckListBox>(this, IndelingPanel, 8, 80, 154, 68);
    AddBergerOpties(OptiesCheckBox);
    DeelinBitBtn = PlaceButton(this, IndelingPanel, "Deel in", 8, 158, 154);
    BergerGrid = Grid(this, IndelingSheet);

    PageControl->SetActivePageIndex(0);
}
