#pragma once
// Where each pixel of a perspective view falls in an equirectangular picture, worked out once
// per view size, field of view and source size, with the conventions of Panorama.h (pan 0 looks
// at the middle of the picture, positive pans turn right, the field of view is horizontal, the
// horizon level). Turning is a pure shift in longitude, so rendering at another pan angle only
// offsets the table's columns: one bilinear remap a frame, no trigonometry. Across the seam the
// last column's neighbour is the first; beyond the poles the outer rows repeat.
#include <cstdint>
#include <vector>

#include "platform/Image.h"

namespace quindel::hostkit {

class PanoramaTable {
  public:
    PanoramaTable(int viewWidth, int viewHeight, double fovDegrees, int sourceWidth,
                  int sourceHeight);

    // Whether the table serves these parameters.
    bool Serves(int viewWidth, int viewHeight, double fovDegrees, int sourceWidth,
                int sourceHeight) const;

    // The view at `panDegrees` into out (resized to the view's size). The source must have the
    // size the table was made for.
    void Render(const platform::Image& source, double panDegrees, platform::Image& out) const;

    std::int64_t Bytes() const;

  private:
    int viewWidth_, viewHeight_;
    double fov_;
    int sourceWidth_, sourceHeight_;
    std::vector<std::int32_t> columns_;  // per view column: source column at pan 0, 1/256 px
    std::vector<std::int32_t> rows_;     // per view pixel: source row, 1/256 px, within the rows
};

}  // namespace quindel::hostkit
