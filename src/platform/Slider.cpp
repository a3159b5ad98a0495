#include "platform/Slider.h"

#include <algorithm>
#include <cmath>

#include "platform/ModelRenderer.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace quindel::platform {

using namespace look;

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

void Slider::MouseDownDefault(const MouseArgs& a) {
    const int w = ClientSizePx().width;
    if (w <= 1 || max_ <= min_) return;
    const int x = std::clamp(TwipsToPxX(a.X), 0, w - 1);
    setValue(min_ + int(std::lround(double(x) * (max_ - min_) / (w - 1))));
}

void Slider::MouseUpDefault(const MouseArgs&) {
    if (OnClick) OnClick();
}

void Slider::Paint(Image& img) const {
    const int W = img.width(), H = img.height();
    const int mid = H / 2 - 2, left = 6, right = W - 7;
    Bevel(img, left, mid - 1, right - left + 1, 4, false);
    const int span = std::max(Max() - Min(), 1);
    for (int v = Min(); v <= Max(); v += TickFrequency())
        img.fillRect(left + (v - Min()) * (right - left) / span, H - 5, 1, 3, kInk);
    const int x = left + (Value() - Min()) * (right - left) / span;
    img.fillRect(x - 4, 2, 9, H - 9, kFace);
    Bevel(img, x - 4, 2, 9, H - 9, true);
}

}  // namespace quindel::platform
