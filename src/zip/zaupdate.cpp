// Pending updates: deleting and refreshing items, taking new files in, and
// the commit, which builds the new archive beside the old one and renames it
// over the old one only when it is complete.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "platform/rtl/fileattrs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/tempfiles.h"
#include "zaarchiver.h"
#include "zaitemdata.h"
#include "zavolwriter.h"

namespace {

uint16_t ShareFlag(TZAFileShareMode m) {
    static constexpr uint16_t flags[] = {fmShareCompat, fmShareExclusive, fmShareDenyWrite,
                                         fmShareDenyRead, fmShareDenyNone};
    return flags[m];
}

void SetOffset(TDirItem& Item, uint64_t Offset) {
    Item.Header.DiskNumberStart = 0;
    if (Offset >= 0xFFFFFFFFu) {
        Item.Header.LocalHeaderOffset = 0xFFFFFFFFu;
        Item.Zip64LocalHeaderOffset = Offset;
        Item.Zip64 = true;
    } else {
        Item.Header.LocalHeaderOffset = static_cast<uint32_t>(Offset);
    }
}

// The DOS date of a file, clamped into the DOS range; now when it has none.
uint32_t DosTimeOf(const std::string& File) {
    const int64_t age = FileAge(File);
    return age >= 0 ? static_cast<uint32_t>(age) : DateTimeToFileDate(Now());
}

} // namespace

void TZABaseArchiver::BeginUpdate() {
    if (!FActive) throw EZAException(13, this);
    if (IsMultiVolume() && !FCreated) throw EZAException(52, this);
    const bool readOnly = !FCreated && !FInMemory && !FExternalStream && FOpenMode != fmCreate &&
                          (FOpenMode & 0x0003) == fmOpenRead;
    if (readOnly) throw EZAException(32, this);
    if (FUpdateCount++ == 0) FDir->UpdateItems.CopyFrom(FDir->Items);
}

void TZABaseArchiver::EndUpdate() {
    if (FUpdateCount <= 0) return;
    if (--FUpdateCount == 0) Commit();
}

void TZABaseArchiver::DeleteFiles(const std::string& FileMask) {
    BeginUpdate();
    try {
        SelectFiles(FileMask);
        ProcessFiles(poDelete);
    } catch (...) {
        FUpdateCount = 0;
        throw;
    }
    EndUpdate();
}

void TZABaseArchiver::UpdateFiles(const std::string& FileMask) {
    BeginUpdate();
    try {
        SelectFiles(FileMask);
        ProcessFiles(poUpdate);
    } catch (...) {
        FUpdateCount = 0;
        throw;
    }
    EndUpdate();
}

void TZABaseArchiver::DeleteItem(int Index) {
    if (Index < 0 || Index >= WorkArray().Count()) throw EZAException(21, this);
    if (FUpdateCount <= 0) throw EZAException(22, this);
    FDir->UpdateItems.DeleteItem(Index);
}

void TZABaseArchiver::UpdateItem(int Index) {
    if (Index < 0 || Index >= WorkArray().Count()) throw EZAException(24, this);
    if (FUpdateCount <= 0) throw EZAException(25, this);
    TDirItem& item = FDir->UpdateItems.Item(Index);
    if (item.IsFolder()) return;
    const std::string base =
        IncludeTrailingPathDelimiter(BaseDir.empty() ? GetCurrentDir() : BaseDir);
    const std::string file = base + item.Name;
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
        std::string dest = item.Name;
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
    item.Header.ExternalAttributes = static_cast<uint32_t>(std::max(FileGetAttr(file), 0)) & 0x3F;
    // The old item's extra blocks (time stamps, owners) describe the old data.
    item.Extra.clear();
    item.ExtraBlocks.clear();
    item.Rewrite = true;
    item.SourceFileName = file;
}

void TZABaseArchiver::AddFiles(const std::string& FileMask, int32_t SearchAttr) {
    const bool own = FUpdateCount == 0;
    if (own) BeginUpdate();
    const std::string base =
        IncludeTrailingPathDelimiter(ExpandFileName(BaseDir.empty() ? GetCurrentDir() : BaseDir));
    std::string mask = FileMask;
    std::replace(mask.begin(), mask.end(), '\\', '/');
    const std::string startRel = ExtractFilePath(mask);
    const std::string nameMask = ExtractFileName(mask).empty() ? "*" : ExtractFileName(mask);
    const std::string self = FInMemory || FExternalStream ? "" : ExpandFileName(FileName);
    TZADirArray& items = FDir->UpdateItems;
    auto put = [&](const std::string& full, bool folder) {
        TDirItem item;
        item.Name = ZAStoredName(full, base, FOptions.StorePath) + (folder ? "/" : "");
        uint32_t attr = static_cast<uint32_t>(std::max(FileGetAttr(full), 0)) & 0x3F;
        std::string comment;
        DoStoreFile(item.Name, attr, comment, full);
        if ((attr & ~static_cast<uint32_t>(SearchAttr) & 0x1E) != 0) return;
        const uint32_t t = DosTimeOf(full);
        item.Header.DosDate = static_cast<uint16_t>(t >> 16);
        item.Header.DosTime = static_cast<uint16_t>(t);
        item.Header.ExternalAttributes = attr;
        item.Comment = comment;
        item.Rewrite = true;
        item.SourceFileName = folder ? "" : full;
        for (int i = 0; i < items.Count(); ++i)
            if (items.Item(i).Name == item.Name) {
                item.OriginalName = items.Item(i).OriginalName;
                items.SetItem(i, item);
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

void TZABaseArchiver::CopyKeptItem(TDirItem& Item, TStream& Out) {
    TStream& in = *FArchive;
    const auto offset = static_cast<int64_t>(Item.LocalHeaderOffset());
    uint8_t h[LocalHeaderSize];
    if (offset < 0 || offset + static_cast<int64_t>(LocalHeaderSize) > in.Size())
        throw EZAException(8, this);
    in.SetPosition(offset);
    in.ReadBuffer(h, sizeof h);
    const TZALocalHeader lh = ParseLocalHeader(h);
    int64_t dataLen = static_cast<int64_t>(Item.CompressedSize());
    const int64_t dataStart =
        offset + static_cast<int64_t>(LocalHeaderSize) + lh.NameLength + lh.ExtraLength;
    if (dataLen < 0 || dataStart + dataLen > in.Size()) throw EZAException(8, this);
    if (lh.Flags & 0x08) { // keep the data descriptor that follows the data
        uint8_t d[4] = {};
        in.SetPosition(dataStart + dataLen);
        const bool sig = in.Read(d, 4) == 4 && Get32(d) == sigDataDescriptor;
        dataLen += std::min<int64_t>((sig ? 4 : 0) + (Item.Zip64 ? 20 : 12),
                                     in.Size() - dataStart - dataLen);
    }
    SetOffset(Item, static_cast<uint64_t>(Out.Position()));
    if (Item.Name != Item.OriginalName) {
        // A renamed item gets a new local header with its new name.
        const std::string raw = NameToArchive(Item.Name, FOptions.OEMFileNames);
        TZALocalHeader nh = lh;
        nh.NameLength = static_cast<uint16_t>(raw.size());
        Out.WriteBuffer(LocalHeaderBytes(nh).data(), LocalHeaderSize);
        Out.WriteBuffer(raw.data(), static_cast<int64_t>(raw.size()));
        in.SetPosition(offset + static_cast<int64_t>(LocalHeaderSize) + lh.NameLength);
        Out.CopyFrom(in, lh.ExtraLength + dataLen);
        Item.RawName = raw;
        Item.Header.Flags &= static_cast<uint16_t>(~0x0800); // the new name is not UTF-8
        Item.Header.VersionMadeBy = FOptions.OEMFileNames ? 0x0014 : 0x0B14;
    } else {
        in.SetPosition(offset);
        Out.CopyFrom(in, static_cast<int64_t>(LocalHeaderSize) + lh.NameLength + lh.ExtraLength +
                             dataLen);
    }
    Item.OriginalName = Item.Name;
}

void TZABaseArchiver::WriteNewItem(TDirItem& Item, TStream& Out) {
    const bool folder = Item.SourceFileName.empty();
    std::unique_ptr<TFileStream> src;
    if (!folder) {
        try {
            src = std::make_unique<TFileStream>(Item.SourceFileName,
                                                fmOpenRead | ShareFlag(FOptions.ShareMode));
        } catch (const EStreamError&) {
            throw EZAException(33, this, {Item.SourceFileName});
        }
    }
    const int64_t size = src ? src->Size() : 0;
    // Deflate can grow incompressible data a little; such sizes go zip64 early.
    const bool big = size >= 0xFFFFFFFFLL - (size >> 8) - 65536;
    if (big && Zip64Mode == 0) throw EZAException(41, this, {Item.SourceFileName});
    const bool zip64 = Zip64Mode == 2 || (Zip64Mode == 1 && big);
    const bool own = FDir->OwnVariant();
    const uint16_t version = zip64                   ? (own ? 0x412D : 0x002D)
                             : own                   ? 0x4114
                             : FOptions.OEMFileNames ? 0x0014
                                                     : 0x0B14;
    const uint16_t method = (folder || size == 0 || FCompressionMode == 0) ? 0 : 8;
    const bool encrypt = !Password.empty() && !folder;
    const std::string raw = NameToArchive(Item.Name, FOptions.OEMFileNames);
    std::string extra;
    if (zip64) {
        Put16(extra, zip64ExtraId);
        Put16(extra, 16);
        Put64(extra, 0);
        Put64(extra, 0);
    }
    TZALocalHeader lh;
    lh.Signature = FDir->LocalSignature();
    lh.VersionNeeded = version;
    lh.Flags = encrypt ? 1 : 0;
    lh.Method = method;
    lh.DosTime = Item.Header.DosTime;
    lh.DosDate = Item.Header.DosDate;
    lh.NameLength = static_cast<uint16_t>(raw.size());
    lh.ExtraLength = static_cast<uint16_t>(extra.size());
    const int64_t at = Out.Position();
    Out.WriteBuffer((LocalHeaderBytes(lh) + raw + extra).data(),
                    static_cast<int64_t>(LocalHeaderSize + raw.size() + extra.size()));
    TZAWriteResult r;
    if (src) {
        r = ZAWriteItemData(*src, Out, FCompressionMode, method, encrypt ? Password : "",
                            [&](double done, double total) {
                                Progress(Item.Name, done, total, poUpdate);
                                return !FCancel;
                            });
        if (r.Uncompressed != static_cast<uint64_t>(size))
            throw EZAException(34, this,
                               {static_cast<int64_t>(size), static_cast<int64_t>(r.Uncompressed)});
    }
    if (!zip64 && (r.Compressed >= 0xFFFFFFFFu || r.Uncompressed >= 0xFFFFFFFFu))
        throw EZAException(43, this);
    const int64_t end = Out.Position();
    // The local header gets its real CRC and sizes, so that a reader going
    // through the file from the front finds them there.
    lh.Crc32 = r.Crc32;
    lh.CompressedSize = zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(r.Compressed);
    lh.UncompressedSize = zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(r.Uncompressed);
    std::string patched = LocalHeaderBytes(lh) + raw;
    if (zip64) {
        Put16(patched, zip64ExtraId);
        Put16(patched, 16);
        Put64(patched, r.Uncompressed);
        Put64(patched, r.Compressed);
    }
    Out.SetPosition(at);
    Out.WriteBuffer(patched.data(), static_cast<int64_t>(patched.size()));
    Out.SetPosition(end);

    TZACentralHeader& c = Item.Header;
    c.VersionMadeBy = c.VersionNeeded = version;
    c.Flags = lh.Flags;
    c.Method = method;
    c.Crc32 = r.Crc32;
    c.CompressedSize = lh.CompressedSize;
    c.UncompressedSize = lh.UncompressedSize;
    c.InternalAttributes = 0;
    Item.Zip64 = zip64;
    Item.Zip64CompressedSize = r.Compressed;
    Item.Zip64UncompressedSize = r.Uncompressed;
    SetOffset(Item, static_cast<uint64_t>(at));
    Item.RawName = raw;
    Item.Rewrite = false;
    Item.SourceFileName.clear();
    Item.OriginalName = Item.Name;
}

void TZABaseArchiver::Commit() {
    TZADirArray result;
    result.CopyFrom(FDir->UpdateItems);
    FDir->UpdateItems.SetCount(0);
    std::map<std::string, int> readIndex;
    for (int i = 0; i < FDir->Items.Count(); ++i)
        readIndex[FDir->Items.Item(i).Name] = i;
    if (IsMultiVolume() && !FInMemory && !FExternalStream) {
        CommitVolumes(result);
        return;
    }
    const bool fileBacked = !FInMemory && !FExternalStream;
    std::string temp;
    std::unique_ptr<TStream> fresh;
    // The new archive is built whole beside the old one (same folder, so the
    // final rename cannot cross file systems); the old one is not touched
    // until the new one is complete.
    if (fileBacked) {
        try {
            temp = CreateTempFile(ExtractFilePath(ExpandFileName(FileName)), "FC");
            fresh = std::make_unique<TFileStream>(temp, fmOpenReadWrite | fmShareExclusive);
        } catch (const EStreamError&) {
            if (!temp.empty()) DeleteFile(temp);
            throw EZAException(19, this, {FileName});
        }
    } else {
        fresh = std::make_unique<TMemoryStream>();
    }
    try {
        if (FDataStart > 0) {
            FArchive->SetPosition(0);
            fresh->CopyFrom(*FArchive, std::min(FDataStart, FArchive->Size()));
        }
        for (int i = 0; i < result.Count(); ++i) {
            TDirItem& item = result.Item(i);
            if (item.Rewrite) {
                WriteNewItem(item, *fresh);
                continue;
            }
            if (readIndex.find(item.OriginalName) == readIndex.end()) throw EZAException(7, this);
            CopyKeptItem(item, *fresh);
        }
        if (FCancel) throw EZAException(46, this);
        FDir->WriteDirectory(*fresh, result);
        if (fileBacked) {
            auto* f = static_cast<TFileStream*>(fresh.get());
            f->FlushBuffers();
            struct stat st;
            if (::stat(DiskName(FileName).c_str(), &st) == 0)
                ::fchmod(f->Handle(), st.st_mode & 07777);
            fresh.reset();
            FOwnedStream.reset();
            FArchive = nullptr;
            if (::rename(DiskName(temp).c_str(), DiskName(FileName).c_str()) != 0)
                throw EZAException(27, this, {FileName});
            temp.clear();
            const uint16_t mode =
                FOpenMode == fmCreate ? fmOpenReadWrite | fmShareDenyWrite : FOpenMode;
            FOwnedStream = std::make_unique<TFileStream>(FileName, mode);
            FArchive = FOwnedStream.get();
        } else if (FExternalStream) {
            FArchive->SetSize(0);
            FArchive->SetPosition(0);
            FArchive->CopyFrom(*fresh, 0);
        } else {
            FOwnedStream = std::move(fresh);
            FArchive = FOwnedStream.get();
        }
    } catch (...) {
        if (!temp.empty()) {
            fresh.reset();
            DeleteFile(temp);
        }
        if (!FArchive && fileBacked) {
            // The old archive is still whole: open it again as it was.
            try {
                FOwnedStream = std::make_unique<TFileStream>(
                    FileName,
                    FOpenMode == fmCreate ? fmOpenReadWrite | fmShareDenyWrite : FOpenMode);
                FArchive = FOwnedStream.get();
            } catch (const EStreamError&) {
            }
        }
        throw;
    }
    FDir->Items.CopyFrom(result);
    for (int i = 0; i < FDir->Items.Count(); ++i)
        FDir->Items.Item(i).OriginalName = FDir->Items.Item(i).Name;
    FDir->StubLength = 0;
    FCreated = false;
}

void TZABaseArchiver::CommitVolumes(TZADirArray& Result) {
    if (!FCreated) throw EZAException(52, this);
    TZAVolumeWriter w(*this);
    try {
        if (FDataStart > 0) { // the stub goes in front of the first volume
            FArchive->SetPosition(0);
            w.CopyFrom(*FArchive, std::min(FDataStart, FArchive->Size()));
        } else {
            // The split-archive marker other zip programs expect at the start
            // of the first volume.
            std::string marker;
            Put32(marker, sigDataDescriptor);
            w.WriteBuffer(marker.data(), 4);
        }
        for (int i = 0; i < Result.Count(); ++i) {
            TDirItem& item = Result.Item(i);
            if (!item.Rewrite) throw EZAException(52, this);
            // The item is made whole first, then copied into the volumes: its
            // header is never split, its data may be.
            std::unique_ptr<TStream> tmp;
            std::string tmpName;
            if (FileSizeOf(item.SourceFileName) > (8 << 20)) {
                tmpName = CreateTempFile(TempDir, "FC");
                tmp = std::make_unique<TFileStream>(tmpName, fmOpenReadWrite | fmShareExclusive);
            } else {
                tmp = std::make_unique<TMemoryStream>();
            }
            try {
                WriteNewItem(item, *tmp);
                uint8_t h[LocalHeaderSize];
                tmp->SetPosition(0);
                tmp->ReadBuffer(h, sizeof h);
                const int64_t headerLen =
                    static_cast<int64_t>(LocalHeaderSize) + Get16(h + 26) + Get16(h + 28);
                const uint32_t vol = w.Reserve(headerLen);
                const auto off = static_cast<uint64_t>(w.Position());
                tmp->SetPosition(0);
                w.CopyFrom(*tmp, headerLen);
                const int64_t total = tmp->Size() - headerLen;
                bool cancel = false;
                DoCopyTempFileProgress(0, ppStart, cancel);
                std::vector<char> buf(1000000);
                for (int64_t done = 0; done < total && !cancel;) {
                    const int64_t n =
                        std::min<int64_t>(static_cast<int64_t>(buf.size()), total - done);
                    tmp->ReadBuffer(buf.data(), n);
                    w.WriteBuffer(buf.data(), n);
                    done += n;
                    DoCopyTempFileProgress(static_cast<double>(done) / static_cast<double>(total) *
                                               100,
                                           ppProcess, cancel);
                }
                if (cancel) throw EZAException(45, this);
                DoCopyTempFileProgress(100, ppEnd, cancel);
                SetOffset(item, off);
                if (vol >= 0xFFFF) {
                    item.Header.DiskNumberStart = 0xFFFF;
                    item.Zip64DiskNumber = vol;
                    item.Zip64 = true;
                } else {
                    item.Header.DiskNumberStart = static_cast<uint16_t>(vol);
                }
            } catch (...) {
                tmp.reset();
                if (!tmpName.empty()) DeleteFile(tmpName);
                throw;
            }
            tmp.reset();
            if (!tmpName.empty()) DeleteFile(tmpName);
        }
        FDir->WriteDirectory(w, Result, [&](size_t n) {
            return n ? w.Reserve(static_cast<int64_t>(n)) : w.Volume();
        });
        const uint32_t last = w.Finish(FileName);
        FDir->Items.CopyFrom(Result);
        FOwnedStream = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyNone);
        FArchive = FOwnedStream.get();
        FOpenMode = fmOpenRead | fmShareDenyNone;
        FVolumeFileName = FileName;
        FVolume.SetLastNumber(static_cast<int32_t>(last));
        FVolume.SetLast();
        FCreated = false;
    } catch (...) {
        w.Discard();
        throw;
    }
}
