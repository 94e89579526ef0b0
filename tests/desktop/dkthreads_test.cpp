#include <gtest/gtest.h>

#include <atomic>
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

TEST(DkThreadComponent, LoadingAppliesSuspendedAfterwards) {
    TComponent Owner(nullptr);
    auto* T = new TdkThreadComponent(&Owner);
    std::atomic<int> Runs{0};
    T->SetOnExecute([&](TObject*) { ++Runs; });
    Owner.BeginLoading();
    T->SetSuspended(false);
    PumpFor(50);
    EXPECT_EQ(Runs, 0);
    Owner.EndLoading();
    EXPECT_TRUE(PumpUntil([&] { return Runs == 1; }));
}

TEST(DkThreadComponent, UnhandledExceptionIsShownWithTheComponentsName) {
    auto Dialogs = std::make_unique<TScriptedDialogs>();
    TScriptedDialogs* Asked = Dialogs.get();
    TDialogServiceScope Scope(std::move(Dialogs));
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
    // The worker frees itself once it has seen the stop; let it.
    PumpFor(100);
}

TEST(DkThreadComponent, FreedWhileItsWorkerRunsTheEvent) {
    auto T = std::make_unique<TdkThreadComponent>(nullptr);
    std::atomic<bool> Inside{false}, Done{false};
    T->SetOnExecute([&](TObject*) {
        Inside = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Done = true;
    });
    T->Execute();
    ASSERT_TRUE(PumpUntil([&] { return Inside.load(); }));
    T.reset(); // waits for the event to end before the component goes
    EXPECT_TRUE(Done);
}

TEST(DkThreadTimer, DisabledNeverFires) {
    TComponent Owner(nullptr);
    auto* T = new TdkThreadTimer(&Owner);
    std::atomic<int> Ticks{0};
    T->SetInterval(10);
    T->SetOnTimer([&](TObject*) { ++Ticks; });
    PumpFor(80);
    EXPECT_EQ(Ticks, 0);
    EXPECT_FALSE(T->Enabled());
    T->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return Ticks >= 2; }));
    T->SetEnabled(false);
    PumpFor(30);
    const int Stopped = Ticks;
    PumpFor(80);
    EXPECT_EQ(Ticks, Stopped);
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
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const long long ChangedAt = MsSince(Start);
    T->SetInterval(700); // the first wait started over: no tick at 600
    ASSERT_TRUE(PumpUntil([&] { return FiredAt >= 0; }, 10000));
    EXPECT_GE(FiredAt - ChangedAt, 690);

    // A shorter interval takes effect at once, not after the long wait.
    auto* Long = new TdkThreadTimer(&Owner);
    std::atomic<long long> LongFired{-1};
    Long->SetInterval(60000);
    Long->SetOnTimer([&](TObject*) { LongFired = MsSince(Start); });
    Long->SetEnabled(true);
    Long->SetInterval(20);
    EXPECT_TRUE(PumpUntil([&] { return LongFired >= 0; }, 10000));
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
    PumpFor(50);
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
