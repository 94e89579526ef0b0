#include "controls/numeric/flashcontrols.h"

#include "controls/numeric/vcflash.h"
#include "controls/numeric/vcproc.h"
#include "controls/numeric/vcthread.h"
#include "platform/vcl/forms.h"

namespace {

// One hidden window per process; it takes message 0x8FFF for the threads.
// Made after the thread and flash state (it touches them first), it goes
// before them when the process ends: the timer stops while all still stand.
class TVcThreadWindow {
public:
    TVcThreadWindow() {
        FlashClientCount();
        HasSyncPoster();
        FWnd = AllocateHWnd([](TMessage& Message) {
            if (Message.Msg == CM_VCSYNCHRONIZE)
                RunSyncRequest(static_cast<uintptr_t>(Message.LParam));
        });
        // The first post makes the message queue here, on the window thread,
        // before any worker posts to it.
        PostMessage(FWnd, WM_NULL);
        const HWND wnd = FWnd;
        SetSyncPoster([wnd](uintptr_t Request) {
            return PostMessage(wnd, CM_VCSYNCHRONIZE, 0, static_cast<LPARAM>(Request));
        });
        SetFlashDeliver([](void* Control, uint32_t WParam, intptr_t LParam) {
            SendMessage(static_cast<TControl*>(Control), WM_FLASHTICK, WParam, LParam);
        });
        SetFlashClosing([] {
            return Application &&
                   (Application->Terminated() || Application->HasState(csDestroying));
        });
    }
    ~TVcThreadWindow() {
        FreeFlashTimer();
        SetFlashDeliver(nullptr);
        SetFlashClosing(nullptr);
        SetSyncPoster(nullptr);
        DeallocateHWnd(FWnd);
    }
    TVcThreadWindow(const TVcThreadWindow&) = delete;
    TVcThreadWindow& operator=(const TVcThreadWindow&) = delete;

private:
    HWND FWnd = nullptr;
};

} // namespace

void EnsureThreadWindow() {
    static TVcThreadWindow window;
}

namespace {

// A thread made on the window thread before any control needed the flash
// timer makes the window itself.
[[maybe_unused]] const bool ThreadWindowMakerInstalled =
    (SetThreadWindowMaker(EnsureThreadWindow), true);

// The pointing hand of the unit's cursor resource, hot spot at the finger tip.
const std::vector<std::string> HandCursorRows = {
    "     ##         ", "    #..#        ", "    #..#        ", "    #..#        ",
    "    #..###      ", "    #..#..###   ", "    #..#..#..## ", "### #..#..#..#.#",
    "#..##........#.#", "#...#..........#", " #.............#", "  #............#",
    "  #...........# ", "   #..........# ", "    #........#  ", "    ##########  ",
};
[[maybe_unused]] const bool HandCursorLoaded =
    (SetScreenCursorImage(crHand, HandCursorRows, {5, 0}), true);

} // namespace

void AddFlashClient(TControl* Control, int64_t Interval) {
    if (!Control) return;
    EnsureThreadWindow();
    AddFlashClientPtr(Control, Interval);
}

void RemoveFlashClient(TControl* Control) {
    RemoveFlashClientPtr(Control);
}

bool IsFlashClient(const TControl* Control) {
    return IsFlashClientPtr(Control);
}
