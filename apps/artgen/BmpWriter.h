#pragma once
// 8-bit palette BMP output: the format the panel loads its button strip and pointers from.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Image.h"

namespace quindel::artgen {

// Encodes an opaque picture as BITMAPFILEHEADER + BITMAPINFOHEADER (BI_RGB, bottom-up rows
// padded to 4 bytes) + palette + indices. The palette starts with `fixedPalette` (e.g. the
// transparent colour of pointers, which must be entry 0) followed by the picture's other
// colours in order of first appearance, so the bytes depend on the pixels only.
// Throws std::runtime_error when more than 256 colours are needed.
std::vector<std::uint8_t> EncodeIndexedBmp(const platform::Image& image,
                                           const std::vector<platform::Rgba>& fixedPalette = {});

// Throws std::runtime_error when the file cannot be written.
void WriteIndexedBmp(const std::string& path, const platform::Image& image,
                     const std::vector<platform::Rgba>& fixedPalette = {});

}  // namespace quindel::artgen
