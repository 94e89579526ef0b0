// A stand-in for systemd-logind on a private bus: it owns the logind name on
// the bus that DBUS_SYSTEM_BUS_ADDRESS names, answers the manager's power
// calls and a session's Terminate, and appends each call to the file given
// on its command line ("ready" once it owns the name).

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QFile>

#include <string>

namespace {

QString gLog;

void Log(const QString& Line) {
    QFile F(gLog);
    if (F.open(QIODevice::Append)) F.write((Line + "\n").toUtf8());
}

const QString SessionPath = "/org/freedesktop/login1/session/_31";

class TLogin : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& M, const QDBusConnection& Bus) override {
        const QString Name = M.member();
        QDBusMessage Reply = M.createReply();
        if (Name == "GetSessionByPID") {
            Log("GetSessionByPID");
            Reply << QVariant::fromValue(QDBusObjectPath(SessionPath));
        } else if (Name == "Terminate" && M.path() == SessionPath) {
            Log("Terminate " + M.path());
        } else if (Name == "TerminateSession") {
            Log("TerminateSession " + M.arguments().value(0).toString());
        } else if (Name == "PowerOff" || Name == "Reboot" || Name == "Suspend" ||
                   Name == "Hibernate") {
            Log(Name + " interactive=" + (M.arguments().value(0).toBool() ? "true" : "false"));
        } else {
            Reply = M.createErrorReply(QDBusError::UnknownMethod, Name);
        }
        QDBusConnection(Bus).send(Reply);
        return true;
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication App(argc, argv);
    if (argc < 2) return 2;
    gLog = QString::fromLocal8Bit(argv[1]);
    QDBusConnection Bus = QDBusConnection::systemBus();
    TLogin Login;
    if (!Bus.registerVirtualObject("/org/freedesktop/login1", &Login, QDBusConnection::SubPath))
        return 3;
    if (!Bus.registerService("org.freedesktop.login1")) return 4;
    Log("ready");
    return App.exec();
}
