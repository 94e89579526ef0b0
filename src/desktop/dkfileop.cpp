#include "dkfileop.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "desktop/dkfilecopy.h"
#include "desktop/dkprogress.h"
#include "desktop/dksysutils.h"
#include "desktop/dktrash.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"

namespace fs = std::filesystem;

namespace {

bool Exists(const std::string& Path) {
    std::error_code Ec;
    return fs::exists(fs::symlink_status(Path, Ec));
}

bool HasWildcard(const std::string& S) {
    return S.find_first_of("*?") != std::string::npos;
}

// "name (2).ext", "name (3).ext", ... : the first that is free.
std::string CollisionName(const std::string& Target, int N) {
    const fs::path P(Target);
    const std::string Stem = P.stem().string(), Ext = P.extension().string();
    return (P.parent_path() / (Stem + " (" + std::to_string(N) + ")" + Ext)).string();
}

} // namespace

TdkFileOperation::TdkFileOperation(TComponent* AOwner)
    : TdkComponent(AOwner), FFileList(std::make_unique<TStringList>()) {}

TdkFileOperation::~TdkFileOperation() = default;

bool TdkFileOperation::HasPairs() const {
    for (int i = 0; i < FFileList->Count(); ++i)
        if (FFileList->Get(i).find('=') != std::string::npos) return true;
    return false;
}

unsigned TdkFileOperation::ShellFlags() const {
    static const unsigned Bits[] = {0x40, 0x80, 0x10, 0x200, 0x400, 8, 4, 0x100};
    unsigned Flags = 0;
    for (int i = 0; i < 8; ++i)
        if (Options.Contains(static_cast<TdkFileOperationFlag>(i))) Flags |= Bits[i];
    return HasPairs() ? Flags | 1 : Flags;
}

bool TdkFileOperation::Confirm(const std::string& Text) const {
    if (Options.Contains(fofNoConfirmation)) return true;
    return MessageDlg(Text, mtConfirmation, mbYesNo, 0) == mrYes;
}

bool TdkFileOperation::Expand(std::vector<TItem>& Items, int& Err, std::string& ErrPath) const {
    const bool Pairs = HasPairs();
    for (int i = 0; i < FFileList->Count(); ++i) {
        std::string Line = FFileList->Get(i), Dest;
        if (Pairs) {
            const auto Eq = Line.find('=');
            if (Eq != std::string::npos) {
                Dest = dkAbsolutePath(Line.substr(Eq + 1), DestFolder);
                Line = Line.substr(0, Eq);
            } else {
                // A plain item among pairs goes into DestFolder under its own name.
                Dest = dkIncludeTrailingBackslash(DestFolder);
            }
        }
        const std::string Source = DiskName(Line);
        if (!HasWildcard(fs::path(Source).filename().string())) {
            Items.push_back({Source, Dest.empty() ? DiskName(DestFolder)
                                                  : DiskName(dkApplyFileMask(Line, Dest))});
            continue;
        }
        // A mask in the source stands for the matching items of its folder.
        const fs::path Folder = fs::path(Source).parent_path();
        const std::string Mask = fs::path(Source).filename().string();
        std::error_code Ec;
        for (const auto& E : fs::directory_iterator(Folder.empty() ? "." : Folder, Ec)) {
            if (Options.Contains(fofFilesOnly) && E.is_directory()) continue;
            const std::string Name = ProgramName(E.path().filename().string());
            if (!MatchesMask(Name, ProgramName(Mask))) continue;
            const std::string Src = ProgramName(E.path().string());
            Items.push_back({E.path().string(), Dest.empty()
                                                    ? DiskName(DestFolder)
                                                    : DiskName(dkApplyFileMask(Src, Dest))});
        }
        if (Ec) {
            Err = Ec.value();
            ErrPath = Folder.string();
            return false;
        }
    }
    return true;
}

int TdkFileOperation::PlaceTarget(const std::string& Source, std::string& Target, bool& Skip,
                                  bool& Replace) {
    Skip = Replace = false;
    // Onto itself or into its own subfolder would destroy what it copies.
    if (dkIsSameOrInside(Target, Source) && Operation != fotRename) {
        if (!Options.Contains(fofRenameCollision) || fs::path(Target) != fs::path(Source) ||
            Operation == fotMove)
            return EINVAL;
    }
    if (!Exists(Target)) return 0;
    if (Operation == fotRename) return EEXIST;
    if (Options.Contains(fofRenameCollision)) {
        // Only the name is chosen here; the copy or move itself refuses to
        // replace, so a name taken in between is never overwritten.
        for (int N = 2;; ++N) {
            const std::string Candidate = CollisionName(Target, N);
            if (!Exists(Candidate)) {
                Target = Candidate;
                return 0;
            }
        }
    }
    if (!Confirm(Format("Do you want to replace the existing item \"%s\"?",
                        ProgramName(Target).c_str()))) {
        Skip = true;
        return 0;
    }
    Replace = true;
    return 0;
}

int TdkFileOperation::DoItem(const TItem& Item) {
    if (!Exists(Item.Source)) return ENOENT;
    if (Operation == fotDelete) {
        if (Options.Contains(fofAllowUndo))
            return Confirm(Format("Do you want to move \"%s\" to the trash?",
                                  ProgramName(Item.Source).c_str()))
                       ? dkMoveToTrash(ProgramName(Item.Source))
                       : 0;
        return Confirm(Format("Do you want to delete \"%s\" for good?",
                              ProgramName(Item.Source).c_str()))
                   ? dkRemoveItem(Item.Source)
                   : 0;
    }
    std::string Target = Item.Dest;
    if (Operation != fotRename && !HasPairs()) {
        std::error_code Ec;
        if (!fs::is_directory(Target, Ec)) {
            if (!Options.Contains(fofNoConfirmMkDir) &&
                !Confirm(Format("The folder \"%s\" does not exist. Do you want to create it?",
                                ProgramName(Target).c_str())))
                return 0;
            fs::create_directories(Target, Ec);
            if (Ec) return Ec.value();
        }
        Target = (fs::path(Target) / fs::path(Item.Source).filename()).string();
    } else if (Operation != fotRename) {
        std::error_code Ec;
        fs::create_directories(fs::path(Target).parent_path(), Ec);
    }
    bool Skip = false, Replace = false;
    const int Err = PlaceTarget(Item.Source, Target, Skip, Replace);
    if (Err || Skip) return Err;
    for (int Tries = 0;; ++Tries) {
        int E;
        if (Operation == fotCopy)
            E = dkCopyItem(Item.Source, Target, Replace);
        else if (Replace) {
            const int Removed = dkRemoveItem(Target);
            E = Removed ? Removed : dkMoveNoReplace(Item.Source, Target);
        } else
            E = dkMoveNoReplace(Item.Source, Target);
        // Someone took the chosen name meanwhile: the next free one.
        if (E == EEXIST && Options.Contains(fofRenameCollision) && Operation != fotRename &&
            Tries < 100) {
            if (PlaceTarget(Item.Source, Target, Skip, Replace)) return E;
            continue;
        }
        return E;
    }
}

bool TdkFileOperation::Execute() {
    if (FFileList->Count() == 0) return true;
    std::vector<TItem> Items;
    int Err = 0;
    std::string ErrPath;
    if (Expand(Items, Err, ErrPath)) {
        if (!Options.Contains(fofSilent))
            FProgress = std::make_unique<TdkProgressWindow>(ProgressTitle,
                                                            Options.Contains(fofSimpleProgress));
        for (size_t i = 0; i < Items.size(); ++i) {
            if (FProgress)
                FProgress->Step(static_cast<int>(i), static_cast<int>(Items.size()),
                                ProgramName(Items[i].Source));
            Err = DoItem(Items[i]);
            if (Err) {
                ErrPath = Items[i].Source;
                break;
            }
        }
        FProgress.reset();
    }
    if (Err == 0) return true;
    const std::string Text = std::strerror(Err);
    bool Handled = false;
    if (OnError) OnError(this, Text, Handled);
    if (!Handled && !Options.Contains(fofNoErrorUI))
        MessageDlg(Text + ": " + ProgramName(ErrPath), mtError, mbOKOnly, 0);
    return false;
}
