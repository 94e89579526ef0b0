#pragma once
// The application's main window as a whole: showing and hiding it, bringing
// it forward, and the icons of a file.

#include <string>

#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/pictures.h"

// Shows or hides the application's main window.
void dkShowApplication(bool Show);
// Restores the window when minimised, else brings it to the front.
void dkBringToFront(TCustomForm* Form);
// The large and small icon of a file (or a theme icon name) at Index.
bool dkExtractIconPair(const std::string& FileName, int Index, TIcon& Large, TIcon& Small);
