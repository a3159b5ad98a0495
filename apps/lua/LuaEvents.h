#pragma once
// A Dispatch sink whose events are the Lua functions in the `events` table the bridge keeps for
// an object under the sink's id (registry table kSinks). An event without a handler raises 438,
// which the connection point skips; a handler's failure is reported by the host, never raised.
#include <cstdint>
#include <memory>

#include "LuaHost.h"
#include "runtime/Dispatch.h"
#include "runtime/DispatchTable.h"

namespace quindel::lua {

std::shared_ptr<Dispatch> NewEventSink(LuaHost& h, std::uint32_t id, const DispatchTable& events);

}  // namespace quindel::lua
