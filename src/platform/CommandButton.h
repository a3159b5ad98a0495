#pragma once
// A command button. Setting Value to True raises OnClick at once, inside the setter, and Value is
// False again when it returns; a click handler may set Value again (nested clicks run to
// completion one inside the other).
#include <string>

#include "platform/Window.h"

namespace quindel::platform {

class CommandButton : public Window {
  public:
    CommandButton(Platform& p, Window* parent);

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string c);
    bool Value() const { return depth_ > 0; }
    void setValue(bool v);
    // How deeply clicks are nested right now.
    int Depth() const { return depth_; }

    void Paint(Image& img) const override;

  protected:
    bool FocusOnClick() const override { return true; }
    void Describe(AccessibleDescription& d) const override;
    void MouseUpDefault(const MouseArgs& a) override;
    void KeyDownDefault(std::int16_t keyCode, std::int16_t shift) override;

  private:
    std::string caption_;
    int depth_ = 0;
};

}  // namespace quindel::platform
