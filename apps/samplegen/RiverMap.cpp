#include "RiverMap.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Noise.h"
#include "Raster.h"
#include "Scene.h"

namespace quindel::samplegen {

using platform::Image;
using platform::MakeRgb;
using platform::Rgba;

namespace {

// The river in map units (0..1, north up), source to mouth, through the towns of the sample.
const std::vector<PointF> kCourse = {
    {0.40, 0.93}, {0.40, 0.89}, {0.42, 0.86}, {0.46, 0.84}, {0.52, 0.84}, {0.60, 0.80},
    {0.68, 0.73}, {0.69, 0.62}, {0.68, 0.57}, {0.64, 0.48}, {0.60, 0.44}, {0.50, 0.45},
    {0.44, 0.40}, {0.40, 0.34}, {0.40, 0.28}, {0.42, 0.24}, {0.43, 0.14}, {0.45, 0.085},
};
// Sources of the tributaries in the order of the content's list; each joins the river at the
// course point given.
struct Tributary {
    PointF source;
    int mouth;
};
const Tributary kTributaries[] = {
    {{0.38, 0.74}, 3},  {{0.45, 0.96}, 3},  {{0.49, 0.96}, 4},  {{0.55, 0.95}, 5},
    {{0.57, 0.66}, 5},  {{0.61, 0.98}, 5},  {{0.88, 0.88}, 6},  {{0.82, 0.62}, 8},
    {{0.47, 0.62}, 8},  {{0.88, 0.30}, 10}, {{0.44, 0.53}, 11}, {{0.56, 0.27}, 13},
    {{0.28, 0.22}, 13}, {{0.33, 0.18}, 14}, {{0.35, 0.13}, 15},
};
const int kTowns[] = {1, 4, 6, 9, 11, 13, 16};

struct View {
    double x0, y0, x1, y1;
};

View ViewOf(int map) {
    switch (map) {
        case 1:
            return {-0.35, -0.25, 1.35, 1.2};
        case 2:
            return {0.3, 0.62, 0.9, 1.0};
        case 3:
            return {0.42, 0.38, 0.88, 0.82};
        case 4:
            return {0.22, 0.04, 0.72, 0.52};
        case 5:
            return {0.3, 0.02, 0.6, 0.22};
        default:
            return {0.12, 0.0, 0.98, 1.0};
    }
}

double Coast(double u) {
    return 0.075 + 0.015 * std::sin(u * 9) + 0.01 * std::sin(u * 23);
}

// Wiggles between the course points, so the river meanders at every scale.
std::vector<PointF> Meandering(const std::vector<PointF>& points, const Noise& n) {
    std::vector<PointF> out;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const PointF a = points[i], b = points[i + 1];
        for (int k = 0; k < 12; ++k) {
            const double t = k / 12.0, wobble = (n.At(i * 12.0 + k, 3.5) - 0.5) * 0.012;
            out.push_back({a.x + (b.x - a.x) * t - (b.y - a.y) * wobble * 8,
                           a.y + (b.y - a.y) * t + (b.x - a.x) * wobble * 8});
        }
    }
    out.push_back(points.back());
    return out;
}

class MapPainter {
  public:
    MapPainter(int map, int w, int h) : map_(map), view_(ViewOf(map)), img_(w, h), noise_(1047) {
        old_ = map == 6;
        highlight_ = map >= kTributaryMap ? map - kTributaryMap : -1;
    }

    Image Paint(std::optional<double> traveller) {
        Relief();
        Grid();
        Rivers();
        Towns();
        if (traveller) Traveller(*traveller);
        return std::move(img_);
    }

  private:
    PointF ToPx(PointF p) const {
        return {(p.x - view_.x0) / (view_.x1 - view_.x0) * img_.width(),
                (p.y - view_.y0) / (view_.y1 - view_.y0) * img_.height()};
    }
    double Scale() const { return img_.width() / (view_.x1 - view_.x0); }
    Rgba Tone(Rgba c) const {
        if (!old_) return c;
        const int grey =
            (platform::RedOf(c) * 3 + platform::GreenOf(c) * 5 + platform::BlueOf(c) * 2) / 10;
        return Mix(MakeRgb(grey + 40, grey + 20, grey - 20), MakeRgb(236, 220, 180), 0.45);
    }

    void Relief() {
        for (int y = 0; y < img_.height(); ++y) {
            const double v = view_.y0 + (y + 0.5) / img_.height() * (view_.y1 - view_.y0);
            Rgba* row = img_.row(y);
            for (int x = 0; x < img_.width(); ++x) {
                const double u = view_.x0 + (x + 0.5) / img_.width() * (view_.x1 - view_.x0);
                row[x] = Tone(Land(u, v));
            }
        }
    }

    Rgba Land(double u, double v) const {
        if (v < Coast(u)) return Mix(MakeRgb(120, 170, 210), MakeRgb(170, 205, 230), v / Coast(u));
        const double e = std::clamp(noise_.Fbm(u * 7, v * 7, 5) * 0.5 + (v - 0.62) * 1.6, 0.0, 1.0);
        Rgba c = e < 0.35 ? Mix(MakeRgb(150, 196, 120), MakeRgb(214, 214, 140), e / 0.35)
                          : Mix(MakeRgb(214, 214, 140), MakeRgb(170, 120, 80), (e - 0.35) / 0.65);
        // Beyond the basin the land is paler.
        const double out = std::hypot((u - 0.55) / 0.5, (v - 0.5) / 0.55);
        if (out > 1) c = Mix(c, MakeRgb(232, 230, 222), 0.55);
        if (highlight_ >= 0 && Near(u, v, kTributaries[highlight_]))
            c = Mix(c, MakeRgb(250, 200, 120), 0.45);
        return c;
    }

    bool Near(double u, double v, const Tributary& t) const {
        const PointF a = t.source, b = kCourse[std::size_t(t.mouth)];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double s =
            std::clamp(((u - a.x) * dx + (v - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return std::hypot(u - a.x - s * dx, v - a.y - s * dy) < 0.06;
    }

    void Grid() {
        const Rgba line = Tone(MakeRgb(120, 130, 150));
        for (double g = std::ceil(view_.x0 * 10) / 10; g < view_.x1; g += 0.1) {
            const int x = int(ToPx({g, 0}).x);
            for (int y = 0; y < img_.height(); y += 2) img_.setPixel(x, y, line);
        }
        for (double g = std::ceil(view_.y0 * 10) / 10; g < view_.y1; g += 0.1) {
            const int y = int(ToPx({0, g}).y);
            for (int x = 0; x < img_.width(); x += 2) img_.setPixel(x, y, line);
        }
    }

    std::vector<PointF> Px(const std::vector<PointF>& points) const {
        std::vector<PointF> out;
        for (const PointF& p : points) out.push_back(ToPx(p));
        return out;
    }

    void Rivers() {
        const Rgba water = Tone(MakeRgb(40, 90, 180));
        const double w = std::max(1.5, Scale() * 0.0045);
        for (std::size_t i = 0; i < std::size(kTributaries); ++i) {
            const Tributary& t = kTributaries[i];
            const std::vector<PointF> line =
                Meandering({t.source, kCourse[std::size_t(t.mouth)]}, noise_);
            DrawPolyline(img_, Px(line), int(i) == highlight_ ? w * 1.4 : w * 0.6,
                         int(i) == highlight_ ? Tone(MakeRgb(200, 40, 40)) : water);
        }
        DrawPolyline(img_, Px(Meandering(kCourse, noise_)), w, water);
    }

    void Towns() {
        const double s = std::max(3.0, Scale() * 0.008);
        for (int i : kTowns) {
            const PointF p = ToPx(kCourse[std::size_t(i)]);
            FillRect(img_, p.x - s, p.y - s, p.x + s, p.y + s, Tone(MakeRgb(30, 30, 30)));
            FillRect(img_, p.x - s * 0.6, p.y - s * 0.6, p.x + s * 0.6, p.y + s * 0.6,
                     Tone(MakeRgb(210, 50, 40)));
        }
    }

    void Traveller(double along) {
        const std::vector<PointF> line = Meandering(kCourse, noise_);
        const double at = std::clamp(along, 0.0, 1.0) * double(line.size() - 1);
        const std::size_t i = std::min(std::size_t(at), line.size() - 2);
        const PointF a = ToPx(line[i]), b = ToPx(line[i + 1]);
        const double t = at - double(i), r = std::max(5.0, Scale() * 0.014);
        const PointF p{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
        FillEllipse(img_, p.x, p.y, r * 1.3, r * 1.3, MakeRgb(255, 255, 255));
        FillEllipse(img_, p.x, p.y, r, r, MakeRgb(230, 120, 20));
    }

    int map_;
    View view_;
    Image img_;
    Noise noise_;
    bool old_ = false;
    int highlight_ = -1;
};

}  // namespace

Image PaintMap(int map, int width, int height, std::optional<double> traveller) {
    return MapPainter(map, width, height).Paint(traveller);
}

}  // namespace quindel::samplegen
