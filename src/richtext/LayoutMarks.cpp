// The marks of a line: underlines and strike-through across runs, tab leaders and bar rules.
#include <algorithm>
#include <span>

#include "richtext/Layout.h"

namespace quindel::richtext {

namespace {

bool IsThick(UnderlineStyle s) {
    return s >= UnderlineStyle::Thick && s <= UnderlineStyle::ThickLongDash;
}

// A style's dash pattern: on and off lengths in dots, in turn; empty for a solid line.
std::span<const std::int32_t> DashesOf(UnderlineStyle s) {
    static constexpr std::int32_t kDotted[] = {1, 1}, kDashed[] = {4, 2}, kDashDot[] = {4, 2, 1, 2},
                                  kDashDotDot[] = {4, 2, 1, 2, 1, 2}, kLongDash[] = {8, 3};
    switch (s) {
        case UnderlineStyle::Dotted:
        case UnderlineStyle::ThickDotted:
            return kDotted;
        case UnderlineStyle::Dashed:
        case UnderlineStyle::ThickDashed:
            return kDashed;
        case UnderlineStyle::DashDot:
        case UnderlineStyle::ThickDashDot:
            return kDashDot;
        case UnderlineStyle::DashDotDot:
        case UnderlineStyle::ThickDashDotDot:
            return kDashDotDot;
        case UnderlineStyle::LongDash:
        case UnderlineStyle::ThickLongDash:
            return kLongDash;
        default:
            return {};
    }
}

std::string_view LeaderText(TabLeader l) {
    switch (l) {
        case TabLeader::Dots:
            return ".";
        case TabLeader::Hyphens:
            return "-";
        case TabLeader::Equals:
            return "=";
        case TabLeader::MiddleDots:
            return "\u00B7";
        default:
            return {};
    }
}

std::int32_t FloorTo(std::int32_t v, std::int32_t step) {
    return v >= 0 ? v / step * step : -((-v + step - 1) / step) * step;
}

}  // namespace

class Layout::MarkBuilder {
  public:
    MarkBuilder(const Layout& layout, const LayoutLine& line, const LineGeometry& g,
                ByteRange selected, std::int32_t unit, std::vector<LineMark>& out)
        : layout_(layout),
          doc_(layout.doc_),
          line_(line),
          g_(g),
          selected_(selected),
          unit_(std::max(1, unit)),
          out_(out) {}

    void Build();

  private:
    // Line-relative places of the rules of a run of format f.
    struct Rules {
        std::int32_t thickness, underline, strike;
    };
    Rules RulesOf(std::uint32_t format) const;
    bool Blank(std::size_t k) const;
    void RunMarks(std::uint32_t run, std::size_t k0, std::size_t k1);
    // Calls span(x0, x1, selected) for the stretches of [k0, k1) that take a line, split where
    // the selection starts or ends; skipping blanks for words-only underline.
    template <class Span>
    void Stretches(std::size_t k0, std::size_t k1, bool skipBlanks, Span span) const;
    void Underline(UnderlineStyle style, std::int32_t x0, std::int32_t x1, const Rules& r,
                   std::uint32_t format, bool selected);
    // A pattern of steps, each dot long.
    void Dashed(std::span<const std::int32_t> steps, std::int32_t dot, std::int32_t x0,
                std::int32_t x1, std::int32_t y, std::int32_t h, std::uint32_t format,
                bool selected);
    void Wave(std::int32_t x0, std::int32_t x1, std::int32_t y, std::int32_t h,
              std::uint32_t format, bool selected);
    void Leader(std::size_t k, std::uint32_t format);
    void Bars();
    void Fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t format,
              bool selected);

    const Layout& layout_;
    const Document& doc_;
    const LayoutLine& line_;
    const LineGeometry& g_;
    ByteRange selected_;
    std::int32_t unit_;
    std::vector<LineMark>& out_;
    std::size_t visible_ = 0;  // characters before the blanks hanging at the line's end
};

void Layout::Marks(const LayoutLine& line, const LineGeometry& g, ByteRange selected,
                   std::int32_t unit, std::vector<LineMark>& out) const {
    out.clear();
    MarkBuilder(*this, line, g, selected, unit, out).Build();
}

bool Layout::MarkBuilder::Blank(std::size_t k) const {
    const char c = doc_.Text()[g_.bytes[k]];
    return c == ' ' || c == '\t' || c == char(Document::kLineBreak);
}

void Layout::MarkBuilder::Build() {
    const std::size_t n = g_.x.empty() ? 0 : g_.x.size() - 1;
    visible_ = n;
    while (visible_ > 0 && doc_.Text()[g_.bytes[visible_ - 1]] != '\t' && Blank(visible_ - 1))
        --visible_;
    const std::uint32_t p = line_.paragraph;
    for (std::uint32_t r = doc_.RunFrom(p, line_.start); r < doc_.RunEnd(p); ++r) {
        const Run& run = doc_.Runs()[r];
        if (run.start >= line_.end) break;
        if (run.picture >= 0) continue;
        const auto at = [&](std::uint32_t byte) {
            return std::size_t(std::lower_bound(g_.bytes.begin(), g_.bytes.begin() + n, byte) -
                               g_.bytes.begin());
        };
        const std::size_t k0 = at(std::max(run.start, line_.start));
        const std::size_t k1 = at(std::min(doc_.RunTextEnd(r), line_.end));
        RunMarks(r, k0, k1);
    }
    Bars();
}

Layout::MarkBuilder::Rules Layout::MarkBuilder::RulesOf(std::uint32_t format) const {
    const CharFormat& f = doc_.Char(format);
    const std::int32_t em = std::int32_t(f.halfPoints) * 10;
    const std::int32_t drawn = layout_.FontFor(format).sizeTwips;
    const std::int32_t thickness = std::max(unit_, em / 20);
    // Under the baseline by a tenth of the em; through the middle of small letters.
    const std::int32_t underline = line_.ascent + std::max(unit_, em / 10);
    const std::int32_t shift = layout_.MetricsFor(format).shift;
    const std::int32_t strike = line_.ascent - shift - drawn * 3 / 10 - thickness / 2;
    return {thickness, underline, strike};
}

template <class Span>
void Layout::MarkBuilder::Stretches(std::size_t k0, std::size_t k1, bool skipBlanks,
                                    Span span) const {
    k1 = std::min(k1, visible_);
    for (std::size_t k = k0; k < k1;) {
        if (skipBlanks && Blank(k)) {
            ++k;
            continue;
        }
        const bool sel = selected_.Has(g_.bytes[k]);
        std::size_t j = k + 1;
        while (j < k1 && selected_.Has(g_.bytes[j]) == sel && !(skipBlanks && Blank(j))) ++j;
        if (g_.x[j] > g_.x[k]) span(g_.x[k], g_.x[j], sel);
        k = j;
    }
}

void Layout::MarkBuilder::RunMarks(std::uint32_t r, std::size_t k0, std::size_t k1) {
    const std::uint32_t format = doc_.Runs()[r].format;
    const CharFormat& f = doc_.Char(format);
    for (std::size_t k = k0; k < k1; ++k)
        if (doc_.Text()[g_.bytes[k]] == '\t') Leader(k, format);
    if (!f.underline && !f.strike) return;
    const Rules rules = RulesOf(format);
    if (f.underline)
        Stretches(k0, k1, f.underlineStyle == UnderlineStyle::Words,
                  [&](std::int32_t x0, std::int32_t x1, bool sel) {
                      Underline(f.underlineStyle, x0, x1, rules, format, sel);
                  });
    if (f.strike)
        Stretches(k0, k1, false, [&](std::int32_t x0, std::int32_t x1, bool sel) {
            if (!f.doubleStrike) {
                Fill(x0, rules.strike, x1 - x0, rules.thickness, format, sel);
                return;
            }
            // Two lines a thickness apart on either side of the single one's place.
            Fill(x0, rules.strike - rules.thickness, x1 - x0, rules.thickness, format, sel);
            Fill(x0, rules.strike + rules.thickness, x1 - x0, rules.thickness, format, sel);
        });
}

void Layout::MarkBuilder::Underline(UnderlineStyle style, std::int32_t x0, std::int32_t x1,
                                    const Rules& r, std::uint32_t format, bool selected) {
    const std::int32_t t =
        IsThick(style) || style == UnderlineStyle::HeavyWave ? 2 * r.thickness : r.thickness;
    const std::span<const std::int32_t> dashes = DashesOf(style);
    if (!dashes.empty()) {
        Dashed(dashes, std::max(t, unit_), x0, x1, r.underline, t, format, selected);
        return;
    }
    switch (style) {
        case UnderlineStyle::Double:
            Fill(x0, r.underline, x1 - x0, t, format, selected);
            Fill(x0, r.underline + 2 * t, x1 - x0, t, format, selected);
            break;
        case UnderlineStyle::Wave:
        case UnderlineStyle::HeavyWave:
            Wave(x0, x1, r.underline, t, format, selected);
            break;
        case UnderlineStyle::DoubleWave:
            Wave(x0, x1, r.underline, t, format, selected);
            Wave(x0, x1, r.underline + 3 * t, t, format, selected);
            break;
        default:
            Fill(x0, r.underline, x1 - x0, t, format, selected);
            break;
    }
}

void Layout::MarkBuilder::Dashed(std::span<const std::int32_t> steps, std::int32_t dot,
                                 std::int32_t x0, std::int32_t x1, std::int32_t y, std::int32_t h,
                                 std::uint32_t format, bool selected) {
    std::int32_t period = 0;
    for (std::int32_t s : steps) period += s * dot;
    // The pattern is anchored to the box, so neighbouring runs carry it on unbroken.
    for (std::int32_t start = FloorTo(x0, period); start < x1; start += period) {
        std::int32_t x = start;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const std::int32_t a = std::max(x, x0), b = std::min(x + steps[i] * dot, x1);
            if (i % 2 == 0 && b > a) Fill(a, y, b - a, h, format, selected);
            x += steps[i] * dot;
        }
    }
}

void Layout::MarkBuilder::Wave(std::int32_t x0, std::int32_t x1, std::int32_t y, std::int32_t h,
                               std::uint32_t format, bool selected) {
    // A zigzag in steps of one dot: down two thicknesses and back, every eight dots.
    static constexpr std::int32_t kRise[] = {0, 1, 2, 3, 4, 3, 2, 1};
    const std::int32_t step = std::max(unit_, h);
    for (std::int32_t x = FloorTo(x0, step); x < x1; x += step) {
        const std::int32_t a = std::max(x, x0), b = std::min(x + step, x1);
        const std::int32_t phase = FloorTo(x, step) / step % 8;
        Fill(a, y + kRise[(phase + 8) % 8] * h / 2, b - a, h, format, selected);
    }
}

void Layout::MarkBuilder::Leader(std::size_t k, std::uint32_t format) {
    // The stop this tab went to: its place on the line as laid out, before alignment moved it.
    const std::int32_t base = g_.x.front() - line_.indent;
    const Stop stop = layout_.NextStop(g_.x[k] - base, layout_.RoomOf(line_));
    const TabLeader leader = stop.kind.leader;
    const std::int32_t x0 = g_.x[k], x1 = g_.x[k + 1];
    if (leader == TabLeader::None || x1 <= x0) return;
    const bool sel = selected_.Has(g_.bytes[k]);
    if (leader == TabLeader::Underline || leader == TabLeader::ThickLine) {
        const Rules r = RulesOf(format);
        const std::int32_t t = leader == TabLeader::ThickLine ? 2 * r.thickness : r.thickness;
        Fill(x0, r.underline, x1 - x0, t, format, sel);
        return;
    }
    const std::string_view c = LeaderText(leader);
    const platform::FontSpec& font = layout_.TextFontFor(format);
    const std::int32_t advance = layout_.text_.Width(font, c) * layout_.tpp_;
    if (advance <= 0) return;
    // On a grid of the character's advance, so leaders of neighbouring lines line up, with
    // half a character of room at either end.
    const std::int32_t first = FloorTo(x0 + advance / 2 + advance - 1, advance);
    const std::int32_t count = (x1 - advance / 2 - first) / advance;
    if (count <= 0) return;
    LineMark m;
    m.kind = LineMark::Kind::Text;
    m.x = first;
    m.y = line_.ascent - layout_.MetricsFor(format).shift;
    m.format = format;
    m.selected = sel;
    m.text.reserve(std::size_t(count) * c.size());
    for (std::int32_t i = 0; i < count; ++i) m.text.append(c);
    out_.push_back(std::move(m));
}

void Layout::MarkBuilder::Bars() {
    const Paragraph& para = doc_.Paragraphs()[line_.paragraph];
    const ParaFormat& f = doc_.Para(para.format);
    const std::int32_t width = std::max(unit_, 10);
    for (std::int32_t i = 0; i < f.tabCount; ++i) {
        if (f.tabKinds[std::size_t(i)].align != TabAlign::Bar) continue;
        const std::int32_t at = f.tabs[std::size_t(i)];
        if (at > line_.width) continue;
        Fill(line_.x + at, 0, width, line_.height, para.markFormat, false);
    }
}

void Layout::MarkBuilder::Fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                               std::uint32_t format, bool selected) {
    if (w <= 0 || h <= 0) return;
    LineMark m;
    m.x = x;
    m.y = y;
    m.width = w;
    m.height = h;
    m.format = format;
    m.selected = selected;
    out_.push_back(std::move(m));
}

}  // namespace quindel::richtext
