#include "dkthreads.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>

TdkThread::TdkThread(TObject* ASender) : TThread(true), FSender(ASender) {
    // Set once, before the worker exists; the worker reads it when Execute ends.
    OnTerminate = [this] { Terminated_OnWindowThread(); };
}

TdkThread::~TdkThread() {
    Finish();
}

void TdkThread::Finish() {
    Detach();
    Stop();
    WaitFor();
}

void TdkThread::Terminated_OnWindowThread() {
    if (FOrphaned) {
        delete this; // nothing of the thread is touched after this
        return;
    }
    if (!FDetached && OnThreadTerminate) OnThreadTerminate(FSender);
}

void TdkThread::Stop() {
    Terminate();
    const bool First = !FFinishRequested.exchange(true);
    WakeUp();
    if (First && OnFinish) SynchronizeEvent([this] { OnFinish(FSender); });
}

void TdkThread::SynchronizeEvent(const std::function<void()>& Fn) {
    if (FDetached) return;
    Synchronize([this, &Fn] {
        if (FDetached) return;
        // Known to Release: the window thread is inside this event now.
        struct TInEvent {
            bool& Flag;
            explicit TInEvent(bool& F) : Flag(F) { Flag = true; }
            ~TInEvent() { Flag = false; }
        } Guard(FInEvent);
        Fn();
    });
}

void TdkThread::SetPriority(TThreadPriority Value) {
    FPriority = Value;
    if (FThreadId != 0) ApplyPriority();
}

void TdkThread::ApplyPriority() {
    if (FThreadId == 0) { // on the worker, as it starts
        FBaseNice = CurrentThreadNice();
        FThreadId = static_cast<int>(syscall(SYS_gettid));
    }
    // Raising the priority needs a privilege most users lack; the thread then
    // keeps running at the priority it has.
    setpriority(PRIO_PROCESS, static_cast<id_t>(FThreadId.load()),
                ThreadNiceValue(FPriority.load(), FBaseNice.load()));
}

void TdkThread::Release(std::unique_ptr<TdkThread> Thread) {
    if (!Thread) return;
    Thread->Detach();
    Thread->Stop();
    if (IsMainThread() && Thread->FInEvent) {
        // The window thread is inside this worker's event: joining here would
        // wait for ourselves. The worker, released when the event returns,
        // sees the stop request and frees itself from its end-of-run hand-off.
        Thread.release()->FOrphaned = true;
        return;
    }
    Thread.reset();
}

void TdkEventThread::Execute() {
    ApplyPriority();
    if (!Terminated()) RunEvent();
}

void TdkEventThread::RunEvent() {
    if (Detached() || !OnExecute) return;
    try {
        if (Synchronized)
            SynchronizeEvent([this] { OnExecute(Sender()); });
        else
            OnExecute(Sender());
    } catch (const std::exception& E) {
        if (OnException) SynchronizeEvent([&] { OnException(E); });
    }
}

void TdkTimerThread::SetInterval(unsigned Value) {
    if (FInterval.exchange(Value) != Value) Signal();
}

bool TdkTimerThread::Paused() const {
    std::lock_guard<std::mutex> Guard(FLock);
    return FPaused;
}

void TdkTimerThread::SetPaused(bool Value) {
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FPaused = Value;
        FSignalled = true;
    }
    FChanged.notify_all();
}

void TdkTimerThread::Signal() {
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FSignalled = true;
    }
    FChanged.notify_all();
}

void TdkTimerThread::Execute() {
    ApplyPriority();
    std::unique_lock<std::mutex> Lock(FLock);
    while (!Terminated()) {
        if (FPaused) {
            FChanged.wait(Lock, [this] { return !FPaused || Terminated(); });
            FSignalled = false;
            continue;
        }
        const auto Wait = std::chrono::milliseconds(FInterval.load());
        if (FChanged.wait_for(Lock, Wait, [this] { return FSignalled || Terminated(); })) {
            FSignalled = false; // a new interval, a pause or a stop: wait again
            continue;
        }
        Lock.unlock();
        RunEvent();
        Lock.lock();
    }
}
