#pragma once
// Renders window models in a plain classic desktop look. Each window kind paints its own part
// (Window::Paint); the renderer composes a window with its shown children, and this header holds
// the look the kinds share (colours, bevels, the default line height). The headless backend
// renders whole windows with it; the desktop backend paints each widget's own part through
// Window::Paint, so a label, a list box or a scroll bar looks alike on both.
#include "platform/Image.h"
#include "platform/Window.h"

namespace quindel::platform {

class Platform;

namespace look {
constexpr Rgba kFace = MakeRgb(212, 208, 200);
constexpr Rgba kShadow = MakeRgb(128, 128, 128);
constexpr Rgba kDark = MakeRgb(64, 64, 64);
constexpr Rgba kLight = MakeRgb(255, 255, 255);
constexpr Rgba kInk = MakeRgb(0, 0, 0);
constexpr Rgba kSelection = MakeRgb(10, 36, 106);
constexpr Rgba kTrack = MakeRgb(236, 233, 216);
constexpr Rgba kDesktop = MakeRgb(58, 110, 165);

// A one-pixel bevel around (x, y, w, h): light above and left when raised, below and right
// when sunken.
void Bevel(Image& img, int x, int y, int w, int h, bool raised);
// Height of one line of text in the platform's default font.
int LineHeight(const Platform& p);
}  // namespace look

class ModelRenderer {
  public:
    // The window with its shown children, sized as its screen rectangle (a form with its frame).
    Image Render(Window& w) const;
    // The window's own part, without its children, into img (the window's size).
    void PaintOwn(Window& w, Image& img) const { w.Paint(img); }

  private:
    void PaintChildren(Window& w, Image& img) const;
};

// Every shown form at its place on a screen-sized image, back to front, each as the platform's
// Grab gives it.
Image ComposeScreen(Platform& p);
// The same for any part of the desktop, which may reach past the screen's edges: a window larger
// than a small screen is still drawn whole.
Image ComposeRegion(Platform& p, const RectPx& region);

}  // namespace quindel::platform
