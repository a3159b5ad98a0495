#pragma once
// A timer control: while Enabled with a positive Interval it raises OnTimer every Interval ms,
// from DoEvents. Setting Enabled or Interval restarts the count.
#include <cstdint>
#include <functional>

#include "platform/TimerQueue.h"

namespace quindel::platform {

class Platform;

class Timer {
  public:
    explicit Timer(Platform& p);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::int32_t Interval() const { return interval_; }
    void setInterval(std::int32_t ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);

    std::function<void()> OnTimer;

  private:
    void Rearm();
    Platform& platform_;
    TimerQueue::Id id_;
    std::int32_t interval_ = 0;
    bool enabled_ = true;
};

}  // namespace quindel::platform
