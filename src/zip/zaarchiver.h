#pragma once
// The archiver component: opens, reads, updates and writes zip archives (one
// file, a set of volumes, or memory). TZABaseArchiver holds all behaviour;
// TZipArchiver fixes the standard signatures and the method word.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "platform/rtl/classes.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/stringlist.h"
#include "zadirectory.h"
#include "zaerrors.h"
#include "zamasks.h"
#include "zatypes.h"

class TZABaseArchiver;

using TZAFileProgressEvent =
    std::function<void(TObject* Sender, const std::string& FileName, double Progress,
                       TZAProcessOperation Operation, TZAProgressPhase Phase, bool& Cancel)>;
using TZAProgressEvent =
    std::function<void(TObject* Sender, double Progress, TZAProcessOperation Operation,
                       TZAProgressPhase Phase, bool& Cancel)>;
using TZACopyTempFileProgressEvent =
    std::function<void(TObject* Sender, double Progress, TZAProgressPhase Phase, bool& Cancel)>;
using TZAConfirmOverwriteEvent = std::function<void(
    TObject* Sender, const std::string& SourceFileName, std::string& DestFileName, bool& Confirm)>;
using TZAConfirmProcessFileEvent = std::function<void(
    TObject* Sender, const std::string& FileName, TZAProcessOperation Operation, bool& Confirm)>;
using TZAOnPasswordEvent = std::function<void(TObject* Sender, const std::string& FileName,
                                              std::string& NewPassword, bool& SkipFile)>;
using TZAProcessFileFailureEvent = std::function<void(
    TObject* Sender, const std::string& FileName, TZAProcessOperation Operation, int NativeError,
    int ErrorCode, const std::string& ErrorMessage, TZAAction& Action)>;
using TZAOnRequestFirstVolumeEvent =
    std::function<void(TObject* Sender, std::string& VolumeFileName, bool& Cancel)>;
using TZAOnRequestLastVolumeEvent = TZAOnRequestFirstVolumeEvent;
using TZAOnRequestMiddleVolumeEvent = std::function<void(
    TObject* Sender, int VolumeNumber, std::string& VolumeFileName, bool& Cancel)>;
using TZAOnRequestBlankVolumeEvent = TZAOnRequestMiddleVolumeEvent;
using TZAOnDiskFullEvent = std::function<void(TObject* Sender, int VolumeNumber,
                                              const std::string& VolumeFileName, bool& Cancel)>;
using TZAOnStoreFileEvent =
    std::function<void(TObject* Sender, std::string& FileName, uint32_t& FileAttr,
                       std::string& Comment, const std::string& OriginalFileName)>;
using TZAOnExtractFileEvent = std::function<void(TObject* Sender, std::string& FileName,
                                                 uint32_t& FileAttr, const std::string& Comment)>;

class TZABaseArchiver : public TComponent, protected TZAVolumeSource {
public:
    explicit TZABaseArchiver(TComponent* AOwner);
    ~TZABaseArchiver() override;
    std::string ClassName() const override { return "TZABaseArchiver"; }

    // --- properties ---
    bool ExtractCorruptedFiles = false;
    TZACompressionLevel CompressionLevel() const { return FCompressionLevel; }
    void SetCompressionLevel(TZACompressionLevel Value);
    uint8_t CompressionMode() const { return FCompressionMode; }
    void SetCompressionMode(uint8_t Value); // 10 or more: code 5
    std::string CurrentVersion() const { return "2.65"; }
    std::string Password;
    std::string FileName;
    std::string BaseDir;
    std::string TempDir;
    std::string SFXStub;
    TZASpanningMode SpanningMode() const { return FSpanningMode; }
    void SetSpanningMode(TZASpanningMode Value);
    TZASpanningOptions& SpanningOptions() { return FSpanningOptions; }
    TZAOptions& Options() { return FOptions; }
    TStringList& FileMasks() { return FFileMasks; }
    TStringList& ExclusionMasks() { return FExclusionMasks; }
    TStringList& NoCompressionMasks() { return FNoCompressionMasks; }
    void SetFileMasks(const TStrings& Value);
    void SetExclusionMasks(const TStrings& Value);
    void SetNoCompressionMasks(const TStrings& Value);
    bool InMemory() const { return FInMemory; }
    void SetInMemory(bool Value);
    // Zip64 writing: 0 off, 1 when needed, 2 always.
    uint8_t Zip64Mode = 1;

    // --- events ---
    TZAFileProgressEvent OnFileProgress;
    TZAProgressEvent OnOverallProgress;
    TZACopyTempFileProgressEvent OnCopyTempFileProgress;
    TZAConfirmOverwriteEvent OnConfirmOverwrite;
    TZAConfirmProcessFileEvent OnConfirmProcessFile;
    TNotifyEvent AfterOpen;
    TZAOnPasswordEvent OnPassword;
    TZAProcessFileFailureEvent OnProcessFileFailure;
    TZAOnRequestFirstVolumeEvent OnRequestFirstVolume;
    TZAOnRequestLastVolumeEvent OnRequestLastVolume;
    TZAOnRequestMiddleVolumeEvent OnRequestMiddleVolume;
    TZAOnRequestBlankVolumeEvent OnRequestBlankVolume;
    TZAOnDiskFullEvent OnDiskFull;
    TZAOnStoreFileEvent OnStoreFile;
    TZAOnExtractFileEvent OnExtractFile;

    // --- operations ---
    void OpenArchive(uint16_t Mode);
    // Opens an archive kept in a stream the caller owns (CreateNew: a new one).
    void OpenArchive(TStream& Stream, bool CreateNew);
    void OpenArchiveDefault();
    void CloseArchive();
    bool Active() const { return FActive; }
    void ExtractFiles(const std::string& FileMask, int32_t SearchAttr = ZAAllItemsAttr,
                      const std::string& ExclusionMask = "");
    void TestFiles(const std::string& FileMask, int32_t SearchAttr = ZAAllItemsAttr,
                   const std::string& ExclusionMask = "");
    // Marks the items that match (the list form when FileMask is empty) and
    // returns their number.
    int SelectFiles(const std::string& FileMask, int32_t SearchAttr = ZAAllItemsAttr,
                    const std::string& ExclusionMask = "");
    void ProcessFiles(TZAProcessOperation Operation);
    // Pending update: begun, then committed when the last EndUpdate or the
    // close comes.
    void BeginUpdate();
    void EndUpdate();
    bool UpdatePending() const { return FUpdateCount > 0; }
    // Takes the files of BaseDir that match FileMask (with sub-folders when
    // Options.Recurse) into the archive as new or refreshed items.
    void AddFiles(const std::string& FileMask, int32_t SearchAttr = ZAAllItemsAttr);
    void DeleteFiles(const std::string& FileMask);
    void UpdateFiles(const std::string& FileMask);

    int FileCount() const;
    const TDirItem& Files(int Index) const;
    const std::string& ArchiveComment() const;
    void SetArchiveComment(const std::string& Value);
    int64_t StubLength() const;
    const TZAVolumeNumberInfo& VolumeInfo() const { return FVolume; }
    TStream* ArchiveStream() const { return FArchive; }

protected:
    virtual void UpdateMethod() { FMethod = ZAOwnVariantMethod; }
    virtual void DoOverallProgress(double Progress, TZAProcessOperation Op, TZAProgressPhase Phase,
                                   bool& Cancel);
    virtual void DoFileProgress(const std::string& Name, double Progress, TZAProcessOperation Op,
                                TZAProgressPhase Phase, bool& Cancel);
    virtual void DoCopyTempFileProgress(double Progress, TZAProgressPhase Phase, bool& Cancel);
    virtual void DoConfirmOverwrite(const std::string& Source, std::string& Dest, bool& Confirm);
    virtual void DoConfirmProcessFile(const std::string& Name, TZAProcessOperation Op,
                                      bool& Confirm);
    virtual void DoPassword(const std::string& Name, std::string& NewPassword, bool& SkipFile);
    virtual void DoProcessFileFailure(const std::string& Name, TZAProcessOperation Op,
                                      int NativeError, int ErrorCode, const std::string& Msg,
                                      TZAAction& Action);
    virtual void DoRequestBlankVolume(int Number, std::string& Name, bool& Cancel);
    virtual void DoRequestFirstVolume(std::string& Name, bool& Cancel);
    virtual void DoRequestLastVolume(std::string& Name, bool& Cancel);
    virtual void DoRequestMiddleVolume(int Number, std::string& Name, bool& Cancel);
    virtual void DoDiskFull(int Number, const std::string& Name, bool& Cancel);
    virtual void DoStoreFile(std::string& Name, uint32_t& Attr, std::string& Comment,
                             const std::string& Original);
    virtual void DoExtractFile(std::string& Name, uint32_t& Attr, const std::string& Comment);
    // The room left on the medium that holds Path (the free space for the caller).
    virtual int64_t FreeSpace(const std::string& Path);
    // Whether Path lies on a removable medium (a disk of a spanned set whose
    // writes are held in memory until the disk is complete).
    virtual bool IsRemovableMedium(const std::string& Path);
    // Labels the disk that holds a new volume of a spanned set (removable
    // media only; see zalabel.h).
    virtual void SetVolumeLabel(const std::string& VolumeFile, const std::string& Label);

    bool FStandardSignature = false;
    uint16_t FMethod = ZAOwnVariantMethod;

public:
    // Volume file name of Index (0-based; -1 the last volume).
    std::string MakeVolumeFileName(const std::string& Name, int Index, bool CheckExists);

protected:
    // TZAVolumeSource
    TStream& VolumeStream() override { return *FArchive; }
    bool IsMultiVolume() const override { return FSpanningMode != smNone; }
    uint32_t CurrentVolume() const override;
    bool IsLastVolume() const override {
        return !IsMultiVolume() ||
               (FVolume.LastNumber() >= 0 && FVolume.Number() >= FVolume.LastNumber());
    }
    void OpenVolume(uint32_t Number) override;

private:
    friend class TZAItemReader;
    friend class TZAVolumeWriter;
    void CommitVolumes(TZADirArray& Result);
    void RunInUpdate(const std::string& FileMask, TZAProcessOperation Op);
    void SelectAndRun(const std::string& FileMask, int32_t SearchAttr,
                      const std::string& ExclusionMask, TZAProcessOperation Op);
    void OpenExisting();
    void CreateNew();
    void AttachDirectory(bool CreateNewArchive);
    void FreeArchive();
    void DropFailedNew();
    void SettleSpanningMode();
    bool IsSelfExtracting() const;
    TZADirArray& WorkArray();
    void RunItem(int& Index, TZAProcessOperation Op);
    void ExtractItem(int Index, bool TestOnly);
    bool InRemovableFolder(const std::string& File);
    void ClaimSpan(int Index, uint64_t Begin, uint64_t End, const std::string& Name);
    void DeleteItem(int Index);
    void UpdateItem(int Index);
    void Commit();
    void WriteNewItem(TDirItem& Item, TStream& Out);
    void CopyKeptItem(TDirItem& Item, TStream& Out);
    // Whether a file carries an end record (a disk of a set holding its end).
    bool HoldsEndRecord(const std::string& Name) const;
    void ReadDirectory();
    void Progress(const std::string& Name, double Done, double Total, TZAProcessOperation Op);
    std::string ShownName(const std::string& Stored) const;

    TZACompressionLevel FCompressionLevel = clFastest;
    uint8_t FCompressionMode = 1;
    TZASpanningMode FSpanningMode = smNone;
    TZASpanningOptions FSpanningOptions;
    TZAOptions FOptions;
    TStringList FFileMasks, FExclusionMasks, FNoCompressionMasks;
    bool FInMemory = false;
    bool FActive = false;
    bool FExternalStream = false;
    bool FCreated = false;      // a new archive, no commit through yet
    bool FCreateFailed = false; // ... and one of its commits failed or was cancelled
    bool FDamagedTolerance = true;
    int FUpdateCount = 0;
    uint16_t FOpenMode = 0;
    std::string FVolumeFileName;
    TZAVolumeNumberInfo FVolume;
    std::unique_ptr<TStream> FOwnedStream;
    TStream* FArchive = nullptr;
    std::unique_ptr<TZADirManager> FDir;
    int64_t FDataStart = 0; // bytes in front of the first item, kept on commit
    // Run state.
    int FProcessed = 0, FSelected = 0;
    bool FCancel = false, FProgressOn = false, FSkipFile = false;
    double FBytesDone = 0, FItemSize = 0;
    // Bytes of the archive taken by the items of a run: (disk, start) -> (end,
    // item); folders checked or made in the run.
    std::map<std::pair<uint32_t, uint64_t>, std::pair<uint64_t, int>> FSpans;
    std::unordered_set<std::string> FMadeFolders;
    // Folders of the run by whether they lie on a removable medium (asked
    // once each: the answer reads the mount table).
    std::unordered_map<std::string, bool> FRemovableFolders;
    int64_t FRunArchiveSize = -1; // of a single-file archive during a run
};

class TZipArchiver : public TZABaseArchiver {
public:
    explicit TZipArchiver(TComponent* AOwner);
    std::string ClassName() const override { return "TZipArchiver"; }

protected:
    void UpdateMethod() override { FMethod = CompressionMode() != 0 ? 8 : 0; }
};
