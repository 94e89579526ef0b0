#pragma once
// The client list of the process's flash timer and what one tick does with it,
// apart from threads and windows: tick counts come in as arguments, so that the
// schedule (periods, blink phases, the once-a-second tick, the 32-bit
// wrap-around of the millisecond counter) can be followed step by step.

#include <cstdint>
#include <functional>
#include <vector>

// Interval codes of a client: 2..6 blink (told when bit n of the tick counter
// changes), 32 once a second; every other value is a period in milliseconds.
constexpr int64_t FlashBlinkFirst = 2;
constexpr int64_t FlashBlinkLast = 6;
constexpr int64_t FlashOncePerSecond = 32;

// True when the 32-bit millisecond counter Now has reached Due, also across the
// counter's wrap from 0xFFFFFFFF to 0 (times less than 2^31 ms apart).
inline bool TickReached(uint32_t Now, uint32_t Due) {
    return static_cast<int32_t>(Now - Due) >= 0;
}

class TFlashSchedule {
public:
    // Client, wParam (the tick counter), lParam (phase, lateness or 0).
    using TSend = std::function<void(void* Client, uint32_t WParam, intptr_t LParam)>;

    explicit TFlashSchedule(int64_t WallMs = 0) : FNextSecond(WallMs + 1000) {}

    // A client already in the list takes the new interval and restarts its period.
    void Add(void* Client, int64_t Interval, uint32_t Now);
    void Remove(void* Client);
    bool Contains(const void* Client) const;
    int Count() const { return static_cast<int>(FClients.size()); }
    size_t Capacity() const { return FClients.capacity(); }

    // One tick: advances the tick counter and hands each client that is due to
    // Send, in list order. Send may add or remove clients (a control that goes
    // away unregisters itself): a client removed during the tick is not visited
    // any more, one added during the tick waits for the next. Stop, when given,
    // ends the walk early (the program is closing).
    void Tick(uint32_t Now, int64_t WallMs, const TSend& Send,
              const std::function<bool()>& Stop = {});

    uint32_t TickCount() const { return FTickCount; }
    void SetTickCount(uint32_t Value) { FTickCount = Value; }

private:
    struct TFlashClient {
        void* Control = nullptr;
        int64_t Interval = 0;
        uint32_t NextDue = 0;
        bool Phase = false;
    };
    TFlashClient* Find(const void* Client);

    std::vector<TFlashClient> FClients;
    uint32_t FTickCount = 0;
    int64_t FNextSecond;
};

// The auto-repeat of a held button: after the press it waits StartDelay
// milliseconds, then every flash message it receives (one per Interval) is a
// click, until it is released.
class TAutoRepeat {
public:
    int Interval() const { return FInterval; }
    // Periods below 50 ms are ignored: the previous one stays.
    void SetInterval(int Value) {
        if (Value >= 50) FInterval = Value;
    }
    uint32_t StartDelay() const { return FStartDelay; }
    void SetStartDelay(uint32_t Value) { FStartDelay = Value; }
    bool TimerEnabled() const { return FTimerEnabled; }
    void SetTimerEnabled(bool Value) { FTimerEnabled = Value; }

    // Returns true when the button is to register with the flash timer.
    bool Press(uint32_t Now) {
        if (!FTimerEnabled) return false;
        FStartTime = Now + FStartDelay;
        FHeld = true;
        return true;
    }
    void Release() { FHeld = false; }
    bool Held() const { return FHeld; }
    // A flash message arrived: true when it is a repeated click.
    bool Tick(uint32_t Now) const { return FHeld && TickReached(Now, FStartTime); }

private:
    int FInterval = 100;
    uint32_t FStartDelay = 500;
    bool FTimerEnabled = true;
    bool FHeld = false;
    uint32_t FStartTime = 0;
};
