#pragma once
// Stands in for the hidden thread window: requests posted by worker threads
// queue up here and the test's thread (the window thread) runs them when it
// pumps, as a message loop would.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "controls/numeric/vcthread.h"

class FakeThreadWindow {
public:
    FakeThreadWindow() {
        SetSyncPoster([this](uintptr_t id) {
            std::lock_guard<std::mutex> lock(FLock);
            FQueue.push_back(id);
            ++FPosted;
            FWake.notify_all();
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
    std::mutex FLock;
    std::condition_variable FWake;
    std::deque<uintptr_t> FQueue;
    int FPosted = 0;
};
