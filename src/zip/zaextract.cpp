// The processing run over the selected items, extraction and testing.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/rtl/fileattrs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/syncobjs.h"
#include "platform/rtl/tempfiles.h"
#include "zaarchiver.h"
#include "zaitemdata.h"

namespace {

// Two archivers never process items at the same time.
TCriticalSection& ProcessLock() {
    static TCriticalSection cs;
    return cs;
}

// Swallows the bytes of a test run.
class TNullStream : public TStream {
public:
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void*, int64_t Count) override {
        FPos += Count;
        return Count;
    }
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override {
        FPos = Origin == soBeginning ? Offset : FPos + Offset;
        return FPos;
    }
    void SetSize(int64_t) override {}

private:
    int64_t FPos = 0;
};

// Creates the folders of Rel under Base one by one, refusing to pass through
// a symbolic link or anything that is not a folder. Returns the failing
// folder in Bad.
bool MakeFoldersBelow(const std::string& Base, const std::string& Rel, bool Create,
                      std::string& Bad) {
    std::string path = ExcludeTrailingPathDelimiter(Base);
    size_t i = 0;
    while (i < Rel.size()) {
        size_t j = Rel.find('/', i);
        if (j == std::string::npos) j = Rel.size();
        path += "/" + Rel.substr(i, j - i);
        struct stat st;
        if (::lstat(DiskName(path).c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) {
                Bad = path;
                return false;
            }
        } else if (!Create || !CreateDir(path)) {
            Bad = path;
            return false;
        }
        i = j + 1;
    }
    return true;
}

// The process's file-creation mask, read without changing it (umask() would
// change it for every thread for a moment).
mode_t CreationMask() {
    static const mode_t mask = [] {
        mode_t m = 022;
        if (FILE* f = std::fopen("/proc/self/status", "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, f))
                if (std::sscanf(line, "Umask: %o", &m) == 1) break;
            std::fclose(f);
        }
        return m;
    }();
    return mask;
}

bool IsUnixHost(const TDirItem& Item) {
    const int host = Item.Header.VersionMadeBy >> 8;
    return host == 3 || host == 19;
}

} // namespace

TZADirArray& TZABaseArchiver::WorkArray() {
    if (!FDir) throw EZAException(zeNotOpen, this);
    return FUpdateCount > 0 ? FDir->UpdateItems : FDir->Items;
}

int TZABaseArchiver::SelectFiles(const std::string& FileMask, int32_t SearchAttr,
                                 const std::string& ExclusionMask) {
    TZADirArray& items = WorkArray();
    items.ClearSelection();
    if (FileMask.empty()) {
        for (int i = 0; i < items.Count(); ++i)
            items.Item(i).Selected = ZAItemMatchesLists(items.Item(i), FFileMasks, FExclusionMasks);
    } else {
        const TZASelection sel =
            ZAMakeSelection(FileMask, SearchAttr, ExclusionMask, FOptions.StorePath);
        for (int i = 0; i < items.Count(); ++i)
            items.Item(i).Selected = ZAItemMatches(items.Item(i), sel, FOptions.Recurse);
    }
    return items.SelectedCount();
}

void TZABaseArchiver::SelectAndRun(const std::string& FileMask, int32_t SearchAttr,
                                   const std::string& ExclusionMask, TZAProcessOperation Op) {
    if (!FActive) throw EZAException(zeNotOpen, this);
    if (FUpdateCount > 0) throw EZAException(zeUpdatePending, this);
    SelectFiles(FileMask, SearchAttr, ExclusionMask);
    ProcessFiles(Op);
}

void TZABaseArchiver::ExtractFiles(const std::string& FileMask, int32_t SearchAttr,
                                   const std::string& ExclusionMask) {
    SelectAndRun(FileMask, SearchAttr, ExclusionMask, poExtract);
}

void TZABaseArchiver::TestFiles(const std::string& FileMask, int32_t SearchAttr,
                                const std::string& ExclusionMask) {
    SelectAndRun(FileMask, SearchAttr, ExclusionMask, poTest);
}

void TZABaseArchiver::ProcessFiles(TZAProcessOperation Op) {
    if (!FActive) throw EZAException(zeNotOpen, this);
    if ((Op == poExtract || Op == poTest) && FUpdateCount > 0)
        throw EZAException(zeUpdatePending, this);
    std::lock_guard<TCriticalSection> lock(ProcessLock());
    TZADirArray& items = WorkArray();
    FProcessed = 0;
    FSelected = items.SelectedCount();
    FCancel = false;
    FProgressOn = true;
    bool aborted = false;
    const bool reading = Op == poExtract || Op == poTest;
    if (reading) {
        bool cancel = false;
        DoOverallProgress(0, Op, ppStart, cancel);
        FCancel = cancel;
    }
    for (int i = 0; i < items.Count() && !FCancel && !aborted;) {
        if (!items.Item(i).Selected) {
            ++i;
            continue;
        }
        items.Item(i).Operation = Op;
        const std::string name = items.Item(i).Name;
        try {
            RunItem(i, Op);
        } catch (const EZAException& e) {
            TZAAction action = fxaIgnore;
            DoProcessFileFailure(name, Op, e.NativeError, e.ErrorCode, e.Message(), action);
            if (action == fxaRetry) continue;
            if (action == fxaAbort) aborted = true;
            ++i;
        }
    }
    // The end of the run is announced however it ended, so that whatever shows
    // the progress can close.
    if (reading) {
        bool cancel = false;
        DoOverallProgress(100, Op, ppEnd, cancel);
        FCancel = FCancel || cancel;
    }
    FProgressOn = false;
    if ((FCancel || aborted) && FUpdateCount > 0) {
        FUpdateCount = 0;
        FDir->UpdateItems.SetCount(0);
    }
}

// One item of a run; advances Index past it (a deleted item is not stepped over).
void TZABaseArchiver::RunItem(int& Index, TZAProcessOperation Op) {
    TZADirArray& items = WorkArray();
    const std::string name = items.Item(Index).Name;
    bool confirm = true;
    DoConfirmProcessFile(name, Op, confirm);
    if (!confirm) {
        ++Index;
        return;
    }
    const bool reading = Op == poExtract || Op == poTest;
    // An event's Cancel adds to the run's; no event takes back a cancel.
    bool cancel = false;
    if (reading) DoFileProgress(name, 0, Op, ppStart, cancel);
    FCancel = FCancel || cancel;
    switch (Op) {
    case poDelete:
        DeleteItem(Index);
        break;
    case poUpdate:
        UpdateItem(Index);
        break;
    case poExtract:
        ExtractItem(Index, false);
        break;
    case poTest:
        ExtractItem(Index, true);
        break;
    default:
        break;
    }
    if (reading) {
        cancel = false;
        DoFileProgress(name, 100, Op, ppEnd, cancel);
        FCancel = FCancel || cancel;
    }
    ++FProcessed;
    if (Op == poDelete) {
        return; // the next item moved into this place
    }
    ++Index;
}

void TZABaseArchiver::Progress(const std::string& Name, double Done, double Total,
                               TZAProcessOperation Op) {
    if (!FProgressOn || Total <= 0) return;
    bool cancel = false;
    DoFileProgress(Name, Done / Total * 100, Op, ppProcess, cancel);
    FCancel = FCancel || cancel;
    if (FSelected > 0) {
        DoOverallProgress((Done / Total + FProcessed) / FSelected * 100, Op, ppProcess, cancel);
        FCancel = FCancel || cancel;
    }
}

void TZABaseArchiver::ExtractItem(int Index, bool TestOnly) {
    TDirItem item = FDir->Items.Item(Index);
    FSkipFile = false;
    if (TestOnly) {
        if (item.IsFolder()) return;
        TNullStream sink;
        ExtractItemData(Index, sink);
        return;
    }
    std::string shown = ShownName(item.Name);
    uint32_t attr = item.Header.ExternalAttributes;
    DoExtractFile(shown, attr, item.Comment);
    std::string rel;
    if (!ZAConfineName(shown, rel) || rel.empty())
        throw EZAException(zeCannotCreateFile, this, {shown});
    const bool folderItem = (attr & faDirectory) != 0 || rel.back() == '/';
    if (!rel.empty() && rel.back() == '/') rel.pop_back();
    if (!FOptions.CreateDirs) rel = ExtractFileName(rel);
    const std::string base =
        IncludeTrailingPathDelimiter(BaseDir.empty() ? GetCurrentDir() : BaseDir);
    const std::string folderPart = folderItem ? rel : ExtractFileDir(rel);
    if (FOptions.CreateDirs && !DirectoryExists(base) && !ForceDirectories(base))
        throw EZAException(zeCannotCreateDir, this, {base});
    if (FOptions.CreateDirs && !folderPart.empty()) {
        std::string bad;
        if (!MakeFoldersBelow(base, folderPart, true, bad))
            throw EZAException(zeCannotCreateDir, this, {bad});
    }
    if (folderItem) return;
    // Links and device files are never made from an archive.
    const uint32_t unixType = (attr >> 16) & S_IFMT;
    if (IsUnixHost(item) && unixType != 0 && unixType != S_IFREG)
        throw EZAException(zeCannotCreateFile, this, {rel});
    std::string dest = base + rel;
    struct stat st;
    if (::lstat(DiskName(dest).c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) throw EZAException(zeCannotCreateFile, this, {dest});
        const int32_t existing = FileGetAttr(dest);
        if (!FOptions.ReplaceReadOnly && existing >= 0 && (existing & faReadOnly)) return;
        const int64_t age = FileAge(dest);
        const auto fileTime = static_cast<uint32_t>(age);
        bool overwrite = true;
        switch (FOptions.OverwriteMode) {
        case omPrompt: {
            bool confirm = false;
            std::string d = dest;
            DoConfirmOverwrite(shown, d, confirm);
            overwrite = confirm;
            // The handler may send the item to another file of its choice.
            if (confirm && !d.empty() && d != dest) dest = ExpandFileName(d);
            break;
        }
        case omAlways:
            break;
        case omNever:
            overwrite = false;
            break;
        case omIfNewer:
            overwrite = age < 0 || fileTime < item.DosDateTime();
            break;
        case omIfOlder:
            overwrite = age >= 0 && fileTime > item.DosDateTime();
            break;
        }
        if (!overwrite) return;
    } else if (!DirectoryExists(ExtractFileDir(dest))) {
        throw EZAException(zeCannotCreateFile, this, {dest});
    }
    // Written beside the destination and renamed over it only when whole and
    // checked: a failed item never destroys the file it would replace, and a
    // link standing at the destination is replaced, not followed.
    std::string temp;
    try {
        temp = CreateTempFile(ExtractFilePath(dest), ".vz");
    } catch (const EStreamError&) {
        throw EZAException(zeCannotCreateFile, this, {dest});
    }
    bool ok = false;
    try {
        {
            TFileStream out(temp, fmOpenReadWrite | fmShareExclusive);
            ok = ExtractItemData(Index, out);
            if (FOptions.FlushBuffers && IsRemovablePath(dest)) out.FlushBuffers();
        }
        if ((!ok && !ExtractCorruptedFiles) || FSkipFile || FCancel) {
            DeleteFile(temp);
            return;
        }
        const bool unixMode = IsUnixHost(item) && (attr >> 16) != 0;
        mode_t mode = 0666 & ~CreationMask();
        if (unixMode && FOptions.SetAttributes) mode = (attr >> 16) & 0755; // no set-id, sticky
        ::chmod(DiskName(temp).c_str(), mode | S_IRUSR);
        FileSetDate(temp, item.DosDateTime());
        if (::rename(DiskName(temp).c_str(), DiskName(dest).c_str()) != 0)
            throw EZAException(zeCannotCreateFile, this, {dest});
        if (FOptions.SetAttributes && !unixMode && (attr & faReadOnly))
            FileSetAttr(dest, faReadOnly);
    } catch (...) {
        DeleteFile(temp);
        throw;
    }
}

bool TZABaseArchiver::ExtractItemData(int Index, TStream& Out) {
    if (Index < 0 || Index >= FDir->Items.Count()) throw EZAException(zeExtractIndex, this);
    TZAItemReader reader(*this, FDir->Items.Item(Index));
    return reader.Run(Out);
}
