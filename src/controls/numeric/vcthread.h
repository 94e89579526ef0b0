#pragma once
// A worker thread that can run methods on the window thread. A method handed to
// Synchronize travels as a request whose number is posted (message 0x8FFF) to
// the one hidden thread window of the process; the window thread runs it when
// the message arrives, while the worker waits. The window is installed by the
// visual layer's side (SetSyncPoster); without one, Synchronize runs nothing.
//
// Unlike a blocking send, a waiting worker gives up its request when it is told
// to terminate, so destroying a thread from the window thread never deadlocks;
// and a request whose message arrives after its thread is gone is ignored.

#include <cstdint>
#include <exception>
#include <functional>
#include <thread>

#include "platform/rtl/classes.h"

constexpr unsigned CM_VCSYNCHRONIZE = 0x8FFF;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The system's priority value of a thread priority (-15 .. 15).
int ThreadPriorityValue(TThreadPriority Priority);

// Posts message 0x8FFF with the request number to the thread window; false when
// it cannot be delivered.
using TSyncPoster = std::function<bool(uintptr_t Request)>;

// Installs the poster and takes the calling thread as the window thread.
void SetSyncPoster(TSyncPoster Poster);
bool HasSyncPoster();
// The window's handler of message 0x8FFF: runs the request if it is still
// waiting (each request runs once), on the calling (window) thread.
void RunSyncRequest(uintptr_t Request);
bool IsWindowThread();

class TVcThread : public TObject {
public:
    explicit TVcThread(bool CreateSuspended);
    // Terminates the thread and waits for it.
    ~TVcThread() override;
    std::string ClassName() const override { return "TVcThread"; }

    void Terminate();
    bool Terminated() const;
    // The thread pauses at its next wait until it is resumed.
    void Suspend();
    void Resume();
    bool Suspended() const;
    bool Finished() const;
    // Waits for the end of the thread; on the window thread it runs the
    // thread's synchronize requests meanwhile. Returns the exit code.
    int WaitFor();

    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority Value) { FPriority = Value; }
    int ReturnValue() const { return FReturnValue; }

    TNotifyEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    // Fires OnTerminate on the window thread when assigned.
    virtual void DoTerminate();
    // Runs Method on the window thread and waits for it; an exception it raised
    // is raised again here. Returns false when the method did not run (the
    // thread was terminated meanwhile, or there is no thread window).
    bool Synchronize(std::function<void()> Method);
    // Sleeps Ms milliseconds; false when woken early by Terminate.
    bool SleepFor(unsigned Ms);
    // Waits while the thread is suspended; false when terminated meanwhile.
    bool WaitWhileSuspended();
    void SetReturnValue(int Value) { FReturnValue = Value; }

    // Starts the system thread; a derived class calls it at the end of its
    // constructor, so that Execute never runs on a half-made object.
    void Start();

private:
    void ThreadProc();

    // Guarded by the process-wide lock of the thread window.
    std::thread FThread;
    bool FTerminated = false;
    bool FSuspended = false;
    bool FFinished = false;
    bool FExited = false;    // the thread procedure has returned
    bool FFinishing = false; // DoTerminate waits for its request even when terminated
    uintptr_t FPending = 0;  // the request the thread waits for
    int FReturnValue = 0;
    TThreadPriority FPriority = tpNormal;
};
