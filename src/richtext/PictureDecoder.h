#pragma once
// Pictures of the document for painting: their pixel size read from the encoded header, and
// their pixels. PNG decodes here (libpng); JPEG is left to the platform's picture decoders, and
// until a decoder is given a JPEG decodes to nothing, which the painter shows as a framed box
// of the picture's size. Decoding never throws; data that is not a usable picture, or larger
// than kMaxPixels, decodes to an empty image.
#include <cstdint>
#include <string_view>

#include "platform/Image.h"
#include "richtext/Document.h"

namespace quindel::richtext {

class PictureDecoder {
  public:
    static constexpr std::int64_t kMaxPixels = 16LL * 1024 * 1024;

    // The width and height in pixels that the data's header gives; false when it gives none.
    static bool EncodedSize(std::string_view data, Picture::Kind kind, int& width, int& height);
    static platform::Image Decode(const Picture& p);
};

}  // namespace quindel::richtext
