// A stand-in for systemd-logind: it answers the manager's power calls, the
// questions whether they are permitted and a session's Terminate.

#include "dbus_standin.h"

#include <QDBusObjectPath>
#include <QFile>
#include <QFileInfo>
#include <QVariant>

namespace {

const QString SessionPath = "/org/freedesktop/login1/session/_31";

QString gFolder;

bool Answer(const QDBusMessage& M, QDBusMessage& Reply) {
    const QString Name = M.member();
    if (Name.startsWith("Can")) {
        // "yes" unless the test left another answer in the file "can-<action>".
        QFile Answer(gFolder + "/can-" + Name.mid(3));
        Reply << (Answer.open(QIODevice::ReadOnly) ? QString::fromUtf8(Answer.readAll()).trimmed()
                                                   : QString("yes"));
    } else if (Name == "GetSessionByPID") {
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
    if (argc > 1) gFolder = QFileInfo(QString::fromLocal8Bit(argv[1])).absolutePath();
    return RunStandin(argc, argv, "org.freedesktop.login1", "/org/freedesktop/login1", Answer);
}
