#pragma once
// The timers of one platform, ordered by deadline. Toolkit-free: a backend supplies the time
// ("now") and calls RunDue from its DoEvents; the desktop backend also arms one native timer for
// NextDeadline.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>

namespace quindel::platform {

class TimerQueue {
  public:
    using Id = std::uint64_t;

    Id Add(std::function<void()> tick);
    void Remove(Id id);
    // Arms the timer to fire every interval ms from now; interval <= 0 disarms it.
    void Arm(Id id, std::int64_t now, std::int64_t interval);
    void Disarm(Id id);
    bool Armed(Id id) const;

    std::optional<std::int64_t> NextDeadline() const;
    // Fires every timer due at now, once each, in deadline order. A timer whose handler is still
    // running (a nested DoEvents) is not fired again inside itself. Returns how many fired.
    int RunDue(std::int64_t now);

    // Called whenever the next deadline may have moved (a timer armed, disarmed, removed, fired or
    // done running), so a backend with one native timer can re-arm it for NextDeadline.
    std::function<void()> OnChange;

  private:
    void Notify() const {
        if (OnChange) OnChange();
    }
    struct Entry {
        std::function<void()> tick;
        std::int64_t interval = 0;
        std::int64_t deadline = 0;
        bool armed = false;
        bool running = false;
    };
    std::map<Id, Entry> entries_;
    std::set<std::pair<std::int64_t, Id>> order_;
    Id nextId_ = 1;
};

}  // namespace quindel::platform
