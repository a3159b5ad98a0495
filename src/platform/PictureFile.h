#pragma once
// Pictures from the files content arrives in: PNG, JPEG, GIF (its first frame) and BMP, told
// apart by their first bytes, never by the file's name. Contract, for every decoder here:
// - Any byte string is safe: decoding never crashes, hangs or throws (short of the machine
//   running out of memory within the budgets below); a failure gives nothing and the reason
//   in *error (when error is not null).
// - Budgets (PictureLimits) are checked from the header, before any pixel memory exists.
// - Pixels are 8-bit samples as stored (no gamma or colour-profile correction), with straight
//   (not premultiplied) alpha; opaque formats give alpha 255.
// - A file cut short keeps what was decoded before the cut, and fails when that is nothing:
//   JPEG shows the rest in the library's grey; PNG keeps the rows of the data chunks that
//   arrived whole (the rest transparent), so a file with all rows in one chunk fails; GIF
//   keeps frames and rows as GifAnimation says; BMP needs the whole file.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/GifAnimation.h"
#include "platform/Image.h"

namespace quindel::platform {

enum class PictureFormat { Unknown, Png, Jpeg, Gif, Bmp };

struct PictureLimits {
    int maxSide = GifAnimation::kMaxSide;
    std::int64_t maxPixels = GifAnimation::kMaxPixels;
    // The decoder's own working memory besides the picture (a progressive JPEG's coefficients,
    // an interlaced PNG's whole-picture buffer): 256 MB, a 40-megapixel progressive JPEG.
    std::int64_t maxWorkBytes = 256LL * 1024 * 1024;

    bool Allows(std::int64_t width, std::int64_t height) const {
        return width > 0 && height > 0 && width <= maxSide && height <= maxSide &&
               width * height <= maxPixels;
    }
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

PictureFormat SniffPictureFormat(std::span<const std::uint8_t> bytes);

// The picture's full size in pixels, from its header alone.
std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> bytes,
                                           std::string* error = nullptr);

std::optional<Image> DecodePicture(std::span<const std::uint8_t> bytes,
                                   const PictureLimits& limits = {}, std::string* error = nullptr);

// For fitted display: the picture at a reduced size that still covers minWidth x minHeight
// where the format decodes smaller for less (JPEG, and PNG without interlace: then no more than
// the reduced picture is ever held), else whole; the caller scales the rest.
// DecodesReduced says whether a file's format and layout are of that kind.
bool DecodesReduced(std::span<const std::uint8_t> bytes);
// The largest of 8, 4, 2 and 1 by which a picture of `full` size may be divided each way and
// still cover minWidth x minHeight.
int ReductionFor(PictureSize full, int minWidth, int minHeight);
std::optional<Image> DecodePictureAtLeast(std::span<const std::uint8_t> bytes, int minWidth,
                                          int minHeight, const PictureLimits& limits = {},
                                          std::string* error = nullptr);

// The whole file, or nothing (with the reason) when it is no regular file, cannot be read or is
// larger than kMaxPictureFileBytes, more than any picture within the default limits needs.
constexpr std::int64_t kMaxPictureFileBytes = 512LL * 1024 * 1024;
std::optional<std::string> ReadPictureFile(const std::string& path, std::string* error = nullptr);

inline std::span<const std::uint8_t> BytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

}  // namespace quindel::platform
