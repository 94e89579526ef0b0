#include "zavolwriter.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/rtl/files.h"
#include "platform/rtl/tempfiles.h"
#include "zaarchiver.h"

namespace {

// Held-back bytes beyond this are copied onto the disk at once.
constexpr size_t PendingLimit = 16 << 20;

} // namespace

TZAVolumeWriter::TZAVolumeWriter(TZABaseArchiver& Archiver) : A(Archiver) {
    Open();
}

TZAVolumeWriter::~TZAVolumeWriter() = default;

void TZAVolumeWriter::Open() {
    const int number = static_cast<int>(FVolume) + 1;
    const int64_t size = A.SpanningOptions().VolumeSizeFor(static_cast<int>(FVolume));
    for (int guard = 0; guard < 100; ++guard) {
        std::string name;
        bool cancel = false;
        A.DoRequestBlankVolume(number, name, cancel);
        if (cancel) throw EZAException(zeVolumeRequest, &A);
        // A disk that was not swapped still holds a volume of this set: it
        // is no blank disk, and creating the volume would destroy the other.
        if (IsVolume(name)) continue;
        const int64_t free = A.FreeSpace(name);
        if (free >= 65537 && (size <= 0 || free >= size)) {
            try {
                FFile = std::make_unique<TFileStream>(name, fmCreate);
            } catch (const EStreamError&) {
                throw EZAException(zeVolumeRequest, &A);
            }
            FNames.push_back(name);
            FInVolume = 0;
            FHoldBack = A.SpanningMode() == smSpanning && A.IsRemovableMedium(name);
            // Each disk of a spanned set carries its number in its label.
            if (A.SpanningMode() == smSpanning)
                A.SetVolumeLabel(name, "pkback# " + Format("%.3d", number));
            return;
        }
        cancel = false;
        A.DoDiskFull(number, name, cancel);
        if (cancel) throw EZAException(zeVolumeRequest, &A);
    }
    throw EZAException(zeVolumeRequest, &A);
}

int64_t TZAVolumeWriter::Room() {
    const int64_t size = A.SpanningOptions().VolumeSizeFor(static_cast<int>(FVolume));
    // Bytes held back take no room on the medium yet, but will.
    int64_t room = A.FreeSpace(FFile->FileName()) - static_cast<int64_t>(FPending.size());
    if (room < 0) room = 0;
    if (size != -1) room = std::min(room, size - FInVolume);
    return std::max<int64_t>(room, 0);
}

void TZAVolumeWriter::WritePending() {
    if (FPending.empty()) return;
    const auto n = static_cast<int64_t>(FPending.size());
    if (FFile->Write(FPending.data(), n) != n) throw EZAException(zeVolumeWrite, &A);
    FPending.clear();
}

void TZAVolumeWriter::Next() {
    if (FFile) WritePending();
    if (FFile && A.SpanningMode() == smSpanning) FFile->FlushBuffers();
    FFile.reset();
    ++FVolume;
    Open();
}

int64_t TZAVolumeWriter::Write(const void* Buffer, int64_t Count) {
    const auto* p = static_cast<const char*>(Buffer);
    int64_t done = 0;
    int empty = 0;
    while (done < Count) {
        const int64_t n = std::min(Room(), Count - done);
        if (n <= 0) {
            if (++empty > 2) throw EZAException(zeVolumeWrite, &A); // no volume takes a byte
            Next();
            continue;
        }
        empty = 0;
        if (FHoldBack) {
            FPending.append(p + done, static_cast<size_t>(n));
            if (FPending.size() >= PendingLimit) WritePending();
        } else if (FFile->Write(p + done, n) != n) {
            throw EZAException(zeVolumeWrite, &A);
        }
        done += n;
        FInVolume += n;
    }
    return done;
}

uint32_t TZAVolumeWriter::Reserve(int64_t Count) {
    if (Count > 0 && Room() < Count) {
        Next();
        if (Room() < Count) throw EZAException(zeVolumeWrite, &A);
    }
    return FVolume;
}

int64_t TZAVolumeWriter::Seek(int64_t Offset, TSeekOrigin Origin) {
    if (Offset != 0 || Origin != soCurrent) throw EZAException(zeVolumeWrite, &A);
    return FInVolume;
}

std::string TZAVolumeWriter::Finish(const std::string& LastName) {
    if (FFile) {
        WritePending();
        FFile->FlushBuffers();
    }
    FFile.reset();
    FComplete = true;
    if (FNames.empty()) return LastName;
    const std::string last = FNames.back();
    // The archive's name may be a volume of this very set, as when every
    // disk carries the same name and the first one is named: the last
    // volume keeps the name it was written under, and the reader is asked
    // for the last disk.
    if (IsVolume(LastName)) return last;
    if (::rename(DiskName(last).c_str(), DiskName(LastName).c_str()) == 0) {
        FNames.back() = LastName;
        return LastName;
    }
    // The blank-volume question may have put the volumes on another file
    // system, where a rename cannot reach: the last volume is copied then.
    // A medium without room for it is not written at all.
    if (A.FreeSpace(LastName) < FileSizeOf(last)) throw EZAException(zeVolumeWrite, &A);
    CopyVolume(last, LastName);
    DeleteFile(last);
    FNames.back() = LastName;
    return LastName;
}

bool TZAVolumeWriter::IsVolume(const std::string& Name) const {
    struct stat target;
    if (::stat(DiskName(Name).c_str(), &target) != 0) return false;
    return std::any_of(FNames.begin(), FNames.end(), [&](const std::string& v) {
        struct stat st;
        return ::stat(DiskName(v).c_str(), &st) == 0 && st.st_dev == target.st_dev &&
               st.st_ino == target.st_ino;
    });
}

void TZAVolumeWriter::CopyVolume(const std::string& From, const std::string& To) {
    // Written whole beside the target first: a failure leaves no half volume
    // under the archive's name.
    std::string temp;
    try {
        temp = CreateTempFile(ExtractFilePath(ExpandFileName(To)), "FC");
        {
            TFileStream in(From, fmOpenRead | fmShareDenyNone);
            TFileStream out(temp, fmOpenReadWrite | fmShareExclusive);
            struct stat st;
            if (::stat(DiskName(From).c_str(), &st) == 0)
                ::fchmod(out.Handle(), st.st_mode & 07777);
            out.CopyFrom(in, 0);
            out.FlushBuffers();
        }
        if (::rename(DiskName(temp).c_str(), DiskName(To).c_str()) != 0)
            throw EZAException(zeVolumeWrite, &A);
    } catch (const EZAException&) {
        DeleteFile(temp);
        throw;
    } catch (const Exception&) {
        if (!temp.empty()) DeleteFile(temp);
        throw EZAException(zeVolumeWrite, &A);
    }
}

void TZAVolumeWriter::Discard() {
    FPending.clear();
    FFile.reset();
    if (FComplete) return;
    for (const auto& n : FNames)
        DeleteFile(n);
    FNames.clear();
}
