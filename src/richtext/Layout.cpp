#include "richtext/Layout.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "richtext/Utf8.h"

namespace quindel::richtext {

namespace {

constexpr std::int32_t kMaxWidth = 1 << 24;
constexpr std::int32_t kMinCellWidth = 150;
constexpr std::int32_t kDefaultCellWidth = 1440;
constexpr const char* kDefaultFace = "Times New Roman";
constexpr int kFineEmPixels = 1000;

// The decimal separator of a language (a Windows language id): a comma for the languages of
// continental Europe, a point elsewhere.
char32_t DecimalSeparator(std::int32_t language) {
    static constexpr std::int32_t kComma[] = {
        0x02, 0x05, 0x06, 0x07, 0x08, 0x0A, 0x0B, 0x0C, 0x0E, 0x0F, 0x10, 0x13, 0x14, 0x15,
        0x16, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1F, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27};
    const std::int32_t primary = language & 0x3FF;
    if (language == 0x0807 || language == 0x0810) return '.';  // Swiss German and Italian
    return std::find(std::begin(kComma), std::end(kComma), primary) != std::end(kComma) ? ',' : '.';
}

bool IsZeroWidth(char32_t cp) {
    return cp == 0xAD || (cp >= 0x200B && cp <= 0x200F);
}

}  // namespace

Layout::Layout(const Document& doc, const platform::TextService& text, int twipsPerPixel)
    : doc_(doc), text_(text), tpp_(std::max(1, twipsPerPixel)) {
    decimal_ = DecimalSeparator(doc.Settings().language);
    BuildBlocks();
}

void Layout::SetWidth(std::int32_t twips) {
    width_ = twips > 0 ? std::min(twips, kMaxWidth) : kDefaultWidth;
    BuildBlocks();
}

const platform::FontSpec& Layout::FontFor(std::uint32_t format) const {
    if (fonts_.size() <= format) fonts_.resize(format + 1);
    CachedFont& c = fonts_[format];
    if (c.ready) return c.font;
    const CharFormat& f = doc_.Char(format);
    const FontEntry* e = doc_.FontOf(f);
    c.font.face = e && !e->face.empty() ? e->face : kDefaultFace;
    c.font.generic = FontTable::Generic(e);
    const std::int32_t size = std::int32_t(f.halfPoints) * 10;
    c.font.sizeTwips = f.script == Script::Normal ? size : size * 2 / 3;
    c.font.twipsPerPixel = tpp_;
    c.font.bold = f.bold;
    c.font.italic = f.italic;
    c.textFont = c.font;
    c.font.underline = f.underline;
    c.font.strike = f.strike;
    const platform::FontMetrics m = FineMetrics(c.font);
    c.metrics = {m.ascent, m.descent, std::max(0, m.lineHeight - m.ascent - m.descent), 0};
    if (f.script != Script::Normal) {
        platform::FontSpec full = c.font;
        full.sizeTwips = size;
        const std::int32_t fullAscent = FineMetrics(full).ascent;
        c.metrics.shift = f.script == Script::Super ? fullAscent / 3 : -fullAscent / 5;
    }
    c.ready = true;
    return c.font;
}

const platform::FontSpec& Layout::TextFontFor(std::uint32_t format) const {
    FontFor(format);
    return fonts_[format].textFont;
}

platform::FontMetrics Layout::FineMetrics(const platform::FontSpec& font) const {
    // An em of about a thousand pixels: twips, or nearly, and within what any backend draws.
    platform::FontSpec fine = font;
    fine.twipsPerPixel = std::max(1, font.sizeTwips / kFineEmPixels);
    platform::FontMetrics m = text_.Metrics(fine);
    m.ascent *= fine.twipsPerPixel;
    m.descent *= fine.twipsPerPixel;
    m.lineHeight *= fine.twipsPerPixel;
    return m;
}

const Layout::FontTwips& Layout::MetricsFor(std::uint32_t format) const {
    FontFor(format);
    return fonts_[format].metrics;
}

void Layout::BuildBlocks() {
    blocks_.clear();
    lines_.clear();
    laidOut_ = 0;
    bottom_ = 0;
    const auto& paras = doc_.Paragraphs();
    for (std::uint32_t i = 0; i < paras.size(); ++i) {
        const Paragraph& p = paras[i];
        const bool sameRow = !blocks_.empty() && p.row >= 0 && blocks_.back().row == p.row &&
                             paras[i - 1].end != ParaEnd::Row;
        if (!sameRow) {
            LayoutBlock b;
            b.firstParagraph = i;
            b.row = p.row;
            blocks_.push_back(b);
        }
        LayoutBlock& b = blocks_.back();
        b.endParagraph = i + 1;
        // A rough guess: half an em a character, lines 1.2 ems apart.
        const std::int64_t em = std::int64_t(doc_.Char(p.markFormat).halfPoints) * 10;
        const std::int64_t lines = 1 + std::int64_t(p.length) * em / 2 / width_;
        const ParaFormat& f = doc_.Para(p.format);
        const std::int64_t h = lines * em * 6 / 5 + f.before + f.after;
        b.estimate = b.row >= 0 ? std::max(b.estimate, h) : h;
    }
    estimateSums_.assign(blocks_.size() + 1, 0);
    for (std::size_t i = 0; i < blocks_.size(); ++i)
        estimateSums_[i + 1] = estimateSums_[i] + blocks_[i].estimate;
}

void Layout::LayOutUntil(std::int64_t y) {
    while (laidOut_ < blocks_.size() && bottom_ <= y) LayOutBlock(laidOut_);
}

std::size_t Layout::LayOutParagraph(std::uint32_t p) {
    const std::size_t b = BlockOf(p);
    while (laidOut_ <= b) LayOutBlock(laidOut_);
    return b;
}

std::int64_t Layout::Height() {
    LayOutUntil(std::numeric_limits<std::int64_t>::max());
    return bottom_;
}

std::int64_t Layout::EstimatedHeight() const {
    return bottom_ + estimateSums_.back() - estimateSums_[laidOut_];
}

std::size_t Layout::BlockOf(std::uint32_t p) const {
    auto it = std::upper_bound(
        blocks_.begin(), blocks_.end(), p,
        [](std::uint32_t v, const LayoutBlock& b) { return v < b.firstParagraph; });
    return std::size_t(std::max<std::ptrdiff_t>(0, (it - blocks_.begin()) - 1));
}

void Layout::LayOutBlock(std::size_t index) {
    LayoutBlock& b = blocks_[index];
    b.top = bottom_;
    b.firstLine = std::uint32_t(lines_.size());
    b.height = b.row >= 0 ? LayOutRow(b) : LayOutParagraph(b.firstParagraph, 0, width_, 0);
    b.endLine = std::uint32_t(lines_.size());
    bottom_ += b.height;
    laidOut_ = index + 1;
}

std::int32_t Layout::CellLeft(const TableRow& row, std::size_t cell) {
    return cell == 0 ? row.left : CellRight(row, cell - 1);
}

std::int32_t Layout::CellRight(const TableRow& row, std::size_t cell) {
    if (cell < row.rightEdges.size()) return row.rightEdges[cell];
    const std::int32_t last = row.rightEdges.empty() ? row.left : row.rightEdges.back();
    const std::size_t extra = cell + 1 - row.rightEdges.size();
    return last + std::int32_t(std::min<std::size_t>(extra, 1 << 12)) * kDefaultCellWidth;
}

std::int64_t Layout::LayOutRow(const LayoutBlock& block) {
    const TableRow& row = doc_.Rows()[std::size_t(block.row)];
    std::int64_t height = 0, cellY = 0;
    for (std::uint32_t p = block.firstParagraph; p < block.endParagraph; ++p) {
        const std::size_t cell = doc_.Paragraphs()[p].cell;
        if (p > block.firstParagraph && doc_.Paragraphs()[p - 1].cell != cell) cellY = 0;
        const std::int32_t left = CellLeft(row, cell) + row.gap;
        const std::int32_t width = std::max(kMinCellWidth, CellRight(row, cell) - row.gap - left);
        cellY = LayOutParagraph(p, left, width, cellY);
        height = std::max(height, cellY);
    }
    if (row.minHeight > 0) height = std::max<std::int64_t>(height, row.minHeight);
    if (row.minHeight < 0) height = -std::int64_t(row.minHeight);
    return height;
}

std::int64_t Layout::LayOutParagraph(std::uint32_t p, std::int32_t x, std::int32_t width,
                                     std::int64_t y) {
    const Paragraph& para = doc_.Paragraphs()[p];
    const ParaFormat& f = doc_.Para(para.format);
    Measured& m = scratch_;
    Measure(p, para.textStart, para.textEnd, m);
    const std::size_t n = m.advance.size();
    y += f.before;
    std::size_t i = 0;
    bool first = true;
    for (;;) {
        LayoutLine line;
        line.paragraph = p;
        line.x = x;
        line.width = width;
        line.indent = std::max(0, f.left + (first ? f.first : 0));
        const TabRoom room{f, std::max(line.indent + 1, width - f.right),
                           first && f.first < 0 ? f.left : -1};
        const std::size_t end = BreakLine(m, i, line.indent, room);
        std::size_t visible = end;
        while (visible > i &&
               (m.kind[visible - 1] == Kind::Space || m.kind[visible - 1] == Kind::Break))
            --visible;
        line.natural = Walk(m, i, visible, line.indent, room, nullptr);
        line.start = m.bytes[i];
        line.end = m.bytes[end];
        LineMetrics(line, f);
        line.y = y;
        y += line.height;
        lines_.push_back(line);
        const bool brokeAtEnd = end == n && end > i && m.kind[end - 1] == Kind::Break;
        i = end;
        first = false;
        if (i >= n && !brokeAtEnd) break;
    }
    lines_.back().last = true;
    return y + f.after;
}

void Layout::Measure(std::uint32_t p, std::uint32_t b0, std::uint32_t b1, Measured& m) const {
    m.advance.clear();
    m.bytes.clear();
    m.kind.clear();
    const std::string_view text = doc_.Text();
    for (std::uint32_t r = doc_.RunFrom(p, b0); r < doc_.RunEnd(p); ++r) {
        const Run& run = doc_.Runs()[r];
        if (run.start >= b1) break;
        const std::uint32_t s = std::max(run.start, b0), e = std::min(doc_.RunTextEnd(r), b1);
        if (s >= e) continue;
        if (run.picture >= 0) {
            m.bytes.push_back(s);
            m.advance.push_back(doc_.Pictures()[std::size_t(run.picture)].width);
            m.kind.push_back(Kind::Object);
            continue;
        }
        const std::string_view piece = text.substr(s, e - s);
        pixels_.clear();
        text_.Advances(FontFor(run.format), piece, pixels_);
        std::size_t k = 0;
        for (std::size_t i = 0; i < piece.size(); ++k) {
            m.bytes.push_back(s + std::uint32_t(i));
            const char32_t cp = NextCodePoint(piece, i);
            const std::int32_t px = k < pixels_.size() ? pixels_[k] : 0;
            Kind kind = Kind::Normal;
            if (cp == ' ') kind = Kind::Space;
            if (cp == 0x09) kind = Kind::Tab;
            if (cp == 0x0B) kind = Kind::Break;
            if (cp == '-' || cp == 0xAD) kind = Kind::Hyphen;
            if (cp == decimal_) kind = Kind::Decimal;
            m.kind.push_back(kind);
            m.advance.push_back(IsZeroWidth(cp) || kind == Kind::Break ? 0 : px * tpp_);
        }
    }
    m.bytes.push_back(b1);
}

void Layout::LineMetrics(LayoutLine& line, const ParaFormat& f) const {
    std::int32_t ascent = 0, descent = 0, leading = 0;
    bool any = false;
    const std::uint32_t p = line.paragraph;
    for (std::uint32_t r = doc_.RunFrom(p, line.start); r < doc_.RunEnd(p); ++r) {
        const Run& run = doc_.Runs()[r];
        if (run.start >= line.end) break;
        any = true;
        if (run.picture >= 0) {
            ascent = std::max(ascent, doc_.Pictures()[std::size_t(run.picture)].height);
            continue;
        }
        const FontTwips& m = MetricsFor(run.format);
        ascent = std::max(ascent, m.ascent + m.shift);
        descent = std::max(descent, m.descent - m.shift);
        leading = std::max(leading, m.leading);
    }
    if (!any) {
        const FontTwips& m = MetricsFor(doc_.Paragraphs()[p].markFormat);
        ascent = m.ascent;
        descent = m.descent;
        leading = m.leading;
    }
    const std::int32_t natural = ascent + descent + leading;
    std::int32_t h = natural;
    if (f.lineSpacing > 0 && f.lineMultiple)
        h = std::int32_t(std::int64_t(natural) * f.lineSpacing / 240);
    else if (f.lineSpacing > 0)
        h = std::max(natural, f.lineSpacing);
    else if (f.lineSpacing < 0)
        h = -f.lineSpacing;
    line.height = std::max(1, h);
    // Room beyond the single height goes above the text; a line held exactly lower than that
    // keeps its descent and loses the top of its tallest letters.
    line.ascent = std::clamp(ascent + line.height - natural, 0, line.height);
}

}  // namespace quindel::richtext
