#pragma once
// The clock of an animation, without any window: which frame is shown at a given time. Positions
// count frames from 0; the position equals the length only once the last frame has had its
// time, so "position = length" means "played to the end". Frames show for their own delays
// (under 1 ms counts as 1 ms); a pause keeps what is left of the current frame's time.
// Open state: paused at frame 0.
#include <cstdint>
#include <optional>
#include <vector>

#include "mci/Device.h"

namespace quindel::mci {

enum class PlayMode { Playing, Paused, Stopped };

class FramePlayer {
  public:
    // At least one delay, one per frame.
    explicit FramePlayer(std::vector<int> delaysMs);

    std::int32_t Length() const { return std::int32_t(delays_.size()); }
    std::int32_t Position() const { return position_; }
    PlayMode Mode() const { return mode_; }
    // The frame on screen: the last one once the position has reached the length.
    int ShownFrame() const { return position_ < Length() ? position_ : Length() - 1; }

    // From `from` or the current position (the start again when at the end) up to `to` or the
    // end; OutOfRange outside 0..length or when `to` lies before the start.
    std::uint32_t Play(std::optional<std::int32_t> from, std::optional<std::int32_t> to,
                       std::int64_t now);
    void Pause(std::int64_t now);
    // Goes on towards the end point of the last play.
    void Resume(std::int64_t now);
    void Stop(std::int64_t now);
    // Stops a playing animation and moves to the target, dropping the end point of the last
    // play; OutOfRange outside 0..length.
    std::uint32_t Seek(SeekTarget to, std::int64_t now);

    // Moves on to `now`; true when the position changed.
    bool Advance(std::int64_t now);
    // When the next frame is due; nothing unless playing.
    std::optional<std::int64_t> NextDue() const;

  private:
    void Halt(std::int64_t now, PlayMode mode);
    void Start(std::int64_t now);

    std::vector<int> delays_;
    std::int32_t position_ = 0;
    std::int32_t end_ = 0;  // where the current play stops
    PlayMode mode_ = PlayMode::Paused;
    std::int64_t frameStart_ = 0;  // while playing: when the current frame began
    std::int64_t elapsed_ = 0;     // otherwise: how long the current frame has already shown
};

}  // namespace quindel::mci
