// The control's type library: its class, the dispatch interface _Quindel and the event interface
// __Quindel with every member's dispatch id, kind and parameter types, and the identifiers. The
// text is read from the type-library section of a library file, so nothing is loaded or created.
//   quindel-typelib LIBRARY            print the type library LIBRARY carries
//   quindel-typelib OUTFILE            write the type library of the linked component to OUTFILE
//   quindel-typelib LIBRARY OUTFILE    write the type library LIBRARY carries to OUTFILE
// An existing OUTFILE is replaced only when it holds a type library text already.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "runtime/ComponentRuntime.h"
#include "runtime/HResult.h"
#include "runtime/TypeLibraryResource.h"

// An entry point of the component this tool is linked with: it tells where that library lies.
extern "C" quindel::HResult DllCanUnloadNow();

namespace {

bool StartsWith(const std::string& path, std::string_view head) {
    std::string start(head.size(), '\0');
    std::ifstream in(path, std::ios::binary);
    return in.read(start.data(), std::streamsize(start.size())) && start == head;
}

bool IsElf(const std::string& path) {
    return StartsWith(path,
                      "\x7f"
                      "ELF");
}

// Only an earlier type library text is replaced: a mistyped argument never costs a file.
bool MayWrite(const std::string& path) {
    std::error_code ec;
    return !std::filesystem::exists(path, ec) || StartsWith(path, "// Type library");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr,
                     "usage: quindel-typelib LIBRARY           print its type library\n"
                     "       quindel-typelib [LIBRARY] OUTFILE write it to OUTFILE\n");
        return 2;
    }
    std::string library, outfile;
    if (argc == 3) {
        library = argv[1];
        outfile = argv[2];
    } else if (IsElf(argv[1])) {
        library = argv[1];
    } else {
        library = quindel::component::ModulePath(reinterpret_cast<const void*>(&DllCanUnloadNow));
        outfile = argv[1];
    }
    if (!outfile.empty() && !MayWrite(outfile)) {
        std::fprintf(stderr, "quindel-typelib: %s exists and is not a type library; not replaced\n",
                     outfile.c_str());
        return 1;
    }
    std::string why;
    const auto text = quindel::component::ReadTypeLibrary(library, why);
    if (!text) {
        std::fprintf(stderr, "quindel-typelib: %s\n", why.c_str());
        return 1;
    }
    if (outfile.empty()) {
        std::fwrite(text->data(), 1, text->size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    std::ofstream out(outfile, std::ios::binary | std::ios::trunc);
    out << *text;
    if (!out.flush()) {
        std::fprintf(stderr, "quindel-typelib: cannot write %s\n", outfile.c_str());
        return 1;
    }
    return 0;
}
