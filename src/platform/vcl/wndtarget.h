#pragma once
// Message targets ("windows"): anything with a window procedure that messages
// can be sent or posted to and that timers can tick on. Controls are targets;
// AllocateHWnd makes a bare one for components without a control (timers,
// thread hand-offs). Posted messages and timers run on the window thread, in
// the order they were posted; a target that dies takes its pending messages and
// its timers with it.

#include "platform/vcl/messages.h"

class TWndTarget {
public:
    TWndTarget() = default;
    TWndTarget(const TWndTarget&) = delete;
    TWndTarget& operator=(const TWndTarget&) = delete;
    virtual ~TWndTarget();

    // The entry of every message that reaches this target.
    virtual void DeliverMessage(TMessage& Message) = 0;
    // The entry of posted messages; the same unless a target treats them apart.
    virtual void DeliverPosted(TMessage& Message) { DeliverMessage(Message); }
};

using HWND = TWndTarget*;
using UINT_PTR = std::uintptr_t;

// Runs the target's window procedure now and gives its result.
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
// Queues the message for the window thread; safe from any thread. False for no target.
bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
// Delivers WM_TIMER (WParam = IDEvent) every Elapse milliseconds until killed;
// setting an existing IDEvent again restarts it with the new interval.
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, unsigned Elapse);
bool KillTimer(HWND Wnd, UINT_PTR IDEvent);

// A target without a control whose messages go to Method.
HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);

// Delivers every message posted so far (and the thread hand-offs); the
// application's message loop and ProcessMessages call this.
void DispatchPostedMessages();
