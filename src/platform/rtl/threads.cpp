#include "threads.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <exception>
#include <memory>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

std::function<void()> WakeMainThread;

namespace {

const std::thread::id MainThreadId = std::this_thread::get_id();

struct THandOff : TSyncRequest {
    TThread* Owner = nullptr;
    bool Waiting = false; // Synchronize: the worker waits for Done
};

struct TSyncState {
    std::mutex Lock;
    std::condition_variable Changed; // a hand-off was queued or done, a thread ended
    std::deque<std::shared_ptr<THandOff>> Pending;
};

TSyncState& Sync() {
    // Never destroyed: the worker of a component freed by its own event ends on
    // its own and may still hand over its end while the process exits.
    static TSyncState* const State = new TSyncState;
    return *State;
}

} // namespace

void TSyncRequest::Run(std::unique_lock<std::mutex>& Lock, std::condition_variable& Changed) {
    Lock.unlock();
    std::exception_ptr error;
    try {
        Method();
    } catch (...) {
        error = std::current_exception();
    }
    Lock.lock();
    Error = error;
    Done = true;
    Changed.notify_all();
}

TThread::~TThread() {
    Terminate();
    WaitFor();
    std::lock_guard<std::mutex> guard(Sync().Lock);
    auto& pending = Sync().Pending;
    for (auto it = pending.begin(); it != pending.end();)
        it = (*it)->Owner == this && !(*it)->Waiting ? pending.erase(it) : it + 1;
}

int ThreadNiceValue(TThreadPriority Priority, int BaseNice) {
    static constexpr int Offset[] = {0, 10, 5, 0, -5, -10, 0};
    if (Priority == tpIdle) return 19;
    if (Priority == tpTimeCritical) return -20;
    return std::clamp(BaseNice + Offset[Priority], -20, 19);
}

int CurrentThreadNice() {
    errno = 0;
    const int Nice = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
    return errno == 0 ? Nice : 0;
}

bool TThread::IsMainThread() {
    return std::this_thread::get_id() == MainThreadId;
}

void TThread::Start() {
    if (FStarted) return;
    FStarted = true;
    FThread = std::thread([this] { Run(); });
}

void TThread::Run() {
    try {
        Execute();
    } catch (...) {
        // A worker's failure ends the worker, not the program.
    }
    if (OnTerminate) Queue(OnTerminate);
    {
        std::lock_guard<std::mutex> guard(Sync().Lock);
        FFinished = true;
    }
    Sync().Changed.notify_all();
}

int TThread::WaitFor() {
    if (!FThread.joinable()) return FReturnValue;
    if (IsMainThread()) {
        // Keep serving Synchronize calls while waiting, or a worker inside one
        // would never finish.
        for (;;) {
            CheckSynchronize();
            std::unique_lock<std::mutex> lock(Sync().Lock);
            if (FFinished) break;
            Sync().Changed.wait(lock, [this] { return FFinished || !Sync().Pending.empty(); });
        }
    }
    FThread.join();
    return FReturnValue;
}

void TThread::QueueOnMainThread(TThread* Owner, const TThreadMethod& Method) {
    auto handOff = std::make_shared<THandOff>();
    handOff->Owner = Owner;
    handOff->Method = Method;
    {
        std::lock_guard<std::mutex> guard(Sync().Lock);
        Sync().Pending.push_back(handOff);
    }
    Sync().Changed.notify_all();
    if (WakeMainThread) WakeMainThread();
}

void TThread::Queue(const TThreadMethod& Method) {
    if (IsMainThread()) {
        Method();
        return;
    }
    QueueOnMainThread(this, Method);
}

void TThread::Synchronize(const TThreadMethod& Method) {
    if (IsMainThread()) {
        Method();
        return;
    }
    auto handOff = std::make_shared<THandOff>();
    handOff->Owner = this;
    handOff->Method = Method;
    handOff->Waiting = true;
    std::unique_lock<std::mutex> lock(Sync().Lock);
    Sync().Pending.push_back(handOff);
    lock.unlock();
    Sync().Changed.notify_all();
    if (WakeMainThread) WakeMainThread();
    lock.lock();
    Sync().Changed.wait(lock, [&] { return handOff->Done; });
    handOff->RaiseError();
}

bool CheckSynchronize() {
    if (!TThread::IsMainThread()) return false;
    bool ran = false;
    std::unique_lock<std::mutex> lock(Sync().Lock);
    while (!Sync().Pending.empty()) {
        const std::shared_ptr<THandOff> handOff = Sync().Pending.front();
        Sync().Pending.pop_front();
        ran = true;
        handOff->Run(lock, Sync().Changed);
        // Nobody waits for a queued method: what it raised goes to the caller.
        if (handOff->Error && !handOff->Waiting) {
            lock.unlock();
            handOff->RaiseError();
        }
    }
    return ran;
}
