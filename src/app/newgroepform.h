#pragma once

#include "platform/vcl/forms.h"

class TSp;

class TZVNewGroepForm : public TForm {
public:
    explicit TZVNewGroepForm(TComponent* AOwner);
    std::string ClassName() const override { return "TZVNewGroepForm"; }
};

extern TZVNewGroepForm* ZVNewGroepForm;
