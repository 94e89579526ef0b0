// The settings file: the data folder, the last data file, the chosen federation
// lists, a few choices of the pages and the places of the windows, kept from run
// to run in ini layout.

#include <cmath>
#include <cstdlib>

#include "app/mainform.h"
#include "app/rarapportform.h"
#include "app/spinfoform.h"
#include "app/standform.h"
#include "app/uitslagform.h"
#include "app/writable.h"
#include "platform/rtl/files.h"
#include "platform/rtl/inifiles.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/qtdialogs.h"

namespace {

const char* const Last = "Last";
const char* const VoorbeeldSectie = "Voorbeelden";

// The windows whose places are kept, in the order of their sections.
struct TFormSection {
    const char* Section;
    TCustomForm* Form;
};
std::vector<TFormSection> FormSections(TMainForm* Main) {
    return {{"MainForm", Main},
            {"UitslagForm", UitslagForm},
            {"StandForm", StandForm},
            {"SpInfoForm", SpInfoForm},
            {"RaRapportForm", RaRapportForm}};
}

// Where the settings belong: beside the program (or where VZ_SETTINGS_FILE
// says), and the configuration folder's file of that name.
std::string BesideProgram() {
    if (const char* env = std::getenv("VZ_SETTINGS_FILE"); env && *env) return ProgramName(env);
    return ChangeFileExt(GetProgramFileName(), ".ini");
}

std::string InConfigFolder() {
    return GetConfigFolder() + ExtractFileName(BesideProgram());
}

// The file the settings are read from: of the one beside the program and the
// one in the configuration folder, the one written last. A close that could
// not write beside the program wrote into the configuration folder; a file
// beside the program that can no longer be written is read until a close has
// written the configuration folder's.
std::string SettingsReadName() {
    const TFileStamp beside = FileStampOf(BesideProgram());
    const TFileStamp config = FileStampOf(InConfigFolder());
    return config.Exists && (!beside.Exists || config.MTimeNs > beside.MTimeNs) ? InConfigFolder()
                                                                                : BesideProgram();
}

// Writes Ini as File, making the folder first (the configuration folder may
// not exist yet); false when that fails.
bool WriteAs(TMemIniFile& Ini, const std::string& File) {
    Ini.Rename(File, false);
    ForceDirectories(ExtractFileDir(File));
    try {
        Ini.UpdateFile();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

std::string TMainForm::SettingsFileName() {
    const std::string beside = BesideProgram();
    // Beside the program when it may be written there, in the same judgement
    // as every file the program saves.
    return NotWritableReason(beside).empty() ? beside : InConfigFolder();
}

const TMemIniFile& TMainForm::StartSettings() {
    if (!FStartSettings) FStartSettings = std::make_unique<TMemIniFile>(SettingsReadName());
    return *FStartSettings;
}

std::string TMainForm::VoorbeeldStempel(const std::string& Archive) {
    if (const auto it = FVoorbeelden.find(ExtractFileName(Archive)); it != FVoorbeelden.end())
        return it->second;
    return StartSettings().ReadString(VoorbeeldSectie, ExtractFileName(Archive), "");
}

void TMainForm::OnthoudVoorbeeld(const std::string& Archive, const std::string& Stempel) {
    FVoorbeelden[ExtractFileName(Archive)] = Stempel;
}

void TMainForm::WriteFormSettings(TCustomIniFile& Ini, const std::string& Section,
                                  TCustomForm* Form) {
    if (!Form) return;
    Ini.WriteBool(Section, "WindowState", Form->WindowState() == wsMaximized);
    Ini.WriteInteger(Section, "Top", Form->Top());
    Ini.WriteInteger(Section, "Height", Form->Height());
    Ini.WriteInteger(Section, "Width", Form->Width());
}

void TMainForm::ReadFormSettings(const TCustomIniFile& Ini, const std::string& Section,
                                 TCustomForm* Form) {
    if (!Form) return;
    if (Ini.ReadInteger(Section, "WindowState", Form->WindowState() == wsMaximized ? 1 : 0) != 0) {
        Form->SetWindowState(wsMaximized);
        return;
    }
    const int top = Ini.ReadInteger(Section, "Top", Form->Top());
    if (top >= 0) Form->SetTop(top);
    const int height = Ini.ReadInteger(Section, "Height", Form->Height());
    if (height > 100 && height <= Screen->Height()) Form->SetHeight(height);
    const int width = Ini.ReadInteger(Section, "Width", Form->Width());
    if (width > 100 && width <= Screen->Width()) Form->SetWidth(width);
}

void TMainForm::WriteSettings() {
    // Keys and sections of others (comments, a later version's keys) are kept:
    // the file is read as it stands now.
    TMemIniFile ini(SettingsReadName());
    ini.WriteString(Last, "DataMap", DirectoryListBox->Directory());
    ini.WriteString(Last, "FileName", ExtractFileName(LastDataFile));
    // A list in the data folder is kept by its name, as ever; one elsewhere (a
    // sub-folder of the data root, which the list trees offer) by its full
    // path, or the next start would not find it.
    const std::string map = ExcludeTrailingPathDelimiter(DirectoryListBox->Directory());
    const auto lijst = [&map](const std::string& File) {
        return File.empty() || ExtractFileDir(File) == map ? ExtractFileName(File) : File;
    };
    ini.WriteString(Last, "JRatFileName", lijst(JeugdRatFileName));
    ini.WriteString(Last, "KRatFileName", lijst(KnsbRatFileName));
    ini.WriteString(Last, "NJRLedenFileName", lijst(NJRLedenFileName));
    ini.WriteString(Last, "KnsbLedenFileName", lijst(KnsbLedenFileName));
    const TDateTime datum = CurGroep ? CurGroep->Rec.DatumEersteRonde : 0;
    ini.WriteString(Last, "DateFirstRound", datum > 0 ? FormatDateTime("yyyy-mm-dd", datum) : "");
    ini.WriteInteger(Last, "RatingRadio",
                     RatingRadio ? RatingRadio->ItemIndex() : StoredRatingRadio);
    ini.WriteInteger(Last, "KiesLijstCombo",
                     LijstComboBox ? LijstComboBox->ItemIndex() : StoredKiesLijst);
    ini.WriteInteger(Last, "StandSettings", StandForm ? StandForm->CheckMask : 0);
    if (PageControl->Width() > 0)
        SplitterPercentage =
            std::round(LedenPanel->Width() * 100.0 / static_cast<double>(PageControl->Width()));
    ini.WriteInteger(Last, "Splitter", static_cast<int>(std::lround(SplitterPercentage)));
    ini.WriteInteger(Last, "SpNaam", SelNaamRadio ? SelNaamRadio->ItemIndex() : 0);
    ini.WriteString(Last, "Plaats", CurGroep ? CurGroep->Rec.Plaats : "");
    ini.WriteString(Last, "Arbiter", CurGroep ? CurGroep->Rec.Arbiter : "");
    ini.WriteString(Last, "Speeltempo", CurGroep ? CurGroep->Rec.Speeltempo : "");
    for (const TFormSection& s : FormSections(this))
        WriteFormSettings(ini, s.Section, s.Form);
    for (const auto& [archief, stempel] : FVoorbeelden)
        if (stempel.empty())
            ini.DeleteKey(VoorbeeldSectie, archief);
        else
            ini.WriteString(VoorbeeldSectie, archief, stempel);

    // The close must not be kept from ending by settings that cannot be written;
    // what is lost is said.
    const std::string doel = SettingsFileName();
    if (WriteAs(ini, doel)) return;
    std::string reden = NotWritableReason(doel);
    if (reden.empty()) reden = "Is de schijf vol?";
    const std::string reserve = InConfigFolder();
    if (reserve != doel && WriteAs(ini, reserve)) {
        ShowMessage(doel + "\r\r" + "De instellingen konden hier niet worden bewaard: " + reden +
                    "\r" + "Ze zijn bewaard in " + reserve + ".");
        return;
    }
    ShowMessage(doel + "\r\r" + "De instellingen konden niet worden bewaard: " + reden + "\r" +
                "Wat sinds de start van het programma is veranderd (map, bestanden, lijsten, "
                "vensters) gaat verloren.");
}

void TMainForm::ReadSettings() {
    const TMemIniFile& ini = StartSettings();
    DataMap = ini.ReadString(Last, "DataMap", GetCurrentDir());
    LastDataFile = ini.ReadString(Last, "FileName", "");
    JeugdRatFileName = ini.ReadString(Last, "JRatFileName", "");
    KnsbRatFileName = ini.ReadString(Last, "KRatFileName", "");
    NJRLedenFileName = ini.ReadString(Last, "NJRLedenFileName", "");
    KnsbLedenFileName = ini.ReadString(Last, "KnsbLedenFileName", "");
    StoredDateFirstRound = ini.ReadString(Last, "DateFirstRound", "");
    StoredRatingRadio = ini.ReadInteger(Last, "RatingRadio", 0);
    StoredKiesLijst = ini.ReadInteger(Last, "KiesLijstCombo", 0);
    const int standSettings = ini.ReadInteger(Last, "StandSettings", 0);
    if (StandForm) StandForm->CheckMask = standSettings;
    SplitterPercentage = ini.ReadInteger(Last, "Splitter", 50);
    int spNaam = ini.ReadInteger(Last, "SpNaam", 0);
    if (SelNaamRadio) {
        if (spNaam < 0 || spNaam >= SelNaamRadio->Items()->Count()) spNaam = 0;
        SelNaamRadio->SetItemIndex(spNaam);
    }
    StoredInfo.Plaats = ini.ReadString(Last, "Plaats", "");
    StoredInfo.Arbiter = ini.ReadString(Last, "Arbiter", "");
    StoredInfo.Speeltempo = ini.ReadString(Last, "Speeltempo", "");
    StoredInfo.FileName.clear(); // known once the data folder is
    if (CurGroep) {
        CurGroep->Rec.Plaats = StoredInfo.Plaats;
        CurGroep->Rec.Arbiter = StoredInfo.Arbiter;
        CurGroep->Rec.Speeltempo = StoredInfo.Speeltempo;
    }
    for (const TFormSection& s : FormSections(this))
        ReadFormSettings(ini, s.Section, s.Form);
    FStartSettings.reset(); // the close reads the file as it stands then
}
