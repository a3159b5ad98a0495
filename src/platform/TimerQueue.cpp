#include "platform/TimerQueue.h"

#include <algorithm>
#include <vector>

#include "runtime/ScopeGuard.h"

namespace quindel::platform {

TimerQueue::Id TimerQueue::Add(std::function<void()> tick) {
    const Id id = nextId_++;
    entries_[id].tick = std::move(tick);
    return id;
}

void TimerQueue::Remove(Id id) {
    Disarm(id);
    entries_.erase(id);
    Notify();
}

void TimerQueue::Arm(Id id, std::int64_t now, std::int64_t interval) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return;
    Disarm(id);
    if (interval <= 0) return;
    it->second.interval = interval;
    it->second.deadline = now + interval;
    it->second.armed = true;
    order_.insert({it->second.deadline, id});
    Notify();
}

void TimerQueue::Disarm(Id id) {
    auto it = entries_.find(id);
    if (it == entries_.end() || !it->second.armed) return;
    order_.erase({it->second.deadline, id});
    it->second.armed = false;
    Notify();
}

bool TimerQueue::Armed(Id id) const {
    auto it = entries_.find(id);
    return it != entries_.end() && it->second.armed;
}

std::optional<std::int64_t> TimerQueue::NextDeadline() const {
    for (const auto& [deadline, id] : order_)
        if (!entries_.at(id).running) return deadline;
    return std::nullopt;
}

int TimerQueue::RunDue(std::int64_t now) {
    std::vector<Id> due;
    for (const auto& [deadline, id] : order_) {
        if (deadline > now) break;
        if (!entries_.at(id).running) due.push_back(id);
    }
    int fired = 0;
    for (Id id : due) {
        auto it = entries_.find(id);
        if (it == entries_.end() || !it->second.armed || it->second.deadline > now) continue;
        Entry& e = it->second;
        // Re-arm before the handler runs, so the handler may disarm; a late timer does not
        // fire a burst to catch up.
        order_.erase({e.deadline, id});
        e.deadline = std::max(e.deadline + e.interval, now + 1);
        order_.insert({e.deadline, id});
        e.running = true;
        Notify();
        std::function<void()> tick = e.tick;
        // The handler may remove its own timer: find it again afterwards.
        ScopeExit reset([this, id] {
            auto it = entries_.find(id);
            if (it != entries_.end()) it->second.running = false;
            Notify();
        });
        ++fired;
        tick();
    }
    return fired;
}

}  // namespace quindel::platform
