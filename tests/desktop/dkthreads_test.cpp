#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "desktop/dkthreadcomp.h"
#include "desktop/dktimer.h"
#include "dktestenv.h"
#include "platform/rtl/dialogs.h"

TEST(DkThreadComponent, RunsOnTheWorkerUnlessSynchronized) {
    TComponent Owner(nullptr);
    auto* T = new TdkThreadComponent(&Owner);
    EXPECT_TRUE(T->Suspended());
    std::atomic<bool> OnWindowThread{true};
    std::atomic<int> Runs{0};
    bool Terminated = false;
    T->SetOnExecute([&](TObject* Sender) {
        EXPECT_EQ(Sender, T);
        OnWindowThread = TThread::IsMainThread();
        ++Runs;
    });
    T->OnTerminate = [&](TObject*) { Terminated = true; };
    T->Execute();
    ASSERT_TRUE(PumpUntil([&] { return Terminated; }));
    EXPECT_FALSE(OnWindowThread);
    EXPECT_EQ(Runs, 1);

    // Executing a finished component runs a new thread, now through the window thread.
    Terminated = false;
    T->SetSynchronized(true);
    T->Execute();
    ASSERT_TRUE(PumpUntil([&] { return Terminated; }));
    EXPECT_TRUE(OnWindowThread);
    EXPECT_EQ(Runs, 2);
}

TEST(DkThreadComponent, PriorityIsTheWorkersNiceValueCountedFromItsStart) {
    // The worker starts from the nice value of the thread that made it, here
    // one above the suite's own (which may run under nice), so that a count
    // from 0 shows.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)),
                std::min(CurrentThreadNice() + 2, 19));
    const int Base = CurrentThreadNice();
    TComponent Owner(nullptr);
    auto* T = new TdkThreadComponent(&Owner);
    T->SetPriority(tpLower);
    std::atomic<int> AtStart{100}, AfterChange{100};
    std::atomic<bool> Changed{false};
    T->SetOnExecute([&](TObject*) {
        AtStart = CurrentThreadNice();
        while (!Changed)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        AfterChange = CurrentThreadNice();
    });
    bool Terminated = false;
    T->OnTerminate = [&](TObject*) { Terminated = true; };
    T->Execute();
    ASSERT_TRUE(PumpUntil([&] { return AtStart != 100; }));
    T->SetPriority(tpLowest); // while it runs
    Changed = true;
    ASSERT_TRUE(PumpUntil([&] { return Terminated; }));
    EXPECT_EQ(AtStart, ThreadNiceValue(tpLower, Base));
    EXPECT_EQ(AfterChange, ThreadNiceValue(tpLowest, Base));
    EXPECT_EQ(CurrentThreadNice(), Base); // the window thread keeps its own
}

TEST(DkThreadComponent, LoadingAppliesSuspendedAfterwards) {
    TComponent Owner(nullptr);
    auto* T = new TdkThreadComponent(&Owner);
    std::atomic<int> Runs{0};
    T->SetOnExecute([&](TObject*) { ++Runs; });
    Owner.BeginLoading();
    T->SetSuspended(false);
    // A component that is not loading runs at once; by the time it did, the
    // loading one had the same chance.
    auto* Witness = new TdkThreadComponent(nullptr);
    std::atomic<int> WitnessRuns{0};
    Witness->SetOnExecute([&](TObject*) { ++WitnessRuns; });
    Witness->SetSuspended(false);
    ASSERT_TRUE(PumpUntil([&] { return WitnessRuns == 1; }));
    delete Witness;
    EXPECT_EQ(Runs, 0);
    Owner.EndLoading();
    EXPECT_TRUE(PumpUntil([&] { return Runs == 1; }));
}

TEST(DkThreadComponent, UnhandledExceptionIsShownWithTheComponentsName) {
    TScriptedDialogsScope Asked;
    TComponent Owner(nullptr);
    auto* T = new TdkThreadComponent(&Owner);
    T->SetName("Worker1");
    bool Terminated = false;
    T->SetOnExecute([](TObject*) { throw EConvertError("bad number"); });
    T->OnTerminate = [&](TObject*) { Terminated = true; };
    T->Execute();
    ASSERT_TRUE(PumpUntil([&] { return Terminated; }));
    ASSERT_EQ(Asked->Asked().size(), 1u);
    EXPECT_EQ(Asked->Asked()[0].Text,
              "Thread Worker1 raised exception class EConvertError with message \"bad number\".");

    std::string Seen;
    T->OnException = [&](TObject*, const std::exception& E) { Seen = E.what(); };
    Terminated = false;
    T->Execute();
    ASSERT_TRUE(PumpUntil([&] { return Terminated; }));
    EXPECT_EQ(Seen, "bad number");
    EXPECT_EQ(Asked->Asked().size(), 1u);
}

TEST(DkThreadComponent, FreedByItsOwnSynchronizedEvent) {
    auto* T = new TdkThreadComponent(nullptr);
    T->SetSynchronized(true);
    bool Ran = false;
    T->SetOnExecute([&](TObject* Sender) {
        Ran = true;
        delete Sender; // the component goes while its worker waits for this event
    });
    T->Execute();
    ASSERT_TRUE(PumpUntil([&] { return Ran; }));
    // The worker frees itself once it has seen the stop (the sanitizer tells
    // when it touches the component); the next thread's end comes after it.
    TdkThreadComponent Next(nullptr);
    bool Ended = false;
    Next.OnTerminate = [&](TObject*) { Ended = true; };
    Next.SetOnExecute([](TObject*) {});
    Next.Execute();
    EXPECT_TRUE(PumpUntil([&] { return Ended; }));
}

TEST(DkThreadComponent, FreedWhileItsWorkerRunsTheEvent) {
    auto T = std::make_unique<TdkThreadComponent>(nullptr);
    std::atomic<bool> Inside{false}, Done{false};
    std::atomic<bool> Freeing{false};
    T->SetOnExecute([&](TObject*) {
        Inside = true;
        // The event lasts until the window thread is freeing the component.
        while (!Freeing)
            std::this_thread::yield();
        Done = true;
    });
    T->Execute();
    ASSERT_TRUE(PumpUntil([&] { return Inside.load(); }));
    Freeing = true;
    T.reset(); // waits for the event to end before the component goes
    EXPECT_TRUE(Done);
}

TEST(DkThreadTimer, DisabledNeverFires) {
    TComponent Owner(nullptr);
    auto* T = new TdkThreadTimer(&Owner);
    std::atomic<int> Ticks{0};
    T->SetInterval(10);
    T->SetOnTimer([&](TObject*) { ++Ticks; });
    // A running timer of the same interval is the clock: when it ticked a few
    // times, the disabled one had as many chances.
    auto* Clock = new TdkThreadTimer(&Owner);
    std::atomic<int> Beats{0};
    Clock->SetInterval(10);
    Clock->SetOnTimer([&](TObject*) { ++Beats; });
    Clock->SetEnabled(true);
    const auto Wait = [&](int N) {
        const int Until = Beats + N;
        return PumpUntil([&] { return Beats >= Until; });
    };
    ASSERT_TRUE(Wait(5));
    EXPECT_EQ(Ticks, 0);
    EXPECT_FALSE(T->Enabled());
    T->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return Ticks >= 2; }));
    T->SetEnabled(false);
    const int Stopped = Ticks;
    ASSERT_TRUE(Wait(5));
    EXPECT_LE(Ticks, Stopped + 1); // at most the tick under way when it stopped
}

TEST(DkThreadTimer, IntervalChangeRestartsThePendingWait) {
    TComponent Owner(nullptr);
    auto* T = new TdkThreadTimer(&Owner);
    std::atomic<long long> FiredAt{-1};
    const auto Start = TClock::now();
    T->SetInterval(600);
    T->SetOnTimer([&](TObject*) {
        if (FiredAt < 0) FiredAt = MsSince(Start);
    });
    T->SetEnabled(true);
    // Changed while the first wait runs, the wait starts over: the first tick
    // comes a whole new interval after the change, whenever that was. A quick
    // timer's few ticks let the first wait begin.
    auto* Clock = new TdkThreadTimer(&Owner);
    std::atomic<int> Beats{0};
    Clock->SetInterval(10);
    Clock->SetOnTimer([&](TObject*) { ++Beats; });
    Clock->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return Beats >= 5; }));
    Clock->SetEnabled(false);
    const long long ChangedAt = MsSince(Start);
    T->SetInterval(700);
    ASSERT_TRUE(PumpUntil([&] { return FiredAt >= 0; }));
    if (ChangedAt < 600) {
        EXPECT_GE(FiredAt - ChangedAt, 690);
    }

    // A shorter interval takes effect at once, not after the long wait.
    auto* Long = new TdkThreadTimer(&Owner);
    std::atomic<long long> LongFired{-1};
    Long->SetInterval(60000);
    Long->SetOnTimer([&](TObject*) { LongFired = MsSince(Start); });
    Long->SetEnabled(true);
    Long->SetInterval(20);
    EXPECT_TRUE(PumpUntil([&] { return LongFired >= 0; }));
}

TEST(DkThreadTimer, SynchronizedTicksRunOnTheWindowThread) {
    TComponent Owner(nullptr);
    auto* T = new TdkThreadTimer(&Owner);
    std::atomic<int> OnWindow{0}, Off{0};
    T->SetInterval(5);
    T->SetSynchronized(true);
    T->SetOnTimer([&](TObject*) { (TThread::IsMainThread() ? OnWindow : Off)++; });
    T->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return OnWindow >= 3; }));
    EXPECT_EQ(Off, 0);
}

TEST(DkCustomTimer, TicksOnlyWithAHandler) {
    TComponent Owner(nullptr);
    auto* T = new TdkCustomTimer(&Owner);
    T->SetInterval(10);
    EXPECT_FALSE(T->TimerSet());
    int Ticks = 0;
    T->SetOnTimer([&](TObject*) { ++Ticks; });
    EXPECT_TRUE(T->TimerSet());
    EXPECT_TRUE(PumpUntil([&] { return Ticks >= 2; }));
    T->SetInterval(0);
    EXPECT_FALSE(T->TimerSet());
    T->SetInterval(10);
    T->SetEnabled(false);
    EXPECT_FALSE(T->TimerSet());
    const int Before = Ticks;
    // Another timer of the same interval is the clock.
    auto* Clock = new TdkCustomTimer(&Owner);
    int Beats = 0;
    Clock->SetInterval(10);
    Clock->SetOnTimer([&](TObject*) { ++Beats; });
    ASSERT_TRUE(PumpUntil([&] { return Beats >= 5; }));
    EXPECT_EQ(Ticks, Before);
}

TEST(DkColorPicker, ReadsAColourOrNoneOnEachTick) {
    TComponent Owner(nullptr);
    auto* P = new TdkColorPicker(&Owner);
    EXPECT_EQ(P->Interval(), 100u);
    int Ticks = 0;
    P->SetInterval(5);
    P->SetOnTimer([&](TObject*) { ++Ticks; });
    ASSERT_TRUE(PumpUntil([&] { return Ticks >= 1; }));
    const TColor C = P->Color();
    EXPECT_TRUE(C == clNone || (C & 0xFF000000) == 0);
}

TEST(DkThreadComponent, TerminateFinishesAndResetKeepsPriorityAndOnTerminate) {
    TComponent Owner(nullptr);
    auto* T = new TdkThreadComponent(&Owner);
    EXPECT_EQ(T->Priority(), tpNormal);
    EXPECT_EQ(T->ReturnValue(), 0);
    T->SetPriority(tpLower);
    T->SetReturnValue(7);
    EXPECT_EQ(T->ReturnValue(), 7);
    int Finished = 0;
    T->OnFinish = [&](TObject* Sender) {
        EXPECT_TRUE(TThread::IsMainThread());
        EXPECT_EQ(Sender, T);
        ++Finished;
    };
    T->Terminate();
    EXPECT_EQ(Finished, 1);
    T->Terminate(); // asked once, finished once
    EXPECT_EQ(Finished, 1);

    // A fresh thread that has not run: not asked to finish, not started, and
    // with the priority of the one it replaces. Its address tells nothing, as
    // the allocator may hand the freed one back.
    ASSERT_TRUE(T->Thread()->FinishRequested());
    T->Reset();
    ASSERT_NE(T->Thread(), nullptr);
    EXPECT_FALSE(T->Thread()->FinishRequested());
    EXPECT_FALSE(T->Thread()->Terminated());
    EXPECT_FALSE(T->Thread()->Finished());
    EXPECT_EQ(T->Thread()->Priority(), tpLower);
    EXPECT_TRUE(T->Suspended());
    bool Terminated = false;
    T->OnTerminate = [&](TObject*) { Terminated = true; };
    T->SetOnExecute([](TObject*) {});
    T->Execute();
    EXPECT_TRUE(PumpUntil([&] { return Terminated; }));
}
