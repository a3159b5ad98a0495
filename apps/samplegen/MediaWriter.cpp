#include "MediaWriter.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>

#include "hostkit/media/MediaGst.h"

namespace quindel::samplegen {

namespace gst = hostkit::gst;
using hostkit::MediaResult;

namespace {

constexpr std::int64_t kSampleRate = 48000;

// Buffers of a whole number of milliseconds that divides the duration, so the tone lasts exactly
// as long as asked.
std::string Tone(std::int64_t durationMs, const char* sampleFormat) {
    const std::int64_t bufferMs = std::gcd(durationMs, std::int64_t(100));
    return "audiotestsrc wave=sine freq=440 volume=0.3 samplesperbuffer=" +
           std::to_string(kSampleRate / 1000 * bufferMs) +
           " num-buffers=" + std::to_string(durationMs / bufferMs) +
           " ! audio/x-raw,format=" + sampleFormat + ",rate=" + std::to_string(kSampleRate) +
           ",channels=1";
}

// The pipeline's file sink is named "out"; the path is set as a property, so no quoting matters.
MediaResult Run(const std::string& description, const std::string& path, std::int64_t durationMs) {
    if (const std::string& failure = gst::Initialise(); !failure.empty()) return {failure};
    GError* error = nullptr;
    GstElement* parsed = gst_parse_launch(description.c_str(), &error);
    if (parsed) gst_object_ref_sink(parsed);
    gst::Pipeline pipeline(parsed);
    if (error || !pipeline) {
        MediaResult bad{error ? error->message : "cannot build the pipeline"};
        g_clear_error(&error);
        return bad;
    }
    GstElement* out = gst_bin_get_by_name(GST_BIN(pipeline.get()), "out");
    g_object_set(out, "location", path.c_str(), nullptr);
    gst_object_unref(out);
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    const gst::Message end =
        gst::WaitOnBus(pipeline.get(), GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR),
                       30000 + 20 * durationMs);
    MediaResult result;
    if (!end)
        result.error = "writing " + path + " did not finish in time";
    else if (GST_MESSAGE_TYPE(end.get()) == GST_MESSAGE_ERROR)
        result.error = gst::MessageText(end.get());
    pipeline.reset();
    std::error_code ignored;
    if (!result.ok()) std::filesystem::remove(path, ignored);
    return result;
}

}  // namespace

MediaResult WriteFilm(const std::string& path, const FilmSpec& film) {
    if (film.durationMs <= 0 || film.size.width <= 0 || film.size.height <= 0 ||
        film.framesPerSecond <= 0)
        return {"a film needs a length, a size and a picture rate"};
    const std::int64_t frames = std::max<std::int64_t>(
        1, std::llround(double(film.durationMs) * film.framesPerSecond / 1000));
    const std::int64_t common = std::gcd(frames * 1000, film.durationMs);
    const std::string rate =
        std::to_string(frames * 1000 / common) + "/" + std::to_string(film.durationMs / common);
    const std::string description =
        "webmmux name=mux ! filesink name=out  videotestsrc num-buffers=" + std::to_string(frames) +
        " ! video/x-raw,width=" + std::to_string(film.size.width) +
        ",height=" + std::to_string(film.size.height) + ",framerate=" + rate +
        " ! videoconvert ! vp8enc deadline=1 ! queue ! mux.  " + Tone(film.durationMs, "F32LE") +
        " ! vorbisenc ! queue ! mux.";
    return Run(description, path, film.durationMs);
}

MediaResult WriteSound(const std::string& path, std::int64_t durationMs, SoundFormat format) {
    if (durationMs <= 0) return {"a sound needs a length"};
    const std::string description =
        format == SoundFormat::Wav
            ? Tone(durationMs, "S16LE") + " ! wavenc ! filesink name=out"
            : Tone(durationMs, "F32LE") + " ! vorbisenc ! oggmux ! filesink name=out";
    return Run(description, path, durationMs);
}

}  // namespace quindel::samplegen
