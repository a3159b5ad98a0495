// The host kit's display controls. A 6000 x 4000 JPEG shown fitted on a 1280 x 800 picture
// control (FileName and one paint), against libjpeg-turbo's own scaled decode of that file
// (target: within 1.5 times), with the bytes the control holds while showing it against its
// fitted pixels (target: under 2 times); one pan step at actual size (CropX moved 40 pixels and
// the 1280 x 800 view painted again), against copying those pixels (target: within 3 times);
// and, for scale, one turn of a 1280 x 800 panorama view.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "../tests/platform/JpegWriter.h"
#include "JpegAlone.h"
#include "hostkit/panorama/PanoramaControl.h"
#include "hostkit/picture/PictureControl.h"
#include "platform/Form.h"
#include "platform/JpegDecoder.h"
#include "platform/PictureObject.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel;
using platform::Image;

namespace {

constexpr int kPhotoWidth = 6000, kPhotoHeight = 4000, kViewWidth = 1280, kViewHeight = 800;

// A harbour at dusk: a warm sky, water with ripples, hulls and masts with hard edges, and
// sensor grain, so the file is as dense as a camera's.
void HarbourRow(int y, std::uint8_t* rgb) {
    const double v = double(y) / kPhotoHeight;
    for (int x = 0; x < kPhotoWidth; ++x) {
        const double u = double(x) / kPhotoWidth;
        double r = 250 - 90 * v, g = 150 - 40 * v + 30 * std::sin(u * 7), b = 90 + 100 * v;
        if (v > 0.62) {
            const double ripple = std::sin(y * 0.9 + std::sin(x * 0.013) * 6) * 0.5 + 0.5;
            r = 40 + 60 * ripple, g = 60 + 50 * ripple, b = 90 + 70 * ripple;
        }
        const int boat = x / 700;
        if (boat % 2 == 1 && v > 0.55 && v < 0.64 && x % 700 > 80) r = 30, g = 25, b = 20;
        if (x % 700 == 350 && v > 0.2 && v < 0.6) r = g = b = 15;
        const std::uint32_t h = std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 40503u;
        const int grain = int((h >> 7) % 13) - 6;
        rgb[3 * x] = std::uint8_t(std::clamp(int(r) + grain, 0, 255));
        rgb[3 * x + 1] = std::uint8_t(std::clamp(int(g) + grain, 0, 255));
        rgb[3 * x + 2] = std::uint8_t(std::clamp(int(b) + grain, 0, 255));
    }
}

const std::string& PhotoPath() {
    static const std::string path = [] {
        const auto bytes = test::WriteJpeg(kPhotoWidth, kPhotoHeight, HarbourRow,
                                           {90, test::JpegKind::Colour, false, false});
        const auto p = std::filesystem::temp_directory_path() / "quindel_display_bench.jpg";
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return p.string();
    }();
    return path;
}

std::vector<std::uint8_t> PhotoBytes() {
    std::ifstream in(PhotoPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A headless platform with a screen that holds the view, and a form to put controls on.
struct Stage {
    headless::HeadlessPlatform p{{.screen = {1920, 1080, 15, 15}}};
    std::shared_ptr<platform::Form> form = p.NewForm();
    Image view{kViewWidth, kViewHeight};
    Stage() {
        form->Move(0, 0, 1920 * 15, 1080 * 15);
        PhotoPath();  // written once, before any timing
    }
    template <class C>
    std::shared_ptr<C> Control() {
        auto c = p.NewChild<C>(*form);
        c->Move(0, 0, kViewWidth * 15, kViewHeight * 15);
        return c;
    }
};

void BM_FittedPhotoOnThePictureControl(benchmark::State& state) {
    Stage s;
    auto pic = s.Control<hostkit::PictureControl>();
    pic->setAutoSize(2);
    for (auto _ : state) {
        pic->setFileName(PhotoPath());
        pic->Paint(s.view);
        benchmark::DoNotOptimize(s.view);
    }
    const double fittedBytes = double(kViewWidth) * kViewHeight * 4;
    state.counters["held_bytes"] = double(pic->HeldBytes());
    state.counters["held_per_fitted"] = double(pic->HeldBytes()) / fittedBytes;
}
BENCHMARK(BM_FittedPhotoOnThePictureControl)->Unit(benchmark::kMillisecond);

// libjpeg-turbo alone: the reduction the control takes, four-byte pixels, one reused buffer.
void BM_LibjpegTurboScaledDecode(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = PhotoBytes();  // the file is written here, untimed
    const int reduction =
        platform::JpegReductionFor({kPhotoWidth, kPhotoHeight}, kViewWidth, kViewHeight);
    std::vector<std::uint8_t> pixels;
    for (auto _ : state) {
        bench::JpegAlone(bytes, reduction).ReadAll(pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["reduction"] = reduction;
}
BENCHMARK(BM_LibjpegTurboScaledDecode)->Unit(benchmark::kMillisecond);

void BM_PanStepAtActualSize(benchmark::State& state) {
    Stage s;
    auto pic = s.Control<hostkit::PictureControl>();
    pic->setFileName(PhotoPath());
    pic->Paint(s.view);  // the whole picture is decoded once, here
    std::int32_t x = 0;
    for (auto _ : state) {
        x = x + 40 > kPhotoWidth - kViewWidth ? 0 : x + 40;
        pic->setCropX(x);
        pic->Paint(s.view);
        benchmark::DoNotOptimize(s.view);
    }
}
BENCHMARK(BM_PanStepAtActualSize)->Unit(benchmark::kMicrosecond);

// The yardstick: the same rows of the same picture copied into a buffer of the view's size.
void BM_CopyTheViewsPixels(benchmark::State& state) {
    Stage s;
    auto pic = s.Control<hostkit::PictureControl>();
    pic->setFileName(PhotoPath());
    pic->Paint(s.view);
    const Object picture = pic->Picture();
    const Image& whole = *platform::ImageOf(picture);
    std::vector<platform::Rgba> buffer(std::size_t(kViewWidth) * kViewHeight);
    std::int32_t x = 0;
    for (auto _ : state) {
        x = x + 40 > kPhotoWidth - kViewWidth ? 0 : x + 40;
        for (int y = 0; y < kViewHeight; ++y) {
            const platform::Rgba* row = whole.pixels().data() + std::size_t(y) * kPhotoWidth + x;
            std::copy(row, row + kViewWidth, buffer.begin() + std::ptrdiff_t(y) * kViewWidth);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_CopyTheViewsPixels)->Unit(benchmark::kMicrosecond);

void BM_PanoramaTurn(benchmark::State& state) {
    Stage s;
    auto pano = s.Control<hostkit::PanoramaControl>();
    pano->setStretch(true);
    pano->setFileName(PhotoPath());
    pano->Paint(s.view);
    double pan = 0;
    for (auto _ : state) {
        pan += 1;
        pano->setPanAngle(pan);
        pano->Paint(s.view);
        benchmark::DoNotOptimize(s.view);
    }
}
BENCHMARK(BM_PanoramaTurn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
