#include "BmpWriter.h"

#include <fstream>
#include <map>
#include <stdexcept>

namespace quindel::artgen {
namespace {

using platform::Rgba;

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kMaxColours = 256;
// 72 dpi, the customary value; readers ignore it.
constexpr std::uint32_t kPixelsPerMetre = 2835;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

Rgba Opaque(Rgba c) {
    return c | 0xFF000000u;
}

std::vector<Rgba> BuildPalette(const platform::Image& image, const std::vector<Rgba>& fixed,
                               std::map<Rgba, std::uint8_t>& index) {
    std::vector<Rgba> palette;
    auto add = [&](Rgba c) {
        if (index.contains(c)) return;
        if (palette.size() == kMaxColours)
            throw std::runtime_error("picture needs more than 256 colours");
        index.emplace(c, std::uint8_t(palette.size()));
        palette.push_back(c);
    };
    for (Rgba c : fixed) add(Opaque(c));
    for (Rgba c : image.pixels()) add(Opaque(c));
    return palette;
}

}  // namespace

std::vector<std::uint8_t> EncodeIndexedBmp(const platform::Image& image,
                                           const std::vector<Rgba>& fixedPalette) {
    if (image.empty()) throw std::runtime_error("empty picture");
    std::map<Rgba, std::uint8_t> index;
    const std::vector<Rgba> palette = BuildPalette(image, fixedPalette, index);
    const auto width = std::uint32_t(image.width()), height = std::uint32_t(image.height());
    const std::uint32_t stride = (width + 3) & ~3u;
    const auto paletteBytes = std::uint32_t(palette.size() * 4);
    const std::uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + paletteBytes;

    std::vector<std::uint8_t> out;
    out.reserve(dataOffset + stride * height);
    out.push_back('B');
    out.push_back('M');
    Put32(out, dataOffset + stride * height);
    Put32(out, 0);  // two reserved words
    Put32(out, dataOffset);

    Put32(out, kInfoHeaderSize);
    Put32(out, width);
    Put32(out, height);  // positive: rows stored bottom-up
    Put16(out, 1);       // planes
    Put16(out, 8);       // bits per pixel
    Put32(out, 0);       // BI_RGB
    Put32(out, stride * height);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, std::uint32_t(palette.size()));  // colours used
    Put32(out, 0);                              // all colours important

    for (Rgba c : palette) {
        out.push_back(std::uint8_t(platform::BlueOf(c)));
        out.push_back(std::uint8_t(platform::GreenOf(c)));
        out.push_back(std::uint8_t(platform::RedOf(c)));
        out.push_back(0);
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) out.push_back(index.at(Opaque(image.pixel(x, y))));
        out.resize(out.size() + (stride - width), 0);
    }
    return out;
}

void WriteIndexedBmp(const std::string& path, const platform::Image& image,
                     const std::vector<Rgba>& fixedPalette) {
    const std::vector<std::uint8_t> bytes = EncodeIndexedBmp(image, fixedPalette);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace quindel::artgen
