#pragma once

#include "platform/vcl/forms.h"

class TSp;

class TBergerForm : public TForm {
public:
    explicit TBergerForm(TComponent* AOwner);
    std::string ClassName() const override { return "TBergerForm"; }
    // Set when the window closed with a new name or player count.
    bool Made() const { return FMade; }
    void MakeNieuweGroep();

private:
    bool FMade = false;
};

extern TBergerForm* BergerForm;
