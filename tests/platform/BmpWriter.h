#pragma once
// 24-bit bottom-up Windows bitmaps for tests and fuzz seeds.
#include <cstdint>
#include <vector>

#include "platform/Image.h"

namespace quindel::test {

inline std::vector<std::uint8_t> WriteBmp24(const platform::Image& img) {
    const std::uint32_t stride = (std::uint32_t(img.width()) * 3 + 3) / 4 * 4;
    const std::uint32_t pixels = stride * std::uint32_t(img.height());
    std::vector<std::uint8_t> b = {'B', 'M'};
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) { b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); };
    u32(54 + pixels), u32(0), u32(54);
    u32(40), u32(std::uint32_t(img.width())), u32(std::uint32_t(img.height())), u16(1), u16(24);
    u32(0), u32(pixels), u32(2835), u32(2835), u32(0), u32(0);
    for (int y = img.height() - 1; y >= 0; --y) {
        for (int x = 0; x < img.width(); ++x) {
            const platform::Rgba c = img.pixel(x, y);
            b.insert(b.end(),
                     {std::uint8_t(platform::BlueOf(c)), std::uint8_t(platform::GreenOf(c)),
                      std::uint8_t(platform::RedOf(c))});
        }
        b.resize(b.size() + stride - std::uint32_t(img.width()) * 3, 0);
    }
    return b;
}

}  // namespace quindel::test
