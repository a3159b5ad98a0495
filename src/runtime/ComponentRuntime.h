#pragma once
// The component runtime: registration on behalf of a library's entry points, and creation of
// registered classes for hosts (CreateObject loads the class's library with dlopen and asks its
// class factory). Libraries stay loaded until FreeUnusedLibraries finds that their
// DllCanUnloadNow agrees.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/ClassFactory.h"
#include "runtime/Guid.h"
#include "runtime/HResult.h"
#include "runtime/Registry.h"

namespace quindel::component {

// What a library registers for one class.
struct ClassRegistration {
    Guid clsid;
    std::string className;
    std::string progId;
    Guid typeLib;
    std::string typeLibName;
    std::string typeLibVersion;
    std::vector<std::pair<Guid, std::string>> interfaces;  // id, name
};

// ---- For the library's entry points (they must not throw: these do not). ----
// Writes the class, its interfaces and its type library into the registration target.
// S_OK, or SELFREG_E_CLASS with the reason kept for LastError().
HResult RegisterServer(const ClassRegistration& c, const std::string& libraryPath);
// Removes them again; S_OK also when nothing was registered.
HResult UnregisterServer(const ClassRegistration& c);
// The absolute path of the loaded file that holds `address` (as it was loaded, links kept).
std::string ModulePath(const void* address);
// Why the last failed registration call of this thread failed.
std::string LastError();

// ---- For hosts. ----
// The registered class a program id or a braced class id names, searching the registries in
// order. Throws VbError 429 when none does (its description extended when a registry is
// unreadable).
ClassEntry ResolveClass(std::string_view progIdOrClassId);
// A new instance of the class, placed on the site. VbError 429 when the class is unknown or its
// library cannot give one; the factory's own VbErrors pass through.
Object CreateObject(std::string_view progIdOrClassId, const Site& site = {});
// Unloads every library loaded by CreateObject whose DllCanUnloadNow answers S_OK; returns how
// many were unloaded.
int FreeUnusedLibraries();
// How many libraries CreateObject has loaded and not yet unloaded.
std::size_t LoadedLibraryCount();

// A shared library opened for its entry points, closed on destruction.
class Library {
  public:
    Library() = default;
    explicit Library(const std::string& path);
    ~Library();
    Library(Library&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}
    Library& operator=(Library&& other) noexcept;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool IsOpen() const { return handle_ != nullptr; }
    // The loader's message when opening failed.
    const std::string& Error() const { return error_; }
    template <class Fn>
    Fn Symbol(const char* name) const {
        return reinterpret_cast<Fn>(RawSymbol(name));
    }

  private:
    void* RawSymbol(const char* name) const;
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace quindel::component
