#include "platform/Slider.h"

#include <algorithm>
#include <cmath>

#include "runtime/VbError.h"

namespace quindel::platform {

Slider::Slider(Platform& p, Window* parent) : Window(p, WindowKind::Slider, parent) {}

void Slider::setMin(std::int32_t v) {
    min_ = v;
    value_ = std::clamp(value_, min_, std::max(min_, max_));
    Changed(Aspect::Content);
}

void Slider::setMax(std::int32_t v) {
    max_ = v;
    value_ = std::clamp(value_, std::min(min_, max_), max_);
    Changed(Aspect::Content);
}

void Slider::setValue(std::int32_t v) {
    if (v < min_ || v > max_) throw VbError(380);
    if (v == value_) return;
    value_ = v;
    Changed(Aspect::Content);
    if (OnChange) OnChange();
}

void Slider::setTickFrequency(std::int32_t v) {
    tickFrequency_ = std::max(v, 1);
    Changed(Aspect::Content);
}

bool Slider::ExtenderBool(std::int32_t dispid) const {
    auto it = extender_.find(dispid);
    return it != extender_.end() && it->second;
}

void Slider::MouseDownDefault(const MouseArgs& a) {
    const int w = ClientSizePx().width;
    if (w <= 1 || max_ <= min_) return;
    const int x = std::clamp(TwipsToPxX(a.X), 0, w - 1);
    setValue(min_ + int(std::lround(double(x) * (max_ - min_) / (w - 1))));
}

void Slider::MouseUpDefault(const MouseArgs&) {
    if (OnClick) OnClick();
}

}  // namespace quindel::platform
