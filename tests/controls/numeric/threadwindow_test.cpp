// The process's thread window on a real message loop: the flash timer's tick
// stops telling its controls once the program is closing.
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
