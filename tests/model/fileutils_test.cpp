#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "model/fileutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "vz_test_support.h"

namespace {

// A fresh folder of the test's own in which files are made with a text.
class TempDir {
public:
    const std::string& Path() const { return FFolder.Path(); }
    std::string File(const std::string& name, const std::string& text = "x") const {
        const std::string f = FFolder.File(name);
        WriteFileAtomic(f, text);
        return f;
    }

private:
    TTestFolder FFolder{"vz_model"};
};

enum class LockKind { Flock, Fcntl };

// A second process that holds a lock on the file until it is told to let go.
class LockHolder {
public:
    LockHolder(const std::string& file, LockKind kind) {
        int ready[2], done[2];
        if (::pipe(ready) != 0 || ::pipe(done) != 0) return;
        FPid = ::fork();
        if (FPid == 0) {
            ::close(ready[0]);
            ::close(done[1]);
            const int fd = ::open(file.c_str(), O_RDWR);
            bool ok = fd >= 0;
            if (ok && kind == LockKind::Flock) ok = ::flock(fd, LOCK_EX) == 0;
            if (ok && kind == LockKind::Fcntl) {
                struct flock fl {};
                fl.l_type = F_WRLCK;
                fl.l_whence = SEEK_SET;
                ok = ::fcntl(fd, F_SETLKW, &fl) == 0;
            }
            const char c = ok ? '1' : '0';
            (void)!::write(ready[1], &c, 1);
            char x;
            (void)!::read(done[0], &x, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(done[0]);
        FDone = done[1];
        char c = '0';
        FLocked = ::read(ready[0], &c, 1) == 1 && c == '1';
        ::close(ready[0]);
    }
    ~LockHolder() {
        if (FDone >= 0) ::close(FDone); // the child's read returns and it ends
        if (FPid > 0) ::waitpid(FPid, nullptr, 0);
    }
    bool Locked() const { return FLocked; }

private:
    pid_t FPid = -1;
    int FDone = -1;
    bool FLocked = false;
};

// Both kinds of advisory lock that programs on Linux take: flock and record locks.
class FileInUseByLock : public testing::TestWithParam<LockKind> {};

TEST_P(FileInUseByLock, WhileAnotherProcessHoldsTheLock) {
    TempDir dir;
    const std::string f = dir.File("groep.csv");
    EXPECT_FALSE(IsFileInUse(f));
    {
        LockHolder holder(f, GetParam());
        ASSERT_TRUE(holder.Locked());
        EXPECT_TRUE(IsFileInUse(f));
        EXPECT_TRUE(IsFileInUse(f)); // asking does not take or break the lock
    }
    EXPECT_FALSE(IsFileInUse(f));
}

INSTANTIATE_TEST_SUITE_P(FileUtils, FileInUseByLock,
                         testing::Values(LockKind::Flock, LockKind::Fcntl));

TEST(FileUtils, IsFileInUseWithOfficeLockFile) {
    TempDir dir;
    const std::string f = dir.File("Groep A.csv");
    const std::string lock = dir.File(".~lock.Groep A.csv#");
    EXPECT_TRUE(IsFileInUse(f));
    DeleteFile(lock);
    EXPECT_FALSE(IsFileInUse(f));
    EXPECT_FALSE(IsFileInUse(dir.Path() + "/missing.csv"));
}

// The office suite's lock file is named, with whose it is; it is called left
// behind only when made here, by this user, and no process of the suite runs.
struct LockCase {
    const char* Lock; // $U: this user, $H: this computer
    bool OfficeRuns;
    const char* Says;
};

class OfficeLockReason : public testing::TestWithParam<LockCase> {};

TEST_P(OfficeLockReason, NamesTheLockFileAndWhetherItWasLeftBehind) {
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    const passwd* pw = ::getpwuid(::getuid());
    ASSERT_NE(pw, nullptr);
    const auto fill = [&](const std::string& Text) {
        return StringReplace(StringReplace(Text, "$U", pw->pw_name, rfReplaceAll), "$H", host,
                             rfReplaceAll);
    };
    TempDir dir;
    const std::string f = dir.File("Groep A.csv");
    dir.File(".~lock.Groep A.csv#", fill(GetParam().Lock));
    WriteBytes(dir.Path() + "/proc/1/comm", GetParam().OfficeRuns ? "soffice.bin\n" : "bash\n");
    const std::string reden = FileInUseReason(f, dir.Path() + "/proc");
    EXPECT_NE(reden.find("\".~lock.Groep A.csv#\""), std::string::npos) << reden;
    EXPECT_NE(reden.find(fill(GetParam().Says)), std::string::npos) << reden;
    EXPECT_EQ(reden.find("blijven staan") != std::string::npos,
              std::string(GetParam().Says) == "blijven staan")
        << reden;
}

INSTANTIATE_TEST_SUITE_P(
    FileUtils, OfficeLockReason,
    testing::Values(LockCase{",$U,$H,08.12.2026 10:15,file:///p;", false, "blijven staan"},
                    LockCase{",$U,$H,08.12.2026 10:15,file:///p;", true, "$U op $H"},
                    LockCase{"Jan,$U,elders,08.12.2026 10:15,file:///p;", false, "op elders"},
                    LockCase{",an\\,der,$H,08.12.2026 10:15,;", false, ": an,der op"},
                    LockCase{"x", false, "niet meer open"}));

// A file that cannot be opened for writing cannot be saved over either: a
// running program is one.
TEST(FileUtils, FileThatCannotBeOpenedForWritingIsInUse) {
    EXPECT_TRUE(IsFileInUse(GetProgramFileName()));
}

// A file the director may only read is not "in use": it opens. Asked by a
// user without write permission (a child process gives up root's rights).
TEST(FileUtils, AReadOnlyFileIsNotInUse) {
    TempDir dir;
    const std::string f = dir.File("Groep A.csv");
    ASSERT_EQ(::chmod(f.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::getuid() == 0 && ::setuid(65534) != 0) ::_exit(3);
        ::_exit(IsFileInUse(f) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ::chmod(f.c_str(), 0644);
}

TEST(FileUtils, GetShortPath) {
    EXPECT_EQ(GetShortPath("/a/b/c.csv"), "../b/c.csv");
    EXPECT_EQ(GetShortPath("/home/jan/Documents/Vivazozodi"), "../Documents/Vivazozodi");
    EXPECT_EQ(GetShortPath("b/c.csv"), "../c.csv");
    EXPECT_EQ(GetShortPath("/c.csv"), "/c.csv");
    EXPECT_EQ(GetShortPath("c.csv"), "c.csv");
}

TEST(FileUtils, IsValidFileNameAndValidFileExists) {
    TempDir dir;
    EXPECT_TRUE(IsValidFileName(dir.Path() + "/Groep A.csv"));
    EXPECT_TRUE(IsValidFileName("Groep A.csv"));
    EXPECT_FALSE(IsValidFileName(dir.Path() + "/"));
    EXPECT_FALSE(IsValidFileName(dir.Path() + "/nope/Groep.csv"));
    for (const char c : std::string("\"*:<>?\\|"))
        EXPECT_FALSE(IsValidFileName(dir.Path() + "/a" + c + "b.csv")) << c;
    EXPECT_FALSE(ValidFileExists(dir.Path() + "/Groep A.csv"));
    const std::string f = dir.File("Groep A.csv");
    EXPECT_TRUE(ValidFileExists(f));
}

TEST(FileUtils, FillDirAndFileLists) {
    TempDir dir;
    CreateDir(dir.Path() + "/b");
    CreateDir(dir.Path() + "/a");
    dir.File("x.csv");
    dir.File("Y.CSV");
    dir.File("z.txt");
    dir.File("bad?.csv");
    TStringList list;
    list.Add("old");
    FillDirList(dir.Path(), list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], "a");
    EXPECT_EQ(list[1], "b");
    const std::string cwd = GetCurrentDir();
    FillFileList(dir.Path(), "*.csv", list);
    EXPECT_EQ(GetCurrentDir(), cwd);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], "x.csv");
    EXPECT_EQ(list[1], "Y.CSV");
}

TEST(FileUtils, CheckMakeDir) {
    TempDir dir;
    std::string msg;
    EXPECT_TRUE(CheckMakeDir(dir.Path(), msg));
    EXPECT_EQ(msg, "");
    const std::string sub = dir.Path() + "/Documents/Vivazozodi";
    EXPECT_TRUE(CheckMakeDir(sub, msg));
    EXPECT_TRUE(DirectoryExists(sub));
    EXPECT_EQ(msg, "../Documents/Vivazozodi aangemaakt.\r");
    msg.clear();
    dir.File("file");
    EXPECT_FALSE(CheckMakeDir(dir.Path() + "/file/sub", msg));
    EXPECT_EQ(msg, "../file/sub Kan niet worden gemaakt.\r");
}

TEST(FileUtils, DataRootUnderTheDocumentsFolder) {
    TempDir dir;
    const char* old = std::getenv("XDG_DOCUMENTS_DIR");
    const std::string saved = old ? old : "";
    ::setenv("XDG_DOCUMENTS_DIR", dir.Path().c_str(), 1);
    EXPECT_EQ(GetDataRoot(), dir.Path() + "/Vivazozodi");
    EXPECT_EQ(GetSpecialFolder(CSIDL_PERSONAL), dir.Path());
    EXPECT_EQ(GetSpecialFolder(0x7777), "");
    if (old)
        ::setenv("XDG_DOCUMENTS_DIR", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DOCUMENTS_DIR");
}

} // namespace
