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

class EZAException : public Exception {
public:
    EZAException(int Code, const TComponent* Component);
    EZAException(int Code, const TComponent* Component, const std::vector<TZAFormatArg>& Args);
    static EZAException CreateFmt(int Code, const TComponent* Component,
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
