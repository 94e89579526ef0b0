// A program with an identity given on its command line, for the single
// instance tests: prints "first" or "later" and, as a later instance, the
// message it showed. A first instance waits for a line on its input.

#include <poll.h>

#include <iostream>
#include <memory>
#include <string>

#include "desktop/dkoneinstance.h"
#include "platform/rtl/dialogs.h"
#include "platform/vcl/forms.h"

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    TScriptedDialogsScope Asked;
    Application->Title = argv[1];
    TForm* Main = nullptr;
    Application->CreateForm(Main);
    auto* One = new TdkOneInstance(Main);
    One->Identifier = argv[2];
    One->ShowMessage = true;
    Main->BeginLoading();
    Main->EndLoading();
    if (Application->Terminated()) {
        // As a program would: the loop ends at once and the window never shows,
        // not even where the program goes on to run its loop again.
        Application->Run();
        const bool Shown = Main->Visible() || Application->ShowMainForm;
        std::cout << (Shown ? "shown\n" : "later\n");
        for (const auto& Q : Asked->Asked())
            std::cout << Q.Text << "\n";
        return 3;
    }
    std::cout << "first" << std::endl;
    // Serve the window thread until the input ends or says so; report the
    // main window coming forward once.
    bool Raised = false;
    for (;;) {
        Application->ProcessMessages();
        if (!Raised && Main->Visible()) {
            Raised = true;
            std::cout << "raised" << std::endl;
        }
        pollfd In{0, POLLIN, 0};
        if (poll(&In, 1, 10) > 0) break;
    }
    return 0;
}
