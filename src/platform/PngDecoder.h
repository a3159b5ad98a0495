#pragma once
// PNG files through libpng: every colour type and bit depth, palettes, tRNS transparency and
// Adam7 interlace become RGBA (16-bit samples are scaled to 8). Follows the decoding contract
// of PictureFile.h. libpng reports errors by longjmp, so every libpng call sits in a function
// whose locals have no destructors, and nothing of C++ is unwound by a jump.
#include <optional>
#include <span>
#include <string>

#include "platform/PictureFile.h"

namespace quindel::platform {

std::optional<Image> DecodePng(std::span<const std::uint8_t> bytes,
                               const PictureLimits& limits = {}, std::string* error = nullptr);
// Reduced by ReductionFor (each output pixel the mean of its block) while the rows stream in, so
// only the reduced picture is ever held; an interlaced file decodes whole into the picture
// itself (its passes need every row), within the work budget.
std::optional<Image> DecodePngAtLeast(std::span<const std::uint8_t> bytes, int minWidth,
                                      int minHeight, const PictureLimits& limits = {},
                                      std::string* error = nullptr);
// Whether the file's header says Adam7 interlace.
bool PngInterlaced(std::span<const std::uint8_t> bytes);

}  // namespace quindel::platform
