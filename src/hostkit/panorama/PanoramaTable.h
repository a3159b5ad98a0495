#pragma once
// Where each pixel of a perspective view falls in an equirectangular picture, worked out once
// per view size, field of view, tilt and source size, with the conventions of Panorama.h (pan 0
// looks at the middle of the picture, positive pans turn right, the field of view is horizontal,
// positive tilts look up). Turning is a pure shift in longitude, so rendering at another pan
// angle only offsets the table's columns: one bilinear remap a frame, no trigonometry, no
// division. Across the seam the last column's neighbour is the first; beyond the poles the outer
// rows repeat.
//
// With the horizon level a column's longitude is the same on every row, so the table keeps one
// source column per view column and a source row per pixel; tilted, it keeps both per pixel.
// A large view is worked out and rendered in horizontal bands, one per core (at most kMaxBands):
// rows are independent, so the pixels are the same however many bands there are.
#include <cstdint>
#include <vector>

#include "platform/Image.h"

namespace quindel::hostkit {

class PanoramaTable {
  public:
    static constexpr int kMaxBands = 4;
    // Views of fewer pixels are rendered on the calling thread alone: a thread costs more.
    static constexpr std::int64_t kPixelsPerBand = 128 * 1024;

    PanoramaTable(int viewWidth, int viewHeight, double fovDegrees, int sourceWidth,
                  int sourceHeight, double tiltDegrees = 0);

    // Whether the table serves these parameters.
    bool Serves(int viewWidth, int viewHeight, double fovDegrees, int sourceWidth, int sourceHeight,
                double tiltDegrees = 0) const;

    // The view at `panDegrees` into out (resized to the view's size). The source must have the
    // size the table was made for. `bands` 0 chooses by the view's size and the cores.
    void Render(const platform::Image& source, double panDegrees, platform::Image& out,
                int bands = 0) const;

    std::int64_t Bytes() const;

  private:
    struct Columns;
    void BuildLevel(double halfWidth, double halfHeight);
    void BuildTilted(double halfWidth, double halfHeight, double tilt);
    void RenderRows(const platform::Image& source, std::int32_t shift, const Columns* columns,
                    int firstRow, int endRow, platform::Rgba* target) const;

    int viewWidth_, viewHeight_;
    double fov_, tilt_;
    int sourceWidth_, sourceHeight_;
    // Source positions at pan 0 in 1/256 pixel: u within [-128, width * 256), v within the rows.
    std::vector<std::int32_t> columns_;  // level: u per view column
    std::vector<std::int32_t> us_;       // tilted: u per view pixel
    std::vector<std::int32_t> rows_;     // v per view pixel
};

}  // namespace quindel::hostkit
