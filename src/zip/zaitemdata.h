#pragma once
// The data path of one item: reading (stored or deflate, traditional
// decryption, CRC-32 and size check) and writing (deflate, encryption header).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/streams.h"
#include "zatypes.h"

class TZABaseArchiver;

class TZAItemReader {
public:
    TZAItemReader(TZABaseArchiver& Archiver, const TDirItem& Item) : A(Archiver), It(Item) {}
    // Reads the item's local header: where its data start and how many bytes
    // they take (cut at the end of a single file). False when the header is
    // not there.
    bool Locate();
    uint64_t HeaderOffset() const { return It.LocalHeaderOffset(); }
    uint64_t DataEnd() const { return FDataStart + FCompressed; }
    // Writes the item's data to Out (after Locate); true when sizes and CRC
    // agree. Raises code 8 for a failed item (unless skipped, cancelled or
    // corrupt files are wanted), 55 for Deflate64.
    bool Run(TStream& Out);

private:
    bool CheckPassword(const uint8_t Header[12]);
    bool Pump(TStream& Out, uint64_t Compressed, bool Encrypted, const std::string& Key,
              const uint8_t* Header);
    // The engine's own block format (zablocks.h).
    bool PumpBlocks(TStream& Out, uint64_t Compressed, class TZACrypt* Crypt);
    // Takes inflated bytes: CRC, size limit, written to Out.
    bool Emit(TStream& Out, const uint8_t* P, size_t N);
    TZABaseArchiver& A;
    const TDirItem& It;
    uint32_t FCrc = 0xFFFFFFFFu;
    uint64_t FWritten = 0;
    bool FLocated = false;
    uint64_t FDataStart = 0, FCompressed = 0;
};

// Compresses (and with a password encrypts) Source into Out at its position;
// returns the CRC-32, and the sizes written and read.
struct TZAWriteResult {
    uint32_t Crc32 = 0;
    uint64_t Compressed = 0;
    uint64_t Uncompressed = 0;
};
TZAWriteResult ZAWriteItemData(TStream& Source, TStream& Out, int Level, uint16_t Method,
                               const std::string& Password,
                               const std::function<bool(double, double)>& Progress);

// Inflates a whole buffer that carries its zlib header. The output starts at
// OutEstimate bytes (0: InBytes rounded up to a multiple of 256) and grows by
// that much while it is full, up to Limit bytes. On failure OutBuf is emptied,
// OutBytes is 0 and EDecompressionError is raised.
void DecompressBuf(const void* InBuf, int InBytes, int OutEstimate, std::vector<char>& OutBuf,
                   int& OutBytes, int Limit = 1 << 28);
