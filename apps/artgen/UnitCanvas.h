#pragma once
// A picture drawn on in units of `scale` pixels from a pixel origin: the flat parts of the
// artwork (bevels, frames, rules) at any density. At whole scales a rectangle covers whole
// pixels; otherwise it blends into the pixels it covers in part, by the share it covers.
#include "platform/Image.h"

namespace quindel::artgen {

class UnitCanvas {
  public:
    UnitCanvas(platform::Image& image, double scale, int originX = 0, int originY = 0)
        : image_(image), scale_(scale), originX_(originX), originY_(originY) {}

    double scale() const { return scale_; }
    // The rectangle (x, y, w, h) in units.
    void fill(double x, double y, double w, double h, platform::Rgba colour);

  private:
    platform::Image& image_;
    double scale_;
    int originX_;
    int originY_;
};

}  // namespace quindel::artgen
