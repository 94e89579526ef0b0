#include "zaarchiver.h"

#include <algorithm>

#include "platform/rtl/dialogs.h"
#include "platform/rtl/fileattrs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/tempfiles.h"
#include "zarecords.h"

// --- construction and properties -------------------------------------------------

TZABaseArchiver::TZABaseArchiver(TComponent* AOwner) : TComponent(AOwner) {
    SetCompressionLevel(clFastest);
}

TZABaseArchiver::~TZABaseArchiver() {
    try {
        CloseArchive();
    } catch (...) {
        // A failing commit cannot be reported from a destructor; the old
        // archive stays as it was.
        FreeArchive();
    }
}

TZipArchiver::TZipArchiver(TComponent* AOwner) : TZABaseArchiver(AOwner) {
    FStandardSignature = true;
    Zip64Mode = 0;
    UpdateMethod();
}

void TZABaseArchiver::SetCompressionLevel(TZACompressionLevel Value) {
    static constexpr uint8_t modes[] = {0, 1, 6, 9};
    FCompressionLevel = Value;
    FCompressionMode = modes[Value];
    UpdateMethod();
}

void TZABaseArchiver::SetCompressionMode(uint8_t Value) {
    if (Value >= 10) throw EZAException(zeCompressionMode, this);
    FCompressionMode = Value;
    FCompressionLevel = Value == 0   ? clNone
                        : Value <= 3 ? clFastest
                        : Value <= 6 ? clNormal
                                     : clMax;
    UpdateMethod();
}

void TZABaseArchiver::SetSpanningMode(TZASpanningMode Value) {
    if (FActive) throw Exception("Cannot set spanning mode on open archive");
    FSpanningMode = Value;
}

void TZABaseArchiver::SetFileMasks(const TStrings& Value) {
    FFileMasks.Assign(&Value);
}
void TZABaseArchiver::SetExclusionMasks(const TStrings& Value) {
    FExclusionMasks.Assign(&Value);
}
void TZABaseArchiver::SetNoCompressionMasks(const TStrings& Value) {
    FNoCompressionMasks.Assign(&Value);
}

void TZABaseArchiver::SetInMemory(bool Value) {
    if (Value == FInMemory) return;
    if (!FActive) {
        FInMemory = Value;
        return;
    }
    if (!Value) {
        if (ExtractFileName(FileName).empty()) throw EZAException(zeInMemoryBlankName, this);
        if (FUpdateCount > 0) {
            FUpdateCount = 0;
            Commit();
        }
        if (FArchive->Size() == 0) {
            TZADirArray none;
            FDir->WriteDirectory(*FArchive, none);
        }
        {
            TFileStream f(FileName, fmCreate);
            f.CopyFrom(*FArchive, 0);
        }
        FreeArchive();
        FInMemory = false;
        OpenArchiveDefault();
    } else {
        CloseArchive();
        FreeArchive();
        FInMemory = true;
        OpenArchive(fmCreate);
    }
}

int TZABaseArchiver::FileCount() const {
    if (!FDir) return 0;
    return FUpdateCount > 0 ? FDir->UpdateItems.Count() : FDir->Items.Count();
}

const TDirItem& TZABaseArchiver::Files(int Index) const {
    if (!FDir) throw EZAException(zeNotOpen, this);
    return FUpdateCount > 0 ? FDir->UpdateItems.Item(Index) : FDir->Items.Item(Index);
}

const std::string& TZABaseArchiver::ArchiveComment() const {
    static const std::string none;
    return FDir ? FDir->Comment : none;
}

void TZABaseArchiver::SetArchiveComment(const std::string& Value) {
    if (!FDir) throw EZAException(zeNotOpen, this);
    FDir->Comment = Value.substr(0, 0xFFFF);
}

int64_t TZABaseArchiver::StubLength() const {
    return FDir ? FDir->StubLength : 0;
}

std::string TZABaseArchiver::ShownName(const std::string& Stored) const {
    std::string s = Stored;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

// --- opening and closing -------------------------------------------------------

void TZABaseArchiver::OpenArchive(uint16_t Mode) {
    if (!FInMemory && ExtractFileName(FileName).empty()) throw EZAException(zeBlankName, this);
    if (Mode != fmCreate) {
        if (!FileExists(FileName) && FSpanningMode != smSpanning && !IsRemovableMedium(FileName))
            throw EZAException(zeArchiveNotFound, this, {FileName});
        if (FInMemory) throw EZAException(zeInMemoryCreateOnly, this, {FileName});
    }
    CloseArchive();
    FExternalStream = false;
    FOpenMode = Mode;
    if (Mode == fmCreate || FInMemory)
        CreateNew();
    else
        OpenExisting();
    FActive = true;
    if (AfterOpen) AfterOpen(this);
}

void TZABaseArchiver::OpenArchive(TStream& Stream, bool CreateNewArchive) {
    CloseArchive();
    FSpanningMode = smNone;
    FExternalStream = true;
    FArchive = &Stream;
    FOpenMode = CreateNewArchive ? fmCreate : fmOpenReadWrite;
    if (CreateNewArchive) {
        Stream.SetSize(0);
        AttachDirectory(true);
    } else {
        AttachDirectory(false);
        ReadDirectory();
    }
    FActive = true;
    if (AfterOpen) AfterOpen(this);
}

void TZABaseArchiver::OpenArchiveDefault() {
    if (!FInMemory && ExtractFileName(FileName).empty())
        throw EZAException(zeBlankDefaultName, this);
    uint16_t mode = fmOpenRead | fmShareDenyNone;
    if (FInMemory || !FileExists(FileName)) {
        mode = fmCreate;
    } else {
        try {
            TFileStream probe(FileName, fmOpenReadWrite | fmShareDenyWrite);
            mode = fmOpenReadWrite | fmShareDenyWrite;
        } catch (const EStreamError&) {
        }
    }
    OpenArchive(mode);
}

void TZABaseArchiver::AttachDirectory(bool CreateNewArchive) {
    FDir = std::make_unique<TZADirManager>(static_cast<TZAVolumeSource&>(*this), FStandardSignature,
                                           this);
    FDir->OEMFileNames = FOptions.OEMFileNames;
    FCreated = CreateNewArchive;
    FCreateFailed = false;
    if (!CreateNewArchive) return;
    FVolume.SetFirst();
    if (!SFXStub.empty()) {
        try {
            TFileStream stub(SFXStub, fmOpenRead | fmShareDenyNone);
            const int64_t first = FSpanningOptions.VolumeSizeFor(0);
            if (FSpanningMode != smNone && first > 0 && stub.Size() > first)
                throw EZAException(zeStubTooLarge, this);
            FArchive->CopyFrom(stub, 0);
        } catch (const EStreamError&) {
            throw EZAException(zeCannotOpenFile, this, {SFXStub});
        }
        FDir->StubLength = FArchive->Size();
    }
    FDataStart = FArchive->Size();
}

void TZABaseArchiver::CreateNew() {
    // A new volume set is kept in memory (only a stub can be there) until the
    // commit writes its volumes.
    if (FInMemory || FSpanningMode != smNone) {
        FOwnedStream = std::make_unique<TMemoryStream>();
    } else {
        try {
            FOwnedStream = std::make_unique<TFileStream>(FileName, fmCreate);
        } catch (const EStreamError&) {
            throw EZAException(zeCannotCreateFile, this, {FileName});
        }
    }
    FArchive = FOwnedStream.get();
    FVolumeFileName = FileName;
    AttachDirectory(true);
}

void TZABaseArchiver::OpenExisting() {
    FSpanningMode = smNone;
    FVolume.Reset();
    FVolumeFileName = FileName;
    if (!FileExists(FileName)) {
        // Only a spanned set or a removable medium gets here: the disk that
        // holds the archive's end is asked for.
        FSpanningMode = smSpanning;
        bool cancel = true;
        for (int guard = 0; guard < 100; ++guard) {
            cancel = true;
            DoRequestLastVolume(FVolumeFileName, cancel);
            if (cancel) break;
            // Another disk of the set holds no end record: the last one is
            // asked for again.
            if (FileExists(FVolumeFileName) && HoldsEndRecord(FVolumeFileName)) break;
        }
        if (cancel || !FileExists(FVolumeFileName)) throw EZAException(zeVolumeRequest, this);
    }
    try {
        FOwnedStream = std::make_unique<TFileStream>(FVolumeFileName, FOpenMode);
    } catch (const EStreamError&) {
        throw EZAException(zeCannotOpenFile, this, {FVolumeFileName});
    }
    FArchive = FOwnedStream.get();
    AttachDirectory(false);
    try {
        ReadDirectory();
    } catch (...) {
        FreeArchive();
        throw;
    }
}

bool TZABaseArchiver::HoldsEndRecord(const std::string& Name) const {
    try {
        TFileStream f(Name, fmOpenRead | fmShareDenyNone);
        // The end record and the longest comment after it.
        const int64_t tail =
            std::min<int64_t>(f.Size(), static_cast<int64_t>(EndRecordSize) + 65535);
        std::string bytes(static_cast<size_t>(tail), '\0');
        f.SetPosition(f.Size() - tail);
        if (f.Read(bytes.data(), tail) != tail) return false;
        std::string sig;
        Put32(sig, sigEnd);
        std::string own;
        Put32(own, sigOwnEnd);
        return bytes.find(sig) != std::string::npos ||
               (!FStandardSignature && bytes.find(own) != std::string::npos);
    } catch (const EStreamError&) {
        return false;
    }
}

void TZABaseArchiver::ReadDirectory() {
    FDir->Items.SetCount(0);
    FDir->UpdateItems.SetCount(0);
    bool found = FDir->FindSignatureBackward(FStandardSignature);
    if (!found && !FExternalStream && !FInMemory &&
        LowerCase(ExtractFileExt(FileName)).find(".exe") != std::string::npos) {
        // A self-extracting first volume: the set ends in its last volume.
        FSpanningMode = smSplitting;
        const std::string last = MakeVolumeFileName(FileName, -1, true);
        if (last != FileName && FileExists(last)) {
            FOwnedStream = std::make_unique<TFileStream>(last, FOpenMode);
            FArchive = FOwnedStream.get();
            FVolumeFileName = last;
            found = FDir->FindSignatureBackward(FStandardSignature);
        }
        if (!found || FDir->End.ThisDisk == 0) FSpanningMode = smNone;
    }
    if (found && FDir->End.ThisDisk > 0 && !FExternalStream) {
        FVolume.SetLastNumber(FDir->End.ThisDisk);
        FVolume.SetLast();
    }
    if (found && !FExternalStream && !FInMemory) SettleSpanningMode();
    if (found && FDir->ReadCentralDirectory()) {
        // Reading may have moved to another volume; the data of a single file
        // start after what stands in front of the first item.
    } else {
        if (IsMultiVolume()) throw EZAException(zeNoEndInVolumes, this);
        if (!found && !FDamagedTolerance) throw EZAException(zeDamagedArchive, this);
        FDir->RebuildFromLocalHeaders();
    }
    FDataStart = -1;
    if (FDir->Items.Count() == 0)
        FDataStart = found ? FDir->EndPosition - (FDir->IsZip64 ? 76 : 0) : FArchive->Size();
    const auto size = static_cast<uint64_t>(FArchive->Size());
    for (int i = 0; i < FDir->Items.Count(); ++i) {
        const uint64_t off = FDir->Items.Item(i).LocalHeaderOffset();
        if (FDir->Items.Item(i).DiskNumber() == 0 && off < size &&
            (FDataStart < 0 || static_cast<int64_t>(off) < FDataStart))
            FDataStart = static_cast<int64_t>(off);
    }
    if (FDataStart < 0) FDataStart = 0;
}

void TZABaseArchiver::FreeArchive() {
    FDir.reset();
    FOwnedStream.reset(); // an external stream is never held here
    FArchive = nullptr;
    FActive = false;
    FUpdateCount = 0;
}

// A new archive none of whose commits went through is removed: a refused or
// cancelled creation leaves nothing behind (not even an empty archive).
void TZABaseArchiver::DropFailedNew() {
    if (!FCreated || !FCreateFailed || FInMemory || FExternalStream) return;
    FOwnedStream.reset();
    FArchive = nullptr;
    if (!IsMultiVolume()) DeleteFile(FVolumeFileName.empty() ? FileName : FVolumeFileName);
}

void TZABaseArchiver::CloseArchive() {
    if (!FActive) {
        FreeArchive();
        return;
    }
    try {
        if (FUpdateCount > 0) {
            FUpdateCount = 0;
            Commit();
        } else if (FCreated && !FCreateFailed && IsMultiVolume() && !FInMemory &&
                   !FExternalStream) {
            FDir->UpdateItems.SetCount(0);
            Commit(); // an empty set still leaves a valid (one-volume) archive
        }
        if (FArchive && FArchive->Size() == 0 && FDir && !(FCreated && FCreateFailed)) {
            FArchive->SetPosition(0);
            TZADirArray none;
            FDir->WriteDirectory(*FArchive, none);
        }
    } catch (...) {
        DropFailedNew();
        FreeArchive();
        throw;
    }
    DropFailedNew();
    FreeArchive();
}
