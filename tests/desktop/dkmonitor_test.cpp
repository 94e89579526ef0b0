#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "desktop/dkfoldermon.h"
#include "dktestenv.h"

namespace fs = std::filesystem;

namespace {

// Counts the monitor's reports and checks they come on the window thread.
struct TReports {
    int Count = 0;
    bool OffThread = false;
    TdkMonitorChange Handler() {
        return [this] {
            OffThread |= !TThread::IsMainThread();
            ++Count;
        };
    }
};

bool Running(TdkCustomFolderMonitor& M) {
    return PumpUntil([&] { return M.Thread() && M.Thread()->Watching(); });
}

// A second monitor on Folder that must see the next change there: what the
// monitor under test must not report has had its chance once this one reported.
struct TWitness {
    TReports R;
    TComponent Owner{nullptr};
    explicit TWitness(const std::string& Folder) {
        auto* M = new TdkFolderMonitor(&Owner);
        M->SetFolder(Folder);
        M->SetOnChange(R.Handler());
        M->SetActive(true);
        EXPECT_TRUE(Running(*M));
    }
    // Makes a file in Folder and waits for the report of it.
    bool Sees(const std::string& FileName) {
        WriteBytes(FileName, "w");
        return PumpUntil([&] { return R.Count > 0; });
    }
};

} // namespace

TEST(DkFolderMonitor, FiresOnTheWindowThreadForCreateChangeAndDelete) {
    TTempFolder Dir;
    TComponent Owner(nullptr);
    auto* M = new TdkFolderMonitor(&Owner);
    EXPECT_EQ(M->NotifyFilters(), (TFolderMonitorFilters{fmfFileNameChange, fmfDirNameChange}));
    EXPECT_EQ(dkFolderNotifyFlags(M->NotifyFilters()), 3u);
    TReports R;
    M->SetFolder(Dir.Path());
    M->SetNotifyFilters({fmfFileNameChange, fmfDirNameChange, fmfWriteChange});
    M->SetOnChange(R.Handler());
    M->SetActive(true);
    ASSERT_TRUE(Running(*M));

    WriteBytes(Dir / "new.txt", "x");
    ASSERT_TRUE(PumpUntil([&] { return R.Count > 0; }));
    int Seen = R.Count;
    {
        std::ofstream Out(Dir / "new.txt", std::ios::app);
        Out << "more";
    }
    ASSERT_TRUE(PumpUntil([&] { return R.Count > Seen; }));
    Seen = R.Count;
    fs::remove(Dir / "new.txt");
    ASSERT_TRUE(PumpUntil([&] { return R.Count > Seen; }));
    EXPECT_FALSE(R.OffThread);

    // Subfolders, also ones made after the start.
    Seen = R.Count;
    fs::create_directories(Dir / "a/b");
    ASSERT_TRUE(PumpUntil([&] { return R.Count > Seen; }));
    // The new subfolders are watched once the monitor is waiting again.
    ASSERT_TRUE(PumpUntil([&] { return M->Thread()->Waiting(); }));
    Seen = R.Count;
    WriteBytes(Dir / "a/b/deep.txt", "d");
    EXPECT_TRUE(PumpUntil([&] { return R.Count > Seen; }));
}

TEST(DkFolderMonitor, FiltersAndSubtreeDecideWhatCounts) {
    TTempFolder Dir;
    fs::create_directories(Dir / "sub");
    WriteBytes(Dir / "f.txt", "1");
    TComponent Owner(nullptr);
    auto* M = new TdkFolderMonitor(&Owner);
    TReports R;
    M->SetFolder(Dir.Path());
    M->SetWatchSubTree(false);
    M->SetNotifyFilters({fmfDirNameChange});
    M->SetOnChange(R.Handler());
    M->SetActive(true);
    ASSERT_TRUE(Running(*M));
    WriteBytes(Dir / "g.txt", "file names are not asked for");
    WriteBytes(Dir / "sub/h.txt", "nor the subtree");
    // The worker reads its notifications in order: once the folder made after
    // them is reported, they had their turn, and one folder is one report.
    fs::create_directories(Dir / "newdir");
    ASSERT_TRUE(PumpUntil([&] { return R.Count > 0; }));
    EXPECT_EQ(R.Count, 1);
}

TEST(DkFolderMonitor, NothingRunsWhenInactiveDesignedOrWithoutAHandler) {
    TTempFolder Dir;
    TComponent Owner(nullptr);
    auto* M = new TdkFolderMonitor(&Owner);
    M->SetFolder(Dir.Path());
    M->SetActive(true);
    EXPECT_EQ(M->Thread(), nullptr); // no OnChange
    TReports R;
    M->SetDesigning(true);
    M->SetOnChange(R.Handler());
    EXPECT_EQ(M->Thread(), nullptr);
    M->SetDesigning(false);
    M->SetActive(false);
    EXPECT_EQ(M->Thread(), nullptr);
    // Loading applies Active afterwards.
    Owner.BeginLoading();
    M->SetActive(true);
    EXPECT_EQ(M->Thread(), nullptr);
    Owner.EndLoading();
    EXPECT_NE(M->Thread(), nullptr);
}

TEST(DkFolderMonitor, AMissingFolderIsNeverReported) {
    TTempFolder Dir;
    TComponent Owner(nullptr);
    auto* M = new TdkFolderMonitor(&Owner);
    TReports R;
    M->SetFolder(Dir / "not-there");
    M->SetOnChange(R.Handler());
    M->SetActive(true);
    ASSERT_NE(M->Thread(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return M->Thread()->Waiting(); }));
    EXPECT_FALSE(M->Thread()->Watching());
    fs::create_directories(Dir / "not-there");
    WriteBytes(Dir / "not-there/x.txt", "x");
    TWitness Witness(Dir / "not-there");
    ASSERT_TRUE(Witness.Sees(Dir / "not-there/y.txt"));
    EXPECT_EQ(R.Count, 0);
}

TEST(DkFolderMonitor, TheWatchedFolderDeleted) {
    TTempFolder Dir;
    fs::create_directories(Dir / "w/inner");
    TComponent Owner(nullptr);
    auto* M = new TdkFolderMonitor(&Owner);
    TReports R;
    M->SetFolder(Dir / "w");
    M->SetOnChange(R.Handler());
    M->SetActive(true);
    ASSERT_TRUE(Running(*M));
    fs::remove_all(Dir / "w");
    ASSERT_TRUE(PumpUntil([&] { return R.Count > 0; }));
    // The watch ends (after its last report): the worker waits quietly, a new
    // folder of that name is not watched.
    ASSERT_TRUE(PumpUntil([&] { return !M->Thread()->Watching(); }));
    const int Seen = R.Count;
    fs::create_directories(Dir / "w");
    WriteBytes(Dir / "w/again.txt", "x");
    TWitness Witness(Dir / "w");
    ASSERT_TRUE(Witness.Sees(Dir / "w/seen.txt"));
    EXPECT_EQ(R.Count, Seen);
    // Setting the folder again watches it anew.
    M->SetFolder(Dir / "w");
    ASSERT_TRUE(Running(*M));
    EXPECT_EQ(R.Count, Seen);
    WriteBytes(Dir / "w/third.txt", "x");
    EXPECT_TRUE(PumpUntil([&] { return R.Count > Seen; }));
}

TEST(DkFolderMonitor, FreedByItsOwnReport) {
    TTempFolder Dir;
    auto* M = new TdkFolderMonitor(nullptr);
    bool Reported = false;
    M->SetFolder(Dir.Path());
    M->SetOnChange([&] {
        Reported = true;
        delete M; // the monitor goes while its worker waits for this report
    });
    M->SetActive(true);
    ASSERT_TRUE(Running(*M));
    WriteBytes(Dir / "x.txt", "x");
    ASSERT_TRUE(PumpUntil([&] { return Reported; }));
    // Nothing may reach the freed monitor (the sanitizer would tell).
    TWitness Witness(Dir.Path());
    EXPECT_TRUE(Witness.Sees(Dir / "y.txt"));
}
