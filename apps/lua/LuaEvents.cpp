// Event sinks: a component's events reach Lua functions in its object's `events` table. A handler
// runs under lua_pcall; what it returns goes into the by-reference arguments, converted to each
// one's type, and its failures are reported, never raised into the component.
#include "LuaEvents.h"

#include <cstdio>
#include <exception>
#include <string>
#include <unordered_map>

#include "LuaSupport.h"
#include "runtime/DispatchTable.h"

namespace quindel::lua {

namespace {

struct EventCall {
    std::uint32_t sink;
    const char* name;
    Args* args;
    bool found;
    char error[256];
};

// Stores what a handler returned into the by-reference arguments. Only non-raising Lua calls.
void StoreResults(lua_State* L, EventCall& c, int first, int count) noexcept {
    try {
        for (int i = 0; i < count && i < int(c.args->size()); ++i) {
            if (lua_isnil(L, first + i)) continue;
            Variant& arg = (*c.args)[std::size_t(i)];
            arg = CoerceLike(arg, ToVariant(L, first + i, NilAs::Empty));
        }
    } catch (const std::exception& e) {
        std::snprintf(c.error, sizeof c.error, "a value it returned: %s", e.what());
    } catch (...) {
        std::snprintf(c.error, sizeof c.error, "a value it returned cannot be converted");
    }
}

// Runs under lua_pcall: finds the handler and calls it with the event's arguments.
int HandlerCall(lua_State* L) {
    auto* c = static_cast<EventCall*>(lua_touserdata(L, 1));
    lua_rawgetp(L, LUA_REGISTRYINDEX, &kSinks);
    if (lua_rawgeti(L, -1, lua_Integer(c->sink)) != LUA_TTABLE) return 0;
    if (lua_getfield(L, -1, c->name) == LUA_TNIL) return 0;
    c->found = true;
    const int nargs = int(c->args->size());
    luaL_checkstack(L, nargs + 4, "event arguments");
    const int function = lua_gettop(L);
    for (int i = 0; i < nargs; ++i) PushVariant(L, (*c->args)[std::size_t(i)]);
    lua_call(L, nargs, LUA_MULTRET);
    StoreResults(L, *c, function, lua_gettop(L) - function + 1);
    return 0;
}

// A Dispatch sink whose events are Lua functions in the object's `events` table.
class LuaSink final : public Dispatch {
  public:
    LuaSink(LuaHost& h, std::uint32_t id, const DispatchTable& events)
        : host_(h), alive_(h.alive), id_(id) {
        for (const MemberSpec& m : events.members()) names_.emplace(m.id, m.name);
    }

    DispId GetIDOfName(std::string_view name) const override {
        for (const auto& [id, n] : names_)
            if (n == name) return id;
        Raise(kErrNotSupported);
    }

    // 438 (skipped by the connection point) when no handler is set.
    Variant Invoke(DispId id, CallKind, Args& args) override {
        const auto it = names_.find(id);
        if (it == names_.end() || !*alive_ || host_.closing || host_.finalizing)
            Raise(kErrNotSupported);
        LuaHost& h = host_;
        lua_State* L = h.current ? h.current : h.State();
        EventCall call{id_, it->second.c_str(), &args, false, {}};
        const int top = lua_gettop(L);
        if (!lua_checkstack(L, 8)) {
            h.ReportHandlerError("event " + it->second, "no Lua stack left");
            return {};
        }
        lua_pushcfunction(L, ErrorText);
        lua_pushcfunction(L, HandlerCall);
        lua_pushlightuserdata(L, &call);
        const int status = lua_pcall(L, 1, 0, top + 1);
        if (status != LUA_OK) {
            const char* text = lua_tostring(L, -1);
            std::string message = text ? text : "error";
            lua_settop(L, top);
            h.ReportHandlerError("event " + it->second, message);
            return {};
        }
        lua_settop(L, top);
        if (call.error[0]) h.ReportHandlerError("event " + it->second, call.error);
        if (!call.found) Raise(kErrNotSupported);
        return {};
    }

  private:
    LuaHost& host_;
    std::shared_ptr<bool> alive_;
    std::uint32_t id_;
    std::unordered_map<DispId, std::string> names_;
};

}  // namespace

std::shared_ptr<Dispatch> NewEventSink(LuaHost& h, std::uint32_t id, const DispatchTable& events) {
    return std::make_shared<LuaSink>(h, id, events);
}

}  // namespace quindel::lua
