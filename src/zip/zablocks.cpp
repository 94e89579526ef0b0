#include "zablocks.h"

#include <zlib.h>

#include <algorithm>
#include <random>

#include "zaerrors.h"
#include "zaitemdata.h"
#include "zarecords.h"

namespace {

constexpr uint16_t BlockFormat = 1;
// A block's zlib stream may be a little longer than its data.
constexpr uint32_t MaxBlockLength = ZABlockSize + ZABlockSize / 8 + 1024;

// The own variant's password hook for the check part: it changes nothing in
// this program.
void PasswordHook(uint8_t (&)[16]) {}

uint32_t Crc(const uint8_t* P, size_t N) {
    return static_cast<uint32_t>(crc32(0, P, static_cast<uInt>(N)));
}

} // namespace

bool IsOwnBlockItem(uint16_t Method, uint16_t VersionNeeded) {
    // AES items of other archivers carry a method of their own and are never
    // the engine's blocks.
    return Method != 0 && Method != 8 && Method != 9 && Method != ZAAesMethod &&
           (VersionNeeded & 0xFF) > 10;
}

std::string ZABlockHeader(uint64_t Total, bool Protected, int Level) {
    std::string h = "ZABK";
    Put16(h, BlockFormat);
    Put16(h, Protected ? 1 : 0);
    Put32(h, ZABlockSize);
    Put64(h, Total);
    Put32(h, static_cast<uint32_t>(Total / ZABlockSize + (Total % ZABlockSize != 0)));
    uint8_t check[16];
    std::random_device rd;
    for (uint8_t& b : check)
        b = static_cast<uint8_t>(rd());
    PasswordHook(check);
    h.append(reinterpret_cast<const char*>(check), sizeof check);
    Put32(h, Crc(check, sizeof check));
    Put16(h, static_cast<uint16_t>(Level));
    Put32(h, 0);
    return h;
}

std::string ZABlock(const uint8_t* Data, size_t Count, int Level) {
    uLongf size = compressBound(static_cast<uLong>(Count));
    std::string out(4 + size, '\0');
    CCheck(compress2(reinterpret_cast<Bytef*>(out.data() + 4), &size, Data,
                     static_cast<uLong>(Count), std::clamp(Level, 0, 9)));
    out.resize(4 + size);
    std::string len;
    Put32(len, static_cast<uint32_t>(size));
    out.replace(0, 4, len);
    return out;
}

bool TZABlockReader::TakeHeader() {
    const uint8_t* h = FPending.data();
    if (std::string(reinterpret_cast<const char*>(h), 4) != "ZABK" || Get16(h + 4) != BlockFormat)
        return false;
    FBlockSize = Get32(h + 8);
    const uint64_t total = Get64(h + 12);
    FBlocksLeft = Get32(h + 20);
    if (FBlockSize == 0 || FBlockSize > ZABlockSize ||
        total / FBlockSize + (total % FBlockSize != 0) != FBlocksLeft)
        return false;
    uint8_t check[16];
    std::copy(h + 24, h + 40, check);
    PasswordHook(check);
    if (Crc(check, sizeof check) != Get32(h + 40)) return false;
    FHeaderRead = true;
    FPending.erase(FPending.begin(), FPending.begin() + ZABlockHeaderSize);
    return true;
}

bool TZABlockReader::Feed(const uint8_t* Data, size_t Count) {
    FPending.insert(FPending.end(), Data, Data + Count);
    if (!FHeaderRead) {
        if (FPending.size() < ZABlockHeaderSize) return true;
        if (!TakeHeader()) return false;
    }
    while (FPending.size() >= 4) {
        const uint32_t len = Get32(FPending.data());
        if (FBlocksLeft == 0 || len == 0 || len > MaxBlockLength) return false;
        if (FPending.size() < 4 + static_cast<size_t>(len)) return true;
        std::vector<char> out;
        int got = 0;
        try {
            DecompressBuf(FPending.data() + 4, static_cast<int>(len), static_cast<int>(FBlockSize),
                          out, got, static_cast<int>(FBlockSize) + 256);
        } catch (const EZlibError&) {
            return false;
        }
        if (got <= 0 || static_cast<uint32_t>(got) > FBlockSize) return false;
        --FBlocksLeft;
        FPending.erase(FPending.begin(), FPending.begin() + 4 + len);
        if (!FEmit(reinterpret_cast<const uint8_t*>(out.data()), static_cast<size_t>(got)))
            return false;
    }
    return true;
}
