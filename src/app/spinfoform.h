#pragma once

#include "platform/vcl/forms.h"

class TSp;

class TSpInfoForm : public TForm {
public:
    explicit TSpInfoForm(TComponent* AOwner);
    std::string ClassName() const override { return "TSpInfoForm"; }
    void SetSpeler(TSp* Speler) { FSpeler = Speler; }

private:
    TSp* FSpeler = nullptr; // not owned
};

extern TSpInfoForm* SpInfoForm;
