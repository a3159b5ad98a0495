// The bridge's globals and registry: the error, Null and Nothing values, the weak caches of
// objects and sinks, and CreateObject, Release, FreeUnusedLibraries and TypeName.
#include <stdexcept>
#include <string_view>

#include "LuaObjects.h"
#include "LuaSupport.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "runtime/ComponentRuntime.h"

namespace quindel::lua {

namespace {

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

}  // namespace

void OpenBridge(LuaHost& h) {
    lua_State* L = h.State();
    OpenObjects(L);

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
    luaL_setfuncs(L, globals, 0);
    lua_pop(L, 1);
}

}  // namespace quindel::lua
