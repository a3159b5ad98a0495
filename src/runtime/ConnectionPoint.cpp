#include "runtime/ConnectionPoint.h"

#include <algorithm>

#include "runtime/VbError.h"

namespace quindel {

std::uint32_t ConnectionPoint::Advise(Object dispatchSink) {
    if (!dispatchSink) Raise(91);
    // Hosts implement only the events they want; the others are skipped.
    return connect([sink = std::move(dispatchSink)](DispId id, Args& args) {
        try {
            sink->Invoke(id, CallKind::Method, args);
        } catch (const VbError& e) {
            if (e.number() != 438) throw;
        }
    });
}

std::uint32_t ConnectionPoint::Advise(TypedSink typedSink) {
    if (!typedSink) Raise(5);
    return connect(std::move(typedSink));
}

std::uint32_t ConnectionPoint::connect(TypedSink call) {
    const std::uint32_t cookie = nextCookie_++;
    sinks_.push_back(std::make_shared<Sink>(Sink{cookie, std::move(call)}));
    return cookie;
}

void ConnectionPoint::Unadvise(std::uint32_t cookie) {
    const auto it = std::find_if(sinks_.begin(), sinks_.end(),
                                 [cookie](const auto& s) { return s->cookie == cookie; });
    if (it == sinks_.end()) return;
    (*it)->connected = false;
    sinks_.erase(it);
}

void ConnectionPoint::UnadviseAll() {
    for (const auto& s : sinks_) s->connected = false;
    sinks_.clear();
}

void ConnectionPoint::Fire(DispId id, Args& args) {
    // A snapshot keeps each sink (and the callable running) alive even if it disconnects.
    const std::vector<std::shared_ptr<Sink>> snapshot = sinks_;
    for (const auto& sink : snapshot) {
        if (sink->connected) sink->call(id, args);
    }
}

}  // namespace quindel
