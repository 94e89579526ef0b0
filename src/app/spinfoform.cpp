#include "app/spinfoform.h"

TSpInfoForm* SpInfoForm = nullptr;

TSpInfoForm::TSpInfoForm(TComponent* AOwner) : TForm(AOwner) {}
