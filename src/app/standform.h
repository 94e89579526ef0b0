#pragma once

#include "platform/vcl/forms.h"

class TSp;

class TStandForm : public TForm {
public:
    explicit TStandForm(TComponent* AOwner);
    std::string ClassName() const override { return "TStandForm"; }
    // Bit i set: check item i was checked (kept while the program runs).
    int CheckMask = 0;
};

extern TStandForm* StandForm;
