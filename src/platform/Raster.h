#pragma once
// Pixel operations on Images shared by the picture box and the backends' renderers.
#include <cmath>
#include <cstdint>

#include "platform/Geometry.h"
#include "platform/Image.h"

namespace quindel::platform {

// A one-pixel line from (x1, y1) up to but not including (x2, y2).
void DrawLine(Image& img, int x1, int y1, int x2, int y2, Rgba color);
// The same line in logical pixels on a device with `ratio` device pixels to a logical one: each
// of its pixels covers its whole device area.
void DrawLine(Image& img, int x1, int y1, int x2, int y2, Rgba color, double ratio);
// A one-pixel rectangle outline covering (x, y, w, h).
void DrawFrame(Image& img, int x, int y, int w, int h, Rgba color);
// Paints src (sx, sy, sw, sh) onto dst (dx, dy, dw, dh), scaled by nearest neighbour, combining
// with the raster operation (rop::SrcCopy, SrcAnd, SrcPaint, SrcInvert); clipped to both images.
void Blend(Image& dst, int dx, int dy, int dw, int dh, const Image& src, int sx, int sy, int sw,
           int sh, std::int32_t op);
// Copies src over dst, skipping fully transparent pixels (cursor and icon pictures).
void Overlay(Image& dst, const Image& src, int x, int y);

// Where the logical pixel edge v falls on a device with `ratio` device pixels to a logical one.
// Every edge rounds the same way, so pictures that touch in logical pixels touch on the device,
// and a 24-pixel cell at 1.25 is 30 device pixels wherever it starts.
inline int ToDevice(int v, double ratio) {
    return ratio == 1.0 ? v : int(std::lround(v * ratio));
}

// The part (sx, sy, sw, sh) of src resized smoothly to dw x dh, of which only the pixels in
// `window` are made (a picture enlarged far past the surface it lands on costs only what shows).
// Each new pixel is the average of the source area it covers (a box filter), weighted by alpha:
// at whole ratios an enlargement repeats pixels exactly and a reduction by two averages each two
// by two; in between, an edge is shared by two pixels at most. Source pixels outside src repeat
// its edge.
Image Resample(const Image& src, int sx, int sy, int sw, int sh, int dw, int dh, RectPx window);
inline Image Resample(const Image& src, int dw, int dh) {
    return Resample(src, 0, 0, src.width(), src.height(), dw, dh, {0, 0, dw, dh});
}

}  // namespace quindel::platform
