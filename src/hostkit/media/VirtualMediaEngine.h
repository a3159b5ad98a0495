#pragma once
// A media engine on the platform's clock, for deterministic hosts and tests: the length and the
// picture size come from the file's headers (MediaProbe: WAV, Ogg Vorbis, WebM), the position
// moves with the platform's time (virtual on the headless backend) while playing and stops at the
// end, and each picture is generated: colour bars, a progress bar and the position in seconds, at
// 25 pictures a second of media time. Nothing is decoded and no sound is made.
#include <cstdint>
#include <optional>

#include "hostkit/media/MediaEngine.h"
#include "hostkit/media/MediaProbe.h"

namespace quindel::platform {
class Platform;
}

namespace quindel::hostkit {

class VirtualMediaEngine final : public MediaEngine {
  public:
    static constexpr std::int64_t kFrameMs = 40;

    // `platform` gives the time and draws the text; it must outlive the engine.
    explicit VirtualMediaEngine(const platform::Platform& platform);

    MediaResult Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override { return facts_.has_value(); }

    void Play() override;
    void Pause() override;
    void Stop() override;
    void Seek(std::int64_t ms) override;

    std::int64_t LengthMs() const override { return facts_ ? facts_->lengthMs : 0; }
    std::int64_t PositionMs() const override;
    bool AtEnd() const override;
    MediaState State() const override;
    std::string ErrorText() const override { return {}; }

    void SetVolume(double linear) override;
    double Volume() const override { return volume_; }

    bool HasVideo() const override { return facts_ && facts_->hasVideo; }
    platform::SizePx VideoSize() const override;
    void SetFrameSize(platform::SizePx size) override { frameSize_ = size; }
    const platform::Image& Frame() override;

    MediaEvents Pump() override;

  private:
    // A play that ran past the end becomes a pause at the end, and the end is due for Pump.
    void Settle();
    platform::SizePx PictureSize() const;
    void DrawPicture(platform::SizePx size, std::int64_t position);

    const platform::Platform& platform_;
    std::optional<MediaFacts> facts_;  // set while a file is open
    bool playing_ = false;
    bool stopped_ = false;
    std::int64_t base_ = 0;  // the position at the time mark_
    std::int64_t mark_ = 0;
    bool endDue_ = false;
    double volume_ = 1.0;
    platform::SizePx frameSize_;
    platform::Image frame_;
    std::int64_t framePosition_ = -1;  // the position frame_ shows; -1 for none
    std::int64_t pumpedPicture_ = -1;  // the picture number and size Pump last reported
    platform::SizePx pumpedSize_;
};

}  // namespace quindel::hostkit
