#include "road_testenv.h"

#include "controls/numeric/numspin.h"
#include "grid/columngrid.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/synthinput.h"

namespace {

template <class Form> std::unique_ptr<Form> MakeForm(Form*& Global) {
    auto f = std::make_unique<Form>(nullptr);
    Global = f.get();
    f->AfterConstruction();
    return f;
}

template <class Form> void Drop(std::unique_ptr<Form>& Owned, Form*& Global) {
    Owned.reset();
    Global = nullptr;
}

} // namespace

TProgramWindows::TProgramWindows()
    : FMain(MakeForm(MainForm)), FRaRapport(MakeForm(RaRapportForm)), FStand(MakeForm(StandForm)),
      FSpInfo(MakeForm(SpInfoForm)), FBerger(MakeForm(BergerForm)), FUitslag(MakeForm(UitslagForm)),
      FNewGroep(MakeForm(ZVNewGroepForm)) {}

TProgramWindows::~TProgramWindows() {
    // The other way round, the main window last.
    Drop(FNewGroep, ZVNewGroepForm);
    Drop(FUitslag, UitslagForm);
    Drop(FBerger, BergerForm);
    Drop(FSpInfo, SpInfoForm);
    Drop(FStand, StandForm);
    Drop(FRaRapport, RaRapportForm);
    Drop(FMain, MainForm);
}

void TProgramWindows::Start() {
    FMain->Show();
    EXPECT_TRUE(PumpUntil([this] { return FMain->Activated; })) << "never activated";
}

void WhenShown(TCustomForm& Form, const std::function<void()>& Action) {
    // A timer of the form's own looks until the window is up: the call that
    // shows it comes after, and its modal loop runs the timer.
    auto* timer = new TTimer(&Form);
    timer->SetInterval(5);
    timer->SetOnTimer([&Form, timer, Action](TObject*) {
        if (!timer->Enabled() || !Form.Visible()) return;
        timer->SetEnabled(false);
        Action();
        if (Form.Visible() && Form.ModalResult() == mrNone) Form.Close();
    });
    timer->SetEnabled(true);
}

void RoadTest::TearDown() {
    StopProgram();
    MainFormTest::TearDown();
}

TProgramWindows& RoadTest::StartProgram() {
    W = std::make_unique<TProgramWindows>();
    W->Start();
    return *W;
}

TMainForm& RoadTest::StartWithClubChosen() {
    const std::string folder = Root + "/Voorbeeld";
    SaveClubFile(folder, "Club.csv");
    TMainForm& m = StartProgram().Main();
    m.FileListBox->SetDirectory(folder);
    m.FileListBox->SetItemIndex(m.FileListBox->Items()->IndexOf("Club.csv"));
    return m;
}

void RoadTest::StopProgram() {
    W.reset();
}

void RoadTest::MakeNewGroep(const std::string& Naam, TDateTime Datum, int Count) {
    TBergerForm& b = *BergerForm;
    Dialogs->QueueAnswer(mrYes); // "Nieuwe groep ... indelen ?"
    WhenShown(b, [&] {
        PumpUntil([&] { return !b.StatusBar->Panels(1)->Text.empty(); });
        b.AantalSpin->SetValue(Count);
        b.AantalSpinChange(b.AantalSpin);
        b.GroepNaamEdit->SetText(Naam);
        b.DatumPicker->SetDate(Datum);
        b.KlaarBitBtn->Click();
    });
    W->Main().NewGroepBitBtn->Click();
}

void RoadTest::SelectSpeler(int Row) {
    TExtColumnGrid& g = *W->Main().SpEditGrid;
    g.SetRow(Row == 1 ? 2 : 1);
    g.SetRow(Row);
}
