#include "mainform_testenv.h"

#include "apptestenv.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/listctrls.h"

namespace {

void SaveEnv(const char* Name, std::string& Old, bool& Had) {
    const char* v = std::getenv(Name);
    Had = v != nullptr;
    Old = v ? v : "";
}

void RestoreEnv(const char* Name, const std::string& Old, bool Had) {
    if (Had)
        setenv(Name, Old.c_str(), 1);
    else
        unsetenv(Name);
}

} // namespace

void MainFormTest::SetUp() {
    WidgetTest::SetUp();
    Docs = Temp.File("docs");
    Root = Docs + "/Vivazozodi";
    Work = Temp.File("work");
    IniFile = Temp.File("vivazozodi.ini");
    ForceDirectories(Docs);
    ForceDirectories(Work);
    SaveEnv("XDG_DOCUMENTS_DIR", FOldDocs, FHadDocs);
    SaveEnv("VZ_SETTINGS_FILE", FOldIni, FHadIni);
    SaveEnv("XDG_CONFIG_HOME", FOldConfig, FHadConfig);
    setenv("XDG_DOCUMENTS_DIR", Docs.c_str(), 1);
    setenv("VZ_SETTINGS_FILE", IniFile.c_str(), 1);
    setenv("XDG_CONFIG_HOME", Temp.File("config").c_str(), 1);
    FOldCwd = GetCurrentDir();
    FOldDataMap = DataMap;
    FOldRating = RatingType;
    SetCurrentDir(Work);
    TStringList help;
    help.Add("Hulp bij Vivazozodi");
    help.SaveToFile(Work + "/ZV-Vivazozodi help.txt");
    FDialogs = std::make_unique<TScriptedDialogsScope>();
    Dialogs = &FDialogs->Dialogs();
}

void MainFormTest::TearDown() {
    Destroy();
    FDialogs.reset();
    SetCurrentDir(FOldCwd);
    DataMap = FOldDataMap;
    // The main window sets the program's rating kind (its radio group, a group
    // it opens); the next test builds its groups under the kind it found.
    RatingType = FOldRating;
    RestoreEnv("XDG_DOCUMENTS_DIR", FOldDocs, FHadDocs);
    RestoreEnv("VZ_SETTINGS_FILE", FOldIni, FHadIni);
    RestoreEnv("XDG_CONFIG_HOME", FOldConfig, FHadConfig);
}

TMainForm& MainFormTest::Create() {
    F = std::make_unique<TMainForm>(nullptr);
    MainForm = F.get();
    F->AfterConstruction();
    return *F;
}

void MainFormTest::Destroy() {
    F.reset();
    MainForm = nullptr;
}

void MainFormTest::WriteSettingsFile(const std::string& Text) const {
    WriteFileAtomic(IniFile, Text);
}

std::string MainFormTest::SaveClubFile(const std::string& Folder, const std::string& Name,
                                       bool DubbelRondig) const {
    ForceDirectories(Folder);
    auto g = MakeClubGroep(DubbelRondig);
    const std::string file = Folder + "/" + Name;
    g->SaveGroepFile(file);
    return file;
}

void MainFormTest::Open(const std::string& Folder, const std::string& Name) {
    F->FileListBox->SetDirectory(Folder);
    F->FileListBox->SetItemIndex(F->FileListBox->Items()->IndexOf(Name));
    ASSERT_GE(F->FileListBox->ItemIndex(), 0) << Name;
    F->FileListBoxDblClick(nullptr);
}

int MainFormTest::CountAsked(const std::string& Text) const {
    int n = 0;
    for (const TDialogRecord& r : Dialogs->Asked())
        if (r.Text.find(Text) != std::string::npos) ++n;
    return n;
}
