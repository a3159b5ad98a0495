#pragma once
// Pictures of the document for painting, through the platform's picture decoders: the pixel
// size their header gives, and their pixels at a size that covers the size they are shown at
// (a large JPEG shown small decodes reduced). Decoding never throws; data that is not a usable
// picture, or whose header promises more than kMaxPixels, decodes to an empty image, which the
// painter shows as a framed box of the picture's size.
#include <cstdint>
#include <string_view>

#include "platform/Image.h"
#include "richtext/Document.h"

namespace quindel::richtext {

class PictureDecoder {
  public:
    static constexpr std::int64_t kMaxPixels = 16LL * 1024 * 1024;

    // The width and height in pixels that the data's header gives; false when it gives none.
    static bool EncodedSize(std::string_view data, int& width, int& height);
    static platform::Image Decode(const Picture& p, int minWidth, int minHeight);
};

}  // namespace quindel::richtext
