#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "platform/headless/BuiltinFont.h"

namespace quindel::headless {
namespace {

using platform::Image;
using platform::MakeRgb;

constexpr platform::Rgba kPaper = MakeRgb(255, 255, 255);
constexpr platform::Rgba kInk = MakeRgb(0, 0, 0);
constexpr int kW = BuiltinFont::kAdvance;
constexpr int kH = BuiltinFont::kLineHeight;

// Draws text in the middle cell of a 3 × 3 cell canvas, so ink escaping the cell shows up.
Image RenderInCell(const std::string& text) {
    Image img(3 * kW, 3 * kH, kPaper);
    BuiltinFont::Draw(img, kW, kH, text, kInk);
    return img;
}

int InkOutsideMiddleCell(const Image& img) {
    int count = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == kInk && (x / kW != 1 || y / kH != 1)) ++count;
    return count;
}

struct Measure {
    const char* text;
    int cells;
    int lines;
};

TEST(BuiltinFontTest, MeasuresCodePointsAndLines) {
    const Measure cases[] = {
        {"", 0, 1},
        {"Hello", 5, 1},
        {"Zażółć gęślą", 12, 1},
        {"x\ty", 3, 1},
        {"a\nbc", 4, 2},
        {"a\r\nb\r\n", 6, 3},
        {"\xE2\x82\xAC \xF0\x9F\x98\x80", 3, 1},  // well-formed 3- and 4-byte sequences
        {"\xFF\xFE", 2, 1},                       // bytes that never start a sequence
        {"\xC0\x80", 2, 1},                       // overlong
        {"a\xE2\x82", 3, 1},                      // truncated at the end
        {"\xE2(\xA1", 3, 1},                      // broken in the middle
        {"\xED\xA0\x80", 3, 1},                   // surrogate
        {"\xF4\x90\x80\x80", 4, 1},               // past U+10FFFF
    };
    for (const Measure& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(BuiltinFont::TextWidth(c.text), c.cells * kW);
        EXPECT_EQ(BuiltinFont::TextHeight(c.text), c.lines * kH);
    }
}

TEST(BuiltinFontTest, EveryGlyphStaysInsideItsCell) {
    std::vector<std::string> texts = {"Ą", "Ć", "Ę", "Ł", "Ń", "Ó", "Ś", "Ź", "Ż", "Å",
                                      "Ç", "ą", "ę", "ç", "ÿ", "g", "j", "_", "ß", "\xFF"};
    for (char c = ' '; c < 127; ++c) texts.emplace_back(1, c);
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(InkOutsideMiddleCell(RenderInCell(text)), 0);
    }
}

TEST(BuiltinFontTest, AccentedLettersDifferFromBaseAndFromTheBox) {
    const Image box = RenderInCell("\xEF\xBF\xBD");
    const std::pair<const char*, const char*> pairs[] = {
        {"A", "Ą"}, {"a", "ą"}, {"C", "Ć"}, {"c", "ć"}, {"E", "Ę"}, {"e", "ę"}, {"L", "Ł"},
        {"l", "ł"}, {"N", "Ń"}, {"n", "ń"}, {"O", "Ó"}, {"o", "ó"}, {"S", "Ś"}, {"s", "ś"},
        {"Z", "Ź"}, {"z", "ź"}, {"Z", "Ż"}, {"z", "ż"}, {"ź", "ż"}, {"i", "í"}, {"u", "ü"},
        {"A", "Å"}, {"n", "ñ"}, {"c", "ç"}, {"e", "é"}, {"e", "è"}, {"o", "ô"}};
    for (const auto& [base, accented] : pairs) {
        SCOPED_TRACE(accented);
        const Image img = RenderInCell(accented);
        EXPECT_NE(img, RenderInCell(base));
        EXPECT_NE(img, box);
    }
}

TEST(BuiltinFontTest, UnknownAndMalformedDrawTheBoxControlsDrawNothing) {
    const Image box = RenderInCell("\xEF\xBF\xBD");
    const Image blank = RenderInCell(" ");
    EXPECT_NE(box, blank);
    for (const char* text : {"\xFF", "\xC0", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(RenderInCell(text), box);
    }
    for (const char* text : {"\t", "\r", "\x01", "\x7F", "\xC2\x85", "\xC2\xA0"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(RenderInCell(text), blank);
    }
}

struct Bars {
    const char* text;
    int x, y;
    std::vector<int> columns;  // where ink is expected, from row top to row bottom
    int top, bottom;
};

TEST(BuiltinFontTest, DrawsBarsAtExactPixels) {
    const Bars cases[] = {
        {"|", 10, 20, {13}, 24, 30}, {"||", 0, 0, {3, 10}, 4, 10},
        {" |", 0, 0, {10}, 4, 10},   {"|", -3, -6, {0}, 0, 4},  // clipped at the top-left
        {"|", 26, 35, {29}, 39, 39},
    };
    for (const Bars& c : cases) {
        SCOPED_TRACE(c.text);
        Image img(30, 40, kPaper);
        BuiltinFont::Draw(img, c.x, c.y, c.text, kInk);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool inBar =
                    y >= c.top && y <= c.bottom &&
                    std::find(c.columns.begin(), c.columns.end(), x) != c.columns.end();
                ASSERT_EQ(img.pixel(x, y) == kInk, inBar) << x << "," << y;
            }
    }
}

TEST(BuiltinFontTest, FarAwayCoordinatesDrawNothingAndDoNotCrash) {
    const std::string text = "Zażółć \xFF\xC0 gęślą jaźń " + std::string(100, 'W');
    const int far[][2] = {{INT_MIN, 0}, {INT_MAX, 0},       {0, INT_MIN},
                          {0, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX - 3, INT_MAX - 3},
                          {-100000, 5}};
    for (const auto& at : far) {
        Image img(20, 20, kPaper);
        BuiltinFont::Draw(img, at[0], at[1], text, kInk);
        EXPECT_EQ(img, Image(20, 20, kPaper)) << at[0] << "," << at[1];
    }
    Image empty;
    BuiltinFont::Draw(empty, 0, 0, text, kInk);
    EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace quindel::headless
