#pragma once

#include "platform/vcl/forms.h"

class TSp;

class TUitslagForm : public TForm {
public:
    explicit TUitslagForm(TComponent* AOwner);
    std::string ClassName() const override { return "TUitslagForm"; }
    // Set by an entry on the games page: the group has to be saved.
    bool Changed() const { return FChanged; }

private:
    bool FChanged = false;
};

extern TUitslagForm* UitslagForm;
