#include "app/bergerform.h"

TBergerForm* BergerForm = nullptr;

TBergerForm::TBergerForm(TComponent* AOwner) : TForm(AOwner) {}
void TBergerForm::MakeNieuweGroep() {}
