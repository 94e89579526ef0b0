#include "controls/numeric/timerspeedbtn.h"

#include "controls/numeric/flashcontrols.h"
#include "controls/numeric/vcflash.h"

TVcTimerSpeedBtn::TVcTimerSpeedBtn(TComponent* AOwner) : TSpeedButton(AOwner) {}

TVcTimerSpeedBtn::~TVcTimerSpeedBtn() {
    StopRepeat();
}

void TVcTimerSpeedBtn::SetTimerEnabled(bool Value) {
    FRepeat.SetTimerEnabled(Value);
    if (!Value) StopRepeat();
}

bool TVcTimerSpeedBtn::Repeating() const {
    return FRepeat.Held() && IsFlashClient(this);
}

void TVcTimerSpeedBtn::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const auto alive = AliveToken();
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (alive.expired() || Button != mbLeft || !Enabled()) return;
    if (FRepeat.Press(FlashNow())) AddFlashClient(this, FRepeat.Interval());
}

void TVcTimerSpeedBtn::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const auto alive = AliveToken();
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (!alive.expired() && Button == mbLeft) StopRepeat();
}

void TVcTimerSpeedBtn::StopRepeat() {
    FRepeat.Release();
    RemoveFlashClient(this);
}

void TVcTimerSpeedBtn::FlashTick() {
    // A button that no longer has the mouse, or can no longer be pressed,
    // never gets its release: it stops here instead of repeating for ever.
    const bool pressed = ControlState().Contains(csLButtonDown) && GetKeyState(VK_LBUTTON) < 0;
    if (!FRepeat.Held() || !pressed || !Enabled() || !Showing()) {
        StopRepeat();
        return;
    }
    if (FRepeat.Tick(FlashNow())) Click();
}

void TVcTimerSpeedBtn::WndProc(TMessage& Message) {
    if (Message.Msg == WM_FLASHTICK) {
        FlashTick();
        return;
    }
    const auto alive = AliveToken();
    TSpeedButton::WndProc(Message);
    if (alive.expired()) return;
    if ((Message.Msg == CM_ENABLEDCHANGED || Message.Msg == CM_VISIBLECHANGED) &&
        (!Enabled() || !Visible()))
        StopRepeat();
}
