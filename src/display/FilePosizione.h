#pragma once
// The window sizes of 360-degree photos and interactive movies, kept by the content in small text
// files beside the media ("PosQTVR.bin", "PosDCR.bin"): one line a media file, upper-cased and
// trimmed, the name in columns 1-13, the height in pixels in 14-18, the width in 19-23 and, for
// movies, the length in frames from 24 on. Without an entry the window is 9000 x 6000 twips and
// the length 0. A matching line whose numbers are not numbers raises a type mismatch (13). Sizes
// are kept between 0 and twice the screen each way; a position file that is no regular file or
// is over a megabyte counts as missing.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
}

namespace quindel {

struct PosizioneFinestra {
    std::int32_t Altezza = 6000;    // twips
    std::int32_t Larghezza = 9000;  // twips
    std::int32_t Lunghezza = 0;     // frames, movies only
};

// The first line of a position file's bytes for the media file named nome (no folder), or
// nothing. Sizes come back in pixels; conLunghezza reads the length too.
struct RigaPosizione {
    std::int32_t AltezzaPx = 0, LarghezzaPx = 0, Lunghezza = 0;
};
std::optional<RigaPosizione> CercaPosizione(std::string_view contenuto, std::string_view nome,
                                            bool conLunghezza);

// The window of the 360-degree photo at Percorso (a full path with backslashes).
PosizioneFinestra LeggiPosizione3D(platform::Platform& p, const std::string& Percorso);
// The window and length of the interactive movie at Percorso.
PosizioneFinestra LeggiPosizioneShockwave(platform::Platform& p, const std::string& Percorso);

}  // namespace quindel

QUINDEL_API_END
