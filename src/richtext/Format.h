#pragma once
// Character and paragraph formats of the document model. Both are small values compared
// field by field: the document keeps each distinct format once and runs and paragraphs refer
// to it by index, so a long document costs a few bytes per run, not a format per character.
#include <array>
#include <cstdint>

namespace quindel::richtext {

enum class Script : std::uint8_t { Normal, Super, Sub };

// How an underlined run is underlined. Words leaves the blanks and tabs between words bare.
enum class UnderlineStyle : std::uint8_t {
    Single,
    Words,
    Double,
    Dotted,
    Dashed,
    DashDot,
    DashDotDot,
    LongDash,
    Thick,
    ThickDotted,
    ThickDashed,
    ThickDashDot,
    ThickDashDotDot,
    ThickLongDash,
    Wave,
    HeavyWave,
    DoubleWave,
};

struct CharFormat {
    std::int32_t font = -1;  // the font table's number (\fN); -1: the document's default font
    std::int16_t halfPoints = 24;
    std::int16_t colour = -1;    // colour table index (\cfN); -1 is the automatic colour
    std::int16_t highlight = 0;  // colour table index of the background; 0 is none
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool doubleStrike = false;  // with strike: two lines (\striked1); false while strike is not
    Script script = Script::Normal;
    // Meaningful only when underline is set; kept Single while it is not, so that formats
    // differing only in a style nobody sees stay one format.
    UnderlineStyle underlineStyle = UnderlineStyle::Single;
    bool operator==(const CharFormat&) const = default;
};

enum class Align : std::uint8_t { Left, Centre, Right, Justify };

// Where a tab stop puts the text after it: starting there, centred on it, ending there, or with
// its decimal separator there. A bar stop moves no text: it draws a vertical rule.
enum class TabAlign : std::uint8_t { Left, Centre, Right, Decimal, Bar };
// What fills the room a tab takes.
enum class TabLeader : std::uint8_t {
    None,
    Dots,
    Hyphens,
    Underline,
    ThickLine,
    Equals,
    MiddleDots
};

struct TabKind {
    TabAlign align = TabAlign::Left;
    TabLeader leader = TabLeader::None;
    bool operator==(const TabKind&) const = default;
};

struct ParaFormat {
    static constexpr int kMaxTabs = 24;

    Align align = Align::Left;
    bool pageBreakBefore = false;
    bool lineMultiple = false;  // lineSpacing is in 240ths of a single line
    std::int32_t left = 0;      // indents, twips
    std::int32_t right = 0;
    std::int32_t first = 0;   // first line, relative to left
    std::int32_t before = 0;  // space before and after, twips
    std::int32_t after = 0;
    std::int32_t lineSpacing = 0;  // > 0 at least, < 0 exactly, 0 single
    std::int32_t tabCount = 0;
    // Explicit stops, twips from the left edge of the text's box (the margin, or a cell's
    // left), ascending; tabKinds[i] is the kind of tabs[i].
    std::array<std::int32_t, kMaxTabs> tabs{};
    std::array<TabKind, kMaxTabs> tabKinds{};
    bool operator==(const ParaFormat&) const = default;

    // Adds a stop in order; a stop already present or past kMaxTabs is dropped.
    void AddTab(std::int32_t at, TabKind kind = {});
};

}  // namespace quindel::richtext
