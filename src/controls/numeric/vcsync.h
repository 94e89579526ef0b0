#pragma once
// The road between the worker threads (TVcThread) and the window thread, which
// both sides need: the hidden thread window installs a poster of message
// 0x8FFF and runs the requests it receives; a worker hands its requests in
// and waits on the shared lock. Suspending a worker is part of it, as a
// worker must never be parked while it holds that lock.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/rtl/threads.h"

constexpr unsigned CM_VCSYNCHRONIZE = 0x8FFF;

// Posts message 0x8FFF with the request number to the thread window; false when
// it cannot be delivered.
using TSyncPoster = std::function<bool(uintptr_t Request)>;

// Installs the poster and takes the calling thread as the window thread.
void SetSyncPoster(TSyncPoster Poster);
bool HasSyncPoster();
// The window's handler of message 0x8FFF: runs the request if it is still
// waiting (each request runs once), on the calling (window) thread.
void RunSyncRequest(uintptr_t Request);
bool IsWindowThread();

// One lock and one wake-up for every worker of the process (there are few),
// the requests waiting to run, and the poster.
struct TSyncHub {
    std::mutex Lock;
    std::condition_variable Wake;
    std::map<uintptr_t, std::shared_ptr<TSyncRequest>> Waiting;
    uintptr_t LastId = 0;
    TSyncPoster Poster;
    bool Installed = false; // a window or a stand-in was installed once
    std::thread::id WindowThread = std::this_thread::get_id();
};
TSyncHub& SyncHub();

// A worker that a stop signal may park where it is.
class TSuspendable {
public:
    // Parks the calling (own) thread while it is suspended.
    virtual void Park() = 0;

protected:
    ~TSuspendable() = default;

private:
    friend struct TSuspendPoint;
    friend class TVcThread;
    // Lock-free: read by the parking signal handler.
    std::atomic<int> FNoSuspend{0};      // depth of own steps that put a stop off
    std::atomic<bool> FParkAsked{false}; // a stop waits for such a step's end
};

// The worker running on the calling thread (null on threads of other kinds);
// the parking signal handler finds its worker through it.
TSuspendable*& CurrentSuspendable();

// Puts a stop asked for meanwhile off until the calling thread's own step
// under the shared lock is over, then parks there.
struct TSuspendPoint {
    TSuspendable* T = CurrentSuspendable();
    TSuspendPoint() {
        if (T) T->FNoSuspend.fetch_add(1);
    }
    ~TSuspendPoint() {
        if (T && T->FNoSuspend.fetch_sub(1) == 1 && T->FParkAsked.exchange(false)) T->Park();
    }
    // The suspend signal arrived on this thread.
    static void Signalled() {
        TSuspendable* const own = CurrentSuspendable();
        if (!own) return;
        TSuspendPoint point; // parks at its end unless a step of the thread is under way
        own->FParkAsked.store(true);
    }
    TSuspendPoint(const TSuspendPoint&) = delete;
    TSuspendPoint& operator=(const TSuspendPoint&) = delete;
};
