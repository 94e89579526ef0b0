#pragma once
// Byte streams: the abstract stream, streams on file handles (with the share
// modes of the Windows file API, kept as advisory locks between the openers)
// and a growable stream in memory.

#include <cstdint>
#include <string>
#include <vector>

#include "classes.h" // TObject, EStreamError family

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// File open modes: one access value or'ed with one share value; fmCreate makes
// (or empties) the file and opens it for reading and writing.
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;
constexpr uint16_t fmCreate = 0xFFFF;

class TStream : public TObject {
public:
    std::string ClassName() const override { return "TStream"; }
    // Reads or writes up to Count bytes and returns how many were moved.
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
    virtual void SetSize(int64_t NewSize) = 0;
    virtual int64_t Size();

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
    // Move exactly Count bytes or raise EReadError / EWriteError.
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);
    // Copies Count bytes from Source's position (Count 0: all of Source from its
    // start) and returns the number copied.
    int64_t CopyFrom(TStream& Source, int64_t Count);
};

// A stream on an open file descriptor; it does not close the descriptor.
class THandleStream : public TStream {
public:
    explicit THandleStream(int AHandle) : FHandle(AHandle) {}
    std::string ClassName() const override { return "THandleStream"; }
    int Handle() const { return FHandle; }
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override; // raises EWriteError on failure
    // Writes the file's buffers through to the device.
    void FlushBuffers();

protected:
    int FHandle = -1;
};

// A file opened by name with an open mode. Raises EFOpenError (EFCreateError
// for fmCreate) when the file cannot be opened or another opener's share mode
// forbids the access.
class TFileStream : public THandleStream {
public:
    TFileStream(const std::string& AFileName, uint16_t Mode);
    ~TFileStream() override;
    std::string ClassName() const override { return "TFileStream"; }
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
};

class TMemoryStream : public TStream {
public:
    std::string ClassName() const override { return "TMemoryStream"; }
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }

    char* Memory() { return FData.data(); }
    const std::vector<char>& Data() const { return FData; }
    void Clear();
    void LoadFromStream(TStream& Source);
    void LoadFromFile(const std::string& FileName);
    void SaveToStream(TStream& Dest);
    void SaveToFile(const std::string& FileName);

private:
    std::vector<char> FData;
    int64_t FPosition = 0;
};
