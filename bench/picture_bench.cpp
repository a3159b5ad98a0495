// Pictures for display. A 6000 x 4000 photo fitted on a 1280 x 800 screen through our decoder,
// against libjpeg-turbo's own reduced decode of the same file (target: within 1.5 times), with
// the bytes the fitted picture holds; one 640 x 480 panorama frame from an 8000 x 4000 source,
// against a plain bilinear resize of that source to 640 x 480 (target: within 4 times).
//
// And the click that zooms the fitted photo to actual size around its middle: first_frame_ms is
// the click (AutoSize and the crop offsets set) to the first 1280 x 800 frame painted (target:
// 100 ms), ratio that against the floor measured in the same run: for a baseline file
// libjpeg-turbo decoding just the region in view, for a progressive one its own reduced decode
// (target: 1.5); first_frame_cpu_ms and cpu_ratio the same in the thread's processor time, which
// a busy machine disturbs less. whole_ms is the click to the whole picture held; peak_mb the growth
// of a fresh process's peak resident memory showing the photo fitted, and then zoomed (held_mb: the
// pixel bytes the control holds).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "../tests/platform/JpegWriter.h"
#include "JpegAlone.h"
#include "hostkit/base/PictureScaler.h"
#include "hostkit/panorama/Panorama.h"
#include "hostkit/picture/PictureControl.h"
#include "platform/Form.h"
#include "platform/JpegDecoder.h"
#include "platform/PictureFile.h"
#include "platform/headless/HeadlessPlatform.h"

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

std::vector<std::uint8_t> WritePhoto(bool progressive) {
    return test::WriteJpeg(
        kPhotoWidth, kPhotoHeight,
        [](int y, std::uint8_t* rgb) { LandscapeRow(y, kPhotoWidth, kPhotoHeight, rgb); },
        {90, test::JpegKind::Colour, progressive, false});
}

const std::vector<std::uint8_t>& Photo() {
    static const std::vector<std::uint8_t> bytes = WritePhoto(false);
    return bytes;
}

const std::vector<std::uint8_t>& ProgressivePhoto() {
    static const std::vector<std::uint8_t> bytes = WritePhoto(true);
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

// libjpeg-turbo alone: the reduced decode that covers the fitted size.
void DecodeReducedAlone(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& pixels) {
    const platform::PictureSize fit = Fitted();
    bench::JpegAlone(bytes,
                     platform::JpegReductionFor({kPhotoWidth, kPhotoHeight}, fit.width, fit.height))
        .ReadAll(pixels);
}

// libjpeg-turbo alone: the same reduction, the same four-byte pixels, one reused buffer.
void BM_LibjpegTurboReducedDecode(benchmark::State& state) {
    const auto& bytes = Photo();
    std::vector<std::uint8_t> pixels;
    for (auto _ : state) {
        DecodeReducedAlone(bytes, pixels);
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

// --- Zoom to actual size -------------------------------------------------------------------

// The thread's processor time, ms: the machine is shared, and waiting for a core is not work.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double Ms(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

// The photo in a file, shown fitted by a picture control the size of the screen.
struct ZoomStage {
    headless::HeadlessPlatform p;
    std::shared_ptr<platform::Form> form = p.NewForm();
    std::shared_ptr<hostkit::PictureControl> pic;
    std::filesystem::path path;
    Image frame{kScreenWidth, kScreenHeight};

    explicit ZoomStage(const std::vector<std::uint8_t>& bytes, const char* name) {
        path = std::filesystem::temp_directory_path() / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        form->Move(0, 0, (kScreenWidth + 100) * 15, (kScreenHeight + 100) * 15);
        pic = p.NewChild<hostkit::PictureControl>(*form);
        pic->Move(0, 0, kScreenWidth * 15, kScreenHeight * 15);
        pic->setAutoSize(2);
        pic->setFileName(path.string());
        Fitted();
    }
    ~ZoomStage() { std::filesystem::remove(path); }
    void Fitted() {
        pic->setAutoSize(2);
        pic->Paint(frame);
    }
    // The click: actual size around the middle, and the first frame painted.
    void Zoom() {
        pic->setAutoSize(0);
        pic->setCropX((kPhotoWidth - kScreenWidth) / 2);
        pic->setCropY((kPhotoHeight - kScreenHeight) / 2);
        pic->Paint(frame);
    }
};

// libjpeg-turbo alone decoding the region in view: the columns cropped, the rows above skipped.
void DecodeViewAlone(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& pixels) {
    bench::JpegAlone jpeg(bytes);
    JDIMENSION x = (kPhotoWidth - kScreenWidth) / 2, width = kScreenWidth;
    LIBJPEG(jpeg_crop_scanline)(&jpeg.Info(), &x, &width);
    LIBJPEG(jpeg_skip_scanlines)(&jpeg.Info(), (kPhotoHeight - kScreenHeight) / 2);
    jpeg.ReadRows(pixels, width, kScreenHeight);
}

std::int64_t ResidentKb() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return std::int64_t(resident) * sysconf(_SC_PAGESIZE) / 1024;
}

// The growth of a fresh process's peak resident memory over `work`, in megabytes.
double PeakMbOf(const std::function<void()>& work) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        const std::int64_t before = ResidentKb();
        work();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const double mb = double(usage.ru_maxrss - before) / 1024;
        if (write(fds[1], &mb, sizeof mb) != sizeof mb) _exit(1);
        _exit(0);
    }
    double mb = -1;
    if (read(fds[0], &mb, sizeof mb) != sizeof mb) mb = -1;
    close(fds[0]);
    close(fds[1]);
    waitpid(child, nullptr, 0);
    return mb;
}

void BM_ZoomToActualSize(benchmark::State& state) {
    const bool progressive = state.range(0) != 0;
    const auto& bytes = progressive ? ProgressivePhoto() : Photo();
    // Measured first, in fresh processes, before this one holds any picture.
    const double fittedPeak = PeakMbOf([&] { ZoomStage s(bytes, "quindel_zoom_bench_peak.jpg"); });
    const double zoomedPeak = PeakMbOf([&] {
        ZoomStage s(bytes, "quindel_zoom_bench_peak.jpg");
        s.Zoom();
        s.pic->FinishBackgroundDecode();
        s.pic->Paint(s.frame);
    });
    ZoomStage s(bytes, "quindel_zoom_bench.jpg");
    std::vector<std::uint8_t> pixels;
    double first = 0, floor = 0, whole = 0, heldFirst = 0, heldWhole = 0, firstCpu = 0,
           floorCpu = 0;
    for (auto _ : state) {
        s.Fitted();
        const auto click = std::chrono::steady_clock::now();
        const double clickCpu = CpuMs();
        s.Zoom();
        first += Ms(click);
        firstCpu += CpuMs() - clickCpu;
        heldFirst = double(s.pic->HeldBytes());
        s.pic->FinishBackgroundDecode();
        whole += Ms(click);
        heldWhole = double(s.pic->HeldBytes());
        const auto t0 = std::chrono::steady_clock::now();
        const double t0Cpu = CpuMs();
        if (progressive)
            DecodeReducedAlone(bytes, pixels);
        else
            DecodeViewAlone(bytes, pixels);
        floor += Ms(t0);
        floorCpu += CpuMs() - t0Cpu;
        benchmark::DoNotOptimize(pixels.data());
    }
    const double n = double(state.iterations());
    state.counters["first_frame_ms"] = first / n;
    state.counters["floor_ms"] = floor / n;
    state.counters["ratio"] = first / floor;
    state.counters["first_frame_cpu_ms"] = firstCpu / n;
    state.counters["cpu_ratio"] = firstCpu / floorCpu;
    state.counters["whole_ms"] = whole / n;
    state.counters["held_mb_first"] = heldFirst / (1 << 20);
    state.counters["held_mb_whole"] = heldWhole / (1 << 20);
    state.counters["peak_mb_fitted"] = fittedPeak;
    state.counters["peak_mb_zoomed"] = zoomedPeak;
}
BENCHMARK(BM_ZoomToActualSize)
    ->ArgName("progressive")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

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
