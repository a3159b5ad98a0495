// Values crossing between Lua and the component: Lua values as Variants, Variants pushed as Lua
// values, and component objects as userdata, one userdata per live object.
#include <cstdint>
#include <limits>
#include <new>
#include <string>

#include "LuaSupport.h"
#include "runtime/Coercions.h"

namespace quindel::lua {

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

}  // namespace quindel::lua
