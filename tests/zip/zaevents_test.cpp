// The processing run: events, their defaults, the failure loop, cancelling,
// selection forms, extraction options, and the engine's own archive variant.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>

#include "platform/rtl/dialogs.h"
#include "platform/rtl/fileattrs.h"
#include "zatestutil.h"
#include "zip/zaarchiver.h"

using namespace zatest;

namespace {

// An archive made by the engine from a small tree.
std::string MakeArchive(const ScratchDir& d, TZABaseArchiver& z) {
    WriteFile(d / "src/a.txt", TextBytes(300000));
    WriteFile(d / "src/b.txt", "bee");
    WriteFile(d / "src/sub/c.csv", "cee");
    ForceDirectories(d / "src/sub/dir");
    z.FileName = d / "e.zip";
    z.BaseDir = d / "src";
    z.OpenArchive(fmCreate);
    z.AddFiles("*.*");
    z.CloseArchive();
    return d / "e.zip";
}

} // namespace

TEST(ZAEvents, ProgressConfirmAndExtractHandlers) {
    ScratchDir d;
    TZipArchiver z(nullptr);
    MakeArchive(d, z);
    z.BaseDir = d / "out";
    std::vector<std::string> names, progress;
    std::vector<double> overall;
    bool opened = false;
    z.AfterOpen = [&](TObject*) { opened = true; };
    z.OnConfirmProcessFile = [&](TObject*, const std::string& n, TZAProcessOperation op,
                                 bool& confirm) {
        EXPECT_EQ(op, poExtract);
        names.push_back(n);
        confirm = n != "b.txt";
    };
    z.OnFileProgress = [&](TObject*, const std::string& n, double p, TZAProcessOperation,
                           TZAProgressPhase ph, bool&) {
        if (ph != ppProcess) progress.push_back(n + "@" + std::to_string(static_cast<int>(p)));
    };
    z.OnOverallProgress = [&](TObject*, double p, TZAProcessOperation, TZAProgressPhase, bool&) {
        overall.push_back(p);
    };
    z.OnExtractFile = [&](TObject*, std::string& n, uint32_t&, const std::string&) {
        if (n == "sub\\c.csv") n = "renamed\\c.csv";
    };
    z.OpenArchive(0);
    EXPECT_TRUE(opened);
    z.ExtractFiles("*.*", 10431, "");
    z.CloseArchive();
    // Names are shown with '\' as separator.
    EXPECT_NE(std::find(names.begin(), names.end(), "sub\\c.csv"), names.end());
    EXPECT_NE(std::find(progress.begin(), progress.end(), "a.txt@0"), progress.end());
    EXPECT_NE(std::find(progress.begin(), progress.end(), "a.txt@100"), progress.end());
    ASSERT_GE(overall.size(), 2u);
    EXPECT_EQ(overall.front(), 0);
    EXPECT_EQ(overall.back(), 100);
    EXPECT_FALSE(FileExists(d / "out/b.txt"));
    EXPECT_EQ(ReadFile(d / "out/renamed/c.csv"), "cee");
    EXPECT_TRUE(DirectoryExists(d / "out/sub/dir")); // a folder item makes its folder
}

TEST(ZAEvents, CancelFromProgressStopsAndLeavesNoHalfFile) {
    ScratchDir d;
    TZipArchiver z(nullptr);
    MakeArchive(d, z);
    z.BaseDir = d / "out";
    std::vector<std::string> ends;
    z.OnFileProgress = [&](TObject*, const std::string& n, double p, TZAProcessOperation,
                           TZAProgressPhase ph, bool& cancel) {
        cancel = ph == ppProcess;
        if (ph == ppEnd) ends.push_back(n + "@" + std::to_string(static_cast<int>(p)));
    };
    z.OnOverallProgress = [&](TObject*, double p, TZAProcessOperation, TZAProgressPhase ph, bool&) {
        if (ph == ppEnd) ends.push_back("all@" + std::to_string(static_cast<int>(p)));
    };
    z.OpenArchive(0);
    z.ExtractFiles("*.txt");
    z.CloseArchive();
    EXPECT_FALSE(FileExists(d / "out/a.txt"));
    // The cancelled item and the run still announce their end; no later item runs.
    EXPECT_EQ(ends, (std::vector<std::string>{"a.txt@100", "all@100"}));
}

TEST(ZAEvents, AbortedRunStillAnnouncesItsEnd) {
    ScratchDir d;
    TZipArchiver z(nullptr);
    MakeArchive(d, z);
    WriteFile(d / "block", "x");
    z.BaseDir = d / "block"; // every item fails
    std::vector<int> phases;
    z.OnOverallProgress = [&](TObject*, double, TZAProcessOperation, TZAProgressPhase ph, bool&) {
        phases.push_back(ph);
    };
    z.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int, int,
                                 const std::string&, TZAAction& a) { a = fxaAbort; };
    z.OpenArchive(0);
    z.ExtractFiles("*.*");
    z.CloseArchive();
    EXPECT_EQ(phases, (std::vector<int>{ppStart, ppEnd}));
}

TEST(ZAEvents, FailureActionsRetryIgnoreAbortAndDefaultDialog) {
    ScratchDir d;
    TZipArchiver z(nullptr);
    MakeArchive(d, z);
    ForceDirectories(d / "out");
    WriteFile(d / "block", "x");
    z.BaseDir = d / "block"; // a file where the base folder should be: every item fails
    int calls = 0;
    z.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int native,
                                 int code, const std::string& msg, TZAAction& a) {
        EXPECT_EQ(a, fxaIgnore);
        EXPECT_EQ(native, 20);
        EXPECT_EQ(code, 10);
        EXPECT_NE(msg.find("Cannot create directory"), std::string::npos);
        ++calls;
        a = calls == 1 ? fxaRetry : fxaAbort;
    };
    z.OpenArchive(0);
    z.ExtractFiles("*.*");
    EXPECT_EQ(calls, 2); // retried once, then aborted
    // Without a handler the dialog asks; the non-interactive answer aborts.
    z.OnProcessFileFailure = nullptr;
    TScriptedDialogsScope seen;
    seen->QueueAnswer(mrIgnore);
    z.ExtractFiles("*.*");
    ASSERT_EQ(seen->Asked().size(), 2u);
    EXPECT_NE(seen->Asked()[0].Text.find(". File processing error, possibly disk is full"),
              std::string::npos);
    z.CloseArchive();
}

TEST(ZAEvents, PendingUpdateCommittedAtCloseOrDroppedOnAbort) {
    ScratchDir d;
    TZipArchiver z(nullptr);
    const std::string before = ReadFile(MakeArchive(d, z));
    // Aborted: the pending delete is dropped with the run.
    z.OpenArchiveDefault();
    z.BeginUpdate();
    z.SelectFiles("b.txt");
    z.ProcessFiles(poDelete);
    EXPECT_TRUE(z.UpdatePending());
    EXPECT_EQ(CodeOf([&] { z.ProcessFiles(poTest); }), 26);
    z.Options().OverwriteMode = omPrompt;
    z.OnConfirmOverwrite = [](TObject*, const std::string&, std::string&, bool&) {
        throw EZAException(zeCannotOpenFile, nullptr, {std::string("a.txt")});
    };
    z.OnProcessFileFailure = [](TObject*, const std::string&, TZAProcessOperation op, int native,
                                int, const std::string&, TZAAction& a) {
        EXPECT_EQ(op, poUpdate);
        EXPECT_EQ(native, 33);
        a = fxaAbort;
    };
    z.SelectFiles("a.txt");
    z.ProcessFiles(poUpdate);
    EXPECT_FALSE(z.UpdatePending());
    z.CloseArchive();
    EXPECT_EQ(ReadFile(d / "e.zip"), before);
    // Committed when the archive is closed.
    z.OpenArchiveDefault();
    z.BeginUpdate();
    z.SelectFiles("b.txt");
    z.ProcessFiles(poDelete);
    z.CloseArchive();
    TZipArchiver r(nullptr);
    r.FileName = d / "e.zip";
    r.OpenArchive(0);
    EXPECT_EQ(r.SelectFiles("b.txt"), 0);
    EXPECT_EQ(r.SelectFiles("*.*"), 4);
    // Operations on items need a pending update.
    std::vector<int> codes;
    r.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int native, int,
                                 const std::string&, TZAAction& a) {
        codes.push_back(native);
        a = fxaAbort;
    };
    r.SelectFiles("a.txt");
    r.ProcessFiles(poDelete);
    r.ProcessFiles(poUpdate);
    EXPECT_EQ(codes, (std::vector<int>{22, 25}));
}

TEST(ZAEvents, SelectionFormsAndExtractOptions) {
    ScratchDir d;
    TZipArchiver z(nullptr);
    MakeArchive(d, z);
    z.OpenArchive(0);
    EXPECT_EQ(z.SelectFiles("*.*"), 5); // a, b, sub/, sub/c.csv, sub/dir/
    EXPECT_EQ(z.SelectFiles("*.txt"), 2);
    EXPECT_EQ(z.SelectFiles("*.*", 0x20), 3); // folders left out
    z.Options().Recurse = false;
    EXPECT_EQ(z.SelectFiles("sub\\*.csv"), 1);
    EXPECT_EQ(z.SelectFiles("*.csv"), 0);
    z.Options().Recurse = true;
    z.FileMasks().Add("*.txt");
    z.FileMasks().Add("sub\\*");
    z.ExclusionMasks().Add("b.*");
    EXPECT_EQ(z.SelectFiles(""), 4); // a.txt, sub/, sub/c.csv, sub/dir/
    // Without folders: everything lands in the base folder.
    z.Options().CreateDirs = false;
    z.BaseDir = d / "flat";
    ForceDirectories(d / "flat");
    z.ExtractFiles("*.csv");
    EXPECT_EQ(ReadFile(d / "flat/c.csv"), "cee");
    z.CloseArchive();
}

TEST(ZAEvents, ReadOnlyAttributeAndOpenModes) {
    ScratchDir d;
    WriteFile(d / "src/ro.txt", "read only");
    FileSetAttr(d / "src/ro.txt", faReadOnly);
    CreateArchive(d / "r.zip", d / "src");
    TZipArchiver z(nullptr);
    z.FileName = d / "r.zip";
    z.OpenArchive(0);
    EXPECT_TRUE(z.Files(0).Header.ExternalAttributes & faReadOnly);
    // Opened read-only, an update is refused.
    EXPECT_EQ(CodeOf([&] { z.BeginUpdate(); }), 32);
    z.BaseDir = d / "out";
    z.ExtractFiles("*.*");
    z.CloseArchive();
    EXPECT_TRUE(FileGetAttr(d / "out/ro.txt") & faReadOnly);
}

TEST(ZAEvents, OwnArchiveVariantOfTheBaseArchiver) {
    ScratchDir d;
    WriteFile(d / "src/x.txt", TextBytes(5000));
    {
        TZABaseArchiver b(nullptr);
        b.FileName = d / "own.za";
        b.BaseDir = d / "src";
        b.OpenArchive(fmCreate);
        b.AddFiles("*.*");
        b.CloseArchive();
    }
    const std::string raw = ReadFile(d / "own.za");
    EXPECT_EQ(raw.substr(0, 4), "a\\\x04\x05");                           // own local signature
    EXPECT_NE(raw.find(std::string("AA\x05\x06", 4)), std::string::npos); // own end signature
    TZABaseArchiver r(nullptr);
    r.FileName = d / "own.za";
    r.BaseDir = d / "out";
    r.OpenArchive(0);
    EXPECT_EQ(r.Files(0).Header.VersionNeeded, 0x4114);
    r.ExtractFiles("*.*");
    r.CloseArchive();
    EXPECT_EQ(ReadFile(d / "out/x.txt"), TextBytes(5000));
    // The standard archiver reads only the standard form: no end record, no
    // standard local header either.
    TZipArchiver s(nullptr);
    s.FileName = d / "own.za";
    EXPECT_EQ(CodeOf([&] { s.OpenArchive(0); }), 35);
}

TEST(ZAEvents, InMemorySwitching) {
    ScratchDir d;
    TZipArchiver z(nullptr);
    MakeArchive(d, z);
    z.OpenArchive(0);
    z.SetInMemory(true); // closed and reopened empty, in memory
    EXPECT_TRUE(z.Active());
    EXPECT_EQ(z.FileCount(), 0);
    z.FileName = "";
    EXPECT_EQ(CodeOf([&] { z.SetInMemory(false); }), 29);
    z.CloseArchive();
}

TEST(ZAEvents, TwoArchiversOnTwoThreads) {
    ScratchDir d;
    WriteFile(d / "s1/a.txt", TextBytes(400000));
    WriteFile(d / "s2/b.txt", TextBytes(300000));
    CreateArchive(d / "one.zip", d / "s1");
    CreateArchive(d / "two.zip", d / "s2");
    std::thread t1([&] {
        for (int i = 0; i < 3; ++i)
            ExtractAll(d / "one.zip", d / "o1");
    });
    std::thread t2([&] {
        for (int i = 0; i < 3; ++i)
            ExtractAll(d / "two.zip", d / "o2");
    });
    t1.join();
    t2.join();
    EXPECT_EQ(ReadFile(d / "o1/a.txt"), TextBytes(400000));
    EXPECT_EQ(ReadFile(d / "o2/b.txt"), TextBytes(300000));
}

TEST(ZAEvents, UpdateAsksWithTheStoredNameShownWithBackslashes) {
    ScratchDir d;
    TZipArchiver z(nullptr);
    MakeArchive(d, z);
    std::vector<std::string> asked;
    z.Options().OverwriteMode = omPrompt;
    z.OnConfirmOverwrite = [&](TObject*, const std::string& src, std::string& dest, bool& confirm) {
        asked.push_back((src == d / "src/sub/c.csv" ? "file" : src) + ">" + dest);
        confirm = false;
    };
    z.OpenArchive(fmOpenReadWrite);
    z.UpdateFiles("c.csv");
    z.CloseArchive();
    EXPECT_EQ(asked, (std::vector<std::string>{"file>sub\\c.csv"}));
}

TEST(ZAEvents, OwnVariantItemsAreWrittenAndReadInBlocks) {
    ScratchDir d;
    // More than one block, one of them incompressible, and an empty file.
    const std::string big = TextBytes(100000) + RandomBytes(70000, 5);
    WriteFile(d / "src/big.bin", big);
    WriteFile(d / "src/empty.txt", "");
    for (const std::string pw : {"", "geheim"}) {
        const std::string name = d / ("own" + pw + ".za");
        {
            TZABaseArchiver b(nullptr);
            b.FileName = name;
            b.BaseDir = d / "src";
            b.Password = pw;
            b.OpenArchive(fmCreate);
            b.AddFiles("*.*");
            b.CloseArchive();
        }
        TZABaseArchiver r(nullptr);
        r.FileName = name;
        r.BaseDir = d / ("out" + pw);
        r.Password = pw;
        r.OpenArchive(0);
        ASSERT_EQ(r.FileCount(), 2);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(r.Files(i).Header.Method, ZAOwnVariantMethod);
            EXPECT_EQ(r.Files(i).Header.Flags & 1, pw.empty() ? 0 : 1);
        }
        r.ExtractFiles("*.*");
        r.TestFiles("*.*");
        r.CloseArchive();
        EXPECT_EQ(ReadFile(d / ("out" + pw + "/big.bin")), big);
        EXPECT_EQ(FileSizeOf(d / ("out" + pw + "/empty.txt")), 0);
    }
    // The data really are blocks: the header's mark follows the local header.
    const std::string raw = ReadFile(d / "own.za");
    EXPECT_NE(raw.find("ZABK"), std::string::npos);
    // Damage fails the item with code 8 and leaves no file: in a block, in the
    // header's check part, or a block size beyond the engine's (131072 bytes).
    struct TDamage {
        const char* Item;
        size_t Offset; // from the header's mark
        char Mask;
    };
    for (const TDamage& damage : {TDamage{"big.bin", 50 + 4 + 10, 0x55},
                                  TDamage{"big.bin", 30, 0x01}, TDamage{"empty.txt", 10, 0x03}}) {
        SCOPED_TRACE(std::string(damage.Item) + " at " + std::to_string(damage.Offset));
        std::string bad = raw;
        const size_t at = bad.find("ZABK", bad.find(damage.Item)) + damage.Offset;
        bad[at] = static_cast<char>(bad[at] ^ damage.Mask);
        WriteFile(d / "bad.za", bad);
        const std::string out = d / ("outbad" + std::to_string(damage.Offset));
        TZABaseArchiver r(nullptr);
        r.FileName = d / "bad.za";
        r.BaseDir = out;
        std::vector<int> codes;
        r.OnProcessFileFailure = [&](TObject*, const std::string&, TZAProcessOperation, int native,
                                     int, const std::string&, TZAAction& a) {
            codes.push_back(native);
            a = fxaIgnore;
        };
        r.OpenArchive(0);
        r.ExtractFiles(damage.Item);
        r.CloseArchive();
        EXPECT_EQ(codes, (std::vector<int>{8}));
        EXPECT_FALSE(FileExists(out + "/" + damage.Item));
    }
}
