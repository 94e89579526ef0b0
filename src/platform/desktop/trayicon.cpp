#include "trayicon.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/qtapp.h"

namespace {

QString ToQt(const std::string& S) {
    return QString::fromUtf8(Cp1252ToUtf8(S));
}

QIcon ToIcon(const TGraphic* Icon) {
    if (!Icon || Icon->Empty()) return QIcon();
    return QIcon(QPixmap::fromImage(Icon->ToImage()));
}

class TQtTrayIcon : public QObject, public TTrayIconService {
public:
    TQtTrayIcon(HWND Target, UINT CallbackMessage) : FTarget(Target), FMessage(CallbackMessage) {
        EnsureQtApplication();
        // A panel that (re)starts registers the watcher anew: the icons must
        // be added again, as after a new taskbar.
        FWatcher =
            new QDBusServiceWatcher("org.kde.StatusNotifierWatcher", QDBusConnection::sessionBus(),
                                    QDBusServiceWatcher::WatchForRegistration, this);
        connect(FWatcher, &QDBusServiceWatcher::serviceRegistered, this,
                [this] { PostMessage(FTarget, TaskbarCreatedMessage()); });
    }

    bool Add(const TGraphic* Icon, const std::string& Tip) override {
        if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
        if (!FTray) {
            FTray = std::make_unique<QSystemTrayIcon>();
            connect(FTray.get(), &QSystemTrayIcon::activated, this,
                    [this](QSystemTrayIcon::ActivationReason R) { Activated(R); });
            connect(FTray.get(), &QSystemTrayIcon::messageClicked, this, [this] {
                ++FBalloon; // no time-out for this one
                Post(NIN_BALLOONUSERCLICK);
            });
        }
        FTray->setIcon(ToIcon(Icon));
        FTray->setToolTip(ToQt(Tip));
        FTray->show();
        return FTray->isVisible();
    }

    bool Modify(const TGraphic* Icon, const std::string& Tip) override {
        if (!FTray || !FTray->isVisible()) return false;
        FTray->setIcon(ToIcon(Icon));
        FTray->setToolTip(ToQt(Tip));
        return true;
    }

    bool Delete() override {
        if (!FTray || !FTray->isVisible()) return false;
        FTray->hide();
        return true;
    }

    bool ShowBalloon(const std::string& Title, const std::string& Text, TTrayBalloonIcon Kind,
                     unsigned TimeoutMs) override {
        if (!FTray || !FTray->isVisible() || !QSystemTrayIcon::supportsMessages()) return false;
        static const QSystemTrayIcon::MessageIcon Icons[] = {
            QSystemTrayIcon::NoIcon, QSystemTrayIcon::Information, QSystemTrayIcon::Warning,
            QSystemTrayIcon::Critical};
        FTray->showMessage(ToQt(Title), ToQt(Text), Icons[Kind], static_cast<int>(TimeoutMs));
        Post(NIN_BALLOONSHOW);
        const unsigned Balloon = ++FBalloon;
        QTimer::singleShot(static_cast<int>(TimeoutMs), this, [this, Balloon] {
            if (Balloon == FBalloon) Post(NIN_BALLOONTIMEOUT);
        });
        return true;
    }

    bool Shown() const override { return FTray && FTray->isVisible(); }

private:
    void Post(UINT Notification) {
        PostMessage(FTarget, FMessage, 0, static_cast<LPARAM>(Notification));
    }

    void Activated(QSystemTrayIcon::ActivationReason Reason) {
        switch (Reason) {
        case QSystemTrayIcon::Trigger:
            Post(WM_LBUTTONDOWN);
            Post(WM_LBUTTONUP);
            break;
        case QSystemTrayIcon::DoubleClick:
            Post(WM_LBUTTONDBLCLK);
            break;
        case QSystemTrayIcon::Context:
            Post(WM_RBUTTONDOWN);
            Post(WM_RBUTTONUP);
            break;
        case QSystemTrayIcon::MiddleClick:
            Post(WM_MBUTTONDOWN);
            Post(WM_MBUTTONUP);
            break;
        default:
            break;
        }
    }

    HWND FTarget;
    UINT FMessage;
    std::unique_ptr<QSystemTrayIcon> FTray;
    QDBusServiceWatcher* FWatcher = nullptr; // a child of this object
    unsigned FBalloon = 0;
};

} // namespace

std::unique_ptr<TTrayIconService> CreateDesktopTrayIcon(HWND Target, UINT CallbackMessage) {
    return std::make_unique<TQtTrayIcon>(Target, CallbackMessage);
}

bool DesktopTrayAvailable() {
    EnsureQtApplication();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

UINT TaskbarCreatedMessage() {
    // In the range of registered messages; the same number for the whole run.
    return 0xC0DE;
}
