// The directory search: signatures found wherever the search windows split
// them, the end record at the edges of the window it is searched in, and
// names as the writers of other host systems store them.
#include <gtest/gtest.h>

#include "zatestutil.h"
#include "zip/zaarchiver.h"
#include "zip/zacrypt.h"
#include "zip/zadirectory.h"
#include "zip/zarecords.h"

using namespace zatest;

namespace {

std::string Sig(uint32_t Signature) {
    std::string s;
    Put32(s, Signature);
    return s;
}

} // namespace

TEST(ZASearch, ForwardSignatureFoundAcrossEveryWindowEdge) {
    // Windows of 4096 bytes, then twice as large each time, overlapping by 3.
    for (int64_t edge : {4096, 4093 + 8192, 4093 + 8189 + 16384}) {
        for (int64_t at = edge - 5; at <= edge + 1; ++at) {
            TMemoryStream s;
            std::string bytes(static_cast<size_t>(edge + 100), 'x');
            bytes.replace(static_cast<size_t>(at), 4, Sig(sigLocal));
            s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
            EXPECT_EQ(FindSignatureForward(s, 0, sigLocal), at) << at;
            EXPECT_EQ(FindSignatureForward(s, at, sigLocal), at) << at;
            EXPECT_EQ(FindSignatureForward(s, at + 1, sigLocal), -1) << at;
            // A limit ending with the signature still finds it; one byte less does not.
            EXPECT_EQ(FindSignatureForward(s, 0, sigLocal, at + 4), at) << at;
            EXPECT_EQ(FindSignatureForward(s, 0, sigLocal, at + 3), -1) << at;
        }
    }
    TMemoryStream tiny;
    tiny.WriteBuffer(Sig(sigLocal).data(), 3);
    EXPECT_EQ(FindSignatureForward(tiny, 0, sigLocal), -1);
}

namespace {

// An archive with one stored item and the given comment, as bytes.
std::string WithComment(const std::string& Comment) {
    TZALocalHeader lh;
    lh.Signature = sigLocal;
    lh.VersionNeeded = 10;
    lh.Crc32 = ZACrc32("data", 4);
    lh.CompressedSize = lh.UncompressedSize = 4;
    lh.NameLength = 5;
    const std::string item = LocalHeaderBytes(lh) + "a.txt" + "data";
    TZACentralHeader c;
    c.Signature = sigCentral;
    c.VersionMadeBy = c.VersionNeeded = 10;
    c.Crc32 = lh.Crc32;
    c.CompressedSize = c.UncompressedSize = 4;
    c.NameLength = 5;
    const std::string central = CentralHeaderBytes(c) + "a.txt";
    TZAEndRecord e;
    e.EntriesOnDisk = e.TotalEntries = 1;
    e.CentralDirSize = static_cast<uint32_t>(central.size());
    e.CentralDirOffset = static_cast<uint32_t>(item.size());
    e.CommentLength = static_cast<uint16_t>(Comment.size());
    return item + central + EndRecordBytes(e) + Comment;
}

std::string ReadFirstItem(const std::string& Bytes, std::string* Comment = nullptr) {
    TMemoryStream s;
    s.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
    TZipArchiver z(nullptr);
    z.OpenArchive(s, false);
    if (Comment) *Comment = z.ArchiveComment();
    return z.FileCount() == 1 ? z.Files(0).Name : "";
}

} // namespace

TEST(ZASearch, EndRecordAtTheEdgesOfItsWindow) {
    // The longest comment puts the record 65557 bytes from the end, inside the
    // 65600-byte window; the record's signature as the comment's last bytes is
    // no record (fewer than 22 bytes follow it).
    for (size_t len : {size_t{0}, size_t{1}, size_t{65535}}) {
        std::string comment(len, 'c');
        if (len >= 4) comment.replace(len - 4, 4, Sig(sigEnd));
        std::string read;
        EXPECT_EQ(ReadFirstItem(WithComment(comment), &read), "a.txt") << len;
        EXPECT_EQ(read, comment) << len;
    }
    // A false record in the comment whose length field does not reach exactly
    // to the end is passed over.
    std::string fake = Sig(sigEnd) + std::string(16, '\0') + std::string("\x06\x00", 2) + "tail!";
    std::string read;
    EXPECT_EQ(ReadFirstItem(WithComment(fake), &read), "a.txt");
    EXPECT_EQ(read, fake);
}

TEST(ZASearch, StubInFrontFoundAtEverySearchWindowEdge) {
    ScratchDir d;
    const std::string archive = WithComment("");
    for (size_t stub : {size_t{1}, size_t{4093}, size_t{4094}, size_t{4095}, size_t{4096},
                        size_t{4097}, size_t{12285}, size_t{12286}}) {
        WriteFile(d / "s.zip", RandomBytes(stub, 3) + archive);
        TZipArchiver z(nullptr);
        z.FileName = d / "s.zip";
        z.BaseDir = d / "out";
        z.OpenArchive(0);
        EXPECT_EQ(z.StubLength(), static_cast<int64_t>(stub));
        z.ExtractFiles("*.*");
        z.CloseArchive();
        EXPECT_EQ(ReadFile(d / "out/a.txt"), "data") << stub;
        DeleteFile(d / "out/a.txt");
    }
}

TEST(ZASearch, NamesOfOtherHostSystems) {
    struct Case {
        const char* Raw;
        uint16_t MadeBy;
        uint16_t Flags;
        bool Oem;
        const char* Expected; // program form
    } cases[] = {
        {"caf\x82.txt", 0x0014, 0, true, "caf\xE9.txt"},     // MS-DOS: code page 850
        {"\x80.txt", 0x0014, 0, true, "\xC7.txt"},           // the lowest byte beyond ASCII
        {"caf\x82.txt", 0x0614, 0, true, "caf\xE9.txt"},     // OS/2 HPFS: also 850
        {"caf\x82.txt", 0x0014, 0, false, "caf\x82.txt"},    // OEM names off: the bytes
        {"caf\xE9.txt", 0x0B14, 0, true, "caf\xE9.txt"},     // NTFS: the ANSI code page
        {"caf\xC3\xA9.txt", 0x0314, 0, true, "caf\xE9.txt"}, // Unix: UTF-8 bytes
        {"caf\xC3\xA9.txt", 0x1314, 0, true, "caf\xE9.txt"}, // OS X: UTF-8 bytes
        {"caf\xE9.txt", 0x0314, 0, true,
         "caf\x81"
         "E9.txt"},                                               // Unix, no UTF-8: kept
        {"caf\xC3\xA9.txt", 0x0014, 0x0800, true, "caf\xE9.txt"}, // the flag beats the host
        {"\xC5\x81.txt", 0x0014, 0x0800, true,
         "\x81"
         "C5\x81"
         "81.txt"},
        {"\xB0\xB1.txt", 0x0014, 0, true,
         "\x81"
         "E2\x81"
         "96\x81"
         "91\x81"
         "E2\x81"
         "96\x81"
         "92.txt"},
        {"plain.txt", 0x0014, 0, true, "plain.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameFromArchive(c.Raw, c.MadeBy, c.Flags, c.Oem), c.Expected) << c.Raw;
    const TZANameBytes ascii = NameToArchive("dir/plain.txt");
    EXPECT_EQ(ascii.Bytes, "dir/plain.txt");
    EXPECT_EQ(ascii.Flags, 0);
    const TZANameBytes oem = NameToArchive("caf\xE9 \xBD.txt");
    EXPECT_EQ(oem.Bytes, "caf\xC3\xA9 \xC2\xBD.txt");
    EXPECT_EQ(oem.Flags, ZAUtf8NameFlag);
    const TZANameBytes raw = NameToArchive("caf\x81"
                                           "E9.txt");
    EXPECT_EQ(raw.Bytes, "caf\xE9.txt");
    EXPECT_EQ(raw.Flags, 0);
    EXPECT_TRUE(raw.UnixHost);
}
