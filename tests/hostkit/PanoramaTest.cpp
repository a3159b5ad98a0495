// Panorama reprojection: where each view direction lands in the source, the seam, the poles,
// output sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "hostkit/panorama/Panorama.h"

using namespace quindel::platform;
using quindel::hostkit::PanoramaView;
using quindel::hostkit::RenderPanorama;

namespace {

// 256 x 128: red is the column, green twice the row, so a view pixel tells where it sampled.
Image Addressed() {
    Image img(256, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 256; ++x) img.setPixel(x, y, MakeRgb(x, 2 * y, 0));
    return img;
}

}  // namespace

TEST(Panorama, ViewDirectionsLandOnTheirSourceColumnsAndRows) {
    struct Case {
        double pan, tilt;
        int x, y;  // pixel of a 63 x 47 view, fov 90
        double column, row;
    } cases[] = {
        {0, 0, 31, 23, 127.5, 63.5},  // the view's centre: the middle of the source
        {90, 0, 31, 23, 191.5, 63.5},
        {-90, 0, 31, 23, 63.5, 63.5},
        {270, 0, 31, 23, 63.5, 63.5},
        {45, 0, 31, 23, 159.5, 63.5},
        {720, 0, 31, 23, 127.5, 63.5},
        {-315, 0, 31, 23, 159.5, 63.5},
        {0, 45, 31, 23, 127.5, 31.5},
        {0, -45, 31, 23, 127.5, 95.5},
        {0, 0, 0, 23, 95.8, 63.5},  // left edge: 45 degrees less half a pixel
        {0, 0, 62, 23, 159.2, 63.5},
        {0, 80, 40, 0, 235.8, 20.1},  // past the zenith: the far side, seen upside down
    };
    const Image source = Addressed();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pan " << c.pan << " tilt " << c.tilt << " at " << c.x);
        const Image view = RenderPanorama(source, {63, 47, c.pan, c.tilt, 90});
        const Rgba p = view.pixel(c.x, c.y);
        EXPECT_NEAR(RedOf(p), c.column, 1.0);
        EXPECT_NEAR(GreenOf(p), 2 * c.row, 2.0);
    }
}

TEST(Panorama, TheSeamBlendsTheLastColumnWithTheFirst) {
    // Looking at 180 degrees, the centre sits between column 255 and column 0. Red falls from
    // 255 to 0 within that one pixel, so an eighth of a pixel (the interpolation tolerance)
    // moves it by 32.
    const Rgba centre = RenderPanorama(Addressed(), {63, 47, 180, 0, 90}).pixel(31, 23);
    EXPECT_NEAR(RedOf(centre), 127.5, 40) << "a clamped sampler gives 255 here";

    // A picture that is smooth all the way round stays smooth across the seam.
    Image ring(400, 100);
    for (int x = 0; x < 400; ++x)
        ring.fillRect(
            x, 0, 1, 100,
            MakeRgb(int(127.5 + 100 * std::cos(2 * std::numbers::pi * (x + 0.5) / 400)), 0, 0));
    for (double pan : {0.0, 180.0, 179.9, -180.0}) {
        SCOPED_TRACE(pan);
        const Image view = RenderPanorama(ring, {200, 20, pan, 0, 60});
        int worst = 0;
        for (int x = 1; x < 200; ++x)
            worst =
                std::max(worst, std::abs(RedOf(view.pixel(x, 10)) - RedOf(view.pixel(x - 1, 10))));
        EXPECT_LE(worst, 2);
    }
}

TEST(Panorama, ThePolesClampToTheOuterRows) {
    Image source(64, 32, MakeRgb(0, 0, 255));
    source.fillRect(0, 0, 64, 1, MakeRgb(255, 0, 0));
    source.fillRect(0, 31, 64, 1, MakeRgb(0, 255, 0));
    for (auto [tilt, expected] : {std::pair{90.0, MakeRgb(255, 0, 0)},
                                  {500.0, MakeRgb(255, 0, 0)},
                                  {-90.0, MakeRgb(0, 255, 0)}}) {
        SCOPED_TRACE(tilt);
        const Image view = RenderPanorama(source, {9, 9, 33, tilt, 10});
        EXPECT_EQ(view.pixel(4, 4), expected);
    }
}

TEST(Panorama, OutputSizesAndDegenerateInputs) {
    const Image source = Addressed();
    struct Case {
        int width, height;
        bool empty;
    } cases[] = {{640, 480, false}, {1, 1, false}, {3, 1000, false}, {0, 10, true}, {10, -1, true}};
    for (const Case& c : cases) {
        const Image view = RenderPanorama(source, {c.width, c.height, 10, 5, 75});
        EXPECT_EQ(view.empty(), c.empty);
        EXPECT_EQ(view.width() * view.height(), c.empty ? 0 : c.width * c.height);
    }
    EXPECT_EQ(RenderPanorama(Image(), {4, 3}), Image(4, 3, 0)) << "no source: transparent";
    EXPECT_EQ(RenderPanorama(Image(1, 1, MakeRgb(9, 9, 9)), {4, 3, 0, 0, 300}),
              Image(4, 3, MakeRgb(9, 9, 9)));
}
