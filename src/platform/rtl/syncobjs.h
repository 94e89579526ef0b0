#pragma once
// A critical section: a recursive lock that one thread holds at a time.

#include <mutex>

class TCriticalSection {
public:
    void Enter() { FMutex.lock(); }
    void Leave() { FMutex.unlock(); }
    bool TryEnter() { return FMutex.try_lock(); }
    // Lockable names, so std::lock_guard / std::unique_lock work on it.
    void lock() { Enter(); }
    void unlock() { Leave(); }

private:
    std::recursive_mutex FMutex;
};
