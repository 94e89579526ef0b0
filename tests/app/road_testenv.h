#pragma once
// The whole program in a folder of its own: the seven windows made as the
// program makes them, on the main-window fixture's temporary documents folder,
// working folder and settings file, with scripted dialogs.

#include <functional>
#include <memory>
#include <string>

#include "app/bergerform.h"
#include "app/mainform.h"
#include "app/newgroepform.h"
#include "app/rarapportform.h"
#include "app/spinfoform.h"
#include "app/standform.h"
#include "app/uitslagform.h"
#include "mainform_testenv.h"

// The windows of one run of the program; the globals point at them while they
// live.
class TProgramWindows {
public:
    TProgramWindows();
    ~TProgramWindows();
    TProgramWindows(const TProgramWindows&) = delete;
    TProgramWindows& operator=(const TProgramWindows&) = delete;

    // Shows the main window and waits until the window system activated it.
    void Start();

    TMainForm& Main() const { return *FMain; }

private:
    std::unique_ptr<TMainForm> FMain;
    std::unique_ptr<TRaRapportForm> FRaRapport;
    std::unique_ptr<TStandForm> FStand;
    std::unique_ptr<TSpInfoForm> FSpInfo;
    std::unique_ptr<TBergerForm> FBerger;
    std::unique_ptr<TUitslagForm> FUitslag;
    std::unique_ptr<TZVNewGroepForm> FNewGroep;
};

// Runs Action from inside the modal loop of Form once Form shows (the call that
// shows it comes after); the form is closed after when Action did not end it.
void WhenShown(TCustomForm& Form, const std::function<void()>& Action);

class RoadTest : public MainFormTest {
protected:
    void TearDown() override;
    TProgramWindows& StartProgram();
    // Starts the program with the club group saved as "Club.csv" in the data
    // root's "Voorbeeld" and chosen, not yet opened, in "Data bestanden".
    TMainForm& StartWithClubChosen();
    void StopProgram();
    // Makes a new group through the Berger window: Count players, single round.
    void MakeNewGroep(const std::string& Naam, TDateTime Datum, int Count = 8);
    // Selects the players grid row as a click does.
    void SelectSpeler(int Row);

    std::unique_ptr<TProgramWindows> W;
};
