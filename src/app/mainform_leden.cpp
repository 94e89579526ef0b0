#include "app/mainform.h"

void TMainForm::CreateLijstControls() {}
void TMainForm::CreateLedenControls() {}
void TMainForm::FillListTrees() {}
