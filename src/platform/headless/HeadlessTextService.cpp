#include "platform/headless/HeadlessTextService.h"

#include <algorithm>
#include <cstdint>

#include "platform/headless/BuiltinFont.h"

namespace quindel::headless {

using platform::FontMetrics;
using platform::FontSpec;
using platform::Image;
using platform::Rgba;

namespace {

constexpr int kCellWidth = BuiltinFont::kAdvance;
constexpr int kCellHeight = BuiltinFont::kLineHeight;
// The baseline of a cell: capitals fill rows 4 to 10.
constexpr int kCellAscent = 11;
// The em, in pixels, at which a cell is drawn at its own size.
constexpr int kUnitEm = 12;
constexpr int kMaxSizeTwips = 32767;

// round(base x em / kUnitEm), at least 1, with the em = sizeTwips / twipsPerPixel.
int Scaled(int base, const FontSpec& font) {
    const std::int64_t em = std::clamp(font.sizeTwips, 1, kMaxSizeTwips);
    const std::int64_t den = std::int64_t(kUnitEm) * std::max(font.twipsPerPixel, 1);
    return int(std::max<std::int64_t>(1, (2 * base * em + den) / (2 * den)));
}

// How many of n cells of width advance starting at x reach into a target of the given width.
int VisibleCells(int n, int x, int advance, int width) {
    if (x >= width) return 0;
    const std::int64_t room = (std::int64_t(width) - x + advance - 1) / advance + 1;
    return int(std::min<std::int64_t>(n, room));
}

struct Placement {
    int x;
    int top;
    int advance;
    FontMetrics m;
    int boldShift;  // 0 when not bold
    bool italic;
};

// Maps each pixel of the scaled line box back to the 1x cells in glyphs.
void DrawScaled(Image& target, const Image& glyphs, int cells, const Placement& p, Rgba ink) {
    for (int ty = 0; ty < p.m.lineHeight; ++ty) {
        const int y = p.top + ty;
        if (y < 0 || y >= target.height()) continue;
        const int sy = ty * kCellHeight / p.m.lineHeight;
        const int shear = p.italic ? (p.m.ascent - ty) / 4 : 0;
        for (int i = 0; i < cells; ++i) {
            const int left = p.x + i * p.advance + shear;
            for (int tx = 0; tx < p.advance; ++tx) {
                if (glyphs.pixel(i * kCellWidth + tx * kCellWidth / p.advance, sy) == 0) continue;
                target.setPixel(left + tx, y, ink);
                if (p.boldShift) target.setPixel(left + tx + p.boldShift, y, ink);
            }
        }
    }
}

}  // namespace

int HeadlessTextService::Advance(const FontSpec& font) {
    return Scaled(kCellWidth, font);
}

FontMetrics HeadlessTextService::Metrics(const FontSpec& font) const {
    FontMetrics m;
    m.lineHeight = Scaled(kCellHeight, font);
    m.ascent = std::min(Scaled(kCellAscent, font), m.lineHeight);
    m.descent = m.lineHeight - m.ascent;
    return m;
}

void HeadlessTextService::Advances(const FontSpec& font, std::string_view utf8,
                                   std::vector<int>& out) const {
    out.insert(out.end(), std::size_t(BuiltinFont::TextWidth(utf8) / kCellWidth), Advance(font));
}

void HeadlessTextService::Draw(Image& target, const FontSpec& font, int x, int baseline,
                               std::string_view utf8, Rgba ink) const {
    const FontMetrics m = Metrics(font);
    const int advance = Advance(font);
    const int n = BuiltinFont::TextWidth(utf8) / kCellWidth;
    if (baseline + m.descent < 0 || baseline - m.ascent >= target.height()) return;
    const int cells = VisibleCells(n, x, advance, target.width());
    if (cells <= 0) return;
    Image glyphs(cells * kCellWidth, kCellHeight, 0);
    BuiltinFont::Draw(glyphs, 0, 0, utf8, platform::MakeRgb(255, 255, 255));
    const int step = std::max(1, advance / kCellWidth);
    DrawScaled(target, glyphs, cells,
               {x, baseline - m.ascent, advance, m, font.bold ? step : 0, font.italic}, ink);
    const int span = cells * advance;
    if (font.underline) target.fillRect(x, baseline + std::max(1, m.descent / 3), span, step, ink);
    if (font.strike) target.fillRect(x, baseline - std::max(1, m.ascent * 3 / 11), span, step, ink);
}

}  // namespace quindel::headless
