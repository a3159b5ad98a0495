// Registers a component library, or removes its registration, by calling its entry point, as the
// classic registration tool does.
//   quindel-regsvr [-u] [-s] [--system | --registry FILE] [--record-as PATH] LIBRARY
// --record-as writes PATH as the library's location instead of where it was loaded from: a
// package's drop-in registry file is made at build time and names the library where it will be
// installed (a relative PATH is taken from the registry file's folder).
// Exit codes: 0 done, 1 bad arguments, 3 the library cannot be loaded, 4 it has no such entry
// point, 5 the entry point failed.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "runtime/ClassFactory.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/Registry.h"

namespace {

namespace component = quindel::component;

enum Exit { kDone = 0, kUsage = 1, kNotLoaded = 3, kNoEntryPoint = 4, kFailed = 5 };

int Usage() {
    std::fprintf(
        stderr,
        "usage: quindel-regsvr [-u] [-s] [--system | --registry FILE] [--record-as PATH] LIBRARY\n"
        "  -u          remove the registration (DllUnregisterServer)\n"
        "  -s          silent: print nothing when it works\n"
        "  --system    use the system-wide registry of this installation\n"
        "  --registry  use the registry file FILE\n"
        "  --record-as record PATH as the library's location (relative: from the\n"
        "              registry file's folder), as a package's drop-in file does\n"
        "Without --system or --registry the registry is $QUINDEL_REGISTRY, else the\n"
        "per-user registry.\n");
    return kUsage;
}

// Renames the library in the entries the entry point has just written.
bool RecordAs(const std::string& loaded, const std::string& path) {
    try {
        component::RegistrationTarget().Update([&](component::RegistryData& d) {
            for (component::ClassEntry& e : d.classes)
                if (e.library == loaded) e.library = path;
            for (component::TypeLibEntry& e : d.typeLibs)
                if (e.library == loaded) e.library = path;
        });
        return true;
    } catch (const component::RegistryError& e) {
        std::fprintf(stderr, "quindel-regsvr: %s\n", e.what());
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool unregister = false, silent = false;
    std::optional<std::filesystem::path> registry;
    std::optional<std::string> recordAs;
    std::string library;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-u" || a == "/u") {
            unregister = true;
        } else if (a == "-s" || a == "/s") {
            silent = true;
        } else if (a == "--system") {
            registry = component::SystemRegistryPath();
        } else if (a == "--registry" && i + 1 < argc) {
            registry = std::filesystem::absolute(argv[++i]);
        } else if (a == "--record-as" && i + 1 < argc && argv[i + 1][0] != '\0') {
            recordAs = argv[++i];
        } else if (a == "-h" || a == "--help" || (!a.empty() && a[0] == '-') || !library.empty()) {
            return Usage();
        } else {
            library = a;
        }
    }
    if (library.empty() || (recordAs && unregister)) return Usage();
    if (registry) component::SetRegistryOverride(*registry);

    // A bare file name means the file here, not a search of the loader's path.
    std::error_code ec;
    if (library.find('/') == std::string::npos && std::filesystem::exists(library, ec))
        library = "./" + library;
    const component::Library lib(library);
    if (!lib.IsOpen()) {
        std::fprintf(stderr, "quindel-regsvr: cannot load %s: %s\n", library.c_str(),
                     lib.Error().c_str());
        return kNotLoaded;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const auto fn = lib.Symbol<quindel::DllRegisterServerFn>(entry);
    if (!fn) {
        std::fprintf(stderr,
                     "quindel-regsvr: %s was loaded, but it has no %s entry point: it is not a "
                     "component library that can be registered.\n",
                     library.c_str(), entry);
        return kNoEntryPoint;
    }
    const quindel::HResult r = fn();
    const std::string target = component::RegistrationTarget().Path().string();
    if (!quindel::Succeeded(r)) {
        const std::string why = component::LastError();
        std::fprintf(stderr, "quindel-regsvr: %s in %s failed with result 0x%08X%s%s\n", entry,
                     library.c_str(), unsigned(r), why.empty() ? "" : ": ", why.c_str());
        return kFailed;
    }
    if (recordAs) {
        const std::string loaded = component::ModulePath(reinterpret_cast<const void*>(fn));
        if (!RecordAs(loaded, *recordAs)) return kFailed;
    }
    if (!silent)
        std::printf("%s in %s succeeded (registry %s).\n", entry, library.c_str(), target.c_str());
    return kDone;
}
