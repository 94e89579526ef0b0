#pragma once
// A window laid out for making a new group over three pages (group details,
// players, pairing); it has no behaviour of its own.

#include "platform/vcl/forms.h"

class TSp;
class TPageControl;
class TTabSheet;
class TPanel;
class TGroupBox;
class TDateTimePicker;
class TEdit;
class TVcNumSpin;
class TVcSpinButton;
class TExtColumnGrid;
class TCheckListBox;
class TBitBtn;
class TMemo;

class TZVNewGroepForm : public TForm {
public:
    explicit TZVNewGroepForm(TComponent* AOwner);
    std::string ClassName() const override { return "TZVNewGroepForm"; }

    TPageControl* PageControl = nullptr;
    TTabSheet* InfoSheet = nullptr;
    TGroupBox* DatumGroupBox = nullptr;
    TDateTimePicker* DatumPicker = nullptr;
    TGroupBox* NaamGroupBox = nullptr;
    TEdit* GroepNaamEdit = nullptr;
    TGroupBox* AantalGroupBox = nullptr;
    TVcNumSpin* AantalSpin = nullptr;
    TTabSheet* SpelersSheet = nullptr;
    TExtColumnGrid* SpelersGrid = nullptr;
    TTabSheet* IndelingSheet = nullptr;
    TExtColumnGrid* BergerGrid = nullptr;
    TPanel* IndelingPanel = nullptr;
    TGroupBox* DraaiGroupBox = nullptr;
    TVcSpinButton* Spin = nullptr;
    TEdit* DraaiEdit = nullptr;
    TCheckListBox* OptiesCheckBox = nullptr;
    TBitBtn* DeelinBitBtn = nullptr;
    TPanel* SidePanel = nullptr;
    TBitBtn* ClipBoardBitBtn = nullptr;
    TBitBtn* KlaarBitBtn = nullptr;
    TMemo* Memo = nullptr;
};

extern TZVNewGroepForm* ZVNewGroepForm;
