#pragma once
// File and folder helpers of the tournament program. Paths use '/'.

#include <string>

class TStrings;

// True when the file exists and another program holds it: it cannot be opened for
// reading and writing, an exclusive advisory lock on it cannot be had, or an office
// suite's lock file ".~lock.NAME#" stands beside it.
bool IsFileInUse(const std::string& FileName);
// Why the file is in use, in Dutch, for the director to act on: the office
// suite's lock file by name, whose it is, and whether it was left behind
// (ProcFolder lists the processes); empty when the file is not in use.
std::string FileInUseReason(const std::string& FileName, const std::string& ProcFolder = "/proc");
// ".." and the path from its second-last '/', for messages.
std::string GetShortPath(const std::string& Path);
// The name part is not empty and holds none of " * / : < > ? \ |, and the folder
// part, when given, exists.
bool IsValidFileName(const std::string& Path);
// Name with each character that cannot stand in a file name (" * / : < > ? \ |)
// replaced by '-'.
std::string ReplaceFileNameChars(const std::string& Name);
// The file name a group is saved under: its trimmed name with '.' and the
// characters above made '-', and ".csv"; "Groep.csv" for a group without name
// (never a hidden ".csv").
std::string GroepFileName(const std::string& Naam);
bool ValidFileExists(const std::string& Path);
// The names of the folder's sub-folders.
void FillDirList(const std::string& Folder, TStrings& List);
// The names of the folder's files that match the mask and pass ValidFileExists.
void FillFileList(const std::string& Folder, const std::string& Mask, TStrings& List);
// True when the folder exists or could be made; a made or failed folder is reported
// in Msg, one line per folder.
bool CheckMakeDir(const std::string& Folder, std::string& Msg);

inline constexpr int CSIDL_PERSONAL = 0x0005;
inline constexpr int CSIDL_APPDATA = 0x001A;
// The user's documents folder or settings folder; empty for any other id.
std::string GetSpecialFolder(int Id);
// The documents folder + "/Vivazozodi".
std::string GetDataRoot();
