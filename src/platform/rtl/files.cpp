#include "files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "classes.h"
#include "sysutils.h"

namespace {

int HexDigit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

} // namespace

bool IsValidUtf8(const std::string& S) {
    for (size_t i = 0; i < S.size();) {
        const size_t n = Utf8SequenceAt(S, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string DiskName(const std::string& FileName) {
    if (FileName.find(NameEscape) == std::string::npos) return Cp1252ToUtf8(FileName);
    std::string out;
    for (size_t i = 0; i < FileName.size(); ++i) {
        // Only bytes from 0x80 up are ever escaped: an escape can never make
        // a separator, a dot or a NUL.
        if (FileName[i] == NameEscape && i + 2 < FileName.size()) {
            const int hi = HexDigit(FileName[i + 1]), lo = HexDigit(FileName[i + 2]);
            if (hi >= 8 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += Cp1252ToUtf8(FileName.substr(i, 1));
    }
    return out;
}

std::string ProgramName(const std::string& DiskFileName) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(DiskFileName.size());
    for (size_t i = 0; i < DiskFileName.size();) {
        const size_t n = Utf8SequenceAt(DiskFileName, i);
        if (n > 0) {
            const std::string seq = DiskFileName.substr(i, n);
            const std::string b = n == 1 ? seq : Utf8ToCp1252(seq, '\0');
            if (b.size() == 1 && b[0] != NameEscape && (n == 1 || Cp1252ToUtf8(b) == seq)) {
                out += b;
                i += n;
                continue;
            }
        }
        for (size_t k = 0, m = n > 0 ? n : 1; k < m; ++k, ++i) {
            const auto c = static_cast<unsigned char>(DiskFileName[i]);
            out += NameEscape;
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

namespace {

bool StatOf(const std::string& name, struct stat& st) {
    return !name.empty() && ::stat(DiskName(name).c_str(), &st) == 0;
}

std::vector<std::string> ListDir(const std::string& Dir, bool wantDirs, const std::string& Mask) {
    std::vector<std::string> out;
    const std::string base = IncludeTrailingPathDelimiter(Dir.empty() ? "." : Dir);
    DIR* d = ::opendir(DiskName(base).c_str());
    if (!d) return out;
    while (const dirent* e = ::readdir(d)) {
        const std::string diskName = e->d_name;
        if (diskName == "." || diskName == "..") continue;
        struct stat st;
        if (::stat((DiskName(base) + diskName).c_str(), &st) != 0) continue;
        const std::string name = ProgramName(diskName);
        if (wantDirs ? S_ISDIR(st.st_mode) : (S_ISREG(st.st_mode) && MatchesMask(name, Mask)))
            out.push_back(name);
    }
    ::closedir(d);
    std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) {
        const int c = AnsiCompareText(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return out;
}

bool MatchFrom(const std::string& n, size_t i, const std::string& m, size_t j) {
    while (j < m.size()) {
        if (m[j] == '*') {
            while (j < m.size() && m[j] == '*')
                ++j;
            if (j == m.size()) return true;
            for (size_t k = i; k <= n.size(); ++k)
                if (MatchFrom(n, k, m, j)) return true;
            return false;
        }
        if (i >= n.size()) return false;
        if (m[j] != '?' && AnsiUpperChar(m[j]) != AnsiUpperChar(n[i])) return false;
        ++i;
        ++j;
    }
    return i == n.size();
}

} // namespace

bool FileExists(const std::string& FileName) {
    struct stat st;
    return StatOf(FileName, st) && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& Dir) {
    struct stat st;
    return StatOf(Dir, st) && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& Dir) {
    return !Dir.empty() && ::mkdir(DiskName(Dir).c_str(), 0777) == 0;
}

bool ForceDirectories(const std::string& Dir) {
    const std::string d = ExcludeTrailingPathDelimiter(Dir);
    if (d.empty()) return false;
    if (DirectoryExists(d)) return true;
    const std::string parent = ExtractFileDir(d);
    if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
    return CreateDir(d) || DirectoryExists(d);
}

bool RemoveDir(const std::string& Dir) {
    return ::rmdir(DiskName(Dir).c_str()) == 0;
}

bool DeleteFile(const std::string& FileName) {
    return !FileName.empty() && ::unlink(DiskName(FileName).c_str()) == 0;
}

bool RenameFile(const std::string& OldName, const std::string& NewName) {
    // Like the platform, never replaces an existing target.
    if (FileExists(NewName) || DirectoryExists(NewName)) return false;
    return ::rename(DiskName(OldName).c_str(), DiskName(NewName).c_str()) == 0;
}

long long FileSizeOf(const std::string& FileName) {
    struct stat st;
    return StatOf(FileName, st) ? static_cast<long long>(st.st_size) : -1;
}

std::string ExtractFilePath(const std::string& FileName) {
    const size_t p = FileName.rfind(PathDelim);
    return p == std::string::npos ? std::string() : FileName.substr(0, p + 1);
}

std::string ExtractFileDir(const std::string& FileName) {
    const size_t p = FileName.rfind(PathDelim);
    if (p == std::string::npos) return std::string();
    if (p == 0) return "/";
    return FileName.substr(0, p);
}

std::string ExtractFileName(const std::string& FileName) {
    const size_t p = FileName.rfind(PathDelim);
    return p == std::string::npos ? FileName : FileName.substr(p + 1);
}

std::string ExtractFileExt(const std::string& FileName) {
    const size_t p = FileName.find_last_of("./");
    if (p == std::string::npos || FileName[p] != '.') return std::string();
    return FileName.substr(p);
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
    const size_t p = FileName.find_last_of("./");
    if (p == std::string::npos || FileName[p] != '.') return FileName + Extension;
    return FileName.substr(0, p) + Extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& Path) {
    if (!Path.empty() && Path.back() == PathDelim) return Path;
    return Path + PathDelim;
}

std::string ExcludeTrailingPathDelimiter(const std::string& Path) {
    std::string p = Path;
    while (p.size() > 1 && p.back() == PathDelim)
        p.pop_back();
    return p;
}

std::string ExpandFileName(const std::string& FileName) {
    std::string full = FileName;
    if (full.empty() || full[0] != PathDelim)
        full = IncludeTrailingPathDelimiter(GetCurrentDir()) + full;
    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= full.size()) {
        size_t j = full.find(PathDelim, i);
        if (j == std::string::npos) j = full.size();
        const std::string part = full.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out;
    for (const auto& p : parts)
        out += PathDelim + p;
    if (out.empty()) out = "/";
    if (!FileName.empty() && FileName.back() == PathDelim && out != "/") out += PathDelim;
    return out;
}

std::string GetCurrentDir() {
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return std::string();
    return ProgramName(buf);
}

bool SetCurrentDir(const std::string& Dir) {
    return ::chdir(DiskName(Dir).c_str()) == 0;
}

bool MatchesMask(const std::string& Name, const std::string& Mask) {
    // "*.*" means every file, with or without an extension, as users expect.
    if (Mask == "*.*" || Mask.empty()) return true;
    return MatchFrom(Name, 0, Mask, 0);
}

std::vector<std::string> ListFiles(const std::string& Dir, const std::string& Mask) {
    return ListDir(Dir, false, Mask);
}

std::vector<std::string> ListSubFolders(const std::string& Dir) {
    return ListDir(Dir, true, "*");
}

std::string GetDocumentsFolder() {
    const char* homeEnv = std::getenv("HOME");
    const std::string home = homeEnv ? homeEnv : "";
    std::string fallback = home.empty() ? std::string() : home + "/Documents";
    if (const char* xdg = std::getenv("XDG_DOCUMENTS_DIR"); xdg && *xdg)
        return ProgramName(ExcludeTrailingPathDelimiter(xdg));
    const char* cfg = std::getenv("XDG_CONFIG_HOME");
    const std::string cfgDir = (cfg && *cfg) ? cfg : home + "/.config";
    std::ifstream in(cfgDir + "/user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.rfind("XDG_DOCUMENTS_DIR=", 0) != 0) continue;
        std::string value = line.substr(18);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        if (!value.empty() && value[0] == '/')
            return ProgramName(ExcludeTrailingPathDelimiter(value));
    }
    return ProgramName(fallback);
}

std::string GetConfigFolder() {
    std::string base;
    if (const char* cfg = std::getenv("XDG_CONFIG_HOME"); cfg && *cfg == '/')
        base = cfg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = "/tmp"; // no home at all: still a folder every process agrees on
    return ProgramName(IncludeTrailingPathDelimiter(base)) + "vivazozodi/";
}

std::string GetProgramFileName() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string();
    return ProgramName(std::string(buf, static_cast<size_t>(n)));
}

std::string GetProgramDir() {
    return ExtractFilePath(GetProgramFileName());
}

std::string ReadFileBytes(const std::string& FileName) {
    std::ifstream in(DiskName(FileName), std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + FileName + "\"");
    // Whole blocks at a time: a character iterator costs a call per byte, which
    // every settings read and list load would pay.
    std::string data;
    char block[65536];
    while (in.read(block, sizeof block) || in.gcount() > 0)
        data.append(block, static_cast<size_t>(in.gcount()));
    return data;
}

int OpenUniqueFile(const std::string& Prefix, unsigned Mode, std::string& Name) {
    static constexpr char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = Prefix;
        for (int i = 0; i < 8; ++i)
            candidate += kChars[random() % (sizeof kChars - 1)];
        const int fd = ::open(DiskName(candidate).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              static_cast<mode_t>(Mode));
        if (fd >= 0) {
            Name = candidate;
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

namespace {

// Runs Step (the bytes done so far -> the result of one read or write) until
// Count bytes are done, the file ends or an error other than an interruption.
template <class TStep> int64_t TransferFully(int64_t Count, TStep Step) {
    int64_t done = 0;
    while (done < Count) {
        const ssize_t n = Step(done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

} // namespace

int64_t ReadFully(int Handle, void* Buffer, int64_t Count) {
    auto* p = static_cast<char*>(Buffer);
    return TransferFully(Count, [&](int64_t Done) {
        return ::read(Handle, p + Done, static_cast<size_t>(Count - Done));
    });
}

int64_t WriteFully(int Handle, const void* Buffer, int64_t Count) {
    const auto* p = static_cast<const char*>(Buffer);
    return TransferFully(Count, [&](int64_t Done) {
        return ::write(Handle, p + Done, static_cast<size_t>(Count - Done));
    });
}

std::string ResolveLinks(const std::string& FileName) {
    std::string name = FileName;
    // As the kernel does: a loop of links ends somewhere.
    for (int depth = 0; depth < 40; ++depth) {
        const std::string disk = DiskName(name);
        struct stat st;
        if (::lstat(disk.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(disk.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size()) return name;
        target.resize(static_cast<size_t>(n));
        const std::string next = ProgramName(target);
        name = !next.empty() && next[0] == PathDelim ? next : ExtractFilePath(name) + next;
    }
    return name;
}

bool IsReadOnlyFile(const std::string& FileName) {
    const std::string disk = DiskName(FileName);
    struct stat st;
    if (::stat(disk.c_str(), &st) != 0) return false;
    if ((st.st_mode & 0222) == 0) return true;
    return ::access(disk.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS);
}

bool IsWritableDir(const std::string& Dir) {
    const std::string disk = DiskName(Dir.empty() ? std::string(".") : Dir);
    return ::access(disk.c_str(), W_OK | X_OK) == 0;
}

TFileStamp FileStampOf(const std::string& FileName) {
    TFileStamp stamp;
    struct stat st;
    if (::stat(DiskName(FileName).c_str(), &st) != 0) return stamp;
    stamp.Exists = true;
    stamp.Size = st.st_size;
    stamp.MTimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.Device = st.st_dev;
    stamp.Inode = st.st_ino;
    return stamp;
}
