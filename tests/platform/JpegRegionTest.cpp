// Parts of a JPEG decoded alone: the same pixels as the whole decode wherever the part lies, for
// every layout of file; what is not such a JPEG, and a cancelled decode.
#include <gtest/gtest.h>

#include <cmath>

#include "JpegWriter.h"
#include "platform/JpegRegion.h"

using namespace quindel::platform;
using quindel::test::JpegKind;
using quindel::test::JpegOptions;
using quindel::test::WriteJpeg;

namespace {

// Smooth gradients crossed by fine detail, so every block and chroma sample differs, and a
// picture whose sides are not a whole number of blocks.
Image Detailed(int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         MakeRgb((x * 255) / w, (y * 255) / h,
                                 int(127 + 120 * std::sin(x * 0.7) * std::cos(y * 0.45))));
    return img;
}

}  // namespace

TEST(JpegRegion, APartHasTheWholeDecodesPixelsWhereverItLies) {
    constexpr int kW = 203, kH = 157;
    const struct {
        const char* what;
        JpegOptions options;
    } files[] = {
        {"4:4:4", {90, JpegKind::Colour, false, true}},
        {"4:2:0", {90, JpegKind::Colour, false, false}},
        {"4:2:0 progressive", {90, JpegKind::Colour, true, false}},
        {"grey", {90, JpegKind::Grey}},
    };
    const RectPx regions[] = {
        {0, 0, 40, 30},       // the corner
        {37, 21, 131, 99},    // off every block edge
        {96, 64, 112, 80},    // on block edges, one 16 x 16 block
        {150, 120, kW, kH},   // the far corner, the partial blocks
        {101, 77, 102, 78},   // one pixel
        {0, 0, kW, kH},       // the whole
        {-20, 140, 60, 400},  // reaching out of the picture: clipped
    };
    for (const auto& f : files) {
        const auto bytes = WriteJpeg(Detailed(kW, kH), f.options);
        const auto whole = DecodePicture(bytes);
        ASSERT_TRUE(whole) << f.what;
        const auto info = InspectJpeg(bytes);
        ASSERT_TRUE(info && info->regions) << f.what;
        EXPECT_EQ(info->size.width, kW);
        EXPECT_EQ(info->progressive, f.options.progressive) << f.what;
        for (const RectPx& r : regions) {
            SCOPED_TRACE(std::string(f.what) + " at " + std::to_string(r.left) + "," +
                         std::to_string(r.top));
            const auto part = DecodeJpegRegion(bytes, r);
            ASSERT_TRUE(part);
            const int left = std::max(r.left, 0), top = std::max(r.top, 0);
            const Image expected =
                whole->copy(left, top, std::min(r.right, kW) - left, std::min(r.bottom, kH) - top);
            EXPECT_EQ(part->width(), expected.width());
            EXPECT_EQ(part->height(), expected.height());
            EXPECT_TRUE(*part == expected);
        }
    }
}

TEST(JpegRegion, WhatItCannotDecodeGivesNothing) {
    const auto photo = WriteJpeg(Detailed(64, 48), {90});
    std::vector<std::uint8_t> cut(photo.begin(), photo.begin() + 200);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        RectPx region;
    } cases[] = {
        {"CMYK", WriteJpeg(Detailed(64, 48), {90, JpegKind::AdobeCmyk}), {0, 0, 8, 8}},
        {"not a JPEG", std::vector<std::uint8_t>(100, 0x42), {0, 0, 8, 8}},
        {"a header cut short", cut, {0, 0, 8, 8}},
        {"a region outside the picture", photo, {64, 0, 80, 8}},
        {"an empty region", photo, {10, 10, 10, 20}},
    };
    for (const auto& c : cases) EXPECT_FALSE(DecodeJpegRegion(c.bytes, c.region)) << c.what;
    EXPECT_FALSE(InspectJpeg(std::vector<std::uint8_t>(100, 0x42)));
    const auto cmyk = InspectJpeg(cases[0].bytes);
    ASSERT_TRUE(cmyk);
    EXPECT_FALSE(cmyk->regions);
}

TEST(JpegRegion, ACancelledDecodeStopsAndGivesNothing) {
    const auto bytes = WriteJpeg(Detailed(64, 48), {90});
    std::atomic<bool> cancel{true};
    EXPECT_FALSE(DecodeJpegRegion(bytes, {0, 0, 64, 48}, &cancel));
    cancel = false;
    EXPECT_TRUE(DecodeJpegRegion(bytes, {0, 0, 64, 48}, &cancel));
}
