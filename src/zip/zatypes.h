#pragma once
// The archive model: option objects, the volume descriptor and the in-memory
// record of each archive item with the growable array that holds them.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/rtl/fileattrs.h"
#include "platform/rtl/streams.h"

constexpr uint32_t faCompressed = 0x800;
constexpr uint32_t faNotContentIndexed = 0x2000;
// The search attributes that take every item, folders included.
constexpr int32_t ZAAllItemsAttr = faReadOnly | faHidden | faSysFile | faVolumeID | faDirectory |
                                   faArchive | faNormal | faCompressed | faNotContentIndexed;
static_assert(ZAAllItemsAttr == 0x28BF);
// The attribute bits an item may carry only when the search attributes hold them.
constexpr uint32_t ZASearchedAttrBits = faHidden | faSysFile | faVolumeID | faDirectory;
// The method word of the engine's own archive variant (the base archiver's).
constexpr uint16_t ZAOwnVariantMethod = 65535;
// Encryption of other archivers that the engine holds no key for: WinZip's
// AES (method 99, with its 0x9901 extra block) and PKWARE's strong
// encryption (flag bit 6).
constexpr uint16_t ZAAesMethod = 99;
constexpr uint16_t ZAAesExtraId = 0x9901;
constexpr uint16_t ZAStrongEncryptionFlag = 0x0040;

enum TZACompressionLevel : uint8_t { clNone, clFastest, clNormal, clMax };
enum TZASpanningMode : uint8_t { smNone, smSpanning, smSplitting };
enum TZAVolumeSize : uint8_t {
    vsAutoDetect,
    vsCustom,
    vs1_44MB,
    vs100MB,
    vs200MB,
    vs250MB,
    vs600MB,
    vs650MB,
    vs700MB,
    vs4700MB
};
enum TZAStorePathMode : uint8_t { spNoPath, spRelativePath, spFullPath, spFullPathWithDrive };
enum TZAFileShareMode : uint8_t {
    smShareCompat,
    smShareExclusive,
    smShareDenyWrite,
    smShareDenyRead,
    smShareDenyNone
};
enum TZAOverwriteMode : uint8_t { omPrompt, omAlways, omNever, omIfNewer, omIfOlder };

using TZAProcessOperation = uint8_t; // 2 delete, 3 update, 4 extract, 5 test, 6 rename
constexpr TZAProcessOperation poDelete = 2, poUpdate = 3, poExtract = 4, poTest = 5, poRename = 6,
                              poAdd = 7;
using TZAProgressPhase = uint8_t; // 0 start, 1 in progress, 2 end
constexpr TZAProgressPhase ppStart = 0, ppProcess = 1, ppEnd = 2;
using TZAAction = uint8_t; // answer to a processing failure
constexpr TZAAction fxaRetry = 0, fxaIgnore = 1, fxaAbort = 2;

class TZAOptions : public TPersistent {
public:
    std::string ClassName() const override { return "TZAOptions"; }
    void Assign(const TPersistent* Source) override;
    TZAStorePathMode StorePath = spRelativePath;
    bool Recurse = true;
    TZAFileShareMode ShareMode = smShareDenyNone;
    TZAOverwriteMode OverwriteMode = omAlways;
    bool CreateDirs = true;
    bool ReplaceReadOnly = true;
    bool SetAttributes = true;
    int32_t SearchAttr = ZAAllItemsAttr;
    bool FlushBuffers = true;
    bool OEMFileNames = true;
};

class TZASpanningOptions : public TPersistent {
public:
    std::string ClassName() const override { return "TZASpanningOptions"; }
    void Assign(const TPersistent* Source) override;
    bool AdvancedNaming = true;
    int64_t FirstVolumeSize = 0;
    TZAVolumeSize VolumeSize = vsAutoDetect;
    int64_t CustomVolumeSize() const { return FCustomVolumeSize; }
    void SetCustomVolumeSize(int64_t Value) { FCustomVolumeSize = Value < 65536 ? 65536 : Value; }
    // The size of volume Index (0-based): -1 means the free space of the medium.
    int64_t VolumeSizeFor(int Index) const;

private:
    int64_t FCustomVolumeSize = 0;
    bool FFlag = false;
};

class TZAVolumeNumberInfo : public TObject {
public:
    enum Kind : uint8_t { vkFirst, vkLast, vkNumbered, vkUndetermined };
    void Reset() { FKind = vkUndetermined, FNumber = -1, FLastNumber = -1; }
    bool IsFirst() const { return FNumber == 0; }
    void SetFirst() { FKind = vkFirst, FNumber = 0; }
    bool IsLast() const { return FLastNumber >= 0 ? FNumber == FLastNumber : FKind == vkLast; }
    void SetLast() { FNumber = FLastNumber, FKind = vkLast; }
    void SetNumber(int32_t N) { FKind = vkNumbered, FNumber = N; }
    bool Equals(const TZAVolumeNumberInfo& Other) const;
    Kind VolumeKind() const { return FKind; }
    int32_t Number() const { return FNumber; }
    int32_t LastNumber() const { return FLastNumber; }
    void SetLastNumber(int32_t N) { FLastNumber = N; }

private:
    Kind FKind = vkUndetermined;
    int32_t FNumber = -1;
    int32_t FLastNumber = -1;
};

// The 46 fixed bytes of a central header.
struct TZACentralHeader {
    uint32_t Signature = 0;
    uint16_t VersionMadeBy = 0;
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
    uint16_t CommentLength = 0;
    uint16_t DiskNumberStart = 0;
    uint16_t InternalAttributes = 0;
    uint32_t ExternalAttributes = 0;
    uint32_t LocalHeaderOffset = 0;
};

struct TZAExtraBlock {
    uint16_t Id = 0;
    std::string Data; // its size is the block's size
};

struct TDirItem {
    TZACentralHeader Header;
    std::string Name;    // stored name, '/' separators, in the program's code page
    std::string RawName; // the name's bytes as they stand in the archive
    std::string Extra;
    std::string Comment;
    std::vector<TZAExtraBlock> ExtraBlocks;
    bool Zip64 = false;
    uint64_t Zip64CompressedSize = 0;
    uint64_t Zip64UncompressedSize = 0;
    uint64_t Zip64LocalHeaderOffset = 0;
    uint32_t Zip64DiskNumber = 0;
    // Pending update.
    bool Rewrite = false;
    std::string SourceFileName;
    std::string OriginalName; // the name in the read array, for renamed items
    bool Selected = false;
    TZAProcessOperation Operation = 0;

    // The effective values: the zip64 one where the 32-bit field is full.
    uint64_t CompressedSize() const;
    uint64_t UncompressedSize() const;
    uint64_t LocalHeaderOffset() const;
    uint32_t DiskNumber() const;
    uint32_t DosDateTime() const {
        return (static_cast<uint32_t>(Header.DosDate) << 16) | Header.DosTime;
    }
    bool IsFolder() const;
    // Made on Unix (or OS X): the high half of ExternalAttributes is a Unix mode
    // with its file type.
    bool MadeOnUnix() const;
    bool IsEncrypted() const { return (Header.Flags & 1) != 0; }
    // Encrypted by another archiver's AES or strong encryption.
    bool HasForeignEncryption() const;
};

class TZADirArray : public TObject {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    void SetCount(int NewCount);
    void Add(const TDirItem& Item);
    void SetItem(int Index, const TDirItem& Item); // code 1 on a bad index
    TDirItem GetItem(int Index) const;             // code 2
    TDirItem& Item(int Index);                     // code 3
    const TDirItem& Item(int Index) const;         // code 3
    void DeleteItem(int Index);                    // code 4
    void CopyFrom(const TZADirArray& Source) { FItems = Source.FItems; }
    void ClearSelection();
    int SelectedCount() const;

private:
    // Grows without moving its items: a directory rebuilt from very many
    // local headers never holds two copies of itself while growing.
    std::deque<TDirItem> FItems;
};
