// Hostile and damaged archives: nothing is written outside the base folder,
// no link is followed or made, sizes are bounded, failures are clean.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/dateutils.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/fileattrs.h"
#include "zatestutil.h"
#include "zip/zaarchiver.h"

using namespace zatest;

namespace {

// Python that writes an archive of (name, data, unix mode or 0) triples.
const char* MakeArchive = R"(
import sys, zipfile, json
items = json.loads(sys.argv[2])
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:
    for name, data, mode in items:
        info = zipfile.ZipInfo(name, (2020, 1, 2, 3, 4, 6))
        info.compress_type = zipfile.ZIP_DEFLATED
        if mode:
            info.create_system = 3
            info.external_attr = mode << 16
        if data.startswith('='):  # a Python expression, for large data
            data = eval(data[1:])
        z.writestr(info, data.encode('latin-1'))
)";

struct Outcome {
    std::vector<int> Codes; // native codes of the failed items
};

Outcome Extract(const std::string& Archive, const std::string& To,
                std::function<void(TZipArchiver&)> Setup = {}) {
    return {ExtractCodes(Archive, To, Setup)};
}

// Rewrites 4 bytes (or 2) at Offset of a file.
void Patch32(const std::string& File, size_t Offset, uint32_t V, int Width = 4) {
    std::string b = ReadFile(File);
    for (int i = 0; i < Width; ++i)
        b[Offset + i] = static_cast<char>((V >> (8 * i)) & 0xFF);
    WriteFile(File, b);
}

size_t CentralOffset(const std::string& Bytes) {
    return Bytes.rfind("PK\x01\x02");
}

bool NoTempLeft(const std::string& Dir) {
    for (const auto& [name, _] : Tree(Dir))
        if (name.find(".vz") != std::string::npos) return false;
    return true;
}

} // namespace

TEST(ZAHostile, TraversalAndAbsoluteNamesStayInsideBase) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive,
                     {DiskName(d / "t.zip"),
                      R"([["../escaped.txt","x",0],["a/../../escaped2.txt","x",0],)"
                      R"(["/abs.txt","abs",0],["C:\\win\\drive.txt","drv",0],["ok.txt","fine",0],)"
                      R"(["\\\\server\\share.txt","unc",0]])"}),
              0);
    ForceDirectories(d / "base");
    const Outcome o = Extract(d / "t.zip", d / "base");
    EXPECT_EQ(o.Codes, (std::vector<int>{19, 19}));
    EXPECT_FALSE(FileExists(d / "escaped.txt"));
    EXPECT_FALSE(FileExists(d / "escaped2.txt"));
    EXPECT_FALSE(FileExists("/abs.txt"));
    // Absolute names and drives are confined below the base folder.
    EXPECT_EQ(ReadFile(d / "base/abs.txt"), "abs");
    EXPECT_EQ(ReadFile(d / "base/win/drive.txt"), "drv");
    EXPECT_EQ(ReadFile(d / "base/server/share.txt"), "unc");
    EXPECT_EQ(ReadFile(d / "base/ok.txt"), "fine");
}

TEST(ZAHostile, SymlinkEntriesAreNotCreatedAndLinksNotFollowed) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive, {DiskName(d / "l.zip"),
                                   R"([["link","/etc/passwd",)" + std::to_string(0120777) +
                                       R"(],["sub/x.txt","through",0],["victim.txt","new",0],)"
                                       R"(["run.sh","#!/bin/sh",)" +
                                       std::to_string(0104777) + R"(],["dev","",)" +
                                       std::to_string(0020666) + "]]"}),
              0);
    ForceDirectories(d / "base");
    ForceDirectories(d / "outside");
    WriteFile(d / "outside/victim.txt", "precious");
    // A link on the destination path pointing out of the base folder.
    ASSERT_EQ(::symlink(DiskName(d / "outside").c_str(), DiskName(d / "base/sub").c_str()), 0);
    // A link standing where a file is to be written.
    ASSERT_EQ(::symlink(DiskName(d / "outside/victim.txt").c_str(),
                        DiskName(d / "base/victim.txt").c_str()),
              0);
    const Outcome o = Extract(d / "l.zip", d / "base");
    EXPECT_EQ(o.Codes, (std::vector<int>{19, 20, 19})); // link entry, linked folder, device
    struct stat st;
    EXPECT_NE(::lstat(DiskName(d / "base/link").c_str(), &st), 0);
    EXPECT_FALSE(FileExists(d / "outside/x.txt"));
    EXPECT_EQ(ReadFile(d / "outside/victim.txt"), "precious");
    ASSERT_EQ(::lstat(DiskName(d / "base/victim.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode)); // the link was replaced, not written through
    EXPECT_EQ(ReadFile(d / "base/victim.txt"), "new");
    // Set-id and world-writable bits are not applied.
    ASSERT_EQ(::stat(DiskName(d / "base/run.sh").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0755u);
}

TEST(ZAHostile, DeclaredSizeFarBelowInflatedSizeStops) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive, {DiskName(d / "b.zip"), R"([["bomb.bin","='A'*2000000",0]])"}),
              0);
    const std::string bytes = ReadFile(d / "b.zip");
    Patch32(d / "b.zip", 22, 1000);                        // local uncompressed size
    Patch32(d / "b.zip", CentralOffset(bytes) + 24, 1000); // central uncompressed size
    WriteFile(d / "base/bomb.bin", "old content");
    const Outcome o = Extract(d / "b.zip", d / "base");
    EXPECT_EQ(o.Codes, (std::vector<int>{8}));
    // The file it would have replaced is untouched, and nothing is left over.
    EXPECT_EQ(ReadFile(d / "base/bomb.bin"), "old content");
    EXPECT_TRUE(NoTempLeft(d / "base/"));
}

TEST(ZAHostile, CorruptItemNeverDestroysExistingFile) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_STORED) as z:
    z.writestr('data.txt', b'correct data here')
)",
                     {DiskName(d / "s.zip")}),
              0);
    std::string bytes = ReadFile(d / "s.zip");
    const size_t at = bytes.find("correct");
    bytes[at] = 'X';
    WriteFile(d / "s.zip", bytes);
    WriteFile(d / "base/data.txt", "previous");
    EXPECT_EQ(Extract(d / "s.zip", d / "base").Codes, (std::vector<int>{8}));
    EXPECT_EQ(ReadFile(d / "base/data.txt"), "previous");
    EXPECT_FALSE(FileExists(d / "fresh/data.txt"));
    EXPECT_EQ(Extract(d / "s.zip", d / "fresh").Codes, (std::vector<int>{8}));
    EXPECT_FALSE(FileExists(d / "fresh/data.txt"));
    // Asked for, the corrupt data are kept.
    Extract(d / "s.zip", d / "kept", [](TZipArchiver& z) { z.ExtractCorruptedFiles = true; });
    EXPECT_EQ(ReadFile(d / "kept/data.txt"), "Xorrect data here");
}

TEST(ZAHostile, UnknownMethodsFailCleanly) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(
        Python(MakeArchive, {DiskName(d / "m.zip"), R"([["a.txt","aaaa",0],["b.txt","bbbb",0]])"}),
        0);
    std::string bytes = ReadFile(d / "m.zip");
    const size_t c1 = CentralOffset(bytes.substr(0, bytes.rfind("PK\x01\x02")));
    const size_t c2 = CentralOffset(bytes);
    Patch32(d / "m.zip", c1 + 10, 12, 2); // bzip2
    Patch32(d / "m.zip", c2 + 10, 9, 2);  // Deflate64
    const Outcome o = Extract(d / "m.zip", d / "base");
    EXPECT_EQ(o.Codes, (std::vector<int>{8, 55}));
    EXPECT_TRUE(Tree(d / "base/").empty());
}

TEST(ZAHostile, TruncatedArchivesAndLyingRecords) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(
        Python(MakeArchive, {DiskName(d / "f.zip"),
                             R"([["a.txt","='remise wit zwart ' * 3000",0],["b.txt","bee",0]])"}),
        0);
    const std::string full = ReadFile(d / "f.zip");
    // Cut inside the first item's data: the directory is rebuilt, the cut item
    // fails, nothing crashes.
    WriteFile(d / "cut.zip", full.substr(0, 50));
    EXPECT_EQ(Extract(d / "cut.zip", d / "o1").Codes, (std::vector<int>{8}));
    EXPECT_FALSE(FileExists(d / "o1/a.txt"));
    // An end record claiming far more entries and bytes than the file holds.
    std::string lying = full;
    const size_t end = lying.rfind("PK\x05\x06");
    lying[end + 10] = lying[end + 11] = '\xFF';
    lying[end + 12] = lying[end + 13] = lying[end + 14] = '\x7F';
    WriteFile(d / "lying.zip", lying);
    EXPECT_NO_THROW(Extract(d / "lying.zip", d / "o2"));
    EXPECT_EQ(ReadFile(d / "o2/b.txt"), "bee");
}

TEST(ZAHostile, RandomDamageNeverCrashes) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive,
                     {DiskName(d / "g.zip"),
                      R"([["a.txt","='ronde partij ' * 300",0],["s/b.txt","bee",0],["s/","",0]])"}),
              0);
    const std::string good = ReadFile(d / "g.zip");
    uint32_t x = 99;
    for (int round = 0; round < 150; ++round) {
        std::string bad = good;
        for (int k = 0; k < 1 + round % 6; ++k) {
            x = x * 1664525u + 1013904223u;
            bad[x % bad.size()] = static_cast<char>(x >> 24);
        }
        WriteFile(d / "bad.zip", bad);
        try {
            TZipArchiver z(nullptr);
            z.FileName = d / "bad.zip";
            z.OnProcessFileFailure = [](TObject*, const std::string&, TZAProcessOperation, int, int,
                                        const std::string&, TZAAction& a) { a = fxaIgnore; };
            z.OpenArchive(fmOpenReadWrite | fmShareDenyWrite);
            z.TestFiles("*.*");
            z.BaseDir = d / "out";
            z.ExtractFiles("*.*");
            if (round % 3 == 0) z.DeleteFiles("a.txt"); // a commit over damaged items
        } catch (const EZAException&) {
        } catch (const EZlibError&) {
        }
        // Nothing is ever written outside the base folder.
        for (const auto& [name, _] : Tree(d.Path()))
            EXPECT_TRUE(name == "g.zip" || name == "bad.zip" || name.rfind("out/", 0) == 0) << name;
    }
}

TEST(ZAHostile, OverwriteRules) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive,
                     {DiskName(d / "o.zip"), R"([["a.txt","new a",0],["b.txt","new b",0]])"}),
              0);
    WriteFile(d / "base/a.txt", "old a");
    WriteFile(d / "base/b.txt", "old b");
    // Same DOS time as the items (2020-01-02 03:04:06): omIfNewer keeps them.
    for (const char* f : {"base/a.txt", "base/b.txt"})
        ASSERT_TRUE(FileSetDate(
            d / f, DateTimeToFileDate(EncodeDate(2020, 1, 2) + EncodeTime(3, 4, 6, 0))));
    Extract(d / "o.zip", d / "base",
            [](TZipArchiver& z) { z.Options().OverwriteMode = omIfNewer; });
    EXPECT_EQ(ReadFile(d / "base/a.txt"), "old a");
    Extract(d / "o.zip", d / "base", [](TZipArchiver& z) { z.Options().OverwriteMode = omNever; });
    EXPECT_EQ(ReadFile(d / "base/a.txt"), "old a");
    // omIfOlder keeps a file unless it is newer than the item, omIfNewer
    // unless it is older.
    const auto ifOlder = [](TZipArchiver& z) { z.Options().OverwriteMode = omIfOlder; };
    Extract(d / "o.zip", d / "base", ifOlder);
    EXPECT_EQ(ReadFile(d / "base/a.txt"), "old a");
    ASSERT_TRUE(FileSetDate(d / "base/a.txt", DateTimeToFileDate(EncodeDate(2021, 5, 6))));
    ASSERT_TRUE(FileSetDate(d / "base/b.txt", DateTimeToFileDate(EncodeDate(2019, 5, 6))));
    Extract(d / "o.zip", d / "base", ifOlder);
    EXPECT_EQ(ReadFile(d / "base/a.txt"), "new a");
    EXPECT_EQ(ReadFile(d / "base/b.txt"), "old b");
    Extract(d / "o.zip", d / "base",
            [](TZipArchiver& z) { z.Options().OverwriteMode = omIfNewer; });
    EXPECT_EQ(ReadFile(d / "base/b.txt"), "new b");
    WriteFile(d / "base/a.txt", "old a");
    WriteFile(d / "base/b.txt", "old b");
    // No to All in the default question stops every later overwrite silently.
    {
        TScriptedDialogsScope seen;
        seen->QueueAnswer(mrNoToAll);
        Extract(d / "o.zip", d / "base",
                [](TZipArchiver& z) { z.Options().OverwriteMode = omPrompt; });
        EXPECT_EQ(seen->Asked().size(), 1u);
        EXPECT_NE(seen->Asked()[0].Text.find("Overwrite file"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(d / "base/a.txt"), "old a");
    EXPECT_EQ(ReadFile(d / "base/b.txt"), "old b");
    // Read-only destinations stay when they may not be replaced.
    ::chmod(DiskName(d / "base/a.txt").c_str(), 0444);
    Extract(d / "o.zip", d / "base", [](TZipArchiver& z) { z.Options().ReplaceReadOnly = false; });
    EXPECT_EQ(ReadFile(d / "base/a.txt"), "old a");
    EXPECT_EQ(ReadFile(d / "base/b.txt"), "new b");
    Extract(d / "o.zip", d / "base");
    EXPECT_EQ(ReadFile(d / "base/a.txt"), "new a");
    // A confirming handler may send the item to a file of its choosing.
    std::vector<std::string> asked;
    Extract(d / "o.zip", d / "base", [&](TZipArchiver& z) {
        z.Options().OverwriteMode = omPrompt;
        z.OnConfirmOverwrite = [&](TObject*, const std::string& src, std::string& dest,
                                   bool& confirm) {
            asked.push_back(src);
            dest = ChangeFileExt(dest, ".new");
            confirm = true;
        };
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(ReadFile(d / "base/a.new"), "new a");
    EXPECT_EQ(ReadFile(d / "base/b.txt"), "new b");
}

TEST(ZAHostile, UpdateTakesNoFileFromOutsideTheBase) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive,
                     {DiskName(d / "u.zip"), R"([["../secret.txt","old",0],["in.txt","old",0]])"}),
              0);
    WriteFile(d / "secret.txt", "private");
    WriteFile(d / "base/in.txt", "fresh");
    TZipArchiver z(nullptr);
    z.FileName = d / "u.zip";
    z.BaseDir = d / "base";
    z.OpenArchive(fmOpenReadWrite);
    z.UpdateFiles("*.*");
    z.CloseArchive();
    std::string out;
    ASSERT_EQ(Python("import zipfile,sys\nz=zipfile.ZipFile(sys.argv[1])\n"
                     "print(z.read('../secret.txt').decode(), z.read('in.txt').decode())",
                     {DiskName(d / "u.zip")}, &out),
              0);
    EXPECT_EQ(out, "old fresh\n");
}

TEST(ZAHostile, OpenErrors) {
    ScratchDir d;
    TZipArchiver z(nullptr);
    auto code = [&](auto f) {
        try {
            f();
        } catch (const EZAException& e) {
            return e.NativeError;
        }
        return -1;
    };
    EXPECT_EQ(code([&] { z.OpenArchive(0); }), 10);
    EXPECT_EQ(code([&] { z.OpenArchiveDefault(); }), 9);
    z.FileName = d / "missing.zip";
    try {
        z.OpenArchive(0);
    } catch (const EZAException& e) {
        EXPECT_EQ(e.NativeError, 12);
        EXPECT_NE(e.Message().find(d / "missing.zip"), std::string::npos);
    }
    z.SetInMemory(true);
    // A missing file is named before the in-memory refusal.
    EXPECT_EQ(code([&] { z.OpenArchive(0); }), 12);
    WriteFile(d / "there.zip", "");
    z.FileName = d / "there.zip";
    EXPECT_EQ(code([&] { z.OpenArchive(0); }), 28);
    EXPECT_EQ(code([&] { z.ProcessFiles(poTest); }), 13);
    EXPECT_THROW(
        {
            z.OpenArchive(fmCreate);
            z.SetSpanningMode(smSplitting);
        },
        Exception);
}

TEST(ZAHostile, LyingZip64ValuesAreCheckedBeforeAnyArithmetic) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    // The central header of the first item sends its offset (and, in a second
    // archive, its sizes) into a zip64 block holding 2^63 and 2^64 - 1.
    ASSERT_EQ(Python(R"(
import sys, struct, zipfile
for path, values in ((sys.argv[1], (None, None, 1 << 63)), (sys.argv[2], ((1 << 64) - 1, (1 << 63) + 5, 1 << 63))):
    with zipfile.ZipFile(path, 'w') as z:
        z.writestr('a.txt', b'first item')
        z.writestr('b.txt', b'second item')
    raw = bytearray(open(path, 'rb').read())
    cd = raw.find(b'PK\x01\x02')
    usize, csize, off = values
    block = b''
    if usize is not None:
        raw[cd + 24:cd + 28] = b'\xff\xff\xff\xff'
        block += struct.pack('<Q', usize)
    if csize is not None:
        raw[cd + 20:cd + 24] = b'\xff\xff\xff\xff'
        block += struct.pack('<Q', csize)
    raw[cd + 42:cd + 46] = b'\xff\xff\xff\xff'
    block += struct.pack('<Q', off)
    extra = struct.pack('<HH', 1, len(block)) + block
    nlen = struct.unpack('<H', raw[cd + 28:cd + 30])[0]
    xlen = struct.unpack('<H', raw[cd + 30:cd + 32])[0]
    raw[cd + 30:cd + 32] = struct.pack('<H', xlen + len(extra))
    at = cd + 46 + nlen + xlen
    raw[at:at] = extra
    end = raw.rfind(b'PK\x05\x06')
    size = struct.unpack('<I', raw[end + 12:end + 16])[0]
    raw[end + 12:end + 16] = struct.pack('<I', size + len(extra))
    open(path, 'wb').write(raw)
)",
                     {DiskName(d / "off.zip"), DiskName(d / "all.zip")}),
              0);
    for (const char* name : {"off.zip", "all.zip"}) {
        SCOPED_TRACE(name);
        const Outcome o = Extract(d / name, d / "out");
        // The lying item fails on its own; the other one is extracted.
        EXPECT_EQ(o.Codes, (std::vector<int>{8}));
        EXPECT_EQ(ReadFile(d / "out/b.txt"), "second item");
        EXPECT_FALSE(FileExists(d / "out/a.txt"));
        TZipArchiver z(nullptr);
        z.FileName = d / name;
        z.OnProcessFileFailure = [](TObject*, const std::string&, TZAProcessOperation, int, int,
                                    const std::string&, TZAAction& a) { a = fxaIgnore; };
        z.OpenArchive(fmOpenReadWrite | fmShareDenyWrite);
        z.TestFiles("*.*");
        // A commit that must copy the lying item fails cleanly and keeps the archive.
        const std::string before = ReadFile(d / name);
        EXPECT_EQ(CodeOf([&] { z.DeleteFiles("b.txt"); }), 8);
        z.CloseArchive();
        EXPECT_EQ(ReadFile(d / name), before);
        Shell("rm -rf " + Quote(d / "out"));
    }
}

TEST(ZAHostile, OverlappingItemsAreRefusedBeforeAnyFileIsMade) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    // same.zip: twenty entries whose central records all point at the one
    // deflated megabyte of a.txt. nested.zip: a.txt is stored and its data are
    // a whole local header and data of b.txt, which the directory also lists.
    ASSERT_EQ(Python(R"(
import io, sys, struct, zipfile
def with_extra_entries(path, entries, first=None):
    raw = bytearray(open(path, 'rb').read())
    end = raw.rfind(b'PK\x05\x06')
    cd_size, cd_off = struct.unpack('<II', raw[end + 12:end + 20])
    cd = bytes(raw[cd_off:cd_off + cd_size])
    first = first or cd
    added = b''
    for name, offset in entries:
        rec = bytearray(first[:46]) + name
        rec[28:30] = struct.pack('<H', len(name))
        rec[30:34] = b'\0\0\0\0'
        rec[42:46] = struct.pack('<I', offset)
        added += bytes(rec)
    count = struct.unpack('<H', raw[end + 10:end + 12])[0] + len(entries)
    tail = raw[end:]
    tail[8:12] = struct.pack('<HH', count, count)
    tail[12:16] = struct.pack('<I', cd_size + len(added))
    open(path, 'wb').write(bytes(raw[:end]) + added + bytes(tail))
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('a.txt', b'\0' * 1000000)
with_extra_entries(sys.argv[1], [(b'copy%02d.txt' % i, 0) for i in range(20)])
inner = io.BytesIO()
with zipfile.ZipFile(inner, 'w', zipfile.ZIP_STORED) as z:
    z.writestr('b.txt', b'inner data')
blob = inner.getvalue()
record = blob[blob.find(b'PK\x01\x02'):]
blob = blob[:blob.find(b'PK\x01\x02')]
with zipfile.ZipFile(sys.argv[2], 'w', zipfile.ZIP_STORED) as z:
    z.writestr('a.txt', blob)
raw = open(sys.argv[2], 'rb').read()
with_extra_entries(sys.argv[2], [(b'b.txt', raw.find(b'PK\x03\x04', 4))], record)
)",
                     {DiskName(d / "same.zip"), DiskName(d / "nested.zip")}),
              0);
    const Outcome same = Extract(d / "same.zip", d / "o1");
    EXPECT_EQ(same.Codes, std::vector<int>(20, 61));
    EXPECT_EQ(Tree(d / "o1/").size(), 1u);
    EXPECT_EQ(ReadFile(d / "o1/a.txt").size(), 1000000u);
    EXPECT_TRUE(NoTempLeft(d / "o1/"));
    const Outcome nested = Extract(d / "nested.zip", d / "o2");
    EXPECT_EQ(nested.Codes, (std::vector<int>{61}));
    EXPECT_FALSE(FileExists(d / "o2/b.txt"));
    // Only b.txt asked for: it lies in no other item of the run.
    TZipArchiver z(nullptr);
    z.FileName = d / "nested.zip";
    z.BaseDir = d / "o3";
    z.OpenArchive(0);
    z.ExtractFiles("b.txt");
    EXPECT_EQ(ReadFile(d / "o3/b.txt"), "inner data");
    // A test run refuses the same items, with the code in its message.
    std::vector<std::string> messages;
    z.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int, int,
                                 const std::string& m, TZAAction& a) {
        messages.push_back(m);
        a = fxaIgnore;
    };
    z.TestFiles("*.*");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("\"b.txt\" overlap"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("00061"), std::string::npos);
}

TEST(ZAHostile, EntryForTheBaseFolderItselfIsSkipped) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive,
                     {DiskName(d / "r.zip"), R"([["./","",0],["./a.txt","root file",0],[".","",0],)"
                                             R"(["","empty name",0]])"}),
              0);
    const Outcome o = Extract(d / "r.zip", d / "base");
    EXPECT_EQ(o.Codes, (std::vector<int>{19})); // only the nameless item
    EXPECT_EQ(ReadFile(d / "base/a.txt"), "root file");
    EXPECT_EQ(Tree(d / "base/").size(), 1u);
}

TEST(ZAHostile, NamelessLocalHeadersAreNoItemsOfARebuiltDirectory) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    // Two megabytes of empty local headers around one real item, no directory.
    ASSERT_EQ(Python(R"(
import sys, struct
empty = struct.pack('<IHHHHHIIIHH', 0x04034b50, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0)
data = b'kept'
import zlib
real = struct.pack('<IHHHHHIIIHH', 0x04034b50, 20, 0, 0, 0, 0x21, zlib.crc32(data), 4, 4, 5, 0) + b'k.txt' + data
open(sys.argv[1], 'wb').write(empty * 35000 + real + empty * 35000)
open(sys.argv[2], 'wb').write(empty * 70000)
)",
                     {DiskName(d / "h.zip"), DiskName(d / "none.zip")}),
              0);
    TZipArchiver z(nullptr);
    z.FileName = d / "h.zip";
    z.BaseDir = d / "out";
    z.OpenArchive(0);
    EXPECT_EQ(z.FileCount(), 1);
    z.ExtractFiles("*.*");
    z.CloseArchive();
    EXPECT_EQ(ReadFile(d / "out/k.txt"), "kept");
    z.FileName = d / "none.zip";
    EXPECT_EQ(CodeOf([&] { z.OpenArchive(0); }), 35);
}

TEST(ZAHostile, RetriedItemIsNoOverlapOfItself) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive, {DiskName(d / "t.zip"), R"([["a.txt","retried",0]])"}), 0);
    ForceDirectories(d / "base/a.txt"); // a folder where the file goes: code 19
    std::vector<int> codes;
    TZipArchiver z(nullptr);
    z.FileName = d / "t.zip";
    z.BaseDir = d / "base";
    z.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int native, int,
                                 const std::string&, TZAAction& a) {
        codes.push_back(native);
        RemoveDir(d / "base/a.txt");
        a = codes.size() < 3 ? fxaRetry : fxaAbort;
    };
    z.OpenArchive(0);
    z.ExtractFiles("*.*");
    EXPECT_EQ(codes, (std::vector<int>{19}));
    EXPECT_EQ(ReadFile(d / "base/a.txt"), "retried");
}

TEST(ZAHostile, NoFolderToExtractIntoRaisesBlankFolderName) {
    // Without BaseDir the current folder takes the items; when it was
    // removed there is none, and nothing may land in the root folder.
    ScratchDir d;
    WriteFile(d / "src/x.txt", "x");
    CreateArchive(d / "a.zip", d / "src");
    const std::string here = GetCurrentDir();
    ForceDirectories(d / "gone");
    ASSERT_TRUE(SetCurrentDir(d / "gone"));
    RemoveDir(d / "gone");
    const Outcome o = Extract(d / "a.zip", "");
    SetCurrentDir(here);
    EXPECT_EQ(o.Codes, (std::vector<int>{39}));
    EXPECT_FALSE(FileExists("/x.txt"));
}

TEST(ZAHostile, EmptyFolderNameInsideAStoredNameRaisesBlankFolderName) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive, {DiskName(d / "t.zip"),
                                   R"([["a//b.txt","b",0],["c/d//","",0],["e/./f.txt","f",0],)"
                                   R"(["//g.txt","g",0],["ok.txt","fine",0]])"}),
              0);
    // A folder to be made needs a name; a leading "//" is no folder at all.
    EXPECT_EQ(Extract(d / "t.zip", d / "base").Codes, (std::vector<int>{39, 39}));
    EXPECT_FALSE(FileExists(d / "base/a/b.txt"));
    EXPECT_FALSE(DirectoryExists(d / "base/c"));
    EXPECT_EQ(ReadFile(d / "base/e/f.txt"), "f");
    EXPECT_EQ(ReadFile(d / "base/g.txt"), "g");
    // Without folders only the file-name part counts.
    ForceDirectories(d / "flat");
    EXPECT_TRUE(Extract(d / "t.zip", d / "flat", [](TZipArchiver& z) {
                    z.Options().CreateDirs = false;
                }).Codes.empty());
    EXPECT_EQ(ReadFile(d / "flat/b.txt"), "b");
}

TEST(ZAHostile, SetAttributesGivesTheItemsModes) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    ASSERT_EQ(Python(MakeArchive,
                     {DiskName(d / "m.zip"), R"([["run.sh","#!",33261],["ro.txt","r",33060]])"}),
              0);
    auto mode = [](const std::string& f) {
        struct stat st {};
        ::stat(DiskName(f).c_str(), &st);
        return st.st_mode & 0777;
    };
    EXPECT_TRUE(Extract(d / "m.zip", d / "with").Codes.empty());
    EXPECT_EQ(mode(d / "with/run.sh"), 0755u);
    EXPECT_EQ(mode(d / "with/ro.txt"), 0444u);
    EXPECT_TRUE(Extract(d / "m.zip", d / "without", [](TZipArchiver& z) {
                    z.Options().SetAttributes = false;
                }).Codes.empty());
    EXPECT_EQ(mode(d / "without/run.sh") & 0111, 0u);
    EXPECT_NE(mode(d / "without/ro.txt") & 0200, 0u);
}
