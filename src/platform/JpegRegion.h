#pragma once
// Parts of a JPEG decoded without the rest, for showing a large photo at actual size at once.
// Contract:
// - InspectJpeg reads the header alone: the picture's size, whether it is progressive, and
//   whether DecodeJpegRegion can decode it (YCbCr, RGB or grey; CMYK is not).
// - DecodeJpegRegion gives the pixels of `region` (clipped to the picture) at full size, equal to
//   the same pixels of a whole decode through PictureFile.h. libjpeg-turbo transforms only the
//   columns the region needs and skips the rows above it (read, not transformed), so for a
//   baseline file the cost follows the region's size and how far down it lies; a progressive
//   file gains little. Nothing when the file is not such a JPEG, is damaged, would need more
//   than PictureLimits' working memory, or *cancel became true (looked at between rows).
// - libjpeg reports errors by longjmp: every jpeg_* call sits in a function whose locals have no
//   destructors.
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/Geometry.h"
#include "platform/Image.h"
#include "platform/PictureFile.h"

namespace quindel::platform {

struct JpegInfo {
    PictureSize size;
    bool progressive = false;
    bool regions = false;  // DecodeJpegRegion decodes it
};

std::optional<JpegInfo> InspectJpeg(std::span<const std::uint8_t> bytes);

std::optional<Image> DecodeJpegRegion(std::span<const std::uint8_t> bytes, RectPx region,
                                      const std::atomic<bool>* cancel = nullptr);

}  // namespace quindel::platform
