#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "desktop/dkfileop.h"
#include "desktop/dkprogress.h"
#include "desktop/dktrash.h"
#include "dktestenv.h"
#include "platform/rtl/dialogs.h"
#include "vz_test_support.h"

namespace fs = std::filesystem;

namespace {

class FileOperation : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("HOME", (Dir / "home").c_str(), 1);
        setenv("XDG_DATA_HOME", (Dir / "home/.local/share").c_str(), 1);
        Src = Dir / "src";
        Dst = Dir / "dst";
        WriteBytes(Src + "/a.txt", "alpha");
        WriteBytes(Src + "/b.txt", "beta");
        WriteBytes(Src + "/sub/c.txt", "gamma");
        Op.OnError = [this](TObject*, const std::string& Text, bool& Handled) {
            Errors.push_back(Text);
            Handled = true;
        };
    }
    TTempFolder Dir;
    std::string Src, Dst;
    TScriptedDialogsScope Asked;
    TdkFileOperation Op{nullptr};
    std::vector<std::string> Errors;
};

} // namespace

TEST_F(FileOperation, FlagsAndAnEmptyList) {
    EXPECT_EQ(Op.ShellFlags(), 0x40u | 0x80u | 8u);
    EXPECT_TRUE(Op.Execute());
    Op.FileList()->Add(Src + "/a.txt");
    Op.FileList()->Add(Src + "/b.txt=" + Dst + "/x.txt");
    EXPECT_TRUE(Op.HasPairs());
    EXPECT_EQ(Op.ShellFlags(), 0x40u | 0x80u | 8u | 1u);
}

TEST_F(FileOperation, CopiesAndMovesIntoTheDestination) {
    Op.Options.Include(fofNoConfirmMkDir);
    Op.DestFolder = Dst;
    Op.FileList()->Add(Src + "/a.txt");
    Op.FileList()->Add(Src + "/sub");
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Dst + "/a.txt"), "alpha");
    EXPECT_EQ(ReadBytes(Dst + "/sub/c.txt"), "gamma");
    EXPECT_TRUE(fs::exists(Src + "/a.txt"));

    Op.Operation = fotMove;
    Op.FileList()->Clear();
    Op.FileList()->Add(Src + "/b.txt");
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Dst + "/b.txt"), "beta");
    EXPECT_FALSE(fs::exists(Src + "/b.txt"));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(FileOperation, PairsTakeTheirNamesThroughTheMask) {
    Op.FileList()->Add(Src + "/a.txt=*.bak");
    Op.FileList()->Add(Src + "/b.txt"); // a plain item among pairs keeps its own name
    Op.DestFolder = Dst;
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Dst + "/a.bak"), "alpha");
    EXPECT_EQ(ReadBytes(Dst + "/b.txt"), "beta");
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir.Path()), fs::directory_iterator{}), 2);
}

TEST_F(FileOperation, RenameOnCollisionNeverOverwrites) {
    Op.DestFolder = Src;
    Op.FileList()->Add(Src + "/a.txt"); // onto itself
    ASSERT_TRUE(Op.Execute());
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Src + "/a.txt"), "alpha");
    EXPECT_EQ(ReadBytes(Src + "/a (2).txt"), "alpha");
    EXPECT_EQ(ReadBytes(Src + "/a (3).txt"), "alpha");

    WriteBytes(Dst + "/b.txt", "other beta");
    Op.Operation = fotMove;
    Op.DestFolder = Dst;
    Op.FileList()->Clear();
    Op.FileList()->Add(Src + "/b.txt");
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Dst + "/b.txt"), "other beta");
    EXPECT_EQ(ReadBytes(Dst + "/b (2).txt"), "beta");
    EXPECT_TRUE(Asked->Asked().empty());
}

TEST_F(FileOperation, ReplacingAsksFirst) {
    Op.Options = {fofNoConfirmMkDir};
    WriteBytes(Dst + "/a.txt", "old");
    Op.DestFolder = Dst;
    Op.FileList()->Add(Src + "/a.txt");
    Asked->QueueAnswer(mrNo);
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Dst + "/a.txt"), "old");
    Asked->QueueAnswer(mrYes);
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Dst + "/a.txt"), "alpha");
    ASSERT_EQ(Asked->Asked().size(), 2u);
    EXPECT_NE(Asked->Asked()[0].Text.find("replace"), std::string::npos);
}

TEST_F(FileOperation, OntoItselfOrIntoItsOwnFolderIsRefused) {
    Op.Options = {fofNoConfirmation};
    Op.DestFolder = Src + "/sub";
    Op.FileList()->Add(Src + "/sub");
    Op.Operation = fotCopy;
    EXPECT_FALSE(Op.Execute()); // into its own folder
    Op.Operation = fotMove;
    EXPECT_FALSE(Op.Execute());
    Op.DestFolder = Src;
    EXPECT_FALSE(Op.Execute()); // onto itself
    Op.Operation = fotCopy;
    EXPECT_FALSE(Op.Execute());
    ASSERT_EQ(Errors.size(), 4u);
    EXPECT_EQ(Errors[0], "Invalid argument");
    EXPECT_EQ(ReadBytes(Src + "/sub/c.txt"), "gamma");
    EXPECT_EQ(fs::directory_entry(Src + "/sub").is_directory(), true);
    EXPECT_EQ(std::distance(fs::directory_iterator(Src + "/sub"), fs::directory_iterator{}), 1);
}

TEST_F(FileOperation, RenameRefusesATakenName) {
    Op.Operation = fotRename;
    Op.FileList()->Add(Src + "/a.txt=" + Src + "/b.txt");
    EXPECT_FALSE(Op.Execute());
    EXPECT_EQ(Errors.at(0), "File exists");
    EXPECT_EQ(ReadBytes(Src + "/b.txt"), "beta");
    Op.FileList()->Clear();
    Op.FileList()->Add(Src + "/a.txt=" + Src + "/z.txt");
    EXPECT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Src + "/z.txt"), "alpha");
    EXPECT_FALSE(fs::exists(Src + "/a.txt"));
}

TEST_F(FileOperation, DeletedToTheTrashAndRestored) {
    Op.Operation = fotDelete;
    Op.Options.Include(fofNoConfirmation);
    Op.FileList()->Add(Src + "/a.txt");
    Op.FileList()->Add(Src + "/sub");
    ASSERT_TRUE(Op.Execute());
    EXPECT_FALSE(fs::exists(Src + "/a.txt"));
    const std::string Trash = dkTrashFolder();
    EXPECT_EQ(Trash, Dir / "home/.local/share/Trash");
    EXPECT_EQ(ReadBytes(Trash + "/files/a.txt"), "alpha");
    const std::string Info = ReadBytes(Trash + "/info/a.txt.trashinfo");
    EXPECT_EQ(Info.rfind("[Trash Info]\nPath=" + Src + "/a.txt\nDeletionDate=", 0), 0u);

    // A second item of the same name gets its own place in the trash.
    WriteBytes(Src + "/a.txt", "alpha two");
    Op.FileList()->Clear();
    Op.FileList()->Add(Src + "/a.txt");
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Trash + "/files/a.txt.2"), "alpha two");

    EXPECT_EQ(dkRestoreFromTrash(Src + "/sub"), 0);
    EXPECT_EQ(ReadBytes(Src + "/sub/c.txt"), "gamma");
    EXPECT_EQ(dkRestoreFromTrash(Src + "/a.txt"), 0);
    const std::string Back = ReadBytes(Src + "/a.txt");
    EXPECT_TRUE(Back == "alpha" || Back == "alpha two");
    EXPECT_EQ(dkRestoreFromTrash(Src + "/a.txt"), EEXIST); // the place is taken
    EXPECT_EQ(dkRestoreFromTrash(Src + "/none.txt"), ENOENT);
}

TEST_F(FileOperation, DeleteForGoodAsksAndCanBeDeclined) {
    Op.Operation = fotDelete;
    Op.Options = {};
    Op.FileList()->Add(Src + "/*.txt");
    Asked->QueueAnswer(mrNo);
    Asked->QueueAnswer(mrYes);
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(Asked->Asked().size(), 2u);
    EXPECT_EQ(fs::exists(Src + "/a.txt") + fs::exists(Src + "/b.txt"), 1);
    EXPECT_TRUE(fs::exists(Src + "/sub/c.txt"));
    EXPECT_FALSE(fs::exists(dkTrashFolder()));
}

TEST_F(FileOperation, AMissingSourceIsReported) {
    Op.Options = {fofNoConfirmation, fofNoErrorUI};
    Op.OnError = nullptr;
    Op.DestFolder = Dst;
    Op.FileList()->Add(Src + "/missing.txt");
    EXPECT_FALSE(Op.Execute());
    EXPECT_TRUE(Asked->Asked().empty());
    Op.Options = {fofNoConfirmation};
    EXPECT_FALSE(Op.Execute());
    ASSERT_EQ(Asked->Asked().size(), 1u);
    EXPECT_EQ(Asked->Asked()[0].Text, "No such file or directory: " + Src + "/missing.txt");
}

namespace {

// Answers Yes and notes what the progress window showed when asked.
class TProgressWatcher : public TNonInteractiveDialogs {
public:
    explicit TProgressWatcher(TdkFileOperation& Op) : FOp(Op) {}
    int MessageDlg(const std::string&, TMsgDlgType, TMsgDlgButtons, const std::string&) override {
        const TdkProgressWindow* W = FOp.ProgressWindow();
        Seen.push_back(W ? W->Caption() + "|" + W->ItemText() + "|" + std::to_string(W->Done()) +
                               "/" + std::to_string(W->Total()) + (W->Visible() ? "|shown" : "")
                         : "none");
        return mrYes;
    }
    std::vector<std::string> Seen;

private:
    TdkFileOperation& FOp;
};

} // namespace

TEST_F(FileOperation, ProgressShowsTheItemAtHandUnlessSilent) {
    Op.Operation = fotDelete;
    Op.Options = {};
    Op.ProgressTitle = "Opruimen";
    Op.FileList()->Add(Src + "/a.txt");
    Op.FileList()->Add(Src + "/b.txt");
    auto Watcher = std::make_unique<TProgressWatcher>(Op);
    TProgressWatcher* W = Watcher.get();
    TDialogServiceScope Scope(std::move(Watcher));
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(W->Seen,
              (std::vector<std::string>{"Opruimen|a.txt|0/2|shown", "Opruimen|b.txt|1/2|shown"}));
    EXPECT_EQ(Op.ProgressWindow(), nullptr);

    WriteBytes(Src + "/a.txt", "again");
    WriteBytes(Src + "/b.txt", "again");
    W->Seen.clear();
    Op.Options = {fofSimpleProgress};
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(W->Seen.at(0), "Opruimen||0/2|shown");
    WriteBytes(Src + "/a.txt", "again");
    W->Seen.clear();
    Op.FileList()->Delete(1);
    Op.Options = {fofSilent};
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(W->Seen, std::vector<std::string>{"none"});
}

// A copy that fails half way (as on a full disk) keeps the file it would
// replace and leaves no part of itself behind.
TEST_F(FileOperation, FailedCopyKeepsTheFileItWouldReplace) {
    Op.Options = {fofNoConfirmation};
    WriteBytes(Src + "/groot.txt", std::string(100000, 'g'));
    WriteBytes(Dst + "/groot.txt", "old");
    Op.DestFolder = Dst;
    Op.FileList()->Add(Src + "/groot.txt");
    {
        const TFileSizeLimit Limit(65536);
        EXPECT_FALSE(Op.Execute());
    }
    EXPECT_EQ(ReadBytes(Dst + "/groot.txt"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(Dst), fs::directory_iterator{}), 1);
}

// Trashing from another file system copies the item: a stray item of its name
// in the trash stays as it is.
TEST_F(FileOperation, TrashingFromAnotherDiskKeepsAStrayItem) {
    std::string Other = "/dev/shm/vzdk-XXXXXX";
    if (!mkdtemp(Other.data())) GTEST_SKIP() << "no second file system";
    const struct Gone {
        std::string Path;
        ~Gone() {
            std::error_code Ec;
            fs::remove_all(Path, Ec);
        }
    } Cleanup{Other};
    WriteBytes(Other + "/a.txt", "other");
    WriteBytes(dkTrashFolder() + "/files/a.txt", "stray");
    ASSERT_EQ(dkMoveToTrash(Other + "/a.txt"), 0);
    EXPECT_EQ(ReadBytes(dkTrashFolder() + "/files/a.txt"), "stray");
}

// Copying a folder onto one of its name, replacing confirmed, adds its items.
TEST_F(FileOperation, FolderCopiedOntoAFolderJoinsIt) {
    Op.Options = {fofNoConfirmation};
    WriteBytes(Dst + "/sub/d.txt", "delta");
    Op.DestFolder = Dst;
    Op.FileList()->Add(Src + "/sub");
    ASSERT_TRUE(Op.Execute());
    EXPECT_EQ(ReadBytes(Dst + "/sub/c.txt") + ReadBytes(Dst + "/sub/d.txt"), "gammadelta");
}

TEST_F(FileOperation, FilesOnlyPassesOverTheFoldersOfAWildcard) {
    Op.Options = {fofNoConfirmation, fofFilesOnly};
    Op.DestFolder = Dst;
    Op.FileList()->Add(Src + "/*");
    ASSERT_TRUE(Op.Execute());
    EXPECT_FALSE(fs::exists(Dst + "/sub"));
}

TEST_F(FileOperation, DeletingAMissingItemForGoodIsReported) {
    Op.Operation = fotDelete;
    Op.Options = {fofNoConfirmation};
    Op.FileList()->Add(Src + "/missing.txt");
    EXPECT_FALSE(Op.Execute());
}

// Of two items trashed from one place, the one trashed last comes back.
TEST_F(FileOperation, RestoreBringsBackTheNewestOfOnePlace) {
    Op.Operation = fotDelete;
    Op.Options = {fofNoConfirmation, fofAllowUndo};
    Op.FileList()->Add(Src + "/a.txt");
    ASSERT_TRUE(Op.Execute());
    const std::string Info = dkTrashFolder() + "/info/a.txt.trashinfo";
    const std::string Text = ReadBytes(Info);
    WriteBytes(Info,
               Text.substr(0, Text.find("DeletionDate=")) + "DeletionDate=2020-01-01T10:00:00\n");
    WriteBytes(Src + "/a.txt", "alpha two");
    ASSERT_TRUE(Op.Execute());
    ASSERT_EQ(dkRestoreFromTrash(Src + "/a.txt"), 0);
    EXPECT_EQ(ReadBytes(Src + "/a.txt"), "alpha two");
}

// An item another program left in the trash without its record, or a record it
// damaged, neither blocks trashing nor restoring.
TEST_F(FileOperation, StrayTrashItemsAndDamagedRecordsAreSteppedOver) {
    WriteBytes(dkTrashFolder() + "/files/a.txt", "stray");
    WriteBytes(dkTrashFolder() + "/info/x.trashinfo", "[Trash Info]\nPath=/x%zz\n");
    ASSERT_EQ(dkMoveToTrash(Src + "/a.txt"), 0);
    EXPECT_FALSE(fs::exists(dkTrashFolder() + "/info/a.txt.trashinfo"));
    EXPECT_EQ(dkRestoreFromTrash(Src + "/a.txt"), 0);
    EXPECT_EQ(ReadBytes(Src + "/a.txt"), "alpha");
    // Half an escape is kept as it stands, not read as a byte.
    WriteBytes(dkTrashFolder() + "/files/b", "beta");
    WriteBytes(dkTrashFolder() + "/info/b.trashinfo", "[Trash Info]\nPath=" + Src + "/b%4z\n");
    EXPECT_EQ(dkRestoreFromTrash(Src + "/b%4z"), 0);
    EXPECT_EQ(ReadBytes(Src + "/b%4z"), "beta");
}
