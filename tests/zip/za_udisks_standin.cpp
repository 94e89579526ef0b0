// A stand-in for udisks2: it answers a file system's SetLabel.

#include "dbus_standin.h"

namespace {

bool Answer(const QDBusMessage& M, QDBusMessage&) {
    if (M.interface() != "org.freedesktop.UDisks2.Filesystem" || M.member() != "SetLabel" ||
        M.signature() != "sa{sv}")
        return false;
    StandinLog("SetLabel " + M.path() + " " + M.arguments().value(0).toString());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    return RunStandin(argc, argv, "org.freedesktop.UDisks2", "/org/freedesktop/UDisks2", Answer);
}
