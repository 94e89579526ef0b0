#include "controls/numeric/vcthread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

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
