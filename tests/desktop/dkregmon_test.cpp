#include <gtest/gtest.h>

#include <cstdlib>

#include "desktop/dkregmon.h"
#include "dkprocess.h"
#include "dktestenv.h"

namespace {

class RegistryMonitor : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_CONFIG_HOME", Dir.Path().c_str(), 1); }
    // Another process writes the registry.
    static int Write(const std::string& Key, const std::string& Name, const std::string& Value) {
        TChildProcess P({DK_REGISTRY_WRITER, Key, Name, Value});
        return P.Wait();
    }
    // A running monitor of Key that counts its reports in Count.
    TdkRegistryMonitor* Start(TComponent& Owner, const std::string& Key, int& Count) {
        auto* M = new TdkRegistryMonitor(&Owner);
        M->SetRegistryKey(Key);
        M->SetOnChange([this, &Count] {
            OffThread |= !TThread::IsMainThread();
            ++Count;
        });
        M->SetActive(true);
        EXPECT_TRUE(PumpUntil([&] { return M->Thread() && M->Thread()->Watching(); }));
        return M;
    }
    TdkRegistryMonitor* Start(TComponent& Owner, const std::string& Key) {
        return Start(Owner, Key, Reports);
    }
    // A witness is a second monitor on the same store: once it reported a
    // later change, the monitor under test has had its turn at the earlier ones
    // (both read the store's notifications in order).
    bool Witnessed(const std::string& Key, const std::string& Name, const std::string& Value) {
        const int Before = Witness;
        return Write(Key, Name, Value) == 0 && PumpUntil([&] { return Witness > Before; });
    }
    TTempFolder Dir;
    int Reports = 0;
    int Witness = 0;
    bool OffThread = false;
};

} // namespace

TEST_F(RegistryMonitor, FiresWhenAnotherProcessWritesTheKey) {
    ASSERT_EQ(Write("Software\\Vz\\Watched", "A", "1"), 0);
    ASSERT_EQ(Write("Software\\Vz\\Elsewhere", "B", "0"), 0);
    TComponent Owner(nullptr);
    auto* M = Start(Owner, "Software\\Vz\\Watched");
    Start(Owner, "Software\\Vz\\Elsewhere", Witness);
    EXPECT_EQ(M->RootKey(), rrkCurrentUser);
    EXPECT_EQ(dkRegistryNotifyFlags(M->NotifyFilters()), 5u);

    ASSERT_EQ(Write("Software\\Vz\\Watched", "A", "2"), 0);
    ASSERT_TRUE(PumpUntil([&] { return Reports > 0; }));
    EXPECT_FALSE(OffThread);
    // Other keys of the same store do not count, nor the same value again.
    ASSERT_EQ(Write("Software\\Vz\\Watched", "A", "2"), 0);
    ASSERT_TRUE(Witnessed("Software\\Vz\\Elsewhere", "B", "1"));
    EXPECT_EQ(Reports, 1);
    // A subkey is part of the subtree (made, then given its value).
    ASSERT_EQ(Write("Software\\Vz\\Watched\\Sub", "C", "1"), 0);
    EXPECT_TRUE(PumpUntil([&] { return Reports > 1; }));
}

TEST_F(RegistryMonitor, AKeyThatDoesNotExistYetIsReportedWhenMadeAndWhenGone) {
    ASSERT_EQ(Write("Software\\Vz\\Other", "X", "0"), 0);
    TComponent Owner(nullptr);
    Start(Owner, "Software\\Vz\\Later");
    Start(Owner, "Software\\Vz\\Other", Witness);
    ASSERT_TRUE(Witnessed("Software\\Vz\\Other", "X", "1"));
    EXPECT_EQ(Reports, 0);
    // The writer makes the key, then sets its value: each is a change, and the
    // monitor reports one or both as it sees them.
    ASSERT_EQ(Write("Software\\Vz\\Later", "V", "1"), 0);
    ASSERT_TRUE(PumpUntil([&] { return Reports >= 1; }));
    ASSERT_TRUE(Witnessed("Software\\Vz\\Other", "X", "2"));
    const int Made = Reports;
    EXPECT_LE(Made, 2);
    ASSERT_EQ(Write("Software\\Vz\\Later", "", "-"), 0);
    ASSERT_TRUE(PumpUntil([&] { return Reports > Made; }));
    ASSERT_TRUE(Witnessed("Software\\Vz\\Other", "X", "3"));
    EXPECT_EQ(Reports, Made + 1); // gone is reported once
}

TEST_F(RegistryMonitor, ValuesOnlyWhenAskedAndNotTheSubtree) {
    TComponent Owner(nullptr);
    auto* M = new TdkRegistryMonitor(&Owner);
    M->SetRegistryKey("Software\\Vz\\Names");
    M->SetNotifyFilters({rmfSubTreeChange});
    M->SetWatchSubTree(false);
    ASSERT_EQ(Write("Software\\Vz\\Names", "A", "1"), 0);
    M->SetOnChange([this] { ++Reports; });
    M->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return M->Thread()->Watching(); }));
    // The witness watches the same key with its values.
    Start(Owner, "Software\\Vz\\Names", Witness);
    ASSERT_TRUE(Witnessed("Software\\Vz\\Names", "A", "changed"));
    EXPECT_EQ(Reports, 0);
    ASSERT_EQ(Write("Software\\Vz\\Names\\Child", "A", "1"), 0);
    EXPECT_TRUE(PumpUntil([&] { return Reports > 0; }));
}

TEST_F(RegistryMonitor, FreedByItsOwnReportAndDesignTime) {
    auto* M = new TdkRegistryMonitor(nullptr);
    M->SetRegistryKey("Software\\Vz\\Gone");
    bool Reported = false;
    M->SetOnChange([&] {
        Reported = true;
        delete M;
    });
    M->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return M->Thread()->Watching(); }));
    ASSERT_EQ(Write("Software\\Vz\\Gone", "A", "1"), 0);
    ASSERT_TRUE(PumpUntil([&] { return Reported; }));
    // Nothing may reach the freed monitor (the sanitizer would tell).
    TComponent Owner(nullptr);
    Start(Owner, "Software\\Vz\\Gone", Witness);
    EXPECT_TRUE(Witnessed("Software\\Vz\\Gone", "A", "2"));

    TdkRegistryMonitor D(nullptr);
    D.SetDesigning(true);
    D.SetOnChange([] {});
    D.SetActive(true);
    EXPECT_EQ(D.Thread(), nullptr);
}
