#pragma once
// A timer that ticks on a hidden window of the window thread, and the colour
// picker that reads the screen pixel under the mouse on each tick.

#include <string>

#include "desktop/dkclasses.h"
#include "platform/vcl/gfx/colors.h"
#include "platform/vcl/wndtarget.h"

class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

class TdkCustomTimer : public TdkComponent {
public:
    explicit TdkCustomTimer(TComponent* AOwner);
    ~TdkCustomTimer() override;
    std::string ClassName() const override { return "TdkCustomTimer"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Value);
    // The hidden window (its timer is number 1).
    HWND WindowHandle() const { return FWindow; }
    bool TimerSet() const { return FTimerSet; }

protected:
    virtual void Timer();
    virtual void WndProc(TMessage& Message);
    // Kills the window's timer and sets it again when it should tick.
    void UpdateTimer();

private:
    HWND FWindow = nullptr;
    bool FEnabled = true;
    unsigned FInterval = 1000;
    bool FTimerSet = false;
    TNotifyEvent FOnTimer;
};

class TdkColorPicker : public TdkCustomTimer {
public:
    explicit TdkColorPicker(TComponent* AOwner);
    ~TdkColorPicker() override;
    std::string ClassName() const override { return "TdkColorPicker"; }
    // The colour under the mouse as of the last tick (clNone when unreadable).
    TColor Color() const { return FColor; }
    // The cursor shown while picking (0: none).
    int Cursor() const { return FCursor; }
    void SetCursor(int Value);

protected:
    void Timer() override;

private:
    TColor FColor = clNone;
    int FCursor = 0;
};
