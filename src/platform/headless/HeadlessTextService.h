#pragma once
// The headless text service: every face is the built-in bitmap font scaled to the em size, so
// metrics are exact and identical on every machine. At 9 points on a 15-twip pixel (an em of
// 12 pixels) the glyphs are the font's own 7 x 14 cells; other sizes scale the cell, rounded
// to whole pixels: advance 7, line 14, ascent 11 at scale 1. Bold is a second strike one
// pixel (per scale step) to the right, italic a shear of a quarter pixel per row above the
// baseline, underline and strike lines as thick as one scaled dot.
#include "platform/TextService.h"

namespace quindel::headless {

class HeadlessTextService : public platform::TextService {
  public:
    platform::FontMetrics Metrics(const platform::FontSpec& font) const override;
    void Advances(const platform::FontSpec& font, std::string_view utf8,
                  std::vector<int>& out) const override;
    void Draw(platform::Image& target, const platform::FontSpec& font, int x, int baseline,
              std::string_view utf8, platform::Rgba ink) const override;

    // The advance of every code point in font.
    static int Advance(const platform::FontSpec& font);
};

}  // namespace quindel::headless
