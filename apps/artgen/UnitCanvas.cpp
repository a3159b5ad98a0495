#include "UnitCanvas.h"

#include <algorithm>
#include <cmath>

#include "Colour.h"

namespace quindel::artgen {

void UnitCanvas::fill(double x, double y, double w, double h, platform::Rgba colour) {
    const double x0 = x * scale_, y0 = y * scale_, x1 = (x + w) * scale_, y1 = (y + h) * scale_;
    for (int py = int(std::floor(y0)); py < y1; ++py) {
        const double down = std::min<double>(y1, py + 1) - std::max<double>(y0, py);
        for (int px = int(std::floor(x0)); px < x1; ++px) {
            const double share = down * (std::min<double>(x1, px + 1) - std::max<double>(x0, px));
            const int ix = originX_ + px, iy = originY_ + py;
            if (share >= 1.0 - 1e-9)
                image_.setPixel(ix, iy, colour);
            else if (share > 0.0)
                image_.setPixel(ix, iy, Lerp(image_.pixel(ix, iy), colour, share));
        }
    }
}

}  // namespace quindel::artgen
