#include "app/mainform.h"

void TMainForm::CreateGroepControls() {}
void TMainForm::CreateSpelersControls() {}
void TMainForm::EditGroepBitBtnClick(TObject*) {}
void TMainForm::SelNaamRadioClick(TObject*) {}
void TMainForm::FillSpEditGrid() {}
void TMainForm::ReadSpEditGrid() {}
void TMainForm::FillEditBoxes(TSp*) {}
void TMainForm::FillSortCheckBox() {}
