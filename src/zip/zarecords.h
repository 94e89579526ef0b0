#pragma once
// The byte layouts of the zip records, read from and written to streams, and
// the conversions of stored names between the archive's and the program's
// code pages.

#include <cstdint>
#include <string>

#include "platform/rtl/streams.h"
#include "zatypes.h"

constexpr uint32_t sigLocal = 0x04034B50, sigCentral = 0x02014B50, sigEnd = 0x06054B50;
constexpr uint32_t sigOwnLocal = 0x05045C61, sigOwnCentral = 0x03025C61, sigOwnEnd = 0x06054141;
constexpr uint32_t sigZip64End = 0x06064B50, sigZip64Locator = 0x07064B50;
constexpr uint32_t sigDataDescriptor = 0x08074B50;
constexpr uint16_t zip64ExtraId = 0x0001;

constexpr size_t LocalHeaderSize = 30, CentralHeaderSize = 46, EndRecordSize = 22;
constexpr size_t Zip64EndSize = 56, Zip64LocatorSize = 20;

struct TZALocalHeader {
    uint32_t Signature = 0;
    uint16_t VersionNeeded = 0;
    uint16_t Flags = 0;
    uint16_t Method = 0;
    uint16_t DosTime = 0;
    uint16_t DosDate = 0;
    uint32_t Crc32 = 0;
    uint32_t CompressedSize = 0;
    uint32_t UncompressedSize = 0;
    uint16_t NameLength = 0;
    uint16_t ExtraLength = 0;
};

struct TZAEndRecord {
    uint32_t Signature = sigEnd;
    uint16_t ThisDisk = 0;
    uint16_t CentralDirDisk = 0;
    uint16_t EntriesOnDisk = 0;
    uint16_t TotalEntries = 0;
    uint32_t CentralDirSize = 0;
    uint32_t CentralDirOffset = 0;
    uint16_t CommentLength = 0;
};

struct TZAZip64End {
    uint64_t RecordSize = 44;
    uint16_t VersionMadeBy = 45;
    uint16_t VersionNeeded = 45;
    uint32_t ThisDisk = 0;
    uint32_t CentralDirDisk = 0;
    uint64_t EntriesOnDisk = 0;
    uint64_t TotalEntries = 0;
    uint64_t CentralDirSize = 0;
    uint64_t CentralDirOffset = 0;
};

// Little-endian access to a byte buffer.
inline uint16_t Get16(const void* p) {
    const auto* b = static_cast<const uint8_t*>(p);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}
inline uint32_t Get32(const void* p) {
    return Get16(p) | (static_cast<uint32_t>(Get16(static_cast<const uint8_t*>(p) + 2)) << 16);
}
inline uint64_t Get64(const void* p) {
    return Get32(p) | (static_cast<uint64_t>(Get32(static_cast<const uint8_t*>(p) + 4)) << 32);
}
void Put16(std::string& s, uint16_t v);
void Put32(std::string& s, uint32_t v);
void Put64(std::string& s, uint64_t v);

TZALocalHeader ParseLocalHeader(const uint8_t* b);
TZACentralHeader ParseCentralHeader(const uint8_t* b);
TZAEndRecord ParseEndRecord(const uint8_t* b);
TZAZip64End ParseZip64End(const uint8_t* b);
std::string LocalHeaderBytes(const TZALocalHeader& h);
std::string CentralHeaderBytes(const TZACentralHeader& h);
std::string EndRecordBytes(const TZAEndRecord& e);
std::string Zip64EndBytes(const TZAZip64End& e);
std::string Zip64LocatorBytes(uint64_t Zip64EndOffset, uint32_t Disk = 0);

// Splits an extra field into blocks and takes the zip64 values an item needs.
void ParseExtra(TDirItem& Item);
// The zip64 block for the item's full fields ("" when none is full).
std::string Zip64ExtraBytes(const TDirItem& Item);
// The extra field to write: the zip64 block, then every other block.
std::string CentralExtraBytes(const TDirItem& Item);

// Stored names. Read: the archive's bytes to the program's form of the exact
// name (see ProgramName), by the UTF-8 flag, the Unicode path block of Extra,
// or else the writer's host (DOS hosts: the OEM code page when OEMFileNames).
std::string NameFromArchive(const std::string& Raw, uint16_t VersionMadeBy, uint16_t Flags,
                            bool OEMFileNames, const std::string& Extra = "");
// Written: the exact name's bytes; beyond 7-bit ASCII they are UTF-8 (the
// flag is set) or, for a disk name that is no UTF-8, the bytes as a Unix
// writer stores them.
struct TZANameBytes {
    std::string Bytes;
    uint16_t Flags = 0;    // the UTF-8 flag when set
    bool UnixHost = false; // version made by names a Unix host
};
TZANameBytes NameToArchive(const std::string& Name);
constexpr uint16_t ZAUtf8NameFlag = 0x0800;
constexpr uint16_t ZAUnicodePathId = 0x7075;
