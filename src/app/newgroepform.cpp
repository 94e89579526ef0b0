#include "app/newgroepform.h"

TZVNewGroepForm* ZVNewGroepForm = nullptr;

TZVNewGroepForm::TZVNewGroepForm(TComponent* AOwner) : TForm(AOwner) {}
