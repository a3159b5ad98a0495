#pragma once
// Bilinear sampling in fixed point, shared by the plain resize (PictureScaler.h) and the panorama's
// reprojection. Positions are in 1/256 pixel; a weight w in 0..255 takes w/256 of the second
// pixel. Both pictures' pixels are 0xAARRGGBB, every channel blended alike.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "platform/Image.h"

namespace quindel::hostkit::bilinear {

// a + (b - a) * w / 256 on all four channels, two at a time in 16-bit lanes.
inline platform::Rgba Lerp(platform::Rgba a, platform::Rgba b, std::uint32_t w) {
    const std::uint32_t v = 256 - w;
    const std::uint32_t rb = (((a & 0xFF00FFu) * v + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
    const std::uint32_t ag =
        (((a >> 8) & 0xFF00FFu) * v + ((b >> 8) & 0xFF00FFu) * w) & 0xFF00FF00u;
    return rb | ag;
}

// Two neighbouring source rows and the weight of the lower one.
struct Rows {
    const platform::Rgba* top;
    const platform::Rgba* bottom;
    std::uint32_t weight;
};

// v in 1/256 pixel, already within the rows.
inline Rows RowsAt(const platform::Image& src, int v) {
    const int y0 = v >> 8, y1 = std::min(y0 + 1, src.height() - 1);
    const platform::Rgba* base = src.pixels().data();
    const auto stride = std::size_t(src.width());
    return {base + std::size_t(y0) * stride, base + std::size_t(y1) * stride,
            std::uint32_t(v & 255)};
}

inline platform::Rgba Sample(const Rows& rows, int x0, int x1, std::uint32_t wx) {
    return Lerp(Lerp(rows.top[x0], rows.top[x1], wx), Lerp(rows.bottom[x0], rows.bottom[x1], wx),
                rows.weight);
}

}  // namespace quindel::hostkit::bilinear
