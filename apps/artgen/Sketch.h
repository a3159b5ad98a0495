#pragma once
// A picture drawn once in abstract "roles" (ink, paper, ...) instead of colours, so a single
// drawing yields every button state and both pointer styles. Each pixel keeps how much of
// each role it shows, which is what lets edges be anti-aliased whatever the final colours.
#include <array>
#include <functional>
#include <vector>

namespace quindel::artgen {

enum class Role { None, Paper, Tint, Shade, Ink };
constexpr int kRoleCount = 5;

// Share of each role in one pixel; the shares sum to 1.
using Mix = std::array<double, kRoleCount>;

struct Point {
    double x = 0;
    double y = 0;
};
using Contour = std::vector<Point>;

// Coordinates are continuous and in units: unit (x, y) covers [x, x + 1) × [y, y + 1). A sketch
// drawn at a scale has scale × scale pixels to a unit, so the same drawing gives the picture at
// any density: integer rectangles are crisp at whole scales, and shapes are sampled inside each
// pixel whatever its size.
class Sketch {
  public:
    Sketch(int width, int height, bool antialias = true, double scale = 1);

    // In pixels.
    int width() const { return width_; }
    int height() const { return height_; }
    double scale() const { return scale_; }
    const Mix& mix(int x, int y) const;
    // The role holding the largest share of the pixel.
    Role dominant(int x, int y) const;

    void rect(Role role, int x, int y, int w, int h);
    // A 1-unit frame drawn just inside the rectangle.
    void frame(Role role, int x, int y, int w, int h);
    // A 1-unit line through unit centres: Bresenham's steps at scale 1, crisp at any slope; at
    // other scales a straight line a unit wide, since the steps would show as blocks.
    void line(Role role, int x0, int y0, int x1, int y1);
    // Filled with the even-odd rule, so a second contour cuts a hole.
    void polygon(Role role, const std::vector<Contour>& contours);
    void disc(Role role, Point centre, double radius);
    // Angles in degrees, clockwise from the +x axis (y grows downwards).
    void ring(Role role, Point centre, double inner, double outer, double fromDeg = 0,
              double toDeg = 360);
    void stroke(Role role, Point a, Point b, double width, bool roundCaps = false);
    // Surrounds every drawn area with a 1-unit edge (whole pixels): pointer outlines.
    void outline(Role edge);

    Sketch mirrored() const;

  private:
    using Inside = std::function<bool(double, double)>;
    // Samples inside (in units) over the pixels of the unit box (x0, y0)-(x1, y1).
    void cover(Role role, double x0, double y0, double x1, double y1, const Inside& inside);
    void paint(int x, int y, Role role, double coverage);
    bool filled(int x, int y) const;
    bool edgeOf(int x, int y) const;

    int width_;
    int height_;
    double scale_;
    bool antialias_;
    std::vector<Mix> pixels_;
};

}  // namespace quindel::artgen
