#include "platform/Bmp.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace quindel::platform {

namespace {

std::uint32_t U32(std::string_view b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t U16(std::string_view b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

struct Header {
    std::size_t pixelOffset = 0;
    std::size_t infoSize = 0;
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bpp = 0;
    std::uint32_t compression = 0;
    std::size_t colours = 0;
};

std::optional<Header> ReadHeader(std::string_view b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
    Header h;
    h.pixelOffset = U32(b, 10);
    h.infoSize = U32(b, 14);
    if (h.infoSize < 40 || 14 + h.infoSize > b.size()) return std::nullopt;
    const auto w = std::int32_t(U32(b, 18)), ht = std::int32_t(U32(b, 22));
    if (w <= 0 || ht == 0 || w > 16384 || std::abs(ht) > 16384) return std::nullopt;
    h.width = w;
    h.height = std::abs(ht);
    h.topDown = ht < 0;
    h.bpp = U16(b, 28);
    h.compression = U32(b, 30);
    h.colours = U32(b, 46);
    const bool bitfields = h.compression == 3 && (h.bpp == 32 || h.bpp == 16);
    if (h.compression != 0 && !bitfields) return std::nullopt;
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 24 && h.bpp != 32) return std::nullopt;
    if (h.bpp <= 8 && (h.colours == 0 || h.colours > (1u << h.bpp))) h.colours = 1u << h.bpp;
    return h;
}

}  // namespace

std::optional<Image> DecodeBmp(std::string_view b) {
    const auto h = ReadHeader(b);
    if (!h) return std::nullopt;
    std::vector<Rgba> palette;
    if (h->bpp <= 8) {
        const std::size_t at = 14 + h->infoSize;
        if (at + h->colours * 4 > b.size()) return std::nullopt;
        for (std::size_t i = 0; i < h->colours; ++i)
            palette.push_back(MakeRgb(std::uint8_t(b[at + i * 4 + 2]),
                                      std::uint8_t(b[at + i * 4 + 1]),
                                      std::uint8_t(b[at + i * 4])));
    }
    const std::size_t stride = ((std::size_t(h->width) * std::size_t(h->bpp) + 31) / 32) * 4;
    if (h->pixelOffset > b.size() || stride * std::size_t(h->height) > b.size() - h->pixelOffset)
        return std::nullopt;
    Image img(h->width, h->height);
    for (int y = 0; y < h->height; ++y) {
        const int row = h->topDown ? y : h->height - 1 - y;
        const std::size_t base = h->pixelOffset + std::size_t(row) * stride;
        for (int x = 0; x < h->width; ++x) {
            Rgba c;
            if (h->bpp <= 8) {
                const std::size_t bit = std::size_t(x) * std::size_t(h->bpp);
                const int shift = 8 - h->bpp - int(bit % 8);
                const std::size_t idx =
                    (std::uint8_t(b[base + bit / 8]) >> shift) & ((1 << h->bpp) - 1);
                c = idx < palette.size() ? palette[idx] : MakeRgb(0, 0, 0);
            } else {
                const std::size_t at = base + std::size_t(x) * std::size_t(h->bpp / 8);
                c = MakeRgb(std::uint8_t(b[at + 2]), std::uint8_t(b[at + 1]), std::uint8_t(b[at]));
            }
            img.setPixel(x, y, c);
        }
    }
    return img;
}

std::optional<Image> LoadBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodeBmp(bytes);
}

Image WithTransparentKey(Image img, Rgba key) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0x00FFFFFFu) == (key & 0x00FFFFFFu)) img.setPixel(x, y, 0);
    return img;
}

}  // namespace quindel::platform
