#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "desktop/dkautorun.h"
#include "dktestenv.h"

namespace fs = std::filesystem;

namespace {

class AutoRun : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("HOME", (Dir / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (Dir / "home/.config").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (Dir / "etc-xdg:" + std::string("/etc/xdg")).c_str(), 1);
    }
    TTempFolder Dir;
};

// The Exec line as a desktop launches it: string escapes first, then the
// quoting rules of freedesktop desktop entries.
std::vector<std::string> ParseExec(const std::string& Line) {
    std::string Unescaped;
    for (size_t i = 0; i < Line.size(); ++i) {
        if (Line[i] == '\\' && i + 1 < Line.size()) {
            const char N = Line[++i];
            Unescaped += N == 's' ? ' ' : N == 'n' ? '\n' : N == 't' ? '\t' : N;
        } else
            Unescaped += Line[i];
    }
    std::vector<std::string> Args;
    std::string Cur;
    bool Quoted = false, Any = false;
    for (size_t i = 0; i < Unescaped.size(); ++i) {
        const char C = Unescaped[i];
        if (C == '%' && i + 1 < Unescaped.size() && Unescaped[i + 1] == '%') {
            Cur += '%'; // a literal percent, quoted or not
            ++i;
        } else if (Quoted) {
            if (C == '\\' && i + 1 < Unescaped.size())
                Cur += Unescaped[++i];
            else if (C == '"')
                Quoted = false;
            else
                Cur += C;
        } else if (C == '"') {
            Quoted = Any = true;
        } else if (C == ' ') {
            if (Any || !Cur.empty()) Args.push_back(Cur);
            Cur.clear();
            Any = false;
        } else
            Cur += C;
    }
    if (Any || !Cur.empty()) Args.push_back(Cur);
    return Args;
}

std::string ExecLine(const std::string& Entry) {
    const std::string Text = ReadBytes(Entry);
    const auto At = Text.find("\nExec=");
    if (At == std::string::npos) return "";
    return Text.substr(At + 6, Text.find('\n', At + 1) - At - 6);
}

int Launch(const std::vector<std::string>& Args) {
    const pid_t Pid = fork();
    if (Pid == 0) {
        std::vector<char*> A;
        for (const auto& S : Args)
            A.push_back(const_cast<char*>(S.c_str()));
        A.push_back(nullptr);
        execv(A[0], A.data());
        _exit(127);
    }
    int Status = 0;
    waitpid(Pid, &Status, 0);
    return WEXITSTATUS(Status);
}

} // namespace

TEST_F(AutoRun, UserEntriesWrittenReadAndRemoved) {
    const std::string Program = Dir / "bin/toernooi";
    TdkAutoRun A(nullptr);
    A.SetFileName(Program);
    A.SetKind(aekUserRun);
    EXPECT_FALSE(A.Registered());
    A.SetAutoRun(true);
    EXPECT_TRUE(A.Registered());
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
    EXPECT_EQ(Reg.ReadString("toernooi"), Program);
    const std::string Entry = Dir / "home/.config/autostart/vivazozodi-toernooi.desktop";
    EXPECT_EQ(dkAutoStartEntry(aekUserRun, Program), Entry);
    ASSERT_TRUE(fs::exists(Entry));
    EXPECT_EQ(ParseExec(ExecLine(Entry)), std::vector<std::string>{Program});

    // Another program name moves both.
    A.SetFileName(Dir / "bin/other");
    EXPECT_FALSE(fs::exists(Entry));
    EXPECT_TRUE(fs::exists(Dir / "home/.config/autostart/vivazozodi-other.desktop"));
    A.SetAutoRun(false);
    EXPECT_FALSE(A.Registered());
    EXPECT_TRUE(fs::is_empty(Dir / "home/.config/autostart"));
}

TEST_F(AutoRun, MachineKindsUseTheSystemFolderAndServiceKindsNothing) {
    const std::string Program = Dir / "bin/prog";
    EXPECT_TRUE(dkRegisterAutoRun(aekMachineRun, Program));
    EXPECT_TRUE(fs::exists(Dir / "etc-xdg/autostart/vivazozodi-prog.desktop"));
    TRegistry Reg;
    Reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(Reg.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
    EXPECT_TRUE(dkUnregisterAutoRun(aekMachineRun, Program));
    EXPECT_FALSE(dkAutoRunRegistered(aekMachineRun, Program));

    EXPECT_TRUE(dkRegisterAutoRun(aekServiceRun, Program));
    EXPECT_TRUE(dkRegisterAutoRun(aekServiceRunOnce, Program));
    EXPECT_FALSE(dkAutoRunRegistered(aekServiceRun, Program));
    EXPECT_FALSE(Reg.KeyExists("\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"));
    EXPECT_TRUE(dkUnregisterAutoRun(aekServiceRun, Program));
}

TEST_F(AutoRun, ARunOnceEntryRemovesItselfWhenItStarts) {
    // A program name that needs every kind of quoting.
    const std::string Program = Dir / "bin/my \"$prog\" 100%.sh";
    WriteBytes(Program, "#!/bin/sh\necho started > \"$(dirname \"$0\")/started\"\n");
    chmod(Program.c_str(), 0755);
    TdkAutoRun A(nullptr);
    A.SetKind(aekUserRunOnce);
    A.SetFileName(Program);
    A.SetAutoRun(true);
    const std::string Entry = dkAutoStartEntry(aekUserRunOnce, Program);
    ASSERT_TRUE(fs::exists(Entry));
    EXPECT_EQ(Launch(ParseExec(ExecLine(Entry))), 0);
    EXPECT_EQ(ReadBytes(Dir / "bin/started"), "started\n");
    EXPECT_FALSE(fs::exists(Entry));
}

TEST_F(AutoRun, LoadingRegistersAndDesignTimeDoesNothing) {
    TComponent Owner(nullptr);
    auto* A = new TdkAutoRun(&Owner);
    EXPECT_FALSE(A->FileName().empty()); // the program itself
    A->SetKind(aekUserRun);
    Owner.BeginLoading();
    A->SetAutoRun(true);
    EXPECT_FALSE(A->Registered());
    Owner.EndLoading();
    EXPECT_TRUE(A->Registered());
    A->SetAutoRun(false);

    TdkAutoRun D(nullptr);
    D.SetDesigning(true);
    D.SetKind(aekUserRun);
    D.SetFileName(Dir / "bin/design");
    D.SetAutoRun(true);
    EXPECT_FALSE(D.Registered());
}

TEST(DkRegistryHelpers, ExpandableWhenItHoldsAPercent) {
    TTempFolder Dir;
    setenv("XDG_CONFIG_HOME", Dir.Path().c_str(), 1);
    dkWriteRegistryString(HKEY_CURRENT_USER, "Software\\Vz\\Test", "Plain", "text");
    dkWriteRegistryString(HKEY_CURRENT_USER, "Software\\Vz\\Test", "Path", "%HOME%\\x");
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKeyReadOnly("Software\\Vz\\Test"));
    EXPECT_EQ(Reg.GetDataType("Plain"), rdString);
    EXPECT_EQ(Reg.GetDataType("Path"), rdExpandString);
    EXPECT_EQ(Reg.ReadString("Path"), "%HOME%\\x");
}

TEST(DkRegistryHelpers, DesktopExecWritesAPercentTwice) {
    EXPECT_EQ(dkDesktopExec({"/opt/50%/vz"}), "\"/opt/50%%/vz\"");
}

TEST_F(AutoRun, AStoreThatCannotBeWrittenRaisesTheKeyError) {
    // The configuration folder is a file: no key can be made under it.
    WriteBytes(Dir / "blocked", "");
    setenv("XDG_CONFIG_HOME", (Dir / "blocked").c_str(), 1);
    try {
        dkWriteRegistryString(HKEY_CURRENT_USER, "Software\\Vz\\Test", "Name", "value");
        FAIL() << "no exception";
    } catch (const ERegistryException& E) {
        EXPECT_STREQ(E.what(), "Unable to open the Software\\Vz\\Test key");
    }
    TdkAutoRun A(nullptr);
    A.SetKind(aekUserRun);
    A.SetFileName(Dir / "bin/vz");
    EXPECT_THROW(A.SetAutoRun(true), ERegistryException);
}
