#pragma once
// The desktop's notification area (StatusNotifierItem or the XEmbed tray),
// as the tray icon component needs it. What the user does with the icon comes
// back as the window messages the component's window procedure knows, posted
// to its window, so nothing reaches a component that is gone.

#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/wndtarget.h"

class TGraphic;

// Balloon notifications, as the callback message's LParam carries them.
constexpr UINT NIN_BALLOONSHOW = 1026;
constexpr UINT NIN_BALLOONTIMEOUT = 1028;
constexpr UINT NIN_BALLOONUSERCLICK = 1029;

enum TTrayBalloonIcon { tbiNone, tbiInfo, tbiWarning, tbiError };

class TTrayIconService {
public:
    virtual ~TTrayIconService() = default;
    // False when the desktop has no notification area (the icon stays hidden).
    virtual bool Add(const TGraphic* Icon, const std::string& Tip) = 0;
    virtual bool Modify(const TGraphic* Icon, const std::string& Tip) = 0;
    virtual bool Delete() = 0;
    virtual bool ShowBalloon(const std::string& Title, const std::string& Text,
                             TTrayBalloonIcon Kind, unsigned TimeoutMs) = 0;
    virtual bool Shown() const = 0;
};

// Made for a component: notifications are posted to Target as CallbackMessage
// with the mouse message or balloon notification in LParam.
using TTrayIconServiceFactory =
    std::function<std::unique_ptr<TTrayIconService>(HWND Target, UINT CallbackMessage)>;
// The desktop's own tray, through Qt.
std::unique_ptr<TTrayIconService> CreateDesktopTrayIcon(HWND Target, UINT CallbackMessage);
// True when the desktop shows a notification area now.
bool DesktopTrayAvailable();
// The message a new notification area (a restarted panel) posts to every
// tray window; shown icons add themselves again.
UINT TaskbarCreatedMessage();
