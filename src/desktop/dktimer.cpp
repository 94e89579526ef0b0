#include "dktimer.h"

#include "desktop/dkgraphics.h"
#include "platform/vcl/forms.h"

TdkCustomTimer::TdkCustomTimer(TComponent* AOwner) : TdkComponent(AOwner) {
    FWindow = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

TdkCustomTimer::~TdkCustomTimer() {
    if (FTimerSet) KillTimer(FWindow, 1);
    DeallocateHWnd(FWindow);
}

void TdkCustomTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TdkCustomTimer::SetInterval(unsigned Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TdkCustomTimer::SetOnTimer(TNotifyEvent Value) {
    FOnTimer = std::move(Value);
    UpdateTimer();
}

void TdkCustomTimer::UpdateTimer() {
    if (FTimerSet) KillTimer(FWindow, 1);
    FTimerSet = false;
    if (!FEnabled || FInterval == 0 || !FOnTimer) return;
    if (SetTimer(FWindow, 1, FInterval) == 0) throw EOutOfResources("Not enough timers available");
    FTimerSet = true;
}

void TdkCustomTimer::Timer() {
    if (FOnTimer) FOnTimer(this);
}

void TdkCustomTimer::WndProc(TMessage& Message) {
    if (Message.Msg == WM_TIMER) Timer();
}

TdkColorPicker::TdkColorPicker(TComponent* AOwner) : TdkCustomTimer(AOwner) {
    SetInterval(100);
}

TdkColorPicker::~TdkColorPicker() {
    if (FCursor != 0 && Screen) Screen->SetCursor(crDefault);
}

void TdkColorPicker::SetCursor(int Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    if (Screen && !Designing()) Screen->SetCursor(Value != 0 ? Value : crDefault);
}

void TdkColorPicker::Timer() {
    FColor = dkPixelUnderCursor();
    TdkCustomTimer::Timer();
}
