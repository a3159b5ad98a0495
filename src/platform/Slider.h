#pragma once
// A horizontal slider with a value range and tick marks. Besides its own properties it carries
// the container's extender properties, addressed by dispatch id (the panel sets and reads back the
// Boolean 0x8001000D); they are stored, never interpreted.
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

    bool ExtenderBool(std::int32_t dispid) const;
    void setExtenderBool(std::int32_t dispid, bool v) { extender_[dispid] = v; }

    std::function<void()> OnChange;

    void Paint(Image& img) const override;

  protected:
    bool FocusOnClick() const override { return true; }
    void MouseUpDefault(const MouseArgs& a) override;
    void MouseDownDefault(const MouseArgs& a) override;

  private:
    std::int32_t min_ = 0, max_ = 10, value_ = 0, tickFrequency_ = 1;
    std::map<std::int32_t, bool> extender_;
};

}  // namespace quindel::platform
