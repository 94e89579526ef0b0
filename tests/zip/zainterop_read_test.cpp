// The engine reads, byte for byte, what independent tools wrote: Info-ZIP zip
// and Python's zipfile.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/rtl/dialogs.h"
#include "zatestutil.h"
#include "zip/zaarchiver.h"

using namespace zatest;

namespace {

// A tree with deflated and stored items, an empty file, empty and nested
// folders, and a larger file of mixed text and random data.
void MakeTree(const std::string& Dir) {
    WriteFile(Dir + "readme.txt", TextBytes(20000));
    WriteFile(Dir + "random.bin", RandomBytes(30000, 7));
    WriteFile(Dir + "empty.dat", "");
    WriteFile(Dir + "sub/deeper/notes with spaces.txt", TextBytes(3000));
    WriteFile(Dir + "sub/big.bin", TextBytes(1500000) + RandomBytes(700000, 3) + TextBytes(800000));
    ForceDirectories(Dir + "emptydir");
}

} // namespace

TEST(ZAInteropRead, InfoZipTreeExtractsByteForByte) {
    ZA_NEED_TOOL("zip");
    ScratchDir d;
    MakeTree(d / "src/");
    ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q -r ../a.zip ."), 0);
    ExtractAll(d / "a.zip", d / "out");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
}

TEST(ZAInteropRead, MainWindowUseOnRealArchive) {
    ZA_NEED_TOOL("zip");
    ScratchDir d;
    WriteFile(d / "src/Groep A.csv", "Naam;Rating\r\nJansen;1850\r\n");
    WriteFile(d / "src/Groep B.csv", TextBytes(5000));
    ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q ../VOORBEELD.ZIP *.csv"), 0);
    ForceDirectories(d / "data");
    TZipArchiver zip(nullptr);
    zip.SetName("ZipArchiver");
    zip.FileName = d / "VOORBEELD.ZIP";
    zip.BaseDir = d / "data";
    zip.OpenArchive(0);
    zip.ExtractFiles("*.*", 10431, "");
    zip.CloseArchive();
    EXPECT_EQ(ReadFile(d / "data/Groep A.csv"), "Naam;Rating\r\nJansen;1850\r\n");
    EXPECT_EQ(ReadFile(d / "data/Groep B.csv"), TextBytes(5000));
    // The archive itself is left as it was.
    std::string out;
    EXPECT_EQ(Shell("unzip -tq " + Quote(d / "VOORBEELD.ZIP"), &out), 0) << out;
}

TEST(ZAInteropRead, PythonDeflatedStoredAndUnicodeNames) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr(zipfile.ZipInfo('stored.txt', (2021, 5, 6, 7, 8, 10)), b'plain' * 100)
    z.writestr('deflated.txt', b'abc' * 5000, compress_type=zipfile.ZIP_DEFLATED)
    z.writestr('caf\u00e9/\u00bd punt.txt', b'half', compress_type=zipfile.ZIP_DEFLATED)
    z.writestr('zero.txt', b'', compress_type=zipfile.ZIP_DEFLATED)
    z.writestr('folder/', b'')
)",
                     {DiskName(d / "p.zip")}),
              0);
    EXPECT_EQ(ExtractAll(d / "p.zip", d / "out"), 5);
    EXPECT_EQ(ReadFile(d / "out/stored.txt"), std::string(500, ' ').replace(0, 500, [] {
        std::string s;
        for (int i = 0; i < 100; ++i)
            s += "plain";
        return s;
    }()));
    std::string abc;
    for (int i = 0; i < 5000; ++i)
        abc += "abc";
    EXPECT_EQ(ReadFile(d / "out/deflated.txt"), abc);
    EXPECT_EQ(ReadFile(d / "out/caf\xE9/\xBD punt.txt"), "half");
    EXPECT_EQ(ReadFile(d / "out/zero.txt"), "");
    EXPECT_TRUE(DirectoryExists(d / "out/folder"));
    // The item's DOS time is put on the file.
    struct stat st;
    ASSERT_EQ(::stat(DiskName(d / "out/stored.txt").c_str(), &st), 0);
    struct tm tm {};
    localtime_r(&st.st_mtime, &tm);
    EXPECT_EQ(tm.tm_year + 1900, 2021);
    EXPECT_EQ(tm.tm_min, 8);
    EXPECT_EQ(tm.tm_sec, 10);
}

TEST(ZAInteropRead, EncryptedRightAndWrongPassword) {
    ZA_NEED_TOOL("zip");
    ScratchDir d;
    WriteFile(d / "src/geheim.txt", TextBytes(40000));
    WriteFile(d / "src/ruis.bin", RandomBytes(5000, 9));
    ASSERT_EQ(
        Shell("cd " + Quote(d / "src") + " && zip -q -P 'sesam open' ../e.zip geheim.txt ruis.bin"),
        0);
    ExtractAll(d / "e.zip", d / "ok", "sesam open");
    EXPECT_EQ(Tree(d / "ok/"), Tree(d / "src/"));
    // One wrong password in 256 passes an item's check byte by chance; the
    // wrong one is chosen (by Python) among those every item's check refuses.
    std::string wrong;
    ASSERT_EQ(Python("import sys, zipfile\n"
                     "z = zipfile.ZipFile(sys.argv[1])\n"
                     "def refused(pw, n):\n"
                     "    try:\n"
                     "        z.open(n, pwd=pw.encode()).close()\n"
                     "        return False\n"
                     "    except RuntimeError:\n"
                     "        return True\n"
                     "print(next(p for p in ('fout%d' % i for i in range(999))\n"
                     "           if all(refused(p, n) for n in z.namelist())), end='')\n",
                     {DiskName(d / "e.zip")}, &wrong),
              0);
    ASSERT_FALSE(wrong.empty());

    // Wrong password, no handler: the dialog service (non-interactive here)
    // cancels the question, the items are skipped, no file is left.
    ForceDirectories(d / "wrong");
    ExtractAll(d / "e.zip", d / "wrong", wrong);
    EXPECT_TRUE(Tree(d / "wrong/").empty());

    // A handler that gives the right one on the second question.
    {
        TZipArchiver z(nullptr);
        z.FileName = d / "e.zip";
        z.BaseDir = d / "asked";
        z.Password = wrong;
        int asked = 0;
        z.OnPassword = [&](TObject*, const std::string& name, std::string& pw, bool& skip) {
            ++asked;
            pw = "sesam open";
            skip = false;
        };
        z.OpenArchive(0);
        z.ExtractFiles("*.*");
        z.CloseArchive();
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(Tree(d / "asked/"), Tree(d / "src/"));
    }
    // A handler that neither changes the password nor skips: the loop ends
    // and the item fails with code 8 instead of asking for ever.
    {
        TZipArchiver z(nullptr);
        z.FileName = d / "e.zip";
        z.BaseDir = d / "stuck";
        z.Password = wrong;
        int asked = 0, failures = 0;
        z.OnPassword = [&](TObject*, const std::string&, std::string&, bool&) { ++asked; };
        z.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int native,
                                     int, const std::string&, TZAAction& action) {
            EXPECT_EQ(native, 8);
            ++failures;
            action = fxaIgnore;
        };
        z.OpenArchive(0);
        z.ExtractFiles("*.*");
        z.CloseArchive();
        EXPECT_EQ(asked, 2);
        EXPECT_EQ(failures, 2);
        EXPECT_TRUE(Tree(d / "stuck/").empty());
    }
    // The scripted dialog answers the password question.
    {
        TScriptedDialogsScope seen;
        seen->QueueInput("sesam open");
        ExtractAll(d / "e.zip", d / "dlg", "");
        ASSERT_GE(seen->Asked().size(), 1u);
        EXPECT_EQ(seen->Asked()[0].Kind, "input");
        EXPECT_EQ(Tree(d / "dlg/"), Tree(d / "src/"));
    }
}

// Items another archiver encrypted with AES cannot be decrypted here: each
// fails once with code 8, without a password question, whatever the password.
TEST(ZAInteropRead, AesItemsFailOnceWithoutAPasswordQuestion) {
    ZA_NEED_TOOL("7z");
    ScratchDir d;
    WriteFile(d / "src/geheim.txt", TextBytes(40000));
    WriteFile(d / "src/ruis.bin", RandomBytes(5000, 9));
    ASSERT_EQ(Shell("cd " + Quote(d / "src") +
                    " && 7z a -bd -bso0 -tzip -mem=AES256 -psesam ../aes.zip geheim.txt ruis.bin"),
              0);
    int asked = 0;
    const std::vector<int> codes = ExtractCodes(d / "aes.zip", d / "out", [&](TZipArchiver& z) {
        z.Password = "sesam";
        // The user gives the password again, and cancels the third question.
        z.OnPassword = [&](TObject*, const std::string&, std::string& pw, bool& skip) {
            skip = ++asked >= 3;
            pw = asked % 2 ? "Sesam" : "sesam";
        };
    });
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(codes, (std::vector<int>{zeBadItemData, zeBadItemData}));
    EXPECT_TRUE(Tree(d / "out/").empty());
}

TEST(ZAInteropRead, SplitSetWithLowerCaseVolumeNames) {
    ZA_NEED_TOOL("zip");
    ScratchDir d;
    WriteFile(d / "src/a.bin", RandomBytes(150000, 1));
    WriteFile(d / "src/b.txt", TextBytes(100000));
    WriteFile(d / "src/c.bin", RandomBytes(90000, 2));
    ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q -s 64k ../set.zip a.bin b.txt c.bin"),
              0);
    ASSERT_TRUE(FileExists(d / "set.z01"));
    ASSERT_TRUE(FileExists(d / "set.z03"));
    TZipArchiver z(nullptr);
    z.FileName = d / "set.zip";
    z.BaseDir = d / "out";
    z.OpenArchive(0);
    EXPECT_EQ(z.SpanningMode(), smSplitting);
    EXPECT_EQ(z.FileCount(), 3);
    z.ExtractFiles("*.*");
    z.CloseArchive();
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));

    // A missing middle volume: the request is refused and the item fails (45).
    DeleteFile(d / "set.z02");
    TZipArchiver m(nullptr);
    m.FileName = d / "set.zip";
    m.BaseDir = d / "out2";
    std::vector<int> codes;
    m.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int native, int,
                                 const std::string&, TZAAction& a) {
        codes.push_back(native);
        a = fxaIgnore;
    };
    m.OpenArchive(0);
    m.ExtractFiles("*.*");
    m.CloseArchive();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes[0], 45);
}

TEST(ZAInteropRead, PrefixedStubAdjustedOrNot) {
    ZA_NEED_TOOL("zip");
    ScratchDir d;
    MakeTree(d / "src/");
    ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q -r ../a.zip ."), 0);
    const std::string stub = RandomBytes(5000, 42);
    WriteFile(d / "raw.zip", stub + ReadFile(d / "a.zip"));
    {
        TZipArchiver z(nullptr);
        z.FileName = d / "raw.zip";
        z.BaseDir = d / "raw";
        z.OpenArchive(0);
        EXPECT_EQ(z.StubLength(), 5000);
        z.ExtractFiles("*.*");
        z.CloseArchive();
        EXPECT_EQ(Tree(d / "raw/"), Tree(d / "src/"));
    }
    WriteFile(d / "adj.zip", stub + ReadFile(d / "a.zip"));
    ASSERT_EQ(Shell("zip -q -A " + Quote(d / "adj.zip")), 0);
    {
        TZipArchiver z(nullptr);
        z.FileName = d / "adj.zip";
        z.OpenArchive(0);
        EXPECT_EQ(z.StubLength(), 5000); // found in front although no offset needs shifting
        z.CloseArchive();
    }
    ExtractAll(d / "adj.zip", d / "adj");
    EXPECT_EQ(Tree(d / "adj/"), Tree(d / "src/"));
}

TEST(ZAInteropRead, CentralDirectoryCutOffIsRebuilt) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    std::string out;
    ASSERT_EQ(Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('one.txt', b'first ' * 1000)
    z.writestr('dir/two.bin', bytes(range(256)) * 40, compress_type=zipfile.ZIP_STORED)
    z.writestr('three.txt', b'')
with zipfile.ZipFile(sys.argv[1]) as z:
    first = min(i.header_offset for i in z.infolist())
    cd = z.start_dir
print(cd)
)",
                     {DiskName(d / "c.zip")}, &out),
              0);
    const long cut = std::stol(out);
    std::string bytes = ReadFile(d / "c.zip");
    WriteFile(d / "cut.zip", bytes.substr(0, static_cast<size_t>(cut)));
    TZipArchiver z(nullptr);
    z.FileName = d / "cut.zip";
    z.BaseDir = d / "out";
    z.OpenArchive(0);
    ASSERT_EQ(z.FileCount(), 3);
    z.ExtractFiles("*.*");
    z.CloseArchive();
    std::string first;
    for (int i = 0; i < 1000; ++i)
        first += "first ";
    EXPECT_EQ(ReadFile(d / "out/one.txt"), first);
    std::string two;
    for (int k = 0; k < 40; ++k)
        for (int i = 0; i < 256; ++i)
            two += static_cast<char>(i);
    EXPECT_EQ(ReadFile(d / "out/dir/two.bin"), two);
    EXPECT_EQ(ReadFile(d / "out/three.txt"), "");
}

TEST(ZAInteropRead, Zip64EndRecordOfManyItems) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_STORED) as z:
    for i in range(70000):
        z.writestr('f%05d.txt' % i, b'%d' % i)
    with z.open('forced.bin', 'w', force_zip64=True) as f:
        f.write(bytes(range(256)) * 100)
)",
                     {DiskName(d / "many.zip")}),
              0);
    TZipArchiver z(nullptr);
    z.FileName = d / "many.zip";
    z.BaseDir = d / "out";
    z.OpenArchive(0);
    EXPECT_EQ(z.FileCount(), 70001);
    z.ExtractFiles("f6999?.txt");
    z.ExtractFiles("forced.bin");
    z.CloseArchive();
    EXPECT_EQ(ReadFile(d / "out/f69999.txt"), "69999");
    EXPECT_EQ(Tree(d / "out/").size(), 11u);
    std::string forced;
    for (int k = 0; k < 100; ++k)
        for (int i = 0; i < 256; ++i)
            forced += static_cast<char>(i);
    EXPECT_EQ(ReadFile(d / "out/forced.bin"), forced);
}

TEST(ZAInteropRead, ZeroByteFileIsInvalidArchive) {
    ScratchDir d;
    WriteFile(d / "empty.zip", "");
    WriteFile(d / "tiny.zip", "PK\x05\x06 short");
    for (const char* name : {"empty.zip", "tiny.zip"}) {
        TZipArchiver z(nullptr);
        z.SetName("ZipArchiver");
        z.FileName = d / name;
        try {
            z.OpenArchive(0);
            FAIL() << name;
        } catch (const EZAException& e) {
            EXPECT_EQ(e.NativeError, 35) << name;
            // The archiver that failed is named, as in every error it raises.
            EXPECT_EQ(e.Message(), "ZipArchiver: Invalid archive file. - Native error: 00035");
        }
        EXPECT_FALSE(z.Active());
    }
}

TEST(ZAInteropRead, StreamedArchiveWithDataDescriptors) {
    ZA_NEED_TOOL("zip");
    ScratchDir d;
    WriteFile(d / "src/a.txt", TextBytes(120000));
    WriteFile(d / "src/b.txt", "bee");
    // Written to a pipe, zip cannot go back: sizes and CRC follow the data.
    ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q - a.txt b.txt | cat > ../s.zip"), 0);
    ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q -P geheim - a.txt | cat > ../e.zip"), 0);
    ExtractAll(d / "s.zip", d / "out");
    EXPECT_EQ(Tree(d / "out/"), Tree(d / "src/"));
    {
        TZipArchiver z(nullptr);
        z.FileName = d / "e.zip";
        z.OpenArchive(0);
        ASSERT_EQ(z.Files(0).Header.Flags & 0x09, 0x09); // encrypted, with a descriptor
        z.CloseArchive();
    }
    // The password check byte of such an item is the high byte of its time.
    ExtractAll(d / "e.zip", d / "enc", "geheim");
    EXPECT_EQ(ReadFile(d / "enc/a.txt"), TextBytes(120000));
    // Without its directory, the sizes come from the descriptors.
    const std::string full = ReadFile(d / "s.zip");
    WriteFile(d / "cut.zip", full.substr(0, full.find("PK\x01\x02")));
    ExtractAll(d / "cut.zip", d / "cut");
    EXPECT_EQ(Tree(d / "cut/"), Tree(d / "src/"));
}

TEST(ZAInteropRead, EndSignatureInsideTheCommentIsPassedOver) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr('echt.txt', b'real item')
    z.comment = b'PK\x05\x06' + b'\x00' * 18 + b' trailing words'
)",
                     {DiskName(d / "c.zip")}),
              0);
    TZipArchiver z(nullptr);
    z.FileName = d / "c.zip";
    z.BaseDir = d / "out";
    z.OpenArchive(0);
    ASSERT_EQ(z.FileCount(), 1);
    EXPECT_EQ(z.ArchiveComment().substr(22), " trailing words");
    z.ExtractFiles("*.*");
    z.CloseArchive();
    EXPECT_EQ(ReadFile(d / "out/echt.txt"), "real item");
}

TEST(ZAInteropRead, NamesOfDosWritersAreReadInTheOemCodePage) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    // A DOS writer's name "café.txt" holds 0x82 for "é" (code page 850).
    ASSERT_EQ(Python(R"(
import sys, zipfile
info = zipfile.ZipInfo('cafX.txt', (2022, 3, 4, 5, 6, 8))
info.create_system = 0
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr(info, b'koffie')
raw = open(sys.argv[1], 'rb').read().replace(b'cafX.txt', b'caf\x82.txt')
open(sys.argv[1], 'wb').write(raw)
)",
                     {DiskName(d / "dos.zip")}),
              0);
    TZipArchiver z(nullptr);
    z.FileName = d / "dos.zip";
    z.BaseDir = d / "out";
    z.OpenArchive(0);
    EXPECT_EQ(z.Files(0).Name, "caf\xE9.txt");
    z.ExtractFiles("*.*");
    z.CloseArchive();
    EXPECT_EQ(ReadFile(d / "out/caf\xE9.txt"), "koffie");
    // With OEM names off the bytes are taken as they stand.
    TZipArchiver raw(nullptr);
    raw.Options().OEMFileNames = false;
    raw.FileName = d / "dos.zip";
    raw.OpenArchive(0);
    EXPECT_EQ(raw.Files(0).Name, "caf\x82.txt");
}
