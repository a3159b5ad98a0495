#include "richtext/PictureDecoder.h"

#include "platform/PictureFile.h"

namespace quindel::richtext {

namespace {

std::span<const std::uint8_t> Bytes(std::string_view s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

}  // namespace

bool PictureDecoder::EncodedSize(std::string_view data, int& width, int& height) {
    const auto size = platform::ReadPictureSize(Bytes(data));
    if (!size) return false;
    width = size->width;
    height = size->height;
    return true;
}

platform::Image PictureDecoder::Decode(const Picture& p, int minWidth, int minHeight) {
    platform::PictureLimits limits;
    limits.maxPixels = kMaxPixels;
    auto img = platform::DecodePictureAtLeast(Bytes(p.data), minWidth, minHeight, limits);
    return img ? std::move(*img) : platform::Image();
}

}  // namespace quindel::richtext
