#include "instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

#include <cstdlib>
#include <functional>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/qtapp.h"

namespace {

std::string Escaped(const std::string& Name) {
    std::string Result;
    for (const char C : Name) {
        if (C == '/' || C == '%' || static_cast<unsigned char>(C) < 32)
            Result += Format("%%%02X", static_cast<unsigned char>(C));
        else
            Result += C;
    }
    return Result;
}

// Socket paths are short by law; the name's hash keeps them so.
std::string SocketName(const std::string& Name) {
    return RuntimeFolder() + "/vz-instance-" +
           IntToHex(std::hash<std::string>{}(Cp1252ToUtf8(Name)), 16) + ".sock";
}

const char RaiseRequest[] = "raise\n";

class TLocalListener : public QObject, public TInstanceListener {
public:
    TLocalListener(const std::string& Name, std::function<void()> OnRaise)
        : FOnRaise(std::move(OnRaise)) {
        const QString Path = QString::fromUtf8(SocketName(Name));
        QLocalServer::removeServer(Path); // left behind by an instance that crashed
        FServer.setSocketOptions(QLocalServer::UserAccessOption);
        FServer.listen(Path);
        connect(&FServer, &QLocalServer::newConnection, this, [this] { Accept(); });
    }

private:
    void Accept() {
        while (QLocalSocket* S = FServer.nextPendingConnection()) {
            connect(S, &QLocalSocket::readyRead, this, [this, S] {
                const QByteArray Line = S->readLine();
                if (Line == RaiseRequest) {
                    S->write("ok\n");
                    S->flush();
                    if (FOnRaise) FOnRaise();
                }
            });
            connect(S, &QLocalSocket::disconnected, S, &QObject::deleteLater);
        }
    }

    QLocalServer FServer;
    std::function<void()> FOnRaise;
};

} // namespace

std::string RuntimeFolder() {
    const char* Dir = std::getenv("XDG_RUNTIME_DIR");
    if (Dir && *Dir) return Dir;
    const std::string Own = "/tmp/vz-runtime-" + IntToStr(getuid());
    mkdir(Own.c_str(), 0700);
    return Own;
}

TInstanceLock::~TInstanceLock() {
    close(FFd); // the lock goes with the descriptor
}

std::string TInstanceLock::LockFileName(const std::string& Name) {
    return RuntimeFolder() + "/" + Escaped(Cp1252ToUtf8(Name)) + ".lock";
}

std::unique_ptr<TInstanceLock> TInstanceLock::TryAcquire(const std::string& Name) {
    const int Fd = open(LockFileName(Name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (Fd < 0) return nullptr;
    if (flock(Fd, LOCK_EX | LOCK_NB) != 0) {
        close(Fd);
        return nullptr;
    }
    return std::unique_ptr<TInstanceLock>(new TInstanceLock(Fd));
}

std::unique_ptr<TInstanceListener> ListenForInstances(const std::string& Name,
                                                      std::function<void()> OnRaise) {
    EnsureQtApplication();
    return std::make_unique<TLocalListener>(Name, std::move(OnRaise));
}

bool AskInstanceToRaise(const std::string& Name, int TimeoutMs) {
    EnsureQtApplication();
    QLocalSocket S;
    S.connectToServer(QString::fromUtf8(SocketName(Name)));
    if (!S.waitForConnected(TimeoutMs)) return false;
    S.write(RaiseRequest);
    if (!S.waitForBytesWritten(TimeoutMs)) return false;
    return S.waitForReadyRead(TimeoutMs) && S.readLine() == "ok\n";
}
