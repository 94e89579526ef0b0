#pragma once
// A worker thread that can run methods on the window thread. A method handed to
// Synchronize travels as a request whose number is posted (message 0x8FFF) to
// the one hidden thread window of the process; the window thread runs it when
// the message arrives, while the worker waits. The window installs itself
// (SetSyncPoster); without one, Synchronize runs nothing.
//
// The first thread made on the window thread makes the thread window
// (threadwindow.h), so that a thread used on its own reaches the window thread
// too. The window is made once: after it (or a stand-in installed in its
// place) has gone, as at the end of the process, no thread brings it back.
//
// Suspend stops the system thread where it is (a signal parks it), as the
// platform's suspend does; only inside the thread's own short steps under the
// shared lock (a wait, a hand-off) is the stop put off to the step's end, so
// that a parked thread never holds what the window thread needs.
//
// Unlike a blocking send, a waiting worker gives up its request when it is told
// to terminate, so destroying a thread from the window thread never deadlocks;
// and a request whose message arrives after its thread is gone is ignored.

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <thread>

#include <pthread.h>
#include <sys/types.h>

#include "controls/numeric/vcsync.h"
#include "platform/rtl/classes.h"
#include "platform/rtl/threads.h"

// The system's priority value of a thread priority (-15 .. 15).
int ThreadPriorityValue(TThreadPriority Priority);

class TVcThread : public TObject, private TSuspendable {
public:
    explicit TVcThread(bool CreateSuspended);
    // Terminates the thread (resuming it when suspended) and waits for it.
    ~TVcThread() override;
    std::string ClassName() const override { return "TVcThread"; }

    // Also ends a suspension: a terminated thread runs to its end.
    void Terminate();
    bool Terminated() const;
    // Stops the thread until as many Resume calls have come; Resume clears
    // Suspended only when it ends the last suspension.
    void Suspend();
    void Resume();
    bool Suspended() const;
    // The system thread: its handle and its (kernel) thread id; 0 before it runs.
    pthread_t Handle() const;
    pid_t ThreadID() const;
    // When set, the object frees itself once the thread has ended (after
    // OnTerminate); nobody may touch it then.
    bool FreeOnTerminate() const;
    void SetFreeOnTerminate(bool Value);
    bool Finished() const;
    // Waits for the end of the thread; on the window thread it runs the
    // thread's synchronize requests meanwhile. Returns the exit code.
    int WaitFor();

    TThreadPriority Priority() const;
    // Applied to the system thread at once (or as it starts).
    void SetPriority(TThreadPriority Value);
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
    void ApplyPriority(); // under the lock
    void Park() override;

    // Guarded by the process-wide lock of the thread window.
    std::thread FThread;
    bool FTerminated = false;
    bool FFinished = false;
    bool FFreeOnTerminate = false;
    pid_t FThreadID = 0;
    int FBaseNice = 0; // the nice value the system thread started with
    pthread_t FHandle{};
    // Lock-free: read by the parking signal handler.
    std::atomic<int> FSuspendCount{0};
    bool FExited = false;    // the thread procedure has returned
    bool FFinishing = false; // DoTerminate waits for its request even when terminated
    uintptr_t FPending = 0;  // the request the thread waits for
    int FReturnValue = 0;
    TThreadPriority FPriority = tpNormal;
};
