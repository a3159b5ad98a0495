#pragma once
// JPEG files through libjpeg-turbo: baseline and progressive; grayscale, YCbCr, RGB, CMYK and
// YCCK (Adobe's inverted CMYK included). Its reduced-scale decoding (1/2, 1/4, 1/8 of each
// side, rounded up) skips most of the work for a large photo shown fitted. Follows the decoding
// contract of PictureFile.h; the budget applies to the full size, whatever the reduction.
// libjpeg reports errors by longjmp, so every jpeg_* call sits in a function whose locals have
// no destructors, and nothing of C++ is unwound by a jump.
#include <optional>
#include <span>
#include <string>

#include "platform/PictureFile.h"

namespace quindel::platform {

// From the header alone: no pixel is decoded.
std::optional<PictureSize> ReadJpegSize(std::span<const std::uint8_t> bytes,
                                        std::string* error = nullptr);

std::optional<Image> DecodeJpeg(std::span<const std::uint8_t> bytes,
                                const PictureLimits& limits = {}, std::string* error = nullptr);

// At the largest reduction whose output still covers minWidth x minHeight (the whole picture
// when even that is larger than the file).
std::optional<Image> DecodeJpegAtLeast(std::span<const std::uint8_t> bytes, int minWidth,
                                       int minHeight, const PictureLimits& limits = {},
                                       std::string* error = nullptr);

// The reduction DecodeJpegAtLeast takes (PictureFile.h's ReductionFor).
inline int JpegReductionFor(PictureSize full, int minWidth, int minHeight) {
    return ReductionFor(full, minWidth, minHeight);
}

}  // namespace quindel::platform
