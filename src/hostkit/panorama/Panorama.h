#pragma once
// 360-degree photos in software: an equirectangular picture (longitude across its width, from
// -180 degrees at the left edge to +180 at the right; latitude down its height, from +90 at the
// top edge to -90 at the bottom) seen through a pinhole camera. Pure functions. Conventions:
// - pan (yaw), degrees: 0 looks at the middle of the picture (the line between columns
//   width/2 - 1 and width/2); a positive pan turns right, toward higher columns; 180 looks at
//   the seam where the last column meets the first; any multiple of 360 adds nothing.
// - tilt (pitch), degrees: 0 is the horizon, positive looks up; clamped to -90..90.
// - fov: the horizontal field of view, degrees, clamped to 1..179; the vertical one follows
//   from the view's aspect ratio (square pixels).
// Sampling is bilinear at pixel centres. Across the seam the neighbour of the last column is
// the first; beyond the top and bottom rows (the poles) the nearest row is used.
#include "platform/Image.h"

namespace quindel::hostkit {

struct PanoramaView {
    int width = 640;
    int height = 480;
    double panDegrees = 0;
    double tiltDegrees = 0;
    double fovDegrees = 90;
};

// A view of width x height pixels (none when either is not positive; transparent when the
// source is empty).
platform::Image RenderPanorama(const platform::Image& equirect, const PanoramaView& view);

}  // namespace quindel::hostkit
