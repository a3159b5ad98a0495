#pragma once
// Reading Windows bitmaps (1, 4, 8, 24 and 32 bits per pixel, uncompressed): the format of the
// committed artwork.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Image.h"

namespace quindel::platform {

std::optional<Image> DecodeBmp(std::string_view bytes);
std::optional<Image> LoadBmp(const std::string& path);
// Pixels of the given colour become fully transparent (cursor artwork uses magenta as its key).
Image WithTransparentKey(Image img, Rgba key);

}  // namespace quindel::platform
