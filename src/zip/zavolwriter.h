#pragma once
// Writing an archive over volumes of bounded size: each volume is asked for
// through the blank-volume event, checked for room, and filled; a block that
// must not be split (a header) goes whole to the next volume when it does not
// fit. The last volume gets the archive's own name when the set is complete,
// unless that name is one of the set's own volumes (the same name on every
// disk); a disk that still holds a volume of the set is asked for again,
// never written over. Once complete, the set is never overwritten or deleted: a failure
// while naming it leaves every volume as written.
// A disk of a spanned set on a removable medium is filled from memory: its
// writes are held back and copied onto it when the next disk is asked for
// and at the end, in one piece each (copied early only when the held bytes
// grow large, so a big stick never lives in memory whole).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/streams.h"

class TZABaseArchiver;

class TZAVolumeWriter : public TStream {
public:
    explicit TZAVolumeWriter(TZABaseArchiver& Archiver);
    ~TZAVolumeWriter() override;

    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* Buffer, int64_t Count) override;
    // Only the position in the current volume can be asked for.
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t) override {}

    // Makes room for Count bytes that must stay together; returns the volume.
    uint32_t Reserve(int64_t Count);
    uint32_t Volume() const { return FVolume; }
    // Closes the last volume and gives it the archive's name (a copy where a
    // rename cannot reach) where that name is free; returns the name the
    // last volume has then. Volume() is its number.
    std::string Finish(const std::string& LastName);
    // Deletes every volume written, after a failure before the set was
    // complete; a complete set stays.
    void Discard();

private:
    int64_t Room();
    void Next();
    // Copies the held-back bytes onto the current volume (code 46 when the
    // medium does not take them all).
    void WritePending();
    void Open();
    // Copies a closed volume to To (another file system); raises code 46 when
    // it cannot be written whole.
    void CopyVolume(const std::string& From, const std::string& To);
    // Whether Name is a file this set wrote (under any spelling or link).
    bool IsVolume(const std::string& Name) const;

    TZABaseArchiver& A;
    uint32_t FVolume = 0;
    int64_t FInVolume = 0;
    std::unique_ptr<TFileStream> FFile;
    bool FHoldBack = false; // the current volume is a removable disk
    bool FComplete = false; // every byte of the set is on its volumes
    std::string FPending;
    std::vector<std::string> FNames;
};
