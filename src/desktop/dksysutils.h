#pragma once
// Plain routines the desktop components share: text and path helpers, the
// operating-system version and the program's own files.

#include <string>

#include "platform/rtl/stringlist.h"
#include "platform/vcl/controls.h"

int dkMin(int A, int B);
// Shift, Alt and Ctrl as the keyboard has them now.
TShiftState dkShiftState();

// 1-based position of Sub at or after Start in S; 0 when absent (case counts).
int dkPosFrom(const std::string& Sub, const std::string& S, int Start = 1);
// 1-based position of the last Sub that starts at or before Start (0: the end).
int dkLastPos(const std::string& Sub, const std::string& S, int Start = 0);
// Every OldPattern replaced; the scan goes on after each replacement, so the
// inserted text is never searched again.
std::string dkReplaceAll(const std::string& S, const std::string& OldPattern,
                         const std::string& NewPattern);
std::string dkReplaceChar(const std::string& S, char OldChar, char NewChar);
// Text split at Delimiter, each part appended to Lines.
void dkSplitToLines(const std::string& Text, const std::string& Delimiter, TStrings& Lines);

// True for an existing file, or when the file can be made (it is removed again).
bool dkIsValidFileName(const std::string& FileName);

// Path helpers. A path separator is '\', ':' or '/'; what they add is '/'.
bool dkIsPathSeparator(char C);
std::string dkIncludeTrailingBackslash(const std::string& Path);
// Each doubled separator ("\\" or "//") becomes one; single ones stay.
std::string dkRemoveDoubleBackslashes(const std::string& Path);
std::string dkExtractFileName(const std::string& Path);
std::string dkExtractFilePath(const std::string& Path); // with its trailing separator
std::string dkExtractFileNameNoExt(const std::string& Path);
// The mask's folder (else the source's), name and extension replace the
// source's; a mask part with '*' or '?' keeps the source's part.
std::string dkApplyFileMask(const std::string& Source, const std::string& Mask);
// A relative path joined to Base; doubled separators removed.
std::string dkAbsolutePath(const std::string& Path, const std::string& Base);
// The folder of the system's programs, with its trailing separator.
std::string dkSystemDirectory();

// The operating-system version code, worked out once. Every Linux answers
// "XP or later" (9); the name comes from os-release.
enum TdkOSVersion : int {
    osvUnknown = 0,
    osvWin95 = 1,
    osvWin95OSR2 = 2,
    osvWin98 = 3,
    osvWin98SE = 4,
    osvWinNT3 = 5,
    osvWinNT4 = 6,
    osvWin2000 = 7,
    osvWinME = 8,
    osvWinXP = 9
};
struct TdkOSInfo {
    TdkOSVersion Version = osvUnknown;
    bool IsWin95 = false, IsWin95OSR2 = false, IsWin98 = false, IsWin98SE = false, IsWinME = false,
         IsWinNT3 = false, IsWinNT4 = false, IsWin2000 = false, IsWinXP = false;
    bool IsWinNT = false, IsWin98orLater = false, IsWin2000orLater = false, IsWinXPorLater = false;
    std::string Name;
};
// The flags that follow from a version code.
TdkOSInfo dkOSInfoFor(TdkOSVersion Version);
const TdkOSInfo& dkOSInfo();
TdkOSVersion dkOSVersion();
// PRETTY_NAME (else NAME) of an os-release text; "Linux" when it has neither.
std::string dkOSNameFromRelease(const std::string& OsReleaseText);

// The program's folder (with its separator) and its log file (the program's
// path with the extension ".log").
std::string dkProgramDir();
std::string dkLogFileName();
