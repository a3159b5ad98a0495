#include "platform/Raster.h"

#include <cstdlib>

#include "platform/PictureBox.h"

namespace quindel::platform {

void DrawLine(Image& img, int x1, int y1, int x2, int y2, Rgba color) {
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        img.setPixel(x, y, color);
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
