#include "controls/numeric/vcflash.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakethreadwindow.h"
#include "platform/rtl/dialogs.h"

namespace {

struct Delivery {
    void* Client;
    uint32_t WParam;
    intptr_t LParam;
};

// The flash unit with fake clocks and a recording delivery; the timer is freed
// and every client removed afterwards.
class FlashTimerTest : public ::testing::Test {
protected:
    uint32_t Now = 1000;
    int64_t Wall = 0;
    std::vector<Delivery> Log;
    std::function<void(void*)> OnDeliver;
    int A = 0, B = 0;

    void SetUp() override {
        SetFlashClocks([this] { return Now; }, [this] { return Wall; });
        SetFlashDeliver([this](void* c, uint32_t w, intptr_t l) {
            Log.push_back({c, w, l});
            if (OnDeliver) OnDeliver(c);
        });
    }
    void TearDown() override {
        RemoveFlashClientPtr(&A);
        RemoveFlashClientPtr(&B);
        FreeFlashTimer();
        SetFlashDeliver(nullptr);
        SetFlashClocks(nullptr, nullptr);
    }
};

} // namespace

TEST_F(FlashTimerTest, RegisteringMakesTheTimer) {
    FakeThreadWindow window;
    EXPECT_EQ(FlashTimerInstance(), nullptr);
    AddFlashClientPtr(nullptr, 100);
    EXPECT_EQ(FlashTimerInstance(), nullptr);
    AddFlashClientPtr(&A, 100);
    ASSERT_NE(FlashTimerInstance(), nullptr);
    EXPECT_TRUE(FlashTimerInstance()->Ticking());
    EXPECT_TRUE(FlashTimerInstance()->Enabled());
    AddFlashClientPtr(&A, 200);
    EXPECT_EQ(FlashClientCount(), 1);
    RemoveFlashClientPtr(&A);
    EXPECT_EQ(FlashClientCount(), 0);
    EXPECT_FALSE(FlashTimerInstance()->Enabled()); // rests while nobody listens
}

TEST_F(FlashTimerTest, TickTellsTheDueClients) {
    FakeThreadWindow window;
    AddFlashClientPtr(&A, 100);
    AddFlashClientPtr(&B, 300);
    Now = 1100;
    const uint32_t ticks = FlashTickCount();
    FlashTick();
    EXPECT_EQ(FlashTickCount(), ticks + 1);
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].Client, &A);
    EXPECT_EQ(Log[0].WParam, FlashTickCount());
    Now = 1300;
    FlashTick();
    EXPECT_EQ(Log.size(), 3u);
}

TEST_F(FlashTimerTest, ControlFreedByAnotherControlsHandlerIsNotTold) {
    FakeThreadWindow window;
    AddFlashClientPtr(&A, 100);
    AddFlashClientPtr(&B, 100);
    OnDeliver = [this](void* c) {
        if (c == &A) RemoveFlashClientPtr(&B);
    };
    Now = 1100;
    FlashTick();
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].Client, &A);
}

TEST_F(FlashTimerTest, FreeingTheTimerDuringItsTickWaitsForTheTickToEnd) {
    FakeThreadWindow window;
    AddFlashClientPtr(&A, 100);
    AddFlashClientPtr(&B, 100);
    OnDeliver = [](void*) { FreeFlashTimer(); };
    Now = 1100;
    FlashTick();
    EXPECT_EQ(Log.size(), 2u);
    EXPECT_EQ(FlashTimerInstance(), nullptr);
}

TEST_F(FlashTimerTest, TheThreadRunsTicksOnTheWindowThread) {
    FakeThreadWindow window;
    SetFlashClocks(nullptr, nullptr); // real time: the worker really sleeps
    const std::thread::id me = std::this_thread::get_id();
    std::thread::id seenOn;
    OnDeliver = [&](void*) { seenOn = std::this_thread::get_id(); };
    AddFlashClientPtr(&A, 0); // due at every tick
    ASSERT_TRUE(window.PumpUntil([&] { return Log.size() >= 3; }));
    EXPECT_EQ(seenOn, me);
    EXPECT_EQ(Log[1].WParam, Log[0].WParam + 1);
    RemoveFlashClientPtr(&A);
    FreeFlashTimer(); // the worker may be waiting for a tick: it gives up
    window.Drain();   // a late message finds nothing to run
    EXPECT_EQ(FlashTimerInstance(), nullptr);
}

TEST_F(FlashTimerTest, SecondTimerReportsAndNeverTicks) {
    FakeThreadWindow window;
    TScriptedDialogsScope asked;
    AddFlashClientPtr(&A, 100);
    TVcFlashTimer second(nullptr);
    EXPECT_FALSE(second.Ticking());
    ASSERT_EQ(asked->Asked().size(), 1u);
    EXPECT_EQ(asked->Asked()[0].Text, "Only one TVcFlashTimer per Application!\rRemove it...");
    EXPECT_EQ(asked->Asked()[0].DlgType, mtError);
    EXPECT_EQ(asked->Asked()[0].Buttons, mbOKOnly);
    EXPECT_EQ(asked->Asked()[0].Caption, "Error Message");
}

TEST_F(FlashTimerTest, ClosingProgramEndsTheThreadAndTheLastClientTakesTheTimer) {
    FakeThreadWindow window;
    SetFlashClocks(nullptr, nullptr); // real time: the worker really sleeps
    bool closing = false;             // read on this (the window) thread only
    SetFlashClosing([&closing] { return closing; });
    AddFlashClientPtr(&A, 0);
    AddFlashClientPtr(&B, 0);
    ASSERT_TRUE(window.PumpUntil([&] { return !Log.empty(); }));
    closing = true;
    const TTimerThread* thread = FlashTimerInstance()->TimerThread();
    ASSERT_TRUE(window.PumpUntil([&] { return thread->Finished(); }));
    RemoveFlashClientPtr(&A);
    EXPECT_NE(FlashTimerInstance(), nullptr);
    RemoveFlashClientPtr(&B);
    EXPECT_EQ(FlashTimerInstance(), nullptr);
    SetFlashClosing(nullptr);
}

TEST(VcFlash, PropertiesStartAsDocumented) {
    FakeThreadWindow window;
    TVcFlash f(nullptr);
    EXPECT_TRUE(f.Enabled());
    EXPECT_EQ(f.ThreadPriority(), tpNormal);
    f.SetEnabled(false);
    f.SetThreadPriority(tpHigher);
    EXPECT_EQ(f.ThreadPriority(), tpHigher);
    f.Timer(); // no OnTimer: nothing happens
}
