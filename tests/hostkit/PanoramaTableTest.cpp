// The sampling table's look: its frames against a reference reprojection worked out pixel by
// pixel in double precision and blended with exact rounding (how frames were rendered before
// the table learned to tilt and to split its rows), level and tilted, across the seam and by
// the poles; and the same pixels whichever number of bands renders them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "hostkit/panorama/PanoramaTable.h"

namespace quindel::hostkit {
namespace {

using platform::Image;
using platform::Rgba;

// Sharp-edged noise over bands of colour: a sample a fraction of a pixel off shows.
Image Textured(int width, int height) {
    Image img(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t h = (std::uint32_t(x) * 2654435761u) ^ (std::uint32_t(y) * 40503u);
            const int noise = int((h >> 7) & 63);
            img.setPixel(x, y,
                         platform::MakeRgb(noise + 3 * (x % 60), noise + 2 * (y % 90),
                                           (x / 7 + y / 5) % 2 ? 230 - noise : 20 + noise));
        }
    return img;
}

// The four neighbours blended channel by channel with exact rounding.
Rgba ExactBilinear(const Image& src, std::int32_t u, std::int32_t v) {
    const int w = src.width(), x0 = ((u >> 8) % w + w) % w, x1 = (x0 + 1) % w;
    const int y0 = v >> 8, y1 = std::min(y0 + 1, src.height() - 1);
    const std::uint32_t fx = std::uint32_t(u & 255), fy = std::uint32_t(v & 255);
    const std::uint32_t weights[] = {(256 - fx) * (256 - fy), fx * (256 - fy), (256 - fx) * fy,
                                     fx * fy};
    const Rgba p[] = {src.pixel(x0, y0), src.pixel(x1, y0), src.pixel(x0, y1), src.pixel(x1, y1)};
    Rgba out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t sum = 0;
        for (int k = 0; k < 4; ++k) sum += ((p[k] >> shift) & 255) * weights[k];
        out |= ((sum + 32768) >> 16) << shift;
    }
    return out;
}

struct View {
    int width, height;
    double fov, tilt, pan;
};

Image Reference(const Image& src, const View& view) {
    const double pi = std::numbers::pi;
    const double half = std::tan(std::clamp(view.fov, 1.0, 179.0) * pi / 360);
    const double tilt = std::clamp(view.tilt, -90.0, 90.0) * pi / 180;
    const double turn = std::fmod(std::fmod(view.pan, 360.0) + 360.0, 360.0) / 360;
    Image out(view.width, view.height, 0);
    for (int j = 0; j < view.height; ++j) {
        const double y = (1 - 2 * (j + 0.5) / view.height) * half * view.height / view.width;
        const double up = y * std::cos(tilt) + std::sin(tilt);
        const double depth = std::cos(tilt) - y * std::sin(tilt);
        for (int i = 0; i < view.width; ++i) {
            const double x = (2 * (i + 0.5) / view.width - 1) * half;
            const double u =
                (std::atan2(x, depth) / (2 * pi) + 0.5) * src.width() - 0.5 + turn * src.width();
            const double v = (0.5 - std::atan2(up, std::hypot(x, depth)) / pi) * src.height() - 0.5;
            out.setPixel(
                i, j,
                ExactBilinear(
                    src, std::int32_t(std::lround(u * 256)),
                    std::int32_t(std::lround(std::clamp(v, 0.0, src.height() - 1.0) * 256))));
        }
    }
    return out;
}

// The share of pixels whose channels differ by more than `tolerance`, and the largest gap.
struct Gap {
    double share;
    int worst;
};
Gap Compare(const Image& a, const Image& b, int tolerance) {
    int over = 0, worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            int gap = 0;
            for (int shift : {24, 16, 8, 0})
                gap = std::max(gap, std::abs(int((a.pixel(x, y) >> shift) & 255) -
                                             int((b.pixel(x, y) >> shift) & 255)));
            over += gap > tolerance;
            worst = std::max(worst, gap);
        }
    return {double(over) / std::max(1, a.width() * a.height()), worst};
}

TEST(PanoramaTable, FramesLookAsTheReferenceReprojection) {
    const Image source = Textured(1200, 600);
    const View views[] = {
        {160, 90, 90, 0, 0},      {160, 90, 90, 0, 180},  {97, 61, 40, 0, 359.9},
        {120, 120, 120, 0, -75},  {160, 90, 90, 25, 30},  {160, 90, 90, -25, 200},
        {90, 160, 60, 80, 10},    {128, 96, 110, -90, 0}, {128, 96, 110, 90, 270},
        {200, 100, 170, 45, 725}, {64, 48, 1, 10, 45},
    };
    for (const View& v : views) {
        SCOPED_TRACE(testing::Message() << v.width << "x" << v.height << " fov " << v.fov
                                        << " tilt " << v.tilt << " pan " << v.pan);
        const PanoramaTable table(v.width, v.height, v.fov, source.width(), source.height(),
                                  v.tilt);
        EXPECT_TRUE(
            table.Serves(v.width, v.height, v.fov, source.width(), source.height(), v.tilt));
        Image frame;
        table.Render(source, v.pan, frame);
        ASSERT_EQ(frame.width(), v.width);
        ASSERT_EQ(frame.height(), v.height);
        const Gap gap = Compare(frame, Reference(source, v), 2);
        EXPECT_LE(gap.share, 0.001) << "worst channel gap " << gap.worst;
        EXPECT_LE(gap.worst, 6);
    }
}

TEST(PanoramaTable, BandsRenderTheSamePixels) {
    const Image source = Textured(800, 400);
    const struct {
        int width, height;
        double tilt;
    } cases[] = {{301, 97, 0}, {301, 97, 30}, {40, 3, 0}, {7, 2, -60}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " tilt " << c.tilt);
        const PanoramaTable table(c.width, c.height, 75, source.width(), source.height(), c.tilt);
        Image one, many;
        table.Render(source, 123.4, one, 1);
        for (int bands : {2, 3, 4, 8}) {
            table.Render(source, 123.4, many, bands);
            EXPECT_EQ(many, one) << bands << " bands";
        }
    }
}

TEST(PanoramaTable, ServesOnlyWhatItWasMadeFor) {
    const PanoramaTable table(64, 48, 90, 800, 400, 10);
    EXPECT_TRUE(table.Serves(64, 48, 90, 800, 400, 10));
    const struct {
        int w, h;
        double fov;
        int sw, sh;
        double tilt;
    } others[] = {{65, 48, 90, 800, 400, 10}, {64, 47, 90, 800, 400, 10},
                  {64, 48, 91, 800, 400, 10}, {64, 48, 90, 801, 400, 10},
                  {64, 48, 90, 800, 401, 10}, {64, 48, 90, 800, 400, 0}};
    for (const auto& o : others) EXPECT_FALSE(table.Serves(o.w, o.h, o.fov, o.sw, o.sh, o.tilt));
}

}  // namespace
}  // namespace quindel::hostkit
