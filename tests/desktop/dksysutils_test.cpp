#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "desktop/dkclasses.h"
#include "desktop/dkgraphics.h"
#include "desktop/dksysutils.h"

TEST(DkTextHelpers, FindFromAndFindLast) {
    EXPECT_EQ(dkPosFrom("ab", "xxabxxab", 1), 3);
    EXPECT_EQ(dkPosFrom("ab", "xxabxxab", 4), 7);
    EXPECT_EQ(dkPosFrom("AB", "xxabxxab", 1), 0); // case counts
    EXPECT_EQ(dkPosFrom("ab", "xxab", 9), 0);
    EXPECT_EQ(dkLastPos("ab", "xxabxxab"), 7);
    EXPECT_EQ(dkLastPos("ab", "xxabxxab", 6), 3); // must start at or before 6
    EXPECT_EQ(dkLastPos("ab", "xxabxxab", 7), 7);
    EXPECT_EQ(dkLastPos("zz", "xxab"), 0);
}

TEST(DkTextHelpers, ReplaceAllScansOnAfterEachReplacement) {
    EXPECT_EQ(dkReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(dkReplaceAll("a-b-c", "-", "--"), "a--b--c");
    EXPECT_EQ(dkReplaceAll("xxxx", "xx", "x"), "xx");
    EXPECT_EQ(dkReplaceChar("a\\b\\c", '\\', '/'), "a/b/c");
}

TEST(DkTextHelpers, SplitAppendsToTheList) {
    TStringList Lines;
    Lines.Add("first");
    dkSplitToLines("a;b;;c", ";", Lines);
    ASSERT_EQ(Lines.Count(), 5);
    EXPECT_EQ(Lines[1], "a");
    EXPECT_EQ(Lines[3], "");
    EXPECT_EQ(Lines[4], "c");
    dkSplitToLines("one<br>two", "<br>", Lines);
    EXPECT_EQ(Lines[5], "one");
    EXPECT_EQ(Lines[6], "two");
}

TEST(DkPathHelpers, DoubledSeparatorsBecomeOne) {
    EXPECT_EQ(dkRemoveDoubleBackslashes("a\\\\b\\c"), "a\\b\\c");
    EXPECT_EQ(dkRemoveDoubleBackslashes("a\\\\\\\\b"), "a\\\\b");
    EXPECT_EQ(dkRemoveDoubleBackslashes("/home//user/x"), "/home/user/x");
    EXPECT_EQ(dkIncludeTrailingBackslash("/tmp"), "/tmp/");
    EXPECT_EQ(dkIncludeTrailingBackslash("C:"), "C:");
    EXPECT_EQ(dkExtractFileName("C:\\dir\\name.txt"), "name.txt");
    EXPECT_EQ(dkExtractFilePath("/a/b/name.tar.gz"), "/a/b/");
    EXPECT_EQ(dkExtractFileNameNoExt("/a/b/name.tar.gz"), "name.tar");
    EXPECT_EQ(dkAbsolutePath("sub//x.txt", "/base"), "/base/sub/x.txt");
    EXPECT_EQ(dkAbsolutePath("/abs/x.txt", "/base"), "/abs/x.txt");
}

TEST(DkPathHelpers, MaskKeepsTheSourcePartsWithWildcards) {
    EXPECT_EQ(dkApplyFileMask("/src/report.txt", "*.bak"), "/src/report.bak");
    EXPECT_EQ(dkApplyFileMask("/src/report.txt", "/dst/copy.*"), "/dst/copy.txt");
    EXPECT_EQ(dkApplyFileMask("/src/report.txt", "/dst/new.csv"), "/dst/new.csv");
    EXPECT_EQ(dkApplyFileMask("/src/report.txt", "/dst/*.*"), "/dst/report.txt");
    EXPECT_EQ(dkApplyFileMask("/src/report.txt", "/dst/"), "/dst/report.txt");
    EXPECT_EQ(dkApplyFileMask("/src/.profile", "*.bak"), "/src/.profile.bak"); // no extension
}

TEST(DkPathHelpers, ValidFileNameLeavesNothingBehind) {
    const auto Dir =
        std::filesystem::temp_directory_path() / ("dkvalid-" + std::to_string(getpid()));
    std::filesystem::create_directories(Dir);
    const std::string Probe = (Dir / "probe.txt").string();
    EXPECT_TRUE(dkIsValidFileName(Probe));
    EXPECT_FALSE(std::filesystem::exists(Probe));
    EXPECT_FALSE(dkIsValidFileName(""));
    EXPECT_FALSE(dkIsValidFileName((Dir / "missing" / "x.txt").string()));
    std::filesystem::remove_all(Dir);
}

TEST(DkOSVersion, EveryLinuxIsXPOrLater) {
    const TdkOSInfo& I = dkOSInfo();
    EXPECT_EQ(I.Version, osvWinXP);
    EXPECT_TRUE(I.IsWinXP);
    EXPECT_TRUE(I.IsWinXPorLater);
    EXPECT_TRUE(I.IsWin2000orLater);
    EXPECT_TRUE(I.IsWinNT);
    EXPECT_FALSE(I.IsWin98orLater);
    EXPECT_FALSE(I.Name.empty());
    const TdkOSInfo Me = dkOSInfoFor(osvWinME);
    EXPECT_TRUE(Me.IsWin98orLater);
    EXPECT_FALSE(Me.IsWinNT);
    EXPECT_FALSE(dkOSInfoFor(osvWin95).IsWin98orLater);
    EXPECT_FALSE(dkOSInfoFor(osvWinNT4).IsWin2000orLater);
}

TEST(DkOSVersion, NameFromOsRelease) {
    EXPECT_EQ(dkOSNameFromRelease("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian 12\"\n"),
              "Debian 12");
    EXPECT_EQ(dkOSNameFromRelease("NAME=Fedora\n"), "Fedora");
    EXPECT_EQ(dkOSNameFromRelease(""), "Linux");
}

TEST(DkColorNames, ExtraNamesAreReadBeforeTheStandardOnes) {
    dkRegisterColorNames();
    EXPECT_EQ(StringToColor("clBrown"), 0x003090);
    EXPECT_EQ(StringToColor("clLavender"), 0xFF98C0);
    EXPECT_EQ(StringToColor("clSkyBlue"), 0xFFC800);
    EXPECT_EQ(StringToColor("clCream"), 0xA6CAF0);
    EXPECT_EQ(StringToColor("clHotLight"), static_cast<TColor>(0x80000000 + 26));
    std::string Name;
    ASSERT_TRUE(ColorToIdent(0x0068FF, Name));
    EXPECT_EQ(Name, "clOrange");
}

TEST(DkClasses, AClassNameRegistersOnce) {
    int Made = 0;
    EXPECT_TRUE(dkRegisterClass("TdkTestThing", [&](TComponent* O) {
        ++Made;
        return new TdkComponent(O);
    }));
    EXPECT_FALSE(dkRegisterClass("TdkTestThing", [](TComponent*) { return nullptr; }));
    auto Factory = dkFindClass("TdkTestThing");
    ASSERT_TRUE(Factory);
    TComponent Owner(nullptr);
    TComponent* C = Factory(&Owner);
    EXPECT_EQ(Made, 1);
    EXPECT_EQ(C->Owner(), &Owner);
    EXPECT_FALSE(dkFindClass("TdkNoSuchThing"));
}

TEST(DkProgramFiles, LogFileBesideTheProgram) {
    const std::string Log = dkLogFileName();
    EXPECT_EQ(Log.substr(Log.size() - 4), ".log");
    EXPECT_EQ(Log.rfind(dkProgramDir(), 0), 0u);
}
