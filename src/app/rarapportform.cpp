#include "app/rarapportform.h"

TRaRapportForm* RaRapportForm = nullptr;

TRaRapportForm::TRaRapportForm(TComponent* AOwner) : TForm(AOwner) {}
