#include "platform/FocusMark.h"

namespace quindel::platform {

namespace {

void Dot(Image& img, int x, int y) {
    if (!img.contains(x, y)) return;
    const Rgba p = img.pixel(x, y);
    const int light = RedOf(p) * 299 + GreenOf(p) * 587 + BlueOf(p) * 114;
    img.setPixel(x, y, light > 128 * 1000 ? MakeRgb(0, 0, 0) : MakeRgb(255, 255, 255));
}

}  // namespace

void DrawFocusMark(Image& img, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    const int right = x + w - 1, bottom = y + h - 1;
    for (int i = x; i <= right; i += 2) {
        Dot(img, i, y);
        Dot(img, i, bottom);
    }
    for (int j = y + 2; j < bottom; j += 2) {
        Dot(img, x, j);
        Dot(img, right, j);
    }
}

}  // namespace quindel::platform
