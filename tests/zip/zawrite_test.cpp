// What the engine writes (new archives, updates, deletes) is accepted by
// unzip -t and read back by Python's zipfile, passwords included.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "zatestutil.h"
#include "zip/zaarchiver.h"

using namespace zatest;

namespace {

// Python check: every item's bytes (and its local header's CRC and sizes,
// as a streaming reader would see them) printed as name:size:crc.
const char* Dump = R"(
import sys, zipfile, struct, zlib
pw = sys.argv[2].encode('latin-1') if len(sys.argv) > 2 else None
raw = open(sys.argv[1], 'rb').read()
with zipfile.ZipFile(sys.argv[1]) as z:
    assert z.testzip() is None if not pw else True
    for i in z.infolist():
        data = z.read(i, pwd=pw)
        assert zlib.crc32(data) == i.CRC
        sig, ver, flags, meth, t, d, crc, csize, usize, nlen, xlen = struct.unpack('<IHHHHHIIIHH', raw[i.header_offset:i.header_offset + 30])
        assert sig == 0x04034b50
        assert flags & 8 == 0
        assert crc == i.CRC, i.filename
        if csize != 0xffffffff:
            assert csize == i.compress_size and usize == i.file_size, i.filename
        if meth == 8 and not flags & 1:  # raw deflate, ending where the item ends
            start = i.header_offset + 30 + nlen + xlen
            dec = zlib.decompressobj(-15)
            dec.decompress(raw[start:start + i.compress_size])
            assert dec.eof and not dec.unused_data, i.filename
        print('%s:%d:%08x' % (i.filename, len(data), i.CRC))
)";

std::string PyDump(const std::string& Archive, const std::string& Password = "") {
    std::string out;
    std::vector<std::string> args = {DiskName(Archive)};
    if (!Password.empty()) args.push_back(Password);
    EXPECT_EQ(Python(Dump, args, &out), 0) << out;
    return out;
}

void UnzipTest(const std::string& Archive, const std::string& Password = "") {
    if (!HaveTool("unzip")) return;
    std::string out;
    const std::string pw = Password.empty() ? "" : " -P " + Quote(Password);
    EXPECT_EQ(Shell("unzip -tq" + pw + " " + Quote(Archive), &out), 0) << out;
}

void MakeSource(const std::string& Dir) {
    WriteFile(Dir + "partijen.txt", TextBytes(60000));
    WriteFile(Dir + "ruis.bin", RandomBytes(20000, 5));
    WriteFile(Dir + "leeg.txt", "");
    WriteFile(Dir + "groep/stand \xBD.csv", "Naam;Punten\r\nJansen;2\xBD\r\n");
    ForceDirectories(Dir + "lege map");
}

} // namespace

TEST(ZAWrite, NewArchiveFromFilesIsValid) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    MakeSource(d / "src/");
    CreateArchive(d / "new.zip", d / "src", "*.*");
    UnzipTest(d / "new.zip");
    const std::string dump = PyDump(d / "new.zip");
    EXPECT_NE(dump.find("partijen.txt:60000:"), std::string::npos) << dump;
    EXPECT_NE(dump.find("lege map/:0:"), std::string::npos) << dump;
    // The OEM name of "½" reads back as the same character.
    EXPECT_NE(dump.find("groep/stand \xC2\xBD.csv"), std::string::npos) << dump;
    // And the engine reads its own archive back.
    ExtractAll(d / "new.zip", d / "out");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    // Items of a DOS writer get the permissions the user's creation mask allows.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    struct stat st;
    ASSERT_EQ(::stat(DiskName(d / "out/leeg.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST(ZAWrite, EmptyNewArchiveIsEndRecordOnly) {
    ScratchDir d;
    {
        TZipArchiver z(nullptr);
        z.FileName = d / "empty.zip";
        z.OpenArchive(fmCreate);
        z.CloseArchive();
    }
    const std::string b = ReadFile(d / "empty.zip");
    ASSERT_EQ(b.size(), 22u);
    EXPECT_EQ(b.substr(0, 4), "PK\x05\x06");
    std::string out;
    if (HaveTool("python3")) {
        EXPECT_EQ(Python("import sys, zipfile\nprint(len(zipfile.ZipFile(sys.argv[1]).infolist()))",
                         {DiskName(d / "empty.zip")}, &out),
                  0);
        EXPECT_EQ(out, "0\n");
    }
}

TEST(ZAWrite, UpdateAndDeleteKeepTheRestAndAreValid) {
    ZA_NEED_TOOL("zip");
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    MakeSource(d / "src/");
    ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q -r ../u.zip ."), 0);
    WriteFile(d / "src/partijen.txt", TextBytes(70000) + "nieuw");
    TZipArchiver z(nullptr);
    z.FileName = d / "u.zip";
    z.BaseDir = d / "src";
    z.OpenArchiveDefault();
    const int before = z.FileCount();
    z.UpdateFiles("partijen.txt");
    z.DeleteFiles("ruis.bin");
    EXPECT_EQ(z.FileCount(), before - 1);
    z.CloseArchive();
    UnzipTest(d / "u.zip");
    const std::string dump = PyDump(d / "u.zip");
    EXPECT_NE(dump.find("partijen.txt:70005:"), std::string::npos) << dump;
    EXPECT_EQ(dump.find("ruis.bin"), std::string::npos) << dump;
    EXPECT_NE(dump.find("leeg.txt:0:"), std::string::npos) << dump;
    // No temporary file is left beside the archive.
    for (const auto& f : ListFiles(d.Path()))
        EXPECT_EQ(f.rfind("FC", 0), std::string::npos) << f;
}

TEST(ZAWrite, PasswordsWrittenAreReadByOthers) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    MakeSource(d / "src/");
    TZipArchiver z(nullptr);
    z.FileName = d / "p.zip";
    z.BaseDir = d / "src";
    z.Password = "dame-gambiet";
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
    UnzipTest(d / "p.zip", "dame-gambiet");
    const std::string dump = PyDump(d / "p.zip", "dame-gambiet");
    EXPECT_NE(dump.find("ruis.bin:20000:"), std::string::npos) << dump;
    std::string out;
    if (HaveTool("unzip")) {
        EXPECT_NE(Shell("unzip -tq -P fout " + Quote(d / "p.zip"), &out), 0);
    }
    // Two archives of the same files differ: the headers' random bytes differ.
    TZipArchiver y(nullptr);
    y.FileName = d / "p2.zip";
    y.BaseDir = d / "src";
    y.Password = "dame-gambiet";
    y.OpenArchive(fmCreate);
    y.AddFiles("ruis.bin");
    y.CloseArchive();
    const std::string a = ReadFile(d / "p.zip"), b = ReadFile(d / "p2.zip");
    EXPECT_NE(a.substr(a.find("ruis.bin") + 8, 12), b.substr(b.find("ruis.bin") + 8, 12));
}

TEST(ZAWrite, Zip64ItemsAndManyItemsEndRecord) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    MakeSource(d / "src/");
    {
        TZipArchiver z(nullptr);
        z.Zip64Mode = 2; // every item with zip64 values
        z.FileName = d / "z64.zip";
        z.BaseDir = d / "src";
        z.OpenArchive(fmCreate);
        z.AddFiles("*.*");
        z.CloseArchive();
    }
    UnzipTest(d / "z64.zip");
    EXPECT_NE(PyDump(d / "z64.zip").find("partijen.txt:60000:"), std::string::npos);
    TZipArchiver r(nullptr);
    r.FileName = d / "z64.zip";
    r.BaseDir = d / "out";
    r.OpenArchive(0);
    EXPECT_TRUE(r.Files(0).Zip64);
    r.ExtractFiles("*.*");
    r.CloseArchive();
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));

    // 65,535 items or more (here exactly that many after the delete): the zip64
    // end record carries the count.
    ASSERT_EQ(Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    for i in range(65536):
        z.writestr('n%05d' % i, b'')
)",
                     {DiskName(d / "many.zip")}),
              0);
    TZipArchiver m(nullptr);
    m.FileName = d / "many.zip";
    m.OpenArchiveDefault();
    m.DeleteFiles("n00000");
    m.CloseArchive();
    std::string out;
    ASSERT_EQ(Python(R"(
import sys, zipfile
raw = open(sys.argv[1], 'rb').read()
assert raw.rfind(b'PK\x06\x06') > 0 and raw.rfind(b'PK\x06\x07') > 0
print(len(zipfile.ZipFile(sys.argv[1]).infolist()))
)",
                     {DiskName(d / "many.zip")}, &out),
              0)
        << out;
    EXPECT_EQ(out, "65535\n");
}

TEST(ZAWrite, FailedCommitLeavesOldArchiveWhole) {
    ZA_NEED_TOOL("zip");
    ScratchDir d;
    MakeSource(d / "src/");
    ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q -r ../f.zip ."), 0);
    const std::string before = ReadFile(d / "f.zip");
    TZipArchiver z(nullptr);
    z.FileName = d / "f.zip";
    z.BaseDir = d / "src";
    z.OpenArchiveDefault();
    z.BeginUpdate();
    z.SelectFiles("partijen.txt");
    z.ProcessFiles(poUpdate);
    DeleteFile(d / "src/partijen.txt"); // gone when the commit comes
    EXPECT_EQ(CodeOf([&] { z.EndUpdate(); }), 33);
    EXPECT_EQ(ReadFile(d / "f.zip"), before);
    for (const auto& f : ListFiles(d.Path()))
        EXPECT_EQ(f.rfind("FC", 0), std::string::npos) << f;
    // The archive stays usable.
    z.BaseDir = d / "out";
    z.ExtractFiles("leeg.txt");
    EXPECT_TRUE(FileExists(d / "out/leeg.txt"));
    z.CloseArchive();
}

TEST(ZAWrite, InMemoryArchiveAndStub) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    MakeSource(d / "src/");
    WriteFile(d / "stub.bin", RandomBytes(3000, 77));
    {
        TZipArchiver z(nullptr);
        z.SetInMemory(true);
        z.BaseDir = d / "src";
        z.SFXStub = d / "stub.bin";
        z.OpenArchive(fmCreate);
        z.AddFiles("*.txt");
        z.FileName = d / "mem.zip";
        z.SetInMemory(false); // written to FileName and opened from there
        EXPECT_TRUE(z.Active());
        EXPECT_EQ(z.FileCount(), 2);
        z.CloseArchive();
    }
    const std::string b = ReadFile(d / "mem.zip");
    EXPECT_EQ(b.substr(0, 3000), RandomBytes(3000, 77));
    UnzipTest(d / "mem.zip");
    const std::string dump = PyDump(d / "mem.zip");
    EXPECT_NE(dump.find("leeg.txt:0:"), std::string::npos) << dump;
    // An external stream.
    TMemoryStream ms;
    {
        TZipArchiver z(nullptr);
        z.BaseDir = d / "src";
        z.OpenArchive(ms, true);
        z.AddFiles("ruis.bin");
        z.CloseArchive();
    }
    TZipArchiver r(nullptr);
    r.OpenArchive(ms, false);
    EXPECT_EQ(r.FileCount(), 1);
    r.BaseDir = d / "out";
    r.ExtractFiles("*.*");
    EXPECT_EQ(ReadFile(d / "out/ruis.bin"), RandomBytes(20000, 5));
}

TEST(ZAWrite, DeleteKeepsDescriptorsAndComments) {
    ZA_NEED_TOOL("zip");
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    WriteFile(d / "src/a.txt", TextBytes(50000));
    WriteFile(d / "src/b.txt", "bee");
    WriteFile(d / "src/c.txt", "cee");
    ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q - a.txt b.txt c.txt | cat > ../s.zip"),
              0);
    ASSERT_EQ(Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'a') as z:
    z.comment = b'Clubkampioenschap 2026'
)",
                     {DiskName(d / "s.zip")}),
              0);
    TZipArchiver z(nullptr);
    z.FileName = d / "s.zip";
    z.OpenArchiveDefault();
    EXPECT_EQ(z.ArchiveComment(), "Clubkampioenschap 2026");
    z.DeleteFiles("b.txt");
    z.CloseArchive();
    UnzipTest(d / "s.zip");
    std::string out;
    ASSERT_EQ(
        Python("import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1])\nprint(z.comment.decode(), "
               "z.namelist(), len(z.read('a.txt')))",
               {DiskName(d / "s.zip")}, &out),
        0)
        << out;
    EXPECT_EQ(out, "Clubkampioenschap 2026 ['a.txt', 'c.txt'] 50000\n");
}

TEST(ZAWrite, DefaultOpenOfMissingFileCreatesIt) {
    ScratchDir d;
    WriteFile(d / "src/x.txt", "x");
    TZipArchiver z(nullptr);
    z.FileName = d / "nieuw.zip";
    z.BaseDir = d / "src";
    z.OpenArchiveDefault();
    z.AddFiles("*.*");
    z.CloseArchive();
    ExtractAll(d / "nieuw.zip", d / "out");
    EXPECT_EQ(ReadFile(d / "out/x.txt"), "x");
}

TEST(ZAWrite, HugeFileNeedsZip64WhichTheStandardArchiverRefuses) {
    ScratchDir d;
    // A sparse file past 4 GB: refused before any byte is read.
    ForceDirectories(d / "src");
    ASSERT_EQ(Shell("truncate -s 4300000000 " + Quote(d / "src/huge.bin")), 0);
    TZipArchiver z(nullptr);
    z.FileName = d / "h.zip";
    z.BaseDir = d / "src";
    z.OpenArchive(fmCreate);
    EXPECT_EQ(CodeOf([&] { z.AddFiles("*.*"); }), 41);
    z.CloseArchive();
    // A refused new archive leaves nothing behind.
    EXPECT_FALSE(FileExists(d / "h.zip"));
    EXPECT_EQ(ListFiles(d.Path()), std::vector<std::string>{});
}

TEST(ZAWrite, FailedOrCancelledNewArchiveLeavesNothing) {
    ScratchDir d;
    WriteFile(d / "src/a.txt", TextBytes(3 << 20));
    WriteFile(d / "stub.bin", "MZ stub");
    // A source file gone when the commit comes, with a stub in front.
    {
        TZipArchiver z(nullptr);
        z.FileName = d / "gone.zip";
        z.BaseDir = d / "src";
        z.SFXStub = d / "stub.bin";
        z.OpenArchive(fmCreate);
        z.BeginUpdate();
        z.AddFiles("*.*");
        DeleteFile(d / "src/a.txt");
        EXPECT_EQ(CodeOf([&] { z.EndUpdate(); }), 33);
        z.CloseArchive();
        EXPECT_FALSE(FileExists(d / "gone.zip"));
    }
    // Cancelled from a progress event, the commit at the close.
    WriteFile(d / "src/a.txt", TextBytes(3 << 20));
    {
        TZipArchiver z(nullptr);
        z.FileName = d / "cancel.zip";
        z.BaseDir = d / "src";
        z.OnFileProgress = [](TObject*, const std::string&, double p, TZAProcessOperation,
                              TZAProgressPhase, bool& cancel) { cancel = p > 10; };
        z.OpenArchive(fmCreate);
        z.BeginUpdate();
        z.AddFiles("*.*");
        z.CloseArchive();
        EXPECT_FALSE(FileExists(d / "cancel.zip"));
    }
    // A later success after a failure makes the archive after all.
    {
        TZipArchiver z(nullptr);
        z.FileName = d / "later.zip";
        z.BaseDir = d / "src";
        z.OpenArchive(fmCreate);
        z.BeginUpdate();
        z.AddFiles("*.*");
        const std::string keep = ReadFile(d / "src/a.txt");
        DeleteFile(d / "src/a.txt");
        EXPECT_EQ(CodeOf([&] { z.EndUpdate(); }), 33);
        WriteFile(d / "src/a.txt", keep);
        z.AddFiles("*.*");
        z.CloseArchive();
        EXPECT_EQ(ExtractAll(d / "later.zip", d / "out"), 1);
        EXPECT_EQ(ReadFile(d / "out/a.txt"), keep);
    }
    EXPECT_EQ(ListFiles(d.Path()), (std::vector<std::string>{"later.zip", "stub.bin"}));
}

TEST(ZAWrite, CommitProgressAndCancel) {
    ScratchDir d;
    WriteFile(d / "src/groot.txt", TextBytes(3 << 20));
    WriteFile(d / "src/klein.txt", "k");
    CreateArchive(d / "c.zip", d / "src", "klein.txt");
    const std::string before = ReadFile(d / "c.zip");
    TZipArchiver z(nullptr);
    z.FileName = d / "c.zip";
    z.BaseDir = d / "src";
    std::vector<double> seen;
    z.OnFileProgress = [&](TObject*, const std::string& n, double p, TZAProcessOperation op,
                           TZAProgressPhase ph, bool& cancel) {
        EXPECT_EQ(op, poUpdate);
        EXPECT_EQ(n, "groot.txt");
        seen.push_back(p);
        cancel = p >= 30;
    };
    z.OpenArchiveDefault();
    z.AddFiles("groot.txt"); // cancelled part-way: nothing changes
    z.CloseArchive();
    ASSERT_FALSE(seen.empty());
    EXPECT_GE(seen.back(), 30);
    EXPECT_EQ(ReadFile(d / "c.zip"), before);
    for (const auto& f : ListFiles(d.Path()))
        EXPECT_EQ(f.rfind("FC", 0), std::string::npos) << f;
    // Not cancelled, progress runs to the end.
    seen.clear();
    z.OnFileProgress = [&](TObject*, const std::string&, double p, TZAProcessOperation,
                           TZAProgressPhase, bool&) { seen.push_back(p); };
    z.OpenArchiveDefault();
    z.AddFiles("groot.txt");
    z.CloseArchive();
    ASSERT_FALSE(seen.empty());
    EXPECT_DOUBLE_EQ(seen.back(), 100);
    ExtractAll(d / "c.zip", d / "out");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
}

TEST(ZAWrite, CompressionModeSetsChunksMethodAndFlushes) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    WriteFile(d / "src/tekst.txt", TextBytes(800000));
    WriteFile(d / "src/leeg.txt", "");
    const char* methods = R"(
import sys, zipfile
for i in sorted(zipfile.ZipFile(sys.argv[1]).infolist(), key=lambda i: i.filename):
    print(i.filename, i.compress_type, end=';')
)";
    auto write = [&](const std::string& name, uint8_t mode) {
        TZipArchiver z(nullptr);
        z.FileName = d / name;
        z.BaseDir = d / "src";
        z.SetCompressionMode(mode);
        z.OpenArchive(fmCreate);
        z.AddFiles("*.*");
        z.CloseArchive();
        UnzipTest(d / name);
        std::string out;
        EXPECT_EQ(Python(methods, {DiskName(d / name)}, &out), 0) << out;
        return out;
    };
    // The method word decides, also for an empty file; mode 0 stores.
    EXPECT_EQ(write("m1.zip", 1), "leeg.txt 8;tekst.txt 8;");
    EXPECT_EQ(write("m0.zip", 0), "leeg.txt 0;tekst.txt 0;");
    EXPECT_EQ(write("m9.zip", 9), "leeg.txt 8;tekst.txt 8;");
    // Fast modes read 512 KB chunks and end each but the last with a sync
    // flush (an empty stored block); the strongest read 1.5 MB at a time.
    const std::string flush("\x00\x00\xFF\xFF", 4);
    EXPECT_NE(ReadFile(d / "m1.zip").find(flush), std::string::npos);
    EXPECT_EQ(ReadFile(d / "m9.zip").find(flush), std::string::npos);
    ExtractAll(d / "m1.zip", d / "out");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
}
