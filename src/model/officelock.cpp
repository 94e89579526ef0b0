#include "model/officelock.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"

namespace {

// The host name up to its first dot: the suite may write the short name or
// the full one.
std::string ShortHost(const std::string& Host) {
    return LowerCase(Host.substr(0, Host.find('.')));
}

std::string ThisHost() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

std::string ThisUser() {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name) return pw->pw_name;
    return {};
}

// Whether a process of the suite runs: its main program is "soffice.bin",
// started through "oosplash" or the "soffice" script.
bool OfficeRuns(const std::string& ProcFolder) {
    for (const std::string& pid : ListSubFolders(ProcFolder)) {
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string comm;
        try {
            comm = Trim(ReadFileBytes(ProcFolder + "/" + pid + "/comm"));
        } catch (const Exception&) {
            continue; // ended while we looked
        }
        if (comm == "soffice.bin" || comm == "soffice" || comm == "oosplash") return true;
    }
    return false;
}

} // namespace

std::string OfficeLockFileName(const std::string& FileName) {
    return ExtractFilePath(FileName) + ".~lock." + ExtractFileName(FileName) + "#";
}

bool ReadOfficeLock(const std::string& Text, TOfficeLock& Lock) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < Text.size() && Text[i] != ';'; ++i) {
        if (Text[i] == ',')
            fields.emplace_back();
        else if (Text[i] == '\\' && i + 1 < Text.size())
            fields.back() += Text[++i];
        else
            fields.back() += Text[i];
    }
    // The suite's own user name, the login name, the host, the time, its profile.
    if (fields.size() < 4 || Trim(fields[1]).empty() || Trim(fields[2]).empty()) return false;
    Lock.User = Utf8ToCp1252(Trim(fields[1]));
    Lock.Host = Utf8ToCp1252(Trim(fields[2]));
    Lock.Time = Utf8ToCp1252(Trim(fields[3]));
    return true;
}

bool IsOfficeLockLeftOver(const TOfficeLock& Lock, const std::string& ProcFolder) {
    if (Lock.Host.empty() || ShortHost(Lock.Host) != ShortHost(ThisHost())) return false;
    if (Lock.User != Utf8ToCp1252(ThisUser())) return false;
    return !OfficeRuns(ProcFolder);
}
