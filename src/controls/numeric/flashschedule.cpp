#include "controls/numeric/flashschedule.h"

#include <algorithm>

namespace {

// A period longer than half the counter's range could not be told from a wrap.
uint32_t PeriodOf(int64_t Interval) {
    return static_cast<uint32_t>(std::clamp<int64_t>(Interval, 0, 0x7FFFFFFF));
}

} // namespace

TFlashSchedule::TFlashClient* TFlashSchedule::Find(const void* Client) {
    const auto it = std::find_if(FClients.begin(), FClients.end(),
                                 [Client](const TFlashClient& c) { return c.Control == Client; });
    return it == FClients.end() ? nullptr : &*it;
}

bool TFlashSchedule::Contains(const void* Client) const {
    return std::any_of(FClients.begin(), FClients.end(),
                       [Client](const TFlashClient& c) { return c.Control == Client; });
}

void TFlashSchedule::Add(void* Client, int64_t Interval, uint32_t Now) {
    if (!Client) return;
    const uint32_t due = Now + PeriodOf(Interval);
    if (TFlashClient* c = Find(Client)) {
        c->Interval = Interval;
        c->NextDue = due;
        return;
    }
    if (FClients.capacity() < FClients.size() + 2) FClients.reserve(FClients.size() + 10);
    FClients.push_back({Client, Interval, due, false});
}

void TFlashSchedule::Remove(void* Client) {
    const auto it = std::find_if(FClients.begin(), FClients.end(),
                                 [Client](const TFlashClient& c) { return c.Control == Client; });
    if (it != FClients.end()) FClients.erase(it);
}

void TFlashSchedule::Tick(uint32_t Now, int64_t WallMs, const TSend& Send,
                          const std::function<bool()>& Stop) {
    ++FTickCount; // unsigned: 0xFFFFFFFF goes back to 0
    bool secondTick = false;
    if (WallMs >= FNextSecond) {
        FNextSecond = WallMs + 1000;
        secondTick = true;
    }
    // Walk a copy of the list: delivering a message may add or remove clients.
    std::vector<void*> order;
    order.reserve(FClients.size());
    for (const TFlashClient& c : FClients)
        order.push_back(c.Control);
    for (void* control : order) {
        if (Stop && Stop()) return;
        TFlashClient* c = Find(control);
        if (!c) continue;
        if (c->Interval >= FlashBlinkFirst && c->Interval <= FlashBlinkLast) {
            const bool phase = ((FTickCount >> c->Interval) & 1u) != 0;
            if (phase == c->Phase) continue;
            c->Phase = phase;
            Send(control, FTickCount, phase ? 1 : 0);
        } else if (c->Interval == FlashOncePerSecond) {
            if (secondTick) Send(control, FTickCount, 0);
        } else if (TickReached(Now, c->NextDue)) {
            // A late tick shortens the next period so that the cadence holds;
            // a very late one (the program was stalled) starts afresh.
            uint32_t late = Now - c->NextDue;
            if (late > 1000) late = 0;
            c->NextDue = Now + PeriodOf(c->Interval) - late;
            Send(control, FTickCount, static_cast<intptr_t>(late));
        }
    }
}
