#pragma once
// The animation device: shows the frames of an animation in a child window of its caller's
// window and plays them on a platform timer at the frames' own delays. Contract:
// - Open needs the parent window's handle ("parent <hwnd>"): NoWindow without one,
//   CreateWindow when it names no window; a file the loader cannot find gives FileNotFound,
//   one it cannot read InvalidFile.
// - The child sits at the parent's top-left, sized to the animation (its pixels in the screen's
//   twips), shows frame 0 once open, and takes the parent's back colour where frames are
//   transparent. Closing the device removes the child and its timer.
// - Status: length and position in frames (timing as in FramePlayer), mode "playing",
//   "paused" or "stopped", "window handle" the child's handle, time format "frames". Every
//   command first catches up with the clock, so a status read between timer ticks is exact.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "mci/Device.h"
#include "mci/DeviceTypes.h"
#include "mci/FramePlayer.h"
#include "mci/FrameSource.h"
#include "platform/Image.h"

namespace quindel::platform {
class Platform;
class PictureBox;
class Timer;
class Window;
}  // namespace quindel::platform

namespace quindel::mci {

class AnimationDevice final : public Device {
  public:
    AnimationDevice(platform::Window& parent, std::unique_ptr<FrameSource> frames);
    ~AnimationDevice() override;
    AnimationDevice(const AnimationDevice&) = delete;
    AnimationDevice& operator=(const AnimationDevice&) = delete;

    std::uint32_t Play(std::optional<std::int32_t> from, std::optional<std::int32_t> to) override;
    std::uint32_t Pause() override;
    std::uint32_t Resume() override;
    std::uint32_t Stop() override;
    std::uint32_t Seek(SeekTarget to) override;
    std::uint32_t Status(StatusItem item, std::string& reply) override;
    std::uint32_t Where(WhereItem item, std::string& reply) override;
    std::uint32_t ShowWindow(bool show) override;

  private:
    // Catches up with the clock, paints a new frame and arms the timer for the next one.
    void Sync();
    void Paint();

    platform::Platform& platform_;
    std::unique_ptr<FrameSource> frames_;
    FramePlayer player_;
    std::shared_ptr<platform::PictureBox> picture_;
    std::shared_ptr<platform::Timer> timer_;
    platform::Image canvas_;  // the frame over the back colour
    int painted_ = -1;
};

// Reads an animation from a native path. Sets FileNotFound or InvalidFile and returns null
// when it cannot.
using FrameLoader =
    std::function<std::unique_ptr<FrameSource>(const std::string& path, std::uint32_t& error)>;

// Registers the animation device under `type`, for the given file extensions too.
void RegisterAnimationDevice(DeviceTypes& types, std::string_view type,
                             const std::vector<std::string>& extensions, FrameLoader loader);

}  // namespace quindel::mci
