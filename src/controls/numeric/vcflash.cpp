#include "controls/numeric/vcflash.h"

#include <chrono>

#include "platform/rtl/dialogs.h"

namespace {

uint32_t SystemTickCount() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int64_t SystemWallClock() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// The unit's state: the client list, the one timer and how messages go out.
struct TFlashUnit {
    std::function<uint32_t()> TickCount = SystemTickCount;
    std::function<int64_t()> WallClock = SystemWallClock;
    TFlashSchedule Schedule;
    TFlashDeliver Deliver;
    std::function<bool()> Closing;
    int Instances = 0;
    bool InTick = false;
    bool FreePending = false;
    std::unique_ptr<TVcFlashTimer> Timer;

    // Touching the thread window's state first makes it outlive this one, so
    // that the timer's thread can still be stopped when the process ends.
    TFlashUnit() : Schedule((IsWindowThread(), SystemWallClock())) {}
};

TFlashUnit& Unit() {
    static TFlashUnit unit;
    return unit;
}

} // namespace

// --- timer thread -----------------------------------------------------------------

TTimerThread::TTimerThread(TVcFlash* Owner) : TVcThread(true), FOwner(Owner) {
    Start();
}

TTimerThread::~TTimerThread() {
    // Stopped here, while Execute can still run on a whole object.
    Terminate();
    WaitFor();
}

void TTimerThread::Execute() {
    bool stopping = false;
    while (!stopping && WaitWhileSuspended()) {
        if (!SleepFor(FInterval)) break;
        if (Suspended()) continue; // switched off while sleeping
        try {
            // Asked on the window thread, where the owner and the program live.
            Synchronize([this, &stopping] {
                TVcFlash* owner = FOwner;
                stopping = !owner || FlashClosing();
                if (!stopping) owner->Timer();
            });
        } catch (...) {
            // A failing tick handler must not stop the timer for everyone.
        }
    }
}

// --- flash component ------------------------------------------------------------------

TVcFlash::TVcFlash(TComponent* AOwner)
    : TComponent(AOwner), FTimerThread(std::make_unique<TTimerThread>(this)) {
    FTimerThread->SetInterval(static_cast<unsigned>(FInterval));
}

TVcFlash::~TVcFlash() {
    FDestroying = true;
    FEnabled = false;
    FOnTimer = nullptr;
    FTimerThread->ClearOwner();
    FTimerThread.reset(); // terminates the thread and waits for it
}

void TVcFlash::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TVcFlash::SetThreadPriority(TThreadPriority Value) {
    if (Value == FThreadPriority) return;
    FThreadPriority = Value;
    UpdateTimer();
}

void TVcFlash::SetOnTimer(std::function<void()> Value) {
    const bool changed = static_cast<bool>(Value) != static_cast<bool>(FOnTimer);
    FOnTimer = std::move(Value);
    if (changed) UpdateTimer();
}

void TVcFlash::UpdateTimer() {
    if (!FTimerThread->Suspended()) FTimerThread->Suspend();
    FTimerThread->SetInterval(static_cast<unsigned>(FInterval));
    if (FInterval != 0 && FEnabled && FOnTimer) {
        FTimerThread->SetPriority(FThreadPriority);
        while (FTimerThread->Suspended())
            FTimerThread->Resume();
    }
}

void TVcFlash::Timer() {
    if (FEnabled && !FDestroying && FOnTimer) FOnTimer();
}

TVcFlashTimer::TVcFlashTimer(TComponent* AOwner) : TVcFlash(AOwner) {
    if (Unit().Instances++ == 0) {
        FTicking = true;
        SetOnTimer(FlashTick);
    } else {
        DialogService().MessageDlg("Only one TVcFlashTimer per Application!\rRemove it...", mtError,
                                   mbOKOnly, "Error Message");
    }
}

TVcFlashTimer::~TVcFlashTimer() {
    --Unit().Instances;
}

// --- clients --------------------------------------------------------------------------

void SetFlashDeliver(TFlashDeliver Deliver) {
    Unit().Deliver = std::move(Deliver);
}

void SetFlashClosing(std::function<bool()> Closing) {
    Unit().Closing = std::move(Closing);
}

void SetFlashClocks(std::function<uint32_t()> TickCount, std::function<int64_t()> WallClock) {
    Unit().TickCount = TickCount ? std::move(TickCount) : SystemTickCount;
    Unit().WallClock = WallClock ? std::move(WallClock) : SystemWallClock;
}

uint32_t FlashNow() {
    return Unit().TickCount();
}

uint32_t FlashTickCount() {
    return Unit().Schedule.TickCount();
}

bool FlashClosing() {
    return Unit().Closing && Unit().Closing();
}

void AddFlashClientPtr(void* Control, int64_t Interval) {
    if (!Control) return;
    Unit().Schedule.Add(Control, Interval, Unit().TickCount());
    if (Unit().Schedule.Count() > 0) EnsureFlashTimer();
}

void RemoveFlashClientPtr(void* Control) {
    TFlashUnit& u = Unit();
    u.Schedule.Remove(Control);
    if (u.Schedule.Count() != 0 || !u.Timer) return;
    // Nobody to tell: the timer goes with the closing program, or else its
    // thread rests until a control registers again.
    if (FlashClosing())
        FreeFlashTimer();
    else
        u.Timer->SetEnabled(false);
}

bool IsFlashClientPtr(const void* Control) {
    return Unit().Schedule.Contains(Control);
}
int FlashClientCount() {
    return Unit().Schedule.Count();
}

TVcFlashTimer* FlashTimerInstance() {
    return Unit().Timer.get();
}

void EnsureFlashTimer() {
    TFlashUnit& u = Unit();
    u.FreePending = false;
    if (!u.Timer)
        u.Timer = std::make_unique<TVcFlashTimer>(nullptr);
    else
        u.Timer->SetEnabled(true);
}

void FreeFlashTimer() {
    TFlashUnit& u = Unit();
    if (u.InTick)
        u.FreePending = true; // its thread is waiting for this very tick
    else
        u.Timer.reset();
}

void FlashTick() {
    TFlashUnit& u = Unit();
    if (u.InTick) return;
    // Ends the tick also when a control's handler raises; a free asked for
    // during the tick happens now.
    struct TTickScope {
        TFlashUnit& U;
        explicit TTickScope(TFlashUnit& u) : U(u) { U.InTick = true; }
        ~TTickScope() {
            U.InTick = false;
            if (U.FreePending) {
                U.FreePending = false;
                U.Timer.reset();
            }
        }
    } scope(u);
    u.Schedule.Tick(
        u.TickCount(), u.WallClock(),
        [&u](void* c, uint32_t w, intptr_t l) {
            if (u.Deliver) u.Deliver(c, w, l);
        },
        u.Closing);
}
