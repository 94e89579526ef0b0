#pragma once
// The auto-repeat button: a speed button that, while held with the left
// mouse button, clicks again and again after a start delay. Its repeats come
// from the process's flash timer. It stops repeating as soon as it is
// released, disabled, hidden or freed, or loses the mouse.

#include "controls/numeric/flashschedule.h"
#include "platform/vcl/buttons.h"

class TVcTimerSpeedBtn : public TSpeedButton {
public:
    explicit TVcTimerSpeedBtn(TComponent* AOwner);
    ~TVcTimerSpeedBtn() override;
    std::string ClassName() const override { return "TVcTimerSpeedBtn"; }

    // Repeat period in milliseconds; values below 50 are ignored.
    int Interval() const { return FRepeat.Interval(); }
    void SetInterval(int Value) { FRepeat.SetInterval(Value); }
    bool TimerEnabled() const { return FRepeat.TimerEnabled(); }
    void SetTimerEnabled(bool Value);
    // Milliseconds from the press to the first repeat.
    unsigned StartDelay() const { return FRepeat.StartDelay(); }
    void SetStartDelay(unsigned Value) { FRepeat.SetStartDelay(Value); }
    // Held and registered with the flash timer.
    bool Repeating() const;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;

private:
    void FlashTick();
    void StopRepeat();

    TAutoRepeat FRepeat;
};
