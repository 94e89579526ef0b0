#include "app/uitslagform.h"

TUitslagForm* UitslagForm = nullptr;

TUitslagForm::TUitslagForm(TComponent* AOwner) : TForm(AOwner) {}
