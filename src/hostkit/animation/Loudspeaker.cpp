#include "hostkit/animation/Loudspeaker.h"

#include <cmath>

namespace quindel::hostkit {

namespace {

// The sign on a unit square, x to the right and y downwards, 0.5 the middle line.
bool Inked(double x, double y) {
    const double dy = std::fabs(y - 0.5);
    if (x >= 0.10 && x < 0.30 && dy < 0.13) return true;                     // the magnet
    if (x >= 0.30 && x < 0.52 && dy < 0.13 + (x - 0.30) * 1.3) return true;  // the cone
    // Waves: rings around the cone's mouth, on its open side, within 40 degrees of the axis.
    const double rx = x - 0.50, ry = y - 0.5, d = std::hypot(rx, ry);
    if (rx <= 0 || std::fabs(ry) > rx * 0.84) return false;
    for (double radius : {0.16, 0.29, 0.42})
        if (std::fabs(d - radius) < 0.035) return true;
    return false;
}

}  // namespace

platform::Rgba InkOn(platform::Rgba paper) {
    // Perceived brightness, 0..255, with the usual weights of the three primaries.
    const int light = (299 * platform::RedOf(paper) + 587 * platform::GreenOf(paper) +
                       114 * platform::BlueOf(paper)) /
                      1000;
    return light < 128 ? platform::MakeRgb(230, 230, 230) : platform::MakeRgb(0, 0, 0);
}

platform::Image DrawLoudspeaker(int size, platform::Rgba ink, platform::Rgba paper) {
    platform::Image img(size, size, paper);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (Inked((x + 0.5) / size, (y + 0.5) / size)) img.setPixel(x, y, ink);
    return img;
}

}  // namespace quindel::hostkit
