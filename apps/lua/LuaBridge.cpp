// Objects in Lua: a component object is a full userdata holding its Object, with __index and
// __newindex reaching its members by name. Each userdata keeps a cache of the names it was asked
// for (its first user value): a property as an integer (dispatch id and access flags), a method
// as a closure, an indexed property as a proxy userdata; the last few properties are also kept
// in the userdata itself, found by the address of the name's string, so a repeated read costs
// no table access before the call. The same C++ object always comes back as the same userdata
// while it lives (a weak table keyed by its address), so scripts can compare objects with ==.
#include <cstdio>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "LuaSupport.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/EventSource.h"

namespace quindel::lua {

namespace {

constexpr int kErrNotSupported = 438;
constexpr int kErrObjectNotSet = 91;
constexpr int kErrTypeMismatch = 13;
constexpr int kErrBadAssignment = 450;

// Flags of a cached property, above its 32-bit dispatch id.
constexpr std::int64_t kHasGet = std::int64_t(1) << 32;
constexpr std::int64_t kHasLet = std::int64_t(1) << 33;
constexpr std::int64_t kHasSet = std::int64_t(1) << 34;
constexpr std::int64_t kDescribed = std::int64_t(1) << 35;

DispId IdOf(std::int64_t code) {
    return DispId(std::uint32_t(code & 0xffffffff));
}

// ---- Failures and results ----

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

// ---- Conversions ----

LuaObject* ToObject(lua_State* L, int idx) {
    // A light userdata has no length: only a full userdata of our size passes the first test.
    auto* u = static_cast<LuaObject*>(lua_touserdata(L, idx));
    if (!u || lua_rawlen(L, idx) != sizeof(LuaObject)) return nullptr;
    return u->magic == LuaObject::kMagic ? u : nullptr;
}

Variant ToVariant(lua_State* L, int idx, NilAs nil) {
    switch (lua_type(L, idx)) {
        case LUA_TNONE:
        case LUA_TNIL:
            if (nil == NilAs::Missing) return Variant::Missing();
            if (nil == NilAs::Nothing) return Variant(nullptr);
            return Variant();
        case LUA_TBOOLEAN:
            return Variant(lua_toboolean(L, idx) != 0);
        case LUA_TNUMBER:
            if (lua_isinteger(L, idx)) {
                const lua_Integer i = lua_tointeger(L, idx);
                if (i >= std::numeric_limits<std::int32_t>::min() &&
                    i <= std::numeric_limits<std::int32_t>::max())
                    return Variant(std::int32_t(i));
                return Variant(double(i));
            }
            return Variant(double(lua_tonumber(L, idx)));
        case LUA_TSTRING: {
            std::size_t n = 0;
            const char* s = lua_tolstring(L, idx, &n);
            return Variant(std::string(s, n));
        }
        case LUA_TUSERDATA:
            if (const LuaObject* u = ToObject(L, idx)) return Variant(u->obj);
            break;
        case LUA_TTABLE: {
            lua_rawgetp(L, LUA_REGISTRYINDEX, &kNull);
            const bool isNull = lua_rawequal(L, idx, -1);
            lua_pop(L, 1);
            if (isNull) return Variant::Null();
            break;
        }
        default:
            break;
    }
    Raise(kErrTypeMismatch);
}

Variant CoerceLike(const Variant& like, const Variant& v) {
    switch (like.type()) {
        case VarType::Boolean:
            return CBool(v);
        case VarType::Byte:
            return CByte(v);
        case VarType::Integer:
            return CInt(v);
        case VarType::Long:
            return CLng(v);
        case VarType::Single:
            return CSng(v);
        case VarType::Double:
            return CDbl(v);
        case VarType::String:
            return CStr(v);
        case VarType::Object:
            if (!v.isObject()) Raise(kErrTypeMismatch);
            return v;
        default:
            return v;
    }
}

void PushVariant(lua_State* L, const Variant& v) {
    switch (v.type()) {
        case VarType::Empty:
        case VarType::Missing:
            lua_pushnil(L);
            return;
        case VarType::Null:
            lua_rawgetp(L, LUA_REGISTRYINDEX, &kNull);
            return;
        case VarType::Boolean:
            lua_pushboolean(L, *v.asBoolPtr());
            return;
        case VarType::Byte:
            lua_pushinteger(L, *v.asBytePtr());
            return;
        case VarType::Integer:
            lua_pushinteger(L, *v.asIntegerPtr());
            return;
        case VarType::Long:
            lua_pushinteger(L, *v.asLongPtr());
            return;
        case VarType::Single:
            lua_pushnumber(L, double(*v.asSinglePtr()));
            return;
        case VarType::Double:
            lua_pushnumber(L, *v.asDoublePtr());
            return;
        case VarType::String: {
            const std::string& s = *v.asStringPtr();
            lua_pushlstring(L, s.data(), s.size());
            return;
        }
        case VarType::Object:
            PushObject(L, *v.asObjectPtr());
            return;
    }
    lua_pushnil(L);
}

void PushObject(lua_State* L, const Object& obj) {
    if (!obj) {
        lua_pushnil(L);
        return;
    }
    luaL_checkstack(L, 4, "object");
    lua_rawgetp(L, LUA_REGISTRYINDEX, &kObjectCache);
    if (lua_rawgetp(L, -1, obj.get()) == LUA_TUSERDATA) {
        const LuaObject* u = ToObject(L, -1);
        if (u && u->obj.get() == obj.get()) {
            lua_remove(L, -2);
            return;
        }
    }
    lua_pop(L, 1);
    auto* u = static_cast<LuaObject*>(lua_newuserdatauv(L, sizeof(LuaObject), 2));
    new (u) LuaObject;
    u->obj = obj;
    lua_rawgetp(L, LUA_REGISTRYINDEX, &kObjectMeta);
    lua_setmetatable(L, -2);
    lua_newtable(L);
    lua_setiuservalue(L, -2, 1);
    lua_pushvalue(L, -1);
    lua_rawsetp(L, -3, obj.get());
    lua_remove(L, -2);
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

namespace {

// ---- Event sinks ----

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
    source.AdviseSink(std::make_shared<LuaSink>(h, id, source.EventInterface()));
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

// ---- Errors ----

int ErrorToString(lua_State* L) {
    lua_getfield(L, 1, "where");
    lua_pushliteral(L, "run-time error ");
    lua_getfield(L, 1, "number");
    lua_pushliteral(L, ": ");
    lua_getfield(L, 1, "description");
    lua_concat(L, 5);
    return 1;
}

// ---- Globals ----

int CreateObjectInner(lua_State* L, LuaHost& h) {
    if (lua_type(L, 1) != LUA_TSTRING) Raise(kErrTypeMismatch);
    std::size_t n = 0;
    const char* id = lua_tolstring(L, 1, &n);
    Site site{&h.backend().P(), nullptr};
    if (!lua_isnoneornil(L, 2)) {
        const LuaObject* u = ToObject(L, 2);
        if (!u || !u->obj) Raise(424);
        platform::Window& w = WindowOfObject(h, u->obj);
        if (w.Kind() != platform::WindowKind::Form)
            throw std::runtime_error("a control's site is a form");
        site.form = static_cast<platform::Form*>(&w);
    }
    return Results(h, component::CreateObject(std::string_view(id, n), site));
}

// Drops the script's reference; the object goes when nothing else holds it.
int ReleaseInner(lua_State* L, LuaHost& h) {
    auto* u = ToObject(L, 1);
    if (!u) {
        if (lua_isnoneornil(L, 1)) return NoResults(h);
        Raise(424);
    }
    if (!u->obj) return NoResults(h);
    lua_rawgetp(L, LUA_REGISTRYINDEX, &kObjectCache);
    lua_pushnil(L);
    lua_rawsetp(L, -2, u->obj.get());  // setting nil never allocates
    Let(h, std::move(u->obj));
    return NoResults(h);
}

int FreeUnusedInner(lua_State*, LuaHost& h) {
    return Results(h, std::int32_t(component::FreeUnusedLibraries()));
}

// The classic TypeName of a value as it would cross into a component.
int TypeNameInner(lua_State* L, LuaHost& h) {
    const Variant v = ToVariant(L, 1, NilAs::Empty);
    if (const Object* o = v.asObjectPtr(); o && *o) return Results(h, (*o)->TypeName());
    return Results(h, v.TypeName());
}

void SetFunctions(lua_State* L, const luaL_Reg* fns) {
    luaL_setfuncs(L, fns, 0);
}

}  // namespace

void OpenBridge(LuaHost& h) {
    lua_State* L = h.State();
    static const luaL_Reg object[] = {{"__index", Call<IndexInner>},
                                      {"__newindex", Call<NewIndexInner>},
                                      {"__gc", Call<GcInner>},
                                      {"__close", Call<GcInner>},
                                      {"__tostring", Call<ToStringInner>},
                                      {"__eq", EqualObjects},
                                      {nullptr, nullptr}};
    lua_newtable(L);
    SetFunctions(L, object);
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
    SetFunctions(L, indexed);
    lua_pushliteral(L, "quindel.IndexedProperty");
    lua_setfield(L, -2, "__name");
    lua_rawsetp(L, LUA_REGISTRYINDEX, &kIndexedMeta);

    lua_newtable(L);
    lua_pushcfunction(L, ErrorToString);
    lua_setfield(L, -2, "__tostring");
    lua_pushliteral(L, "quindel.Error");
    lua_setfield(L, -2, "__name");
    lua_rawsetp(L, LUA_REGISTRYINDEX, &kErrorMeta);

    for (const char* key : {&kObjectCache, &kSinks}) {
        lua_newtable(L);
        lua_createtable(L, 0, 1);
        lua_pushliteral(L, "v");
        lua_setfield(L, -2, "__mode");
        lua_setmetatable(L, -2);
        lua_rawsetp(L, LUA_REGISTRYINDEX, key);
    }

    lua_newtable(L);
    lua_createtable(L, 0, 1);
    lua_pushliteral(L, "Null");
    lua_pushcclosure(
        L,
        [](lua_State* S) -> int {
            lua_pushvalue(S, lua_upvalueindex(1));
            return 1;
        },
        1);
    lua_setfield(L, -2, "__tostring");
    lua_setmetatable(L, -2);
    lua_pushvalue(L, -1);
    lua_rawsetp(L, LUA_REGISTRYINDEX, &kNull);
    lua_setglobal(L, "Null");

    // Nothing: an object reference to no object.
    auto* nothing = static_cast<LuaObject*>(lua_newuserdatauv(L, sizeof(LuaObject), 2));
    new (nothing) LuaObject;
    lua_rawgetp(L, LUA_REGISTRYINDEX, &kObjectMeta);
    lua_setmetatable(L, -2);
    lua_newtable(L);
    lua_setiuservalue(L, -2, 1);
    lua_setglobal(L, "Nothing");

    static const luaL_Reg globals[] = {{"CreateObject", Call<CreateObjectInner>},
                                       {"Release", Call<ReleaseInner>},
                                       {"FreeUnusedLibraries", Call<FreeUnusedInner>},
                                       {"TypeName", Call<TypeNameInner>},
                                       {nullptr, nullptr}};
    lua_pushglobaltable(L);
    SetFunctions(L, globals);
    lua_pop(L, 1);
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
