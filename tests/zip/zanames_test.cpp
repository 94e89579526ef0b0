// Names beyond Windows-1252, names that are no UTF-8 at all, and names that
// only Windows would change: kept byte for byte between the disk, the engine
// and the other zip programs of a Linux system, in both directions.
#include <gtest/gtest.h>

#include "zatestutil.h"
#include "zip/zaarchiver.h"

using namespace zatest;

namespace {

// Every file and folder below a folder, by its exact bytes, with a hash of
// each file's contents: read by Python, not through the engine's own helpers.
std::string Listing(const std::string& Dir) {
    std::string out;
    EXPECT_EQ(Python(R"(
import os, sys, hashlib
root = os.fsencode(sys.argv[1])
rows = []
for d, dirs, files in os.walk(root):
    for n in dirs:
        rows.append(os.path.relpath(os.path.join(d, n), root).hex() + '/')
    for n in files:
        p = os.path.join(d, n)
        rows.append(os.path.relpath(p, root).hex() + ' ' + hashlib.sha1(open(p, 'rb').read()).hexdigest())
print('\n'.join(sorted(rows)))
)",
                     {DiskName(Dir)}, &out),
              0)
        << out;
    return out;
}

// Makes files by their exact (disk) names: (name bytes, contents).
void MakeFiles(const std::string& Dir,
               const std::vector<std::pair<std::string, std::string>>& Files) {
    for (const auto& [name, data] : Files)
        WriteFile(Dir + ProgramName(name), data);
}

// UTF-8 names: two that Windows-1252 would both turn into "?ód?.txt", names of
// other scripts, a Windows-1252 name, and names only Windows would change.
const std::vector<std::pair<std::string, std::string>> Utf8Tree = {
    {"\xC5\x81\xC3\xB3\x64\xC5\xBA.txt", "Lodz lower"},      // Łódź.txt
    {"\xC5\x81\xC3\xB3\x64\xC5\xB9.txt", "Lodz upper"},      // ŁódŹ.txt
    {"map/caf\xC3\xA9 \xC2\xBD.txt", "half"},                // café ½.txt
    {"\xE6\x97\xA5\xE6\x9C\xAC/\xE5\x90\x8D.txt", "nihon"},  // 日本/名.txt
    {"\xE2\x82\xAC uro \xF0\x9F\x98\x80.txt", "euro smile"}, // € uro 😀.txt
    {"two.", "trailing dot"},
    {"dir./x.txt", "in a dotted folder"},
    {"trail ", "trailing blank"},
    {"plain.txt", "ascii"},
};

const char* Utf8Env = "LC_ALL=C.UTF-8 ";

} // namespace

TEST(ZANames, ProgramFormOfDiskNamesIsExactAndSingleByteWhereItFits) {
    const std::string cases[] = {"plain.txt",
                                 "caf\xC3\xA9 \xC2\xBD",
                                 "\xC5\x81\xC3\xB3\x64\xC5\xBA",
                                 "\xC5\x81\xC3\xB3\x64\xC5\xB9",
                                 "\xE9t\xE9", // Latin-1 bytes: no UTF-8
                                 "\xC2\x81",  // the character that reads as the escape byte
                                 "\xC2\x81"
                                 "C5",           // ... followed by what an escape would hold
                                 "\xC0\xAF",     // an overlong '/': no UTF-8, never a separator
                                 "\xED\xA0\x80", // a surrogate
                                 "\xF0\x9F\x98\x80",
                                 "a\x81"
                                 "C5b"};
    std::vector<std::string> shown;
    for (const std::string& disk : cases) {
        const std::string p = ProgramName(disk);
        EXPECT_EQ(DiskName(p), disk) << p;
        EXPECT_EQ(p.find('/'), std::string::npos);
        shown.push_back(p);
    }
    EXPECT_EQ(ProgramName("caf\xC3\xA9 \xC2\xBD"), "caf\xE9 \xBD");
    EXPECT_EQ(ProgramName("\xC5\x81\xC3\xB3\x64\xC5\xBA"), "\x81"
                                                           "C5\x81"
                                                           "81\xF3"
                                                           "d\x81"
                                                           "C5\x81"
                                                           "BA");
    EXPECT_EQ(ProgramName("\xE9t\xE9"), "\x81"
                                        "E9t\x81"
                                        "E9");
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(std::adjacent_find(shown.begin(), shown.end()), shown.end());
    // An escape is only ever a byte from 0x80 up: a separator, a dot or a NUL
    // cannot be written that way.
    EXPECT_EQ(DiskName("\x81"
                       "2F\x81"
                       "2E\x81"
                       "00"),
              Cp1252ToUtf8("\x81") + "2F" + Cp1252ToUtf8("\x81") + "2E" + Cp1252ToUtf8("\x81") +
                  "00");
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));
}

TEST(ZANames, ItemModelShowsSingleByteNamesAndKeepsOthersApart) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    MakeFiles(d / "src/", Utf8Tree);
    CreateArchive(d / "n.zip", d / "src");
    TZipArchiver z(nullptr);
    z.FileName = d / "n.zip";
    std::vector<std::string> shown;
    z.OnConfirmProcessFile = [&](TObject*, const std::string& name, TZAProcessOperation,
                                 bool& confirm) {
        shown.push_back(name);
        confirm = false;
    };
    z.OpenArchive(0);
    std::vector<std::string> names;
    for (int i = 0; i < z.FileCount(); ++i)
        names.push_back(z.Files(i).Name);
    z.ExtractFiles("*.*");
    z.CloseArchive();
    EXPECT_NE(std::find(names.begin(), names.end(), "map/caf\xE9 \xBD.txt"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "two."), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "dir./x.txt"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "trail "), names.end());
    EXPECT_NE(std::find(shown.begin(), shown.end(), "map\\caf\xE9 \xBD.txt"), shown.end());
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    // Only names beyond 7-bit ASCII are written as UTF-8, and those carry the flag.
    std::string out;
    ASSERT_EQ(Python(R"(
import sys, zipfile
for i in sorted(zipfile.ZipFile(sys.argv[1]).infolist(), key=lambda i: i.filename):
    print(i.filename.encode('utf-8').hex(), i.flag_bits & 0x800)
)",
                     {DiskName(d / "n.zip")}, &out),
              0)
        << out;
    EXPECT_NE(out.find(std::string("706c61696e2e747874 0")), std::string::npos) << out; // plain.txt
    EXPECT_NE(out.find("74776f2e 0"), std::string::npos) << out;                        // two.
    EXPECT_NE(out.find("c581c3b364c5ba2e747874 2048"), std::string::npos) << out; // Łódź.txt
}

TEST(ZANames, ArchivesOfOtherProgramsExtractByteForByte) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    MakeFiles(d / "src/", Utf8Tree);
    const std::string src = Quote(d / "src");
    struct Tool {
        const char* Name;
        std::string Command;
    } tools[] = {
        {"zip", std::string(Utf8Env) + "sh -c 'cd " + src + " && zip -q -r ../t.zip .'"},
        {"7z", std::string(Utf8Env) + "sh -c 'cd " + src + " && 7z a -bd -bso0 -tzip ../t.zip .'"},
        {"bsdtar",
         std::string(Utf8Env) + "sh -c 'cd " + src + " && bsdtar --format zip -cf ../t.zip .'"},
        {"python3",
         "cd " + src +
             " && python3 -c \"import zipfile,os\nwith zipfile.ZipFile('../t.zip','w') as z:\n"
             " for d,ds,fs in os.walk('.'):\n  for n in ds+fs: z.write(os.path.join(d,n))\""},
    };
    const std::string expected = Listing(d / "src");
    for (const Tool& t : tools) {
        if (!HaveTool(t.Name)) continue;
        SCOPED_TRACE(t.Name);
        DeleteFile(d / "t.zip");
        std::string out;
        ASSERT_EQ(Shell(t.Command, &out), 0) << out;
        Shell("rm -rf " + Quote(d / "out"));
        // bsdtar's "./" entry names the base folder: nothing to make, no failure.
        EXPECT_TRUE(ExtractCodes(d / "t.zip", d / "out").empty());
        EXPECT_EQ(Listing(d / "out"), expected);
    }
}

TEST(ZANames, EngineArchivesExtractByteForByteInOtherPrograms) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    MakeFiles(d / "src/", Utf8Tree);
    CreateArchive(d / "e.zip", d / "src");
    const std::string expected = Listing(d / "src");
    const std::string zip = Quote(d / "e.zip"), out = Quote(d / "out");
    struct Tool {
        const char* Name;
        std::string Command;
    } tools[] = {
        {"unzip", std::string(Utf8Env) + "unzip -q " + zip + " -d " + out},
        {"7z", std::string(Utf8Env) + "7z x -bd -bso0 -y -o" + out + " " + zip},
        {"bsdtar", std::string(Utf8Env) + "sh -c 'mkdir -p " + out + " && bsdtar -xf " + zip +
                       " -C " + out + "'"},
        {"python3", "python3 -c \"import zipfile,sys; "
                    "zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])\" " +
                        zip + " " + out},
    };
    for (const Tool& t : tools) {
        if (!HaveTool(t.Name)) continue;
        SCOPED_TRACE(t.Name);
        Shell("rm -rf " + out);
        std::string log;
        ASSERT_EQ(Shell(t.Command, &log), 0) << log;
        EXPECT_EQ(Listing(d / "out"), expected);
    }
}

TEST(ZANames, DiskNamesThatAreNoUtf8AreKeptByTheEngineAndInfoZip) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    // Latin-1 bytes, and two names Windows-1252 would read as the same "été".
    MakeFiles(d / "src/", {{"\xE9t\xE9.txt", "latin"},
                           {"\xC3\xA9t\xC3\xA9.txt", "utf8"},
                           {"sub\xE4/x", "in a folder"}});
    const std::string expected = Listing(d / "src");
    CreateArchive(d / "e.zip", d / "src");
    EXPECT_TRUE(ExtractCodes(d / "e.zip", d / "back").empty());
    EXPECT_EQ(Listing(d / "back"), expected);
    if (HaveTool("unzip")) {
        std::string log;
        ASSERT_EQ(Shell(std::string(Utf8Env) + "unzip -q " + Quote(d / "e.zip") + " -d " +
                            Quote(d / "unz"),
                        &log),
                  0)
            << log;
        EXPECT_EQ(Listing(d / "unz"), expected);
    }
    if (HaveTool("zip")) {
        std::string log;
        ASSERT_EQ(Shell("cd " + Quote(d / "src") + " && zip -q -r ../z.zip .", &log), 0) << log;
        EXPECT_TRUE(ExtractCodes(d / "z.zip", d / "fromzip").empty());
        EXPECT_EQ(Listing(d / "fromzip"), expected);
    }
}

TEST(ZANames, UnicodePathFieldIsReadWhenItBelongsToTheName) {
    ZA_NEED_TOOL("python3");
    ScratchDir d;
    // The header holds an OEM name; the Unicode path block holds the real one,
    // once with the CRC of that header name and once with a stale CRC.
    ASSERT_EQ(Python(R"(
import sys, zipfile, zlib, struct
def item(raw, real, crc):
    info = zipfile.ZipInfo(raw.replace(b'\x82', b'X').decode(), (2022, 1, 1, 0, 0, 0))
    info.create_system = 0
    data = b'\x01' + struct.pack('<I', crc) + real.encode('utf-8')
    info.extra = struct.pack('<HH', 0x7075, len(data)) + data
    return info
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr(item(b'L\x82d.txt', '\u0141\u00f3d\u017a.txt', zlib.crc32(b'L\x82d.txt')), b'real')
    z.writestr(item(b'stale.txt', 'other.txt', 12345), b'stale')
raw = open(sys.argv[1], 'rb').read().replace(b'LXd.txt', b'L\x82d.txt')
open(sys.argv[1], 'wb').write(raw)
)",
                     {DiskName(d / "u.zip")}),
              0);
    EXPECT_TRUE(ExtractCodes(d / "u.zip", d / "out").empty());
    EXPECT_EQ(ReadFile(d / "out/" + ProgramName("\xC5\x81\xC3\xB3\x64\xC5\xBA.txt")), "real");
    EXPECT_EQ(ReadFile(d / "out/stale.txt"), "stale");
    EXPECT_FALSE(FileExists(d / "out/other.txt"));
}
