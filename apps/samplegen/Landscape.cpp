#include "Landscape.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "Noise.h"
#include "Raster.h"

namespace quindel::samplegen {

using platform::Image;
using platform::MakeRgb;
using platform::Rgba;

namespace {

constexpr double kTau = 2 * std::numbers::pi;

struct Palette {
    Rgba skyTop, skyHorizon, cloud, ground, trees, water;
    double cloudiness;
};

Palette PaletteOf(Mood m) {
    switch (m) {
        case Mood::Sunset:
            return {MakeRgb(44, 52, 112),
                    MakeRgb(250, 164, 86),
                    MakeRgb(255, 196, 160),
                    MakeRgb(96, 92, 48),
                    MakeRgb(40, 46, 26),
                    MakeRgb(120, 80, 70),
                    0.6};
        case Mood::Fog:
            return {MakeRgb(186, 192, 198),
                    MakeRgb(222, 224, 226),
                    MakeRgb(235, 236, 238),
                    MakeRgb(104, 128, 80),
                    MakeRgb(52, 74, 48),
                    MakeRgb(150, 160, 166),
                    0.2};
        case Mood::Winter:
            return {MakeRgb(140, 170, 204),
                    MakeRgb(218, 228, 238),
                    MakeRgb(244, 246, 250),
                    MakeRgb(232, 236, 242),
                    MakeRgb(92, 86, 80),
                    MakeRgb(70, 86, 100),
                    0.7};
        case Mood::Spring:
            return {MakeRgb(84, 146, 222),
                    MakeRgb(198, 224, 246),
                    MakeRgb(255, 255, 255),
                    MakeRgb(122, 172, 70),
                    MakeRgb(96, 150, 60),
                    MakeRgb(70, 110, 140),
                    0.5};
        case Mood::Autumn:
            return {MakeRgb(96, 138, 190),
                    MakeRgb(214, 210, 198),
                    MakeRgb(246, 244, 240),
                    MakeRgb(150, 126, 64),
                    MakeRgb(176, 96, 36),
                    MakeRgb(72, 96, 110),
                    0.6};
        case Mood::Night:
            return {MakeRgb(6, 9, 28),
                    MakeRgb(34, 44, 86),
                    MakeRgb(40, 46, 70),
                    MakeRgb(18, 26, 22),
                    MakeRgb(10, 16, 14),
                    MakeRgb(16, 22, 42),
                    0.3};
        case Mood::Flood:
            return {MakeRgb(92, 98, 108),
                    MakeRgb(160, 164, 170),
                    MakeRgb(190, 192, 196),
                    MakeRgb(84, 110, 60),
                    MakeRgb(46, 70, 40),
                    MakeRgb(128, 110, 80),
                    1.0};
        default:
            return {MakeRgb(66, 128, 204),
                    MakeRgb(184, 214, 240),
                    MakeRgb(255, 255, 255),
                    MakeRgb(96, 140, 62),
                    MakeRgb(44, 86, 40),
                    MakeRgb(60, 100, 130),
                    0.5};
    }
}

// Noise of a column that wraps round in a panorama.
class Columns {
  public:
    Columns(const Noise& n, Canvas c) : n_(n), c_(c) {}
    double Fbm(int x, double scale, double v, int octaves) const {
        const double u = double(x) / c_.width;
        if (!c_.wrap) return n_.Fbm(u * scale, v, octaves);
        const double r = scale / kTau;
        return n_.Fbm(r * std::cos(u * kTau) + 50, r * std::sin(u * kTau) + v, octaves);
    }

  private:
    const Noise& n_;
    Canvas c_;
};

class Painter {
  public:
    Painter(const Scene& s, Canvas c, std::uint32_t seed)
        : s_(s),
          c_(c),
          noise_(seed),
          cols_(noise_, c),
          pal_(PaletteOf(s.mood)),
          img_(c.width, c.height) {
        horizon_ = c.height * (c.wrap ? 0.5 : 0.42);
        phase_ = noise_.Hash(1, 2) * kTau;
    }

    Image Paint() {
        Skyline();
        for (int y = 0; y < c_.height; ++y) {
            Rgba* row = img_.row(y);
            for (int x = 0; x < c_.width; ++x) row[x] = Pixel(x, y);
        }
        Features();
        Finish();
        return std::move(img_);
    }

  private:
    double W() const { return c_.width; }
    double H() const { return c_.height; }
    // Depth below the horizon: 0 at the horizon, 1 at the bottom edge.
    double Depth(int y) const { return (y - horizon_) / (H() - horizon_); }

    double RiverCentre(double t) const {
        return W() * (0.5 + 0.16 * std::sin(t * 2.6 + phase_) * (1 - 0.5 * t));
    }
    double RiverHalf(double t) const {
        const double flood = s_.mood == Mood::Flood ? 1.7 : 1.0;
        return W() * (0.012 + 0.34 * std::pow(t, 1.25)) * flood;
    }

    void Skyline() {
        far_.resize(std::size_t(c_.width));
        near_.resize(std::size_t(c_.width));
        town_.assign(std::size_t(c_.width), 1e9);
        for (int x = 0; x < c_.width; ++x) {
            far_[std::size_t(x)] = horizon_ - H() * 0.16 * cols_.Fbm(x, 5, 0.3, 5);
            near_[std::size_t(x)] = horizon_ - H() * 0.07 * cols_.Fbm(x, 9, 7.1, 5) + H() * 0.01;
        }
        if (s_.feature == Feature::Town) Town();
    }

    // Houses, blocks and spires along the horizon over the middle of the view.
    void Town() {
        double x = W() * (c_.wrap ? 0.3 : 0.12);
        const double end = W() * (c_.wrap ? 0.6 : 0.88);
        for (int i = 0; x < end; ++i) {
            const double bw = W() * (0.012 + 0.03 * noise_.Hash(i, 11));
            double top = horizon_ - H() * (0.03 + 0.08 * noise_.Hash(i, 12));
            const bool spire = noise_.Hash(i, 13) > 0.86;
            for (int px = int(x); px < int(x + bw) && px < c_.width; ++px) {
                double t = top;
                if (spire) t -= H() * 0.12 * (1 - std::abs((px - x) / bw * 2 - 1));
                town_[std::size_t(px)] = std::min(town_[std::size_t(px)], t);
            }
            x += bw + W() * 0.002;
        }
    }

    Rgba SkyAt(int x, int y) const {
        const double t = std::clamp(y / horizon_, 0.0, 1.0);
        Rgba c = Mix(pal_.skyTop, pal_.skyHorizon, std::pow(t, 0.8));
        const double cl = noise_.Fbm(x / (W() * 0.18) * (c_.wrap ? 0.5 : 1), y / (H() * 0.08), 5);
        const double amount = std::clamp((cl - 0.62 + 0.25 * pal_.cloudiness) * 4, 0.0, 1.0);
        c = Mix(c, Shade(pal_.cloud, 0.85 + 0.15 * (1 - t)), amount * 0.85);
        if (s_.mood == Mood::Sunset) {
            const double d = std::hypot(x - W() * 0.62, y - (horizon_ - H() * 0.07)) / H();
            c = Mix(c, MakeRgb(255, 236, 180), std::exp(-d * 9) * 0.8);
            if (d < 0.035) c = MakeRgb(255, 244, 214);
        }
        if (s_.mood == Mood::Night && noise_.Hash(x, y) > 0.9985)
            c = Mix(c, MakeRgb(255, 255, 240), 0.9);
        return c;
    }

    Rgba Hills(int x, int y) const {
        const double v = noise_.Fbm(x / (W() * 0.01), y / (H() * 0.01), 3);
        if (y >= near_[std::size_t(x)]) {
            const Rgba forest = Mix(pal_.trees, pal_.ground, 0.25);
            return Mix(Shade(forest, 0.7 + 0.6 * v), pal_.skyHorizon, 0.18);
        }
        return Mix(Shade(pal_.trees, 0.9 + 0.3 * v), pal_.skyHorizon, 0.58);
    }

    Rgba TownAt(int x, int y) const {
        const int bx = int(x / (W() * 0.004)), by = int(y / (H() * 0.008));
        const double h = noise_.Hash(bx, by + 900);
        if (s_.mood == Mood::Night)
            return h > 0.82 ? MakeRgb(255, 214, 120) : Shade(MakeRgb(30, 30, 40), 0.6 + 0.5 * h);
        const Rgba wall = Mix(MakeRgb(196, 160, 120), MakeRgb(150, 70, 50), noise_.Hash(bx / 4, 7));
        return Mix(Shade(wall, 0.8 + 0.3 * h), pal_.skyHorizon, 0.25);
    }

    Rgba Ground(int x, int y) const {
        const double t = Depth(y);
        const double d = std::abs(x - RiverCentre(t)), half = RiverHalf(t);
        if (d < half) return Water(x, y, t);
        const double bank = (d - half) / (W() * 0.02 + half * 0.6);
        const double v = noise_.Fbm(x / (W() * 0.004 * (0.3 + t)), y / (H() * 0.004), 4);
        if (bank < 0.12 && s_.mood != Mood::Flood)
            return Shade(Mix(MakeRgb(214, 196, 150), pal_.ground, s_.mood == Mood::Winter),
                         0.85 + 0.3 * v);
        const double woods = noise_.Fbm(x / (W() * 0.03), y / (H() * 0.02), 3);
        if (bank < 0.6 + woods * 0.9) {
            Rgba leaf = pal_.trees;
            if (s_.mood == Mood::Autumn)
                leaf = Mix(leaf, MakeRgb(210, 170, 40), noise_.At(x / 9.0, y / 9.0));
            return Shade(leaf, 0.55 + 0.8 * v);
        }
        // Fields: patches of their own colour, in furrows.
        const int fx = int((x + W() * 0.05 * woods) / (W() * 0.12)), fy = int(t * 6);
        const double field = noise_.Hash(fx, fy + 300);
        Rgba c = Mix(pal_.ground, Mix(MakeRgb(196, 180, 96), pal_.ground, s_.mood == Mood::Winter),
                     field * 0.6);
        const double furrow =
            0.92 + 0.08 * std::sin(x * (0.05 + 0.2 * field) / (0.3 + t) + y * 0.3);
        return Shade(c, (0.8 + 0.35 * v) * furrow);
    }

    Rgba Water(int x, int y, double t) const {
        const int mirrored = std::clamp(int(2 * horizon_ - y), 0, int(horizon_) - 1);
        Rgba c = Mix(SkyAt(x, mirrored), pal_.water, 0.55);
        const double ripple = noise_.Fbm(x / (W() * 0.03), y / (H() * 0.002 * (0.2 + t)), 3);
        c = Shade(c, 0.82 + 0.3 * ripple);
        if (s_.mood == Mood::Winter && noise_.Fbm(x / (W() * 0.02), y / (H() * 0.01), 4) > 0.55)
            c = Shade(MakeRgb(226, 234, 240), 0.9 + 0.1 * ripple);
        if (s_.mood == Mood::Night && s_.feature == Feature::Town && town_[std::size_t(x)] < 1e8 &&
            noise_.Hash(int(x / (W() * 0.004)), 77) > 0.8 && ripple > 0.5)
            c = Mix(c, MakeRgb(255, 204, 110), 0.7);
        return c;
    }

    Rgba Pixel(int x, int y) const {
        if (y >= town_[std::size_t(x)] && y < horizon_) return TownAt(x, y);
        if (y < horizon_ && y >= far_[std::size_t(x)]) return Hills(x, y);
        if (y < horizon_) return SkyAt(x, y);
        const Rgba g = Ground(x, y);
        return s_.mood == Mood::Night && !IsWater(x, y) ? Shade(g, 0.3) : g;
    }

    bool IsWater(int x, int y) const {
        const double t = Depth(y);
        return std::abs(x - RiverCentre(t)) < RiverHalf(t);
    }

    void Features() {
        switch (s_.feature) {
            case Feature::Bridge:
                Bridge();
                break;
            case Feature::Boat:
                Boat();
                break;
            case Feature::Dam:
                Dam();
                break;
            case Feature::Birds:
                Birds();
                break;
            default:
                break;
        }
    }

    void Bridge() {
        const double t = 0.3, y = horizon_ + t * (H() - horizon_), deck = H() * 0.022;
        const Rgba stone = s_.mood == Mood::Night ? MakeRgb(60, 60, 70) : MakeRgb(150, 142, 132);
        const double half = RiverHalf(t), cx = RiverCentre(t);
        const int spans = 4;
        const double span = (2 * half + W() * 0.1) / spans, left = cx - half - W() * 0.05;
        FillRect(img_, 0, y - deck, W(), y, stone);
        FillRect(img_, 0, y - deck * 1.6, W(), y - deck * 1.45, Shade(stone, 0.6));
        for (int i = 0; i <= spans; ++i) {
            const double px = left + i * span;
            FillRect(img_, px - deck * 0.5, y, px + deck * 0.5, y + H() * 0.05, Shade(stone, 0.8));
            for (int k = 0; k < 3; ++k)  // the truss over each span
                DrawLine(img_, {px + span * k / 3, y - deck},
                         {px + span * (k + 1) / 3 - span / 6, y - deck * 3.2},
                         std::max(1.0, deck * 0.18), Shade(stone, 0.7));
        }
        DrawLine(img_, {0, y - deck * 3.2}, {W(), y - deck * 3.2}, std::max(1.0, deck * 0.25),
                 Shade(stone, 0.7));
    }

    void Boat() {
        const double t = 0.55, y = horizon_ + t * (H() - horizon_);
        const double cx = RiverCentre(t) - RiverHalf(t) * 0.3, len = W() * 0.14 * t + W() * 0.02;
        const double hh = len * 0.12;
        FillPolygon(img_,
                    {{cx - len / 2, y - hh},
                     {cx + len / 2, y - hh},
                     {cx + len * 0.42, y},
                     {cx - len * 0.45, y}},
                    MakeRgb(236, 236, 230));
        FillRect(img_, cx - len * 0.25, y - hh * 2.2, cx + len * 0.2, y - hh, MakeRgb(200, 60, 50));
        FillRect(img_, cx - len * 0.2, y - hh * 1.9, cx + len * 0.15, y - hh * 1.4,
                 MakeRgb(60, 80, 100));
        FillRect(img_, cx - len * 0.45, y, cx + len * 0.42, y + hh * 0.8,
                 Shade(PaletteOf(s_.mood).water, 0.6));
    }

    void Dam() {
        const double t = 0.12, y = horizon_ + t * (H() - horizon_), hh = H() * 0.05;
        // The reservoir behind the dam fills the valley up to the hills.
        for (int yy = int(horizon_); yy < int(y); ++yy)
            for (int x = 0; x < c_.width; ++x)
                if (std::abs(x - W() / 2) < W() * 0.45)
                    img_.setPixel(x, yy, Water(x, yy, Depth(yy)));
        FillRect(img_, W() * 0.05, y - hh * 0.2, W() * 0.95, y + hh, MakeRgb(170, 168, 160));
        for (int i = 0; i < 9; ++i) {
            const double x = W() * (0.12 + 0.09 * i);
            FillRect(img_, x, y - hh * 0.6, x + W() * 0.02, y + hh, MakeRgb(120, 118, 112));
            FillRect(img_, x + W() * 0.025, y + hh * 0.1, x + W() * 0.085, y + hh,
                     MakeRgb(236, 240, 244));
        }
    }

    void Birds() {
        const Rgba ink = MakeRgb(40, 40, 46);
        for (int i = 0; i < 9; ++i) {
            const double x = W() * (0.2 + 0.6 * noise_.Hash(i, 40)),
                         y = horizon_ * (0.2 + 0.5 * noise_.Hash(i, 41));
            const double s = W() * 0.012;
            DrawPolyline(img_, {{x - s, y - s * 0.4}, {x, y}, {x + s, y - s * 0.4}},
                         std::max(1.0, s * 0.18), ink);
        }
        const double t = 0.5, y = horizon_ + t * (H() - horizon_), cx = RiverCentre(t);
        FillEllipse(img_, cx, y, RiverHalf(t) * 0.5, H() * 0.02, MakeRgb(214, 198, 152));
        for (int i = 0; i < 14; ++i)
            FillEllipse(img_, cx + RiverHalf(t) * (noise_.Hash(i, 50) - 0.5) * 0.8,
                        y - H() * 0.008 * noise_.Hash(i, 51), W() * 0.003, H() * 0.003,
                        MakeRgb(250, 250, 250));
    }

    void Finish() {
        const bool fog = s_.mood == Mood::Fog;
        for (int y = 0; y < c_.height; ++y) {
            Rgba* row = img_.row(y);
            const double haze =
                fog ? 0.35 + 0.45 * (1 - std::clamp(std::abs(Depth(y)) * 1.5, 0.0, 1.0)) : 0;
            for (int x = 0; x < c_.width; ++x) {
                Rgba c = fog ? Mix(row[x], pal_.skyHorizon, haze) : row[x];
                row[x] = Shade(c, 0.97 + 0.06 * noise_.Hash(x, y + 5000));
            }
        }
    }

    const Scene& s_;
    Canvas c_;
    Noise noise_;
    Columns cols_;
    Palette pal_;
    Image img_;
    double horizon_ = 0, phase_ = 0;
    std::vector<double> far_, near_, town_;
};

// From the air: fields in patches and furrows, the braided river with sandbars and wooded banks,
// the sea at the top of a large view.
class AerialPainter {
  public:
    AerialPainter(const Scene& s, Canvas c, std::uint32_t seed)
        : s_(s), c_(c), noise_(seed), img_(c.width, c.height) {}

    Image Paint() {
        for (int y = 0; y < c_.height; ++y) {
            Rgba* row = img_.row(y);
            const double cx = Centre(y), half = Half(y);
            const double coast = s_.large ? H() * (0.16 + 0.02 * noise_.Fbm(0, y / H(), 2)) : -1;
            for (int x = 0; x < c_.width; ++x) row[x] = Pixel(x, y, cx, half, coast);
        }
        return std::move(img_);
    }

  private:
    double W() const { return c_.width; }
    double H() const { return c_.height; }
    double Centre(int y) const {
        const double v = y / H();
        return W() * (0.5 + 0.16 * std::sin(v * kTau * 1.1 + 1) + 0.05 * std::sin(v * kTau * 3.3));
    }
    double Half(int y) const { return W() * (0.05 + 0.015 * noise_.Fbm(3, y / (H() * 0.2), 3)); }

    Rgba Pixel(int x, int y, double cx, double half, double coast) const {
        const double fine = noise_.Fbm(x / (W() * 0.003), y / (H() * 0.003), 3);
        const double coastHere = coast + H() * 0.03 * noise_.Fbm(x / (W() * 0.1), 9, 3);
        if (y < coastHere) {
            const double waves = 0.9 + 0.1 * std::sin(y * 0.08 * 1000 / H() * 6 + fine * 6);
            return Shade(Mix(MakeRgb(40, 90, 130), MakeRgb(80, 140, 160), y / coastHere), waves);
        }
        if (y < coastHere + H() * 0.025) return Shade(MakeRgb(226, 212, 170), 0.9 + 0.15 * fine);
        const double d = std::abs(x - cx);
        if (d < half) {
            const double bar = noise_.Fbm(x / (W() * 0.02), y / (H() * 0.03), 4);
            if (bar > 0.6) return Shade(MakeRgb(220, 204, 158), 0.85 + 0.25 * fine);
            return Shade(MakeRgb(64, 98, 112), 0.85 + 0.3 * fine);
        }
        const double woods = noise_.Fbm(x / (W() * 0.015), y / (H() * 0.015), 4);
        if (d < half * (1.6 + woods)) return Shade(MakeRgb(46, 84, 44), 0.6 + 0.7 * fine);
        const int fx = int((x + W() * 0.02 * woods) / (W() * 0.06)),
                  fy = int((y + H() * 0.02 * woods) / (H() * 0.05));
        const double f = noise_.Hash(fx, fy);
        const Rgba crops[] = {MakeRgb(112, 150, 70), MakeRgb(196, 182, 100), MakeRgb(140, 110, 70),
                              MakeRgb(90, 126, 60), MakeRgb(170, 170, 90)};
        const Rgba c = crops[int(f * 5) % 5];
        const double furrow = 0.9 + 0.1 * std::sin((f > 0.5 ? x : y) * 0.9 * 1000 / W());
        if (noise_.Hash(fx / 3, fy / 3 + 99) > 0.93 && fine > 0.5)
            return MakeRgb(170, 90, 70);  // roofs
        return Shade(c, (0.85 + 0.25 * fine) * furrow);
    }

    const Scene& s_;
    Canvas c_;
    Noise noise_;
    Image img_;
};

}  // namespace

Image PaintLandscape(const Scene& scene, Canvas canvas, std::uint32_t seed) {
    if (scene.mood == Mood::Aerial) return AerialPainter(scene, canvas, seed).Paint();
    return Painter(scene, canvas, seed).Paint();
}

}  // namespace quindel::samplegen
