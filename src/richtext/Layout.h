#pragma once
// Lays a Document out in lines for a given width, lazily.
//
// The document is cut into blocks: a paragraph outside tables, or one table row. Blocks are
// laid out in order and only as far down as someone looks (LayOutUntil); the blocks below
// have estimated heights, so the first paint of a long document costs what is visible, not
// the whole. Height() lays out everything and is exact.
//
// Units are twips throughout (vertical positions as 64-bit values); text is measured through
// the platform's TextService in whole pixels of the given scale, so what is painted at that
// scale sits exactly where it was measured. Lines wrap at blanks and after hyphens, a word
// longer than its line is cut, blanks at the end of a line hang past its edge, tabs go to the
// paragraph's stops and then to multiples of the default interval (both from the box's left
// edge), and U+000B ends a line. Table cells are laid out in their own widths, a row as tall
// as its tallest cell.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/TextService.h"
#include "richtext/Document.h"

namespace quindel::richtext {

struct LayoutLine {
    std::uint32_t paragraph = 0;
    std::uint32_t start = 0;  // bytes of the document's text on the line
    std::uint32_t end = 0;
    std::int32_t x = 0;        // left edge of the paragraph's box
    std::int32_t width = 0;    // the box's width
    std::int32_t indent = 0;   // where the text starts, from x
    std::int32_t natural = 0;  // where the text ends, from x, trailing blanks left out
    std::int64_t y = 0;        // top, from the top of its block
    std::int32_t height = 0;
    std::int32_t ascent = 0;  // baseline, from the top
    bool last = false;        // the last line of its paragraph
};

struct LayoutBlock {
    std::uint32_t firstParagraph = 0;
    std::uint32_t endParagraph = 0;
    std::int32_t row = -1;      // table row, -1 for a plain paragraph
    std::int64_t estimate = 0;  // height before layout
    std::int64_t top = 0;       // exact once laid out
    std::int64_t height = 0;
    std::uint32_t firstLine = 0;
    std::uint32_t endLine = 0;
};

// The places of a line's characters: x[k] is the left edge of code point k (document twips),
// bytes[k] its first byte; both have one more entry, for the end of the line.
struct LineGeometry {
    std::vector<std::int32_t> x;
    std::vector<std::uint32_t> bytes;
};

struct CaretRect {
    std::int32_t left = 0;
    std::int64_t top = 0;
    std::int32_t height = 0;
};

class Layout {
  public:
    static constexpr std::int32_t kDefaultWidth = 9360;  // 6.5 inches

    Layout(const Document& doc, const platform::TextService& text, int twipsPerPixel = 15);

    const Document& document() const { return doc_; }
    const platform::TextService& text() const { return text_; }
    int TwipsPerPixel() const { return tpp_; }
    // The wrapping width; 0 or less means kDefaultWidth. Drops the layout done so far.
    void SetWidth(std::int32_t twips);
    std::int32_t Width() const { return width_; }

    // Lays out blocks until one reaches below y.
    void LayOutUntil(std::int64_t y);
    // Lays out blocks up to and including the one holding paragraph p; returns its index.
    std::size_t LayOutParagraph(std::uint32_t p);
    std::int64_t Height();
    std::int64_t EstimatedHeight() const;
    std::size_t LaidOut() const { return laidOut_; }
    const std::vector<LayoutBlock>& Blocks() const { return blocks_; }
    const std::vector<LayoutLine>& Lines() const { return lines_; }

    void Geometry(const LayoutLine& line, LineGeometry& out) const;
    // The position nearest to a point of the document (twips).
    std::int32_t HitTest(std::int32_t x, std::int64_t y);
    // Where the caret stands before position pos.
    CaretRect Caret(std::int32_t pos);
    // For printing: the bottom of the last whole line (or table row) that fits in
    // [top, top + height); more than top whenever anything is left below top.
    std::int64_t PageEnd(std::int64_t top, std::int64_t height);

    // The font a format is shown in, and its metrics in twips.
    const platform::FontSpec& FontFor(std::uint32_t format) const;
    struct FontTwips {
        std::int32_t ascent = 0, descent = 0, leading = 0;
        std::int32_t shift = 0;  // baseline raise of superscripts (negative: subscripts)
    };
    const FontTwips& MetricsFor(std::uint32_t format) const;
    // The edges of a table cell (a cell past the row's \cellx list gets a default width).
    static std::int32_t CellLeft(const TableRow& row, std::size_t cell);
    static std::int32_t CellRight(const TableRow& row, std::size_t cell);

  private:
    enum class Kind : std::uint8_t { Normal, Space, Tab, Break, Object, Hyphen };
    struct Measured {
        std::vector<std::int32_t> advance;
        std::vector<std::uint32_t> bytes;  // one more than advance
        std::vector<Kind> kind;
    };
    struct CachedFont {
        bool ready = false;
        platform::FontSpec font;
        FontTwips metrics;
    };

    void BuildBlocks();
    void LayOutBlock(std::size_t b);
    std::int64_t LayOutRow(const LayoutBlock& block);
    std::int64_t LayOutParagraph(std::uint32_t p, std::int32_t x, std::int32_t width,
                                 std::int64_t y);
    void Measure(std::uint32_t p, std::uint32_t b0, std::uint32_t b1, Measured& m) const;
    std::size_t BreakLine(const Measured& m, std::size_t from, std::int32_t indent,
                          std::int32_t right, const ParaFormat& f) const;
    std::int32_t Advance(const Measured& m, std::size_t k, std::int32_t x,
                         const ParaFormat& f) const;
    std::int32_t Walk(const Measured& m, std::size_t from, std::size_t to, std::int32_t x,
                      const ParaFormat& f, std::vector<std::int32_t>* xs) const;
    void LineMetrics(LayoutLine& line, const ParaFormat& f) const;
    std::size_t BlockOf(std::uint32_t p) const;
    std::int32_t NearestIn(const LayoutLine& line, std::int32_t x) const;

    const Document& doc_;
    const platform::TextService& text_;
    int tpp_;
    std::int32_t width_ = kDefaultWidth;
    std::vector<LayoutBlock> blocks_;
    std::vector<std::int64_t> estimateSums_;  // estimates of blocks [0, i)
    std::vector<LayoutLine> lines_;
    std::size_t laidOut_ = 0;
    std::int64_t bottom_ = 0;
    mutable std::vector<CachedFont> fonts_;
    mutable Measured scratch_;
    mutable std::vector<int> pixels_;
};

}  // namespace quindel::richtext
