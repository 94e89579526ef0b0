#include "controls/numeric/vcthread.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "fakethreadwindow.h"

namespace {

// Runs a given body on the worker.
class BodyThread : public TVcThread {
public:
    explicit BodyThread(std::function<void(BodyThread&)> Body, bool Suspended = false)
        : TVcThread(true), FBody(std::move(Body)) {
        if (!Suspended) Resume();
        Start();
    }
    ~BodyThread() override {
        Terminate();
        WaitFor();
    }
    using TVcThread::SetReturnValue;
    using TVcThread::SleepFor;
    using TVcThread::Synchronize;

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(BodyThread&)> FBody;
};

} // namespace

TEST(VcThread, PriorityTable) {
    EXPECT_EQ(ThreadPriorityValue(tpIdle), -15);
    EXPECT_EQ(ThreadPriorityValue(tpLowest), -2);
    EXPECT_EQ(ThreadPriorityValue(tpNormal), 0);
    EXPECT_EQ(ThreadPriorityValue(tpHighest), 2);
    EXPECT_EQ(ThreadPriorityValue(tpTimeCritical), 15);
}

TEST(VcThread, SynchronizeRunsOnTheWindowThread) {
    FakeThreadWindow window;
    const std::thread::id me = std::this_thread::get_id();
    std::atomic<int> runs{0};
    std::thread::id ranOn;
    std::atomic<bool> returned{false};
    BodyThread t([&](BodyThread& self) {
        for (int i = 0; i < 3; ++i)
            self.Synchronize([&] {
                ranOn = std::this_thread::get_id();
                ++runs;
            });
        self.SetReturnValue(7);
        returned = true;
    });
    ASSERT_TRUE(window.PumpUntil([&] { return runs == 3; }));
    EXPECT_EQ(ranOn, me);
    EXPECT_EQ(t.WaitFor(), 7);
    EXPECT_TRUE(returned);
    EXPECT_TRUE(t.Finished());
}

TEST(VcThread, ExceptionOfTheMethodIsRaisedInTheThread) {
    FakeThreadWindow window;
    std::atomic<bool> caught{false};
    std::atomic<bool> done{false};
    BodyThread t([&](BodyThread& self) {
        try {
            self.Synchronize([] { throw std::runtime_error("boom"); });
        } catch (const std::runtime_error&) {
            caught = true;
        }
        done = true;
    });
    ASSERT_TRUE(window.PumpUntil([&] { return done.load(); }));
    t.WaitFor();
    EXPECT_TRUE(caught);
}

TEST(VcThread, TerminatedThreadGivesUpItsRequest) {
    FakeThreadWindow window;
    std::atomic<bool> ran{false};
    std::atomic<int> result{-1};
    {
        BodyThread t([&](BodyThread& self) { result = self.Synchronize([&] { ran = true; }); });
        ASSERT_TRUE(window.WaitPosted(1));
        // Destroyed on the window thread while the worker waits for it: no
        // deadlock, and the request is dropped.
    }
    window.Drain();
    EXPECT_FALSE(ran);
    EXPECT_EQ(result, 0);
}

TEST(VcThread, WaitForOnTheWindowThreadServesRequests) {
    FakeThreadWindow window;
    std::atomic<int> runs{0};
    BodyThread t([&](BodyThread& self) {
        for (int i = 0; i < 5; ++i)
            self.Synchronize([&] { ++runs; });
    });
    t.WaitFor(); // nobody pumps: WaitFor itself must serve the requests
    EXPECT_EQ(runs, 5);
}

TEST(VcThread, OnTerminateFiresOnTheWindowThread) {
    FakeThreadWindow window;
    std::thread::id firedOn;
    TObject* sender = nullptr;
    BodyThread t([](BodyThread&) {}, true);
    t.OnTerminate = [&](TObject* s) {
        firedOn = std::this_thread::get_id();
        sender = s;
    };
    t.Resume();
    t.WaitFor();
    EXPECT_EQ(firedOn, std::this_thread::get_id());
    EXPECT_EQ(sender, &t);
}

TEST(VcThread, TerminatedBeforeItRunsNeverExecutes) {
    std::atomic<bool> ran{false};
    BodyThread t([&](BodyThread&) { ran = true; }, true);
    t.Terminate();
    t.Resume();
    t.WaitFor();
    EXPECT_FALSE(ran);
    EXPECT_TRUE(t.Finished());
}

TEST(VcThread, WithoutAThreadWindowNothingIsSynchronized) {
    SetSyncPoster(nullptr);
    std::atomic<int> result{-1};
    BodyThread t([&](BodyThread& self) { result = self.Synchronize([] {}); });
    t.WaitFor();
    EXPECT_EQ(result, 0);
}

TEST(VcThread, SleepEndsEarlyOnTerminate) {
    std::atomic<int> slept{-1};
    std::atomic<bool> started{false};
    BodyThread t([&](BodyThread& self) {
        started = true;
        slept = self.SleepFor(3600 * 1000);
    });
    while (!started)
        std::this_thread::yield();
    t.Terminate();
    t.WaitFor();
    EXPECT_EQ(slept, 0);
}

TEST(VcThread, SynchronizeOnTheWindowThreadRunsAtOnce) {
    FakeThreadWindow window;
    struct Direct : BodyThread {
        using BodyThread::BodyThread;
        bool Call(std::function<void()> m) { return Synchronize(std::move(m)); }
    };
    Direct t([](BodyThread&) {}, true);
    bool ran = false;
    EXPECT_TRUE(t.Call([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

namespace {

// The system call a thread of this process is blocked in (-1: none or unknown).
long BlockedSyscall(pid_t Tid) {
    FILE* f = std::fopen(("/proc/self/task/" + std::to_string(Tid) + "/syscall").c_str(), "r");
    if (!f) return -1;
    long nr = -1;
    if (std::fscanf(f, "%ld", &nr) != 1) nr = -1;
    std::fclose(f);
    return nr;
}

template <class F> bool WaitFor20s(F Done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

TEST(VcThread, IdlePriorityGivesTheThreadTheHighestNiceValue) {
    // The suite may itself run under nice: a new thread starts with the nice
    // value of the thread that made it, whatever that is.
    errno = 0;
    const int Started = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
    ASSERT_EQ(errno, 0);
    BodyThread t([](BodyThread& self) { self.SleepFor(3600 * 1000); });
    ASSERT_NE(t.ThreadID(), 0);
    errno = 0;
    EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(t.ThreadID())), Started);
    t.SetPriority(tpIdle);
    EXPECT_EQ(t.Priority(), tpIdle);
    errno = 0;
    EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(t.ThreadID())), 19);
    EXPECT_EQ(errno, 0);
    // Only that thread: the window thread keeps its own.
    EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid))), Started);
}

TEST(VcThread, HandleAndThreadIdAreTheSystemThreads) {
    std::atomic<pid_t> tid{0};
    pthread_t self{};
    std::atomic<bool> known{false};
    BodyThread t([&](BodyThread&) {
        self = pthread_self();
        tid = static_cast<pid_t>(syscall(SYS_gettid));
        known = true;
    });
    t.WaitFor();
    ASSERT_TRUE(known);
    EXPECT_EQ(t.ThreadID(), tid.load());
    EXPECT_TRUE(pthread_equal(t.Handle(), self));
}

TEST(VcThread, SuspendStopsABusyThreadWhereItIs) {
    std::atomic<long> count{0};
    std::atomic<bool> stop{false};
    BodyThread t([&](BodyThread&) {
        while (!stop)
            count.fetch_add(1);
    });
    ASSERT_TRUE(WaitFor20s([&] { return count > 0; }));
    t.Suspend();
    EXPECT_TRUE(t.Suspended());
    // Parked in the kernel while it waits to be resumed; no wait of its own.
    ASSERT_TRUE(WaitFor20s([&] { return BlockedSyscall(t.ThreadID()) == SYS_rt_sigsuspend; }));
    const long parked = count;
    t.Suspend(); // twice suspended: one resume is not enough
    t.Resume();
    EXPECT_TRUE(t.Suspended());
    EXPECT_EQ(count, parked);
    t.Resume();
    EXPECT_FALSE(t.Suspended());
    EXPECT_TRUE(WaitFor20s([&] { return count > parked; }));
    stop = true;
    t.WaitFor();
}

TEST(VcThread, SuspendedThreadIsLetGoWhenDestroyed) {
    std::atomic<bool> stop{false}, started{false}, ended{false};
    auto t = std::make_unique<BodyThread>([&](BodyThread& self) {
        started = true;
        while (!stop && !self.Terminated()) {
        }
        ended = true;
    });
    // Parked inside its body: a thread terminated before its body began
    // never runs it.
    ASSERT_TRUE(WaitFor20s([&] { return started.load(); }));
    t->Suspend();
    ASSERT_TRUE(WaitFor20s([&] { return BlockedSyscall(t->ThreadID()) == SYS_rt_sigsuspend; }));
    t.reset(); // terminated and resumed, then waited for: no hang
    // Parked before its body it never runs it; parked inside, it runs it out
    // rather than being cut off there.
    EXPECT_EQ(started.load(), ended.load());
}

TEST(VcThread, FreeOnTerminateFreesTheThreadItself) {
    FakeThreadWindow window;
    static std::atomic<bool> freed;
    freed = false; // a repeated run starts afresh
    struct Self : TVcThread {
        Self() : TVcThread(true) {
            SetFreeOnTerminate(true);
            Start();
        }
        ~Self() override { freed = true; }
        void Execute() override {}
    };
    std::atomic<bool> ended{false};
    auto* t = new Self; // frees itself
    EXPECT_TRUE(t->FreeOnTerminate());
    t->OnTerminate = [&](TObject*) { ended = true; };
    t->Resume();
    EXPECT_TRUE(window.PumpUntil([&] { return freed.load(); }));
    EXPECT_TRUE(ended);
}
