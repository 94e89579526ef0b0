// Volume sets written by the engine, read back by it and joined by Info-ZIP;
// a self-extracting stub in front of a new archive.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <memory>

#include "platform/rtl/dialogs.h"
#include "platform/rtl/tempfiles.h"
#include "vz_test_support.h"
#include "zatestutil.h"
#include "zip/zaarchiver.h"

using namespace zatest;

namespace {

void MakeSource(const std::string& Dir) {
    WriteFile(Dir + "a.bin", RandomBytes(150000, 11));
    WriteFile(Dir + "b.txt", TextBytes(200000));
    WriteFile(Dir + "c.bin", RandomBytes(90000, 12));
    WriteFile(Dir + "sub/d.txt", "klein");
}

void WriteSet(const std::string& Archive, const std::string& Src, bool Advanced,
              const std::string& Stub = "", const std::string& Comment = "") {
    TZipArchiver z(nullptr);
    z.FileName = Archive;
    z.BaseDir = Src;
    z.SFXStub = Stub;
    z.SetSpanningMode(smSplitting);
    z.SpanningOptions().AdvancedNaming = Advanced;
    z.SpanningOptions().VolumeSize = vsCustom;
    z.SpanningOptions().SetCustomVolumeSize(65536);
    z.OpenArchive(fmCreate);
    z.SetArchiveComment(Comment);
    z.AddFiles("*.*");
    z.CloseArchive();
}

// Sets the process's file mode mask for a test's duration.
class TUmask {
public:
    explicit TUmask(mode_t Mask) : FOld(::umask(Mask)) {}
    ~TUmask() { ::umask(FOld); }
    TUmask(const TUmask&) = delete;
    TUmask& operator=(const TUmask&) = delete;

private:
    mode_t FOld;
};

// Adds the files while the medium takes at most Limit bytes from the given
// phase of the first item's copy on: the set fails with the write error and
// no volume is left in Folder.
void ExpectShortVolumeFailsTheSet(TZipArchiver& Z, const std::string& Folder, TZAProgressPhase From,
                                  long Limit) {
    std::unique_ptr<TFileSizeLimit> full;
    Z.OnCopyTempFileProgress = [&](TObject*, double, TZAProgressPhase phase, bool&) {
        if (phase == From && !full) full = std::make_unique<TFileSizeLimit>(Limit);
    };
    Z.OpenArchive(fmCreate);
    Z.BeginUpdate();
    Z.AddFiles("*.*");
    EXPECT_EQ(CodeOf([&] { Z.EndUpdate(); }), zeVolumeWrite);
    full.reset();
    Z.OnCopyTempFileProgress = nullptr;
    Z.CloseArchive();
    EXPECT_TRUE(ListFiles(Folder).empty());
}

mode_t ModeOf(const std::string& File) {
    struct stat st {};
    return ::stat(File.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

TEST(ZAVolumes, SplitSetRoundTripsAndIsReadByOthers) {
    ScratchDir d;
    MakeSource(d / "src/");
    WriteSet(d / "set.zip", d / "src", false);
    ASSERT_TRUE(FileExists(d / "set.Z01"));
    ASSERT_TRUE(FileExists(d / "set.Z04"));
    ASSERT_TRUE(FileExists(d / "set.zip"));
    for (const auto& f : ListFiles(d.Path()))
        EXPECT_LE(FileSizeOf(d / f), 65536) << f;
    {
        TZipArchiver r(nullptr);
        r.FileName = d / "set.zip";
        r.BaseDir = d / "out";
        r.OpenArchive(0);
        EXPECT_EQ(r.SpanningMode(), smSplitting);
        EXPECT_FALSE(r.SpanningOptions().AdvancedNaming);
        r.ExtractFiles("*.*");
        r.TestFiles("*.*");
        r.CloseArchive();
    }
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    // An independent reader (Python with zlib) walks the set by disk numbers
    // and offsets and checks every item's data.
    ZA_NEED_TOOL("python3");
    std::string out;
    ASSERT_EQ(Python(R"(
import sys, struct, zlib, glob
base = sys.argv[1]
vols = sorted(glob.glob(base + '.Z[0-9][0-9]')) + [base + '.zip']
data = [open(v, 'rb').read() for v in vols]
assert data[0][:4] == b'PK\x07\x08'
starts = [sum(len(d) for d in data[:i]) for i in range(len(data))]
raw = b''.join(data)
last = data[-1]
e = last.rfind(b'PK\x05\x06')
sig, disk, cddisk, ondisk, total, cdsize, cdoff, clen = struct.unpack('<IHHHHIIH', last[e:e + 22])
assert disk == len(vols) - 1
p = starts[cddisk] + cdoff
for n in range(total):
    h = struct.unpack('<IHHHHHHIIIHHHHHII', raw[p:p + 46])
    name = raw[p + 46:p + 46 + h[10]].decode('cp437')
    at = starts[h[13]] + h[16]
    l = struct.unpack('<IHHHHHIIIHH', raw[at:at + 30])
    assert l[0] == 0x04034b50 and l[6] == h[7]
    body = raw[at + 30 + l[9] + l[10]:at + 30 + l[9] + l[10] + h[8]]
    plain = zlib.decompressobj(-15).decompress(body) if h[4] == 8 else body
    assert len(plain) == h[9] and zlib.crc32(plain) == h[7], name
    print(name, len(plain))
    p += 46 + h[10] + h[11] + h[12]
)",
                     {DiskName(d / "set")}, &out),
              0)
        << out;
    EXPECT_NE(out.find("a.bin 150000"), std::string::npos) << out;
    EXPECT_NE(out.find("sub/d.txt 5"), std::string::npos) << out;
}

TEST(ZAVolumes, AdvancedNamingAndEvents) {
    ScratchDir d;
    MakeSource(d / "src/");
    WriteSet(d / "adv.zip", d / "src", true);
    EXPECT_TRUE(FileExists(d / "adv_001.zip"));
    EXPECT_FALSE(FileExists(d / "adv.Z01"));
    TZipArchiver r(nullptr);
    r.FileName = d / "adv.zip";
    r.BaseDir = d / "out";
    r.SpanningOptions().AdvancedNaming = false; // found under the other scheme
    std::vector<int> middle;
    int first = 0;
    r.OnRequestMiddleVolume = [&](TObject*, int n, std::string& name, bool& cancel) {
        middle.push_back(n);
        cancel = !FileExists(name);
    };
    r.OnRequestFirstVolume = [&](TObject*, std::string& name, bool& cancel) {
        ++first;
        cancel = !FileExists(name);
    };
    r.OpenArchive(0);
    EXPECT_TRUE(r.SpanningOptions().AdvancedNaming);
    r.ExtractFiles("*.*");
    r.CloseArchive();
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    EXPECT_GE(first, 1);
    EXPECT_FALSE(middle.empty());
    EXPECT_EQ(middle.front(), 2); // 1-based numbers
}

TEST(ZAVolumes, CancelledBlankVolumeAndReadOnlySet) {
    ScratchDir d;
    MakeSource(d / "src/");
    TZipArchiver z(nullptr);
    SetVolumes(z, d / "c.zip", d / "src", smSplitting, 65536);
    int asked = 0;
    z.OnRequestBlankVolume = [&](TObject*, int n, std::string&, bool& cancel) {
        ++asked;
        cancel = n >= 3;
    };
    z.OpenArchive(fmCreate);
    EXPECT_EQ(CodeOf([&] { z.AddFiles("*.*"); }), 45);
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(ListFiles(d.Path(), "c*").empty()); // the partial set is removed
    z.CloseArchive();
    // An existing set cannot be changed.
    WriteSet(d / "s.zip", d / "src", true);
    TZipArchiver u(nullptr);
    u.FileName = d / "s.zip";
    u.OpenArchive(fmOpenReadWrite | fmShareDenyWrite);
    EXPECT_EQ(CodeOf([&] { u.DeleteFiles("a.bin"); }), 52);
}

TEST(ZAVolumes, StubInFrontOfNewArchive) {
    ScratchDir d;
    MakeSource(d / "src/");
    const std::string stub = "#!stub\n" + RandomBytes(4000, 5);
    WriteFile(d / "stub.bin", stub);
    TZipArchiver z(nullptr);
    z.FileName = d / "sfx.zip";
    z.BaseDir = d / "src";
    z.SFXStub = d / "stub.bin";
    z.OpenArchive(fmCreate);
    EXPECT_EQ(z.StubLength(), static_cast<int64_t>(stub.size()));
    z.BeginUpdate();
    z.AddFiles("*.*");
    z.EndUpdate();
    EXPECT_EQ(z.StubLength(), static_cast<int64_t>(stub.size())); // kept by the commit
    z.CloseArchive();
    EXPECT_EQ(ReadFile(d / "sfx.zip").substr(0, stub.size()), stub);
    z.SFXStub.clear();
    z.OpenArchive(0);
    EXPECT_EQ(z.StubLength(), static_cast<int64_t>(stub.size())); // and found again
    z.CloseArchive();
    if (HaveTool("unzip")) {
        std::string out;
        EXPECT_EQ(Shell("unzip -tq " + Quote(d / "sfx.zip"), &out), 0) << out;
    }
    ExtractAll(d / "sfx.zip", d / "out");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    // A stub larger than the first volume is refused.
    TZipArchiver v(nullptr);
    v.FileName = d / "v.zip";
    v.SFXStub = d / "stub.bin";
    v.SetSpanningMode(smSplitting);
    v.SpanningOptions().FirstVolumeSize = 1000;
    EXPECT_EQ(CodeOf([&] { v.OpenArchive(fmCreate); }), 47);
}

TEST(ZAVolumes, SelfExtractingSplitSetIsFoundFromItsFirstVolume) {
    ScratchDir d;
    MakeSource(d / "src/");
    const std::string stub = "MZ" + RandomBytes(3000, 8);
    WriteFile(d / "stub.bin", stub);
    WriteSet(d / "setup.exe", d / "src", false, d / "stub.bin");
    EXPECT_EQ(ReadFile(d / "setup.exe").substr(0, stub.size()), stub);
    EXPECT_TRUE(FileExists(d / "setup.Z02"));
    EXPECT_TRUE(FileExists(d / "setup.ZIP"));
    TZipArchiver r(nullptr);
    r.FileName = d / "setup.exe";
    r.BaseDir = d / "out";
    r.OpenArchive(0);
    EXPECT_EQ(r.SpanningMode(), smSplitting);
    r.ExtractFiles("*.*");
    r.CloseArchive();
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
}

namespace {

// An archiver whose media report a chosen amount of free space.
class TSmallDisks : public TZipArchiver {
public:
    using TZipArchiver::TZipArchiver;
    std::vector<int64_t> Free; // per request, the last one repeats
    int Asked = 0;

protected:
    int64_t FreeSpace(const std::string& Path) override {
        const size_t i = std::min(static_cast<size_t>(Asked), Free.size() - 1);
        return Free[i];
    }
};

} // namespace

TEST(ZAVolumes, FullDiskIsRefusedAndDiskFullFired) {
    ScratchDir d;
    MakeSource(d / "src/");
    TSmallDisks z(nullptr);
    z.Free = {65536, 10 << 20};
    SetVolumes(z, d / "f.zip", d / "src", smSplitting, 100000);
    std::vector<int> full;
    z.OnDiskFull = [&](TObject*, int n, const std::string&, bool& cancel) {
        full.push_back(n);
        ++z.Asked; // the user frees room
        cancel = false;
    };
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
    EXPECT_EQ(full, (std::vector<int>{1}));
    ExtractAll(d / "f.zip", d / "out");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
}

TEST(ZAVolumes, SpannedSetAsksForEachBlankDisk) {
    ScratchDir d;
    MakeSource(d / "src/");
    TScriptedDialogsScope seen;
    for (int i = 0; i < 10; ++i)
        seen->QueueAnswer(mrOk);
    TZipArchiver z(nullptr);
    SetVolumes(z, d / "span.zip", d / "src", smSpanning, 100000);
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
    ASSERT_GE(seen->Asked().size(), 3u);
    EXPECT_EQ(seen->Asked()[0].Text, "Please insert a blank disk #1");
    EXPECT_EQ(seen->Asked()[1].Text, "Please insert a blank disk #2");
    EXPECT_TRUE(FileExists(d / "span_001.zip"));
    ExtractAll(d / "span.zip", d / "out");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    // Without a user the blank-disk question is cancelled: nothing is written.
    TDialogServiceScope none(std::make_unique<TNonInteractiveDialogs>());
    TZipArchiver n(nullptr);
    n.FileName = d / "none.zip";
    n.BaseDir = d / "src";
    n.SetSpanningMode(smSpanning);
    n.OpenArchive(fmCreate);
    EXPECT_EQ(CodeOf([&] { n.AddFiles("*.*"); }), 45);
    // The refused new set is dropped at the close, without asking again.
    const size_t asked = seen->Asked().size();
    EXPECT_EQ(CodeOf([&] { n.CloseArchive(); }), -1);
    EXPECT_EQ(seen->Asked().size(), asked);
    EXPECT_FALSE(n.Active());
    EXPECT_TRUE(ListFiles(d.Path(), "none*").empty());
}

TEST(ZAVolumes, LyingEndRecordOfASetFailsCleanly) {
    ScratchDir d;
    MakeSource(d / "src/");
    WriteSet(d / "set.zip", d / "src", true);
    std::string last = ReadFile(d / "set.zip");
    const size_t end = last.rfind("PK\x05\x06");
    last.replace(end + 12, 4, "\xF0\xFF\xFF\x7F"); // directory size far beyond the set
    WriteFile(d / "set.zip", last);
    TZipArchiver r(nullptr);
    r.FileName = d / "set.zip";
    EXPECT_EQ(CodeOf([&] { r.OpenArchive(0); }), 44);
    EXPECT_FALSE(r.Active());
}

TEST(ZAVolumes, SetWithoutItsSplitVolumesIsAskedForDiskByDisk) {
    ScratchDir d;
    MakeSource(d / "src/");
    WriteSet(d / "set.zip", d / "src", false);
    // The volumes are moved away, as if each stood on its own disk.
    ForceDirectories(d / "disks");
    std::vector<std::string> moved;
    for (const auto& f : ListFiles(d.Path(), "set.Z??")) {
        if (f == "set.zip") continue;
        ASSERT_TRUE(RenameFile(d / f, d / "disks/" + f));
        moved.push_back(f);
    }
    ASSERT_FALSE(moved.empty());
    TZipArchiver r(nullptr);
    r.FileName = d / "set.zip";
    r.BaseDir = d / "out";
    std::vector<int> asked;
    // Every disk of a spanned set carries the same name; the handler knows
    // where each one is.
    auto disk = [&](int n) { return d / "disks/set.Z" + Format("%.2d", n); };
    r.OnRequestFirstVolume = [&](TObject*, std::string& name, bool& cancel) {
        EXPECT_EQ(name, d / "set.zip");
        asked.push_back(1);
        name = disk(1);
        cancel = false;
    };
    r.OnRequestMiddleVolume = [&](TObject*, int n, std::string& name, bool& cancel) {
        asked.push_back(n);
        name = disk(n);
        cancel = false;
    };
    r.OnRequestLastVolume = [&](TObject*, std::string& name, bool& cancel) {
        asked.push_back(0);
        name = d / "set.zip";
        cancel = false;
    };
    r.OpenArchive(0);
    EXPECT_EQ(r.SpanningMode(), smSpanning);
    r.ExtractFiles("*.*");
    r.CloseArchive();
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 1);
    // Without handlers the default question is refused by a program without a user.
    TZipArchiver q(nullptr);
    q.FileName = d / "set.zip";
    q.BaseDir = d / "out2";
    std::vector<int> codes;
    q.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int native, int,
                                 const std::string&, TZAAction& a) {
        codes.push_back(native);
        a = fxaAbort;
    };
    TScriptedDialogsScope seen;
    q.OpenArchive(0);
    q.ExtractFiles("a.bin");
    q.CloseArchive();
    EXPECT_EQ(codes, (std::vector<int>{45}));
    ASSERT_EQ(seen->Asked().size(), 1u);
    EXPECT_EQ(seen->Asked()[0].Text, "Please insert the first disk");
}

TEST(ZAVolumes, MissingArchiveOfASpannedSetAsksForTheLastDisk) {
    ScratchDir d;
    MakeSource(d / "src/");
    CreateArchive(d / "one.zip", d / "src");
    TZipArchiver r(nullptr);
    r.FileName = d / "gone.zip";
    r.SetSpanningMode(smSpanning);
    {
        TScriptedDialogsScope seen;
        EXPECT_EQ(CodeOf([&] { r.OpenArchive(0); }), 45);
        ASSERT_EQ(seen->Asked().size(), 1u);
        EXPECT_EQ(seen->Asked()[0].Text, "Please insert the last disk");
    }
    r.SetSpanningMode(smSpanning);
    r.OnRequestLastVolume = [&](TObject*, std::string& name, bool& cancel) {
        EXPECT_EQ(name, d / "gone.zip");
        name = d / "one.zip";
        cancel = false;
    };
    r.OpenArchive(fmOpenReadWrite);
    EXPECT_EQ(r.SpanningMode(), smNone); // one volume after all
    r.BaseDir = d / "out";
    r.ExtractFiles("*.*");
    const int items = r.FileCount();
    // An update goes to the archive that was given, not to the missing name.
    r.DeleteFiles("a.bin");
    r.CloseArchive();
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    EXPECT_FALSE(FileExists(d / "gone.zip"));
    TZipArchiver c(nullptr);
    c.FileName = d / "one.zip";
    c.OpenArchive(0);
    EXPECT_EQ(c.FileCount(), items - 1);
    c.CloseArchive();
}

TEST(ZAVolumes, SpannedSetOnAnotherFileSystemIsKept) {
    // The disks are put on another file system than the archive's name, as a
    // user's blank-volume handler may do: the last volume cannot be renamed
    // there and is copied instead; the set stays whole.
    if (!DirectoryExists("/dev/shm")) GTEST_SKIP() << "no second file system";
    ScratchDir d;
    MakeSource(d / "src/");
    const std::string disks = CreateTempFile("/dev/shm/", "vzdisk");
    DeleteFile(disks);
    ASSERT_TRUE(ForceDirectories(disks));
    struct TCleanup {
        std::string Dir;
        ~TCleanup() { Shell("rm -rf " + Quote(Dir)); }
    } cleanup{disks};
    TZipArchiver z(nullptr);
    SetVolumes(z, d / "span.zip", d / "src", smSpanning, 100000);
    z.OnRequestBlankVolume = [&](TObject*, int n, std::string& name, bool& cancel) {
        name = disks + "/span.z" + Format("%.2d", n);
        cancel = false;
    };
    // Volumes get the usual mode of a new file, also the one copied across.
    const TUmask usual(022);
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
    ASSERT_TRUE(FileExists(d / "span.zip"));
    const std::vector<std::string> written = ListFiles(disks, "span.z??");
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(ModeOf(d / "span.zip"), 0644);
    for (const std::string& f : written)
        EXPECT_EQ(ModeOf(disks + "/" + f), 0644) << f;
    // The volumes beside the archive's name, the way other zip programs find them.
    for (const std::string& f : written)
        ASSERT_EQ(Shell("cp " + Quote(disks + "/" + f) + " " + Quote(d.Path())), 0);
    ZA_NEED_TOOL("7z");
    ForceDirectories(d / "out");
    ASSERT_EQ(Shell("7z x -bd -bso0 -y -o" + Quote(d / "out") + " " + Quote(d / "span.zip")), 0);
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
}

namespace {

// Disks of a spanned set as folders. With a Capacity, each folder reports
// the room a medium of that size would have left after what it holds.
class TFolderDisks : public TZipArchiver {
public:
    using TZipArchiver::TZipArchiver;
    int64_t Capacity = 0; // 0: the folders' real free space

protected:
    int64_t FreeSpace(const std::string& Path) override {
        if (Capacity == 0) return TZipArchiver::FreeSpace(Path);
        const std::string dir = ExtractFilePath(ExpandFileName(Path));
        int64_t used = 0;
        for (const std::string& f : ListFiles(dir))
            used += FileSizeOf(dir + f);
        return std::max<int64_t>(Capacity - used, 0);
    }
};

// Small file systems (tmpfs) mounted on folders for the test, unmounted at
// its end; Mount fails where the machine allows no mounts.
class TSmallFileSystems {
public:
    ~TSmallFileSystems() {
        for (const std::string& dir : FMounted)
            Shell("umount -l " + Quote(dir));
    }
    bool Mount(const std::vector<std::string>& Dirs, int64_t Bytes) {
        for (const std::string& dir : Dirs) {
            if (Shell("mount -t tmpfs -o size=" + std::to_string(Bytes) + " vzdisk " + Quote(dir) +
                      " 2>/dev/null") != 0)
                return false;
            FMounted.push_back(dir);
        }
        return true;
    }

private:
    std::vector<std::string> FMounted;
};

// Reads a set with 7z, its volumes given in order, and compares what comes
// out with Src.
void ExpectSevenZipReads(const std::vector<std::string>& Volumes, const std::string& Work,
                         const std::string& Src) {
    ASSERT_TRUE(ForceDirectories(Work + "out"));
    // 7z finds the volumes beside the last one under the split names.
    for (size_t i = 0; i + 1 < Volumes.size(); ++i)
        ASSERT_EQ(Shell("cp " + Quote(Volumes[i]) + " " +
                        Quote(Work + "set.z" + Format("%.2d", static_cast<int>(i + 1)))),
                  0);
    ASSERT_EQ(Shell("cp " + Quote(Volumes.back()) + " " + Quote(Work + "set.zip")), 0);
    std::string out;
    ASSERT_EQ(Shell("7z x -bd -y -o" + Quote(Work + "out") + " " + Quote(Work + "set.zip"), &out),
              0)
        << out;
    EXPECT_EQ(Tree(Work + "out/"), Tree(Src));
}

} // namespace

TEST(ZAVolumes, FinishedSpannedSetKeepsEveryVolume) {
    // The archive is named on the first disk and each volume goes to a disk
    // of its own; neither a disk that was not swapped nor naming the set at
    // the end may overwrite a volume, and a full first disk must not lose
    // the set.
    ZA_NEED_TOOL("7z");
    struct Case {
        const char* Name;
        bool SmallDisks;         // full after their volume; else plain folders
        bool SameNameOnEachDisk; // set.zip on every disk, else set_00n.zip
        bool Unswapped;          // each disk is first answered with the one before
        int Code;                // of the run (-1: none)
    };
    const Case cases[] = {
        {"plain folders, one name on every disk", false, true, false, -1},
        {"plain folders, a disk not swapped", false, true, true, -1},
        {"small file systems, the first disk full", true, false, false, zeVolumeWrite},
    };
    constexpr int64_t diskSize = 192 << 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ScratchDir d;
        MakeSource(d / "src/");
        struct TRemove {
            std::string Dir;
            ~TRemove() {
                if (!Dir.empty()) Shell("rm -rf " + Quote(Dir));
            }
        } otherFileSystem;
        std::vector<std::string> disks;
        for (int n = 1; n <= 8; ++n) {
            disks.push_back(d / "disk" + std::to_string(n) + "/");
            ASSERT_TRUE(ForceDirectories(disks.back()));
        }
        TSmallFileSystems mounts;
        TFolderDisks z(nullptr);
        if (c.SmallDisks && !mounts.Mount(disks, diskSize)) {
            // No mounts here: the disks report the room of small media, and
            // all but the first lie on another file system.
            if (!DirectoryExists("/dev/shm")) GTEST_SKIP() << "no second file system";
            otherFileSystem.Dir = CreateTempFile("/dev/shm/", "vzdisks");
            DeleteFile(otherFileSystem.Dir);
            for (size_t i = 1; i < disks.size(); ++i) {
                disks[i] = otherFileSystem.Dir + "/disk" + std::to_string(i + 1) + "/";
                ASSERT_TRUE(ForceDirectories(disks[i]));
            }
            z.Capacity = diskSize;
        }
        z.FileName = disks[0] + "set.zip";
        z.BaseDir = d / "src";
        z.SetSpanningMode(smSpanning);
        if (!c.SmallDisks) { // else each disk takes what room it has
            z.SpanningOptions().VolumeSize = vsCustom;
            z.SpanningOptions().SetCustomVolumeSize(65536);
        }
        std::vector<std::string> written; // the last answer for each disk
        z.OnRequestBlankVolume = [&](TObject*, int n, std::string& name, bool& cancel) {
            cancel = n > static_cast<int>(disks.size());
            if (cancel) return;
            const bool again = static_cast<int>(written.size()) == n;
            const int disk = c.Unswapped && n > 1 && !again ? n - 1 : n;
            name = disks[static_cast<size_t>(disk - 1)] +
                   (c.SameNameOnEachDisk ? "set.zip" : "set_" + Format("%.3d", disk) + ".zip");
            written.resize(static_cast<size_t>(n));
            written.back() = name;
        };
        z.OpenArchive(fmCreate);
        EXPECT_EQ(CodeOf([&] { z.AddFiles("*.*"); }), c.Code);
        z.CloseArchive();
        // Every volume stays where it was written, and together they are the set.
        ASSERT_GE(written.size(), 2u);
        for (const std::string& v : written)
            EXPECT_TRUE(FileExists(v)) << v;
        ExpectSevenZipReads(written, d / "7z/", d / "src/");
    }
}

// A volume of a split set that takes fewer bytes than written (its file
// system full, a quota reached) fails the set; no volume is left behind.
TEST(ZAVolumes, ShortWriteToASplitVolumeFailsTheSet) {
    ScratchDir d;
    MakeSource(d / "src/");
    TZipArchiver z(nullptr);
    SetVolumes(z, d / "out/split.zip", d / "src", smSplitting, 100000);
    ForceDirectories(d / "out");
    ExpectShortVolumeFailsTheSet(z, d / "out", ppStart, 30000);
}

TEST(ZAVolumes, DiskWithoutTheEndRecordIsNotTakenForTheLastOne) {
    ScratchDir d;
    MakeSource(d / "src/");
    // The comment after the end record does not hide it.
    WriteSet(d / "set.zip", d / "src", false, "", std::string(3000, 'c'));
    TZipArchiver r(nullptr);
    r.FileName = d / "gone.zip";
    r.BaseDir = d / "out";
    r.SetSpanningMode(smSpanning);
    int asked = 0;
    // The user first inserts the first disk, which holds no end record; the
    // last disk is asked for again.
    r.OnRequestLastVolume = [&](TObject*, std::string& name, bool& cancel) {
        name = ++asked == 1 ? d / "set.Z01" : d / "set.zip";
        cancel = false;
    };
    r.OnRequestFirstVolume = [&](TObject*, std::string& name, bool& cancel) {
        name = d / "set.Z01";
        cancel = false;
    };
    r.OnRequestMiddleVolume = [&](TObject*, int n, std::string& name, bool& cancel) {
        name = d / "set.Z" + Format("%.2d", n);
        cancel = false;
    };
    r.OpenArchive(0);
    EXPECT_EQ(asked, 2);
    r.ExtractFiles("*.*");
    r.CloseArchive();
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
}

namespace {

// A removable medium stood in for by a folder of the test: it reports the
// same free space however much is held back for it, as a disk does before
// the bytes reach it.
class TStick : public TZipArchiver {
public:
    using TZipArchiver::TZipArchiver;
    std::string Folder;
    std::string Current; // the disk asked for last
    int64_t Free = 100000;

    void Prepare(const std::string& Src) {
        ForceDirectories(Folder);
        FileName = Folder + "span.zip";
        BaseDir = Src;
        SetSpanningMode(smSpanning); // each disk takes its free space
        OnRequestBlankVolume = [this](TObject*, int n, std::string& name, bool& cancel) {
            Current = name = Folder + "span.z" + Format("%.2d", n);
            cancel = false;
        };
    }

protected:
    bool IsRemovableMedium(const std::string& Path) override { return Path.rfind(Folder, 0) == 0; }
    int64_t FreeSpace(const std::string& Path) override {
        return IsRemovableMedium(Path) ? Free : TZipArchiver::FreeSpace(Path);
    }
};

} // namespace

TEST(ZAVolumes, RemovableDisksAreFilledFromMemory) {
    ScratchDir d;
    MakeSource(d / "src/");
    TStick z(nullptr);
    z.Folder = d / "stick/";
    z.Prepare(d / "src");
    // While a disk is being filled nothing of it is on the medium yet. Each
    // item's copy reports its start at 0, its progress and its end at 100.
    std::vector<int64_t> onDisk;
    std::vector<std::string> copies(1);
    z.OnCopyTempFileProgress = [&](TObject*, double p, TZAProgressPhase phase, bool&) {
        if (phase == ppEnd) onDisk.push_back(FileSizeOf(z.Current));
        copies.back() += Format("%d:%.0f ", static_cast<int>(phase), p);
        if (phase == ppEnd) copies.emplace_back();
    };
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
    ASSERT_FALSE(onDisk.empty());
    EXPECT_EQ(onDisk, std::vector<int64_t>(onDisk.size(), 0));
    EXPECT_EQ(copies.front(), "0:0 1:100 2:100 "); // one chunk each
    EXPECT_EQ(copies.at(1), "0:0 1:100 2:100 ");
    EXPECT_EQ(copies.size(), onDisk.size() + 1);
    // The held-back bytes count against the room of each disk.
    ASSERT_GE(ListFiles(z.Folder).size(), 3u); // two disks and the last one at least
    for (const std::string& f : ListFiles(z.Folder))
        EXPECT_LE(FileSizeOf(z.Folder + f), z.Free) << f;
    TZipArchiver r(nullptr);
    r.FileName = z.FileName;
    r.BaseDir = d / "out";
    r.OnRequestFirstVolume = [&](TObject*, std::string& name, bool& cancel) {
        name = z.Folder + "span.z01";
        cancel = false;
    };
    r.OnRequestMiddleVolume = [&](TObject*, int n, std::string& name, bool& cancel) {
        name = z.Folder + "span.z" + Format("%.2d", n);
        cancel = false;
    };
    r.OpenArchive(0);
    r.ExtractFiles("*.*");
    r.CloseArchive();
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    ZA_NEED_TOOL("7z");
    ASSERT_EQ(Shell("7z x -bd -bso0 -y -o" + Quote(d / "7z") + " " + Quote(z.FileName)), 0);
    EXPECT_EQ(Tree(d / "7z/"), Tree(d / "src/"));
}

// Whether a folder lies on a removable medium is asked once a run, however
// many items go into it.
TEST(ZAVolumes, EachFolderIsAskedOnceARunWhetherItIsRemovable) {
    ScratchDir d;
    MakeSource(d / "src/");
    WriteFile(d / "src/sub/e.txt", "nog een");
    CreateArchive(d / "all.zip", d / "src");
    class TAsked : public TZipArchiver {
    public:
        using TZipArchiver::TZipArchiver;
        std::map<std::string, int> Asked;

    protected:
        bool IsRemovableMedium(const std::string& Path) override {
            ++Asked[ExtractFileDir(Path)];
            return false;
        }
    } r(nullptr);
    r.FileName = d / "all.zip";
    r.BaseDir = d / "out";
    r.Options().OverwriteMode = omAlways;
    r.OpenArchive(0);
    r.ExtractFiles("*.*");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    const std::map<std::string, int> once = {{d / "out", 1}, {d / "out/sub", 1}};
    EXPECT_EQ(r.Asked, once);
    // The next run asks again: a medium may have been changed in between.
    r.ExtractFiles("*.*");
    r.CloseArchive();
    const std::map<std::string, int> twice = {{d / "out", 2}, {d / "out/sub", 2}};
    EXPECT_EQ(r.Asked, twice);
}

TEST(ZAVolumes, LargeDiskIsNotHeldInMemoryWhole) {
    ScratchDir d;
    WriteFile(d / "src/big.txt", TextBytes(20 << 20));
    TStick z(nullptr);
    z.Folder = d / "stick/";
    z.Free = int64_t{1} << 30;
    z.Prepare(d / "src");
    z.SetCompressionMode(0);
    int64_t onDisk = -1;
    z.OnCopyTempFileProgress = [&](TObject*, double, TZAProgressPhase phase, bool&) {
        if (phase == ppEnd) onDisk = FileSizeOf(z.Current);
    };
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
    // Past 16 MiB the held bytes went onto the disk; the rest followed at the end.
    EXPECT_GE(onDisk, 16 << 20);
    EXPECT_LT(onDisk, 20 << 20);
    ExtractAll(z.FileName, d / "out");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
}

TEST(ZAVolumes, DiskThatRefusesTheHeldBytesFailsTheSet) {
    ScratchDir d;
    WriteFile(d / "src/a.bin", RandomBytes(30000, 5));
    TStick z(nullptr);
    z.Folder = d / "stick/";
    z.Prepare(d / "src");
    // The medium takes nothing more from the moment the item is complete:
    // what is held back for the disk is copied onto it only at the end.
    ExpectShortVolumeFailsTheSet(z, z.Folder, ppEnd, 0);
}
