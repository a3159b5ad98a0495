// Where characters go along a line: advances, tab stops of every kind, and line breaks.
#include <algorithm>

#include "richtext/Layout.h"

namespace quindel::richtext {

namespace {

// The width of the text after a tab, up to the next tab or line break or end (blanks at its
// end left out), and the width before its first decimal separator (all of it when none).
struct Segment {
    std::int32_t width = 0;
    std::int32_t beforeSeparator = -1;
};

}  // namespace

Layout::TabRoom Layout::RoomOf(const LayoutLine& line) const {
    const Paragraph& para = doc_.Paragraphs()[line.paragraph];
    const ParaFormat& f = doc_.Para(para.format);
    const bool first = line.start == para.textStart;
    return {f, std::max(line.indent + 1, line.width - f.right), first && f.first < 0 ? f.left : -1};
}

Layout::Stop Layout::NextStop(std::int32_t x, const TabRoom& room) const {
    const ParaFormat& f = room.f;
    Stop stop;
    bool found = false;
    for (std::int32_t i = 0; i < f.tabCount && !found; ++i) {
        const TabKind kind = f.tabKinds[std::size_t(i)];
        if (kind.align == TabAlign::Bar || f.tabs[std::size_t(i)] <= x) continue;
        stop = {f.tabs[std::size_t(i)], kind};
        found = true;
    }
    if (room.hanging > x && (!found || room.hanging < stop.at)) return {room.hanging, {}};
    if (found) return stop;
    // Default stops lie past the last explicit one, as x does here.
    const std::int32_t step = std::max(1, doc_.Settings().defaultTab);
    return {(x / step + 1) * step, {}};
}

std::int32_t Layout::Advance(const Measured& m, std::size_t k, std::size_t end, std::int32_t x,
                             const TabRoom& room) const {
    if (m.kind[k] != Kind::Tab) return m.advance[k];
    const Stop stop = NextStop(x, room);
    if (stop.kind.align == TabAlign::Left)
        return stop.at <= room.right ? stop.at - x : std::max(0, room.right - x);
    Segment seg;
    std::int32_t run = 0;
    for (std::size_t i = k + 1; i < end && m.kind[i] != Kind::Tab && m.kind[i] != Kind::Break;
         ++i) {
        if (m.kind[i] == Kind::Decimal && seg.beforeSeparator < 0) seg.beforeSeparator = run;
        run += m.advance[i];
        if (m.kind[i] != Kind::Space) seg.width = run;
    }
    const std::int32_t at = std::min(stop.at, room.right);
    std::int32_t start = at - seg.width;
    if (stop.kind.align == TabAlign::Centre) start = at - seg.width / 2;
    if (stop.kind.align == TabAlign::Decimal && seg.beforeSeparator >= 0)
        start = at - seg.beforeSeparator;
    // Text that fits on the line is kept within its right edge.
    return std::max(0, std::min(start, room.right - seg.width) - x);
}

std::int32_t Layout::Walk(const Measured& m, std::size_t from, std::size_t to, std::int32_t x,
                          const TabRoom& room, std::vector<std::int32_t>* xs) const {
    for (std::size_t k = from; k < to; ++k) {
        if (xs) xs->push_back(x);
        x += Advance(m, k, to, x, room);
    }
    if (xs) xs->push_back(x);
    return x;
}

// A line may end after a blank, a hyphen or a tab; blanks hang past the right edge, and a word
// longer than a whole line is cut where it reaches the edge.
std::size_t Layout::BreakLine(const Measured& m, std::size_t from, std::int32_t indent,
                              const TabRoom& room) const {
    std::int32_t x = indent;
    std::size_t lastBreak = 0;
    const std::size_t n = m.advance.size();
    for (std::size_t k = from; k < n; ++k) {
        if (m.kind[k] == Kind::Break) return k + 1;
        const std::int32_t w = Advance(m, k, n, x, room);
        if (k > from && m.kind[k] != Kind::Space && x + w > room.right)
            return lastBreak > from ? lastBreak : k;
        x += w;
        if (m.kind[k] == Kind::Space || m.kind[k] == Kind::Hyphen || m.kind[k] == Kind::Tab)
            lastBreak = k + 1;
    }
    return n;
}

}  // namespace quindel::richtext
