#include "runtime/ComponentRuntime.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <mutex>

#include "runtime/VbError.h"

namespace quindel::component {

namespace {

constexpr int kErrCantCreate = 429;

thread_local std::string lastError;

HResult Fail(const std::string& why) {
    lastError = why;
    return hr::SELFREG_E_CLASS;
}

[[noreturn]] void CantCreate(std::string_view id, const std::string& why = {}) {
    std::string text = StandardErrorText(kErrCantCreate);
    if (!why.empty()) text += " (" + why + ")";
    throw VbError(kErrCantCreate, std::string(id), text);
}

struct Loaded {
    void* handle = nullptr;
    DllGetClassObjectFn getClassObject = nullptr;
    DllCanUnloadNowFn canUnloadNow = nullptr;
};

// Libraries loaded by CreateObject, by the path the registry gives.
std::mutex loadedMutex;
std::map<std::string, Loaded> loaded;

// With loadedMutex held.
Loaded& Load(std::string_view id, const std::string& path) {
    if (auto it = loaded.find(path); it != loaded.end()) return it->second;
    void* h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        const char* why = ::dlerror();
        CantCreate(id, why ? why : "cannot load " + path);
    }
    Loaded l;
    l.handle = h;
    l.getClassObject = reinterpret_cast<DllGetClassObjectFn>(::dlsym(h, "DllGetClassObject"));
    l.canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(::dlsym(h, "DllCanUnloadNow"));
    if (!l.getClassObject || !l.canUnloadNow) {
        ::dlclose(h);
        CantCreate(id, path + " has no DllGetClassObject or DllCanUnloadNow");
    }
    return loaded.emplace(path, l).first->second;
}

}  // namespace

HResult RegisterServer(const ClassRegistration& c, const std::string& libraryPath) {
    try {
        const RegistryFile target = RegistrationTarget();
        target.Update([&](RegistryData& d) {
            d.Put(ClassEntry{c.clsid, c.className, c.progId, libraryPath, c.typeLib});
            for (const auto& [iid, name] : c.interfaces)
                d.Put(InterfaceEntry{iid, name, c.typeLib});
            d.Put(TypeLibEntry{c.typeLib, c.typeLibName, c.typeLibVersion, libraryPath});
        });
        return hr::S_OK;
    } catch (const std::exception& e) {
        return Fail(e.what());
    } catch (...) {
        return Fail("unexpected failure");
    }
}

HResult UnregisterServer(const ClassRegistration& c) {
    try {
        const RegistryFile target = RegistrationTarget();
        if (!std::filesystem::exists(target.Path())) return hr::S_OK;
        target.Update([&](RegistryData& d) {
            d.RemoveClass(c.clsid);
            for (const auto& iface : c.interfaces) d.RemoveInterface(iface.first);
            d.RemoveTypeLib(c.typeLib);
        });
        return hr::S_OK;
    } catch (const std::exception& e) {
        return Fail(e.what());
    } catch (...) {
        return Fail("unexpected failure");
    }
}

std::string ModulePath(const void* address) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || !info.dli_fname) return {};
    std::error_code ec;
    const auto abs = std::filesystem::absolute(info.dli_fname, ec);
    return ec ? std::string(info.dli_fname) : abs.lexically_normal().string();
}

std::string LastError() {
    return lastError;
}

ClassEntry ResolveClass(std::string_view id) {
    const std::optional<Guid> clsid = Guid::Parse(id);
    for (const RegistryFile& r : LookupRegistries()) {
        RegistryData d;
        try {
            d = r.Read();
        } catch (const RegistryError& e) {
            CantCreate(id, e.what());
        }
        const ClassEntry* e = clsid ? d.FindClass(*clsid) : d.FindProgId(id);
        if (e) return *e;
    }
    CantCreate(id);
}

Object CreateObject(std::string_view id, const Site& site) {
    const ClassEntry entry = ResolveClass(id);
    ClassFactoryRef factory;
    {
        // Held until the factory reference exists, so no FreeUnusedLibraries can unload the
        // library in between; the factory reference then keeps it loaded.
        std::lock_guard lock(loadedMutex);
        Loaded& lib = Load(id, entry.library);
        void* out = nullptr;
        const HResult r = lib.getClassObject(&entry.clsid, &kIidClassFactory, &out);
        if (!Succeeded(r) || !out) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%08X", unsigned(r));
            CantCreate(id, "DllGetClassObject of " + entry.library + " answered " + code);
        }
        factory.reset(static_cast<ClassFactory*>(out));
    }
    Object obj = factory->CreateInstance(site);
    if (!obj) CantCreate(id, "the class factory gave no object");
    return obj;
}

int FreeUnusedLibraries() {
    std::lock_guard lock(loadedMutex);
    int unloaded = 0;
    for (auto it = loaded.begin(); it != loaded.end();) {
        if (it->second.canUnloadNow() == hr::S_OK) {
            ::dlclose(it->second.handle);
            it = loaded.erase(it);
            ++unloaded;
        } else {
            ++it;
        }
    }
    return unloaded;
}

std::size_t LoadedLibraryCount() {
    std::lock_guard lock(loadedMutex);
    return loaded.size();
}

Library::Library(const std::string& path) {
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = ::dlerror();
        error_ = why ? why : "cannot load " + path;
    }
}

Library::~Library() {
    if (handle_) ::dlclose(handle_);
}

Library& Library::operator=(Library&& other) noexcept {
    if (this != &other) {
        if (handle_) ::dlclose(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

void* Library::RawSymbol(const char* name) const {
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

}  // namespace quindel::component
