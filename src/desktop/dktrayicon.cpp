#include "dktrayicon.h"

#include "desktop/dksysutils.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/winapi.h"

TTrayIconServiceFactory TdkTrayIcon::ServiceFactory = CreateDesktopTrayIcon;

TdkTrayIcon::TdkTrayIcon(TComponent* AOwner)
    : TdkCustomTimer(AOwner), FIcon(std::make_unique<TIcon>()) {
    SetInterval(FCycleInterval);
    if (ServiceFactory) FService = ServiceFactory(WindowHandle(), WM_DKTRAYICON);
}

TdkTrayIcon::~TdkTrayIcon() {
    *FAlive = false;
    FMinimizeWatch.reset();
    if (FService && FService->Shown()) FService->Delete();
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    if (FImageList) FImageList->RemoveFreeNotification(this);
}

std::string TdkTrayIcon::TrayHint() const {
    return FShowHint ? FHint.substr(0, 127) : std::string();
}

TCustomForm* TdkTrayIcon::OwnerForm() const {
    return dynamic_cast<TCustomForm*>(Owner());
}

const TGraphic* TdkTrayIcon::CurrentIcon() {
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count()) {
        FImageList->GetBitmap(FImageIndex, &FListImage);
        return &FListImage;
    }
    return FIcon.get();
}

void TdkTrayIcon::AddToTray() {
    if (!FService || !FService->Add(CurrentIcon(), TrayHint()))
        throw EdkTrayIcon(Format("%s.InsertToTray failed", Name().c_str()));
}

void TdkTrayIcon::DeleteFromTray() {
    if (!FService || !FService->Delete())
        throw EdkTrayIcon(Format("%s.DeleteFromTray failed", Name().c_str()));
}

void TdkTrayIcon::UpdateIcon() {
    if (FVisible && FService) FService->Modify(CurrentIcon(), TrayHint());
}

void TdkTrayIcon::SetVisible(bool Value) {
    if (Value == FVisible) return;
    if (Designing() && !FVisibleOnDesigning) {
        FVisible = Value;
        return;
    }
    if (Value) {
        AddToTray();
        FVisible = true;
        if (OnShow) OnShow(this);
    } else {
        FVisible = false;
        DeleteFromTray();
        if (OnHide) OnHide(this);
        if (TCustomForm* Form = OwnerForm(); Form && !Form->Visible() && !Designing()) Form->Show();
    }
}

void TdkTrayIcon::SetVisibleOnDesigning(bool Value) {
    if (Value == FVisibleOnDesigning) return;
    FVisibleOnDesigning = Value;
    if (!Designing() || !FVisible) return;
    if (Value)
        AddToTray();
    else if (FService && FService->Shown())
        FService->Delete();
}

void TdkTrayIcon::SetHint(const std::string& Value) {
    FHint = Value;
    UpdateIcon();
}

void TdkTrayIcon::SetShowHint(bool Value) {
    FShowHint = Value;
    UpdateIcon();
}

void TdkTrayIcon::SetIcon(const TIcon* Value) {
    if (Value)
        FIcon->Assign(Value);
    else
        FIcon = std::make_unique<TIcon>();
    UpdateIcon();
}

void TdkTrayIcon::SetImageList(TImageList* Value) {
    if (Value == FImageList) return;
    if (FImageList) FImageList->RemoveFreeNotification(this);
    FImageList = Value;
    if (FImageList) FImageList->FreeNotification(this);
    UpdateIcon();
}

void TdkTrayIcon::SetImageIndex(int Value) {
    FImageIndex = Value;
    UpdateIcon();
}

void TdkTrayIcon::SetPopupMenu(TPopupMenu* Value) {
    if (Value == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TdkTrayIcon::SetCycleIcons(bool Value) {
    FCycleIcons = Value;
    UpdateCycling();
}

void TdkTrayIcon::SetCycleInterval(unsigned Value) {
    FCycleInterval = Value;
    SetInterval(Value);
}

void TdkTrayIcon::UpdateCycling() {
    // The hidden window's timer drives the cycling; without it no timer runs.
    if (FCycleIcons && !Designing())
        SetOnTimer([](TObject*) {});
    else
        SetOnTimer(nullptr);
}

void TdkTrayIcon::Timer() {
    if (!FCycleIcons) return;
    if (FImageList && FImageList->Count() > 0)
        FImageIndex = FImageIndex + 1 >= FImageList->Count() ? 0 : FImageIndex + 1;
    UpdateIcon();
    if (OnCycleIcons) OnCycleIcons(this);
}

void TdkTrayIcon::SetMinimizeToTray(bool Value) {
    FMinimizeToTray = Value;
    FMinimizeWatch.reset();
    if (Value && !Designing() && Application && Application->MainForm())
        FMinimizeWatch = WatchMinimize(Application->MainForm(), [this] { Minimize(); });
}

void TdkTrayIcon::Minimize() {
    if (Application && Application->MainForm()) Application->MainForm()->Hide();
    if (!FVisible) {
        try {
            SetVisible(true);
        } catch (const EdkTrayIcon&) {
            // Without a notification area the window must stay reachable.
            if (Application && Application->MainForm()) BringWindowForward(Application->MainForm());
            throw;
        }
    }
    if (OnMinimize) OnMinimize(this);
}

void TdkTrayIcon::Loaded() {
    TdkCustomTimer::Loaded();
    if (Designing()) return;
    SetMinimizeToTray(FMinimizeToTray);
    if (FMinimizeOnStart) Minimize();
}

void TdkTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
    TdkCustomTimer::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FPopupMenu) FPopupMenu = nullptr;
    if (AComponent == FImageList) {
        FImageList = nullptr;
        UpdateIcon();
    }
}

bool TdkTrayIcon::ShowBalloon() {
    if (!FVisible || !FService) return false;
    return FService->ShowBalloon(FInfoTitle.substr(0, 63), FInfoText.substr(0, 255),
                                 static_cast<TTrayBalloonIcon>(FInfoType), FInfoTimeout);
}

void TdkTrayIcon::ShowPopupMenu() {
    const auto Alive = FAlive;
    if (TCustomForm* Form = OwnerForm()) BringWindowForward(Form);
    if (!FPopupMenu) return;
    TPoint P;
    GetCursorPos(P);
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(P.X, P.Y);
    if (!*Alive) return;
    if (TCustomForm* Form = OwnerForm()) PostMessage(Form, WM_NULL);
    if (OnPopupMenu) OnPopupMenu(this);
}

void TdkTrayIcon::WndProc(TMessage& Message) {
    if (Message.Msg == WM_DKTRAYICON) {
        if (!Designing() && Enabled()) TrayMessage(static_cast<UINT>(Message.LParam));
        return;
    }
    if (Message.Msg == TaskbarCreatedMessage()) {
        // A new notification area knows no icons: a shown one adds itself again.
        if (FVisible && FService) {
            if (FService->Shown()) FService->Delete();
            FService->Add(CurrentIcon(), TrayHint());
        }
        return;
    }
    if (Message.Msg == WM_QUERYENDSESSION) {
        Message.Result = 1;
        return;
    }
    TdkCustomTimer::WndProc(Message);
}

void TdkTrayIcon::TrayMessage(UINT MouseMessage) {
    // Any handler may free the icon; nothing of it is touched after that.
    const auto Alive = FAlive;
    TPoint P;
    GetCursorPos(P);
    const TShiftState Shift = dkShiftState();
    switch (MouseMessage) {
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove(this, Shift, P.X, P.Y);
        break;
    case WM_LBUTTONDOWN:
        FPressed = true;
        if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, P.X, P.Y);
        break;
    case WM_LBUTTONUP:
        if (OnMouseUp) OnMouseUp(this, mbLeft, Shift, P.X, P.Y);
        if (!*Alive) return;
        if (FPressed) {
            FPressed = false;
            if (OnClick) OnClick(this);
            if (!*Alive) return;
        }
        if (FPopupByLeft) ShowPopupMenu();
        break;
    case WM_LBUTTONDBLCLK:
        if (FPopupMenu && FPopupMenu->AutoPopup && !FPopupByLeft) {
            TMenuItem* Items = FPopupMenu->Items();
            for (int i = 0; i < Items->Count(); ++i)
                if (Items->Items(i)->Default) {
                    Items->Items(i)->Click();
                    break;
                }
            if (!*Alive) return;
            if (OnDblClick) OnDblClick(this);
            if (!*Alive) return;
            if (TCustomForm* Form = OwnerForm()) BringWindowForward(Form);
        } else {
            if (FMinimizeToTray && Application && Application->MainForm()) {
                TCustomForm* Main = Application->MainForm();
                if (Main->Visible())
                    Main->Hide();
                else
                    BringWindowForward(Main);
            }
            if (OnDblClick) OnDblClick(this);
        }
        break;
    case WM_RBUTTONDOWN:
        if (OnMouseDown) OnMouseDown(this, mbRight, Shift, P.X, P.Y);
        break;
    case WM_RBUTTONUP:
        if (OnMouseUp) OnMouseUp(this, mbRight, Shift, P.X, P.Y);
        if (!*Alive) return;
        ShowPopupMenu();
        break;
    case WM_MBUTTONDOWN:
        if (OnMouseDown) OnMouseDown(this, mbMiddle, Shift, P.X, P.Y);
        break;
    case WM_MBUTTONUP:
        if (OnMouseUp) OnMouseUp(this, mbMiddle, Shift, P.X, P.Y);
        break;
    case NIN_BALLOONSHOW:
        if (OnBalloonShow) OnBalloonShow(this);
        break;
    case NIN_BALLOONTIMEOUT:
        if (OnBalloonTimeout) OnBalloonTimeout(this);
        break;
    case NIN_BALLOONUSERCLICK:
        if (OnBalloonClick) OnBalloonClick(this);
        break;
    default:
        break;
    }
}
