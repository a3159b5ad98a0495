#pragma once
// The media engine on GStreamer: a playbin decodes the file; pictures reach an app sink through a
// converter that scales them to the frame size (so GStreamer does the scaling), and sound goes to
// the default audio device, or to a fake sink paced by the clock when there is no device, when
// the options ask for it, or when QUINDEL_AUDIO_SINK=fake.
//
// Threads: the owner's thread makes every call. GStreamer's streaming threads only store the
// newest picture under a lock; errors, the end and loading are read from the pipeline's bus by
// Pump (or by Open, which waits for the file to load, at most options.openTimeoutMs). Every
// failure path takes the pipeline down and releases it.
#include <memory>

#include "hostkit/media/MediaEngine.h"

namespace quindel::hostkit {

class GstMediaEngine final : public MediaEngine {
  public:
    explicit GstMediaEngine(const MediaOptions& options = {});
    ~GstMediaEngine() override;
    GstMediaEngine(const GstMediaEngine&) = delete;
    GstMediaEngine& operator=(const GstMediaEngine&) = delete;

    MediaResult Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override;

    void Play() override;
    void Pause() override;
    void Stop() override;
    void Seek(std::int64_t ms) override;

    std::int64_t LengthMs() const override;
    std::int64_t PositionMs() const override;
    bool AtEnd() const override;
    MediaState State() const override;
    std::string ErrorText() const override;

    void SetVolume(double linear) override;
    double Volume() const override;

    bool HasVideo() const override;
    platform::SizePx VideoSize() const override;
    void SetFrameSize(platform::SizePx size) override;
    const platform::Image& Frame() override;
    bool LendFrame(platform::SizePx size, const FrameUse& use) override;
    // Into X11 windows, through GStreamer's X image sink when it is installed.
    bool DrawInto(std::uintptr_t window) override;
    void Redraw() override;

    MediaEvents Pump() override;
    // Pump, after waiting up to timeoutMs for the bus to carry something: for callers that have
    // nothing else to do meanwhile (tools, tests).
    MediaEvents PumpFor(std::int64_t timeoutMs);

    // Pipelines of this process not yet released: a diagnostic for leak tests.
    static int LivePipelines();

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace quindel::hostkit
