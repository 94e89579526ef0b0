// Messages: sending, posting in order, dropped messages of dead targets,
// replaceable window procedures, timers and thread hand-offs.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/rtl/threads.h"
#include "vcltestenv.h"

TEST(Messages, PostedMessagesArriveInOrderAfterSentOnes) {
    auto form = MakeForm();
    auto* rec = new TRecorder(form.get());
    rec->SetParent(form.get());
    PostMessage(rec, WM_USER + 1, 10, 20);
    PostMessage(rec, WM_USER + 2);
    EXPECT_EQ(0, SendMessage(rec, WM_USER + 3));
    EXPECT_EQ(rec->Messages({WM_USER + 1, WM_USER + 2, WM_USER + 3}),
              (std::vector<UINT>{WM_USER + 3}));
    Application->ProcessMessages();
    EXPECT_EQ(rec->Messages({WM_USER + 1, WM_USER + 2, WM_USER + 3}),
              (std::vector<UINT>{WM_USER + 3, WM_USER + 1, WM_USER + 2}));
    EXPECT_EQ(10u, rec->Only(WM_USER + 1)[0].WParam);
    EXPECT_EQ(20, rec->Only(WM_USER + 1)[0].LParam);
}

TEST(Messages, MessagesPostedToADestroyedControlAreDropped) {
    auto form = MakeForm();
    auto* doomed = new TRecorder(form.get());
    auto* other = new TRecorder(form.get());
    PostMessage(doomed, WM_USER + 5);
    PostMessage(other, WM_USER + 6);
    delete doomed;
    Application->ProcessMessages();
    EXPECT_EQ(1u, other->Only(WM_USER + 6).size());
}

TEST(Messages, AHookReplacesTheWindowProcedureAndCanPassOn) {
    auto form = MakeForm();
    auto* rec = new TRecorder(form.get());
    const TWndMethod old = rec->WindowProc;
    int seen = 0;
    rec->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 9) {
            ++seen;
            m.Result = 42;
            return; // swallowed by the hook
        }
        old(m);
    };
    EXPECT_EQ(42, rec->Perform(WM_USER + 9));
    EXPECT_EQ(0, rec->Perform(WM_USER + 10));
    EXPECT_EQ(1, seen);
    EXPECT_TRUE(rec->Only(WM_USER + 9).empty());
    EXPECT_EQ(1u, rec->Only(WM_USER + 10).size());
    rec->WindowProc = old;
}

TEST(Messages, TimerDeliversWmTimerUntilKilled) {
    int ticks = 0;
    UINT_PTR lastId = 0;
    HWND wnd = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_TIMER) {
            ++ticks;
            lastId = m.WParam;
        }
    });
    EXPECT_EQ(7u, SetTimer(wnd, 7, 1));
    EXPECT_TRUE(ProcessUntil([&] { return ticks >= 2; }));
    EXPECT_EQ(7u, lastId);
    EXPECT_TRUE(KillTimer(wnd, 7));
    EXPECT_FALSE(KillTimer(wnd, 7));
    const int after = ticks;
    Application->ProcessMessages();
    EXPECT_EQ(after, ticks);
    DeallocateHWnd(wnd);
}

TEST(Messages, ControlTimerStopsWithTheControl) {
    auto form = MakeForm();
    auto* rec = new TRecorder(form.get());
    SetTimer(rec, 1, 1);
    EXPECT_TRUE(ProcessUntil([&] { return !rec->Only(WM_TIMER).empty(); }));
    delete rec; // takes its timer along; nothing may tick on a dead control
    Application->ProcessMessages();
}

namespace {

class TCountingThread : public TThread {
public:
    std::atomic<int> Synced{0};
    int OnMainThread = 0;
    std::vector<int> Queued;

protected:
    void Execute() override {
        for (int i = 0; i < 3; ++i)
            Synchronize([this] {
                ++Synced;
                if (TThread::IsMainThread()) ++OnMainThread;
            });
        for (int i = 0; i < 3; ++i)
            Queue([this, i] { Queued.push_back(i); });
        SetReturnValue(5);
    }
};

} // namespace

TEST(Threads, SynchronizeAndQueueRunOnTheWindowThreadInOrder) {
    Application->ProcessMessages(); // the window layer is up and listens
    TCountingThread thread;
    thread.Start();
    EXPECT_EQ(5, thread.WaitFor());
    EXPECT_EQ(3, thread.Synced.load());
    EXPECT_EQ(3, thread.OnMainThread);
    ProcessUntil([&] { return thread.Queued.size() == 3; });
    EXPECT_EQ(thread.Queued, (std::vector<int>{0, 1, 2}));
}

TEST(Threads, PostMessageFromAWorkerArrivesOnTheWindowThread) {
    auto form = MakeForm();
    auto* rec = new TRecorder(form.get());
    std::thread worker([rec] {
        for (int i = 0; i < 5; ++i)
            PostMessage(rec, WM_USER + 20, static_cast<WPARAM>(i));
    });
    worker.join();
    ProcessUntil([&] { return rec->Only(WM_USER + 20).size() == 5; });
    const auto got = rec->Only(WM_USER + 20);
    ASSERT_EQ(5u, got.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(i, got[i].WParam);
}
