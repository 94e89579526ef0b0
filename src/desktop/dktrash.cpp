#include "dktrash.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "desktop/dkfilecopy.h"
#include "platform/rtl/files.h"

namespace fs = std::filesystem;

namespace {

std::string UrlEncode(const std::string& Path) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string R;
    for (const unsigned char C : Path) {
        if (isalnum(C) || C == '/' || C == '-' || C == '_' || C == '.' || C == '~')
            R += C;
        else
            R += {'%', Hex[C >> 4], Hex[C & 15]};
    }
    return R;
}

std::string UrlDecode(const std::string& S) {
    std::string R;
    for (size_t i = 0; i < S.size(); ++i) {
        // A record another program damaged keeps what is not an escape as it stands.
        if (S[i] == '%' && i + 2 < S.size() && isxdigit(static_cast<unsigned char>(S[i + 1])) &&
            isxdigit(static_cast<unsigned char>(S[i + 2]))) {
            R += static_cast<char>(std::stoi(S.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else
            R += S[i];
    }
    return R;
}

std::string Now() {
    const std::time_t T = std::time(nullptr);
    std::tm Tm{};
    localtime_r(&T, &Tm);
    char Buf[32];
    std::strftime(Buf, sizeof Buf, "%Y-%m-%dT%H:%M:%S", &Tm);
    return Buf;
}

// The trash record of an entry: its original place and when it went.
bool ReadInfo(const fs::path& Info, std::string& Path, std::string& Date) {
    std::ifstream In(Info);
    std::string Line;
    while (std::getline(In, Line)) {
        if (Line.rfind("Path=", 0) == 0)
            Path = UrlDecode(Line.substr(5));
        else if (Line.rfind("DeletionDate=", 0) == 0)
            Date = Line.substr(13);
    }
    return !Path.empty();
}

} // namespace

std::string dkTrashFolder() {
    const char* Data = std::getenv("XDG_DATA_HOME");
    if (Data && *Data) return std::string(Data) + "/Trash";
    const char* Home = std::getenv("HOME");
    return std::string(Home ? Home : "") + "/.local/share/Trash";
}

int dkMoveToTrash(const std::string& FileName) {
    const fs::path Source = fs::absolute(DiskName(FileName)).lexically_normal();
    std::error_code Ec;
    if (!fs::exists(fs::symlink_status(Source, Ec))) return ENOENT;
    const fs::path Trash = dkTrashFolder();
    fs::create_directories(Trash / "files", Ec);
    fs::create_directories(Trash / "info", Ec);
    if (Ec) return Ec.value();
    // The record is made first with a name no other entry has; the item
    // follows it under that name.
    const std::string Base = Source.filename().string();
    for (int n = 1; n < 10000; ++n) {
        const std::string Name = n == 1 ? Base : Base + "." + std::to_string(n);
        const fs::path Info = Trash / "info" / (Name + ".trashinfo");
        const int Fd = open(Info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (Fd < 0) {
            if (errno == EEXIST) continue;
            return errno;
        }
        const std::string Text =
            "[Trash Info]\nPath=" + UrlEncode(Source.string()) + "\nDeletionDate=" + Now() + "\n";
        const bool Written =
            write(Fd, Text.data(), Text.size()) == static_cast<ssize_t>(Text.size());
        close(Fd);
        const fs::path Target = Trash / "files" / Name;
        int Err = Written ? dkMoveNoReplace(Source.string(), Target.string()) : EIO;
        if (Err != 0) fs::remove(Info, Ec);
        // An item left in the trash without its record holds this name: the next one.
        if (Err == EEXIST) continue;
        return Err;
    }
    return EEXIST;
}

int dkRestoreFromTrash(const std::string& FileName) {
    const std::string Wanted = fs::absolute(DiskName(FileName)).lexically_normal().string();
    const fs::path Trash = dkTrashFolder();
    std::error_code Ec;
    fs::path Best;
    std::string BestDate;
    for (const auto& E : fs::directory_iterator(Trash / "info", Ec)) {
        std::string Path, Date;
        if (E.path().extension() != ".trashinfo" || !ReadInfo(E.path(), Path, Date)) continue;
        if (Path == Wanted && (Best.empty() || Date >= BestDate)) {
            Best = E.path();
            BestDate = Date;
        }
    }
    if (Best.empty()) return ENOENT;
    const fs::path Item = Trash / "files" / Best.stem();
    const int Err = dkMoveNoReplace(Item.string(), Wanted);
    if (Err == 0) fs::remove(Best, Ec);
    return Err;
}
