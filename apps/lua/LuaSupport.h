#pragma once
// The pieces every C function of the scripted host is made of (see LuaHost.h for the rule they
// follow): Call, the trampoline around a C++ part; conversions between Lua values and Variants;
// the object userdata.
#include <cstdint>
#include <exception>
#include <lua.hpp>
#include <string>

#include "LuaHost.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"

namespace quindel::lua {

// Registry keys: their addresses are unique.
inline char kObjectMeta, kIndexedMeta, kErrorMeta, kObjectCache, kSinks, kNull;

// The C++ part of a C function: reads its arguments with calls that cannot raise, does its work,
// and returns the number of results it left in h.out (or sets h.post and returns 0).
using Inner = int (*)(lua_State* L, LuaHost& h);

inline LuaHost& HostOf(lua_State* L) {
    return **static_cast<LuaHost**>(lua_getextraspace(L));
}

// Runs f; every C++ failure becomes h.failure. Never throws.
int Protected(Inner f, lua_State* L, LuaHost& h) noexcept;
// Pushes h.out[0..n); after Protected, with no C++ object alive on the caller's frame.
int PushOut(lua_State* L, LuaHost& h, int n);
// Raises h.failure as a Lua error: a run-time error as an error object, anything else as text
// prefixed with the script's file and line.
int RaiseFailure(lua_State* L, LuaHost& h);

// The trampoline: only trivially destructible locals, so the push or the raise after the C++
// part skips no destructor.
template <Inner F>
int Call(lua_State* L) {
    LuaHost& h = HostOf(L);
    lua_State* const previous = h.current;
    h.current = L;
    const int n = Protected(F, L, h);
    h.current = previous;
    if (h.failure.failed) return RaiseFailure(L, h);
    if (h.post) {
        int (*post)(lua_State*, LuaHost&) = h.post;
        h.post = nullptr;
        return post(L, h);
    }
    return PushOut(L, h, n);
}

// Replaces h.out with the given values; the C++ part's last step.
inline int Results(LuaHost& h, Variant v) {
    h.out.clear();
    h.out.push_back(std::move(v));
    return 1;
}
inline int NoResults(LuaHost& h) {
    h.out.clear();
    return 0;
}

// How a nil converts: an omitted argument, an empty value, or an object reference to nothing.
enum class NilAs { Missing, Empty, Nothing };

struct LuaObject {
    Object obj;
};

// Non-raising: the object userdata at idx, or null for any other value.
LuaObject* ToObject(lua_State* L, int idx);
// Non-raising Lua calls only; a value with no Variant form raises VbError 13.
Variant ToVariant(lua_State* L, int idx, NilAs nil);
// A Variant converted to the type of `like` (the declared type of a by-reference argument).
Variant CoerceLike(const Variant& like, const Variant& v);
// May raise (memory): only where no C++ object of ours is alive on the frame.
void PushVariant(lua_State* L, const Variant& v);
void PushObject(lua_State* L, const Object& obj);

// Message handlers for lua_pcall: the error as text, and as text with a traceback.
int ErrorText(lua_State* L);
int ErrorTraceback(lua_State* L);

// Runs the Lua function registered under `ref` (a host.after callback) under lua_pcall;
// failures are reported, never thrown.
void CallRef(LuaHost& h, int ref, const char* what);

}  // namespace quindel::lua
