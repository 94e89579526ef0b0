#include "zadirectory.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <vector>

#include "zaerrors.h"

int64_t TZAVolumeSource::ReadContinuing(void* Buffer, int64_t Count) {
    auto* p = static_cast<char*>(Buffer);
    int64_t done = VolumeStream().Read(p, Count);
    while (done < Count && IsMultiVolume() && !IsLastVolume()) {
        OpenVolume(CurrentVolume() + 1);
        VolumeStream().SetPosition(0);
        const int64_t n = VolumeStream().Read(p + done, Count - done);
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t FindSignatureForward(TStream& S, int64_t From, uint32_t Signature, int64_t Limit) {
    const int64_t size = Limit >= 0 ? std::min(Limit, S.Size()) : S.Size();
    // The window starts small and grows: a signature is usually near, and a
    // file full of false signatures must not cost a large read per find.
    int64_t window = 4096;
    std::vector<uint8_t> buf;
    int64_t pos = From;
    while (pos + 4 <= size) {
        const int64_t n = std::min(window, size - pos);
        if (buf.size() < static_cast<size_t>(n)) buf.resize(static_cast<size_t>(n));
        S.SetPosition(pos);
        if (S.Read(buf.data(), n) != n) return -1;
        for (int64_t i = 0; i + 4 <= n; ++i)
            if (buf[static_cast<size_t>(i)] == (Signature & 0xFF) &&
                Get32(buf.data() + i) == Signature)
                return pos + i;
        if (pos + n >= size) break;
        pos += n - 3;
        window = std::min<int64_t>(window * 2, 65535);
    }
    return -1;
}

TZADirManager::TZADirManager(TZAVolumeSource& Source, bool StandardSignature,
                             const TComponent* Owner)
    : FSource(Source), FOwner(Owner) {
    End.Signature = StandardSignature ? sigEnd : sigOwnEnd;
}

bool TZADirManager::FindSignatureBackward(bool StandardOnly) {
    TStream& s = FSource.VolumeStream();
    const int64_t size = s.Size();
    const int64_t len = std::min<int64_t>(65600, size);
    std::vector<uint8_t> buf(static_cast<size_t>(len));
    s.SetPosition(size - len);
    if (len > 0 && s.Read(buf.data(), len) != len) return false;
    const uint32_t sigs[2] = {sigOwnEnd, sigEnd};
    for (int k = StandardOnly ? 1 : 0; k < 2; ++k) {
        for (int64_t i = len - 4; i >= 0; --i) {
            const uint8_t* p = buf.data() + i;
            if (Get32(p) != sigs[k] || i + static_cast<int64_t>(EndRecordSize) > len) continue;
            const TZAEndRecord e = ParseEndRecord(p);
            if (len - (i + static_cast<int64_t>(EndRecordSize)) != e.CommentLength) continue;
            End = e;
            Comment.assign(reinterpret_cast<const char*>(p + EndRecordSize), e.CommentLength);
            EndPosition = size - len + i;
            return true;
        }
    }
    return false;
}

bool TZADirManager::ReadCentralDirectory() {
    TStream& s = FSource.VolumeStream();
    StubLength = 0;
    CentralDirStart = CentralDirEnd = 0;
    uint64_t count = End.TotalEntries, cdSize = End.CentralDirSize, cdOffset = End.CentralDirOffset;
    uint32_t cdDisk = End.CentralDirDisk;
    int64_t dirEnd = EndPosition; // where the directory ends in the last volume
    IsZip64 = false;
    if (EndPosition >= static_cast<int64_t>(Zip64LocatorSize)) {
        uint8_t loc[Zip64LocatorSize];
        s.SetPosition(EndPosition - static_cast<int64_t>(Zip64LocatorSize));
        if (s.Read(loc, sizeof loc) == sizeof loc && Get32(loc) == sigZip64Locator) {
            IsZip64 = true;
            const int64_t at = EndPosition - static_cast<int64_t>(Zip64LocatorSize + Zip64EndSize);
            uint8_t rec[Zip64EndSize];
            if (at < 0) throw EZAException(zeNoZip64End, FOwner);
            s.SetPosition(at);
            if (s.Read(rec, sizeof rec) != sizeof rec || Get32(rec) != sigZip64End)
                throw EZAException(zeNoZip64End, FOwner);
            Zip64End = ParseZip64End(rec);
            count = Zip64End.TotalEntries;
            cdSize = Zip64End.CentralDirSize;
            cdOffset = Zip64End.CentralDirOffset;
            cdDisk = Zip64End.CentralDirDisk;
            dirEnd = at;
        }
    }
    if (!FSource.IsMultiVolume()) {
        // Bounded by the real file: a directory cannot be larger than what
        // precedes its end, nor hold more headers than fit in it.
        if (cdSize > static_cast<uint64_t>(dirEnd)) return false;
        const uint64_t expected = static_cast<uint64_t>(dirEnd) - cdSize;
        if (cdOffset != expected) {
            // Data in front of the archive (a stub) whose offsets were not
            // adjusted: the directory stands right before its end record.
            uint8_t sig[4];
            s.SetPosition(static_cast<int64_t>(expected));
            if (s.Read(sig, 4) == 4 && Get32(sig) == CentralSignature())
                cdOffset = expected;
            else if (cdOffset > expected)
                return false;
        }
    } else {
        if (cdOffset > static_cast<uint64_t>(INT64_MAX)) return false;
        FSource.OpenVolume(cdDisk);
    }
    if (count > cdSize / CentralHeaderSize) return false;
    // Read in steps, so that a directory size the volumes do not hold costs
    // no more memory than the bytes really there.
    std::string buf;
    FSource.VolumeStream().SetPosition(static_cast<int64_t>(cdOffset));
    while (buf.size() < cdSize) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(cdSize - buf.size(), 1 << 20));
        const size_t at = buf.size();
        buf.resize(at + n);
        if (FSource.ReadContinuing(buf.data() + at, static_cast<int64_t>(n)) !=
            static_cast<int64_t>(n))
            return false;
    }
    if (!ParseCentralHeaders(buf, count)) return false;
    if (!FSource.IsMultiVolume()) {
        CentralDirStart = cdOffset;
        CentralDirEnd = static_cast<uint64_t>(EndPosition) + EndRecordSize;
        FindStubLength();
    }
    return true;
}

bool TZADirManager::ParseCentralHeaders(const std::string& Buf, uint64_t Count) {
    Items.SetCount(0);
    size_t p = 0;
    for (uint64_t i = 0; i < Count; ++i) {
        if (p + CentralHeaderSize > Buf.size()) return false;
        const auto* b = reinterpret_cast<const uint8_t*>(Buf.data() + p);
        TDirItem item;
        item.Header = ParseCentralHeader(b);
        if (item.Header.Signature != sigCentral && item.Header.Signature != sigOwnCentral)
            return false;
        const size_t n = item.Header.NameLength, x = item.Header.ExtraLength,
                     c = item.Header.CommentLength;
        if (p + CentralHeaderSize + n + x + c > Buf.size()) return false;
        const std::string raw = Buf.substr(p + CentralHeaderSize, n);
        item.Extra = Buf.substr(p + CentralHeaderSize + n, x);
        item.Name = NameFromArchive(raw, item.Header.VersionMadeBy, item.Header.Flags, OEMFileNames,
                                    item.Extra);
        item.RawName = raw;
        item.Comment = Buf.substr(p + CentralHeaderSize + n + x, c);
        ParseExtra(item);
        item.OriginalName = item.Name;
        p += CentralHeaderSize + n + x + c;
        Items.Add(item);
    }
    return true;
}

void TZADirManager::FindStubLength() {
    if (Items.Count() == 0) return;
    TStream& s = FSource.VolumeStream();
    const TDirItem& first = Items.Item(0);
    const int64_t limit = EndPosition;
    // An offset the file cannot hold names no place to search from.
    if (first.LocalHeaderOffset() >= static_cast<uint64_t>(limit)) return;
    int64_t from = static_cast<int64_t>(first.LocalHeaderOffset());
    for (int guard = 0; guard < 4096 && from >= 0; ++guard) {
        const int64_t at = FindSignatureForward(s, from, LocalSignature(), limit);
        if (at < 0) return;
        uint8_t h[LocalHeaderSize];
        s.SetPosition(at);
        if (s.Read(h, sizeof h) != sizeof h) return;
        const TZALocalHeader lh = ParseLocalHeader(h);
        std::string raw(lh.NameLength, '\0');
        if (lh.Method == first.Header.Method && lh.NameLength == first.Header.NameLength &&
            s.Read(raw.data(), lh.NameLength) == lh.NameLength && raw == first.RawName) {
            StubLength = at;
            break;
        }
        from = at + 1;
    }
    // Offsets written before the stub was put in front: shift them by the
    // distance the first item really moved (for every item, folders too, so
    // that each keeps pointing at its own header).
    const int64_t shift = StubLength - static_cast<int64_t>(first.LocalHeaderOffset());
    if (shift <= 0) return;
    for (int i = 0; i < Items.Count(); ++i) {
        TDirItem& it = Items.Item(i);
        if (it.LocalHeaderOffset() >= static_cast<uint64_t>(limit)) continue; // stays failing
        uint64_t off = it.LocalHeaderOffset() + static_cast<uint64_t>(shift);
        if (it.Header.LocalHeaderOffset == 0xFFFFFFFFu)
            it.Zip64LocalHeaderOffset = off;
        else if (off < 0xFFFFFFFFu)
            it.Header.LocalHeaderOffset = static_cast<uint32_t>(off);
        else {
            it.Header.LocalHeaderOffset = 0xFFFFFFFFu;
            it.Zip64LocalHeaderOffset = off;
        }
    }
}

void TZADirManager::RebuildFromLocalHeaders() {
    TStream& s = FSource.VolumeStream();
    const int64_t size = s.Size();
    Items.SetCount(0);
    StubLength = 0;
    CentralDirStart = CentralDirEnd = 0;
    int64_t pos = 0;
    bool any = false;
    while (pos < size) {
        const int64_t at = FindSignatureForward(s, pos, LocalSignature());
        if (at < 0 || at + static_cast<int64_t>(LocalHeaderSize) > size) break;
        uint8_t h[LocalHeaderSize];
        s.SetPosition(at);
        s.ReadBuffer(h, sizeof h);
        const TZALocalHeader lh = ParseLocalHeader(h);
        if (lh.ExtraLength > 260) break;
        if (lh.NameLength == 0) {
            // A header without a name is no item (nothing could be made of
            // it); a file full of them must not fill memory with items.
            pos = at + static_cast<int64_t>(LocalHeaderSize);
            continue;
        }
        if (!any) StubLength = at;
        any = true;
        TDirItem item;
        TZACentralHeader& c = item.Header;
        c.Signature = CentralSignature();
        c.VersionMadeBy = c.VersionNeeded = lh.VersionNeeded;
        c.Flags = lh.Flags;
        c.Method = lh.Method;
        c.DosTime = lh.DosTime;
        c.DosDate = lh.DosDate;
        c.Crc32 = lh.Crc32;
        c.CompressedSize = lh.CompressedSize;
        c.UncompressedSize = lh.UncompressedSize;
        const size_t nameLen = std::min<size_t>(lh.NameLength, 999);
        std::string raw(nameLen, '\0');
        s.Read(raw.data(), static_cast<int64_t>(nameLen));
        s.SetPosition(at + static_cast<int64_t>(LocalHeaderSize) + lh.NameLength);
        std::string extra(lh.ExtraLength, '\0');
        s.Read(extra.data(), lh.ExtraLength);
        item.Name = NameFromArchive(raw, c.VersionMadeBy, c.Flags, OEMFileNames, extra);
        item.RawName = raw;
        c.NameLength = static_cast<uint16_t>(nameLen);
        item.Extra = extra;
        ParseExtra(item);
        if (!item.Name.empty() && item.Name.back() == '/') c.ExternalAttributes = faDirectory;
        if (at < 0xFFFFFFFF)
            c.LocalHeaderOffset = static_cast<uint32_t>(at);
        else
            c.LocalHeaderOffset = 0xFFFFFFFFu,
            item.Zip64LocalHeaderOffset = static_cast<uint64_t>(at);
        const int64_t dataStart =
            at + static_cast<int64_t>(LocalHeaderSize) + lh.NameLength + lh.ExtraLength;
        int64_t next = dataStart;
        if (lh.Flags & 0x08) {
            const int64_t dd = FindSignatureForward(s, dataStart, sigDataDescriptor);
            if (dd >= 0 && dd + 16 <= size) {
                uint8_t d[16];
                s.SetPosition(dd);
                s.ReadBuffer(d, sizeof d);
                c.Crc32 = Get32(d + 4);
                c.CompressedSize = Get32(d + 8);
                c.UncompressedSize = Get32(d + 12);
                next = dd + 16;
            }
        } else {
            const uint64_t cs = item.CompressedSize();
            next = dataStart <= size && cs <= static_cast<uint64_t>(size - dataStart)
                       ? dataStart + static_cast<int64_t>(cs)
                       : dataStart;
        }
        Items.Add(item);
        Items.Item(Items.Count() - 1).OriginalName = item.Name;
        pos = std::max(next, at + 4);
    }
    if (!any) throw EZAException(zeInvalidArchive, FOwner);
}

void TZADirManager::WriteDirectory(TStream& Out, const TZADirArray& Array,
                                   const std::function<uint32_t(size_t)>& Volume) {
    auto volume = [&](size_t n) { return Volume ? Volume(n) : 0u; };
    const uint32_t cdDisk = volume(CentralHeaderSize);
    const uint64_t cdStart = static_cast<uint64_t>(Out.Position());
    uint64_t cdSize = 0;
    std::vector<uint32_t> headerDisks;
    std::string buf;
    auto flush = [&] {
        Out.WriteBuffer(buf.data(), static_cast<int64_t>(buf.size()));
        cdSize += buf.size();
        buf.clear();
    };
    for (int i = 0; i < Array.Count(); ++i) {
        TDirItem it = Array.Item(i);
        // A kept item keeps its name bytes, which its local header repeats.
        const std::string raw = !it.RawName.empty() && it.Name == it.OriginalName
                                    ? it.RawName
                                    : NameToArchive(it.Name).Bytes;
        const std::string extra = CentralExtraBytes(it);
        it.Header.Signature = CentralSignature();
        it.Header.NameLength = static_cast<uint16_t>(raw.size());
        it.Header.ExtraLength = static_cast<uint16_t>(extra.size());
        const std::string comment = it.Comment.substr(0, 0xFFFF);
        it.Header.CommentLength = static_cast<uint16_t>(comment.size());
        const std::string rec = CentralHeaderBytes(it.Header) + raw + extra + comment;
        if (Volume) {
            // Over volumes each header is written on its own, never split.
            volume(rec.size());
            headerDisks.push_back(volume(0));
            buf = rec;
            flush();
            continue;
        }
        buf += rec;
        if (buf.size() > (1u << 20)) flush();
    }
    flush();
    const uint64_t count = static_cast<uint64_t>(Array.Count());
    // Zip64 end records when anything does not fit its 16- or 32-bit field.
    const bool need64 = static_cast<uint64_t>(Out.Position()) >= 0xFFFFFFFFu || count >= 0xFFFF ||
                        cdStart >= 0xFFFFFFFFu || cdSize >= 0xFFFFFFFFu;
    const std::string comment = Comment.substr(0, 0xFFFF);
    const uint32_t lastDisk =
        volume((need64 ? Zip64EndSize + Zip64LocatorSize : 0) + EndRecordSize + comment.size());
    const uint64_t here = static_cast<uint64_t>(Out.Position());
    uint64_t onThisDisk = count;
    if (Volume)
        onThisDisk =
            static_cast<uint64_t>(std::count(headerDisks.begin(), headerDisks.end(), lastDisk));
    std::string tail;
    if (need64) {
        TZAZip64End z;
        z.ThisDisk = lastDisk;
        z.CentralDirDisk = cdDisk;
        z.EntriesOnDisk = onThisDisk;
        z.TotalEntries = count;
        z.CentralDirSize = cdSize;
        z.CentralDirOffset = cdStart;
        tail = Zip64EndBytes(z) + Zip64LocatorBytes(here, lastDisk);
    }
    TZAEndRecord e;
    e.Signature = OwnVariant() ? sigOwnEnd : sigEnd;
    e.ThisDisk = lastDisk >= 0xFFFF ? 0xFFFF : static_cast<uint16_t>(lastDisk);
    e.CentralDirDisk = cdDisk >= 0xFFFF ? 0xFFFF : static_cast<uint16_t>(cdDisk);
    e.EntriesOnDisk = onThisDisk >= 0xFFFF ? 0xFFFF : static_cast<uint16_t>(onThisDisk);
    e.TotalEntries = count >= 0xFFFF ? 0xFFFF : static_cast<uint16_t>(count);
    e.CentralDirSize = cdSize >= 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(cdSize);
    e.CentralDirOffset = cdStart >= 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(cdStart);
    e.CommentLength = static_cast<uint16_t>(comment.size());
    tail += EndRecordBytes(e) + comment;
    Out.WriteBuffer(tail.data(), static_cast<int64_t>(tail.size()));
    End = e;
}
