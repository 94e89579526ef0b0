#include "tempfiles.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

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

namespace {

// Undoes the mount table's octal escapes (a space is "\040").
std::string UnescapeMountField(const std::string& S) {
    std::string out;
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '\\' && i + 3 < S.size()) {
            out += static_cast<char>(std::stoi(S.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            out += S[i];
        }
    }
    return out;
}

bool ReadsOne(const std::string& File) {
    std::ifstream in(File);
    std::string v;
    return std::getline(in, v) && v == "1";
}

} // namespace

std::string MountDevice(const std::string& Path, const std::string& MountTable) {
    const std::string full = DiskName(ExpandFileName(Path));
    std::ifstream in(MountTable);
    std::string line, best, device;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string id, parent, numbers, root, point, field;
        f >> id >> parent >> numbers >> root >> point;
        point = UnescapeMountField(point);
        while (f >> field && field != "-") {
        }
        std::string type, source;
        f >> type >> source;
        const bool inside = full == point || full.rfind(point == "/" ? point : point + "/", 0) == 0;
        if (inside && point.size() >= best.size()) {
            best = point;
            device = source;
        }
    }
    if (device.rfind("/dev/", 0) != 0) return std::string();
    return device.substr(5);
}

bool IsRemovableDevice(const std::string& Device, const std::string& SysRoot) {
    if (Device.empty() || Device.find("..") != std::string::npos) return false;
    // The class entry links to the device's folder; a partition's folder lies
    // inside that of its disk, which carries the flag.
    char real[PATH_MAX];
    const std::string entry = SysRoot + "/class/block/" + Device;
    if (!::realpath(entry.c_str(), real)) return false;
    const std::string dir = real;
    if (ReadsOne(dir + "/removable")) return true;
    return ::access((dir + "/partition").c_str(), F_OK) == 0 &&
           ReadsOne(dir.substr(0, dir.rfind('/')) + "/removable");
}

bool IsRemovablePath(const std::string& Path) {
    const std::string full = ExpandFileName(Path);
    if (full.rfind("/media/", 0) == 0 || full.rfind("/run/media/", 0) == 0) return true;
    return IsRemovableDevice(MountDevice(full));
}
