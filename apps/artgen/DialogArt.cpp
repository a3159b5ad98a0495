#include "DialogArt.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "Colour.h"
#include "UnitCanvas.h"

namespace quindel::artgen {
namespace {

using platform::Image;
using platform::MakeRgb;
using platform::Rgba;

constexpr Rgba kStripe = MakeRgb(46, 84, 112);
constexpr Rgba kShadow = MakeRgb(160, 150, 128);
constexpr Rgba kLight = MakeRgb(255, 252, 244);
constexpr Rgba kInk = MakeRgb(40, 44, 64);
constexpr Rgba kTick = MakeRgb(32, 128, 64);
constexpr int kSubsamples = 4;

struct Box {
    int x, y, w, h;
};

// Light on the top and left edges, shadow on the others; swapped, an incised line.
void Bevel(UnitCanvas& c, const Box& b, Rgba topLeft, Rgba bottomRight) {
    c.fill(b.x, b.y, b.w, 1, topLeft);
    c.fill(b.x, b.y, 1, b.h, topLeft);
    c.fill(b.x, b.y + b.h - 1, b.w, 1, bottomRight);
    c.fill(b.x + b.w - 1, b.y, 1, b.h, bottomRight);
}

void Incised(UnitCanvas& c, const Box& b) {
    Bevel(c, b, kShadow, kLight);
    Bevel(c, {b.x + 1, b.y + 1, b.w - 2, b.h - 2}, kLight, kShadow);
}

int Pixels(int units, double scale) {
    return int(std::lround(units * scale));
}

Image Background(int w, int h, std::initializer_list<Box> groups,
                 std::initializer_list<Box> buttons, double scale) {
    Image img(Pixels(w, scale), Pixels(h, scale), kDialogPaper);
    UnitCanvas c(img, scale);
    Bevel(c, {0, 0, w, h}, kLight, kShadow);
    Bevel(c, {1, 1, w - 2, h - 2}, kLight, kShadow);
    c.fill(2, 2, w - 4, 4, kStripe);
    c.fill(12, 28, w - 24, 1, kShadow);
    c.fill(12, 29, w - 24, 1, kLight);
    for (const Box& g : groups) Incised(c, g);
    for (const Box& b : buttons) {
        Bevel(c, b, kLight, kInk);
        Bevel(c, {b.x + 1, b.y + 1, b.w - 2, b.h - 2}, kLight, kShadow);
    }
    return img;
}

// Paints colour over the part of each pixel of the mark at unit x0 where inside (in units)
// holds, sampled on a sub-pixel grid.
void Cover(Image& img, int x0, double scale, Rgba colour,
           const std::function<bool(double, double)>& inside) {
    const int left = Pixels(x0, scale), right = Pixels(x0 + kMarkSize, scale);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = left; x < right; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSubsamples; ++sy)
                for (int sx = 0; sx < kSubsamples; ++sx)
                    hits += inside((x + (sx + 0.5) / kSubsamples) / scale - x0,
                                   (y + (sy + 0.5) / kSubsamples) / scale);
            if (hits == 0) continue;
            const double t = double(hits) / (kSubsamples * kSubsamples);
            img.setPixel(x, y,
                         Lerp(img.pixel(x, y), colour, std::round(t * kMixSteps) / kMixSteps));
        }
    }
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

}  // namespace

Image RenderCopyBackground(double scale) {
    return Background(330, 200, {{10, 52, 160, 100}, {176, 52, 146, 100}},
                      {{68, 168, 84, 21}, {178, 168, 84, 21}}, scale);
}

Image RenderPrintBackground(double scale) {
    return Background(300, 150, {{10, 52, 280, 56}}, {{48, 118, 84, 21}, {168, 118, 84, 21}},
                      scale);
}

Image RenderOptionMarkers(double scale) {
    Image img(Pixels(2 * kMarkSize, scale), Pixels(kMarkSize, scale), kDialogPaper);
    constexpr double c = kMarkSize / 2.0;
    for (int cell = 0; cell < 2; ++cell) {
        const int x0 = cell * kMarkSize;
        Cover(img, x0, scale, kShadow,
              [&](double x, double y) { return std::hypot(x - c, y - c) < 7; });
        Cover(img, x0, scale, kLight,
              [&](double x, double y) { return std::hypot(x - c, y - c) < 5.8; });
        if (cell == 1)
            Cover(img, x0, scale, kStripe,
                  [&](double x, double y) { return std::hypot(x - c, y - c) < 3.4; });
    }
    return img;
}

Image RenderCheckMark(double scale) {
    Image img(Pixels(kMarkSize, scale), Pixels(kMarkSize, scale), kDialogPaper);
    Cover(img, 0, scale, kTick, [](double x, double y) {
        return SegmentDistance(x, y, 3, 8.5, 6.5, 12.5) < 1.4 ||
               SegmentDistance(x, y, 6.5, 12.5, 13, 3.5) < 1.4;
    });
    return img;
}

}  // namespace quindel::artgen
