// The settings file and the activation sequence of the main window.

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>

#include "app/examples.h"
#include "apptestenv.h"
#include "mainform_testenv.h"
#include "mainform_zipmaker.h"
#include "model/dates.h"
#include "platform/rtl/files.h"
#include "platform/rtl/inifiles.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/stdctrls.h"

namespace {

// Counts what the kernel reports on the files of one folder: an open and a
// rename onto a name are reported in the call that does them, so the count is
// complete as soon as that call has returned.
class TFolderWatch {
public:
    explicit TFolderWatch(const std::string& Folder)
        : FFd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (FFd >= 0) inotify_add_watch(FFd, Folder.c_str(), IN_OPEN | IN_MOVED_TO);
    }
    ~TFolderWatch() {
        if (FFd >= 0) ::close(FFd);
    }
    TFolderWatch(const TFolderWatch&) = delete;
    TFolderWatch& operator=(const TFolderWatch&) = delete;
    // How many events of Mask named Name arrived since the last call.
    int Count(const std::string& Name, uint32_t Mask) {
        alignas(inotify_event) char buf[64 * 1024];
        int n = 0;
        for (ssize_t len; (len = ::read(FFd, buf, sizeof buf)) > 0;)
            for (ssize_t at = 0; at < len;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
                if ((e->mask & Mask) && e->len > 0 && Name == e->name) ++n;
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        return n;
    }

private:
    int FFd;
};

class MainFormSettings : public MainFormTest {
protected:
    // Settings naming Folder as the data folder, followed by Extra lines.
    void Settings(const std::string& Folder, const std::string& Extra) {
        WriteSettingsFile("[Last]\r\nDataMap=" + Folder + "\r\n" + Extra);
    }
    TMainForm& Activate() {
        Create();
        F->FormActivate(nullptr);
        return *F;
    }
    // An example archive made by the zip engine, holding the example group in
    // Voorbeeld/.
    void MakeExampleArchive(const std::string& Archive,
                            const std::string& Name = "Snelschaken 2016-04-20 A.csv") {
        const std::string src = Temp.File("src " + Name);
        SaveClubFile(src + "/Voorbeeld", Name);
        ForceDirectories(ExtractFileDir(Archive));
        MakeZipArchive(Archive, src);
    }
};

TEST_F(MainFormSettings, FirstStartWithoutSettingsUsesTheExampleFolder) {
    ForceDirectories(Root);
    Activate();
    EXPECT_EQ(Root + "/Voorbeeld", DataMap);
    EXPECT_TRUE(DirectoryExists(Root + "/Voorbeeld"));
    EXPECT_EQ(Root + "/Voorbeeld", F->DirectoryListBox->Directory());
    EXPECT_EQ(Root + "/Voorbeeld", F->SaveDialog->InitialDir);
    EXPECT_EQ("", F->LastDataFile);
    EXPECT_TRUE(F->NewGroepBitBtn->Enabled());
}

TEST_F(MainFormSettings, MissingDataRootIsMadeAndReported) {
    ASSERT_FALSE(DirectoryExists(Root));
    Create();
    EXPECT_TRUE(DirectoryExists(Root));
    EXPECT_EQ(1, CountAsked("aangemaakt."));
}

TEST_F(MainFormSettings, ExampleArchivesAreOfferedOnceEachAndGoneAfterUnpacking) {
    MakeExampleArchive(Root + "/Voorbeeld.zip");
    MakeExampleArchive(Root + "/Voorbeeld2.zip", "Voorbeeld 2.csv");
    Dialogs->QueueAnswer(mrYes);
    Dialogs->QueueAnswer(mrNo);
    Create();
    EXPECT_EQ(1, CountAsked("Unzip " + Root + "/Voorbeeld.zip\rin map: " + Root));
    EXPECT_EQ(1, CountAsked("Unzip " + Root + "/Voorbeeld2.zip\rin map: " + Root));
    EXPECT_FALSE(FileExists(Root + "/Voorbeeld.zip"));
    EXPECT_TRUE(FileExists(Root + "/Voorbeeld2.zip"));
    EXPECT_TRUE(FileExists(Root + "/Voorbeeld/Snelschaken 2016-04-20 A.csv"));
    // The example group opens at the first activation.
    F->FormActivate(nullptr);
    EXPECT_EQ(Root + "/Voorbeeld/Snelschaken 2016-04-20 A.csv", F->LastDataFile);
    EXPECT_EQ(8, CurGroep->Spelers.Count());
    EXPECT_EQ("Clubkampioenschap A", CurGroep->Rec.Naam);
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    Destroy();
    // The refused archive is not asked about again: the answer was kept,
    // beside what the close wrote.
    Create();
    EXPECT_EQ(2, CountAsked("Unzip "));
    EXPECT_TRUE(FileExists(Root + "/Voorbeeld2.zip"));
    Destroy();
    // Another archive of that name is.
    MakeExampleArchive(Root + "/Voorbeeld2.zip", "Voorbeeld 3.csv");
    Dialogs->QueueAnswer(mrYes);
    Create();
    EXPECT_EQ(1, CountAsked("Voorbeeld.zip\r"));
    EXPECT_EQ(2, CountAsked("Voorbeeld2.zip\r"));
    EXPECT_FALSE(FileExists(Root + "/Voorbeeld2.zip"));
    EXPECT_TRUE(FileExists(Root + "/Voorbeeld/Voorbeeld 3.csv"));
    Destroy();
    Create();
    EXPECT_EQ(3, CountAsked("Unzip "));
}

TEST_F(MainFormSettings, DamagedExampleArchiveDoesNotStopTheStart) {
    ForceDirectories(Root);
    WriteFileAtomic(Root + "/Voorbeeld.zip", "geen archief");
    Dialogs->QueueAnswer(mrYes);
    Create();
    EXPECT_EQ(1, CountAsked("Kan het voorbeeld niet uitpakken."));
    EXPECT_TRUE(FileExists(Root + "/Voorbeeld.zip"));
    EXPECT_NE(nullptr, CurGroep);
}

// An item that cannot be unpacked (damaged data, a file of the director's own
// of the same name) keeps the archive and is named in Dutch; the director's
// file stays as it was.
TEST_F(MainFormSettings, ExampleArchiveStaysUnlessEveryItemWasUnpacked) {
    const std::string naam = "Voorbeeld/Snelschaken 2016-04-20 A.csv";
    MakeExampleArchive(Root + "/Voorbeeld.zip");
    ForceDirectories(Root + "/Voorbeeld");
    WriteFileAtomic(Root + "/" + naam, "eigen werk");
    Dialogs->QueueAnswer(mrYes);
    Create();
    EXPECT_EQ(1, CountAsked("niet helemaal uitgepakt; het archief blijft bewaard."));
    EXPECT_EQ(1, CountAsked(naam + ": bestaat al en is niet vervangen"));
    EXPECT_EQ("eigen werk", ReadFileBytes(Root + "/" + naam));
    EXPECT_TRUE(FileExists(Root + "/Voorbeeld.zip"));
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose); // which keeps the archive as asked about
    Destroy();
    // Kept, it is not asked about at the next start.
    Create();
    EXPECT_EQ(1, CountAsked("Unzip "));
    Destroy();

    // Damaged data in the item.
    DeleteFile(Root + "/" + naam);
    std::string zip = ReadFileBytes(Root + "/Voorbeeld.zip");
    const size_t data = zip.find(naam) + naam.size() + 40;
    ASSERT_LT(data + 8, zip.size());
    for (size_t i = data; i < data + 8; ++i)
        zip[i] = static_cast<char>(zip[i] ^ 0x5A);
    WriteFileAtomic(Root + "/Voorbeeld.zip", zip);
    Dialogs->QueueAnswer(mrYes);
    Create();
    EXPECT_EQ(1, CountAsked(naam + ": beschadigd in het archief"));
    EXPECT_TRUE(FileExists(Root + "/Voorbeeld.zip"));
    Destroy();

    // An item whose stored name leads out of the data folder.
    MakeExampleArchive(Root + "/Voorbeeld.zip", "zz.csv");
    WriteFileAtomic(Root + "/Voorbeeld.zip",
                    StringReplace(ReadFileBytes(Root + "/Voorbeeld.zip"), "Voorbeeld/zz.csv",
                                  "../buiten/zz.csv", rfReplaceAll));
    Dialogs->QueueAnswer(mrYes);
    Create();
    EXPECT_EQ(1, CountAsked("../buiten/zz.csv: wijst buiten de map en is niet uitgepakt"));
    EXPECT_FALSE(FileExists(Docs + "/buiten/zz.csv"));
    EXPECT_TRUE(FileExists(Root + "/Voorbeeld.zip"));
    Destroy();

    // An item stored on Unix as a symbolic link (mode 0120777).
    MakeExampleArchive(Root + "/Voorbeeld.zip", "link.csv");
    zip = ReadFileBytes(Root + "/Voorbeeld.zip");
    const size_t central = zip.rfind("Voorbeeld/link.csv") - 46;
    ASSERT_EQ(0u, zip.compare(central, 4, "PK\x01\x02"));
    zip[central + 5] = 3;
    zip.replace(central + 38, 4, std::string("\0\0\xFF\xA1", 4));
    WriteFileAtomic(Root + "/Voorbeeld.zip", zip);
    Dialogs->QueueAnswer(mrYes);
    Create();
    EXPECT_EQ(1, CountAsked("Voorbeeld/link.csv: is een symbolische koppeling"));
    EXPECT_FALSE(FileExists(Root + "/Voorbeeld/link.csv"));
}

TEST_F(MainFormSettings, LastDataFileIsReopened) {
    const std::string file = SaveClubFile(Root + "/Data", "Club.csv");
    Settings(Root + "/Data", "FileName=Club.csv\r\n");
    Activate();
    EXPECT_EQ(Root + "/Data", F->FileListBox->Directory());
    EXPECT_EQ(file, F->LastDataFile);
    EXPECT_EQ(file, CurGroep->Rec.FileName);
    EXPECT_EQ(8, CurGroep->Spelers.Count());
    EXPECT_EQ("Club.csv", F->FileListBox->Items()->Strings(F->FileListBox->ItemIndex()));
}

TEST_F(MainFormSettings, DeletedLastDataFileOpensNothing) {
    SaveClubFile(Root + "/Data", "Ander.csv");
    Settings(Root + "/Data", "FileName=Weg.csv\r\n");
    Activate();
    EXPECT_EQ("", F->LastDataFile);
    EXPECT_EQ(0, CurGroep->Spelers.Count());
    EXPECT_EQ(0, CountAsked("Kan bestand niet openen."));
}

TEST_F(MainFormSettings, ActivationRunsOncePerStart) {
    SaveClubFile(Root + "/Data", "Club.csv");
    Settings(Root + "/Data", "FileName=Club.csv\r\n");
    Activate();
    CurGroep->Rec.Naam = "Bewerkt";
    F->DirectoryListBox->SetDirectory(Root);
    F->FormActivate(nullptr);
    EXPECT_EQ("Bewerkt", CurGroep->Rec.Naam);
    EXPECT_EQ(Root, F->DirectoryListBox->Directory());
}

TEST_F(MainFormSettings, SplitterOutsideItsRangeKeepsThePanelWidth) {
    ForceDirectories(Root + "/Data");
    Settings(Root + "/Data", "Splitter=30\r\n");
    Activate();
    EXPECT_EQ(420, F->LedenPanel->Width());
}

TEST_F(MainFormSettings, SplitterOfFiftyMakesTheMemberPanelHalfThePage) {
    ForceDirectories(Root + "/Data");
    Settings(Root + "/Data", "Splitter=50\r\n");
    Activate();
    ASSERT_GT(F->PageControl->Width(), 0);
    EXPECT_EQ(static_cast<int>(std::lround(F->PageControl->Width() * 0.5)), F->LedenPanel->Width());
}

TEST_F(MainFormSettings, MaximisedWindowIgnoresTheStoredPlace) {
    ForceDirectories(Root + "/Data");
    Settings(Root + "/Data", "[MainForm]\r\nWindowState=1\r\nTop=5\r\nHeight=300\r\nWidth=400\r\n");
    Activate();
    EXPECT_EQ(wsMaximized, F->WindowState());
    EXPECT_EQ(40, F->Top());
    EXPECT_NE(300, F->Height());
}

TEST_F(MainFormSettings, HeightOfAHundredIsIgnoredAndOneMoreApplied) {
    ASSERT_GE(Screen->Height(), 101);
    ForceDirectories(Root + "/Data");
    Settings(Root + "/Data", "[MainForm]\r\nWindowState=0\r\nTop=7\r\nHeight=100\r\n");
    Activate();
    EXPECT_EQ(wsNormal, F->WindowState());
    EXPECT_EQ(7, F->Top());
    EXPECT_EQ(700, F->Height());
    Destroy();
    // 101 is taken, as far as the window's smallest size allows: smaller, its
    // controls would be clipped.
    Settings(Root + "/Data", "[MainForm]\r\nHeight=101\r\nWidth=100\r\n");
    Activate();
    EXPECT_EQ(F->Constraints()->MinHeight(), F->Height());
    EXPECT_EQ(1000, F->Width());
}

TEST_F(MainFormSettings, EarlyOrMissingFirstRoundDateBecomesToday) {
    ForceDirectories(Root + "/Data");
    for (const char* stored : {"DateFirstRound=1903-12-31\r\n", "DateFirstRound=\r\n", ""}) {
        Settings(Root + "/Data", stored);
        Activate();
        EXPECT_EQ(Date(), CurGroep->Rec.DatumEersteRonde) << stored;
        Destroy();
    }
    Settings(Root + "/Data", "DateFirstRound=2016-04-20\r\n");
    Activate();
    EXPECT_EQ(EncodeDate(2016, 4, 20), CurGroep->Rec.DatumEersteRonde);
}

TEST_F(MainFormSettings, ListNamesAreLookedForInTheDataFolder) {
    ForceDirectories(Root + "/Data");
    WriteFileAtomic(Root + "/Data/krat2016-01.txt", "lijst");
    Settings(Root + "/Data", "KRatFileName=krat2016-01.txt\r\nJRatFileName=jrat2016-01.txt\r\n");
    Activate();
    EXPECT_EQ(Root + "/Data/krat2016-01.txt", F->KnsbRatFileName);
    EXPECT_EQ("", F->JeugdRatFileName);
}

TEST_F(MainFormSettings, CloseWritesEveryKeyWithoutFolders) {
    const std::string file = SaveClubFile(Root + "/Data", "Club.csv");
    WriteFileAtomic(Root + "/Data/krat2016-01.txt", "lijst");
    Settings(Root + "/Data",
             "KRatFileName=krat2016-01.txt\r\nFileName=Club.csv\r\nPlaats=Zwolle\r\n"
             "Arbiter=J. Jansen\r\nSpeeltempo=90 min\r\nRatingRadio=7\r\n");
    Activate();
    // The group carries them (the rating report shows them), also after the
    // last data file was opened.
    EXPECT_EQ("Zwolle", CurGroep->Rec.Plaats);
    EXPECT_EQ("90 min", CurGroep->Rec.Speeltempo);
    F->LedenPanel->SetWidth(F->PageControl->Width() / 2);
    CurGroep->Rec.DatumEersteRonde = EncodeDate(2016, 4, 20);
    Dialogs->QueueAnswer(mrNo); // the changed date is not saved
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    ASSERT_TRUE(canClose);
    const TIniFile ini(IniFile);
    EXPECT_EQ(Root + "/Data", ini.ReadString("Last", "DataMap", ""));
    EXPECT_EQ("Club.csv", ini.ReadString("Last", "FileName", ""));
    EXPECT_EQ("krat2016-01.txt", ini.ReadString("Last", "KRatFileName", ""));
    EXPECT_EQ("", ini.ReadString("Last", "JRatFileName", "x"));
    EXPECT_EQ("2016-04-20", ini.ReadString("Last", "DateFirstRound", ""));
    EXPECT_EQ(50, ini.ReadInteger("Last", "Splitter", 0));
    EXPECT_EQ("Zwolle", ini.ReadString("Last", "Plaats", ""));
    EXPECT_EQ("J. Jansen", ini.ReadString("Last", "Arbiter", ""));
    EXPECT_EQ("90 min", ini.ReadString("Last", "Speeltempo", ""));
    EXPECT_EQ(0, ini.ReadInteger("MainForm", "WindowState", -1));
    EXPECT_EQ(F->Top(), ini.ReadInteger("MainForm", "Top", -1));
    EXPECT_EQ(F->Height(), ini.ReadInteger("MainForm", "Height", -1));
    EXPECT_EQ(F->Width(), ini.ReadInteger("MainForm", "Width", -1));
    EXPECT_FALSE(ini.ValueExists("MainForm", "Left"));
    EXPECT_FALSE(ini.SectionExists("BergerForm"));
    (void)file;
    // They were that group's: another group opened after it has none of them.
    SaveClubFile(Root + "/Data", "Ander.csv");
    Dialogs->QueueAnswer(mrNo); // the date still is not saved
    Open(Root + "/Data", "Ander.csv");
    EXPECT_EQ(Root + "/Data/Ander.csv", CurGroep->Rec.FileName);
    EXPECT_FALSE(HasToernooiInfo(CurGroep->Rec));
}

// The start reads the settings file once, and the close puts all of its keys
// in place in one replace: a kill at any moment leaves one save's keys, never
// a mix of two.
TEST_F(MainFormSettings, SettingsAreReadOnceAndWrittenInOneReplace) {
    ForceDirectories(Root + "/Data");
    Settings(Root + "/Data",
             "Plaats=Zwolle\r\nSplitter=50\r\n[Eigen]\r\n;notitie\r\nSleutel=1\r\n");
    // An example archive refused at the start: its key travels with the others.
    MakeExampleArchive(Root + "/Voorbeeld.zip");
    Dialogs->QueueAnswer(mrNo);
    TFolderWatch watch(ExtractFileDir(IniFile));
    const std::string naam = ExtractFileName(IniFile);
    Activate();
    EXPECT_EQ(1, watch.Count(naam, IN_OPEN));
    EXPECT_EQ(0, watch.Count(naam, IN_MOVED_TO));
    EXPECT_EQ("Zwolle", CurGroep->Rec.Plaats);
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    ASSERT_TRUE(canClose);
    EXPECT_EQ(1, watch.Count(naam, IN_MOVED_TO));
    const TIniFile ini(IniFile);
    EXPECT_TRUE(ini.ValueExists("Voorbeelden", "Voorbeeld.zip"));
    EXPECT_EQ(Root + "/Data", ini.ReadString("Last", "DataMap", ""));
    EXPECT_EQ(F->Width(), ini.ReadInteger("MainForm", "Width", -1));
    // What others keep in the file stays.
    EXPECT_EQ("1", ini.ReadString("Eigen", "Sleutel", ""));
    EXPECT_NE(std::string::npos, ReadFileBytes(IniFile).find(";notitie\r\n"));
}

// A list chosen from a sub-folder of the data root is there at the next start;
// one kept by its name alone (older settings) is found there too, and in the
// data root itself.
TEST_F(MainFormSettings, ListsInASubFolderOfTheDataRootAreKept) {
    ForceDirectories(Root + "/Data");
    ForceDirectories(Root + "/Lijsten");
    WriteFileAtomic(Root + "/Lijsten/krat2016-01.txt", "lijst\r\n");
    WriteFileAtomic(Root + "/Lijsten/lid20160101.csv", "lijst\r\n");
    WriteFileAtomic(Root + "/jrat2016-01.txt", "lijst\r\n");
    Settings(Root + "/Data",
             "KnsbLedenFileName=lid20160101.csv\r\nJRatFileName=jrat2016-01.txt\r\n");
    Activate();
    EXPECT_EQ(Root + "/Lijsten/lid20160101.csv", F->KnsbLedenFileName);
    EXPECT_EQ(Root + "/jrat2016-01.txt", F->JeugdRatFileName);
    F->KnsbRatFileName = Root + "/Lijsten/krat2016-01.txt";
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    Destroy();
    Activate();
    EXPECT_EQ(Root + "/Lijsten/krat2016-01.txt", F->KnsbRatFileName);
    EXPECT_EQ(Root + "/Lijsten/lid20160101.csv", F->KnsbLedenFileName);
}

// The rating kind, the list choice and the name display come back as they were
// left; an item that does not exist leaves the choice as it stands.
TEST_F(MainFormSettings, PageChoicesComeBackAndGoOut) {
    ForceDirectories(Root + "/Data");
    Settings(Root + "/Data", "RatingRadio=1\r\nKiesLijstCombo=2\r\nSpNaam=1\r\n");
    Activate();
    EXPECT_EQ(1, F->RatingRadio->ItemIndex());
    EXPECT_EQ(2, F->LijstComboBox->ItemIndex());
    EXPECT_EQ(1, F->SelNaamRadio->ItemIndex());
    EXPECT_EQ(nmVoornaamEerst, CurGroep->Rec.NaamMode);
    F->RatingRadio->SetItemIndex(3);
    F->LijstComboBox->SetItemIndex(1);
    F->SelNaamRadio->SetItemIndex(0);
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    const TIniFile ini(IniFile);
    EXPECT_EQ(3, ini.ReadInteger("Last", "RatingRadio", -1));
    EXPECT_EQ(1, ini.ReadInteger("Last", "KiesLijstCombo", -1));
    EXPECT_EQ(0, ini.ReadInteger("Last", "SpNaam", -1));
    Destroy();
    Settings(Root + "/Data", "RatingRadio=4\r\nKiesLijstCombo=-1\r\nSpNaam=2\r\n");
    Activate();
    EXPECT_EQ(0, F->RatingRadio->ItemIndex());
    EXPECT_EQ(0, F->LijstComboBox->ItemIndex());
    EXPECT_EQ(0, F->SelNaamRadio->ItemIndex());
    EXPECT_EQ(nmAchternaamEerst, CurGroep->Rec.NaamMode);
}

TEST_F(MainFormSettings, SettingsFileOfTheTestsIsTheOneNamed) {
    EXPECT_EQ(IniFile, TMainForm::SettingsFileName());
}

// Settings that cannot be written where they belong go to the configuration
// folder, with the keys of others, and the next start reads them there; the
// director is told when the write failed unforeseen, and when nothing could
// be written at all (the close still ends).
struct SettingsObstacle {
    const char* Obstacle;
    const char* Says; // empty: nothing is said
};

class UnwritableSettings : public MainFormSettings,
                           public testing::WithParamInterface<SettingsObstacle> {};

TEST_P(UnwritableSettings, GoToTheConfigFolderOrAreSaidToBeLost) {
    ForceDirectories(Root + "/Data");
    Settings(Root + "/Data", "[Eigen]\r\nSleutel=1\r\n");
    const std::string obstacle = GetParam().Obstacle;
    const std::string config = Temp.File("config/vivazozodi/vivazozodi.ini");
    if (obstacle == "read-only file") ::chmod(IniFile.c_str(), 0444);
    if (obstacle == "folder in its place") {
        DeleteFile(IniFile);
        ForceDirectories(IniFile);
    }
    if (obstacle == "nowhere") {
        setenv("VZ_SETTINGS_FILE", Temp.File("geen-map/vivazozodi.ini").c_str(), 1);
        WriteFileAtomic(Temp.File("bestand"), "");
        setenv("XDG_CONFIG_HOME", Temp.File("bestand").c_str(), 1);
    }
    Activate();
    CurGroep->Rec.Plaats = "Kampen";
    const size_t asked = Dialogs->Asked().size();
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(*GetParam().Says ? 1 : 0,
              *GetParam().Says ? CountAsked(GetParam().Says) : Dialogs->Asked().size() - asked);
    Destroy();
    if (obstacle == "nowhere") return;
    if (obstacle == "read-only file") {
        EXPECT_EQ("1", TIniFile(config).ReadString("Eigen", "Sleutel", ""));
    }
    Activate();
    EXPECT_EQ("Kampen", CurGroep->Rec.Plaats);
}

INSTANTIATE_TEST_SUITE_P(
    MainFormSettings, UnwritableSettings,
    testing::Values(SettingsObstacle{"read-only file", ""},
                    SettingsObstacle{"folder in its place", "Ze zijn bewaard in "},
                    SettingsObstacle{"nowhere", "De instellingen konden niet worden bewaard: "}));

} // namespace

TEST_F(MainFormSettings, FirstStartWithTheProgramsOwnExampleArchive) {
    // As the start command leaves a first start: the data root with the archive.
    ForceDirectories(Root);
    MakeVoorbeeldZip(Root + "/Voorbeeld.zip", Temp.File("maak"));
    Dialogs->QueueAnswer(mrYes);
    Create();
    EXPECT_EQ(1, CountAsked("Unzip " + Root + "/Voorbeeld.zip\rin map: " + Root));
    EXPECT_FALSE(FileExists(Root + "/Voorbeeld.zip"));
    F->FormActivate(nullptr);
    EXPECT_EQ(Root + "/Voorbeeld", DataMap);
    EXPECT_EQ(Root + "/Voorbeeld/Snelschaken 2016-04-20 A.csv", F->LastDataFile);
    ASSERT_EQ(8, CurGroep->Spelers.Count());
    EXPECT_EQ(0, CurGroep->Games.GetNrEmptyGames());
    EXPECT_EQ(3, F->FileListBox->Count());
    EXPECT_EQ(0, CountAsked("Kan bestand niet openen."));
}
