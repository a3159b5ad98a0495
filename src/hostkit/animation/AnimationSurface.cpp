#include "hostkit/animation/AnimationSurface.h"

#include "platform/Platform.h"
#include "platform/Timer.h"

namespace quindel::hostkit {

AnimationSurface::AnimationSurface(platform::Platform& p, platform::Window* parent)
    : PictureBox(p, parent), check_(p.NewTimer()) {
    check_->setEnabled(false);
    check_->setInterval(kCheckMs);
    check_->OnTimer = [this] { HideIfEmpty(); };
    setBorderStyle(0);
    setBackColor(platform::MakeRgb(0, 0, 0));
    setVisible(false);
}

AnimationSurface::~AnimationSurface() {
    check_->OnTimer = nullptr;
}

void AnimationSurface::setVisible(bool v) {
    PictureBox::setVisible(v);
    check_->setEnabled(v && Alive());
}

void AnimationSurface::HideIfEmpty() {
    if (!Alive()) {
        check_->setEnabled(false);
        return;
    }
    if (Visible() && !Carries()) setVisible(false);
}

}  // namespace quindel::hostkit
