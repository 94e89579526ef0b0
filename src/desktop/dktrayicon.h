#pragma once
// An icon in the desktop's notification area, with its hint, balloon messages,
// pop-up menu, mouse events, icon cycling and minimising to the tray.

#include <memory>
#include <string>

#include "desktop/dktimer.h"
#include "platform/desktop/trayicon.h"
#include "platform/desktop/windowshell.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/gfx/imagelist.h"
#include "platform/vcl/gfx/pictures.h"
#include "platform/vcl/menus.h"

class EdkTrayIcon : public Exception {
public:
    using Exception::Exception;
};

enum TdkTrayIconInfoType { tiiNone, tiiInfo, tiiWarning, tiiError };

// The callback message of the icon; LParam holds the mouse message.
constexpr UINT WM_DKTRAYICON = 1235;

class TdkTrayIcon : public TdkCustomTimer {
public:
    explicit TdkTrayIcon(TComponent* AOwner);
    ~TdkTrayIcon() override;
    std::string ClassName() const override { return "TdkTrayIcon"; }

    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    unsigned CycleInterval() const { return FCycleInterval; }
    void SetCycleInterval(unsigned Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(const TIcon* Value);
    TImageList* ImageList() const { return FImageList; }
    void SetImageList(TImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    unsigned IconID() const { return FIconID; }
    void SetIconID(unsigned Value) { FIconID = Value; }
    bool MinimizeToTray() const { return FMinimizeToTray; }
    void SetMinimizeToTray(bool Value);
    bool MinimizeOnStart() const { return FMinimizeOnStart; }
    void SetMinimizeOnStart(bool Value) { FMinimizeOnStart = Value; }
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    bool PopupByLeft() const { return FPopupByLeft; }
    void SetPopupByLeft(bool Value) { FPopupByLeft = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool Visible() const { return FVisible; }
    // Raises EdkTrayIcon when the icon cannot be added or removed (a desktop
    // without a notification area); the icon then stays hidden.
    void SetVisible(bool Value);
    bool VisibleOnDesigning() const { return FVisibleOnDesigning; }
    void SetVisibleOnDesigning(bool Value);
    const std::string& InfoText() const { return FInfoText; }
    void SetInfoText(const std::string& Value) { FInfoText = Value; }
    const std::string& InfoTitle() const { return FInfoTitle; }
    void SetInfoTitle(const std::string& Value) { FInfoTitle = Value; }
    unsigned InfoTimeout() const { return FInfoTimeout; }
    void SetInfoTimeout(unsigned Value) { FInfoTimeout = Value; }
    TdkTrayIconInfoType InfoType() const { return FInfoType; }
    void SetInfoType(TdkTrayIconInfoType Value) { FInfoType = Value; }

    // The hint as the notification area gets it (at most 127 characters).
    std::string TrayHint() const;
    // Shows InfoTitle and InfoText as a balloon at the icon; false when the
    // icon is not shown or the desktop shows no messages.
    bool ShowBalloon();
    // Hides the application's main window and shows the icon (OnMinimize).
    void Minimize();
    // Shows the pop-up menu at the mouse cursor.
    void ShowPopupMenu();
    // The notification-area service in use (platform code, tests).
    TTrayIconService* Service() const { return FService.get(); }

    TNotifyEvent OnMinimize, OnClick, OnDblClick, OnPopupMenu, OnShow, OnHide, OnCycleIcons,
        OnBalloonShow, OnBalloonTimeout, OnBalloonClick;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseDown, OnMouseUp;

    // Makes the service of each new tray icon (the desktop's tray by default).
    static TTrayIconServiceFactory ServiceFactory;

protected:
    void WndProc(TMessage& Message) override;
    void Timer() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

private:
    void AddToTray();
    void DeleteFromTray();
    void UpdateIcon();
    void UpdateCycling();
    const TGraphic* CurrentIcon();
    void TrayMessage(UINT MouseMessage);
    TCustomForm* OwnerForm() const;

    std::unique_ptr<TTrayIconService> FService;
    std::unique_ptr<TMinimizeWatch> FMinimizeWatch;
    std::unique_ptr<TIcon> FIcon;
    TBitmap FListImage; // the image taken from ImageList
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    bool FCycleIcons = false;
    unsigned FCycleInterval = 200;
    std::string FHint;
    TImageList* FImageList = nullptr;
    int FImageIndex = 0;
    unsigned FIconID = 0;
    bool FMinimizeToTray = false;
    bool FMinimizeOnStart = false;
    TPopupMenu* FPopupMenu = nullptr;
    bool FPopupByLeft = false;
    bool FShowHint = true;
    bool FVisible = false;
    bool FVisibleOnDesigning = false;
    std::string FInfoText, FInfoTitle;
    unsigned FInfoTimeout = 10000;
    TdkTrayIconInfoType FInfoType = tiiNone;
    bool FPressed = false;
};
