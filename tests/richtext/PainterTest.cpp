#include <gtest/gtest.h>

#include "platform/headless/HeadlessTextService.h"
#include "richtext/Engine.h"
#include "richtext/RichTextTestSupport.h"

namespace quindel::richtext {
namespace {

using platform::Image;
using platform::MakeRgb;
using platform::Rgba;

constexpr Rgba kWhite = MakeRgb(255, 255, 255);
constexpr Rgba kBlack = MakeRgb(0, 0, 0);

const headless::HeadlessTextService& Text() {
    static const headless::HeadlessTextService text;
    return text;
}

// Pixels of colour c in the rectangle [x0, x1) x [y0, y1).
int Count(const Image& img, int x0, int y0, int x1, int y1, Rgba c) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += img.pixel(x, y) == c ? 1 : 0;
    return n;
}

struct Box {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};
Box InkBox(const Image& img, int y0, int y1) {
    Box b;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kWhite) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

Image Paint(Engine& e, int w, int h, std::int32_t scrollY = 0) {
    Image img(w, h);
    e.SetWidth(w * 15);
    e.Paint(img, 0, scrollY);
    return img;
}

TEST(Painter, BoldIsDarkerThanPlainAndColoursShow) {
    Engine e(Text());
    // 9 points: 7-pixel cells, 14-pixel lines.
    e.Load(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}\\fs18 "
        "{\\b HHHH}HHHH{\\cf1 HHHH}{\\highlight2 HH}}");
    const Image img = Paint(e, 200, 20);
    const int bold = Count(img, 0, 0, 28, 14, kBlack), plain = Count(img, 28, 0, 56, 14, kBlack);
    EXPECT_GT(plain, 0);
    EXPECT_GT(bold, plain * 3 / 2);
    EXPECT_GT(Count(img, 56, 0, 84, 14, MakeRgb(255, 0, 0)), plain / 2);
    EXPECT_EQ(Count(img, 56, 0, 84, 14, kBlack), 0);
    // The highlighted cells fill their line box, less the glyphs.
    EXPECT_GT(Count(img, 84, 0, 98, 14, MakeRgb(255, 255, 0)), 14 * 14 / 2);
}

TEST(Painter, CentredHeadingIsCentred) {
    Engine e(Text());
    e.Load("{\\rtf1\\qc\\fs36\\b Heading\\par\\pard\\fs18 body text}");
    const Image img = Paint(e, 300, 60);
    const Box heading = InkBox(img, 0, 28);
    ASSERT_GE(heading.right, heading.left);
    EXPECT_NEAR((heading.left + heading.right + 1) / 2.0, 150, 3.0);
    const Box body = InkBox(img, 28, 60);
    EXPECT_LE(body.left, 1);
}

TEST(Painter, SelectionIsInvertedAndScrollingMovesLines) {
    Engine e(Text());
    e.Load("{\\rtf1\\fs18 abcdef\\par second}");
    e.Select(2, 2);
    const Image img = Paint(e, 100, 40);
    const Rgba navy = MakeRgb(0, 0, 128);
    EXPECT_EQ(Count(img, 14, 0, 28, 14, navy) + Count(img, 14, 0, 28, 14, kWhite), 14 * 14);
    EXPECT_GT(Count(img, 14, 0, 28, 14, navy), 100);
    EXPECT_EQ(Count(img, 0, 0, 14, 14, navy), 0);
    EXPECT_EQ(Count(img, 28, 0, 100, 40, navy), 0);
    // One line down, the second line is at the top.
    e.Select(0, 0);
    const Image first = Paint(e, 100, 40);
    const Image scrolled = Paint(e, 100, 40, 14 * 15);
    EXPECT_EQ(first.copy(0, 14, 100, 14), scrolled.copy(0, 0, 100, 14));
}

// One pixel row of columns [0, n): '#' for ink, '.' for paper, '?' for any other colour.
std::string Row(const Image& img, int y, int n) {
    std::string s;
    for (int x = 0; x < n; ++x) {
        const Rgba c = img.pixel(x, y);
        s += c == kBlack ? '#' : c == kWhite ? '.' : '?';
    }
    return s;
}

// At 9 points the baseline is pixel row 11: underlines fall on row 12 (a double one on 12 and
// 14), strike-through on row 6; characters are 7 pixels wide.
TEST(Painter, UnderlinesAndStrikeRunOnAcrossBlanksInTheirStyle) {
    struct Case {
        const char* body;
        int row;
        const char* pixels;
    };
    const Case cases[] = {
        {"{\\ul ab cd}", 12, "###################################....."},
        {"{\\ulw ab cd}", 12, "##############.......##############....."},
        {"{\\uldb ab cd}", 12, "###################################....."},
        {"{\\uldb ab cd}", 13, "........................................"},
        {"{\\uldb ab cd}", 14, "###################################....."},
        {"{\\uld ab cd}", 12, "#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#....."},
        {"{\\ul ab }cd", 12, "#####################..................."},
        {"{\\ul a\\tab b}", 12, "#######################################################....."},
        {"{\\strike ab cd}", 6, "###################################....."},
        {"{\\striked1 ab cd}", 5, "###################################....."},
        {"{\\striked1 ab cd}", 7, "###################################....."},
        // A blank that ends the line hangs past it, bare.
        {"{\\ul ab }", 12, "##############.........................."},
    };
    for (const Case& c : cases) {
        Engine e(Text());
        e.Load(std::string("{\\rtf1\\deftab720\\fs18 ") + c.body + "}");
        const Image img = Paint(e, 200, 20);
        const std::string want = c.pixels;
        EXPECT_EQ(Row(img, c.row, int(want.size())), want) << c.body << " row " << c.row;
    }
}

TEST(Painter, PicturesAndTableBorders) {
    const std::string hex = test::HexOf(test::PngOf(Image(4, 2, MakeRgb(200, 0, 0))));
    Engine e(Text());
    // A 40 x 20 pixel picture, then a 30 x 30 JPEG that is only a framed box, then a table.
    e.Load("{\\rtf1\\fs18 {\\pict\\pngblip\\picwgoal600\\pichgoal300 " + hex +
           "}{\\pict\\jpegblip\\picwgoal450\\pichgoal450 ffd8ffd9}\\par"
           "\\trowd\\trgaph0\\clbrdrt\\brdrs\\cellx600\\cellx1200\\intbl a\\cell b\\cell\\row}");
    const Image img = Paint(e, 120, 80);
    EXPECT_EQ(Count(img, 0, 0, 40, 30, MakeRgb(200, 0, 0)), 40 * 20);
    const Rgba grey = MakeRgb(128, 128, 128);
    EXPECT_EQ(Count(img, 40, 0, 70, 30, grey), 4 * 30 - 4);  // the box's frame
    // The row starts below the 30-pixel line; its cells are framed at 0, 40 and 80 pixels.
    EXPECT_EQ(img.pixel(0, 35), kBlack);
    EXPECT_EQ(img.pixel(40, 35), kBlack);
    EXPECT_EQ(img.pixel(80, 35), kBlack);
    EXPECT_EQ(img.pixel(20, 30), kBlack);
}

}  // namespace
}  // namespace quindel::richtext
