#pragma once
// The process's flash timer as its clients and the thread window see it:
// registration, the clocks, and how a tick reaches a control. Apart from the
// timer's classes (vcflash.h), so that the thread window, which the worker
// thread makes, needs nothing of the thread.

#include <cstdint>
#include <functional>

class TVcFlashTimer;

// How a flash message (wParam: the tick counter; lParam: phase or lateness)
// reaches a control: sent at once, on the window thread.
using TFlashDeliver = std::function<void(void* Control, uint32_t WParam, intptr_t LParam)>;
void SetFlashDeliver(TFlashDeliver Deliver);

// Tells whether the program is closing (the visual side installs it): a tick
// then stops telling its clients, so none is reached while the windows go; the
// timer threads end, and the last client to go takes the timer along.
void SetFlashClosing(std::function<bool()> Closing);
bool FlashClosing(); // window thread only

// The clocks of the flash timer: the 32-bit millisecond tick count and the wall
// clock in milliseconds. Tests may put their own in; nullptr restores the system's.
void SetFlashClocks(std::function<uint32_t()> TickCount, std::function<int64_t()> WallClock);
uint32_t FlashNow();
// The tick counter: +1 per tick, back to 0 after 0xFFFFFFFF.
uint32_t FlashTickCount();

// Registers a control for flash messages (Interval: a period in milliseconds,
// 2..6 to blink, 32 once a second); registering again restarts its period.
void AddFlashClientPtr(void* Control, int64_t Interval);
void RemoveFlashClientPtr(void* Control);
bool IsFlashClientPtr(const void* Control);
int FlashClientCount();

// The process's timer, made when needed; freeing it during its own tick waits
// until the tick is over.
TVcFlashTimer* FlashTimerInstance();
void EnsureFlashTimer();
void FreeFlashTimer();
// One tick of the flash timer, as the timer thread runs it on the window thread.
void FlashTick();
