#include "fileattrs.h"

#include <sys/stat.h>
#include <sys/time.h>

#include <algorithm>
#include <ctime>

#include "files.h"

int32_t FileGetAttr(const std::string& FileName) {
    struct stat st;
    if (FileName.empty() || ::lstat(DiskName(FileName).c_str(), &st) != 0) return -1;
    uint32_t attr = 0;
    if (S_ISLNK(st.st_mode)) return faSymLink;
    if (S_ISDIR(st.st_mode))
        attr |= faDirectory;
    else if (S_ISREG(st.st_mode))
        attr |= faArchive;
    else
        attr |= faSysFile;
    if ((st.st_mode & 0222) == 0) attr |= faReadOnly;
    const std::string name = ExtractFileName(ExcludeTrailingPathDelimiter(FileName));
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") attr |= faHidden;
    return static_cast<int32_t>(attr);
}

bool FileSetAttr(const std::string& FileName, uint32_t Attr) {
    const std::string disk = DiskName(FileName);
    struct stat st;
    if (::lstat(disk.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) return false;
    mode_t mode = st.st_mode & 07777;
    if (Attr & faReadOnly)
        mode &= ~static_cast<mode_t>(0222);
    else
        mode |= S_IWUSR;
    return ::chmod(disk.c_str(), mode) == 0;
}

uint32_t UnixTimeToFileDate(int64_t UnixTime) {
    const time_t t = static_cast<time_t>(UnixTime);
    struct tm tm {};
    if (!::localtime_r(&t, &tm)) return (0u << 25) | (1u << 21) | (1u << 16);
    int year = tm.tm_year + 1900;
    if (year < 1980) return (1u << 21) | (1u << 16); // 1980-01-01 00:00:00
    if (year > 2107)
        return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
    return (static_cast<uint32_t>(year - 1980) << 25) |
           (static_cast<uint32_t>(tm.tm_mon + 1) << 21) |
           (static_cast<uint32_t>(tm.tm_mday) << 16) | (static_cast<uint32_t>(tm.tm_hour) << 11) |
           (static_cast<uint32_t>(tm.tm_min) << 5) | static_cast<uint32_t>(tm.tm_sec / 2);
}

int64_t FileDateToUnixTime(uint32_t FileDate) {
    struct tm tm {};
    tm.tm_year = static_cast<int>((FileDate >> 25) & 0x7F) + 80;
    tm.tm_mon = std::clamp(static_cast<int>((FileDate >> 21) & 0x0F), 1, 12) - 1;
    tm.tm_mday = std::clamp(static_cast<int>((FileDate >> 16) & 0x1F), 1, 31);
    tm.tm_hour = std::min(static_cast<int>((FileDate >> 11) & 0x1F), 23);
    tm.tm_min = std::min(static_cast<int>((FileDate >> 5) & 0x3F), 59);
    tm.tm_sec = std::min(static_cast<int>(FileDate & 0x1F) * 2, 59);
    tm.tm_isdst = -1;
    return static_cast<int64_t>(::mktime(&tm));
}

uint32_t DateTimeToFileDate(TDateTime DateTime) {
    uint16_t y, m, d, h, n, s, ms;
    DecodeDate(DateTime, y, m, d);
    DecodeTime(DateTime, h, n, s, ms);
    if (y < 1980) return (1u << 21) | (1u << 16);
    if (y > 2107) return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
    return (static_cast<uint32_t>(y - 1980) << 25) | (static_cast<uint32_t>(m) << 21) |
           (static_cast<uint32_t>(d) << 16) | (static_cast<uint32_t>(h) << 11) |
           (static_cast<uint32_t>(n) << 5) | static_cast<uint32_t>(s / 2);
}

TDateTime FileDateToDateTime(uint32_t FileDate) {
    const int year = static_cast<int>((FileDate >> 25) & 0x7F) + 1980;
    const int month = std::clamp(static_cast<int>((FileDate >> 21) & 0x0F), 1, 12);
    const int day =
        std::clamp(static_cast<int>((FileDate >> 16) & 0x1F), 1, DaysInAMonth(year, month));
    const int hour = std::min(static_cast<int>((FileDate >> 11) & 0x1F), 23);
    const int min = std::min(static_cast<int>((FileDate >> 5) & 0x3F), 59);
    const int sec = std::min(static_cast<int>(FileDate & 0x1F) * 2, 59);
    return EncodeDate(year, month, day) + EncodeTime(hour, min, sec, 0);
}

int64_t FileAge(const std::string& FileName) {
    struct stat st;
    if (FileName.empty() || ::stat(DiskName(FileName).c_str(), &st) != 0) return -1;
    return UnixTimeToFileDate(static_cast<int64_t>(st.st_mtime));
}

bool FileSetDate(const std::string& FileName, uint32_t FileDate) {
    const int64_t t = FileDateToUnixTime(FileDate);
    struct timeval tv[2];
    tv[0].tv_sec = tv[1].tv_sec = static_cast<time_t>(t);
    tv[0].tv_usec = tv[1].tv_usec = 0;
    return ::utimes(DiskName(FileName).c_str(), tv) == 0;
}
