// The desktop components' demonstration program: a window with a tray icon
// that shows a balloon, and a sound.

#include "desktop/demo/dkdemoform.h"

int main() {
    Application->Initialize();
    Application->Title = "Vivazozodi demo";
    TDkDemoForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->Demonstrate();
    Application->Run();
    return 0;
}
