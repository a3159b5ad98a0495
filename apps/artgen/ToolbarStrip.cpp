#include "ToolbarStrip.h"

#include <array>

#include "Colour.h"
#include "ToolbarPictures.h"

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

// Picture shares plus, for disabled buttons, a white copy of the ink one pixel down-right
// where the face shows: the classic engraved look.
Rgba PicturePixel(const Sketch& s, const ButtonLook& look, int x, int y) {
    const Mix m = SketchMix(s, x, y);
    std::array<double, kRoleCount + 1> weights{};
    for (int i = 0; i < kRoleCount; ++i) weights[std::size_t(i)] = m[std::size_t(i)];
    if (look.embossed) {
        const double highlight =
            m[std::size_t(Role::None)] * SketchMix(s, x - 1, y - 1)[std::size_t(Role::Ink)];
        weights[0] -= highlight;
        weights[kRoleCount] = highlight;
    }
    return Blend(weights, look.colours);
}

void Bevel(Image& img, int x0, int y0, Rgba face, bool sunken) {
    const Rgba highlight = Lerp(face, kWhite, 0.8), light = Lerp(face, kWhite, 0.45);
    const Rgba shadow = Lerp(face, kInk, 0.35), dark = Lerp(face, kInk, 0.7);
    const Rgba outerTopLeft = sunken ? shadow : highlight, innerTopLeft = sunken ? dark : light;
    const Rgba outerBottomRight = sunken ? highlight : dark;
    // A pressed button keeps its face colour inside the light edge: room for the shifted picture.
    const Rgba innerBottomRight = sunken ? face : shadow;
    constexpr int n = kButtonSize;
    img.fillRect(x0 + 1, y0 + 1, n - 2, 1, innerTopLeft);
    img.fillRect(x0 + 1, y0 + 1, 1, n - 2, innerTopLeft);
    img.fillRect(x0 + 1, y0 + n - 2, n - 2, 1, innerBottomRight);
    img.fillRect(x0 + n - 2, y0 + 1, 1, n - 2, innerBottomRight);
    img.fillRect(x0, y0, n, 1, outerTopLeft);
    img.fillRect(x0, y0, 1, n, outerTopLeft);
    img.fillRect(x0, y0 + n - 1, n, 1, outerBottomRight);
    img.fillRect(x0 + n - 1, y0, 1, n, outerBottomRight);
}

void RenderButton(Image& img, const Sketch& picture, const ButtonLook& look, int x0, int y0) {
    const int shift = look.sunken ? 1 : 0;
    for (int y = 0; y < kButtonSize; ++y)
        for (int x = 0; x < kButtonSize; ++x)
            img.setPixel(x0 + x, y0 + y, PicturePixel(picture, look, x - shift, y - shift));
    Bevel(img, x0, y0, look.colours[0], look.sunken);
}

}  // namespace

Image RenderToolbarStrip() {
    Image strip(kToolbarPictures * kButtonSize, kToolbarRows * kButtonSize);
    for (int column = 0; column < kToolbarPictures; ++column) {
        const Sketch picture = ToolbarPicture(column);
        for (int row = 0; row < kToolbarRows; ++row)
            RenderButton(strip, picture, kLooks[std::size_t(row)], column * kButtonSize,
                         row * kButtonSize);
    }
    return strip;
}

}  // namespace quindel::artgen
