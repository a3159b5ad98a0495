#include "mci/AnimationDevice.h"

#include <algorithm>
#include <limits>

#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/Raster.h"
#include "platform/Timer.h"

namespace quindel::mci {

namespace {

std::vector<int> DelaysOf(const FrameSource& frames) {
    std::vector<int> delays(std::size_t(std::max(frames.FrameCount(), 1)));
    for (std::size_t i = 0; i < delays.size(); ++i) delays[i] = frames.DelayMs(int(i));
    return delays;
}

platform::Rgba BackColorOf(platform::Window& w) {
    if (w.Kind() == platform::WindowKind::PictureBox)
        return static_cast<platform::PictureBox&>(w).BackColor();
    return platform::MakeRgb(0, 0, 0);
}

}  // namespace

AnimationDevice::AnimationDevice(platform::Window& parent, std::unique_ptr<FrameSource> frames)
    : platform_(parent.platform()),
      frames_(std::move(frames)),
      player_(DelaysOf(*frames_)),
      canvas_(frames_->Width(), frames_->Height(), BackColorOf(parent)) {
    const platform::Screen& screen = platform_.screen();
    picture_ = platform_.NewPictureBox(parent);
    picture_->setBorderStyle(0);
    picture_->setScaleMode(platform::scale::Pixels);
    picture_->setBackColor(BackColorOf(parent));
    picture_->Move(0, 0, frames_->Width() * screen.TwipsPerPixelX(),
                   frames_->Height() * screen.TwipsPerPixelY());
    timer_ = platform_.NewTimer();
    timer_->setEnabled(false);
    timer_->OnTimer = [this] { Sync(); };
    Paint();
}

AnimationDevice::~AnimationDevice() {
    timer_->setEnabled(false);
    timer_->OnTimer = nullptr;
    if (picture_->Alive()) picture_->Remove();
}

std::uint32_t AnimationDevice::Play(std::optional<std::int32_t> from,
                                    std::optional<std::int32_t> to) {
    const std::uint32_t e = player_.Play(from, to, platform_.NowMs());
    Sync();
    return e;
}

std::uint32_t AnimationDevice::Pause() {
    player_.Pause(platform_.NowMs());
    Sync();
    return err::None;
}

std::uint32_t AnimationDevice::Resume() {
    player_.Resume(platform_.NowMs());
    Sync();
    return err::None;
}

std::uint32_t AnimationDevice::Stop() {
    player_.Stop(platform_.NowMs());
    Sync();
    return err::None;
}

std::uint32_t AnimationDevice::Seek(SeekTarget to) {
    const std::uint32_t e = player_.Seek(to, platform_.NowMs());
    Sync();
    return e;
}

std::uint32_t AnimationDevice::Status(StatusItem item, std::string& reply) {
    Sync();
    switch (item) {
        case StatusItem::Length:
            reply = std::to_string(player_.Length());
            return err::None;
        case StatusItem::Position:
            reply = std::to_string(player_.Position());
            return err::None;
        case StatusItem::Mode:
            reply = player_.Mode() == PlayMode::Playing  ? "playing"
                    : player_.Mode() == PlayMode::Paused ? "paused"
                                                         : "stopped";
            return err::None;
        case StatusItem::Ready:
            reply = "true";
            return err::None;
        case StatusItem::WindowHandle:
            if (!picture_->Alive()) return err::NoWindow;
            reply = std::to_string(picture_->hWnd());
            return err::None;
        case StatusItem::TimeFormat:
            reply = "frames";
            return err::None;
    }
    return err::UnsupportedFunction;
}

std::uint32_t AnimationDevice::Where(WhereItem /*item*/, std::string& reply) {
    // The animation always shows whole and unscaled: source and destination are alike.
    reply = "0 0 " + std::to_string(frames_->Width()) + " " + std::to_string(frames_->Height());
    return err::None;
}

std::uint32_t AnimationDevice::ShowWindow(bool show) {
    if (!picture_->Alive()) return err::NoWindow;
    picture_->setVisible(show);
    return err::None;
}

void AnimationDevice::Sync() {
    const std::int64_t now = platform_.NowMs();
    player_.Advance(now);
    Paint();
    const std::optional<std::int64_t> due = player_.NextDue();
    if (!due) {
        timer_->setEnabled(false);
        return;
    }
    const std::int64_t wait =
        std::clamp<std::int64_t>(*due - now, 1, std::numeric_limits<std::int32_t>::max());
    timer_->setInterval(std::int32_t(wait));
    timer_->setEnabled(true);
}

void AnimationDevice::Paint() {
    const int frame = player_.ShownFrame();
    if (frame == painted_ || !picture_->Alive()) return;
    canvas_.fill(picture_->BackColor());
    platform::Overlay(canvas_, frames_->Frame(frame), 0, 0);
    picture_->PaintPicture(canvas_, 0, 0);
    picture_->Refresh();
    painted_ = frame;
}

void RegisterAnimationDevice(DeviceTypes& types, std::string_view type,
                             const std::vector<std::string>& extensions, FrameLoader loader) {
    auto open = [loader = std::move(loader)](const OpenRequest& r,
                                             std::uint32_t& error) -> std::unique_ptr<Device> {
        error = err::None;
        std::unique_ptr<FrameSource> frames = loader(r.platform.files().Resolve(r.element), error);
        if (!frames || frames->FrameCount() < 1 || frames->Width() < 1 || frames->Height() < 1) {
            if (error == err::None) error = err::InvalidFile;
            return nullptr;
        }
        if (!r.parent) {
            error = err::NoWindow;
            return nullptr;
        }
        platform::Window* parent = r.platform.FindWindow(*r.parent);
        if (!parent || !parent->Alive()) {
            error = err::CreateWindow;
            return nullptr;
        }
        return std::make_unique<AnimationDevice>(*parent, std::move(frames));
    };
    types.Register(type, std::move(open), extensions);
}

}  // namespace quindel::mci
