#pragma once
// The one font of the headless backend. It is compiled in, so text measures and draws
// identically on every machine, with no font files to find.
#include <string_view>

#include "platform/Image.h"

namespace quindel::headless {

// A monospaced bitmap font: 5-dot-wide glyphs in 7 × 14 pixel cells. It covers printable
// ASCII, the Polish letters and the accented Latin-1 letters; any other character, and every
// byte of malformed UTF-8, shows as a small hollow box.
class BuiltinFont {
  public:
    static constexpr int kAdvance = 7;
    static constexpr int kLineHeight = 14;

    // kAdvance per code point; each malformed byte counts as one.
    static int TextWidth(std::string_view utf8);
    // kLineHeight per line. Lines end at "\n" (which covers CR LF); empty text is one line.
    static int TextHeight(std::string_view utf8);
    // Draws one line with the top-left of its first cell at (x, y), clipped to img.
    static void Draw(platform::Image& img, int x, int y, std::string_view utf8, platform::Rgba ink);
};

}  // namespace quindel::headless
