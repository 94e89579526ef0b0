#pragma once
// Stands in for the hidden thread window: requests posted by worker threads
// queue up here and the test's thread (the window thread) runs them when it
// pumps, as a message loop would.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "controls/numeric/vcthread.h"

class FakeThreadWindow {
public:
    // A worker may still be inside the poster it copied when the window goes:
    // the queue it posts to lives on with the poster.
    FakeThreadWindow() {
        SetSyncPoster([s = FState](uintptr_t id) {
            std::lock_guard<std::mutex> lock(s->Lock);
            s->Queue.push_back(id);
            ++s->Posted;
            s->Wake.notify_all();
            return true;
        });
    }
    ~FakeThreadWindow() { SetSyncPoster(nullptr); }
    FakeThreadWindow(const FakeThreadWindow&) = delete;
    FakeThreadWindow& operator=(const FakeThreadWindow&) = delete;

    // Runs posted requests until Done holds; false when it does not come true
    // within a long while (a hang, not a speed measure).
    bool PumpUntil(const std::function<bool()>& Done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!Done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            uintptr_t id = 0;
            {
                std::unique_lock<std::mutex> lock(FLock);
                if (!FWake.wait_for(lock, std::chrono::milliseconds(5),
                                    [this] { return !FQueue.empty(); }))
                    continue;
                id = FQueue.front();
                FQueue.pop_front();
            }
            RunSyncRequest(id);
        }
        return true;
    }
    // Waits until at least N requests were posted, without running them.
    bool WaitPosted(int N) {
        std::unique_lock<std::mutex> lock(FLock);
        return FWake.wait_for(lock, std::chrono::seconds(20), [&] { return FPosted >= N; });
    }
    // Runs what is queued now.
    void Drain() {
        std::deque<uintptr_t> ids;
        {
            std::lock_guard<std::mutex> lock(FLock);
            ids.swap(FQueue);
        }
        for (uintptr_t id : ids)
            RunSyncRequest(id);
    }

private:
    struct TState {
        std::mutex Lock;
        std::condition_variable Wake;
        std::deque<uintptr_t> Queue;
        int Posted = 0;
    };
    const std::shared_ptr<TState> FState = std::make_shared<TState>();
    std::mutex& FLock = FState->Lock;
    std::condition_variable& FWake = FState->Wake;
    std::deque<uintptr_t>& FQueue = FState->Queue;
    int& FPosted = FState->Posted;
};
