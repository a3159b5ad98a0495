#include "hostkit/panorama/PanoramaTable.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quindel::hostkit {

using platform::Image;
using platform::Rgba;

namespace {

constexpr double kFixed = 256;  // table positions are in 1/256 source pixel

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// The four neighbours weighted by the fractions fx, fy (0..256), channel by channel.
Rgba Bilinear(Rgba p00, Rgba p10, Rgba p01, Rgba p11, std::uint32_t fx, std::uint32_t fy) {
    const std::uint32_t w00 = (256 - fx) * (256 - fy), w10 = fx * (256 - fy), w01 = (256 - fx) * fy,
                        w11 = fx * fy;
    Rgba out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t sum = ((p00 >> shift) & 255) * w00 + ((p10 >> shift) & 255) * w10 +
                                  ((p01 >> shift) & 255) * w01 + ((p11 >> shift) & 255) * w11;
        out |= ((sum + 32768) >> 16) << shift;
    }
    return out;
}

}  // namespace

PanoramaTable::PanoramaTable(int viewWidth, int viewHeight, double fovDegrees, int sourceWidth,
                             int sourceHeight)
    : viewWidth_(std::max(viewWidth, 0)),
      viewHeight_(std::max(viewHeight, 0)),
      fov_(fovDegrees),
      sourceWidth_(sourceWidth),
      sourceHeight_(sourceHeight),
      columns_(std::size_t(viewWidth_)),
      rows_(std::size_t(viewWidth_) * std::size_t(viewHeight_)) {
    const double halfWidth = std::tan(Radians(std::clamp(fovDegrees, 1.0, 179.0)) / 2);
    const double halfHeight = viewWidth_ > 0 ? halfWidth * viewHeight_ / viewWidth_ : 0;
    // Camera rays (x, y, 1) through pixel centres: longitude depends on the column only.
    std::vector<double> xs(columns_.size());
    for (int i = 0; i < viewWidth_; ++i) {
        xs[std::size_t(i)] = (2 * (i + 0.5) / viewWidth_ - 1) * halfWidth;
        const double u =
            (std::atan(xs[std::size_t(i)]) / (2 * std::numbers::pi) + 0.5) * sourceWidth - 0.5;
        columns_[std::size_t(i)] = std::int32_t(std::lround(u * kFixed));
    }
    const double lastRow = std::max(sourceHeight - 1, 0);
    for (int j = 0; j < viewHeight_; ++j) {
        const double y = (1 - 2 * (j + 0.5) / viewHeight_) * halfHeight;
        for (int i = 0; i < viewWidth_; ++i) {
            const double x = xs[std::size_t(i)];
            const double latitude = std::atan2(y, std::sqrt(x * x + 1));
            const double v = (0.5 - latitude / std::numbers::pi) * sourceHeight - 0.5;
            rows_[std::size_t(j) * std::size_t(viewWidth_) + std::size_t(i)] =
                std::int32_t(std::lround(std::clamp(v, 0.0, lastRow) * kFixed));
        }
    }
}

bool PanoramaTable::Serves(int viewWidth, int viewHeight, double fovDegrees, int sourceWidth,
                           int sourceHeight) const {
    return viewWidth == viewWidth_ && viewHeight == viewHeight_ && fovDegrees == fov_ &&
           sourceWidth == sourceWidth_ && sourceHeight == sourceHeight_;
}

void PanoramaTable::Render(const Image& source, double panDegrees, Image& out) const {
    if (out.width() != viewWidth_ || out.height() != viewHeight_)
        out = Image(viewWidth_, viewHeight_, 0);
    if (source.empty() || out.empty()) return;
    double turn = std::fmod(panDegrees, 360.0) / 360.0;
    turn = turn < 0 ? turn + 1 : turn;
    const auto shift = std::int32_t(std::lround(turn * sourceWidth_ * kFixed));
    const Rgba* pixels = source.pixels().data();
    const auto stride = std::size_t(sourceWidth_);
    for (int j = 0; j < viewHeight_; ++j) {
        const std::int32_t* rowOf = rows_.data() + std::size_t(j) * std::size_t(viewWidth_);
        for (int i = 0; i < viewWidth_; ++i) {
            const std::int32_t u = columns_[std::size_t(i)] + shift, v = rowOf[i];
            int x0 = (u >> 8) % sourceWidth_;  // u >= -128 and the shift keeps it near range
            x0 = x0 < 0 ? x0 + sourceWidth_ : x0;
            const int x1 = x0 + 1 == sourceWidth_ ? 0 : x0 + 1;
            const int y0 = v >> 8, y1 = std::min(y0 + 1, sourceHeight_ - 1);
            const Rgba* top = pixels + std::size_t(y0) * stride;
            const Rgba* bottom = pixels + std::size_t(y1) * stride;
            out.setPixel(i, j,
                         Bilinear(top[x0], top[x1], bottom[x0], bottom[x1], std::uint32_t(u & 255),
                                  std::uint32_t(v & 255)));
        }
    }
}

std::int64_t PanoramaTable::Bytes() const {
    return std::int64_t(columns_.size() + rows_.size()) * std::int64_t(sizeof(std::int32_t));
}

}  // namespace quindel::hostkit
