#include "controls/numeric/flashschedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Delivery {
    void* Client;
    uint32_t WParam;
    intptr_t LParam;
};

// Runs the schedule with a fake clock: one tick every Step ms.
class FlashScheduleTest : public ::testing::Test {
protected:
    TFlashSchedule Schedule{0};
    std::vector<Delivery> Log;
    int A = 0, B = 0, C = 0;

    void TickAt(uint32_t now, int64_t wall = 0) {
        Schedule.Tick(now, wall, [this](void* c, uint32_t w, intptr_t l) {
            Log.push_back({c, w, l});
        });
    }
    int CountFor(void* c) const {
        int n = 0;
        for (const Delivery& d : Log)
            n += d.Client == c;
        return n;
    }
};

} // namespace

TEST_F(FlashScheduleTest, RegisteringTwiceUpdatesTheIntervalAndRestartsThePeriod) {
    Schedule.Add(&A, 100, 1000);
    Schedule.Add(&A, 200, 1050);
    EXPECT_EQ(Schedule.Count(), 1);
    TickAt(1150);
    EXPECT_TRUE(Log.empty());
    TickAt(1250);
    ASSERT_EQ(Log.size(), 1u);
}

TEST_F(FlashScheduleTest, NilClientIsIgnoredAndRemoveForgetsTheClient) {
    Schedule.Add(nullptr, 100, 0);
    EXPECT_EQ(Schedule.Count(), 0);
    Schedule.Add(&A, 100, 0);
    Schedule.Add(&B, 100, 0);
    Schedule.Remove(&A);
    EXPECT_FALSE(Schedule.Contains(&A));
    EXPECT_TRUE(Schedule.Contains(&B));
    Schedule.Remove(&A); // not there: nothing happens
    EXPECT_EQ(Schedule.Count(), 1);
}

TEST_F(FlashScheduleTest, CapacityGrowsInStepsOfTen) {
    Schedule.Add(&A, 100, 0);
    EXPECT_GE(Schedule.Capacity(), 10u);
}

TEST_F(FlashScheduleTest, PeriodFirstDueAfterTheInterval) {
    const uint32_t T = 5000;
    Schedule.Add(&A, 100, T);
    for (uint32_t t = T + 16; t < T + 100; t += 16)
        TickAt(t);
    EXPECT_TRUE(Log.empty());
    TickAt(T + 100);
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].LParam, 0);
}

TEST_F(FlashScheduleTest, LateTickShortensTheNextPeriod) {
    const uint32_t T = 5000;
    Schedule.Add(&A, 100, T);
    TickAt(T + 130); // 30 ms late
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].LParam, 30);
    TickAt(T + 130 + 69);
    EXPECT_EQ(Log.size(), 1u);
    TickAt(T + 130 + 70);
    EXPECT_EQ(Log.size(), 2u);
    EXPECT_EQ(Log[1].LParam, 0);
}

TEST_F(FlashScheduleTest, VeryLateTickStartsAFreshPeriod) {
    Schedule.Add(&A, 100, 0);
    TickAt(5000);
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].LParam, 0);
    TickAt(5099);
    EXPECT_EQ(Log.size(), 1u);
    TickAt(5100);
    EXPECT_EQ(Log.size(), 2u);
}

TEST_F(FlashScheduleTest, PeriodKeepsItsCadenceAcrossTheCounterWrap) {
    // Registered 200 ms before the millisecond counter wraps to 0.
    const uint32_t T = 0xFFFFFFFFu - 199;
    Schedule.Add(&A, 100, T);
    std::vector<uint32_t> fired;
    uint32_t now = T;
    for (int i = 0; i < 50; ++i) { // 800 ms in 16 ms ticks
        now += 16;
        const size_t before = Log.size();
        TickAt(now);
        if (Log.size() != before) fired.push_back(now - T); // unsigned: elapsed across the wrap
    }
    // Every 100 ms exactly as the 16 ms ticks allow, no burst before the wrap
    // and no silence after it.
    const std::vector<uint32_t> expected = {112, 208, 304, 400, 512, 608, 704, 800};
    EXPECT_EQ(fired, expected);
}

TEST_F(FlashScheduleTest, TickCounterWrapsToZero) {
    Schedule.SetTickCount(0xFFFFFFFFu);
    Schedule.Add(&A, 2, 0);
    TickAt(16);
    EXPECT_EQ(Schedule.TickCount(), 0u);
}

TEST_F(FlashScheduleTest, BlinkCodeThreeEveryEightTicksAlternating) {
    Schedule.Add(&A, 3, 0);
    for (int i = 1; i <= 48; ++i)
        TickAt(static_cast<uint32_t>(i * 16));
    ASSERT_EQ(Log.size(), 6u);
    for (size_t i = 0; i < Log.size(); ++i) {
        EXPECT_EQ(Log[i].WParam, 8u * (i + 1));
        EXPECT_EQ(Log[i].LParam, i % 2 == 0 ? 1 : 0);
    }
}

TEST_F(FlashScheduleTest, OncePerSecondFollowsTheWallClock) {
    TFlashSchedule s(10000);
    int n = 0;
    const auto send = [&n](void*, uint32_t, intptr_t l) {
        EXPECT_EQ(l, 0);
        ++n;
    };
    s.Add(&A, FlashOncePerSecond, 0);
    s.Tick(16, 10500, send);
    EXPECT_EQ(n, 0);
    s.Tick(32, 11000, send);
    EXPECT_EQ(n, 1);
    s.Tick(48, 11990, send);
    EXPECT_EQ(n, 1);
    s.Tick(64, 12000, send);
    EXPECT_EQ(n, 2);
}

TEST_F(FlashScheduleTest, ClientRemovedDuringTheTickIsNotVisited) {
    Schedule.Add(&A, 100, 0);
    Schedule.Add(&B, 100, 0);
    Schedule.Add(&C, 100, 0);
    std::vector<void*> seen;
    Schedule.Tick(100, 0, [&](void* c, uint32_t, intptr_t) {
        seen.push_back(c);
        if (c == &A) {
            Schedule.Remove(&B); // B is freed while A handles its message
            Schedule.Add(&B, 100, 100);
            Schedule.Remove(&B);
        }
    });
    EXPECT_EQ(seen, (std::vector<void*>{&A, &C}));
}

TEST_F(FlashScheduleTest, ClientAddedDuringTheTickWaitsForTheNext) {
    Schedule.Add(&A, 0, 0);
    int calls = 0;
    Schedule.Tick(16, 0, [&](void* c, uint32_t, intptr_t) {
        ++calls;
        Schedule.Add(&B, 0, 0);
    });
    EXPECT_EQ(calls, 1);
}

TEST_F(FlashScheduleTest, StopEndsTheWalk) {
    Schedule.Add(&A, 0, 0);
    Schedule.Add(&B, 0, 0);
    int calls = 0;
    Schedule.Tick(
        16, 0, [&](void*, uint32_t, intptr_t) { ++calls; }, [&] { return calls > 0; });
    EXPECT_EQ(calls, 1);
}

TEST(AutoRepeat, IntervalBelowFiftyIsIgnored) {
    TAutoRepeat r;
    r.SetInterval(30);
    EXPECT_EQ(r.Interval(), 100);
    r.SetInterval(50);
    EXPECT_EQ(r.Interval(), 50);
}

TEST(AutoRepeat, DisabledTimerNeverRegisters) {
    TAutoRepeat r;
    r.SetTimerEnabled(false);
    EXPECT_FALSE(r.Press(0));
    EXPECT_FALSE(r.Tick(10000));
}

namespace {

// A held button on the flash schedule, with a fake clock in 16 ms ticks; the
// press itself clicks once on release, as a plain button does.
struct HeldButton {
    TFlashSchedule Schedule{0};
    TAutoRepeat Repeat;
    int Clicks = 0;
    uint32_t Now;

    explicit HeldButton(uint32_t start) : Now(start) {}
    void Press() {
        if (Repeat.Press(Now)) Schedule.Add(this, Repeat.Interval(), Now);
    }
    void Release() {
        Repeat.Release();
        Schedule.Remove(this);
        ++Clicks;
    }
    void Run(uint32_t ms) {
        for (uint32_t end = Now + ms; static_cast<int32_t>(end - Now) > 0;) {
            Now += 16;
            Schedule.Tick(Now, 0, [this](void*, uint32_t, intptr_t) {
                if (Repeat.Tick(Now)) ++Clicks;
            });
        }
    }
};

} // namespace

TEST(AutoRepeat, ShortPressGivesOneClick) {
    HeldButton b(1000);
    b.Press();
    b.Run(400);
    b.Release();
    b.Run(2000);
    EXPECT_EQ(b.Clicks, 1);
    EXPECT_EQ(b.Schedule.Count(), 0);
}

TEST(AutoRepeat, HeldPressRepeatsEveryIntervalAfterTheDelay) {
    HeldButton b(1000);
    b.Repeat.SetStartDelay(500);
    b.Repeat.SetInterval(100);
    b.Press();
    b.Run(496);
    EXPECT_EQ(b.Clicks, 0);
    b.Run(16); // 512 ms: the first repeat
    EXPECT_EQ(b.Clicks, 1);
    b.Run(480);             // to 992 ms
    EXPECT_EQ(b.Clicks, 5); // at 512, 608, 704, 800, 912
    b.Release();
    EXPECT_EQ(b.Clicks, 6);
    b.Run(1000);
    EXPECT_EQ(b.Clicks, 6);
}

TEST(AutoRepeat, RepeatsAcrossTheCounterWrap) {
    HeldButton b(0xFFFFFFFFu - 300);
    b.Press();
    b.Run(992);
    EXPECT_EQ(b.Clicks, 5);
    b.Release();
}
