#pragma once
// A vertical scroll bar. Value runs from Min to Max (Min may exceed Max, as in the classic
// control); a Value outside the range raises error 380. Every change of Value, by code or by the
// user (arrows: SmallChange, track: LargeChange), raises OnChange.
#include <cstdint>
#include <functional>

#include "platform/Window.h"

namespace quindel::platform {

class VScrollBar : public Window {
  public:
    VScrollBar(Platform& p, Window* parent);

    std::int32_t Min() const { return min_; }
    void setMin(std::int32_t v);
    std::int32_t Max() const { return max_; }
    void setMax(std::int32_t v);
    std::int32_t Value() const { return value_; }
    void setValue(std::int32_t v);
    std::int32_t SmallChange() const { return smallChange_; }
    void setSmallChange(std::int32_t v) { smallChange_ = v; }
    std::int32_t LargeChange() const { return largeChange_; }
    void setLargeChange(std::int32_t v) { largeChange_ = v; }

    // The arrow buttons are as tall as the bar is wide.
    int ArrowPx() const;
    // The thumb's top and height in client pixels.
    std::pair<int, int> ThumbPx() const;

    std::function<void()> OnChange;

    void Paint(Image& img) const override;

  protected:
    bool FocusOnClick() const override { return true; }
    void MouseDownDefault(const MouseArgs& a) override;
    void KeyDownDefault(std::int16_t keyCode, std::int16_t shift) override;
    bool WheelDefault(int delta) override;

  private:
    void Step(std::int32_t delta);
    std::int32_t Clamp(std::int32_t v) const;
    std::int32_t min_ = 0, max_ = 32767, value_ = 0;
    std::int32_t smallChange_ = 1, largeChange_ = 1;
};

}  // namespace quindel::platform
