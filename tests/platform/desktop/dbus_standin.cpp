#include "dbus_standin.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QFile>

#include <utility>

namespace {

QString gLog;

class TStandinObject : public QDBusVirtualObject {
public:
    explicit TStandinObject(TStandinAnswer Answer) : FAnswer(std::move(Answer)) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& M, const QDBusConnection& Bus) override {
        QDBusMessage Reply = M.createReply();
        if (!FAnswer(M, Reply)) Reply = M.createErrorReply(QDBusError::UnknownMethod, M.member());
        QDBusConnection(Bus).send(Reply);
        return true;
    }

private:
    TStandinAnswer FAnswer;
};

} // namespace

void StandinLog(const QString& Line) {
    QFile F(gLog);
    if (F.open(QIODevice::Append)) F.write((Line + "\n").toUtf8());
}

int RunStandin(int argc, char** argv, const QString& Service, const QString& Root,
               TStandinAnswer Answer) {
    QCoreApplication App(argc, argv);
    if (argc < 2) return 2;
    gLog = QString::fromLocal8Bit(argv[1]);
    QDBusConnection Bus = QDBusConnection::systemBus();
    TStandinObject Object(std::move(Answer));
    if (!Bus.registerVirtualObject(Root, &Object, QDBusConnection::SubPath)) return 3;
    if (!Bus.registerService(Service)) return 4;
    StandinLog("ready");
    return App.exec();
}
