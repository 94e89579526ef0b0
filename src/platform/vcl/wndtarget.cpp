#include "platform/vcl/wndtarget.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimerEvent>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "platform/rtl/threads.h"
#include "platform/vcl/qtapp.h"

namespace {

struct TPosted {
    HWND Target;
    TMessage Message;
};

struct TTimerKey {
    HWND Target;
    UINT_PTR ID;
    auto operator<=>(const TTimerKey&) const = default;
};

// Lives on the window thread: wakes up for posted messages and thread
// hand-offs, and owns the Qt timers behind SetTimer.
class TDispatcher;
TDispatcher* gDispatcher = nullptr; // dies with the Qt application

class TDispatcher : public QObject {
public:
    ~TDispatcher() override {
        gDispatcher = nullptr;
        WakeMainThread = nullptr;
    }

    static constexpr QEvent::Type WakeEvent = QEvent::Type(QEvent::User + 17);

    void Wake() {
        // One wake event at a time is enough; it drains everything queued.
        if (!FWakePending.exchange(true)) QCoreApplication::postEvent(this, new QEvent(WakeEvent));
    }

    std::mutex Lock;
    std::deque<TPosted> Queue;
    std::map<TTimerKey, int> Timers; // window thread only
    std::map<int, TTimerKey> TimerOf;
    std::atomic<bool> FWakePending{false};

protected:
    bool event(QEvent* e) override {
        if (e->type() != WakeEvent) return QObject::event(e);
        FWakePending = false;
        DispatchPostedMessages();
        return true;
    }
    void timerEvent(QTimerEvent* e) override {
        const auto it = TimerOf.find(e->timerId());
        if (it == TimerOf.end()) return;
        SendMessage(it->second.Target, WM_TIMER, it->second.ID, 0);
    }
};

TDispatcher& Dispatcher() {
    if (!gDispatcher) {
        EnsureQtApplication();
        gDispatcher = new TDispatcher; // owned by the Qt application
        gDispatcher->setParent(QCoreApplication::instance());
        WakeMainThread = [] {
            if (gDispatcher) gDispatcher->Wake();
        };
    }
    return *gDispatcher;
}

class TBareTarget : public TWndTarget {
public:
    explicit TBareTarget(TWndMethod Method) : FMethod(std::move(Method)) {}
    void DeliverMessage(TMessage& Message) override {
        if (FMethod) FMethod(Message);
    }

private:
    TWndMethod FMethod;
};

std::set<TWndTarget*>& BareTargets() {
    static std::set<TWndTarget*> targets;
    return targets;
}

} // namespace

TWndTarget::~TWndTarget() {
    if (!gDispatcher) return;
    TDispatcher& d = *gDispatcher;
    {
        std::lock_guard<std::mutex> guard(d.Lock);
        std::erase_if(d.Queue, [this](const TPosted& p) { return p.Target == this; });
    }
    for (auto it = d.Timers.begin(); it != d.Timers.end();) {
        if (it->first.Target == this) {
            d.killTimer(it->second);
            d.TimerOf.erase(it->second);
            it = d.Timers.erase(it);
        } else {
            ++it;
        }
    }
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (!Wnd) return 0;
    TMessage m{Msg, WParam, LParam, 0};
    Wnd->DeliverMessage(m);
    return m.Result;
}

bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (!Wnd) return false;
    TDispatcher& d = Dispatcher();
    {
        std::lock_guard<std::mutex> guard(d.Lock);
        d.Queue.push_back({Wnd, {Msg, WParam, LParam, 0}});
    }
    d.Wake();
    return true;
}

void DispatchPostedMessages() {
    TDispatcher& d = Dispatcher();
    CheckSynchronize();
    // Only what was queued when we started: a handler that posts again is
    // served on the next round, after the input that arrived in between.
    size_t count;
    {
        std::lock_guard<std::mutex> guard(d.Lock);
        count = d.Queue.size();
    }
    while (count-- > 0) {
        TPosted p;
        {
            std::lock_guard<std::mutex> guard(d.Lock);
            if (d.Queue.empty()) break; // a target died and took its messages
            p = d.Queue.front();
            d.Queue.pop_front();
        }
        p.Target->DeliverPosted(p.Message);
    }
}

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, unsigned Elapse) {
    if (!Wnd) return 0;
    TDispatcher& d = Dispatcher();
    KillTimer(Wnd, IDEvent);
    const int qtId = d.startTimer(static_cast<int>(std::max(1u, Elapse)));
    if (qtId == 0) return 0;
    d.Timers[{Wnd, IDEvent}] = qtId;
    d.TimerOf[qtId] = {Wnd, IDEvent};
    return IDEvent == 0 ? 1 : IDEvent;
}

bool KillTimer(HWND Wnd, UINT_PTR IDEvent) {
    TDispatcher& d = Dispatcher();
    const auto it = d.Timers.find({Wnd, IDEvent});
    if (it == d.Timers.end()) return false;
    d.killTimer(it->second);
    d.TimerOf.erase(it->second);
    d.Timers.erase(it);
    return true;
}

HWND AllocateHWnd(TWndMethod Method) {
    auto* target = new TBareTarget(std::move(Method)); // freed by DeallocateHWnd
    BareTargets().insert(target);
    return target;
}

void DeallocateHWnd(HWND Wnd) {
    if (BareTargets().erase(Wnd)) delete Wnd;
}
