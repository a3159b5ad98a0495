// Objects in Lua: a component object is a full userdata holding its Object, with __index and
// __newindex reaching its members by name. Each userdata keeps a cache of the names it was asked
// for (its first user value): a property as an integer (dispatch id and access flags), a method
// as a closure, an indexed property as a proxy userdata; the last few properties are also kept
// in the userdata itself, found by the address of the name's string, so a repeated read costs
// no table access before the call. The same C++ object always comes back as the same userdata
// while it lives (a weak table keyed by its address), so scripts can compare objects with ==.
#include "LuaObjects.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>

#include "LuaEvents.h"
#include "LuaSupport.h"
#include "runtime/EventSource.h"

namespace quindel::lua {

namespace {

// Flags of a cached property, above its 32-bit dispatch id.
constexpr std::int64_t kHasGet = std::int64_t(1) << 32;
constexpr std::int64_t kHasLet = std::int64_t(1) << 33;
constexpr std::int64_t kHasSet = std::int64_t(1) << 34;
constexpr std::int64_t kDescribed = std::int64_t(1) << 35;

DispId IdOf(std::int64_t code) {
    return DispId(std::uint32_t(code & 0xffffffff));
}

// ---- Object metamethods ----

// Stack: 1 object, 2 name, 3 cache, and the value to push at the top.
int PushTop(lua_State*, LuaHost&) {
    return 1;
}

// Stack: 1 object, 2 name, 3 cache; h.pending.code. Caches the property, pushes h.out.
int CacheProperty(lua_State* L, LuaHost& h) {
    lua_pushvalue(L, 2);
    lua_pushinteger(L, h.pending.code);
    lua_rawset(L, 3);
    static_cast<LuaObject*>(lua_touserdata(L, 1))->Remember(lua_tostring(L, 2), h.pending.code);
    return PushOut(L, h, int(h.out.size()));
}

// Stack: 1 object, 2 name; pending.code: a property found in the name cache table.
int RememberProperty(lua_State* L, LuaHost& h) {
    static_cast<LuaObject*>(lua_touserdata(L, 1))->Remember(lua_tostring(L, 2), h.pending.code);
    return PushOut(L, h, int(h.out.size()));
}

int MethodInner(lua_State* L, LuaHost& h);

// Stack: 1 object, 2 name, 3 cache; pending: id and by-reference mask.
int CacheMethod(lua_State* L, LuaHost& h) {
    lua_pushvalue(L, 2);
    lua_pushinteger(L, h.pending.code);
    lua_pushinteger(L, lua_Integer(h.pending.mask));
    lua_pushcclosure(L, Call<MethodInner>, 2);
    lua_pushvalue(L, -1);
    lua_insert(L, -3);
    lua_rawset(L, 3);
    return 1;
}

// Stack: 1 object, 2 name, 3 cache; pending: property code. The proxy is a userdata, so no
// index a script uses can hit a field of its own: its user values hold the object and the code.
int CacheIndexed(lua_State* L, LuaHost& h) {
    lua_newuserdatauv(L, 0, 2);
    lua_pushvalue(L, 1);
    lua_setiuservalue(L, -2, 1);
    lua_pushinteger(L, h.pending.code);
    lua_setiuservalue(L, -2, 2);
    lua_rawgetp(L, LUA_REGISTRYINDEX, &kIndexedMeta);
    lua_setmetatable(L, -2);
    lua_pushvalue(L, 2);
    lua_pushvalue(L, -2);
    lua_rawset(L, 3);
    return 1;
}

// Stack: 1 object; pending.sink: the sink just connected. Makes and pushes the events table.
int MakeEventsTable(lua_State* L, LuaHost& h) {
    lua_newtable(L);
    lua_pushvalue(L, -1);
    lua_setiuservalue(L, 1, 2);
    lua_rawgetp(L, LUA_REGISTRYINDEX, &kSinks);
    lua_pushvalue(L, -2);
    lua_rawseti(L, -2, lua_Integer(h.pending.sink));
    lua_pop(L, 1);
    return 1;
}

enum class Shape { Property, Method, Indexed };

// What a member is to Lua, from its declaration.
Shape ShapeOf(const MemberSpec& m, std::int64_t& code, std::uint64_t& mask) {
    code = std::int64_t(std::uint32_t(m.id)) | kDescribed;
    if (HasKind(m.kinds, CallKind::Get)) code |= kHasGet;
    if (HasKind(m.kinds, CallKind::Let)) code |= kHasLet;
    if (HasKind(m.kinds, CallKind::Set)) code |= kHasSet;
    mask = 0;
    for (std::size_t i = 0; i < m.params.size() && i < 64; ++i)
        if (m.params[i].byRef) mask |= std::uint64_t(1) << i;
    if (HasKind(m.kinds, CallKind::Method)) return Shape::Method;
    for (const ParamSpec& p : m.params)
        if (!p.optional) return Shape::Indexed;
    return Shape::Property;
}

// The userdata a metamethod runs on, with an object. No copy of the reference is needed to keep
// the object alive: a release inside the call is put off until the outermost call returns (Let).
LuaObject& SelfObject(lua_State* L) {
    LuaObject* u = ToObject(L, 1);
    if (!u) throw std::runtime_error("not a component object");
    if (!u->obj) Raise(kErrObjectNotSet);
    return *u;
}

Variant ReadProperty(Dispatch& o, std::int64_t code) {
    Args none;
    return o.Invoke(IdOf(code), CallKind::Get, none);
}

int EventsOf(lua_State* L, LuaHost& h, EventSource& source) {
    if (lua_getiuservalue(L, 1, 2) == LUA_TTABLE) {
        h.post = PushTop;
        return 0;
    }
    lua_pop(L, 1);
    const std::uint32_t id = h.nextSink++;
    source.AdviseSink(NewEventSink(h, id, source.EventInterface()));
    h.pending.sink = id;
    h.post = MakeEventsTable;
    return 0;
}

int IndexInner(lua_State* L, LuaHost& h) {
    const LuaObject& self = SelfObject(L);
    Dispatch& o = *self.obj;
    if (lua_type(L, 2) != LUA_TSTRING) Raise(kErrNotSupported);
    if (const LuaObject::Known* k = self.Find(lua_tostring(L, 2)))
        return Results(h, ReadProperty(o, k->code));
    lua_getiuservalue(L, 1, 1);
    lua_pushvalue(L, 2);
    const int cached = lua_rawget(L, 3);
    if (cached == LUA_TNUMBER) {
        Results(h, ReadProperty(o, lua_tointeger(L, 4)));
        h.pending.code = lua_tointeger(L, 4);
        h.post = RememberProperty;
        return 0;
    }
    if (cached != LUA_TNIL) {
        h.post = PushTop;
        return 0;
    }
    lua_pop(L, 1);
    std::size_t n = 0;
    const char* text = lua_tolstring(L, 2, &n);
    const std::string_view name(text, n);
    if (name == "events") {
        if (auto* source = dynamic_cast<EventSource*>(&o)) return EventsOf(L, h, *source);
    }
    const DispId id = o.GetIDOfName(name);
    std::int64_t code = std::int64_t(std::uint32_t(id));
    std::uint64_t mask = 0;
    Shape shape = Shape::Property;
    if (const MemberSpec* m = DescribeMember(o, id)) {
        shape = ShapeOf(*m, code, mask);
    } else {
        // Not described: read as a property first; one that is not turns out a method.
        try {
            Variant v = ReadProperty(o, code);
            h.pending.code = code | kHasGet | kHasLet | kHasSet;
            Results(h, std::move(v));
            h.post = CacheProperty;
            return 0;
        } catch (const VbError& e) {
            if (e.number() != kErrNotSupported && e.number() != 449 && e.number() != 450) throw;
            shape = Shape::Method;
        }
    }
    if (shape == Shape::Method) {
        h.pending.code = code;
        h.pending.mask = mask;
        h.post = CacheMethod;
        return 0;
    }
    if (shape == Shape::Indexed) {
        h.pending.code = code;
        h.post = CacheIndexed;
        return 0;
    }
    Variant v = ReadProperty(o, code);
    h.pending.code = code;
    Results(h, std::move(v));
    h.post = CacheProperty;
    return 0;
}

// Let for values, Set for objects; nil is Empty for a member that takes Let, else Nothing.
CallKind AssignmentKind(lua_State* L, int value, std::int64_t code) {
    const bool object = ToObject(L, value) != nullptr;
    if (!(code & kDescribed)) return object ? CallKind::Set : CallKind::Let;
    const bool hasSet = code & kHasSet, hasLet = code & kHasLet;
    if (hasSet && (object || !hasLet)) return CallKind::Set;
    return CallKind::Let;
}

int CacheCode(lua_State* L, LuaHost& h) {
    lua_pushvalue(L, 2);
    lua_pushinteger(L, h.pending.code);
    lua_rawset(L, 4);
    static_cast<LuaObject*>(lua_touserdata(L, 1))->Remember(lua_tostring(L, 2), h.pending.code);
    return 0;
}

int NewIndexInner(lua_State* L, LuaHost& h) {
    const LuaObject& self = SelfObject(L);
    Dispatch& o = *self.obj;
    if (lua_type(L, 2) != LUA_TSTRING) Raise(kErrNotSupported);
    if (const LuaObject::Known* k = self.Find(lua_tostring(L, 2))) {
        const CallKind kind = AssignmentKind(L, 3, k->code);
        Args args{ToVariant(L, 3, kind == CallKind::Set ? NilAs::Nothing : NilAs::Empty)};
        o.Invoke(IdOf(k->code), kind, args);
        return NoResults(h);
    }
    lua_getiuservalue(L, 1, 1);  // 4
    lua_pushvalue(L, 2);
    const int cached = lua_rawget(L, 4);
    std::int64_t code = 0;
    bool store = false;
    if (cached == LUA_TNUMBER) {
        code = lua_tointeger(L, 5);
        store = true;
    } else if (cached != LUA_TNIL) {
        Raise(kErrBadAssignment);
    } else {
        std::size_t n = 0;
        const char* text = lua_tolstring(L, 2, &n);
        const std::string_view name(text, n);
        if (name == "events" && dynamic_cast<EventSource*>(&o))
            throw std::runtime_error("set handlers as fields of events: obj.events.Name = f");
        const DispId id = o.GetIDOfName(name);
        code = std::int64_t(std::uint32_t(id));
        if (const MemberSpec* m = DescribeMember(o, id)) {
            // A method, or an indexed property without its index, takes no assignment.
            std::uint64_t mask = 0;
            if (ShapeOf(*m, code, mask) != Shape::Property) Raise(kErrBadAssignment);
            store = true;
        }
    }
    lua_settop(L, 4);
    const CallKind kind = AssignmentKind(L, 3, code);
    Args args{ToVariant(L, 3, kind == CallKind::Set ? NilAs::Nothing : NilAs::Empty)};
    o.Invoke(IdOf(code), kind, args);
    if (store) {
        h.pending.code = code;
        h.post = CacheCode;
    }
    return NoResults(h);
}

int MethodInner(lua_State* L, LuaHost& h) {
    const DispId id = DispId(lua_tointeger(L, lua_upvalueindex(1)));
    const auto mask = std::uint64_t(lua_tointeger(L, lua_upvalueindex(2)));
    const LuaObject* u = ToObject(L, 1);
    if (!u) throw std::runtime_error("call a method with ':' on its object: obj:Method(...)");
    if (!u->obj) Raise(kErrObjectNotSet);
    Dispatch& o = *u->obj;
    const int top = lua_gettop(L);
    Args args;
    args.reserve(std::size_t(top > 1 ? top - 1 : 0));
    for (int i = 2; i <= top; ++i) args.push_back(ToVariant(L, i, NilAs::Missing));
    Variant result = o.Invoke(id, CallKind::Method, args);
    h.out.clear();
    h.out.push_back(std::move(result));
    for (std::size_t i = 0; i < args.size() && i < 64; ++i)
        if (mask >> i & 1) h.out.push_back(std::move(args[i]));
    return int(h.out.size());
}

int GcInner(lua_State* L, LuaHost& h) {
    auto* u = static_cast<LuaObject*>(lua_touserdata(L, 1));
    if (!u || !u->obj) return 0;
    // The object's own shutdown runs now (or after the call under way); no Lua code runs inside
    // a finalizer.
    const bool was = h.finalizing;
    h.finalizing = true;
    Let(h, std::move(u->obj));
    h.finalizing = was;
    return 0;
}

int ToStringInner(lua_State* L, LuaHost& h) {
    const LuaObject* u = ToObject(L, 1);
    if (!u || !u->obj) return Results(h, "Nothing");
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(u->obj.get()));
    return Results(h, u->obj->TypeName() + ": " + address);
}

int EqualObjects(lua_State* L) {
    const LuaObject* a = ToObject(L, 1);
    const LuaObject* b = ToObject(L, 2);
    lua_pushboolean(L, a && b && a->obj == b->obj);
    return 1;
}

// ---- Indexed properties: panel.ToolTipPulsante[3], panel:ToolTipPulsante(3) ----

// The object and the property code of the proxy at 1; the object is left at the top.
Dispatch& ProxyTarget(lua_State* L, std::int64_t& code) {
    if (lua_type(L, 1) != LUA_TUSERDATA) throw std::runtime_error("not an indexed property");
    lua_getiuservalue(L, 1, 2);
    code = lua_tointeger(L, -1);
    lua_pop(L, 1);
    lua_getiuservalue(L, 1, 1);
    const LuaObject* u = ToObject(L, -1);
    if (!u) throw std::runtime_error("not an indexed property");
    if (!u->obj) Raise(kErrObjectNotSet);
    return *u->obj;
}

int IndexedGetInner(lua_State* L, LuaHost& h) {
    std::int64_t code = 0;
    Dispatch& o = ProxyTarget(L, code);
    Args args{ToVariant(L, 2, NilAs::Missing)};
    return Results(h, o.Invoke(IdOf(code), CallKind::Get, args));
}

int IndexedSetInner(lua_State* L, LuaHost& h) {
    std::int64_t code = 0;
    Dispatch& o = ProxyTarget(L, code);
    const CallKind kind = AssignmentKind(L, 3, code);
    Args args{ToVariant(L, 2, NilAs::Missing),
              ToVariant(L, 3, kind == CallKind::Set ? NilAs::Nothing : NilAs::Empty)};
    o.Invoke(IdOf(code), kind, args);
    return NoResults(h);
}

// proxy(obj, i, ...) as obj:Name(i, ...), or proxy(i, ...) as obj.Name(i, ...).
int IndexedCallInner(lua_State* L, LuaHost& h) {
    std::int64_t code = 0;
    const int top = lua_gettop(L);
    Dispatch& o = ProxyTarget(L, code);
    const int first = top >= 2 && lua_rawequal(L, 2, -1) ? 3 : 2;
    Args args;
    for (int i = first; i <= top; ++i) args.push_back(ToVariant(L, i, NilAs::Missing));
    return Results(h, o.Invoke(IdOf(code), CallKind::Get, args));
}

}  // namespace

void OpenObjects(lua_State* L) {
    static const luaL_Reg object[] = {{"__index", Call<IndexInner>},
                                      {"__newindex", Call<NewIndexInner>},
                                      {"__gc", Call<GcInner>},
                                      {"__close", Call<GcInner>},
                                      {"__tostring", Call<ToStringInner>},
                                      {"__eq", EqualObjects},
                                      {nullptr, nullptr}};
    lua_newtable(L);
    luaL_setfuncs(L, object, 0);
    lua_pushliteral(L, "quindel.Object");
    lua_setfield(L, -2, "__name");
    lua_pushboolean(L, 0);
    lua_setfield(L, -2, "__metatable");
    lua_rawsetp(L, LUA_REGISTRYINDEX, &kObjectMeta);

    static const luaL_Reg indexed[] = {{"__index", Call<IndexedGetInner>},
                                       {"__newindex", Call<IndexedSetInner>},
                                       {"__call", Call<IndexedCallInner>},
                                       {nullptr, nullptr}};
    lua_newtable(L);
    luaL_setfuncs(L, indexed, 0);
    lua_pushliteral(L, "quindel.IndexedProperty");
    lua_setfield(L, -2, "__name");
    lua_rawsetp(L, LUA_REGISTRYINDEX, &kIndexedMeta);
}

}  // namespace quindel::lua
