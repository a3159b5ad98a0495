#include "LuaHost.h"

#include <cstdio>
#include <stdexcept>

#include "LuaSupport.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "runtime/Text.h"

namespace quindel::lua {

namespace {

struct GlobalToSet {
    const char* name;
    const Object* obj;
};

int SetGlobalProtected(lua_State* L) {
    const auto* g = static_cast<const GlobalToSet*>(lua_touserdata(L, 1));
    PushObject(L, *g->obj);
    lua_setglobal(L, g->name);
    return 0;
}

struct ScriptArgs {
    const std::string* script;
    const std::vector<std::string>* args;
};

// Sets the global `arg` as the standalone interpreter does and pushes the arguments.
int PushArgsProtected(lua_State* L) {
    const auto* a = static_cast<const ScriptArgs*>(lua_touserdata(L, 1));
    lua_pop(L, 1);
    lua_createtable(L, int(a->args->size()), 1);
    lua_pushlstring(L, a->script->data(), a->script->size());
    lua_rawseti(L, -2, 0);
    for (std::size_t i = 0; i < a->args->size(); ++i) {
        const std::string& s = (*a->args)[i];
        lua_pushlstring(L, s.data(), s.size());
        lua_rawseti(L, -2, lua_Integer(i + 1));
    }
    lua_setglobal(L, "arg");
    luaL_checkstack(L, int(a->args->size()), "script arguments");
    for (const std::string& s : *a->args) lua_pushlstring(L, s.data(), s.size());
    return int(a->args->size());
}

}  // namespace

LuaHost::LuaHost(Backend& backend) : backend_(backend) {
    L_ = luaL_newstate();
    if (!L_) throw std::bad_alloc();
    *static_cast<LuaHost**>(lua_getextraspace(L_)) = this;
    // Under lua_pcall: a failure while the tables are built is an exception, not an abort.
    lua_pushcfunction(L_, [](lua_State* L) -> int {
        luaL_openlibs(L);
        OpenBridge(HostOf(L));
        OpenHostTable(HostOf(L));
        return 0;
    });
    if (lua_pcall(L_, 0, 0, 0) != LUA_OK) {
        const std::string why = lua_tostring(L_, -1) ? lua_tostring(L_, -1) : "error";
        lua_close(L_);
        throw std::runtime_error("cannot start Lua: " + why);
    }
    AddHostKit(*this);
}

LuaHost::~LuaHost() {
    closing = true;
    *alive = false;
    for (AfterTimer& t : timers)
        if (t.timer) t.timer->setEnabled(false);
    // Objects the script still holds are released here, forms last.
    lua_close(L_);
    released.clear();
    timers.clear();
    forms_.clear();
}

int LuaHost::Run(int loadStatus, int nargs) {
    lua_State* L = L_;
    if (loadStatus != LUA_OK) {
        std::fprintf(stderr, "quindel-lua: %s\n", lua_tostring(L, -1));
        lua_settop(L, 0);
        return 1;
    }
    const int function = lua_gettop(L) - nargs;
    lua_pushcfunction(L, ErrorTraceback);
    lua_insert(L, function);
    const int status = lua_pcall(L, nargs, 0, function);
    if (status != LUA_OK) {
        const char* text = lua_tostring(L, -1);
        std::fprintf(stderr, "quindel-lua: %s\n", text ? text : "error");
        lua_settop(L, 0);
        return 1;
    }
    lua_settop(L, 0);
    return 0;
}

int LuaHost::RunFile(const std::string& path, const std::vector<std::string>& args) {
    const int status = luaL_loadfilex(L_, path.c_str(), "t");
    if (status != LUA_OK) return Run(status, 0);
    ScriptArgs a{&path, &args};
    lua_pushcfunction(L_, PushArgsProtected);
    lua_pushlightuserdata(L_, &a);
    if (lua_pcall(L_, 1, LUA_MULTRET, 0) != LUA_OK) return Run(LUA_ERRMEM, 0);
    return Run(LUA_OK, int(args.size()));
}

int LuaHost::RunString(const std::string& code, const std::string& name) {
    const int status = luaL_loadbufferx(L_, code.data(), code.size(), name.c_str(), "t");
    return Run(status, 0);
}

void LuaHost::SetGlobal(const std::string& name, const Object& obj) {
    GlobalToSet g{name.c_str(), &obj};
    lua_pushcfunction(L_, SetGlobalProtected);
    lua_pushlightuserdata(L_, &g);
    if (lua_pcall(L_, 1, 0, 0) != LUA_OK) {
        std::fprintf(stderr, "quindel-lua: %s\n", lua_tostring(L_, -1));
        lua_pop(L_, 1);
    }
}

void LuaHost::AddKit(const std::string& progId, KitMaker make) {
    kit_[LCase(progId)] = make;
}

const KitMaker* LuaHost::FindKit(const std::string& progId) const {
    const auto it = kit_.find(LCase(progId));
    return it == kit_.end() ? nullptr : &it->second;
}

std::shared_ptr<platform::Form> LuaHost::NewForm() {
    auto f = backend_.P().NewForm();
    forms_.push_back(f);
    return f;
}

void LuaHost::ReportHandlerError(const std::string& where, const std::string& message) {
    std::fprintf(stderr, "quindel-lua: error in %s: %s\n", where.c_str(), message.c_str());
    handlerErrors_.push_back(where + ": " + message);
}

}  // namespace quindel::lua
