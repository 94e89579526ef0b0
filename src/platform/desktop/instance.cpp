#include "instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

#include <cstdlib>
#include <functional>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/tempfiles.h"
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

namespace {

// A folder of this user in which files can be made.
bool IsOwnFolder(const std::string& Dir) {
    struct stat St;
    return stat(Dir.c_str(), &St) == 0 && S_ISDIR(St.st_mode) && St.st_uid == getuid() &&
           access(Dir.c_str(), W_OK | X_OK) == 0;
}

// Dir, made when missing, when it is a private folder of this user: no link,
// closed to everyone else (it stands in a folder that others share). Empty
// when it is not.
std::string PrivateFolder(const std::string& Dir) {
    mkdir(Dir.c_str(), 0700);
    struct stat St;
    const bool Private = lstat(Dir.c_str(), &St) == 0 && S_ISDIR(St.st_mode) &&
                         St.st_uid == getuid() && (St.st_mode & 077) == 0 &&
                         access(Dir.c_str(), W_OK | X_OK) == 0;
    return Private ? Dir : std::string();
}

} // namespace

std::string RuntimeFolder() {
    // The session's folder when it can be used. One that cannot be made or is
    // not ours would make a lone instance fail to take its claim and take
    // itself for a later one; every instance of the user then goes through the
    // same fall-backs below, so they still find each other.
    // A missing one is made, as the window system's library makes it once it
    // is asked for it: a folder that appears later must not part instances.
    const char* Dir = std::getenv("XDG_RUNTIME_DIR");
    if (Dir && *Dir == '/') {
        if (!DirectoryExists(ProgramName(Dir)) && ForceDirectories(ProgramName(Dir)))
            chmod(Dir, 0700);
        if (IsOwnFolder(Dir)) return Dir;
    }
    const std::string Own = "vz-runtime-" + IntToStr(getuid());
    const std::string Temp = ExcludeTrailingPathDelimiter(DiskName(GetTempDir()));
    if (std::string Folder = PrivateFolder(Temp + "/" + Own); !Folder.empty()) return Folder;
    const std::string Config = ExcludeTrailingPathDelimiter(DiskName(GetConfigFolder()));
    ForceDirectories(ProgramName(Config));
    if (std::string Folder = PrivateFolder(Config + "/runtime"); !Folder.empty()) return Folder;
    return Temp + "/" + Own;
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
