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
// scale sits exactly where it was measured. Vertical metrics are asked at a fine scale (about a
// twip a pixel), so line heights keep the font's proportions (its line gap included) instead of
// whole screen pixels.
//
// Lines wrap at blanks, after hyphens and after tabs; a word longer than its line is cut,
// blanks at the end of a line hang past its edge, and U+000B ends a line. A line is as tall as
// its tallest font (ascent, descent and line gap); \sl spacing makes it at least or exactly the
// given height, \slmult a multiple of that single height, with any extra room above the text.
//
// Tabs: a tab goes to the next stop past it, measured from the box's left edge: the
// paragraph's explicit stops, on a hanging first line the left indent, and past the last
// explicit stop multiples of the default interval. A left stop starts the text after the tab
// there; a centre stop centres it, a right stop ends it there and a decimal stop puts its
// decimal separator there (the document language's: a comma for most European languages, else
// a point; text without one ends at the stop), the text being what follows up to the next tab
// or line end. A tab whose stop lies past the line's right edge reaches the edge (a left stop)
// or aligns at the edge (the others), so what follows wraps rather than runs off. Bar stops
// move nothing. Table cells are laid out in their own widths, a row as tall as its tallest
// cell.
//
// Marks are what a line shows besides its glyphs: continuous underlines and strike-through
// across runs (blanks included, except for words-only underline), in the run's style, tab
// leaders and bar rules. Painting and printing draw the glyphs in TextFontFor (no underline or
// strike of their own) and then the marks.
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

// Something a line shows besides its glyphs, in document twips across and from the line's
// top down: a filled rectangle, or text (a leader's characters) with its baseline at y.
struct LineMark {
    enum class Kind : std::uint8_t { Fill, Text };
    Kind kind = Kind::Fill;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;  // Fill only
    std::int32_t height = 0;
    std::uint32_t format = 0;  // the run's CharFormat: its colour, and for text its font
    bool selected = false;     // within the selection given: drawn in the selection's ink
    std::string text;          // Text only, UTF-8
};

// Bytes [from, to) of the document's text, as a selection's part of one paragraph.
struct ByteRange {
    std::uint32_t from = 0, to = 0;
    bool Has(std::uint32_t byte) const { return byte >= from && byte < to; }
    // The part in paragraph of a selection [from, to) given as keys paragraph << 32 | byte.
    static ByteRange InParagraph(std::uint64_t from, std::uint64_t to, std::uint32_t paragraph);
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

    // The marks of a line whose geometry g is, the part selected of its paragraph's text, at a
    // device whose smallest mark is unit twips (a screen pixel, a printer dot): rules are at
    // least that thick, dots and dashes of patterns at least that long.
    void Marks(const LayoutLine& line, const LineGeometry& g, ByteRange selected, std::int32_t unit,
               std::vector<LineMark>& out) const;

    // The font a format is shown in, and its metrics in twips.
    const platform::FontSpec& FontFor(std::uint32_t format) const;
    // FontFor without underline and strike-through: the font to draw glyphs in before Marks.
    const platform::FontSpec& TextFontFor(std::uint32_t format) const;
    struct FontTwips {
        std::int32_t ascent = 0, descent = 0, leading = 0;
        std::int32_t shift = 0;  // baseline raise of superscripts (negative: subscripts)
    };
    const FontTwips& MetricsFor(std::uint32_t format) const;
    // The edges of a table cell (a cell past the row's \cellx list gets a default width).
    static std::int32_t CellLeft(const TableRow& row, std::size_t cell);
    static std::int32_t CellRight(const TableRow& row, std::size_t cell);

  private:
    // Decimal: the document language's decimal separator, otherwise as Normal.
    enum class Kind : std::uint8_t { Normal, Space, Tab, Break, Object, Hyphen, Decimal };
    struct Measured {
        std::vector<std::int32_t> advance;
        std::vector<std::uint32_t> bytes;  // one more than advance
        std::vector<Kind> kind;
    };
    struct CachedFont {
        bool ready = false;
        platform::FontSpec font;
        platform::FontSpec textFont;
        FontTwips metrics;
    };
    // What the tabs of a line are laid out against.
    struct TabRoom {
        const ParaFormat& f;
        std::int32_t right;    // the line's right edge, from the box's left
        std::int32_t hanging;  // the left indent on a hanging first line (a stop), else -1
    };
    struct Stop {
        std::int32_t at = 0;
        TabKind kind;
    };
    class MarkBuilder;

    void BuildBlocks();
    void LayOutBlock(std::size_t b);
    std::int64_t LayOutRow(const LayoutBlock& block);
    std::int64_t LayOutParagraph(std::uint32_t p, std::int32_t x, std::int32_t width,
                                 std::int64_t y);
    void Measure(std::uint32_t p, std::uint32_t b0, std::uint32_t b1, Measured& m) const;
    std::size_t BreakLine(const Measured& m, std::size_t from, std::int32_t indent,
                          const TabRoom& room) const;
    // The advance of character k at x; a tab's depends on the text after it, up to end.
    std::int32_t Advance(const Measured& m, std::size_t k, std::size_t end, std::int32_t x,
                         const TabRoom& room) const;
    std::int32_t Walk(const Measured& m, std::size_t from, std::size_t to, std::int32_t x,
                      const TabRoom& room, std::vector<std::int32_t>* xs) const;
    Stop NextStop(std::int32_t x, const TabRoom& room) const;
    TabRoom RoomOf(const LayoutLine& line) const;
    void LineMetrics(LayoutLine& line, const ParaFormat& f) const;
    // Vertical metrics of font in twips, asked at a fine scale.
    platform::FontMetrics FineMetrics(const platform::FontSpec& font) const;
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
    char32_t decimal_ = '.';  // the document language's decimal separator
};

}  // namespace quindel::richtext
