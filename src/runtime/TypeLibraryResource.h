#pragma once
// A component library carries its type library as text in an ELF section of its own, so a tool
// reads it from the file without loading the library or creating anything.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quindel::component {

inline constexpr std::string_view kTypeLibrarySection = ".quindel.typelib";

// The text of the section (without its terminating NUL). nullopt with `why` set when the file
// cannot be read, is not a 64-bit ELF file or has no such section.
std::optional<std::string> ReadTypeLibrary(const std::filesystem::path& library, std::string& why);

}  // namespace quindel::component
