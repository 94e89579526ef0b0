#include "streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files.h"

// --- TStream -----------------------------------------------------------------

int64_t TStream::Size() {
    const int64_t pos = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
    if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
    if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    constexpr int64_t chunk = 1 << 16;
    std::vector<char> buf(static_cast<size_t>(std::min(Count, chunk)));
    int64_t left = Count;
    while (left > 0) {
        const int64_t n = std::min(left, chunk);
        Source.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        left -= n;
    }
    return Count;
}

// --- THandleStream -------------------------------------------------------------

int64_t THandleStream::Read(void* Buffer, int64_t Count) {
    return ReadFully(FHandle, Buffer, Count);
}

int64_t THandleStream::Write(const void* Buffer, int64_t Count) {
    return WriteFully(FHandle, Buffer, Count);
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(FHandle, static_cast<off_t>(Offset), whence);
    return r < 0 ? -1 : static_cast<int64_t>(r);
}

void THandleStream::SetSize(int64_t NewSize) {
    const int64_t pos = Position();
    if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
        throw EWriteError("Stream write error");
    if (pos > NewSize) Seek(NewSize, soBeginning);
}

void THandleStream::FlushBuffers() {
    ::fsync(FHandle);
}

// --- TFileStream ---------------------------------------------------------------

namespace {

// Share modes between openers of one file, kept as open-file-description locks
// on four bytes far past any data: "reads", "writes", "denies read" and
// "denies write". Each opener marks what it does and what it denies with shared
// locks, and first checks that nobody else denies what it wants or does what
// it wants to deny. The locks are advisory: other programs do not see them.
constexpr off_t LockBase = static_cast<off_t>(1) << 62;
enum LockByte { lbReads = 0, lbWrites = 1, lbDeniesRead = 2, lbDeniesWrite = 3 };

// A lock of Type on the one byte b.
struct flock LockOf(LockByte b, short Type) {
    struct flock fl {};
    fl.l_type = Type;
    fl.l_whence = SEEK_SET;
    fl.l_start = LockBase + b;
    fl.l_len = 1;
    return fl;
}

bool OthersHold(int fd, LockByte b) {
    struct flock fl = LockOf(b, F_WRLCK);
    if (::fcntl(fd, F_OFD_GETLK, &fl) != 0) return false;
    return fl.l_type != F_UNLCK;
}

bool Mark(int fd, LockByte b) {
    struct flock fl = LockOf(b, F_RDLCK);
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

// True when the share rules allow this opener; marks its access and denials.
bool ApplyShareMode(int fd, bool reads, bool writes, uint16_t share) {
    const bool denyRead = share == fmShareExclusive || share == fmShareDenyRead;
    const bool denyWrite = share == fmShareExclusive || share == fmShareDenyWrite;
    if (reads && OthersHold(fd, lbDeniesRead)) return false;
    if (writes && OthersHold(fd, lbDeniesWrite)) return false;
    if (denyRead && OthersHold(fd, lbReads)) return false;
    if (denyWrite && OthersHold(fd, lbWrites)) return false;
    bool ok = true;
    if (reads) ok = ok && Mark(fd, lbReads);
    if (writes) ok = ok && Mark(fd, lbWrites);
    if (denyRead) ok = ok && Mark(fd, lbDeniesRead);
    if (denyWrite) ok = ok && Mark(fd, lbDeniesWrite);
    return ok;
}

} // namespace

TFileStream::TFileStream(const std::string& AFileName, uint16_t Mode)
    : THandleStream(-1), FFileName(AFileName) {
    const std::string disk = DiskName(AFileName);
    if (Mode == fmCreate) {
        // Not O_TRUNC: a file another opener denies writing must stay whole.
        FHandle = ::open(disk.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (FHandle < 0 || !ApplyShareMode(FHandle, true, true, fmShareExclusive) ||
            ::ftruncate(FHandle, 0) != 0) {
            if (FHandle >= 0) ::close(FHandle);
            FHandle = -1;
            throw EFCreateError("Cannot create file \"" + AFileName + "\"");
        }
        return;
    }
    const uint16_t access = Mode & 0x0003;
    const uint16_t share = Mode & 0x00F0;
    const int flags = access == fmOpenWrite       ? O_WRONLY
                      : access == fmOpenReadWrite ? O_RDWR
                                                  : O_RDONLY;
    FHandle = ::open(disk.c_str(), flags | O_CLOEXEC);
    // The share marks are read locks, which need read access: a write-only
    // opener reads too when the file allows it.
    if (flags == O_WRONLY) {
        if (FHandle >= 0) ::close(FHandle);
        FHandle = ::open(disk.c_str(), O_RDWR | O_CLOEXEC);
    }
    struct stat st;
    const bool regular = FHandle >= 0 && ::fstat(FHandle, &st) == 0 && !S_ISDIR(st.st_mode);
    if (!regular || !ApplyShareMode(FHandle, access != fmOpenWrite, access != fmOpenRead, share)) {
        if (FHandle >= 0) ::close(FHandle);
        FHandle = -1;
        throw EFOpenError("Cannot open file \"" + AFileName + "\"");
    }
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

// --- TMemoryStream -------------------------------------------------------------

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
    const int64_t n = std::max<int64_t>(0, std::min(Count, Size() - FPosition));
    if (n > 0) std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
    if (Count <= 0) return 0;
    if (FPosition + Count > Size()) FData.resize(static_cast<size_t>(FPosition + Count));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition += Count;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    const int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : Size();
    if (base + Offset >= 0) FPosition = base + Offset;
    return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(0, NewSize)));
    FPosition = std::min(FPosition, Size());
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Source) {
    Source.SetPosition(0);
    FData.resize(static_cast<size_t>(Source.Size()));
    Source.ReadBuffer(FData.data(), Size());
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(f);
}

void TMemoryStream::SaveToStream(TStream& Dest) {
    Dest.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
    TFileStream f(FileName, fmCreate);
    SaveToStream(f);
}
