#include "controls/numeric/vcthread.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

#include "platform/rtl/threads.h"

namespace {

// The thread window's side: one lock and one wake-up for every thread of the
// process (there are few), the requests waiting to run, and the poster.
struct TSyncHub {
    std::mutex Lock;
    std::condition_variable Wake;
    std::map<uintptr_t, std::shared_ptr<TSyncRequest>> Waiting;
    uintptr_t LastId = 0;
    TSyncPoster Poster;
    std::thread::id WindowThread = std::this_thread::get_id();
};

TSyncHub& Hub() {
    static TSyncHub hub;
    return hub;
}

} // namespace

int ThreadPriorityValue(TThreadPriority Priority) {
    static constexpr int values[] = {-15, -2, -1, 0, 1, 2, 15};
    return values[Priority];
}

void SetSyncPoster(TSyncPoster Poster) {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    Hub().Poster = std::move(Poster);
    Hub().WindowThread = std::this_thread::get_id();
}

bool HasSyncPoster() {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    return static_cast<bool>(Hub().Poster);
}

bool IsWindowThread() {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    return Hub().WindowThread == std::this_thread::get_id();
}

void RunSyncRequest(uintptr_t Request) {
    std::unique_lock<std::mutex> lock(Hub().Lock);
    const auto it = Hub().Waiting.find(Request);
    if (it == Hub().Waiting.end()) return; // given up, or already served
    const std::shared_ptr<TSyncRequest> req = it->second;
    Hub().Waiting.erase(it);
    req->Run(lock, Hub().Wake);
}

TVcThread::TVcThread(bool CreateSuspended) {
    FSuspended = CreateSuspended;
}

void TVcThread::Start() {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    if (!FThread.joinable()) FThread = std::thread(&TVcThread::ThreadProc, this);
}

TVcThread::~TVcThread() {
    Terminate();
    WaitFor();
}

void TVcThread::ThreadProc() {
    if (WaitWhileSuspended()) {
        try {
            Execute();
        } catch (...) {
            // An escaping exception ends the thread; there is nobody to tell.
        }
    }
    {
        std::lock_guard<std::mutex> lock(Hub().Lock);
        FFinished = true;
        FFinishing = true;
    }
    try {
        DoTerminate();
    } catch (...) {
    }
    std::lock_guard<std::mutex> lock(Hub().Lock);
    FExited = true;
    Hub().Wake.notify_all();
}

void TVcThread::DoTerminate() {
    if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TVcThread::Terminate() {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    FTerminated = true;
    Hub().Wake.notify_all();
}

bool TVcThread::Terminated() const {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    return FTerminated;
}

void TVcThread::Suspend() {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    FSuspended = true;
}

void TVcThread::Resume() {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    FSuspended = false;
    Hub().Wake.notify_all();
}

bool TVcThread::Suspended() const {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    return FSuspended;
}

bool TVcThread::Finished() const {
    std::lock_guard<std::mutex> lock(Hub().Lock);
    return FFinished;
}

bool TVcThread::WaitWhileSuspended() {
    std::unique_lock<std::mutex> lock(Hub().Lock);
    Hub().Wake.wait(lock, [this] { return !FSuspended || FTerminated; });
    return !FTerminated;
}

bool TVcThread::SleepFor(unsigned Ms) {
    std::unique_lock<std::mutex> lock(Hub().Lock);
    return !Hub().Wake.wait_for(lock, std::chrono::milliseconds(Ms),
                                [this] { return FTerminated; });
}

bool TVcThread::Synchronize(std::function<void()> Method) {
    if (IsWindowThread()) {
        Method();
        return true;
    }
    auto req = std::make_shared<TSyncRequest>();
    req->Method = std::move(Method);
    std::unique_lock<std::mutex> lock(Hub().Lock);
    if (!Hub().Poster || (FTerminated && !FFinishing)) return false;
    const uintptr_t id = ++Hub().LastId;
    Hub().Waiting[id] = req;
    FPending = id;
    const TSyncPoster poster = Hub().Poster;
    Hub().Wake.notify_all(); // a WaitFor on the window thread may serve it
    lock.unlock();
    const bool posted = poster(id);
    lock.lock();
    if (posted) Hub().Wake.wait(lock, [&] { return req->Done || (FTerminated && !FFinishing); });
    Hub().Waiting.erase(id); // not run yet: it never will be
    FPending = 0;
    // Read under the lock: a request given up may still be running.
    const bool done = req->Done;
    const std::exception_ptr error = req->Error;
    lock.unlock();
    if (error) std::rethrow_exception(error);
    return done;
}

int TVcThread::WaitFor() {
    std::unique_lock<std::mutex> lock(Hub().Lock);
    if (!FThread.joinable()) return FReturnValue;
    const bool windowThread = Hub().WindowThread == std::this_thread::get_id();
    while (!FExited) {
        if (windowThread && FPending && (!FTerminated || FFinishing)) {
            // The thread waits for the window thread, which waits here: serve it.
            const auto it = Hub().Waiting.find(FPending);
            if (it != Hub().Waiting.end()) {
                const std::shared_ptr<TSyncRequest> req = it->second;
                Hub().Waiting.erase(it);
                req->Run(lock, Hub().Wake);
                continue;
            }
        }
        Hub().Wake.wait(lock);
    }
    lock.unlock();
    FThread.join();
    return FReturnValue;
}
