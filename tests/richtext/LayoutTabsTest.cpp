#include <gtest/gtest.h>

#include "platform/headless/HeadlessTextService.h"
#include "richtext/Layout.h"
#include "richtext/RichTextTestSupport.h"

namespace quindel::richtext {
namespace {

// At 9 points the headless font is its own 7 x 14 cells: 105 twips a character.
constexpr std::int32_t kChar = 105;

const headless::HeadlessTextService& Text() {
    static const headless::HeadlessTextService text;
    return text;
}

Document Nine(const std::string& body) {
    return test::Rtf("{\\rtf1\\ansi\\deftab720\\fs18 " + body + "}");
}

// Each line's text, joined by '|'.
std::string Lines(Layout& layout) {
    layout.Height();
    std::string out;
    for (const LayoutLine& l : layout.Lines()) {
        if (!out.empty()) out += '|';
        out += layout.document().Text().substr(l.start, l.end - l.start);
    }
    return out;
}

TEST(LayoutTabs, TextAfterEachKindOfStopStandsWhereTheStopSays) {
    struct Case {
        const char* body;
        char mark;       // the character whose left edge is checked (its first one)
        std::int32_t x;  // where it stands
        std::int32_t width = 20000;
    };
    const Case cases[] = {
        {"\\tx1000 a\\tab bc", 'b', 1000},
        {"\\tqr\\tx2000 a\\tab bcd", 'b', 2000 - 3 * kChar},        // "bcd" ends at the stop
        {"\\tqr\\tx2000 a\\tab bc  ", 'b', 2000 - 2 * kChar},       // blanks after it hang
        {"\\tqr\\tx2000 a\\tab bc\\tab x", 'b', 2000 - 2 * kChar},  // up to the next tab
        {"\\tqc\\tx2000 a\\tab bcd", 'b', 2000 - 3 * kChar / 2},
        {"\\deflang1033\\tqdec\\tx2000 a\\tab 12.50", '1',
         2000 - 2 * kChar},  // the point at the stop
        {"\\deflang1045\\tqdec\\tx2000 a\\tab 12,50", '1', 2000 - 2 * kChar},  // Polish: the comma
        {"\\deflang1045\\tqdec\\tx2000 a\\tab 1.250", '1',
         2000 - 5 * kChar},  // no comma: ends there
        {"\\deflang1033\\tqdec\\tx2000 a\\tab Total", 'T', 2000 - 5 * kChar},
        {"\\tqr\\tx500 abc\\tab defgh", 'd', 3 * kChar},  // no room left of the stop: straight on
        {"\\tqc\\tx400 abc\\tab defgh", 'd', 3 * kChar},
        {"\\tx300 a\\tab b\\tab c", 'c', 720},  // past the last stop: the default interval
        {"\\tx1000 a\\tab b\\tab c", 'c', 1440},
        {"\\li1000\\fi-1000 1.\\tab Text", 'T', 1000},  // a hanging line's left indent is a stop
        {"\\li1000\\fi-1000\\tx500 1\\tab T", 'T', 500},
        {"\\li1000\\fi-1000 1\\tab x\\line y\\tab T", 'T', 1440},  // only on the first line
        {"\\tb500\\tx1000 a\\tab b", 'b', 1000},                   // bar stops move nothing
        // A stop past the right edge: left text wraps (next test), the others align at the edge;
        // text centred or aligned at its decimal separator keeps within the edge.
        {"\\tqc\\tx5000 a\\tab bc", 'b', 2000 - 2 * kChar, 2000},
        {"\\tqc\\tx1900 a\\tab bc", 'b', 2000 - 2 * kChar, 2000},
        {"\\deflang1033\\tqdec\\tx1900 a\\tab 1.2345", '1', 2000 - 6 * kChar, 2000},
        {"\\qc\\tqr\\tx2000 a\\tab bc", 'b', 2000 - 2 * kChar, 2000},  // a full line stays put
        // In a cell, stops are measured from the cell's text.
        {"\\trowd\\trgaph0\\cellx1000\\cellx5000\\intbl a\\cell\\tqr\\tx2000 x\\tab bc\\cell\\row",
         'b', 1000 + 2000 - 2 * kChar},
    };
    for (const Case& c : cases) {
        const Document d = Nine(c.body);
        Layout layout(d, Text());
        layout.SetWidth(c.width);
        layout.Height();
        const std::size_t byte = d.Text().find(c.mark);
        ASSERT_NE(byte, std::string::npos) << c.body;
        std::int32_t x = -1;
        LineGeometry g;
        for (const LayoutLine& line : layout.Lines()) {
            if (byte < line.start || byte >= line.end) continue;
            layout.Geometry(line, g);
            for (std::size_t k = 0; k + 1 < g.bytes.size(); ++k)
                if (g.bytes[k] == byte) x = g.x[k];
        }
        EXPECT_EQ(x, c.x) << c.body;
    }
}

TEST(LayoutTabs, LinesBreakAfterTabsRatherThanInsideWords) {
    struct Case {
        const char* body;
        std::int32_t width;
        const char* lines;
    };
    const Case cases[] = {
        // A right stop at the margin: the text after it ends there, on the same line.
        {"\\tqr\\tx9360 Right tab stop at 6.5 in:\\tab Right", 9360,
         "Right tab stop at 6.5 in:\tRight"},
        // What follows a left stop near the margin goes whole to the next line.
        {"\\tx9000 Left tab at 9,000 twips:\\tab word", 9360, "Left tab at 9,000 twips:\t|word"},
        // Past the last stop before the edge the tab reaches the edge.
        {"abcdefgh\\tab ij", 10 * kChar, "abcdefgh\t|ij"},
        {"\\tx500\\tx2000 a\\tab b\\tab c", 10 * kChar, "a\tb\t|c"},
        // Right-aligned text too long for its line wraps at its blanks.
        {"\\tqr\\tx1000 ab\\tab cd ef ghi", 10 * kChar, "ab\tcd ef |ghi"},
        {"\\tx300 \\tab abcdefghijkl", 10 * kChar, "\t|abcdefghij|kl"},
    };
    for (const Case& c : cases) {
        const Document d = Nine(c.body);
        Layout layout(d, Text());
        layout.SetWidth(c.width);
        EXPECT_EQ(Lines(layout), c.lines) << c.body;
    }
}

// A justified line stretches its blanks after its last tab only: the tab keeps its column.
TEST(LayoutTabs, JustifiedLinesStretchOnlyAfterTheirLastTab) {
    const Document d = Nine("\\qj\\tx400 a b\\tab c d e f g h");
    Layout layout(d, Text());
    layout.SetWidth(12 * kChar);  // "a b\tc d e f " | "g h"
    layout.Height();
    ASSERT_EQ(layout.Lines().size(), 2u);
    LineGeometry g;
    layout.Geometry(layout.Lines()[0], g);
    EXPECT_EQ(g.x[2], 2 * kChar);    // "b" where it stands unjustified
    EXPECT_EQ(g.x[4], 400);          // "c" at the stop
    EXPECT_EQ(g.x[11], 12 * kChar);  // "f" ends at the edge
}

TEST(LayoutTabs, LeadersFillTheTabsRoom) {
    struct Case {
        const char* leader;
        const char* text;  // the leader's character; empty: a rule
    };
    const Case cases[] = {
        {"tldot", "."},       {"tlhyph", "-"}, {"tleq", "="},
        {"tlmdot", "\u00B7"}, {"tlul", ""},    {"tlth", ""},
    };
    std::int32_t thin = 0;
    for (const Case& c : cases) {
        const Document d = Nine(std::string("\\") + c.leader + "\\tqr\\tx2100 a\\tab b");
        Layout layout(d, Text());
        layout.Height();
        const LayoutLine& line = layout.Lines().front();
        LineGeometry g;
        layout.Geometry(line, g);
        std::vector<LineMark> marks;
        layout.Marks(line, g, {}, 15, marks);
        ASSERT_EQ(marks.size(), 1u) << c.leader;
        const LineMark& m = marks.front();
        // The tab runs from the end of "a" to "b", which ends at the stop.
        const std::int32_t from = kChar, to = 2100 - kChar;
        if (*c.text) {
            ASSERT_EQ(m.kind, LineMark::Kind::Text) << c.leader;
            const std::size_t count = m.text.size() / std::string_view(c.text).size();
            EXPECT_EQ(m.text, [&] {
                std::string s;
                for (std::size_t i = 0; i < count; ++i) s += c.text;
                return s;
            }()) << c.leader;
            // On a grid of its advance, so that leaders of neighbouring lines line up.
            EXPECT_EQ(m.x % kChar, 0) << c.leader;
            EXPECT_GE(m.x, from) << c.leader;
            EXPECT_LE(m.x + std::int32_t(count) * kChar, to) << c.leader;
            EXPECT_GE(std::int32_t(count), (to - from) / kChar - 2) << c.leader;
            EXPECT_EQ(m.y, line.ascent) << c.leader;
        } else {
            ASSERT_EQ(m.kind, LineMark::Kind::Fill) << c.leader;
            EXPECT_EQ(m.x, from);
            EXPECT_EQ(m.width, to - from);
            EXPECT_GT(m.y, line.ascent);
            if (thin == 0) thin = m.height;
            EXPECT_GE(m.height, thin);
        }
    }
    EXPECT_GT(thin, 0);
}

TEST(LayoutTabs, MarksSplitAtTheSelectionAndBarsCrossTheLine) {
    const Document d = Nine("\\tb1000 {\\ul abcd}");
    Layout layout(d, Text());
    layout.Height();
    const LayoutLine& line = layout.Lines().front();
    LineGeometry g;
    layout.Geometry(line, g);
    std::vector<LineMark> marks;
    layout.Marks(line, g, {1, 3}, 15, marks);
    ASSERT_EQ(marks.size(), 4u);
    const std::int32_t edges[][2] = {{0, kChar}, {kChar, 3 * kChar}, {3 * kChar, 4 * kChar}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(marks[i].x, edges[i][0]) << i;
        EXPECT_EQ(marks[i].x + marks[i].width, edges[i][1]) << i;
        EXPECT_EQ(marks[i].selected, i == 1) << i;
    }
    EXPECT_EQ(marks[3].x, 1000);
    EXPECT_EQ(marks[3].y, 0);
    EXPECT_EQ(marks[3].height, line.height);
}

// A selection from byte 5 of paragraph 1 to byte 2 of paragraph 3, paragraph by paragraph.
TEST(LayoutTabs, ASelectionSplitsIntoTheBytesOfEachParagraph) {
    constexpr std::uint64_t kFrom = 1ULL << 32 | 5, kTo = 3ULL << 32 | 2;
    struct Case {
        std::uint32_t paragraph, byte;
        bool selected;
    };
    const Case cases[] = {
        {0, 0, false},     {0, 9, false}, {1, 4, false}, {1, 5, true},
        {1, 100000, true}, {2, 0, true},  {2, 7, true},  {3, 1, true},
        {3, 2, false},     {4, 0, false}, {4, 1, false}, {0, UINT32_MAX - 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ByteRange::InParagraph(kFrom, kTo, c.paragraph).Has(c.byte), c.selected)
            << c.paragraph << ":" << c.byte;
}

}  // namespace
}  // namespace quindel::richtext
