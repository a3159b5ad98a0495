#include "platform/Raster.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/PictureBox.h"

namespace quindel::platform {

namespace {
// The pixels of a line from (x1, y1) up to but not including (x2, y2) (Bresenham).
template <class F>
void LinePixels(int x1, int y1, int x2, int y2, F&& plot) {
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        plot(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}
}  // namespace

void DrawLine(Image& img, int x1, int y1, int x2, int y2, Rgba color) {
    LinePixels(x1, y1, x2, y2, [&](int x, int y) { img.setPixel(x, y, color); });
}

void DrawLine(Image& img, int x1, int y1, int x2, int y2, Rgba color, double ratio) {
    LinePixels(x1, y1, x2, y2, [&](int x, int y) {
        const int left = ToDevice(x, ratio), top = ToDevice(y, ratio);
        img.fillRect(left, top, ToDevice(x + 1, ratio) - left, ToDevice(y + 1, ratio) - top, color);
    });
}

void DrawFrame(Image& img, int x, int y, int w, int h, Rgba color) {
    if (w <= 0 || h <= 0) return;
    img.fillRect(x, y, w, 1, color);
    img.fillRect(x, y + h - 1, w, 1, color);
    img.fillRect(x, y, 1, h, color);
    img.fillRect(x + w - 1, y, 1, h, color);
}

namespace {
Rgba Combine(Rgba d, Rgba s, std::int32_t op) {
    switch (op) {
        case rop::SrcAnd:
            return 0xFF000000u | (d & s);
        case rop::SrcPaint:
            return 0xFF000000u | (d | s);
        case rop::SrcInvert:
            return 0xFF000000u | ((d ^ s) & 0x00FFFFFFu);
        default:
            return s;
    }
}
}  // namespace

void Blend(Image& dst, int dx, int dy, int dw, int dh, const Image& src, int sx, int sy, int sw,
           int sh, std::int32_t op) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    for (int y = 0; y < dh; ++y) {
        const int ty = dy + y;
        if (ty < 0 || ty >= dst.height()) continue;
        const int srcY = sy + int(std::int64_t(y) * sh / dh);
        for (int x = 0; x < dw; ++x) {
            const int tx = dx + x;
            const int srcX = sx + int(std::int64_t(x) * sw / dw);
            if (tx < 0 || tx >= dst.width() || !src.contains(srcX, srcY)) continue;
            dst.setPixel(tx, ty, Combine(dst.pixel(tx, ty), src.pixel(srcX, srcY), op));
        }
    }
}

void Overlay(Image& dst, const Image& src, int x, int y) {
    for (int yy = 0; yy < src.height(); ++yy)
        for (int xx = 0; xx < src.width(); ++xx) {
            const Rgba c = src.pixel(xx, yy);
            if (AlphaOf(c) != 0) dst.setPixel(x + xx, y + yy, c);
        }
}

}  // namespace quindel::platform

namespace quindel::platform {

namespace {

// One source pixel's share of a new pixel, in nths of a source pixel (n: the new span), so the
// shares are exact and two pixels covering an edge equally weigh the same.
struct Tap {
    int at;
    std::int64_t weight;
};

// For each new pixel o in [from, to) of n across a source span of `span` pixels from `origin`,
// the source pixels it covers and how much of each.
std::vector<std::vector<Tap>> Taps(int origin, int span, int n, int from, int to, int limit) {
    std::vector<std::vector<Tap>> taps;
    taps.reserve(std::size_t(std::max(to - from, 0)));
    for (int o = from; o < to; ++o) {
        // [a, b) in nths of a source pixel.
        const std::int64_t a = std::int64_t(o) * span, b = a + span;
        std::vector<Tap> t;
        for (std::int64_t i = a / n; i * n < b; ++i) {
            const std::int64_t w = std::min(b, (i + 1) * n) - std::max(a, i * n);
            if (w > 0) t.push_back({std::clamp(origin + int(i), 0, limit - 1), w});
        }
        taps.push_back(std::move(t));
    }
    return taps;
}

Rgba Average(const Image& src, const std::vector<Tap>& across, const std::vector<Tap>& down) {
    std::int64_t a = 0, r = 0, g = 0, b = 0, area = 0;
    for (const Tap& ty : down) {
        const Rgba* row = src.row(ty.at);
        for (const Tap& tx : across) {
            const Rgba c = row[tx.at];
            const std::int64_t w = tx.weight * ty.weight, wa = w * AlphaOf(c);
            area += w;
            a += wa;
            r += wa * RedOf(c);
            g += wa * GreenOf(c);
            b += wa * BlueOf(c);
        }
    }
    if (a <= 0) return 0;
    // Rounded halves up.
    auto share = [](std::int64_t v, std::int64_t whole) {
        return std::uint32_t((2 * v + whole) / (2 * whole));
    };
    return (share(a, area) << 24) | (share(r, a) << 16) | (share(g, a) << 8) | share(b, a);
}

}  // namespace

Image Resample(const Image& src, int sx, int sy, int sw, int sh, int dw, int dh, RectPx window) {
    window = {std::max(window.left, 0), std::max(window.top, 0), std::min(window.right, dw),
              std::min(window.bottom, dh)};
    if (src.empty() || sw <= 0 || sh <= 0 || window.width() <= 0 || window.height() <= 0) return {};
    const auto across = Taps(sx, sw, dw, window.left, window.right, src.width());
    const auto down = Taps(sy, sh, dh, window.top, window.bottom, src.height());
    Image out(window.width(), window.height());
    for (int y = 0; y < out.height(); ++y) {
        Rgba* row = out.row(y);
        for (int x = 0; x < out.width(); ++x)
            row[x] = Average(src, across[std::size_t(x)], down[std::size_t(y)]);
    }
    return out;
}

}  // namespace quindel::platform
