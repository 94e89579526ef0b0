// A stand-in for udisks2 on a private bus: it owns the udisks2 name on the
// bus that DBUS_SYSTEM_BUS_ADDRESS names, answers a file system's SetLabel
// and appends each call to the file given on its command line ("ready" once
// it owns the name).

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>

namespace {

QString gLog;

void Log(const QString& Line) {
    QFile F(gLog);
    if (F.open(QIODevice::Append)) F.write((Line + "\n").toUtf8());
}

class TUDisks : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& M, const QDBusConnection& Bus) override {
        QDBusMessage Reply = M.createReply();
        if (M.interface() == "org.freedesktop.UDisks2.Filesystem" && M.member() == "SetLabel" &&
            M.signature() == "sa{sv}")
            Log("SetLabel " + M.path() + " " + M.arguments().value(0).toString());
        else
            Reply = M.createErrorReply(QDBusError::UnknownMethod, M.member());
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
    TUDisks Disks;
    if (!Bus.registerVirtualObject("/org/freedesktop/UDisks2", &Disks, QDBusConnection::SubPath))
        return 3;
    if (!Bus.registerService("org.freedesktop.UDisks2")) return 4;
    Log("ready");
    return App.exec();
}
