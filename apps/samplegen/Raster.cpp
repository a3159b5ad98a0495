#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace quindel::samplegen {

using platform::Image;
using platform::Rgba;

Rgba Mix(Rgba a, Rgba b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    const auto ch = [&](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return platform::MakeRgb(ch(platform::RedOf(a), platform::RedOf(b)),
                             ch(platform::GreenOf(a), platform::GreenOf(b)),
                             ch(platform::BlueOf(a), platform::BlueOf(b)));
}

Rgba Shade(Rgba c, double factor) {
    const auto ch = [&](int x) { return std::clamp(int(std::lround(x * factor)), 0, 255); };
    return platform::MakeRgb(ch(platform::RedOf(c)), ch(platform::GreenOf(c)),
                             ch(platform::BlueOf(c)));
}

// Even-odd scanline fill at pixel centres.
void FillPolygon(Image& img, const std::vector<PointF>& points, Rgba c) {
    if (points.size() < 3) return;
    double top = points[0].y, bottom = points[0].y;
    for (const PointF& p : points) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    const int y0 = std::max(0, int(std::floor(top))), y1 = std::min(img.height() - 1, int(bottom));
    std::vector<double> xs;
    for (int y = y0; y <= y1; ++y) {
        const double cy = y + 0.5;
        xs.clear();
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const PointF &a = points[i], &b = points[j];
            if ((a.y <= cy) != (b.y <= cy))
                xs.push_back(a.x + (cy - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
            const int x0 = std::max(0, int(std::ceil(xs[k] - 0.5)));
            const int x1 = std::min(img.width() - 1, int(std::ceil(xs[k + 1] - 0.5)) - 1);
            Rgba* row = img.row(y);
            for (int x = x0; x <= x1; ++x) row[x] = c;
        }
    }
}

void FillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgba c) {
    if (rx <= 0 || ry <= 0) return;
    const int y0 = std::max(0, int(cy - ry)), y1 = std::min(img.height() - 1, int(cy + ry));
    for (int y = y0; y <= y1; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (dy * dy > 1) continue;
        const double half = rx * std::sqrt(1 - dy * dy);
        const int x0 = std::max(0, int(std::ceil(cx - half - 0.5)));
        const int x1 = std::min(img.width() - 1, int(std::floor(cx + half - 0.5)));
        Rgba* row = img.row(y);
        for (int x = x0; x <= x1; ++x) row[x] = c;
    }
}

void FillRect(Image& img, double x0, double y0, double x1, double y1, Rgba c) {
    FillPolygon(img, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, c);
}

void DrawLine(Image& img, PointF a, PointF b, double width, Rgba c) {
    const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy), r = width / 2;
    if (len > 0) {
        const double nx = -dy / len * r, ny = dx / len * r;
        FillPolygon(img,
                    {{a.x + nx, a.y + ny},
                     {b.x + nx, b.y + ny},
                     {b.x - nx, b.y - ny},
                     {a.x - nx, a.y - ny}},
                    c);
    }
    if (width > 2) {
        FillEllipse(img, a.x, a.y, r, r, c);
        FillEllipse(img, b.x, b.y, r, r, c);
    }
}

void DrawPolyline(Image& img, const std::vector<PointF>& points, double width, Rgba c) {
    for (std::size_t i = 1; i < points.size(); ++i)
        DrawLine(img, points[i - 1], points[i], width, c);
}

}  // namespace quindel::samplegen
