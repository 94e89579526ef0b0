#pragma once
// The engine's own block format, used by items of its own archive variant
// whose method is neither stored nor deflate: a 50-byte header, then blocks,
// each a 32-bit little-endian length followed by that many bytes of a whole
// zlib stream (header and checksum included), inflated with DecompressBuf.
//
// Header: "ZABK", format 1 (16 bits), protected flag (16 bits: the item is
// encrypted), block size (32), uncompressed size (64), block count (32), a
// 16-byte check part that goes through the variant's password hook, the
// CRC-32 of that part (32), the compression level (16), 4 reserved bytes.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr size_t ZABlockHeaderSize = 50;
constexpr uint32_t ZABlockSize = 65536;

// Whether an item's method and version needed call for the block format.
bool IsOwnBlockItem(uint16_t Method, uint16_t VersionNeeded);

// The header for Total bytes in blocks of ZABlockSize.
std::string ZABlockHeader(uint64_t Total, bool Protected, int Level);
// One block as written: its length, then its zlib stream.
std::string ZABlock(const uint8_t* Data, size_t Count, int Level);

// Reads the format from bytes fed in any pieces; each inflated block goes to
// Emit (false from Emit stops). Feed answers false as soon as the data are
// found wrong (bad header, check part, block or length).
class TZABlockReader {
public:
    using TEmit = std::function<bool(const uint8_t* Data, size_t Count)>;
    explicit TZABlockReader(TEmit Emit) : FEmit(std::move(Emit)) {}
    bool Feed(const uint8_t* Data, size_t Count);
    // Every announced block was read.
    bool Complete() const { return FHeaderRead && FBlocksLeft == 0 && FPending.empty(); }

private:
    bool TakeHeader();
    TEmit FEmit;
    std::vector<uint8_t> FPending;
    bool FHeaderRead = false;
    uint32_t FBlocksLeft = 0;
    uint32_t FBlockSize = 0;
};
