#include "zaarchiver.h"

#include "platform/rtl/dialogs.h"
#include "platform/rtl/fileattrs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/tempfiles.h"

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
    if (Value >= 10) throw EZAException(5, this);
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
        if (ExtractFileName(FileName).empty()) throw EZAException(29, this);
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
    if (!FDir) throw EZAException(13, this);
    return FUpdateCount > 0 ? FDir->UpdateItems.Item(Index) : FDir->Items.Item(Index);
}

const std::string& TZABaseArchiver::ArchiveComment() const {
    static const std::string none;
    return FDir ? FDir->Comment : none;
}

void TZABaseArchiver::SetArchiveComment(const std::string& Value) {
    if (!FDir) throw EZAException(13, this);
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

// --- event dispatchers with their defaults ------------------------------------

void TZABaseArchiver::DoOverallProgress(double Progress, TZAProcessOperation Op,
                                        TZAProgressPhase Phase, bool& Cancel) {
    Cancel = false;
    if (OnOverallProgress) OnOverallProgress(this, Progress, Op, Phase, Cancel);
}

void TZABaseArchiver::DoFileProgress(const std::string& Name, double Progress,
                                     TZAProcessOperation Op, TZAProgressPhase Phase, bool& Cancel) {
    Cancel = false;
    if (OnFileProgress) OnFileProgress(this, ShownName(Name), Progress, Op, Phase, Cancel);
}

void TZABaseArchiver::DoCopyTempFileProgress(double Progress, TZAProgressPhase Phase,
                                             bool& Cancel) {
    Cancel = false;
    if (OnCopyTempFileProgress) OnCopyTempFileProgress(this, Progress, Phase, Cancel);
}

void TZABaseArchiver::DoConfirmOverwrite(const std::string& Source, std::string& Dest,
                                         bool& Confirm) {
    if (OnConfirmOverwrite) {
        OnConfirmOverwrite(this, Source, Dest, Confirm);
        return;
    }
    const int r = MessageDlg(
        Format("Overwrite file \"%s\" with \"%s\"", Dest.c_str(), Source.c_str()), mtConfirmation,
        MsgDlgButton(mbYes) | MsgDlgButton(mbNo) | MsgDlgButton(mbNoToAll) |
            MsgDlgButton(mbYesToAll));
    Confirm = r == mrYes || r == mrYesToAll;
    if (r == mrYesToAll) FOptions.OverwriteMode = omAlways;
    if (r == mrNoToAll) FOptions.OverwriteMode = omNever;
}

void TZABaseArchiver::DoConfirmProcessFile(const std::string& Name, TZAProcessOperation Op,
                                           bool& Confirm) {
    Confirm = true;
    if (OnConfirmProcessFile) OnConfirmProcessFile(this, ShownName(Name), Op, Confirm);
}

void TZABaseArchiver::DoPassword(const std::string& Name, std::string& NewPassword,
                                 bool& SkipFile) {
    if (OnPassword) {
        OnPassword(this, Name, NewPassword, SkipFile);
        return;
    }
    std::string value = NewPassword;
    const bool ok = DialogService().InputQuery(Format("Password for \"%s\"", Name.c_str()),
                                               "Enter password: ", value, true);
    if (ok) NewPassword = value;
    SkipFile = !ok;
}

void TZABaseArchiver::DoProcessFileFailure(const std::string& Name, TZAProcessOperation Op,
                                           int NativeError, int ErrorCode, const std::string& Msg,
                                           TZAAction& Action) {
    Action = fxaIgnore;
    if (OnProcessFileFailure) {
        OnProcessFileFailure(this, ShownName(Name), Op, NativeError, ErrorCode, Msg, Action);
        return;
    }
    const int r =
        MessageDlg(Format("%s. File processing error, possibly disk is full", Msg.c_str()), mtError,
                   mbAbortRetryIgnore);
    Action = r == mrRetry ? fxaRetry : r == mrIgnore ? fxaIgnore : fxaAbort;
}

void TZABaseArchiver::DoRequestBlankVolume(int Number, std::string& Name, bool& Cancel) {
    Name = MakeVolumeFileName(FileName, Number - 1, false);
    if (OnRequestBlankVolume) {
        OnRequestBlankVolume(this, Number, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning)
        Cancel = MessageDlg(Format("Please insert a blank disk #%d", Number), mtConfirmation,
                            mbOKCancel) != mrOk;
    else
        Cancel = false;
}

void TZABaseArchiver::DoRequestFirstVolume(std::string& Name, bool& Cancel) {
    if (OnRequestFirstVolume) {
        OnRequestFirstVolume(this, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning)
        Cancel = MessageDlg("Please insert the first disk", mtConfirmation, mbOKCancel) != mrOk;
    else
        Cancel = !FileExists(Name) && FOpenMode != fmCreate;
}

void TZABaseArchiver::DoRequestLastVolume(std::string& Name, bool& Cancel) {
    if (OnRequestLastVolume) {
        OnRequestLastVolume(this, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning) {
        Cancel = MessageDlg("Please insert the last disk", mtConfirmation, mbOKCancel) != mrOk;
        while (!Cancel && !FileExists(Name))
            Cancel = MessageDlg(Format("File '%s' not found on inserted disk. Please insert last "
                                       "disk with required file",
                                       Name.c_str()),
                                mtConfirmation, mbOKCancel) != mrOk;
    } else {
        Cancel = !FileExists(Name);
    }
}

void TZABaseArchiver::DoRequestMiddleVolume(int Number, std::string& Name, bool& Cancel) {
    if (OnRequestMiddleVolume) {
        OnRequestMiddleVolume(this, Number, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning)
        Cancel = MessageDlg(Format("Please insert disk #%d", Number), mtConfirmation, mbOKCancel) !=
                 mrOk;
    else
        Cancel = !FileExists(Name);
}

void TZABaseArchiver::DoDiskFull(int Number, const std::string& Name, bool& Cancel) {
    if (OnDiskFull) {
        OnDiskFull(this, Number, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning) {
        const long long need = FSpanningOptions.VolumeSizeFor(Number - 1);
        const long long have = DiskFree(ExtractFilePath(Name));
        Cancel = MessageDlg(Format("Disk is full. Required free space: %lld bytes, but available "
                                   "only: %lld bytes. Clean the disk or find another blank disk",
                                   need, have),
                            mtConfirmation, mbOKCancel) != mrOk;
    } else {
        Cancel = true;
    }
}

void TZABaseArchiver::DoStoreFile(std::string& Name, uint32_t& Attr, std::string& Comment,
                                  const std::string& Original) {
    if (!OnStoreFile) return;
    std::string shown = ShownName(Name);
    OnStoreFile(this, shown, Attr, Comment, Original);
    for (char& c : shown)
        if (c == '\\') c = '/';
    Name = shown;
}

void TZABaseArchiver::DoExtractFile(std::string& Name, uint32_t& Attr, const std::string& Comment) {
    if (OnExtractFile) OnExtractFile(this, Name, Attr, Comment);
}

// --- opening and closing -------------------------------------------------------

void TZABaseArchiver::OpenArchive(uint16_t Mode) {
    if (!FInMemory && ExtractFileName(FileName).empty()) throw EZAException(10, this);
    if (Mode != fmCreate) {
        if (FInMemory) throw EZAException(28, this, {FileName});
        if (!FileExists(FileName) && FSpanningMode != smSpanning && !IsRemovablePath(FileName))
            throw EZAException(12, this, {FileName});
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
    if (!FInMemory && ExtractFileName(FileName).empty()) throw EZAException(9, this);
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
    FDir =
        std::make_unique<TZADirManager>(static_cast<TZAVolumeSource&>(*this), FStandardSignature);
    FDir->OEMFileNames = FOptions.OEMFileNames;
    FCreated = CreateNewArchive;
    if (!CreateNewArchive) return;
    FVolume.SetFirst();
    if (!SFXStub.empty()) {
        try {
            TFileStream stub(SFXStub, fmOpenRead | fmShareDenyNone);
            const int64_t first = FSpanningOptions.VolumeSizeFor(0);
            if (FSpanningMode != smNone && first > 0 && stub.Size() > first)
                throw EZAException(47, this);
            FArchive->CopyFrom(stub, 0);
        } catch (const EStreamError&) {
            throw EZAException(33, this, {SFXStub});
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
            throw EZAException(19, this, {FileName});
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
    try {
        FOwnedStream = std::make_unique<TFileStream>(FileName, FOpenMode);
    } catch (const EStreamError&) {
        throw EZAException(33, this, {FileName});
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

void TZABaseArchiver::ReadDirectory() {
    FDir->Items.SetCount(0);
    FDir->UpdateItems.SetCount(0);
    const bool found = FDir->FindEndRecord(FStandardSignature);
    if (found && FDir->End.ThisDisk > 0 && !FExternalStream) {
        FVolume.SetLastNumber(FDir->End.ThisDisk);
        FVolume.SetLast();
        SettleSpanningMode();
    }
    if (found && FDir->ReadCentralDirectory()) {
        // Reading may have moved to another volume; the data of a single file
        // start after what stands in front of the first item.
    } else {
        if (IsMultiVolume()) throw EZAException(44, this);
        if (!found && !FDamagedTolerance) throw EZAException(48, this);
        FDir->RebuildFromLocalHeaders();
    }
    FDataStart = -1;
    if (FDir->Items.Count() == 0)
        FDataStart = found ? FDir->EndPosition - (FDir->IsZip64 ? 76 : 0) : FArchive->Size();
    for (int i = 0; i < FDir->Items.Count(); ++i) {
        const auto off = static_cast<int64_t>(FDir->Items.Item(i).LocalHeaderOffset());
        if (FDir->Items.Item(i).DiskNumber() == 0 && (FDataStart < 0 || off < FDataStart))
            FDataStart = off;
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

void TZABaseArchiver::CloseArchive() {
    if (!FActive) {
        FreeArchive();
        return;
    }
    try {
        if (FUpdateCount > 0) {
            FUpdateCount = 0;
            Commit();
        } else if (FCreated && IsMultiVolume() && !FInMemory && !FExternalStream) {
            FDir->UpdateItems.SetCount(0);
            Commit(); // an empty set still leaves a valid (one-volume) archive
        }
        if (FArchive && FArchive->Size() == 0 && FDir) {
            FArchive->SetPosition(0);
            TZADirArray none;
            FDir->WriteDirectory(*FArchive, none);
        }
    } catch (...) {
        FreeArchive();
        throw;
    }
    FreeArchive();
}
