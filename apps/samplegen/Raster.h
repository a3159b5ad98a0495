#pragma once
// Flat drawing on a picture for the diagrams, maps and animations: filled polygons and ellipses,
// thick lines, colour mixing. No anti-aliasing, so a drawing keeps few colours and its GIF
// frames need no dithering.
#include <vector>

#include "platform/Image.h"

namespace quindel::samplegen {

struct PointF {
    double x, y;
};

platform::Rgba Mix(platform::Rgba a, platform::Rgba b, double t);  // t = 0 gives a
platform::Rgba Shade(platform::Rgba c, double factor);             // each channel times factor

void FillPolygon(platform::Image& img, const std::vector<PointF>& points, platform::Rgba c);
void FillEllipse(platform::Image& img, double cx, double cy, double rx, double ry,
                 platform::Rgba c);
void FillRect(platform::Image& img, double x0, double y0, double x1, double y1, platform::Rgba c);
// A line of the given width with round ends; also a polyline.
void DrawLine(platform::Image& img, PointF a, PointF b, double width, platform::Rgba c);
void DrawPolyline(platform::Image& img, const std::vector<PointF>& points, double width,
                  platform::Rgba c);

}  // namespace quindel::samplegen
