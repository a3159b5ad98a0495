#include "richtext/Painter.h"

#include <algorithm>
#include <cstdint>

#include "richtext/PictureDecoder.h"

namespace quindel::richtext {

namespace {

using platform::Image;
using platform::Rgba;

constexpr std::int64_t kMaxCachedPixels = 32LL * 1024 * 1024;
constexpr Rgba kPlaceholder = platform::MakeRgb(128, 128, 128);

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int ClampToInt(std::int64_t v) {
    return int(std::clamp<std::int64_t>(v, -(1 << 29), 1 << 29));
}

void Frame(Image& img, int x, int y, int w, int h, Rgba c) {
    img.fillRect(x, y, w, 1, c);
    img.fillRect(x, y + h - 1, w, 1, c);
    img.fillRect(x, y, 1, h, c);
    img.fillRect(x + w - 1, y, 1, h, c);
}

}  // namespace

int Painter::PxX(const View& v, std::int64_t x) const {
    return ClampToInt(FloorDiv(x - v.scrollX, v.tpp));
}

int Painter::PxY(const View& v, std::int64_t y) const {
    return ClampToInt(FloorDiv(y - v.scrollY, v.tpp));
}

void Painter::Paint(Image& target, std::int32_t scrollX, std::int64_t scrollY,
                    const PaintOptions& options) {
    target.fill(options.paper);
    const View v{target, scrollX, scrollY, layout_.TwipsPerPixel(), options};
    const std::int64_t bottom =
        std::min(options.bottom, scrollY + std::int64_t(target.height()) * v.tpp);
    layout_.LayOutUntil(bottom);
    const Document& doc = layout_.document();
    const std::int32_t selStart = std::max(0, options.selectionStart);
    const Document::Place a = doc.Locate(selStart);
    const Document::Place b = doc.Locate(selStart + std::max(0, options.selectionLength));
    const Span sel{std::uint64_t(a.paragraph) << 32 | a.byte,
                   std::uint64_t(b.paragraph) << 32 | b.byte};
    const auto& blocks = layout_.Blocks();
    for (std::size_t i = 0; i < layout_.LaidOut(); ++i) {
        const LayoutBlock& block = blocks[i];
        if (block.top + block.height <= scrollY) continue;
        if (block.top >= bottom) break;
        for (std::uint32_t l = block.firstLine; l < block.endLine; ++l) {
            const LayoutLine& line = layout_.Lines()[l];
            const std::int64_t top = block.top + line.y;
            if (top + line.height <= scrollY || top + line.height > options.bottom || top >= bottom)
                continue;
            PaintLine(v, line, top, sel);
        }
        if (block.row >= 0 && doc.Rows()[std::size_t(block.row)].borders) PaintBorders(v, block);
    }
}

void Painter::PaintLine(const View& v, const LayoutLine& line, std::int64_t top, const Span& sel) {
    const Document& doc = layout_.document();
    layout_.Geometry(line, geometry_);
    for (std::uint32_t r = doc.RunFrom(line.paragraph, line.start); r < doc.RunEnd(line.paragraph);
         ++r) {
        if (doc.Runs()[r].start >= line.end) break;
        PaintRun(v, line, top, r, sel);
    }
    PaintMarks(v, line, top, sel);
}

ByteRange Painter::Span::In(std::uint32_t paragraph) const {
    return ByteRange::InParagraph(from, to, paragraph);
}

void Painter::PaintMarks(const View& v, const LayoutLine& line, std::int64_t top, const Span& sel) {
    const Document& doc = layout_.document();
    layout_.Marks(line, geometry_, sel.In(line.paragraph), v.tpp, marks_);
    for (const LineMark& m : marks_) {
        const Rgba ink = m.selected ? v.options.selectionInk
                                    : doc.Colour(doc.Char(m.format).colour, v.options.ink);
        if (m.kind == LineMark::Kind::Text) {
            layout_.text().Draw(v.target, layout_.TextFontFor(m.format), PxX(v, m.x),
                                PxY(v, top + m.y), m.text, ink);
            continue;
        }
        const int x0 = PxX(v, m.x), y0 = PxY(v, top + m.y);
        const int x1 = std::max(x0 + 1, PxX(v, std::int64_t(m.x) + m.width));
        const int y1 = std::max(y0 + 1, PxY(v, top + m.y + m.height));
        v.target.fillRect(x0, y0, x1 - x0, y1 - y0, ink);
    }
}

void Painter::PaintRun(const View& v, const LayoutLine& line, std::int64_t top, std::uint32_t r,
                       const Span& sel) {
    const Document& doc = layout_.document();
    const Run& run = doc.Runs()[r];
    const std::uint32_t s = std::max(run.start, line.start);
    const std::uint32_t e = std::min(doc.RunTextEnd(r), line.end);
    const auto& bytes = geometry_.bytes;
    const auto& xs = geometry_.x;
    const std::size_t k0 =
        std::size_t(std::lower_bound(bytes.begin(), bytes.end(), s) - bytes.begin());
    const std::size_t k1 =
        std::size_t(std::lower_bound(bytes.begin(), bytes.end(), e) - bytes.begin());
    const std::uint32_t p = line.paragraph;
    if (run.picture >= 0) {
        const Picture& pic = doc.Pictures()[std::size_t(run.picture)];
        PaintPicture(v, run.picture, xs[k0], top + line.ascent - pic.height, sel.Has(p, s));
        return;
    }
    const CharFormat& f = doc.Char(run.format);
    const Rgba highlight = f.highlight > 0 ? doc.Colour(f.highlight, 0) : 0;
    const int y0 = PxY(v, top), y1 = PxY(v, top + line.height);
    for (std::size_t k = k0; k < k1; ++k) {
        const bool selected = sel.Has(p, bytes[k]);
        if (!selected && platform::AlphaOf(highlight) == 0) continue;
        const int x0 = PxX(v, xs[k]), x1 = PxX(v, xs[k + 1]);
        v.target.fillRect(x0, y0, x1 - x0, y1 - y0,
                          selected ? v.options.selectionPaper : highlight);
    }
    const platform::FontSpec& font = layout_.TextFontFor(run.format);
    const int baseline = PxY(v, top + line.ascent - layout_.MetricsFor(run.format).shift);
    const Rgba ink = doc.Colour(f.colour, v.options.ink);
    const std::string_view text = doc.Text();
    // Words one at a time, so justified blanks and selection edges fall where laid out.
    for (std::size_t k = k0; k < k1;) {
        const auto blank = [&](std::size_t i) {
            return static_cast<unsigned char>(text[bytes[i]]) <= ' ' || xs[i + 1] == xs[i];
        };
        if (blank(k)) {
            ++k;
            continue;
        }
        const bool selected = sel.Has(p, bytes[k]);
        std::size_t j = k + 1;
        while (j < k1 && !blank(j) && sel.Has(p, bytes[j]) == selected) ++j;
        layout_.text().Draw(v.target, font, PxX(v, xs[k]), baseline,
                            text.substr(bytes[k], bytes[j] - bytes[k]),
                            selected ? v.options.selectionInk : ink);
        k = j;
    }
}

const Image& Painter::Decoded(std::int32_t picture, int width, int height) {
    auto it = pictures_.find(picture);
    // Kept while it still covers the size shown.
    if (it != pictures_.end() &&
        (it->second.empty() || (it->second.width() >= width && it->second.height() >= height)))
        return it->second;
    if (it != pictures_.end()) pictures_.erase(it);
    if (cachedPixels_ > kMaxCachedPixels) {
        pictures_.clear();
        cachedPixels_ = 0;
    }
    Image img =
        PictureDecoder::Decode(layout_.document().Pictures()[std::size_t(picture)], width, height);
    cachedPixels_ += std::int64_t(img.width()) * img.height();
    return pictures_.emplace(picture, std::move(img)).first->second;
}

void Painter::PaintPicture(const View& v, std::int32_t picture, std::int32_t x, std::int64_t top,
                           bool selected) {
    const Picture& pic = layout_.document().Pictures()[std::size_t(picture)];
    const int x0 = PxX(v, x), y0 = PxY(v, top);
    const int w = std::max(1, pic.width / v.tpp), h = std::max(1, pic.height / v.tpp);
    const Image& img = Decoded(picture, w, h);
    if (img.empty()) {
        Frame(v.target, x0, y0, w, h, kPlaceholder);
    } else {
        const int ty0 = std::max(0, -y0), ty1 = std::min(h, v.target.height() - y0);
        const int tx0 = std::max(0, -x0), tx1 = std::min(w, v.target.width() - x0);
        for (int ty = ty0; ty < ty1; ++ty) {
            const int sy = int(std::int64_t(ty) * img.height() / h);
            for (int tx = tx0; tx < tx1; ++tx) {
                const Rgba c = img.pixel(int(std::int64_t(tx) * img.width() / w), sy);
                if (platform::AlphaOf(c) >= 128)
                    v.target.setPixel(x0 + tx, y0 + ty, c | 0xFF000000u);
            }
        }
    }
    if (selected) Frame(v.target, x0, y0, w, h, v.options.selectionPaper);
}

void Painter::PaintBorders(const View& v, const LayoutBlock& block) {
    const Document& doc = layout_.document();
    const TableRow& row = doc.Rows()[std::size_t(block.row)];
    std::size_t cells = row.rightEdges.size();
    for (std::uint32_t p = block.firstParagraph; p < block.endParagraph; ++p)
        cells = std::max<std::size_t>(cells, doc.Paragraphs()[p].cell + 1u);
    const int y0 = PxY(v, block.top), y1 = PxY(v, block.top + block.height);
    for (std::size_t c = 0; c < cells; ++c) {
        const int x0 = PxX(v, Layout::CellLeft(row, c)), x1 = PxX(v, Layout::CellRight(row, c));
        Frame(v.target, x0, y0, x1 - x0 + 1, y1 - y0 + 1, v.options.ink);
    }
}

}  // namespace quindel::richtext
