#include "hostkit/media/VirtualMediaEngine.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "platform/Platform.h"

namespace quindel::hostkit {

using platform::Image;
using platform::MakeRgb;
using platform::SizePx;

VirtualMediaEngine::VirtualMediaEngine(const platform::Platform& platform) : platform_(platform) {}

MediaResult VirtualMediaEngine::Open(const std::string& path) {
    Close();
    MediaProbeResult probe = ProbeMediaFile(path);
    if (!probe.error.empty()) return {std::move(probe.error)};
    facts_ = probe.facts;
    return {};
}

void VirtualMediaEngine::Close() {
    facts_.reset();
    playing_ = stopped_ = endDue_ = false;
    base_ = 0;
    frame_ = {};
    framePosition_ = pumpedPicture_ = -1;
}

void VirtualMediaEngine::Settle() {
    if (!playing_ || PositionMs() < LengthMs()) return;
    base_ = LengthMs();
    playing_ = false;
    endDue_ = true;
}

void VirtualMediaEngine::Play() {
    Settle();
    if (!facts_ || playing_) return;
    if (AtEnd()) base_ = 0;
    mark_ = platform_.NowMs();
    playing_ = true;
    stopped_ = false;
}

void VirtualMediaEngine::Pause() {
    Settle();
    base_ = PositionMs();
    playing_ = false;
}

void VirtualMediaEngine::Stop() {
    if (!facts_) return;
    Settle();
    playing_ = false;
    stopped_ = true;
    base_ = 0;
}

void VirtualMediaEngine::Seek(std::int64_t ms) {
    if (!facts_) return;
    Settle();
    base_ = std::clamp<std::int64_t>(ms, 0, LengthMs());
    mark_ = platform_.NowMs();
    stopped_ = false;
}

std::int64_t VirtualMediaEngine::PositionMs() const {
    if (!playing_) return base_;
    return std::min(LengthMs(), base_ + (platform_.NowMs() - mark_));
}

bool VirtualMediaEngine::AtEnd() const {
    return facts_ && PositionMs() >= LengthMs();
}

MediaState VirtualMediaEngine::State() const {
    if (!facts_) return MediaState::Closed;
    if (playing_ && !AtEnd()) return MediaState::Playing;
    return stopped_ ? MediaState::Stopped : MediaState::Paused;
}

void VirtualMediaEngine::SetVolume(double linear) {
    volume_ = std::clamp(linear, 0.0, 1.0);
}

SizePx VirtualMediaEngine::VideoSize() const {
    return HasVideo() ? facts_->videoSize : SizePx{};
}

SizePx VirtualMediaEngine::PictureSize() const {
    return frameSize_.width > 0 && frameSize_.height > 0 ? frameSize_ : VideoSize();
}

MediaEvents VirtualMediaEngine::Pump() {
    MediaEvents events;
    Settle();
    events.ended = std::exchange(endDue_, false);
    if (HasVideo()) {
        const std::int64_t picture = PositionMs() / kFrameMs;
        events.newFrame = picture != pumpedPicture_ || PictureSize() != pumpedSize_;
        pumpedPicture_ = picture;
        pumpedSize_ = PictureSize();
    }
    return events;
}

const Image& VirtualMediaEngine::Frame() {
    const SizePx size = PictureSize();
    if (!HasVideo() || size.width <= 0 || size.height <= 0) {
        frame_ = {};
        return frame_;
    }
    const std::int64_t position = PositionMs() / kFrameMs * kFrameMs;
    if (position != framePosition_ || frame_.width() != size.width ||
        frame_.height() != size.height)
        DrawPicture(size, position);
    return frame_;
}

// Colour bars over the top two thirds; below them a progress bar and the position in seconds, so
// a test (or a person) can tell which moment a picture shows.
void VirtualMediaEngine::DrawPicture(SizePx size, std::int64_t position) {
    static constexpr std::array<platform::Rgba, 7> kBars{
        MakeRgb(192, 192, 192), MakeRgb(192, 192, 0), MakeRgb(0, 192, 192), MakeRgb(0, 192, 0),
        MakeRgb(192, 0, 192),   MakeRgb(192, 0, 0),   MakeRgb(0, 0, 192)};
    Image picture(size.width, size.height, MakeRgb(32, 32, 32));
    const int barsHeight = size.height * 2 / 3;
    for (std::size_t i = 0; i < kBars.size(); ++i) {
        const int left = int(i) * size.width / int(kBars.size());
        const int right = int(i + 1) * size.width / int(kBars.size());
        picture.fillRect(left, 0, right - left, barsHeight, kBars[i]);
    }
    const std::int64_t length = std::max<std::int64_t>(LengthMs(), 1);
    const int done = int(std::min<std::int64_t>(size.width, size.width * position / length));
    picture.fillRect(0, barsHeight, done, (size.height - barsHeight) / 2, MakeRgb(255, 255, 255));
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%lld.%02lld s", static_cast<long long>(position / 1000),
                  static_cast<long long>(position % 1000 / 10));
    platform_.DrawText(picture, 2, barsHeight + (size.height - barsHeight) / 2, seconds,
                       MakeRgb(255, 255, 255));
    frame_ = std::move(picture);
    framePosition_ = position;
}

}  // namespace quindel::hostkit
