#include "build/ObjectTypes.h"

#include <array>

#include "runtime/Text.h"

namespace quindel::build {
namespace {

// Pictures and texts are the only types the viewer extracts from packed files.
constexpr std::array kTypes{
    ObjectType{"FO", "photo", FileKind::Picture, "", false, true},
    ObjectType{"MA", "map", FileKind::Picture, "", false, true},
    ObjectType{"DI", "drawing", FileKind::Picture, "", false, true},
    ObjectType{"TA", "text", FileKind::Text, "", false, true},
    ObjectType{"AN", "animation", FileKind::Animation, "", false, false},
    ObjectType{"AI", "interactive", FileKind::Animation, "PosDCR.bin", true, false},
    ObjectType{"F3", "panorama", FileKind::Picture, "PosQTVR.bin", false, false},
    ObjectType{"O3", "panorama-object", FileKind::Picture, "PosQTVR.bin", false, false},
    ObjectType{"VI", "film", FileKind::Film, "", false, false},
    ObjectType{"AU", "sound", FileKind::Sound, "", false, false},
    ObjectType{"IT", "index", FileKind::None, "", false, false},
    ObjectType{"PL", "sheet", FileKind::None, "", false, false},
    ObjectType{"QZ", "quiz", FileKind::None, "", false, false},
};

}  // namespace

std::optional<ObjectType> FindObjectType(std::string_view name) {
    for (const ObjectType& t : kTypes)
        if (EqualNoCase(name, t.code) || EqualNoCase(name, t.word)) return t;
    return std::nullopt;
}

std::string ObjectTypeNames() {
    std::string names;
    for (const ObjectType& t : kTypes)
        names +=
            (names.empty() ? "" : ", ") + std::string(t.code) + " (" + std::string(t.word) + ")";
    return names;
}

}  // namespace quindel::build
