#include "app/bergerlayout.h"

#include "controls/numeric/numspin.h"
#include "controls/numeric/spinbutton.h"
#include "model/groupfile.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"

TGroupBox* PlaceGroupBox(TComponent* Owner, TWinControl* Parent, const std::string& Caption,
                         int Left, int Top, int Width, int Height) {
    auto* b = PlaceControl<TGroupBox>(Owner, Parent, Left, Top, Width, Height);
    b->SetCaption(Caption);
    return b;
}

TBitBtn* PlaceButton(TComponent* Owner, TWinControl* Parent, const std::string& Caption, int Left,
                     int Top, int Width) {
    auto* b = PlaceControl<TBitBtn>(Owner, Parent, Left, Top, Width, 30);
    b->SetCaption(Caption);
    return b;
}

TPanel* PlaceSidePanel(TComponent* Owner, TWinControl* Parent, int Width) {
    auto* p = new TPanel(Owner); // owned by Owner
    p->SetParent(Parent);
    p->SetBevelOuter(bvNone);
    p->SetWidth(Width);
    p->SetAlign(alRight);
    return p;
}

TGroupBox* PlaceDraaiBox(TComponent* Owner, TWinControl* Parent, int Left, int Top, int Width,
                         TVcSpinButton*& Spin, TEdit*& DraaiEdit) {
    TGroupBox* box = PlaceGroupBox(Owner, Parent, "Draai ronden", Left, Top, Width, DraaiBoxHeight);
    Spin = PlaceControl<TVcSpinButton>(Owner, box, 12, 17, 18, 43);
    DraaiEdit = PlaceControl<TEdit>(Owner, box, 40, 27, 60, 24);
    DraaiEdit->SetReadOnly(true);
    return box;
}

void SetupAantalSpin(TVcNumSpin* Spin) {
    Spin->SetEditBase(ebInt);
    Spin->SetFormatStr("%d");
    Spin->SetOptions({eoLimitMax, eoLimitMin});
    Spin->SetMinValue(4);
    Spin->SetMaxValue(MaxGroepFileSpelers);
    Spin->SetIncrement(2);
    Spin->SetStartDelay(1000);
    Spin->SetInterval(100);
    Spin->SetEditorEnabled(false);
    Spin->SetColorDefault(clYellow);
    Spin->SetText("4");
}

void AddBergerOpties(TCheckListBox* List) {
    List->Items()->Add("Dubbelrondig");
    List->Items()->Add("Bordkleur");
    List->Items()->Add("Wissel rx ry");
}
