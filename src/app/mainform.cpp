#include "app/mainform.h"

#include "grid/columngrid.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
    SetBounds(40, 40, 1000, 700);
    StatusBar = new TStatusBar(this);
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->AddPanel()->Width = 250;
    StatusBar->AddPanel()->Width = 50;

    PageControl = new TPageControl(this);
    PageControl->SetParent(this);
    PageControl->SetAlign(alClient);
    PageControl->SetTabStyle(tsFlatButtons);
    auto AddSheet = [this](const char* Caption) {
        auto* Sheet = new TTabSheet(this);
        Sheet->SetPageControl(PageControl);
        Sheet->SetCaption(Caption);
        return Sheet;
    };
    HoofdSheet = AddSheet("Hoofdpagina");
    EditGroepSheet = AddSheet("Edit groep");
    SpelersSheet = AddSheet("Spelers");
    HelpSheet = AddSheet("Help");
    DebugSheet = AddSheet("Debug");

    GroepPanel = new TPanel(this);
    GroepPanel->SetParent(EditGroepSheet);
    GroepPanel->SetAlign(alLeft);
    GroepPanel->SetWidth(420);
    LijstenPanel = new TPanel(this);
    LijstenPanel->SetParent(EditGroepSheet);
    LijstenPanel->SetAlign(alClient);

    LedenPanel = new TPanel(this);
    LedenPanel->SetParent(SpelersSheet);
    LedenPanel->SetAlign(alLeft);
    LedenPanel->SetWidth(420);
    Splitter = new TSplitter(this);
    Splitter->SetParent(SpelersSheet);
    Splitter->SetAlign(alLeft);
    SpelersPanel = new TPanel(this);
    SpelersPanel->SetParent(SpelersSheet);
    SpelersPanel->SetAlign(alClient);

    CreateGroepControls();
    CreateSpelersControls();
    CreateLijstControls();
    CreateLedenControls();
}

TMainForm::~TMainForm() = default;
