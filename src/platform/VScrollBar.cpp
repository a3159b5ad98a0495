#include "platform/VScrollBar.h"

#include <algorithm>

#include "platform/Keys.h"
#include "platform/ModelRenderer.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace quindel::platform {

using namespace look;

namespace {

void Triangle(Image& img, int cx, int cy, bool up) {
    for (int i = 0; i < 4; ++i)
        img.fillRect(cx - i, up ? cy - 2 + i : cy + 1 - i, 2 * i + 1, 1, kInk);
}

}  // namespace

VScrollBar::VScrollBar(Platform& p, Window* parent) : Window(p, WindowKind::VScrollBar, parent) {}

void VScrollBar::setMin(std::int32_t v) {
    if (v == min_) return;
    min_ = v;
    const std::int32_t clamped = Clamp(value_);
    if (clamped != value_) setValue(clamped);
    Changed(Aspect::Content);
}

void VScrollBar::setMax(std::int32_t v) {
    if (v == max_) return;
    max_ = v;
    const std::int32_t clamped = Clamp(value_);
    if (clamped != value_) setValue(clamped);
    Changed(Aspect::Content);
}

void VScrollBar::setValue(std::int32_t v) {
    if (v != Clamp(v)) Raise(380);
    if (v == value_) return;
    value_ = v;
    Changed(Aspect::Content);
    if (OnChange) OnChange();
}

std::int32_t VScrollBar::Clamp(std::int32_t v) const {
    return std::clamp(v, std::min(min_, max_), std::max(min_, max_));
}

void VScrollBar::Step(std::int32_t delta) {
    if (max_ < min_) delta = -delta;
    setValue(Clamp(value_ + delta));
}

int VScrollBar::ArrowPx() const {
    const SizePx s = ClientSizePx();
    return std::min(s.width, s.height / 2);
}

std::pair<int, int> VScrollBar::ThumbPx() const {
    const int arrow = ArrowPx();
    const int track = std::max(ClientSizePx().height - 2 * arrow, 0);
    const int thumb = std::min(std::max(arrow, 8), track);
    const std::int64_t span = std::int64_t(max_) - min_;
    const int free = track - thumb;
    const int pos = span == 0 ? 0 : int((std::int64_t(value_) - min_) * free / span);
    return {arrow + std::clamp(pos, 0, free), thumb};
}

void VScrollBar::MouseDownDefault(const MouseArgs& a) {
    const int y = TwipsToPxY(a.Y);
    const int arrow = ArrowPx();
    const auto [thumbTop, thumbHeight] = ThumbPx();
    if (y < arrow)
        Step(-smallChange_);
    else if (y >= ClientSizePx().height - arrow)
        Step(smallChange_);
    else if (y < thumbTop)
        Step(-largeChange_);
    else if (y >= thumbTop + thumbHeight)
        Step(largeChange_);
}

// Three small steps a notch, as desktop scroll bars take it.
bool VScrollBar::WheelDefault(int delta) {
    Step(-delta * 3 * smallChange_ / key::WheelNotch);
    return true;
}

void VScrollBar::KeyDownDefault(std::int16_t keyCode, std::int16_t) {
    switch (keyCode) {
        case key::Up:
            Step(-smallChange_);
            break;
        case key::Down:
            Step(smallChange_);
            break;
        case key::PageUp:
            Step(-largeChange_);
            break;
        case key::PageDown:
            Step(largeChange_);
            break;
        default:
            break;
    }
}

void VScrollBar::Paint(Image& img) const {
    const int W = img.width(), H = img.height();
    img.fill(kTrack);
    const int a = ArrowPx();
    Bevel(img, 0, 0, W, a, true);
    Bevel(img, 0, H - a, W, a, true);
    Triangle(img, W / 2, a / 2, true);
    Triangle(img, W / 2, H - a / 2, false);
    const auto [top, h] = ThumbPx();
    img.fillRect(0, top, W, h, kFace);
    Bevel(img, 0, top, W, h, true);
}

}  // namespace quindel::platform
