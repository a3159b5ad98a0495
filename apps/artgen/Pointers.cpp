#include "Pointers.h"

#include <array>
#include <cmath>
#include <numbers>

#include "Sketch.h"

namespace quindel::artgen {
namespace {

using platform::Image;
using platform::MakeRgb;

// Centre of the hot-spot pixel: shapes symmetric about it come out symmetric in pixels.
constexpr Point kCentre{kPointerHotSpot + 0.5, kPointerHotSpot + 0.5};

Image RenderPointer(const Sketch& s) {
    Image img(s.width(), s.height(), kTransparent);
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const Role r = s.dominant(x, y);
            if (r != Role::None)
                img.setPixel(x, y, r == Role::Paper ? MakeRgb(255, 255, 255) : MakeRgb(0, 0, 0));
        }
    }
    return img;
}

// An arrow along the unit vector `dir`, from `tail` behind the centre to `tip` ahead of it.
// The head has a right angle at its tip, so diagonal arrows get axis-aligned head edges.
// Lengths end half-way between pixel centres (x.5 from the centre pixel) so that no sample
// falls on an edge and all directions come out alike.
struct ArrowShape {
    double tail;
    double tip;
    double head;  // length of the head, also its half width
    double shaftHalfWidth;
};

Contour Arrow(Point dir, const ArrowShape& a) {
    const double base = a.tip - a.head;
    const std::array<Point, 7> local{{{-a.tail, -a.shaftHalfWidth},
                                      {base, -a.shaftHalfWidth},
                                      {base, -a.head},
                                      {a.tip, 0},
                                      {base, a.head},
                                      {base, a.shaftHalfWidth},
                                      {-a.tail, a.shaftHalfWidth}}};
    Contour out;
    for (const Point& p : local)
        out.push_back(
            {kCentre.x + p.x * dir.x - p.y * dir.y, kCentre.y + p.x * dir.y + p.y * dir.x});
    return out;
}

Sketch MovePointer(double scale) {
    Sketch s(kPointerSize, kPointerSize, false, scale);
    constexpr ArrowShape kArm{0, 12.5, 5, 1.5};
    for (Point dir : {Point{0, -1}, Point{1, 0}, Point{0, 1}, Point{-1, 0}})
        s.polygon(Role::Paper, {Arrow(dir, kArm)});
    s.outline(Role::Ink);
    return s;
}

Sketch EdgePointer(Point dir, double scale) {
    Sketch s(kPointerSize, kPointerSize, false, scale);
    s.polygon(Role::Paper, {Arrow(dir, {9.5, 12.5, 7, 2.5})});
    s.outline(Role::Ink);
    return s;
}

}  // namespace

Image RenderZoomPointer(bool zoomIn, double scale) {
    Sketch s(kPointerSize, kPointerSize, false, scale);
    // The handle runs from inside the lens down-right at 45°, offsets from the hot spot.
    constexpr double kHandleFrom = 4.25, kHandleTo = 11;
    s.disc(Role::Paper, kCentre, 8.5);
    s.stroke(Role::Paper, {kCentre.x + kHandleFrom, kCentre.y + kHandleFrom},
             {kCentre.x + kHandleTo, kCentre.y + kHandleTo}, 4.6, true);
    s.ring(Role::Ink, kCentre, 7.5, 8.5);
    s.rect(Role::Ink, kPointerHotSpot - 4, kPointerHotSpot, 9, 1);
    if (zoomIn) s.rect(Role::Ink, kPointerHotSpot, kPointerHotSpot - 4, 1, 9);
    s.outline(Role::Ink);
    return RenderPointer(s);
}

Image RenderPanPointers(double scale) {
    constexpr double d = std::numbers::sqrt2 / 2;
    const std::array<Point, kPanZones> kDirections{
        {{0, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}, {-d, -d}, {-d, d}, {d, -d}, {d, d}}};
    const int side = int(std::lround(kPointerSize * scale));
    Image strip(kPanZones * side, side, kTransparent);
    for (int zone = 0; zone < kPanZones; ++zone) {
        const Sketch s =
            zone == 0 ? MovePointer(scale) : EdgePointer(kDirections[std::size_t(zone)], scale);
        strip.blit(RenderPointer(s), zone * side, 0);
    }
    return strip;
}

}  // namespace quindel::artgen
