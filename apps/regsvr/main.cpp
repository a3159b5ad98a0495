// Registers a component library, or removes its registration, by calling its entry point, as the
// classic registration tool does.
//   quindel-regsvr [-u] [-s] [--system | --registry FILE] LIBRARY
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
    std::fprintf(stderr,
                 "usage: quindel-regsvr [-u] [-s] [--system | --registry FILE] LIBRARY\n"
                 "  -u          remove the registration (DllUnregisterServer)\n"
                 "  -s          silent: print nothing when it works\n"
                 "  --system    use the system-wide registry of this installation\n"
                 "  --registry  use the registry file FILE\n"
                 "Without --system or --registry the registry is $QUINDEL_REGISTRY, else the\n"
                 "per-user registry.\n");
    return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
    bool unregister = false, silent = false;
    std::optional<std::filesystem::path> registry;
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
        } else if (a == "-h" || a == "--help" || (!a.empty() && a[0] == '-') || !library.empty()) {
            return Usage();
        } else {
            library = a;
        }
    }
    if (library.empty()) return Usage();
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
    if (!silent)
        std::printf("%s in %s succeeded (registry %s).\n", entry, library.c_str(), target.c_str());
    return kDone;
}
