#pragma once
// A vertical scroll bar. Value runs from Min to Max (Min may exceed Max, as in the classic
// control); a Value outside the range raises error 380. Every change of Value, by code or by the
// user (arrows: SmallChange, track: LargeChange, thumb: where it is dropped), raises OnChange.
// While the user drags the thumb it follows the pointer and OnScroll reports each new
// TrackValue; Value changes once, at the drop.
#include <cstdint>
#include <functional>

#include "platform/ScrollGeometry.h"
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

    // Whether the user is dragging the thumb, and the value under it (Value when not dragging).
    bool Dragging() const;
    std::int32_t TrackValue() const { return Dragging() ? trackValue_ : value_; }

    // The arrow buttons are as tall as the bar is wide.
    int ArrowPx() const { return Geometry().ArrowPx(); }
    // The thumb's top and height in client pixels, where it is painted.
    std::pair<int, int> ThumbPx() const;

    std::function<void()> OnChange;
    std::function<void()> OnScroll;

    // Hiding the bar drops a drag of its thumb.
    void setVisible(bool v) override;
    void Paint(Image& img) const override;

  protected:
    bool FocusOnClick() const override { return true; }
    void Describe(AccessibleDescription& d) const override;
    void MouseDownDefault(const MouseArgs& a) override;
    void MouseMoveDefault(const MouseArgs& a) override;
    void MouseUpDefault(const MouseArgs& a) override;
    void KeyDownDefault(std::int16_t keyCode, std::int16_t shift) override;
    bool WheelDefault(int delta) override;

  private:
    ScrollGeometry Geometry() const;
    void Step(std::int32_t delta);
    void Track(int y);
    std::int32_t Clamp(std::int32_t v) const;
    std::int32_t min_ = 0, max_ = 32767, value_ = 0;
    std::int32_t smallChange_ = 1, largeChange_ = 1;
    // A thumb drag: where the pointer holds the thumb, the thumb's top and the value under it.
    bool dragging_ = false;
    int grabPx_ = 0, dragTopPx_ = 0;
    std::int32_t trackValue_ = 0;
};

}  // namespace quindel::platform
