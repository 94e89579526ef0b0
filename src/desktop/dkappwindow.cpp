#include "dkappwindow.h"

#include "platform/desktop/windowshell.h"

void dkShowApplication(bool Show) {
    if (!Application || !Application->MainForm()) return;
    if (Show)
        BringWindowForward(Application->MainForm());
    else
        Application->MainForm()->Hide();
}

void dkBringToFront(TCustomForm* Form) {
    BringWindowForward(Form);
}

bool dkExtractIconPair(const std::string& FileName, int Index, TIcon& Large, TIcon& Small) {
    return LoadIconPair(FileName, Index, Large, Small);
}
