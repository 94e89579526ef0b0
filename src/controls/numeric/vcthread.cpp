#include "controls/numeric/vcthread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <memory>
#include <mutex>

#include "controls/numeric/threadwindow.h"
#include "platform/rtl/threads.h"

namespace {

int SuspendSignal() {
    return SIGRTMIN + 3;
}
int ResumeSignal() {
    return SIGRTMIN + 4;
}

pid_t OwnThreadId() {
    return static_cast<pid_t>(::syscall(SYS_gettid));
}

void SendSignal(pid_t Tid, int Signal) {
    ::syscall(SYS_tgkill, ::getpid(), Tid, Signal);
}

void OnSuspendSignal(int) {
    const int saved = errno;
    TSuspendPoint::Signalled();
    errno = saved;
}

void OnResumeSignal(int) {}

void InstallSignals() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction sa {};
        sa.sa_flags = SA_RESTART;
        sigemptyset(&sa.sa_mask);
        sigaddset(&sa.sa_mask, ResumeSignal());
        sa.sa_handler = OnSuspendSignal;
        sigaction(SuspendSignal(), &sa, nullptr);
        sa.sa_handler = OnResumeSignal;
        sigaction(ResumeSignal(), &sa, nullptr);
    });
}

} // namespace

int ThreadPriorityValue(TThreadPriority Priority) {
    static constexpr int values[] = {-15, -2, -1, 0, 1, 2, 15};
    return values[Priority];
}

TVcThread::TVcThread(bool CreateSuspended) {
    FSuspendCount.store(CreateSuspended ? 1 : 0);
    bool makeWindow = false;
    {
        TSuspendPoint point;
        std::lock_guard<std::mutex> lock(SyncHub().Lock);
        makeWindow = !SyncHub().Installed && SyncHub().WindowThread == std::this_thread::get_id();
    }
    // The first thread registers with the thread window, which is made now.
    if (makeWindow) EnsureThreadWindow();
}

void TVcThread::Start() {
    InstallSignals();
    TSuspendPoint point;
    std::unique_lock<std::mutex> lock(SyncHub().Lock);
    if (FThread.joinable()) return;
    FThread = std::thread(&TVcThread::ThreadProc, this);
    FHandle = FThread.native_handle();
    SyncHub().Wake.wait(lock, [this] { return FThreadID != 0; });
}

TVcThread::~TVcThread() {
    if (FThread.joinable() && FThread.get_id() == std::this_thread::get_id()) {
        FThread.detach(); // freeing itself at its end
        return;
    }
    Terminate();
    WaitFor();
}

void TVcThread::ThreadProc() {
    CurrentSuspendable() = this;
    sigset_t block;
    sigemptyset(&block);
    sigaddset(&block, ResumeSignal());
    pthread_sigmask(SIG_BLOCK, &block, nullptr);
    {
        TSuspendPoint point;
        std::lock_guard<std::mutex> lock(SyncHub().Lock);
        FThreadID = OwnThreadId();
        FBaseNice = CurrentThreadNice();
        ApplyPriority();
        SyncHub().Wake.notify_all();
    }
    if (WaitWhileSuspended()) {
        try {
            Execute();
        } catch (...) {
            // An escaping exception ends the thread; there is nobody to tell.
        }
    }
    bool freeIt = false;
    {
        TSuspendPoint point;
        std::lock_guard<std::mutex> lock(SyncHub().Lock);
        freeIt = FFreeOnTerminate;
        FFinished = true;
        FFinishing = true;
    }
    try {
        DoTerminate();
    } catch (...) {
    }
    {
        TSuspendPoint point;
        std::lock_guard<std::mutex> lock(SyncHub().Lock);
        FExited = true;
        SyncHub().Wake.notify_all();
    }
    CurrentSuspendable() = nullptr;
    if (freeIt) delete this;
}

void TVcThread::DoTerminate() {
    if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TVcThread::Terminate() {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    FTerminated = true;
    // A suspended thread is let go, so that it can see the end and stop:
    // waiting for it would never end otherwise.
    if (FSuspendCount.exchange(0) > 0 && FThreadID && !FExited && CurrentSuspendable() != this)
        SendSignal(FThreadID, ResumeSignal());
    SyncHub().Wake.notify_all();
}

bool TVcThread::Terminated() const {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    return FTerminated;
}

void TVcThread::Suspend() {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    FSuspendCount.fetch_add(1);
    if (CurrentSuspendable() == this)
        FParkAsked.store(true); // parks as this step ends
    else if (FThreadID && !FExited)
        SendSignal(FThreadID, SuspendSignal());
}

void TVcThread::Resume() {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    int count = FSuspendCount.load();
    while (count > 0 && !FSuspendCount.compare_exchange_weak(count, count - 1)) {
    }
    if (count != 1) return;
    if (FThreadID && !FExited) SendSignal(FThreadID, ResumeSignal());
    SyncHub().Wake.notify_all();
}

void TVcThread::Park() {
    // A stop signal taken between the count's test and the wait would park
    // again inside its handler and take the resume signal meant for this
    // wait, which would then sleep on with nobody left to wake it: the stop
    // signal waits until this park is over, and only the resume signal ends
    // the wait.
    sigset_t both;
    sigemptyset(&both);
    sigaddset(&both, SuspendSignal());
    sigaddset(&both, ResumeSignal());
    sigset_t old;
    pthread_sigmask(SIG_BLOCK, &both, &old);
    sigset_t wait = old;
    sigaddset(&wait, SuspendSignal());
    sigdelset(&wait, ResumeSignal());
    while (FSuspendCount.load() > 0)
        sigsuspend(&wait);
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
}

bool TVcThread::Suspended() const {
    return FSuspendCount.load() > 0;
}

bool TVcThread::Finished() const {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    return FFinished;
}

pthread_t TVcThread::Handle() const {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    return FHandle;
}

pid_t TVcThread::ThreadID() const {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    return FThreadID;
}

bool TVcThread::FreeOnTerminate() const {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    return FFreeOnTerminate;
}

void TVcThread::SetFreeOnTerminate(bool Value) {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    FFreeOnTerminate = Value;
}

TThreadPriority TVcThread::Priority() const {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    return FPriority;
}

void TVcThread::SetPriority(TThreadPriority Value) {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    FPriority = Value;
    ApplyPriority();
}

void TVcThread::ApplyPriority() {
    // Linux keeps a nice value per thread, addressed by its thread id.
    if (FThreadID && !FExited)
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(FThreadID),
                      ThreadNiceValue(FPriority, FBaseNice));
}

bool TVcThread::WaitWhileSuspended() {
    TSuspendPoint point;
    std::unique_lock<std::mutex> lock(SyncHub().Lock);
    SyncHub().Wake.wait(lock, [this] { return FSuspendCount.load() == 0 || FTerminated; });
    return !FTerminated;
}

bool TVcThread::SleepFor(unsigned Ms) {
    TSuspendPoint point;
    std::unique_lock<std::mutex> lock(SyncHub().Lock);
    return !SyncHub().Wake.wait_for(lock, std::chrono::milliseconds(Ms),
                                    [this] { return FTerminated; });
}

bool TVcThread::Synchronize(std::function<void()> Method) {
    TSuspendPoint point;
    if (IsWindowThread()) {
        Method();
        return true;
    }
    auto req = std::make_shared<TSyncRequest>();
    req->Method = std::move(Method);
    std::unique_lock<std::mutex> lock(SyncHub().Lock);
    if (!SyncHub().Poster || (FTerminated && !FFinishing)) return false;
    const uintptr_t id = ++SyncHub().LastId;
    SyncHub().Waiting[id] = req;
    FPending = id;
    const TSyncPoster poster = SyncHub().Poster;
    SyncHub().Wake.notify_all(); // a WaitFor on the window thread may serve it
    lock.unlock();
    const bool posted = poster(id);
    lock.lock();
    if (posted)
        SyncHub().Wake.wait(lock, [&] { return req->Done || (FTerminated && !FFinishing); });
    SyncHub().Waiting.erase(id); // not run yet: it never will be
    FPending = 0;
    // Read under the lock: a request given up may still be running.
    const bool done = req->Done;
    const std::exception_ptr error = req->Error;
    lock.unlock();
    if (error) std::rethrow_exception(error);
    return done;
}

int TVcThread::WaitFor() {
    TSuspendPoint point;
    std::unique_lock<std::mutex> lock(SyncHub().Lock);
    // Waiting for oneself would never end (a thread freeing itself).
    if (!FThread.joinable() || FThread.get_id() == std::this_thread::get_id()) return FReturnValue;
    const bool windowThread = SyncHub().WindowThread == std::this_thread::get_id();
    while (!FExited) {
        if (windowThread && FPending && (!FTerminated || FFinishing)) {
            // The thread waits for the window thread, which waits here: serve it.
            const auto it = SyncHub().Waiting.find(FPending);
            if (it != SyncHub().Waiting.end()) {
                const std::shared_ptr<TSyncRequest> req = it->second;
                SyncHub().Waiting.erase(it);
                req->Run(lock, SyncHub().Wake);
                continue;
            }
        }
        SyncHub().Wake.wait(lock);
    }
    lock.unlock();
    FThread.join();
    return FReturnValue;
}
