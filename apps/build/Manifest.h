#pragma once
// The manifest an author writes (quindel.toml, TOML): the entry, its multimedia objects in list
// order and its linked entries. Paths are relative to the manifest's folder, with '/'.
//
//   [entry]                      code (8 characters at most), article: a file or a list of
//                                files (Haslo.rtf, Haslo.txt), codepage (optional)
//   [[object]]                   type, title, caption, credit, file, packed, name, folder,
//                                window = { width, height }, length
//   [[link]]                     code, title, type
//
// Parsing checks the shape only (syntax, required fields, field types, unknown fields and types)
// and reports each fault with its line; what the files hold is ContentChecks' business.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "build/Diagnostics.h"
#include "build/ObjectTypes.h"

namespace quindel::build {

inline constexpr const char* kManifestName = "quindel.toml";

struct WindowSize {
    std::int64_t width = 0, height = 0;
};

struct ManifestObject {
    std::int64_t line = 0;  // of its [[object]] header
    ObjectType type{};
    std::string title, caption, credit;
    std::string file;    // the object's file; empty for an object whose record names no file
    std::string packed;  // the packed file it goes into, or empty
    std::string name;    // the name in the record; the file's own name when empty
    std::optional<std::string> folder;  // the record's folder as written, when the author gives it
    std::optional<WindowSize> window;
    std::int64_t length = 0;  // interactive movies: their length, for the position file

    std::string Where(std::size_t index) const;  // "object 3 'Kraków'"
};

struct ManifestLink {
    std::int64_t line = 0;
    std::string code, title, type;
};

struct Manifest {
    std::filesystem::path file;    // the manifest itself
    std::filesystem::path folder;  // the content folder it describes
    std::int64_t entryLine = 0;
    std::string code;
    std::vector<std::string> articles;
    std::string codepage;  // empty: the system code page
    std::vector<ManifestObject> objects;
    std::vector<ManifestLink> links;

    // The manifest's name as messages show it (relative to the working folder when short).
    std::string DisplayName() const;
};

// A manifest this large is read in parts on all cores.
inline constexpr std::size_t kReadInPartsFrom = std::size_t(1) << 20;

// Parses manifest text; `file` names it in messages and its folder is the content folder.
// Faults go to `out`; the manifest holds what could be read. `partsFrom`: from what size the
// text is read in parts (tests lower it; the result is the same either way).
Manifest ParseManifest(std::string_view text, const std::filesystem::path& file, Diagnostics& out,
                       std::size_t partsFrom = kReadInPartsFrom);
// Reads and parses the file; a file that cannot be read is an error.
Manifest ReadManifest(const std::filesystem::path& file, Diagnostics& out);

}  // namespace quindel::build
