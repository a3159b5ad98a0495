#include "hostkit/panorama/Panorama.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "hostkit/base/Bilinear.h"

namespace quindel::hostkit {

using bilinear::RowsAt;
using bilinear::Sample;
using platform::Image;
using platform::Rgba;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// atan2 within 1e-5 radians (Abramowitz and Stegun 4.4.47 on the octant, then unfolded): a
// hundredth of a pixel on an 8000-pixel-wide source, at a fraction of the library's cost.
float FastAtan2(float y, float x) {
    const float ax = std::fabs(x), ay = std::fabs(y);
    const float hi = std::max(ax, ay), lo = std::min(ax, ay);
    const float t = hi > 0 ? lo / hi : 0.0f, t2 = t * t;
    float r = t * (0.9998660f +
                   t2 * (-0.3302995f + t2 * (0.1801410f + t2 * (-0.0851330f + t2 * 0.0208351f))));
    r = ay > ax ? kPi / 2 - r : r;
    r = x < 0 ? kPi - r : r;
    return y < 0 ? -r : r;
}

// Longitudes span one source width, so a column is at most one width out of range.
int WrapColumn(int x, int width) {
    return x < 0 ? x + width : x >= width ? x - width : x;
}

// Where the view's pixels fall in the source. The camera ray through pixel (i, j) is
// (xs[i], y, 1) before the tilt turns it about the x axis; after it, its height and depth
// depend on the row only. The mapping is smooth almost everywhere, so each row is cut into
// short spans: their ends and middle are projected exactly, and where the middle lies on the
// straight line between the ends the span is interpolated; elsewhere (across the seam behind
// the zenith, or by the poles) every pixel is projected.
class Projection {
  public:
    Projection(const PanoramaView& view, int sourceWidth, int sourceHeight)
        : xs_(std::size_t(view.width)), sourceHeight_(sourceHeight) {
        const double fov = std::clamp(view.fovDegrees, 1.0, 179.0) * std::numbers::pi / 180;
        const double tilt = std::clamp(view.tiltDegrees, -90.0, 90.0) * std::numbers::pi / 180;
        const float halfWidth = float(std::tan(fov / 2));
        halfHeight_ = halfWidth * float(view.height) / float(view.width);
        cosTilt_ = float(std::cos(tilt)), sinTilt_ = float(std::sin(tilt));
        for (std::size_t i = 0; i < xs_.size(); ++i)
            xs_[i] = (2 * (float(i) + 0.5f) / float(view.width) - 1) * halfWidth;
        double pan = std::fmod(view.panDegrees, 360.0) / 360.0;
        pan = pan < 0 ? pan + 1 : pan;
        uScale_ = float(sourceWidth) / (2 * kPi), uOffset_ = float(sourceWidth * (0.5 + pan) - 0.5);
        vScale_ = -float(sourceHeight) / kPi, vOffset_ = float(sourceHeight) / 2 - 0.5f;
    }

    // Row j of the view as source positions in 1/256 pixel: u not yet wrapped, v clamped.
    void Row(int j, int height, int* us, int* vs) const {
        const float y = (1 - 2 * (float(j) + 0.5f) / float(height)) * halfHeight_;
        const Ray ray{y * cosTilt_ + sinTilt_, cosTilt_ - y * sinTilt_};
        const int w = int(xs_.size());
        Point a = At(ray, 0);
        Store(a, us[0], vs[0]);
        for (int start = 0; start < w - 1; start += kSpan) {
            const int end = std::min(start + kSpan, w - 1), mid = (start + end) / 2;
            const Point b = At(ray, end), m = At(ray, mid);
            const float t = float(mid - start) / float(end - start);
            const bool straight = std::fabs(a.u + (b.u - a.u) * t - m.u) < kTolerance &&
                                  std::fabs(a.v + (b.v - a.v) * t - m.v) < kTolerance;
            for (int i = start + 1; i <= end; ++i) {
                const float f = float(i - start) / float(end - start);
                Store(straight ? Point{a.u + (b.u - a.u) * f, a.v + (b.v - a.v) * f} : At(ray, i),
                      us[i], vs[i]);
            }
            a = b;
        }
    }

  private:
    static constexpr int kSpan = 8;
    static constexpr float kTolerance = 0.125f;  // source pixels
    struct Ray {
        float up, depth;
    };
    struct Point {
        float u, v;
    };

    Point At(const Ray& r, int i) const {
        const float x = xs_[std::size_t(i)];
        return {FastAtan2(x, r.depth) * uScale_ + uOffset_,
                FastAtan2(r.up, std::sqrt(x * x + r.depth * r.depth)) * vScale_ + vOffset_};
    }
    void Store(const Point& p, int& u, int& v) const {
        u = int(p.u * 256);
        v = int(std::clamp(p.v, 0.0f, float(sourceHeight_ - 1)) * 256);
    }

    std::vector<float> xs_;
    int sourceHeight_;
    float halfHeight_, cosTilt_, sinTilt_, uScale_, uOffset_, vScale_, vOffset_;
};

}  // namespace

Image RenderPanorama(const Image& equirect, const PanoramaView& view) {
    Image out(view.width, view.height, 0);
    if (out.empty() || equirect.empty()) return out;
    const int sw = equirect.width();
    const Projection projection(view, sw, equirect.height());
    const auto columns = std::size_t(view.width);
    std::vector<int> us(columns), vs(columns);
    for (int j = 0; j < view.height; ++j) {
        projection.Row(j, view.height, us.data(), vs.data());
        for (std::size_t i = 0; i < columns; ++i) {
            const int x0 = WrapColumn(us[i] >> 8, sw), x1 = x0 + 1 == sw ? 0 : x0 + 1;
            out.setPixel(int(i), j,
                         Sample(RowsAt(equirect, vs[i]), x0, x1, std::uint32_t(us[i] & 255)));
        }
    }
    return out;
}

}  // namespace quindel::hostkit
