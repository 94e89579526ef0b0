// The run-time pieces the archive engine stands on: streams with share modes,
// file attributes and DOS dates, temporary files, free space, critical section.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/rtl/fileattrs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/syncobjs.h"
#include "platform/rtl/tempfiles.h"
#include "vz_test_support.h"

namespace {

class StreamsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = CreateTempFile("", "vzst");
        DeleteFile(Dir);
        ASSERT_TRUE(CreateDir(Dir));
        Dir += "/";
    }
    void TearDown() override {
        for (const auto& f : ListFiles(Dir)) {
            ::chmod(DiskName(Dir + f).c_str(), 0644);
            DeleteFile(Dir + f);
        }
        RemoveDir(Dir);
    }
    std::string Dir;
};

TEST_F(StreamsTest, FileStreamWritesReadsSeeksAndTruncates) {
    {
        TFileStream f(Dir + "a.bin", fmCreate);
        f.WriteBuffer("hello world", 11);
        EXPECT_EQ(f.Size(), 11);
        f.SetPosition(6);
        char buf[5];
        f.ReadBuffer(buf, 5);
        EXPECT_EQ(std::string(buf, 5), "world");
        f.SetSize(5);
        EXPECT_EQ(f.Size(), 5);
        EXPECT_EQ(f.Position(), 5);
        char c;
        EXPECT_EQ(f.Read(&c, 1), 0);
        EXPECT_THROW(f.ReadBuffer(&c, 1), EReadError);
    }
    EXPECT_EQ(ReadFileBytes(Dir + "a.bin"), "hello");
    EXPECT_THROW(TFileStream(Dir + "missing", fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(Dir + "no/such/dir/x", fmCreate), EFCreateError);
    EXPECT_THROW(TFileStream(Dir, fmOpenRead), EFOpenError); // a folder is no file
}

TEST_F(StreamsTest, ShareModesRefuseConflictingOpeners) {
    { TFileStream f(Dir + "s.bin", fmCreate); }
    const std::string n = Dir + "s.bin";
    {
        TFileStream denyWrite(n, fmOpenRead | fmShareDenyWrite);
        TFileStream reader(n, fmOpenRead | fmShareDenyNone);
        EXPECT_THROW(TFileStream(n, fmOpenReadWrite | fmShareDenyNone), EFOpenError);
        EXPECT_THROW(TFileStream(n, fmCreate), EFCreateError);
    }
    {
        TFileStream exclusive(n, fmOpenReadWrite | fmShareExclusive);
        EXPECT_THROW(TFileStream(n, fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream writer(n, fmOpenWrite | fmShareDenyNone);
        EXPECT_THROW(TFileStream(n, fmOpenRead | fmShareDenyWrite), EFOpenError);
        TFileStream reader(n, fmOpenRead | fmShareDenyNone);
        EXPECT_THROW(TFileStream(n, fmOpenRead | fmShareDenyRead), EFOpenError);
    }
    TFileStream again(n, fmOpenReadWrite | fmShareExclusive); // all released
}

TEST_F(StreamsTest, MemoryStreamGrowsCopiesAndSaves) {
    TMemoryStream m;
    m.WriteBuffer("abc", 3);
    m.SetPosition(10);
    m.WriteBuffer("z", 1);
    EXPECT_EQ(m.Size(), 11);
    EXPECT_EQ(m.Memory()[5], '\0');
    m.SaveToFile(Dir + "m.bin");
    TMemoryStream back;
    back.LoadFromFile(Dir + "m.bin");
    EXPECT_EQ(back.Data(), m.Data());
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(m, 0), 11);
    EXPECT_EQ(copy.Data(), m.Data());
    m.SetPosition(1);
    TMemoryStream part;
    part.CopyFrom(m, 2);
    EXPECT_EQ(std::string(part.Memory(), 2), "bc");
    EXPECT_THROW(part.CopyFrom(m, 100), EReadError);
    m.SetSize(2);
    EXPECT_EQ(m.Position(), 2);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
}

TEST_F(StreamsTest, AttributesFollowPermissionsAndNames) {
    { TFileStream f(Dir + ".hid", fmCreate); }
    const int32_t a = FileGetAttr(Dir + ".hid");
    EXPECT_TRUE(a & faHidden);
    EXPECT_TRUE(a & faArchive);
    EXPECT_FALSE(a & faReadOnly);
    EXPECT_TRUE(FileSetAttr(Dir + ".hid", faReadOnly));
    EXPECT_TRUE(FileGetAttr(Dir + ".hid") & faReadOnly);
    EXPECT_TRUE(FileSetAttr(Dir + ".hid", faArchive));
    EXPECT_FALSE(FileGetAttr(Dir + ".hid") & faReadOnly);
    EXPECT_TRUE(FileGetAttr(Dir) & faDirectory);
    EXPECT_EQ(FileGetAttr(Dir + "nothing"), -1);
    ASSERT_EQ(::symlink("/etc/passwd", DiskName(Dir + "ln").c_str()), 0);
    EXPECT_EQ(FileGetAttr(Dir + "ln"), static_cast<int32_t>(faSymLink));
    EXPECT_FALSE(FileSetAttr(Dir + "ln", faReadOnly));
}

TEST(FileDates, PackUnpackAndClamp) {
    const TDateTime t = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 31, 0);
    const uint32_t d = DateTimeToFileDate(t);
    EXPECT_EQ(d >> 16, ((2024u - 1980) << 9) | (2u << 5) | 29u);
    EXPECT_EQ(d & 0xFFFF, (13u << 11) | (45u << 5) | 15u);
    EXPECT_DOUBLE_EQ(FileDateToDateTime(d), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0));
    EXPECT_EQ(DateTimeToFileDate(EncodeDate(1970, 1, 1)), (1u << 21) | (1u << 16));
    EXPECT_EQ(DateTimeToFileDate(EncodeDate(2200, 1, 1)) >> 25, 127u);
    EXPECT_EQ(UnixTimeToFileDate(0), (1u << 21) | (1u << 16));
    EXPECT_EQ(FileDateToUnixTime(UnixTimeToFileDate(1700000000)), 1700000000);
    // Garbage fields read as the nearest valid date instead of failing.
    EXPECT_GT(FileDateToDateTime(0), 0.0);
}

TEST_F(StreamsTest, FileDateRoundTripsOnDisk) {
    { TFileStream f(Dir + "d", fmCreate); }
    const uint32_t d = UnixTimeToFileDate(1600000000);
    ASSERT_TRUE(FileSetDate(Dir + "d", d));
    EXPECT_EQ(FileAge(Dir + "d"), d);
    EXPECT_EQ(FileAge(Dir + "none"), -1);
}

TEST_F(StreamsTest, TempFilesAreUniqueAndPrivate) {
    const std::string a = CreateTempFile(Dir, "FC");
    const std::string b = CreateTempFile(Dir, "FC");
    EXPECT_NE(a, b);
    EXPECT_EQ(ExtractFileName(a).substr(0, 2), "FC");
    EXPECT_EQ(ExtractFilePath(a), Dir);
    struct stat st;
    ASSERT_EQ(::stat(DiskName(a).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
    EXPECT_EQ(st.st_size, 0);
    EXPECT_THROW(CreateTempFile(Dir + "missing/", "x"), EFCreateError);
    EXPECT_EQ(GetTempDir().back(), '/');
}

TEST_F(StreamsTest, FreeSpaceAndRemovableMedia) {
    EXPECT_GT(DiskFree(Dir), 0);
    // A name not made yet is measured on its nearest existing parent (other
    // tests write meanwhile, so only roughly the same).
    const int64_t a = DiskFree(Dir + "not/yet/made.zip"), b = DiskFree(Dir);
    EXPECT_GT(a, 0);
    EXPECT_LT(std::llabs(a - b), int64_t{1} << 30);
    EXPECT_FALSE(IsRemovablePath(Dir));
    EXPECT_TRUE(IsRemovablePath("/media/usb/x.zip"));
    // The root folder lies on some mount; a path under it finds the same.
    EXPECT_EQ(MountDevice("/"), MountDevice("/."));
}

// The mount table escapes blanks in a mount point: a stick whose label holds
// a space is still found under its own mount. Of mounts on one place the
// last one counts.
TEST(RemovableMedia, MountPointWithEscapedBlanks) {
    TTestFolder dir("vz_mounts");
    std::ofstream(dir.File("mountinfo"))
        << "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
           "40 22 8:17 / /media/mijn\\040stick rw,nosuid shared:40 - vfat /dev/sdb1 rw\n"
           "41 22 8:33 / /mnt/eind\\040 rw - vfat /dev/sdc1 rw\n"
           "42 22 0:50 / /srv/club rw - nfs4 server:/export rw\n"
           "43 41 8:49 / /mnt/eind\\040 rw - vfat /dev/sdd1 rw\n"; // mounted over sdc1
    const std::string table = dir.File("mountinfo");
    EXPECT_EQ(MountDevice("/media/mijn stick/toernooi.zip", table), "sdb1");
    EXPECT_EQ(MountDevice("/media/mijn stick", table), "sdb1");
    EXPECT_EQ(MountDevice("/media/mijn", table), "sda1");
    EXPECT_EQ(MountDevice("/media/mijn stickje/a.zip", table), "sda1");
    EXPECT_EQ(MountDevice("/mnt/eind /a.zip", table), "sdd1") << "the last mount there";
    EXPECT_EQ(MountDevice("/srv/club/a.zip", table), "") << "a mount on no device file";
}

TEST(RemovableMedia, FlagOfTheDiskUnderSys) {
    // A stand-in for /sys: a stick sdb with a partition, a fixed disk sda.
    TTestFolder sys("vz_sys");
    for (const char* d :
         {"devices/usb/block/sdb/sdb1", "devices/ata/block/sda/sda1", "class/block"})
        ASSERT_TRUE(ForceDirectories(sys.File(d)));
    for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
             {"devices/usb/block/sdb/removable", "1\n"},
             {"devices/usb/block/sdb/sdb1/partition", "1\n"},
             {"devices/ata/block/sda/removable", "0\n"},
             {"devices/ata/block/sda/sda1/partition", "1\n"}})
        std::ofstream(sys.File(name)) << text;
    for (const std::string d : {"usb/block/sdb", "usb/block/sdb/sdb1", "ata/block/sda/sda1"})
        ASSERT_EQ(::symlink(("../../devices/" + d).c_str(),
                            sys.File("class/block/" + ExtractFileName(d)).c_str()),
                  0);
    EXPECT_TRUE(IsRemovableDevice("sdb", sys.Path()));
    EXPECT_TRUE(IsRemovableDevice("sdb1", sys.Path()));
    EXPECT_FALSE(IsRemovableDevice("sda1", sys.Path()));
    EXPECT_FALSE(IsRemovableDevice("sdc", sys.Path()));
    EXPECT_FALSE(IsRemovableDevice("", sys.Path()));
    EXPECT_FALSE(IsRemovableDevice("../../devices/usb/block/sdb", sys.Path()));
}

TEST(CriticalSection, SerialisesThreadsAndIsRecursive) {
    TCriticalSection cs;
    cs.Enter();
    cs.Enter();
    cs.Leave();
    cs.Leave();
    int counter = 0;
    auto work = [&] {
        for (int i = 0; i < 10000; ++i) {
            std::lock_guard<TCriticalSection> g(cs);
            ++counter;
        }
    };
    std::thread t1(work), t2(work);
    t1.join();
    t2.join();
    EXPECT_EQ(counter, 20000);
}

} // namespace
