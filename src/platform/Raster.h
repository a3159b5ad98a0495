#pragma once
// Pixel operations on Images shared by the picture box and the backends' renderers.
#include <cstdint>

#include "platform/Image.h"

namespace quindel::platform {

// A one-pixel line from (x1, y1) up to but not including (x2, y2).
void DrawLine(Image& img, int x1, int y1, int x2, int y2, Rgba color);
// A one-pixel rectangle outline covering (x, y, w, h).
void DrawFrame(Image& img, int x, int y, int w, int h, Rgba color);
// Paints src (sx, sy, sw, sh) onto dst (dx, dy, dw, dh), scaled by nearest neighbour, combining
// with the raster operation (rop::SrcCopy, SrcAnd, SrcPaint, SrcInvert); clipped to both images.
void Blend(Image& dst, int dx, int dy, int dw, int dh, const Image& src, int sx, int sy, int sw,
           int sh, std::int32_t op);
// Copies src over dst, skipping fully transparent pixels (cursor and icon pictures).
void Overlay(Image& dst, const Image& src, int x, int y);

}  // namespace quindel::platform
