#pragma once
// The screen: its size in pixels, the twips-per-pixel factors, the device pixel ratio, the cursor
// and the screen-wide mouse pointer. Backends keep it current (the desktop backend reads the cursor
// live).
#include <algorithm>
#include <cstdint>
#include <functional>

#include "platform/Geometry.h"

namespace quindel::platform {

struct ScreenMetrics {
    int widthPx = 1024;
    int heightPx = 768;
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
    // Device pixels to one logical pixel: windows are laid out in logical pixels, and picture
    // boxes keep their drawing at the device's resolution as well (PictureBox::DeviceSurface).
    double pixelRatio = 1.0;
};

class Screen {
  public:
    explicit Screen(ScreenMetrics m) : metrics_(m) {}

    int TwipsPerPixelX() const { return metrics_.twipsPerPixelX; }
    int TwipsPerPixelY() const { return metrics_.twipsPerPixelY; }
    int WidthPx() const { return metrics_.widthPx; }
    int HeightPx() const { return metrics_.heightPx; }
    double PixelRatio() const { return metrics_.pixelRatio > 0 ? metrics_.pixelRatio : 1.0; }
    std::int32_t WidthTwips() const { return metrics_.widthPx * metrics_.twipsPerPixelX; }
    std::int32_t HeightTwips() const { return metrics_.heightPx * metrics_.twipsPerPixelY; }
    void setMetrics(ScreenMetrics m) { metrics_ = m; }
    // The largest picture any window keeps or paints: twice the screen each way. A window whose
    // model is larger (sizes come from content) shows its top-left part, never a canvas of
    // gigabytes.
    SizePx MaxCanvasPx() const {
        return {std::max(2 * metrics_.widthPx, 1), std::max(2 * metrics_.heightPx, 1)};
    }
    SizePx Bounded(SizePx s) const {
        const SizePx m = MaxCanvasPx();
        return {std::clamp(s.width, 0, m.width), std::clamp(s.height, 0, m.height)};
    }

    // The screen mouse pointer (0 default, 11 hourglass); every change is counted, so a test can
    // tell that a long operation showed the hourglass.
    std::int16_t MousePointer() const { return pointer_; }
    void setMousePointer(std::int16_t p);
    int PointerChanges() const { return pointerChanges_; }

    PointPx CursorPos() const { return cursorSource_ ? cursorSource_() : cursor_; }
    void setCursorPos(PointPx p) { cursor_ = p; }
    // A backend that reads the cursor live installs its reader here.
    void setCursorSource(std::function<PointPx()> f) { cursorSource_ = std::move(f); }

  private:
    ScreenMetrics metrics_;
    std::int16_t pointer_ = 0;
    int pointerChanges_ = 0;
    PointPx cursor_;
    std::function<PointPx()> cursorSource_;
};

}  // namespace quindel::platform
