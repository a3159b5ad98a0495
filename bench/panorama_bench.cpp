// Panorama frames at full HD: a 1920 x 1080 view of an 8000 x 4000 equirectangular picture
// through the sampling table (PanoramaTable), level and tilted, against the floor measured in
// the same run: a bare loop over a per-pixel table of already wrapped source positions, made
// beforehand for each pan angle, sampled with the kit's bilinear filter (bilinear::Sample, the
// same pixels the table's vector blend gives) into the same bands on the same number of threads.
// Goals: frame_ms within 16 and ratio (ours / floor) within 1.5. Both are timed by the wall clock,
// frame after frame alternately, at pans cycling through a few angles so that neither finds the
// other's pixels in the cache more often; cpu_ms and cpu_ratio give the same by the process's CPU
// time, which a machine busy elsewhere disturbs less. Args: tilt in degrees, and threads (0: as the
// table chooses, the cores up to PanoramaTable::kMaxBands; the floor then uses the same count).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <numbers>
#include <thread>
#include <vector>

#include "hostkit/base/Bilinear.h"
#include "hostkit/panorama/PanoramaTable.h"

using namespace quindel;
using platform::Image;
using platform::Rgba;

namespace {

constexpr int kViewWidth = 1920, kViewHeight = 1080, kSourceWidth = 8000, kSourceHeight = 4000;
constexpr double kFov = 90;
constexpr double kPans[] = {0, 123.4, 250.7};

// Sky, ground and a texture fine enough that every sample reads different pixels.
const Image& Equirect() {
    static const Image img = [] {
        Image e(kSourceWidth, kSourceHeight);
        for (int y = 0; y < kSourceHeight; ++y) {
            Rgba* row = e.row(y);
            for (int x = 0; x < kSourceWidth; ++x) {
                const std::uint32_t h =
                    std::uint32_t(x) * 374761393u ^ std::uint32_t(y) * 668265263u;
                const int noise = int((h ^ (h >> 15)) & 31);
                row[x] = y < kSourceHeight / 2
                             ? platform::MakeRgb(90 + noise, 140 + noise, 230 - y / 40)
                             : platform::MakeRgb(60 + noise + (x / 50 % 2) * 40, 120 + noise, 50);
            }
        }
        return e;
    }();
    return img;
}

// The floor's table: per pixel the source column (wrapped, 1/256 pixel) and row at one pan.
struct FloorTable {
    std::vector<std::int32_t> uv;  // u, v interleaved
};

FloorTable MakeFloor(double pan, double tilt) {
    FloorTable t;
    t.uv.resize(std::size_t(kViewWidth) * kViewHeight * 2);
    const double pi = std::numbers::pi, half = std::tan(kFov * pi / 360);
    const double c = std::cos(tilt * pi / 180), s = std::sin(tilt * pi / 180);
    std::size_t k = 0;
    for (int j = 0; j < kViewHeight; ++j) {
        const double y = (1 - 2 * (j + 0.5) / kViewHeight) * half * kViewHeight / kViewWidth;
        const double up = y * c + s, depth = c - y * s;
        for (int i = 0; i < kViewWidth; ++i) {
            const double x = (2 * (i + 0.5) / kViewWidth - 1) * half;
            double u = (std::atan2(x, depth) / (2 * pi) + 0.5 + pan / 360) * kSourceWidth - 0.5;
            u = std::fmod(u, kSourceWidth);
            u = u < 0 ? u + kSourceWidth : u;
            const double v =
                (0.5 - std::atan2(up, std::hypot(x, depth)) / pi) * kSourceHeight - 0.5;
            t.uv[k++] = std::int32_t(u * 256) % (kSourceWidth * 256);
            t.uv[k++] = std::int32_t(std::clamp(v, 0.0, kSourceHeight - 1.0) * 256);
        }
    }
    return t;
}

void FloorRows(const Image& source, const FloorTable& t, int first, int end, Rgba* out) {
    const Rgba* pixels = source.pixels().data();
    const std::size_t stride = kSourceWidth;
    for (std::size_t p = std::size_t(first) * kViewWidth; p < std::size_t(end) * kViewWidth; ++p) {
        const std::int32_t u = t.uv[2 * p], v = t.uv[2 * p + 1];
        const int x0 = u >> 8, x1 = x0 + 1 == kSourceWidth ? 0 : x0 + 1, y0 = v >> 8;
        const Rgba* top = pixels + std::size_t(y0) * stride;
        const Rgba* bottom = y0 < kSourceHeight - 1 ? top + stride : top;
        out[p] = hostkit::bilinear::Sample({top, bottom, std::uint32_t(v & 255)}, x0, x1,
                                           std::uint32_t(u & 255));
    }
}

void FloorFrame(const Image& source, const FloorTable& t, int bands, Image& out) {
    Rgba* target = out.row(0);
    std::vector<std::jthread> helpers;
    for (int b = 1; b < bands; ++b)
        helpers.emplace_back([&, b] {
            FloorRows(source, t, kViewHeight * b / bands, kViewHeight * (b + 1) / bands, target);
        });
    FloorRows(source, t, 0, kViewHeight / bands, target);
}

// CPU time of the whole process, every thread: what a frame costs on a machine busy elsewhere.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_PanoramaFullHd(benchmark::State& state) {
    const Image& source = Equirect();
    const double tilt = double(state.range(0));
    const int bands = state.range(1) > 0 ? int(state.range(1))
                                         : std::clamp(int(std::thread::hardware_concurrency()), 1,
                                                      hostkit::PanoramaTable::kMaxBands);
    std::vector<FloorTable> floors;
    for (double pan : kPans) floors.push_back(MakeFloor(pan, tilt));
    auto started = std::chrono::steady_clock::now();
    const hostkit::PanoramaTable table(kViewWidth, kViewHeight, kFov, kSourceWidth, kSourceHeight,
                                       tilt);
    const double buildSeconds = Seconds(started);
    Image ours(kViewWidth, kViewHeight), floor(kViewWidth, kViewHeight);
    double oursSeconds = 0, floorSeconds = 0, oursCpu = 0, floorCpu = 0;
    std::size_t frame = 0;
    for (auto _ : state) {
        const std::size_t k = frame++ % std::size(kPans);
        double cpu = CpuSeconds();
        started = std::chrono::steady_clock::now();
        table.Render(source, kPans[k], ours, bands);
        oursSeconds += Seconds(started);
        oursCpu += CpuSeconds() - cpu;
        cpu = CpuSeconds();
        started = std::chrono::steady_clock::now();
        FloorFrame(source, floors[k], bands, floor);
        floorSeconds += Seconds(started);
        floorCpu += CpuSeconds() - cpu;
        benchmark::DoNotOptimize(ours.pixels().data());
        benchmark::DoNotOptimize(floor.pixels().data());
    }
    const double frames = double(std::max<std::size_t>(frame, 1));
    state.counters["frame_ms"] = oursSeconds * 1000 / frames;
    state.counters["floor_ms"] = floorSeconds * 1000 / frames;
    state.counters["ratio"] = floorSeconds > 0 ? oursSeconds / floorSeconds : 0;
    state.counters["cpu_ms"] = oursCpu * 1000 / frames;  // both threads together
    state.counters["cpu_ratio"] = floorCpu > 0 ? oursCpu / floorCpu : 0;
    state.counters["threads"] = bands;
    state.counters["table_mb"] = double(table.Bytes()) / (1024 * 1024);
    state.counters["build_ms"] = buildSeconds * 1000;
}
BENCHMARK(BM_PanoramaFullHd)
    ->ArgNames({"tilt", "threads"})
    ->Args({0, 0})
    ->Args({25, 0})
    ->Args({0, 1})
    ->Args({25, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
