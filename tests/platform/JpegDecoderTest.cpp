// JPEG decoding: colour spaces at each reduction, reduced-scale sizes, header-only size, the
// budget, cut files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "JpegWriter.h"
#include "platform/JpegDecoder.h"

using namespace quindel::platform;
using quindel::test::JpegKind;
using quindel::test::JpegOptions;
using quindel::test::WriteJpeg;

namespace {

constexpr Rgba kOrange = MakeRgb(240, 120, 20), kTeal = MakeRgb(20, 140, 150),
               kPale = MakeRgb(230, 230, 200), kDark = MakeRgb(30, 20, 60);

// Four quadrants of flat colour, each a whole number of 8 x 8 blocks.
Image Quadrants(int w, int h) {
    Image img(w, h);
    img.fillRect(0, 0, w / 2, h / 2, kOrange);
    img.fillRect(w / 2, 0, w - w / 2, h / 2, kTeal);
    img.fillRect(0, h / 2, w / 2, h - h / 2, kPale);
    img.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, kDark);
    return img;
}

void ExpectNear(Rgba actual, Rgba expected, int tolerance) {
    EXPECT_LE(std::abs(RedOf(actual) - RedOf(expected)), tolerance) << std::hex << actual;
    EXPECT_LE(std::abs(GreenOf(actual) - GreenOf(expected)), tolerance) << std::hex << actual;
    EXPECT_LE(std::abs(BlueOf(actual) - BlueOf(expected)), tolerance) << std::hex << actual;
    EXPECT_EQ(AlphaOf(actual), 255);
}

Rgba Grey(Rgba c) {
    const int v = (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3;
    return MakeRgb(v, v, v);
}

}  // namespace

TEST(JpegDecoder, ColourSpacesComeOutAsRgbAtEveryReduction) {
    struct Case {
        const char* what;
        JpegOptions options;
        bool grey;
    } cases[] = {
        {"YCbCr", {95, JpegKind::Colour, false}, false},
        {"YCbCr progressive", {95, JpegKind::Colour, true}, false},
        {"YCbCr 4:2:0", {95, JpegKind::Colour, false, false}, false},
        {"grey", {95, JpegKind::Grey}, true},
        {"Adobe CMYK", {95, JpegKind::AdobeCmyk}, false},
        {"plain CMYK", {95, JpegKind::PlainCmyk}, false},
    };
    const Image source = Quadrants(64, 64);
    for (const Case& c : cases) {
        const auto bytes = WriteJpeg(source, c.options);
        for (int reduction : {1, 2, 4, 8}) {
            SCOPED_TRACE(testing::Message() << c.what << " at 1/" << reduction);
            const int side = 64 / reduction, q = side / 4, far = side - 1 - q;
            const auto img = DecodeJpegAtLeast(bytes, side, side);
            ASSERT_TRUE(img);
            ASSERT_EQ(img->width(), side);
            ASSERT_EQ(img->height(), side);
            for (auto [x, y] : {std::pair{q, q}, {far, q}, {q, far}, {far, far}}) {
                const Rgba want = source.pixel(x * reduction, y * reduction);
                ExpectNear(img->pixel(x, y), c.grey ? Grey(want) : want, 8);
            }
        }
    }
}

TEST(JpegDecoder, ReducedDecodeTakesTheLargestReductionThatStillCovers) {
    struct Case {
        int width, height, minWidth, minHeight;
        int reduction, outWidth, outHeight;
    } cases[] = {
        {100, 60, 13, 8, 8, 13, 8},      {100, 60, 14, 8, 4, 25, 15},
        {100, 60, 13, 9, 4, 25, 15},     {100, 60, 50, 30, 2, 50, 30},
        {100, 60, 51, 1, 1, 100, 60},    {100, 60, 0, 0, 8, 13, 8},
        {101, 61, 13, 8, 8, 13, 8},      {101, 61, 51, 31, 2, 51, 31},
        {101, 61, 500, 500, 1, 101, 61}, {6000, 4000, 1200, 800, 4, 1500, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at least " << c.minWidth
                                        << "x" << c.minHeight);
        EXPECT_EQ(JpegReductionFor({c.width, c.height}, c.minWidth, c.minHeight), c.reduction);
        if (c.width > 1000) continue;  // the rule alone: no need to encode a large file here
        const auto bytes = WriteJpeg(Quadrants(c.width, c.height), {80});
        const auto size = ReadJpegSize(bytes);
        ASSERT_TRUE(size);
        EXPECT_EQ(size->width, c.width);
        EXPECT_EQ(size->height, c.height);
        const auto img = DecodeJpegAtLeast(bytes, c.minWidth, c.minHeight);
        ASSERT_TRUE(img);
        EXPECT_EQ(img->width(), c.outWidth);
        EXPECT_EQ(img->height(), c.outHeight);
    }
}

TEST(JpegDecoder, BudgetsAndCutFiles) {
    const auto bytes = WriteJpeg(Quadrants(64, 48), {90});
    std::string error;
    EXPECT_FALSE(DecodeJpegAtLeast(bytes, 8, 6, {64, 64 * 47}, &error)) << "the full size counts";

    std::size_t scan = 0;  // the start-of-scan marker; entropy-coded data follows
    while (scan + 1 < bytes.size() && !(bytes[scan] == 0xFF && bytes[scan + 1] == 0xDA)) ++scan;
    const std::size_t middle = scan + (bytes.size() - scan) / 2;
    const auto cut = DecodeJpeg(std::span(bytes.data(), middle), {}, &error);
    ASSERT_TRUE(cut) << "a cut file keeps what was decoded: " << error;
    EXPECT_EQ(cut->width(), 64);
    ExpectNear(cut->pixel(4, 4), kOrange, 8);
    for (std::size_t n : {std::size_t(0), std::size_t(2), std::size_t(3), std::size_t(20), scan}) {
        error.clear();
        EXPECT_FALSE(DecodeJpeg(std::span(bytes.data(), n), {}, &error)) << n;
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(ReadJpegSize(std::span(bytes.data(), n))) << n;
    }
}
