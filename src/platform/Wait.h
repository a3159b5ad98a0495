#pragma once
// The one way to wait while pending messages run: the classic "let the messages run until a
// flag says stop" loop, with its concerns in one place.
// - `keep` holds the waiting object for the whole wait: a handler that runs inside the wait
//   may drop the last other reference to it.
// - `alive` says whether the waiting object still stands (its window loaded, the panel not
//   closing); it is tested before every round and after every pump, and the wait ends,
//   returning false, as soon as it fails.
// - `done` is tested after every pump; the wait ends, returning true, once it holds. It may do
//   the wait's own per-round work (show a tip, move a picture) before it answers.
// - Nothing sleeps in the wait itself: each round is one Platform::DoEvents, so the headless
//   backend's virtual clock moves to the next due item and its stall limit ends a wait that
//   nothing can end.
// WaitForEvents is for a wait whose `done` can change only through what the platform delivers
// (input, timers, window changes) or at a time it can name: each round is one DoEventsUntil of
// that time, so a desktop backend sleeps until something happens instead of coming back every
// few milliseconds to ask again.
#include <cstdint>
#include <memory>

#include "platform/Platform.h"

namespace quindel::platform {

namespace detail {
template <class Alive, class Done, class Pump>
bool Wait(const std::shared_ptr<const void>& keep, Alive& alive, Done& done, Pump&& pump) {
    const std::shared_ptr<const void> hold = keep;
    while (alive()) {
        pump();
        if (!alive()) return false;
        if (done()) return true;
    }
    return false;
}
}  // namespace detail

template <class Alive, class Done>
bool WaitUntil(Platform& p, const std::shared_ptr<const void>& keep, Alive&& alive, Done&& done) {
    return detail::Wait(keep, alive, done, [&p] { p.DoEvents(); });
}

// `wakeAt` answers, before each round, the platform-clock time at which `done` must be asked
// although nothing was delivered (Platform::kNoWake: no such time).
template <class Alive, class Done, class WakeAt>
bool WaitForEvents(Platform& p, const std::shared_ptr<const void>& keep, Alive&& alive, Done&& done,
                   WakeAt&& wakeAt) {
    return detail::Wait(keep, alive, done, [&] { p.DoEventsUntil(wakeAt()); });
}

// Waits `ms` milliseconds on the platform's monotonic clock while messages run.
template <class Alive>
bool WaitFor(Platform& p, const std::shared_ptr<const void>& keep, std::int64_t ms, Alive&& alive) {
    const std::int64_t end = p.NowMs() + ms;
    return WaitUntil(p, keep, alive, [&] { return p.NowMs() >= end; });
}

}  // namespace quindel::platform
