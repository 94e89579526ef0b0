// A worker thread in a program that links the thread unit and nothing else of
// the numeric controls: the thread brings its own way to the window thread.
#include <gtest/gtest.h>

#include <atomic>

#include "controls/numeric/vcthread.h"
#include "testinput.h"

namespace {

class OneShot : public TVcThread {
public:
    OneShot() : TVcThread(true) { Start(); }
    ~OneShot() override {
        Terminate();
        WaitFor();
    }
    std::atomic<bool> Ran{false};
    std::atomic<bool> RanOnWindowThread{false};
    std::atomic<int> Answer{-1};

protected:
    void Execute() override {
        Answer = Synchronize([this] {
            Ran = true;
            RanOnWindowThread = IsWindowThread();
        });
    }
};

} // namespace

TEST(ThreadWindow, ThreadOnItsOwnSynchronizes) {
    ASSERT_FALSE(HasSyncPoster()); // nothing made the thread window before
    OneShot t;
    bool terminated = false;
    t.OnTerminate = [&](TObject*) { terminated = true; };
    t.Resume();
    ASSERT_TRUE(PumpUntil([&] { return terminated; }));
    EXPECT_TRUE(t.Ran);
    EXPECT_TRUE(t.RanOnWindowThread);
    EXPECT_EQ(t.Answer, 1);
}
