// Build step: writes a C++ source that carries the control's type library text in the library's
// own ELF section, so the text travels inside libQuindel2 and is read from the file (see
// runtime/TypeLibraryResource.h). Linked with the component's objects, it asks a control on a
// headless platform for the text its member table gives.
//   quindel-typelib-embed OUT.cpp
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "control/Quindel.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/TypeLibraryResource.h"

namespace {

std::string Sorgente(const std::string& testo) {
    std::ostringstream out;
    out << "// Generated at build time from the control's member table; do not edit.\n"
        << "__attribute__((section(\"" << quindel::component::kTypeLibrarySection
        << "\"), used)) static const char kTypeLibrary[] = {";
    int colonna = 0;
    for (unsigned char c : testo) {
        if (colonna++ % 16 == 0) out << "\n   ";
        out << ' ' << int(c) << ',';
    }
    out << "\n    0};\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quindel-typelib-embed OUT.cpp\n");
        return 2;
    }
    quindel::headless::HeadlessPlatform p;
    auto host = p.NewForm();
    const std::string testo = quindel::Quindel::Crea(p, *host)->TypeLibrary();
    const std::string sorgente = Sorgente(testo);
    // Unchanged text leaves the file alone, so the library is not linked again for nothing.
    std::ifstream vecchio(argv[1], std::ios::binary);
    std::stringstream prima;
    prima << vecchio.rdbuf();
    if (vecchio && prima.str() == sorgente) return 0;
    vecchio.close();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << sorgente;
    return out ? 0 : 1;
}
