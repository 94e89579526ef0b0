// Program entry: the windows in the order the program has always made them, then
// the message loop until the main window closes.
#include "app/bergerform.h"
#include "app/mainform.h"
#include "app/newgroepform.h"
#include "app/rarapportform.h"
#include "app/spinfoform.h"
#include "app/standform.h"
#include "app/uitslagform.h"
#include "platform/vcl/forms.h"

int main() {
    Application->Initialize();
    Application->CreateForm(MainForm);
    Application->CreateForm(RaRapportForm);
    Application->CreateForm(StandForm);
    Application->CreateForm(SpInfoForm);
    Application->CreateForm(BergerForm);
    Application->CreateForm(UitslagForm);
    Application->CreateForm(ZVNewGroepForm);
    Application->Run();
    return 0;
}
