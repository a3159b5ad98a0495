#pragma once
// The scripted host: a Lua 5.4 state that reaches components by late binding only (CreateObject
// through the component runtime), with a `host` table that drives the platform. Shared by the
// quindel-lua program, its backends and the binding benchmark.
//
// Lua errors are longjmps: every C function follows one shape (Call in LuaBridge.cpp). Its C++
// part runs inside try/catch and touches the Lua stack only with calls that cannot raise; it
// leaves its results in the host (out, post). Only after every C++ frame with a destructor has
// ended does the C function push them, or raise the stored error. Lua code run from C++ (event
// handlers, timers) runs under lua_pcall, and nothing thrown in C++ ever crosses a Lua frame.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Dispatch.h"
#include "runtime/Variant.h"

struct lua_State;

namespace quindel::platform {
class Platform;
class Form;
class Window;
class Image;
class Timer;
}  // namespace quindel::platform

namespace quindel::lua {

// One message box as the backend recorded it.
struct Box {
    std::string text;
    std::int32_t style = 0;
    std::string title;
    std::int16_t answer = 0;
};

// What the host table drives. Input steps go on a timeline: each happens `afterMs` after the
// previous scripted step and is delivered while Run lets time pass.
class Backend {
  public:
    virtual ~Backend() = default;
    virtual const char* Name() const = 0;
    virtual platform::Platform& P() = 0;
    // Lets ms of (virtual or real) time pass, delivering input and running timers; 0 runs what
    // is due now.
    virtual void Run(std::int64_t ms) = 0;
    // Screen pixels.
    virtual void MoveTo(int x, int y, std::int64_t afterMs) = 0;
    virtual void Press(std::int16_t button, std::int64_t afterMs) = 0;
    virtual void Release(std::int16_t button, std::int64_t afterMs) = 0;
    virtual void Key(std::int16_t keyCode, std::int16_t shift, std::int64_t afterMs) = 0;
    virtual void QueueAnswer(std::int16_t answer) = 0;
    virtual std::vector<Box> Boxes() const = 0;
    virtual void ClearBoxes() = 0;
    virtual platform::Image GrabScreen() = 0;
};

// A host-kit object maker: the arguments after the program id.
using KitMaker = Object (*)(class LuaHost& h, Args& args);

class LuaHost {
  public:
    explicit LuaHost(Backend& backend);
    ~LuaHost();
    LuaHost(const LuaHost&) = delete;
    LuaHost& operator=(const LuaHost&) = delete;

    lua_State* State() const { return L_; }
    Backend& backend() { return backend_; }

    // Runs a script file with its arguments (the global `arg` and `...`). Returns the exit code:
    // 0, or 1 after printing the error (file and line first) to stderr.
    int RunFile(const std::string& path, const std::vector<std::string>& args);
    // Runs a chunk of text; for tests and the benchmark. Same result as RunFile.
    int RunString(const std::string& code, const std::string& name);
    // Makes obj the value of the global `name`.
    void SetGlobal(const std::string& name, const Object& obj);

    // Program ids of the host kit (host.new); case-insensitive.
    void AddKit(const std::string& progId, KitMaker make);
    const KitMaker* FindKit(const std::string& progId) const;

    // Forms the host made stay alive until they are unloaded or the host ends.
    std::shared_ptr<platform::Form> NewForm();
    // Errors of event handlers and timer callbacks, reported and collected.
    void ReportHandlerError(const std::string& where, const std::string& message);
    const std::vector<std::string>& HandlerErrors() const { return handlerErrors_; }

    // ---- State of the C function running now (LuaBridge.cpp). ----
    struct Failure {
        bool failed = false;
        bool isVb = false;
        std::int32_t number = 0;
        std::string description, source, message;
    };
    std::vector<Variant> out;                     // results of the C++ part, pushed afterwards
    int (*post)(lua_State*, LuaHost&) = nullptr;  // pushes structured results instead
    Failure failure;
    struct Pending {  // plain data for the post step
        std::int64_t code = 0;
        std::uint64_t mask = 0;
        std::uint32_t sink = 0;
        int timer = -1;
    } pending;
    std::vector<Box> boxes;        // host.boxes() result, pushed by its post step
    lua_State* current = nullptr;  // the thread running a C function of ours
    bool closing = false;          // no Lua code runs once the state closes
    bool finalizing = false;       // nor while a finalizer releases an object
    // Cleared when the host goes, for objects that outlive it (event sinks held by a control).
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);

    // host.after timers: the Lua function each one calls lives in the registry under ref.
    struct AfterTimer {
        std::shared_ptr<platform::Timer> timer;
        int ref = -2;  // LUA_NOREF
    };
    std::vector<AfterTimer> timers;
    std::uint32_t nextSink = 1;
    // Calls of ours in progress. An object released inside one (by Release, or a finalizer) is
    // kept here until the outermost returns, so a call under way never loses its object.
    int depth = 0;
    std::vector<Object> released;

  private:
    int Run(int loadStatus, int nargs);
    Backend& backend_;
    lua_State* L_ = nullptr;
    std::map<std::string, KitMaker> kit_;  // folded program ids
    std::vector<std::shared_ptr<platform::Form>> forms_;
    std::vector<std::string> handlerErrors_;
};

// Registers the globals (CreateObject, Release, FreeUnusedLibraries, Nothing, Null) and the
// object metatables; LuaBridge.cpp.
void OpenBridge(LuaHost& h);
// Registers the `host` table; LuaHostTable.cpp.
void OpenHostTable(LuaHost& h);
// The kit program ids; HostKit.cpp.
void AddHostKit(LuaHost& h);
// The platform window an object stands for: a window object, or any object with an hWnd the
// platform knows. Raises 5 otherwise.
platform::Window& WindowOfObject(LuaHost& h, const Object& obj);

}  // namespace quindel::lua
