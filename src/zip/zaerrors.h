#pragma once
// The archive engine's exception: a numeric code chooses one of the fixed
// message texts, and the message always ends with the code, so a report from a
// user names the exact place that failed.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/rtl/classes.h"

using TZAFormatArg = std::variant<std::string, int64_t>;

// The codes the engine raises with (the exception's NativeError). Each one
// stands beside its message text in the code table of zaerrors.cpp; codes
// marked "kept" are in that table but no operation raises them.
enum TZAErrorCode : int32_t {
    zeUnknown = 0,
    zeStoreIndex = 1,  // item array: bad index when an item is stored
    zeCopyIndex = 2,   // ... copied out
    zeItemIndex = 3,   // ... referenced in place
    zeDeleteIndex = 4, // ... deleted
    zeCompressionMode = 5,
    zeNoSavedTail = 6,       // commit: the saved tail is gone
    zeNoReadCounterpart = 7, // commit: a kept item is not in the read array
    zeBadItemData = 8,       // size or CRC-32 check failed, or unknown method
    zeBlankDefaultName = 9,  // OpenArchiveDefault with no name
    zeBlankName = 10,        // OpenArchive with no name
    zeKept11 = 11,
    zeArchiveNotFound = 12,
    zeNotOpen = 13,
    zeKept14 = 14,
    zeKept15 = 15,
    zeExtractIndex = 16,
    zeNoSFXStub = 17,
    zeKept18 = 18,
    zeCannotCreateFile = 19,
    zeCannotCreateDir = 20,
    zeDeleteItemIndex = 21,
    zeDeleteNoUpdate = 22,
    zeKept23 = 23,
    zeUpdateItemIndex = 24,
    zeUpdateNoUpdate = 25,
    zeUpdatePending = 26,
    zeCannotReplaceArchive = 27,
    zeInMemoryCreateOnly = 28,
    zeInMemoryBlankName = 29,
    zeKept30 = 30,
    zeKept31 = 31,
    zeReadOnlyArchive = 32,
    zeCannotOpenFile = 33,
    zeCompressedSize = 34,
    zeInvalidArchive = 35,
    zeKept36 = 36,
    zeKept37 = 37,
    zeKept38 = 38,
    zeBlankFolderName = 39,
    zeNoZip64End = 40,
    zeZip64NeededFor = 41, // with the file name
    zeKept42 = 42,
    zeZip64Needed = 43,
    zeNoEndInVolumes = 44,
    zeVolumeRequest = 45,
    zeVolumeWrite = 46,
    zeStubTooLarge = 47,
    zeDamagedArchive = 48,
    zeKept49 = 49,
    zeKept50 = 50,
    zeKept51 = 51,
    zeSpannedUpdate = 52,
    zeKept53 = 53,
    zeKept54 = 54,
    zeDeflate64 = 55,
    zeKept56 = 56,
    zeKept57 = 57,
    zeKept58 = 58,
    zeKept59 = 59,
    zeKept60 = 60,
    zeOverlappedItem = 61, // an item's data lie over another item's
};

class EZAException : public Exception {
public:
    EZAException(TZAErrorCode Code, const TComponent* Component);
    EZAException(TZAErrorCode Code, const TComponent* Component,
                 const std::vector<TZAFormatArg>& Args);
    static EZAException CreateFmt(TZAErrorCode Code, const TComponent* Component,
                                  const std::vector<TZAFormatArg>& Args) {
        return EZAException(Code, Component, Args);
    }

    int32_t ErrorCode = 0;   // index of the message text
    int32_t NativeError = 0; // the code raised with

    // The message index for a code (0 for an unknown code) and the text of an index.
    static int MessageIndex(int Code);
    static const char* MessageText(int Index);
};

// The zlib glue's failures: their message is always "error".
class EZlibError : public Exception {
public:
    EZlibError() : Exception("error") {}
};
class ECompressionError : public EZlibError {};
class EDecompressionError : public EZlibError {};

int CCheck(int Code); // raises ECompressionError for a negative zlib result
int DCheck(int Code); // raises EDecompressionError for a negative zlib result

// Replaces "%s" and "%d" placeholders of Text in order by Args; placeholders
// without an argument stay as they are.
std::string ZAFormat(const std::string& Text, const std::vector<TZAFormatArg>& Args);
