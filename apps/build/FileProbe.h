#pragma once
// What a content file holds, found with the engines the viewer opens it with: the picture
// decoders (header, budgets and a reduced decode), the animation decoder with the player's
// budgets, GStreamer for films and sounds, the text control's size bound for texts. Never by the
// file's name. Safe to call from several threads at once (one GStreamer pipeline per call).
#include <cstdint>
#include <filesystem>
#include <string>

#include "build/ObjectTypes.h"

namespace quindel::build {

// Size and time stamp: what the cache compares to tell a changed file.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::filesystem::path& file);

struct ProbeResult {
    FileKind kind = FileKind::None;  // what the file turned out to be
    int width = 0, height = 0;       // pictures, animations, films
    int frames = 0;                  // animations
    std::int64_t lengthMs = 0;       // films and sounds
    std::string error;               // empty when the viewer can open it as `kind`
    bool ok() const { return error.empty(); }
};

// Opens `file` as the kind the object's type needs.
ProbeResult ProbeFile(const std::filesystem::path& file, FileKind expected);

// What a file is, trying pictures and texts by their first bytes, then GStreamer; kind None
// when nothing opens it. For proposing a manifest.
ProbeResult IdentifyFile(const std::filesystem::path& file);

}  // namespace quindel::build
