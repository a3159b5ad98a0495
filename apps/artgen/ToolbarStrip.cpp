#include "ToolbarStrip.h"

#include <array>
#include <cmath>

#include "Colour.h"
#include "ToolbarPictures.h"
#include "UnitCanvas.h"

namespace quindel::artgen {
namespace {

using platform::Image;
using platform::MakeRgb;
using platform::Rgba;

constexpr Rgba kWhite = MakeRgb(255, 255, 255);
constexpr Rgba kInk = MakeRgb(22, 30, 46);
constexpr Rgba kGreyFace = MakeRgb(212, 212, 212);
constexpr Rgba kSteelPale = MakeRgb(198, 214, 234);
constexpr Rgba kSteelMid = MakeRgb(146, 175, 212);
constexpr Rgba kSteelStrong = MakeRgb(62, 100, 152);
constexpr Rgba kSteelDeep = MakeRgb(46, 82, 134);
constexpr Rgba kSlate = MakeRgb(118, 134, 158);

// Colours of one button state. Index: the face, then one per picture role (Paper, Tint,
// Shade, Ink), then the emboss highlight of disabled pictures.
struct ButtonLook {
    std::array<Rgba, kRoleCount + 1> colours;
    bool sunken;
    bool embossed;
};

constexpr ButtonLook kInkOn(Rgba face, bool sunken) {
    return {{face, kWhite, kSteelDeep, kSlate, kInk, kWhite}, sunken, false};
}

constexpr std::array<ButtonLook, kToolbarRows> kLooks{
    kInkOn(kGreyFace, false),
    ButtonLook{{kSteelStrong, MakeRgb(108, 145, 194), MakeRgb(184, 208, 238),
                MakeRgb(178, 200, 230), kWhite, kWhite},
               true,
               false},
    ButtonLook{{kGreyFace, MakeRgb(224, 224, 224), MakeRgb(178, 178, 178), MakeRgb(172, 172, 172),
                MakeRgb(136, 136, 136), kWhite},
               false,
               true},
    kInkOn(kSteelPale, false),
    kInkOn(kSteelMid, true),
    kInkOn(kSteelMid, true),
};

Mix SketchMix(const Sketch& s, int x, int y) {
    if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) return Mix{1, 0, 0, 0, 0};
    return s.mix(x, y);
}

// The sketch at a point between pixels (a picture shifted by a unit of 1.5 pixels), weighing
// the four pixels around it.
Mix SketchMixAt(const Sketch& s, double x, double y) {
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    const double fx = x - ix, fy = y - iy;
    if (fx == 0 && fy == 0) return SketchMix(s, ix, iy);
    Mix out{};
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
            const double w = (dx ? fx : 1 - fx) * (dy ? fy : 1 - fy);
            if (w == 0) continue;
            const Mix m = SketchMix(s, ix + dx, iy + dy);
            for (std::size_t i = 0; i < out.size(); ++i) out[i] += w * m[i];
        }
    return out;
}

// Picture shares plus, for disabled buttons, a white copy of the ink one unit down-right where
// the face shows: the classic engraved look.
Rgba PicturePixel(const Sketch& s, const ButtonLook& look, double x, double y) {
    const Mix m = SketchMixAt(s, x, y);
    std::array<double, kRoleCount + 1> weights{};
    for (int i = 0; i < kRoleCount; ++i) weights[std::size_t(i)] = m[std::size_t(i)];
    if (look.embossed) {
        const double unit = s.scale();
        const double highlight =
            m[std::size_t(Role::None)] * SketchMixAt(s, x - unit, y - unit)[std::size_t(Role::Ink)];
        weights[0] -= highlight;
        weights[kRoleCount] = highlight;
    }
    return Blend(weights, look.colours);
}

// Two rings a unit wide: the outer one drawn last, over the inner one's corners.
void Bevel(UnitCanvas& c, Rgba face, bool sunken) {
    const Rgba highlight = Lerp(face, kWhite, 0.8), light = Lerp(face, kWhite, 0.45);
    const Rgba shadow = Lerp(face, kInk, 0.35), dark = Lerp(face, kInk, 0.7);
    const Rgba outerTopLeft = sunken ? shadow : highlight, innerTopLeft = sunken ? dark : light;
    const Rgba outerBottomRight = sunken ? highlight : dark;
    // A pressed button keeps its face colour inside the light edge: room for the shifted picture.
    const Rgba innerBottomRight = sunken ? face : shadow;
    constexpr int n = kButtonSize;
    c.fill(1, 1, n - 2, 1, innerTopLeft);
    c.fill(1, 1, 1, n - 2, innerTopLeft);
    c.fill(1, n - 2, n - 2, 1, innerBottomRight);
    c.fill(n - 2, 1, 1, n - 2, innerBottomRight);
    c.fill(0, 0, n, 1, outerTopLeft);
    c.fill(0, 0, 1, n, outerTopLeft);
    c.fill(0, n - 1, n, 1, outerBottomRight);
    c.fill(n - 1, 0, 1, n, outerBottomRight);
}

void RenderButton(Image& img, const Sketch& picture, const ButtonLook& look, int x0, int y0,
                  int cell) {
    const double shift = look.sunken ? picture.scale() : 0;
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x)
            img.setPixel(x0 + x, y0 + y, PicturePixel(picture, look, x - shift, y - shift));
    UnitCanvas canvas(img, picture.scale(), x0, y0);
    Bevel(canvas, look.colours[0], look.sunken);
}

}  // namespace

int CellPixels(double scale) {
    return int(std::lround(kButtonSize * scale));
}

Image RenderToolbarStrip(double scale) {
    const int cell = CellPixels(scale);
    Image strip(kToolbarPictures * cell, kToolbarRows * cell);
    for (int column = 0; column < kToolbarPictures; ++column) {
        const Sketch picture = ToolbarPicture(column, scale);
        for (int row = 0; row < kToolbarRows; ++row)
            RenderButton(strip, picture, kLooks[std::size_t(row)], column * cell, row * cell, cell);
    }
    return strip;
}

}  // namespace quindel::artgen
