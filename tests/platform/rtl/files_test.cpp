#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib> // setenv
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/rtl/files.h"
#include "vz_test_support.h"

struct PathCase {
    const char* Name;
    const char* Path; // ExtractFilePath
    const char* Dir;  // ExtractFileDir
    const char* File; // ExtractFileName
    const char* Ext;  // ExtractFileExt
};

class PathPartsTable : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathPartsTable, SplitAtTheLastSeparator) {
    const PathCase& c = GetParam();
    EXPECT_EQ(ExtractFilePath(c.Name), c.Path);
    EXPECT_EQ(ExtractFileDir(c.Name), c.Dir);
    EXPECT_EQ(ExtractFileName(c.Name), c.File);
    EXPECT_EQ(ExtractFileExt(c.Name), c.Ext);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PathPartsTable,
    ::testing::Values(PathCase{"/a/b/c.csv", "/a/b/", "/a/b", "c.csv", ".csv"},
                      PathCase{"/a/b.d/c", "/a/b.d/", "/a/b.d", "c", ""},
                      PathCase{"groep 1.csv", "", "", "groep 1.csv", ".csv"},
                      PathCase{"/stand.txt", "/", "/", "stand.txt", ".txt"}, // in the root folder
                      PathCase{"/", "/", "/", "", ""}, PathCase{"/a/b/", "/a/b/", "/a/b", "", ""},
                      PathCase{"a/.profiel", "a/", "a", ".profiel", ".profiel"},
                      PathCase{"a.tar.gz", "", "", "a.tar.gz", ".gz"},
                      PathCase{"", "", "", "", ""}));

TEST(Files, ExtensionsAndTrailingSeparators) {
    EXPECT_EQ(ChangeFileExt("/a/groep.csv", ".txt"), "/a/groep.txt");
    EXPECT_EQ(ChangeFileExt("/a.b/groep", ".txt"), "/a.b/groep.txt");
    EXPECT_EQ(ChangeFileExt("groep.csv", ""), "groep");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a//"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a/"), "a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/"); // the root folder stays
    EXPECT_EQ(ExcludeTrailingPathDelimiter("//"), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(""), "");
}

TEST(Files, ExpandFileNameKeepsATrailingSeparatorButNeverDoublesTheRoot) {
    EXPECT_EQ(ExpandFileName("/a/b/../c/./d"), "/a/c/d");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
    EXPECT_EQ(ExpandFileName("/a//b"), "/a/b");
    EXPECT_EQ(ExpandFileName("/a/.."), "/");
    EXPECT_EQ(ExpandFileName("/a/../"), "/");
    EXPECT_EQ(ExpandFileName("/"), "/");
    EXPECT_EQ(ExpandFileName("/../x"), "/x");
    EXPECT_EQ(ExpandFileName("x"), IncludeTrailingPathDelimiter(GetCurrentDir()) + "x");
}

TEST(Files, MasksAreCaseInsensitive) {
    EXPECT_TRUE(MatchesMask("Groep A.CSV", "*.csv"));
    EXPECT_TRUE(MatchesMask("lid20160901.csv", "lid20??????.csv"));
    EXPECT_FALSE(MatchesMask("lid2016.csv", "lid20??????.csv"));
    EXPECT_TRUE(MatchesMask("readme", "*.*"));
    EXPECT_TRUE(MatchesMask("krat 16-09.txt", "krat*.txt"));
    EXPECT_FALSE(MatchesMask("jrat 16-09.txt", "krat*.txt"));
    EXPECT_TRUE(MatchesMask("\xe9t\xe9.txt", "\xc9T\xc9.*"));
    EXPECT_TRUE(MatchesMask("groep", ""));
    EXPECT_TRUE(MatchesMask("a", "a*"));
    EXPECT_TRUE(MatchesMask("abc", "*c"));
    EXPECT_FALSE(MatchesMask("abcd", "*c"));
    EXPECT_FALSE(MatchesMask("abc", "ab"));
    EXPECT_FALSE(MatchesMask("ab", "abc"));
    EXPECT_TRUE(MatchesMask("a.b.csv", "*.csv"));
    EXPECT_FALSE(MatchesMask("a", "??"));
}

TEST(Files, FoldersAndListing) {
    const TTestFolder folder("vz_files");
    const std::string root = folder.Path();
    const std::string deep = root + "/x/\xe9\xe9n/z";
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    WriteFileAtomic(root + "/b.CSV", "1");
    WriteFileAtomic(root + "/a.csv", "22");
    WriteFileAtomic(root + "/c.txt", "333");
    EXPECT_EQ(FileSizeOf(root + "/c.txt"), 3);
    EXPECT_EQ(ListFiles(root, "*.csv"), (std::vector<std::string>{"a.csv", "b.CSV"}));
    EXPECT_EQ(ListSubFolders(root), std::vector<std::string>{"x"});
    EXPECT_EQ(ListSubFolders(root + "/x"), std::vector<std::string>{"\xe9\xe9n"});
    EXPECT_FALSE(RenameFile(root + "/a.csv", root + "/b.CSV")); // never replaces
    EXPECT_FALSE(RenameFile(root + "/a.csv", root + "/x"));     // not even a folder
    EXPECT_TRUE(FileExists(root + "/a.csv"));
    ASSERT_TRUE(CreateDir(root + "/leeg1"));
    ASSERT_TRUE(CreateDir(root + "/leeg2"));
    EXPECT_FALSE(RenameFile(root + "/leeg1", root + "/leeg2")); // an empty folder neither
    EXPECT_TRUE(DirectoryExists(root + "/leeg1"));
    EXPECT_TRUE(RenameFile(root + "/a.csv", root + "/d.csv"));
    WriteFileAtomic(root + "/d.csv", "new");
    EXPECT_EQ(ReadFileBytes(root + "/d.csv"), "new");
    EXPECT_THROW(WriteFileAtomic(root + "/missing/e.csv", "x"), EFCreateError);
    EXPECT_TRUE(ForceDirectories(root + "/p/q/"));
    EXPECT_TRUE(DirectoryExists(root + "/p/q"));
    EXPECT_FALSE(ForceDirectories(""));
    EXPECT_EQ(ListFiles(root + "/p"), std::vector<std::string>{});
    EXPECT_EQ(FileSizeOf(root + "/none"), -1);
}

TEST(Files, DocumentsFolderFromXdg) {
    const TTestFolder folder("vz_files");
    const std::string root = folder.Path();
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    setenv("HOME", root.c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    setenv("XDG_CONFIG_HOME", (root + "/cfg").c_str(), 1);
    EXPECT_EQ(GetDocumentsFolder(), root + "/Documents");
    ForceDirectories(root + "/cfg");
    std::ofstream(root + "/cfg/user-dirs.dirs")
        << "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Documenten\"\n";
    EXPECT_EQ(GetDocumentsFolder(), root + "/Documenten");
    setenv("HOME", savedHome.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_FALSE(GetProgramFileName().empty());
    EXPECT_TRUE(FileExists(GetProgramFileName()));
}

#include <sys/stat.h>

TEST(Files, AtomicWritesKeepOrMakeTheUsualPermissions) {
    const TTestFolder folder("vz_files");
    const std::string root = folder.Path();
    const mode_t mask = umask(022);
    WriteFileAtomic(root + "/new.csv", "a");
    struct stat st {};
    ASSERT_EQ(stat((root + "/new.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    chmod((root + "/new.csv").c_str(), 0600);
    WriteFileAtomic(root + "/new.csv", "b");
    ASSERT_EQ(stat((root + "/new.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(ListFiles(root), std::vector<std::string>{"new.csv"}); // no temporary left
    std::string name;
    const int fd = OpenUniqueFile(root + "/t.", 0600, name);
    ASSERT_GE(fd, 0);
    close(fd);
    EXPECT_EQ(ExtractFilePath(name), root + "/");
    EXPECT_EQ(ExtractFileName(name).rfind("t.", 0), 0u);
    umask(mask);
}

// A write that fails half way (here at the file size limit, as on a full disk)
// raises and leaves the file it would replace as it was.
TEST(Files, FailedAtomicWriteKeepsTheOldFile) {
    const TTestFolder folder("vz_files");
    const std::string file = folder.File("groep.csv");
    WriteFileAtomic(file, "oud");
    {
        const TFileSizeLimit limit(4096);
        EXPECT_THROW(WriteFileAtomic(file, std::string(10000, 'x')), EFCreateError);
    }
    EXPECT_EQ(ReadFileBytes(file), "oud");
}

namespace {

// Runs a save of File in a child process that is killed half way (at its
// look at the file, after the data is written), and answers the name of the
// temporary file the save left beside File.
std::string KilledSaveLeftover(const std::string& File) {
    const std::vector<std::string> before = ListFiles(ExtractFileDir(File));
    const pid_t child = fork();
    if (child == 0) {
        WriteFileAtomicIf(File, std::string(1 << 20, 'x'), [](const TFileVersion&) {
            raise(SIGKILL);
            return true;
        });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    for (const std::string& name : ListFiles(ExtractFileDir(File)))
        if (std::find(before.begin(), before.end(), name) == before.end()) return name;
    return "";
}

void MakeOld(const std::string& File) {
    timespec times[2];
    clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= 3600;
    times[1] = times[0];
    utimensat(AT_FDCWD, File.c_str(), times, 0);
}

} // namespace

// What a killed save left beside a file goes at the next save of that file;
// a save still being written (its file locked) stays, and so does every file
// the save cannot tell for a killed one of its own: an old one a user named
// so, a copy of a leftover, a leftover whose name got more letters.
TEST(Files, NextSaveRemovesWhatAKilledSaveLeft) {
    const TTestFolder folder("vz_files");
    const std::string file = folder.File("stand.txt");
    WriteFileAtomic(file, "oud");
    // Made as leftovers of another file, so that making one does not take the
    // one before, then named as leftovers of this one.
    const std::string dood = "stand.txt.vzsave-dood1234", levend = "stand.txt.vzsave-leeft123";
    const std::vector<std::string> blijven = {
        "stand.txt.vzsave-Eigen123", "stand.txt.vzsave-kopie456", "stand.txt.vzsave-langer789"};
    for (const std::string& name : {dood, levend, blijven[2]})
        ASSERT_TRUE(
            RenameFile(folder.File(KilledSaveLeftover(folder.File("x.txt"))), folder.File(name)));
    EXPECT_EQ(ReadFileBytes(file), "oud");
    WriteFileAtomic(folder.File(blijven[0]), "eigen werk");
    WriteFileAtomic(folder.File(blijven[1]), ReadFileBytes(folder.File(dood)));
    for (const std::string& name : blijven)
        MakeOld(folder.File(name));
    const int held = open(folder.File(levend).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    // Another file's leftover is not this save's to take.
    WriteFileAtomic(folder.File("ander.txt"), "ander");
    EXPECT_TRUE(FileExists(folder.File(dood)));

    WriteFileAtomic(file, "nieuw");
    EXPECT_FALSE(FileExists(folder.File(dood)));
    EXPECT_TRUE(FileExists(folder.File(levend)));
    for (const std::string& name : blijven)
        EXPECT_TRUE(FileExists(folder.File(name))) << name;
    close(held);
    WriteFileAtomic(file, "weer");
    EXPECT_FALSE(FileExists(folder.File(levend)));
    EXPECT_EQ(ListFiles(folder.Path()).size(), 2 + blijven.size());
    EXPECT_EQ(ReadFileBytes(file), "weer");
}

// A save that looks first sees the file as it is while the other such saves
// of the folder wait, from its look to its replace; when the look says the
// file changed, nothing is written.
TEST(Files, CheckedSaveLooksAndReplacesInOneTurn) {
    const TTestFolder folder("vz_files");
    const std::string file = folder.File("groep.csv");
    WriteFileAtomic(file, "oud");
    const int ander = open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    TFileVersion gezien;
    EXPECT_TRUE(WriteFileAtomicIf(file, "nieuw", [&](const TFileVersion& Now) {
        gezien = Now;
        return flock(ander, LOCK_EX | LOCK_NB) != 0;
    }));
    close(ander);
    EXPECT_EQ(gezien, (TFileVersion{true, "oud"}));
    EXPECT_EQ(FileVersionOf(file), (TFileVersion{true, "nieuw"}));
    EXPECT_FALSE(WriteFileAtomicIf(file, "later", [](const TFileVersion&) { return false; }));
    EXPECT_EQ(ReadFileBytes(file), "nieuw");
    EXPECT_EQ(ListFiles(folder.Path()), std::vector<std::string>{"groep.csv"});
    EXPECT_FALSE(FileVersionOf(folder.File("geen.csv")).Exists);
}

// Through a link (absolute or relative, also a chain) the target gets the new
// contents and the link stays a link; a read-only file is not replaced.
TEST(Files, AtomicWritesGoThroughLinksAndLeaveReadOnlyFiles) {
    const TTestFolder folder("vz_files");
    const std::string root = folder.Path();
    ASSERT_TRUE(ForceDirectories(root + "/echt"));
    WriteFileAtomic(root + "/echt/groep.csv", "oud");
    ASSERT_EQ(symlink((root + "/echt/groep.csv").c_str(), (root + "/abs.csv").c_str()), 0);
    ASSERT_EQ(symlink("echt/groep.csv", (root + "/rel.csv").c_str()), 0);
    ASSERT_EQ(symlink("rel.csv", (root + "/keten.csv").c_str()), 0);
    ASSERT_EQ(symlink("keten.csv", (root + "/lang.csv").c_str()), 0);
    for (const char* link : {"abs.csv", "rel.csv", "keten.csv", "lang.csv"}) {
        SCOPED_TRACE(link);
        EXPECT_EQ(ResolveLinks(root + "/" + link), root + "/echt/groep.csv");
        WriteFileAtomic(root + "/" + link, link);
        EXPECT_EQ(ReadFileBytes(root + "/echt/groep.csv"), link);
        struct stat st {};
        ASSERT_EQ(lstat((root + "/" + link).c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode));
    }
    EXPECT_EQ(ListFiles(root + "/echt"), std::vector<std::string>{"groep.csv"});

    const TFileStamp voor = FileStampOf(root + "/abs.csv");
    EXPECT_TRUE(voor.Exists);
    EXPECT_EQ(voor, FileStampOf(root + "/echt/groep.csv"));
    WriteFileAtomic(root + "/echt/groep.csv", "nieuw");
    EXPECT_NE(voor, FileStampOf(root + "/abs.csv"));
    EXPECT_FALSE(FileStampOf(root + "/geen.csv").Exists);

    chmod((root + "/echt/groep.csv").c_str(), 0444);
    EXPECT_TRUE(IsReadOnlyFile(root + "/rel.csv"));
    EXPECT_THROW(WriteFileAtomic(root + "/rel.csv", "x"), EFCreateError);
    EXPECT_EQ(ReadFileBytes(root + "/echt/groep.csv"), "nieuw");
    EXPECT_FALSE(IsReadOnlyFile(root + "/geen.csv"));
    EXPECT_TRUE(IsWritableDir(root));
}
