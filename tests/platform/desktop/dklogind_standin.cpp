// A stand-in for systemd-logind: it answers the manager's power calls and a
// session's Terminate.

#include "dbus_standin.h"

#include <QDBusObjectPath>
#include <QVariant>

namespace {

const QString SessionPath = "/org/freedesktop/login1/session/_31";

bool Answer(const QDBusMessage& M, QDBusMessage& Reply) {
    const QString Name = M.member();
    if (Name == "GetSessionByPID") {
        StandinLog("GetSessionByPID");
        Reply << QVariant::fromValue(QDBusObjectPath(SessionPath));
    } else if (Name == "Terminate" && M.path() == SessionPath) {
        StandinLog("Terminate " + M.path());
    } else if (Name == "TerminateSession") {
        StandinLog("TerminateSession " + M.arguments().value(0).toString());
    } else if (Name == "PowerOff" || Name == "Reboot" || Name == "Suspend" || Name == "Hibernate") {
        StandinLog(Name + " interactive=" + (M.arguments().value(0).toBool() ? "true" : "false"));
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    return RunStandin(argc, argv, "org.freedesktop.login1", "/org/freedesktop/login1", Answer);
}
