#include "app/standform.h"

TStandForm* StandForm = nullptr;

TStandForm::TStandForm(TComponent* AOwner) : TForm(AOwner) {}
