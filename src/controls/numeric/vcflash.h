#pragma once
// The flash timer: one per process, ticking every 16 ms on a worker thread and
// running each tick on the window thread, where it tells the registered
// controls (held auto-repeat buttons, blinking controls) by a message.
//
// Controls are kept as untyped pointers here; the visual side installs how a
// message reaches a control (SetFlashDeliver) and gives typed entry points.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "controls/numeric/flashclients.h"
#include "controls/numeric/flashschedule.h"
#include "controls/numeric/vcthread.h"
#include "platform/rtl/classes.h"

class TVcFlash;

// Sleeps the owner's interval and runs its Timer on the window thread, until
// terminated, its owner is gone or the program closes.
class TTimerThread : public TVcThread {
public:
    explicit TTimerThread(TVcFlash* Owner);
    ~TTimerThread() override;
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value) { FInterval = Value; }
    // Window thread only: the owner goes.
    void ClearOwner() { FOwner = nullptr; }

protected:
    void Execute() override;

private:
    TVcFlash* FOwner; // read and cleared on the window thread only
    std::atomic<unsigned> FInterval{16};
};

class TVcFlash : public TComponent {
public:
    explicit TVcFlash(TComponent* AOwner);
    ~TVcFlash() override;
    std::string ClassName() const override { return "TVcFlash"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(TThreadPriority Value);
    // Runs OnTimer when enabled and not being destroyed (window thread).
    void Timer();
    // The worker; it ends when the component goes or the program closes.
    const TTimerThread* TimerThread() const { return FTimerThread.get(); }

protected:
    void SetOnTimer(std::function<void()> Value);

private:
    void UpdateTimer();

    bool FEnabled = true;
    bool FDestroying = false;
    TThreadPriority FThreadPriority = tpNormal;
    int FInterval = 16;
    std::function<void()> FOnTimer;
    std::unique_ptr<TTimerThread> FTimerThread;
};

// Only the first instance ticks; a further one reports the mistake and stays idle.
class TVcFlashTimer : public TVcFlash {
public:
    explicit TVcFlashTimer(TComponent* AOwner);
    ~TVcFlashTimer() override;
    std::string ClassName() const override { return "TVcFlashTimer"; }
    bool Ticking() const { return FTicking; }

private:
    bool FTicking = false;
};
