#pragma once
// A horizontal slider with a value range and tick marks. Besides its own properties it carries
// the container's extender properties, addressed by dispatch id (the panel sets and reads back the
// Boolean 0x8001000D); they are stored, never interpreted.
// The user moves it as a desktop slider: a press on the track puts the knob there, the knob
// follows a drag (each new value raises OnChange at once), the arrow keys and the wheel move it by
// SmallChange, Page Up and Page Down by LargeChange, Home and End to the ends.
#include <cstdint>
#include <functional>
#include <map>

#include "platform/Window.h"

namespace quindel::platform {

class Slider : public Window {
  public:
    Slider(Platform& p, Window* parent);

    std::int32_t Min() const { return min_; }
    void setMin(std::int32_t v);
    std::int32_t Max() const { return max_; }
    void setMax(std::int32_t v);
    std::int32_t Value() const { return value_; }
    // Error 380 outside Min..Max.
    void setValue(std::int32_t v);
    std::int32_t TickFrequency() const { return tickFrequency_; }
    void setTickFrequency(std::int32_t v);
    std::int32_t SmallChange() const { return smallChange_; }
    void setSmallChange(std::int32_t v) { smallChange_ = v; }
    std::int32_t LargeChange() const { return largeChange_; }
    void setLargeChange(std::int32_t v) { largeChange_ = v; }

    // The knob's centre for a value, and the value nearest a point, in pixels of the window.
    int KnobCentrePx(std::int32_t v) const;
    std::int32_t ValueAtPx(int x) const;

    bool ExtenderBool(std::int32_t dispid) const;
    void setExtenderBool(std::int32_t dispid, bool v) { extender_[dispid] = v; }

    std::function<void()> OnChange;

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
    void MoveBy(std::int32_t delta);
    std::int32_t min_ = 0, max_ = 10, value_ = 0, tickFrequency_ = 1;
    std::int32_t smallChange_ = 1, largeChange_ = 5;
    // A drag of the knob and how far from its centre the pointer holds it.
    bool dragging_ = false;
    int grabPx_ = 0;
    int wheelRest_ = 0;  // wheel units short of a notch
    std::map<std::int32_t, bool> extender_;
};

}  // namespace quindel::platform
