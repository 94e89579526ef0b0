// Opening, saving and closing group data files in the main window.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/standform.h"
#include "app/uitslagform.h"
#include "app/writable.h"
#include "apptestenv.h"
#include "grid/columngrid.h"
#include "mainform_testenv.h"
#include "model/berger.h"
#include "model/fileutils.h"
#include "model/names.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/threads.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/messages.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/synthinput.h"
#include "vz_test_support.h"

namespace {

// Holds a whole-file lock on a file as another program would.
class THeldFile {
public:
    explicit THeldFile(const std::string& FileName)
        : FFd(::open(DiskName(FileName).c_str(), O_RDWR)) {
        if (FFd >= 0) ::flock(FFd, LOCK_EX);
    }
    ~THeldFile() {
        if (FFd >= 0) ::close(FFd);
    }
    bool Held() const { return FFd >= 0; }

private:
    int FFd;
};

void WriteLines(const std::string& File, int Count, const std::string& Line) {
    TStringList l;
    for (int i = 0; i < Count; ++i)
        l.Add(Line);
    l.SaveToFile(File);
}

class MainFormFiles : public MainFormTest {
protected:
    // The window with the club group opened from Data/Clubkampioenschap A.csv.
    std::string OpenClub() {
        Create();
        const std::string file = SaveClubFile(Root + "/Data", "Clubkampioenschap A.csv");
        Open(Root + "/Data", "Clubkampioenschap A.csv");
        return file;
    }
    // A change of the open group that its file would keep: its series points.
    static void ChangeGroep() {
        CurGroep->Rec.MyUseZVPoints = CurGroep->Rec.MyUseZVPoints ? 0 : 1;
        CurGroep->Modified = true;
    }
};

TEST_F(MainFormFiles, SavedClubGroupOpensAsItWasSaved) {
    auto g = MakeClubGroep();
    TCurGroepScope scope(g.get());
    const std::string file = OpenClub();
    ASSERT_EQ(8, CurGroep->Spelers.Count());
    // The file carries the ratings of the selected kind only.
    for (int i = 0; i < g->Spelers.Count(); ++i)
        g->Spelers.Sp(i)->Rec.Ratings[rtFIDE] = 0;
    // Saved without tie-breaks, the group opens with the usual ones.
    EXPECT_EQ(SortCriteria(CurGroep->Rec.SortAr), (std::vector<TSortId>{siOnderling, siSB}));
    g->Rec.SortAr = CurGroep->Rec.SortAr;
    std::string diff;
    g->Rec.FileName = file;
    EXPECT_TRUE(GroepIsSame(*g, *CurGroep, diff)) << diff;
    EXPECT_EQ(file, CurGroep->Rec.FileName);
    EXPECT_FALSE(CurGroep->Modified);
    EXPECT_FALSE(F->NewGroepFlag);
    EXPECT_TRUE(F->SaveDataBitBtn->Enabled());
    EXPECT_EQ(file, F->LastDataFile);
    // Nothing changed since the open: the close asks nothing.
    EXPECT_TRUE(GroepIsSame(*CurGroep, *F->SavedGroep(), diff)) << diff;
    EXPECT_EQ(0, CountAsked("Kan bestand niet openen."));
}

TEST_F(MainFormFiles, DoubleRoundGroupOpensWithBothCycles) {
    Create();
    SaveClubFile(Root + "/Data", "Dubbel.csv", true);
    Open(Root + "/Data", "Dubbel.csv");
    EXPECT_EQ(1, CurGroep->Rec.DubbelRondig);
    EXPECT_EQ(56, CurGroep->Games.Count());
    EXPECT_EQ(28, CurGroep->Games.GetNrEmptyGames());
}

// Every file that is no group file is refused with the reason in Dutch after
// "Kan bestand niet openen.", and the open group stays as it was.
TEST_F(MainFormFiles, RefusedFilesSayWhyAndKeepTheGroup) {
    OpenClub();
    auto before = std::make_unique<TGroep>();
    CopyGroep(*CurGroep, *before);
    const std::string data = Root + "/Data/";
    WriteLines(data + "twee.csv", 2, ";Groep;Relnr.;Ro;Geb.;MV;1;2;");
    WriteLines(data + "adres.csv", 5, "Naam;Straat;Postcode;Plaats");
    WriteFileAtomic(data + "leeg.csv", "");
    WriteFileAtomic(data + "ruis.csv", std::string("\x01\x9F;;x\xFF\r\n\x02;;", 10));
    WriteFileAtomic(data + "puntkomma.csv", std::string(10 * 1024 * 1024, ';'));
    const std::string kop = ";Vier;Relnr.;Ro;Geb.;MV;";
    const std::string spelers = "1;Aap;;;;M;X;1;1;1;\r\n2;Beer;;;;M;0;X;1;1;\r\n"
                                "3;Coda;;;;M;0;0;X;1;\r\n4;Das;;;;M;0;0;0;X;\r\n";
    WriteFileAtomic(data + "kopnul.csv", kop + "0;2;3;4;\r\n" + spelers);
    WriteFileAtomic(data + "kopmin.csv", kop + "-1;2;3;4;\r\n" + spelers);
    WriteFileAtomic(data + "kopnulteken.csv", kop + std::string(1, '\0') + ";2;3;4;\r\n" + spelers);
    WriteFileAtomic(data + "kopvier.csv", kop + "1;2;3;0;\r\n" + spelers);
    WriteFileAtomic(data + "zonderdas.csv",
                    kop + "1;2;3;4;\r\n" + spelers.substr(0, spelers.find("4;Das")));
    WriteFileAtomic(data + "plus.csv",
                    kop + "1;2;3;4;\r\n" + StringReplace(spelers, "X;1", "X;+", {}));
    WriteFileAtomic(data + "kopmv.csv", ";Vier;Relnr.;Ro;Geb.;M V;1;2;3;4;\r\n" + spelers);
    WriteFileAtomic(data + "crcrlf.csv",
                    StringReplace(kop + "1;2;3;4;\r\n" + spelers, "\r\n", "\r\r\n", rfReplaceAll));
    std::string utf16;
    for (const char c : kop + "1;2;3;4;\r\n" + spelers)
        utf16 += std::string(1, c) + '\0';
    WriteFileAtomic(data + "utf16.csv", utf16);
    const auto groot = [&](int Aantal) {
        std::string t = ";Groot;Relnr.;Ro;Geb.;MV;1;\r\n";
        for (int i = 1; i <= Aantal; ++i)
            t += IntToStr(i) + ";Speler " + IntToStr(i) + ";;;;M;X;\r\n";
        return t;
    };
    WriteFileAtomic(data + "duizend.csv", groot(1000));
    WriteFileAtomic(data + "zevenennegentig.csv", groot(97));
    const struct {
        const char* File;
        const char* Reden;
    } gevallen[] = {
        {"twee.csv", "Het bestand heeft geen spelers"},
        {"adres.csv", "Dit is geen groepsbestand"},
        {"leeg.csv", "Het bestand is leeg."},
        {"ruis.csv", "Dit is geen groepsbestand"},
        {"puntkomma.csv", "Het bestand heeft een regel van 10485760 tekens"},
        {"kopnul.csv", "De kop van de kruistabel klopt niet: boven kolom 7 staat \"0\" waar "
                       "nummer 1 hoort.\rIs een nummer beschadigd of een kolom verwijderd?"},
        {"kopmin.csv", "De kop van de kruistabel klopt niet: boven kolom 7 staat \"-1\""},
        {"kopnulteken.csv", "Het bestand is beschadigd: regel 1 bevat een NUL-teken."},
        {"kopvier.csv", "De kop van de kruistabel klopt niet: boven kolom 10 staat \"0\" "
                        "waar nummer 4 hoort."},
        {"zonderdas.csv", "De kruistabel is niet compleet: de kop nummert de uitslagen tot 4"},
        {"plus.csv", "In regel 2, kolom 8 (de uitslag van Aap tegen Beer) staat \"+\""},
        {"kopmv.csv", "De kop \"M V\" van kolom 6 kent het programma niet, maar regel 2"},
        {"crcrlf.csv", "De regels van het bestand eindigen op CR CR LF in plaats van CR LF"},
        {"utf16.csv", "Het bestand is als Unicode-tekst (UTF-16) opgeslagen"},
        {"duizend.csv", "Het bestand heeft 1000 spelers; een groep heeft er hoogstens 96."},
        {"zevenennegentig.csv", "Het bestand heeft 97 spelers; een groep heeft er hoogstens 96."},
    };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(g.File);
        Open(Root + "/Data", g.File);
        ASSERT_FALSE(Dialogs->Asked().empty());
        const std::string& msg = Dialogs->Asked().back().Text;
        EXPECT_EQ(0u, msg.find(std::string(g.File) + "\r\rKan bestand niet openen.\r" + g.Reden))
            << msg;
        std::string diff;
        EXPECT_TRUE(GroepIsSame(*before, *CurGroep, diff)) << diff;
        EXPECT_EQ(before->Rec.FileName, CurGroep->Rec.FileName);
    }
}

// The largest group the program makes, a double round-robin of 96, opens again
// after saving, also with the empty lines an editor or a spreadsheet leaves at
// the end; its players, results and criteria come back as they were.
TEST_F(MainFormFiles, LargestGroupAndTrailingEmptyLinesOpenAgain) {
    Create();
    TGroepRec rec;
    rec.Naam = "Groot";
    rec.DubbelRondig = 1;
    rec.SortAr = {{siSB, 1}, {siOnderling, 1}, {siWP, 0}, {siWWe, 0}, {siLootNr, 0}};
    auto g = std::make_unique<TGroep>(rec);
    for (int nr = 1; nr <= 96; ++nr) {
        TSpRec r;
        InitSpRec(r);
        r.BergerNr = nr;
        r.Relnr = 7000000 + nr;
        r.Voornaam = nr % 2 ? "Jan Willem" : "Johannes (Hans)";
        r.Voorletters = nr % 2 ? "J.W." : "J.";
        r.Tussenvoegsel = nr % 3 ? "van der" : "";
        r.Achternaam = "Speler" + IntToStr(nr);
        g->AddSpeler(r, IntToZeroStr(nr, 3));
    }
    MakeBergerGames(*g);
    g->LinkSpelers();
    FillRondeRecs(*g);
    for (int i = 0; i < g->Games.Count(); i += 3)
        g->SetUitslag(*g->Games.Game(i), static_cast<TInvoerCode>(1 + i % 8), kWit);
    ForceDirectories(Root + "/Data");
    const std::string file = Root + "/Data/Groot.csv";
    g->SaveGroepFile(file);
    for (const std::string staart : {"", "\r\n", ";;;;\r\n;\r\n\r\n"}) {
        SCOPED_TRACE(staart.size());
        WriteFileAtomic(file, ReadFileBytes(file) + staart);
        Open(Root + "/Data", "Groot.csv");
        ASSERT_EQ(96, CurGroep->Spelers.Count());
        std::string diff;
        EXPECT_TRUE(GroepIsSame(*g, *CurGroep, diff)) << diff;
        EXPECT_EQ(g->Rec.SortAr, CurGroep->Rec.SortAr);
        for (int i = 0; i < 96; ++i)
            EXPECT_EQ(MakeNaam(g->Spelers.Sp(i)->Rec, nmVoornaamEerst),
                      MakeNaam(CurGroep->Spelers.Sp(i)->Rec, nmVoornaamEerst));
    }
    EXPECT_EQ(0, CountAsked("Kan bestand niet openen."));
}

// An odd group whose file lost its "VRIJ" line: its games against the number
// nobody holds are the bye's, so with every other game played it is complete
// and gets its series points.
TEST_F(MainFormFiles, OddGroupWithoutTheByeLineIsComplete) {
    Create();
    ForceDirectories(Root + "/Data");
    WriteFileAtomic(Root + "/Data/Vijf.csv", ";Vijf;Relnr.;Ro;Geb.;MV;1;2;3;4;5;\r\n"
                                             "1;Aap;;;;M;X;1;1;1;1;\r\n"
                                             "2;Beer;;;;M;0;X;1;1;1;\r\n"
                                             "3;Coda;;;;M;0;0;X;1;1;\r\n"
                                             "4;Das;;;;M;0;0;0;X;1;\r\n"
                                             "5;Eend;;;;M;0;0;0;0;X;\r\n");
    Open(Root + "/Data", "Vijf.csv");
    ASSERT_EQ(5, CurGroep->Spelers.Count());
    EXPECT_EQ(0, CurGroep->GetNrEmptyGames());
    CurGroep->Rec.MyUseZVPoints = 1;
    TStandForm stand(nullptr);
    stand.AfterConstruction();
    stand.FormActivate(&stand);
    ASSERT_EQ(5, stand.StandList().Count());
    EXPECT_EQ(1, stand.StandList().Sp(0)->Rec.BergerNr);
    EXPECT_DOUBLE_EQ(20, stand.StandList().Sp(0)->Rec.ZVPunten);
}

TEST_F(MainFormFiles, NoGroupFileSaysSoAndKeepsTheGroup) {
    const std::string club = OpenClub();
    WriteLines(Root + "/Data/lijst.csv", 5, "alleen een kolom");
    Open(Root + "/Data", "lijst.csv");
    EXPECT_EQ(1, CountAsked("lijst.csv\r\rKan bestand niet openen."));
    EXPECT_EQ(8, CurGroep->Spelers.Count());
    EXPECT_EQ("Clubkampioenschap A", CurGroep->Rec.Naam);
    EXPECT_EQ(club, CurGroep->Rec.FileName);
}

TEST_F(MainFormFiles, FileHeldByAnotherProgramIsNotOpened) {
    const std::string club = OpenClub();
    const std::string other = SaveClubFile(Root + "/Data", "Ander.csv");
    THeldFile held(other);
    ASSERT_TRUE(held.Held());
    ASSERT_TRUE(IsFileInUse(other));
    CurGroep->Rec.Naam = "Nog open";
    F->KeepSavedGroep(true); // as if saved: nothing to ask
    Open(Root + "/Data", "Ander.csv");
    EXPECT_EQ(1, CountAsked("Ander.csv\r\rKan bestand niet openen.\rHet bestand is in gebruik door "
                            "een ander programma; sluit het daar eerst."));
    EXPECT_EQ("Nog open", CurGroep->Rec.Naam);
    EXPECT_EQ(club, CurGroep->Rec.FileName);
    // Held by the office suite's lock file: the director is told which one.
    SaveClubFile(Root + "/Data", "Derde.csv");
    WriteFileAtomic(Root + "/Data/.~lock.Derde.csv#", "x");
    Open(Root + "/Data", "Derde.csv");
    EXPECT_EQ(1, CountAsked("Derde.csv\r\rKan bestand niet openen.\rVolgens het slotbestand "
                            "\".~lock.Derde.csv#\""));
    EXPECT_EQ("Nog open", CurGroep->Rec.Naam);
}

TEST_F(MainFormFiles, ChangedGroupIsOfferedForSavingBeforeAnotherOpens) {
    OpenClub();
    SaveClubFile(Root + "/Data", "B.csv");
    ChangeGroep();
    // Yes, then the save dialog is cancelled: the changed group stays.
    Dialogs->QueueAnswer(mrYes);
    Dialogs->QueueCancel();
    Open(Root + "/Data", "B.csv");
    EXPECT_EQ(1, CountAsked("Zijn gewijzigd, Data bewaren ?"));
    EXPECT_TRUE(CurGroep->Modified);
    EXPECT_EQ(Root + "/Data/Clubkampioenschap A.csv", CurGroep->Rec.FileName);
    // No: the other file opens.
    Dialogs->QueueAnswer(mrNo);
    Open(Root + "/Data", "B.csv");
    EXPECT_EQ(Root + "/Data/B.csv", CurGroep->Rec.FileName);
    EXPECT_FALSE(CurGroep->Modified);
    // Yes and saved: the file double-clicked opens after the save.
    CurGroep->Modified = true;
    Dialogs->QueueAnswer(mrYes);
    Dialogs->QueueFileName(Root + "/Data/B.csv");
    Dialogs->QueueAnswer(mrYes); // "bestaat reeds"
    Open(Root + "/Data", "Clubkampioenschap A.csv");
    EXPECT_EQ(Root + "/Data/Clubkampioenschap A.csv", CurGroep->Rec.FileName);
    EXPECT_FALSE(CurGroep->Modified);
}

TEST_F(MainFormFiles, FileNameOfAGroupHasNoDotsOrPathCharacters) {
    EXPECT_EQ("A-B.csv", GroepFileName("A.B"));
    EXPECT_EQ("x-y.csv", GroepFileName("x/y"));
    EXPECT_EQ("a-b-c-d-e-f-g-h-i-j.csv", GroepFileName("a\"b*c:d<e>f?g\\h|i.j"));
    EXPECT_EQ("Groep.csv", GroepFileName("  "));
    Create();
    CurGroep->Rec.Naam = "A.B";
    Dialogs->QueueCancel();
    F->SaveDataBitBtnClick(nullptr);
    EXPECT_EQ("A-B.csv", F->SaveDialog->FileName);
    EXPECT_FALSE(F->LastSaveDone());
}

TEST_F(MainFormFiles, SaveWritesTheGroupAndMarksItSaved) {
    Create();
    auto g = MakeClubGroep();
    CopyGroep(*g, *CurGroep);
    CurGroep->Modified = true;
    F->SaveDataBitBtn->SetEnabled(true);
    const std::string file = Root + "/Clubkampioenschap A.csv";
    Dialogs->QueueFileName(file);
    F->SaveDataBitBtnClick(nullptr);
    ASSERT_TRUE(F->LastSaveDone());
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(file, CurGroep->Rec.FileName);
    EXPECT_FALSE(CurGroep->Modified);
    EXPECT_FALSE(F->SaveDataBitBtn->Enabled());
    std::string diff;
    EXPECT_TRUE(GroepIsSame(*CurGroep, *F->SavedGroep(), diff)) << diff;
    EXPECT_EQ(0, CountAsked("bestaat reeds"));
}

TEST_F(MainFormFiles, RefusedOverwriteKeepsFileAndLeavesGroupUnsaved) {
    Create();
    const std::string file = Root + "/Bestaat.csv";
    ForceDirectories(Root);
    WriteFileAtomic(file, "oud");
    auto g = MakeClubGroep();
    CopyGroep(*g, *CurGroep);
    Dialogs->QueueFileName(file);
    Dialogs->QueueAnswer(mrNo);
    F->SaveDataBitBtnClick(nullptr);
    EXPECT_EQ(1, CountAsked(GetShortPath(file) + " bestaat reeds.\r\rOverschrijven ?\r"));
    EXPECT_EQ("oud", ReadFileBytes(file));
    EXPECT_FALSE(F->LastSaveDone());
    // The close still offers the group for saving.
    Dialogs->QueueAnswer(mrNo);
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(1, CountAsked("Gegevens zijn gewijzigd, Data bewaren ?"));
    // Yes overwrites.
    Dialogs->QueueFileName(file);
    Dialogs->QueueAnswer(mrYes);
    F->SaveDataBitBtnClick(nullptr);
    EXPECT_TRUE(F->LastSaveDone());
    EXPECT_NE("oud", ReadFileBytes(file));
}

TEST_F(MainFormFiles, FileHeldByAnotherProgramIsNotWrittenOver) {
    Create();
    const std::string file = SaveClubFile(Root, "Vast.csv");
    const std::string before = ReadFileBytes(file);
    CurGroep->Rec.Naam = "Andere groep";
    CurGroep->Modified = true;
    F->SaveDataBitBtn->SetEnabled(true);
    THeldFile held(file);
    ASSERT_TRUE(held.Held());
    Dialogs->QueueFileName(file);
    Dialogs->QueueAnswer(mrYes);
    F->SaveDataBitBtnClick(nullptr);
    EXPECT_EQ(1, CountAsked("in gebruik door een ander programma"));
    EXPECT_EQ(0, CountAsked("Overschrijven"));
    EXPECT_EQ(before, ReadFileBytes(file));
    EXPECT_FALSE(F->LastSaveDone());
    EXPECT_TRUE(CurGroep->Modified);
    EXPECT_TRUE(F->SaveDataBitBtn->Enabled());
}

// Saving over a link writes the file it names, and the link stays.
TEST_F(MainFormFiles, SavingThroughALinkWritesItsTarget) {
    const std::string file = OpenClub();
    const std::string link = Root + "/Koppeling.csv";
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    CurGroep->Rec.Naam = "Via de koppeling";
    Dialogs->QueueFileName(link);
    Dialogs->QueueAnswer(mrYes);
    F->SaveDataBitBtnClick(nullptr);
    ASSERT_TRUE(F->LastSaveDone());
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_NE(ReadFileBytes(file).find("Via de koppeling"), std::string::npos);
}

// A group file written by someone else since it was opened here is not
// silently replaced: the question says so, and No keeps the other's work.
TEST_F(MainFormFiles, AFileChangedOnDiskSinceItWasOpenedAsks) {
    const std::string file = OpenClub();
    CurGroep->Rec.Naam = "Mijn versie";
    auto ander = MakeClubGroep();
    ander->Rec.Naam = "Andere versie";
    ander->SaveGroepFile(file);
    const std::string vraag = GetShortPath(file) +
                              " is gewijzigd sinds het hier werd geopend of bewaard\r"
                              "(door een ander programma of een tweede Vivazozodi).\r\r"
                              "Toch overschrijven ?\r";
    Dialogs->QueueFileName(file);
    Dialogs->QueueAnswer(mrNo);
    F->SaveDataBitBtnClick(nullptr);
    EXPECT_EQ(1, CountAsked(vraag));
    EXPECT_EQ(0, CountAsked("bestaat reeds"));
    EXPECT_FALSE(F->LastSaveDone());
    EXPECT_NE(ReadFileBytes(file).find("Andere versie"), std::string::npos);
    Dialogs->QueueFileName(file);
    Dialogs->QueueAnswer(mrYes);
    F->SaveDataBitBtnClick(nullptr);
    ASSERT_TRUE(F->LastSaveDone());
    EXPECT_NE(ReadFileBytes(file).find("Mijn versie"), std::string::npos);
    // Saved here last: the ordinary question.
    Dialogs->QueueFileName(file);
    Dialogs->QueueAnswer(mrYes);
    F->SaveDataBitBtnClick(nullptr);
    EXPECT_EQ(2, CountAsked(vraag));
    EXPECT_EQ(1, CountAsked("bestaat reeds"));
}

// Another copy of the program that saves while the question is open is not
// written over without a word: the question comes again, and No keeps both
// the other's work and this group's changes.
TEST_F(MainFormFiles, ASaveMadeWhileTheQuestionIsOpenAsksAgain) {
    const std::string file = OpenClub();
    ChangeGroep();
    auto ander = MakeClubGroep();
    ander->Rec.Naam = "Andere versie";
    TGame& partij = *ander->Games.Game(0);
    ander->SetUitslag(partij, 1, kWit);
    Dialogs->QueueFileName(file);
    Dialogs->QueueAnswer(mrYes, [&] { ander->SaveGroepFile(file); });
    Dialogs->QueueAnswer(mrNo);
    F->SaveDataBitBtnClick(nullptr);
    EXPECT_EQ(1, CountAsked(GetShortPath(file) + " is zojuist gewijzigd\r"));
    EXPECT_FALSE(F->LastSaveDone());
    EXPECT_TRUE(CurGroep->Modified);
    EXPECT_NE(ReadFileBytes(file).find("Andere versie"), std::string::npos);
    // Asked about that file, and the other saves again meanwhile (a result
    // changed, the same size, at the same moment): asked again, then written.
    Dialogs->QueueFileName(file);
    Dialogs->QueueAnswer(mrYes, [&] {
        ander->SetUitslag(partij, 2, kWit);
        ander->SaveGroepFile(file);
    });
    Dialogs->QueueAnswer(mrYes);
    F->SaveDataBitBtnClick(nullptr);
    EXPECT_EQ(2, CountAsked(" is zojuist gewijzigd"));
    ASSERT_TRUE(F->LastSaveDone());
    EXPECT_EQ(ReadFileBytes(file).find("Andere versie"), std::string::npos);
}

// A read-only group file opens; saving over it says that it is read-only.
TEST_F(MainFormFiles, AReadOnlyGroupFileOpensAndIsNotWrittenOver) {
    Create();
    const std::string file = SaveClubFile(Root + "/Data", "Alleen lezen.csv");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const std::string before = ReadFileBytes(file);
    Open(Root + "/Data", "Alleen lezen.csv");
    EXPECT_EQ(0, CountAsked("Kan bestand niet openen."));
    EXPECT_EQ(file, CurGroep->Rec.FileName);
    CurGroep->Modified = true;
    Dialogs->QueueFileName(file);
    Dialogs->QueueAnswer(mrYes);
    F->SaveDataBitBtnClick(nullptr);
    EXPECT_EQ(1, CountAsked(NotWritableMessage(file)));
    EXPECT_EQ(0, CountAsked("Overschrijven"));
    EXPECT_EQ(before, ReadFileBytes(file));
    EXPECT_FALSE(F->LastSaveDone());
    EXPECT_TRUE(CurGroep->Modified);
    ::chmod(file.c_str(), 0644);
}

// One click (or an arrow key) on a folder shows its files; the data folder
// follows it.
TEST_F(MainFormFiles, SelectingAFolderShowsItsFiles) {
    Create();
    SaveClubFile(Root + "/Data/Sub", "In de sub.csv");
    F->DirectoryListBox->SetDirectory(Root + "/Data");
    ASSERT_EQ(0, F->FileListBox->Count());
    KeyStroke(F->DirectoryListBox, VK_DOWN);
    EXPECT_EQ(Root + "/Data/Sub", F->FileListBox->Directory());
    ASSERT_EQ(1, F->FileListBox->Count());
    EXPECT_EQ("In de sub.csv", F->FileListBox->Items()->Get(0));
    EXPECT_EQ(Root + "/Data/Sub", DataMap);
}

// What cannot be written is said and the group stays unsaved: a folder that
// does not exist before anything is asked (as for the standings text and the
// rating report), a full disk when the write fails.
TEST_F(MainFormFiles, FailedWriteSaysSoAndKeepsSaveEnabled) {
    Create();
    CurGroep->Rec.Naam = "Groep";
    CurGroep->Modified = true;
    F->SaveDataBitBtn->SetEnabled(true);
    for (const std::string& file : {Root + "/bestaat-niet/Groep.csv", Root + "/Groep.csv"}) {
        Dialogs->QueueFileName(file);
        const TFileSizeLimit vol(16);
        F->SaveDataBitBtnClick(nullptr);
        EXPECT_FALSE(FileExists(file));
        EXPECT_TRUE(F->SaveDataBitBtn->Enabled());
        EXPECT_TRUE(CurGroep->Modified);
        EXPECT_EQ("Groep.csv", CurGroep->Rec.FileName);
    }
    EXPECT_EQ(1, CountAsked("De map bestaat niet."));
    EXPECT_EQ(1, CountAsked(WriteFailedMessage(Root + "/Groep.csv")));
}

TEST_F(MainFormFiles, UnchangedGroupClosesWithoutAQuestion) {
    OpenClub();
    const size_t asked = Dialogs->Asked().size();
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(asked, Dialogs->Asked().size());
    EXPECT_TRUE(FileExists(IniFile));
}

// The start group has no file: a setting changed there leaves nothing to save
// while the group has no name and no games.
TEST_F(MainFormFiles, EditedEmptyStartGroupClosesWithoutAQuestion) {
    Create();
    F->FormActivate(nullptr);
    F->CalcZVCheckBox->SetChecked(false);
    F->EditGroepBitBtnClick(nullptr);
    const size_t asked = Dialogs->Asked().size();
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(asked, Dialogs->Asked().size());
}

TEST_F(MainFormFiles, NoAtTheCloseQuestionStillWritesTheSettings) {
    OpenClub();
    ChangeGroep();
    Dialogs->QueueAnswer(mrNo);
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(1, CountAsked("Groep: Clubkampioenschap A\r\r- Groep gegevens\rGegevens zijn "
                            "gewijzigd, Data bewaren ?\r"));
    ASSERT_TRUE(FileExists(IniFile));
    EXPECT_NE(std::string::npos, ReadFileBytes(IniFile).find("FileName=Clubkampioenschap A.csv"));
}

TEST_F(MainFormFiles, CloseQuestionNamesWhatDiffers) {
    OpenClub();
    CurGroep->Rec.Naam = "Andere naam";
    Dialogs->QueueAnswer(mrNo);
    bool canClose = false;
    F->FormCloseQuery(nullptr, canClose);
    EXPECT_EQ(1, CountAsked("Groep: Andere naam\r\r- Groep gegevens"));
}

TEST_F(MainFormFiles, CancelledSaveAtTheCloseKeepsTheWindowOpen) {
    OpenClub();
    ChangeGroep();
    Dialogs->QueueAnswer(mrYes);
    Dialogs->QueueCancel();
    bool canClose = true;
    F->FormCloseQuery(nullptr, canClose);
    EXPECT_FALSE(canClose);
    EXPECT_FALSE(FileExists(IniFile));
    EXPECT_EQ(8, CurGroep->Spelers.Count());
}

TEST_F(MainFormFiles, DeleteAsksAndRemovesTheFile) {
    Create();
    const std::string file = SaveClubFile(Root, "Weg.csv");
    F->FileListBox->SetDirectory(Root);
    F->FileListBox->SetItemIndex(0);
    F->FileListBoxClick(nullptr);
    EXPECT_TRUE(F->WegSpeedButton->Enabled());
    Dialogs->QueueAnswer(mrNo);
    F->WegSpeedButtonClick(nullptr);
    EXPECT_TRUE(FileExists(file));
    Dialogs->QueueAnswer(mrYes);
    F->WegSpeedButtonClick(nullptr);
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(0, F->FileListBox->Count());
    EXPECT_FALSE(F->WegSpeedButton->Enabled());
    EXPECT_EQ(2, CountAsked("Weg.csv\r\rVerwijderen ?\r"));
}

TEST_F(MainFormFiles, NewFolderNeedsThreeCharactersAndAYes) {
    Create();
    ForceDirectories(Root);
    F->DirectoryListBox->SetDirectory(Root);
    F->MakeMapEdit->SetText("ab");
    F->MakeMapEditChange(nullptr);
    EXPECT_FALSE(F->NewMapSpeedButton->Enabled());
    F->MakeMapEdit->SetText(" Toernooi ");
    F->MakeMapEditChange(nullptr);
    EXPECT_TRUE(F->NewMapSpeedButton->Enabled());
    Dialogs->QueueAnswer(mrYes);
    F->NewMapSpeedButtonClick(nullptr);
    EXPECT_TRUE(DirectoryExists(Root + "/Toernooi"));
    EXPECT_EQ("", F->MakeMapEdit->Text());
    EXPECT_FALSE(F->NewMapSpeedButton->Enabled());
    EXPECT_EQ(1, CountAsked("Toernooi toevoegen aan \r"));
}

TEST_F(MainFormFiles, NewFolderNameIsNoPath) {
    Create();
    ForceDirectories(Root + "/Data");
    F->DirectoryListBox->SetDirectory(Root + "/Data");
    for (const char* naam : {"../Buiten", "a/b", ".."}) {
        F->MakeMapEdit->SetText(naam);
        F->NewMapSpeedButtonClick(nullptr);
        EXPECT_EQ(1, CountAsked(std::string(naam) + "\r\rDit is geen geldige naam voor een map."));
    }
    EXPECT_FALSE(DirectoryExists(Root + "/Buiten"));
    EXPECT_FALSE(DirectoryExists(Root + "/Data/a"));
    EXPECT_EQ(0, CountAsked("toevoegen aan"));
}

TEST_F(MainFormFiles, ResultsWindowShowsModallyAndKeepsTheFileSelection) {
    OpenClub();
    SaveClubFile(Root + "/Data", "Tweede.csv");
    F->FileListBox->Update();
    F->FileListBox->SetItemIndex(1);
    TUitslagForm uitslag(nullptr);
    UitslagForm = &uitslag;
    bool shown = false;
    TThread::StaticQueue([&] {
        shown = uitslag.Visible() && uitslag.Modal();
        uitslag.Close();
    });
    PostMessage(&uitslag, WM_NULL, 0, 0);
    F->UitslagenBitBtnClick(nullptr);
    UitslagForm = nullptr;
    EXPECT_TRUE(shown);
    EXPECT_FALSE(uitslag.Visible());
    EXPECT_EQ(1, F->FileListBox->ItemIndex());
    // The games point at the group's own players.
    for (int i = 0; i < CurGroep->Games.Count(); ++i)
        for (const TGameSlot& s : CurGroep->Games.Game(i)->Rec.Slots)
            EXPECT_EQ(CurGroep->Spelers.GetSpelerOnBergerNr(s.BergerNr), s.Sp);
}

// Coming to the players page puts the cursor on the first player, where the
// edit fields start; other pages leave the grid alone.
TEST_F(MainFormFiles, PlayersPageStartsOnTheFirstPlayer) {
    OpenClub();
    TExtColumnGrid& g = *F->SpEditGrid;
    g.SetCol(3);
    g.SetRow(5);
    F->PageControl->SetActivePage(F->EditGroepSheet);
    F->PageControlChange(F->PageControl);
    EXPECT_EQ(5, g.Row());
    EXPECT_EQ(3, g.Col());
    F->PageControl->SetActivePage(F->SpelersSheet);
    F->PageControlChange(F->PageControl);
    EXPECT_EQ(1, g.Row());
    EXPECT_EQ(1, g.Col());
}

TEST_F(MainFormFiles, NewGroupRoadStopsWhenTheChangedGroupIsNotSaved) {
    OpenClub();
    ChangeGroep();
    Dialogs->QueueAnswer(mrYes);
    Dialogs->QueueCancel();
    F->NewGroepBitBtnClick(nullptr);
    EXPECT_EQ(1, CountAsked("Zijn gewijzigd, Data bewaren ?"));
    EXPECT_EQ(8, CurGroep->Spelers.Count());
    EXPECT_TRUE(CurGroep->Modified);
    EXPECT_FALSE(F->NewGroepFlag);
}

} // namespace

TEST_F(MainFormFiles, SpreadsheetShapedFilesOpenOrSayWhyNot) {
    Create();
    ForceDirectories(Root + "/Data");
    // A hyphen in the first player's name must not become the delimiter.
    auto g = MakeClubGroep();
    g->Spelers.Sp(0)->Rec.Voornaam = "Jan-Willem";
    g->Spelers.Sp(0)->Rec.Achternaam = "Hoek-Smit";
    g->SaveGroepFile(Root + "/Data/Streep.csv");
    Open(Root + "/Data", "Streep.csv");
    ASSERT_EQ(8, CurGroep->Spelers.Count());
    EXPECT_EQ("Hoek-Smit", CurGroep->Spelers.GetSpelerOnBergerNr(1)->Rec.Achternaam);
    EXPECT_EQ(28, CurGroep->Games.Count());
    EXPECT_EQ(0, CurGroep->Games.GetNrEmptyGames());

    // Two player lines swapped in a spreadsheet: results would land against the
    // wrong opponents, so the file is refused with the reason.
    TStringList lines;
    lines.LoadFromFile(Root + "/Data/Streep.csv");
    lines.Exchange(1, 2);
    lines.SaveToFile(Root + "/Data/Geschud.csv");
    Open(Root + "/Data", "Geschud.csv");
    ASSERT_EQ(1, CountAsked("Geschud.csv\r\rKan bestand niet openen.\r"));
    for (const TDialogRecord& r : Dialogs->Asked())
        if (r.Text.find("Geschud.csv") != std::string::npos) {
            EXPECT_GT(r.Text.size(),
                      std::string("Geschud.csv\r\rKan bestand niet openen.\r").size());
        }
    EXPECT_EQ("Hoek-Smit", CurGroep->Spelers.GetSpelerOnBergerNr(1)->Rec.Achternaam);
    EXPECT_EQ(Root + "/Data/Streep.csv", CurGroep->Rec.FileName);
}
