#pragma once
// Worker threads of the desktop components. Events that a worker hands to the
// window thread go through the thread, so a component can cut its thread off
// (Detach) and no queued event reaches a component that is gone.

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/rtl/classes.h"
#include "platform/rtl/threads.h"

class TdkThread : public TThread {
public:
    explicit TdkThread(TObject* ASender = nullptr);
    ~TdkThread() override;

    // The terminate request: also sets the finished flag and, when OnFinish is
    // assigned, fires it through the window thread; wakes a waiting worker.
    virtual void Stop();
    bool FinishRequested() const { return FFinishRequested; }
    TNotifyEvent OnFinish;
    // Fired on the window thread once Execute has returned.
    TNotifyEvent OnThreadTerminate;

    // Cuts the thread off from its component: nothing it hands to the window
    // thread from now on reaches the component's events.
    void Detach() { FDetached = true; }
    bool Detached() const { return FDetached; }
    // True while the window thread runs one of the worker's events.
    bool InWindowThreadEvent() const { return FInEvent; }

    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority Value);
    void SetResult(int Value) { SetReturnValue(Value); }
    TObject* Sender() const { return FSender; }

    // Ends a thread that a component lets go: detached, stopped and freed; when
    // the window thread is inside one of its events right now (a handler that
    // frees its own component), it is freed once the worker has ended.
    static void Release(std::unique_ptr<TdkThread> Thread);

protected:
    void Execute() override {}
    // Cuts the thread off, stops it and waits for it: the first thing the
    // destructor of every class with members its Execute uses must do, before
    // those members go.
    void Finish();
    // Runs Fn on the window thread unless the thread has been cut off.
    void SynchronizeEvent(const std::function<void()>& Fn);
    // Called by Stop so a worker blocked in a wait sees the request.
    virtual void WakeUp() {}
    void ApplyPriority();

private:
    void Terminated_OnWindowThread();
    TObject* FSender;
    std::atomic<bool> FDetached{false};
    std::atomic<bool> FFinishRequested{false};
    std::atomic<TThreadPriority> FPriority{tpNormal};
    std::atomic<int> FThreadId{0};
    std::atomic<int> FBaseNice{0}; // the nice value the system thread started with
    bool FOrphaned = false;        // window thread only
    bool FInEvent = false;         // window thread only
};

// Runs OnExecute once: on the window thread when Synchronized, else on the worker.
class TdkEventThread : public TdkThread {
public:
    using TdkThread::TdkThread;
    ~TdkEventThread() override { Finish(); }
    std::atomic<bool> Synchronized{false};
    TNotifyEvent OnExecute; // set before Start
    // An exception out of OnExecute, handed to the window thread.
    std::function<void(const std::exception& E)> OnException;

protected:
    void Execute() override;
    void RunEvent();
};

// Runs OnExecute every Interval milliseconds until stopped; an interval change
// or a stop wakes the wait, which then starts again.
class TdkTimerThread : public TdkEventThread {
public:
    using TdkEventThread::TdkEventThread;
    ~TdkTimerThread() override { Finish(); }
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    // A paused timer waits without firing; resuming starts a fresh wait.
    bool Paused() const;
    void SetPaused(bool Value);

protected:
    void Execute() override;
    void WakeUp() override { Signal(); }

private:
    void Signal();
    mutable std::mutex FLock;
    std::condition_variable FChanged;
    bool FSignalled = false;
    bool FPaused = false;
    std::atomic<unsigned> FInterval{1000};
};
