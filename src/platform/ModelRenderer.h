#pragma once
// Draws window models in a plain classic desktop look, text through the platform's DrawText. The
// headless backend renders whole windows with it; the desktop backend paints each widget's own
// part with it, so a label, a list box or a scroll bar looks alike on both.
#include "platform/Image.h"
#include "platform/Window.h"

namespace quindel::platform {

class Platform;
class Form;
class PictureBox;
class Label;
class ListBox;
class VScrollBar;
class Slider;
class CommandButton;

namespace look {
constexpr Rgba kFace = MakeRgb(212, 208, 200);
constexpr Rgba kShadow = MakeRgb(128, 128, 128);
constexpr Rgba kDark = MakeRgb(64, 64, 64);
constexpr Rgba kLight = MakeRgb(255, 255, 255);
constexpr Rgba kInk = MakeRgb(0, 0, 0);
constexpr Rgba kSelection = MakeRgb(10, 36, 106);
constexpr Rgba kTrack = MakeRgb(236, 233, 216);
constexpr Rgba kDesktop = MakeRgb(58, 110, 165);
}  // namespace look

class ModelRenderer {
  public:
    explicit ModelRenderer(const Platform& p) : platform_(p) {}

    // The window with its shown children, sized as its screen rectangle (a form with its frame).
    Image Render(Window& w) const;
    // The window's own part, without its children, into img (the window's size).
    void PaintOwn(Window& w, Image& img) const;

  private:
    void PaintForm(const Form& f, Image& img) const;
    void PaintPictureBox(const PictureBox& p, Image& img) const;
    void PaintLabel(const Label& l, Image& img) const;
    void PaintListBox(const ListBox& l, Image& img) const;
    void PaintScrollBar(const VScrollBar& s, Image& img) const;
    void PaintSlider(const Slider& s, Image& img) const;
    void PaintButton(const CommandButton& c, Image& img) const;
    void PaintChildren(Window& w, Image& img) const;
    int LineHeight() const;
    const Platform& platform_;
};

// Every shown form at its place on a screen-sized image, back to front, each as the platform's
// Grab gives it.
Image ComposeScreen(Platform& p);

}  // namespace quindel::platform
