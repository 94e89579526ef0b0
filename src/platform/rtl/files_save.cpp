// Replacing a file whole: a temporary file beside it, flushed and renamed over
// it; what a killed save left beside it; and the replace that first looks
// whether somebody else wrote the file meanwhile.

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <vector>

#include "files.h"

namespace {

// The temporary files of a save of a file: its name, this infix and
// OpenUniqueFile's eight random letters or digits.
const char* const SaveTempInfix = ".vzsave-";
constexpr size_t SaveTempRandom = 8;

bool IsSaveTempName(const std::string& Entry, const std::string& Prefix) {
    if (Entry.size() != Prefix.size() + SaveTempRandom || Entry.compare(0, Prefix.size(), Prefix))
        return false;
    return std::all_of(Entry.begin() + static_cast<std::ptrdiff_t>(Prefix.size()), Entry.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// The mark a save puts at the end of its temporary file, past the data, while
// it writes it: it names the file's own device and inode, so that neither a
// file a user named so nor a copy of a leftover carries it. The save cuts it
// off before the file takes the target's place; only a killed save leaves it.
std::string SaveMark(const struct stat& St) {
    return std::string("\0vzsave ", 8) + std::to_string(St.st_dev) + ":" +
           std::to_string(St.st_ino) + std::string(1, '\0');
}

bool HasSaveMark(int Fd, const struct stat& St) {
    const std::string mark = SaveMark(St);
    const auto size = static_cast<off_t>(mark.size());
    if (St.st_size < size) return false;
    std::string tail(mark.size(), '\0');
    return ::pread(Fd, tail.data(), tail.size(), St.st_size - size) == size && tail == mark;
}

std::string FolderOf(const std::string& Real) {
    return DiskName(ExtractFileDir(Real).empty() ? std::string(".") : ExtractFileDir(Real));
}

// Removes what saves of Real that were killed left beside it: files with our
// temporary names, of this user, that carry a save's mark and that no live
// save holds locked.
void RemoveStaleSaveTemps(const std::string& Real) {
    const std::string folder = FolderOf(Real);
    const std::string prefix = DiskName(ExtractFileName(Real)) + SaveTempInfix;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir))
        if (IsSaveTempName(entry->d_name, prefix)) stale.emplace_back(entry->d_name);
    ::closedir(dir);
    for (const std::string& name : stale) {
        const std::string path = folder + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) continue;
        // The lock first: a live save holds it from before it marks its file
        // until after it has cut the mark off.
        struct stat st, again;
        const bool take = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0 &&
                          S_ISREG(st.st_mode) && st.st_uid == ::getuid() && HasSaveMark(fd, st) &&
                          ::lstat(path.c_str(), &again) == 0 && again.st_ino == st.st_ino &&
                          again.st_dev == st.st_dev;
        if (take) ::unlink(path.c_str());
        ::close(fd);
    }
}

// An open file, closed when the scope ends; with a name, the temporary file of
// a save, also removed unless it took the target's place.
class TSaveFile {
public:
    explicit TSaveFile(int Fd, std::string DiskFileName = {})
        : FFd(Fd), FName(std::move(DiskFileName)) {}
    ~TSaveFile() {
        Close();
        if (!FName.empty()) ::unlink(FName.c_str());
    }
    TSaveFile(const TSaveFile&) = delete;
    TSaveFile& operator=(const TSaveFile&) = delete;
    const std::string& Name() const { return FName; }
    bool Close() {
        const bool ok = FFd < 0 || ::close(FFd) == 0;
        FFd = -1;
        return ok;
    }
    void Placed() { FName.clear(); }

private:
    int FFd;
    std::string FName;
};

// Opens the folder locked, for as long as the answer stays open: the checked
// saves of one folder take turns, in every process, from the look at the file
// to its replace. Each holds it for a look and a rename; one held far longer
// is no save of ours and must not stop this one, nor must a file system
// without locks. No folder: no lock.
int LockedFolder(const std::string& DiskFolder) {
    const int fd =
        DiskFolder.empty() ? -1 : ::open(DiskFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int tries = 0; fd >= 0 && tries < 1000; ++tries) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        const timespec pause{0, 10'000'000};
        ::nanosleep(&pause, nullptr);
    }
    return fd;
}

} // namespace

TFileVersion FileVersionOf(const std::string& FileName) {
    TFileVersion version;
    version.Exists = FileExists(FileName);
    try {
        if (version.Exists) version.Bytes = ReadFileBytes(FileName);
    } catch (const EFOpenError&) {
        // There, but not for us to read: a version without bytes.
    }
    return version;
}

void WriteFileAtomic(const std::string& FileName, const std::string& Data) {
    WriteFileAtomicIf(FileName, Data, nullptr);
}

bool WriteFileAtomicIf(const std::string& FileName, const std::string& Data,
                       const std::function<bool(const TFileVersion& Now)>& Unchanged) {
    // Through a link the file it names is replaced, beside itself, so the link
    // (and what else points at the file) sees the new contents.
    const std::string real = ResolveLinks(FileName);
    if (IsReadOnlyFile(real)) throw EFCreateError("File \"" + FileName + "\" is read-only");
    const std::string target = DiskName(real);
    RemoveStaleSaveTemps(real);
    std::string tempName;
    const int fd = OpenUniqueFile(real + SaveTempInfix, 0666, tempName);
    if (fd < 0) throw EFCreateError("Cannot create file \"" + FileName + "\"");
    TSaveFile temp(fd, DiskName(tempName));
    const EFCreateError failed("Cannot create file \"" + FileName + "\"");
    // Locked before it is marked and until the mark is cut off: another save
    // takes only a marked file that nobody holds for a killed save's.
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat own;
    if (::fstat(fd, &own) != 0) throw failed;
    const std::string mark = SaveMark(own);
    const auto size = static_cast<off_t>(Data.size());
    const auto markSize = static_cast<int64_t>(mark.size());
    if (::lseek(fd, size, SEEK_SET) != size || WriteFully(fd, mark.data(), markSize) != markSize ||
        ::lseek(fd, 0, SEEK_SET) != 0 || WriteFully(fd, Data.data(), size) != size)
        throw failed;

    // Only a save that looks first waits for the others: the look and the
    // replace must be one step for them.
    const TSaveFile turn(LockedFolder(Unchanged ? FolderOf(real) : std::string()));
    if (Unchanged && !Unchanged(FileVersionOf(real))) return false;
    bool ok = ::ftruncate(fd, size) == 0;
    if (ok && ::fsync(fd) != 0) ok = false;
    // Keep the permissions of the file that is replaced; a new file was made
    // with the usual ones.
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
    if (!temp.Close()) ok = false;
    if (!ok || ::rename(temp.Name().c_str(), target.c_str()) != 0) throw failed;
    temp.Placed();
    // The new name itself survives a power cut only once the folder is synced.
    const int dir = ::open(FolderOf(real).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}
