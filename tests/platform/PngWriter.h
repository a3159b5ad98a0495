#pragma once
// A small PNG writer for tests and fuzz seeds, by hand so that it can write every colour type,
// bit depth, palette, tRNS and Adam7 layout (the platform's own writer makes 8-bit RGBA only):
// rows unfiltered, the image data in stored (uncompressed) deflate blocks.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quindel::test {

struct PngLayout {
    int width = 0, height = 0;
    int bitDepth = 8;
    int colourType = 6;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
    // width * height * channels samples, row-major, each below 2^bitDepth.
    std::vector<std::uint16_t> samples;
    std::vector<std::array<std::uint8_t, 3>> palette;
    std::vector<std::uint8_t> trns;  // the tRNS chunk's bytes as stored
    bool interlaced = false;
    int dataChunks = 1;  // the compressed rows split over this many IDAT chunks
};

class PngWriter {
  public:
    static std::vector<std::uint8_t> Write(const PngLayout& s) {
        std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        std::vector<std::uint8_t> ihdr;
        Be32(ihdr, std::uint32_t(s.width));
        Be32(ihdr, std::uint32_t(s.height));
        ihdr.insert(ihdr.end(), {std::uint8_t(s.bitDepth), std::uint8_t(s.colourType), 0, 0,
                                 std::uint8_t(s.interlaced ? 1 : 0)});
        Chunk(out, "IHDR", ihdr);
        if (!s.palette.empty()) {
            std::vector<std::uint8_t> plte;
            for (const auto& c : s.palette) plte.insert(plte.end(), c.begin(), c.end());
            Chunk(out, "PLTE", plte);
        }
        if (!s.trns.empty()) Chunk(out, "tRNS", s.trns);
        const auto data = Zlib(Raw(s));
        const std::size_t part =
            (data.size() + std::size_t(s.dataChunks) - 1) / std::size_t(s.dataChunks);
        for (std::size_t at = 0; at < data.size(); at += part)
            Chunk(out, "IDAT",
                  {data.begin() + std::ptrdiff_t(at),
                   data.begin() + std::ptrdiff_t(std::min(at + part, data.size()))});
        Chunk(out, "IEND", {});
        return out;
    }

    static void Be32(std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
    }

    static void Chunk(std::vector<std::uint8_t>& out, const std::string& type,
                      const std::vector<std::uint8_t>& data) {
        Be32(out, std::uint32_t(data.size()));
        std::vector<std::uint8_t> body(type.begin(), type.end());
        body.insert(body.end(), data.begin(), data.end());
        out.insert(out.end(), body.begin(), body.end());
        std::uint32_t crc = 0xFFFFFFFFu;
        for (std::uint8_t b : body) {
            crc ^= b;
            for (int k = 0; k < 8; ++k) crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        }
        Be32(out, crc ^ 0xFFFFFFFFu);
    }

  private:
    static int Channels(int colourType) {
        return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    }

    // The filtered scanlines: one pass, or Adam7's seven passes over sub-images.
    static std::vector<std::uint8_t> Raw(const PngLayout& s) {
        static constexpr int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8},
                                              {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2},
                                              {0, 1, 1, 2}};
        const int single[1][4] = {{0, 0, 1, 1}};
        const int n = s.interlaced ? 7 : 1;
        std::vector<std::uint8_t> raw;
        for (int p = 0; p < n; ++p) {
            const int* pass = s.interlaced ? kPasses[p] : single[0];
            if (pass[0] >= s.width) continue;
            for (int y = pass[1]; y < s.height; y += pass[3]) {
                raw.push_back(0);
                Row(raw, s, y, pass[0], pass[2]);
            }
        }
        return raw;
    }

    static void Row(std::vector<std::uint8_t>& raw, const PngLayout& s, int y, int x0, int step) {
        const int ch = Channels(s.colourType);
        int acc = 0, bits = 0;
        for (int x = x0; x < s.width; x += step)
            for (int c = 0; c < ch; ++c) {
                const std::uint16_t v =
                    s.samples[(std::size_t(y) * std::size_t(s.width) + std::size_t(x)) *
                                  std::size_t(ch) +
                              std::size_t(c)];
                if (s.bitDepth == 16) {
                    raw.push_back(std::uint8_t(v >> 8));
                    raw.push_back(std::uint8_t(v));
                    continue;
                }
                acc = acc << s.bitDepth | v;
                bits += s.bitDepth;
                if (bits == 8) raw.push_back(std::uint8_t(acc)), acc = 0, bits = 0;
            }
        if (bits > 0) raw.push_back(std::uint8_t(acc << (8 - bits)));
    }

    static std::vector<std::uint8_t> Zlib(const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> out = {0x78, 0x01};
        std::size_t at = 0;
        do {
            const std::size_t n = std::min<std::size_t>(65535, data.size() - at);
            const bool last = at + n == data.size();
            out.insert(out.end(), {std::uint8_t(last ? 1 : 0), std::uint8_t(n),
                                   std::uint8_t(n >> 8), std::uint8_t(~n), std::uint8_t(~n >> 8)});
            out.insert(out.end(), data.begin() + std::ptrdiff_t(at),
                       data.begin() + std::ptrdiff_t(at + n));
            at += n;
        } while (at < data.size());
        std::uint32_t a = 1, b = 0;
        for (std::uint8_t v : data) a = (a + v) % 65521, b = (b + a) % 65521;
        Be32(out, b << 16 | a);
        return out;
    }
};

}  // namespace quindel::test
