// quindel-catgen SOURCE.txt OUT.bin: builds the component's message catalogue from its
// UTF-8 source.
#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "CatalogueFile.h"
#include "CatalogueSource.h"

namespace {

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out.flush()) throw std::runtime_error(std::string("cannot write ") + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quindel-catgen SOURCE.txt OUT.bin\n");
        return 2;
    }
    try {
        const auto entries = quindel::catgen::ParseCatalogue(ReadFile(argv[1]));
        WriteFile(argv[2], quindel::catgen::RenderCatalogue(entries));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quindel-catgen: %s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
