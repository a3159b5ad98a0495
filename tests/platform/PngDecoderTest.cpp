// PNG decoding: every colour type and bit depth to RGBA, transparency, Adam7, damaged and
// cut files.
#include <gtest/gtest.h>

#include "PngWriter.h"
#include "platform/PngDecoder.h"

using namespace quindel::platform;
using quindel::test::PngLayout;
using quindel::test::PngWriter;

namespace {

using Palette = std::vector<std::array<std::uint8_t, 3>>;

PngLayout Layout(int w, int h, int depth, int type, std::vector<std::uint16_t> samples,
                 Palette palette = {}, std::vector<std::uint8_t> trns = {}) {
    return {w, h, depth, type, std::move(samples), std::move(palette), std::move(trns), false, 1};
}

Image MustDecode(const PngLayout& layout) {
    std::string error;
    auto img = DecodePng(PngWriter::Write(layout), {}, &error);
    EXPECT_TRUE(img) << error;
    return img ? *img : Image();
}

constexpr Rgba Argb(int a, int r, int g, int b) {
    return Rgba(a) << 24 | (MakeRgb(r, g, b) & 0xFFFFFFu);
}

}  // namespace

TEST(PngDecoder, EveryColourTypeAndDepthBecomesRgba) {
    constexpr Rgba kBlack = MakeRgb(0, 0, 0), kWhite = MakeRgb(255, 255, 255);
    struct Case {
        const char* what;
        int depth, type;
        std::vector<std::uint16_t> samples;  // 4 x 1 pixels
        Palette palette;
        std::vector<std::uint8_t> trns;
        std::vector<Rgba> expected;
    } cases[] = {
        // clang-format off
        {"grey 1-bit", 1, 0, {0, 1, 1, 0}, {}, {}, {kBlack, kWhite, kWhite, kBlack}},
        {"grey 2-bit", 2, 0, {0, 1, 2, 3}, {}, {},
         {kBlack, MakeRgb(85, 85, 85), MakeRgb(170, 170, 170), kWhite}},
        {"grey 4-bit", 4, 0, {0, 5, 10, 15}, {}, {},
         {kBlack, MakeRgb(85, 85, 85), MakeRgb(170, 170, 170), kWhite}},
        {"grey 8-bit, tRNS grey 7", 8, 0, {7, 8, 0, 255}, {}, {0, 7},
         {Argb(0, 7, 7, 7), MakeRgb(8, 8, 8), kBlack, kWhite}},
        {"grey 16-bit, rounded", 16, 0, {0, 0x8080, 0xFFFF, 0x10FF}, {}, {},
         {kBlack, MakeRgb(128, 128, 128), kWhite, MakeRgb(17, 17, 17)}},
        {"grey and alpha", 8, 4, {10, 0, 20, 128, 30, 255, 40, 1}, {}, {},
         {Argb(0, 10, 10, 10), Argb(128, 20, 20, 20), Argb(255, 30, 30, 30), Argb(1, 40, 40, 40)}},
        {"RGB 8-bit, tRNS colour", 8, 2, {1, 2, 3, 4, 5, 6, 1, 2, 4, 1, 2, 3}, {}, {0, 1, 0, 2, 0, 3},
         {Argb(0, 1, 2, 3), MakeRgb(4, 5, 6), MakeRgb(1, 2, 4), Argb(0, 1, 2, 3)}},
        {"RGB 16-bit", 16, 2, {0xFFFF, 0, 0, 0, 0xFFFF, 0, 0, 0, 0xFFFF, 0x8080, 0x8080, 0x8080}, {}, {},
         {MakeRgb(255, 0, 0), MakeRgb(0, 255, 0), MakeRgb(0, 0, 255), MakeRgb(128, 128, 128)}},
        {"palette 2-bit, partial tRNS", 2, 3, {0, 1, 2, 3},
         {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {1, 1, 1}}, {0, 99},
         {Argb(0, 10, 20, 30), Argb(99, 40, 50, 60), MakeRgb(70, 80, 90), MakeRgb(1, 1, 1)}},
        {"palette 8-bit", 8, 3, {1, 0, 1, 0}, {{255, 0, 0}, {0, 0, 255}}, {},
         {MakeRgb(0, 0, 255), MakeRgb(255, 0, 0), MakeRgb(0, 0, 255), MakeRgb(255, 0, 0)}},
        {"RGBA 8-bit", 8, 6, {1, 2, 3, 0, 4, 5, 6, 50, 7, 8, 9, 255, 0, 0, 0, 128}, {}, {},
         {Argb(0, 1, 2, 3), Argb(50, 4, 5, 6), Argb(255, 7, 8, 9), Argb(128, 0, 0, 0)}},
        {"RGBA 16-bit", 16, 6, {0xFFFF, 0, 0, 0xFFFF, 0, 0, 0, 0, 0x0101, 0x0202, 0x0303, 0x8080, 0, 0, 0, 0xFFFF},
         {}, {}, {MakeRgb(255, 0, 0), Argb(0, 0, 0, 0), Argb(128, 1, 2, 3), kBlack}},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Image img = MustDecode(Layout(4, 1, c.depth, c.type, c.samples, c.palette, c.trns));
        ASSERT_EQ(img.width(), 4);
        ASSERT_EQ(img.height(), 1);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(img.pixel(x, 0), c.expected[std::size_t(x)]) << x;
    }
}

TEST(PngDecoder, Adam7GivesTheSamePixelsAsAPlainFile) {
    for (auto [w, h, type, depth] :
         {std::array{1, 1, 6, 8}, std::array{5, 3, 2, 8}, std::array{9, 9, 3, 2},
          std::array{16, 11, 0, 1}, std::array{3, 17, 4, 16}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h << " type " << type << " depth " << depth);
        PngLayout layout = Layout(w, h, depth, type, {});
        const int channels = type == 2 ? 3 : type == 4 ? 2 : type == 6 ? 4 : 1;
        for (int i = 0; i < w * h * channels; ++i)
            layout.samples.push_back(std::uint16_t((i * 37 + 11) % (1 << depth)));
        for (int i = 0; type == 3 && i < 4; ++i)
            layout.palette.push_back({std::uint8_t(i * 60), 7, std::uint8_t(255 - i)});
        const Image plain = MustDecode(layout);
        layout.interlaced = true;
        EXPECT_EQ(MustDecode(layout), plain);
    }
}

TEST(PngDecoder, DamagedAndCutFiles) {
    PngLayout layout = Layout(8, 8, 8, 0, std::vector<std::uint16_t>(64, 200));
    layout.dataChunks = 4;
    const auto bytes = PngWriter::Write(layout);
    std::string error;
    const auto cut = DecodePng(std::span(bytes.data(), bytes.size() - 30), {}, &error);
    ASSERT_TRUE(cut) << "rows of the data chunks that arrived whole stay: " << error;
    EXPECT_EQ(cut->pixel(0, 0), MakeRgb(200, 200, 200));
    EXPECT_EQ(cut->pixel(7, 7), Rgba(0)) << "rows that never came are transparent";
    layout.dataChunks = 1;
    const auto single = PngWriter::Write(layout);
    EXPECT_FALSE(DecodePng(std::span(single.data(), single.size() - 30), {}, &error));
    EXPECT_NE(error.find("ends too soon"), std::string::npos) << error;

    auto broken = single;
    broken[20] ^= 1;  // IHDR's checksum no longer matches
    EXPECT_FALSE(DecodePng(broken, {}, &error));
    EXPECT_NE(error.find("CRC"), std::string::npos) << error;
    // An index past a one-colour palette: libpng reads it (as black) rather than failing.
    EXPECT_TRUE(DecodePng(PngWriter::Write(Layout(2, 1, 8, 3, {0, 5}, {{1, 2, 3}}))));
}
