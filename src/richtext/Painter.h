#pragma once
// Paints a laid-out document onto an Image through the platform's text service.
//
// The image shows the document from (scrollX, scrollY) twips down and right, at the layout's
// twips per pixel; it is filled with the paper colour first. Runs show their highlight, the
// selection is drawn inverted (selection paper under selection ink), the line's marks
// (underlines and strike-through continuous across blanks, tab leaders, bar rules) are drawn
// over the glyphs at least a pixel thick, pictures are scaled to their shown size (a picture
// that cannot be decoded shows as a framed box of that size), and table rows with borders get
// their cell frames. Painting lays out only what it shows.
#include <cstdint>
#include <limits>
#include <map>

#include "platform/Image.h"
#include "richtext/Layout.h"

namespace quindel::richtext {

struct PaintOptions {
    platform::Rgba paper = platform::MakeRgb(255, 255, 255);
    platform::Rgba ink = platform::MakeRgb(0, 0, 0);  // for the automatic colour
    platform::Rgba selectionPaper = platform::MakeRgb(0, 0, 128);
    platform::Rgba selectionInk = platform::MakeRgb(255, 255, 255);
    std::int32_t selectionStart = 0;
    std::int32_t selectionLength = 0;
    // Lines reaching below this document y are left out (a printed page's end).
    std::int64_t bottom = std::numeric_limits<std::int64_t>::max();
};

class Painter {
  public:
    explicit Painter(Layout& layout) : layout_(layout) {}

    void Paint(platform::Image& target, std::int32_t scrollX, std::int64_t scrollY,
               const PaintOptions& options);

  private:
    struct View {
        platform::Image& target;
        std::int32_t scrollX;
        std::int64_t scrollY;
        int tpp;
        const PaintOptions& options;
    };
    // The selection as keys paragraph << 32 | byte, [from, to).
    struct Span {
        std::uint64_t from = 0, to = 0;
        bool Has(std::uint32_t paragraph, std::uint32_t byte) const {
            const std::uint64_t key = std::uint64_t(paragraph) << 32 | byte;
            return key >= from && key < to;
        }
        // Its part of one paragraph.
        ByteRange In(std::uint32_t paragraph) const;
    };
    void PaintLine(const View& v, const LayoutLine& line, std::int64_t top, const Span& sel);
    void PaintRun(const View& v, const LayoutLine& line, std::int64_t top, std::uint32_t run,
                  const Span& sel);
    void PaintMarks(const View& v, const LayoutLine& line, std::int64_t top, const Span& sel);
    void PaintPicture(const View& v, std::int32_t picture, std::int32_t x, std::int64_t top,
                      bool selected);
    void PaintBorders(const View& v, const LayoutBlock& block);
    int PxX(const View& v, std::int64_t x) const;
    int PxY(const View& v, std::int64_t y) const;
    const platform::Image& Decoded(std::int32_t picture, int width, int height);

    Layout& layout_;
    LineGeometry geometry_;
    std::vector<LineMark> marks_;
    std::map<std::int32_t, platform::Image> pictures_;
    std::int64_t cachedPixels_ = 0;
};

}  // namespace quindel::richtext
