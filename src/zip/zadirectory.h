#pragma once
// The directory manager: finds the end record, reads the central directory
// into the item array (or rebuilds it from the local headers of a damaged
// archive), and writes the central directory and end records.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/rtl/classes.h"
#include "platform/rtl/streams.h"
#include "zarecords.h"
#include "zatypes.h"

// Where the archive's bytes come from: one stream, or the volumes of a set.
class TZAVolumeSource {
public:
    virtual ~TZAVolumeSource() = default;
    virtual TStream& VolumeStream() = 0;
    virtual bool IsMultiVolume() const = 0;
    virtual uint32_t CurrentVolume() const = 0;
    // Whether the current volume is the last of the set (reads end there).
    virtual bool IsLastVolume() const { return !IsMultiVolume(); }
    // Makes volume Number (0-based) the current one; raises code 45 when it
    // cannot be had.
    virtual void OpenVolume(uint32_t Number) = 0;
    // Reads Count bytes from the current position, going on at the start of the
    // next volume when a volume ends; returns the bytes read.
    int64_t ReadContinuing(void* Buffer, int64_t Count);
};

// The position of the next Signature at or after From, or -1; reads windows
// that overlap by 3 bytes so that a signature across two windows is found.
int64_t FindSignatureForward(TStream& S, int64_t From, uint32_t Signature, int64_t Limit = -1);

class TZADirManager {
public:
    // Owner names the archiver in the messages of the errors raised here.
    TZADirManager(TZAVolumeSource& Source, bool StandardSignature,
                  const TComponent* Owner = nullptr);

    TZADirArray Items;       // as read
    TZADirArray UpdateItems; // of a pending update
    TZAEndRecord End;
    std::string Comment;
    bool IsZip64 = false;
    TZAZip64End Zip64End;
    int64_t EndPosition = -1;
    int64_t StubLength = 0;
    bool OEMFileNames = true;
    // Where the central directory read lies (with its end records); equal when
    // there is none.
    uint64_t CentralDirStart = 0, CentralDirEnd = 0;

    bool OwnVariant() const { return End.Signature == sigOwnEnd; }
    uint32_t LocalSignature() const { return OwnVariant() ? sigOwnLocal : sigLocal; }
    uint32_t CentralSignature() const { return OwnVariant() ? sigOwnCentral : sigCentral; }

    // Searches the end record backwards in the current volume (the standard
    // signature only, or the own one first); true when found.
    bool FindSignatureBackward(bool StandardOnly);
    // Reads the central directory named by the end record found. Returns false
    // when the directory is unreadable (a damaged single-file archive).
    bool ReadCentralDirectory();
    // Rebuilds the item array from the local headers; raises code 35 when not
    // one local header is found.
    void RebuildFromLocalHeaders();
    // Writes every central header, the zip64 records when needed and the end
    // record at the position of Out. Over volumes, Volume(n) makes room for n
    // bytes that must not be split and returns the current volume number.
    void WriteDirectory(TStream& Out, const TZADirArray& Array,
                        const std::function<uint32_t(size_t)>& Volume = {});

private:
    bool ParseCentralHeaders(const std::string& Buf, uint64_t Count);
    void FindStubLength();
    TZAVolumeSource& FSource;
    const TComponent* FOwner;
};
