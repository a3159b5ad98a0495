// The plain bilinear resize the pictures are fitted with.
#include <gtest/gtest.h>

#include "hostkit/base/PictureScaler.h"

using namespace quindel::platform;
using quindel::hostkit::ResizeBilinear;

TEST(PictureScaler, ResizeBilinearKeepsCornersAndBlendsBetweenPixels) {
    Image source(2, 2);
    source.setPixel(0, 0, MakeRgb(0, 0, 0));
    source.setPixel(1, 0, MakeRgb(200, 0, 0));
    source.setPixel(0, 1, MakeRgb(0, 200, 0));
    source.setPixel(1, 1, Rgba(0x80C8C800u));  // half transparent
    const Image big = ResizeBilinear(source, 4, 4);
    EXPECT_EQ(big.pixel(0, 0), MakeRgb(0, 0, 0));
    EXPECT_EQ(big.pixel(3, 0), MakeRgb(200, 0, 0));
    EXPECT_EQ(big.pixel(3, 3), Rgba(0x80C8C800u));
    EXPECT_EQ(big.pixel(1, 0), MakeRgb(50, 0, 0));
    EXPECT_NEAR(AlphaOf(big.pixel(2, 2)), 255 - (255 - 128) * 0.5625, 1.0);
    Image ramp(256, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 256; ++x) ramp.setPixel(x, y, MakeRgb(x, 2 * y, 0));
    EXPECT_EQ(ResizeBilinear(ramp, 256, 128), ramp) << "same size: same pixels";
    EXPECT_TRUE(ResizeBilinear(source, 0, 5).empty());
}
