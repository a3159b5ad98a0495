#include "hostkit/base/PictureScaler.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "hostkit/base/Bilinear.h"

namespace quindel::hostkit {

using platform::Image;
using platform::Rgba;

namespace {

// The mean of n pixels' channels, given their sums.
Rgba Mean(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t n) {
    const std::uint32_t half = n / 2;
    return ((a + half) / n) << 24 | ((r + half) / n) << 16 | ((g + half) / n) << 8 | (b + half) / n;
}

// Halves the sides asked for, averaging the pixels that merge (an odd last row or column
// stands alone).
Image Halve(const Image& src, bool across, bool down) {
    const int fx = across ? 2 : 1, fy = down ? 2 : 1;
    const int w = (src.width() + fx - 1) / fx, h = (src.height() + fy - 1) / fy;
    Image out(w, h, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint32_t a = 0, r = 0, g = 0, b = 0, n = 0;
            for (int dy = 0; dy < fy && y * fy + dy < src.height(); ++dy) {
                for (int dx = 0; dx < fx && x * fx + dx < src.width(); ++dx) {
                    const Rgba p = src.pixel(x * fx + dx, y * fy + dy);
                    a += p >> 24, r += (p >> 16) & 255, g += (p >> 8) & 255, b += p & 255, ++n;
                }
            }
            out.setPixel(x, y, Mean(a, r, g, b, n));
        }
    }
    return out;
}

}  // namespace

Image ScalePicture(const Image& source, int width, int height) {
    if (width <= 0 || height <= 0 || source.empty()) return {};
    if (source.width() == width && source.height() == height) return source;
    const Image* current = &source;
    Image reduced;
    for (;;) {
        const bool across = current->width() >= 2 * width, down = current->height() >= 2 * height;
        if (!across && !down) break;
        reduced = Halve(*current, across, down);
        current = &reduced;
    }
    return ResizeBilinear(*current, width, height);
}

Image ResizeBilinear(const Image& source, int width, int height) {
    return ResizeBilinearPart(source, width, height, {0, 0, width, height});
}

Image ResizeBilinearPart(const Image& source, int width, int height, platform::RectPx part) {
    Image out(part.width(), part.height(), 0);
    if (out.empty() || source.empty() || width <= 0 || height <= 0) return out;
    const int sw = source.width();
    struct Column {
        int x0, x1;
        std::uint32_t weight;
    };
    std::vector<Column> columns(static_cast<std::size_t>(part.width()));
    for (int i = 0; i < part.width(); ++i) {
        const float u = (float(part.left + i) + 0.5f) * float(sw) / float(width) - 0.5f;
        const int fixed = int(std::clamp(u, 0.0f, float(sw - 1)) * 256), x0 = fixed >> 8;
        columns[std::size_t(i)] = {x0, std::min(x0 + 1, sw - 1), std::uint32_t(fixed & 255)};
    }
    const int sh = source.height();
    for (int j = 0; j < part.height(); ++j) {
        const float v = (float(part.top + j) + 0.5f) * float(sh) / float(height) - 0.5f;
        const bilinear::Rows rows =
            bilinear::RowsAt(source, int(std::clamp(v, 0.0f, float(sh - 1)) * 256));
        Rgba* row = out.row(j);
        for (int i = 0; i < part.width(); ++i) {
            const Column& c = columns[std::size_t(i)];
            row[i] = bilinear::Sample(rows, c.x0, c.x1, c.weight);
        }
    }
    return out;
}

platform::RectPx FitInside(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
    int w = boxWidth, h = int(std::int64_t(boxWidth) * pictureHeight / pictureWidth);
    if (h > boxHeight)
        h = boxHeight, w = int(std::int64_t(boxHeight) * pictureWidth / pictureHeight);
    w = std::max(w, 1), h = std::max(h, 1);
    const int left = (boxWidth - w) / 2, top = (boxHeight - h) / 2;
    return {left, top, left + w, top + h};
}

void CopyPixels(Image& dst, int dstX, int dstY, const Image& src, int srcX, int srcY, int w,
                int h) {
    // Clip the rectangle to both pictures, moving both corners together.
    const int left = std::max({0, -dstX, -srcX}), top = std::max({0, -dstY, -srcY});
    w = std::min({w, dst.width() - dstX, src.width() - srcX});
    h = std::min({h, dst.height() - dstY, src.height() - srcY});
    if (w <= left || h <= top) return;
    // Image offers pixel writes only; its pixels are a plain vector it owns (nothing const), so
    // whole rows are copied through its data.
    auto* out = const_cast<Rgba*>(dst.pixels().data());
    const Rgba* in = src.pixels().data();
    for (int y = top; y < h; ++y) {
        const Rgba* from =
            in + std::size_t(srcY + y) * std::size_t(src.width()) + std::size_t(srcX + left);
        std::copy(
            from, from + (w - left),
            out + std::size_t(dstY + y) * std::size_t(dst.width()) + std::size_t(dstX + left));
    }
}

void Composite(Image& dst, const Image& src, int x, int y) {
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(dst.width(), x + src.width()),
              y1 = std::min(dst.height(), y + src.height());
    for (int j = y0; j < y1; ++j) {
        for (int i = x0; i < x1; ++i) {
            const Rgba s = src.pixel(i - x, j - y);
            const std::uint32_t alpha = s >> 24;
            if (alpha == 255) {
                dst.setPixel(i, j, s);
                continue;
            }
            const Rgba d = dst.pixel(i, j);
            auto mix = [alpha](Rgba over, Rgba under, int shift) {
                const std::uint32_t o = (over >> shift) & 255, u = (under >> shift) & 255;
                return ((o * alpha + u * (255 - alpha) + 127) / 255) << shift;
            };
            dst.setPixel(i, j, 0xFF000000u | mix(s, d, 16) | mix(s, d, 8) | mix(s, d, 0));
        }
    }
}

}  // namespace quindel::hostkit
