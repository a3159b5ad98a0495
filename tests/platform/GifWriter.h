#pragma once
// A small GIF writer for tests, fuzz seeds and benchmarks: each pixel goes out as a literal LZW
// code (a clear code before the table would widen the codes), so the bytes are easy to follow
// and a test can write what a well-behaved encoder would refuse (indices beyond the palette,
// frames outside the canvas, files cut short).
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace quindel::test {

struct GifColour {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct GifFrameSpec {
    int left = 0, top = 0, width = 0, height = 0;
    // width * height palette indices, top row first, in display order (the writer interlaces).
    std::vector<std::uint8_t> indices;
    std::vector<GifColour> localPalette;  // empty: the global palette
    bool interlaced = false;
    bool control = true;  // write a graphic control extension
    int disposal = 0;
    int transparent = -1;
    int delayCs = 0;
};

class GifWriter {
  public:
    GifWriter(int width, int height, std::vector<GifColour> palette = {})
        : width_(width), height_(height), palette_(std::move(palette)) {}

    GifWriter& Loop(int repeats) {
        loop_ = repeats;
        return *this;
    }
    GifWriter& Add(GifFrameSpec f) {
        frames_.push_back(std::move(f));
        return *this;
    }

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out;
        Put(out, "GIF89a");
        Word(out, width_);
        Word(out, height_);
        out.push_back(palette_.empty() ? 0 : std::uint8_t(0xF0 | (SizeBits(palette_) - 1)));
        out.push_back(0);
        out.push_back(0);
        Palette(out, palette_);
        if (loop_ >= 0) {
            out.insert(out.end(), {0x21, 0xFF, 11});
            Put(out, "NETSCAPE2.0");
            out.insert(out.end(), {3, 1, std::uint8_t(loop_ & 255), std::uint8_t(loop_ >> 8), 0});
        }
        for (const GifFrameSpec& f : frames_) Frame(out, f);
        out.push_back(0x3B);
        return out;
    }

  private:
    static void Put(std::vector<std::uint8_t>& out, const std::string& s) {
        out.insert(out.end(), s.begin(), s.end());
    }
    static void Word(std::vector<std::uint8_t>& out, int v) {
        out.push_back(std::uint8_t(v & 255));
        out.push_back(std::uint8_t((v >> 8) & 255));
    }
    static int SizeBits(const std::vector<GifColour>& palette) {
        int bits = 1;
        while ((1u << bits) < palette.size()) ++bits;
        return bits;
    }
    static void Palette(std::vector<std::uint8_t>& out, const std::vector<GifColour>& palette) {
        if (palette.empty()) return;
        for (std::size_t i = 0; i < (1u << SizeBits(palette)); ++i) {
            const GifColour c = i < palette.size() ? palette[i] : GifColour{};
            out.insert(out.end(), {c.r, c.g, c.b});
        }
    }
    static std::vector<int> RowOrder(int height, bool interlaced) {
        std::vector<int> rows;
        if (!interlaced)
            for (int y = 0; y < height; ++y) rows.push_back(y);
        const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; interlaced && pass < 4; ++pass)
            for (int y = start[pass]; y < height; y += step[pass]) rows.push_back(y);
        return rows;
    }

    void Frame(std::vector<std::uint8_t>& out, const GifFrameSpec& f) const {
        if (f.control) {
            out.insert(out.end(), {0x21, 0xF9, 4,
                                   std::uint8_t(f.disposal << 2 | (f.transparent >= 0 ? 1 : 0))});
            Word(out, f.delayCs);
            out.insert(out.end(), {std::uint8_t(std::max(f.transparent, 0)), 0});
        }
        out.push_back(0x2C);
        for (int v : {f.left, f.top, f.width, f.height}) Word(out, v);
        const bool local = !f.localPalette.empty();
        out.push_back(std::uint8_t((local ? 0x80 | (SizeBits(f.localPalette) - 1) : 0) |
                                   (f.interlaced ? 0x40 : 0)));
        Palette(out, f.localPalette);
        std::vector<std::uint8_t> ordered;
        for (int y : RowOrder(f.height, f.interlaced))
            for (int x = 0; x < f.width; ++x)
                ordered.push_back(
                    f.indices[std::size_t(y) * std::size_t(f.width) + std::size_t(x)]);
        Lzw(out, ordered);
    }

    // Literal codes of minCode + 1 bits, with a clear code often enough that the decoder's
    // table never reaches the next code width.
    static void Lzw(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& pixels) {
        const int minCode = 8, clear = 1 << minCode, width = minCode + 1;
        out.push_back(minCode);
        std::vector<std::uint8_t> data;
        std::uint32_t acc = 0;
        int bits = 0;
        auto code = [&](int c) {
            acc |= std::uint32_t(c) << bits;
            for (bits += width; bits >= 8; bits -= 8, acc >>= 8) data.push_back(acc & 255);
        };
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            if (i % std::size_t(clear - 2) == 0) code(clear);
            code(pixels[i]);
        }
        code(clear + 1);
        if (bits > 0) data.push_back(acc & 255);
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            out.push_back(std::uint8_t(n));
            out.insert(out.end(), data.begin() + std::ptrdiff_t(at),
                       data.begin() + std::ptrdiff_t(at + n));
        }
        out.push_back(0);
    }

    int width_, height_;
    std::vector<GifColour> palette_;
    int loop_ = -1;
    std::vector<GifFrameSpec> frames_;
};

}  // namespace quindel::test
