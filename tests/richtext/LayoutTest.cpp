#include <gtest/gtest.h>

#include <cmath>

#include "platform/headless/HeadlessTextService.h"
#include "richtext/Layout.h"
#include "richtext/RichTextTestSupport.h"

namespace quindel::richtext {
namespace {

// At 9 points the headless font is its own 7 x 14 cells: 105 twips a character, lines of
// 210 twips with the baseline 165 twips down.
constexpr std::int32_t kChar = 105;
constexpr std::int32_t kLine = 210;

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

TEST(Layout, WrapsAtBlanksAndHyphensForTheWidth) {
    struct Case {
        const char* body;
        std::int32_t chars;  // the width, in characters
        const char* lines;
    };
    const Case cases[] = {
        {"aaaa bbbb cccc", 20, "aaaa bbbb cccc"},
        {"aaaa bbbb cccc", 14, "aaaa bbbb cccc"},
        {"aaaa bbbb cccc", 13, "aaaa bbbb |cccc"},
        {"aaaa bbbb cccc", 9, "aaaa bbbb |cccc"},  // the blank hangs past the edge
        {"aaaa bbbb cccc", 8, "aaaa |bbbb |cccc"},
        {"aaaa    bbbb", 5, "aaaa    |bbbb"},  // blanks all hang
        {"abcdefghij", 4, "abcd|efgh|ij"},     // a word longer than its line
        {"well-known words", 8, "well-|known |words"},
        {"a\\line b\\line", 20, "a\v|b\v|"},  // a break at the end: one more line
        {"one\\par two three", 5, "one|two |three"},
        {"\\li210\\ri105 aa bb cc", 8, "aa bb |cc"},  // 5 characters of room
        {"\\fi315 aa bb cc dd", 8, "aa bb |cc dd"},
        {"{\\fs36 aa} bb cc", 6, "aa |bb cc"},  // 2 large + 1: 4+1 = 5 small
        {"", 10, ""},
    };
    for (const Case& c : cases) {
        const Document d = Nine(c.body);
        Layout layout(d, Text());
        layout.SetWidth(c.chars * kChar);
        EXPECT_EQ(Lines(layout), c.lines) << c.body << " in " << c.chars;
    }
}

TEST(Layout, LinesStackWithSpacingAndAlignment) {
    const Document d = Nine(
        "\\sb100\\sa50 first\\par\\pard\\qc ab\\par\\pard\\qr ab\\par\\pard\\sl-300 exact\\par"
        "\\pard\\sl420 least\\par\\pard\\sl480\\slmult1 double\\par\\pard\\qj a b c d e f");
    Layout layout(d, Text());
    layout.SetWidth(10 * kChar);
    layout.Height();
    const auto& lines = layout.Lines();
    ASSERT_EQ(lines.size(), 8u);
    const std::int64_t tops[] = {100,
                                 100 + kLine + 50,
                                 100 + 2 * kLine + 50,
                                 100 + 3 * kLine + 50,
                                 100 + 3 * kLine + 50 + 300,
                                 100 + 3 * kLine + 50 + 720,
                                 100 + 3 * kLine + 50 + 720 + 2 * kLine};
    for (std::size_t i = 0; i < 7; ++i) {
        const LayoutBlock& b = layout.Blocks()[i];
        EXPECT_EQ(b.top + lines[i].y, tops[i]) << i;
    }
    EXPECT_EQ(lines[3].height, 300);
    EXPECT_EQ(lines[4].height, 420);
    EXPECT_EQ(lines[5].height, 2 * kLine);
    LineGeometry g;
    layout.Geometry(lines[1], g);
    EXPECT_EQ(g.x.front(), 4 * kChar);  // (10 - 2) / 2 characters in
    layout.Geometry(lines[2], g);
    EXPECT_EQ(g.x.front(), 8 * kChar);
    // "a b c d e f" (11 characters) wraps in 10: the first line is justified to the edge.
    layout.Geometry(lines[6], g);
    EXPECT_EQ(g.x[8], 10 * kChar - kChar);  // "e" ends at the edge: "a b c d e "
}

// A font with the proportions of a common serif face: ascent, descent and line gap of 0.891,
// 0.216 and 0.043 em, so a single line at 12 points is 276 twips (18.4 pixels at 96 dpi).
class GapFont : public platform::TextService {
  public:
    platform::FontMetrics Metrics(const platform::FontSpec& f) const override {
        const double em = double(f.sizeTwips) / f.twipsPerPixel;
        return {int(std::lround(em * 0.891)), int(std::lround(em * 0.216)),
                int(std::lround(em * 1.15))};
    }
    void Advances(const platform::FontSpec& f, std::string_view utf8,
                  std::vector<int>& out) const override {
        for (char c : utf8)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                out.push_back(f.sizeTwips / f.twipsPerPixel / 2);
    }
    void Draw(platform::Image&, const platform::FontSpec&, int, int, std::string_view,
              platform::Rgba) const override {}
};

TEST(Layout, LineHeightsFollowTheSpacingModeWithTheFontsLineGap) {
    struct Case {
        const char* body;
        std::int32_t height, ascent;
    };
    const Case cases[] = {
        {"single", 276, 214},  // not 270: whole screen pixels of 18 would lose the gap's part
        {"\\sl0 auto", 276, 214},
        {"\\sl-300 exactly", 300, 238},  // room beyond the single height goes above the text
        {"\\sl-200 exactly", 200, 138},  // less: the tops of tall letters are lost
        {"\\sl400 at least", 400, 338},
        {"\\sl200 at least", 276, 214},
        {"\\sl360\\slmult1 one and a half", 414, 352},
        {"\\sl480\\slmult1 double", 552, 490},
        {"{\\fs48 A} mixed", 552, 428},  // the taller font's ascent, descent and gap
        {"{\\fs48\\par}", 552, 428},     // an empty line is as tall as its mark
    };
    const GapFont font;
    for (const Case& c : cases) {
        const Document d = test::Rtf(std::string("{\\rtf1\\ansi\\fs24 ") + c.body + "}");
        Layout layout(d, font);
        layout.Height();
        const LayoutLine& line = layout.Lines().front();
        EXPECT_EQ(line.height, c.height) << c.body;
        EXPECT_EQ(line.ascent, c.ascent) << c.body;
    }
}

TEST(Layout, TabsGoToStopsThenToTheDefaultInterval) {
    const Document d = Nine("\\tx300 a\\tab b\\tab c\\tab d");
    Layout layout(d, Text());
    layout.SetWidth(20000);
    layout.Height();
    LineGeometry g;
    layout.Geometry(layout.Lines()[0], g);
    // a at 0; tab to 300; b at 300; tab to 720; c at 720; tab to 1440.
    const std::int32_t want[] = {0, kChar, 300, 300 + kChar, 720, 720 + kChar, 1440};
    for (std::size_t i = 0; i < std::size(want); ++i) EXPECT_EQ(g.x[i], want[i]) << i;
}

TEST(Layout, TablesLayOutCellsSideBySide) {
    const Document d = Nine(
        "top\\par\\trowd\\trgaph0\\cellx525\\cellx2100\\intbl aaaa bbbb\\cell c\\cell\\row\\pard "
        "end");
    Layout layout(d, Text());
    layout.SetWidth(5000);
    EXPECT_EQ(Lines(layout), "top|aaaa |bbbb|c|end");
    const auto& lines = layout.Lines();
    EXPECT_EQ(lines[1].x, 0);
    EXPECT_EQ(lines[3].x, 525);
    EXPECT_EQ(lines[3].y, 0);  // the second cell starts at the row's top
    EXPECT_EQ(layout.Blocks()[1].height, 2 * kLine);
    EXPECT_EQ(layout.Blocks()[2].top, 3 * kLine);
}

TEST(Layout, LaysOutOnlyAsFarAsAsked) {
    std::string body;
    for (int i = 0; i < 2000; ++i) body += "paragraph\\par ";
    const Document d = Nine(body);
    Layout layout(d, Text());
    layout.SetWidth(5000);
    layout.LayOutUntil(10 * kLine);
    EXPECT_LE(layout.LaidOut(), 12u);
    EXPECT_GT(layout.EstimatedHeight(), 1000 * kLine);
    EXPECT_EQ(layout.Height(), 2001 * kLine);
    EXPECT_EQ(layout.LaidOut(), layout.Blocks().size());
}

TEST(Layout, HitTestAndCaretMeetAtCharacterEdges) {
    const Document d = Nine("abcd efgh\\par xy");
    Layout layout(d, Text());
    layout.SetWidth(6 * kChar);  // "abcd |efgh|xy"
    struct Case {
        std::int32_t x;
        std::int64_t y;
        std::int32_t pos;
    };
    const Case cases[] = {
        {0, 10, 0},
        {kChar / 2 - 1, 10, 0},
        {kChar / 2, 10, 1},
        {3 * kChar, 100, 3},
        {5000, 10, 5},
        {0, kLine + 5, 5},
        {2 * kChar, kLine, 7},
        {5000, kLine, 9},
        {kChar, 2 * kLine, 12},
        {0, 99999, 11},
        {0, -50, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layout.HitTest(c.x, c.y), c.pos) << c.x << "," << c.y;
        const CaretRect r = layout.Caret(c.pos);
        EXPECT_EQ(layout.HitTest(r.left, r.top + r.height / 2), c.pos) << c.pos;
    }
    const CaretRect r = layout.Caret(7);
    EXPECT_EQ(r.left, 2 * kChar);
    EXPECT_EQ(r.top, kLine);
    EXPECT_EQ(r.height, kLine);
}

TEST(Layout, PagesEndAtWholeLines) {
    const Document d = Nine("a\\par b\\par c\\par\\pard\\pagebb d\\par\\pard e");
    Layout layout(d, Text());
    struct Case {
        std::int64_t top, height, end;
    };
    const Case cases[] = {
        {0, 2 * kLine + 10, 2 * kLine},      // two lines fit
        {0, 10, kLine},                      // a line taller than the page still goes
        {2 * kLine, 10 * kLine, 3 * kLine},  // stops before the page break
        {3 * kLine, 10 * kLine, 5 * kLine},
        {5 * kLine, 10 * kLine, 5 * kLine},  // nothing left
    };
    for (const Case& c : cases) EXPECT_EQ(layout.PageEnd(c.top, c.height), c.end) << c.top;
}

}  // namespace
}  // namespace quindel::richtext
