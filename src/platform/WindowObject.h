#pragma once
// Late-bound views of platform windows, for hosts that hand a form to the control (FrmParent)
// and for the control's own slider (SliderAvanzamento). Common members: hWnd, Left, Top, Width,
// Height, Visible, Enabled, Tag, Move; forms add Caption, Show, Hide; sliders add Value, Min, Max,
// TickFrequency and the container's extender Boolean 0x8001000D.
#include <memory>

#include "runtime/DispatchTable.h"

namespace quindel::platform {

class Window;
class Form;
class Slider;

constexpr DispId kDispidExtenderBool = DispId(0x8001000D);

class WindowObject : public TableDispatch {
  public:
    explicit WindowObject(std::shared_ptr<Window> w);
    Window& window() const { return *window_; }
    std::string TypeName() const override;

  private:
    std::shared_ptr<Window> window_;
};

Object MakeWindowObject(std::shared_ptr<Window> window);
Object MakeFormObject(std::shared_ptr<Form> form);
Object MakeSliderObject(std::shared_ptr<Slider> slider);
// The platform window behind an object made here, or null for any other object.
Window* WindowOf(const Object& obj);

}  // namespace quindel::platform
