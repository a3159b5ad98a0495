#include "platform/PictureFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "platform/Bmp.h"
#include "platform/JpegDecoder.h"
#include "platform/PngDecoder.h"
#include "platform/RegularFile.h"

namespace quindel::platform {

namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
    return bytes.size() >= magic.size() &&
           std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
}

int Be32(std::span<const std::uint8_t> b, std::size_t at) {
    return int(std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 |
               std::uint32_t(b[at + 2]) << 8 | b[at + 3]);
}
int Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}
std::int64_t Le32Signed(std::span<const std::uint8_t> b, std::size_t at) {
    return std::int32_t(std::uint32_t(Le16(b, at)) | std::uint32_t(Le16(b, at + 2)) << 16);
}

// The sizes the headers of the formats other than JPEG claim, at fixed places.
std::optional<PictureSize> FixedHeaderSize(PictureFormat format, std::span<const std::uint8_t> b) {
    if (format == PictureFormat::Png && b.size() >= 24 && StartsWith(b.subspan(12), "IHDR"))
        return PictureSize{Be32(b, 16), Be32(b, 20)};
    if (format == PictureFormat::Gif && b.size() >= 10) return PictureSize{Le16(b, 6), Le16(b, 8)};
    if (format == PictureFormat::Bmp && b.size() >= 26) {
        const std::int64_t height = std::abs(Le32Signed(b, 22));  // negative: rows top down
        return PictureSize{int(Le32Signed(b, 18)), int(std::min<std::int64_t>(height, INT32_MAX))};
    }
    return std::nullopt;
}

std::optional<Image> Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return std::nullopt;
}

std::optional<Image> DecodeGifFirstFrame(std::span<const std::uint8_t> bytes,
                                         const PictureLimits& limits, std::string* error) {
    auto gif = GifAnimation::DecodeWithin(bytes, {limits.maxSide, limits.maxPixels, 1}, error);
    if (!gif) return std::nullopt;
    return gif->Frame(0);
}

std::optional<Image> DecodeBmpWithin(std::span<const std::uint8_t> bytes,
                                     const PictureLimits& limits, std::string* error) {
    const auto size = FixedHeaderSize(PictureFormat::Bmp, bytes);
    if (!size || !limits.Allows(size->width, size->height))
        return Fail(error, "BMP: the picture is larger than the budget allows");
    auto img = DecodeBmp({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    if (!img) return Fail(error, "BMP: not a bitmap this reader knows, or cut short");
    return img;
}

}  // namespace

PictureFormat SniffPictureFormat(std::span<const std::uint8_t> bytes) {
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n")) return PictureFormat::Png;
    if (StartsWith(bytes, "\xFF\xD8\xFF")) return PictureFormat::Jpeg;
    if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) return PictureFormat::Gif;
    if (StartsWith(bytes, "BM")) return PictureFormat::Bmp;
    return PictureFormat::Unknown;
}

std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> bytes,
                                           std::string* error) {
    const PictureFormat format = SniffPictureFormat(bytes);
    if (format == PictureFormat::Jpeg) return ReadJpegSize(bytes, error);
    auto size = FixedHeaderSize(format, bytes);
    if (size && size->width > 0 && size->height > 0) return size;
    if (error)
        *error = format == PictureFormat::Unknown ? "not a picture format this reader knows"
                                                  : "the picture's header is damaged";
    return std::nullopt;
}

int ReductionFor(PictureSize full, int minWidth, int minHeight) {
    for (int n : {8, 4, 2})
        if ((full.width + n - 1) / n >= minWidth && (full.height + n - 1) / n >= minHeight)
            return n;
    return 1;
}

bool DecodesReduced(std::span<const std::uint8_t> bytes) {
    switch (SniffPictureFormat(bytes)) {
        case PictureFormat::Jpeg:
            return true;
        case PictureFormat::Png:
            return !PngInterlaced(bytes);
        default:
            return false;
    }
}

std::optional<Image> DecodePictureAtLeast(std::span<const std::uint8_t> bytes, int minWidth,
                                          int minHeight, const PictureLimits& limits,
                                          std::string* error) {
    switch (SniffPictureFormat(bytes)) {
        case PictureFormat::Png:
            return DecodePngAtLeast(bytes, minWidth, minHeight, limits, error);
        case PictureFormat::Jpeg:
            return DecodeJpegAtLeast(bytes, minWidth, minHeight, limits, error);
        case PictureFormat::Gif:
            return DecodeGifFirstFrame(bytes, limits, error);
        case PictureFormat::Bmp:
            return DecodeBmpWithin(bytes, limits, error);
        case PictureFormat::Unknown:
            break;
    }
    return Fail(error, "not a picture format this reader knows");
}

std::optional<Image> DecodePicture(std::span<const std::uint8_t> bytes, const PictureLimits& limits,
                                   std::string* error) {
    return DecodePictureAtLeast(bytes, INT32_MAX, INT32_MAX, limits, error);
}

std::optional<std::string> ReadPictureFile(const std::string& path, std::string* error) {
    ReadResult r = ReadRegularFile(path, kMaxPictureFileBytes);
    if (!r.bytes && error) *error = r.why;
    return std::move(r.bytes);
}

}  // namespace quindel::platform
