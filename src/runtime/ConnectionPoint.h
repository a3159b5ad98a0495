#pragma once
// An event source: the sinks connected to one outgoing interface, called in connection
// order. A sink is a Dispatch (invoked as a method with the event's dispatch id) or the
// adapter of a typed C++ sink interface.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/Dispatch.h"

namespace quindel {

class ConnectionPoint {
  public:
    using TypedSink = std::function<void(DispId id, Args& args)>;

    // Returns the cookie that Unadvise takes. A null sink raises 91, an empty one 5.
    std::uint32_t Advise(Object dispatchSink);
    std::uint32_t Advise(TypedSink typedSink);
    // An unknown cookie is ignored, so a sink may disconnect twice.
    void Unadvise(std::uint32_t cookie);
    // Disconnects every sink (an event already firing skips those not yet called).
    void UnadviseAll();

    // Calls every sink with the same args, so a by-ref change is seen by later sinks and by
    // the raiser. A sink may connect or disconnect sinks meanwhile: the sinks connected when
    // Fire began are called, minus those disconnected before their turn. A Dispatch sink
    // without the event (438) is skipped; any other VbError reaches the raiser.
    void Fire(DispId id, Args& args);

    int Count() const { return int(sinks_.size()); }

  private:
    struct Sink {
        std::uint32_t cookie;
        TypedSink call;
        bool connected = true;
    };

    std::uint32_t connect(TypedSink call);

    std::vector<std::shared_ptr<Sink>> sinks_;
    std::uint32_t nextCookie_ = 1;
};

}  // namespace quindel
