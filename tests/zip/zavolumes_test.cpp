// Volume sets written by the engine, read back by it and joined by Info-ZIP;
// a self-extracting stub in front of a new archive.
#include <gtest/gtest.h>

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
              const std::string& Stub = "") {
    TZipArchiver z(nullptr);
    z.FileName = Archive;
    z.BaseDir = Src;
    z.SFXStub = Stub;
    z.SetSpanningMode(smSplitting);
    z.SpanningOptions().AdvancedNaming = Advanced;
    z.SpanningOptions().VolumeSize = vsCustom;
    z.SpanningOptions().SetCustomVolumeSize(65536);
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
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
    z.FileName = d / "c.zip";
    z.BaseDir = d / "src";
    z.SetSpanningMode(smSplitting);
    z.SpanningOptions().VolumeSize = vsCustom;
    z.SpanningOptions().SetCustomVolumeSize(65536);
    int asked = 0;
    z.OnRequestBlankVolume = [&](TObject*, int n, std::string&, bool& cancel) {
        ++asked;
        cancel = n >= 3;
    };
    z.OpenArchive(fmCreate);
    try {
        z.AddFiles("*.*");
        FAIL() << "the third volume was refused";
    } catch (const EZAException& e) {
        EXPECT_EQ(e.NativeError, 45);
    }
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(ListFiles(d.Path(), "c*").empty()); // the partial set is removed
    z.CloseArchive();
    // An existing set cannot be changed.
    WriteSet(d / "s.zip", d / "src", true);
    TZipArchiver u(nullptr);
    u.FileName = d / "s.zip";
    u.OpenArchive(fmOpenReadWrite | fmShareDenyWrite);
    try {
        u.DeleteFiles("a.bin");
        FAIL();
    } catch (const EZAException& e) {
        EXPECT_EQ(e.NativeError, 52);
    }
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
    z.AddFiles("*.*");
    z.CloseArchive();
    EXPECT_EQ(ReadFile(d / "sfx.zip").substr(0, stub.size()), stub);
    if (HaveTool("unzip")) {
        std::string out;
        EXPECT_EQ(Shell("unzip -tq " + Quote(d / "sfx.zip"), &out), 0) << out;
    }
    TZipArchiver r(nullptr);
    r.FileName = d / "sfx.zip";
    r.BaseDir = d / "out";
    r.OpenArchive(0);
    r.ExtractFiles("*.*");
    r.CloseArchive();
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    // A stub larger than the first volume is refused.
    TZipArchiver v(nullptr);
    v.FileName = d / "v.zip";
    v.SFXStub = d / "stub.bin";
    v.SetSpanningMode(smSplitting);
    v.SpanningOptions().FirstVolumeSize = 1000;
    try {
        v.OpenArchive(fmCreate);
        FAIL();
    } catch (const EZAException& e) {
        EXPECT_EQ(e.NativeError, 47);
    }
}
