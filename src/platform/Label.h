#pragma once
// A static text. With AutoSize the label takes the size of its caption (plus its border); a
// caption change raises OnChange after the size has followed.
#include <functional>
#include <string>

#include "platform/Window.h"

namespace quindel::platform {

class Label : public Window {
  public:
    Label(Platform& p, Window* parent);

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string c);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    // 0 none, 1 fixed single.
    std::int16_t BorderStyle() const { return borderStyle_; }
    void setBorderStyle(std::int16_t b);
    // 0 flat, 1 3-D.
    std::int16_t Appearance() const { return appearance_; }
    void setAppearance(std::int16_t a);
    Rgba BackColor() const { return backColor_; }
    void setBackColor(Rgba c);
    Rgba ForeColor() const { return foreColor_; }
    void setForeColor(Rgba c);

    std::function<void()> OnChange;

    void Paint(Image& img) const override;

  protected:
    void Describe(AccessibleDescription& d) const override;

  private:
    void FitToCaption();
    std::string caption_;
    bool autoSize_ = false;
    std::int16_t borderStyle_ = 0;
    std::int16_t appearance_ = 1;
    Rgba backColor_ = MakeRgb(255, 255, 225);
    Rgba foreColor_ = MakeRgb(0, 0, 0);
};

}  // namespace quindel::platform
