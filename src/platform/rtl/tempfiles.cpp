#include "tempfiles.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>

#include "classes.h"
#include "files.h"

std::string GetTempDir() {
    const char* t = std::getenv("TMPDIR");
    std::string dir = (t && *t) ? ProgramName(t) : std::string("/tmp");
    return IncludeTrailingPathDelimiter(dir);
}

std::string CreateTempFile(const std::string& Dir, const std::string& Prefix) {
    const std::string folder = IncludeTrailingPathDelimiter(Dir.empty() ? GetTempDir() : Dir);
    std::string name;
    const int fd = OpenUniqueFile(folder + Prefix, 0600, name);
    if (fd < 0) throw EFCreateError("Cannot create file \"" + folder + Prefix + "\"");
    ::close(fd);
    return name;
}

int64_t DiskFree(const std::string& Path) {
    std::string p = ExpandFileName(Path.empty() ? "." : Path);
    for (int guard = 0; guard < 4096; ++guard) {
        struct statvfs vs;
        if (::statvfs(DiskName(p).c_str(), &vs) == 0)
            return static_cast<int64_t>(vs.f_bavail) * static_cast<int64_t>(vs.f_frsize);
        const std::string parent = ExtractFileDir(ExcludeTrailingPathDelimiter(p));
        if (parent.empty() || parent == p) break;
        p = parent;
    }
    return -1;
}

bool IsRemovablePath(const std::string& Path) {
    const std::string full = ExpandFileName(Path);
    return full.rfind("/media/", 0) == 0 || full.rfind("/run/media/", 0) == 0;
}
