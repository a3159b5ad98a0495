#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessTextService.h"

namespace quindel::headless {
namespace {

using platform::FontSpec;
using platform::Image;
using platform::MakeRgb;

FontSpec Font(int sizeTwips, int tpp = 15) {
    FontSpec f;
    f.sizeTwips = sizeTwips;
    f.twipsPerPixel = tpp;
    return f;
}

TEST(HeadlessTextService, MetricsScaleWithTheEm) {
    const HeadlessTextService text;
    struct Case {
        int sizeTwips, tpp, advance, ascent, lineHeight;
    };
    const Case cases[] = {
        {180, 15, 7, 11, 14},   // 9 points: the font's own cells
        {240, 15, 9, 15, 19},   // 12 points: 4/3
        {360, 15, 14, 22, 28},  // 18 points: twice
        {180, 30, 4, 6, 7},     // half the pixels at 30 twips a pixel
        {1, 15, 1, 1, 1},       // never below one pixel
        {0, 0, 1, 1, 1},
    };
    for (const Case& c : cases) {
        const FontSpec f = Font(c.sizeTwips, c.tpp);
        const platform::FontMetrics m = text.Metrics(f);
        EXPECT_EQ(HeadlessTextService::Advance(f), c.advance) << c.sizeTwips;
        EXPECT_EQ(m.ascent, c.ascent) << c.sizeTwips;
        EXPECT_EQ(m.lineHeight, c.lineHeight) << c.sizeTwips;
        EXPECT_EQ(m.ascent + m.descent, m.lineHeight);
    }
    std::vector<int> advances;
    text.Advances(Font(240), "zażółć\xff", advances);
    EXPECT_EQ(advances, std::vector<int>(7, 9));
    EXPECT_EQ(text.Width(Font(240), "abc"), 27);
}

TEST(HeadlessTextService, StylesChangeThePixels) {
    const HeadlessTextService text;
    const auto ink = [&](FontSpec f) {
        Image img(40, 30, MakeRgb(255, 255, 255));
        text.Draw(img, f, 2, 20, "Il", MakeRgb(0, 0, 0));
        return img;
    };
    const auto count = [](const Image& img, int row0, int row1) {
        int n = 0;
        for (int y = row0; y < row1; ++y)
            for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == MakeRgb(0, 0, 0);
        return n;
    };
    FontSpec plain = Font(180);
    FontSpec bold = plain, italic = plain, under = plain, strike = plain;
    bold.bold = true;
    italic.italic = true;
    under.underline = true;
    strike.strike = true;
    const Image p = ink(plain);
    EXPECT_GT(count(ink(bold), 0, 30), count(p, 0, 30) * 3 / 2);
    EXPECT_NE(ink(italic), p);
    EXPECT_EQ(count(ink(italic), 0, 30), count(p, 0, 30));
    EXPECT_EQ(count(ink(under), 21, 22) - count(p, 21, 22), 14 - count(p, 21, 22));
    EXPECT_GT(count(ink(strike), 17, 18), count(p, 17, 18));
    // The baseline: capitals end on the row above it.
    EXPECT_GT(count(p, 19, 20), 0);
    EXPECT_EQ(count(p, 20, 21), 0);
}

TEST(HeadlessTextService, IsThePlatformsTextService) {
    HeadlessPlatform platform;
    const platform::TextService& t = platform.Text();
    EXPECT_EQ(t.Width(Font(180), "abcd"), 28);
}

}  // namespace
}  // namespace quindel::headless
