// The process's thread window on a real message loop: a thread used on its
// own reaches the window thread, and the flash timer's tick stops telling its
// controls once the program is closing.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "controls/numeric/flashcontrols.h"
#include "controls/numeric/vcflash.h"
#include "controls/numeric/vcproc.h"
#include "controls/numeric/vcthread.h"
#include "platform/vcl/forms.h"
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

// Counts the flash messages it is sent; the first one may close the program.
class TickCounter : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Ticks = 0;
    bool CloseOnTick = false;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_FLASHTICK) {
            ++Ticks;
            if (CloseOnTick) Application->Terminate();
            return;
        }
        TCustomControl::WndProc(Message);
    }
};

} // namespace

TEST(ThreadWindow, ThreadOnItsOwnSynchronizes) {
    ASSERT_FALSE(HasSyncPoster()); // no control has needed the flash timer
    OneShot t;
    bool terminated = false;
    t.OnTerminate = [&](TObject*) { terminated = true; };
    t.Resume();
    ASSERT_TRUE(PumpUntil([&] { return terminated; }));
    EXPECT_TRUE(t.Ran);
    EXPECT_TRUE(t.RanOnWindowThread);
    EXPECT_EQ(t.Answer, 1);
}

TEST(ThreadWindow, TickStopsWhileTheProgramCloses) {
    uint32_t now = 1000;
    SetFlashClocks([&] { return now; }, nullptr);
    TForm form(nullptr);
    auto* first = new TickCounter(&form);
    auto* second = new TickCounter(&form);
    first->CloseOnTick = true;
    AddFlashClient(first, 100);
    AddFlashClient(second, 100);
    now = 1100;
    FlashTick();
    EXPECT_EQ(first->Ticks, 1);
    EXPECT_EQ(second->Ticks, 0); // the program closes: the walk ended
    RemoveFlashClient(first);
    RemoveFlashClient(second);
    SetFlashClocks(nullptr, nullptr);
}

TEST(ThreadWindow, HandCursorIsInTheScreenTableAtIndexFive) {
    EXPECT_EQ(crHand, 5);
    ASSERT_TRUE(ScreenCursorLoaded(crHand));
    TForm form(nullptr);
    form.SetCursor(crHand); // shows the table's picture, not a system shape
    EXPECT_EQ(form.Cursor(), 5);
}
