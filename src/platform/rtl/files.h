#pragma once
// Files, folders and paths. Names inside the program are Windows-1252 text
// with '/' as separator; on disk they are UTF-8, converted here at the edge.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classes.h" // EFOpenError, EFCreateError

constexpr char PathDelim = '/';

// The on-disk (UTF-8) form of a program file name, and back. A disk name
// whose characters all exist in Windows-1252 becomes those single bytes; every
// byte of a character beyond it (or of bytes that are no UTF-8 at all) becomes
// NameEscape followed by the byte in two upper-case hexadecimal digits, and so
// does a character that would itself be read as NameEscape. The program form
// thus keeps the exact disk name, and two disk names never share one.
constexpr char NameEscape = '\x81'; // a byte Windows-1252 leaves undefined
std::string DiskName(const std::string& FileName);
std::string ProgramName(const std::string& DiskFileName);
// Whether S is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(const std::string& S);

bool FileExists(const std::string& FileName); // a regular file (or a link to one)
bool DirectoryExists(const std::string& Dir);
bool CreateDir(const std::string& Dir);
bool ForceDirectories(const std::string& Dir); // creates every missing level
bool RemoveDir(const std::string& Dir);
bool DeleteFile(const std::string& FileName);
bool RenameFile(const std::string& OldName, const std::string& NewName);
long long FileSizeOf(const std::string& FileName); // -1 when missing

std::string ExtractFilePath(const std::string& FileName); // with trailing '/'
std::string ExtractFileDir(const std::string& FileName);  // without trailing '/'
std::string ExtractFileName(const std::string& FileName);
std::string ExtractFileExt(const std::string& FileName); // with the dot, "" when none
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);
std::string IncludeTrailingPathDelimiter(const std::string& Path);
std::string ExcludeTrailingPathDelimiter(const std::string& Path);
std::string ExpandFileName(const std::string& FileName); // absolute, '.' and '..' resolved

std::string GetCurrentDir();
bool SetCurrentDir(const std::string& Dir);

// The platform's wildcard rule: '*' any run, '?' one character, case-insensitive.
bool MatchesMask(const std::string& Name, const std::string& Mask);
// Names (not paths) of the regular files in Dir matching Mask, sorted case-insensitively.
std::vector<std::string> ListFiles(const std::string& Dir, const std::string& Mask = "*");
// Names of the sub-folders of Dir, without "." and "..", sorted case-insensitively.
std::vector<std::string> ListSubFolders(const std::string& Dir);

// The user's documents folder: XDG_DOCUMENTS_DIR from user-dirs.dirs, else ~/Documents.
std::string GetDocumentsFolder();
// The program's folder in the user's configuration folder: $XDG_CONFIG_HOME
// (or ~/.config) + "/vivazozodi/", with trailing '/'. It need not exist yet.
std::string GetConfigFolder();
// The running program's full file name and its folder (with trailing '/').
std::string GetProgramFileName();
std::string GetProgramDir();

// Creates a new file named Prefix + a random part, opened for writing, with
// Mode less the process's creation mask; returns its descriptor and sets Name,
// or returns -1 when no such file can be made.
int OpenUniqueFile(const std::string& Prefix, unsigned Mode, std::string& Name);

// Reads or writes Count bytes on an open file handle, going on after
// interruptions and partial transfers; answers the bytes done (fewer at the
// end of the file or on an error).
int64_t ReadFully(int Handle, void* Buffer, int64_t Count);
int64_t WriteFully(int Handle, const void* Buffer, int64_t Count);
// Reads a whole file as bytes; raises EFOpenError when it cannot be read.
std::string ReadFileBytes(const std::string& FileName);
// The name a file finally stands for: symbolic links followed (a relative one
// from the link's own folder) until a name that is no link, also when that
// name does not exist yet; FileName itself when it is no link.
std::string ResolveLinks(const std::string& FileName);
// True when FileName (a link followed) exists but must not be written: its mode
// grants no write permission to anyone, or it is not writable for this process
// (a read-only medium, another owner).
bool IsReadOnlyFile(const std::string& FileName);
// False when files cannot be made in Dir (a read-only medium, no permission).
bool IsWritableDir(const std::string& Dir);

// What a file on disk was at one moment (a link followed): equal stamps mean
// that nobody wrote or replaced it in between.
struct TFileStamp {
    bool Exists = false;
    int64_t Size = 0;
    int64_t MTimeNs = 0;
    uint64_t Device = 0, Inode = 0;
    bool operator==(const TFileStamp&) const = default;
};
TFileStamp FileStampOf(const std::string& FileName);

// What a file held at one moment (a link followed): whether it existed, and
// its bytes. Two equal versions mean that nobody wrote other bytes into it in
// between, however close together the writes came (a stamp of size and time
// misses a second write within one tick of the clock). A file that exists but
// cannot be read has no bytes.
struct TFileVersion {
    bool Exists = false;
    std::string Bytes;
    bool operator==(const TFileVersion&) const = default;
};
TFileVersion FileVersionOf(const std::string& FileName);

// Writes Data to a unique temporary file beside FileName, flushes it and renames
// it over FileName; raises EFCreateError (and leaves the old file) on failure.
// Through a symbolic link the link's target is written (the link stays); a
// read-only file is never replaced. What a killed save of FileName left beside
// it is removed; nothing else is: the temporary file carries a mark of its own
// while it is written, cut off before it takes FileName's place.
void WriteFileAtomic(const std::string& FileName, const std::string& Data);
// The same, but right before the replace, while the checked saves of the same
// folder (in every process) wait, Unchanged is shown the file as it is then;
// when it answers false nothing is written and the answer is false. So a save
// that only replaces what it expects never loses one made at the same moment.
bool WriteFileAtomicIf(const std::string& FileName, const std::string& Data,
                       const std::function<bool(const TFileVersion& Now)>& Unchanged);
