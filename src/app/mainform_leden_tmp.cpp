// Stands in for the main window's check of the players grid until the window's
// own lands on this branch; it then goes.
#include "app/mainform.h"

void TMainForm::CheckSpelersNamen() {}
