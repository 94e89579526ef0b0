// The commit of a pending update: the new archive is built beside the old one
// and renamed over it only when it is complete; a new volume set is written
// volume by volume.
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

// Collects the writes of a commit into large blocks: an item is written as
// its header, its data and its header again (with CRC and sizes), which on a
// file of many small items would each be a system call.
class TWriteBuffer : public TStream {
public:
    explicit TWriteBuffer(TStream& Target) : F(Target), FBase(Target.Position()), FPos(FBase) {}
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* Buffer, int64_t Count) override {
        const auto end = static_cast<int64_t>(FBuf.size()) + FBase;
        if (FPos < FBase || FPos > end) {
            Flush();
            FBase = FPos;
        }
        const auto at = static_cast<size_t>(FPos - FBase);
        const auto n = static_cast<size_t>(Count);
        if (at + n > FBuf.size()) FBuf.resize(at + n);
        std::copy_n(static_cast<const char*>(Buffer), n, FBuf.begin() + static_cast<ptrdiff_t>(at));
        FPos += Count;
        if (FBuf.size() >= (1u << 20) && FPos == FBase + static_cast<int64_t>(FBuf.size())) {
            Flush();
            FBase = FPos;
        }
        return Count;
    }
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override {
        if (Origin == soBeginning)
            FPos = Offset;
        else if (Origin == soCurrent)
            FPos += Offset;
        else
            FPos = std::max(F.Size(), FBase + static_cast<int64_t>(FBuf.size())) + Offset;
        return FPos;
    }
    void SetSize(int64_t NewSize) override {
        Flush();
        F.SetSize(NewSize);
    }
    // Writes what is held to the target.
    void Flush() {
        if (FBuf.empty()) return;
        F.SetPosition(FBase);
        F.WriteBuffer(FBuf.data(), static_cast<int64_t>(FBuf.size()));
        FBase += static_cast<int64_t>(FBuf.size());
        FBuf.clear();
    }

private:
    TStream& F;
    std::vector<char> FBuf;
    int64_t FBase, FPos;
};

} // namespace

void TZABaseArchiver::CopyKeptItem(TDirItem& Item, TStream& Out) {
    TStream& in = *FArchive;
    // Every offset and size from the archive is compared, unsigned, with the
    // file before anything is computed from it.
    const auto size = static_cast<uint64_t>(std::max<int64_t>(in.Size(), 0));
    const uint64_t at = Item.LocalHeaderOffset();
    if (at >= size || size - at < LocalHeaderSize) throw EZAException(zeBadItemData, this);
    const auto offset = static_cast<int64_t>(at);
    uint8_t h[LocalHeaderSize];
    in.SetPosition(offset);
    in.ReadBuffer(h, sizeof h);
    const TZALocalHeader lh = ParseLocalHeader(h);
    const uint64_t headerLen = LocalHeaderSize + lh.NameLength + lh.ExtraLength;
    if (size - at < headerLen) throw EZAException(zeBadItemData, this);
    const uint64_t start = at + headerLen;
    if (Item.CompressedSize() > size - start) throw EZAException(zeBadItemData, this);
    const auto dataStart = static_cast<int64_t>(start);
    auto dataLen = static_cast<int64_t>(Item.CompressedSize());
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
        const TZANameBytes name = NameToArchive(Item.Name);
        const std::string& raw = name.Bytes;
        TZALocalHeader nh = lh;
        nh.Flags = static_cast<uint16_t>((nh.Flags & ~ZAUtf8NameFlag) | name.Flags);
        nh.NameLength = static_cast<uint16_t>(raw.size());
        Out.WriteBuffer(LocalHeaderBytes(nh).data(), LocalHeaderSize);
        Out.WriteBuffer(raw.data(), static_cast<int64_t>(raw.size()));
        in.SetPosition(offset + static_cast<int64_t>(LocalHeaderSize) + lh.NameLength);
        Out.CopyFrom(in, lh.ExtraLength + dataLen);
        Item.RawName = raw;
        Item.Header.Flags = nh.Flags;
        Item.Header.VersionMadeBy = (name.Flags || name.UnixHost) ? 0x0314
                                    : FOptions.OEMFileNames       ? 0x0014
                                                                  : 0x0B14;
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
            throw EZAException(zeCannotOpenFile, this, {Item.SourceFileName});
        }
    }
    const int64_t size = src ? src->Size() : 0;
    // Deflate can grow incompressible data a little; such sizes go zip64 early.
    const bool big = size >= 0xFFFFFFFFLL - (size >> 8) - 65536;
    if (big && Zip64Mode == 0) throw EZAException(zeZip64NeededFor, this, {Item.SourceFileName});
    const bool zip64 = Zip64Mode == 2 || (Zip64Mode == 1 && big);
    const bool own = FDir->OwnVariant();
    const uint16_t version = zip64                   ? (own ? 0x412D : 0x002D)
                             : own                   ? 0x4114
                             : FOptions.OEMFileNames ? 0x0014
                                                     : 0x0B14;
    // The method word decides: stored for mode 0, the engine's own blocks in
    // its own variant (method word 252 and up), else deflate.
    const uint16_t method = (folder || FMethod == 0) ? 0 : (own && FMethod >= 252) ? FMethod : 8;
    const bool encrypt = !Password.empty() && !folder;
    const TZANameBytes name = NameToArchive(Item.Name);
    const std::string& raw = name.Bytes;
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
    lh.Flags = static_cast<uint16_t>((encrypt ? 1 : 0) | name.Flags);
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
        if (FCancel) throw EAbort();
        if (r.Uncompressed != static_cast<uint64_t>(size))
            throw EZAException(zeCompressedSize, this,
                               {static_cast<int64_t>(size), static_cast<int64_t>(r.Uncompressed)});
    }
    if (!zip64 && (r.Compressed >= 0xFFFFFFFFu || r.Uncompressed >= 0xFFFFFFFFu))
        throw EZAException(zeZip64Needed, this);
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
    c.VersionNeeded = version;
    c.VersionMadeBy = version;
    if (name.Flags || name.UnixHost) {
        // A name beyond ASCII is written as Unix writers write it: readers
        // take the name of a DOS writer in its OEM code page, UTF-8 flag or
        // not. A Unix writer's item carries its permissions.
        c.VersionMadeBy = static_cast<uint16_t>(0x0300 | (version & 0xFF));
        struct stat st;
        mode_t mode = folder ? S_IFDIR | 0755 : S_IFREG | 0644;
        if (!folder && ::stat(DiskName(Item.SourceFileName).c_str(), &st) == 0)
            mode = st.st_mode & (S_IFMT | 0777);
        c.ExternalAttributes =
            (c.ExternalAttributes & 0xFFFF) | (static_cast<uint32_t>(mode) << 16);
    }
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
    // Progress of the items written anew; a cancel drops the update and leaves
    // the archive as it was.
    FCancel = false;
    FProgressOn = true;
    FProcessed = 0;
    FSelected = 0;
    for (int i = 0; i < result.Count(); ++i)
        FSelected += result.Item(i).Rewrite ? 1 : 0;
    struct ProgressOff {
        bool& Flag;
        ~ProgressOff() { Flag = false; }
    } progressOff{FProgressOn};
    if (IsMultiVolume() && !FInMemory && !FExternalStream) {
        try {
            CommitVolumes(result);
        } catch (const EAbort&) {
            FCreateFailed = FCreated;
        } catch (...) {
            FCreateFailed = FCreated;
            throw;
        }
        return;
    }
    const bool fileBacked = !FInMemory && !FExternalStream;
    // The file that was opened: FileName, or the one a disk request gave.
    const std::string target = FVolumeFileName.empty() ? FileName : FVolumeFileName;
    std::string temp;
    std::unique_ptr<TStream> fresh;
    // The new archive is built whole beside the old one (same folder, so the
    // final rename cannot cross file systems); the old one is not touched
    // until the new one is complete.
    if (fileBacked) {
        try {
            temp = CreateTempFile(ExtractFilePath(ExpandFileName(target)), "FC");
            fresh = std::make_unique<TFileStream>(temp, fmOpenReadWrite | fmShareExclusive);
        } catch (const EStreamError&) {
            if (!temp.empty()) DeleteFile(temp);
            throw EZAException(zeCannotCreateFile, this, {target});
        }
    } else {
        fresh = std::make_unique<TMemoryStream>();
    }
    try {
        TWriteBuffer out(*fresh);
        if (FDataStart > 0) {
            FArchive->SetPosition(0);
            out.CopyFrom(*FArchive, std::min(FDataStart, FArchive->Size()));
        }
        for (int i = 0; i < result.Count(); ++i) {
            TDirItem& item = result.Item(i);
            if (item.Rewrite) {
                WriteNewItem(item, out);
                ++FProcessed;
                continue;
            }
            if (readIndex.find(item.OriginalName) == readIndex.end())
                throw EZAException(zeNoReadCounterpart, this);
            CopyKeptItem(item, out);
        }
        FDir->WriteDirectory(out, result);
        out.Flush();
        if (fileBacked) {
            auto* f = static_cast<TFileStream*>(fresh.get());
            f->FlushBuffers();
            struct stat st;
            if (::stat(DiskName(target).c_str(), &st) == 0)
                ::fchmod(f->Handle(), st.st_mode & 07777);
            fresh.reset();
            FOwnedStream.reset();
            FArchive = nullptr;
            if (::rename(DiskName(temp).c_str(), DiskName(target).c_str()) != 0)
                throw EZAException(zeCannotReplaceArchive, this, {target});
            temp.clear();
            const uint16_t mode =
                FOpenMode == fmCreate ? fmOpenReadWrite | fmShareDenyWrite : FOpenMode;
            FOwnedStream = std::make_unique<TFileStream>(target, mode);
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
        FCreateFailed = FCreated;
        if (!temp.empty()) {
            fresh.reset();
            DeleteFile(temp);
        }
        if (!FArchive && fileBacked) {
            // The old archive is still whole: open it again as it was.
            try {
                FOwnedStream = std::make_unique<TFileStream>(
                    target, FOpenMode == fmCreate ? fmOpenReadWrite | fmShareDenyWrite : FOpenMode);
                FArchive = FOwnedStream.get();
            } catch (const EStreamError&) {
            }
        }
        try {
            throw;
        } catch (const EAbort&) {
            return; // cancelled from a progress event
        }
    }
    FDir->Items.CopyFrom(result);
    for (int i = 0; i < FDir->Items.Count(); ++i)
        FDir->Items.Item(i).OriginalName = FDir->Items.Item(i).Name;
    FDir->StubLength = FDataStart; // what stood in front of the items stays there
    FCreated = false;
}

void TZABaseArchiver::CommitVolumes(TZADirArray& Result) {
    if (!FCreated) throw EZAException(zeSpannedUpdate, this);
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
            if (!item.Rewrite) throw EZAException(zeSpannedUpdate, this);
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
                ++FProcessed;
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
                if (cancel) throw EZAException(zeVolumeRequest, this);
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
        const std::string lastName = w.Finish(MakeVolumeFileName(FileName, -1, false));
        const uint32_t last = w.Volume();
        FDir->Items.CopyFrom(Result);
        FOwnedStream = std::make_unique<TFileStream>(lastName, fmOpenRead | fmShareDenyNone);
        FArchive = FOwnedStream.get();
        FOpenMode = fmOpenRead | fmShareDenyNone;
        FVolumeFileName = lastName;
        FVolume.SetLastNumber(static_cast<int32_t>(last));
        FVolume.SetLast();
        FCreated = false;
    } catch (...) {
        w.Discard();
        throw;
    }
}
