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
// - Nothing sleeps: each round is one Platform::DoEvents, so the headless backend's virtual
//   clock moves to the next due item and its stall limit ends a wait that nothing can end.
#include <memory>

#include "platform/Platform.h"

namespace quindel::platform {

template <class Alive, class Done>
bool WaitUntil(Platform& p, const std::shared_ptr<const void>& keep, Alive&& alive, Done&& done) {
    const std::shared_ptr<const void> hold = keep;
    while (alive()) {
        p.DoEvents();
        if (!alive()) return false;
        if (done()) return true;
    }
    return false;
}

// Waits `ms` milliseconds on the platform's monotonic clock while messages run.
template <class Alive>
bool WaitFor(Platform& p, const std::shared_ptr<const void>& keep, std::int64_t ms, Alive&& alive) {
    const std::int64_t end = p.NowMs() + ms;
    return WaitUntil(p, keep, alive, [&] { return p.NowMs() >= end; });
}

}  // namespace quindel::platform
