// Pending updates: beginning and ending them, deleting and refreshing items,
// and taking new files in.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <unordered_map>

#include "platform/rtl/fileattrs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/tempfiles.h"
#include "zaarchiver.h"

namespace {

// The DOS date of a file, clamped into the DOS range; now when it has none.
uint32_t DosTimeOf(const std::string& File) {
    const int64_t age = FileAge(File);
    return age >= 0 ? static_cast<uint32_t>(age) : DateTimeToFileDate(Now());
}

// The base folder as a full path with a trailing separator, so that a file
// under it and the folder itself are spelled alike whatever the current
// folder is (a relative BaseDir would otherwise enter the stored name).
std::string FullBaseDir(const std::string& BaseDir) {
    return IncludeTrailingPathDelimiter(
        ExpandFileName(BaseDir.empty() ? GetCurrentDir() : BaseDir));
}

} // namespace

void TZABaseArchiver::BeginUpdate() {
    if (!FActive) throw EZAException(zeNotOpen, this);
    if (IsMultiVolume() && !FCreated) throw EZAException(zeSpannedUpdate, this);
    const bool readOnly = !FCreated && !FInMemory && !FExternalStream && FOpenMode != fmCreate &&
                          (FOpenMode & 0x0003) == fmOpenRead;
    if (readOnly) throw EZAException(zeReadOnlyArchive, this);
    if (FUpdateCount++ == 0) FDir->UpdateItems.CopyFrom(FDir->Items);
}

void TZABaseArchiver::EndUpdate() {
    if (FUpdateCount <= 0) return;
    if (--FUpdateCount == 0) Commit();
}

void TZABaseArchiver::RunInUpdate(const std::string& FileMask, TZAProcessOperation Op) {
    BeginUpdate();
    try {
        SelectFiles(FileMask);
        ProcessFiles(Op);
    } catch (...) {
        FUpdateCount = 0;
        throw;
    }
    EndUpdate();
}

void TZABaseArchiver::DeleteFiles(const std::string& FileMask) {
    RunInUpdate(FileMask, poDelete);
}

void TZABaseArchiver::UpdateFiles(const std::string& FileMask) {
    RunInUpdate(FileMask, poUpdate);
}

void TZABaseArchiver::DeleteItem(int Index) {
    if (Index < 0 || Index >= WorkArray().Count()) throw EZAException(zeDeleteItemIndex, this);
    if (FUpdateCount <= 0) throw EZAException(zeDeleteNoUpdate, this);
    FDir->UpdateItems.DeleteItem(Index);
}

void TZABaseArchiver::UpdateItem(int Index) {
    if (Index < 0 || Index >= WorkArray().Count()) throw EZAException(zeUpdateItemIndex, this);
    if (FUpdateCount <= 0) throw EZAException(zeUpdateNoUpdate, this);
    TDirItem& item = FDir->UpdateItems.Item(Index);
    if (item.IsFolder()) return;
    const std::string base = FullBaseDir(BaseDir);
    // A name that would reach outside the base folder takes in no file from there.
    std::string rel;
    if (!ZAConfineName(item.Name, rel) || rel.empty()) return;
    const std::string file = base + rel;
    if (!FileExists(file)) return;
    if ((item.Header.ExternalAttributes & faReadOnly) && !FOptions.ReplaceReadOnly) return;
    const uint32_t fileTime = DosTimeOf(file);
    switch (FOptions.OverwriteMode) {
    case omNever:
        return;
    case omIfNewer:
        if (fileTime <= item.DosDateTime()) return;
        break;
    case omIfOlder:
        if (fileTime >= item.DosDateTime()) return;
        break;
    case omPrompt: {
        bool confirm = false;
        std::string dest = ShownName(item.Name);
        DoConfirmOverwrite(file, dest, confirm);
        if (!confirm) return;
        break;
    }
    case omAlways:
        break;
    }
    item.Name = ZAStoredName(file, base, FOptions.StorePath);
    item.Header.DosDate = static_cast<uint16_t>(fileTime >> 16);
    item.Header.DosTime = static_cast<uint16_t>(fileTime);
    item.Header.ExternalAttributes =
        static_cast<uint32_t>(std::max(FileGetAttr(file), 0)) & faAnyFile;
    // The old item's extra blocks (time stamps, owners) describe the old data.
    item.Extra.clear();
    item.ExtraBlocks.clear();
    item.Rewrite = true;
    item.SourceFileName = file;
}

void TZABaseArchiver::AddFiles(const std::string& FileMask, int32_t SearchAttr) {
    const bool own = FUpdateCount == 0;
    if (own) BeginUpdate();
    const std::string base = FullBaseDir(BaseDir);
    std::string mask = FileMask;
    std::replace(mask.begin(), mask.end(), '\\', '/');
    const std::string startRel = ExtractFilePath(mask);
    const std::string nameMask = ExtractFileName(mask).empty() ? "*" : ExtractFileName(mask);
    const std::string self = FInMemory || FExternalStream ? "" : ExpandFileName(FileName);
    TZADirArray& items = FDir->UpdateItems;
    // The names already listed, so that each new file is matched at once.
    std::unordered_map<std::string, int> listed;
    listed.reserve(static_cast<size_t>(items.Count()));
    for (int i = 0; i < items.Count(); ++i)
        listed.emplace(items.Item(i).Name, i);
    auto put = [&](const std::string& full, bool folder) {
        TDirItem item;
        item.Name = ZAStoredName(full, base, FOptions.StorePath) + (folder ? "/" : "");
        uint32_t attr = static_cast<uint32_t>(std::max(FileGetAttr(full), 0)) & faAnyFile;
        std::string comment;
        DoStoreFile(item.Name, attr, comment, full);
        if ((attr & ~static_cast<uint32_t>(SearchAttr) & ZASearchedAttrBits) != 0) return;
        const uint32_t t = DosTimeOf(full);
        item.Header.DosDate = static_cast<uint16_t>(t >> 16);
        item.Header.DosTime = static_cast<uint16_t>(t);
        item.Header.ExternalAttributes = attr;
        item.Comment = comment;
        item.Rewrite = true;
        item.SourceFileName = folder ? "" : full;
        // A name already listed is refreshed in its place.
        const auto [at, added] = listed.emplace(item.Name, items.Count());
        if (!added) {
            item.OriginalName = items.Item(at->second).OriginalName;
            items.SetItem(at->second, item);
            return;
        }
        items.Add(item);
    };
    std::function<void(const std::string&)> walk = [&](const std::string& rel) {
        const std::string dir = base + rel;
        for (const auto& f : ListFiles(dir, nameMask)) {
            const std::string full = dir + f;
            struct stat st;
            if (::lstat(DiskName(full).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            if (full == self) continue;
            put(full, false);
        }
        if (!FOptions.Recurse) return;
        for (const auto& d : ListSubFolders(dir)) {
            struct stat st;
            if (::lstat(DiskName(dir + d).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
            if (MatchesMask(d, nameMask)) put(dir + d, true);
            walk(rel + d + "/");
        }
    };
    try {
        walk(startRel);
    } catch (...) {
        if (own) FUpdateCount = 0;
        throw;
    }
    if (own) EndUpdate();
}
