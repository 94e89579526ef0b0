// Properties, options, volume descriptors, masks and stored names.
#include <gtest/gtest.h>

#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "zip/zaarchiver.h"
#include "zip/zacrypt.h"
#include "zip/zaitemdata.h"
#include "zip/zalocale.h"
#include "zip/zamasks.h"

#include <zlib.h>

TEST(ZAModel, DefaultsAfterConstruction) {
    TZipArchiver z(nullptr);
    EXPECT_EQ(z.CompressionLevel(), clFastest);
    EXPECT_EQ(z.CompressionMode(), 1);
    EXPECT_EQ(z.SpanningMode(), smNone);
    EXPECT_TRUE(z.SpanningOptions().AdvancedNaming);
    EXPECT_EQ(z.SpanningOptions().VolumeSize, vsAutoDetect);
    EXPECT_EQ(z.Options().StorePath, spRelativePath);
    EXPECT_TRUE(z.Options().Recurse);
    EXPECT_EQ(z.Options().ShareMode, smShareDenyNone);
    EXPECT_EQ(z.Options().OverwriteMode, omAlways);
    EXPECT_EQ(z.Options().SearchAttr, 10431);
    EXPECT_EQ(ZAAllItemsAttr, 10431);
    EXPECT_TRUE(z.Options().FlushBuffers);
    EXPECT_TRUE(z.Options().OEMFileNames);
    EXPECT_FALSE(z.InMemory());
    EXPECT_FALSE(z.ExtractCorruptedFiles);
    EXPECT_EQ(z.CurrentVersion().substr(z.CurrentVersion().size() - 4), "2.65");
    EXPECT_FALSE(z.Active());
}

TEST(ZAModel, CompressionModeAndLevelFollowEachOther) {
    TZipArchiver z(nullptr);
    EXPECT_THROW(z.SetCompressionMode(10), EZAException);
    EXPECT_EQ(z.CompressionMode(), 1);
    z.SetCompressionMode(5);
    EXPECT_EQ(z.CompressionLevel(), clNormal);
    z.SetCompressionMode(0);
    EXPECT_EQ(z.CompressionLevel(), clNone);
    z.SetCompressionMode(3);
    EXPECT_EQ(z.CompressionLevel(), clFastest);
    z.SetCompressionMode(7);
    EXPECT_EQ(z.CompressionLevel(), clMax);
    z.SetCompressionLevel(clNormal);
    EXPECT_EQ(z.CompressionMode(), 6);
    z.SetCompressionLevel(clMax);
    EXPECT_EQ(z.CompressionMode(), 9);
}

TEST(ZAModel, SpanningOptionsAndVolumeSizes) {
    TZASpanningOptions o;
    o.SetCustomVolumeSize(1000);
    EXPECT_EQ(o.CustomVolumeSize(), 65536);
    o.SetCustomVolumeSize(-5);
    EXPECT_EQ(o.CustomVolumeSize(), 65536);
    EXPECT_EQ(o.VolumeSizeFor(0), -1);
    o.VolumeSize = vs1_44MB;
    EXPECT_EQ(o.VolumeSizeFor(3), 1457664);
    o.VolumeSize = vs4700MB;
    EXPECT_EQ(o.VolumeSizeFor(1), 4928307200LL);
    o.FirstVolumeSize = 100000;
    EXPECT_EQ(o.VolumeSizeFor(0), 100000);
    o.VolumeSize = vsCustom;
    o.SetCustomVolumeSize(70000);
    TZASpanningOptions c;
    c.Assign(&o);
    EXPECT_EQ(c.VolumeSizeFor(1), 70000);
    EXPECT_EQ(c.FirstVolumeSize, 100000);
    TZAOptions a, b;
    a.OverwriteMode = omNever;
    a.StorePath = spNoPath;
    b.Assign(&a);
    EXPECT_EQ(b.OverwriteMode, omNever);
    EXPECT_EQ(b.StorePath, spNoPath);
}

TEST(ZAModel, VolumeNumberInfo) {
    TZAVolumeNumberInfo v;
    EXPECT_EQ(v.VolumeKind(), TZAVolumeNumberInfo::vkUndetermined);
    EXPECT_EQ(v.Number(), -1);
    v.SetFirst();
    EXPECT_TRUE(v.IsFirst());
    v.SetLastNumber(3);
    v.SetNumber(3);
    EXPECT_TRUE(v.IsLast());
    TZAVolumeNumberInfo w;
    w.SetLastNumber(3);
    w.SetLast();
    EXPECT_TRUE(v.Equals(w));
    w.SetNumber(2);
    EXPECT_FALSE(v.Equals(w));
    v.Reset();
    EXPECT_EQ(v.LastNumber(), -1);
}

TEST(ZAModel, DirArrayIndexErrors) {
    TZADirArray a;
    TDirItem item;
    item.Name = "a";
    a.Add(item);
    auto code = [](auto f) {
        try {
            f();
        } catch (const EZAException& e) {
            return e.NativeError;
        }
        return -1;
    };
    EXPECT_EQ(code([&] { a.SetItem(1, item); }), 1);
    EXPECT_EQ(code([&] { a.GetItem(-1); }), 2);
    EXPECT_EQ(code([&] { a.Item(5); }), 3);
    EXPECT_EQ(code([&] { a.DeleteItem(1); }), 4);
    a.Item(0).Selected = true;
    EXPECT_EQ(a.SelectedCount(), 1);
    a.ClearSelection();
    EXPECT_EQ(a.SelectedCount(), 0);
    a.DeleteItem(0);
    EXPECT_EQ(a.Count(), 0);
}

TEST(ZAMasks, MatcherRules) {
    EXPECT_TRUE(ZAMatchesMask("readme", "*.*"));
    EXPECT_TRUE(ZAMatchesMask("ab", "a*b"));
    EXPECT_FALSE(ZAMatchesMask("a", "a*?*"));
    EXPECT_TRUE(ZAMatchesMask("abc", "a?c"));
    EXPECT_TRUE(ZAMatchesMask("ABC.TXT", "a*.txt"));
    EXPECT_FALSE(ZAMatchesMask("abc", "abcd"));
    EXPECT_FALSE(ZAMatchesMask("abcd", "abc"));
    EXPECT_TRUE(ZAMatchesMask("\xC9t\xE9", "\xE9*")); // accented letters ignore case too
    EXPECT_TRUE(ZAMaskTest("readme", "*."));
    EXPECT_FALSE(ZAMaskTest("a.txt", "*."));
    EXPECT_TRUE(ZAMaskTest("a.txt", "*.*"));
    EXPECT_TRUE(ZAMaskTest("dir.", "dir"));
    EXPECT_FALSE(ZAMaskTest("a.txt", ""));
    EXPECT_TRUE(ZAMaskTest("a..", "*.")); // "a." after its last dot goes: extension "."
    EXPECT_FALSE(ZAMaskTest("a.b.", "*."));
    EXPECT_EQ(ZACompareStrN("abc", "abd", 2, false), 0);
    EXPECT_LT(ZACompareStrN("abc", "abd", 3, false), 0);
    EXPECT_EQ(ZACompareStrN("ABC", "abc", 3, true), 0);
    EXPECT_NE(ZACompareStrN("ABC", "abc", 3, false), 0);
    // A disk byte that is no UTF-8 is not the Windows-1252 letter of that byte.
    EXPECT_NE(ZACompareStrN(ProgramName("\xE9"), "\xE9", 1, false), 0);
    EXPECT_EQ(ZACompareStrN("x", "y", 0, false), 0);
    // The shorter text ends first and sorts first, within N characters only.
    EXPECT_LT(ZACompareStrN("ab", "abc", 3, false), 0);
    EXPECT_GT(ZACompareStrN("abc", "ab", 5, true), 0);
    EXPECT_EQ(ZACompareStrN("ab", "abc", 2, false), 0);
}

TEST(ZAMasks, SelectionByMaskAndAttributes) {
    auto item = [](const std::string& n, uint32_t attr) {
        TDirItem i;
        i.Name = n;
        i.Header.ExternalAttributes = attr;
        return i;
    };
    const TInternalSearchRec all = ZAMakeSelection("*.*", 10431, "", spRelativePath);
    EXPECT_TRUE(ZAItemMatches(item("sub/dir/", 0x10), all, true));
    EXPECT_TRUE(ZAItemMatches(item("h.txt", 0x02), all, true));
    const TInternalSearchRec plain = ZAMakeSelection("*.*", 0x20, "", spRelativePath);
    EXPECT_FALSE(ZAItemMatches(item("sub/", 0x10), plain, true));
    EXPECT_FALSE(ZAItemMatches(item("h.txt", 0x02), plain, true));
    const TInternalSearchRec txt = ZAMakeSelection("C:\\data\\*.txt", 10431, "", spRelativePath);
    EXPECT_EQ(txt.Mask, "/data/*.txt");
    const TInternalSearchRec sub = ZAMakeSelection("sub\\*.txt", 10431, "", spRelativePath);
    EXPECT_TRUE(ZAItemMatches(item("sub/a.txt", 0), sub, false));
    EXPECT_FALSE(ZAItemMatches(item("a.txt", 0), sub, false));
    EXPECT_FALSE(ZAItemMatches(item("other/a.txt", 0), sub, false));
    // The file-name part is tried against the whole mask, so a mask with a
    // folder takes nothing from other folders.
    EXPECT_FALSE(ZAItemMatches(item("other/a.txt", 0), sub, true));
    EXPECT_FALSE(ZAItemMatches(item("a.txt", 0), sub, true));
    EXPECT_TRUE(ZAItemMatches(item("sub/deep/a.txt", 0), sub, true));
    const TInternalSearchRec bare = ZAMakeSelection("a.txt", 10431, "", spRelativePath);
    EXPECT_TRUE(ZAItemMatches(item("other/a.txt", 0), bare, true)); // by its file-name part
    EXPECT_FALSE(ZAItemMatches(item("other/a.txt", 0), bare, false));
    const TInternalSearchRec excl = ZAMakeSelection("*.*", 10431, "*.bak", spRelativePath);
    EXPECT_FALSE(ZAItemMatches(item("x.bak", 0), excl, true));
    TStringList masks, exclusions;
    masks.Add("*.txt");
    exclusions.Add("sub\\*");
    EXPECT_TRUE(ZAItemMatchesLists(item("a.txt", 0), masks, exclusions));
    EXPECT_FALSE(ZAItemMatchesLists(item("sub/a.txt", 0), masks, exclusions));
    EXPECT_FALSE(ZAItemMatchesLists(item("a.csv", 0), masks, exclusions));
    // A search goes on after each item it finds.
    TZADirArray arr;
    for (const char* n : {"a.txt", "b.csv", "sub/c.txt"})
        arr.Add(item(n, 0));
    TZAArchiveItem f;
    f.FindData = ZAMakeSelection("*.txt", 10431, "", spRelativePath);
    std::vector<std::string> got;
    while (ZAFindNext(arr, f, masks, exclusions, true))
        got.push_back(f.FileName + "@" + std::to_string(f.ItemIndex));
    EXPECT_EQ(got, (std::vector<std::string>{"a.txt@0", "sub/c.txt@2"}));
    EXPECT_EQ(f.ItemIndex, -1);
    EXPECT_EQ(f.FileName, "") << "a search that ends names no item";
    TZAArchiveItem lists;
    lists.FindData.UseMaskLists = true;
    ASSERT_TRUE(ZAFindNext(arr, lists, masks, exclusions, true));
    EXPECT_EQ(lists.FileName, "a.txt");
    EXPECT_FALSE(ZAFindNext(arr, lists, masks, exclusions, true));
}

TEST(ZAMasks, StoredNames) {
    EXPECT_EQ(ZAStoredName("/data/sub/x.txt", "/data", spRelativePath), "sub/x.txt");
    EXPECT_EQ(ZAStoredName("/other/x.txt", "/data", spRelativePath), "other/x.txt");
    EXPECT_EQ(ZAStoredName("/data/sub/x.txt", "/data", spNoPath), "x.txt");
    EXPECT_EQ(ZAStoredName("/data/sub/x.txt", "/data", spFullPath), "data/sub/x.txt");
    EXPECT_EQ(ZAStoredName("/data/sub/x.txt", "/data", spFullPathWithDrive), "/data/sub/x.txt");
    EXPECT_EQ(ZAStoredName("sub/y.txt", "/data/", spRelativePath), "sub/y.txt");
    EXPECT_EQ(ZAStoredName("C:\\data\\sub\\x.txt", "/data", spFullPath), "data/sub/x.txt");
    EXPECT_EQ(ZAStoredName("/data/sub/", "/data", spRelativePath), "sub");
}

TEST(ZAModel, VolumeNames) {
    TZipArchiver z(nullptr);
    z.SetSpanningMode(smSplitting);
    EXPECT_EQ(z.MakeVolumeFileName("/b/set.zip", 0, false), "/b/set_001.zip");
    EXPECT_EQ(z.MakeVolumeFileName("/b/set.zip", -1, false), "/b/set.zip");
    z.SpanningOptions().AdvancedNaming = false;
    EXPECT_EQ(z.MakeVolumeFileName("/b/set.zip", 0, false), "/b/set.Z01");
    EXPECT_EQ(z.MakeVolumeFileName("/b/set.zip", 11, false), "/b/set.Z12");
    z.SetSpanningMode(smSpanning);
    EXPECT_EQ(z.MakeVolumeFileName("/b/set.zip", 2, false), "/b/set.zip");
    z.SpanningOptions().AdvancedNaming = true;
    EXPECT_EQ(z.MakeVolumeFileName("/b/set.zip", 2, false), "/b/set_003.zip");
    // A self-extracting set: a disk is a program; the first split volume is
    // the program, the last one a plain archive.
    z.SFXStub = "/b/stub.bin";
    EXPECT_EQ(z.MakeVolumeFileName("/b/set.zip", 1, false), "/b/set_002.exe");
    z.SetSpanningMode(smSplitting);
    EXPECT_EQ(z.MakeVolumeFileName("/b/set.exe", 0, false), "/b/set.exe");
    EXPECT_EQ(z.MakeVolumeFileName("/b/set.exe", -1, false), "/b/set.ZIP");
    // The engine's own variant: ".F" volumes, ".ZA" last.
    TZABaseArchiver own(nullptr);
    own.SetSpanningMode(smSplitting);
    own.SpanningOptions().AdvancedNaming = false;
    EXPECT_EQ(own.MakeVolumeFileName("/b/set.zip", 1, false), "/b/set.F02");
    EXPECT_EQ(own.MakeVolumeFileName("/b/set.zip", -1, false), "/b/set.zip");
    own.SFXStub = "/b/stub.bin";
    EXPECT_EQ(own.MakeVolumeFileName("/b/set.exe", -1, false), "/b/set.ZA");
}

TEST(ZACrypt, CrcAndTraditionalEncryptionRoundTrip) {
    EXPECT_EQ(ZACrc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(ZACrc32("", 0), 0u);
    std::string data = "Berger tables for eight players";
    std::string enc = data;
    TZACrypt("secret").Encrypt(enc.data(), enc.size());
    EXPECT_NE(enc, data);
    TZACrypt("secret").Decrypt(enc.data(), enc.size());
    EXPECT_EQ(enc, data);
    uint8_t a[12], b[12];
    TZACrypt::RandomHeader(a, 0xAB000000u);
    TZACrypt::RandomHeader(b, 0xAB000000u);
    EXPECT_EQ(a[11], 0xAB);
    EXPECT_NE(std::string(reinterpret_cast<char*>(a), 10),
              std::string(reinterpret_cast<char*>(b), 10));
}

TEST(ZACrypt, DecompressBufGrowsAndFailsCleanly) {
    std::string plain;
    for (int i = 0; i < 20000; ++i)
        plain += "Berger ";
    uLongf n = compressBound(plain.size());
    std::vector<Bytef> packed(n);
    ASSERT_EQ(
        compress(packed.data(), &n, reinterpret_cast<const Bytef*>(plain.data()), plain.size()),
        Z_OK);
    std::vector<char> out;
    int got = -1;
    DecompressBuf(packed.data(), static_cast<int>(n), 0, out, got);
    EXPECT_EQ(got, static_cast<int>(plain.size()));
    EXPECT_EQ(std::string(out.begin(), out.end()), plain);
    DecompressBuf(packed.data(), static_cast<int>(n), 1000, out, got);
    EXPECT_EQ(got, static_cast<int>(plain.size()));
    // Too large for the limit, and damaged input: both raise, both leave nothing.
    EXPECT_THROW(DecompressBuf(packed.data(), static_cast<int>(n), 1000, out, got, 5000),
                 EDecompressionError);
    EXPECT_EQ(got, 0);
    EXPECT_TRUE(out.empty());
    packed[5] ^= 0x55;
    EXPECT_THROW(DecompressBuf(packed.data(), static_cast<int>(n), 0, out, got), EZlibError);
    EXPECT_EQ(got, 0);
}

TEST(ZAMasks, LocaleTablesComeFromTheLocale) {
    const TZALocaleTables t = ZABuildLocaleTables("C.UTF-8");
    ASSERT_TRUE(t.OwnCollation);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(t.Reverse[t.Order[b]], b);
    // The locale weighs characters, not bytes: the euro sign (byte 0x80) is
    // U+20AC and sorts after every Latin letter.
    EXPECT_GT(t.Order[0x80], t.Order[0xFF]);
    EXPECT_LT(t.Order['A'], t.Order['a']);
    EXPECT_EQ(t.Upper[t.Order['a']], t.Order['A']);
    EXPECT_EQ(t.Lower[t.Order[0xC9]], t.Order[0xE9]); // É, é
    EXPECT_EQ(ZACompareStrN("\xC9t\xE9", "\xE9T\xC9", 3, true, t), 0);
    EXPECT_GT(ZACompareStrN("\x80", "z", 1, false, t), 0);
}

TEST(ZAMasks, TurkishTablesPairTheDottedAndDotlessI) {
    // A name holds Windows-1252 characters as bytes: ý (0xFD) and Ý (0xDD)
    // are bytes, the dotless ı and the dotted İ are escaped characters.
    const std::string dotless = ProgramName("\xC4\xB1"), dotted = ProgramName("\xC4\xB0");
    const TZALocaleTables t = ZABuildLocaleTables("tr_TR.UTF-8");
    ASSERT_TRUE(t.OwnCollation);
    EXPECT_EQ(ZACompareStrN("I", dotless, 1, true, t), 0); // I and ı
    EXPECT_EQ(ZACompareStrN(dotted, "i", 1, true, t), 0);  // İ and i
    EXPECT_NE(ZACompareStrN("I", "i", 1, true, t), 0);
    EXPECT_NE(ZACompareStrN(dotted, dotless, 1, true, t), 0);
    EXPECT_NE(ZACompareStrN("I", "\xFD", 1, true, t), 0);    // ý is no ı
    EXPECT_EQ(ZACompareStrN("\xDD", "\xFD", 1, true, t), 0); // Ý and ý
    EXPECT_LT(ZACompareStrN("h", dotless, 1, false, t), 0);  // h ı i
    EXPECT_LT(ZACompareStrN(dotless, "i", 1, false, t), 0);
    EXPECT_LT(ZACompareStrN("I", dotted, 1, false, t), 0); // I İ J
    EXPECT_LT(ZACompareStrN(dotted, "J", 1, false, t), 0);
    EXPECT_LT(ZACompareStrN("c", "\xE7", 1, false, t), 0); // c ç d
    EXPECT_LT(ZACompareStrN("\xE7", "d", 1, false, t), 0);
}

TEST(ZAMasks, MasksFollowTheUsersLocale) {
    // Built at first use, from the user's locale: here a Turkish one, in a
    // process of its own, where no earlier test has built them yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // I* takes ı.txt, not ý.txt (0xFD, the byte the Turkish code page
    // gives to ı); the names' characters count, not their bytes.
    const std::string dotless = ProgramName("\xC4\xB1"), dotted = ProgramName("\xC4\xB0");
    EXPECT_EXIT(
        {
            setenv("LC_ALL", "tr_TR.UTF-8", 1);
            std::exit(ZAMatchesMask(dotless + ".txt", "I*") && !ZAMatchesMask("\xFD.txt", "I*") &&
                              ZAMatchesMask("i.txt", dotted + "*") &&
                              !ZAMatchesMask("i.txt", "I*") && ZAMatchesMask(dotless, "?")
                          ? 0
                          : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
