// The scripted host: runs a Lua 5.4 script against components reached by late binding only.
//   quindel-lua [--qt] SCRIPT [ARGS...]
// Headless by default (virtual time, scripted input, PNG pictures); --qt runs the same script on
// the Qt backend with real windows. Exit code: 0, or 1 when the script fails (the error, with
// its file and line, goes to stderr), 2 for bad arguments.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "HeadlessBackend.h"
#include "LuaHost.h"
#ifdef QUINDEL_LUA_QT
#include "QtBackend.h"
#endif

namespace {

int Usage() {
    std::fprintf(stderr, "usage: quindel-lua [--qt] SCRIPT [ARGS...]\n");
    return 2;
}

int RunWith(quindel::lua::Backend& backend, const std::string& script,
            const std::vector<std::string>& args) {
    quindel::lua::LuaHost host(backend);
    return host.RunFile(script, args);
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    int i = 1;
    bool qt = false;
    if (i < argc && std::strcmp(argv[i], "--qt") == 0) {
        qt = true;
        ++i;
    }
    if (i >= argc || argv[i][0] == '-') return Usage();
    const std::string script = argv[i++];
    const std::vector<std::string> args(argv + i, argv + argc);
    try {
        if (qt) {
#ifdef QUINDEL_LUA_QT
            return quindel::lua::RunOnQt(argc, argv, script, args);
#else
            std::fprintf(stderr, "quindel-lua: built without the Qt backend\n");
            return 2;
#endif
        }
        quindel::lua::HeadlessBackend backend;
        return RunWith(backend, script, args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quindel-lua: %s\n", e.what());
        return 1;
    }
}
