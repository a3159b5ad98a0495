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

}  // namespace quindel::platform
