#pragma once
// The engine under a host film or sound control: one file open at a time, played, paused, stopped
// and sought from the owner's thread (the UI thread).
//
// What every engine guarantees:
// - Open closes what was open, then loads the file and returns once its length and its video size
//   are known; on failure the result carries the reason and nothing stays open.
// - Times are milliseconds from the start. PositionMs lies in [0, LengthMs]. Once playback reaches
//   the end, AtEnd is true and PositionMs equals LengthMs exactly, until Seek, Play or Stop.
//   LengthMs is 0 only when the file does not tell its length.
// - Play at the end starts again from the beginning; Pause keeps the position; Stop pauses and
//   rewinds to the start.
// - Nothing calls into the owner: it calls Pump() from its own thread (a timer tick) and learns
//   from the result what happened since the last call. The end of playback and playback errors
//   become visible (AtEnd, State, ErrorText) when Pump or a command reads them; without pumping
//   a film that ran out still looks like playing (the virtual engine follows its clock anyway).
// - Frames are opaque 0xAARRGGBB images at the size given to SetFrameSize (0 x 0: the natural
//   size), scaled to fill that size; Frame() is the newest one, empty before the first.
// - Volume is linear, 0..1, where 1 is the file's own level; VolumeFromWave maps the controls'
//   0..65535 device scale onto it.
// - With nothing open every query answers 0, false or empty and every command does nothing.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Geometry.h"
#include "platform/Image.h"

namespace quindel::hostkit {

// Success, or the reason of a failure.
struct MediaResult {
    std::string error;  // empty on success
    bool ok() const { return error.empty(); }
};

enum class MediaState { Closed, Stopped, Paused, Playing };

// What Pump saw since the previous call.
struct MediaEvents {
    bool newFrame = false;  // Frame() has a newer picture
    bool ended = false;     // playback reached the end
    bool failed = false;    // playback stopped on an error; ErrorText says which
};

class MediaEngine {
  public:
    virtual ~MediaEngine() = default;

    virtual MediaResult Open(const std::string& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // Clamped to [0, LengthMs].
    virtual void Seek(std::int64_t ms) = 0;

    virtual std::int64_t LengthMs() const = 0;
    virtual std::int64_t PositionMs() const = 0;
    virtual bool AtEnd() const = 0;
    virtual MediaState State() const = 0;
    // The error that stopped playback after a successful Open; empty when none.
    virtual std::string ErrorText() const = 0;

    // Kept across Open and Close.
    virtual void SetVolume(double linear) = 0;
    virtual double Volume() const = 0;

    virtual bool HasVideo() const = 0;
    // Display size in pixels (pixel aspect applied); 0 x 0 without video.
    virtual platform::SizePx VideoSize() const = 0;
    // Kept across Open and Close; a paused film shows its current picture again at the new size.
    virtual void SetFrameSize(platform::SizePx size) = 0;
    virtual const platform::Image& Frame() = 0;
    using FrameUse = std::function<void(const platform::PixelsView&)>;
    // Lends the newest picture to `use` for the length of the call when it has `size`; false,
    // and `use` not called, when there is none of that size.
    virtual bool LendFrame(platform::SizePx size, const FrameUse& use);
    // The newest picture copied into target when it has target's size; false, and target
    // untouched, when there is none of that size.
    bool CopyFrame(platform::Image& target);
    // Films opened from now on are drawn by the engine itself into `window`, a window of the
    // desktop's window system, when it can: true when it will (a film already drawing into a
    // window moves to the new one). With 0 pictures come through Frame and LendFrame; an engine
    // that draws nowhere else answers false to any other window.
    virtual bool DrawInto(std::uintptr_t window) { return window == 0; }
    // Draws the newest picture into that window again: it was uncovered or resized.
    virtual void Redraw() {}

    virtual MediaEvents Pump() = 0;
};

// The device scale of the controls' WaveVolume: 65535 is full level; out-of-range values clamp.
constexpr double VolumeFromWave(double wave) {
    return std::clamp(wave / 65535.0, 0.0, 1.0);
}

enum class MediaBackend {
    Automatic,  // QUINDEL_MEDIA_ENGINE=virtual or gstreamer; GStreamer when unset
    GStreamer,  // real decoding, pictures and sound
    Virtual,    // the platform's clock, generated pictures, no sound: deterministic
};

struct MediaOptions {
    MediaBackend backend = MediaBackend::Automatic;
    bool fakeAudio = false;  // sound to a clocked fake sink (also QUINDEL_AUDIO_SINK=fake)
    std::int64_t openTimeoutMs = 5000;  // how long Open waits for the file to load
};

}  // namespace quindel::hostkit
