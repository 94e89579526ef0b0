#include "zaitemdata.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <vector>

#include "zaarchiver.h"
#include "zablocks.h"
#include "zacrypt.h"
#include "zarecords.h"

namespace {

constexpr size_t InChunk = 1 << 20;  // 1 MB of archive data at a time
constexpr size_t OutChunk = 1 << 18; // fixed output buffer: memory stays bounded

// The version text handed to zlib's init calls: the library checks only its
// first character, so every zlib 1.x takes it.
constexpr const char* ZLibVersionText = "1.1.4";

struct TInflater {
    z_stream z{};
    bool open = false;
    TInflater() {
        // Raw deflate, as the archive holds it: bytes past the end of an
        // item's deflate data are never taken for a zlib checksum.
        DCheck(inflateInit2_(&z, -MAX_WBITS, ZLibVersionText, static_cast<int>(sizeof z)));
        open = true;
    }
    ~TInflater() {
        if (open) inflateEnd(&z);
    }
};

// A whole zlib stream, of which the archive takes the raw deflate data: the
// 2-byte header is dropped and the last 4 bytes (the checksum) are held back
// until more output shows they are data.
struct TDeflater {
    z_stream z{};
    bool open = false;
    size_t HeaderLeft = 2;
    uint8_t Tail[4] = {};
    size_t TailLen = 0;
    explicit TDeflater(int level) {
        CCheck(deflateInit_(&z, level, ZLibVersionText, static_cast<int>(sizeof z)));
        open = true;
    }
    ~TDeflater() {
        if (open) deflateEnd(&z);
    }
    // Takes the N bytes of zlib output at P (with 4 bytes of room before P)
    // and returns where the deflate data to write start, N set to their count.
    uint8_t* Trim(uint8_t* P, size_t& N) {
        const size_t skip = std::min(HeaderLeft, N);
        HeaderLeft -= skip;
        P += skip;
        N -= skip;
        // The previous tail goes in front; the last 4 bytes become the new tail.
        P -= TailLen;
        std::copy(Tail, Tail + TailLen, P);
        N += TailLen;
        TailLen = std::min<size_t>(N, 4);
        std::copy(P + N - TailLen, P + N, Tail);
        N -= TailLen;
        return P;
    }
};

} // namespace

bool TZAItemReader::CheckPassword(const uint8_t Header[12]) {
    // The password is tried, then asked for again; a handler that neither
    // changes it nor skips the item ends the loop instead of spinning.
    for (;;) {
        uint8_t h[12];
        std::copy(Header, Header + 12, h);
        TZACrypt crypt(A.Password);
        crypt.Decrypt(h, 12);
        const uint8_t check = (It.Header.Flags & 0x08)
                                  ? static_cast<uint8_t>(It.Header.DosTime >> 8)
                                  : static_cast<uint8_t>(It.Header.Crc32 >> 24);
        if (h[11] == check) return true;
        std::string fresh = A.Password;
        bool skip = false;
        A.DoPassword(A.ShownName(It.Name), fresh, skip);
        if (skip) {
            A.FSkipFile = true;
            return false;
        }
        if (fresh == A.Password) return false;
        A.Password = fresh;
    }
}

bool TZAItemReader::Locate() {
    if (A.IsMultiVolume()) A.OpenVolume(It.DiskNumber());
    TStream& s = A.VolumeStream();
    // Offsets and sizes come from the file: compared, unsigned, with what the
    // file holds before anything is computed from them.
    const uint64_t offset = It.LocalHeaderOffset();
    const auto size = static_cast<uint64_t>(
        std::max<int64_t>(A.FRunArchiveSize >= 0 ? A.FRunArchiveSize : s.Size(), 0));
    if (!A.IsMultiVolume() && (offset >= size || size - offset < LocalHeaderSize)) return false;
    if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
    uint8_t lh[LocalHeaderSize];
    s.SetPosition(static_cast<int64_t>(offset));
    if (A.ReadContinuing(lh, sizeof lh) != sizeof lh ||
        (Get32(lh) != sigLocal && Get32(lh) != sigOwnLocal))
        return false;
    const uint64_t skip = static_cast<uint64_t>(Get16(lh + 26)) + Get16(lh + 28);
    FCompressed = It.CompressedSize();
    if (A.IsMultiVolume()) {
        std::string names(static_cast<size_t>(skip), '\0');
        if (A.ReadContinuing(names.data(), static_cast<int64_t>(skip)) !=
            static_cast<int64_t>(skip))
            return false;
        FDataStart = static_cast<uint64_t>(s.Position());
        FCompressed = std::min(FCompressed, UINT64_MAX - FDataStart);
    } else {
        if (size - offset - LocalHeaderSize < skip) return false;
        FDataStart = offset + LocalHeaderSize + skip;
        FCompressed = std::min(FCompressed, size - FDataStart);
    }
    FLocated = true;
    return true;
}

bool TZAItemReader::Run(TStream& Out) {
    bool good = FLocated || Locate();
    if (good && !A.IsMultiVolume()) A.VolumeStream().SetPosition(static_cast<int64_t>(FDataStart));
    if (It.Header.Method == 9) throw EZAException(zeDeflate64, &A);
    // No password opens another archiver's AES or strong encryption here: the
    // item fails at once rather than asking for a password again and again.
    if (It.HasForeignEncryption()) throw EZAException(zeBadItemData, &A);
    // Stored, deflated and the engine's own blocks are known; anything else
    // fails cleanly.
    if (It.Header.Method != 0 && It.Header.Method != 8 &&
        !IsOwnBlockItem(It.Header.Method, It.Header.VersionNeeded))
        good = false;
    uint64_t compressed = FCompressed;
    const bool encrypted = It.IsEncrypted();
    uint8_t header[12] = {};
    bool ok = good;
    if (ok && encrypted) {
        if (compressed < 12 || A.ReadContinuing(header, 12) != 12)
            ok = false;
        else {
            compressed -= 12;
            if (!CheckPassword(header)) {
                if (A.FSkipFile) return false;
                ok = false;
            }
        }
    }
    if (ok) ok = Pump(Out, compressed, encrypted, A.Password, header);
    ok = ok && FWritten == It.UncompressedSize() && ~FCrc == It.Header.Crc32;
    if (!ok && !A.FCancel && !A.ExtractCorruptedFiles && !A.FSkipFile)
        throw EZAException(zeBadItemData, &A);
    return ok;
}

bool TZAItemReader::Pump(TStream& Out, uint64_t Compressed, bool Encrypted, const std::string& Key,
                         const uint8_t* Header) {
    std::unique_ptr<TZACrypt> crypt;
    if (Encrypted) {
        crypt = std::make_unique<TZACrypt>(Key);
        uint8_t h[12];
        std::copy(Header, Header + 12, h);
        crypt->Decrypt(h, 12);
    }
    const uint64_t limit = It.UncompressedSize();
    if (IsOwnBlockItem(It.Header.Method, It.Header.VersionNeeded))
        return PumpBlocks(Out, Compressed, crypt.get());
    const bool deflated = It.Header.Method == 8;
    if (deflated && Compressed == 0) return limit == 0; // some writers store nothing at all
    std::unique_ptr<TInflater> inf;
    if (deflated) inf = std::make_unique<TInflater>();
    std::vector<uint8_t> in(
        static_cast<size_t>(std::min<uint64_t>(InChunk, std::max<uint64_t>(Compressed, 1))));
    // Inflated output beyond the declared size is refused anyway.
    std::vector<uint8_t> out(deflated ? static_cast<size_t>(std::min<uint64_t>(OutChunk, limit + 1))
                                      : 0);
    uint64_t left = Compressed;
    bool ended = !deflated;
    auto emit = [&](const uint8_t* p, size_t n) { return Emit(Out, p, n); };
    while (left > 0 && !A.FCancel) {
        const auto n = static_cast<size_t>(std::min<uint64_t>(left, in.size()));
        if (A.ReadContinuing(in.data(), static_cast<int64_t>(n)) != static_cast<int64_t>(n))
            return false;
        left -= n;
        if (crypt) crypt->Decrypt(in.data(), n);
        if (!deflated) {
            if (!emit(in.data(), n)) return false;
        } else {
            inf->z.next_in = in.data();
            inf->z.avail_in = static_cast<uInt>(n);
            while (inf->z.avail_in > 0 && !ended) {
                inf->z.next_out = out.data();
                inf->z.avail_out = static_cast<uInt>(out.size());
                const int r = inflate(&inf->z, Z_NO_FLUSH);
                if (r < 0 && r != Z_BUF_ERROR) return false;
                if (!emit(out.data(), out.size() - inf->z.avail_out)) return false;
                if (r == Z_STREAM_END) ended = true;
                if (r == Z_BUF_ERROR) break;
            }
        }
        A.Progress(It.Name, static_cast<double>(Compressed - left), static_cast<double>(Compressed),
                   It.Operation);
    }
    // Output still held inside the inflater after the last input.
    while (deflated && !ended && !A.FCancel) {
        inf->z.next_out = out.data();
        inf->z.avail_out = static_cast<uInt>(out.size());
        const int r = inflate(&inf->z, Z_FINISH);
        const size_t got = out.size() - inf->z.avail_out;
        if (!emit(out.data(), got)) return false;
        if (r == Z_STREAM_END)
            ended = true;
        else if (got == 0)
            break;
    }
    return ended || !deflated;
}

bool TZAItemReader::Emit(TStream& Out, const uint8_t* P, size_t N) {
    // Past the declared size the item is corrupt (or a bomb): stop.
    if (FWritten + N > It.UncompressedSize()) return false;
    FCrc = ~static_cast<uint32_t>(crc32(~FCrc, P, static_cast<uInt>(N)));
    if (Out.Write(P, static_cast<int64_t>(N)) != static_cast<int64_t>(N))
        throw EZAException(zeCannotCreateFile, &A, {A.ShownName(It.Name)});
    FWritten += N;
    return true;
}

bool TZAItemReader::PumpBlocks(TStream& Out, uint64_t Compressed, TZACrypt* Crypt) {
    TZABlockReader blocks([&](const uint8_t* p, size_t n) { return Emit(Out, p, n); });
    std::vector<uint8_t> in(
        static_cast<size_t>(std::min<uint64_t>(InChunk, std::max<uint64_t>(Compressed, 1))));
    uint64_t left = Compressed;
    while (left > 0 && !A.FCancel) {
        const auto n = static_cast<size_t>(std::min<uint64_t>(left, in.size()));
        if (A.ReadContinuing(in.data(), static_cast<int64_t>(n)) != static_cast<int64_t>(n))
            return false;
        left -= n;
        if (Crypt) Crypt->Decrypt(in.data(), n);
        if (!blocks.Feed(in.data(), n)) return false;
        A.Progress(It.Name, static_cast<double>(Compressed - left), static_cast<double>(Compressed),
                   It.Operation);
    }
    return blocks.Complete();
}

TZAWriteResult ZAWriteItemData(TStream& Source, TStream& Out, int Level, uint16_t Method,
                               const std::string& Password,
                               const std::function<bool(double, double)>& Progress) {
    TZAWriteResult r;
    const int64_t total = Source.Size();
    const int64_t start = Source.Position();
    // Harder compression reads larger chunks; each chunk but the last ends
    // with a sync flush, so the data written so far can always be inflated.
    const size_t chunk = Level == 0   ? 1048576
                         : Level <= 3 ? 524288
                         : Level <= 6 ? 1048576
                                      : 1572864;
    // Buffers no larger than the source needs: many small files must not
    // each cost a chunk of memory.
    const auto need = static_cast<size_t>(std::max<int64_t>(total - start, 1));
    std::vector<uint8_t> in(std::min(chunk, need));
    // Deflate output lands 4 bytes in, where the held-back tail can go before it.
    std::vector<uint8_t> out(Method == 8 ? 4 + std::min(OutChunk, need + need / 10 + 267) : 0);
    std::unique_ptr<TZACrypt> crypt;
    uint32_t reg = 0xFFFFFFFFu;
    if (!Password.empty()) {
        // The check bytes of the header need the CRC before the data are written.
        for (;;) {
            const int64_t n = Source.Read(in.data(), static_cast<int64_t>(in.size()));
            if (n <= 0) break;
            reg = ~static_cast<uint32_t>(crc32(~reg, in.data(), static_cast<uInt>(n)));
        }
        Source.SetPosition(start);
        crypt = std::make_unique<TZACrypt>(Password);
        uint8_t h[12];
        TZACrypt::RandomHeader(h, ~reg);
        crypt->Encrypt(h, 12);
        Out.WriteBuffer(h, 12);
        r.Compressed += 12;
        reg = 0xFFFFFFFFu;
    }
    auto put = [&](uint8_t* p, size_t n) {
        if (crypt) crypt->Encrypt(p, n);
        Out.WriteBuffer(p, static_cast<int64_t>(n));
        r.Compressed += n;
    };
    if (Method != 0 && Method != 8) {
        // The engine's own blocks, each a whole zlib stream.
        std::string head = ZABlockHeader(static_cast<uint64_t>(std::max<int64_t>(total - start, 0)),
                                         crypt != nullptr, Level);
        put(reinterpret_cast<uint8_t*>(head.data()), head.size());
        std::vector<uint8_t> block(ZABlockSize);
        for (;;) {
            const int64_t n = Source.Read(block.data(), static_cast<int64_t>(block.size()));
            if (n <= 0) break;
            reg = ~static_cast<uint32_t>(crc32(~reg, block.data(), static_cast<uInt>(n)));
            r.Uncompressed += static_cast<uint64_t>(n);
            std::string b = ZABlock(block.data(), static_cast<size_t>(n), Level);
            put(reinterpret_cast<uint8_t*>(b.data()), b.size());
            if (Progress &&
                !Progress(static_cast<double>(r.Uncompressed), static_cast<double>(total)))
                break;
        }
        r.Crc32 = ~reg;
        return r;
    }
    std::unique_ptr<TDeflater> def;
    if (Method == 8) def = std::make_unique<TDeflater>(Level);
    bool finished = false;
    while (!finished) {
        const int64_t n = Source.Read(in.data(), static_cast<int64_t>(in.size()));
        finished = n <= 0 || start + static_cast<int64_t>(r.Uncompressed) + n >= total;
        if (n > 0) {
            reg = ~static_cast<uint32_t>(crc32(~reg, in.data(), static_cast<uInt>(n)));
            r.Uncompressed += static_cast<uint64_t>(n);
        }
        if (!def) {
            if (n > 0) put(in.data(), static_cast<size_t>(n));
        } else {
            def->z.next_in = in.data();
            def->z.avail_in = static_cast<uInt>(std::max<int64_t>(n, 0));
            const int flush = finished ? Z_FINISH : Z_SYNC_FLUSH;
            int res;
            do {
                def->z.next_out = out.data() + 4;
                def->z.avail_out = static_cast<uInt>(out.size() - 4);
                res = CCheck(deflate(&def->z, flush));
                size_t got = out.size() - 4 - def->z.avail_out;
                uint8_t* data = def->Trim(out.data() + 4, got);
                put(data, got);
            } while (def->z.avail_out == 0 || (flush == Z_FINISH && res != Z_STREAM_END));
        }
        if (Progress && !Progress(static_cast<double>(r.Uncompressed), static_cast<double>(total)))
            break;
    }
    r.Crc32 = ~reg;
    return r;
}

void DecompressBuf(const void* InBuf, int InBytes, int OutEstimate, std::vector<char>& OutBuf,
                   int& OutBytes, int Limit) {
    OutBuf.clear();
    OutBytes = 0;
    const int step = OutEstimate > 0 ? OutEstimate : std::max(256, (InBytes + 255) / 256 * 256);
    z_stream z{};
    DCheck(inflateInit_(&z, ZLibVersionText, static_cast<int>(sizeof z)));
    std::vector<char> out(static_cast<size_t>(step));
    z.next_in = static_cast<Bytef*>(const_cast<void*>(InBuf));
    z.avail_in = static_cast<uInt>(std::max(InBytes, 0));
    int r = Z_OK;
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(out.data()) + z.total_out;
        z.avail_out = static_cast<uInt>(out.size() - z.total_out);
        r = inflate(&z, Z_NO_FLUSH);
        if (r == Z_STREAM_END || r < 0 || (r == Z_BUF_ERROR && z.avail_in == 0)) break;
        if (z.avail_out == 0) {
            if (static_cast<int>(out.size()) + step > Limit) {
                r = Z_DATA_ERROR; // beyond what the caller allows
                break;
            }
            out.resize(out.size() + static_cast<size_t>(step));
        }
    }
    const auto produced = static_cast<int>(z.total_out);
    inflateEnd(&z);
    if (r != Z_STREAM_END) DCheck(r < 0 ? r : Z_DATA_ERROR);
    out.resize(static_cast<size_t>(produced));
    OutBuf = std::move(out);
    OutBytes = produced;
}
