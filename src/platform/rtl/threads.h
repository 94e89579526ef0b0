#pragma once
// Threads with a hand-off to the window thread. A worker calls Synchronize (waits
// until the window thread has run the method) or Queue (does not wait); the
// window thread runs them from its message loop through CheckSynchronize.
// WakeMainThread is the hook with which the window layer learns that work waits.

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

using TThreadMethod = std::function<void()>;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The Linux nice value that stands for Priority in a thread that started at
// BaseNice (the nice value it took over from the thread that made it). Idle
// and time-critical are the ends of the scale (19, -20); the others move
// relative to the base, as a thread priority moves relative to its process,
// so a program started with nice keeps its threads at that level. A user
// may raise a thread's nice value but not lower it again without the right
// to; such a request is left without effect.
int ThreadNiceValue(TThreadPriority Priority, int BaseNice);
// The nice value of the calling thread.
int CurrentThreadNice();

// A method a worker hands to the window thread, and what became of it. Every
// kind of thread of the program hands its methods over in one of these.
struct TSyncRequest {
    TThreadMethod Method;
    std::exception_ptr Error; // what the method raised, for the waiting worker
    bool Done = false;

    // Runs the method on the calling thread with Lock (held on entry and on
    // return, guarding Done) released meanwhile, keeps what it raised, marks
    // the request done and wakes the threads waiting on Changed.
    void Run(std::unique_lock<std::mutex>& Lock, std::condition_variable& Changed);
    // In the waiting worker, once it stops waiting: raises again what the method raised.
    void RaiseError() const {
        if (Error) std::rethrow_exception(Error);
    }
};

class TThread {
public:
    // A base class cannot run Execute before the derived object exists, so the
    // thread always starts with Start(); a derived constructor that wants to run
    // at once calls Start() as its last step.
    explicit TThread(bool /*CreateSuspended*/ = true) {}
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    // Asks the thread to end, waits for it and drops its queued hand-offs.
    virtual ~TThread();

    void Start(); // runs Execute on the new thread
    void Terminate() { FTerminated = true; }
    int WaitFor(); // joins; answers ReturnValue
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    bool Suspended() const { return !FStarted; }
    int ReturnValue() const { return FReturnValue; }
    bool FreeOnTerminate = false; // kept for the interface; owners free threads
    TThreadMethod OnTerminate;    // runs on the window thread after Execute

    // Runs Method on the window thread; from the window thread itself it runs at once.
    void Synchronize(const TThreadMethod& Method);
    // Runs Method later on the window thread without waiting.
    void Queue(const TThreadMethod& Method);
    static void StaticQueue(const TThreadMethod& Method) { QueueOnMainThread(nullptr, Method); }

    static bool IsMainThread();

protected:
    virtual void Execute() = 0;
    void SetReturnValue(int Value) { FReturnValue = Value; }

private:
    static void QueueOnMainThread(TThread* Owner, const TThreadMethod& Method);
    friend bool CheckSynchronize();
    void Run();

    std::thread FThread;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    bool FStarted = false;
    int FReturnValue = 0;
};

// Runs the hand-offs waiting for the window thread; true when any ran. Call it
// only on the window thread (the main thread of the process).
bool CheckSynchronize();
// Called (on any thread) when a hand-off is queued; the window layer installs it.
extern std::function<void()> WakeMainThread;
