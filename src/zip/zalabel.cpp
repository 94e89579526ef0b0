#include "zalabel.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <vector>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/tempfiles.h"

extern char** environ;

namespace {

// udisks2 names a device's object by its name with every character but
// letters and digits written as "_" and two hexadecimal digits.
std::string ObjectPath(const std::string& Device) {
    std::string p = "/org/freedesktop/UDisks2/block_devices/";
    for (const char c : Device) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            p += c;
        else
            p += Format("_%02x", static_cast<unsigned>(static_cast<unsigned char>(c)));
    }
    return p;
}

// A text as a GVariant string literal.
std::string Quoted(const std::string& S) {
    std::string q = "'";
    for (const char c : S) {
        if (c == '\'' || c == '\\') q += '\\';
        q += c;
    }
    return q + "'";
}

} // namespace

bool ZASetUDisksLabel(const std::string& Device, const std::string& Label) {
    if (Device.empty()) return false;
    // The label travels as UTF-8 on the bus.
    std::vector<std::string> args = {"gdbus",
                                     "call",
                                     "--system",
                                     "--dest",
                                     "org.freedesktop.UDisks2",
                                     "--object-path",
                                     ObjectPath(Device),
                                     "--method",
                                     "org.freedesktop.UDisks2.Filesystem.SetLabel",
                                     Quoted(Cp1252ToUtf8(Label)),
                                     "@a{sv} {}"};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int r = posix_spawnp(&pid, "gdbus", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (r != 0) return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool ZASetMediumLabel(const std::string& Path, const std::string& Label) {
    if (!IsRemovablePath(Path)) return false;
    return ZASetUDisksLabel(MountDevice(Path), Label);
}
