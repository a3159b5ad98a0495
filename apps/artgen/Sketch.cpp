#include "Sketch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace quindel::artgen {
namespace {

// 4 × 4 samples per pixel: enough shades for 24-pixel icons without a huge palette.
constexpr int kSamples = 4;

bool InsideContours(const std::vector<Contour>& contours, double px, double py) {
    bool inside = false;
    for (const Contour& c : contours) {
        for (std::size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
            const Point& a = c[i];
            const Point& b = c[j];
            if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
    }
    return inside;
}

bool AngleWithin(double deg, double from, double to) {
    deg = std::fmod(deg + 360.0, 360.0);
    from = std::fmod(from + 360.0, 360.0);
    to = to >= 360.0 ? 360.0 : std::fmod(to + 360.0, 360.0);
    return from <= to ? deg >= from && deg <= to : deg >= from || deg <= to;
}

}  // namespace

Sketch::Sketch(int width, int height, bool antialias, double scale)
    : width_(int(std::lround(width * scale))),
      height_(int(std::lround(height * scale))),
      scale_(scale),
      antialias_(antialias),
      pixels_(std::size_t(width_) * std::size_t(height_), Mix{1, 0, 0, 0, 0}) {}

const Mix& Sketch::mix(int x, int y) const {
    return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

Role Sketch::dominant(int x, int y) const {
    const Mix& m = mix(x, y);
    return Role(std::max_element(m.begin(), m.end()) - m.begin());
}

void Sketch::paint(int x, int y, Role role, double coverage) {
    if (coverage <= 0 || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Mix& m = pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
    for (double& share : m) share *= 1.0 - coverage;
    m[std::size_t(role)] += coverage;
}

void Sketch::cover(Role role, double x0, double y0, double x1, double y1, const Inside& inside) {
    const int n = antialias_ ? kSamples : 1;
    const double k = scale_;
    const int left = std::max(int(std::floor(x0 * k)), 0),
              right = std::min(int(std::ceil(x1 * k)), width_);
    const int top = std::max(int(std::floor(y0 * k)), 0),
              bottom = std::min(int(std::ceil(y1 * k)), height_);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            int hits = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx)
                    hits += inside((x + (sx + 0.5) / n) / k, (y + (sy + 0.5) / n) / k) ? 1 : 0;
            paint(x, y, role, double(hits) / (n * n));
        }
    }
}

// Each pixel takes the share of it the rectangle covers: whole pixels at whole scales.
void Sketch::rect(Role role, int x, int y, int w, int h) {
    const double k = scale_;
    const double x0 = x * k, y0 = y * k, x1 = (x + w) * k, y1 = (y + h) * k;
    for (int py = int(std::floor(y0)); py < y1; ++py) {
        const double down = std::min<double>(y1, py + 1) - std::max<double>(y0, py);
        for (int px = int(std::floor(x0)); px < x1; ++px) {
            const double across = std::min<double>(x1, px + 1) - std::max<double>(x0, px);
            const double share = across * down;
            paint(px, py, role, antialias_ ? share : (share >= 0.5 ? 1.0 : 0.0));
        }
    }
}

void Sketch::frame(Role role, int x, int y, int w, int h) {
    rect(role, x, y, w, 1);
    rect(role, x, y + h - 1, w, 1);
    rect(role, x, y + 1, 1, h - 2);
    rect(role, x + w - 1, y + 1, 1, h - 2);
}

void Sketch::line(Role role, int x0, int y0, int x1, int y1) {
    if (scale_ != 1.0) {
        if (x0 == x1 || y0 == y1) {
            rect(role, std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1,
                 std::abs(y1 - y0) + 1);
            return;
        }
        // From the outer edge of the first unit to that of the last, as the steps reach.
        const double len = std::hypot(x1 - x0, y1 - y0);
        const double ex = 0.5 * (x1 - x0) / len, ey = 0.5 * (y1 - y0) / len;
        stroke(role, {x0 + 0.5 - ex, y0 + 0.5 - ey}, {x1 + 0.5 + ex, y1 + 0.5 + ey}, 1.0);
        return;
    }
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    for (int err = dx + dy;;) {
        paint(x0, y0, role, 1.0);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

void Sketch::polygon(Role role, const std::vector<Contour>& contours) {
    double x0 = width_, y0 = height_, x1 = 0, y1 = 0;
    for (const Contour& c : contours) {
        for (const Point& p : c) {
            x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
            x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
        }
    }
    cover(role, x0, y0, x1, y1,
          [&](double px, double py) { return InsideContours(contours, px, py); });
}

void Sketch::disc(Role role, Point c, double radius) {
    ring(role, c, 0, radius);
}

void Sketch::ring(Role role, Point c, double inner, double outer, double fromDeg, double toDeg) {
    cover(role, c.x - outer, c.y - outer, c.x + outer, c.y + outer, [&](double px, double py) {
        const double d = std::hypot(px - c.x, py - c.y);
        if (d > outer || d < inner) return false;
        const double deg = std::atan2(py - c.y, px - c.x) * 180.0 / std::numbers::pi;
        return AngleWithin(deg, fromDeg, toDeg);
    });
}

void Sketch::stroke(Role role, Point a, Point b, double width, bool roundCaps) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double half = width / 2;
    cover(role, std::min(a.x, b.x) - half, std::min(a.y, b.y) - half, std::max(a.x, b.x) + half,
          std::max(a.y, b.y) + half, [&](double px, double py) {
              double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0;
              if (roundCaps)
                  t = std::clamp(t, 0.0, 1.0);
              else if (t < 0 || t > 1)
                  return false;
              return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy)) <= half;
          });
}

bool Sketch::filled(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && dominant(x, y) != Role::None;
}

// Edge pixels touch the drawing side by side, or diagonally at a square corner only: a
// staircase then gets a one-pixel outline instead of a doubled one.
bool Sketch::edgeOf(int x, int y) const {
    if (filled(x, y)) return false;
    if (filled(x - 1, y) || filled(x + 1, y) || filled(x, y - 1) || filled(x, y + 1)) return true;
    for (int ey : {-1, 1}) {
        for (int ex : {-1, 1}) {
            const int fx = x - ex, fy = y - ey;
            if (filled(fx, fy) && !filled(fx - ex, fy + ey) && !filled(fx + ex, fy - ey))
                return true;
        }
    }
    return false;
}

void Sketch::outline(Role edge) {
    for (int ring = 0; ring < std::max(int(std::lround(scale_)), 1); ++ring) {
        std::vector<std::pair<int, int>> edges;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (edgeOf(x, y)) edges.emplace_back(x, y);
        for (auto [x, y] : edges) paint(x, y, edge, 1.0);
    }
}

Sketch Sketch::mirrored() const {
    Sketch out(*this);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(width_ - 1 - x)] =
                mix(x, y);
    return out;
}

}  // namespace quindel::artgen
