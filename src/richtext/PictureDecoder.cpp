#include "richtext/PictureDecoder.h"

#include <png.h>

#include <vector>

namespace quindel::richtext {

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

std::uint32_t BigEndian(std::string_view d, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(d[at + std::size_t(i)]);
    return v;
}

bool PngSize(std::string_view d, int& w, int& h) {
    if (d.size() < 24 || d.substr(0, 8) != kPngSignature || d.substr(12, 4) != "IHDR") return false;
    w = int(std::min<std::uint32_t>(BigEndian(d, 16, 4), 1u << 30));
    h = int(std::min<std::uint32_t>(BigEndian(d, 20, 4), 1u << 30));
    return w > 0 && h > 0;
}

bool IsStartOfFrame(unsigned char m) {
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

// Walks the marker segments up to the first start-of-frame.
bool JpegSize(std::string_view d, int& w, int& h) {
    if (d.size() < 4 || static_cast<unsigned char>(d[0]) != 0xFF ||
        static_cast<unsigned char>(d[1]) != 0xD8)
        return false;
    std::size_t i = 2;
    while (i + 4 <= d.size()) {
        if (static_cast<unsigned char>(d[i]) != 0xFF) return false;
        const auto marker = static_cast<unsigned char>(d[i + 1]);
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        const std::uint32_t length = BigEndian(d, i + 2, 2);
        if (IsStartOfFrame(marker)) {
            if (i + 9 > d.size()) return false;
            h = int(BigEndian(d, i + 5, 2));
            w = int(BigEndian(d, i + 7, 2));
            return w > 0 && h > 0;
        }
        if (length < 2) return false;
        i += 2 + length;
    }
    return false;
}

platform::Image DecodePng(const std::string& data) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return {};
    if (std::int64_t(image.width) * image.height > PictureDecoder::kMaxPixels || image.width == 0 ||
        image.height == 0) {
        png_image_free(&image);
        return {};
    }
    // BGRA bytes are the 0xAARRGGBB words of an Image on a little-endian machine.
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(std::size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    platform::Image out(int(image.width), int(image.height));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, pixels[std::size_t(y) * image.width + std::size_t(x)]);
    return out;
}

}  // namespace

bool PictureDecoder::EncodedSize(std::string_view data, Picture::Kind kind, int& width,
                                 int& height) {
    return kind == Picture::Kind::Png ? PngSize(data, width, height)
                                      : JpegSize(data, width, height);
}

platform::Image PictureDecoder::Decode(const Picture& p) {
    if (p.kind == Picture::Kind::Png) return DecodePng(p.data);
    return {};
}

}  // namespace quindel::richtext
