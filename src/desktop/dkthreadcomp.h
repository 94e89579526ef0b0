#pragma once
// Worker threads as components: a thread that runs OnExecute once, and a timer
// whose ticks come from a worker thread.

#include <memory>
#include <string>

#include "desktop/dkclasses.h"
#include "desktop/dkthreads.h"

using TdkThreadExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TdkCustomThreadComponent : public TdkComponent {
public:
    explicit TdkCustomThreadComponent(TComponent* AOwner);
    ~TdkCustomThreadComponent() override;
    std::string ClassName() const override { return "TdkCustomThreadComponent"; }

    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority Value);
    int ReturnValue() const;
    void SetReturnValue(int Value);
    bool Suspended() const;
    void SetSuspended(bool Value);
    bool Synchronized() const { return FSynchronized; }
    void SetSynchronized(bool Value);
    const TNotifyEvent& OnExecute() const { return FOnExecute; }
    void SetOnExecute(TNotifyEvent Value);
    TdkThreadExceptionEvent OnException;
    TNotifyEvent OnTerminate; // on the window thread, once OnExecute has returned
    TNotifyEvent OnFinish;    // on the window thread, at the terminate request

    // Starts the thread (a finished one is first replaced by a new one).
    void Execute();
    void Terminate();
    // Runs Method on the window thread (at once when called there).
    void Synchronize(const TThreadMethod& Method);
    // Replaces the thread by a new suspended one with the same priority and
    // OnTerminate; the old one is asked to end and is waited for.
    void Reset();
    // OnException when assigned, else a message box on top of everything.
    void HandleException(const std::exception& E);
    // The running thread (run time only).
    TdkEventThread* Thread() const { return FThread.get(); }

protected:
    void Loaded() override;

private:
    void CreateThread();
    std::unique_ptr<TdkEventThread> FThread;
    TThreadPriority FPriority = tpNormal;
    int FReturnValue = 0;
    bool FSuspended = true;
    bool FSynchronized = false;
    TNotifyEvent FOnExecute;
};

class TdkThreadComponent : public TdkCustomThreadComponent {
public:
    using TdkCustomThreadComponent::TdkCustomThreadComponent;
    std::string ClassName() const override { return "TdkThreadComponent"; }
};

class TdkCustomThreadTimer : public TdkComponent {
public:
    explicit TdkCustomThreadTimer(TComponent* AOwner);
    ~TdkCustomThreadTimer() override;
    std::string ClassName() const override { return "TdkCustomThreadTimer"; }

    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority Value);
    bool Synchronized() const { return FSynchronized; }
    void SetSynchronized(bool Value);
    // The opposite of the thread's suspended state.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Value);
    TdkTimerThread* Thread() const { return FThread.get(); }

protected:
    void Loaded() override;

private:
    void UpdateThread();
    std::unique_ptr<TdkTimerThread> FThread;
    unsigned FInterval = 1000;
    TThreadPriority FPriority = tpNormal;
    bool FSynchronized = false;
    bool FEnabled = false;
    std::mutex FEventLock; // the handler is read by the worker
    TNotifyEvent FOnTimer;
};

class TdkThreadTimer : public TdkCustomThreadTimer {
public:
    using TdkCustomThreadTimer::TdkCustomThreadTimer;
    std::string ClassName() const override { return "TdkThreadTimer"; }
};
