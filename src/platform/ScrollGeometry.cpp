#include "platform/ScrollGeometry.h"

#include <algorithm>
#include <cmath>

#include "platform/ModelRenderer.h"

namespace quindel::platform {

using namespace look;

namespace {

constexpr int kThumbMinPx = 8;

void Triangle(Image& img, int cx, int cy, bool up) {
    for (int i = 0; i < 4; ++i)
        img.fillRect(cx - i, up ? cy - 2 + i : cy + 1 - i, 2 * i + 1, 1, kInk);
}

}  // namespace

int ScrollGeometry::ArrowPx() const {
    return std::max(std::min(Width, Height / 2), 0);
}

int ScrollGeometry::TrackPx() const {
    return std::max(Height - 2 * ArrowPx(), 0);
}

int ScrollGeometry::ThumbPx() const {
    const int track = TrackPx();
    if (Page <= 0) return std::min(std::max(ArrowPx(), kThumbMinPx), track);
    const std::int64_t span = std::abs(std::int64_t(Max) - Min);
    const auto proportional = int(std::int64_t(track) * Page / (span + Page));
    return std::min(std::max(proportional, kThumbMinPx), track);
}

int ScrollGeometry::ThumbTopOf(std::int32_t value) const {
    // Rounded as ValueAtThumbTop rounds, so a value's place leads back to it.
    const double span = double(Max) - Min;
    const int free = TrackPx() - ThumbPx();
    const std::int64_t pos = span == 0 ? 0 : std::llround((double(value) - Min) * free / span);
    return ArrowPx() + int(std::clamp<std::int64_t>(pos, 0, free));
}

ScrollGeometry::Span ScrollGeometry::ThumbAt(int top) const {
    const int arrow = ArrowPx(), thumb = ThumbPx();
    return {std::clamp(top, arrow, arrow + TrackPx() - thumb), thumb};
}

ScrollGeometry::Part ScrollGeometry::PartAt(int y) const {
    const int arrow = ArrowPx();
    if (y < arrow) return Part::UpArrow;
    if (y >= Height - arrow) return Part::DownArrow;
    const Span thumb = Thumb();
    if (y < thumb.top) return Part::PageUp;
    if (y >= thumb.top + thumb.height) return Part::PageDown;
    return Part::Thumb;
}

std::int32_t ScrollGeometry::ValueAtThumbTop(int top) const {
    const int free = TrackPx() - ThumbPx();
    if (free <= 0) return Min;
    const int pos = std::clamp(top - ArrowPx(), 0, free);
    const double span = double(Max) - Min;
    return std::int32_t(Min + std::llround(pos * span / free));
}

void ScrollGeometry::Paint(Image& img, int x, int y, Span thumb) const {
    const int a = ArrowPx();
    img.fillRect(x, y, Width, Height, kTrack);
    Bevel(img, x, y, Width, a, true);
    Bevel(img, x, y + Height - a, Width, a, true);
    Triangle(img, x + Width / 2, y + a / 2, true);
    Triangle(img, x + Width / 2, y + Height - a / 2, false);
    img.fillRect(x, y + thumb.top, Width, thumb.height, kFace);
    Bevel(img, x, y + thumb.top, Width, thumb.height, true);
}

}  // namespace quindel::platform
