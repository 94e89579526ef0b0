#include "dkfilecopy.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

int RenameNoReplace(const std::string& From, const std::string& To) {
    if (syscall(SYS_renameat2, AT_FDCWD, From.c_str(), AT_FDCWD, To.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without the flag: link-and-unlink keeps the no-replace
    // promise for files; folders fall back on a check first.
    if (link(From.c_str(), To.c_str()) == 0) return unlink(From.c_str()) == 0 ? 0 : errno;
    if (errno == EEXIST) return EEXIST;
    std::error_code Ec;
    if (fs::exists(fs::symlink_status(To, Ec))) return EEXIST;
    return rename(From.c_str(), To.c_str()) == 0 ? 0 : errno;
}

int CopyFile(const fs::path& From, const fs::path& Dest, bool Replace) {
    const int In = open(From.c_str(), O_RDONLY | O_CLOEXEC);
    if (In < 0) return errno;
    struct stat St;
    fstat(In, &St);
    // A replaced file is written beside its old self and renamed over it only
    // once whole, so a failed copy leaves the old file as it was.
    fs::path To = Dest;
    int Out = -1;
    for (int n = 0; n < 100 && Out < 0; ++n) {
        if (Replace)
            To = Dest.string() + ".part" + std::to_string(getpid()) + "-" + std::to_string(n);
        Out = open(To.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, St.st_mode & 07777);
        if (Out < 0 && (!Replace || errno != EEXIST)) break;
    }
    if (Out < 0) {
        const int Err = errno;
        close(In);
        return Err;
    }
    int Err = 0;
    char Buf[65536];
    for (;;) {
        const ssize_t N = read(In, Buf, sizeof Buf);
        if (N < 0) {
            Err = errno;
            break;
        }
        if (N == 0) break;
        for (ssize_t Done = 0; Done < N;) {
            const ssize_t W = write(Out, Buf + Done, static_cast<size_t>(N - Done));
            if (W < 0) {
                Err = errno;
                break;
            }
            Done += W;
        }
        if (Err) break;
    }
    close(In);
    if (close(Out) != 0 && !Err) Err = errno;
    if (!Err && Replace && rename(To.c_str(), Dest.c_str()) != 0) Err = errno;
    if (Err) unlink(To.c_str());
    return Err;
}

} // namespace

int dkCopyItem(const std::string& From, const std::string& To, bool Replace) {
    std::error_code Ec;
    const fs::file_status St = fs::symlink_status(From, Ec);
    if (Ec) return Ec.value();
    if (fs::is_symlink(St)) {
        fs::copy_symlink(From, To, Ec);
        return Ec ? Ec.value() : 0;
    }
    if (!fs::is_directory(St)) return CopyFile(From, To, Replace);
    if (!fs::create_directory(To, Ec) && !Ec && !Replace) return EEXIST;
    if (Ec) return Ec.value();
    for (const auto& E : fs::directory_iterator(From, Ec)) {
        const int Err =
            dkCopyItem(E.path().string(), (fs::path(To) / E.path().filename()).string(), Replace);
        if (Err) return Err;
    }
    return Ec ? Ec.value() : 0;
}

int dkRemoveItem(const std::string& Path) {
    std::error_code Ec;
    fs::remove_all(Path, Ec);
    return Ec ? Ec.value() : 0;
}

int dkMoveNoReplace(const std::string& From, const std::string& To) {
    const int Err = RenameNoReplace(From, To);
    if (Err != EXDEV) return Err;
    const int CopyErr = dkCopyItem(From, To, false);
    if (CopyErr) {
        if (CopyErr != EEXIST) dkRemoveItem(To);
        return CopyErr;
    }
    return dkRemoveItem(From);
}

bool dkIsSameOrInside(const std::string& Inner, const std::string& Outer) {
    std::error_code Ec;
    const fs::path I = fs::weakly_canonical(Inner, Ec);
    const fs::path O = fs::weakly_canonical(Outer, Ec);
    auto It = I.begin();
    for (auto Ot = O.begin(); Ot != O.end(); ++Ot, ++It) {
        if (Ot->empty()) continue; // a trailing separator
        if (It == I.end() || *It != *Ot) return false;
    }
    return true;
}
