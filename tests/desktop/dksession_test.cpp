#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "desktop/dkoneinstance.h"
#include "desktop/dkshutdown.h"
#include "dkprocess.h"
#include "dktestenv.h"
#include "platform/desktop/instance.h"
#include "platform/rtl/files.h"
#include "platform/vcl/forms.h"

TEST(DkOneInstance, NamesFromTitleAndIdentifier) {
    Application->Title = "Toernooi";
    TdkOneInstance One(nullptr);
    One.Identifier = "club\\zomer";
    EXPECT_EQ(One.MutexName("Default"), "Toernooiclub/zomer.OneInstance.Default");
    EXPECT_EQ(One.MutexName("CriticalSection"), "Toernooiclub/zomer.OneInstance.CriticalSection");
    One.Identifier.clear();
    One.ExeNameAsIdentifier = true;
    EXPECT_EQ(One.MutexName("Default").find('\\'), std::string::npos);
    EXPECT_NE(One.MutexName("Default").find(".OneInstance.Default"), std::string::npos);
}

class OneInstance : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_RUNTIME_DIR", Dir.Path().c_str(), 1); }
    TTempFolder Dir;
};

TEST_F(OneInstance, TheSecondProcessFindsTheFirstAndAsksItForward) {
    Application->Title = "DkTwin";
    TForm* Main = nullptr;
    Application->CreateForm(Main);
    auto* One = new TdkOneInstance(Main);
    One->Identifier = "\\t1";
    Main->BeginLoading();
    Main->EndLoading();
    ASSERT_FALSE(Application->Terminated());
    EXPECT_FALSE(Main->Visible());

    TChildProcess Second({DK_INSTANCE_HELPER, "DkTwin", "\\t1"});
    int Code = -1;
    // The first instance must keep serving its window thread to be asked.
    ASSERT_TRUE(PumpUntil([&] { return (Code = Second.Wait(0)) >= 0; }));
    EXPECT_EQ(Code, 3);
    EXPECT_EQ(Second.Output(), "later\nApplication \"DkTwin\" is already running.\n");
    EXPECT_TRUE(PumpUntil([&] { return Main->Visible(); }));

    // Another identity is a first instance of its own.
    TChildProcess Other({DK_INSTANCE_HELPER, "DkTwin", "other"});
    EXPECT_NE(Other.Output("first").find("first"), std::string::npos);
    Other.CloseInput();
    EXPECT_EQ(Other.Wait(), 0);
}

TEST_F(OneInstance, TheClaimEndsWithTheFirstProcess) {
    TChildProcess First({DK_INSTANCE_HELPER, "DkSolo", "x"});
    ASSERT_NE(First.Output("first").find("first"), std::string::npos);
    {
        TChildProcess Second({DK_INSTANCE_HELPER, "DkSolo", "x"});
        EXPECT_EQ(Second.Wait(), 3);
    }
    EXPECT_NE(First.Output("raised").find("raised"), std::string::npos);
    First.CloseInput();
    ASSERT_EQ(First.Wait(), 0);
    TChildProcess Next({DK_INSTANCE_HELPER, "DkSolo", "x"});
    EXPECT_NE(Next.Output("first").find("first"), std::string::npos);
}

// A runtime folder that does not exist is made; one that cannot be made (it
// would stand in a file) gives way to a private folder of the user's. Either
// way a lone program is the first instance, and a second one finds it.
TEST_F(OneInstance, UnusableRuntimeFolderLeavesALoneProgramTheFirst) {
    WriteFileAtomic(Dir / "bestand", "");
    const char* OldTemp = std::getenv("TMPDIR");
    const std::string SavedTemp = OldTemp ? OldTemp : "";
    setenv("TMPDIR", Dir.Path().c_str(), 1);
    Application->Title = "DkAlone";
    const struct {
        const char* Runtime;
        const char* Folder;
    } Cases[] = {{"/bestaat-niet", "/bestaat-niet"}, {"/bestand/map", "/vz-runtime-"}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Runtime);
        setenv("XDG_RUNTIME_DIR", (Dir.Path() + C.Runtime).c_str(), 1);
        TdkOneInstance One(nullptr);
        One.Identifier = C.Runtime;
        EXPECT_FALSE(One.IsLaterInstance());
        EXPECT_EQ(RuntimeFolder().rfind(Dir.Path() + C.Folder, 0), 0u) << RuntimeFolder();
        TChildProcess Second({DK_INSTANCE_HELPER, "DkAlone", C.Runtime});
        int Code = -1;
        EXPECT_TRUE(PumpUntil([&] { return (Code = Second.Wait(0)) >= 0; }));
        EXPECT_EQ(Code, 3);
    }
    if (OldTemp)
        setenv("TMPDIR", SavedTemp.c_str(), 1);
    else
        unsetenv("TMPDIR");
}

TEST_F(OneInstance, OwnMessageOrHandler) {
    Application->Title = "DkMsg";
    // Another process holds the claim.
    TChildProcess First({DK_INSTANCE_HELPER, "DkMsg", ""});
    ASSERT_NE(First.Output("first").find("first"), std::string::npos);
    TScriptedDialogsScope Asked;
    TdkOneInstance One(nullptr);
    One.Message = "Het programma draait al.";
    One.ActivatePrevInstance = false;
    EXPECT_TRUE(One.IsLaterInstance());
    One.DoShowMessage();
    ASSERT_EQ(Asked->Asked().size(), 1u);
    EXPECT_EQ(Asked->Asked()[0].Text, "Het programma draait al.");
    bool Handled = false;
    One.OnShowMessage = [&](TObject*) { Handled = true; };
    One.DoShowMessage();
    EXPECT_TRUE(Handled);
    EXPECT_EQ(Asked->Asked().size(), 1u);
    // Being designed, a program is always the first.
    TdkOneInstance Designed(nullptr);
    Designed.SetDesigning(true);
    EXPECT_FALSE(Designed.IsLaterInstance());
}

// The system bus of these tests is a private one with a stand-in logind.
class Shutdown : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("XDG_SESSION_ID");
        ASSERT_TRUE(Logind.Ready());
    }
    std::string Calls() const { return Logind.Calls(); }
    TTempFolder Dir;
    TStandinBus Logind{Dir.Path(), DK_LOGIND_STANDIN};
};

TEST_F(Shutdown, EachActionReachesLogind) {
    TdkShutdown S(nullptr);
    EXPECT_EQ(S.ActionType, aatPowerOff);
    EXPECT_TRUE(S.Execute());
    S.ActionType = aatReboot;
    S.Force = true;
    EXPECT_TRUE(S.Execute());
    S.ActionType = aatSuspend;
    EXPECT_TRUE(S.Execute());
    S.ActionType = aatHibernate;
    S.Force = false;
    EXPECT_TRUE(S.Execute());
    S.ActionType = aatShutdown;
    EXPECT_TRUE(S.Execute());
    S.ActionType = aatLogOff;
    EXPECT_TRUE(S.Execute());
    EXPECT_EQ(Calls(), "PowerOff interactive=true\n"
                       "Reboot interactive=false\n"
                       "Suspend interactive=false\n"
                       "Hibernate interactive=true\n"
                       "PowerOff interactive=true\n"
                       "GetSessionByPID\n"
                       "Terminate /org/freedesktop/login1/session/_31\n");
}

TEST_F(Shutdown, AVetoOrNoLogindMeansFalse) {
    TdkShutdown S(nullptr);
    S.OnQueryShutdown = [](TObject*, bool& Allow) {
        EXPECT_TRUE(Allow);
        Allow = false;
    };
    EXPECT_FALSE(S.Execute());
    EXPECT_EQ(Calls(), "");
    S.OnQueryShutdown = nullptr;
    setenv("XDG_SESSION_ID", "c7", 1);
    S.ActionType = aatLogOff;
    EXPECT_TRUE(S.Execute());
    EXPECT_EQ(Calls(), "TerminateSession c7\n");
    // What this user may not do is refused before anybody is asked.
    int Asked = 0;
    S.OnQueryShutdown = [&](TObject*, bool&) { ++Asked; };
    // Each action by its own question to logind.
    const std::pair<TdkShutdownActionType, std::string> Questions[] = {
        {aatPowerOff, "can-PowerOff"},
        {aatReboot, "can-Reboot"},
        {aatSuspend, "can-Suspend"},
        {aatHibernate, "can-Hibernate"}};
    for (const auto& [Action, File] : Questions) {
        WriteBytes(Dir / File, "no\n");
        S.ActionType = Action;
        EXPECT_FALSE(S.Execute()) << File;
        DeleteFile(Dir / File);
    }
    WriteBytes(Dir / "can-Hibernate", "na\n");
    S.ActionType = aatHibernate;
    EXPECT_FALSE(S.Execute());
    WriteBytes(Dir / "can-Reboot", "challenge\n"); // logind will ask for a password
    S.ActionType = aatReboot;
    EXPECT_TRUE(S.Execute());
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(Calls(), "TerminateSession c7\nReboot interactive=true\n");
    Logind.EndService(); // logind gone
    for (const auto Action : {aatReboot, aatLogOff}) {
        S.ActionType = Action;
        EXPECT_FALSE(S.Execute());
    }
    EXPECT_EQ(Asked, 1);
}
