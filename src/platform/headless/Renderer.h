#pragma once
// Draws a window model and its shown children into an RGBA image, in a plain classic desktop look.
#include "platform/Image.h"
#include "platform/Window.h"

namespace quindel::headless {

class HeadlessPlatform;

class Renderer {
  public:
    explicit Renderer(HeadlessPlatform& p) : platform_(p) {}
    platform::Image Render(platform::Window& w);

  private:
    void Paint(platform::Window& w, platform::Image& img);
    void PaintChildren(platform::Window& w, platform::Image& img);
    HeadlessPlatform& platform_;
};

}  // namespace quindel::headless
