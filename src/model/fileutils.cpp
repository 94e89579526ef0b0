#include "model/fileutils.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "model/officelock.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"

namespace {

// Closes the descriptor when leaving the scope.
class TFd {
public:
    explicit TFd(int Fd) : FFd(Fd) {}
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd() {
        if (FFd >= 0) ::close(FFd);
    }
    int Get() const { return FFd; }

private:
    int FFd;
};

bool HeldByLock(int Fd) {
    // A whole-file lock of the flock kind held through another open file.
    if (::flock(Fd, LOCK_EX | LOCK_NB) != 0) return true;
    ::flock(Fd, LOCK_UN);
    // A record lock of another process; asking does not take our own locks away.
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    if (::fcntl(Fd, F_GETLK, &fl) == 0 && fl.l_type != F_UNLCK) return true;
    return false;
}

// Another program has the file open with a lock, or it cannot be opened at all.
bool HeldByAnotherProgram(const std::string& FileName) {
    const std::string disk = DiskName(FileName);
    int handle = ::open(disk.c_str(), O_RDWR | O_CLOEXEC);
    // A read-only file (no write permission, a read-only medium) is not in use:
    // it can be read, and whether another program holds it is asked read-only.
    if (handle < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        handle = ::open(disk.c_str(), O_RDONLY | O_CLOEXEC);
    const TFd fd(handle);
    if (fd.Get() < 0) return true;
    return HeldByLock(fd.Get());
}

} // namespace

bool IsFileInUse(const std::string& FileName) {
    if (!FileExists(FileName)) return false;
    return FileExists(OfficeLockFileName(FileName)) || HeldByAnotherProgram(FileName);
}

std::string FileInUseReason(const std::string& FileName, const std::string& ProcFolder) {
    if (!FileExists(FileName)) return {};
    const std::string lockFile = OfficeLockFileName(FileName);
    if (!FileExists(lockFile)) {
        if (!HeldByAnotherProgram(FileName)) return {};
        return "Het bestand is in gebruik door een ander programma; sluit het daar eerst.";
    }
    TOfficeLock lock;
    std::string tekst;
    try {
        tekst = ReadFileBytes(lockFile);
    } catch (const Exception&) {
    }
    const bool gelezen = ReadOfficeLock(tekst, lock);
    std::string reden = "Volgens het slotbestand \"" + ExtractFileName(lockFile) +
                        "\" (verborgen, in dezelfde map) heeft LibreOffice het bestand open";
    if (gelezen) reden += ": " + lock.User + " op " + lock.Host + " sinds " + lock.Time;
    reden += ".\r";
    // Left behind only when nothing says otherwise: the document itself not
    // locked, and the suite gone from the computer and user that made the lock.
    if (gelezen && !HeldByAnotherProgram(FileName) && IsOfficeLockLeftOver(lock, ProcFolder))
        return reden + "LibreOffice draait niet meer, dus het slotbestand is blijven staan. "
                       "Verwijder het slotbestand en open het bestand opnieuw.";
    return reden + "Sluit het bestand eerst in LibreOffice; is het daar niet meer open, "
                   "verwijder dan het slotbestand.";
}

std::string GetShortPath(const std::string& Path) {
    const size_t last = Path.rfind('/');
    if (last == std::string::npos) return Path;
    const size_t second = last == 0 ? std::string::npos : Path.rfind('/', last - 1);
    if (second != std::string::npos) return ".." + Path.substr(second);
    if (last == 0) return Path;
    return ".." + Path.substr(last);
}

namespace {
const char* const FileNameChars = "\"*/:<>?\\|";
} // namespace

bool IsValidFileName(const std::string& Path) {
    const std::string name = ExtractFileName(Path);
    if (name.empty()) return false;
    if (name.find_first_of(FileNameChars) != std::string::npos) return false;
    const std::string dir = ExtractFileDir(Path);
    return dir.empty() || DirectoryExists(dir);
}

std::string ReplaceFileNameChars(const std::string& Name) {
    std::string s = Name;
    for (char& c : s)
        if (std::strchr(FileNameChars, c) && c != '\0') c = '-';
    return s;
}

std::string GroepFileName(const std::string& Naam) {
    std::string naam = Trim(Naam);
    if (naam.empty()) naam = "Groep";
    std::replace(naam.begin(), naam.end(), '.', '-');
    return ReplaceFileNameChars(naam) + ".csv";
}

bool ValidFileExists(const std::string& Path) {
    return IsValidFileName(Path) && FileExists(Path);
}

void FillDirList(const std::string& Folder, TStrings& List) {
    List.Clear();
    for (const std::string& name : ListSubFolders(Folder))
        List.Add(name);
}

void FillFileList(const std::string& Folder, const std::string& Mask, TStrings& List) {
    List.Clear();
    const std::string dir = IncludeTrailingPathDelimiter(Folder);
    for (const std::string& name : ListFiles(Folder, Mask))
        if (ValidFileExists(dir + name)) List.Add(name);
}

bool CheckMakeDir(const std::string& Folder, std::string& Msg) {
    if (DirectoryExists(Folder)) return true;
    const bool made = ForceDirectories(Folder);
    Msg += GetShortPath(Folder) + (made ? " aangemaakt." : " Kan niet worden gemaakt.") + "\r";
    return DirectoryExists(Folder);
}

std::string GetSpecialFolder(int Id) {
    if (Id == CSIDL_PERSONAL) return GetDocumentsFolder();
    if (Id == CSIDL_APPDATA) {
        if (const char* cfg = std::getenv("XDG_CONFIG_HOME"); cfg && *cfg) return ProgramName(cfg);
        if (const char* home = std::getenv("HOME"); home && *home)
            return ProgramName(home) + "/.config";
    }
    return "";
}

std::string GetDataRoot() {
    return GetDocumentsFolder() + "/Vivazozodi";
}
