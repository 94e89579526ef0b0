// The processing run over the selected items, extraction and testing.
#include <fcntl.h>
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

} // namespace

TZADirArray& TZABaseArchiver::WorkArray() {
    if (!FDir) throw EZAException(zeNotOpen, this);
    return FUpdateCount > 0 ? FDir->UpdateItems : FDir->Items;
}

int TZABaseArchiver::SelectFiles(const std::string& FileMask, int32_t SearchAttr,
                                 const std::string& ExclusionMask) {
    TZADirArray& items = WorkArray();
    items.ClearSelection();
    TZAArchiveItem found;
    if (FileMask.empty())
        found.FindData.UseMaskLists = true;
    else
        found.FindData = ZAMakeSelection(FileMask, SearchAttr, ExclusionMask, FOptions.StorePath);
    while (ZAFindNext(items, found, FFileMasks, FExclusionMasks, FOptions.Recurse))
        items.Item(found.ItemIndex).Selected = true;
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
    FSpans.clear();
    FMadeFolders.clear();
    FRemovableFolders.clear();
    // A single file does not change its size during a run.
    FRunArchiveSize = IsMultiVolume() ? -1 : FArchive->Size();
    struct SizeReset {
        int64_t& Size;
        ~SizeReset() { Size = -1; }
    } sizeReset{FRunArchiveSize};
    if (FDir->CentralDirEnd > FDir->CentralDirStart) // entries pointing into the directory
        FSpans[{FDir->End.ThisDisk, FDir->CentralDirStart}] = {FDir->CentralDirEnd, -1};
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

// Refuses an item whose bytes lie over those of another item of the run (or
// over the central directory): many entries pointing at one compressed block
// would otherwise each be extracted in full.
void TZABaseArchiver::ClaimSpan(int Index, uint64_t Begin, uint64_t End, const std::string& Name) {
    const uint32_t disk = FDir->Items.Item(Index).DiskNumber();
    auto overlaps = [&](const auto& it) {
        return it->first.first == disk && it->second.second != Index && it->first.second < End &&
               Begin < it->second.first;
    };
    auto next = FSpans.lower_bound({disk, Begin});
    if (next != FSpans.end() && overlaps(next)) throw EZAException(zeOverlappedItem, this, {Name});
    if (next != FSpans.begin() && overlaps(std::prev(next)))
        throw EZAException(zeOverlappedItem, this, {Name});
    FSpans[{disk, Begin}] = {End, Index};
}

bool TZABaseArchiver::InRemovableFolder(const std::string& File) {
    const auto [it, fresh] = FRemovableFolders.try_emplace(ExtractFileDir(File), false);
    if (fresh) it->second = IsRemovableMedium(File);
    return it->second;
}

void TZABaseArchiver::ExtractItem(int Index, bool TestOnly) {
    if (Index < 0 || Index >= FDir->Items.Count()) throw EZAException(zeExtractIndex, this);
    TDirItem item = FDir->Items.Item(Index);
    FSkipFile = false;
    TZAItemReader reader(*this, FDir->Items.Item(Index));
    auto locate = [&](const std::string& name) {
        if (reader.Locate()) ClaimSpan(Index, reader.HeaderOffset(), reader.DataEnd(), name);
    };
    if (TestOnly) {
        if (item.IsFolder()) return;
        locate(ShownName(item.Name));
        TNullStream sink;
        reader.Run(sink);
        return;
    }
    std::string shown = ShownName(item.Name);
    uint32_t attr = item.Header.ExternalAttributes;
    DoExtractFile(shown, attr, item.Comment);
    std::string rel;
    bool emptyFolder = false;
    if (!ZAConfineName(shown, rel, &emptyFolder))
        throw EZAException(zeCannotCreateFile, this, {shown});
    // A folder to be made needs a name: "a//b" is refused, not read as "a/b".
    if (emptyFolder && FOptions.CreateDirs) throw EZAException(zeBlankFolderName, this);
    if (rel.empty()) {
        // "./" (or a bare drive) names the base folder itself: nothing to make.
        if (!shown.empty()) return;
        throw EZAException(zeCannotCreateFile, this, {shown});
    }
    const bool folderItem = (attr & faDirectory) != 0 || rel.back() == '/';
    if (rel.back() == '/') rel.pop_back();
    if (!FOptions.CreateDirs) rel = ExtractFileName(rel);
    // No folder to put the item in (no BaseDir and no current folder, which
    // was removed): never the root folder instead.
    const std::string root = BaseDir.empty() ? GetCurrentDir() : BaseDir;
    if (root.empty()) throw EZAException(zeBlankFolderName, this);
    const std::string base = IncludeTrailingPathDelimiter(root);
    const std::string folderPart = folderItem ? rel : ExtractFileDir(rel);
    // Folders checked (or made) once in a run are not looked at again per item.
    if (FOptions.CreateDirs && FMadeFolders.insert(base).second && !DirectoryExists(base) &&
        !ForceDirectories(base)) {
        FMadeFolders.erase(base);
        throw EZAException(zeCannotCreateDir, this, {base});
    }
    if (FOptions.CreateDirs && !folderPart.empty() && !FMadeFolders.count(base + folderPart)) {
        std::string bad;
        if (!MakeFoldersBelow(base, folderPart, true, bad))
            throw EZAException(zeCannotCreateDir, this, {bad});
        FMadeFolders.insert(base + folderPart);
    }
    if (folderItem) return;
    // Links and device files are never made from an archive.
    const uint32_t unixType = (attr >> 16) & S_IFMT;
    if (item.MadeOnUnix() && unixType != 0 && unixType != S_IFREG)
        throw EZAException(zeCannotCreateFile, this, {rel});
    locate(shown);
    std::string dest = base + rel;
    bool replacing = false;
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
        replacing = true;
    } else if (!FMadeFolders.count(ExtractFileDir(dest)) &&
               !DirectoryExists(ExtractFileDir(dest))) {
        throw EZAException(zeCannotCreateFile, this, {dest});
    }
    // A new file is created exclusively (nothing, not even a link, may stand
    // there); a file to be replaced is written beside the destination and
    // renamed over it only when whole and checked, so a failed item never
    // destroys it and a link standing there is replaced, not followed.
    std::string out;
    const int fd =
        replacing ? OpenUniqueFile(ExtractFilePath(dest) + ".vz", 0600, out)
                  : ::open(DiskName(dest).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) throw EZAException(zeCannotCreateFile, this, {dest});
    if (!replacing) out = dest;
    struct Closer {
        int Fd;
        ~Closer() {
            if (Fd >= 0) ::close(Fd);
        }
    } closer{fd};
    try {
        THandleStream stream(fd);
        const bool ok = reader.Run(stream);
        if (FOptions.FlushBuffers && InRemovableFolder(dest)) stream.FlushBuffers();
        if ((!ok && !ExtractCorruptedFiles) || FSkipFile || FCancel) {
            DeleteFile(out);
            return;
        }
        const bool unixMode = item.MadeOnUnix() && (attr >> 16) != 0;
        mode_t mode = 0666 & ~CreationMask();
        if (unixMode && FOptions.SetAttributes) mode = (attr >> 16) & 0755; // no set-id, sticky
        ::fchmod(fd, mode | S_IRUSR);
        const time_t when = FileDateToUnixTime(item.DosDateTime());
        const struct timespec times[2] = {{when, 0}, {when, 0}};
        ::futimens(fd, times);
        ::close(closer.Fd);
        closer.Fd = -1;
        if (replacing && ::rename(DiskName(out).c_str(), DiskName(dest).c_str()) != 0)
            throw EZAException(zeCannotCreateFile, this, {dest});
        if (FOptions.SetAttributes && !unixMode && (attr & faReadOnly))
            FileSetAttr(dest, faReadOnly);
    } catch (...) {
        DeleteFile(out);
        throw;
    }
}
