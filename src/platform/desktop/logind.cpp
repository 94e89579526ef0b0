#include "logind.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>

#include <cstdlib>

#include "platform/vcl/qtapp.h"

namespace {

const char Service[] = "org.freedesktop.login1";
const char ManagerPath[] = "/org/freedesktop/login1";
const char Manager[] = "org.freedesktop.login1.Manager";

bool Succeeded(const QDBusMessage& Reply) {
    return Reply.type() == QDBusMessage::ReplyMessage;
}

bool EndSession(QDBusConnection& Bus) {
    const char* Id = std::getenv("XDG_SESSION_ID");
    if (Id && *Id) {
        QDBusMessage Call =
            QDBusMessage::createMethodCall(Service, ManagerPath, Manager, "TerminateSession");
        Call << QString::fromUtf8(Id);
        return Succeeded(Bus.call(Call));
    }
    QDBusMessage Find =
        QDBusMessage::createMethodCall(Service, ManagerPath, Manager, "GetSessionByPID");
    Find << static_cast<uint>(getpid());
    const QDBusReply<QDBusObjectPath> Path = Bus.call(Find);
    if (!Path.isValid()) return false;
    const QDBusMessage Call = QDBusMessage::createMethodCall(
        Service, Path.value().path(), "org.freedesktop.login1.Session", "Terminate");
    return Succeeded(Bus.call(Call));
}

// A connection of its own for each request: one kept for the process would
// stay dead after the bus restarted (or, in a test, after its private bus went).
// Power actions are rare, so connecting anew costs nothing that matters.
class TSystemBus {
public:
    TSystemBus() : FName(QStringLiteral("vz-logind-%1").arg(++FCount)), FBus(Connect(FName)) {}
    ~TSystemBus() { QDBusConnection::disconnectFromBus(FName); }
    QDBusConnection& Bus() { return FBus; }

private:
    static QDBusConnection Connect(const QString& Name) {
        const char* Address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
        if (Address && *Address)
            return QDBusConnection::connectToBus(QString::fromUtf8(Address), Name);
        return QDBusConnection::connectToBus(QDBusConnection::SystemBus, Name);
    }
    static inline int FCount = 0;
    QString FName;
    QDBusConnection FBus;
};

} // namespace

bool PowerActionPermitted(TPowerAction Action) {
    EnsureQtApplication();
    TSystemBus System;
    QDBusConnection& Bus = System.Bus();
    if (!Bus.isConnected() || !Bus.interface()->isServiceRegistered(Service)) return false;
    if (Action == paLogOff) return true;
    static const char* const Methods[] = {"CanPowerOff", "CanReboot", "CanSuspend", "CanHibernate"};
    const QDBusReply<QString> Reply =
        Bus.call(QDBusMessage::createMethodCall(Service, ManagerPath, Manager, Methods[Action]));
    return Reply.isValid() && (Reply.value() == "yes" || Reply.value() == "challenge");
}

bool RequestPowerAction(TPowerAction Action, bool Interactive) {
    EnsureQtApplication();
    TSystemBus System;
    QDBusConnection& Bus = System.Bus();
    if (!Bus.isConnected()) return false;
    if (Action == paLogOff) return EndSession(Bus);
    static const char* const Methods[] = {"PowerOff", "Reboot", "Suspend", "Hibernate"};
    QDBusMessage Call =
        QDBusMessage::createMethodCall(Service, ManagerPath, Manager, Methods[Action]);
    Call << Interactive;
    return Succeeded(Bus.call(Call));
}
