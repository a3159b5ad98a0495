#include "richtext/Document.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "richtext/Utf8.h"

namespace quindel::richtext {

namespace {

constexpr std::string_view kObjectUtf8 = "\xEF\xBF\xBC";

std::string_view MarkText(ParaEnd e) {
    switch (e) {
        case ParaEnd::Paragraph:
        case ParaEnd::Row:
            return "\r\n";
        case ParaEnd::Cell:
            return "\t";
        default:
            return "";
    }
}

template <class T>
void Mix(std::size_t& h, T v) {
    h ^= std::hash<T>{}(v) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
}

}  // namespace

std::size_t Document::CharHash::operator()(const CharFormat& f) const {
    std::size_t h = 0;
    Mix(h, f.font);
    Mix(h, f.halfPoints);
    Mix(h, f.colour);
    Mix(h, f.highlight);
    Mix(h, (f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0) | (f.strike ? 8 : 0) |
               (int(f.script) << 4) | (int(f.underlineStyle) << 6) |
               (f.doubleStrike ? 1 << 11 : 0));
    return h;
}

std::size_t Document::ParaHash::operator()(const ParaFormat& f) const {
    std::size_t h = 0;
    for (std::int32_t v :
         {std::int32_t(f.align), std::int32_t(f.pageBreakBefore), std::int32_t(f.lineMultiple),
          f.left, f.right, f.first, f.before, f.after, f.lineSpacing, f.tabCount})
        Mix(h, v);
    for (std::int32_t i = 0; i < f.tabCount; ++i) {
        const TabKind k = f.tabKinds[std::size_t(i)];
        Mix(h, f.tabs[std::size_t(i)]);
        Mix(h, int(k.align) << 8 | int(k.leader));
    }
    return h;
}

Document::Document() {
    InternChar(CharFormat{});
    InternPara(ParaFormat{});
    paragraphs_.emplace_back();
}

std::uint32_t Document::RunEnd(std::uint32_t p) const {
    return p + 1 < paragraphs_.size() ? paragraphs_[p + 1].firstRun : std::uint32_t(runs_.size());
}

std::string_view Document::ParagraphText(std::uint32_t p) const {
    const Paragraph& para = paragraphs_[p];
    return std::string_view(text_).substr(para.textStart, para.textEnd - para.textStart);
}

std::uint32_t Document::RunTextEnd(std::uint32_t r) const {
    return r + 1 < runs_.size() ? runs_[r + 1].start : std::uint32_t(text_.size());
}

std::uint32_t Document::RunFrom(std::uint32_t p, std::uint32_t byte) const {
    const auto first = runs_.begin() + paragraphs_[p].firstRun;
    const auto last = runs_.begin() + RunEnd(p);
    auto it = std::upper_bound(first, last, byte,
                               [](std::uint32_t b, const Run& r) { return b < r.start; });
    if (it != first && RunTextEnd(std::uint32_t(it - runs_.begin() - 1)) > byte) --it;
    return std::uint32_t(it - runs_.begin());
}

platform::Rgba Document::Colour(std::int32_t i, platform::Rgba fallback) const {
    if (i < 0 || std::size_t(i) >= colours_.size()) return fallback;
    const platform::Rgba c = colours_[std::size_t(i)];
    return platform::AlphaOf(c) == 0 ? fallback : c;
}

const FontEntry* Document::FontOf(const CharFormat& f) const {
    if (f.font >= 0) {
        if (const FontEntry* e = fonts_.Find(f.font)) return e;
    }
    return fonts_.Find(settings_.defaultFont);
}

std::uint32_t Document::InternChar(const CharFormat& f) {
    auto [it, added] = charIndex_.try_emplace(f, std::uint32_t(charFormats_.size()));
    if (added) charFormats_.push_back(f);
    return it->second;
}

std::uint32_t Document::InternPara(const ParaFormat& f) {
    auto [it, added] = paraIndex_.try_emplace(f, std::uint32_t(paraFormats_.size()));
    if (added) paraFormats_.push_back(f);
    return it->second;
}

void Document::StartRun(std::uint32_t format, std::int32_t picture) {
    runs_.push_back({std::uint32_t(text_.size()), format, picture});
}

void Document::AppendText(std::string_view utf8, std::uint32_t charFormat) {
    if (utf8.empty()) return;
    Paragraph& o = Open();
    if (o.firstRun == runs_.size() || runs_.back().format != charFormat ||
        runs_.back().picture >= 0)
        StartRun(charFormat, -1);
    text_.append(utf8);
    o.textEnd = std::uint32_t(text_.size());
    o.length += CountCodePoints(utf8);
}

void Document::AppendPicture(Picture p, std::uint32_t charFormat) {
    StartRun(charFormat, std::int32_t(pictures_.size()));
    pictures_.push_back(std::move(p));
    text_.append(kObjectUtf8);
    Open().textEnd = std::uint32_t(text_.size());
    Open().length += 1;
}

void Document::EndParagraph(std::uint32_t paraFormat, std::uint32_t markFormat, ParaEnd end,
                            std::int32_t row, std::uint16_t cell) {
    SetLastParagraph(paraFormat, markFormat, row, cell);
    Paragraph& o = Open();
    o.end = end;
    Paragraph next;
    next.textStart = next.textEnd = std::uint32_t(text_.size());
    next.firstRun = std::uint32_t(runs_.size());
    next.position = o.position + o.length + std::uint32_t(MarkText(end).size());
    paragraphs_.push_back(next);
}

void Document::SetLastParagraph(std::uint32_t paraFormat, std::uint32_t markFormat,
                                std::int32_t row, std::uint16_t cell) {
    Paragraph& o = Open();
    o.format = paraFormat;
    o.markFormat = markFormat;
    o.row = row;
    o.cell = cell;
}

std::int32_t Document::AddRow(TableRow row) {
    rows_.push_back(std::move(row));
    return std::int32_t(rows_.size() - 1);
}

void Document::EndRow() {
    if (paragraphs_.size() < 2) return;
    Paragraph& last = paragraphs_[paragraphs_.size() - 2];
    if (last.end != ParaEnd::Cell) return;
    last.end = ParaEnd::Row;
    Open().position = last.position + last.length + std::uint32_t(MarkText(ParaEnd::Row).size());
}

std::int32_t Document::Length() const {
    const Paragraph& last = paragraphs_.back();
    return std::int32_t(last.position + last.length);
}

Document::Place Document::Locate(std::int32_t pos) const {
    pos = std::clamp(pos, 0, Length());
    auto it = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), std::uint32_t(pos),
                               [](std::uint32_t v, const Paragraph& p) { return v < p.position; });
    const auto index = std::uint32_t(std::prev(it) - paragraphs_.begin());
    const Paragraph& p = paragraphs_[index];
    const std::uint32_t offset = std::uint32_t(pos) - p.position;
    if (offset >= p.length) return {index, p.textEnd};
    return {index, p.textStart + std::uint32_t(ByteOfCodePoint(ParagraphText(index), offset))};
}

std::int32_t Document::PositionOf(std::uint32_t paragraph, std::uint32_t byte) const {
    const Paragraph& p = paragraphs_[std::min<std::size_t>(paragraph, paragraphs_.size() - 1)];
    byte = std::clamp(byte, p.textStart, p.textEnd);
    return std::int32_t(p.position + CountCodePoints(std::string_view(text_).substr(
                                         p.textStart, byte - p.textStart)));
}

std::string Document::PlainText(std::int32_t start, std::int32_t length) const {
    const std::int32_t total = Length();
    start = std::clamp(start, 0, total);
    const std::int32_t end = start + std::clamp(length, 0, total - start);
    std::string out;
    for (std::uint32_t i = Locate(start).paragraph;
         i < paragraphs_.size() && std::int32_t(paragraphs_[i].position) < end; ++i) {
        const Paragraph& p = paragraphs_[i];
        const std::uint32_t a =
            std::uint32_t(std::max<std::int32_t>(start, p.position)) - p.position;
        const std::uint32_t b = std::uint32_t(end) - p.position;
        const std::string_view text = ParagraphText(i);
        if (a < p.length) {
            const std::size_t from = ByteOfCodePoint(text, a);
            out.append(text.substr(from, ByteOfCodePoint(text, std::min(b, p.length)) - from));
        }
        const std::string_view mark = MarkText(p.end);
        const std::uint32_t m0 = std::max(a, p.length) - p.length;
        const std::uint32_t m1 = std::min<std::uint32_t>(b - std::min(b, p.length), mark.size());
        if (m1 > m0) out.append(mark.substr(m0, m1 - m0));
    }
    return out;
}

void Document::CopyParagraphPart(const Document& from, std::uint32_t p, std::uint32_t b0,
                                 std::uint32_t b1, const std::vector<std::uint32_t>& formatMap) {
    for (std::uint32_t r = from.paragraphs_[p].firstRun; r < from.RunEnd(p); ++r) {
        const Run& run = from.runs_[r];
        const std::uint32_t s = std::max(run.start, b0), e = std::min(from.RunTextEnd(r), b1);
        if (s >= e) continue;
        if (run.picture >= 0)
            AppendPicture(from.pictures_[std::size_t(run.picture)], formatMap[run.format]);
        else
            AppendText(std::string_view(from.text_).substr(s, e - s), formatMap[run.format]);
    }
}

Document Document::Slice(std::int32_t start, std::int32_t length) const {
    Document out;
    out.fonts_ = fonts_;
    out.colours_ = colours_;
    out.settings_ = settings_;
    std::vector<std::uint32_t> formats(charFormats_.size());
    for (std::uint32_t i = 0; i < formats.size(); ++i) formats[i] = out.InternChar(charFormats_[i]);
    const std::int32_t total = Length();
    start = std::clamp(start, 0, total);
    const std::int32_t end = start + std::clamp(length, 0, total - start);
    // Rows cut at the front lose their first cells: the row starts at the first cell kept.
    std::vector<std::pair<std::int32_t, std::int32_t>> rowMap(rows_.size(), {-1, 0});
    for (std::uint32_t i = Locate(start).paragraph; i < paragraphs_.size(); ++i) {
        const Paragraph& p = paragraphs_[i];
        const std::uint32_t a =
            std::uint32_t(std::max<std::int32_t>(start, p.position)) - p.position;
        const std::uint32_t b = std::uint32_t(end) - p.position;
        const std::string_view text = ParagraphText(i);
        const auto byteAt = [&](std::uint32_t cp) {
            return p.textStart + std::uint32_t(ByteOfCodePoint(text, std::min(cp, p.length)));
        };
        out.CopyParagraphPart(*this, i, byteAt(a), byteAt(b), formats);
        const std::uint32_t pf = out.InternPara(paraFormats_[p.format]);
        const bool markKept = b > p.length && p.end != ParaEnd::Document;
        std::int32_t row = -1;
        std::uint16_t cell = 0;
        if (p.row >= 0) {
            auto& [mapped, base] = rowMap[std::size_t(p.row)];
            if (mapped < 0) {
                TableRow r = rows_[std::size_t(p.row)];
                base = std::min<std::int32_t>(p.cell, std::int32_t(r.rightEdges.size()));
                if (base > 0) r.left = r.rightEdges[std::size_t(base - 1)];
                r.rightEdges.erase(r.rightEdges.begin(), r.rightEdges.begin() + base);
                mapped = out.AddRow(std::move(r));
            }
            row = mapped;
            cell = std::uint16_t(std::max(0, p.cell - base));
        }
        if (!markKept) {
            // A row cut short keeps its last cell; written out, the row is completed.
            out.SetLastParagraph(pf, formats[p.markFormat], row, cell);
            break;
        }
        out.EndParagraph(pf, formats[p.markFormat], p.end, row, cell);
        if (std::int32_t(p.position + p.length) + std::int32_t(MarkText(p.end).size()) >= end)
            break;
    }
    return out;
}

void Document::Append(const Document& other) {
    if (!settings_.page.Given()) settings_.page = other.settings_.page;
    std::vector<std::int32_t> fontMap;  // pairs of (their number, ours), flattened
    std::int32_t next = 0;
    for (const FontEntry& e : fonts_.Entries()) next = std::max(next, e.number + 1);
    for (FontEntry e : other.fonts_.Entries()) {
        const auto& mine = fonts_.Entries();
        auto same = std::find_if(mine.begin(), mine.end(), [&](const FontEntry& m) {
            return m.face == e.face && m.charset == e.charset && m.family == e.family;
        });
        fontMap.push_back(e.number);
        if (same != mine.end()) {
            fontMap.push_back(same->number);
            continue;
        }
        e.number = next++;
        fontMap.push_back(e.number);
        fonts_.Put(e);
    }
    const auto mapFont = [&](std::int32_t n) {
        // A number their table lacks meant their default font.
        if (n < 0 || !other.fonts_.Find(n)) n = other.settings_.defaultFont;
        for (std::size_t i = 0; i + 1 < fontMap.size(); i += 2)
            if (fontMap[i] == n) return fontMap[i + 1];
        return std::int32_t(-1);
    };
    const auto mapColour = [&](std::int32_t i) -> std::int32_t {
        if (i < 0 || std::size_t(i) >= other.colours_.size()) return i < 0 ? -1 : 0;
        const platform::Rgba c = other.colours_[std::size_t(i)];
        auto it = std::find(colours_.begin(), colours_.end(), c);
        if (it != colours_.end()) return std::int32_t(it - colours_.begin());
        colours_.push_back(c);
        return std::int32_t(colours_.size() - 1);
    };
    std::vector<std::uint32_t> formats;
    for (CharFormat f : other.charFormats_) {
        f.font = mapFont(f.font);
        f.colour = std::int16_t(mapColour(f.colour));
        f.highlight = f.highlight ? std::int16_t(mapColour(f.highlight)) : std::int16_t(0);
        formats.push_back(InternChar(f));
    }
    const auto rowBase = std::int32_t(rows_.size());
    rows_.insert(rows_.end(), other.rows_.begin(), other.rows_.end());
    for (std::uint32_t i = 0; i < other.paragraphs_.size(); ++i) {
        const Paragraph& p = other.paragraphs_[i];
        CopyParagraphPart(other, i, p.textStart, p.textEnd, formats);
        const std::uint32_t pf = InternPara(other.paraFormats_[p.format]);
        const std::int32_t row = p.row >= 0 ? p.row + rowBase : -1;
        if (i + 1 == other.paragraphs_.size())
            SetLastParagraph(pf, formats[p.markFormat], row, p.cell);
        else
            EndParagraph(pf, formats[p.markFormat], p.end, row, p.cell);
    }
}

std::size_t Document::MemoryBytes() const {
    std::size_t n =
        sizeof(*this) + text_.capacity() + paragraphs_.capacity() * sizeof(Paragraph) +
        runs_.capacity() * sizeof(Run) + rows_.capacity() * sizeof(TableRow) +
        pictures_.capacity() * sizeof(Picture) + charFormats_.capacity() * sizeof(CharFormat) +
        paraFormats_.capacity() * sizeof(ParaFormat) + colours_.capacity() * sizeof(platform::Rgba);
    // A hash node holds its value, a link and the cached hash; the buckets a pointer each.
    n += charIndex_.size() * (sizeof(CharFormat) + 24) + charIndex_.bucket_count() * 8;
    n += paraIndex_.size() * (sizeof(ParaFormat) + 24) + paraIndex_.bucket_count() * 8;
    for (const TableRow& r : rows_) n += r.rightEdges.capacity() * sizeof(std::int32_t);
    for (const Picture& p : pictures_) n += p.data.capacity();
    for (const FontEntry& f : fonts_.Entries()) n += sizeof(FontEntry) + f.face.capacity();
    return n;
}

}  // namespace quindel::richtext
