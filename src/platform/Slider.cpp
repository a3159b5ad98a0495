#include "platform/Slider.h"

#include <algorithm>
#include <cmath>

#include "platform/FocusMark.h"
#include "platform/Keys.h"
#include "platform/ModelRenderer.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace quindel::platform {

using namespace look;

namespace {
// The track runs between these insets of the window; the knob is drawn 9 pixels wide.
constexpr int kTrackLeftPx = 6, kTrackRightPx = 7;
constexpr int kKnobHalfPx = 4;
}  // namespace

Slider::Slider(Platform& p, Window* parent) : Window(p, WindowKind::Slider, parent) {}

void Slider::setMin(std::int32_t v) {
    if (v == min_) return;
    min_ = v;
    value_ = std::clamp(value_, min_, std::max(min_, max_));
    Changed(Aspect::Content);
}

void Slider::setMax(std::int32_t v) {
    if (v == max_) return;
    max_ = v;
    value_ = std::clamp(value_, std::min(min_, max_), max_);
    Changed(Aspect::Content);
}

void Slider::setValue(std::int32_t v) {
    if (v < min_ || v > max_) Raise(380);
    if (v == value_) return;
    value_ = v;
    Changed(Aspect::Content);
    if (OnChange) OnChange();
}

void Slider::setTickFrequency(std::int32_t v) {
    if (std::max(v, 1) == tickFrequency_) return;
    tickFrequency_ = std::max(v, 1);
    Changed(Aspect::Content);
}

bool Slider::ExtenderBool(std::int32_t dispid) const {
    auto it = extender_.find(dispid);
    return it != extender_.end() && it->second;
}

int Slider::KnobCentrePx(std::int32_t v) const {
    const int left = kTrackLeftPx, right = ClientSizePx().width - kTrackRightPx;
    const std::int64_t span = std::max(std::int64_t(max_) - min_, std::int64_t(1));
    return left + int((std::int64_t(v) - min_) * (right - left) / span);
}

std::int32_t Slider::ValueAtPx(int x) const {
    const int left = kTrackLeftPx, right = ClientSizePx().width - kTrackRightPx;
    if (right <= left || max_ <= min_) return min_;
    const double along = double(std::clamp(x, left, right) - left) / (right - left);
    return std::clamp(min_ + std::int32_t(std::lround(along * (double(max_) - min_))), min_, max_);
}

// A press on the knob takes hold of it where it is; elsewhere the knob jumps under the pointer.
void Slider::MouseDownDefault(const MouseArgs& a) {
    const int x = TwipsToPxX(a.X);
    const int offset = x - KnobCentrePx(value_);
    dragging_ = a.Button == 1;
    grabPx_ = std::abs(offset) <= kKnobHalfPx ? offset : 0;
    if (grabPx_ == 0) setValue(ValueAtPx(x));
}

void Slider::MouseMoveDefault(const MouseArgs& a) {
    if (!dragging_) return;
    // The drag ends with the capture: a slider hidden under the pointer lets go.
    if (platform().Capture() != this) {
        dragging_ = false;
        return;
    }
    setValue(ValueAtPx(TwipsToPxX(a.X) - grabPx_));
}

void Slider::MouseUpDefault(const MouseArgs&) {
    dragging_ = false;
    if (OnClick) OnClick();
}

void Slider::MoveBy(std::int32_t delta) {
    setValue(std::clamp(value_ + delta, min_, std::max(min_, max_)));
}

void Slider::KeyDownDefault(std::int16_t keyCode, std::int16_t) {
    switch (keyCode) {
        case key::Left:
        case key::Up:
            MoveBy(-smallChange_);
            break;
        case key::Right:
        case key::Down:
            MoveBy(smallChange_);
            break;
        case key::PageUp:
            MoveBy(-largeChange_);
            break;
        case key::PageDown:
            MoveBy(largeChange_);
            break;
        case key::Home:
            setValue(min_);
            break;
        case key::End:
            setValue(max_);
            break;
        default:
            break;
    }
}

// A notch away from the user is an Up key, as on the classic slider. Fine wheels send parts of
// a notch; they add up.
bool Slider::WheelDefault(int delta) {
    wheelRest_ += delta;
    const int notches = wheelRest_ / key::WheelNotch;
    wheelRest_ -= notches * key::WheelNotch;
    if (notches != 0) MoveBy(-notches * smallChange_);
    return true;
}

void Slider::Describe(AccessibleDescription& d) const {
    d.role = Role::Slider;
    d.value = AccessibleValue{value_, std::min(min_, max_), std::max(min_, max_), smallChange_};
}

void Slider::Paint(Image& img) const {
    const int W = img.width(), H = img.height();
    const int mid = H / 2 - 2, left = kTrackLeftPx, right = W - kTrackRightPx;
    Bevel(img, left, mid - 1, right - left + 1, 4, false);
    for (std::int64_t v = Min(); v <= Max(); v += TickFrequency())
        img.fillRect(KnobCentrePx(std::int32_t(v)), H - 5, 1, 3, kInk);
    const int x = KnobCentrePx(Value());
    img.fillRect(x - kKnobHalfPx, 2, 2 * kKnobHalfPx + 1, H - 9, kFace);
    Bevel(img, x - kKnobHalfPx, 2, 2 * kKnobHalfPx + 1, H - 9, true);
    if (HasFocus()) DrawFocusMark(img, 0, 0, W, H);
}

}  // namespace quindel::platform
