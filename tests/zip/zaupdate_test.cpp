// What an update leaves of the archive: the other items whole, the refreshed
// ones without stale blocks, the age and read-only rules, the file's own
// permissions.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/rtl/dateutils.h"
#include "platform/rtl/fileattrs.h"
#include "zatestutil.h"
#include "zip/zaarchiver.h"

using namespace zatest;

namespace {

// The DOS time every item of the Python-made archives carries.
uint32_t ItemTime() {
    return DateTimeToFileDate(EncodeDate(2020, 1, 2) + EncodeTime(3, 4, 6, 0));
}

} // namespace

TEST(ZAUpdate, OtherItemsStayWholeAndARefreshedOneLosesItsOldBlocks) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    keep = zipfile.ZipInfo('keep.txt', (2020, 1, 2, 3, 4, 6))
    keep.extra = b'\xfe\xca' + (300).to_bytes(2, 'little') + b'k' * 300
    keep.comment = b'c' * 5000
    z.writestr(keep, b'keep')
    a = zipfile.ZipInfo('a.txt', (2020, 1, 2, 3, 4, 6))
    a.extra = b'UT\x05\x00\x01' + (1577934246).to_bytes(4, 'little')
    z.writestr(a, b'old')
    z.writestr('weg.txt', b'weg')
)",
                     {DiskName(d / "u.zip")}),
              0);
    ::chmod(DiskName(d / "u.zip").c_str(), 0640);
    WriteFile(d / "src/a.txt", "new");
    TZipArchiver z(nullptr);
    z.FileName = d / "u.zip";
    z.BaseDir = d / "src";
    z.OpenArchiveDefault();
    z.UpdateFiles("a.txt");
    z.DeleteFiles("weg.txt");
    z.CloseArchive();
    std::string out;
    ASSERT_EQ(Python(R"(
import sys, os, zipfile
z = zipfile.ZipFile(sys.argv[1])
keep, a = z.getinfo('keep.txt'), z.getinfo('a.txt')
print(len(keep.extra), len(keep.comment), b'UT' in a.extra, z.read('a.txt').decode(),
      oct(os.stat(sys.argv[1]).st_mode & 0o777))
)",
                     {DiskName(d / "u.zip")}, &out),
              0)
        << out;
    EXPECT_EQ(out, "304 5000 False new 0o640\n");
}

// Newer-only leaves an item of the file's own age; a read-only item is
// refreshed only where read-only items may be replaced.
TEST(ZAUpdate, SameAgeAndReadOnlyItemsAreKept) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr(zipfile.ZipInfo('same.txt', (2020, 1, 2, 3, 4, 6)), b'old')
    ro = zipfile.ZipInfo('ro.txt', (2020, 1, 2, 3, 4, 6))
    ro.external_attr = 0x01
    z.writestr(ro, b'old')
)",
                     {DiskName(d / "k.zip")}),
              0);
    WriteFile(d / "src/same.txt", "changed");
    ASSERT_TRUE(FileSetDate(d / "src/same.txt", ItemTime()));
    WriteFile(d / "src/ro.txt", "changed");
    TZipArchiver z(nullptr);
    z.FileName = d / "k.zip";
    z.BaseDir = d / "src";
    z.Options().OverwriteMode = omIfNewer;
    z.Options().ReplaceReadOnly = false;
    z.OpenArchiveDefault();
    z.UpdateFiles("*.txt");
    z.CloseArchive();
    ExtractAll(d / "k.zip", d / "out");
    EXPECT_EQ(ReadFile(d / "out/same.txt") + ReadFile(d / "out/ro.txt"), "oldold");

    z.Options().ReplaceReadOnly = true;
    z.OpenArchiveDefault();
    z.UpdateFiles("ro.txt");
    z.CloseArchive();
    ExtractAll(d / "k.zip", d / "again");
    EXPECT_EQ(ReadFile(d / "again/ro.txt"), "changed");
}

// Adding every file of the archive's own folder does not take the archive in.
TEST(ZAUpdate, ArchiveDoesNotTakeItselfIn) {
    ScratchDir d;
    WriteFile(d / "a.txt", "a");
    CreateArchive(d / "self.zip", d.Path(), "a.txt");
    TZipArchiver z(nullptr);
    z.FileName = d / "self.zip";
    z.BaseDir = d.Path();
    z.OpenArchiveDefault();
    z.AddFiles("*.*");
    EXPECT_EQ(z.FileCount(), 1);
    z.CloseArchive();
}

// A base folder given relative to the current one: the refreshed item keeps
// the name it was added under.
TEST(ZAUpdate, RelativeBaseDirKeepsTheName) {
    ScratchDir d;
    WriteFile(d / "work/rel/src/u.txt", "oud");
    const std::string here = GetCurrentDir();
    struct TBack {
        std::string Dir;
        ~TBack() { SetCurrentDir(Dir); }
    } back{here};
    ASSERT_TRUE(SetCurrentDir(d.Path()));
    TZipArchiver z(nullptr);
    z.FileName = "u.zip";
    z.BaseDir = "work/rel/src";
    z.OpenArchive(fmCreate);
    z.AddFiles("u.txt");
    ASSERT_EQ(z.FileCount(), 1);
    EXPECT_EQ(z.Files(0).Name, "u.txt");
    WriteFile(d / "work/rel/src/u.txt", "nieuw");
    z.UpdateFiles("u.txt");
    ASSERT_EQ(z.FileCount(), 1);
    EXPECT_EQ(z.Files(0).Name, "u.txt");
    z.CloseArchive();
    ExtractAll(d / "u.zip", d / "out");
    EXPECT_EQ(ReadFile(d / "out/u.txt"), "nieuw");
}
