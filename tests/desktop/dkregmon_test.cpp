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
    TdkRegistryMonitor* Start(TComponent& Owner, const std::string& Key) {
        auto* M = new TdkRegistryMonitor(&Owner);
        M->SetRegistryKey(Key);
        M->SetOnChange([this] {
            OffThread |= !TThread::IsMainThread();
            ++Reports;
        });
        M->SetActive(true);
        EXPECT_TRUE(PumpUntil([&] { return M->Thread() && M->Thread()->Watching(); }));
        return M;
    }
    TTempFolder Dir;
    int Reports = 0;
    bool OffThread = false;
};

} // namespace

TEST_F(RegistryMonitor, FiresWhenAnotherProcessWritesTheKey) {
    ASSERT_EQ(Write("Software\\Vz\\Watched", "A", "1"), 0);
    TComponent Owner(nullptr);
    auto* M = Start(Owner, "Software\\Vz\\Watched");
    EXPECT_EQ(M->RootKey(), rrkCurrentUser);
    EXPECT_EQ(dkRegistryNotifyFlags(M->NotifyFilters()), 5u);

    ASSERT_EQ(Write("Software\\Vz\\Watched", "A", "2"), 0);
    ASSERT_TRUE(PumpUntil([&] { return Reports == 1; }));
    EXPECT_FALSE(OffThread);
    // Other keys of the same store do not count.
    ASSERT_EQ(Write("Software\\Vz\\Elsewhere", "B", "1"), 0);
    ASSERT_EQ(Write("Software\\Vz\\Watched", "A", "2"), 0); // the same value again
    PumpFor(150);
    EXPECT_EQ(Reports, 1);
    // A subkey is part of the subtree.
    ASSERT_EQ(Write("Software\\Vz\\Watched\\Sub", "C", "1"), 0);
    EXPECT_TRUE(PumpUntil([&] { return Reports == 2; }));
}

TEST_F(RegistryMonitor, AKeyThatDoesNotExistYetIsReportedWhenMadeAndWhenGone) {
    TComponent Owner(nullptr);
    Start(Owner, "Software\\Vz\\Later");
    ASSERT_EQ(Write("Software\\Vz\\Other", "X", "1"), 0);
    PumpFor(100);
    EXPECT_EQ(Reports, 0);
    // The writer makes the key, then sets its value: each is a change.
    ASSERT_EQ(Write("Software\\Vz\\Later", "V", "1"), 0);
    ASSERT_TRUE(PumpUntil([&] { return Reports >= 1; }));
    PumpFor(100);
    const int Made = Reports;
    EXPECT_LE(Made, 2);
    ASSERT_EQ(Write("Software\\Vz\\Later", "", "-"), 0);
    ASSERT_TRUE(PumpUntil([&] { return Reports == Made + 1; }));
    ASSERT_EQ(Write("Software\\Vz\\Other", "X", "2"), 0);
    PumpFor(100);
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
    ASSERT_EQ(Write("Software\\Vz\\Names", "A", "changed"), 0);
    PumpFor(100);
    EXPECT_EQ(Reports, 0);
    ASSERT_EQ(Write("Software\\Vz\\Names\\Child", "A", "1"), 0);
    EXPECT_TRUE(PumpUntil([&] { return Reports == 1; }));
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
    ASSERT_EQ(Write("Software\\Vz\\Gone", "A", "2"), 0);
    PumpFor(100);

    TdkRegistryMonitor D(nullptr);
    D.SetDesigning(true);
    D.SetOnChange([] {});
    D.SetActive(true);
    EXPECT_EQ(D.Thread(), nullptr);
}
