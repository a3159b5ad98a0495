#pragma once
// Fonts for formatted text: measuring and drawing runs of one font at a time.
//
// Contract (what a backend must do, what a caller may rely on):
// - A FontSpec names a face, an em size in twips and the device scale (twips per pixel) the
//   text is measured and drawn at; the em in pixels is sizeTwips / twipsPerPixel. Any face name
//   is accepted: a backend substitutes what it lacks (a metric-compatible face where it has
//   one), so a FontSpec always yields a usable font.
// - Metrics and Advances are in whole pixels and depend only on the font and the text: the same
//   call gives the same answer for the life of the service. Advances gives one advance per code
//   point of the UTF-8 text (a malformed byte counts as one code point), and drawing a run at x
//   puts its code points at x plus the running sum of those advances, so a caller that lays out
//   by advances paints exactly where it measured.
// - Draw paints a run with its baseline at y, clipped to the image, blending onto what is there;
//   underline and strike are drawn as lines across the run's advances. Control characters (tab
//   included) draw nothing.
// - Calls come from the user-interface thread only; the service may cache fonts internally.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Image.h"

namespace quindel::platform {

struct FontSpec {
    std::string face = "Times New Roman";  // family name; substituted when absent
    std::string generic = "serif";         // what stands in for an unknown face: "serif",
                                           // "sans-serif" or "monospace"
    int sizeTwips = 240;                   // em size: points x 20
    int twipsPerPixel = 15;                // device scale: 15 on a 96-dpi screen
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool operator==(const FontSpec&) const = default;
};

// Vertical metrics in pixels; lineHeight is at least ascent + descent.
struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int lineHeight = 0;
};

class TextService {
  public:
    virtual ~TextService() = default;

    virtual FontMetrics Metrics(const FontSpec& font) const = 0;
    // Appends to out one advance, in pixels, per code point of utf8.
    virtual void Advances(const FontSpec& font, std::string_view utf8,
                          std::vector<int>& out) const = 0;
    virtual void Draw(Image& target, const FontSpec& font, int x, int baseline,
                      std::string_view utf8, Rgba ink) const = 0;

    // The sum of the advances of utf8.
    int Width(const FontSpec& font, std::string_view utf8) const;
};

}  // namespace quindel::platform
