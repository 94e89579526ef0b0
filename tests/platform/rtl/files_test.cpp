#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "platform/rtl/files.h"

namespace {
std::string MakeTempDir() {
    char tmpl[] = "/tmp/vz_files_XXXXXX";
    return mkdtemp(tmpl);
}
} // namespace

TEST(Files, PathParts) {
    EXPECT_EQ(ExtractFilePath("/a/b/c.csv"), "/a/b/");
    EXPECT_EQ(ExtractFileDir("/a/b/c.csv"), "/a/b");
    EXPECT_EQ(ExtractFileName("/a/b/c.csv"), "c.csv");
    EXPECT_EQ(ExtractFileExt("/a/b.d/c"), "");
    EXPECT_EQ(ExtractFileExt("groep 1.csv"), ".csv");
    EXPECT_EQ(ChangeFileExt("/a/groep.csv", ".txt"), "/a/groep.txt");
    EXPECT_EQ(ChangeFileExt("/a.b/groep", ".txt"), "/a.b/groep.txt");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a//"), "/a");
    EXPECT_EQ(ExpandFileName("/a/b/../c/./d"), "/a/c/d");
}

TEST(Files, MasksAreCaseInsensitive) {
    EXPECT_TRUE(MatchesMask("Groep A.CSV", "*.csv"));
    EXPECT_TRUE(MatchesMask("lid20160901.csv", "lid20??????.csv"));
    EXPECT_FALSE(MatchesMask("lid2016.csv", "lid20??????.csv"));
    EXPECT_TRUE(MatchesMask("readme", "*.*"));
    EXPECT_TRUE(MatchesMask("krat 16-09.txt", "krat*.txt"));
    EXPECT_FALSE(MatchesMask("jrat 16-09.txt", "krat*.txt"));
    EXPECT_TRUE(MatchesMask("\xe9t\xe9.txt", "\xc9T\xc9.*"));
}

TEST(Files, FoldersAndListing) {
    const std::string root = MakeTempDir();
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
    EXPECT_TRUE(RenameFile(root + "/a.csv", root + "/d.csv"));
    WriteFileAtomic(root + "/d.csv", "new");
    EXPECT_EQ(ReadFileBytes(root + "/d.csv"), "new");
    EXPECT_THROW(WriteFileAtomic(root + "/missing/e.csv", "x"), EFCreateError);
    std::system(("rm -rf '" + root + "'").c_str());
}

TEST(Files, DocumentsFolderFromXdg) {
    const std::string root = MakeTempDir();
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
    std::system(("rm -rf '" + root + "'").c_str());
    EXPECT_FALSE(GetProgramFileName().empty());
    EXPECT_TRUE(FileExists(GetProgramFileName()));
}

#include <sys/stat.h>

TEST(Files, AtomicWritesKeepOrMakeTheUsualPermissions) {
    const std::string root = MakeTempDir();
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
    std::system(("rm -rf '" + root + "'").c_str());
}
