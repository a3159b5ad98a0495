#include "platform/Timer.h"

#include "platform/Platform.h"

namespace quindel::platform {

Timer::Timer(Platform& p) : platform_(p) {
    id_ = platform_.timers().Add([this] {
        if (OnTimer) OnTimer();
    });
}

Timer::~Timer() {
    platform_.timers().Remove(id_);
}

void Timer::setInterval(std::int32_t ms) {
    interval_ = ms;
    Rearm();
}

void Timer::setEnabled(bool v) {
    enabled_ = v;
    Rearm();
}

void Timer::Rearm() {
    if (enabled_ && interval_ > 0)
        platform_.timers().Arm(id_, platform_.NowMs(), interval_);
    else
        platform_.timers().Disarm(id_);
}

}  // namespace quindel::platform
