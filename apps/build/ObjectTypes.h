#pragma once
// The object types a manifest may name: the list's type code, the English word an author may
// write instead, what kind of file backs it (which decides how the builder probes it) and which
// position file gives its window, if any. Codes and words are matched case-insensitively.
#include <optional>
#include <string>
#include <string_view>

namespace quindel::build {

enum class FileKind { Picture, Animation, Film, Sound, Text, None };

struct ObjectType {
    std::string_view code;          // as the list stores it: "FO"
    std::string_view word;          // as an author may write it: "photo"
    FileKind kind;                  // what the file must be
    std::string_view positionFile;  // "PosQTVR.bin", "PosDCR.bin" or empty
    bool hasLength = false;         // the position line ends with the movie's length
    bool packable = false;          // the viewer can show it from a packed file
};

// The type named by a code or a word, or nothing.
std::optional<ObjectType> FindObjectType(std::string_view name);

// "FO, MA, ..." for messages.
std::string ObjectTypeNames();

}  // namespace quindel::build
