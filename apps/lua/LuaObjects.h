#pragma once
// The metatables of component objects and of indexed-property proxies, registered under
// kObjectMeta and kIndexedMeta: __index and __newindex reach members by name, methods come back
// as closures, indexed properties as proxies, __gc lets the object go.
#include <lua.hpp>

namespace quindel::lua {

void OpenObjects(lua_State* L);

}  // namespace quindel::lua
