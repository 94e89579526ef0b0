#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "config_folder.h"
#include "platform/rtl/files.h"
#include "platform/rtl/inifiles.h"

namespace {
using IniFile = ConfigFolderTest;
} // namespace

TEST_F(IniFile, RelativeNameLivesInTheConfigFolder) {
    TIniFile ini("instellingen.ini");
    EXPECT_EQ(ini.FileName(), Root + "/vivazozodi/instellingen.ini");
    EXPECT_FALSE(FileExists(ini.FileName()));
    ini.WriteString("Last", "Plaats", "Zwolle");
    EXPECT_TRUE(FileExists(ini.FileName())); // written at once, folder made
    EXPECT_EQ(TIniFile(Root + "/vivazozodi/instellingen.ini").FileName(), ini.FileName());
}

TEST_F(IniFile, ValuesRoundTripThroughTheFile) {
    const std::string name = Root + "/r\xe9sultaat.ini"; // a Windows-1252 file name
    {
        TIniFile ini(name);
        ini.WriteString("Last", "Plaats", "'s-Hertogenbosch \xbd");
        ini.WriteInteger("Last", "Splitter", -42);
        ini.WriteBool("MainForm", "WindowState", true);
        ini.WriteBool("MainForm", "Maximised", false);
        ini.WriteFloat("Last", "Factor", 2.5);
        ini.WriteDate("Last", "Datum", EncodeDate(2026, 12, 7));
        ini.WriteTime("Last", "Tijd", EncodeTime(13, 45, 10, 0));
    }
    EXPECT_TRUE(FileExists(Root + "/r\xe9sultaat.ini"));
    EXPECT_EQ(::access((Root + "/r\xc3\xa9sultaat.ini").c_str(), F_OK), 0); // UTF-8 on disk
    const TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("Last", "Plaats", ""), "'s-Hertogenbosch \xbd");
    EXPECT_EQ(ini.ReadInteger("Last", "Splitter", 50), -42);
    EXPECT_TRUE(ini.ReadBool("MainForm", "WindowState", false));
    EXPECT_FALSE(ini.ReadBool("MainForm", "Maximised", true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Last", "Factor", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadDate("Last", "Datum", 0), EncodeDate(2026, 12, 7));
    EXPECT_NEAR(ini.ReadTime("Last", "Tijd", 0), EncodeTime(13, 45, 10, 0), 1e-9);
    // Defaults for what is missing or unreadable.
    EXPECT_EQ(ini.ReadString("Last", "Arbiter", "geen"), "geen");
    EXPECT_EQ(ini.ReadInteger("Last", "Plaats", 7), 7);
    EXPECT_TRUE(ini.ReadBool("Nergens", "X", true));
    EXPECT_DOUBLE_EQ(ini.ReadDate("Last", "Plaats", 3.0), 3.0);
}

TEST_F(IniFile, DiskLayoutIsCrLfAndReadsLfToo) {
    const std::string name = Root + "/a.ini";
    TIniFile ini(name);
    ini.WriteString("Last", "DataMap", "/data");
    ini.WriteInteger("Last", "RatingRadio", 2);
    ini.WriteBool("MainForm", "WindowState", false);
    EXPECT_EQ(ReadFileBytes(name),
              "[Last]\r\nDataMap=/data\r\nRatingRadio=2\r\n[MainForm]\r\nWindowState=0\r\n");

    WriteFileAtomic(name, "; by hand\n[Last]\n  DataMap = /elders  \nHex=0x1F\n\n[Leeg]\n");
    EXPECT_EQ(ini.ReadString("Last", "DataMap", ""), "/elders");
    EXPECT_EQ(ini.ReadInteger("Last", "Hex", 0), 31);
    EXPECT_TRUE(ini.SectionExists("Leeg"));
    ini.WriteString("Last", "FileName", "groep.csv");
    // The comment and the blank line stay; the new name follows the last entry.
    EXPECT_EQ(ReadFileBytes(name), "; by hand\r\n[Last]\r\nDataMap=/elders\r\nHex=0x1F\r\n"
                                   "FileName=groep.csv\r\n\r\n[Leeg]\r\n");
}

TEST_F(IniFile, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
    TIniFile ini(Root + "/c.ini");
    ini.WriteString("MainForm", "Top", "10");
    ini.WriteString("MAINFORM", "TOP", "20");
    ini.WriteString("mainform", "H\xe9ight", "300");
    ini.WriteString("MAINFORM", "H\xc9IGHT", "400"); // code-page letters fold too
    EXPECT_EQ(ini.ReadInteger("mainFORM", "top", 0), 20);
    EXPECT_EQ(ini.ReadInteger("MainForm", "h\xe9ight", 0), 400);
    EXPECT_EQ(ReadFileBytes(Root + "/c.ini"), "[MainForm]\r\nTop=20\r\nH\xe9ight=400\r\n");
    EXPECT_TRUE(ini.ValueExists("MAINFORM", "TOP"));
    EXPECT_FALSE(ini.ValueExists("MainForm", "Width"));
}

TEST_F(IniFile, SectionListingAndRemoval) {
    TIniFile ini(Root + "/d.ini");
    ini.WriteInteger("Grid", "Col0", 64);
    ini.WriteInteger("Grid", "Col1", 120);
    ini.WriteString("Last", "Plaats", "Ede");
    TStringList list;
    list.Add("stale");
    ini.ReadSections(&list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Grid", "Last"}));
    ini.ReadSection("grid", &list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Col0", "Col1"}));
    ini.ReadSectionValues("GRID", &list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Col0=64", "Col1=120"}));
    EXPECT_EQ(list.Values("Col1"), "120");

    ini.DeleteKey("grid", "COL0");
    EXPECT_FALSE(ini.ValueExists("Grid", "Col0"));
    EXPECT_TRUE(ini.ValueExists("Grid", "Col1"));
    ini.EraseSection("GRID");
    EXPECT_FALSE(ini.SectionExists("Grid"));
    ini.ReadSection("Grid", &list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(ReadFileBytes(Root + "/d.ini"), "[Last]\r\nPlaats=Ede\r\n");
    // Removing what is not there writes nothing: a read-only file is no error then.
    ASSERT_EQ(chmod((Root + "/d.ini").c_str(), 0444), 0);
    EXPECT_NO_THROW(ini.DeleteKey("Last", "Naam"));
    EXPECT_NO_THROW(ini.EraseSection("Grid"));
}

TEST_F(IniFile, TwoObjectsOnOneFileSeeEachOthersWrites) {
    TIniFile a(Root + "/e.ini");
    TIniFile b(Root + "/e.ini");
    a.WriteInteger("S", "A", 1);
    b.WriteInteger("S", "B", 2); // must not drop what a wrote
    EXPECT_EQ(a.ReadInteger("S", "B", 0), 2);
    EXPECT_EQ(b.ReadInteger("S", "A", 0), 1);
}

TEST_F(IniFile, LineBreaksInAValueCannotAddLines) {
    TIniFile ini(Root + "/f.ini");
    ini.WriteString("S", "Naam", "a\r\n[Kwaad]\nX=1");
    EXPECT_FALSE(ini.SectionExists("Kwaad"));
    EXPECT_EQ(ini.ReadString("S", "Naam", ""), "a  [Kwaad] X=1");
}

TEST_F(IniFile, UnwritableFileRaisesAndLeavesNothing) {
    TIniFile ini(Root + "/geen/map/g.ini"); // an absolute name: no folders are made
    EXPECT_THROW(ini.WriteString("S", "X", "1"), EIniFileException);
    EXPECT_FALSE(DirectoryExists(Root + "/geen"));
    EXPECT_EQ(ini.ReadString("S", "X", "leeg"), "leeg");
}

TEST_F(IniFile, KilledWriterLeavesTheOldOrTheNewFile) {
    const std::string name = Root + "/crash.ini";
    const std::string bigA(128 << 10, 'a'), bigB(128 << 10, 'b');
    TIniFile(name).WriteString("S", "Big", bigA);
    const std::string textA = ReadFileBytes(name);
    const std::string textB = "[S]\r\nBig=" + bigB + "\r\n";
    const int caught = KillWriterRepeatedly(
        [&] {
            TIniFile ini(name);
            ini.WriteString("S", "Big", bigB);
            ini.WriteString("S", "Big", bigA);
        },
        Root, "crash.ini.*",
        [&](int round) {
            const std::string text = ReadFileBytes(name);
            EXPECT_TRUE(text == textA || text == textB)
                << "round " << round << ", size " << text.size();
        });
    EXPECT_GT(caught, 0) << "the writer was never killed in the middle of a write";
}

// A file saved with CR LF by another editor keeps its lines as they were, and a
// setting commented out is no setting.
TEST_F(IniFile, CrLfFileAndCommentedSettingsStayAsTheyWere) {
    const std::string name = Root + "/c.ini";
    WriteFileAtomic(name, "[Last]\r\n;Plaats=Ede\r\nDataMap=/d\r\n\r\n");
    TIniFile ini(name);
    TStringList list;
    ini.ReadSection("Last", &list);
    EXPECT_EQ(Lines(list), std::vector<std::string>{"DataMap"});
    ini.WriteString("Last", "Plaats", "Zwolle");
    EXPECT_EQ(ReadFileBytes(name), "[Last]\r\n;Plaats=Ede\r\nDataMap=/d\r\nPlaats=Zwolle\r\n\r\n");
}
