#pragma once
// Mouse pointers of the picture viewer: classic black-outlined white shapes on a transparent
// (magenta) background. Every pointer has its hot spot in the centre.
#include "platform/Image.h"

namespace quindel::artgen {

constexpr int kPointerSize = 32;
constexpr int kPointerHotSpot = 16;
// Zone 0 is "no panning" (a four-way move pointer); zones 1–8 point to the top, right,
// bottom, left, top-left, bottom-left, top-right and bottom-right edges.
constexpr int kPanZones = 9;
// Palette entry 0 of every pointer file.
constexpr platform::Rgba kTransparent = platform::MakeRgb(255, 0, 255);

// A magnifier with a plus (zoom in) or a minus (zoom out), the hot spot in the lens; scale ×
// scale pixels to each of its kPointerSize² units.
platform::Image RenderZoomPointer(bool zoomIn, double scale = 1);
// kPanZones cells of kPointerSize units side by side, cell n for zone n.
platform::Image RenderPanPointers(double scale = 1);

}  // namespace quindel::artgen
