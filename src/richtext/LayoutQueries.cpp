// Questions asked of a layout: where characters are, what is under a point, where pages end.
#include <algorithm>
#include <limits>

#include "richtext/Layout.h"

namespace quindel::richtext {

ByteRange ByteRange::InParagraph(std::uint64_t from, std::uint64_t to, std::uint32_t paragraph) {
    const auto part = [&](std::uint64_t key) -> std::uint32_t {
        const std::uint64_t p = key >> 32;
        return p < paragraph ? 0 : p > paragraph ? UINT32_MAX : std::uint32_t(key);
    };
    return {part(from), part(to)};
}

void Layout::Geometry(const LayoutLine& line, LineGeometry& out) const {
    out.x.clear();
    const ParaFormat& f = doc_.Para(doc_.Paragraphs()[line.paragraph].format);
    Measured& m = scratch_;
    Measure(line.paragraph, line.start, line.end, m);
    std::size_t visible = m.kind.size();
    while (visible > 0 &&
           (m.kind[visible - 1] == Kind::Space || m.kind[visible - 1] == Kind::Break))
        --visible;
    // Tabs align the text up to the line's last visible character, as when it was broken.
    const TabRoom room = RoomOf(line);
    Walk(m, 0, visible, line.indent, room, &out.x);
    for (std::size_t k = visible; k < m.advance.size(); ++k)  // the blanks hanging at its end
        out.x.push_back(out.x.back() + m.advance[k]);
    out.bytes = m.bytes;
    const std::int32_t free = std::max(0, line.width - std::max(f.right, 0) - line.natural);
    std::int32_t offset = 0;
    if (f.align == Align::Centre) offset = free / 2;
    if (f.align == Align::Right) offset = free;
    // Justified lines share the free room among the blanks between their words, after the
    // line's last tab (the text before a tab stays where the tab put it).
    std::int32_t spaces = 0;
    std::size_t firstStretched = 0;
    for (std::size_t k = 0; k < visible; ++k)
        if (m.kind[k] == Kind::Tab) firstStretched = k + 1;
    if (f.align == Align::Justify && !line.last)
        for (std::size_t k = firstStretched; k < visible; ++k)
            spaces += m.kind[k] == Kind::Space ? 1 : 0;
    std::int32_t extra = 0, seen = 0;
    for (std::size_t k = 0; k < out.x.size(); ++k) {
        out.x[k] += line.x + offset + extra;
        if (k >= firstStretched && k < visible && spaces > 0 && m.kind[k] == Kind::Space) {
            ++seen;
            extra = std::int32_t(std::int64_t(free) * seen / spaces);
        }
    }
}

std::int32_t Layout::NearestIn(const LayoutLine& line, std::int32_t x) const {
    LineGeometry g;
    Geometry(line, g);
    std::size_t last = g.x.size() - 1;
    // A line ended by a line break cannot put the caret after it.
    if (last > 0 && g.bytes[last] > g.bytes[last - 1] &&
        doc_.Text()[g.bytes[last - 1]] == char(Document::kLineBreak))
        --last;
    std::size_t k = 0;
    while (k < last && x >= (g.x[k] + g.x[k + 1]) / 2) ++k;
    return doc_.PositionOf(line.paragraph, g.bytes[k]);
}

std::int32_t Layout::HitTest(std::int32_t x, std::int64_t y) {
    LayOutUntil(y);
    if (laidOut_ == 0) return 0;
    auto it = std::upper_bound(blocks_.begin(), blocks_.begin() + std::ptrdiff_t(laidOut_), y,
                               [](std::int64_t v, const LayoutBlock& b) { return v < b.top; });
    const LayoutBlock& b = it == blocks_.begin() ? blocks_.front() : *std::prev(it);
    const LayoutLine* best = nullptr;
    std::int64_t bestDy = 0, bestDx = 0;
    for (std::uint32_t i = b.firstLine; i < b.endLine; ++i) {
        const LayoutLine& l = lines_[i];
        const std::int64_t top = b.top + l.y;
        const std::int64_t dy =
            y < top ? top - y : std::max<std::int64_t>(0, y - (top + l.height) + 1);
        const std::int64_t dx =
            x < l.x ? l.x - x : std::max<std::int64_t>(0, x - (std::int64_t(l.x) + l.width) + 1);
        if (!best || dy < bestDy || (dy == bestDy && dx < bestDx)) {
            best = &l;
            bestDy = dy;
            bestDx = dx;
        }
    }
    if (!best)
        return doc_.PositionOf(b.firstParagraph, doc_.Paragraphs()[b.firstParagraph].textStart);
    return NearestIn(*best, x);
}

CaretRect Layout::Caret(std::int32_t pos) {
    const Document::Place place = doc_.Locate(pos);
    const LayoutBlock& b = blocks_[LayOutParagraph(place.paragraph)];
    const LayoutLine* found = nullptr;
    for (std::uint32_t i = b.firstLine; i < b.endLine && !found; ++i) {
        const LayoutLine& l = lines_[i];
        if (l.paragraph != place.paragraph) continue;
        if ((place.byte >= l.start && place.byte < l.end) || (l.last && place.byte == l.end))
            found = &l;
    }
    if (!found) return {0, b.top, 0};
    LineGeometry g;
    Geometry(*found, g);
    const auto k =
        std::size_t(std::lower_bound(g.bytes.begin(), g.bytes.end(), place.byte) - g.bytes.begin());
    return {g.x[std::min(k, g.x.size() - 1)], b.top + found->y, found->height};
}

std::int64_t Layout::PageEnd(std::int64_t top, std::int64_t height) {
    const std::int64_t limit = top + std::max<std::int64_t>(height, 1);
    LayOutUntil(limit);
    std::int64_t end = top;
    for (std::size_t i = 0; i < laidOut_; ++i) {
        const LayoutBlock& b = blocks_[i];
        if (b.top + b.height <= top) continue;
        if (b.top >= limit) break;
        const bool breakBefore =
            doc_.Para(doc_.Paragraphs()[b.firstParagraph].format).pageBreakBefore;
        if (breakBefore && b.top > top) return std::max(end, b.top);
        if (b.row >= 0 && b.top >= top && b.top + b.height <= limit) {
            end = b.top + b.height;
            continue;
        }
        for (std::uint32_t l = b.firstLine; l < b.endLine; ++l) {
            const std::int64_t lineTop = b.top + lines_[l].y;
            const std::int64_t lineBottom = lineTop + lines_[l].height;
            if (lineBottom <= top || (b.row >= 0 && lineTop < top)) continue;
            if (lineBottom > limit) return end > top ? end : lineBottom;
            end = std::max(end, lineBottom);
        }
        end = std::max(end, std::min(b.top + b.height, limit));
    }
    return end;
}

}  // namespace quindel::richtext
