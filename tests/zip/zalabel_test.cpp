// The disks of a spanned set get the label "pkback# NNN": asked of udisks2
// (a stand-in on a private system bus) for a removable medium, and given for
// each disk in turn by the engine.
#include <gtest/gtest.h>

#include "dkprocess.h"
#include "zatestutil.h"
#include "zip/zaarchiver.h"
#include "zip/zalabel.h"

using namespace zatest;

namespace {

// Records the labels instead of asking the system.
class TLabelRecorder : public TZipArchiver {
public:
    using TZipArchiver::TZipArchiver;
    std::vector<std::pair<std::string, std::string>> Labels;

protected:
    void SetVolumeLabel(const std::string& VolumeFile, const std::string& Label) override {
        Labels.emplace_back(VolumeFile, Label);
    }
};

} // namespace

TEST(ZALabel, UDisksIsAskedToLabelTheMedium) {
    ZA_NEED_TOOL("gdbus");
    ScratchDir d;
    TStandinBus udisks(d.Path(), ZA_UDISKS_STANDIN);
    ASSERT_TRUE(udisks.Ready());
    EXPECT_TRUE(ZASetUDisksLabel("sdb1", "pkback# 003"));
    EXPECT_EQ(udisks.Calls(), "SetLabel /org/freedesktop/UDisks2/block_devices/sdb1 pkback# 003\n");
    // A quote or backslash in the label travels as itself.
    EXPECT_TRUE(ZASetUDisksLabel("sdb1", "Club's \\ 1"));
    EXPECT_EQ(udisks.Calls(), "SetLabel /org/freedesktop/UDisks2/block_devices/sdb1 pkback# 003\n"
                              "SetLabel /org/freedesktop/UDisks2/block_devices/sdb1 Club's \\ 1\n");
    EXPECT_FALSE(ZASetUDisksLabel("", "pkback# 001"));
    // A file on a fixed disk is never labelled.
    EXPECT_FALSE(ZASetMediumLabel(d / "x.zip", "pkback# 001"));
    EXPECT_EQ(udisks.Calls(), "SetLabel /org/freedesktop/UDisks2/block_devices/sdb1 pkback# 003\n"
                              "SetLabel /org/freedesktop/UDisks2/block_devices/sdb1 Club's \\ 1\n");
}

TEST(ZALabel, EachDiskOfASpannedSetGetsItsNumber) {
    ScratchDir d;
    WriteFile(d / "src/a.bin", RandomBytes(150000, 11));
    WriteFile(d / "src/b.bin", RandomBytes(90000, 12));
    TLabelRecorder z(nullptr);
    SetVolumes(z, d / "span.zip", d / "src", smSpanning, 100000);
    z.OnRequestBlankVolume = [&](TObject*, int n, std::string& name, bool& cancel) {
        name = d / "disk" + IntToStr(n) + ".zip";
        cancel = false;
    };
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
    ASSERT_GE(z.Labels.size(), 3u);
    EXPECT_EQ(z.Labels[0].second, "pkback# 001");
    EXPECT_EQ(z.Labels[2].second, "pkback# 003");
    EXPECT_EQ(z.Labels[2].first, d / "disk3.zip");
    // A split set (one folder, no disks) is not labelled.
    TLabelRecorder s(nullptr);
    SetVolumes(s, d / "split.zip", d / "src", smSplitting, 100000);
    s.OpenArchive(fmCreate);
    s.AddFiles("*.*");
    s.CloseArchive();
    EXPECT_TRUE(s.Labels.empty());
}
