// The cost of late binding: one property read (VolumeAudio) by a direct C++ call, by dispatch id,
// by name, through the object a host gets from the class factory, and from a Lua script, against
// the floor of a Lua call of an empty C function.
#include <benchmark/benchmark.h>

#include <lua.hpp>

#include "HeadlessBackend.h"
#include "LuaHost.h"
#include "control/Quindel.h"
#include "platform/Form.h"
#include "runtime/ClassFactory.h"

extern "C" quindel::HResult DllGetClassObject(const quindel::Guid*, const quindel::Guid*, void**);

using namespace quindel;

namespace {

constexpr DispId kVolumeAudio = 0x68030062;

struct Fixture {
    headless::HeadlessPlatform p;
    std::shared_ptr<platform::Form> form = p.NewForm();
    std::shared_ptr<Quindel> q = Quindel::Crea(p, *form);
};

// The object CreateObject hands a host: the control behind the class factory.
Object Hosted(platform::Platform& p, platform::Form& form) {
    const Guid clsid = *Guid::Parse("{5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A004}");
    void* out = nullptr;
    if (DllGetClassObject(&clsid, &kIidClassFactory, &out) != hr::S_OK) return nullptr;
    ClassFactoryRef factory(static_cast<ClassFactory*>(out));
    return factory->CreateInstance({&p, &form});
}

void BM_DirectGetter(benchmark::State& state) {
    Fixture f;
    Quindel* q = f.q.get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(q);
        benchmark::DoNotOptimize(q->VolumeAudio());
    }
}
BENCHMARK(BM_DirectGetter);

void BM_InvokeById(benchmark::State& state) {
    Fixture f;
    Dispatch& d = *f.q;
    for (auto _ : state) {
        Args none;
        benchmark::DoNotOptimize(d.Invoke(kVolumeAudio, CallKind::Get, none));
    }
}
BENCHMARK(BM_InvokeById);

void BM_InvokeByName(benchmark::State& state) {
    Fixture f;
    const Object obj = f.q;
    for (auto _ : state) benchmark::DoNotOptimize(GetProperty(obj, "VolumeAudio"));
}
BENCHMARK(BM_InvokeByName);

void BM_InvokeByIdHosted(benchmark::State& state) {
    Fixture f;
    const Object obj = Hosted(f.p, *f.form);
    if (!obj) return state.SkipWithError("no class factory");
    for (auto _ : state) {
        Args none;
        benchmark::DoNotOptimize(obj->Invoke(kVolumeAudio, CallKind::Get, none));
    }
}
BENCHMARK(BM_InvokeByIdHosted);

// ---- From Lua: each iteration runs a loop of kLoop reads (or calls) in the script. ----

constexpr int kLoop = 1000;

int EmptyFunction(lua_State* L) {
    lua_pushinteger(L, 255);
    return 1;
}

void RunLoop(benchmark::State& state, const char* loop) {
    lua::HeadlessBackend backend;
    lua::LuaHost host(backend);
    auto form = host.NewForm();
    const Object panel = Hosted(backend.P(), *form);
    if (!panel) return state.SkipWithError("no class factory");
    host.SetGlobal("panel", panel);
    lua_State* L = host.State();
    lua_register(L, "empty", EmptyFunction);
    if (host.RunString(std::string("function loop(n) local p, f = panel, empty ") + loop + " end",
                       "=bench") != 0)
        return state.SkipWithError("the loop does not compile");
    for (auto _ : state) {
        lua_getglobal(L, "loop");
        lua_pushinteger(L, kLoop);
        if (lua_pcall(L, 1, 0, 0) != LUA_OK) {
            state.SkipWithError(lua_tostring(L, -1));
            lua_pop(L, 1);
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kLoop);
}

void BM_LuaEmptyCFunction(benchmark::State& state) {
    RunLoop(state, "for i = 1, n do local v = f() end");
}
BENCHMARK(BM_LuaEmptyCFunction);

void BM_LuaPropertyRead(benchmark::State& state) {
    RunLoop(state, "for i = 1, n do local v = p.VolumeAudio end");
}
BENCHMARK(BM_LuaPropertyRead);

void BM_LuaMethodCall(benchmark::State& state) {
    RunLoop(state, "for i = 1, n do p:SpegniToolTip() end");
}
BENCHMARK(BM_LuaMethodCall);

void BM_LuaIndexedPropertyRead(benchmark::State& state) {
    RunLoop(state, "for i = 1, n do local v = p.ToolTipPulsante[3] end");
}
BENCHMARK(BM_LuaIndexedPropertyRead);

}  // namespace

BENCHMARK_MAIN();
