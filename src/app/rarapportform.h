#pragma once

#include "platform/vcl/forms.h"

class TSp;

class TRaRapportForm : public TForm {
public:
    explicit TRaRapportForm(TComponent* AOwner);
    std::string ClassName() const override { return "TRaRapportForm"; }
};

extern TRaRapportForm* RaRapportForm;
