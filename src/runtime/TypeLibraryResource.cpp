#include "runtime/TypeLibraryResource.h"

#include <elf.h>

#include <cstring>
#include <fstream>

namespace quindel::component {

namespace {

// Reads `size` bytes at `offset`; false past the end of the file.
bool ReadAt(std::ifstream& in, std::uint64_t offset, void* out, std::uint64_t size) {
    in.clear();
    in.seekg(std::streamoff(offset));
    in.read(static_cast<char*>(out), std::streamsize(size));
    return bool(in);
}

}  // namespace

std::optional<std::string> ReadTypeLibrary(const std::filesystem::path& library, std::string& why) {
    std::ifstream in(library, std::ios::binary);
    if (!in) {
        why = "cannot open " + library.string();
        return std::nullopt;
    }
    Elf64_Ehdr eh{};
    if (!ReadAt(in, 0, &eh, sizeof eh) || std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 ||
        eh.e_ident[EI_CLASS] != ELFCLASS64 || eh.e_ident[EI_DATA] != ELFDATA2LSB) {
        why = library.string() + " is not a 64-bit ELF library";
        return std::nullopt;
    }
    if (eh.e_shentsize != sizeof(Elf64_Shdr) || eh.e_shstrndx == SHN_UNDEF ||
        eh.e_shstrndx >= eh.e_shnum) {
        why = library.string() + " has no readable section table";
        return std::nullopt;
    }
    auto section = [&](std::uint64_t i, Elf64_Shdr& sh) {
        return ReadAt(in, eh.e_shoff + i * sizeof(Elf64_Shdr), &sh, sizeof sh);
    };
    Elf64_Shdr names{};
    if (!section(eh.e_shstrndx, names) || names.sh_size > (1u << 24)) {
        why = library.string() + " has no readable section names";
        return std::nullopt;
    }
    std::string nameTable(names.sh_size, '\0');
    if (!ReadAt(in, names.sh_offset, nameTable.data(), names.sh_size)) {
        why = library.string() + " is cut short";
        return std::nullopt;
    }
    for (std::uint64_t i = 0; i < eh.e_shnum; ++i) {
        Elf64_Shdr sh{};
        if (!section(i, sh) || sh.sh_name >= nameTable.size()) continue;
        if (std::string_view(nameTable.c_str() + sh.sh_name) != kTypeLibrarySection) continue;
        if (sh.sh_type == SHT_NOBITS || sh.sh_size > (1u << 24)) break;
        std::string text(sh.sh_size, '\0');
        if (!ReadAt(in, sh.sh_offset, text.data(), sh.sh_size)) {
            why = library.string() + " is cut short";
            return std::nullopt;
        }
        if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
        return text;
    }
    why = library.string() + " carries no type library";
    return std::nullopt;
}

}  // namespace quindel::component
