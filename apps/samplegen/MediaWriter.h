#pragma once
// Short films and sounds made from GStreamer's test sources, for the sample content and the
// tests. A film is WebM: VP8 colour bars with a Vorbis tone; a sound is Ogg Vorbis or WAV: a sine
// tone. Only encoders of GStreamer's base and good plugin sets are used. Each call runs its
// pipeline to the end before it returns; a failure leaves no file behind.
#include <cstdint>
#include <string>

#include "hostkit/media/MediaEngine.h"
#include "platform/Geometry.h"

namespace quindel::samplegen {

enum class SoundFormat { OggVorbis, Wav };

struct FilmSpec {
    std::int64_t durationMs = 1000;  // exact: the picture rate is adjusted to a whole frame count
    platform::SizePx size{160, 120};
    int framesPerSecond = 25;  // roughly
};

hostkit::MediaResult WriteFilm(const std::string& path, const FilmSpec& film = {});
hostkit::MediaResult WriteSound(const std::string& path, std::int64_t durationMs,
                                SoundFormat format = SoundFormat::OggVorbis);

}  // namespace quindel::samplegen
