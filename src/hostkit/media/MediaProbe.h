#pragma once
// The length and picture size of a media file read from its headers alone, without decoding, for
// the virtual engine: deterministic and free of GStreamer. Knows WAV (RIFF), Ogg Vorbis and
// WebM/Matroska; anything else, or a header cut short, is an error naming what is wrong.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

namespace quindel::hostkit {

struct MediaFacts {
    std::int64_t lengthMs = 0;
    bool hasVideo = false;
    platform::SizePx videoSize;  // display size; 0 x 0 without video
};

struct MediaProbeResult {
    MediaFacts facts;
    std::string error;  // empty on success
};

// How much of a file ProbeMediaFile reads from each end: the headers sit at the start, and Ogg
// keeps its length in its last page.
inline constexpr std::size_t kProbeHeadBytes = 1 << 20;
inline constexpr std::size_t kProbeTailBytes = 1 << 16;

// head: the first bytes of the file, tail: its last bytes, fileSize: the size of the whole file.
MediaProbeResult ProbeMedia(std::string_view head, std::string_view tail, std::uint64_t fileSize);
MediaProbeResult ProbeMediaFile(const std::string& path);

}  // namespace quindel::hostkit
