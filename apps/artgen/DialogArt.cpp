#include "DialogArt.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "Colour.h"

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
void Bevel(Image& img, const Box& b, Rgba topLeft, Rgba bottomRight) {
    img.fillRect(b.x, b.y, b.w, 1, topLeft);
    img.fillRect(b.x, b.y, 1, b.h, topLeft);
    img.fillRect(b.x, b.y + b.h - 1, b.w, 1, bottomRight);
    img.fillRect(b.x + b.w - 1, b.y, 1, b.h, bottomRight);
}

void Incised(Image& img, const Box& b) {
    Bevel(img, b, kShadow, kLight);
    Bevel(img, {b.x + 1, b.y + 1, b.w - 2, b.h - 2}, kLight, kShadow);
}

Image Background(int w, int h, std::initializer_list<Box> groups,
                 std::initializer_list<Box> buttons) {
    Image img(w, h, kDialogPaper);
    Bevel(img, {0, 0, w, h}, kLight, kShadow);
    Bevel(img, {1, 1, w - 2, h - 2}, kLight, kShadow);
    img.fillRect(2, 2, w - 4, 4, kStripe);
    img.fillRect(12, 28, w - 24, 1, kShadow);
    img.fillRect(12, 29, w - 24, 1, kLight);
    for (const Box& g : groups) Incised(img, g);
    for (const Box& b : buttons) {
        Bevel(img, b, kLight, kInk);
        Bevel(img, {b.x + 1, b.y + 1, b.w - 2, b.h - 2}, kLight, kShadow);
    }
    return img;
}

// Paints colour over the part of each pixel where inside holds, sampled on a sub-pixel grid.
void Cover(Image& img, int x0, Rgba colour, const std::function<bool(double, double)>& inside) {
    for (int y = 0; y < img.height(); ++y) {
        for (int x = x0; x < x0 + kMarkSize; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSubsamples; ++sy)
                for (int sx = 0; sx < kSubsamples; ++sx)
                    hits += inside(x - x0 + (sx + 0.5) / kSubsamples, y + (sy + 0.5) / kSubsamples);
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

Image RenderCopyBackground() {
    return Background(330, 200, {{10, 52, 160, 100}, {176, 52, 146, 100}},
                      {{68, 168, 84, 21}, {178, 168, 84, 21}});
}

Image RenderPrintBackground() {
    return Background(300, 150, {{10, 52, 280, 56}}, {{48, 118, 84, 21}, {168, 118, 84, 21}});
}

Image RenderOptionMarkers() {
    Image img(2 * kMarkSize, kMarkSize, kDialogPaper);
    constexpr double c = kMarkSize / 2.0;
    for (int cell = 0; cell < 2; ++cell) {
        const int x0 = cell * kMarkSize;
        Cover(img, x0, kShadow, [&](double x, double y) { return std::hypot(x - c, y - c) < 7; });
        Cover(img, x0, kLight, [&](double x, double y) { return std::hypot(x - c, y - c) < 5.8; });
        if (cell == 1)
            Cover(img, x0, kStripe,
                  [&](double x, double y) { return std::hypot(x - c, y - c) < 3.4; });
    }
    return img;
}

Image RenderCheckMark() {
    Image img(kMarkSize, kMarkSize, kDialogPaper);
    Cover(img, 0, kTick, [](double x, double y) {
        return SegmentDistance(x, y, 3, 8.5, 6.5, 12.5) < 1.4 ||
               SegmentDistance(x, y, 6.5, 12.5, 13, 3.5) < 1.4;
    });
    return img;
}

}  // namespace quindel::artgen
