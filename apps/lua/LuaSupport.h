#pragma once
// The pieces every C function of the scripted host is made of (see LuaHost.h for the rule they
// follow): Call, the trampoline around a C++ part; conversions between Lua values and Variants;
// the object userdata.
#include <cstdint>
#include <exception>
#include <iterator>
#include <lua.hpp>
#include <string>

#include "LuaHost.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"

namespace quindel::lua {

// Run-time errors the bridge raises of its own.
inline constexpr int kErrNotSupported = 438, kErrObjectNotSet = 91, kErrTypeMismatch = 13,
                     kErrBadAssignment = 450;

// Registry keys: their addresses are unique.
inline char kObjectMeta, kIndexedMeta, kErrorMeta, kObjectCache, kSinks, kNull;

// The C++ part of a C function: reads its arguments with calls that cannot raise, does its work,
// and returns the number of results it left in h.out (or sets h.post and returns 0).
using Inner = int (*)(lua_State* L, LuaHost& h);

inline LuaHost& HostOf(lua_State* L) {
    return **static_cast<LuaHost**>(lua_getextraspace(L));
}

// Called in a catch block: the exception in flight becomes h.failure.
void StoreFailure(LuaHost& h) noexcept;

// Runs F; every C++ failure becomes h.failure. Never throws.
template <Inner F>
int Protected(lua_State* L, LuaHost& h) noexcept {
    h.post = nullptr;
    try {
        const int n = F(L, h);
        // A nested call (an event handler run meanwhile) may have failed and been caught.
        h.failure.failed = false;
        return n;
    } catch (...) {
        StoreFailure(h);
    }
    return 0;
}
// Pushes h.out[0..n); after Protected, with no C++ object alive on the caller's frame.
int PushOut(lua_State* L, LuaHost& h, int n);
// Raises h.failure as a Lua error: a run-time error as an error object, anything else as text
// prefixed with the script's file and line.
int RaiseFailure(lua_State* L, LuaHost& h);

// The trampoline: only trivially destructible locals, so the push or the raise after the C++
// part skips no destructor.
// Lets the objects released during the outermost call go, once its results are on the stack.
void Bury(lua_State* L, LuaHost& h) noexcept;

template <Inner F>
int Call(lua_State* L) {
    LuaHost& h = HostOf(L);
    lua_State* const previous = h.current;
    h.current = L;
    ++h.depth;
    int n = Protected<F>(L, h);
    --h.depth;
    h.current = previous;
    if (h.failure.failed) return RaiseFailure(L, h);
    if (h.post) {
        int (*post)(lua_State*, LuaHost&) = h.post;
        h.post = nullptr;
        n = post(L, h);
    } else {
        n = PushOut(L, h, n);
    }
    if (h.depth == 0 && !h.released.empty()) Bury(L, h);
    return n;
}

// Drops a reference the script held: at once, or when the outermost call returns.
void Let(LuaHost& h, Object&& obj) noexcept;

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

// The userdata of a component object. Besides the object it keeps the last few property names
// read or written through it, by the address of their Lua string: each of those strings is also a
// key of the userdata's name cache table, so it lives as long as the userdata and its address
// cannot be reused for another name.
struct LuaObject {
    static constexpr std::uint64_t kMagic = 0x51756e64656c4f62;  // tells ours from other userdata
    struct Known {
        const char* name = nullptr;
        std::int64_t code = 0;
    };
    std::uint64_t magic = kMagic;
    Object obj;
    Known known[8];
    unsigned nextKnown = 0;

    const Known* Find(const char* name) const {
        for (const Known& k : known)
            if (k.name == name) return &k;
        return nullptr;
    }
    void Remember(const char* name, std::int64_t code) {
        known[nextKnown++ % std::size(known)] = {name, code};
    }
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
