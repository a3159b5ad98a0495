// Failures and results of the bridge's C functions: a C++ failure stored in the host and raised
// into Lua once no C++ frame is left, results pushed, released objects let go after the outermost
// call, and the message handlers Lua code run from C++ goes under.
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "LuaSupport.h"

namespace quindel::lua {

namespace {

void Fail(LuaHost& h, std::string message) {
    h.failure = {};
    h.failure.failed = true;
    h.failure.message = std::move(message);
}

}  // namespace

void StoreFailure(LuaHost& h) noexcept {
    try {
        throw;
    } catch (const VbError& e) {
        h.post = nullptr;
        h.failure = {};
        h.failure.failed = h.failure.isVb = true;
        h.failure.number = e.number();
        h.failure.description = e.description();
        h.failure.source = e.source();
    } catch (const std::exception& e) {
        h.post = nullptr;
        try {
            Fail(h, e.what());
        } catch (...) {
            h.failure.failed = true;
        }
    } catch (...) {
        h.post = nullptr;
        h.failure.failed = true;
        h.failure.isVb = false;
    }
}

void Bury(lua_State* L, LuaHost& h) noexcept {
    lua_State* const previous = h.current;
    h.current = L;
    std::vector<Object> going = std::move(h.released);
    h.released.clear();
    going.clear();
    h.current = previous;
}

void Let(LuaHost& h, Object&& obj) noexcept {
    Object going = std::move(obj);
    if (h.depth > 1) {
        try {
            h.released.push_back(std::move(going));
            return;
        } catch (...) {
        }
    }
    going.reset();
}

int PushOut(lua_State* L, LuaHost& h, int n) {
    // A C function has LUA_MINSTACK slots; ours use a few of them before pushing results.
    if (n > 8) luaL_checkstack(L, n, "results");
    for (int i = 0; i < n; ++i) PushVariant(L, h.out[std::size_t(i)]);
    return n;
}

int RaiseFailure(lua_State* L, LuaHost& h) {
    const LuaHost::Failure& f = h.failure;
    if (f.isVb) {
        lua_createtable(L, 0, 4);
        lua_pushinteger(L, f.number);
        lua_setfield(L, -2, "number");
        lua_pushlstring(L, f.description.data(), f.description.size());
        lua_setfield(L, -2, "description");
        lua_pushlstring(L, f.source.data(), f.source.size());
        lua_setfield(L, -2, "source");
        luaL_where(L, 1);
        lua_setfield(L, -2, "where");
        lua_rawgetp(L, LUA_REGISTRYINDEX, &kErrorMeta);
        lua_setmetatable(L, -2);
    } else {
        luaL_where(L, 1);
        if (f.message.empty())
            lua_pushliteral(L, "unexpected failure in the host");
        else
            lua_pushlstring(L, f.message.data(), f.message.size());
        lua_concat(L, 2);
    }
    return lua_error(L);
}

int ErrorText(lua_State* L) {
    luaL_tolstring(L, 1, nullptr);
    return 1;
}

int ErrorTraceback(lua_State* L) {
    const char* text = luaL_tolstring(L, 1, nullptr);
    luaL_traceback(L, L, text, 1);
    return 1;
}

void CallRef(LuaHost& h, int ref, const char* what) {
    if (!*h.alive || h.closing || h.finalizing) return;
    lua_State* L = h.current ? h.current : h.State();
    const int top = lua_gettop(L);
    if (!lua_checkstack(L, 4)) return;
    lua_pushcfunction(L, ErrorText);
    lua_rawgeti(L, LUA_REGISTRYINDEX, ref);
    if (lua_pcall(L, 0, 0, top + 1) != LUA_OK) {
        const char* text = lua_tostring(L, -1);
        std::string message = text ? text : "error";
        lua_settop(L, top);
        h.ReportHandlerError(what, message);
        return;
    }
    lua_settop(L, top);
}

}  // namespace quindel::lua
