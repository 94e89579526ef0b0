#include "zaerrors.h"

#include <array>
#include <utility>

namespace {

// The message texts, by their index (the exception's ErrorCode).
enum TZAMessage : int {
    zmUnknown,
    zmIndex,
    zmCompressionMode,
    zmNilPointer,
    zmBadData,
    zmBlankName,
    zmNotFound,
    zmNotOpen,
    zmNoSFXStub,
    zmCannotCreateFile,
    zmCannotCreateDir,
    zmNoUpdate,
    zmCannotOpenFile,
    zmUpdatePending,
    zmCannotDelete,
    zmInMemory,
    zmReadOnly,
    zmCompressedSize,
    zmInvalidArchive,
    zmOutputLocked,
    zmArchiveOpen,
    zmNoDirName,
    zmNoZip64End,
    zmZip64Needed,
    zmCannotOpenArchive,
    zmWriteError,
    zmStubTooLarge,
    zmDamaged,
    zmMakeSFXSpanned,
    zmHasSFX,
    zmMultiVolumeStream,
    zmSpannedUpdate,
    zmDeflate64,
    zmMakeSFX,
    zmOverlapped,
    zmCount
};

constexpr std::array<const char*, zmCount> Texts = {
    "Unknown error",
    "Index out of bounds",
    "Invalid compression mode. Mode must be in [0-9] range",
    "Unexpected nil pointer",
    "Invalid size or check sum of file or unsupported compression format",
    "File name is blank. Specify appropriate file name",
    "File \"%s\" not found",
    "Archive is not open",
    "SFXStub property is not specified",
    "Cannot create file \"%s\"",
    "Cannot create directory \"%s\"",
    "Internal error. Update is not started",
    "Cannot open file \"%s\"",
    "Cannot proceed when update is not ended. Preceding EndUpdate call is required.",
    "Cannot delete file \"%s\"",
    "In-memory archive can be created only",
    "File is open in read-only mode",
    "Invalid compressed size, rfs.size = %d, count = %d",
    "Invalid archive file.",
    "Cannot create output file. Probably file is locked by another process. FileName = '%s'.",
    "Archive is open. You should close it beore performing this operation.",
    "Unable to create directory",
    "Cannot find Zip64 directory end record",
    "Cannot compress file '%s'. Zip64 mode is not enabled",
    "Cannot open archive file. Opening aborted or invalid file",
    "Write to stream error",
    "Cannot place SFX stub on volume. Volume size limit is too small",
    "Archive is damaged. Open failed",
    "MakeSFX is not allowed for splitted or spanned archives. Set SFXStub before archive "
    "creation instead of MakeSFX",
    "Archive already has SFX stub",
    "Multi-volume archive is not allowed for custom stream",
    "Multi-spanned archive is not allowed for modification. Use BeginUpdate/EndUpdate methods "
    "to add files several times",
    "Deflate64 compression method is not supported",
    "MakeSFX error",
    "The data of \"%s\" overlap another item of the archive (possible zip bomb)",
};

// Every code beside the text it selects; codes 57-60 have a slot but no text
// of their own.
constexpr std::pair<TZAErrorCode, TZAMessage> Table[] = {
    {zeUnknown, zmUnknown},
    {zeStoreIndex, zmIndex},
    {zeCopyIndex, zmIndex},
    {zeItemIndex, zmIndex},
    {zeDeleteIndex, zmIndex},
    {zeCompressionMode, zmCompressionMode},
    {zeNoSavedTail, zmNilPointer},
    {zeNoReadCounterpart, zmIndex},
    {zeBadItemData, zmBadData},
    {zeBlankDefaultName, zmBlankName},
    {zeBlankName, zmBlankName},
    {zeKept11, zmNotFound},
    {zeArchiveNotFound, zmNotFound},
    {zeNotOpen, zmNotOpen},
    {zeKept14, zmNotOpen},
    {zeKept15, zmNotFound},
    {zeExtractIndex, zmIndex},
    {zeNoSFXStub, zmNoSFXStub},
    {zeKept18, zmNotFound},
    {zeCannotCreateFile, zmCannotCreateFile},
    {zeCannotCreateDir, zmCannotCreateDir},
    {zeDeleteItemIndex, zmIndex},
    {zeDeleteNoUpdate, zmNoUpdate},
    {zeKept23, zmCannotCreateFile},
    {zeUpdateItemIndex, zmIndex},
    {zeUpdateNoUpdate, zmNoUpdate},
    {zeUpdatePending, zmUpdatePending},
    {zeCannotReplaceArchive, zmCannotDelete},
    {zeInMemoryCreateOnly, zmInMemory},
    {zeInMemoryBlankName, zmBlankName},
    {zeKept30, zmNotFound},
    {zeKept31, zmNotFound},
    {zeReadOnlyArchive, zmReadOnly},
    {zeCannotOpenFile, zmCannotOpenFile},
    {zeCompressedSize, zmCompressedSize},
    {zeInvalidArchive, zmInvalidArchive},
    {zeKept36, zmOutputLocked},
    {zeKept37, zmArchiveOpen},
    {zeKept38, zmNotFound},
    {zeBlankFolderName, zmNoDirName},
    {zeNoZip64End, zmNoZip64End},
    {zeZip64NeededFor, zmZip64Needed},
    {zeKept42, zmNotFound},
    {zeZip64Needed, zmZip64Needed},
    {zeNoEndInVolumes, zmCannotOpenArchive},
    {zeVolumeRequest, zmCannotOpenArchive},
    {zeVolumeWrite, zmWriteError},
    {zeStubTooLarge, zmStubTooLarge},
    {zeDamagedArchive, zmDamaged},
    {zeKept49, zmMakeSFXSpanned},
    {zeKept50, zmHasSFX},
    {zeKept51, zmMultiVolumeStream},
    {zeSpannedUpdate, zmSpannedUpdate},
    {zeKept53, zmNotFound},
    {zeKept54, zmNotFound},
    {zeDeflate64, zmDeflate64},
    {zeKept56, zmMakeSFX},
    {zeKept57, zmUnknown},
    {zeKept58, zmUnknown},
    {zeKept59, zmUnknown},
    {zeKept60, zmUnknown},
    {zeOverlappedItem, zmOverlapped},
};

std::string BuildMessage(int Code, int Index, const TComponent* Component, std::string text) {
    if (Component && !Component->Name().empty()) text = Component->Name() + ": " + text;
    std::string num = Format("%5d", Code);
    for (char& c : num)
        if (c == ' ') c = '0';
    (void)Index;
    return text + " - Native error: " + num;
}

} // namespace

int EZAException::MessageIndex(int Code) {
    for (const auto& [code, index] : Table)
        if (code == Code) return index;
    return 0;
}

const char* EZAException::MessageText(int Index) {
    return Index >= 0 && Index < static_cast<int>(Texts.size()) ? Texts[Index] : Texts[0];
}

EZAException::EZAException(TZAErrorCode Code, const TComponent* Component)
    : Exception(BuildMessage(Code, MessageIndex(Code), Component, MessageText(MessageIndex(Code)))),
      ErrorCode(MessageIndex(Code)), NativeError(Code) {}

EZAException::EZAException(TZAErrorCode Code, const TComponent* Component,
                           const std::vector<TZAFormatArg>& Args)
    : Exception(BuildMessage(Code, MessageIndex(Code), Component,
                             ZAFormat(MessageText(MessageIndex(Code)), Args))),
      ErrorCode(MessageIndex(Code)), NativeError(Code) {}

std::string ZAFormat(const std::string& Text, const std::vector<TZAFormatArg>& Args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '%' && i + 1 < Text.size() && (Text[i + 1] == 's' || Text[i + 1] == 'd') &&
            next < Args.size()) {
            const TZAFormatArg& a = Args[next++];
            if (const auto* s = std::get_if<std::string>(&a))
                out += *s;
            else
                out += std::to_string(std::get<int64_t>(a));
            ++i;
        } else {
            out += Text[i];
        }
    }
    return out;
}

int CCheck(int Code) {
    if (Code < 0) throw ECompressionError();
    return Code;
}

int DCheck(int Code) {
    if (Code < 0) throw EDecompressionError();
    return Code;
}
