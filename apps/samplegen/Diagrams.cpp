#include "Diagrams.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "Raster.h"

namespace quindel::samplegen {

using platform::Image;
using platform::MakeRgb;
using platform::Rgba;

namespace {

constexpr Rgba kSky = MakeRgb(214, 234, 248), kWater = MakeRgb(62, 120, 190),
               kDeepWater = MakeRgb(40, 90, 160), kEarth = MakeRgb(150, 116, 76),
               kGrass = MakeRgb(104, 164, 72), kInk = MakeRgb(40, 40, 48),
               kConcrete = MakeRgb(176, 174, 168), kWood = MakeRgb(126, 84, 46),
               kIce = MakeRgb(236, 244, 250), kSand = MakeRgb(226, 206, 150);

class Sketch {
  public:
    Sketch(int w, int h, double phase) : img(w, h, kSky), w_(w), h_(h), phase_(phase) {}

    // Fractions of the picture.
    double X(double f) const { return f * w_; }
    double Y(double f) const { return f * h_; }
    PointF P(double fx, double fy) const { return {X(fx), Y(fy)}; }
    void Poly(std::vector<PointF> fs, Rgba c) {
        for (PointF& p : fs) p = P(p.x, p.y);
        FillPolygon(img, fs, c);
    }
    void Rect(double x0, double y0, double x1, double y1, Rgba c) {
        FillRect(img, X(x0), Y(y0), X(x1), Y(y1), c);
    }
    void Oval(double cx, double cy, double rx, double ry, Rgba c) {
        FillEllipse(img, X(cx), Y(cy), X(rx), Y(ry), c);
    }
    void Line(double x0, double y0, double x1, double y1, double width, Rgba c) {
        DrawLine(img, P(x0, y0), P(x1, y1), width * w_, c);
    }
    double Phase() const { return phase_; }

    Image img;

  private:
    int w_, h_;
    double phase_;
};

void Valley(Sketch& s) {
    const double level = 0.58 - 0.12 * s.Phase();
    s.Poly({{0, 0.45},
            {0.18, 0.5},
            {0.24, 0.62},
            {0.36, 0.64},
            {0.42, 0.78},
            {0.58, 0.78},
            {0.64, 0.64},
            {0.76, 0.62},
            {0.82, 0.5},
            {1, 0.45},
            {1, 1},
            {0, 1}},
           kEarth);
    s.Rect(0.26, level, 0.74, 0.78, kWater);
    s.Poly({{0.42, 0.78}, {0.58, 0.78}, {0.64, 0.64}, {0.36, 0.64}}, kDeepWater);
    for (double x : {0.27, 0.73}) s.Poly({{x - 0.05, 0.64}, {x, 0.44}, {x + 0.05, 0.64}}, kGrass);
    s.Poly({{0, 0.45}, {0.18, 0.5}, {0.2, 0.53}, {0, 0.48}}, kGrass);
    s.Poly({{1, 0.45}, {0.82, 0.5}, {0.8, 0.53}, {1, 0.48}}, kGrass);
    for (double x : {0.08, 0.88}) {
        s.Rect(x, 0.37, x + 0.06, 0.46, MakeRgb(236, 226, 200));
        s.Poly({{x - 0.01, 0.37}, {x + 0.03, 0.31}, {x + 0.07, 0.37}}, MakeRgb(180, 60, 50));
    }
}

void Boat(Sketch& s) {
    s.Rect(0, 0.7, 1, 1, kWater);
    const double bob = 0.01 * std::sin(s.Phase() * 2 * std::numbers::pi);
    s.Poly({{0.12, 0.62 + bob}, {0.88, 0.62 + bob}, {0.78, 0.76 + bob}, {0.2, 0.76 + bob}}, kWood);
    s.Line(0.5, 0.62 + bob, 0.5, 0.12 + bob, 0.012, kInk);
    s.Poly({{0.51, 0.15 + bob}, {0.8, 0.55 + bob}, {0.51, 0.55 + bob}}, MakeRgb(240, 230, 200));
    s.Poly({{0.49, 0.2 + bob}, {0.26, 0.55 + bob}, {0.49, 0.55 + bob}}, MakeRgb(226, 214, 180));
    s.Poly({{0.5, 0.12 + bob}, {0.6, 0.14 + bob}, {0.5, 0.16 + bob}}, MakeRgb(200, 40, 40));
    for (int i = 0; i < 6; ++i)
        s.Rect(0.26 + i * 0.09, 0.56 + bob, 0.32 + i * 0.09, 0.62 + bob, MakeRgb(214, 190, 110));
}

void Lock(Sketch& s) {
    const double low = 0.72, high = 0.42, inside = low + (high - low) * s.Phase();
    s.Rect(0, 0.8, 1, 1, kConcrete);
    s.Rect(0, low, 0.3, 0.8, kWater);
    s.Rect(0.7, high, 1, 0.8, kWater);
    s.Rect(0.32, inside, 0.68, 0.8, kWater);
    for (double x : {0.3, 0.68}) s.Rect(x, 0.3, x + 0.02, 0.8, kInk);
    s.Rect(0.7, 0.8, 1, 0.8, kConcrete);
    s.Poly({{0.38, inside - 0.07}, {0.62, inside - 0.07}, {0.58, inside}, {0.42, inside}},
           MakeRgb(200, 60, 50));
    s.Rect(0.44, inside - 0.13, 0.54, inside - 0.07, MakeRgb(240, 240, 236));
}

void Dam(Sketch& s) {
    s.Rect(0, 0.35, 0.45, 0.85, kWater);
    s.Rect(0.55, 0.7, 1, 0.85, kWater);
    s.Poly({{0.42, 0.25}, {0.5, 0.25}, {0.66, 0.85}, {0.38, 0.85}}, kConcrete);
    s.Rect(0, 0.85, 1, 1, kEarth);
    s.Oval(0.52, 0.72, 0.04, 0.04, kInk);
    s.Line(0.45, 0.6, 0.6, 0.78, 0.015, kDeepWater);
}

void Meander(Sketch& s) {
    s.img.fill(kGrass);
    const double amp = 0.08 + 0.22 * s.Phase();
    std::vector<PointF> bed;
    for (int i = 0; i <= 60; ++i) {
        const double x = i / 60.0;
        bed.push_back(s.P(x, 0.5 + amp * std::sin(x * 2 * std::numbers::pi * 1.5)));
    }
    for (const PointF& p : bed)
        FillEllipse(s.img, p.x, p.y + (p.y > s.Y(0.5) ? -8 : 8), s.X(0.045), s.X(0.045), kSand);
    DrawPolyline(s.img, bed, s.X(0.06), kWater);
    if (s.Phase() >= 1) {
        s.Oval(0.5, 0.14, 0.12, 0.05, kWater);
        s.Oval(0.5, 0.14, 0.08, 0.025, kGrass);
    }
}

void Fish(Sketch& s) {
    s.img.fill(MakeRgb(96, 150, 200));
    s.Rect(0, 0.85, 1, 1, kSand);
    s.Poly({{0.78, 0.5}, {0.95, 0.36}, {0.92, 0.5}, {0.95, 0.64}}, MakeRgb(120, 130, 150));
    s.Oval(0.5, 0.5, 0.32, 0.13, MakeRgb(170, 184, 200));
    s.Oval(0.5, 0.55, 0.28, 0.07, MakeRgb(226, 232, 236));
    s.Poly({{0.45, 0.38}, {0.6, 0.26}, {0.62, 0.39}}, MakeRgb(120, 130, 150));
    s.Oval(0.26, 0.47, 0.02, 0.025, kInk);
    for (int i = 0; i < 5; ++i) s.Oval(0.1 + i * 0.2, 0.9, 0.05, 0.02, MakeRgb(190, 170, 120));
}

void Bird(Sketch& s) {
    s.Rect(0, 0.8, 1, 1, kWater);
    s.Poly({{0.45, 0.45}, {0.15, 0.2}, {0.3, 0.5}}, MakeRgb(190, 196, 204));
    s.Poly({{0.55, 0.45}, {0.85, 0.2}, {0.7, 0.5}}, MakeRgb(190, 196, 204));
    s.Oval(0.5, 0.5, 0.16, 0.07, MakeRgb(246, 246, 246));
    s.Oval(0.65, 0.44, 0.06, 0.05, MakeRgb(246, 246, 246));
    s.Rect(0.62, 0.38, 0.7, 0.42, kInk);
    s.Poly({{0.7, 0.43}, {0.8, 0.45}, {0.7, 0.47}}, MakeRgb(230, 120, 30));
    s.Poly({{0.34, 0.5}, {0.24, 0.46}, {0.26, 0.56}}, MakeRgb(200, 204, 210));
}

void Beaver(Sketch& s) {
    s.Rect(0, 0.7, 1, 1, kWater);
    s.Poly({{0, 0.55}, {1, 0.6}, {1, 0.72}, {0, 0.72}}, kEarth);
    s.Oval(0.2, 0.62, 0.16, 0.05, MakeRgb(70, 60, 50));
    s.Oval(0.48, 0.52, 0.2, 0.12, MakeRgb(120, 78, 44));
    s.Oval(0.68, 0.45, 0.08, 0.07, MakeRgb(130, 86, 50));
    s.Oval(0.73, 0.43, 0.012, 0.015, kInk);
    s.Rect(0.74, 0.49, 0.76, 0.52, MakeRgb(240, 200, 80));
    s.Line(0.85, 0.1, 0.85, 0.6, 0.03, kWood);
    s.Oval(0.85, 0.1, 0.1, 0.12, kGrass);
}

void Floes(Sketch& s, double stopAt) {
    s.Rect(0, 0.3, 1, 1, kWater);
    s.Rect(0, 0.22, 1, 0.3, kGrass);
    for (int i = 0; i < 9; ++i) {
        const double base = i / 9.0 + (i % 3) * 0.05;
        double x = std::fmod(base + s.Phase(), 1.0) * 1.2 - 0.1;
        if (x > stopAt) x = stopAt - (i % 4) * 0.05;  // the jam: floes pile up before the shoal
        const double y = 0.4 + (i % 4) * 0.13;
        s.Poly({{x - 0.06, y},
                {x, y - 0.04},
                {x + 0.07, y - 0.01},
                {x + 0.04, y + 0.05},
                {x - 0.05, y + 0.04}},
               kIce);
    }
    if (stopAt < 1) s.Oval(stopAt + 0.12, 0.62, 0.06, 0.3, kSand);
}

void WaterCycle(Sketch& s) {
    s.Poly({{0, 1},
            {0, 0.55},
            {0.15, 0.3},
            {0.3, 0.5},
            {0.4, 0.42},
            {0.55, 0.8},
            {0.7, 0.8},
            {0.7, 1}},
           kEarth);
    s.Poly({{0.15, 0.3}, {0.2, 0.38}, {0.1, 0.38}}, kIce);
    s.Rect(0.7, 0.78, 1, 1, kWater);
    s.Oval(0.85, 0.12, 0.06, 0.08, MakeRgb(250, 210, 60));
    const double cx = 0.8 - 0.6 * s.Phase();
    for (double dx : {-0.06, 0.0, 0.06}) s.Oval(cx + dx, 0.16, 0.07, 0.06, MakeRgb(246, 246, 250));
    if (cx < 0.45)
        for (int i = 0; i < 6; ++i)
            s.Line(cx - 0.08 + i * 0.03, 0.24, cx - 0.1 + i * 0.03, 0.34, 0.004, kDeepWater);
    for (int i = 0; i < 5; ++i) {
        const double t = std::fmod(i / 5.0 + s.Phase(), 1.0);
        s.Oval(0.76 + i * 0.05, 0.7 - t * 0.4, 0.008, 0.012,
               MakeRgb(150, 190, 230));  // vapour rising
    }
    s.Line(0.35, 0.55, 0.7, 0.8, 0.02, kWater);
}

}  // namespace

Image DrawDiagram(Diagram d, int width, int height, double phase) {
    Sketch s(width, height, phase);
    switch (d) {
        case Diagram::Valley:
        case Diagram::Boat:
            Boat(s);
            break;
        case Diagram::Lock:
            Lock(s);
            break;
        case Diagram::Dam:
            Dam(s);
            break;
        case Diagram::Meander:
            Meander(s);
            break;
        case Diagram::Fish:
            Fish(s);
            break;
        case Diagram::Bird:
            Bird(s);
            break;
        case Diagram::Beaver:
            Beaver(s);
            break;
        case Diagram::IceFloes:
            Floes(s, 2);
            break;
        case Diagram::IceJam:
            Floes(s, 0.7);
            break;
        case Diagram::WaterCycle:
            WaterCycle(s);
            break;
        case Diagram::Levee:
            Valley(s);
            break;  // the water rises with the phase
        default:
            break;
    }
    return std::move(s.img);
}

}  // namespace quindel::samplegen
