#pragma once
// The parts of a vertical scroll bar in the classic look, in pixels of the bar: an arrow button at
// each end as tall as the bar is wide (at most half its height), the track between them and a
// thumb whose place shows Value within Min..Max (Min may exceed Max). The thumb is square, or
// proportional to Page when Page is set (Page rows shown of Max - Min + Page). Shared by the
// scroll bar control and the strip a list box draws beside its rows, so both are hit where they
// are painted and dragged the same way.
#include <cstdint>

#include "platform/Image.h"

namespace quindel::platform {

struct ScrollGeometry {
    enum class Part { UpArrow, PageUp, Thumb, PageDown, DownArrow };
    struct Span {
        int top = 0;
        int height = 0;
    };

    int Width = 0;
    int Height = 0;
    std::int32_t Min = 0;
    std::int32_t Max = 0;
    std::int32_t Value = 0;
    std::int32_t Page = 0;

    int ArrowPx() const;
    // The thumb with its top where Value puts it.
    Span Thumb() const { return ThumbAt(ThumbTopOf(Value)); }
    // The thumb with its top at `top`, kept on the track.
    Span ThumbAt(int top) const;
    int ThumbTopOf(std::int32_t value) const;
    // The part under y; y beyond the ends counts as the nearer arrow.
    Part PartAt(int y) const;
    // The value whose thumb has its top at `top` (rounded to the nearest, kept in range).
    std::int32_t ValueAtThumbTop(int top) const;

    // Paints the bar at (x, y) of img with its thumb at `thumb`.
    void Paint(Image& img, int x, int y, Span thumb) const;

  private:
    int TrackPx() const;
    int ThumbPx() const;
};

}  // namespace quindel::platform
