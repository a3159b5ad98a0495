#pragma once
// The surface animations play on (the animation form's Pic_Animazioni): a black picture box that
// the panel shows and places, and on which the animation device opens its own window as a child.
// The panel never hides it again, and closing the animation only removes the device's window, so
// an empty surface would stay on the stage as a black box under whatever comes next. It hides
// itself instead once it carries no animation: HideIfEmpty does it at once, and while the surface
// is shown a timer asks every kCheckMs (so an idle stage costs nothing).
#include <cstdint>
#include <memory>

#include "platform/PictureBox.h"

namespace quindel::platform {
class Timer;
}

namespace quindel::hostkit {

class AnimationSurface : public platform::PictureBox {
  public:
    static constexpr std::int32_t kCheckMs = 100;

    AnimationSurface(platform::Platform& p, platform::Window* parent);
    ~AnimationSurface() override;

    void setVisible(bool v) override;
    // Whether an animation's window is open on the surface.
    bool Carries() const { return !Children().empty(); }
    void HideIfEmpty();

  private:
    std::shared_ptr<platform::Timer> check_;
};

}  // namespace quindel::hostkit
