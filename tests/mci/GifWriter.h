#pragma once
// A tiny GIF writer for tests: a four-colour global palette and full-canvas frames, each with
// its delay and an optional transparent index. The LZW stream sends a clear code after every two
// pixels, so every code stays three bits wide and no dictionary is needed.
#include <cstdint>
#include <string>
#include <vector>

namespace quindel::mci::test {

struct GifFrame {
    int delayCs = 10;
    std::vector<std::uint8_t> indices;  // width * height, each 0..3
    int transparent = -1;
};

inline std::string WriteGif(int w, int h, const std::uint8_t (&palette)[4][3],
                            const std::vector<GifFrame>& frames) {
    std::string out = "GIF89a";
    auto put16 = [&](int v) {
        out += char(v & 255);
        out += char((v >> 8) & 255);
    };
    put16(w);
    put16(h);
    out += char(0x81);  // global palette of 2^(1+1) colours
    out += '\0';
    out += '\0';
    for (const auto& rgb : palette)
        for (std::uint8_t c : rgb) out += char(c);
    for (const GifFrame& f : frames) {
        out += "\x21\xF9\x04";
        out += char(f.transparent >= 0 ? 0x09 : 0x08);  // disposal 2; transparency flag
        put16(f.delayCs);
        out += char(f.transparent >= 0 ? f.transparent : 0);
        out += '\0';
        out += '\x2C';
        put16(0);
        put16(0);
        put16(w);
        put16(h);
        out += '\0';
        out += '\x02';  // minimum code size: clear = 4, end = 5
        std::vector<std::uint8_t> data;
        std::uint32_t bits = 0;
        int count = 0;
        auto code = [&](std::uint32_t c) {
            bits |= c << count;
            for (count += 3; count >= 8; count -= 8, bits >>= 8) data.push_back(bits & 255);
        };
        for (std::size_t i = 0; i < f.indices.size(); ++i) {
            if (i % 2 == 0) code(4);
            code(f.indices[i]);
        }
        code(5);
        if (count > 0) data.push_back(bits & 255);
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            out += char(n);
            out.append(reinterpret_cast<const char*>(data.data() + at), n);
        }
        out += '\0';
    }
    out += '\x3B';
    return out;
}

}  // namespace quindel::mci::test
