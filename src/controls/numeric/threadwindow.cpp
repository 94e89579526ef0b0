#include "controls/numeric/threadwindow.h"

#include "controls/numeric/flashclients.h"
#include "controls/numeric/vcsync.h"
#include "platform/vcl/forms.h"

namespace {

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
