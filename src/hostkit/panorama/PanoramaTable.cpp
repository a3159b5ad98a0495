#include "hostkit/panorama/PanoramaTable.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "hostkit/base/Bilinear.h"

namespace quindel::hostkit {

using platform::Image;
using platform::Rgba;

namespace {

constexpr double kFixed = 256;  // table positions are in 1/256 source pixel

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// Source positions of a longitude and a latitude, in 1/256 pixel at pan 0.
std::int32_t FixedColumn(double longitude, int sourceWidth) {
    const double u = (longitude / (2 * std::numbers::pi) + 0.5) * sourceWidth - 0.5;
    return std::int32_t(std::lround(u * kFixed));
}
std::int32_t FixedRow(double latitude, int sourceHeight) {
    const double v = (0.5 - latitude / std::numbers::pi) * sourceHeight - 0.5;
    return std::int32_t(
        std::lround(std::clamp(v, 0.0, double(std::max(sourceHeight - 1, 0))) * kFixed));
}

// A shifted u (within [-128, 2 * width * 256)) as the two neighbouring columns and the weight
// of the second, without a division.
struct Column {
    int x0, x1;
    std::uint32_t weight;
};
inline Column Wrapped(std::int32_t u, int width) {
    int x0 = u >> 8;
    x0 = x0 >= width ? x0 - width : x0;
    x0 = x0 < 0 ? x0 + width : x0;
    return {x0, x0 + 1 == width ? 0 : x0 + 1, std::uint32_t(u & 255)};
}

#if defined(__SSE2__)
// bilinear::Sample's arithmetic, four channels of two pixels at a time: the same truncations in
// the same order (across the columns first, then down), so the same pixels.
inline Rgba Blend(Rgba t0, Rgba t1, Rgba b0, Rgba b1, std::uint32_t wx, std::uint32_t wy) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i first = _mm_unpacklo_epi8(
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(t0)), _mm_cvtsi32_si128(int(b0))), zero);
    const __m128i second = _mm_unpacklo_epi8(
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(t1)), _mm_cvtsi32_si128(int(b1))), zero);
    const __m128i across =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(first, _mm_set1_epi16(short(256 - wx))),
                                     _mm_mullo_epi16(second, _mm_set1_epi16(short(wx)))),
                       8);
    const __m128i down = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(across, _mm_set1_epi16(short(256 - wy))),
                      _mm_mullo_epi16(_mm_srli_si128(across, 8), _mm_set1_epi16(short(wy)))),
        8);
    return Rgba(_mm_cvtsi128_si32(_mm_packus_epi16(down, zero)));
}
#else
inline Rgba Blend(Rgba t0, Rgba t1, Rgba b0, Rgba b1, std::uint32_t wx, std::uint32_t wy) {
    return bilinear::Lerp(bilinear::Lerp(t0, t1, wx), bilinear::Lerp(b0, b1, wx), wy);
}
#endif

// The pixel at source row v (1/256 pixel, within the rows) between columns c.
inline Rgba SampleAt(const Rgba* pixels, std::size_t stride, int lastRow, std::int32_t v,
                     const Column& c) {
    const int y0 = v >> 8;
    const Rgba* top = pixels + std::size_t(y0) * stride;
    const Rgba* bottom = y0 < lastRow ? top + stride : top;
    return Blend(top[c.x0], top[c.x1], bottom[c.x0], bottom[c.x1], c.weight,
                 std::uint32_t(v & 255));
}

// How many bands a view of width x height is worked out in: one per core, none for less than
// kPixelsPerBand pixels.
int BandsFor(int width, int height) {
    const std::int64_t pixels = std::int64_t(width) * height;
    return int(std::min<std::int64_t>(
        {std::max(1u, std::thread::hardware_concurrency()), PanoramaTable::kMaxBands,
         std::max<std::int64_t>(1, pixels / PanoramaTable::kPixelsPerBand)}));
}

// rows(first, end) over `bands` bands of the height's rows, the first band on this thread and
// each other on a thread of its own; returns when every band is done.
template <class Rows>
void InBands(int height, int bands, const Rows& rows) {
    bands = std::clamp(bands, 1, std::max(height, 1));
    std::vector<std::jthread> helpers;
    for (int b = 1; b < bands; ++b)
        helpers.emplace_back([&, b] { rows(height * b / bands, height * (b + 1) / bands); });
    rows(0, height / bands);
}

}  // namespace

// The level table's columns at one pan angle, worked out once a frame.
struct PanoramaTable::Columns {
    std::vector<Column> at;
};

PanoramaTable::PanoramaTable(int viewWidth, int viewHeight, double fovDegrees, int sourceWidth,
                             int sourceHeight, double tiltDegrees)
    : viewWidth_(std::max(viewWidth, 0)),
      viewHeight_(std::max(viewHeight, 0)),
      fov_(fovDegrees),
      tilt_(tiltDegrees),
      sourceWidth_(sourceWidth),
      sourceHeight_(sourceHeight) {
    const double halfWidth = std::tan(Radians(std::clamp(fovDegrees, 1.0, 179.0)) / 2);
    const double halfHeight = viewWidth_ > 0 ? halfWidth * viewHeight_ / viewWidth_ : 0;
    const double tilt = Radians(std::clamp(tiltDegrees, -90.0, 90.0));
    if (tilt == 0)
        BuildLevel(halfWidth, halfHeight);
    else
        BuildTilted(halfWidth, halfHeight, tilt);
}

// Camera rays (x, y, 1) through pixel centres: the longitude depends on the column only, and the
// latitude is the same for mirrored columns, so half of each row is worked out.
void PanoramaTable::BuildLevel(double halfWidth, double halfHeight) {
    const auto w = std::size_t(viewWidth_);
    columns_.resize(w);
    rows_.resize(w * std::size_t(viewHeight_));
    std::vector<double> radii(w);
    for (std::size_t i = 0; i < w; ++i) {
        const double x = (2 * (double(i) + 0.5) / viewWidth_ - 1) * halfWidth;
        columns_[i] = FixedColumn(std::atan(x), sourceWidth_);
        radii[i] = std::sqrt(x * x + 1);
    }
    InBands(viewHeight_, BandsFor(viewWidth_, viewHeight_), [&](int first, int end) {
        for (std::size_t j = std::size_t(first); j < std::size_t(end); ++j) {
            const double y = (1 - 2 * (double(j) + 0.5) / viewHeight_) * halfHeight;
            std::int32_t* row = rows_.data() + j * w;
            for (std::size_t i = 0; i < (w + 1) / 2; ++i)
                row[i] = row[w - 1 - i] = FixedRow(std::atan2(y, radii[i]), sourceHeight_);
        }
    });
}

// The ray (x, y, 1) turned up by the tilt about the view's horizontal axis.
void PanoramaTable::BuildTilted(double halfWidth, double halfHeight, double tilt) {
    const auto w = std::size_t(viewWidth_);
    us_.resize(w * std::size_t(viewHeight_));
    rows_.resize(us_.size());
    const double c = std::cos(tilt), s = std::sin(tilt);
    InBands(viewHeight_, BandsFor(viewWidth_, viewHeight_), [&](int first, int end) {
        for (std::size_t j = std::size_t(first); j < std::size_t(end); ++j) {
            const double y = (1 - 2 * (double(j) + 0.5) / viewHeight_) * halfHeight;
            const double up = y * c + s, depth = c - y * s;
            for (std::size_t i = 0; i < w; ++i) {
                const double x = (2 * (double(i) + 0.5) / viewWidth_ - 1) * halfWidth;
                us_[j * w + i] = FixedColumn(std::atan2(x, depth), sourceWidth_);
                rows_[j * w + i] =
                    FixedRow(std::atan2(up, std::sqrt(x * x + depth * depth)), sourceHeight_);
            }
        }
    });
}

bool PanoramaTable::Serves(int viewWidth, int viewHeight, double fovDegrees, int sourceWidth,
                           int sourceHeight, double tiltDegrees) const {
    return viewWidth == viewWidth_ && viewHeight == viewHeight_ && fovDegrees == fov_ &&
           tiltDegrees == tilt_ && sourceWidth == sourceWidth_ && sourceHeight == sourceHeight_;
}

void PanoramaTable::Render(const Image& source, double panDegrees, Image& out, int bands) const {
    if (out.width() != viewWidth_ || out.height() != viewHeight_)
        out = Image(viewWidth_, viewHeight_, 0);
    if (source.empty() || out.empty()) return;
    double turn = std::fmod(panDegrees, 360.0) / 360.0;
    turn = turn < 0 ? turn + 1 : turn;
    const std::int32_t turnFixed = sourceWidth_ * std::int32_t(kFixed);
    const std::int32_t shift = std::int32_t(std::lround(turn * turnFixed)) % turnFixed;
    Columns columns;
    if (!columns_.empty()) {
        columns.at.resize(columns_.size());
        for (std::size_t i = 0; i < columns_.size(); ++i)
            columns.at[i] = Wrapped(columns_[i] + shift, sourceWidth_);
    }
    const Columns* level = columns_.empty() ? nullptr : &columns;
    Rgba* const target = out.row(0);  // drops any denser drawing before the bands write
    InBands(viewHeight_, bands > 0 ? bands : BandsFor(viewWidth_, viewHeight_),
            [&](int first, int end) { RenderRows(source, shift, level, first, end, target); });
}

void PanoramaTable::RenderRows(const Image& source, std::int32_t shift, const Columns* columns,
                               int firstRow, int endRow, Rgba* target) const {
    const Rgba* pixels = source.pixels().data();
    const auto stride = std::size_t(sourceWidth_), w = std::size_t(viewWidth_);
    const int lastRow = sourceHeight_ - 1;
    for (std::size_t j = std::size_t(firstRow); j < std::size_t(endRow); ++j) {
        const std::int32_t* vs = rows_.data() + j * w;
        Rgba* dst = target + j * w;
        if (columns) {
            const Column* at = columns->at.data();
            for (std::size_t i = 0; i < w; ++i)
                dst[i] = SampleAt(pixels, stride, lastRow, vs[i], at[i]);
        } else {
            const std::int32_t* us = us_.data() + j * w;
            for (std::size_t i = 0; i < w; ++i)
                dst[i] =
                    SampleAt(pixels, stride, lastRow, vs[i], Wrapped(us[i] + shift, sourceWidth_));
        }
    }
}

std::int64_t PanoramaTable::Bytes() const {
    return std::int64_t(columns_.size() + us_.size() + rows_.size()) *
           std::int64_t(sizeof(std::int32_t));
}

}  // namespace quindel::hostkit
