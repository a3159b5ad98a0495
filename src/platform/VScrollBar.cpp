#include "platform/VScrollBar.h"

#include <algorithm>

#include "platform/FocusMark.h"
#include "platform/Keys.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace quindel::platform {

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

ScrollGeometry VScrollBar::Geometry() const {
    const SizePx s = ClientSizePx();
    return {s.width, s.height, min_, max_, value_, 0};
}

void VScrollBar::Describe(AccessibleDescription& d) const {
    d.role = Role::ScrollBar;
    d.value = AccessibleValue{value_, std::min(min_, max_), std::max(min_, max_), smallChange_};
}

void VScrollBar::setVisible(bool v) {
    if (!v) dragging_ = false;
    Window::setVisible(v);
}

// A drag ends with the capture: a bar hidden or disabled under the pointer drops it.
bool VScrollBar::Dragging() const {
    return dragging_ && platform().Capture() == this;
}

std::pair<int, int> VScrollBar::ThumbPx() const {
    const ScrollGeometry g = Geometry();
    const ScrollGeometry::Span thumb = Dragging() ? g.ThumbAt(dragTopPx_) : g.Thumb();
    return {thumb.top, thumb.height};
}

void VScrollBar::MouseDownDefault(const MouseArgs& a) {
    dragging_ = false;
    const ScrollGeometry g = Geometry();
    const int y = TwipsToPxY(a.Y);
    switch (g.PartAt(y)) {
        case ScrollGeometry::Part::UpArrow:
            Step(-smallChange_);
            break;
        case ScrollGeometry::Part::DownArrow:
            Step(smallChange_);
            break;
        case ScrollGeometry::Part::PageUp:
            Step(-largeChange_);
            break;
        case ScrollGeometry::Part::PageDown:
            Step(largeChange_);
            break;
        case ScrollGeometry::Part::Thumb:
            if (a.Button != 1) break;
            dragging_ = true;
            dragTopPx_ = g.Thumb().top;
            grabPx_ = y - dragTopPx_;
            trackValue_ = value_;
            break;
    }
}

void VScrollBar::MouseMoveDefault(const MouseArgs& a) {
    if (!dragging_) return;
    if (!Dragging()) {
        dragging_ = false;
        Changed(Aspect::Content);
        return;
    }
    Track(TwipsToPxY(a.Y));
}

// The thumb follows the pointer to the pixel; the value under it is reported when it changes.
void VScrollBar::Track(int y) {
    const ScrollGeometry g = Geometry();
    const int top = g.ThumbAt(y - grabPx_).top;
    if (top == dragTopPx_) return;
    dragTopPx_ = top;
    Changed(Aspect::Content);
    const std::int32_t v = g.ValueAtThumbTop(top);
    if (v == trackValue_) return;
    trackValue_ = v;
    if (OnScroll) OnScroll();
}

void VScrollBar::MouseUpDefault(const MouseArgs& a) {
    if (!dragging_) return;
    Track(TwipsToPxY(a.Y));
    dragging_ = false;
    Changed(Aspect::Content);
    setValue(Clamp(trackValue_));
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
    const auto [top, height] = ThumbPx();
    Geometry().Paint(img, 0, 0, {top, height});
    if (HasFocus()) DrawFocusMark(img, 2, top + 2, img.width() - 4, height - 4);
}

}  // namespace quindel::platform
