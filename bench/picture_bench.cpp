// Pictures for display. A 6000 x 4000 photo fitted on a 1280 x 800 screen through our decoder,
// against libjpeg-turbo's own reduced decode of the same file (target: within 1.5 times), with
// the bytes the fitted picture holds; and one 640 x 480 panorama frame from an 8000 x 4000
// source, against a plain bilinear resize of that source to 640 x 480 (target: within 4 times).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

#include "../tests/platform/JpegWriter.h"
#include "hostkit/base/PictureScaler.h"
#include "hostkit/panorama/Panorama.h"
#include "platform/JpegDecoder.h"
#include "platform/PictureFile.h"

using namespace quindel;
using platform::Image;
using platform::MakeRgb;

namespace {

constexpr int kPhotoWidth = 6000, kPhotoHeight = 4000, kScreenWidth = 1280, kScreenHeight = 800;

std::uint32_t Hash(int x, int y) {
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// A landscape: a graded sky with soft clouds over textured hills and a few sharp-edged
// buildings, with sensor-like noise, so the file compresses like a photo, not like a chart.
void LandscapeRow(int y, int w, int h, std::uint8_t* rgb) {
    const float fy = float(y) / float(h);
    for (int x = 0; x < w; ++x) {
        const float fx = float(x) / float(w);
        const float horizon = 0.5f + 0.08f * std::sin(fx * 19.0f) + 0.02f * std::sin(fx * 97.0f);
        float r, g, b;
        if (fy < horizon) {
            const float cloud =
                std::max(0.0f, std::sin(fx * 23.0f + std::sin(fy * 31.0f)) * std::sin(fy * 17.0f));
            r = 90 + 70 * fy + 120 * cloud, g = 140 + 50 * fy + 100 * cloud,
            b = 235 - 20 * fy + 15 * cloud;
        } else {
            const float grain = std::sin(fx * 900.0f + fy * 300.0f) * std::sin(fy * 700.0f);
            r = 70 + 40 * grain + 60 * (fy - horizon), g = 100 + 35 * grain, b = 40 + 20 * grain;
        }
        if ((x / 150) % 7 == 3 && fy > horizon - 0.12f && fy < horizon + 0.05f)
            r = g = b = 200 - (x % 150);
        const int noise = int(Hash(x, y) & 15) - 8;
        rgb[3 * x] = std::uint8_t(std::clamp(int(r) + noise, 0, 255));
        rgb[3 * x + 1] = std::uint8_t(std::clamp(int(g) + noise, 0, 255));
        rgb[3 * x + 2] = std::uint8_t(std::clamp(int(b) + noise, 0, 255));
    }
}

const std::vector<std::uint8_t>& Photo() {
    static const std::vector<std::uint8_t> bytes = test::WriteJpeg(
        kPhotoWidth, kPhotoHeight,
        [](int y, std::uint8_t* rgb) { LandscapeRow(y, kPhotoWidth, kPhotoHeight, rgb); },
        {90, test::JpegKind::Colour, false, false});
    return bytes;
}

// The picture's size on screen: as large as fits, keeping its shape.
platform::PictureSize Fitted() {
    const double scale =
        std::min(double(kScreenWidth) / kPhotoWidth, double(kScreenHeight) / kPhotoHeight);
    return {int(kPhotoWidth * scale), int(kPhotoHeight * scale)};
}

void BM_FittedPhotoThroughPictureFile(benchmark::State& state) {
    const auto& bytes = Photo();
    const platform::PictureSize fit = Fitted();
    std::size_t held = 0;
    for (auto _ : state) {
        auto img = platform::DecodePictureAtLeast(bytes, fit.width, fit.height);
        held = img->pixels().size() * sizeof(platform::Rgba);
        benchmark::DoNotOptimize(img);
    }
    state.counters["fitted_bytes"] = double(held);
    state.counters["file_bytes"] = double(bytes.size());
}
BENCHMARK(BM_FittedPhotoThroughPictureFile)->Unit(benchmark::kMillisecond);

// The same, scaled the rest of the way to exactly the fitted size.
void BM_FittedPhotoScaledToTheScreen(benchmark::State& state) {
    const auto& bytes = Photo();
    const platform::PictureSize fit = Fitted();
    std::size_t held = 0;
    for (auto _ : state) {
        const auto img = platform::DecodePictureAtLeast(bytes, fit.width, fit.height);
        const Image shown = hostkit::ResizeBilinear(*img, fit.width, fit.height);
        held = shown.pixels().size() * sizeof(platform::Rgba);
        benchmark::DoNotOptimize(shown);
    }
    state.counters["fitted_bytes"] = double(held);
}
BENCHMARK(BM_FittedPhotoScaledToTheScreen)->Unit(benchmark::kMillisecond);

// libjpeg-turbo alone: the same reduction, the same four-byte pixels, one reused buffer.
void BM_LibjpegTurboReducedDecode(benchmark::State& state) {
    const auto& bytes = Photo();
    const int reduction =
        platform::JpegReductionFor({kPhotoWidth, kPhotoHeight}, Fitted().width, Fitted().height);
    std::vector<std::uint8_t> pixels;
    for (auto _ : state) {
        jpeg_decompress_struct c{};
        jpeg_error_mgr err{};
        c.err = LIBJPEG(jpeg_std_error)(&err);
        LIBJPEG(jpeg_CreateDecompress)(&c, JPEG_LIB_VERSION, sizeof c);
        LIBJPEG(jpeg_mem_src)(&c, bytes.data(), bytes.size());
        LIBJPEG(jpeg_read_header)(&c, TRUE);
        c.scale_num = 1;
        c.scale_denom = unsigned(reduction);
        c.out_color_space =
            std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
        LIBJPEG(jpeg_start_decompress)(&c);
        const std::size_t stride = std::size_t(c.output_width) * 4;
        pixels.resize(stride * c.output_height);
        while (c.output_scanline < c.output_height) {
            JSAMPROW row = pixels.data() + stride * c.output_scanline;
            LIBJPEG(jpeg_read_scanlines)(&c, &row, 1);
        }
        LIBJPEG(jpeg_finish_decompress)(&c);
        LIBJPEG(jpeg_destroy_decompress)(&c);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["fitted_bytes"] = double(pixels.size());
}
BENCHMARK(BM_LibjpegTurboReducedDecode)->Unit(benchmark::kMillisecond);

// For scale: the whole photo at actual size.
void BM_WholePhoto(benchmark::State& state) {
    const auto& bytes = Photo();
    std::size_t held = 0;
    for (auto _ : state) {
        const auto img = platform::DecodeJpeg(bytes);
        held = img->pixels().size() * sizeof(platform::Rgba);
        benchmark::DoNotOptimize(img);
    }
    state.counters["bytes"] = double(held);
}
BENCHMARK(BM_WholePhoto)->Unit(benchmark::kMillisecond);

const Image& Equirect() {
    static const Image img = [] {
        Image e(8000, 4000);
        std::vector<std::uint8_t> rgb(8000 * 3);
        for (int y = 0; y < 4000; ++y) {
            LandscapeRow(y, 8000, 4000, rgb.data());
            for (int x = 0; x < 8000; ++x)
                e.setPixel(x, y, MakeRgb(rgb[3 * x], rgb[3 * x + 1], rgb[3 * x + 2]));
        }
        return e;
    }();
    return img;
}

void BM_PanoramaFrame(benchmark::State& state) {
    const Image& source = Equirect();
    double pan = 0;
    for (auto _ : state) {
        const Image frame =
            hostkit::RenderPanorama(source, {640, 480, pan, double(state.range(0)), 90});
        pan = std::fmod(pan + 7, 360);
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_PanoramaFrame)->Arg(0)->Arg(25)->Unit(benchmark::kMillisecond);

void BM_BilinearResize(benchmark::State& state) {
    const Image& source = Equirect();
    for (auto _ : state) benchmark::DoNotOptimize(hostkit::ResizeBilinear(source, 640, 480));
}
BENCHMARK(BM_BilinearResize)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
